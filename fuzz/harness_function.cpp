// Transition functions and the evaluator: any text ends in a message or in code that runs to 0/1 values.
#include <algorithm>
#include <vector>

#include "common/error.h"
#include "harness.h"
#include "trafunc/evaluator.h"
#include "trafunc/function.h"

namespace novra::fuzz {

namespace {

// Input values for a run, taken from the text itself so each input exercises different values.
std::vector<int> inputsFrom(std::string_view bytes, size_t count) {
    std::vector<int> v(std::max<size_t>(count, 1), 0);
    for (size_t k = 0; k < count; ++k) v[k] = bytes.empty() ? 0 : (bytes[k % bytes.size()] >> (k % 7)) & 1;
    return v;
}

std::string checkValues(const std::vector<int>& values, const char* what) {
    for (int v : values)
        if (v != 0 && v != 1) return std::string(what) + " gave " + std::to_string(v);
    return "";
}

// An independent reading of one expression (blanks removed) by recursive descent, with the evaluator's
// priorities: "~" above "&" above "|" above "^", binary operators to the left; a "(" still open at the end
// of the line counts as closed there.
class Reference {
  public:
    Reference(std::string_view line, const int* inputs) : s_(line), in_(inputs) {}
    int value() { return binaryLevel(2); }

  private:
    int binaryLevel(int level) {
        static constexpr char kOps[] = {'&', '|', '^'};
        int v = level < 0 ? unary() : binaryLevel(level - 1);
        while (pos_ < s_.size() && level >= 0 && s_[pos_] == kOps[level]) {
            ++pos_;
            const int w = level == 0 ? unary() : binaryLevel(level - 1);
            v = level == 0 ? (v & w) : level == 1 ? (v | w) : (v ^ w);
        }
        return v;
    }
    int unary() {
        if (pos_ < s_.size() && s_[pos_] == '~') {
            ++pos_;
            return unary() == 0 ? 1 : 0;
        }
        if (pos_ < s_.size() && s_[pos_] == '(') {
            ++pos_;
            const int v = binaryLevel(2);
            if (pos_ < s_.size() && s_[pos_] == ')') ++pos_;
            return v;
        }
        ++pos_;  // "i"
        int n = 0;
        while (pos_ < s_.size() && s_[pos_] >= '0' && s_[pos_] <= '9') n = n * 10 + (s_[pos_++] - '0');
        return in_[n - 1];
    }

    std::string_view s_;
    const int* in_;
    size_t pos_ = 0;
};

// The reference value of every line of a text that translated.
std::vector<int> referenceValues(std::string_view text, const int* inputs) {
    std::vector<int> values;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string line;
        for (char c : text.substr(pos, end - pos))
            if (c != ' ') line.push_back(c);
        values.push_back(Reference(line, inputs).value());
        pos = end + 1;
    }
    return values;
}

}  // namespace

std::string checkFunctionText(std::string_view bytes) {
    CTransitionFunction f;
    f.functionText.assign(bytes);
    try {
        refreshFunction(f);
    } catch (const CError&) {
        // A parse may stop half way; the counts still describe the maps.
        if (f.normalizedText.empty() && (!f.inputVarNames.empty() || !f.outputVarNames.empty()))
            return "a failed normalisation left names behind";
        if (f.inputCount != static_cast<int>(f.inputVarNames.size()) ||
            f.outputCount != static_cast<int>(f.outputVarNames.size()))
            return "counts out of step with the maps";
        return "";
    }
    if (f.inputCount != static_cast<int>(f.inputVarNames.size()) ||
        f.outputCount != static_cast<int>(f.outputVarNames.size()))
        return "counts out of step with the maps";
    for (const auto& [name, n] : f.outputVarNames)
        if (f.inputVarNames.count(name)) return "a name is both input and output: " + name;

    FunctionPorts ports;
    ports.inputArcCount = std::max(f.inputCount, 1);
    ports.outputArcCount = std::max(f.outputCount, 1);
    ports.inputBound.assign(ports.inputArcCount, true);
    ports.outputBound.assign(ports.outputArcCount, true);
    ports.outputBlack.assign(ports.outputArcCount, !bytes.empty() && (bytes[0] & 1));
    try {
        prepareFunction(f, ports);
    } catch (const CError&) {
        if (!f.compiledFunction.empty()) return "a failed preparation left code behind";
        return "";
    }
    if (f.inputValues.size() != static_cast<size_t>(f.inputCount) ||
        f.outputValues.size() != static_cast<size_t>(f.outputCount))
        return "value arrays do not match the counts";
    const std::vector<int> in = inputsFrom(bytes, static_cast<size_t>(f.inputCount));
    std::vector<int> out(std::max(f.outputCount, 1), 0);
    try {
        CEvaluator ev;
        if (f.compiledGuard) {
            int guard = 0;
            ev.run(*f.compiledGuard, in.data(), &guard, f.inputCount, 1);
            if (guard != 0 && guard != 1) return "the guard gave " + std::to_string(guard);
        }
        ev.run(f.compiledFunction, in.data(), out.data(), f.inputCount, f.outputCount);
    } catch (const CError& e) {
        return "prepared code does not run: " + e.message();
    }
    if (std::string p = checkValues(out, "the function"); !p.empty()) return p;
    const std::vector<int> expected = referenceValues(f.canonicalText, in.data());
    for (int k = 0; k < f.outputCount && static_cast<size_t>(k) < expected.size(); ++k)
        if (out[static_cast<size_t>(k)] != expected[static_cast<size_t>(k)])
            return "output " + std::to_string(k + 1) + " differs from what its expression means";
    return "";
}

std::string checkEvaluator(std::string_view bytes) {
    if (bytes.empty()) return "";
    const int inputCount = static_cast<unsigned char>(bytes[0]) % 128;
    const std::string_view text = bytes.substr(1);
    const std::vector<int> in = inputsFrom(text, 128);
    const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;

    std::string code;
    bool translated = false;
    try {
        CEvaluator().translate(text, code, inputCount);
        translated = true;
    } catch (const CError&) {
    }
    if (translated) {
        const int outputs = static_cast<int>(std::count(code.begin(), code.end(), '\n'));
        if (outputs > lines) return "more code lines than text lines";
        std::vector<int> out(std::max(outputs, 1), 0);
        try {
            CEvaluator().run(code, in.data(), out.data(), inputCount, outputs);
        } catch (const CError& e) {
            return "translated code does not run: " + e.message();
        }
        if (std::string p = checkValues(out, "translated code"); !p.empty()) return p;
        const std::vector<int> expected = referenceValues(text, in.data());
        if (static_cast<int>(expected.size()) != outputs) return "translation dropped or added a line";
        for (int k = 0; k < outputs; ++k)
            if (out[static_cast<size_t>(k)] != expected[static_cast<size_t>(k)])
                return "expression " + std::to_string(k + 1) + " gives " + std::to_string(out[k]) +
                       " where its text means " + std::to_string(expected[static_cast<size_t>(k)]);
    }
    // Code that did not come from translate must still fail with a message, never read out of bounds.
    std::vector<int> out(8, 0);
    try {
        CEvaluator().run(text, in.data(), out.data(), inputCount, static_cast<int>(bytes[0] & 7));
    } catch (const CError&) {
    }
    return "";
}

}  // namespace novra::fuzz
