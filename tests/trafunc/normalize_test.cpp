#include <gtest/gtest.h>

#include "common/messages.h"
#include "support/support.h"
#include "trafunc/function.h"

using namespace novra;
using novra::support::errorOf;

namespace {
std::string normalizeError(const std::string& s) {
    return errorOf([&] { normalizeFunction(s); });
}
}  // namespace

TEST(Normalize, StripsLayoutAndCommentsAndEndsEachStatementWithALineFeed) {
    EXPECT_EQ(normalizeFunction("o1=i1;"), "o1=i1\n");
    EXPECT_EQ(normalizeFunction("o1 = i1 & i2;  o2=~i3; / done"), "o1=i1&i2\no2=~i3\n");
    EXPECT_EQ(normalizeFunction("\t?i1 |\r\n i2 ;\r\no1 = ( i3 ^ i4 ) ;\r\n"), "?i1|i2\no1=(i3^i4)\n");
    // A comment runs to its line feed; the next line goes on.
    EXPECT_EQ(normalizeFunction("o1=i1; // first\r\no2=i2;"), "o1=i1\no2=i2\n");
    // A comment may sit inside a statement.
    EXPECT_EQ(normalizeFunction("o1=i1 / the rest is a comment ; x\n&i2;"), "o1=i1&i2\n");
    // A word ends at an operator, so a word may follow a closing parenthesis (the evaluator judges that).
    EXPECT_EQ(normalizeFunction("o1=(i1)i2;"), "o1=(i1)i2\n");
}

TEST(Normalize, EmptyAndCommentOnlyTextsGiveAnEmptyResult) {
    EXPECT_EQ(normalizeFunction(""), "");
    EXPECT_EQ(normalizeFunction(" \t\r\n"), "");
    EXPECT_EQ(normalizeFunction("//このトランジションはリクエストのみを伝達します"), "");
    EXPECT_EQ(normalizeFunction("/ a\r\n/ b\r\n"), "");
    // An unfinished comment ends the text, also after a statement.
    EXPECT_EQ(normalizeFunction("o1=i1;/ no line feed ; o2=i2;"), "o1=i1\n");
}

TEST(Normalize, JapaneseNamesAreOrdinaryWords) {
    EXPECT_EQ(normalizeFunction("出力 = 入力１ & 入力２;"), "出力=入力１&入力２\n");
    EXPECT_EQ(normalizeError("出力 = 入力１ 入力２;"), text(msg::kNormNoSemicolon));
}

TEST(Normalize, StatementFaultsRaiseTheirMessages) {
    EXPECT_EQ(normalizeError("o1=i1"), text(msg::kNormLastNoSemicolon));
    EXPECT_EQ(normalizeError("o1=i1;o2=i2 / comment\n"), text(msg::kNormLastNoSemicolon));
    EXPECT_EQ(normalizeError("i1;"), text(msg::kNormNoExpr));
    EXPECT_EQ(normalizeError(";"), text(msg::kNormNoExpr));
    EXPECT_EQ(normalizeError("o1=i1;;"), text(msg::kNormNoExpr));
    for (const char* s : {"o1=i1&;", "o1=i1|;", "o1=i1^;", "o1=(;", "o1=~;", "?;", "o1=;"})
        EXPECT_EQ(normalizeError(s), text(msg::kNormNoInput)) << s;
    EXPECT_EQ(normalizeError("o1=i1 i2;"), text(msg::kNormNoSemicolon));
    EXPECT_EQ(normalizeError("?i1 i2;"), text(msg::kNormNoSemicolon));
    EXPECT_EQ(normalizeError("o1=i1 o2=i2;"), text(msg::kNormNoSemicolon));
    EXPECT_EQ(normalizeError("i1 i2;"), text(msg::kNormNoOperator));
    // A comment between two words still separates them.
    EXPECT_EQ(normalizeError("o1=i1/c\ni2;"), text(msg::kNormNoSemicolon));
}

TEST(Refresh, FillsTheTextTheMapsAndTheCounts) {
    CTransitionFunction f;
    f.functionText = "?go;x=a&b;y=~a;";
    refreshFunction(f);
    EXPECT_EQ(f.normalizedText, "?go\nx=a&b\ny=~a\n");
    EXPECT_EQ(f.inputVarNames, (std::map<std::string, int>{{"go", 1}, {"a", 2}, {"b", 3}}));
    EXPECT_EQ(f.inputCount, 3);
    EXPECT_EQ(f.outputCount, 2);
}

TEST(Refresh, AFailingTextLeavesNoStaleDefinition) {
    CTransitionFunction f;
    f.functionText = "x=a&b;y=c;";
    refreshFunction(f);
    f.functionText = "x=a&b";
    EXPECT_EQ(errorOf([&] { refreshFunction(f); }), text(msg::kNormLastNoSemicolon));
    EXPECT_EQ(f.functionText, "x=a&b");  // the user's text is kept
    EXPECT_EQ(f.normalizedText, "");
    EXPECT_TRUE(f.inputVarNames.empty());
    EXPECT_TRUE(f.outputVarNames.empty());
    EXPECT_EQ(f.inputCount, 0);
    EXPECT_EQ(f.outputCount, 0);

    // A parse fault keeps the maps as far as they were filled, and the counts follow them.
    f.functionText = "x=a;y=b;x=c;";
    EXPECT_EQ(errorOf([&] { refreshFunction(f); }), text(msg::kParseDuplicateOutput));
    EXPECT_EQ(f.outputCount, 2);
    EXPECT_EQ(f.inputCount, 2);
}
