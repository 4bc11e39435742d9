#pragma once
// Texts of the firing engine, the sources and the sinks.
#include "common/messages.h"

namespace novra::msg {

inline constexpr MsgText kUndefinedInput{"関数への入力値が不定です", nullptr};
inline constexpr MsgText kFlagWithoutToken{"フラグが存在し、トークンがない：内部エラー", nullptr};
inline constexpr MsgText kSimulationEnded{"シミュレーションが終了しました。", nullptr};
inline constexpr MsgText kRunTooLong{"シミュレーションが長すぎるため一旦停止しました", nullptr};
inline constexpr MsgText kUhziBadWord{"ウージの入力が不正です。", nullptr};
inline constexpr MsgText kUhziBadHoldValue{"ウージにセットされた値が不正：内部エラー", nullptr};
inline constexpr MsgText kUhziBadAddp{"ウージのaddpがおかしい：内部エラー", nullptr};
inline constexpr MsgText kUhziBadColor{"ウージに未定義の色が設定されました、内部エラー", nullptr};
inline constexpr MsgText kKemmakixSameColor{"ケムマキに同じ色が投入されました、マーキングをやり直してください。",
                                            "ケムマキ様になんてことを！！"};
// The phases need the place references of a compile made since the last change of the net.
inline constexpr MsgText kNotCompiled{
    "ネットが変更されたかコンパイルされていません。コンパイルしてから実行してください", nullptr};

// The waveform (VCD) of a simulation.
inline constexpr MsgText kVcdCannotWrite{"波形ファイルに書き込めません", nullptr};

// The editor's simulation commands: status prompts and log lines.
inline constexpr MsgText kStatusSavingForCompile{"ファイルに保存しています...", nullptr};
inline constexpr MsgText kStatusCompiling{"コンパイル中です", nullptr};
inline constexpr MsgText kStatusReadyToRun{"シミュレーションを実行してください", nullptr};
inline constexpr MsgText kStatusCompileFailed{"コンパイルが失敗しました。もう一度エディットを行ってください", nullptr};
inline constexpr MsgText kStatusSimulationError{
    "シミュレーション中にエラーが発生しました。もう一度エディットを行ってください", nullptr};
// Logged before the run starts, in the playful wording only.
inline constexpr MsgText kRunningPlayful{"シュミレーション中...", nullptr};
inline constexpr MsgText kRunning{"シミュレーションを実行しています…", nullptr};
inline constexpr MsgText kFireStop{"指定されたトランジションが発火可能です。シミュレーションを停止します", nullptr};
inline constexpr MsgText kConfirmClearAll{"全て削除します。よろしいですか？", "全て削除してもよろしいか？"};

}  // namespace novra::msg
