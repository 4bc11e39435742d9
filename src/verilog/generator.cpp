// The generator's entry: the failure marker, the analysis, and the order in which the files are written.
#include "verilog/generator.h"

#include <filesystem>

#include "common/encoding.h"
#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"
#include "verilog/analysis.h"
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

namespace {

std::string in(const VerilogOptions& o, const std::string& file) {
    return o.outDir + "/" + file;
}

// The four stage files, filled transition by transition; also counts what the stages use.
struct StageFiles {
    CTextFile pipe, transition, delay, delayData;
    int cElements = 0;
    int registers = 0;
};

void writeStage(int id, CNet& net, Hardware& hw, StageFiles& f, double delayOverPlus) {
    const CTransition& t = net.transitions().at(id);
    Stage& stage = hw.stages.at(id);
    const Node& node = hw.nodes.at(id);
    const StageShape s = stageShape(t, stage);

    if (!t.guardText.empty()) {
        f.pipe << guardedPipe(id, t, s);
    } else if (hw.emittedPipes.insert(genericPipeName(s)).second) {
        f.pipe << genericPipe(s);
    }
    f.transition << stageModule(id, t, stage, node);
    stage.delays = matchedDelays(id, net, hw);
    f.delayData << delayDataLines(id, t, stage);
    f.delay << delayModules(id, stage, delayOverPlus);

    f.cElements += (s.nReq - s.nLoop) + s.nAck - 1;
    if (!stage.reduced) {
        f.registers += s.nIn;
        for (int k = 1; k <= s.nIn; ++k) {
            const bool set = stage.initialValue(k) == 1;
            const char* cell =
                Hardware::isLoop(node.in, k) ? (set ? "DFNSR" : "DFNR") : (set ? "DFSR" : "DFR");
            hw.cellTally[cell] += 1;
        }
    }
}

void copySupport(const VerilogOptions& o, const char* file) {
    // A missing support file is not an error: the generated files are complete without the copy.
    copyFile(o.moduleDir + "/" + file, in(o, file));
}

}  // namespace

std::string findModuleDir() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    const std::filesystem::path bin = ec ? std::filesystem::current_path(ec) : exe.parent_path();
    const std::filesystem::path beside = bin / "module", installed = bin.parent_path() / "share/novra/module";
    if (!std::filesystem::is_directory(beside, ec) && std::filesystem::is_directory(installed, ec))
        return installed.string();
    return beside.string();
}

namespace {

void generate(CNet& net, const VerilogOptions& o, const LogSink& log) {
    // The analysis reads the connection data that only a successful compile of this very net leaves.
    if (!net.simulationReady()) raise(text(msg::kVerilogNotCompiled));
    checkNames(net, o.topName);

    const std::string marker = in(o, "out.txt");
    {
        std::FILE* f = std::fopen(marker.c_str(), "wb");
        if (!f) raise(text(msg::kVerilogCannotOpen));
        // File contents: the same in every language.
        const std::string sentence =
            utf8ToCp932(text(msg::kVerilogFailedMarker, Language::Japanese)).value_or("");
        std::fwrite(sentence.data(), 1, sentence.size(), f);
        std::fclose(f);
    }

    Hardware hw;
    analyze(net, hw, log);

    log(fmt(text(msg::kVerilogWriting).c_str(), o.outDir.c_str()));
    const std::string time = asctimeNow();
    {
        auto open = [&](const char* name) {
            log(fmt(text(msg::kVerilogOpened).c_str(), name));
            return in(o, name);
        };
        StageFiles f{CTextFile(open("pipe.v")), CTextFile(open("transition.v")), CTextFile(open("delay.v")),
                     CTextFile(open("delay.data"))};
        f.pipe << pipeHeader(time);
        f.transition << transitionHeader(time);
        f.delay << delayHeader(time);
        f.delayData << delayDataHead(static_cast<int>(hw.functionList.size()), o.delayOverPlus);
        for (const auto& [id, stage] : hw.stages)
            if (stage.owner == id) writeStage(id, net, hw, f, o.delayOverPlus);
        f.pipe.close();
        f.transition.close();
        f.delay.close();
        f.delayData.close();
        log(fmt(text(msg::kVerilogCElements).c_str(), f.cElements));
        log(fmt(text(msg::kVerilogRegisters).c_str(), f.registers));
        for (const auto& [cell, count] : hw.cellTally)
            log(fmt(text(msg::kVerilogCellTally).c_str(), cell.c_str(), count));
    }

    for (const char* file : {"delayadd.cpp", "kemmakixuhzi.v", "muller_c.v", "cells.v", "shm_vcd.c"})
        copySupport(o, file);

    log(text(msg::kVerilogPjoint));
    writeFile(in(o, "pjoint.v"), pjointHeader(time) + placeJoints(hw));
    copySupport(o, "arbiter.v");

    log(text(msg::kVerilogTrafunc));
    writeFile(in(o, "trafunc.v"), trafuncHeader(time) + functionModules(hw));

    log(fmt(text(msg::kVerilogBench).c_str(), o.topName.c_str()));
    writeFile(in(o, o.topName + "_sim.v"), testBench(net, hw, o.topName, o.debug, time));
    log(fmt(text(msg::kVerilogTop).c_str(), o.topName.c_str()));
    writeFile(in(o, o.topName + ".v"), topModule(net, hw, o.topName, o.debug, time));

    log(text(msg::kVerilogDataFiles));
    for (const auto& [id, u] : net.uhzis()) writeFile(in(o, fmt("udata%d.txt", id)), sourceData(u));

    log(text(msg::kVerilogScript));
    writeFile(in(o, o.topName + ".dc"), synthesisScript(hw, o.topName));
    writeFile(in(o, o.topName + ".ys"), yosysScript(o.topName));
    writeFile(in(o, "Makefile"), makefile(o.topName));

    std::error_code ec;
    std::filesystem::remove(marker, ec);
}

}  // namespace

void generateVerilog(CNet& net, const VerilogOptions& o, const LogSink& log) {
    try {
        generate(net, o, log);
    } catch (const CError&) {
        throw;
    } catch (const std::exception& e) {
        // A net the analysis does not expect must end the run with a message, never end the program.
        raise(fmt(text(msg::kVerilogInternal).c_str(), e.what()));
    }
}

}  // namespace novra::verilog
