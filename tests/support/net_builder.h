#pragma once
// Builds nets through the net's own operations. Nodes are laid out left to right.
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "common/error.h"
#include "model/net.h"

namespace novra::support {

struct NetBuilder {
    CNet& net;
    int x = 0;

    explicit NetBuilder(CNet& n) : net(n) {}

    int add(int kind) { return net.addObject(x += 60, 100, kind); }
    int place() { return add(kPlace); }
    int marked(int color, int value) {
        const int id = place();
        net.setToken(id, color, value);
        return id;
    }
    int transition(const std::string& function = "o1=i1;") { return setFunction(add(kTransition), function); }
    // Like the file reader: a text that does not parse stays, and compile reports it.
    int setFunction(int id, const std::string& function) {
        CTransition& t = net.transitions().at(id);
        t.functionText = function;
        try {
            refreshFunction(t);
        } catch (const CError&) {
        }
        return id;
    }
    // A streaming source; line 1 emits each word from its last character.
    int uhzi(std::vector<std::string> words, int line = 0) {
        return setWords(add(kUhzi), std::move(words), line);
    }
    int setWords(int id, std::vector<std::string> words, int line = 0) {
        CUhzi& u = net.uhzis().at(id);
        u.addp = 1;
        u.words = std::move(words);
        u.line = line;
        return id;
    }
    // A source that holds one value.
    int hold(int value) { return setHold(add(kUhzi), value); }
    int setHold(int id, int value) {
        net.uhzis().at(id).addp = 0;
        net.uhzis().at(id).holdValue = value;
        return id;
    }
    void setAddp(int id, int addp) { net.uhzis().at(id).addp = addp; }  // 0 holds, 1 streams
    int sink(int mode = 0, std::vector<std::string> expected = {}) {
        return setSink(add(kKemmakix), mode, std::move(expected));
    }
    int setSink(int id, int mode, std::vector<std::string> expected = {}) {
        net.kemmakixes().at(id).line = mode;
        net.kemmakixes().at(id).expected = std::move(expected);
        return id;
    }
    void fireStop(int transition) { net.setSimTranOpt(transition, true); }
    int arc(int from, int to, const std::string& var = {}) { return net.addArc(from, to, {}, var); }
    // from -> new place -> to; returns the place.
    int link(int from, int to, const std::string& outVar = {}, const std::string& inVar = {}) {
        const int p = place();
        arc(from, p, outVar);
        arc(p, to, inVar);
        return p;
    }
    // from -> place -> stage -> place ... one stage per function; returns the last place.
    int chain(int from, const std::vector<std::string>& functions) {
        int p = place();
        arc(from, p);
        for (const std::string& f : functions) {
            const int t = transition(f);
            arc(p, t);
            p = place();
            arc(t, p);
        }
        return p;
    }
    // from -> stage -> ... -> to with a place between each two; returns the stage IDs.
    std::vector<int> pipe(int from, const std::vector<std::string>& functions, int to) {
        std::vector<int> ids;
        int prev = from;
        for (const auto& f : functions) {
            const int t = transition(f);
            link(prev, t);
            ids.push_back(t);
            prev = t;
        }
        link(prev, to);
        return ids;
    }
    // A feedback loop from output variable out of stage t back to its input variable in through two
    // identity stages, a white token behind a black one of the given value, as a live ring needs.
    void loop(int t, const std::string& out, const std::string& in, int value) {
        const int first = transition("o1=i1;");
        const int second = transition("o1=i1;");
        const int white = marked(kWhite, 0);
        arc(t, white, out);
        arc(white, first);
        link(first, second);
        const int black = marked(kBlack, value);
        arc(second, black);
        arc(black, t, in);
    }
    // A net from one line: node names, then "|", then arcs. A name's first letter gives its kind (p place,
    // t transition, u streaming source, k sink); "p=B1" or "p=W0" marks a place, and nodes are made in
    // the order named. "a>b>c" joins a chain; "b/v" names the arc that enters b. Transitions copy i1 to
    // o1 unless `functions` says otherwise. Returns the IDs by name, added to `ids`, whose names the arcs
    // may use too.
    struct Ids : std::map<std::string, int> {
        int operator[](const std::string& name) const { return at(name); }
    };
    Ids build(const std::string& line, const std::map<std::string, std::string>& functions = {},
              Ids ids = {}) {
        std::istringstream in(line);
        bool arcs = false;
        for (std::string word; in >> word;) {
            if (word == "|") {
                arcs = true;
            } else if (!arcs) {
                const size_t eq = word.find('=');
                const std::string name = word.substr(0, eq);
                const auto f = functions.find(name);
                const int id = name[0] == 't'   ? transition(f == functions.end() ? "o1=i1;" : f->second)
                               : name[0] == 'u' ? uhzi({"1"})
                               : name[0] == 'k' ? sink()
                                                : place();
                if (eq != std::string::npos)
                    net.setToken(id, word[eq + 1] == 'B' ? kBlack : kWhite, std::stoi(word.substr(eq + 2)));
                ids.emplace(name, id);
            } else {
                int from = 0;
                for (size_t at = 0; at <= word.size();) {
                    const size_t end = std::min(word.find('>', at), word.size());
                    const std::string item = word.substr(at, end - at);
                    const size_t slash = item.find('/');
                    const int to = ids[item.substr(0, slash)];
                    if (from != 0) arc(from, to, slash == std::string::npos ? "" : item.substr(slash + 1));
                    from = to;
                    at = end + 1;
                }
            }
        }
        return ids;
    }
    // Names the unlabelled arcs that leave `from`.
    void label(int from, const std::string& var) {
        for (const auto& [id, a] : net.arcs())
            if (a.fromId == from && a.varName.empty()) net.setArcVariable(id, var);
    }
};

}  // namespace novra::support
