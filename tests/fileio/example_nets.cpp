#include "fileio/example_nets.h"

#include "common/error.h"

namespace novra::test {

namespace {

int transition(CNet& net, int x, int y, const std::string& function) {
    const int id = net.addObject(x, y, kTransition);
    CTransition& t = net.transitions.at(id);
    t.functionText = function;
    try {
        refreshFunction(t);
    } catch (const CError&) {
        // The text stays as written; compile would report it.
    }
    return id;
}

int source(CNet& net, int x, int y, std::vector<std::string> words) {
    const int id = net.addObject(x, y, kUhzi);
    net.uhzis.at(id).addp = 1;
    net.uhzis.at(id).words = std::move(words);
    return id;
}

int sink(CNet& net, int x, int y, std::vector<std::string> expected) {
    const int id = net.addObject(x, y, kKemmakix);
    net.kemmakixes.at(id).expected = std::move(expected);
    return id;
}

// A source streams two words through three copying stages into a sink that expects them unchanged.
void pipeline(CNet& net) {
    const int u = source(net, 40, 100, {"1011", "0110"});
    int p = net.addObject(100, 100, kPlace);
    net.addArc(u, p);
    for (int stage = 0; stage < 3; ++stage) {
        const int t = transition(net, 160 + stage * 120, 100, "o1=i1;");
        net.addArc(p, t);
        p = net.addObject(220 + stage * 120, 100, kPlace);
        net.addArc(t, p);
    }
    net.addArc(p, sink(net, 520, 100, {"1011", "0110"}));
}

// One stage copies each bit into two branches of different length; a second stage joins them with AND, so
// the sink sees the source's words again.
void splitJoin(CNet& net) {
    const int u = source(net, 40, 120, {"1011", "0110", "111000"});
    const int p0 = net.addObject(100, 120, kPlace);
    net.addArc(u, p0);
    const int split = transition(net, 160, 120, "// 分岐\no1=i1;\no2=i1;");
    net.addArc(p0, split);
    const int pa = net.addObject(220, 60, kPlace);
    const int pb = net.addObject(220, 180, kPlace);
    net.addArc(split, pa, {{160, 60}}, "o1");
    net.addArc(split, pb, {{160, 180}}, "o2");
    const int ta = transition(net, 340, 60, "o1=i1;");
    const int pa2 = net.addObject(460, 60, kPlace);
    net.addArc(pa, ta);
    net.addArc(ta, pa2);
    const int tb1 = transition(net, 280, 180, "o1=i1;");
    const int pb2 = net.addObject(340, 180, kPlace);
    const int tb2 = transition(net, 400, 180, "o1=i1;");
    const int pb3 = net.addObject(460, 180, kPlace);
    net.addArc(pb, tb1);
    net.addArc(tb1, pb2);
    net.addArc(pb2, tb2);
    net.addArc(tb2, pb3);
    const int join = transition(net, 520, 120, "// 合流\no1=i1&i2;");
    net.addArc(pa2, join, {{520, 60}}, "i1");
    net.addArc(pb3, join, {{520, 180}}, "i2");
    const int out = net.addObject(580, 120, kPlace);
    net.addArc(join, out);
    net.addArc(out, sink(net, 640, 120, {"1011", "0110", "111000"}));
}

// A ring of three places and two transitions carries a state bit that an inverter flips on every lap; each
// bit a source sends lets the state go round once and copies it to a sink. The ring holds the black state
// token and the white token that must follow it.
void inverterRing(CNet& net) {
    const int u = source(net, 40, 60, {"0000", "00"});
    const int ps = net.addObject(100, 60, kPlace);
    net.addArc(u, ps);
    const int step = transition(net, 220, 60, "// 状態を出力し、反転へ送る\nq=s;\nn=s;");
    net.addArc(ps, step);
    const int pq = net.addObject(340, 60, kPlace);
    net.addArc(step, pq, {}, "q");
    net.addArc(pq, sink(net, 400, 60, {"0101", "01"}));
    const int r1 = net.addObject(280, 180, kPlace);
    net.addArc(step, r1, {{280, 60}}, "n");
    const int invert = transition(net, 220, 240, "o1=~i1;");
    net.addArc(r1, invert);
    const int r2 = net.addObject(160, 240, kPlace);
    net.addArc(invert, r2);
    const int copy = transition(net, 100, 180, "o1=i1;");
    net.addArc(r2, copy);
    const int r3 = net.addObject(160, 120, kPlace);
    net.addArc(copy, r3);
    net.addArc(r3, step, {}, "s");
    net.setToken(r3, kBlack, 0);
    net.setToken(r2, kWhite, 0);
}

}  // namespace

const std::vector<FileExample>& fileExamples() {
    static const std::vector<FileExample> examples = {
        {"pipeline.pol", pipeline},
        {"split_join.pol", splitJoin},
        {"inverter_ring.pol", inverterRing},
    };
    return examples;
}

}  // namespace novra::test
