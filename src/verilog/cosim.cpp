#include "verilog/cosim.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"
#include "sim/simulation.h"
#include "sim/vcd_writer.h"
#include "trafunc/evaluator.h"
#include "verilog/analysis.h"
#include "verilog/cosim_checks.h"
#include "verilog/cosim_wave.h"
#include "verilog/textfile.h"

namespace novra::verilog {

namespace {

namespace fs = std::filesystem;

constexpr int kToolMissing = 127;
// A circuit that oscillates without time advancing would keep the simulator busy forever.
constexpr unsigned kToolSeconds = 600;

// Runs a program in a folder with its output in a log file; returns its exit status.
int run(const std::vector<std::string>& argv, const std::string& dir, const std::string& logPath) {
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid < 0) return -1;
    if (pid == 0) {
        if (chdir(dir.c_str()) != 0) _exit(kToolMissing);
        const int log = open(logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int null = open("/dev/null", O_RDONLY);
        if (log >= 0) {
            dup2(log, 1);
            dup2(log, 2);
        }
        if (null >= 0) dup2(null, 0);
        alarm(kToolSeconds);
        execvp(args[0], args.data());
        _exit(kToolMissing);
    }
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void runTool(const std::vector<std::string>& argv, const std::string& dir, const std::string& logName) {
    // The tool runs inside dir; its log path must not depend on where we were.
    const std::string logPath = fs::absolute(fs::path(dir) / logName).string();
    const int status = run(argv, dir, logPath);
    if (status == kToolMissing)
        raise(fmt(text(argv[0] == "yosys" ? msg::kYosysMissing : msg::kCosimToolMissing).c_str(),
                  argv[0].c_str()));
    if (status != 0) raise(fmt(text(msg::kCosimToolFailed).c_str(), argv[0].c_str(), logPath.c_str()));
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

// Where the VPI module for $shm_* is: prebuilt in moduleDir, or built in dir from its copied source.
std::string vpiFolder(const std::string& dir, const std::string& moduleDir) {
    if (fs::exists(fs::path(moduleDir) / "shm_vcd.vpi")) return moduleDir;
    runTool({"iverilog-vpi", "shm_vcd.c"}, dir, "iverilog-vpi.log");
    return dir;
}

// "101 0" from the check module (inputs n..1, the circuit's bit) as the user reads it.
std::string difference(const FunctionResult& f, const std::string& printed) {
    const size_t blank = printed.find(' ');
    const std::string inputs = printed.substr(0, blank);
    const std::string circuit = blank == std::string::npos ? "?" : printed.substr(blank + 1);
    std::string out;
    std::vector<int> values;
    for (int k = 1; k <= f.inputs; ++k) {
        const size_t at =
            inputs.size() >= static_cast<size_t>(k) ? inputs.size() - static_cast<size_t>(k) : 0;
        const int value = inputs.size() >= static_cast<size_t>(k) && inputs[at] == '1' ? 1 : 0;
        values.push_back(value);
        out += fmt("i%d=%d ", k, value);
    }
    CEvaluator ev;
    std::string code;
    ev.translate(f.expression, code, f.inputs);
    int net = 0;
    ev.run(code, values.data(), &net, f.inputs, 1);
    if (!out.empty()) out.pop_back();
    return out + fmt(": net %d circuit ", net) + circuit;
}

}  // namespace

bool CosimReport::match() const {
    return std::all_of(sinks.begin(), sinks.end(), [](const SinkResult& r) { return r.match(); }) &&
           std::all_of(functions.begin(), functions.end(), [](const FunctionResult& f) { return f.match(); });
}

void runTestBench(const std::string& dir, const std::string& top, const std::string& moduleDir,
                  const std::vector<std::string>& extraFiles) {
    const std::string vpiDir = vpiFolder(dir, moduleDir);
    std::vector<std::string> compile{
        "iverilog", "-o",        top + "_sim.vvp", top + "_sim.v", top + ".v",   "transition.v",   "pipe.v",
        "pjoint.v", "arbiter.v", "delay.v",        "trafunc.v",    "muller_c.v", "kemmakixuhzi.v", "cells.v"};
    compile.insert(compile.end(), extraFiles.begin(), extraFiles.end());
    runTool(compile, dir, "iverilog.log");
    runTool({"vvp", "-n", "-M", fs::absolute(vpiDir).string(), "-m", "shm_vcd", top + "_sim.vvp"}, dir,
            "vvp.log");
}

std::string circuitSinkBits(const std::string& dir, int sinkId) {
    const std::string path = (fs::path(dir) / fmt("kdata%d.txt", sinkId)).string();
    std::ifstream in(path);
    if (!in) raise(fmt(text(msg::kCosimNoData).c_str(), path.c_str()));
    std::string bits;
    std::string line;
    while (std::getline(in, line)) {
        line.erase(std::remove_if(line.begin(), line.end(),
                                  [](char c) { return std::isspace(static_cast<unsigned char>(c)); }),
                   line.end());
        if (line.empty() || line.rfind("//", 0) == 0) continue;
        const char c = line[0];
        if (c == '0' || c == '1')
            bits += c;
        else if (c == 'z' || c == 'Z')
            bits += '2';
        else
            break;  // the first entry never written: the end of what arrived
    }
    return bits;
}

std::vector<SinkResult> netSinkBits(CNet& net, const std::string& vcdPath) {
    CSimulation sim(net);
    sim.compile();
    std::unique_ptr<CVcdWriter> vcd;
    if (!vcdPath.empty()) vcd = std::make_unique<CVcdWriter>(net, vcdPath);
    CSinkPhases phasesOf(vcd.get());
    sim.setObserver(&phasesOf);
    // The editor's run limit stops long streams that would end; give every bit and every word's drain of
    // the net a few phases beyond it.
    long phases = 100001;
    for (const auto& [id, u] : net.uhzis())
        for (const std::string& w : u.words)
            phases += 8 * static_cast<long>(w.size()) + 8 * static_cast<long>(net.transitions().size() + 1);
    try {
        sim.run(phases);
    } catch (const CError& e) {
        if (e.message() == text(msg::kRunTooLong)) raise(text(msg::kCosimNetDidNotEnd));
        if (e.message() != text(msg::kSimulationEnded)) throw;
    }
    sim.setObserver(nullptr);
    if (vcd) vcd->finish();
    std::vector<SinkResult> out;
    for (const auto& [id, k] : net.kemmakixes()) {
        if (k.line != 0 && k.line != 1) continue;
        SinkResult r;
        r.id = id;
        // Arrival order: a Little sink records each word reversed.
        for (std::string w : k.received) {
            if (k.line == 1) std::reverse(w.begin(), w.end());
            r.net += w;
        }
        r.netPhases = std::move(phasesOf.phases[id]);
        out.push_back(r);
    }
    return out;
}

namespace {

// Where each sink's bits first differ, with the net's phase and the circuit's time of that bit.
void locateDifferences(std::vector<SinkResult>& sinks, const VerilogOptions& options) {
    std::vector<int> differing;
    for (auto& r : sinks) {
        if (r.net == r.circuit) continue;
        size_t d = 0;
        while (d < r.net.size() && d < r.circuit.size() && r.net[d] == r.circuit[d]) ++d;
        r.firstDifference = static_cast<long>(d);
        if (d < r.net.size() && d < r.netPhases.size()) r.netPhase = r.netPhases[d];
        differing.push_back(r.id);
    }
    if (differing.empty()) return;
    const std::string vcd = options.outDir + "/" + options.topName + "_sim.vcd";
    const auto times = circuitSinkTimes(vcd, options.topName, differing);
    for (auto& r : sinks) {
        auto t = times.find(r.id);
        const size_t d = static_cast<size_t>(r.firstDifference);
        if (r.firstDifference >= 0 && t != times.end() && d < r.circuit.size() && d < t->second.size())
            r.circuitTime = t->second[d];
    }
}

CosimReport compare(CNet& net, const VerilogOptions& options, const LogSink& log, bool synthesised,
                    const std::string& netVcd) {
    net.compileNet();
    generateVerilog(net, options, log);
    Hardware hw;
    analyze(net, hw, [](const std::string&) {});

    // The net first: a net that never ends is refused before the circuit runs for its whole time.
    CosimReport report;
    report.sinks = netSinkBits(net, netVcd);
    std::map<int, size_t> sourceBits, sinkBits;
    for (const auto& [id, u] : net.uhzis()) {
        const std::string stream = sourceStream(u);
        writeFile(options.outDir + "/" + fmt("udata%d.txt", id), stream);
        if (u.addp == 1) sourceBits[id] = stream.size() / 2;
    }
    for (const auto& r : report.sinks) sinkBits[r.id] = r.net.size();
    report.functions = writeCosimChecks(options.outDir, options.topName, net, hw, sourceBits, sinkBits);

    if (synthesised) {
        synthesise(options.outDir, options.topName);
        runSynthesisedBench(options.outDir, options.topName, options.moduleDir, {kCosimFile});
    } else {
        runTestBench(options.outDir, options.topName, options.moduleDir, {kCosimFile});
    }
    const CosimOutput out = readCosimOutput(readText(options.outDir + "/vvp.log"));

    // A source still sending when the bench stopped cuts every stream short; a net that
    // went quiet before a source had emitted its word never delivers those bits, while the circuit streams
    // them all.
    std::string cut;
    for (const auto& [id, u] : net.uhzis())
        if (cut.empty() && u.droppedBits > 0)
            cut = fmt(text(msg::kCosimNetDroppedBits).c_str(), id, u.droppedBits);
    for (const auto& [id, bits] : sourceBits) {
        auto sent = out.sent.find(id);
        if (cut.empty() && sent != out.sent.end() && sent->second.second < static_cast<long>(bits) &&
            sent->second.second > sent->second.first)
            cut =
                fmt(text(msg::kCosimBenchTimeCut).c_str(), id, static_cast<long>(bits), sent->second.second);
    }
    for (auto& r : report.sinks) {
        r.circuit = circuitSinkBits(options.outDir, r.id);
        if (!cut.empty() && r.circuit != r.net) r.limit = cut;
    }
    locateDifferences(report.sinks, options);
    for (auto& f : report.functions) {
        auto d = out.firstDifference.find(f.module);
        if (d != out.firstDifference.end())
            f.difference = difference(f, d->second);
        else if (!out.checked.count(f.module))
            f.difference = text(msg::kCosimCheckDidNotRun);
    }
    return report;
}

}  // namespace

CosimReport cosimulate(CNet& net, const VerilogOptions& options, const LogSink& log,
                       const std::string& netVcd) {
    return compare(net, options, log, false, netVcd);
}

CosimReport cosimulateSynthesised(CNet& net, const VerilogOptions& options, const LogSink& log) {
    return compare(net, options, log, true, {});
}

std::string yosysCellModels() {
    std::error_code ec;
    if (std::FILE* p = popen("yosys-config --datdir 2>/dev/null", "r")) {
        char line[4096] = {};
        const bool got = std::fgets(line, sizeof line, p) != nullptr;
        const int status = pclose(p);
        std::string dir = got && status == 0 ? line : "";
        while (!dir.empty() && std::isspace(static_cast<unsigned char>(dir.back()))) dir.pop_back();
        const fs::path cells = fs::path(dir) / "simcells.v";
        if (!dir.empty() && fs::exists(cells, ec)) return cells.string();
    }
    // yosys-config comes with Debian's development package only; the data folder sits beside the program.
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "";
    for (size_t start = 0; start <= dirs.size();) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        const fs::path dir = dirs.substr(start, end - start);
        const fs::path program = dir.empty() ? fs::path() : fs::canonical(dir / "yosys", ec);
        if (!program.empty() && !ec) {
            const fs::path cells = program.parent_path().parent_path() / "share" / "yosys" / "simcells.v";
            if (fs::exists(cells, ec)) return cells.string();
        }
        start = end + 1;
    }
    return {};
}

void synthesise(const std::string& dir, const std::string& top) {
    runTool({"yosys", "-q", "-l", top + ".ys.log", top + ".ys"}, dir, "yosys.log");
}

void runSynthesisedBench(const std::string& dir, const std::string& top, const std::string& moduleDir,
                         const std::vector<std::string>& extraFiles) {
    const std::string cells = yosysCellModels();
    if (cells.empty()) raise(fmt(text(msg::kYosysMissing).c_str(), "simcells.v"));
    const std::string vpiDir = vpiFolder(dir, moduleDir);
    std::vector<std::string> compile{"iverilog",       "-o",      top + "_syn.vvp", top + "_sim.v",
                                     top + "_syn.v",   "delay.v", "muller_c.v",     "arbiter.v",
                                     "kemmakixuhzi.v", cells};
    compile.insert(compile.end(), extraFiles.begin(), extraFiles.end());
    runTool(compile, dir, "iverilog.log");
    runTool({"vvp", "-n", "-M", fs::absolute(vpiDir).string(), "-m", "shm_vcd", top + "_syn.vvp"}, dir,
            "vvp.log");
}

}  // namespace novra::verilog
