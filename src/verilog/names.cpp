// Which names may become Verilog module, port and file names.
#include <algorithm>
#include <cctype>
#include <iterator>
#include <string_view>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"
#include "verilog/generator.h"
#include "verilog/textfile.h"

namespace novra::verilog {

namespace {

constexpr std::string_view kKeywords[] = {"always",
                                          "and",
                                          "assign",
                                          "automatic",
                                          "begin",
                                          "buf",
                                          "bufif0",
                                          "bufif1",
                                          "case",
                                          "casex",
                                          "casez",
                                          "cell",
                                          "cmos",
                                          "config",
                                          "deassign",
                                          "default",
                                          "defparam",
                                          "design",
                                          "disable",
                                          "edge",
                                          "else",
                                          "end",
                                          "endcase",
                                          "endconfig",
                                          "endfunction",
                                          "endgenerate",
                                          "endmodule",
                                          "endprimitive",
                                          "endspecify",
                                          "endtable",
                                          "endtask",
                                          "event",
                                          "for",
                                          "force",
                                          "forever",
                                          "fork",
                                          "function",
                                          "generate",
                                          "genvar",
                                          "highz0",
                                          "highz1",
                                          "if",
                                          "ifnone",
                                          "incdir",
                                          "include",
                                          "initial",
                                          "inout",
                                          "input",
                                          "instance",
                                          "integer",
                                          "join",
                                          "large",
                                          "liblist",
                                          "library",
                                          "localparam",
                                          "macromodule",
                                          "medium",
                                          "module",
                                          "nand",
                                          "negedge",
                                          "nmos",
                                          "nor",
                                          "noshowcancelled",
                                          "not",
                                          "notif0",
                                          "notif1",
                                          "or",
                                          "output",
                                          "parameter",
                                          "pmos",
                                          "posedge",
                                          "primitive",
                                          "pull0",
                                          "pull1",
                                          "pulldown",
                                          "pullup",
                                          "pulsestyle_onevent",
                                          "pulsestyle_ondetect",
                                          "rcmos",
                                          "real",
                                          "realtime",
                                          "reg",
                                          "release",
                                          "repeat",
                                          "rnmos",
                                          "rpmos",
                                          "rtran",
                                          "rtranif0",
                                          "rtranif1",
                                          "scalared",
                                          "showcancelled",
                                          "signed",
                                          "small",
                                          "specify",
                                          "specparam",
                                          "strong0",
                                          "strong1",
                                          "supply0",
                                          "supply1",
                                          "table",
                                          "task",
                                          "time",
                                          "tran",
                                          "tranif0",
                                          "tranif1",
                                          "tri",
                                          "tri0",
                                          "tri1",
                                          "triand",
                                          "trior",
                                          "trireg",
                                          "unsigned",
                                          "use",
                                          "uwire",
                                          "vectored",
                                          "wait",
                                          "wand",
                                          "weak0",
                                          "weak1",
                                          "while",
                                          "wire",
                                          "wor",
                                          "xnor",
                                          "xor",
                                          "logic",
                                          "bit"};

// Modules that every output folder already holds.
constexpr std::string_view kSupportModules[] = {"muller_c_r", "muller_c_s", "arbiter", "uhzi", "kemmakix",
                                                "DFR",        "DFSR",       "DFNR",    "DFNSR"};

// Prefixes of generated module names (followed by a number).
constexpr std::string_view kGeneratedPrefixes[] = {"tran_", "pipe_", "pjoint_", "delay_", "trafunc_"};

bool identChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool validTopName(const std::string& name) {
    if (name.empty() || name.size() > 128) return false;
    if (!(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_')) return false;
    if (!std::all_of(name.begin(), name.end(), identChar)) return false;
    if (std::find(std::begin(kKeywords), std::end(kKeywords), name) != std::end(kKeywords)) return false;
    if (std::find(std::begin(kSupportModules), std::end(kSupportModules), name) != std::end(kSupportModules))
        return false;
    for (std::string_view prefix : kGeneratedPrefixes)
        if (name.size() > prefix.size() && name.compare(0, prefix.size(), prefix) == 0 &&
            std::isdigit(static_cast<unsigned char>(name[prefix.size()])))
            return false;
    return true;
}

// A variable name becomes the middle of a port name such as i_<name>__r_i; a name made only of digits
// would collide with the stage's numbered wires.
bool validVarName(const std::string& name) {
    if (name.empty() || name.size() > 128) return false;
    if (!std::all_of(name.begin(), name.end(), identChar)) return false;
    return !std::all_of(name.begin(), name.end(),
                        [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

}  // namespace

void checkNames(CNet& net, const std::string& topName) {
    if (!validTopName(topName)) raise(fmt(text(msg::kVerilogBadTopName).c_str(), topName.c_str()));
    for (const auto& [id, t] : net.transitions) {
        for (const auto* vars : {&t.inputVarNames, &t.outputVarNames})
            for (const auto& [name, n] : *vars)
                if (!validVarName(name)) {
                    net.stopObject = id;
                    raise(fmt(text(msg::kVerilogBadVarName).c_str(), id, name.c_str()));
                }
    }
}

}  // namespace novra::verilog
