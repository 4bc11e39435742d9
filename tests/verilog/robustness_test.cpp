// Whatever net compiles, generation ends with its files or with a message, and the netlist it writes is
// Verilog that Icarus accepts.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>

#include "common/error.h"
#include "common/messages_verilog.h"
#include "support/net_builder.h"
#include "support/support.h"
#include "verilog/generator.h"
#include "verilog/textfile.h"

namespace novra {
namespace {

namespace fs = std::filesystem;

const char* const kFunctions[] = {
    "o1=i1;",         "o1=~i1;", "o1=i1&i2;",          "s=a^b^c;co=(a&b)|(c&(a^b));", "?g;o1=d;",
    "?~g;o1=~d;q=d;", "//sync",  "o1=i1;o2=i1;o3=i1;", "o1=i1^i2;o2=i1^i2;"};
// Random stages whose variables are wired to random places, a few request-only arcs, sources and sinks on
// the places that would otherwise lack an arc, random tokens and sinks in every mode.
void randomNet(CNet& net, std::mt19937& rng) {
    auto pick = [&](size_t n) { return static_cast<int>(rng() % n); };
    support::NetBuilder b(net);
    std::vector<int> places, transitions;
    for (int i = 3 + pick(10); i > 0; --i) places.push_back(b.place());
    for (int i = 1 + pick(6); i > 0; --i)
        transitions.push_back(b.transition(kFunctions[pick(std::size(kFunctions))]));
    auto anyPlace = [&] { return places[static_cast<size_t>(pick(places.size()))]; };
    auto arc = [&](int from, int to, const std::string& var) {
        if (!net.findArc(from, to)) b.arc(from, to, var);
    };
    for (int t : transitions) {
        CTransition& tr = net.transitions().at(t);
        refreshFunction(tr);
        for (const auto& [name, n] : tr.inputVarNames) arc(anyPlace(), t, name);
        for (const auto& [name, n] : tr.outputVarNames) arc(t, anyPlace(), name);
        if (pick(4) == 0 || tr.inputVarNames.empty()) arc(anyPlace(), t, "");
        if (pick(4) == 0 || tr.outputVarNames.empty()) arc(t, anyPlace(), "");
    }
    for (int p : places) {
        if (!net.inArcs().count(p))
            b.arc(pick(4) ? b.uhzi({std::string(1 + pick(4), '1'), "0"}, pick(2)) : b.hold(pick(2)), p);
        if (!net.outArcs().count(p)) b.arc(p, b.sink(pick(4)));
        if (pick(5) == 0) net.setToken(p, pick(2) ? kBlack : kWhite, pick(2));
    }
}

TEST(GeneratorRobustnessTest, RandomNetsGenerateOrStopWithAMessage) {
    std::mt19937 rng(5150);
    int compiled = 0, generated = 0, checked = 0;
    const fs::path dir = support::freshDir("random");
    for (int i = 0; i < 2000; ++i) {
        CNet net;
        randomNet(net, rng);
        try {
            net.compileNet();
        } catch (const CError&) {
            continue;
        }
        ++compiled;
        verilog::VerilogOptions o;
        o.outDir = dir.string();
        o.debug = i % 2 == 0;
        o.moduleDir = NOVRA_SOURCE_DIR "/module";
        try {
            verilog::generateVerilog(net, o, [](const std::string&) {});
        } catch (const CError& e) {
            EXPECT_EQ(std::string::npos, e.message().find("内部エラー")) << e.message();
            continue;
        }
        ++generated;
        if (checked < 10) {
            ++checked;
            const std::string cmd =
                "cd " + dir.string() +
                " && iverilog -o net.vvp testmodule_sim.v testmodule.v transition.v pipe.v "
                "pjoint.v arbiter.v delay.v trafunc.v muller_c.v kemmakixuhzi.v cells.v "
                "> iverilog.log 2>&1";
            EXPECT_EQ(0, std::system(cmd.c_str())) << "net " << i << ", see " << dir / "iverilog.log";
        }
    }
    EXPECT_GT(compiled, 100);
    EXPECT_GT(generated, 50);
}

std::string topNameFailure(const std::string& top) {
    CNet net;
    try {
        verilog::checkNames(net, top);
    } catch (const CError& e) {
        return e.message();
    }
    return {};
}

TEST(TopNameTest, SupportModulesAreTakenAndOtherNamesAreFree) {
    // Whatever module/ defines is in every output folder: a top module of that name would be a second one.
    const std::regex moduleLine(R"(^\s*(?:module|macromodule|primitive)\s+(\w+))");
    int modules = 0;
    for (const auto& e : fs::directory_iterator(NOVRA_SOURCE_DIR "/module")) {
        if (e.path().extension() != ".v") continue;
        std::ifstream in(e.path());
        std::smatch m;
        for (std::string line; std::getline(in, line);) {
            if (!std::regex_search(line, m, moduleLine)) continue;
            ++modules;
            const std::string name = m[1];
            const char* n = name.c_str();
            EXPECT_THAT(topNameFailure(name),
                        testing::AnyOf(
                            verilog::fmt(text(msg::kVerilogTopModuleClash).c_str(), n, n),
                            verilog::fmt(text(msg::kVerilogTopFileClash).c_str(), n, (name + ".v").c_str())));
        }
    }
    EXPECT_GE(modules, 9);

    for (const char* top : {"module", "1abc", "../escape", "a-b", "", "a b", "9lives", "名前"})
        EXPECT_EQ(verilog::fmt(text(msg::kVerilogBadTopName).c_str(), top), topNameFailure(top));
    // Near the generated names, but none of them.
    for (const char* top : {"testmodule", "Top_2", "_x", "pipe_top", "kept", "tran_", "tran_05", "pipe_1x",
                            "pipe_1_2_x", "delay_3", "shm_vcd", "delayadd", "pipes", "arbiter2", "udata1"})
        EXPECT_EQ("", topNameFailure(top)) << top;
}

}  // namespace
}  // namespace novra
