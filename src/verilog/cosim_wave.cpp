// The waveforms of a co-simulation: sink bit times of the circuit, the merged VCD and the GTKWave file.
#include "verilog/cosim_wave.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"
#include "verilog/textfile.h"

namespace novra::verilog {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void cannotWrite(const std::string& path) {
    raise(text(msg::kVcdCannotWrite) + ": " + path);
}

std::ifstream openVcd(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) raise(fmt(text(msg::kCosimNoData).c_str(), path.c_str()));
    return in;
}

// The value-change part of a VCD as blocks of one time each; a phase of the net is stretched to its time
// in the circuit and its identifiers get a prefix.
class BodyReader {
  public:
    BodyReader(std::istream& in, long long scale, std::string prefix)
        : in_(in), scale_(scale), prefix_(std::move(prefix)) {
        more_ = static_cast<bool>(std::getline(in_, pending_));
    }
    bool next(long long& time, std::vector<std::string>& lines) {
        lines.clear();
        while (more_ && (pending_.empty() || pending_[0] != '#'))
            more_ = static_cast<bool>(std::getline(in_, pending_));
        if (!more_) return false;
        time = std::stoll(pending_.substr(1)) * scale_;
        while ((more_ = static_cast<bool>(std::getline(in_, pending_))) &&
               (pending_.empty() || pending_[0] != '#'))
            if (!pending_.empty()) lines.push_back(renamed(pending_));
        return true;
    }

  private:
    std::string renamed(const std::string& line) const {
        if (prefix_.empty() || line[0] == '$') return line;
        if (line[0] == 'b' || line[0] == 'B' || line[0] == 'r' || line[0] == 'R') {
            const size_t blank = line.find(' ');
            return blank == std::string::npos ? line
                                              : line.substr(0, blank + 1) + prefix_ + line.substr(blank + 1);
        }
        return line.substr(0, 1) + prefix_ + line.substr(1);
    }
    std::istream& in_;
    long long scale_;
    std::string prefix_;
    std::string pending_;
    bool more_ = false;
};

// The declaration lines of a VCD up to $enddefinitions (not included); the identifiers it declares.
std::vector<std::string> header(std::istream& in, std::set<std::string>& codes) {
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (line.rfind("$enddefinitions", 0) == 0) break;
        lines.push_back(line);
        if (line.rfind("$var", 0) == 0) {
            std::istringstream w(line);
            std::string var, kind, width, code;
            w >> var >> kind >> width >> code;
            codes.insert(code);
        }
    }
    return lines;
}

}  // namespace

void CSinkPhases::phaseDone(const CPhaseEvents& events) {
    ++time_;
    for (const auto& a : events.absorbed) {
        if (a.color != kBlack) continue;
        int& n = inWord_[a.id];
        if (n++ < CKemmakix::kBitBufferSize) phases[a.id].push_back(time_);
    }
    if (events.phase == 3) inWord_.clear();
    if (next_ != nullptr) next_->phaseDone(events);
}

std::map<int, std::vector<long long>> circuitSinkTimes(const std::string& vcdPath, const std::string& top,
                                                       const std::vector<int>& sinkIds) {
    std::map<int, std::vector<long long>> times;
    std::map<std::string, std::pair<int, bool>> watched;  // code -> sink, is the acknowledge
    std::map<std::string, char> last;
    std::map<int, long long> request;
    std::set<int> wanted(sinkIds.begin(), sinkIds.end());
    std::ifstream in = openVcd(vcdPath);
    std::vector<std::string> scopes;
    long long time = 0;
    for (std::string word; in >> word;) {
        if (word == "$scope") {
            std::string kind, name;
            in >> kind >> name >> word;
            scopes.push_back(name);
        } else if (word == "$upscope") {
            in >> word;
            if (!scopes.empty()) scopes.pop_back();
        } else if (word == "$var") {
            std::string kind, width, code, name;
            in >> kind >> width >> code >> name;
            while (in >> word && word != "$end") {
            }
            int id = 0;
            char tail[8] = {};
            if (scopes.size() == 1 && scopes[0] == top + "_sim" &&
                std::sscanf(name.c_str(), "k_%d_%7s", &id, tail) == 2 && wanted.count(id) &&
                (std::string(tail) == "_r" || std::string(tail) == "a"))
                watched[code] = {id, std::string(tail) == "a"};
        } else if (word[0] == '#') {
            time = std::stoll(word.substr(1));
        } else if (word[0] == 'b' || word[0] == 'r') {
            in >> word;  // a vector's identifier
        } else if (word[0] == '$') {
            if (word != "$dumpvars" && word != "$end" && word != "$enddefinitions")
                while (in >> word && word != "$end") {
                }
        } else {
            const std::string code = word.substr(1);
            auto w = watched.find(code);
            if (w == watched.end()) continue;
            char& before = last[code];
            const bool rise = word[0] == '1' && before != '1';
            before = word[0];
            if (!rise) continue;
            if (w->second.second)
                times[w->second.first].push_back(request[w->second.first]);
            else
                request[w->second.first] = time;
        }
    }
    return times;
}

void mergeWaves(const std::string& circuitVcd, const std::string& netVcd, long long psPerPhase,
                const std::string& out) {
    std::ifstream circuit = openVcd(circuitVcd);
    std::ifstream net = openVcd(netVcd);
    std::set<std::string> circuitCodes, netCodes;
    const std::vector<std::string> circuitHead = header(circuit, circuitCodes);
    const std::vector<std::string> netHead = header(net, netCodes);
    // A prefix that makes no net identifier one of the circuit's.
    std::string prefix = "n";
    for (bool clash = true; clash;) {
        clash = false;
        for (const std::string& c : netCodes) clash = clash || circuitCodes.count(prefix + c);
        if (clash) prefix += "~";
    }
    const std::string part = out + ".part";
    {
        std::ofstream o(part, std::ios::binary | std::ios::trunc);
        if (!o) cannotWrite(out);
        for (const std::string& line : circuitHead) o << line << '\n';
        o << "$comment\n  The net's simulation beside its circuit under scope net: its phase n at time "
          << psPerPhase << " * n.\n$end\n";
        bool inScope = false;
        for (const std::string& line : netHead) {
            inScope = inScope || line.rfind("$scope", 0) == 0;
            if (!inScope) continue;
            if (line.rfind("$var", 0) == 0) {
                std::istringstream w(line);
                std::string var, kind, width, code, rest, word;
                w >> var >> kind >> width >> code;
                while (w >> word) rest += ' ' + word;
                o << var << ' ' << kind << ' ' << width << ' ' << prefix << code << rest << '\n';
            } else {
                o << line << '\n';
            }
        }
        o << "$enddefinitions $end\n";
        BodyReader a(circuit, 1, ""), b(net, psPerPhase, prefix);
        long long ta = 0, tb = 0;
        std::vector<std::string> la, lb;
        bool hasA = a.next(ta, la), hasB = b.next(tb, lb);
        while (hasA || hasB) {
            const long long t = !hasB || (hasA && ta <= tb) ? ta : tb;
            o << '#' << t << '\n';
            if (hasA && ta == t) {
                for (const auto& l : la) o << l << '\n';
                hasA = a.next(ta, la);
            }
            if (hasB && tb == t) {
                for (const auto& l : lb)
                    if (l[0] != '$') o << l << '\n';  // the net's $dumpvars block becomes plain changes
                hasB = b.next(tb, lb);
            }
        }
        o.flush();
        if (!o) {
            o.close();
            fs::remove(part);
            cannotWrite(out);
        }
    }
    std::error_code ec;
    fs::rename(part, out, ec);
    if (ec) {
        fs::remove(part, ec);
        cannotWrite(out);
    }
}

std::string gtkwSaveFile(const std::string& mergedVcd, const std::string& top,
                         const std::vector<int>& sinkIds, long long psPerPhase, long long from, long long to,
                         long long marker) {
    std::string g = "[*]\n[*] NOVRA cosim: each sink of the net beside its cell in the circuit.\n";
    g += "[*] The net's phase n is drawn at " + std::to_string(psPerPhase) + " ps * n.\n[*]\n";
    g +=
        "[dumpfile] \"" + fs::absolute(mergedVcd).string() + "\"\n[timestart] " + std::to_string(from) + "\n";
    // GTKWave's zoom: each step down doubles the time shown; at 0 its wave pane shows some 3 ps.
    const double zoom = -std::log2(std::max(1.0, static_cast<double>(to - from) / 3.2));
    g += fmt("*%f %lld", zoom, marker < 0 ? -1LL : marker);
    for (int i = 0; i < 26; ++i) g += " -1";  // the named markers
    g += "\n";
    for (const int id : sinkIds) {
        const std::string group = "-sink " + std::to_string(id) + "\n";
        g += "@800200\n" + group + "@28\n";
        g += "net.sinks.k" + std::to_string(id) + "[1:0]\n";
        for (const char* s : {"_d", "__r", "_a"}) g += top + "_sim.k_" + std::to_string(id) + s + "\n";
        g += "@1000200\n" + group;
    }
    return g + "@28\nnet.phase[1:0]\n";
}

}  // namespace novra::verilog
