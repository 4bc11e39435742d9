// novra-cli cosim with waves, run as a user runs it under Icarus: the circuit's VCD kept, the net's beside
// it, both merged for the GTKWave file, and the first differing bit of a sink placed in both.
#include "verilog/cosim_wave.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "support/support.h"
#include "support/vcd_reader.h"
#include "verilog/cosim.h"

namespace novra {
namespace {

namespace fs = std::filesystem;
using support::q;

std::string netFile(const std::string& name) {
    return q(support::sourcePath("tests/data/verilog/cli/" + name + ".pol"));
}

support::VcdTrace readFile(const fs::path& path) {
    support::VcdTrace t = support::readVcd(support::readBytes(path));
    for (const auto& e : t.errors) ADD_FAILURE() << path << ": " << e;
    return t;
}

TEST(CosimWaveTest, KeepsBothWavesAndAGtkwaveFileThatShowsEachSink) {
    const fs::path dir = support::freshDir("cosim-wave");
    const support::CliResult r = support::cli("cosim " + netFile("words") + " --vcd " +
                                              q(dir / "circuit.vcd") + " --wave " + q(dir / "w.gtkw"));
    ASSERT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out.substr(r.out.find("sink ")),
              "sink 5 net 001011001 circuit 001011001 match (9 bits)\n"
              "function trafunc_1 ~i1 match (2 combinations)\n");
    // The net's own wave: what the sink absorbed, and the circuit's: the sink cell's handshake.
    std::string bits;
    const auto netWave = readFile(dir / "w_net.vcd");  // kept: the loop reads into it
    for (const auto& [t, v] : netWave.wires.at("net.sinks.k5").changes)
        if (v[0] == '1') bits += v[1];
    EXPECT_EQ(bits, "001011001");
    // The phases cosim places a sink's bits at are those of the net's wave.
    CNet net;
    support::load(net, support::sourcePath("tests/data/verilog/cli/words.pol"));
    const auto sinks = verilog::netSinkBits(net, (dir / "again.vcd").string());
    std::vector<long> black;
    const auto again = readFile(dir / "again.vcd");
    for (const auto& [t, v] : again.wires.at("net.sinks.k5").changes)
        if (v[0] == '1') black.push_back(t);
    ASSERT_EQ(sinks.size(), 1u);
    EXPECT_EQ(sinks[0].netPhases, black);
    const support::VcdTrace circuit = readFile(dir / "circuit.vcd");
    EXPECT_EQ(circuit.timesOf("testmodule_sim.k_5_a", "1").size(), 9u);

    // Merged: every signal of both, the net's on the circuit's time axis; the GTKWave file names them.
    const support::VcdTrace merged = readFile(dir / "w.vcd");
    EXPECT_EQ(merged.wires.size(), circuit.wires.size() + readFile(dir / "w_net.vcd").wires.size());
    EXPECT_GT(merged.timesOf("net.sinks.k5", "10").back(), 2660);
    const std::string gtkw = support::readBytes(dir / "w.gtkw");
    EXPECT_NE(gtkw.find("[dumpfile] \"" + fs::absolute(dir / "w.vcd").string() + "\"\n"), std::string::npos);
    std::istringstream lines(gtkw);
    int shown = 0;
    for (std::string line; std::getline(lines, line);) {
        if (line.empty() || std::string("[@-*").find(line[0]) != std::string::npos) continue;
        EXPECT_TRUE(merged.wires.count(line.substr(0, line.find('[')))) << line;
        ++shown;
    }
    EXPECT_EQ(shown, 5);  // the sink's four and the phase
    if (std::system("command -v vcd2fst > /dev/null 2>&1") == 0) {
        const std::string convert = "vcd2fst " + q(dir / "w.vcd") + " " + q(dir / "w.fst") + " > /dev/null 2>&1";
        EXPECT_EQ(std::system(convert.c_str()), 0);
    }
}

TEST(CosimWaveTest, FirstDifferingBitIsPlacedInTheNetAndInTheCircuit) {
    // quiet: the net goes quiet after one bit and drops the rest of the word; the circuit delivers it.
    const fs::path dir = support::freshDir("cosim-diff");
    const support::CliResult r = support::cli("cosim " + netFile("quiet") + " --vcd " + q(dir / "c.vcd"));
    EXPECT_EQ(r.status, 1);
    std::smatch m;
    ASSERT_TRUE(
        std::regex_search(r.out, m,
                          std::regex("limit \\(1 bits\\)[^\n]*\nsink 3 first difference bit 1: net - at "
                                     "phase -, circuit 0 at ([0-9]+) ps\n")))
        << r.out;
    // The time is the request of the sink cell's second bit.
    const auto requests = readFile(dir / "c.vcd").timesOf("testmodule_sim.k_3__r", "1");
    ASSERT_GE(requests.size(), 2u);
    EXPECT_EQ(std::stol(m[1]), requests[1]);
}

TEST(CosimWaveTest, BadWaveArgumentsWriteNothing) {
    const fs::path dir = support::freshDir("cosim-bad");
    for (const std::string& bad :
         std::vector<std::string>{" --vcd", " --wave", " --wave " + q(dir / "w.txt"),
                                  " --wave " + q(dir / "missing" / "w.gtkw"), " --vcd " + q(dir)}) {
        const support::CliResult r = support::cli("cosim " + netFile("words") + bad);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err, "") << bad;
    }
    EXPECT_TRUE(fs::is_empty(dir));
}

}  // namespace
}  // namespace novra
