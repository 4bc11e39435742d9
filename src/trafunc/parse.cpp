// Stage 2: finds the guard, the output and the input names of a normalised text and numbers them.
#include "common/error.h"
#include "common/messages.h"
#include "trafunc/function.h"
#include "trafunc/syntax.h"

namespace novra {

using trafunc::isForbiddenNameChar;
using trafunc::isOperatorChar;

void parseFunction(std::string_view normalized, std::map<std::string, int>& inputVarNames,
                   std::map<std::string, int>& outputVarNames) {
    inputVarNames.clear();
    outputVarNames.clear();
    if (normalized.empty()) return;

    int nextInput = 1;
    int nextOutput = 1;
    size_t pos = 0;
    bool guard = false;
    if (normalized[0] == '?') {
        guard = true;
        pos = 1;
    }
    bool leftSide = !guard;  // still before the "=" of an assignment
    bool inWord = false;
    size_t wordStart = 0;

    auto takeInput = [&](size_t end) {
        std::string name(normalized.substr(wordStart, end - wordStart));
        if (inputVarNames.emplace(name, nextInput).second) ++nextInput;
        if (outputVarNames.count(name)) raise(text(msg::kParseFeedback));
        inWord = false;
    };

    for (; pos < normalized.size(); ++pos) {
        const char c = normalized[pos];
        if (c == '=') {
            if (!inWord) raise(text(guard ? msg::kParseBadGuard : msg::kParseBadOutput));
            if (!leftSide) raise(text(guard ? msg::kParseGuardNoSemicolon : msg::kParseNoSemicolon));
            std::string name(normalized.substr(wordStart, pos - wordStart));
            if (outputVarNames.count(name)) raise(text(msg::kParseDuplicateOutput));
            outputVarNames.emplace(name, nextOutput++);
            if (inputVarNames.count(name)) raise(text(msg::kParseFeedback));
            leftSide = false;
            inWord = false;
        } else if (c == '\n') {
            if (inWord) takeInput(pos);
            guard = false;
            leftSide = true;
        } else if (isOperatorChar(c)) {
            // The left side of an assignment is one name; an operator there would silently become part
            // of the expression once the left side is cut off.
            if (leftSide) raise(text(msg::kParseBadOutput));
            if (inWord) takeInput(pos);
        } else {
            if (isForbiddenNameChar(c)) raise(text(msg::kParseForbiddenChar));
            if (!inWord) {
                inWord = true;
                wordStart = pos;
            }
        }
    }
    if (inWord) raise(text(guard ? msg::kParseGuardNoSemicolon : msg::kParseLastNoSemicolon));
    if (!leftSide) raise(text(guard ? msg::kParseGuardNoSemicolon : msg::kParseNoSemicolon));
}

void refreshFunction(CTransitionFunction& f) {
    // The counts always follow the maps, also when a stage fails half way.
    struct CountSync {
        CTransitionFunction& f;
        ~CountSync() {
            f.inputCount = static_cast<int>(f.inputVarNames.size());
            f.outputCount = static_cast<int>(f.outputVarNames.size());
        }
    } sync{f};

    try {
        f.normalizedText = normalizeFunction(f.functionText);
    } catch (...) {
        // The maps describe the normalised text, which is now empty.
        f.normalizedText.clear();
        f.inputVarNames.clear();
        f.outputVarNames.clear();
        throw;
    }
    parseFunction(f.normalizedText, f.inputVarNames, f.outputVarNames);
}

}  // namespace novra
