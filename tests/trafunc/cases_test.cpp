// The stages of a transition function, case by case from tests/data/trafunc/cases.tsv: normalisation,
// parsing, preparation, translation into postfix code and the run of that code, with the message of every
// fault in both wordings.
#include <gtest/gtest.h>

#include <sstream>

#include "support/support.h"
#include "trafunc/evaluator.h"
#include "trafunc/function.h"

using namespace novra;
using namespace novra::support;

namespace {

std::string names(const std::map<std::string, int>& m) {
    std::vector<std::string> byNumber(m.size() + 1);
    for (const auto& [name, n] : m) byNumber.at(static_cast<size_t>(n)) = name + "=" + std::to_string(n);
    std::string s;
    for (const std::string& e : byNumber)
        if (!e.empty()) s += (s.empty() ? "" : " ") + e;
    return s;
}

// What a stage gives for the fields of a case: its result, or "!" and the message it raised.
std::string outcome(const std::string& stage, const std::vector<std::string>& f) {
    std::string result;
    const std::string message = errorOf([&] {
        if (stage == "normalize") {
            result = normalizeFunction(f[0]);
        } else if (stage == "parse") {
            std::map<std::string, int> in{{"stale", 9}}, out{{"stale", 9}};
            parseFunction(f[0], in, out);
            result = names(in) + " | " + names(out);
            result = result.substr(result.find_first_not_of(' '));
            result.erase(result.find_last_not_of(' ') + 1);
        } else if (stage == "translate") {
            result = "stale";
            CEvaluator().translate(f[0], result, std::stoi(f[1]));
        } else if (stage == "eval") {
            std::string code;
            const int inputs = static_cast<int>(f[1].size());
            CEvaluator().translate(f[0], code, inputs);
            std::vector<int> in;
            for (char c : f[1]) in.push_back(c - '0');
            std::vector<int> out(static_cast<size_t>(std::count(code.begin(), code.end(), '\n')), -1);
            CEvaluator().run(code, in.data(), out.data(), inputs, static_cast<int>(out.size()));
            for (int v : out) result += (result.empty() ? "" : " ") + std::to_string(v);
        } else if (stage == "prepare") {
            std::istringstream kinds(f[1]);
            std::string io, flags;
            kinds >> io;
            FunctionPorts p;
            p.inputArcCount = std::stoi(io);
            p.outputArcCount = std::stoi(io.substr(io.find('/') + 1));
            p.inputBound.assign(static_cast<size_t>(p.inputArcCount), true);
            p.outputBound.assign(static_cast<size_t>(p.outputArcCount), true);
            p.outputBlack.assign(static_cast<size_t>(p.outputArcCount), false);
            while (kinds >> flags) {
                std::vector<bool>& v = flags[0] == 'i'   ? p.inputBound
                                       : flags[0] == 'o' ? p.outputBound
                                                         : p.outputBlack;
                v.clear();
                for (char c : flags.substr(flags.find('=') + 1)) v.push_back(c == '1');
            }
            CTransitionFunction fn;
            fn.functionText = f[0];
            refreshFunction(fn);
            prepareFunction(fn, p);
            result = "canonical=" + fn.canonicalText + " code=" + fn.compiledFunction +
                     " guard=" + fn.guardText + "/" + fn.compiledGuard.value_or("-") +
                     " values=" + std::to_string(fn.inputValues.size()) + "/" +
                     std::to_string(fn.outputValues.size());
        } else if (stage == "run") {
            int in[100] = {1, 1, 1};
            int out[8] = {};
            CEvaluator().run(f[0], in, out, std::stoi(f[1]), std::stoi(f[2]));
        } else {
            ADD_FAILURE() << "no stage " << stage;
        }
    });
    return message.empty() ? result : "!" + message;
}

}  // namespace

TEST(FunctionStages, EveryCaseOfTheTable) {
    std::istringstream table(data("trafunc/cases.tsv"));
    int cases = 0, lineNo = 0;
    for (std::string line; std::getline(table, line);) {
        ++lineNo;
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        for (size_t at = 0;;) {
            const size_t tab = line.find('\t', at);
            f.push_back(unescape(line.substr(at, tab - at)));
            if (tab == std::string::npos) break;
            at = tab + 1;
        }
        const std::string expected = f.back();
        std::string stage = f.front();
        f.erase(f.begin());
        f.pop_back();
        const size_t at = stage.find('@');
        NmodeScope mode(at == std::string::npos ? 0 : std::stoi(stage.substr(at + 1)));
        EXPECT_EQ(outcome(stage.substr(0, at), f), expected) << "cases.tsv line " << lineNo;
        ++cases;
    }
    EXPECT_GT(cases, 150);
}
