// Stage 3: checks the connections and turns the function into evaluator code.
#include "common/error.h"
#include "common/messages.h"
#include "trafunc/evaluator.h"
#include "trafunc/function.h"
#include "trafunc/syntax.h"

namespace novra {

namespace {

bool isSeparator(char c) {
    return c == '\n' || c == '=' || c == '?' || trafunc::isOperatorChar(c);
}

// Every name replaced by o<number> or i<number>. A name in neither map (maps out of step with the text)
// stays as written, and the evaluator rejects it.
std::string canonicalNames(const CTransitionFunction& f) {
    const std::string& s = f.normalizedText;
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        if (isSeparator(s[i])) {
            out.push_back(s[i++]);
            continue;
        }
        size_t end = i;
        while (end < s.size() && !isSeparator(s[end])) ++end;
        const std::string name = s.substr(i, end - i);
        if (auto o = f.outputVarNames.find(name); o != f.outputVarNames.end())
            out += "o" + std::to_string(o->second);
        else if (auto in = f.inputVarNames.find(name); in != f.inputVarNames.end())
            out += "i" + std::to_string(in->second);
        else
            out += name;
        i = end;
    }
    return out;
}

// Cuts every left side: from an "o" through the next "=" of its line.
std::string rightSides(const std::string& s) {
    std::string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == 'o') {
            const size_t eq = s.find_first_of("=\n", i);
            if (eq != std::string::npos && s[eq] == '=') {
                i = eq;
                continue;
            }
        }
        out.push_back(s[i]);
    }
    return out;
}

// Exactly one input variable: "i" and one or two digits.
bool isSingleInput(std::string_view e) {
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return (e.size() == 2 || e.size() == 3) && e[0] == 'i' && digit(e[1]) && (e.size() == 2 || digit(e[2]));
}

}  // namespace

void prepareFunction(CTransitionFunction& f, const FunctionPorts& ports) {
    // No code of an earlier text may survive a failed preparation.
    f.canonicalText.clear();
    f.guardText.clear();
    f.compiledGuard.reset();
    f.compiledFunction.clear();

    if (ports.inputArcCount <= 0) raise(text(msg::kNoInputPlace));
    if (ports.outputArcCount <= 0) raise(text(msg::kNoOutputPlace));
    for (int k = 0; k < ports.inputArcCount; ++k)
        if (static_cast<size_t>(k) >= ports.inputBound.size() || !ports.inputBound[k])
            raise(text(msg::kBadInputPlace));
    for (int k = 0; k < ports.outputArcCount; ++k)
        if (static_cast<size_t>(k) >= ports.outputBound.size() || !ports.outputBound[k])
            raise(text(msg::kBadOutputPlace));

    std::string canonical = canonicalNames(f);
    if (!canonical.empty() && canonical[0] == '?') {
        const size_t lf = canonical.find('\n');
        if (lf == std::string::npos) {
            f.guardText = canonical.substr(1);
            canonical.clear();
        } else {
            f.guardText = canonical.substr(1, lf - 1);
            canonical.erase(0, lf + 1);
        }
    }
    f.canonicalText = rightSides(canonical);
    f.inputCount = static_cast<int>(f.inputVarNames.size());
    f.outputCount = static_cast<int>(f.outputVarNames.size());

    if (!f.guardText.empty()) {
        std::string code;
        CEvaluator().translate(f.guardText, code, f.inputCount);
        f.compiledGuard = std::move(code);
    }
    try {
        CEvaluator().translate(f.canonicalText, f.compiledFunction, f.inputCount);
    } catch (...) {
        f.compiledFunction.clear();
        throw;
    }

    // A black token on an output starts a wave the function never computed, so that output may only pass
    // one input through.
    std::string_view rest = f.canonicalText;
    for (int k = 0; k < f.outputCount; ++k) {
        const size_t lf = rest.find('\n');
        const std::string_view expr = rest.substr(0, lf);
        rest = (lf == std::string_view::npos) ? std::string_view() : rest.substr(lf + 1);
        if (static_cast<size_t>(k) < ports.outputBlack.size() && ports.outputBlack[k] && !isSingleInput(expr)) {
            f.compiledGuard.reset();
            f.compiledFunction.clear();
            raise(text(msg::kBlackOnFunctionOutput));
        }
    }

    f.inputValues.assign(f.inputCount, 0);
    f.outputValues.assign(f.outputCount, 0);
}

}  // namespace novra
