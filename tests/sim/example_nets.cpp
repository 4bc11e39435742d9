#include "example_nets.h"

#include "net_builder.h"

namespace novra::testing {

namespace {

// Six stages stream four words from a source to a sink; the third stage inverts every bit.
void streamPipeline(CNet& net) {
    NetBuilder b(net);
    b.y = 100;
    const int u = b.uhzi({"1011", "0001", "1110", "011001"});
    const int last = b.chain(u, {"o1=i1;", "o1=i1;", "// 反転\nout=~in;", "o1=i1;", "o1=i1;", "o1=i1;"});
    const int k = b.kemmakix(0, {"0100", "1110", "0001", "100110"});
    b.arc(last, k);
}

// Two sources meet in a half adder; its sum and carry take branches of different length and join again in
// a transition with two inputs and two outputs: OR and NOR of the two input words.
void forkJoin(CNet& net) {
    NetBuilder b(net);
    const int ua = b.uhzi(60, 60, {"0011", "1010", "111000"});
    const int ub = b.uhzi(60, 180, {"0101", "1001", "010101"});
    const int pa = b.place(120, 60);
    const int pb = b.place(120, 180);
    b.arc(ua, pa);
    b.arc(ub, pb);
    const int half = b.transition(180, 120, "// 半加算器\ns=a^b;\nc=a&b;");
    b.arc(pa, half, "a");
    b.arc(pb, half, "b");
    const int ps = b.place(240, 60);
    const int pc = b.place(240, 180);
    b.arc(half, ps, "s");
    b.arc(half, pc, "c");
    const int ts = b.transition(300, 60, "o1=i1;");
    const int ps2 = b.place(360, 60);
    b.arc(ps, ts);
    b.arc(ts, ps2);
    const int tc1 = b.transition(300, 180, "o1=i1;");
    const int pc2 = b.place(360, 180);
    const int tc2 = b.transition(420, 180, "o1=i1;");
    const int pc3 = b.place(480, 180);
    b.arc(pc, tc1);
    b.arc(tc1, pc2);
    b.arc(pc2, tc2);
    b.arc(tc2, pc3);
    const int join = b.transition(540, 120, "// s|c は a|b\nor=x|y;\nnor=~(x|y);");
    b.arc(ps2, join, "x");
    b.arc(pc3, join, "y");
    const int por = b.place(600, 60);
    const int pnor = b.place(600, 180);
    b.arc(join, por, "or");
    b.arc(join, pnor, "nor");
    const int kor = b.kemmakix(660, 60, 0, {"0111", "1011", "111101"});
    const int knor = b.kemmakix(660, 180, 0, {"1000", "0100", "000010"});
    b.arc(por, kor);
    b.arc(pnor, knor);
}

// A select: the guard on the select bit sends each data bit through the straight or the inverting branch;
// the branches merge into one place again. The white wave after each bit follows its black one, because
// the guard sees the kept select bit and the other branch's output last saw a white token.
void selectMerge(CNet& net) {
    NetBuilder b(net);
    const int us = b.uhzi(60, 60, {"1100", "0110", "10101"});
    const int ud = b.uhzi(60, 180, {"1010", "0011", "11100"});
    const int ps = b.place(120, 60);
    const int pd = b.place(120, 180);
    b.arc(us, ps);
    b.arc(ud, pd);
    const int straight = b.transition(180, 60, "?sel;\nq=d;");
    const int invert = b.transition(180, 180, "?~sel;\nq=~d;");
    for (int t : {straight, invert}) {
        b.arc(ps, t, "sel");
        b.arc(pd, t, "d");
    }
    const int pa = b.place(240, 60);
    const int pb = b.place(240, 180);
    b.arc(straight, pa, "q");
    b.arc(invert, pb, "q");
    const int ma = b.transition(300, 60, "o1=i1;");
    const int mb = b.transition(300, 180, "o1=i1;");
    const int pm = b.place(360, 120);
    b.arc(pa, ma);
    b.arc(pb, mb);
    b.arc(ma, pm);
    b.arc(mb, pm);
    const int out = b.transition(420, 120, "o1=i1;");
    const int po = b.place(480, 120);
    b.arc(pm, out);
    b.arc(out, po);
    const int k = b.kemmakix(540, 120, 0, {"1001", "1010", "10110"});
    b.arc(po, k);
}

// A bit-serial adder: a full adder whose carry runs around a ring of three places. The ring holds the
// carry-in (black, 0) and the white token that must follow it. Words enter least significant bit first
// (line 1) and the sink turns the sum back (mode 1). The top bits of both operands are 0, so no carry is
// left over for the next word.
void serialAdder(CNet& net) {
    NetBuilder b(net);
    const int ua = b.uhzi(60, 60, {"0110", "0011", "0101", "01111111"}, 1);
    const int ub = b.uhzi(60, 180, {"0011", "0001", "0010", "00000001"}, 1);
    const int pa = b.place(120, 60);
    const int pb = b.place(120, 180);
    b.arc(ua, pa);
    b.arc(ub, pb);
    const int fa = b.transition(240, 120, "// 全加算器\ns=a^b^c;\nco=(a&b)|(c&(a^b));");
    b.arc(pa, fa, "a");
    b.arc(pb, fa, "b");
    const int p1 = b.place(300, 240);
    b.arc(fa, p1, "co");
    const int t1 = b.transition(240, 300, "o1=i1;");
    const int p2 = b.place(180, 300);
    const int t2 = b.transition(120, 300, "o1=i1;");
    const int p3 = b.place(180, 240);
    b.arc(p1, t1);
    b.arc(t1, p2);
    b.arc(p2, t2);
    b.arc(t2, p3);
    b.arc(p3, fa, "c");
    net.setToken(p3, kBlack, 0);
    net.setToken(p2, kWhite, 0);
    const int psum = b.place(360, 120);
    b.arc(fa, psum, "s");
    const int k = b.kemmakix(420, 120, 1, {"1001", "0100", "0111", "10000000"});
    b.arc(psum, k);
}

}  // namespace

const std::vector<ExampleNet>& exampleNets() {
    static const std::vector<ExampleNet> nets = {
        {"stream_pipeline.pol", streamPipeline},
        {"fork_join.pol", forkJoin},
        {"select_merge.pol", selectMerge},
        {"serial_adder.pol", serialAdder},
    };
    return nets;
}

}  // namespace novra::testing
