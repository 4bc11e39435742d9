// Random texts through every stage, and random well-formed expressions against a reference evaluator.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "common/error.h"
#include "trafunc/evaluator.h"
#include "trafunc/function.h"

using namespace novra;

namespace {

std::string randomExpression(std::mt19937& rng, int inputs, int depth);

// Half plausible functions with a few bytes changed, half noise over the language's characters.
std::string randomText(std::mt19937& rng) {
    static const std::string alphabet = "iiiooab0123456789&|^~()==??;;;/ \t\r\n!#+:";
    std::string s;
    if (rng() % 2) {
        if (rng() % 3 == 0) s += "?" + randomExpression(rng, 3, 1) + ";";
        const int statements = 1 + rng() % 3;
        for (int k = 0; k < statements; ++k)
            s += "出" + std::to_string(k) + " = " + randomExpression(rng, 3, 1) + ";\r\n";
        for (int k = rng() % 4; k > 0; --k) s[rng() % s.size()] = alphabet[rng() % alphabet.size()];
        return s;
    }
    s.assign(rng() % 300, ' ');
    for (char& c : s)
        c = (rng() % 10 < 8) ? alphabet[rng() % alphabet.size()] : static_cast<char>(rng() % 256);
    return s;
}

// The grammar written out by precedence, tightest first: "~", "&", "|", "^"; binary operators to the left.
struct Reference {
    const std::string& s;
    const std::vector<int>& in;
    size_t pos = 0;
    int unary() {
        if (s[pos] == '~') return ++pos, !unary();
        if (s[pos] == '(') {
            ++pos;
            const int v = xorExpr();
            ++pos;  // ")"
            return v;
        }
        ++pos;  // "i"
        int n = 0;
        while (pos < s.size() && isdigit(static_cast<unsigned char>(s[pos]))) n = n * 10 + (s[pos++] - '0');
        return in[n - 1];
    }
    template <char Op, typename Next>
    int chain(Next next) {
        int v = next();
        while (pos < s.size() && s[pos] == Op) {
            ++pos;
            const int w = next();
            v = Op == '&' ? (v & w) : Op == '|' ? (v | w) : (v ^ w);
        }
        return v;
    }
    int andExpr() {
        return chain<'&'>([&] { return unary(); });
    }
    int orExpr() {
        return chain<'|'>([&] { return andExpr(); });
    }
    int xorExpr() {
        return chain<'^'>([&] { return orExpr(); });
    }
};

std::string randomExpression(std::mt19937& rng, int inputs, int depth) {
    std::string e;
    e.reserve(64);
    const int terms = 1 + rng() % 4;
    for (int t = 0; t < terms; ++t) {
        if (t > 0) e += "&|^"[rng() % 3];
        const int nots = rng() % 3 == 0 ? 1 + rng() % 2 : 0;
        e += std::string(nots, '~');
        if (depth > 0 && rng() % 4 == 0)
            e += "(" + randomExpression(rng, inputs, depth - 1) + ")";
        else
            e += "i" + std::to_string(1 + rng() % inputs);
    }
    return e;
}

}  // namespace

TEST(Robustness, RandomTextsThroughEveryStageRaiseMessagesOrRun) {
    std::mt19937 rng(20240611);
    int reachedRun = 0;
    int in[100];
    int out[128];
    for (int round = 0; round < 20000; ++round) {
        const std::string s = randomText(rng);
        for (int& v : in) v = rng() % 2;

        // Straight into the evaluator, as text and as code.
        std::string code;
        try {
            CEvaluator().translate(s, code, rng() % 12);
            EXPECT_LE(code.size(), s.size() + 1) << s;
        } catch (const CError&) {
        }
        try {
            CEvaluator().run(s, in, out, rng() % 12, rng() % 9);
        } catch (const CError&) {
        }

        // The whole way, as compile would take it.
        CTransitionFunction f;
        f.functionText = s;
        try {
            refreshFunction(f);
            // Usually connected as compile binds the arcs: one slot per variable and maybe an unlabelled one.
            FunctionPorts ports;
            ports.inputArcCount = rng() % 8 ? f.inputCount + rng() % 2 : rng() % 3;
            ports.outputArcCount = rng() % 8 ? f.outputCount + rng() % 2 : rng() % 3;
            for (int k = 0; k < ports.inputArcCount; ++k) ports.inputBound.push_back(rng() % 16 != 0);
            for (int k = 0; k < ports.outputArcCount; ++k) {
                ports.outputBound.push_back(rng() % 16 != 0);
                ports.outputBlack.push_back(rng() % 8 == 0);
            }
            prepareFunction(f, ports);
        } catch (const CError& e) {
            EXPECT_FALSE(e.message().empty());
            continue;
        }
        // Prepared code always runs: on its own inputs, for exactly its outputs.
        ASSERT_LE(f.outputCount, 128);
        if (f.compiledGuard) {
            EXPECT_NO_THROW(CEvaluator().run(*f.compiledGuard, in, out, f.inputCount, 1)) << s;
        }
        EXPECT_NO_THROW(CEvaluator().run(f.compiledFunction, in, out, f.inputCount, f.outputCount)) << s;
        ++reachedRun;
    }
    EXPECT_GT(reachedRun, 1000);  // the texts do get through to the evaluator
}

TEST(Robustness, RandomExpressionsAgreeWithTheReferenceGrammar) {
    std::mt19937 rng(7);
    for (int round = 0; round < 3000; ++round) {
        const int inputs = 1 + rng() % 12;
        const std::string e = randomExpression(rng, inputs, 2);
        if (e.size() > 100) continue;
        std::string code;
        CEvaluator().translate(e, code, inputs);
        std::vector<int> in(inputs);
        for (int trial = 0; trial < 4; ++trial) {
            for (int& v : in) v = rng() % 2;
            int got = -1;
            CEvaluator().run(code, in.data(), &got, inputs, 1);
            ASSERT_EQ(got, (Reference{e, in}.xorExpr())) << e;
        }
    }
}
