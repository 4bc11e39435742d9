// Recorded edits undone and redone: random sequences of every kind of edit, compared with what the net
// saved to after each step, byte for byte and ID for ID.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <sstream>

#include "model/net.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// What a step must give back exactly: the saved file (which renumbers) and the net's own IDs.
std::string snapshot(CNet& net, const TempDir& dir) {
    save(net, dir.file("step.pol"));
    std::ostringstream s;
    s << readBytes(dir.file("step.pol")) << net.nextId() << ' ' << net.arcCounter() << '\n';
    for (const auto& [id, o] : net.objects()) s << id << ':' << o.kind << ' ';
    for (const auto& [id, a] : net.arcs()) s << id << ':' << a.fromId << '>' << a.toId << ' ';
    for (const auto& [node, id] : net.outArcs()) s << node << '>' << id << ' ';
    for (const auto& [node, id] : net.inArcs()) s << node << '<' << id << ' ';
    return s.str();
}

struct Editor {
    CNet& net;
    std::mt19937 rng;
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    template <typename Map>
    int any(const Map& m) {
        if (m.empty()) return 0;
        return std::next(m.begin(), pick(static_cast<int>(m.size())))->first;
    }
    int node() { return any(net.objects()); }

    void edit() {
        switch (pick(16)) {
            case 0: case 1: net.addObject(pick(900) - 300, pick(900) - 300, 1 + pick(4)); break;
            case 2: if (int id = node()) net.deleteObject(id); break;
            case 3: case 4: net.addArc(node(), node(), pick(3) ? std::vector<Point>{} : std::vector<Point>{{pick(50), 7}}); break;
            case 5: if (int a = any(net.arcs())) net.removeArc(net.arcs().at(a).fromId, net.arcs().at(a).toId); break;
            case 6: if (int id = node()) net.moveObject(id, pick(500), pick(500)); break;
            case 7: if (int a = any(net.arcs()); a && !net.arcs().at(a).bendPoints.empty()) net.moveBendPoint(a, 0, pick(99), 3); break;
            case 8: if (int p = any(net.places())) net.setToken(p, pick(2) ? kBlack : kWhite, pick(2)); break;
            case 9: if (int p = any(net.tokens())) net.removeToken(p); break;
            case 10: if (int t = any(net.transitions())) net.setSimTranOpt(t, pick(2)); break;
            case 11: if (int t = any(net.transitions())) {
                net.editTransition(t).functionText = pick(2) ? "o1=i1&i2;" : "x=~i1;";
                net.pruneArcLabels(t);
            } break;
            case 12: if (int u = any(net.uhzis())) net.editUhzi(u).words = {std::string(1 + pick(4), '1'), "0"}; break;
            case 13: if (int k = any(net.kemmakixes())) net.editKemmakix(k).line = pick(4); break;
            case 14: if (int a = any(net.arcs())) net.setArcVariable(a, pick(2) ? "i1" : ""); break;
            default: {
                // A paste of a few objects, now and then an align or a clear.
                const int r = pick(20);
                if (r == 0) net.clear();
                else if (r == 1) net.movePositions([](Point p) { return Point{p.x / 40 * 40, p.y / 40 * 40}; });
                else {
                    std::set<int> ids;
                    for (int k = 0; k < 3; ++k) if (int id = node()) ids.insert(id);
                    net.copyObjects(net, ids);
                }
            }
        }
    }
};

}  // namespace

TEST(NetChange, UndoAndRedoGiveBackEveryStepExactly) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 6; ++seed) {
        CNet net;
        load(net, sourcePath(seed % 2 ? "examples/select_merge.pol" : "examples/serial_adder.pol"));
        Editor ed{net, std::mt19937(seed)};
        std::vector<std::string> states{snapshot(net, dir)};
        std::vector<CNetChange> steps;
        for (int s = 0; s < 40; ++s) {
            net.beginChange();
            for (int k = 1 + ed.pick(3); k > 0; --k) ed.edit();
            steps.push_back(net.endChange());
            states.push_back(snapshot(net, dir));
            expectConsistent(net);
        }
        for (size_t s = steps.size(); s-- > 0;) {
            steps[s].undo(net);
            ASSERT_EQ(snapshot(net, dir), states[s]) << "seed " << seed << " undo to step " << s;
        }
        expectConsistent(net);
        for (size_t s = 0; s < steps.size(); ++s) {
            steps[s].redo(net);
            ASSERT_EQ(snapshot(net, dir), states[s + 1]) << "seed " << seed << " redo of step " << s;
        }
        expectConsistent(net);
    }
}

TEST(NetChange, AStepHoldsWhatItTouchedNotTheNet) {
    CNet net;
    for (int k = 0; k < 20000; ++k) net.addObject(k, k, kPlace);
    ASSERT_EQ(compile(net), "");
    net.beginChange();
    net.moveObject(5, 1, 2);
    net.moveObject(5, 3, 4);
    const CNetChange move = net.endChange();
    // 200 such steps must stay under a megabyte, whatever the size of the net.
    EXPECT_LT(move.memoryBytes(), 4096u);
    net.beginChange();
    const CNetChange nothing = net.endChange();
    EXPECT_TRUE(nothing.empty());
    EXPECT_TRUE(net.simulationReady());
    move.undo(net);
    EXPECT_EQ(net.objects().at(5), (VObject{kPlace, 4, 4}));
    // A compiled net whose records an undo replaced is no longer compiled.
    EXPECT_FALSE(net.simulationReady());
}
