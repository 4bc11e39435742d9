#pragma once
// A small VCD reader for the tests: the declared signals (`wires`, as Qt takes the other word) by their
// dotted scope names and every value change, checked as it is read (declarations before changes, times
// rising, known identifiers, values as wide as their signals). Problems are collected in `errors`, so a
// test can show them all.
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace novra::support {

struct VcdTrace {
    struct Signal {
        std::string code;
        int width = 1;
        std::vector<std::pair<long, std::string>> changes;  // time, value ("1", "10", "1x" ...)
    };
    std::map<std::string, Signal> wires;  // by "scope.sub.name"
    std::string timescale;
    long endTime = 0;
    std::vector<std::string> errors;

    // The value at a time (the last change at or before it); "" before the first or for no such signal.
    std::string at(const std::string& name, long time) const {
        auto s = wires.find(name);
        if (s == wires.end()) return "";
        std::string v;
        for (const auto& [t, value] : s->second.changes) {
            if (t > time) break;
            v = value;
        }
        return v;
    }
    // The times at which a signal took a value.
    std::vector<long> timesOf(const std::string& name, const std::string& value) const {
        std::vector<long> out;
        auto s = wires.find(name);
        if (s != wires.end())
            for (const auto& [t, v] : s->second.changes)
                if (v == value) out.push_back(t);
        return out;
    }
};

inline VcdTrace readVcd(const std::string& text) {
    VcdTrace trace;
    std::map<std::string, std::vector<std::string>> byCode;  // one identifier may name several wires
    std::istringstream in(text);
    std::vector<std::string> scopes;
    std::string word;
    bool defined = false;
    long time = -1;
    auto fail = [&](const std::string& what) { trace.errors.push_back(what); };
    auto change = [&](const std::string& code, const std::string& value) {
        auto c = byCode.find(code);
        if (!defined || time < 0) return fail("value before the definitions end or before a time: " + code);
        if (c == byCode.end()) return fail("unknown identifier " + code);
        for (const std::string& name : c->second) {
            VcdTrace::Signal& s = trace.wires[name];
            if (static_cast<int>(value.size()) != s.width &&
                !(s.width > 1 && value.size() < static_cast<size_t>(s.width)))
                fail("value " + value + " does not fit " + name);
            std::string v = value;
            if (v.size() < static_cast<size_t>(s.width))
                v.insert(0, static_cast<size_t>(s.width) - v.size(), v[0] == '1' ? '0' : v[0]);
            s.changes.emplace_back(time, v);
        }
    };
    while (in >> word) {
        if (word == "$scope") {
            std::string kind, name, end;
            in >> kind >> name >> end;
            scopes.push_back(name);
        } else if (word == "$upscope") {
            in >> word;
            if (scopes.empty())
                fail("$upscope without a scope");
            else
                scopes.pop_back();
        } else if (word == "$var") {
            std::string kind, code, name, rest;
            int width = 0;
            in >> kind >> width >> code >> name;
            while (in >> rest && rest != "$end") {
            }
            std::string full;
            for (const auto& s : scopes) full += s + ".";
            full += name;
            if (trace.wires.count(full)) fail("declared twice: " + full);
            trace.wires[full].code = code;
            trace.wires[full].width = width;
            byCode[code].push_back(full);
        } else if (word == "$timescale") {
            while (in >> word && word != "$end") trace.timescale += word;
        } else if (word == "$enddefinitions") {
            in >> word;
            defined = true;
        } else if (word == "$dumpvars" || word == "$end") {
        } else if (word[0] == '$') {  // $comment, $date, $version: skipped to their $end
            while (in >> word && word != "$end") {
            }
        } else if (word[0] == '#') {
            const long t = std::stol(word.substr(1));
            if (t < time) fail("time goes back at " + word);
            time = t;
            trace.endTime = t;
        } else if (word[0] == 'b' || word[0] == 'B') {
            std::string code;
            in >> code;
            change(code, word.substr(1));
        } else if (std::string("01xXzZ").find(word[0]) != std::string::npos) {
            change(word.substr(1), word.substr(0, 1));
        } else {
            fail("cannot read " + word);
        }
    }
    if (!defined) fail("no $enddefinitions");
    if (!scopes.empty()) fail("a scope is left open");
    return trace;
}

}  // namespace novra::support
