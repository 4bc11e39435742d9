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

}  // namespace novra::msg
