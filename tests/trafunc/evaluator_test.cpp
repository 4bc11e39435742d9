#include "trafunc/evaluator.h"

#include <gtest/gtest.h>

#include <string>

#include "common/messages.h"
#include "support/support.h"

using namespace novra;
using novra::support::errorOf;

namespace {
std::string translated(const std::string& text, int inputCount) {
    std::string code = "stale";
    CEvaluator().translate(text, code, inputCount);
    return code;
}
std::string translateError(const std::string& text, int inputCount) {
    std::string code;
    return errorOf([&] { CEvaluator().translate(text, code, inputCount); });
}
int eval1(const std::string& text, std::vector<int> in) {
    std::string code;
    CEvaluator().translate(text, code, static_cast<int>(in.size()));
    int out = -1;
    CEvaluator().run(code, in.data(), &out, static_cast<int>(in.size()), 1);
    return out;
}
std::string runError(const std::string& code, int inputCount, int outputCount) {
    int in[100] = {1, 1, 1};
    int out[8] = {};
    return errorOf([&] { CEvaluator().run(code, in, out, inputCount, outputCount); });
}
}  // namespace

TEST(Evaluator, TranslatesToPostfixWithPrecedenceAndAssociativity) {
    EXPECT_EQ(translated("i1", 1), "i1\n");
    EXPECT_EQ(translated("", 1), "");
    EXPECT_EQ(translated("i1&i2|~i3", 3), "i1i2&i3~|\n");
    EXPECT_EQ(translated("i1&i2|i3", 3), "i1i2&i3|\n");
    EXPECT_EQ(translated("i1|i2^i3", 3), "i1i2|i3^\n");
    EXPECT_EQ(translated("i1^i2&i3", 3), "i1i2i3&^\n");
    EXPECT_EQ(translated("i1^i2|i3", 3), "i1i2i3|^\n");
    EXPECT_EQ(translated("i1&i2&i3", 3), "i1i2&i3&\n");  // binary operators bind to the left
    EXPECT_EQ(translated("i1^i2^i3", 3), "i1i2^i3^\n");
    EXPECT_EQ(translated("~~i1", 1), "i1~~\n");  // "~" binds to the right
    EXPECT_EQ(translated("~i1&i2", 2), "i1~i2&\n");
    EXPECT_EQ(translated("~(i1&i2)", 2), "i1i2&~\n");
    EXPECT_EQ(translated("(i1|i2)&i3", 3), "i1i2|i3&\n");
    EXPECT_EQ(translated("(i1", 1), "i1\n");                // an unclosed "(" is dropped
    EXPECT_EQ(translated(" i 1 & i1 2 ", 12), "i1i12&\n");  // blanks do not count
    EXPECT_EQ(translated("i1\ni2&i1\n", 2), "i1\ni2i1&\n");
    EXPECT_EQ(translated("i01", 1), "i01\n");
}

TEST(Evaluator, RunsExpressionsOnInputValues) {
    EXPECT_EQ(eval1("i1", {1}), 1);
    EXPECT_EQ(eval1("~i1", {0}), 1);
    EXPECT_EQ(eval1("~i1", {1}), 0);
    EXPECT_EQ(eval1("~~i1", {1}), 1);
    EXPECT_EQ(eval1("i01", {1}), 1);
    EXPECT_EQ(eval1("i1|i2^i3", {1, 1, 1}), 0);  // (1|1)^1: grouping shows in the values
    // Several outputs in order; code without a final line feed is read to its end.
    std::string code;
    CEvaluator().translate("i1&i2\ni1|i2\n~i2", code, 2);
    int in[2] = {1, 0};
    int out[3] = {-1, -1, -1};
    CEvaluator().run(code, in, out, 2, 3);
    EXPECT_EQ(out[0], 0);
    EXPECT_EQ(out[1], 1);
    EXPECT_EQ(out[2], 1);
    CEvaluator().run("i2", in, out, 2, 1);
    EXPECT_EQ(out[0], 0);
}

TEST(Evaluator, TranslationFaultsRaiseTheirMessagesInBothWordings) {
    const std::string line100 = "i1" + std::string(98, ' ');
    for (int mode : {0, 1}) {
        support::NmodeScope scope(mode);
        EXPECT_EQ(translated(line100, 1), "i1\n");
        EXPECT_EQ(translateError(line100 + " ", 1), format(msg::kEvalBufferOver, 1, 100));
        EXPECT_EQ(translateError("i1\n" + line100 + "&", 1), format(msg::kEvalBufferOver, 2, 100));
        EXPECT_EQ(translateError("i100", 200), format(msg::kEvalTooManyInputs, 99));
        EXPECT_EQ(translateError("i001", 5), format(msg::kEvalTooManyInputs, 99));  // the run reads two
        EXPECT_EQ(translateError("i99999999999999999999", 5), format(msg::kEvalTooManyInputs, 99));
        EXPECT_EQ(translateError("i3", 2), format(msg::kEvalUnknownInput, 1));
        EXPECT_EQ(translateError("i1\ni0", 2), format(msg::kEvalUnknownInput, 2));
        for (const char* bad : {"i1i2", "(&i1)", "i1&", "&i1", "i", "i1~i2", "(i1)i2", "()", "1"})
            EXPECT_EQ(translateError(bad, 2), format(msg::kEvalSyntax, 1)) << bad;
        EXPECT_EQ(translateError("i1\n\ni2", 2), format(msg::kEvalSyntax, 2));
        EXPECT_EQ(translateError("i1\ni1&i2|", 2), format(msg::kEvalSyntax, 2));
        EXPECT_EQ(translateError("i1+i2", 2), format(msg::kEvalBadChar, 1));
        EXPECT_EQ(translateError("i1&\ti2", 2), format(msg::kEvalBadChar, 1));
        EXPECT_EQ(translateError("i1\no1", 2), format(msg::kEvalBadChar, 2));
    }
}

TEST(Evaluator, StackFaultsInTranslation) {
    for (int mode : {0, 1}) {
        support::NmodeScope scope(mode);
        EXPECT_EQ(translateError("i1)", 1), text(msg::kEvalStackUnderflowTop));
        EXPECT_EQ(translateError("(i1))&i1", 1), text(msg::kEvalStackUnderflowTop));
        EXPECT_EQ(translateError(std::string(100, '('), 1), text(msg::kEvalStackOverflow));
        EXPECT_EQ(translateError(std::string(100, '~'), 1), text(msg::kEvalStackOverflow));
        EXPECT_EQ(translated(std::string(98, '~') + "i1", 1), "i1" + std::string(98, '~') + "\n");
    }
}

TEST(Evaluator, RunFaultsRaiseTheirMessagesInBothWordings) {
    std::string deep;
    for (int k = 0; k < 101; ++k) deep += "i1";
    for (int mode : {0, 1}) {
        support::NmodeScope scope(mode);
        EXPECT_EQ(runError("i1\n", 100, 1), text(msg::kEvalRunTooManyInputs));
        EXPECT_EQ(runError("i1(\n", 1, 1), text(msg::kEvalBadTokenType));
        EXPECT_EQ(runError("i1x\n", 1, 1), text(msg::kEvalBadTokenType));
        EXPECT_EQ(runError("i1&\n", 1, 1), text(msg::kEvalStackUnderflowPop));
        EXPECT_EQ(runError("\n", 1, 1), text(msg::kEvalStackUnderflowPop));
        EXPECT_EQ(runError("i1\n", 1, 2),
                  text(msg::kEvalStackUnderflowPop));  // fewer expressions than outputs
        EXPECT_EQ(runError(deep, 1, 1), text(msg::kEvalStackOverflow));
        EXPECT_EQ(runError("i1\ni0\n", 1, 2), format(msg::kEvalBadDigitBuffer, 4));
        EXPECT_EQ(runError("i3", 2, 1), format(msg::kEvalBadDigitBuffer, 1));  // beyond inputCount
    }
}
