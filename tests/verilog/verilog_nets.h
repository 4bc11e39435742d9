#pragma once
// Small nets for the generator's tests, built through the net's own operations.
#include <string>
#include <vector>

#include "model/net.h"

namespace novra::vtest {

struct Builder {
    CNet& net;
    explicit Builder(CNet& n) : net(n) {}

    int place() { return net.addObject(0, 0, kPlace); }
    int token(int color, int value) {
        const int p = place();
        net.setToken(p, color, value);
        return p;
    }
    int transition(const std::string& function = "o1=i1;") {
        const int t = net.addObject(0, 0, kTransition);
        net.transitions.at(t).functionText = function;
        return t;
    }
    int uhzi(std::vector<std::string> words, int line = 0) {
        const int u = net.addObject(0, 0, kUhzi);
        CUhzi& s = net.uhzis.at(u);
        s.addp = 1;
        s.words = std::move(words);
        s.line = line;
        return u;
    }
    int holdUhzi(int value) {
        const int u = net.addObject(0, 0, kUhzi);
        net.uhzis.at(u).holdValue = value;
        return u;
    }
    int sink(int mode = 0) {
        const int k = net.addObject(0, 0, kKemmakix);
        net.kemmakixes.at(k).line = mode;
        return k;
    }
    void arc(int from, int to, const std::string& var = {}) { net.addArc(from, to, {}, var); }
    // from -> new place -> to; returns the place.
    int link(int from, int to, const std::string& outVar = {}, const std::string& inVar = {}) {
        const int p = place();
        arc(from, p, outVar);
        arc(p, to, inVar);
        return p;
    }
    // A feedback loop from output variable out of stage t back to its input variable in through two
    // identity stages, a white token behind a black one of the given value, as a live ring needs.
    void loop(int t, const std::string& out, const std::string& in, int value) {
        const int first = transition("o1=i1;");
        const int second = transition("o1=i1;");
        const int white = token(kWhite, 0);
        arc(t, white, out);
        arc(white, first);
        link(first, second);
        const int black = token(kBlack, value);
        arc(second, black);
        arc(black, t, in);
    }
    // A chain of single stages from a source to a sink; returns the stage IDs.
    std::vector<int> chain(int from, const std::vector<std::string>& functions, int to) {
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
};

// A named net for tests that run many of them.
struct NamedNet {
    const char* name;
    void (*build)(CNet&);
};

// Deterministic nets whose circuits must deliver exactly what the net delivers.
const std::vector<NamedNet>& circuitNets();

}  // namespace novra::vtest
