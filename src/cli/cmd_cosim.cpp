// novra-cli cosim: generates the circuit of a net, simulates it under Icarus Verilog and compares what
// every sink received with what the net itself delivers.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/commands.h"
#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"
#include "verilog/cosim.h"
#include "verilog/cosim_wave.h"
#include "verilog/textfile.h"

namespace novra::cli {

namespace {

namespace fs = std::filesystem;

struct CosimArgs {
    std::string path;
    std::string top = "testmodule";
    std::string keep;
    std::string vcd;   // --vcd FILE: the circuit's waveform
    std::string wave;  // --wave FILE.gtkw: the GTKWave file; the waveforms beside it
};

// The files --wave writes beside FILE.gtkw: the net's waveform and the one merged with the circuit's.
std::string waveStem(const std::string& gtkw) {
    const fs::path p(gtkw);
    return (p.parent_path() / p.stem()).string();
}
std::string netWave(const CosimArgs& a) {
    return waveStem(a.wave) + "_net.vcd";
}
std::string mergedWave(const CosimArgs& a) {
    return waveStem(a.wave) + ".vcd";
}

// Whether a file can be written there, tried before anything runs (the try leaves nothing behind).
bool writable(const std::string& path) {
    std::error_code ec;
    if (path.empty() || fs::is_directory(path, ec)) return false;
    const std::string probe = path + ".part";
    std::FILE* f = std::fopen(probe.c_str(), "wb");
    if (f == nullptr) return false;
    std::fclose(f);
    std::remove(probe.c_str());
    return true;
}

// Writes the text through FILE.part, which replaces FILE once complete.
void writeWhole(const std::string& path, const std::string& text) {
    const std::string part = path + ".part";
    {
        std::ofstream o(part, std::ios::binary | std::ios::trunc);
        o << text;
        if (!o.flush()) raise(novra::text(msg::kVcdCannotWrite) + ": " + path);
    }
    std::error_code ec;
    fs::rename(part, path, ec);
    if (ec) {
        fs::remove(part, ec);
        raise(novra::text(msg::kVcdCannotWrite) + ": " + path);
    }
}

void copyWhole(const std::string& from, const std::string& to) {
    std::error_code ec;
    const std::string part = to + ".part";
    fs::copy_file(from, part, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(part, to, ec);
    if (ec) {
        fs::remove(part, ec);
        raise(text(msg::kVcdCannotWrite) + ": " + to);
    }
}

// The line under a sink whose bits differ: the first differing bit, the net's phase and the circuit's
// time of it ("-" for a bit one side never had).
std::string differenceLine(const verilog::SinkResult& r) {
    const size_t d = static_cast<size_t>(r.firstDifference);
    const auto bit = [d](const std::string& bits) { return d < bits.size() ? std::string(1, bits[d]) : "-"; };
    return "sink " + std::to_string(r.id) + " first difference bit " + std::to_string(d) + ": net " +
           bit(r.net) + " at phase " + (r.netPhase >= 0 ? std::to_string(r.netPhase) : "-") + ", circuit " +
           bit(r.circuit) + " at " + (r.circuitTime >= 0 ? std::to_string(r.circuitTime) + " ps" : "-");
}

int parse(const Args& args, CosimArgs& out) {
    const char* cmd = "cosim";
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if ((a == "--top" || a == "--keep" || a == "--vcd" || a == "--wave") && i + 1 >= args.size())
            return usageError(cmd, a + " needs a value");
        if (a == "--vcd" || a == "--wave") {
            std::string& file = a == "--vcd" ? out.vcd : out.wave;
            file = args[++i];
            if (file.empty()) return usageError(cmd, a + " needs a file");
        } else if (a == "--top") {
            out.top = args[++i];
        } else if (a == "--keep") {
            out.keep = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(cmd, "unknown option \"" + a + "\"");
        } else if (out.path.empty()) {
            out.path = a;
        } else {
            return usageError(cmd, "unexpected argument \"" + a + "\"");
        }
    }
    if (out.path.empty()) return usageError(cmd, "no net file given");
    if (!out.wave.empty() && fs::path(out.wave).extension() != ".gtkw")
        return usageError(cmd, "--wave takes a GTKWave file name ending in .gtkw, not \"" + out.wave + "\"");
    for (const std::string& f :
         {out.vcd, out.wave, out.wave.empty() ? "" : netWave(out), out.wave.empty() ? "" : mergedWave(out)})
        if (!f.empty() && !writable(f)) return usageError(cmd, "cannot write " + f);
    return 0;
}

// When the test bench switches the sources on (ps), a little before.
constexpr long long kSourcesStart = 2600;

std::string shown(const std::string& bits) {
    return bits.empty() ? "-" : bits;
}

}  // namespace

int cmdCosim(const Args& args) {
    CosimArgs ca;
    if (int status = parse(args, ca)) return status;
    CNet net;
    try {
        fileio::load(net, ca.path);
    } catch (const CError& e) {
        return usageError("cosim", "cannot read " + ca.path + ": " + e.message());
    }
    std::error_code ec;
    if (!ca.keep.empty() && !fs::is_directory(ca.keep, ec)) {
        std::cout << text(msg::kVerilogFolderMissing) << '\n';
        return 1;
    }

    verilog::VerilogOptions options;
    options.topName = ca.top;
    options.moduleDir = verilog::findModuleDir();
    std::string work;
    std::ostringstream log;  // the generator's progress, shown only when something fails
    try {
        verilog::checkNames(net, ca.top);
        if (ca.keep.empty()) {
            std::string pattern = (fs::temp_directory_path(ec) / "novra-cosim-XXXXXX").string();
            if (!mkdtemp(pattern.data())) raise(text(msg::kCosimWorkDir));
            work = pattern;
            options.outDir = work;
        } else {
            // The tools run inside the folder, so every path handed to them or shown is absolute.
            options.outDir = fs::absolute(fs::path(ca.keep) / ca.top).string();
            fs::create_directories(options.outDir, ec);
        }
        const std::string netVcd = ca.wave.empty() ? "" : netWave(ca) + ".part";
        const verilog::CosimReport report = verilog::cosimulate(
            net, options, [&](const std::string& line) { log << line; }, netVcd);
        for (const auto& r : report.sinks) {
            std::cout << "sink " << r.id << " net " << shown(r.net) << " circuit " << shown(r.circuit) << ' '
                      << (r.match()         ? "match"
                          : r.limit.empty() ? "mismatch"
                                            : "limit")
                      << " (" << r.net.size() << " bits)";
            if (!r.limit.empty()) std::cout << ' ' << r.limit;
            std::cout << '\n';
            if (r.firstDifference >= 0) std::cout << differenceLine(r) << '\n';
        }
        for (const auto& f : report.functions) {
            std::cout << (f.guard ? "guard " : "function ") << f.module << ' ' << f.expression << ' '
                      << (f.match() ? "match" : "mismatch") << " (" << f.combinations << " combinations)";
            if (!f.match()) std::cout << ' ' << f.difference;
            std::cout << '\n';
        }
        // The waveforms: the circuit's as the bench wrote it, the net's, and both in one for GTKWave.
        const std::string circuitVcd = options.outDir + "/" + ca.top + "_sim.vcd";
        if (!ca.vcd.empty()) copyWhole(circuitVcd, ca.vcd);
        if (!ca.wave.empty()) {
            fs::rename(netVcd, netWave(ca), ec);
            if (ec) raise(text(msg::kVcdCannotWrite) + ": " + netWave(ca));
            // The net's phases stretched over the time the circuit took to deliver its sink bits.
            long long lastBit = 0;
            long lastPhase = 1;
            std::vector<int> sinkIds;
            for (const auto& r : report.sinks) {
                sinkIds.push_back(r.id);
                if (!r.netPhases.empty()) lastPhase = std::max(lastPhase, r.netPhases.back());
            }
            for (const auto& [id, times] : verilog::circuitSinkTimes(circuitVcd, ca.top, sinkIds))
                if (!times.empty()) lastBit = std::max(lastBit, times.back());
            const long long scale = std::max(1LL, lastBit / lastPhase);
            verilog::mergeWaves(circuitVcd, netWave(ca), scale, mergedWave(ca));
            // The stretch from the sources' start to the last sink bit, marked at the first difference.
            long long marker = -1;
            for (const auto& r : report.sinks)
                if (r.circuitTime >= 0 && (marker < 0 || r.circuitTime < marker)) marker = r.circuitTime;
            writeWhole(ca.wave, verilog::gtkwSaveFile(mergedWave(ca), ca.top, sinkIds, scale, kSourcesStart,
                                                      std::max(lastBit, marker) + 2 * scale, marker));
        }
        if (!work.empty()) fs::remove_all(work, ec);
        return report.match() ? 0 : 1;
    } catch (const CError& e) {
        if (!ca.wave.empty()) fs::remove(netWave(ca) + ".part", ec);
        // The work folder stays when a tool failed, so that the log the message points at can be read.
        if (!work.empty() && e.message().find(work) == std::string::npos) fs::remove_all(work, ec);
        std::cout << log.str();
        std::cout << e.message();
        if (e.message().empty() || e.message().back() != '\n') std::cout << '\n';
        if (net.stopObject() != 0) std::cout << "stop " << net.stopObject() << '\n';
        return 1;
    }
}

}  // namespace novra::cli
