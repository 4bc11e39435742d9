#pragma once
// The expression stack machine: translates canonical expressions (i1&i2|~i3, one per line) into postfix
// code and runs that code on the input values of one firing.
#include <string>
#include <string_view>

namespace novra {

class CEvaluator {
public:
    static constexpr int kStackSize = 100;
    static constexpr int kLineBufferSize = 100;
    static constexpr int kMaxInputs = 99;

    CEvaluator();

    // Translates the line-feed separated expressions of text into postfix code (replacing code).
    // Raises CError with the evaluator's message on the first fault.
    void translate(std::string_view text, std::string& code, int inputCount);

    // Evaluates outputCount expressions of code; the k-th result goes to outputValues[k].
    void run(std::string_view code, const int* inputValues, int* outputValues, int inputCount, int outputCount);

    int lineNumber() const { return lineNumber_; }

private:
    void translateLine(std::string_view line, std::string& code, int inputCount);
    void push(int v);
    int pop();
    int top() const;

    int stack_[kStackSize];
    int count_ = 0;
    int lineNumber_ = 1;
    size_t outPos_ = 0;
    int digitCount_ = 0;
};

}  // namespace novra
