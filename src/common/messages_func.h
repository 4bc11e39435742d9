// Texts of the transition-function stages and of the expression evaluator. A catalogue list: see
// messages.h.
#ifndef NOVRA_MSG
#include "common/messages.h"
#else
// Normalisation and parsing.
NOVRA_MSG(kNormNoInput, "正規化：入力変数が無い", nullptr, "Normalisation: no input variable")
NOVRA_MSG(kNormNoExpr, "正規化：式を記入してください", nullptr, "Normalisation: please write an expression")
NOVRA_MSG(kNormNoSemicolon, "正規化：セミコロンが無い", nullptr, "Normalisation: a semicolon is missing")
NOVRA_MSG(kNormNoOperator, "正規化：演算子がありません", nullptr, "Normalisation: there is no operator")
NOVRA_MSG(kNormLastNoSemicolon, "正規化：最後の式にセミコロンが無い", nullptr,
          "Normalisation: the last expression has no semicolon")
NOVRA_MSG(kParseForbiddenChar, "!#%-@*+/><[]{}:? は使用できません", nullptr, "!#%-@*+/><[]{}:? cannot be used")
NOVRA_MSG(kParseDuplicateOutput, "出力変数が重複しています", nullptr, "An output variable appears twice")
NOVRA_MSG(kParseFeedback, "フィードバック入力はだめ", nullptr, "A feedback input is not allowed")
NOVRA_MSG(kParseBadGuard, "ガード式がおかしい", nullptr, "The guard expression is wrong")
NOVRA_MSG(kParseBadOutput, "出力変数がおかしい", nullptr, "An output variable is wrong")
NOVRA_MSG(kParseGuardNoSemicolon, "ガード式にセミコロンが無い", nullptr, "The guard expression has no semicolon")
NOVRA_MSG(kParseNoSemicolon, "セミコロンが無い", nullptr, "A semicolon is missing")
NOVRA_MSG(kParseLastNoSemicolon, "最後の式にセミコロンが無い", nullptr, "The last expression has no semicolon")

// Preparation at compile.
NOVRA_MSG(kNoInputPlace, "入力プレースが接続されていません。", "入力プレースがつながってねえ",
          "No input place is connected.")
NOVRA_MSG(kNoOutputPlace, "出力プレースが接続されていません。", "出力プレースがねえ",
          "No output place is connected.")
NOVRA_MSG(kBadInputPlace, "入力プレースが不正\n", nullptr, "An input place is invalid\n")
NOVRA_MSG(kBadOutputPlace, "出力プレースが不正", nullptr, "An output place is invalid")
NOVRA_MSG(kBlackOnFunctionOutput,
          "関数が記述されているトランジションの出力に黒トークンを配置することはできません。", nullptr,
          "A black token cannot be put on the output of a transition that has a function.")

// Evaluator.
NOVRA_MSG(kEvalBufferOver, "%d番目の式がバッファサイズ（%d）をオーバーしました。",
          "%d番目の式なんだけどぉ、そんなに食べられないよぉ…。",
          "Expression %d is longer than the buffer size (%d).")
NOVRA_MSG(kEvalTooManyInputs, "入力プレースの数が上限（%d）を超えました。",
          "すいません、入力プレースは2桁まででカンベンしてもらえんですかm(_ _)m",
          "There are more input places than the limit (%d).")
NOVRA_MSG(kEvalUnknownInput, "%d番目の式に存在しない入力プレース名が使用されています。",
          "あんたさぁ、%d番目の式間違ってるよ…。",
          "Expression %d uses the name of an input place that does not exist.")
NOVRA_MSG(kEvalSyntax, "%d番目の式が間違っています。",
          "おい、%d番このやろー！おらぁそんなの認めねぇよ。そんなの式じゃない!!", "Expression %d is wrong.")
NOVRA_MSG(kEvalBadChar, "%d番目の式に許可されていない文字が含まれています。", "%d番目の式ってなんか変なの入れた？",
          "Expression %d holds a character that is not allowed.")
NOVRA_MSG(kEvalRunTooManyInputs, "fatal error : 入力プレースの数が上限を超えています。",
          "だから2桁まででお願いねって言ったのに…。", "fatal error : there are more input places than the limit.")
NOVRA_MSG(kEvalBadTokenType, "fatal error : t.typeに予期しない値が格納されています。",
          "これも僕の責任ですね。全部僕のせいなんだ…。", "fatal error : t.type holds an unexpected value.")
NOVRA_MSG(kEvalStackOverflow, "fatal error : stack overflow.", "あれっ!? stack overflow...",
          "fatal error : stack overflow.")
NOVRA_MSG(kEvalStackUnderflowPop, "fatal error : stack underflow.", "あれれっ!? stack underflow...",
          "fatal error : stack underflow.")
NOVRA_MSG(kEvalStackUnderflowTop, "fatal error : stack underflow.", "あれあれっ!? stack underflow...",
          "fatal error : stack underflow.")
NOVRA_MSG(kEvalBadDigitBuffer, "fatal error : buffer[%d]に予期しない値が格納されています。",
          "いやいや、ありえんって…。", "fatal error : buffer[%d] holds an unexpected value.")
#endif
