#include <gtest/gtest.h>

#include "common/messages.h"
#include "net_builder.h"
#include "sim_helpers.h"

using namespace novra;
using namespace novra::testing;

namespace {

// uhzi -> three copying stages -> kemmakix.
struct Stream {
    CNet net;
    CSimulation sim{net};
    int u, k;
    explicit Stream(std::vector<std::string> words, int line = 0, int mode = 0) {
        NetBuilder b(net);
        u = b.uhzi(std::move(words), line);
        const int last = b.chain(u, {"o1=i1;", "o1=i1;", "o1=i1;"});
        k = b.kemmakix(mode);
        b.arc(last, k);
    }
    const std::vector<std::string>& received() const { return net.kemmakixes.at(k).received; }
};

}  // namespace

TEST(Run, WordsStreamFromSourceToSinkOnePerQuietPeriod) {
    Stream s({"10", "1", "", "0011101"});
    ASSERT_EQ(compileMessage(s.sim), "");
    EXPECT_EQ(runMessage(s.sim), text(msg::kSimulationEnded));
    EXPECT_EQ(s.received(),
              (std::vector<std::string>{"10", "1", "0011101"}));  // an empty word records nothing

    // Emitted from the last character and recorded reversed: the same words come out.
    Stream r({"10", "1"}, 1, 1);
    ASSERT_EQ(compileMessage(r.sim), "");
    EXPECT_EQ(runMessage(r.sim), text(msg::kSimulationEnded));
    EXPECT_EQ(r.received(), (std::vector<std::string>{"10", "1"}));
    Stream mixed({"110"}, 1, 0);
    ASSERT_EQ(compileMessage(mixed.sim), "");
    EXPECT_EQ(runMessage(mixed.sim), text(msg::kSimulationEnded));
    EXPECT_EQ(mixed.received(), (std::vector<std::string>{"011"}));

    // A recompile starts afresh.
    ASSERT_EQ(compileMessage(s.sim), "");
    EXPECT_TRUE(s.received().empty());
    EXPECT_EQ(runMessage(s.sim), text(msg::kSimulationEnded));
    EXPECT_EQ(s.received().size(), 3u);
}

TEST(Run, SourcesThatNeverFinishHitThePhaseLimit) {
    // A held value streams forever.
    CNet held;
    CSimulation heldSim{held};
    NetBuilder b(held);
    const int u = b.holdingUhzi(1);
    const int last = b.chain(u, {"o1=i1;"});
    b.arc(last, b.kemmakix(2));
    ASSERT_EQ(compileMessage(heldSim), "");
    EXPECT_EQ(runMessage(heldSim), text(msg::kRunTooLong));
    EXPECT_EQ(held.stopObject, 0);

    // An unconnected streaming source never finishes, though the net is quiet at once.
    CNet lone;
    CSimulation loneSim{lone};
    NetBuilder l(lone);
    l.uhzi({"1"});
    ASSERT_EQ(compileMessage(loneSim), "");
    EXPECT_EQ(runMessage(loneSim, 1000), text(msg::kRunTooLong));
    lone.uhzis.begin()->second.addp = 0;
    ASSERT_EQ(compileMessage(loneSim), "");
    EXPECT_EQ(runMessage(loneSim), text(msg::kSimulationEnded));
}

TEST(Run, SinkModesAndSinkFaults) {
    // Mode 3 leaves its place marked, so the net goes quiet with the word half sent and the source moves
    // on (and here finishes); mode 2 takes everything.
    for (int mode : {2, 3}) {
        Stream s({"101"}, 0, mode);
        ASSERT_EQ(compileMessage(s.sim), "");
        EXPECT_EQ(runMessage(s.sim), text(msg::kSimulationEnded));
        EXPECT_TRUE(s.received().empty());
        EXPECT_EQ(s.net.places.at(s.net.kemmakixes.at(s.k).placeId).hasToken, mode == 3);
    }

    // A place drained by both a transition and a sink: the transition takes the black token, the sink
    // then sees white first.
    CNet net;
    CSimulation sim{net};
    NetBuilder b(net);
    const int u = b.uhzi({"1"});
    const int p = b.place();
    const int t = b.transition();
    const int full = b.place();
    const int k = b.kemmakix();
    b.arc(u, p);
    b.arc(p, t);
    b.arc(t, full);
    b.arc(p, k);
    ASSERT_EQ(compileMessage(sim), "");
    EXPECT_EQ(runMessage(sim), text(msg::kKemmakixSameColor));
    EXPECT_EQ(net.stopObject, k);

    // A source whose colour was corrupted names itself.
    ASSERT_EQ(compileMessage(sim), "");
    sim.prepareSources();
    net.uhzis.at(u).color = 9;
    EXPECT_EQ(raisedBy([&] { sim.emitSources(); }), text(msg::kUhziBadColor));
    EXPECT_EQ(net.stopObject, u);
}

TEST(Run, PhasesCanBeDrivenOneAtATime) {
    // The editor's step cycle: prepare; {emit, absorb, enable} and {fire} while sweeps enable; then flush
    // and the end check.
    Stream s({"1"});
    ASSERT_EQ(compileMessage(s.sim), "");
    s.sim.prepareSources();
    int sweeps = 0;
    std::string ended;
    for (int cycle = 0; cycle < 2 && ended.empty(); ++cycle) {
        if (cycle > 0) s.sim.prepareSources();
        do {
            s.sim.emitSources();
            s.sim.absorbSinks();
            s.sim.evaluateEnabling();
            s.sim.firePhase();
            ++sweeps;
        } while (s.sim.sweepEnabled() == 1);
        s.sim.flushSinks();
        ended = raisedBy([&] { s.sim.endCheck(); });
    }
    EXPECT_EQ(ended, text(msg::kSimulationEnded));
    EXPECT_EQ(s.received(), (std::vector<std::string>{"1"}));
    EXPECT_GT(sweeps, 6);
}
