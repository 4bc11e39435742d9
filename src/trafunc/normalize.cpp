// Stage 1: the user's text without layout and comments, one line per statement.
#include "common/error.h"
#include "common/messages.h"
#include "trafunc/function.h"
#include "trafunc/syntax.h"

namespace novra {

using trafunc::isLayoutChar;
using trafunc::isOperatorChar;

std::string normalizeFunction(std::string_view source) {
    std::string out;
    out.reserve(source.size());
    bool wordSeen = false;  // a word since the last operator or the statement start
    bool noAssign = true;   // the statement has neither "=" nor "?" yet
    bool inWord = false;

    for (size_t i = 0; i < source.size(); ++i) {
        const char c = source[i];
        if (isLayoutChar(c)) {
            inWord = false;
        } else if (c == '/') {
            // A comment runs to the end of its line; one without a line feed ends the text.
            const size_t lf = source.find('\n', i);
            if (lf == std::string_view::npos) break;
            i = lf;
            inWord = false;
        } else if (isOperatorChar(c) || c == '=' || c == '?') {
            out.push_back(c);
            if (c == '=' || c == '?') noAssign = false;
            inWord = false;
            wordSeen = false;
        } else if (c == ';') {
            const char last = out.empty() ? '\0' : out.back();
            if (last == '&' || last == '|' || last == '^' || last == '(' || last == '~' || last == '?' ||
                last == '=')
                raise(text(msg::kNormNoInput));
            if (noAssign) raise(text(msg::kNormNoExpr));
            out.push_back('\n');
            noAssign = true;
            wordSeen = false;
            inWord = false;
        } else {
            if (!inWord && wordSeen) raise(text(noAssign ? msg::kNormNoOperator : msg::kNormNoSemicolon));
            out.push_back(c);
            inWord = true;
            wordSeen = true;
        }
    }
    if (!out.empty() && out.back() != '\n') raise(text(msg::kNormLastNoSemicolon));
    return out;
}

}  // namespace novra
