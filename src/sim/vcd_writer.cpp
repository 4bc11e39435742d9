// The VCD waveform of a simulation, written as the phases go.
#include "sim/vcd_writer.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "common/error.h"
#include "common/messages.h"

namespace novra {

namespace {

constexpr const char* kHeaderComment =
    "$comment\n"
    "  NOVRA net simulation. One time unit is one phase of the simulation; time 0 is the marking\n"
    "  compile laid. Values change only in the phases that change them.\n"
    "  places.p<id>_<arc variables>: the token on the place, 2 bits: b00 none, b01 white,\n"
    "    b10 black 0, b11 black 1, b1x black undefined.\n"
    "  transitions.t<id>: 1 in the phase in which the transition fired, else 0.\n"
    "  sources.u<id> / sinks.k<id>: the token the source emitted / the sink absorbed in that\n"
    "    phase, coded as a place's token; b00 in phases without one.\n"
    "  phase: 0 source preparation, 1 source emission (in an unanimated run the whole sweep:\n"
    "    emission, enabling, firing, sink absorption), 2 firing (the editor's step cycle),\n"
    "    3 sink record flush and end check.\n"
    "$end\n";

// Identifier codes: printable characters from '!' on, the shortest first.
std::string identifier(int n) {
    std::string s;
    do {
        s += static_cast<char>('!' + n % 94);
        n /= 94;
    } while (n > 0);
    return s;
}

// A name readers take as one word.
std::string cleanName(const std::string& s) {
    std::string out;
    for (const char c : s) out += std::isalnum(static_cast<unsigned char>(c)) || c == '_' ? c : '_';
    return out;
}

[[noreturn]] void cannotWrite(const std::string& path) {
    raise(text(msg::kVcdCannotWrite) + ": " + path +
          (errno != 0 ? std::string(" (") + std::strerror(errno) + ")" : ""));
}

void appendNumber(std::string& out, long n) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    out.append(buf, r.ptr);
}

}  // namespace

uint8_t CVcdWriter::code(bool hasToken, int color, int value) {
    if (!hasToken) return kNone;
    if (color == kWhite) return kWhiteToken;
    return value == 0 ? kBlack0 : value == 1 ? kBlack1 : kBlackX;
}

void CVcdWriter::declare(const std::string& name, int width, std::vector<std::string>& codes) {
    codes.push_back(identifier(signals_++));
    header_ += "$var wire " + std::to_string(width) + ' ' + codes.back() + ' ' + name +
               (width > 1 ? " [" + std::to_string(width - 1) + ":0]" : "") + " $end\n";
}

CVcdWriter::CVcdWriter(const CNet& net, const std::string& path) : path_(path) {
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) cannotWrite(path);
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);

    header_ = kHeaderComment;
    header_ += "$version\n  NOVRA\n$end\n$timescale 1ns $end\n$scope module net $end\n";
    phaseCode_ = identifier(signals_++);
    header_ += "$var wire 2 " + phaseCode_ + " phase [1:0] $end\n";
    header_ += "$scope module places $end\n";
    for (const auto& [id, p] : net.places()) {
        std::string name = "p" + std::to_string(id);
        // The variables of the arcs that bind the place to its transitions: what it carries.
        for (const auto& index : {&net.inArcs(), &net.outArcs()}) {
            auto [b, e] = index->equal_range(id);
            for (auto it = b; it != e; ++it) {
                auto a = net.arcs().find(it->second);
                if (a != net.arcs().end() && !a->second.varName.empty())
                    name += "_" + cleanName(a->second.varName);
            }
        }
        placeIds_.push_back(id);
        declare(name, 2, placeCodes_);
        placeLast_.push_back(code(p.hasToken, p.color, p.value));
    }
    header_ += "$upscope $end\n$scope module transitions $end\n";
    for (const auto& [id, t] : net.transitions()) {
        transitionIds_.push_back(id);
        declare("t" + std::to_string(id), 1, transitionCodes_);
    }
    header_ += "$upscope $end\n$scope module sources $end\n";
    for (const auto& [id, u] : net.uhzis()) {
        sourceIds_.push_back(id);
        declare("u" + std::to_string(id), 2, sourceCodes_);
    }
    header_ += "$upscope $end\n$scope module sinks $end\n";
    for (const auto& [id, k] : net.kemmakixes()) {
        sinkIds_.push_back(id);
        declare("k" + std::to_string(id), 2, sinkCodes_);
    }
    header_ += "$upscope $end\n$upscope $end\n$enddefinitions $end\n#0\n$dumpvars\nb00 " + phaseCode_ + "\n";
    transitionLast_.assign(transitionIds_.size(), 0);
    sourceLast_.assign(sourceIds_.size(), kNone);
    sinkLast_.assign(sinkIds_.size(), kNone);
    transitionAt_.assign(transitionIds_.size(), -1);
    sourceAt_.assign(sourceIds_.size(), -1);
    sinkAt_.assign(sinkIds_.size(), -1);
    std::swap(out_, header_);
    for (size_t i = 0; i < placeIds_.size(); ++i) change2(placeCodes_[i], placeLast_[i]);
    for (const auto& c : transitionCodes_) change1(c, 0);
    for (const auto& c : sourceCodes_) change2(c, kNone);
    for (const auto& c : sinkCodes_) change2(c, kNone);
    out_ += "$end\n";
    lastPhase_ = 0;
    if (std::fwrite(out_.data(), 1, out_.size(), file_) != out_.size()) failed_ = true;
    out_.clear();
    header_.clear();
    header_.shrink_to_fit();
}

CVcdWriter::~CVcdWriter() {
    if (file_ != nullptr) std::fclose(file_);
}

void CVcdWriter::change1(const std::string& c, int v) {
    out_ += v ? '1' : '0';
    out_ += c;
    out_ += '\n';
}

void CVcdWriter::change2(const std::string& c, uint8_t v) {
    static const char* const kText[] = {"b00 ", "b01 ", "b10 ", "b11 ", "b1x "};
    out_ += kText[v];
    out_ += c;
    out_ += '\n';
}

size_t CVcdWriter::find(const std::vector<int>& ids, int id, int index) const {
    const size_t i = static_cast<size_t>(index);
    if (index >= 0 && i < ids.size() && ids[i] == id) return i;
    auto it = std::lower_bound(ids.begin(), ids.end(), id);
    return it != ids.end() && *it == id ? static_cast<size_t>(it - ids.begin()) : ids.size();
}

void CVcdWriter::pulse(size_t i, uint8_t v, std::vector<uint8_t>& last, std::vector<long>& at,
                       const std::vector<std::string>& codes, std::vector<size_t>& raised, bool wide) {
    if (i >= last.size()) return;
    if (at[i] != time_ - 1 && at[i] != time_) raised.push_back(i);  // not yet listed as up
    at[i] = time_;
    if (last[i] == v) return;
    last[i] = v;
    wide ? change2(codes[i], v) : change1(codes[i], v);
}

void CVcdWriter::fall(std::vector<uint8_t>& last, const std::vector<long>& at,
                      const std::vector<std::string>& codes, std::vector<size_t>& raised, bool wide) {
    size_t kept = 0;
    for (const size_t i : raised) {
        if (at[i] == time_) {
            raised[kept++] = i;
        } else if (last[i] != 0) {
            last[i] = 0;
            wide ? change2(codes[i], kNone) : change1(codes[i], 0);
        }
    }
    raised.resize(kept);
}

void CVcdWriter::phaseDone(const CPhaseEvents& e) {
    if (file_ == nullptr) return;
    ++time_;
    if (e.phase != lastPhase_ && e.phase >= 0 && e.phase <= 3) {
        lastPhase_ = e.phase;
        change2(phaseCode_, static_cast<uint8_t>(e.phase));  // the phase's number in two bits
    }
    for (const auto& p : e.places) {
        const size_t i = find(placeIds_, p.id, p.index);
        if (i >= placeLast_.size()) continue;
        const uint8_t v = code(p.hasToken, p.color, p.value);
        if (v == placeLast_[i]) continue;
        placeLast_[i] = v;
        change2(placeCodes_[i], v);
    }
    for (const int t : e.fired)
        if (t >= 0)
            pulse(static_cast<size_t>(t), 1, transitionLast_, transitionAt_, transitionCodes_, transitionsUp_,
                  false);
    for (const auto& s : e.emitted)
        pulse(find(sourceIds_, s.id, s.index), code(true, s.color, s.value), sourceLast_, sourceAt_,
              sourceCodes_, sourcesUp_, true);
    for (const auto& s : e.absorbed)
        pulse(find(sinkIds_, s.id, s.index), code(true, s.color, s.value), sinkLast_, sinkAt_, sinkCodes_,
              sinksUp_, true);
    fall(transitionLast_, transitionAt_, transitionCodes_, transitionsUp_, false);
    fall(sourceLast_, sourceAt_, sourceCodes_, sourcesUp_, true);
    fall(sinkLast_, sinkAt_, sinkCodes_, sinksUp_, true);
    if (out_.empty()) return;
    std::string stamp = "#";
    appendNumber(stamp, time_);
    stamp += '\n';
    if (std::fwrite(stamp.data(), 1, stamp.size(), file_) != stamp.size() ||
        std::fwrite(out_.data(), 1, out_.size(), file_) != out_.size())
        failed_ = true;
    writtenTime_ = time_;
    out_.clear();
}

void CVcdWriter::finish() {
    if (file_ == nullptr) return;
    if (writtenTime_ < time_) std::fprintf(file_, "#%ld\n", time_);
    writtenTime_ = time_;
    errno = 0;
    const bool bad = std::ferror(file_) != 0 || failed_;
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (bad || !closed) cannotWrite(path_);
}

void CVcdWriter::saveCopy(const std::string& target) const {
    if (file_ != nullptr) std::fflush(file_);
    const std::string part = target + ".part";
    errno = 0;
    std::FILE* in = std::fopen(path_.c_str(), "rb");
    if (in == nullptr) cannotWrite(path_);
    std::FILE* out = std::fopen(part.c_str(), "wb");
    if (out == nullptr) {
        std::fclose(in);
        cannotWrite(target);
    }
    bool ok = !failed_;
    char buf[1 << 16];
    size_t n = 0;
    while (ok && (n = std::fread(buf, 1, sizeof buf, in)) > 0) ok = std::fwrite(buf, 1, n, out) == n;
    ok = ok && std::ferror(in) == 0;
    if (ok && writtenTime_ < time_) ok = std::fprintf(out, "#%ld\n", time_) > 0;
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    if (!ok || std::rename(part.c_str(), target.c_str()) != 0) {
        std::remove(part.c_str());
        cannotWrite(target);
    }
}

}  // namespace novra
