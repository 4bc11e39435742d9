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

// Modules that every output folder already holds (module/*.v).
constexpr std::string_view kSupportModules[] = {"muller_c_r", "muller_c_s", "arbiter", "uhzi", "kemmakix",
                                                "DFR",        "DFSR",       "DFNR",    "DFNSR"};

// Generated module names; '#' stands for a number as the writers print it.
constexpr std::string_view kGeneratedModules[] = {"tran_#",   "pipe_#",    "pipe_#_#_r", "pipe_#_#_s",
                                                  "pjoint_#", "delay_#_#", "trafunc_#",  "novra_cosim"};

// Files that the generator writes or copies into the output folder, and those its Makefile, synthesis
// script and the co-simulation make there. '#' as above.
constexpr std::string_view kFolderFiles[] = {
    "pipe.v",           "transition.v",   "delay.v",          "delay.data",  "trafunc.v",
    "pjoint.v",         "muller_c.v",     "kemmakixuhzi.v",   "arbiter.v",   "cells.v",
    "delayadd.cpp",     "shm_vcd.c",      "Makefile",         "out.txt",     "udata#.txt",
    "kdata#.txt",       "delayadd",       "shm_vcd.vpi",      "shm_vcd.o",   "delay.vnet",
    "trafunc.vnet",     "trafunc_#.vnet", "trafunc.rep",      "command.log", "verilog.log",
    "iverilog.log",     "vvp.log",        "iverilog-vpi.log", "cosim.v",     "cosim_trafunc_#.txt",
    "cosim_pipe_#.txt", "yosys.log"};

// What the top name becomes in file names: <top>.v, <top>_sim.v, <top>.dc, <top>.ys and what the tools
// make of them.
constexpr std::string_view kTopFileSuffixes[] = {".v",        ".ys",      ".ys.log", "_syn.v",  "_syn.vvp",
                                                 "_stat.txt", "_sim.v",   ".dc",     ".dc.log", ".vnet",
                                                 ".rep",      "_sim.vvp", "_sim.vcd"};

bool identChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool isDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// Does name match pattern, each '#' taking a number printed with %d (no leading zero)?
bool matches(std::string_view name, std::string_view pattern) {
    size_t i = 0;
    for (char p : pattern) {
        if (p != '#') {
            if (i >= name.size() || name[i] != p) return false;
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < name.size() && isDigit(name[i])) ++i;
        if (i == start || (name[start] == '0' && i - start > 1)) return false;
    }
    return i == name.size();
}

template <size_t N>
bool matchesAny(std::string_view name, const std::string_view (&patterns)[N]) {
    return std::any_of(std::begin(patterns), std::end(patterns),
                       [&](std::string_view p) { return matches(name, p); });
}

bool validTopName(const std::string& name) {
    if (name.empty() || name.size() > 128) return false;
    if (!(std::isalpha(static_cast<unsigned char>(name[0])) || name[0] == '_')) return false;
    if (!std::all_of(name.begin(), name.end(), identChar)) return false;
    return std::find(std::begin(kKeywords), std::end(kKeywords), name) == std::end(kKeywords);
}

// The first file named after the top that would overwrite, or be overwritten by, another file of the
// folder; empty when there is none.
std::string clashingFile(const std::string& top) {
    for (std::string_view suffix : kTopFileSuffixes) {
        const std::string file = top + std::string(suffix);
        if (matchesAny(file, kFolderFiles)) return file;
    }
    return {};
}

// The top module and its test bench top_sim share the design with every other module.
std::string clashingModule(const std::string& top) {
    for (const std::string& module : {top, top + "_sim"})
        if (matchesAny(module, kSupportModules) || matchesAny(module, kGeneratedModules)) return module;
    return {};
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
    if (const std::string file = clashingFile(topName); !file.empty())
        raise(fmt(text(msg::kVerilogTopFileClash).c_str(), topName.c_str(), file.c_str()));
    if (const std::string module = clashingModule(topName); !module.empty())
        raise(fmt(text(msg::kVerilogTopModuleClash).c_str(), topName.c_str(), module.c_str()));
    for (const auto& [id, t] : net.transitions()) {
        for (const auto* vars : {&t.inputVarNames, &t.outputVarNames})
            for (const auto& [name, n] : *vars)
                if (!validVarName(name)) {
                    net.setStopObject(id);
                    raise(fmt(text(msg::kVerilogBadVarName).c_str(), id, name.c_str()));
                }
    }
}

}  // namespace novra::verilog
