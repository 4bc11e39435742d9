#pragma once
// Builds small nets through the net's own operations, for tests and for the example generator.
#include <string>
#include <vector>

#include "common/error.h"
#include "model/net.h"

namespace novra::testing {

struct NetBuilder {
    CNet& net;
    int x = 0;
    int y = 0;

    explicit NetBuilder(CNet& n) : net(n) {}

    // Nodes are laid out left to right on the current row unless a position is given.
    int at(int kind, int px, int py) {
        x = px;
        y = py;
        return net.addObject(px, py, kind);
    }
    int next(int kind) {
        x += 60;
        return net.addObject(x, y, kind);
    }

    int place() { return next(kPlace); }
    int place(int px, int py) { return at(kPlace, px, py); }
    int markedPlace(int color, int value) {
        const int id = place();
        net.setToken(id, color, value);
        return id;
    }
    int transition(const std::string& function = "o1=i1;") {
        return setFunction(next(kTransition), function);
    }
    int transition(int px, int py, const std::string& function) {
        return setFunction(at(kTransition, px, py), function);
    }
    int setFunction(int id, const std::string& function) {
        CTransition& t = net.transitions.at(id);
        t.functionText = function;
        try {
            refreshFunction(t);
        } catch (const CError&) {
            // Like the file reader: the text stays and compile reports it.
        }
        return id;
    }
    // A streaming source.
    int uhzi(std::vector<std::string> words, int line = 0) {
        return setUhzi(next(kUhzi), std::move(words), line);
    }
    int uhzi(int px, int py, std::vector<std::string> words, int line = 0) {
        return setUhzi(at(kUhzi, px, py), std::move(words), line);
    }
    int setUhzi(int id, std::vector<std::string> words, int line) {
        CUhzi& u = net.uhzis.at(id);
        u.addp = 1;
        u.words = std::move(words);
        u.line = line;
        return id;
    }
    // A source that holds one value.
    int holdingUhzi(int value) {
        const int id = next(kUhzi);
        net.uhzis.at(id).addp = 0;
        net.uhzis.at(id).holdValue = value;
        return id;
    }
    int kemmakix(int mode = 0, std::vector<std::string> expected = {}) {
        return setKemmakix(next(kKemmakix), mode, std::move(expected));
    }
    int kemmakix(int px, int py, int mode, std::vector<std::string> expected = {}) {
        return setKemmakix(at(kKemmakix, px, py), mode, std::move(expected));
    }
    int setKemmakix(int id, int mode, std::vector<std::string> expected) {
        net.kemmakixes.at(id).line = mode;
        net.kemmakixes.at(id).expected = std::move(expected);
        return id;
    }
    int arc(int from, int to, const std::string& name = {}) { return net.addArc(from, to, {}, name); }

    // from -> place -> transition -> place ... -> place, one copying stage per function; returns the last
    // place. The first place is fed by an arc from `from`.
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
};

}  // namespace novra::testing
