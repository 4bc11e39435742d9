// Function texts of a megabyte: each ends in a clear message or in code that runs, and the text the user
// wrote is never changed by the stages.
#include <gtest/gtest.h>

#include <random>

#include "common/messages.h"
#include "support/support.h"
#include "trafunc/evaluator.h"
#include "trafunc/function.h"

using namespace novra;
using novra::support::errorOf;

namespace {

constexpr size_t kMegabyte = 1 << 20;

// Stages 1 to 3 with every port bound; returns the first message or "".
std::string prepareText(CTransitionFunction& f) {
    return errorOf([&] {
        refreshFunction(f);
        FunctionPorts ports;
        ports.inputArcCount = std::max(f.inputCount, 1);
        ports.outputArcCount = std::max(f.outputCount, 1);
        ports.inputBound.assign(ports.inputArcCount, true);
        ports.outputBound.assign(ports.outputArcCount, true);
        prepareFunction(f, ports);
    });
}

}  // namespace

TEST(BadInput, MegabyteFunctionTexts) {
    // Many short statements: every one is prepared and runs.
    CTransitionFunction many;
    many.functionText.clear();
    int statements = 0;
    while (many.functionText.size() < kMegabyte)
        many.functionText += "out" + std::to_string(++statements) + " = a & ~b | (c ^ a);\r\n";
    const std::string written = many.functionText;
    ASSERT_EQ(prepareText(many), "");
    EXPECT_EQ(many.functionText, written);
    EXPECT_EQ(many.outputCount, statements);
    EXPECT_EQ(many.inputCount, 3);
    std::vector<int> out(static_cast<size_t>(statements), -1);
    const int in[] = {1, 0, 1};  // a, b, c
    CEvaluator().run(many.compiledFunction, in, out.data(), 3, statements);
    EXPECT_EQ(std::count(out.begin(), out.end(), 1), statements);

    // One statement of a megabyte: the line is longer than the evaluator's, and the message says which.
    CTransitionFunction one;
    one.functionText = "o=a";
    while (one.functionText.size() < kMegabyte) one.functionText += "&a";
    one.functionText += ";";
    EXPECT_EQ(prepareText(one), format(msg::kEvalBufferOver, 1, CEvaluator::kLineBufferSize));
    EXPECT_TRUE(one.compiledFunction.empty());

    // Nesting a megabyte deep is caught the same way, long before any stack could overflow.
    CTransitionFunction deep;
    deep.functionText = "o=" + std::string(kMegabyte / 2, '(') + "a" + std::string(kMegabyte / 2, ')') + ";";
    EXPECT_EQ(prepareText(deep), format(msg::kEvalBufferOver, 1, CEvaluator::kLineBufferSize));

    // A megabyte of comment is an empty function; a megabyte of words without operators is refused.
    CTransitionFunction comment;
    comment.functionText = "//" + std::string(kMegabyte, 'x');
    EXPECT_EQ(prepareText(comment), "");
    EXPECT_EQ(comment.outputCount, 0);
    CTransitionFunction words;
    words.functionText.clear();
    for (int i = 0; words.functionText.size() < kMegabyte; ++i)
        words.functionText += "w" + std::to_string(i) + " ";
    EXPECT_EQ(prepareText(words), text(msg::kNormNoOperator));
    EXPECT_TRUE(words.normalizedText.empty());

    // A megabyte of random bytes ends in a message or in a prepared function, never in anything else.
    std::mt19937 rng(5);
    CTransitionFunction noise;
    noise.functionText.resize(kMegabyte);
    for (char& c : noise.functionText) c = static_cast<char>(rng());
    const std::string noiseText = noise.functionText;
    if (prepareText(noise).empty())
        EXPECT_EQ(std::count(noise.compiledFunction.begin(), noise.compiledFunction.end(), '\n'),
                  noise.outputCount);
    else
        EXPECT_TRUE(noise.compiledFunction.empty());
    EXPECT_EQ(noise.functionText, noiseText);
}

TEST(BadInput, AFunctionOfAHundredInputsIsRefusedAtTranslation) {
    // A function with a hundred inputs therefore fails at preparation, with no code left behind.
    CTransitionFunction f;
    f.functionText.clear();
    for (int i = 1; i <= 100; ++i) f.functionText += "y" + std::to_string(i) + "=x" + std::to_string(i) + ";";
    EXPECT_EQ(prepareText(f), format(msg::kEvalTooManyInputs, CEvaluator::kMaxInputs));
    EXPECT_TRUE(f.compiledFunction.empty());
}

TEST(BadInput, AnUnclosedParenthesisIsDroppedWithoutLosingAnOperator) {
    // Many such expressions in one function run without the stack filling up, each to its own value.
    CTransitionFunction f;
    f.functionText.clear();
    for (int k = 1; k <= 150; ++k) f.functionText += "o" + std::to_string(k) + "=a|(~b;";
    ASSERT_EQ(prepareText(f), "");
    const int in[] = {0, 0};  // a, b
    std::vector<int> out(150, -1);
    CEvaluator().run(f.compiledFunction, in, out.data(), 2, 150);
    EXPECT_EQ(std::count(out.begin(), out.end(), 1), 150);
}
