#pragma once
// Builds nets through the net's own operations. Nodes are laid out left to right.
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
    void removeToken(int place) { net.removeToken(place); }
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
    // Names the unlabelled arcs that leave `from`.
    void label(int from, const std::string& var) {
        for (auto& [id, a] : net.arcs())
            if (a.fromId == from && a.varName.empty()) net.addArc(a.fromId, a.toId, a.bendPoints, var);
    }
};

}  // namespace novra::support
