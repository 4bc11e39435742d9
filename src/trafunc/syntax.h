#pragma once
// Character classes shared by the stages of the transition-function language.

namespace novra::trafunc {

// The six operator characters of an expression.
inline bool isOperatorChar(char c) {
    return c == '&' || c == '|' || c == '^' || c == '(' || c == ')' || c == '~';
}

inline bool isLayoutChar(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Characters that may not appear in a name.
inline bool isForbiddenNameChar(char c) {
    switch (c) {
        case '!':
        case '#':
        case '%':
        case '-':
        case '@':
        case '*':
        case '+':
        case '/':
        case '>':
        case '<':
        case '[':
        case ']':
        case '{':
        case '}':
        case ':':
        case '?':
            return true;
        default:
            return false;
    }
}

// A character of a name: anything that is not layout, a separator or an operator. Bytes of multi-byte
// UTF-8 characters (Japanese names) are name characters.
inline bool isWordChar(char c) {
    return !isLayoutChar(c) && c != ';' && c != '=' && c != '?' && c != '/' && !isOperatorChar(c);
}

}  // namespace novra::trafunc
