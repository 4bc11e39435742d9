#include "simnets.h"

#include <string>
#include <vector>

namespace novra::bench {

namespace {

int transition(CNet& net, int x, int y, const char* function) {
    const int id = net.addObject(x, y, kTransition);
    CTransition& t = net.transitions.at(id);
    t.functionText = function;
    refreshFunction(t);
    return id;
}

}  // namespace

void buildPipeline(CNet& net, int n, int words, int bits) {
    const int u = net.addObject(0, 0, kUhzi);
    CUhzi& src = net.uhzis.at(u);
    src.addp = 1;
    for (int w = 0; w < words; ++w) {
        std::string word;
        for (int b = 0; b < bits; ++b) word += ((w * 7 + b * 3) % 5 < 2) ? '1' : '0';
        src.words.push_back(word);
    }
    int p = net.addObject(40, 0, kPlace);
    net.addArc(u, p);
    for (int i = 0; i < n; ++i) {
        const int t = transition(net, 80 * i + 80, 0, i % 2 ? "o1=~i1;" : "o1=i1;");
        const int q = net.addObject(80 * i + 120, 0, kPlace);
        net.addArc(p, t);
        net.addArc(t, q);
        p = q;
    }
    const int k = net.addObject(80 * n + 160, 0, kKemmakix);
    net.addArc(p, k);
}

void buildRing(CNet& net, int n) {
    std::vector<int> places(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) places[static_cast<size_t>(i)] = net.addObject(80 * i, 0, kPlace);
    for (int i = 0; i < n; ++i) {
        const int t = transition(net, 80 * i + 40, 40, "o1=i1;");
        net.addArc(places[static_cast<size_t>(i)], t);
        net.addArc(t, places[static_cast<size_t>((i + 1) % n)]);
    }
    // One token every fourth place leaves three free places for it to move into.
    for (int i = 0; i < n; i += 4)
        net.setToken(places[static_cast<size_t>(i)], (i / 4) % 2 ? kWhite : kBlack, (i / 4) % 3 == 0 ? 1 : 0);
}

}  // namespace novra::bench
