// The waveform of a simulation: read back with our own VCD reader, it holds the net's state at every
// phase, whichever engine and whichever order of phases ran; novra-cli simulate --vcd writes the same and
// keeps its report (its bad arguments are rows of tests/data/cli/cases.tsv).
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

#include "sim/vcd_writer.h"
#include "support/net_builder.h"
#include "support/support.h"
#include "support/vcd_reader.h"

using namespace novra;
using namespace novra::support;

namespace {

std::string tokenCode(const CPlace& p) {
    if (!p.hasToken) return "00";
    if (p.color == kWhite) return "01";
    return p.value == 0 ? "10" : p.value == 1 ? "11" : "1x";
}

// u -> p1 -> t1 (inverts) -> p2 -> t2 -> p3 -> k, the arcs round p2 named; a fault sink when asked.
struct Wave {
    CNet net;
    CSimulation sim{net};
    NetBuilder b{net};
    NetBuilder::Ids ids;
    fs::path file;
    explicit Wave(const std::string& name, std::vector<std::string> words = {"10", "011"}) {
        ids = b.build("u p1 t1 p2 t2 p3 k | u>p1>t1/i1 t1>p2/o1 p2>t2/i1 t2>p3>k", {{"t1", "o1=~i1;"}});
        b.setWords(ids["u"], std::move(words));
        file = tempRoot() / (name + ".vcd");
    }
    std::string place(const std::string& n) const {
        const int id = ids[n];
        // Named by the variables of their arcs: i1 into t1; o1 out of t1 and i1 into t2; none.
        const std::map<std::string, std::string> vars = {{"p1", "_i1"}, {"p2", "_o1_i1"}, {"p3", ""}};
        return "net.places.p" + std::to_string(id) + vars.at(n);
    }
    // The black bits a source emitted or a sink absorbed, in order.
    static std::string bits(const VcdTrace& t, const std::string& name) {
        std::string out;
        for (const auto& [time, v] : t.wires.at(name).changes)
            if (v[0] == '1') out += v[1];
        return out;
    }
};

VcdTrace readFile(const fs::path& path) {
    VcdTrace t = readVcd(readBytes(path));
    for (const auto& e : t.errors) ADD_FAILURE() << path << ": " << e;
    return t;
}

TEST(Vcd, StepCycleWaveHoldsTheMarkingAndTheFiringsOfEveryPhase) {
    Wave w("steps");
    ASSERT_EQ(compile(w.sim), "");
    // The expected values per phase, taken from the records after each step; a rewind on the way.
    std::map<long, std::map<std::string, std::string>> expected;
    std::string ended;
    {
        CVcdWriter vcd(w.net, w.file.string());
        w.sim.setObserver(&vcd);
        for (long n = 1; ended.empty() && n < 200; ++n) {
            int phase = -1;
            ended = errorOf([&] { phase = w.sim.step().phase; });
            auto& at = expected[n];
            for (const char* p : {"p1", "p2", "p3"}) at[w.place(p)] = tokenCode(w.net.places().at(w.ids[p]));
            for (const char* t : {"t1", "t2"})
                at["net.transitions.t" + std::to_string(w.ids[t])] =
                    phase == 2 && w.net.transitions().at(w.ids[t]).fired ? "1" : "0";
            at["net.phase"] = phase == 0 ? "00" : phase == 1 ? "01" : phase == 2 ? "10" : "11";
            if (n == 9) w.sim.rewind();  // heard of at the next phase
        }
        vcd.finish();
        w.sim.setObserver(nullptr);
    }
    ASSERT_EQ(ended, text(msg::kSimulationEnded));
    const VcdTrace t = readFile(w.file);
    EXPECT_EQ(t.endTime, expected.rbegin()->first);
    for (const auto& [time, values] : expected)
        for (const auto& [name, v] : values) EXPECT_EQ(t.at(name, time), v) << name << " at " << time;
}

TEST(Vcd, RunWaveIsTheSameWithEitherEngineAndEndsWithTheNet) {
    std::string first;
    for (const bool reference : {false, true}) {
        Wave w(reference ? "reference" : "incremental");
        useReferenceEngine(w.sim, reference);
        ASSERT_EQ(compile(w.sim), "");
        CVcdWriter vcd(w.net, w.file.string());
        w.sim.setObserver(&vcd);
        EXPECT_EQ(run(w.sim), text(msg::kSimulationEnded));
        vcd.finish();
        const VcdTrace t = readFile(w.file);
        // Sources and sinks: what they emitted and absorbed, white between black.
        EXPECT_EQ(Wave::bits(t, "net.sources.u" + std::to_string(w.ids["u"])), "10011");
        EXPECT_EQ(Wave::bits(t, "net.sinks.k" + std::to_string(w.ids["k"])), "01100");
        EXPECT_EQ(t.timesOf("net.sinks.k" + std::to_string(w.ids["k"]), "01").size(), 5u);
        for (const char* p : {"p1", "p2", "p3"})
            EXPECT_EQ(t.at(w.place(p), t.endTime), tokenCode(w.net.places().at(w.ids[p]))) << p;
        EXPECT_EQ(t.endTime, vcd.phases());
        if (reference) {
            EXPECT_EQ(readBytes(w.file), first);
        }
        first = readBytes(w.file);
    }
    // vcd2fst (GTKWave's converter) reads it too.
    if (std::system("command -v vcd2fst > /dev/null 2>&1") != 0) GTEST_SKIP() << "vcd2fst is not installed";
    const fs::path in = tempRoot() / "incremental.vcd", out = tempRoot() / "incremental.fst";
    EXPECT_EQ(std::system(("vcd2fst " + q(in) + " " + q(out) + " > /dev/null 2>&1").c_str()), 0);
    EXPECT_GT(fs::file_size(out), 0u);
}

TEST(Vcd, SimulateWritesTheWaveBesideAnUnchangedReport) {
    const std::string net = q(sourcePath("tests/data/cli/words.pol"));
    const fs::path file = tempRoot() / "cli.vcd";
    const CliResult plain = cli("simulate " + net);
    const CliResult waved = cli("simulate " + net + " --vcd " + q(file));
    EXPECT_EQ(waved.status, plain.status);
    EXPECT_EQ(waved.out, plain.out);  // "sink 5 10 011"
    EXPECT_EQ(waved.err, "");
    const VcdTrace t = readFile(file);
    EXPECT_EQ(Wave::bits(t, "net.sinks.k5"), "10011");
    EXPECT_FALSE(fs::exists(tempRoot() / "cli.vcd.part"));
}

}  // namespace
