// delayadd: writes delay.vnet, the matched-delay modules delay_<transition>_<output> of a synthesised
// design, from delay.data (the matched delays NOVRA computed) and trafunc.rep (the timing reports the
// synthesis script collected for every function module trafunc_<n>, in order).
//
// delay.data:   first line  <number of function modules>,<DelayOverPlus>;
//               then        <transition>,<output>,<delay ps>,999,<function module or 0>;
// trafunc.rep:  report_timing output; the first "data arrival time" after "Design : trafunc_<n>" is the
//               delay of that module, in the library's time unit (ns).
//
// Each delay module delays its request by (matched delay + function delay) * (1 + DelayOverPlus).
// Usage: ./delayadd [delay.data [trafunc.rep [delay.vnet]]]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct Record {
    int transition = 0;
    int output = 0;
    long delay = 0;
    int function = 0;
};

// Splits "a,b,c;" into its fields; false when the line is not such a record.
bool fields(const std::string& line, std::vector<std::string>& out) {
    out.clear();
    const size_t end = line.find(';');
    if (end == std::string::npos) return false;
    std::stringstream ss(line.substr(0, end));
    std::string f;
    while (std::getline(ss, f, ',')) out.push_back(f);
    return !out.empty();
}

bool toLong(const std::string& s, long& v) {
    char* end = nullptr;
    v = std::strtol(s.c_str(), &end, 10);
    return end != s.c_str() && *end == '\0';
}

// Function delays in picoseconds by module number.
std::map<int, long> functionDelays(std::istream& rep) {
    std::map<int, long> out;
    int current = 0;
    std::string line;
    while (std::getline(rep, line)) {
        const size_t design = line.find("Design :");
        if (design != std::string::npos) {
            const size_t name = line.find("trafunc_", design);
            current = name == std::string::npos ? 0 : std::atoi(line.c_str() + name + 8);
            continue;
        }
        const size_t arrival = line.find("data arrival time");
        if (arrival == std::string::npos || current == 0 || out.count(current)) continue;
        const double ns = std::atof(line.c_str() + arrival + 17);
        out[current] = static_cast<long>(ns < 0 ? -ns * 1000.0 : ns * 1000.0);
    }
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string dataPath = argc > 1 ? argv[1] : "delay.data";
    const std::string repPath = argc > 2 ? argv[2] : "trafunc.rep";
    const std::string outPath = argc > 3 ? argv[3] : "delay.vnet";

    std::ifstream data(dataPath);
    if (!data) {
        std::cerr << "delayadd: cannot read " << dataPath << "\n";
        return 1;
    }
    std::string line;
    std::vector<std::string> f;
    if (!std::getline(data, line) || !fields(line, f) || f.size() != 2) {
        std::cerr << "delayadd: " << dataPath << " does not start with <modules>,<DelayOverPlus>;\n";
        return 1;
    }
    const double overPlus = std::atof(f[1].c_str());

    std::vector<Record> records;
    int lineNo = 1;
    while (std::getline(data, line)) {
        ++lineNo;
        if (line.empty()) continue;
        long v[5];
        bool ok = fields(line, f) && f.size() == 5;
        for (size_t i = 0; ok && i < 5; ++i) ok = toLong(f[i], v[i]);
        if (!ok) {
            std::cerr << "delayadd: " << dataPath << ":" << lineNo << ": not a delay record\n";
            return 1;
        }
        records.push_back(Record{static_cast<int>(v[0]), static_cast<int>(v[1]), v[2], static_cast<int>(v[4])});
    }

    std::map<int, long> functions;
    std::ifstream rep(repPath);
    if (rep)
        functions = functionDelays(rep);
    else
        std::cerr << "delayadd: no " << repPath << ", function delays taken as 0\n";

    std::ofstream out(outPath);
    if (!out) {
        std::cerr << "delayadd: cannot write " << outPath << "\n";
        return 1;
    }
    out << "//\n// created by delayadd from " << dataPath << " and " << repPath << "\n//\n";
    for (const Record& r : records) {
        const long fn = functions.count(r.function) ? functions[r.function] : 0;
        const long total = static_cast<long>(static_cast<double>(r.delay + fn) * (1.0 + overPlus));
        out << "\nmodule delay_" << r.transition << "_" << r.output << " ( req_in, req_out );\n"
            << "  input req_in;\n"
            << "  output req_out;\n"
            << "  assign #" << total << " req_out = req_in;\n"
            << "endmodule\n";
    }
    out.close();
    if (!out) {
        std::cerr << "delayadd: cannot write " << outPath << "\n";
        return 1;
    }
    return 0;
}
