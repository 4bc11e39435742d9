#pragma once
// Texts of the net model and of the compile checks.
#include "common/messages.h"

namespace novra::msg {

inline constexpr MsgText kTokenOnNonPlace{"存在しないプレースにトークンが配置されている。内部エラー\n", nullptr};
inline constexpr MsgText kArcSourceMissing{"接続元のオブジェクトが存在しません\n", nullptr};
inline constexpr MsgText kArcDestMissing{"接続先のオブジェクトが存在しません\n", nullptr};
inline constexpr MsgText kArcFromPlace{"プレースからの接続は許されていません：内部エラー", nullptr};
inline constexpr MsgText kArcFromTransition{"トランジションからの接続は許されていません：内部エラー", nullptr};
inline constexpr MsgText kArcFromUhzi{"ウージからの接続は許可されていません：内部エラー", nullptr};
inline constexpr MsgText kArcFromOther{"このオブジェクトから接続することはできません", nullptr};
inline constexpr MsgText kConnectInputVar{"入力変数に接続してください", nullptr};
inline constexpr MsgText kUnboundInputVar{"接続されていない入力変数があります", nullptr};
inline constexpr MsgText kConnectOutputVar{"出力変数に接続してください", nullptr};
inline constexpr MsgText kUnboundOutputVar{"接続されていない出力変数があります", nullptr};
inline constexpr MsgText kUhziOneOutput{"ウージからの出力はひとつのみにして下さい。ご要望があれば制限を解除します", nullptr};
inline constexpr MsgText kKemmakixOneInput{"ケムマキへの入力はひとつのみにして下さい", nullptr};
inline constexpr MsgText kBlackNextToUhzi{
    "ウージから接続されているプレースに黒トークンを置かないで下さい。要請により解除を考慮できます", nullptr};
inline constexpr MsgText kWhiteNextToKemmakix{
    "ケムマキに接続しているプレースに白トークンを置かないで下さい。要請により解除を考慮できます", nullptr};
inline constexpr MsgText kIdsSortedOnSave{"オブジェクトIDはファイルに保存したりファイルから読み込んだりするとソートされます",
                                          nullptr};
// Our own text: a black token carries a bit or "undefined"; any other value would run through the functions
// and into the sinks' words as if it were data.
inline constexpr MsgText kBadTokenValue{
    "プレース %d の黒トークンの値 %d は使えません。0、1、2（不定）のいずれかにしてください", nullptr};
inline constexpr MsgText kCompileOk{"NOVRA - ｴﾗｰ 0、警告 0", nullptr};
inline constexpr MsgText kCompiling{"ｺﾝﾊﾟｲﾙ中...", nullptr};
inline constexpr MsgText kPrimitiveCount{"プリミティブ %d", nullptr};

}  // namespace novra::msg
