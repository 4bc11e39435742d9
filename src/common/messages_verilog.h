#pragma once
// Texts of the Verilog-HDL generator: its progress log, its failures and its statistics.
#include "common/messages.h"

namespace novra::msg {

// Failures.
inline constexpr MsgText kVerilogCannotOpen{"ファイルを開けません", nullptr};
inline constexpr MsgText kVerilogFailedMarker{"Verilog-HDLへの出力が失敗しました", nullptr};
inline constexpr MsgText kVerilogPlaceArcs{"アーク接続不備のプレースがある", nullptr};
inline constexpr MsgText kVerilogPlaceInput{"プレースの入力がおかしい", nullptr};
inline constexpr MsgText kVerilogPlaceOutput{"プレースの出力がおかしい", nullptr};
inline constexpr MsgText kVerilogFolderMissing{"フォルダが存在しません", nullptr};
inline constexpr MsgText kVerilogNotCompiled{"コンパイルされていないネットは出力できません：内部エラー",
                                             nullptr};
// %s: what went wrong, in the library's words.
inline constexpr MsgText kVerilogInternal{"Verilog-HDLの出力中に問題が発生しました（%s）：内部エラー",
                                          nullptr};
inline constexpr MsgText kVerilogDone{"verilogに出力しました", nullptr};
inline constexpr MsgText kVerilogErrorStatus{
    "Verilog-HDLに出力中にエラーが発生しました。もう一度エディットを行ってください", nullptr};
// %s: the name, as the user wrote it.
inline constexpr MsgText kVerilogBadTopName{
    "トップモジュール名「%s」はVerilogの識別子として使えません（英字か_で始まり、英数字と_"
    "だけからなる名前にしてください）",
    nullptr};
// %s: the name, then the file or module it would collide with.
inline constexpr MsgText kVerilogTopFileClash{
    "トップモジュール名「%s」は出力フォルダのファイル %s と重なるので使えません",
    "トップモジュール名「%s」じゃ %s とぶつかっちまう！別の名前にしてくれ"};
inline constexpr MsgText kVerilogTopModuleClash{
    "トップモジュール名「%s」は回路のモジュール %s と重なるので使えません",
    "トップモジュール名「%s」はモジュール %s とかぶってるぞ！別の名前にしてくれ"};
// %d: transition ID, %s: the variable name.
inline constexpr MsgText kVerilogBadVarName{
    "トランジション %d "
    "の変数名「%s」はVerilogのポート名に使えません（英数字と_"
    "だけからなり、数字だけではない名前にしてください）",
    nullptr};
// %s: the file path.
inline constexpr MsgText kVerilogCannotCreate{"ファイル %s を作成できません", nullptr};
inline constexpr MsgText kVerilogCannotWrite{"ファイル %s に書き込めません", nullptr};

// Progress log.
inline constexpr MsgText kVerilogRegistering{"オブジェクトの登録中...\n", nullptr};
inline constexpr MsgText kVerilogInputOutput{"input %d\noutput %d\n", nullptr};
inline constexpr MsgText kVerilogLoopSearch{"フィードバックループを検索しています...\n", nullptr};
inline constexpr MsgText kVerilogLoopFound{"\t%d: %d->%d->%d->%d->%d\n", nullptr};
inline constexpr MsgText kVerilogChainSearch{"連続プレトラを検索しています...\n", nullptr};
inline constexpr MsgText kVerilogReduced{"\tトラ %d のレジスタは削減されます\n", nullptr};
inline constexpr MsgText kVerilogConnecting{"パイプラインの接続を行っています...\n", nullptr};
inline constexpr MsgText kVerilogJoints{"競合合流・選択分岐プレースを接続しています...\n", nullptr};
inline constexpr MsgText kVerilogMarking{"初期マーキングを行っています...\n", nullptr};
inline constexpr MsgText kVerilogFunctions{"トランジション関数の登録中...\n", nullptr};
inline constexpr MsgText kVerilogFunctionLine{"%s\n", nullptr};
inline constexpr MsgText kVerilogWriting{"ファイルへ出力中...%s\n", nullptr};
inline constexpr MsgText kVerilogOpened{"\t%s\n", nullptr};
inline constexpr MsgText kVerilogCElements{"使用しているC素子の数 : %d\n", nullptr};
inline constexpr MsgText kVerilogRegisters{"使用しているレジスタ数 : %d\n", nullptr};
inline constexpr MsgText kVerilogCellTally{"\t%s : %d 個\n", nullptr};
inline constexpr MsgText kVerilogPjoint{"\n pjoint.v", nullptr};
inline constexpr MsgText kVerilogTrafunc{" trafunc.v", nullptr};
inline constexpr MsgText kVerilogBench{" %s_sim.v", nullptr};
inline constexpr MsgText kVerilogTop{" %s.v\n", nullptr};
inline constexpr MsgText kVerilogDataFiles{"入力データファイルを出力しています...\n", nullptr};
inline constexpr MsgText kVerilogScript{"スクリプトの出力中...\n", nullptr};

// Co-simulation (novra-cli cosim). %s: a tool name or a file.
inline constexpr MsgText kCosimToolFailed{"%s が失敗しました。出力は %s にあります", nullptr};
inline constexpr MsgText kCosimToolMissing{"%s が見つかりません。Icarus Verilog をインストールしてください",
                                           nullptr};
inline constexpr MsgText kCosimNoData{"回路のシミュレーション結果 %s がありません", nullptr};
inline constexpr MsgText kCosimNetDidNotEnd{
    "ネットのシミュレーションが終了しないため、回路と比較できません（値を保持するウージがあると終了しません"
    "）",
    nullptr};
inline constexpr MsgText kCosimWorkDir{"作業フォルダを作成できません", nullptr};
// %d: the source's ID; %ld: the bits it had to send, the bits it sent.
inline constexpr MsgText kCosimBenchTimeCut{
    "テストベンチの実行時間（100 マイクロ秒）が尽き、ウージ %d は %ld ビット中 %ld "
    "ビットしか送れませんでした",
    nullptr};
// %d: the source's ID; %ld: the bits it never emitted.
inline constexpr MsgText kCosimNetDroppedBits{
    "ネットのシミュレーションではウージ %d の %ld ビットが送られませんでした（ワードを送り終える前にネットが"
    "静止したため）。回路はすべてのビットを流すので比較できません",
    nullptr};
inline constexpr MsgText kCosimCheckDidNotRun{"検査が最後まで実行されませんでした", nullptr};

}  // namespace novra::msg
