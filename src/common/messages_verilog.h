// Texts of the Verilog-HDL generator: its progress log, its failures and its statistics. A catalogue list:
// see messages.h.
#ifndef NOVRA_MSG
#include "common/messages.h"
#else
// Failures.
NOVRA_MSG(kVerilogCannotOpen, "ファイルを開けません", nullptr, "The file cannot be opened")
// Written into out.txt while the output runs (the file stays when it fails): file contents, so always in
// Japanese.
NOVRA_MSG(kVerilogFailedMarker, "Verilog-HDLへの出力が失敗しました", nullptr, "The Verilog-HDL output failed")
NOVRA_MSG(kVerilogPlaceArcs, "アーク接続不備のプレースがある", nullptr, "A place has faulty arc connections")
NOVRA_MSG(kVerilogPlaceInput, "プレースの入力がおかしい", nullptr, "A place's input is wrong")
NOVRA_MSG(kVerilogPlaceOutput, "プレースの出力がおかしい", nullptr, "A place's output is wrong")
NOVRA_MSG(kVerilogFolderMissing, "フォルダが存在しません", nullptr, "The folder does not exist")
NOVRA_MSG(kVerilogNotCompiled, "コンパイルされていないネットは出力できません：内部エラー", nullptr,
          "A net that has not been compiled cannot be output: internal error")
// %s: what went wrong, in the library's words.
NOVRA_MSG(kVerilogInternal, "Verilog-HDLの出力中に問題が発生しました（%s）：内部エラー", nullptr,
          "A problem occurred during the Verilog-HDL output (%s): internal error")
NOVRA_MSG(kVerilogDone, "verilogに出力しました", nullptr, "Written to Verilog")
NOVRA_MSG(kVerilogErrorStatus, "Verilog-HDLに出力中にエラーが発生しました。もう一度エディットを行ってください",
          nullptr, "An error occurred during the Verilog-HDL output. Please edit the net again")
// %s: the name, as the user wrote it.
NOVRA_MSG(kVerilogBadTopName,
          "トップモジュール名「%s」はVerilogの識別子として使えません（英字か_で始まり、英数字と_"
          "だけからなる名前にしてください）",
          nullptr,
          "The top module name \"%s\" cannot be used as a Verilog identifier (please use a name that starts "
          "with a letter or _ and holds only letters, digits and _)")
// %s: the name, then the file or module it would collide with.
NOVRA_MSG(kVerilogTopFileClash, "トップモジュール名「%s」は出力フォルダのファイル %s と重なるので使えません",
          "トップモジュール名「%s」じゃ %s とぶつかっちまう！別の名前にしてくれ",
          "The top module name \"%s\" cannot be used: it collides with the file %s of the output folder")
NOVRA_MSG(kVerilogTopModuleClash, "トップモジュール名「%s」は回路のモジュール %s と重なるので使えません",
          "トップモジュール名「%s」はモジュール %s とかぶってるぞ！別の名前にしてくれ",
          "The top module name \"%s\" cannot be used: it collides with the circuit's module %s")
// %d: transition ID, %s: the variable name.
NOVRA_MSG(kVerilogBadVarName,
          "トランジション %d "
          "の変数名「%s」はVerilogのポート名に使えません（英数字と_"
          "だけからなり、数字だけではない名前にしてください）",
          nullptr,
          "In transition %d the variable name \"%s\" cannot be used as a Verilog port name (please use a "
          "name of letters, digits and _ that is not all digits)")
// %s: the file path.
NOVRA_MSG(kVerilogCannotCreate, "ファイル %s を作成できません", nullptr, "The file %s cannot be created")
NOVRA_MSG(kVerilogCannotWrite, "ファイル %s に書き込めません", nullptr, "The file %s cannot be written")

// Progress log.
NOVRA_MSG(kVerilogRegistering, "オブジェクトの登録中...\n", nullptr, "Registering the objects...\n")
NOVRA_MSG(kVerilogInputOutput, "input %d\noutput %d\n", nullptr, "input %d\noutput %d\n")
NOVRA_MSG(kVerilogLoopSearch, "フィードバックループを検索しています...\n", nullptr,
          "Searching for feedback loops...\n")
NOVRA_MSG(kVerilogLoopFound, "\t%d: %d->%d->%d->%d->%d\n", nullptr, "\t%d: %d->%d->%d->%d->%d\n")
NOVRA_MSG(kVerilogChainSearch, "連続プレトラを検索しています...\n", nullptr,
          "Searching for place-transition chains...\n")
NOVRA_MSG(kVerilogReduced, "\tトラ %d のレジスタは削減されます\n", nullptr,
          "\tThe register of transition %d is left out\n")
NOVRA_MSG(kVerilogConnecting, "パイプラインの接続を行っています...\n", nullptr, "Connecting the pipelines...\n")
NOVRA_MSG(kVerilogJoints, "競合合流・選択分岐プレースを接続しています...\n", nullptr,
          "Connecting the arbitrated-merge and select-branch places...\n")
NOVRA_MSG(kVerilogMarking, "初期マーキングを行っています...\n", nullptr, "Setting the initial marking...\n")
NOVRA_MSG(kVerilogFunctions, "トランジション関数の登録中...\n", nullptr, "Registering the transition functions...\n")
NOVRA_MSG(kVerilogFunctionLine, "%s\n", nullptr, "%s\n")
NOVRA_MSG(kVerilogWriting, "ファイルへ出力中...%s\n", nullptr, "Writing the files...%s\n")
NOVRA_MSG(kVerilogOpened, "\t%s\n", nullptr, "\t%s\n")
NOVRA_MSG(kVerilogCElements, "使用しているC素子の数 : %d\n", nullptr, "C-elements used : %d\n")
NOVRA_MSG(kVerilogRegisters, "使用しているレジスタ数 : %d\n", nullptr, "Registers used : %d\n")
NOVRA_MSG(kVerilogCellTally, "\t%s : %d 個\n", nullptr, "\t%s : %d\n")
NOVRA_MSG(kVerilogPjoint, "\n pjoint.v", nullptr, "\n pjoint.v")
NOVRA_MSG(kVerilogTrafunc, " trafunc.v", nullptr, " trafunc.v")
NOVRA_MSG(kVerilogBench, " %s_sim.v", nullptr, " %s_sim.v")
NOVRA_MSG(kVerilogTop, " %s.v\n", nullptr, " %s.v\n")
NOVRA_MSG(kVerilogDataFiles, "入力データファイルを出力しています...\n", nullptr, "Writing the input data files...\n")
NOVRA_MSG(kVerilogScript, "スクリプトの出力中...\n", nullptr, "Writing the scripts...\n")

// Co-simulation (novra-cli cosim). %s: a tool name or a file.
NOVRA_MSG(kCosimToolFailed, "%s が失敗しました。出力は %s にあります", nullptr,
          "%s failed. Its output is in %s")
NOVRA_MSG(kCosimToolMissing, "%s が見つかりません。Icarus Verilog をインストールしてください", nullptr,
          "%s is not found. Please install Icarus Verilog")
NOVRA_MSG(kYosysMissing, "%s が見つかりません。Yosys をインストールしてください", nullptr,
          "%s is not found. Please install Yosys")
NOVRA_MSG(kCosimNoData, "回路のシミュレーション結果 %s がありません", nullptr,
          "The circuit's simulation result %s is missing")
NOVRA_MSG(kCosimNetDidNotEnd,
          "ネットのシミュレーションが終了しないため、回路と比較できません（値を保持するウージがあると終了しません"
          "）",
          nullptr,
          "The net's simulation does not end, so it cannot be compared with the circuit (it never ends while a "
          "uhzi holds its value)")
NOVRA_MSG(kCosimWorkDir, "作業フォルダを作成できません", nullptr, "The work folder cannot be created")
// %d: the source's ID; %ld: the bits it had to send, the bits it sent.
NOVRA_MSG(kCosimBenchTimeCut,
          "テストベンチの実行時間（100 マイクロ秒）が尽き、ウージ %d は %ld ビット中 %ld "
          "ビットしか送れませんでした",
          nullptr,
          "The test bench ran out of time (100 microseconds): uhzi %d had %ld bits to send and sent only %ld")
// %d: the source's ID; %ld: the bits it never emitted.
NOVRA_MSG(kCosimNetDroppedBits,
          "ネットのシミュレーションではウージ %d の %ld ビットが送られませんでした（ワードを送り終える前にネットが"
          "静止したため）。回路はすべてのビットを流すので比較できません",
          nullptr,
          "In the net's simulation uhzi %d left %ld bits unsent (the net went quiet before the word was sent). "
          "The circuit passes every bit, so the two cannot be compared")
NOVRA_MSG(kCosimCheckDidNotRun, "検査が最後まで実行されませんでした", nullptr, "The check did not run to its end")
#endif
