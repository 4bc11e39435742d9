#include "verilog_nets.h"

#include "support/net_builder.h"

namespace novra::vtest {

namespace {

void pipeline(CNet& net) {
    support::NetBuilder b(net);
    // Several words: the circuit must stream them all, as the net does one after the other.
    b.pipe(b.uhzi({"1011001110", "1101", "001"}), {"o1=i1;", "o1=~i1;", "o1=i1;", "x=~a;", "o1=i1;"},
            b.sink());
}

void littleEndianSink(CNet& net) {
    support::NetBuilder b(net);
    b.pipe(b.uhzi({"110100", "100", "01"}, 1), {"o1=~i1;", "o1=i1;"}, b.sink(1));
}

void forkJoin(CNet& net) {
    support::NetBuilder b(net);
    const int u = b.uhzi({"0110101"});
    const int split = b.transition("a=i1;b=~i1;");
    b.link(u, split);
    const int left = b.transition("o1=i1;");
    const int right = b.transition("o1=~i1;");
    const int join = b.transition("o1=x&y;");
    b.link(split, left, "a");
    b.link(split, right, "b");
    b.link(left, join, {}, "x");
    b.link(right, join, {}, "y");
    b.pipe(join, {"o1=i1;"}, b.sink());
}

void twoSources(CNet& net) {
    support::NetBuilder b(net);
    const int u1 = b.uhzi({"0011"});
    const int u2 = b.uhzi({"0101"});
    const int t = b.transition("and=a&b;or=a|b;xor=a^b;");
    b.link(u1, t, {}, "a");
    b.link(u2, t, {}, "b");
    b.link(t, b.sink(), "and");
    b.link(t, b.sink(), "or");
    b.pipe(t, {"o1=~i1;"}, b.sink());
    b.label(t, "xor");  // the last output goes through a stage
}

void threeAndFourInputs(CNet& net) {
    support::NetBuilder b(net);
    const int u1 = b.uhzi({"010110"});
    const int u2 = b.uhzi({"011001"});
    const int u3 = b.uhzi({"111000"});
    const int u4 = b.uhzi({"100101"});
    const int t3 = b.transition("o1=(a&b)|c;");
    const int fan = b.transition("o1=i1;o2=i1;");
    b.link(u1, t3, {}, "a");
    b.link(u2, t3, {}, "b");
    b.link(u3, t3, {}, "c");
    b.link(u4, fan);
    const int t4 = b.transition("o1=(a&c)|(b^d);");
    const int copy = b.transition("o1=i1;o2=i1;o3=i1;");
    b.link(t3, copy);
    b.link(copy, t4, "o1", "a");
    b.link(copy, t4, "o2", "b");
    b.link(fan, t4, "o1", "c");
    b.link(fan, t4, "o2", "d");
    b.link(copy, b.sink(), "o3");
    b.pipe(t4, {"o1=i1;"}, b.sink());
}

// A running parity: the stage folds the loop through its two identity stages into a register.
void feedbackLoop(CNet& net) {
    support::NetBuilder b(net);
    const int u = b.uhzi({"1101001"});
    const int t0 = b.transition("o1=i1^i2;o2=i1^i2;");
    b.link(u, t0, {}, "i1");
    const int p1 = b.marked(kWhite, 0);
    const int t1 = b.transition("o1=i1;");
    const int t2 = b.transition("o1=i1;");
    b.arc(t0, p1, "o1");
    b.arc(p1, t1);
    b.link(t1, t2);
    const int p3 = b.marked(kBlack, 1);
    b.arc(t2, p3);
    b.arc(p3, t0, "i2");
    b.pipe(t0, {"o1=i1;"}, b.sink());
    b.label(t0, "o2");
}

// A loop stage whose output, which reads the loop, is offered to guarded stages: folding the loop would
// change that output's data while its request is high, under the guards' eyes.
void loopIntoSelect(CNet& net) {
    support::NetBuilder b(net);
    const int t0 = b.transition("nx=d^fb;o1=d^fb;");
    b.link(b.uhzi({"1101", "001"}), t0, {}, "d");
    b.loop(t0, "nx", "fb", 1);
    const int select = b.place();
    b.arc(t0, select, "o1");
    const int merge = b.place();
    for (const char* f : {"?v;w=v;", "?~v;w=v;"}) {
        const int t = b.transition(f);
        b.arc(select, t, "v");
        b.arc(t, merge, "w");
    }
    const int after = b.transition("o1=m;");
    b.arc(merge, after, "m");
    b.pipe(after, {"o1=i1;"}, b.sink());
}

// Texts Verilog reads otherwise than the net: "|" before "^", "~~", "^~", an unclosed "(", and a guard
// that is always false in the net but would pass every token in Verilog's reading.
void operatorTexts(CNet& net) {
    support::NetBuilder b(net);
    const int t = b.transition("o1=a|b^c;o2=~~a;o3=a^~a&b;o4=(a&c;");
    b.link(b.uhzi({"11110000", "1001"}), t, {}, "a");
    b.link(b.uhzi({"11001100", "0101"}), t, {}, "b");
    b.link(b.uhzi({"10101010", "0011"}), t, {}, "c");
    for (const char* o : {"o2", "o3", "o4"}) b.link(t, b.sink(), o);
    const int select = b.place();
    b.arc(t, select, "o1");
    const int merge = b.place();
    for (const char* f : {"?v|v^v;w=v;", "?~(v|v^v);w=~v;"}) {
        const int g = b.transition(f);
        b.arc(select, g, "v");
        b.arc(g, merge, "w");
    }
    const int after = b.transition("o1=(m;");
    b.arc(merge, after, "m");
    b.link(after, b.sink(), "o1");
}

// A select branch whose guarded stages merge again through a competing-merge place.
void guardedSelect(CNet& net) {
    support::NetBuilder b(net);
    const int u = b.uhzi({"100110111"});
    const int t0 = b.transition("o1=i1;");
    b.link(u, t0);
    const int select = b.place();
    b.arc(t0, select);
    const int ta = b.transition("?v;o1=v;");
    const int tb = b.transition("?~v;o1=v;");
    b.arc(select, ta);
    b.arc(select, tb);
    const int merge = b.place();
    b.arc(ta, merge);
    b.arc(tb, merge);
    const int t3 = b.transition("o1=~i1;");
    b.arc(merge, t3);
    b.pipe(t3, {"o1=i1;"}, b.sink());
}

// A black token waiting in the middle of the pipe (with the white one behind it), a set register.
void markedPipeline(CNet& net) {
    support::NetBuilder b(net);
    const int u = b.uhzi({"0010"});
    const int a = b.transition("o1=i1;");
    const int bb = b.transition("o1=i1;");
    const int c = b.transition("o1=~i1;");
    b.link(u, a);
    const int p2 = b.marked(kWhite, 0);
    b.arc(a, p2);
    b.arc(p2, bb);
    const int p3 = b.marked(kBlack, 1);
    b.arc(bb, p3);
    b.arc(p3, c);
    b.pipe(c, {"o1=i1;"}, b.sink());
}

// Sinks in every mode and an output that carries a request without data.
void sinkModes(CNet& net) {
    support::NetBuilder b(net);
    const int u = b.uhzi({"10110"});
    const int t = b.transition("a=i1;b=~i1;c=i1;");
    b.link(u, t);
    b.link(t, b.sink(0), "a");
    b.link(t, b.sink(1), "b");
    b.link(t, b.sink(2), "c");
    b.link(t, b.sink(0));  // request only: its bits are undefined
}

// A sink that never takes a token stops the stage after its first firing.
void keepingSink(CNet& net) {
    support::NetBuilder b(net);
    const int u = b.uhzi({"0110"});
    const int t = b.transition("a=i1;b=i1;");
    b.link(u, t);
    b.link(t, b.sink(0), "a");
    b.link(t, b.sink(3), "b");
}

void longChain(CNet& net) {
    support::NetBuilder b(net);
    b.pipe(b.uhzi({"01101110010111"}),
            {"o1=i1;", "o1=~i1;", "o1=i1;", "o1=~i1;", "o1=i1;", "o1=~i1;", "o1=i1;"}, b.sink());
}

}  // namespace

const std::vector<NamedNet>& circuitNets() {
    static const std::vector<NamedNet> nets = {
        {"pipeline", pipeline},
        {"little_endian_sink", littleEndianSink},
        {"fork_join", forkJoin},
        {"two_sources", twoSources},
        {"three_and_four_inputs", threeAndFourInputs},
        {"feedback_loop", feedbackLoop},
        {"guarded_select", guardedSelect},
        {"loop_into_select", loopIntoSelect},
        {"operator_texts", operatorTexts},
        {"marked_pipeline", markedPipeline},
        {"sink_modes", sinkModes},
        {"keeping_sink", keepingSink},
        {"long_chain", longChain},
    };
    return nets;
}

}  // namespace novra::vtest
