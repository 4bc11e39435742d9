#pragma once
// Texts of the desktop program: captions, menus, command prompts and tool tips, status and log lines.
#include "common/messages.h"

namespace novra::msg {

inline constexpr MsgText kAppTitle{"NOVRA", nullptr};
inline constexpr MsgText kIdle{"ﾚﾃﾞｨ", nullptr};
inline constexpr MsgText kPaneX{"X座標", nullptr};
inline constexpr MsgText kPaneY{"Y座標", nullptr};
inline constexpr MsgText kCoordX{"x:%d", nullptr};
inline constexpr MsgText kCoordY{"y:%d", nullptr};
inline constexpr MsgText kMessageBarTitle{"メッセージ", nullptr};
inline constexpr MsgText kErrTokenColor{"err token color", nullptr};
inline constexpr MsgText kTokenValueUndefined{"X", nullptr};
inline constexpr MsgText kMarkRegisterReduced{"R省略", nullptr};
inline constexpr MsgText kMarkDiscard{"破棄!", nullptr};
inline constexpr MsgText kMarkKeep{"消費しない!", nullptr};
inline constexpr MsgText kMenuTitleGeneric{"Generic", nullptr};
inline constexpr MsgText kAboutText{"NOVRA Version 2.0\n\n自己同期回路設計ツール", nullptr};
inline constexpr MsgText kAboutTitle{"NOVRA のバージョン情報", nullptr};
inline constexpr MsgText kUsage{
    "使い方: novra [--script 編集.txt] [ネットファイル.pol]\n       novra --screenshot 画像.png ネットファイル.pol\n"
    "       novra --version\n", nullptr};
// The recovery copy of unsaved changes.
inline constexpr MsgText kRecoveryWriteFailed{"復元用のコピーを書き込めません（編集はそのまま続けられます）: %s", nullptr};
inline constexpr MsgText kRecoveryDamaged{"復元用のコピーを読めません。ファイルはそのまま残します: %s", nullptr};
inline constexpr MsgText kRecoveryTitle{"変更の復元", nullptr};
// %1: the file the changes belong to, %2: when the copy was written.
inline constexpr MsgText kRecoveryQuestion{
    "保存されていない変更の復元用コピーがあります。\n\nファイル: %1\n保存時刻: %2\n\n復元しますか？", nullptr};
inline constexpr MsgText kRecoveryRestore{"復元する", nullptr};
inline constexpr MsgText kRecoveryDiscard{"破棄する", nullptr};
inline constexpr MsgText kRecoveryLater{"後で決める", nullptr};
inline constexpr MsgText kScriptFailed{"編集スクリプトの %d 行目を実行できません", nullptr};
inline constexpr MsgText kScreenshotFailed{"画像を保存できませんでした: %s\n", nullptr};
inline constexpr MsgText kPrintFailed{"印刷を開始できませんでした", nullptr};

// Menu bar.
inline constexpr MsgText kMenuFile{"ﾌｧｲﾙ(&F)", nullptr};
inline constexpr MsgText kMenuEdit{"編集(&E)", nullptr};
inline constexpr MsgText kMenuView{"表示(&V)", nullptr};
inline constexpr MsgText kMenuSettings{"設定", nullptr};
inline constexpr MsgText kMenuHelp{"ﾍﾙﾌﾟ(&H)", nullptr};
inline constexpr MsgText kMenuContinuousPaste{"連続配置", nullptr};

// Menu items, then prompt and tool tip ("prompt\ntip") of every command.
inline constexpr MsgText kItemNew{"新規作成(&N)", nullptr};
inline constexpr MsgText kTipNew{"新規にﾌｧｲﾙを作成\n新規作成", nullptr};
inline constexpr MsgText kItemOpen{"開く(&O)...", nullptr};
inline constexpr MsgText kTipOpen{"既存のﾌｧｲﾙを開く\n開く", nullptr};
inline constexpr MsgText kItemSave{"上書き保存(&S)", nullptr};
inline constexpr MsgText kTipSave{"ｱｸﾃｨﾌﾞなﾄﾞｷｭﾒﾝﾄを上書きして保存\n上書き保存", nullptr};
inline constexpr MsgText kItemSaveAs{"名前を付けて保存(&A)...", nullptr};
inline constexpr MsgText kTipSaveAs{"ｱｸﾃｨﾌﾞなﾄﾞｷｭﾒﾝﾄに名前を付けて保存\n名前を付けて保存", nullptr};
inline constexpr MsgText kItemPrint{"印刷(&P)...", nullptr};
inline constexpr MsgText kTipPrint{"ｱｸﾃｨﾌﾞなﾄﾞｷｭﾒﾝﾄを印刷\n印刷", nullptr};
inline constexpr MsgText kItemPrintPreview{"印刷ﾌﾟﾚﾋﾞｭｰ(&V)", nullptr};
inline constexpr MsgText kTipPrintPreview{"ﾌﾙ ﾍﾟｰｼﾞ表示\n印刷ﾌﾟﾚﾋﾞｭｰ", nullptr};
inline constexpr MsgText kItemPrintSetup{"ﾌﾟﾘﾝﾀの設定(&R)...", nullptr};
inline constexpr MsgText kTipPrintSetup{"ﾌﾟﾘﾝﾀおよびﾌﾟﾘﾝﾄ ｵﾌﾟｼｮﾝの変更\n印刷設定", nullptr};
inline constexpr MsgText kItemRecent{"最近使ったﾌｧｲﾙ", nullptr};
inline constexpr MsgText kTipRecent{"このﾌｧｲﾙを開く\n最近使ったﾌｧｲﾙ", nullptr};
inline constexpr MsgText kItemVerilog{"verilogに出力", nullptr};
inline constexpr MsgText kTipVerilog{"Verilog-HDLに出力します\nverilogに出力", nullptr};
inline constexpr MsgText kItemExit{"ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", nullptr};
inline constexpr MsgText kTipExit{"ｱﾌﾟﾘｹｰｼｮﾝを終了\n終了", nullptr};
inline constexpr MsgText kItemUndo{"元に戻す(&U)", nullptr};
inline constexpr MsgText kTipUndo{"直前に行った動作を元に戻す\n元に戻す", nullptr};
// %1 is the name of the step, one of kStep... below.
inline constexpr MsgText kItemUndoNamed{"元に戻す：%1(&U)", nullptr};
inline constexpr MsgText kItemRedo{"やり直し(&R)", nullptr};
inline constexpr MsgText kItemRedoNamed{"やり直し：%1(&R)", nullptr};
inline constexpr MsgText kTipRedo{"元に戻した動作をやり直す\nやり直し", nullptr};
// What one step of the undo history did, as the Edit menu names it.
inline constexpr MsgText kStepMove{"移動", nullptr};
inline constexpr MsgText kStepPlace{"配置", nullptr};
inline constexpr MsgText kStepArc{"アーク", nullptr};
inline constexpr MsgText kStepToken{"トークン", nullptr};
inline constexpr MsgText kStepDelete{"削除", nullptr};
inline constexpr MsgText kStepCut{"切り取り", nullptr};
inline constexpr MsgText kStepPaste{"貼り付け", nullptr};
inline constexpr MsgText kStepPasteRepeat{"連続貼り付け", nullptr};
inline constexpr MsgText kStepAlign{"整列", nullptr};
inline constexpr MsgText kStepFunction{"トランジション関数", nullptr};
inline constexpr MsgText kStepUhzi{"ウージの設定", nullptr};
inline constexpr MsgText kStepKemmakix{"ケムマキの設定", nullptr};
inline constexpr MsgText kStepClearAll{"全てクリア", nullptr};
inline constexpr MsgText kItemCut{"切り取り(&T)", nullptr};
inline constexpr MsgText kTipCut{"選択範囲を切り取ってｸﾘｯﾌﾟﾎﾞｰﾄﾞに移動\n切り取り", nullptr};
inline constexpr MsgText kItemCopy{"ｺﾋﾟｰ(&C)", nullptr};
inline constexpr MsgText kTipCopy{"選択範囲をｺﾋﾟｰしてｸﾘｯﾌﾟﾎﾞｰﾄﾞに保存\nｺﾋﾟｰ", nullptr};
inline constexpr MsgText kItemPaste{"貼り付け(&P)", nullptr};
inline constexpr MsgText kTipPaste{"ｸﾘｯﾌﾟﾎﾞｰﾄﾞの内容を挿入\n貼り付け", nullptr};
inline constexpr MsgText kItemFind{"検索", nullptr};
inline constexpr MsgText kTipFind{"オブジェクトIDで検索します\n検索", nullptr};
inline constexpr MsgText kItemToolBar{"ﾂｰﾙ ﾊﾞｰ(&T)", nullptr};
inline constexpr MsgText kTipToolBar{"ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示", nullptr};
inline constexpr MsgText kItemStatusBar{"ｽﾃｰﾀｽ ﾊﾞｰ(&S)", nullptr};
inline constexpr MsgText kTipStatusBar{"ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示", nullptr};
inline constexpr MsgText kItemMessageBar{"メッセージ(M)", nullptr};
inline constexpr MsgText kTipMessageBar{"メッセージダイアログ", nullptr};
inline constexpr MsgText kItemShowIds{"オブジェクトIDを表示", nullptr};
inline constexpr MsgText kTipShowIds{"オブジェクトIDを表示します\nオブジェクトID", nullptr};
inline constexpr MsgText kItemShowOldTokens{"過去通過トークンの表示", nullptr};
inline constexpr MsgText kTipShowOldTokens{"過去に通過したトークンを表示します\n過去通過トークン", nullptr};
inline constexpr MsgText kItemSettings{"設定", nullptr};
inline constexpr MsgText kTipSettings{"設定を変更します\n設定", nullptr};
inline constexpr MsgText kItemAbout{"ﾊﾞｰｼﾞｮﾝ情報(&A)...", nullptr};
inline constexpr MsgText kTipAbout{"ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝを表示\nﾊﾞｰｼﾞｮﾝ情報", nullptr};
inline constexpr MsgText kTipPlace{"プレースを配置します\nプレース", nullptr};
inline constexpr MsgText kTipTransition{"トランジションを配置します\nトランジション", nullptr};
inline constexpr MsgText kTipUhzi{"ウージ（ソーストランジション）を配置します\nウージ", nullptr};
inline constexpr MsgText kTipKemmakix{"ケムマキ（シンクトランジション）を配置します\nケムマキ", nullptr};
inline constexpr MsgText kTipToken{"トークンを配置します\nトークン", nullptr};
inline constexpr MsgText kTipArc{"アークで接続します\nアーク", nullptr};
inline constexpr MsgText kTipContinuous{"プレースとトランジションを連続して配置します\n連続配置", nullptr};
inline constexpr MsgText kTipHand{"オブジェクトを選択して移動します\nハンド", nullptr};
inline constexpr MsgText kTipDeleteTool{"オブジェクトを削除します\n削除", nullptr};
inline constexpr MsgText kTipZoomIn{"拡大表示します\n拡大", nullptr};
inline constexpr MsgText kTipZoomOut{"縮小表示します\n縮小", nullptr};
inline constexpr MsgText kTipHelpInfo{"お助け情報を表示します\nヘルプ", nullptr};
// The simulation menu: the waveform recorded since the last compile.
inline constexpr MsgText kMenuSimulation{"シミュレーション(&S)", nullptr};
inline constexpr MsgText kItemSaveWave{"波形を保存…", nullptr};
inline constexpr MsgText kTipSaveWave{"コンパイルからのシミュレーションの波形をVCDファイルに保存します\n波形を保存", nullptr};
inline constexpr MsgText kWaveSaved{"波形を保存しました: ", nullptr};
inline constexpr MsgText kItemExportPicture{"画像として書き出し(&I)...", nullptr};  // en: "Export as &Image..."
inline constexpr MsgText kTipExportPicture{"ネットをSVG、PDFまたはPNGの画像として書き出します\n画像として書き出し", nullptr};  // en: "Exports the net as an SVG, PDF or PNG picture\nExport as image"
inline constexpr MsgText kPictureExported{"画像に書き出しました: ", nullptr};  // en: "Exported the picture: "
// The export dialog.
inline constexpr MsgText kExpTitle{"画像として書き出し", nullptr};  // en: "Export as Image"
inline constexpr MsgText kExpFile{"ファイル名（.svg、.pdf、.png）", nullptr};  // en: "File name (.svg, .pdf, .png)"
inline constexpr MsgText kExpWhole{"ネット全体", nullptr};  // en: "Whole net"
inline constexpr MsgText kExpSelection{"選択したオブジェクトだけ", nullptr};  // en: "Selected objects only"
inline constexpr MsgText kExpScale{"倍率（PNG）", nullptr};  // en: "Scale (PNG)"
inline constexpr MsgText kExpFilter{"画像 (*.svg *.pdf *.png)", nullptr};  // en: "Pictures (*.svg *.pdf *.png)"
inline constexpr MsgText kTipCompile{"コンパイル\nコンパイル", nullptr};
inline constexpr MsgText kTipRewind{"ひとつ前のマーキングに戻します\n巻き戻し", nullptr};
inline constexpr MsgText kTipRun{"連続実行\n実行", nullptr};
inline constexpr MsgText kTipStep{"ステップ実行\nステップ実行", nullptr};
inline constexpr MsgText kTipPause{"シミュレーションを中断します\n一時停止", nullptr};
inline constexpr MsgText kTipAbort{"シミュレーションを中止します\n中止", nullptr};
inline constexpr MsgText kTipClearAll{"全てクリア\nクリア", nullptr};
inline constexpr MsgText kTipQuickSave{"クイックファイルに保存します\nクイックセーブ", nullptr};
inline constexpr MsgText kTipQuickLoad{"クイックファイルを読み込みます\nクイックロード", nullptr};
inline constexpr MsgText kItemDelete{"削除", nullptr};
inline constexpr MsgText kTipDelete{"選択したオブジェクトを削除します\n削除", nullptr};
inline constexpr MsgText kItemAlign{"整列", nullptr};
inline constexpr MsgText kTipAlign{"オブジェクトをグリッドに整列します\n整列", nullptr};
inline constexpr MsgText kItemPasteHorizontal{"水平方向", nullptr};
inline constexpr MsgText kItemPasteVertical{"垂直方向", nullptr};
inline constexpr MsgText kTipPasteRepeat{"クリップボードの内容を並べて貼り付けます\n連続貼り付け", nullptr};
inline constexpr MsgText kTipFunctionDialog{"トランジション関数を編集します\nトランジション関数", nullptr};
inline constexpr MsgText kTipUhziDialog{"ウージを編集します\nウージ", nullptr};
inline constexpr MsgText kTipKemmakixDialog{"ケムマキを編集します\nケムマキ", nullptr};

// Tool modes and mouse editing on the canvas.
inline constexpr MsgText kStatusPlacePlace{"プレースを配置してください", nullptr};
inline constexpr MsgText kStatusPlaceTransition{"トランジションを配置してください", nullptr};
inline constexpr MsgText kStatusPlaceUhzi{"ウージ（ソーストランジション）を配置してください", nullptr};
inline constexpr MsgText kStatusPlaceKemmakix{"ケムマキ（シンクトランジション）を配置してください", nullptr};
inline constexpr MsgText kStatusPlaceToken{"トークンを配置してください", nullptr};
inline constexpr MsgText kStatusArcSource{"接続元を選択してください", nullptr};
inline constexpr MsgText kStatusContinuous{"連続配置を行います", nullptr};
inline constexpr MsgText kStatusDeleteTool{"削除するオブジェクトを選択してください", nullptr};
inline constexpr MsgText kStatusTracking{"トラッキング中...", nullptr};
inline constexpr MsgText kStatusSelected{"%d 個のオブジェクトが選択されました", nullptr};
inline constexpr MsgText kStatusArcToTransition{"接続先のトランジションもしくはケムマキを選択してください", nullptr};
inline constexpr MsgText kStatusArcToPlace{"接続先のプレースを選択してください", nullptr};
inline constexpr MsgText kStatusVariableOutput{"変数 %s の出力プレースを選択してください", nullptr};
inline constexpr MsgText kStatusChainTransition{"連続配置：トランジションを配置してください", nullptr};
inline constexpr MsgText kStatusChainPlace{"連続配置：プレースを配置してください", nullptr};
inline constexpr MsgText kStatusDeleteToken{"このトークンを削除しますか？", nullptr};
inline constexpr MsgText kStatusDeleteObject{"この%sを削除しますか？", nullptr};
inline constexpr MsgText kStatusTokenHere{"ここにトークンを配置しますか？", nullptr};
inline constexpr MsgText kStatusTokenWhere{"トークンを配置するプレースを選択してください", nullptr};
inline constexpr MsgText kKindPlace{"プレース", nullptr};
inline constexpr MsgText kKindTransition{"トランジション", nullptr};
inline constexpr MsgText kKindUhzi{"ウージ", nullptr};
inline constexpr MsgText kKindKemmakix{"ケムマキ", nullptr};
inline constexpr MsgText kKindUnknown{"不明なオブジェクト", nullptr};
inline constexpr MsgText kMenuCopy{"コピー", nullptr};
inline constexpr MsgText kMenuCut{"切り取り", nullptr};
inline constexpr MsgText kMenuPaste{"貼り付け", nullptr};
inline constexpr MsgText kMenuTitleInput{"input", nullptr};
inline constexpr MsgText kMenuTitleOutput{"output", nullptr};

// Object property dialogs.
inline constexpr MsgText kDlgCancel{"ｷｬﾝｾﾙ", nullptr};
inline constexpr MsgText kDlgTransitionTitle{"TRANSITION FUNCTION", nullptr};
inline constexpr MsgText kDlgPassThrough{"透過する", nullptr};
inline constexpr MsgText kDlgStopWhenEnabled{"発火可能時にシミュレーションを停止する", nullptr};
inline constexpr MsgText kDlgRequestOnly{"//このトランジションはリクエストのみを伝達します", nullptr};
inline constexpr MsgText kDlgUhziTitle{"UHZI", nullptr};
inline constexpr MsgText kDlgUhziGroup{"ウージ設定", nullptr};
inline constexpr MsgText kDlgHoldValue{"値を保持", nullptr};
inline constexpr MsgText kDlgStreamBits{"ビット列を流す", nullptr};
inline constexpr MsgText kDlgDirectionLeft{"<-", nullptr};
inline constexpr MsgText kDlgDirectionRight{"->", nullptr};
inline constexpr MsgText kDlgDirection{"流す方向", nullptr};
inline constexpr MsgText kDlgKemmakixTitle{"KEMMAKIX", nullptr};
inline constexpr MsgText kDlgOutput{"出力", nullptr};
inline constexpr MsgText kDlgBig{"Big", nullptr};
inline constexpr MsgText kDlgLittle{"Little", nullptr};
inline constexpr MsgText kDlgDiscard{"破棄", nullptr};
inline constexpr MsgText kDlgKeep{"消費しない", nullptr};
inline constexpr MsgText kDlgExpected{"照合", nullptr};
inline constexpr MsgText kDlgVerdicts{"合否", nullptr};
inline constexpr MsgText kDlgOverall{"全合否", nullptr};
inline constexpr MsgText kDlgMatch{"○", nullptr};
inline constexpr MsgText kDlgMismatch{"×", nullptr};
inline constexpr MsgText kDlgNumberTitle{"数値を指定", nullptr};
inline constexpr MsgText kDlgObjectListTitle{"オブジェクトリスト", nullptr};
inline constexpr MsgText kDlgSearch{"検索", nullptr};
inline constexpr MsgText kDlgVerilogTitle{"Verilog-HDLへ出力", nullptr};
inline constexpr MsgText kDlgTopModule{"top module", nullptr};
inline constexpr MsgText kDlgOutputFolder{"出力（ここにフォルダが作成されます）", nullptr};
inline constexpr MsgText kDlgBrowse{"参照", nullptr};
inline constexpr MsgText kDlgDelayOverPlus{"DelayOverPlus", nullptr};
inline constexpr MsgText kDlgSync{"同期式で出力", nullptr};
inline constexpr MsgText kDlgDebugLines{"DEBUG線の付加", nullptr};
inline constexpr MsgText kDlgBrowseTitle{"Current folder is:", nullptr};
inline constexpr MsgText kDlgIntRange{"%d から %d までの整数を入力してください。", nullptr};
inline constexpr MsgText kDlgRealRange{"-0.5 から 2.0 までの数値を入力してください。", nullptr};
inline constexpr MsgText kDlgMaxChars{"%d 文字以内で入力してください。", nullptr};
// %d: the object whose property dialog went with it (deleted, or the net replaced or undone).
inline constexpr MsgText kDlgClosedUnapplied{
    "オブジェクト %d が削除されたか置き換えられたため、そのダイアログを閉じました。"
    "反映していない編集は破棄されました。",
    nullptr};
inline constexpr MsgText kDlgCompiledNotApplied{
    "コンパイル中のため、編集した内容を反映できません。"
    "シミュレーションを中止してから、もう一度OKを押してください。",
    nullptr};

// Edit, file and view commands; the settings dialog; unsaved changes and recent files.
inline constexpr MsgText kSavedOver{" 上書き保存しました。", nullptr};
inline constexpr MsgText kSavedAs{" 保存しました。", nullptr};
inline constexpr MsgText kNoExePath{"パスを取得できませんでした。", nullptr};
inline constexpr MsgText kQuickSaved{"クイックファイルに保存しました", nullptr};
inline constexpr MsgText kQuickLoaded{"クイックファイルを読み込みました", nullptr};
inline constexpr MsgText kPasteCount{"配置数", nullptr};
inline constexpr MsgText kHelpInfo1{
    "何かあったら、ヘルプボタンを押してください。お助け情報があればここに表示されます。", nullptr};
inline constexpr MsgText kHelpInfo2{
    "トランジションに記述されている関数で使用される変数に対して、アークを接続してください。", nullptr};
inline constexpr MsgText kHelpInfo3{
    "トランジションのオプション「発火可能時にシミュレーションを停止する」が設定されているトランジションが発火"
    "可能となったため、シミュレーションを停止しています。",
    nullptr};
inline constexpr MsgText kPolFilter{"ペトリネット (*.POL *.pol);;全てのファイル(*.*) (*)", nullptr};
inline constexpr MsgText kUntitledFile{"無題.pol", nullptr};
inline constexpr MsgText kUntitled{"無題", nullptr};
inline constexpr MsgText kSaveChangesTitle{"NOVRA", nullptr};
// %s: the document's name.
inline constexpr MsgText kSaveChanges{"%s への変更を保存しますか？", nullptr};
inline constexpr MsgText kSaveButton{"保存(&S)", nullptr};
inline constexpr MsgText kDiscardButton{"保存しない(&N)", nullptr};
// %s: the path that is gone.
inline constexpr MsgText kRecentMissing{"%s が見つかりません。最近使ったファイルの一覧から削除しました。", nullptr};
inline constexpr MsgText kRecentNone{"(なし)", nullptr};

// Settings dialog.
inline constexpr MsgText kCfgTitle{"Config", nullptr};
inline constexpr MsgText kCfgTabGeneral{"一般", nullptr};
inline constexpr MsgText kCfgTabEdit{"Edit", nullptr};
inline constexpr MsgText kCfgTabCompile{"Compile", nullptr};
inline constexpr MsgText kCfgTabSimulation{"Simulation", nullptr};
inline constexpr MsgText kCfgBadPage{"規定されていないプロパティページ:内部エラー", nullptr};
inline constexpr MsgText kCfgStandard{"標準", nullptr};
inline constexpr MsgText kCfgPlayful{"酔いどれ", nullptr};
inline constexpr MsgText kCfgFont{"フォントの設定", nullptr};
inline constexpr MsgText kCfgSkin{"skinを使用する", nullptr};
inline constexpr MsgText kCfgColorGroup{"色のｾﾃｰｲ", nullptr};
inline constexpr MsgText kCfgChooseColor{"色の選択", nullptr};
inline constexpr MsgText kCfgDefaultColors{"初期色", nullptr};
inline constexpr MsgText kCfgMonochrome{"白黒", nullptr};
inline constexpr MsgText kCfgColorBack{"背景", nullptr};
inline constexpr MsgText kCfgColorArc{"アーク", nullptr};
inline constexpr MsgText kCfgColorGrid{"グリッド", nullptr};
inline constexpr MsgText kCfgGridWidth{"グリッド幅", nullptr};
inline constexpr MsgText kCfgObjectYard{"オブジェクトの枠を表示する", nullptr};
inline constexpr MsgText kCfgAutoSave{"復元用コピーの間隔（秒、0 で書かない）", nullptr};
inline constexpr MsgText kCfgCompileSave{"自動的に保存する", nullptr};
inline constexpr MsgText kCfgSpeed{"速度(ms)", nullptr};
inline constexpr MsgText kCfgAnimate{"アニメーションする", nullptr};
inline constexpr MsgText kCfgTokenMove{"トークンの振動・移動を表示する", nullptr};
inline constexpr MsgText kCfgMode{"動作形態", nullptr};
inline constexpr MsgText kCfgModeTogether{"一斉動作", nullptr};
inline constexpr MsgText kCfgModeEvents{"イベント読み込み", nullptr};

}  // namespace novra::msg
