// The expression stack machine. Translation is a shunting-yard over one line at a time; a run walks the
// postfix code with the same fixed stack and allocates nothing.
#include "trafunc/evaluator.h"

#include "common/error.h"
#include "common/messages.h"

namespace novra {

namespace {

// Operator numbers index the priority table.
enum Op : int { kOpOpen = 0, kOpClose = 1, kOpNot = 2, kOpAnd = 3, kOpOr = 4, kOpXor = 5 };
constexpr char kOpChar[] = {'(', ')', '~', '&', '|', '^'};
constexpr int kOpPriority[] = {1, 1, 7, 6, 5, 4};

// Token classes of a character.
enum TokenClass : int {
    kStart = 0,
    kEnd = 1,
    kLineFeed = 2,
    kInput = 3,
    kDigit = 4,
    kNot = 5,
    kBinary = 6,
    kOpen = 7,
    kClose = 8,
    kNoClass = 9,
};

TokenClass classOf(char c, int& op) {
    switch (c) {
        case '\n':
            return kLineFeed;
        case 'i':
            return kInput;
        case '(':
            op = kOpOpen;
            return kOpen;
        case ')':
            op = kOpClose;
            return kClose;
        case '~':
            op = kOpNot;
            return kNot;
        case '&':
            op = kOpAnd;
            return kBinary;
        case '|':
            op = kOpOr;
            return kBinary;
        case '^':
            op = kOpXor;
            return kBinary;
        default:
            return (c >= '0' && c <= '9') ? kDigit : kNoClass;
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether a token of class next may follow one of class prev (kEnd stands for the end of the line).
bool mayFollow(TokenClass prev, TokenClass next) {
    switch (prev) {
        case kStart:
        case kNot:
        case kBinary:
        case kOpen:
            return next == kInput || next == kNot || next == kOpen;
        case kInput:
            return next == kDigit;
        case kDigit:
            return next == kDigit || next == kBinary || next == kClose || next == kEnd;
        case kClose:
            return next == kBinary || next == kClose || next == kEnd;
        default:
            return false;
    }
}

}  // namespace

CEvaluator::CEvaluator() = default;

void CEvaluator::push(int v) {
    if (count_ >= kStackSize) raise(text(msg::kEvalStackOverflow));
    stack_[count_++] = v;
}

int CEvaluator::pop() {
    if (count_ <= 0) raise(text(msg::kEvalStackUnderflowPop));
    return stack_[--count_];
}

int CEvaluator::top() const {
    if (count_ <= 0) raise(text(msg::kEvalStackUnderflowTop));
    return stack_[count_ - 1];
}

void CEvaluator::translate(std::string_view source, std::string& code, int inputCount) {
    code.clear();
    // The postfix form drops parentheses and blanks, so it never outgrows the text plus a line feed.
    code.reserve(source.size() + 1);
    outPos_ = 0;
    size_t pos = 0;
    while (pos < source.size()) {
        size_t lineEnd = source.find('\n', pos);
        if (lineEnd == std::string_view::npos) lineEnd = source.size();
        translateLine(source.substr(pos, lineEnd - pos), code, inputCount);
        pos = lineEnd + 1;
        if (pos < source.size()) ++lineNumber_;
    }
    // run() refuses code for that many inputs, so none is produced, even when the text names no high one.
    if (inputCount > kMaxInputs) {
        code.clear();
        raise(format(msg::kEvalTooManyInputs, kMaxInputs));
    }
}

void CEvaluator::translateLine(std::string_view source, std::string& code, int inputCount) {
    if (source.size() > static_cast<size_t>(kLineBufferSize))
        raise(format(msg::kEvalBufferOver, lineNumber_, kLineBufferSize));
    char line[kLineBufferSize + 1];
    int length = 0;
    for (char c : source)
        if (c != ' ') line[length++] = c;
    line[length] = '\0';

    // Variable numbers first, so a bad name is reported as such rather than as a syntax fault. More than
    // two digits never name an input (the run reads at most two).
    for (int i = 0; i < length;) {
        if (!isDigit(line[i])) {
            ++i;
            continue;
        }
        int value = 0;
        int digits = 0;
        for (; i < length && isDigit(line[i]); ++i, ++digits)
            if (digits < 3) value = value * 10 + (line[i] - '0');
        if (digits > 2 || value > kMaxInputs) raise(format(msg::kEvalTooManyInputs, kMaxInputs));
        if (value < 1 || value > inputCount) raise(format(msg::kEvalUnknownInput, lineNumber_));
    }

    count_ = 0;
    push(kOpOpen);  // floor of the operator stack
    TokenClass prev = kStart;
    for (int i = 0; i <= length; ++i) {
        int op = -1;
        const TokenClass cls = (i == length) ? kEnd : classOf(line[i], op);
        if (cls == kNoClass) raise(format(msg::kEvalBadChar, lineNumber_));
        if (!mayFollow(prev, cls)) raise(format(msg::kEvalSyntax, lineNumber_));
        switch (cls) {
            case kInput:
            case kDigit:
                code.push_back(line[i]);
                break;
            case kNot:
            case kBinary:
                while (kOpPriority[top()] >= kOpPriority[op]) {
                    // "~" binds to the right, the binary operators to the left.
                    if (op == kOpNot && kOpPriority[top()] == kOpPriority[op]) break;
                    code.push_back(kOpChar[pop()]);
                }
                push(op);
                break;
            case kOpen:
                push(kOpOpen);
                break;
            case kClose:
                while (top() != kOpOpen) code.push_back(kOpChar[pop()]);
                pop();
                break;
            default:
                break;
        }
        prev = cls;
    }
    // Pop down to the floor. A "(" never closed is dropped on the way, not taken for the floor: the
    // operators below it belong to the expression too. A ")" that took the floor away ends in an
    // underflow here.
    while (count_ > 1) {
        const int op = pop();
        if (op != kOpOpen) code.push_back(kOpChar[op]);
    }
    top();
    pop();
    code.push_back('\n');
    outPos_ = code.size();
    count_ = 0;
}

void CEvaluator::run(std::string_view code, const int* inputValues, int* outputValues, int inputCount,
                     int outputCount) {
    if (inputCount > kMaxInputs) raise(text(msg::kEvalRunTooManyInputs));
    if (inputCount < 0) inputCount = 0;

    count_ = 0;
    outPos_ = 0;
    const size_t size = code.size();
    for (int k = 0; k < outputCount; ++k) {
        while (outPos_ < size && code[outPos_] != '\n') {
            const char c = code[outPos_];
            int op = -1;
            switch (classOf(c, op)) {
                case kInput:
                    break;
                case kDigit: {
                    const size_t at = outPos_;
                    int n = c - '0';
                    digitCount_ = 1;
                    if (outPos_ + 1 < size && isDigit(code[outPos_ + 1])) {
                        n = n * 10 + (code[outPos_ + 1] - '0');
                        digitCount_ = 2;
                    }
                    // Code from translate names inputs 1..inputCount only; anything else is not our code.
                    if (n < 1 || n > inputCount)
                        raise(format(msg::kEvalBadDigitBuffer, static_cast<int>(at)));
                    push(inputValues[n - 1]);
                    outPos_ += digitCount_ - 1;
                    break;
                }
                case kNot:
                    push(pop() == 0 ? 1 : 0);
                    break;
                case kBinary: {
                    const int b = pop();
                    const int a = pop();
                    push(op == kOpAnd ? (a & b) : op == kOpOr ? (a | b) : (a ^ b));
                    break;
                }
                default:
                    raise(text(msg::kEvalBadTokenType));
            }
            ++outPos_;
        }
        outputValues[k] = pop();
        if (outPos_ < size) ++outPos_;  // past the line feed
    }
    count_ = 0;
}

}  // namespace novra
