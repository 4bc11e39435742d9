#pragma once
// Texts of the transition-function stages and of the expression evaluator.
#include "common/messages.h"

namespace novra::msg {

// Normalisation and parsing.
inline constexpr MsgText kNormNoInput{"正規化：入力変数が無い", nullptr};
inline constexpr MsgText kNormNoExpr{"正規化：式を記入してください", nullptr};
inline constexpr MsgText kNormNoSemicolon{"正規化：セミコロンが無い", nullptr};
inline constexpr MsgText kNormNoOperator{"正規化：演算子がありません", nullptr};
inline constexpr MsgText kNormLastNoSemicolon{"正規化：最後の式にセミコロンが無い", nullptr};
inline constexpr MsgText kParseForbiddenChar{"!#%-@*+/><[]{}:? は使用できません", nullptr};
inline constexpr MsgText kParseDuplicateOutput{"出力変数が重複しています", nullptr};
inline constexpr MsgText kParseFeedback{"フィードバック入力はだめ", nullptr};
inline constexpr MsgText kParseBadGuard{"ガード式がおかしい", nullptr};
inline constexpr MsgText kParseBadOutput{"出力変数がおかしい", nullptr};
inline constexpr MsgText kParseGuardNoSemicolon{"ガード式にセミコロンが無い", nullptr};
inline constexpr MsgText kParseNoSemicolon{"セミコロンが無い", nullptr};
inline constexpr MsgText kParseLastNoSemicolon{"最後の式にセミコロンが無い", nullptr};

// Preparation at compile.
inline constexpr MsgText kNoInputPlace{"入力プレースが接続されていません。", "入力プレースがつながってねえ"};
inline constexpr MsgText kNoOutputPlace{"出力プレースが接続されていません。", "出力プレースがねえ"};
inline constexpr MsgText kBadInputPlace{"入力プレースが不正\n", nullptr};
inline constexpr MsgText kBadOutputPlace{"出力プレースが不正", nullptr};
inline constexpr MsgText kBlackOnFunctionOutput{
    "関数が記述されているトランジションの出力に黒トークンを配置することはできません。", nullptr};

// Evaluator.
inline constexpr MsgText kEvalBufferOver{"%d番目の式がバッファサイズ（%d）をオーバーしました。",
                                         "%d番目の式なんだけどぉ、そんなに食べられないよぉ…。"};
inline constexpr MsgText kEvalTooManyInputs{"入力プレースの数が上限（%d）を超えました。",
                                            "すいません、入力プレースは2桁まででカンベンしてもらえんですかm(_ _)m"};
inline constexpr MsgText kEvalUnknownInput{"%d番目の式に存在しない入力プレース名が使用されています。",
                                           "あんたさぁ、%d番目の式間違ってるよ…。"};
inline constexpr MsgText kEvalSyntax{"%d番目の式が間違っています。",
                                     "おい、%d番このやろー！おらぁそんなの認めねぇよ。そんなの式じゃない!!"};
inline constexpr MsgText kEvalBadChar{"%d番目の式に許可されていない文字が含まれています。",
                                      "%d番目の式ってなんか変なの入れた？"};
inline constexpr MsgText kEvalRunTooManyInputs{"fatal error : 入力プレースの数が上限を超えています。",
                                               "だから2桁まででお願いねって言ったのに…。"};
inline constexpr MsgText kEvalBadTokenType{"fatal error : t.typeに予期しない値が格納されています。",
                                           "これも僕の責任ですね。全部僕のせいなんだ…。"};
inline constexpr MsgText kEvalStackOverflow{"fatal error : stack overflow.", "あれっ!? stack overflow..."};
inline constexpr MsgText kEvalStackUnderflowPop{"fatal error : stack underflow.", "あれれっ!? stack underflow..."};
inline constexpr MsgText kEvalStackUnderflowTop{"fatal error : stack underflow.", "あれあれっ!? stack underflow..."};
inline constexpr MsgText kEvalBadDigitBuffer{"fatal error : buffer[%d]に予期しない値が格納されています。",
                                             "いやいや、ありえんって…。"};

}  // namespace novra::msg
