// Texts of the net model and of the compile checks. A catalogue list: see messages.h.
#ifndef NOVRA_MSG
#include "common/messages.h"
#else
NOVRA_MSG(kTokenOnNonPlace, "存在しないプレースにトークンが配置されている。内部エラー\n", nullptr,
          "A token lies on a place that does not exist. Internal error\n")
NOVRA_MSG(kArcSourceMissing, "接続元のオブジェクトが存在しません\n", nullptr,
          "The object the arc comes from does not exist\n")
NOVRA_MSG(kArcDestMissing, "接続先のオブジェクトが存在しません\n", nullptr,
          "The object the arc goes to does not exist\n")
NOVRA_MSG(kArcFromPlace, "プレースからの接続は許されていません：内部エラー", nullptr,
          "An arc from a place is not allowed: internal error")
NOVRA_MSG(kArcFromTransition, "トランジションからの接続は許されていません：内部エラー", nullptr,
          "An arc from a transition is not allowed: internal error")
NOVRA_MSG(kArcFromUhzi, "ウージからの接続は許可されていません：内部エラー", nullptr,
          "An arc from a uhzi is not allowed: internal error")
NOVRA_MSG(kArcFromOther, "このオブジェクトから接続することはできません", nullptr,
          "No arc can start from this object")
NOVRA_MSG(kConnectInputVar, "入力変数に接続してください", nullptr, "Please connect the input variables")
NOVRA_MSG(kUnboundInputVar, "接続されていない入力変数があります", nullptr, "An input variable is not connected")
NOVRA_MSG(kConnectOutputVar, "出力変数に接続してください", nullptr, "Please connect the output variables")
NOVRA_MSG(kUnboundOutputVar, "接続されていない出力変数があります", nullptr, "An output variable is not connected")
NOVRA_MSG(kUhziOneOutput, "ウージからの出力はひとつのみにして下さい。ご要望があれば制限を解除します", nullptr,
          "Please give a uhzi only one output. The limit can be lifted on request")
NOVRA_MSG(kKemmakixOneInput, "ケムマキへの入力はひとつのみにして下さい", nullptr,
          "Please give a kemmakix only one input")
NOVRA_MSG(kBlackNextToUhzi,
          "ウージから接続されているプレースに黒トークンを置かないで下さい。要請により解除を考慮できます", nullptr,
          "Please put no black token on a place fed by a uhzi. The limit can be reconsidered on request")
NOVRA_MSG(kWhiteNextToKemmakix,
          "ケムマキに接続しているプレースに白トークンを置かないで下さい。要請により解除を考慮できます", nullptr,
          "Please put no white token on a place that feeds a kemmakix. The limit can be reconsidered on request")
NOVRA_MSG(kIdsSortedOnSave, "オブジェクトIDはファイルに保存したりファイルから読み込んだりするとソートされます",
          nullptr, "Object IDs are sorted when the net is saved to or read from a file")
// Our own text: a black token carries a bit or "undefined"; any other value would run through the functions
// and into the sinks' words as if it were data.
NOVRA_MSG(kBadTokenValue, "プレース %d の黒トークンの値 %d は使えません。0、1、2（不定）のいずれかにしてください",
          nullptr,
          "The black token on place %d has the value %d, which cannot be used. Please make it 0, 1 or 2 "
          "(undefined)")
NOVRA_MSG(kCompileOk, "NOVRA - ｴﾗｰ 0、警告 0", nullptr, "NOVRA - 0 errors, 0 warnings")
NOVRA_MSG(kCompiling, "ｺﾝﾊﾟｲﾙ中...", nullptr, "Compiling...")
NOVRA_MSG(kPrimitiveCount, "プリミティブ %d", nullptr, "Primitives %d")
#endif
