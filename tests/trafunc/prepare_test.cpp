// Preparation and refresh keep nothing of an earlier text that a later one fails on (the cases of each
// stage on its own are in cases_test.cpp).
#include <gtest/gtest.h>

#include "common/messages.h"
#include "support/support.h"
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
}  // namespace

TEST(Prepare, AFailingPreparationLeavesNoCode) {
    CTransitionFunction f;
    f.functionText = "?a;x=b;";
    refreshFunction(f);
    prepareFunction(f, ports(2, 1));
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
