// The stream data files and the cosim module written beside a generated test bench.
#include "verilog/cosim_checks.h"

#include <algorithm>
#include <random>
#include <sstream>

#include "trafunc/evaluator.h"
#include "verilog/analysis.h"
#include "verilog/textfile.h"
#include "verilog/writers.h"

namespace novra::verilog {

namespace {

// The test bench switches its sources off this long after time 0 (reset, then 100 µs of streaming) and
// finishes 10 ps later; the monitor reports just before the end.
constexpr long long kReportTime = 2660 + 100000000 + 5;
constexpr long long kLastStretch = 1000000;
// The memory sizes of the source and sink cells in kemmakixuhzi.v.
constexpr size_t kSourceMemory = 65536;
constexpr size_t kSinkMemory = 4096;
// Room for the bits a faulty circuit delivers beyond the net's, so that they show in the comparison.
constexpr size_t kSinkSlack = 64;
constexpr int kExhaustiveInputs = 12;
constexpr int kRandomCombinations = 4096;

// The input combinations a check drives: all of them up to 12 inputs, else random ones. Bit k-1 of an
// entry is input k.
std::vector<std::vector<bool>> combinations(int n, unsigned seed) {
    std::vector<std::vector<bool>> out;
    if (n <= kExhaustiveInputs) {
        for (unsigned j = 0; j < (1u << n); ++j) {
            std::vector<bool> v(static_cast<size_t>(n));
            for (int k = 0; k < n; ++k) v[static_cast<size_t>(k)] = (j >> k) & 1u;
            out.push_back(std::move(v));
        }
        return out;
    }
    std::mt19937 rng(seed);
    for (int j = 0; j < kRandomCombinations; ++j) {
        std::vector<bool> v(static_cast<size_t>(n));
        for (int k = 0; k < n; ++k) v[static_cast<size_t>(k)] = rng() & 1u;
        out.push_back(std::move(v));
    }
    return out;
}

// One line of a combination file: the net's result, then inputs n..1.
std::string vectorLine(CEvaluator& ev, const std::string& code, const std::vector<bool>& v) {
    const int n = static_cast<int>(v.size());
    std::vector<int> values(v.begin(), v.end());
    int result = 0;
    ev.run(code, values.data(), &result, n, 1);
    std::string line(1, result ? '1' : '0');
    for (int k = n; k >= 1; --k) line += v[static_cast<size_t>(k - 1)] ? '1' : '0';
    return line + "\n";
}

// A driver for one module: reads its combinations, applies them one per picosecond and prints the first
// combination whose result differs, or that it checked them all.
std::string checkBlock(const std::string& tag, const FunctionResult& f, const std::string& instance,
                       const std::string& result) {
    const int n = f.inputs;
    const int m = f.combinations;
    const char* t = tag.c_str();
    std::string v = fmt("\n\t// %s%s: %s\n", f.module.c_str(), f.guard ? " guard" : "", f.expression.c_str());
    v += fmt("\treg [%d:0] %s_in;\n", n - 1, t);
    v += fmt("\treg [%d:0] %s_mem [0:%d];\n", n, t, m - 1);
    v += instance;
    v += fmt("\tinitial begin : %s_check\n", t);
    v += "\t\tinteger j;\n";
    v += fmt("\t\t$readmemb(\"cosim_%s.txt\", %s_mem);\n", f.module.c_str(), t);
    v += fmt("\t\tfor (j = 0; j < %d; j = j + 1) begin\n", m);
    v += fmt("\t\t\t%s_in = %s_mem[j][%d:0];\n", t, t, n - 1);
    v += "\t\t\t#1;\n";
    v += fmt("\t\t\tif (%s !== %s_mem[j][%d]) begin\n", result.c_str(), t, n);
    v += fmt("\t\t\t\t$display(\"%s differs %s %%b %%b\", %s_in, %s);\n", kCosimTag, f.module.c_str(), t,
             result.c_str());
    v += fmt("\t\t\t\tdisable %s_check;\n", t);
    v += "\t\t\tend\n\t\tend\n";
    v += fmt("\t\t$display(\"%s checked %s\");\n", kCosimTag, f.module.c_str());
    return v + "\tend\n";
}

std::string inputPorts(const std::string& tag, int n) {
    std::string out;
    for (int k = 1; k <= n; ++k) out += fmt(".i%d(%s_in[%d]), ", k, tag.c_str(), k - 1);
    return out;
}

}  // namespace

std::string sourceStream(const CUhzi& u) {
    if (u.addp != 1) return sourceData(u);
    std::string out;
    if (u.placeId == 0) return out;
    for (const std::string& word : u.words) {
        const size_t n = word.size();
        for (size_t i = 0; i < n; ++i) {
            out += u.line == 1 ? word[n - 1 - i] : word[i];
            out += ' ';
        }
    }
    return out;
}

std::vector<FunctionResult> writeCosimChecks(const std::string& dir, const std::string& top, const CNet& net,
                                             const Hardware& hw, const std::map<int, size_t>& sourceBits,
                                             const std::map<int, size_t>& sinkBits) {
    const std::string bench = top + "_sim";
    std::string v = "`timescale 1ps/1ps\n\n// Written by novra-cli cosim beside the generated test bench.\n";
    v += "module novra_cosim;\n";
    for (const auto& [id, bits] : sourceBits)
        v += fmt("\tdefparam %s.uhzi_%d.MEMSIZE = %zu;\n", bench.c_str(), id,
                 std::max(kSourceMemory, bits + 1));
    for (const auto& [id, bits] : sinkBits)
        v += fmt("\tdefparam %s.kem_%d.MEMSIZE = %zu;\n", bench.c_str(), id,
                 std::max(kSinkMemory, bits + kSinkSlack));
    // How far each source got a microsecond before the end and at the end: a source still sending when the
    // bench stopped was cut short by its run time, one that had stopped waits on a circuit that is stuck.
    v += "\n";
    for (const auto& [id, bits] : sourceBits) v += fmt("\tinteger sent_%d;\n", id);
    v += fmt("\tinitial begin\n\t\t#%lld\n", kReportTime - kLastStretch);
    for (const auto& [id, bits] : sourceBits)
        v += fmt("\t\tsent_%d = %s.uhzi_%d.pos;\n", id, bench.c_str(), id);
    v += fmt("\t\t#%lld\n", kLastStretch);
    for (const auto& [id, bits] : sourceBits)
        v += fmt("\t\t$display(\"%s sent %d %%0d %%0d\", sent_%d, %s.uhzi_%d.pos);\n", kCosimTag, id, id,
                 bench.c_str(), id);
    v += "\tend\n";

    std::vector<FunctionResult> checks;
    // instance(tag, input ports) declares the module under test; result(tag) names the bit it computes.
    auto addCheck = [&](FunctionResult f, auto instance, auto result) {
        const std::string tag = fmt("c%zu", checks.size() + 1);
        CEvaluator ev;
        std::string code;
        ev.translate(f.expression, code, f.inputs);
        std::string data;
        for (const auto& combination : combinations(f.inputs, static_cast<unsigned>(checks.size() + 1))) {
            data += vectorLine(ev, code, combination);
            ++f.combinations;
        }
        writeFile(dir + "/cosim_" + f.module + ".txt", data);
        v += checkBlock(tag, f, instance(tag, inputPorts(tag, f.inputs)), result(tag));
        checks.push_back(std::move(f));
    };

    for (size_t i = 0; i < hw.functionList.size(); ++i) {
        FunctionResult f;
        f.module = fmt("trafunc_%zu", i + 1);
        f.expression = hw.functionList[i];
        std::map<int, int> inputs;
        renumberExpression(f.expression, inputs);
        f.inputs = static_cast<int>(inputs.size());
        if (f.inputs == 0) continue;
        addCheck(
            f,
            [&](const std::string& tag, const std::string& ports) {
                return "\twire " + tag + "_out;\n\t" + f.module + " " + tag + "(" + ports + ".data_out(" +
                       tag + "_out));\n";
            },
            [](const std::string& tag) { return tag + "_out"; });
    }
    for (const auto& [id, stage] : hw.stages) {
        const CTransition& t = net.transitions().at(id);
        if (stage.owner != id || t.guardText.empty() || t.inputCount == 0) continue;
        FunctionResult f;
        f.module = fmt("pipe_%d", id);
        f.guard = true;
        f.expression = t.guardText;
        if (f.expression.back() == '\n') f.expression.pop_back();
        f.inputs = t.inputCount;
        // Only the guard inputs are driven; the handshake ports are tied low and the guard is read inside.
        const StageShape s = stageShape(t, stage);
        std::string idle;
        for (int k = 1; k <= s.nReq - s.nLoop; ++k) idle += fmt(".i_%d__r_i(1'b0), ", k);
        for (int k = 1; k <= s.nAck; ++k) idle += fmt(".o_%d_a_i(1'b0), ", k);
        addCheck(
            f,
            [&](const std::string& tag, const std::string& ports) {
                return "\t" + f.module + " " + tag + "(" + idle + ports + ".req_out(), .reset(1'b0));\n";
            },
            [](const std::string& tag) { return tag + ".req_guard"; });
    }
    writeFile(dir + "/" + kCosimFile, v + "endmodule\n");
    return checks;
}

CosimOutput readCosimOutput(const std::string& vvpLog) {
    CosimOutput out;
    std::istringstream in(vvpLog);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string tag, what;
        if (!(words >> tag >> what) || tag != kCosimTag) continue;
        if (what == "sent") {
            int id = 0;
            long before = 0, count = 0;
            if (words >> id >> before >> count) out.sent[id] = {before, count};
        } else if (what == "differs" || what == "checked") {
            std::string module;
            words >> module;
            out.checked[module] = true;
            if (what == "differs") {
                std::string inputs, bit;
                words >> inputs >> bit;
                out.firstDifference[module] = inputs + " " + bit;
            }
        }
    }
    return out;
}

}  // namespace novra::verilog
