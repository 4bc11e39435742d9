#include "verilog/cosim.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"
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
    const std::string logPath = (fs::path(dir) / logName).string();
    const int status = run(argv, dir, logPath);
    if (status == kToolMissing) raise(fmt(text(msg::kCosimToolMissing).c_str(), argv[0].c_str()));
    if (status != 0) raise(fmt(text(msg::kCosimToolFailed).c_str(), argv[0].c_str(), logPath.c_str()));
}

}  // namespace

void runTestBench(const std::string& dir, const std::string& top, const std::string& moduleDir) {
    std::string vpiDir = moduleDir;
    if (!fs::exists(fs::path(moduleDir) / "shm_vcd.vpi")) {
        runTool({"iverilog-vpi", "shm_vcd.c"}, dir, "iverilog-vpi.log");
        vpiDir = dir;
    }
    runTool({"iverilog", "-o", top + "_sim.vvp", top + "_sim.v", top + ".v", "transition.v", "pipe.v",
             "pjoint.v", "arbiter.v", "delay.v", "trafunc.v", "muller_c.v", "kemmakixuhzi.v", "cells.v"},
            dir, "iverilog.log");
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

std::vector<SinkResult> netSinkBits(CNet& net) {
    // The test bench feeds each source its first word only.
    for (auto& [id, u] : net.uhzis)
        if (u.words.size() > 1) u.words.resize(1);
    net.stopObject = 0;
    net.compileNet();
    try {
        net.runUnanimated();
    } catch (const CError& e) {
        if (e.message() == text(msg::kRunTooLong)) raise(text(msg::kCosimNetDidNotEnd));
        if (e.message() != text(msg::kSimulationEnded)) throw;
    }
    std::vector<SinkResult> out;
    for (const auto& [id, k] : net.kemmakixes) {
        if (k.line != 0 && k.line != 1) continue;
        SinkResult r;
        r.id = id;
        // Arrival order: a Little sink records each word reversed.
        for (std::string w : k.received) {
            if (k.line == 1) std::reverse(w.begin(), w.end());
            r.net += w;
        }
        out.push_back(r);
    }
    return out;
}

std::vector<SinkResult> cosimulate(CNet& net, const VerilogOptions& options, const LogSink& log) {
    net.stopObject = 0;
    net.compileNet();
    generateVerilog(net, options, log);
    // The net first: a net that never ends is refused before the circuit runs for its whole time.
    std::vector<SinkResult> results = netSinkBits(net);
    runTestBench(options.outDir, options.topName, options.moduleDir);
    for (auto& r : results) r.circuit = circuitSinkBits(options.outDir, r.id);
    return results;
}

}  // namespace novra::verilog
