#include <gtest/gtest.h>

#include "common/messages.h"
#include "support/support.h"
#include "trafunc/evaluator.h"
#include "trafunc/function.h"

using namespace novra;
using novra::support::errorOf;

namespace {
// Every slot bound, no black token.
FunctionPorts ports(int in, int out) {
    FunctionPorts p;
    p.inputArcCount = in;
    p.outputArcCount = out;
    p.inputBound.assign(in, true);
    p.outputBound.assign(out, true);
    p.outputBlack.assign(out, false);
    return p;
}
CTransitionFunction refreshed(const std::string& text) {
    CTransitionFunction f;
    f.functionText = text;
    refreshFunction(f);
    return f;
}
CTransitionFunction prepared(const std::string& text, const FunctionPorts& p) {
    CTransitionFunction f = refreshed(text);
    prepareFunction(f, p);
    return f;
}
std::string prepareError(const std::string& text, const FunctionPorts& p) {
    CTransitionFunction f = refreshed(text);
    return errorOf([&] { prepareFunction(f, p); });
}
}  // namespace

TEST(Prepare, RenamesToCanonicalNamesAndKeepsTheRightSides) {
    CTransitionFunction f = prepared("o1=i1;", ports(1, 1));
    EXPECT_EQ(f.canonicalText, "i1\n");
    EXPECT_EQ(f.compiledFunction, "i1\n");
    EXPECT_EQ(f.guardText, "");
    EXPECT_FALSE(f.compiledGuard.has_value());
    EXPECT_EQ(f.inputValues, std::vector<int>{0});
    EXPECT_EQ(f.outputValues, std::vector<int>{0});

    EXPECT_EQ(prepared("o1=i2&i1;", ports(2, 1)).canonicalText, "i1&i2\n");
    // Names that look like canonical ones of the other side, Japanese names, an "o" inside a name.
    f = prepared("出力=o5|入力;i1=~o5&(入力);", ports(2, 2));
    EXPECT_EQ(f.canonicalText, "i1|i2\n~i1&(i2)\n");
    EXPECT_EQ(f.compiledFunction, "i1i2|\ni1~i2&\n");
    EXPECT_EQ(f.inputValues.size(), 2u);
    EXPECT_EQ(f.outputValues.size(), 2u);
}

TEST(Prepare, SplitsOffTheGuard) {
    CTransitionFunction f = prepared("?i1&i2;o1=i3;", ports(3, 1));
    EXPECT_EQ(f.guardText, "i1&i2");
    EXPECT_EQ(f.canonicalText, "i3\n");
    EXPECT_EQ(f.compiledGuard, std::optional<std::string>("i1i2&\n"));
    EXPECT_EQ(f.compiledFunction, "i3\n");

    f = prepared("?go;", ports(1, 1));  // a guard without outputs
    EXPECT_EQ(f.guardText, "i1");
    EXPECT_EQ(f.canonicalText, "");
    EXPECT_EQ(f.compiledFunction, "");

    int in[3] = {1, 1, 0};
    int out = -1;
    f = prepared("?a|b;x=~c;", ports(3, 1));
    CEvaluator().run(*f.compiledGuard, in, &out, 3, 1);
    EXPECT_EQ(out, 1);
    CEvaluator().run(f.compiledFunction, in, &out, 3, 1);
    EXPECT_EQ(out, 1);
}

TEST(Prepare, AnEmptyFunctionIsValid) {
    CTransitionFunction f = prepared("//このトランジションはリクエストのみを伝達します", ports(2, 3));
    EXPECT_EQ(f.canonicalText, "");
    EXPECT_EQ(f.compiledFunction, "");
    EXPECT_FALSE(f.compiledGuard.has_value());
    EXPECT_EQ(f.inputCount, 0);
    EXPECT_EQ(f.outputCount, 0);
    EXPECT_TRUE(f.inputValues.empty());
}

TEST(Prepare, ConnectionFaultsInBothWordings) {
    FunctionPorts gapIn = ports(3, 1);
    gapIn.inputBound[2] = false;
    FunctionPorts gapOut = ports(1, 2);
    gapOut.outputBound[1] = false;
    FunctionPorts shortOut = ports(1, 2);
    shortOut.outputBound.resize(1);
    for (int mode : {0, 1}) {
        setNmode(mode);
        EXPECT_EQ(prepareError("o1=i1;", ports(0, 1)), text(msg::kNoInputPlace));
        EXPECT_EQ(prepareError("o1=i1;", ports(1, 0)), text(msg::kNoOutputPlace));
        EXPECT_EQ(prepareError("o1=i1;", ports(0, 0)), text(msg::kNoInputPlace));
    }
    setNmode(0);
    EXPECT_EQ(prepareError("o1=i1;", gapIn), "入力プレースが不正\n");
    EXPECT_EQ(prepareError("o1=i1;", gapOut), text(msg::kBadOutputPlace));
    EXPECT_EQ(prepareError("o1=i1;", shortOut), text(msg::kBadOutputPlace));
}

TEST(Prepare, TranslationFaultsPassOnAndLeaveNoCode) {
    // Expressions are numbered from 1 in the guard and again in the function.
    EXPECT_EQ(prepareError("?a;x=b;y=c~d;", ports(4, 2)), format(msg::kEvalSyntax, 2));
    EXPECT_EQ(prepareError("?a~b;x=c;", ports(3, 1)), format(msg::kEvalSyntax, 1));
    EXPECT_EQ(prepareError("x=(a)b;", ports(2, 1)), format(msg::kEvalSyntax, 1));

    std::string wide = "x=n1";
    for (int k = 2; k <= 100; ++k) wide += "&n" + std::to_string(k);
    wide += ";";
    EXPECT_EQ(prepareError(wide, ports(100, 1)), format(msg::kEvalBufferOver, 1, 100));

    // A successful preparation followed by a failing one keeps nothing of the first.
    CTransitionFunction f = prepared("?a;x=b;", ports(2, 1));
    f.functionText = "?a~a;x=b;";
    refreshFunction(f);
    EXPECT_EQ(errorOf([&] { prepareFunction(f, ports(2, 1)); }), format(msg::kEvalSyntax, 1));
    EXPECT_FALSE(f.compiledGuard.has_value());
    EXPECT_EQ(f.compiledFunction, "");
    f.functionText = "x=b;";
    refreshFunction(f);
    prepareFunction(f, ports(1, 1));
    EXPECT_EQ(errorOf([&] { prepareFunction(f, ports(0, 1)); }), text(msg::kNoInputPlace));
    EXPECT_EQ(f.compiledFunction, "");
}

TEST(Prepare, ABlackTokenOnAnOutputNeedsAPlainInput) {
    FunctionPorts p = ports(2, 3);
    p.outputBlack[0] = true;
    EXPECT_EQ(prepareError("x=a;y=a&b;", p), "");
    EXPECT_EQ(prepareError("x=b;", p), "");
    for (const char* text : {"x=a&b;", "x=~a;", "x=(a);", "?b;x=~a;"})
        EXPECT_EQ(prepareError(text, p), msg::kBlackOnFunctionOutput.standard) << text;
    p.outputBlack = {false, true, false};
    EXPECT_EQ(prepareError("x=a;y=a&b;", p), msg::kBlackOnFunctionOutput.standard);
    EXPECT_EQ(prepareError("x=a&b;y=b;", p), "");
    // An unlabelled output only carries requests.
    p.outputBlack = {false, false, true};
    EXPECT_EQ(prepareError("x=a&b;y=~b;", p), "");

    // Two-digit input numbers count as one variable.
    std::string many = "x=n1";
    for (int k = 2; k <= 12; ++k) many += "|n" + std::to_string(k);
    p = ports(12, 2);
    p.outputBlack[1] = true;
    CTransitionFunction f = prepared(many + ";y=n12;", p);
    EXPECT_EQ(f.canonicalText.substr(f.canonicalText.find('\n') + 1), "i12\n");
    EXPECT_EQ(prepareError(many + ";y=~n12;", p), msg::kBlackOnFunctionOutput.standard);
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
