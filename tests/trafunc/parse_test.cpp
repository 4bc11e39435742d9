#include <gtest/gtest.h>

#include "common/messages.h"
#include "support/support.h"
#include "trafunc/function.h"

using namespace novra;
using novra::support::errorOf;
using Names = std::map<std::string, int>;

namespace {
struct Parsed {
    Names in, out;
};
Parsed parse(const std::string& normalized) {
    Parsed p;
    parseFunction(normalized, p.in, p.out);
    return p;
}
std::string parseError(const std::string& normalized) {
    Names in, out;
    return errorOf([&] { parseFunction(normalized, in, out); });
}
}  // namespace

TEST(Parse, NumbersInputsByFirstAppearanceAndOutputsByAssignment) {
    Parsed p = parse("o1=i1\n");
    EXPECT_EQ(p.in, (Names{{"i1", 1}}));
    EXPECT_EQ(p.out, (Names{{"o1", 1}}));

    p = parse("o1=i2&i1\n");
    EXPECT_EQ(p.in, (Names{{"i2", 1}, {"i1", 2}}));

    // The guard's names count first.
    p = parse("?i1&i2\no1=i3\n");
    EXPECT_EQ(p.in, (Names{{"i1", 1}, {"i2", 2}, {"i3", 3}}));
    EXPECT_EQ(p.out, (Names{{"o1", 1}}));

    p = parse("zeta=b|a\nalpha=~a&c\n");
    EXPECT_EQ(p.in, (Names{{"b", 1}, {"a", 2}, {"c", 3}}));
    EXPECT_EQ(p.out, (Names{{"zeta", 1}, {"alpha", 2}}));

    p = parse("出=入&い\n");
    EXPECT_EQ(p.in, (Names{{"入", 1}, {"い", 2}}));
    EXPECT_EQ(p.out, (Names{{"出", 1}}));
}

TEST(Parse, EmptyTextClearsTheMaps) {
    Names in{{"old", 1}}, out{{"older", 1}};
    parseFunction("", in, out);
    EXPECT_TRUE(in.empty());
    EXPECT_TRUE(out.empty());
}

TEST(Parse, NameFaultsRaiseTheirMessages) {
    for (const char* s :
         {"o1=i1+i2\n", "o1=i!\n", "o1=a#b\n", "o1=a%\n", "o-1=a\n", "o1=@\n", "o1=a*b\n", "o1=a>b\n",
          "o1=a<b\n", "o1=a[0]\n", "o1=a{0}\n", "o1=a:b\n", "o1=a\n?b\n", "o1=i1?\n"})
        EXPECT_EQ(parseError(s), text(msg::kParseForbiddenChar)) << s;
    EXPECT_EQ(parseError("o1=i1\no1=i2\n"), text(msg::kParseDuplicateOutput));
    EXPECT_EQ(parseError("o1=o1\n"), text(msg::kParseFeedback));
    EXPECT_EQ(parseError("o1=i1\ni1=i2\n"), text(msg::kParseFeedback));  // an input becomes an output
    EXPECT_EQ(parseError("o1=i1\no2=o1\n"), text(msg::kParseFeedback));  // an output read as an input
    EXPECT_EQ(parseError("?o1\no1=i1\n"), text(msg::kParseFeedback));    // the guard reads an output
}

TEST(Parse, StatementFaultsRaiseTheirMessages) {
    EXPECT_EQ(parseError("?=i1\n"), text(msg::kParseBadGuard));
    EXPECT_EQ(parseError("=i1\n"), text(msg::kParseBadOutput));
    EXPECT_EQ(parseError("o1=i1\n=i2\n"), text(msg::kParseBadOutput));
    EXPECT_EQ(parseError("?i1=i2\n"), text(msg::kParseGuardNoSemicolon));
    EXPECT_EQ(parseError("o1=i1=i2\n"), text(msg::kParseNoSemicolon));
    // Texts that did not come through normalisation.
    EXPECT_EQ(parseError("?i1"), text(msg::kParseGuardNoSemicolon));
    EXPECT_EQ(parseError("?"), text(msg::kParseGuardNoSemicolon));
    EXPECT_EQ(parseError("o1=i1"), text(msg::kParseLastNoSemicolon));
    EXPECT_EQ(parseError("o1="), text(msg::kParseNoSemicolon));
    EXPECT_EQ(parseError("o1=(i1)"), text(msg::kParseNoSemicolon));
}

TEST(Parse, TheLeftSideIsOneName) {
    // Otherwise the cut-off left side would leave "~" or "a&" in front of the expression.
    EXPECT_EQ(parseError("~o1=i1\n"), text(msg::kParseBadOutput));
    EXPECT_EQ(parseError("a&o1=i1\n"), text(msg::kParseBadOutput));
    EXPECT_EQ(parseError("o1=i1\n(o2)=i2\n"), text(msg::kParseBadOutput));
    EXPECT_EQ(parseError("o1=i1\no2)=i2\n"), text(msg::kParseBadOutput));
}
