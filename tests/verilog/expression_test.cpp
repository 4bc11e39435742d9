// Expressions written into the netlist mean in Verilog what they mean to the net's evaluator, and keep
// their text wherever the two readings already agree.
#include "verilog/expression.h"

#include <gtest/gtest.h>

#include "common/error.h"

namespace novra {
namespace {

TEST(VerilogExpressionTest, TextsBothReadTheSameWayStayAsWritten) {
    for (const char* e : {"i1", "~i1", "i1&i2|~i3", "(i1|i2)^i3", "i1^i2&i3", "i1&~i2", "i1|~i2", "i1^~i2",
                          "i1^~~i2", "~(~i1)", "((i1))", "i1|i2|i3", "i1^(i2|i3)", "i12&i3"})
        EXPECT_EQ(e, verilog::verilogExpression(e, 12)) << e;
}

TEST(VerilogExpressionTest, TextsVerilogWouldReadOtherwiseGetWhatTheyNeed) {
    const struct {
        const char* net;
        const char* verilog;
    } cases[] = {
        {"i1|i2^i3", "(i1|i2)^i3"},  // "|" binds tighter than "^" in the net
        {"i1^i2|i3", "i1^(i2|i3)"},
        {"i1|i2^i3|i1", "(i1|i2)^(i3|i1)"},
        {"~~i1", "~(~i1)"},  // Verilog refuses "~~"
        {"~~~i1&i2", "~(~(~i1))&i2"},
        {"~~i1&(i2&i3)", "~(~i1)&(i2&i3)"},  // rewritten around a bracket that stays
        {"i1^~i1&i1", "i1^ ~i1&i1"},         // "^~" would be XNOR over i1&i1
        {"(i1", "i1"},                       // an unclosed "(" is dropped
        {"i1&(i2|i3", "i1&(i2|i3)"},
        {"((i1^i2", "i1^i2"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.verilog, verilog::verilogExpression(c.net, 3)) << c.net;
}

TEST(VerilogExpressionTest, TextsTheEvaluatorRefusesAreRefused) {
    EXPECT_THROW(verilog::verilogExpression("i1)", 1), CError);
    EXPECT_THROW(verilog::verilogExpression("i4", 3), CError);
}

}  // namespace
}  // namespace novra
