// Function and guard expressions as Verilog must read them.
//
// The net's meaning of an expression is taken from the evaluator itself: its translation to postfix code
// is run on symbols instead of values, which gives the expression tree the simulation computes, with every
// quirk of the evaluator (an unclosed "(" dropped, "~" binding to the right). The text is then read the
// way Verilog reads it; when that gives the same tree, the text is written unchanged, so files of nets that
// never depended on the difference stay as they were. Otherwise the tree is printed with Verilog's
// precedence and only the brackets it needs.
#include "verilog/expression.h"

#include <cctype>
#include <vector>

#include "common/error.h"
#include "common/messages.h"
#include "trafunc/evaluator.h"

namespace novra::verilog {

namespace {

enum class Kind { kVar, kNot, kAnd, kOr, kXor, kXnor };

struct Node {
    Kind kind;
    int var = 0;  // kVar: input number
    int a = -1;   // operand of kNot, left operand of a binary node
    int b = -1;   // right operand
};

struct Tree {
    std::vector<Node> nodes;
    int add(Node n) {
        nodes.push_back(n);
        return static_cast<int>(nodes.size()) - 1;
    }
};

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// The tree the evaluator computes: its postfix code run on node numbers. Like a run, it reads one or two
// digits per input and takes the top of the stack as the result.
int netReading(const std::string& code, Tree& t) {
    std::vector<int> stack;
    auto pop = [&]() {
        if (stack.empty()) raise(text(msg::kEvalStackUnderflowPop));
        const int n = stack.back();
        stack.pop_back();
        return n;
    };
    for (size_t i = 0; i < code.size() && code[i] != '\n'; ++i) {
        const char c = code[i];
        if (c == 'i') continue;
        if (isDigit(c)) {
            int n = c - '0';
            if (i + 1 < code.size() && isDigit(code[i + 1])) n = n * 10 + (code[++i] - '0');
            stack.push_back(t.add({Kind::kVar, n}));
        } else if (c == '~') {
            stack.push_back(t.add({Kind::kNot, 0, pop()}));
        } else {
            const int b = pop();
            const int a = pop();
            const Kind k = c == '&' ? Kind::kAnd : c == '|' ? Kind::kOr : Kind::kXor;
            stack.push_back(t.add({k, 0, a, b}));
        }
    }
    return pop();
}

// Reads an expression as a Verilog compiler does: "~" applies to a primary only (so "~~a" is refused),
// "^~" is the XNOR operator, then "&", "^" and "|" from tightest. -1 when Verilog would refuse the text.
class CVerilogReader {
  public:
    CVerilogReader(const std::string& s, Tree& t) : s_(s), t_(t) {}

    int read() {
        const int root = orExpr();
        skipBlanks();
        return ok_ && pos_ == s_.size() ? root : -1;
    }

  private:
    void skipBlanks() {
        while (pos_ < s_.size() && (s_[pos_] == ' ' || s_[pos_] == '\t')) ++pos_;
    }
    bool at(char c) {
        skipBlanks();
        return ok_ && pos_ < s_.size() && s_[pos_] == c;
    }
    int binary(Kind k, int a, int b) { return ok_ ? t_.add({k, 0, a, b}) : -1; }

    int orExpr() {
        int left = xorExpr();
        while (at('|')) {
            ++pos_;
            left = binary(Kind::kOr, left, xorExpr());
        }
        return left;
    }
    int xorExpr() {
        int left = andExpr();
        while (at('^')) {
            ++pos_;
            const bool xnor = pos_ < s_.size() && s_[pos_] == '~';
            if (xnor) ++pos_;
            left = binary(xnor ? Kind::kXnor : Kind::kXor, left, andExpr());
        }
        return left;
    }
    int andExpr() {
        int left = unary();
        while (at('&')) {
            ++pos_;
            left = binary(Kind::kAnd, left, unary());
        }
        return left;
    }
    int unary() {
        if (!at('~')) return primary();
        ++pos_;
        // "~~", "~&", "~|" and "~^" are other operators or no operand at all.
        if (at('~') || at('&') || at('|') || at('^')) return fail();
        const int x = primary();
        return ok_ ? t_.add({Kind::kNot, 0, x}) : -1;
    }
    int primary() {
        if (at('(')) {
            ++pos_;
            const int e = orExpr();
            if (!at(')')) return fail();
            ++pos_;
            return e;
        }
        if (!at('i')) return fail();
        ++pos_;
        // A leading zero would name another Verilog signal than the input the evaluator reads.
        if (pos_ >= s_.size() || !isDigit(s_[pos_]) || s_[pos_] == '0') return fail();
        int n = 0;
        while (pos_ < s_.size() && isDigit(s_[pos_]) && n < 1000) n = n * 10 + (s_[pos_++] - '0');
        if (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) || s_[pos_] == '_'))
            return fail();
        return t_.add({Kind::kVar, n});
    }
    int fail() {
        ok_ = false;
        return -1;
    }

    const std::string& s_;
    Tree& t_;
    size_t pos_ = 0;
    bool ok_ = true;
};

// Whether Verilog's tree v computes what the evaluator's tree n computes. XNOR "a^~b" equals the
// evaluator's a^(~b) on single bits.
bool same(const Tree& v, int a, const Tree& n, int b) {
    const Node& x = v.nodes[static_cast<size_t>(a)];
    const Node& y = n.nodes[static_cast<size_t>(b)];
    if (x.kind == Kind::kXnor) {
        if (y.kind != Kind::kXor) return false;
        const Node& right = n.nodes[static_cast<size_t>(y.b)];
        return right.kind == Kind::kNot && same(v, x.a, n, y.a) && same(v, x.b, n, right.a);
    }
    if (x.kind != y.kind) return false;
    switch (x.kind) {
        case Kind::kVar:
            return x.var == y.var;
        case Kind::kNot:
            return same(v, x.a, n, y.a);
        default:
            return same(v, x.a, n, y.a) && same(v, x.b, n, y.b);
    }
}

// Verilog's binding strength: "~" on a primary, then "&", "^", "|".
int strength(Kind k) {
    switch (k) {
        case Kind::kAnd:
            return 3;
        case Kind::kXor:
        case Kind::kXnor:
            return 2;
        case Kind::kOr:
            return 1;
        default:
            return 4;
    }
}

std::string print(const Tree& t, int n) {
    const Node& x = t.nodes[static_cast<size_t>(n)];
    if (x.kind == Kind::kVar) return "i" + std::to_string(x.var);
    if (x.kind == Kind::kNot) {
        const std::string operand = print(t, x.a);
        return t.nodes[static_cast<size_t>(x.a)].kind == Kind::kVar ? "~" + operand : "~(" + operand + ")";
    }
    const int s = strength(x.kind);
    std::string left = print(t, x.a);
    if (strength(t.nodes[static_cast<size_t>(x.a)].kind) < s) left = "(" + left + ")";
    std::string right = print(t, x.b);
    // The binary operators group to the left, so an equal right operand needs its brackets.
    if (strength(t.nodes[static_cast<size_t>(x.b)].kind) <= s) right = "(" + right + ")";
    const char op = x.kind == Kind::kAnd ? '&' : x.kind == Kind::kOr ? '|' : '^';
    // "^" right before "~" would read as XNOR.
    const char* gap = (op == '^' && right[0] == '~') ? " " : "";
    return left + op + gap + right;
}

}  // namespace

std::string verilogExpression(const std::string& expr, int inputCount) {
    std::string code;
    CEvaluator().translate(expr, code, inputCount);
    Tree net;
    const int netRoot = netReading(code, net);
    Tree verilog;
    const int verilogRoot = CVerilogReader(expr, verilog).read();
    if (verilogRoot >= 0 && same(verilog, verilogRoot, net, netRoot)) return expr;
    return print(net, netRoot);
}

}  // namespace novra::verilog
