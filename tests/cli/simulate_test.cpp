// novra-cli compile and simulate, run as a user would run them.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"
#include "sim/net_builder.h"

using namespace novra;
using novra::testing::NetBuilder;

namespace {

std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class CliSim : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string tmpl = (std::filesystem::temp_directory_path() / "novra-cli-sim-XXXXXX").string();
        dir_ = mkdtemp(tmpl.data());
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string file(const std::string& name) const { return (dir_ / name).string(); }

    // Saves a net built by fn and returns its path.
    template <typename Fn>
    std::string netFile(const std::string& name, Fn&& fn) {
        CNet net;
        fn(net);
        fileio::save(net, file(name));
        return file(name);
    }

    // Runs novra-cli with the arguments; keeps stdout and stderr, returns the exit status.
    int cli(const std::string& args) {
        const std::string cmd = std::string("\"") + NOVRA_BIN_DIR + "/novra-cli\" " + args + " >\"" +
                                file("out.txt") + "\" 2>\"" + file("err.txt") + "\"";
        const int status = std::system(cmd.c_str());
        out_ = slurp(file("out.txt"));
        err_ = slurp(file("err.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::filesystem::path dir_;
    std::string out_, err_;
};

// uhzi -> p1 -> t -> p2 -> kemmakix (file IDs: p1 1, p2 2, t 3, uhzi 4, kemmakix 5).
void copyStage(CNet& net, std::vector<std::string> words, int sinkMode = 0) {
    NetBuilder b(net);
    const int u = b.uhzi(std::move(words));
    const int last = b.chain(u, {"o1=i1;"});
    b.arc(last, b.kemmakix(sinkMode));
}

const std::string kHeader = text(msg::kCompiling) + "\n";

}  // namespace

TEST_F(CliSim, CompilePrintsTheCompileLogOrTheFaultAndItsObject) {
    const std::string good = netFile("good.pol", [](CNet& n) { copyStage(n, {"1"}); });
    EXPECT_EQ(cli("compile \"" + good + "\""), 0);
    EXPECT_EQ(out_, kHeader + "プリミティブ 5\n" + text(msg::kCompileOk) + "\n");

    // A black token where the source feeds in: the place (file ID 1) is named.
    const std::string black = netFile("black.pol", [](CNet& n) {
        copyStage(n, {"1"});
        n.setToken(2, kBlack, 1);
    });
    EXPECT_EQ(cli("compile \"" + black + "\""), 1);
    EXPECT_EQ(out_, kHeader + "プリミティブ 5\n" + text(msg::kBlackNextToUhzi) + "\nstop 1\n");

    // A message with its own line feed is not followed by another: two arcs on i1 leave slot 2 empty.
    const std::string gap = netFile("gap.pol", [](CNet& n) {
        NetBuilder b(n);
        const int a = b.place(), c = b.place(), sync = b.place();
        const int t = b.transition("o1=i1&i2;");
        b.arc(a, t, "i1");
        b.arc(c, t, "i1");
        b.arc(sync, t);
        b.arc(t, b.place());
    });
    EXPECT_EQ(cli("compile \"" + gap + "\""), 1);
    EXPECT_EQ(out_, kHeader + "プリミティブ 5\n" + text(msg::kBadInputPlace) + "stop 5\n");
}

TEST_F(CliSim, SimulatePrintsTheSinksTheEndAndTheStopObject) {
    const std::string good = netFile("good.pol", [](CNet& n) { copyStage(n, {"10", "011"}); });
    EXPECT_EQ(cli("simulate \"" + good + "\""), 0);
    EXPECT_EQ(out_, "sink 5 10 011\n" + text(msg::kSimulationEnded) + "\n");

    // Sinks that record nothing print their ID alone; discarding sinks print nothing.
    const std::string silent = netFile("silent.pol", [](CNet& n) {
        NetBuilder b(n);
        b.kemmakix(0);
        b.kemmakix(2);
    });
    EXPECT_EQ(cli("simulate \"" + silent + "\""), 0);
    EXPECT_EQ(out_, "sink 1\n" + text(msg::kSimulationEnded) + "\n");

    // A compile fault: no sink lines.
    const std::string bad = netFile("bad.pol", [](CNet& n) {
        copyStage(n, {"1"});
        NetBuilder(n).setFunction(3, "o1=i1&i2;");
    });
    EXPECT_EQ(cli("simulate \"" + bad + "\""), 1);
    EXPECT_EQ(out_, text(msg::kUnboundInputVar) + "\n");

    // A fault during the run names the sink, in either wording.
    auto sharedPlace = [](CNet& n) {
        NetBuilder b(n);
        const int u = b.uhzi({"1"});
        const int p = b.place();
        const int t = b.transition();
        const int full = b.place();
        b.arc(u, p);
        b.arc(p, t);
        b.arc(t, full);
        b.arc(p, b.kemmakix());
    };
    const std::string fault = netFile("fault.pol", sharedPlace);
    EXPECT_EQ(cli("simulate \"" + fault + "\""), 1);
    EXPECT_EQ(out_, "sink 5\n" + text(msg::kKemmakixSameColor) + "\nstop 5\n");
    EXPECT_EQ(cli("simulate \"" + fault + "\" --nmode 1"), 1);
    EXPECT_EQ(out_, "sink 5\nケムマキ様になんてことを！！\nstop 5\n");
}

TEST_F(CliSim, MaxPhasesCountsEveryPhaseUpToTheLimit) {
    // prepare, three sweeps and the end check: five phases.
    const std::string net = netFile("walk.pol", [](CNet& n) {
        NetBuilder b(n);
        const int p1 = b.markedPlace(kBlack, 1), t1 = b.transition(), p2 = b.place(), t2 = b.transition(),
                  p3 = b.place();
        b.arc(p1, t1);
        b.arc(t1, p2);
        b.arc(p2, t2);
        b.arc(t2, p3);
    });
    EXPECT_EQ(cli("simulate \"" + net + "\" --max-phases 5"), 0);
    EXPECT_EQ(out_, text(msg::kSimulationEnded) + "\n");
    EXPECT_EQ(cli("simulate --max-phases 4 \"" + net + "\""), 1);
    EXPECT_EQ(out_, text(msg::kRunTooLong) + "\n");

    const std::string forever = netFile("forever.pol", [](CNet& n) {
        NetBuilder b(n);
        const int u = b.holdingUhzi(1);
        b.arc(b.chain(u, {"o1=i1;"}), b.kemmakix());
    });
    EXPECT_EQ(cli("simulate \"" + forever + "\""), 1);
    EXPECT_EQ(out_, "sink 5\n" + text(msg::kRunTooLong) + "\n");  // never quiet: no word recorded
}

TEST_F(CliSim, UsageErrorsAndUnreadableFiles) {
    const std::string good = netFile("good.pol", [](CNet& n) { copyStage(n, {"1"}); });
    for (const std::string& args : std::vector<std::string>{
             "simulate", "compile", "simulate \"" + good + "\" --max-phases 0",
             "simulate \"" + good + "\" --max-phases 12x", "simulate \"" + good + "\" --max-phases",
             "simulate \"" + good + "\" --nmode 2", "compile \"" + good + "\" --max-phases 5",
             "compile \"" + good + "\" extra.pol", "simulate \"" + file("missing.pol") + "\"",
             "compile \"" + file("err.txt") + "\""}) {
        EXPECT_EQ(cli(args), 2) << args;
        EXPECT_EQ(out_, "") << args;
        EXPECT_NE(err_, "") << args;
    }
}

TEST_F(CliSim, EveryExampleRunsToItsExpectedWords) {
    int files = 0;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(NOVRA_SOURCE_DIR) / "examples")) {
        if (entry.path().extension() != ".pol") continue;
        ++files;
        CNet net;
        fileio::load(net, entry.path().string());
        std::string expected;
        for (const auto& [id, k] : net.kemmakixes) {
            if (k.line != 0 && k.line != 1) continue;
            expected += "sink " + std::to_string(id);
            for (const std::string& w : k.expected) expected += " " + w;
            expected += "\n";
        }
        EXPECT_EQ(cli("simulate \"" + entry.path().string() + "\""), 0) << entry.path();
        EXPECT_EQ(out_, expected + text(msg::kSimulationEnded) + "\n") << entry.path();
        EXPECT_EQ(cli("compile \"" + entry.path().string() + "\""), 0) << entry.path();
    }
    EXPECT_GE(files, 4);
}
