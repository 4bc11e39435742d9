// Texts of the desktop program: captions, menus, command prompts and tool tips, status and log lines. A
// catalogue list: see messages.h.
#ifndef NOVRA_MSG
#include "common/messages.h"
#else
NOVRA_MSG(kAppTitle, "NOVRA", nullptr, "NOVRA")
NOVRA_MSG(kIdle, "ﾚﾃﾞｨ", nullptr, "Ready")
NOVRA_MSG(kPaneX, "X座標", nullptr, "X coordinate")
NOVRA_MSG(kPaneY, "Y座標", nullptr, "Y coordinate")
NOVRA_MSG(kCoordX, "x:%d", nullptr, "x:%d")
NOVRA_MSG(kCoordY, "y:%d", nullptr, "y:%d")
NOVRA_MSG(kMessageBarTitle, "メッセージ", nullptr, "Messages")
NOVRA_MSG(kErrTokenColor, "err token color", nullptr, "err token color")
NOVRA_MSG(kTokenValueUndefined, "X", nullptr, "X")
NOVRA_MSG(kMarkRegisterReduced, "R省略", nullptr, "no R")
NOVRA_MSG(kMarkDiscard, "破棄!", nullptr, "discard!")
NOVRA_MSG(kMarkKeep, "消費しない!", nullptr, "keep!")
NOVRA_MSG(kMenuTitleGeneric, "Generic", nullptr, "Generic")
NOVRA_MSG(kAboutText, "NOVRA Version 2.0\n\n自己同期回路設計ツール", nullptr,
          "NOVRA Version 2.0\n\nA design tool for self-timed circuits")
NOVRA_MSG(kAboutTitle, "NOVRA のバージョン情報", nullptr, "About NOVRA")
NOVRA_MSG(kUsage,
          "使い方: novra [--lang ja|en] [--script 編集.txt] [ネットファイル.pol]\n"
          "       novra [--lang ja|en] --screenshot 画像.png ネットファイル.pol\n"
          "       novra --version\n",
          nullptr,
          "usage: novra [--lang ja|en] [--script EDITS.txt] [NET.pol]\n"
          "       novra [--lang ja|en] --screenshot IMAGE.png NET.pol\n"
          "       novra --version\n")
NOVRA_MSG(kBadLang, "novra: --lang には ja か en を指定してください\n", nullptr,
          "novra: --lang takes ja or en\n")
// The recovery copy of unsaved changes.
NOVRA_MSG(kRecoveryWriteFailed, "復元用のコピーを書き込めません（編集はそのまま続けられます）: %s", nullptr,
          "The recovery copy cannot be written (you can go on editing): %s")
NOVRA_MSG(kRecoveryDamaged, "復元用のコピーを読めません。ファイルはそのまま残します: %s", nullptr,
          "The recovery copy cannot be read. The file is left as it is: %s")
NOVRA_MSG(kRecoveryTitle, "変更の復元", nullptr, "Restore Changes")
// %1: the file the changes belong to, %2: when the copy was written.
NOVRA_MSG(kRecoveryQuestion,
          "保存されていない変更の復元用コピーがあります。\n\nファイル: %1\n保存時刻: %2\n\n復元しますか？",
          nullptr, "There is a recovery copy of unsaved changes.\n\nFile: %1\nWritten at: %2\n\nRestore it?")
NOVRA_MSG(kRecoveryRestore, "復元する", nullptr, "Restore")
NOVRA_MSG(kRecoveryDiscard, "破棄する", nullptr, "Discard")
NOVRA_MSG(kRecoveryLater, "後で決める", nullptr, "Decide Later")
NOVRA_MSG(kScriptFailed, "編集スクリプトの %d 行目を実行できません", nullptr,
          "Line %d of the edit script cannot be carried out")
NOVRA_MSG(kScreenshotFailed, "画像を保存できませんでした: %s\n", nullptr,
          "The picture could not be saved: %s\n")
NOVRA_MSG(kPrintFailed, "印刷を開始できませんでした", nullptr, "Printing could not be started")

// Menu bar.
NOVRA_MSG(kMenuFile, "ﾌｧｲﾙ(&F)", nullptr, "&File")
NOVRA_MSG(kMenuEdit, "編集(&E)", nullptr, "&Edit")
NOVRA_MSG(kMenuView, "表示(&V)", nullptr, "&View")
NOVRA_MSG(kMenuSettings, "設定", nullptr, "Settings")
NOVRA_MSG(kMenuHelp, "ﾍﾙﾌﾟ(&H)", nullptr, "&Help")
NOVRA_MSG(kMenuContinuousPaste, "連続配置", nullptr, "Repeated Placing")

// Menu items, then prompt and tool tip ("prompt\ntip") of every command.
NOVRA_MSG(kItemNew, "新規作成(&N)", nullptr, "&New")
NOVRA_MSG(kTipNew, "新規にﾌｧｲﾙを作成\n新規作成", nullptr, "Create a new file\nNew")
NOVRA_MSG(kItemOpen, "開く(&O)...", nullptr, "&Open...")
NOVRA_MSG(kTipOpen, "既存のﾌｧｲﾙを開く\n開く", nullptr, "Open an existing file\nOpen")
NOVRA_MSG(kItemSave, "上書き保存(&S)", nullptr, "&Save")
NOVRA_MSG(kTipSave, "ｱｸﾃｨﾌﾞなﾄﾞｷｭﾒﾝﾄを上書きして保存\n上書き保存", nullptr, "Save the active document\nSave")
NOVRA_MSG(kItemSaveAs, "名前を付けて保存(&A)...", nullptr, "Save &As...")
NOVRA_MSG(kTipSaveAs, "ｱｸﾃｨﾌﾞなﾄﾞｷｭﾒﾝﾄに名前を付けて保存\n名前を付けて保存", nullptr,
          "Save the active document under a new name\nSave As")
NOVRA_MSG(kItemPrint, "印刷(&P)...", nullptr, "&Print...")
NOVRA_MSG(kTipPrint, "ｱｸﾃｨﾌﾞなﾄﾞｷｭﾒﾝﾄを印刷\n印刷", nullptr, "Print the active document\nPrint")
NOVRA_MSG(kItemPrintPreview, "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", nullptr, "Print Pre&view")
NOVRA_MSG(kTipPrintPreview, "ﾌﾙ ﾍﾟｰｼﾞ表示\n印刷ﾌﾟﾚﾋﾞｭｰ", nullptr, "Show full pages\nPrint Preview")
NOVRA_MSG(kItemPrintSetup, "ﾌﾟﾘﾝﾀの設定(&R)...", nullptr, "P&rint Setup...")
NOVRA_MSG(kTipPrintSetup, "ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾄ ｵﾌﾟｼｮﾝの変更\n印刷設定", nullptr,
          "Change the printer and the printing options\nPrint Setup")
NOVRA_MSG(kItemRecent, "最近使ったﾌｧｲﾙ", nullptr, "Recent File")
NOVRA_MSG(kTipRecent, "このﾌｧｲﾙを開く\n最近使ったﾌｧｲﾙ", nullptr, "Open this file\nRecent File")
NOVRA_MSG(kItemVerilog, "verilogに出力", nullptr, "Output to Verilog")
NOVRA_MSG(kTipVerilog, "Verilog-HDLに出力します\nverilogに出力", nullptr,
          "Write the net as Verilog-HDL\nOutput to Verilog")
NOVRA_MSG(kItemExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", nullptr, "E&xit")
NOVRA_MSG(kTipExit, "ｱﾌﾟﾘｹｰｼｮﾝを終了\n終了", nullptr, "Quit the application\nExit")
NOVRA_MSG(kItemUndo, "元に戻す(&U)", nullptr, "&Undo")
NOVRA_MSG(kTipUndo, "直前に行った動作を元に戻す\n元に戻す", nullptr, "Undo the last action\nUndo")
// %1 is the name of the step, one of kStep... below.
NOVRA_MSG(kItemUndoNamed, "元に戻す：%1(&U)", nullptr, "&Undo: %1")
NOVRA_MSG(kItemRedo, "やり直し(&R)", nullptr, "&Redo")
NOVRA_MSG(kItemRedoNamed, "やり直し：%1(&R)", nullptr, "&Redo: %1")
NOVRA_MSG(kTipRedo, "元に戻した動作をやり直す\nやり直し", nullptr, "Redo the action undone\nRedo")
// What one step of the undo history did, as the Edit menu names it.
NOVRA_MSG(kStepMove, "移動", nullptr, "Move")
NOVRA_MSG(kStepPlace, "配置", nullptr, "Placing")
NOVRA_MSG(kStepArc, "アーク", nullptr, "Arc")
NOVRA_MSG(kStepToken, "トークン", nullptr, "Token")
NOVRA_MSG(kStepDelete, "削除", nullptr, "Delete")
NOVRA_MSG(kStepCut, "切り取り", nullptr, "Cut")
NOVRA_MSG(kStepPaste, "貼り付け", nullptr, "Paste")
NOVRA_MSG(kStepPasteRepeat, "連続貼り付け", nullptr, "Repeated Paste")
NOVRA_MSG(kStepAlign, "整列", nullptr, "Align")
NOVRA_MSG(kStepFunction, "トランジション関数", nullptr, "Transition Function")
NOVRA_MSG(kStepUhzi, "ウージの設定", nullptr, "Uhzi Settings")
NOVRA_MSG(kStepKemmakix, "ケムマキの設定", nullptr, "Kemmakix Settings")
NOVRA_MSG(kStepClearAll, "全てクリア", nullptr, "Clear All")
NOVRA_MSG(kItemCut, "切り取り(&T)", nullptr, "Cu&t")
NOVRA_MSG(kTipCut, "選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動\n切り取り", nullptr,
          "Cut the selection and put it on the clipboard\nCut")
NOVRA_MSG(kItemCopy, "ｺﾋﾟｰ(&C)", nullptr, "&Copy")
NOVRA_MSG(kTipCopy, "選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ", nullptr,
          "Copy the selection to the clipboard\nCopy")
NOVRA_MSG(kItemPaste, "貼り付け(&P)", nullptr, "&Paste")
NOVRA_MSG(kTipPaste, "ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入\n貼り付け", nullptr, "Insert the clipboard contents\nPaste")
NOVRA_MSG(kItemFind, "検索", nullptr, "Find")
NOVRA_MSG(kTipFind, "オブジェクトIDで検索します\n検索", nullptr, "Find an object by its ID\nFind")
NOVRA_MSG(kItemToolBar, "ﾂｰﾙ ﾊﾞｰ(&T)", nullptr, "&Toolbar")
NOVRA_MSG(kTipToolBar, "ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示", nullptr,
          "Show or hide the toolbar\nShow/Hide Toolbar")
NOVRA_MSG(kItemStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", nullptr, "&Status Bar")
NOVRA_MSG(kTipStatusBar, "ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示", nullptr,
          "Show or hide the status bar\nShow/Hide Status Bar")
NOVRA_MSG(kItemMessageBar, "メッセージ(M)", nullptr, "Messages (M)")
NOVRA_MSG(kTipMessageBar, "メッセージダイアログ", nullptr, "Message pane")
NOVRA_MSG(kItemShowIds, "オブジェクトIDを表示", nullptr, "Show Object IDs")
NOVRA_MSG(kTipShowIds, "オブジェクトIDを表示します\nオブジェクトID", nullptr,
          "Show the object IDs\nObject IDs")
NOVRA_MSG(kItemShowOldTokens, "過去通過トークンの表示", nullptr, "Show Past Tokens")
NOVRA_MSG(kTipShowOldTokens, "過去に通過したトークンを表示します\n過去通過トークン", nullptr,
          "Show the tokens that have passed\nPast Tokens")
NOVRA_MSG(kItemSettings, "設定", nullptr, "Settings")
NOVRA_MSG(kTipSettings, "設定を変更します\n設定", nullptr, "Change the settings\nSettings")
NOVRA_MSG(kItemAbout, "ﾊﾞｰｼﾞｮﾝ情報(&A)...", nullptr, "&About NOVRA...")
NOVRA_MSG(kTipAbout, "ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝを表示\nﾊﾞｰｼﾞｮﾝ情報", nullptr,
          "Show the program's information and version\nAbout")
NOVRA_MSG(kTipPlace, "プレースを配置します\nプレース", nullptr, "Place a place\nPlace")
NOVRA_MSG(kTipTransition, "トランジションを配置します\nトランジション", nullptr,
          "Place a transition\nTransition")
NOVRA_MSG(kTipUhzi, "ウージ（ソーストランジション）を配置します\nウージ", nullptr,
          "Place a uhzi (source transition)\nUhzi")
NOVRA_MSG(kTipKemmakix, "ケムマキ（シンクトランジション）を配置します\nケムマキ", nullptr,
          "Place a kemmakix (sink transition)\nKemmakix")
NOVRA_MSG(kTipToken, "トークンを配置します\nトークン", nullptr, "Place a token\nToken")
NOVRA_MSG(kTipArc, "アークで接続します\nアーク", nullptr, "Connect with an arc\nArc")
NOVRA_MSG(kTipContinuous, "プレースとトランジションを連続して配置します\n連続配置", nullptr,
          "Place places and transitions one after another\nRepeated Placing")
NOVRA_MSG(kTipHand, "オブジェクトを選択して移動します\nハンド", nullptr, "Select and move objects\nHand")
NOVRA_MSG(kTipDeleteTool, "オブジェクトを削除します\n削除", nullptr, "Delete objects\nDelete")
NOVRA_MSG(kTipZoomIn, "拡大表示します\n拡大", nullptr, "Zoom in\nZoom In")
NOVRA_MSG(kTipZoomOut, "縮小表示します\n縮小", nullptr, "Zoom out\nZoom Out")
NOVRA_MSG(kTipHelpInfo, "お助け情報を表示します\nヘルプ", nullptr, "Show a helping hint\nHelp")
// The simulation menu: the waveform recorded since the last compile.
NOVRA_MSG(kMenuSimulation, "シミュレーション(&S)", nullptr, "&Simulation")
NOVRA_MSG(kItemSaveWave, "波形を保存…", nullptr, "Save Waveform…")
NOVRA_MSG(kTipSaveWave, "コンパイルからのシミュレーションの波形をVCDファイルに保存します\n波形を保存",
          nullptr, "Save the waveform of the simulation since the compile as a VCD file\nSave Waveform")
NOVRA_MSG(kWaveSaved, "波形を保存しました: ", nullptr, "Waveform saved: ")
NOVRA_MSG(kItemExportPicture, "画像として書き出し(&I)...", nullptr, "Export as &Image...")
NOVRA_MSG(kTipExportPicture, "ネットをSVG、PDFまたはPNGの画像として書き出します\n画像として書き出し", nullptr,
          "Exports the net as an SVG, PDF or PNG picture\nExport as image")
NOVRA_MSG(kPictureExported, "画像に書き出しました: ", nullptr, "Exported the picture: ")
// The export dialog.
NOVRA_MSG(kExpTitle, "画像として書き出し", nullptr, "Export as Image")
NOVRA_MSG(kExpFile, "ファイル名（.svg、.pdf、.png）", nullptr, "File name (.svg, .pdf, .png)")
NOVRA_MSG(kExpWhole, "ネット全体", nullptr, "Whole net")
NOVRA_MSG(kExpSelection, "選択したオブジェクトだけ", nullptr, "Selected objects only")
NOVRA_MSG(kExpScale, "倍率（PNG）", nullptr, "Scale (PNG)")
NOVRA_MSG(kExpFilter, "画像 (*.svg *.pdf *.png)", nullptr, "Pictures (*.svg *.pdf *.png)")
NOVRA_MSG(kTipCompile, "コンパイル\nコンパイル", nullptr, "Compile\nCompile")
NOVRA_MSG(kTipRewind, "ひとつ前のマーキングに戻します\n巻き戻し", nullptr,
          "Go back to the previous marking\nRewind")
NOVRA_MSG(kTipRun, "連続実行\n実行", nullptr, "Run continuously\nRun")
NOVRA_MSG(kTipStep, "ステップ実行\nステップ実行", nullptr, "Run one step\nStep")
NOVRA_MSG(kTipPause, "シミュレーションを中断します\n一時停止", nullptr, "Pause the simulation\nPause")
NOVRA_MSG(kTipAbort, "シミュレーションを中止します\n中止", nullptr, "Stop the simulation\nStop")
NOVRA_MSG(kTipClearAll, "全てクリア\nクリア", nullptr, "Clear everything\nClear")
NOVRA_MSG(kTipQuickSave, "クイックファイルに保存します\nクイックセーブ", nullptr,
          "Save to the quick file\nQuick Save")
NOVRA_MSG(kTipQuickLoad, "クイックファイルを読み込みます\nクイックロード", nullptr,
          "Load the quick file\nQuick Load")
NOVRA_MSG(kItemDelete, "削除", nullptr, "Delete")
NOVRA_MSG(kTipDelete, "選択したオブジェクトを削除します\n削除", nullptr,
          "Delete the selected objects\nDelete")
NOVRA_MSG(kItemAlign, "整列", nullptr, "Align")
NOVRA_MSG(kTipAlign, "オブジェクトをグリッドに整列します\n整列", nullptr,
          "Align the objects to the grid\nAlign")
NOVRA_MSG(kItemPasteHorizontal, "水平方向", nullptr, "Horizontally")
NOVRA_MSG(kItemPasteVertical, "垂直方向", nullptr, "Vertically")
NOVRA_MSG(kTipPasteRepeat, "クリップボードの内容を並べて貼り付けます\n連続貼り付け", nullptr,
          "Paste the clipboard contents several times in a row\nRepeated Paste")
NOVRA_MSG(kTipFunctionDialog, "トランジション関数を編集します\nトランジション関数", nullptr,
          "Edit the transition function\nTransition Function")
NOVRA_MSG(kTipUhziDialog, "ウージを編集します\nウージ", nullptr, "Edit the uhzi\nUhzi")
NOVRA_MSG(kTipKemmakixDialog, "ケムマキを編集します\nケムマキ", nullptr, "Edit the kemmakix\nKemmakix")

// Tool modes and mouse editing on the canvas.
NOVRA_MSG(kStatusPlacePlace, "プレースを配置してください", nullptr, "Please place a place")
NOVRA_MSG(kStatusPlaceTransition, "トランジションを配置してください", nullptr, "Please place a transition")
NOVRA_MSG(kStatusPlaceUhzi, "ウージ（ソーストランジション）を配置してください", nullptr,
          "Please place a uhzi (source transition)")
NOVRA_MSG(kStatusPlaceKemmakix, "ケムマキ（シンクトランジション）を配置してください", nullptr,
          "Please place a kemmakix (sink transition)")
NOVRA_MSG(kStatusPlaceToken, "トークンを配置してください", nullptr, "Please place a token")
NOVRA_MSG(kStatusArcSource, "接続元を選択してください", nullptr, "Please choose where the arc starts")
NOVRA_MSG(kStatusContinuous, "連続配置を行います", nullptr, "Placing one after another")
NOVRA_MSG(kStatusDeleteTool, "削除するオブジェクトを選択してください", nullptr,
          "Please choose the object to delete")
NOVRA_MSG(kStatusTracking, "トラッキング中...", nullptr, "Tracking...")
NOVRA_MSG(kStatusSelected, "%d 個のオブジェクトが選択されました", nullptr, "%d objects selected")
NOVRA_MSG(kStatusArcToTransition, "接続先のトランジションもしくはケムマキを選択してください", nullptr,
          "Please choose the transition or kemmakix the arc goes to")
NOVRA_MSG(kStatusArcToPlace, "接続先のプレースを選択してください", nullptr,
          "Please choose the place the arc goes to")
NOVRA_MSG(kStatusVariableOutput, "変数 %s の出力プレースを選択してください", nullptr,
          "Please choose the output place of variable %s")
NOVRA_MSG(kStatusChainTransition, "連続配置：トランジションを配置してください", nullptr,
          "Repeated placing: please place a transition")
NOVRA_MSG(kStatusChainPlace, "連続配置：プレースを配置してください", nullptr,
          "Repeated placing: please place a place")
NOVRA_MSG(kStatusDeleteToken, "このトークンを削除しますか？", nullptr, "Delete this token?")
NOVRA_MSG(kStatusDeleteObject, "この%sを削除しますか？", nullptr, "Delete this %s?")
NOVRA_MSG(kStatusTokenHere, "ここにトークンを配置しますか？", nullptr, "Place a token here?")
NOVRA_MSG(kStatusTokenWhere, "トークンを配置するプレースを選択してください", nullptr,
          "Please choose the place for the token")
NOVRA_MSG(kKindPlace, "プレース", nullptr, "place")
NOVRA_MSG(kKindTransition, "トランジション", nullptr, "transition")
NOVRA_MSG(kKindUhzi, "ウージ", nullptr, "uhzi")
NOVRA_MSG(kKindKemmakix, "ケムマキ", nullptr, "kemmakix")
NOVRA_MSG(kKindUnknown, "不明なオブジェクト", nullptr, "unknown object")
NOVRA_MSG(kMenuCopy, "コピー", nullptr, "Copy")
NOVRA_MSG(kMenuCut, "切り取り", nullptr, "Cut")
NOVRA_MSG(kMenuPaste, "貼り付け", nullptr, "Paste")
NOVRA_MSG(kMenuTitleInput, "input", nullptr, "input")
NOVRA_MSG(kMenuTitleOutput, "output", nullptr, "output")

// Object property dialogs.
NOVRA_MSG(kDlgCancel, "ｷｬﾝｾﾙ", nullptr, "Cancel")
NOVRA_MSG(kDlgTransitionTitle, "TRANSITION FUNCTION", nullptr, "TRANSITION FUNCTION")
NOVRA_MSG(kDlgPassThrough, "透過する", nullptr, "Pass Through")
NOVRA_MSG(kDlgStopWhenEnabled, "発火可能時にシミュレーションを停止する", nullptr,
          "Stop the simulation when it can fire")
NOVRA_MSG(kDlgRequestOnly, "//このトランジションはリクエストのみを伝達します", nullptr,
          "//This transition passes on the request only")
NOVRA_MSG(kDlgUhziTitle, "UHZI", nullptr, "UHZI")
NOVRA_MSG(kDlgUhziGroup, "ウージ設定", nullptr, "Uhzi Settings")
NOVRA_MSG(kDlgHoldValue, "値を保持", nullptr, "Hold the value")
NOVRA_MSG(kDlgStreamBits, "ビット列を流す", nullptr, "Stream bits")
NOVRA_MSG(kDlgDirectionLeft, "<-", nullptr, "<-")
NOVRA_MSG(kDlgDirectionRight, "->", nullptr, "->")
NOVRA_MSG(kDlgDirection, "流す方向", nullptr, "Direction")
NOVRA_MSG(kDlgKemmakixTitle, "KEMMAKIX", nullptr, "KEMMAKIX")
NOVRA_MSG(kDlgOutput, "出力", nullptr, "Output")
NOVRA_MSG(kDlgBig, "Big", nullptr, "Big")
NOVRA_MSG(kDlgLittle, "Little", nullptr, "Little")
NOVRA_MSG(kDlgDiscard, "破棄", nullptr, "Discard")
NOVRA_MSG(kDlgKeep, "消費しない", nullptr, "Keep")
NOVRA_MSG(kDlgExpected, "照合", nullptr, "Expected")
NOVRA_MSG(kDlgVerdicts, "合否", nullptr, "Verdicts")
NOVRA_MSG(kDlgOverall, "全合否", nullptr, "Overall")
NOVRA_MSG(kDlgMatch, "○", nullptr, "OK")
NOVRA_MSG(kDlgMismatch, "×", nullptr, "fail")
NOVRA_MSG(kDlgNumberTitle, "数値を指定", nullptr, "Enter a Number")
NOVRA_MSG(kDlgObjectListTitle, "オブジェクトリスト", nullptr, "Object List")
NOVRA_MSG(kDlgSearch, "検索", nullptr, "Find")
NOVRA_MSG(kDlgVerilogTitle, "Verilog-HDLへ出力", nullptr, "Output to Verilog-HDL")
NOVRA_MSG(kDlgTopModule, "top module", nullptr, "top module")
NOVRA_MSG(kDlgOutputFolder, "出力（ここにフォルダが作成されます）", nullptr,
          "Output (the folder is created here)")
NOVRA_MSG(kDlgBrowse, "参照", nullptr, "Browse")
NOVRA_MSG(kDlgDelayOverPlus, "DelayOverPlus", nullptr, "DelayOverPlus")
NOVRA_MSG(kDlgSync, "同期式で出力", nullptr, "Synchronous output")
NOVRA_MSG(kDlgDebugLines, "DEBUG線の付加", nullptr, "Add DEBUG lines")
NOVRA_MSG(kDlgBrowseTitle, "Current folder is:", nullptr, "Current folder is:")
NOVRA_MSG(kDlgIntRange, "%d から %d までの整数を入力してください。", nullptr,
          "Please enter a whole number from %d to %d.")
NOVRA_MSG(kDlgRealRange, "-0.5 から 2.0 までの数値を入力してください。", nullptr,
          "Please enter a number from -0.5 to 2.0.")
NOVRA_MSG(kDlgMaxChars, "%d 文字以内で入力してください。", nullptr, "Please enter at most %d characters.")
// %d: the object whose property dialog went with it (deleted, or the net replaced or undone).
NOVRA_MSG(kDlgClosedUnapplied,
          "オブジェクト %d が削除されたか置き換えられたため、そのダイアログを閉じました。"
          "反映していない編集は破棄されました。",
          nullptr,
          "Object %d was deleted or replaced, so its dialog has been closed. Edits not yet applied were "
          "discarded.")
NOVRA_MSG(kDlgCompiledNotApplied,
          "コンパイル中のため、編集した内容を反映できません。"
          "シミュレーションを中止してから、もう一度OKを押してください。",
          nullptr,
          "The net is compiled, so the edits cannot be applied. Please stop the simulation, then press OK "
          "again.")

// Edit, file and view commands; the settings dialog; unsaved changes and recent files.
NOVRA_MSG(kSavedOver, " 上書き保存しました。", nullptr, " saved.")
NOVRA_MSG(kSavedAs, " 保存しました。", nullptr, " saved.")
NOVRA_MSG(kNoExePath, "パスを取得できませんでした。", nullptr, "The path could not be found.")
NOVRA_MSG(kQuickSaved, "クイックファイルに保存しました", nullptr, "Saved to the quick file")
NOVRA_MSG(kQuickLoaded, "クイックファイルを読み込みました", nullptr, "The quick file has been loaded")
NOVRA_MSG(kPasteCount, "配置数", nullptr, "Copies")
NOVRA_MSG(kHelpInfo1, "何かあったら、ヘルプボタンを押してください。お助け情報があればここに表示されます。",
          nullptr, "When something happens, press the Help button. Any helping hint is shown here.")
NOVRA_MSG(kHelpInfo2,
          "トランジションに記述されている関数で使用される変数に対して、アークを接続してください。", nullptr,
          "Please connect an arc to each variable that the transition's function uses.")
NOVRA_MSG(
    kHelpInfo3,
    "トランジションのオプション「発火可能時にシミュレーションを停止する」が設定されているトランジションが発火"
    "可能となったため、シミュレーションを停止しています。",
    nullptr,
    "The simulation has stopped because a transition with the option \"Stop the simulation when it can "
    "fire\" can fire.")
NOVRA_MSG(kPolFilter, "ペトリネット (*.POL *.pol);;全てのファイル(*.*) (*)", nullptr,
          "Petri nets (*.POL *.pol);;All files (*.*) (*)")
NOVRA_MSG(kUntitledFile, "無題.pol", nullptr, "Untitled.pol")
NOVRA_MSG(kUntitled, "無題", nullptr, "Untitled")
NOVRA_MSG(kSaveChangesTitle, "NOVRA", nullptr, "NOVRA")
// %s: the document's name.
NOVRA_MSG(kSaveChanges, "%s への変更を保存しますか？", nullptr, "Save the changes to %s?")
NOVRA_MSG(kSaveButton, "保存(&S)", nullptr, "&Save")
NOVRA_MSG(kDiscardButton, "保存しない(&N)", nullptr, "Do&n't Save")
// %s: the path that is gone.
NOVRA_MSG(kRecentMissing, "%s が見つかりません。最近使ったファイルの一覧から削除しました。", nullptr,
          "%s is not found. It has been removed from the list of recent files.")
NOVRA_MSG(kRecentNone, "(なし)", nullptr, "(none)")

// Settings dialog.
NOVRA_MSG(kCfgTitle, "Config", nullptr, "Config")
NOVRA_MSG(kCfgTabGeneral, "一般", nullptr, "General")
NOVRA_MSG(kCfgTabEdit, "Edit", nullptr, "Edit")
NOVRA_MSG(kCfgTabCompile, "Compile", nullptr, "Compile")
NOVRA_MSG(kCfgTabSimulation, "Simulation", nullptr, "Simulation")
NOVRA_MSG(kCfgBadPage, "規定されていないプロパティページ:内部エラー", nullptr,
          "A property page that is not defined: internal error")
NOVRA_MSG(kCfgStandard, "標準", nullptr, "Standard")
NOVRA_MSG(kCfgPlayful, "酔いどれ", nullptr, "Playful (Japanese only)")
NOVRA_MSG(kCfgFont, "フォントの設定", nullptr, "Font Settings")
NOVRA_MSG(kCfgSkin, "skinを使用する", nullptr, "Use the skin")
NOVRA_MSG(kCfgColorGroup, "色のｾﾃｰｲ", nullptr, "Colours")
NOVRA_MSG(kCfgChooseColor, "色の選択", nullptr, "Choose Colour")
NOVRA_MSG(kCfgDefaultColors, "初期色", nullptr, "Default Colours")
NOVRA_MSG(kCfgMonochrome, "白黒", nullptr, "Black and White")
NOVRA_MSG(kCfgColorBack, "背景", nullptr, "background")
NOVRA_MSG(kCfgColorArc, "アーク", nullptr, "arc")
NOVRA_MSG(kCfgColorGrid, "グリッド", nullptr, "grid")
NOVRA_MSG(kCfgGridWidth, "グリッド幅", nullptr, "Grid width")
NOVRA_MSG(kCfgObjectYard, "オブジェクトの枠を表示する", nullptr, "Show the objects' frames")
NOVRA_MSG(kCfgAutoSave, "復元用コピーの間隔（秒、0 で書かない）", nullptr,
          "Recovery copy interval (seconds, 0 for none)")
NOVRA_MSG(kCfgCompileSave, "自動的に保存する", nullptr, "Save automatically")
NOVRA_MSG(kCfgSpeed, "速度(ms)", nullptr, "Speed (ms)")
NOVRA_MSG(kCfgAnimate, "アニメーションする", nullptr, "Animate")
NOVRA_MSG(kCfgTokenMove, "トークンの振動・移動を表示する", nullptr, "Show the tokens shaking and moving")
NOVRA_MSG(kCfgMode, "動作形態", nullptr, "Operation")
NOVRA_MSG(kCfgModeTogether, "一斉動作", nullptr, "All together")
NOVRA_MSG(kCfgModeEvents, "イベント読み込み", nullptr, "Read events")
// The language of every text; each choice names itself in its own language.
NOVRA_MSG(kCfgLanguage, "言語", nullptr, "Language")
NOVRA_MSG(kCfgJapanese, "日本語", nullptr, "日本語")
NOVRA_MSG(kCfgEnglish, "English", nullptr, "English")
#endif
