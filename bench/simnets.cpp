#include "simnets.h"

#include <algorithm>
#include <string>
#include <vector>

namespace novra::bench {

namespace {

constexpr int kPitch = 40;

class Builder {
  public:
    explicit Builder(CNet& net) : net_(net) {}
    int added() const { return added_; }

    int node(int kind, int x, int y) {
        ++added_;
        return net_.addObject(x, y, kind);
    }
    int place(int x, int y) { return node(kPlace, x, y); }
    int transition(int x, int y, const char* function) {
        const int id = node(kTransition, x, y);
        CTransition& t = net_.transitions().at(id);
        t.functionText = function;
        refreshFunction(t);
        return id;
    }
    int source(int x, int y, int words, int bits) {
        const int u = node(kUhzi, x, y);
        CUhzi& src = net_.uhzis().at(u);
        src.addp = 1;
        for (int w = 0; w < words; ++w) {
            std::string word;
            for (int b = 0; b < bits; ++b) word += ((w * 7 + b * 3) % 5 < 2) ? '1' : '0';
            src.words.push_back(word);
        }
        return u;
    }
    int sink(int x, int y) { return node(kKemmakix, x, y); }
    void arc(int from, int to, const char* var = "") { net_.addArc(from, to, {}, var); }

  private:
    CNet& net_;
    int added_ = 0;
};

// Fork tree below place `root`, `depth` levels; returns the leaf places left to right.
std::vector<int> forkTree(Builder& b, int root, int depth, int x, int y) {
    std::vector<int> level{root};
    for (int d = 0; d < depth; ++d) {
        std::vector<int> next;
        for (size_t i = 0; i < level.size(); ++i) {
            const int yy = y + static_cast<int>(i) * kPitch * (1 << (depth - d));
            const int t = b.transition(x + (2 * d + 1) * kPitch, yy, "o1=i1;o2=i1;");
            b.arc(level[i], t);
            for (int k = 0; k < 2; ++k) {
                const int p = b.place(x + (2 * d + 2) * kPitch, yy + k * kPitch);
                b.arc(t, p, k == 0 ? "o1" : "o2");
                next.push_back(p);
            }
        }
        level.swap(next);
    }
    return level;
}

// Join tree from the places of `level` (a power of two) down to one place, which it returns.
int joinTree(Builder& b, std::vector<int> level, int x, int y) {
    for (int d = 0; level.size() > 1; ++d) {
        std::vector<int> next;
        for (size_t i = 0; i + 1 < level.size(); i += 2) {
            const int yy = y + static_cast<int>(i) * kPitch;
            const int t = b.transition(x + (2 * d + 1) * kPitch, yy, "o1=i1^i2;");
            b.arc(level[i], t, "i1");
            b.arc(level[i + 1], t, "i2");
            const int p = b.place(x + (2 * d + 2) * kPitch, yy);
            b.arc(t, p);
            next.push_back(p);
        }
        level.swap(next);
    }
    return level.front();
}

}  // namespace

int buildPipeline(CNet& net, int n, int words, int bits, bool prefilled, int y) {
    Builder b(net);
    const int u = b.source(0, y, words, bits);
    std::vector<int> places{b.place(kPitch, y)};
    b.arc(u, places.back());
    for (int i = 0; i < n; ++i) {
        // A black token may only lie on the output of a stage that passes its input through.
        const bool invert = prefilled ? false : i % 2 == 1;
        const int t = b.transition(2 * kPitch * i + 2 * kPitch, y, invert ? "o1=~i1;" : "o1=i1;");
        const int q = b.place(2 * kPitch * i + 3 * kPitch, y);
        b.arc(places.back(), t);
        b.arc(t, q);
        places.push_back(q);
    }
    const int k = b.sink(2 * kPitch * n + 4 * kPitch, y);
    b.arc(places.back(), k);
    if (prefilled) {
        // Tokens on the places of one parity, black on the last one (a sink takes black first) and the
        // colours alternating upstream; the source's own place stays empty.
        const int last = n;
        for (int i = last, k2 = 0; i >= 1; i -= 2, ++k2)
            net.setToken(places[static_cast<size_t>(i)], k2 % 2 ? kWhite : kBlack, (i / 2) % 3 == 0 ? 1 : 0);
    }
    return b.added();
}

int buildRing(CNet& net, int n, int y) {
    Builder b(net);
    std::vector<int> places(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) places[static_cast<size_t>(i)] = b.place(2 * kPitch * i, y);
    for (int i = 0; i < n; ++i) {
        const int t = b.transition(2 * kPitch * i + kPitch, y + kPitch, "o1=i1;");
        b.arc(places[static_cast<size_t>(i)], t);
        b.arc(t, places[static_cast<size_t>((i + 1) % n)]);
    }
    // One token every fourth place leaves three free places for it to move into.
    for (int i = 0; i < n; i += 4)
        net.setToken(places[static_cast<size_t>(i)], (i / 4) % 2 ? kWhite : kBlack, (i / 4) % 3 == 0 ? 1 : 0);
    return b.added();
}

int buildForkJoin(CNet& net, int depth, int words, int bits, int y) {
    Builder b(net);
    const int u = b.source(0, y, words, bits);
    const int root = b.place(kPitch, y);
    b.arc(u, root);
    const std::vector<int> leaves = forkTree(b, root, depth, kPitch, y);
    const int out = joinTree(b, leaves, (2 * depth + 2) * kPitch, y);
    b.arc(out, b.sink((4 * depth + 4) * kPitch, y));
    return b.added();
}

int buildLattice(CNet& net, int rows, int cols, int words, int bits, int y) {
    Builder b(net);
    for (int r = 0; r < rows; ++r) {
        const int yy = y + 4 * kPitch * r;
        const int u = b.source(0, yy, words, bits);
        int in = b.place(kPitch, yy);
        b.arc(u, in);
        for (int c = 0; c < cols; ++c) {
            const int x = 10 * kPitch * c + 2 * kPitch;
            const int fork = b.transition(x, yy, "o1=i1;o2=i1;");
            const int g = b.place(x + kPitch, yy);
            const int d = b.place(x + kPitch, yy + kPitch);
            b.arc(in, fork);
            b.arc(fork, g, "o1");
            b.arc(fork, d, "o2");
            const int out = b.place(x + 8 * kPitch, yy);
            const char* branches[2] = {"?g;o1=d;", "?~g;o1=~d;"};
            for (int k = 0; k < 2; ++k) {
                const int sel = b.transition(x + 3 * kPitch, yy + 2 * k * kPitch, branches[k]);
                b.arc(g, sel, "g");
                b.arc(d, sel, "d");
                const int branch = b.place(x + 5 * kPitch, yy + 2 * k * kPitch);
                b.arc(sel, branch);
                const int merge = b.transition(x + 7 * kPitch, yy + 2 * k * kPitch, "o1=i1;");
                b.arc(branch, merge);
                b.arc(merge, out);
            }
            in = out;
        }
        b.arc(in, b.sink(10 * kPitch * cols + 4 * kPitch, yy));
    }
    return b.added();
}

int buildShape(CNet& net, Shape shape, int objects) {
    int added = 0;
    int y = 0;
    const int rowHeight = 4 * kPitch;
    while (added < objects) {
        const int left = objects - added;
        switch (shape) {
            case Shape::Pipeline:
                added += buildPipeline(net, std::max(1, std::min(2000, (left - 3) / 2)), 64, 16, true, y);
                y += rowHeight;
                break;
            case Shape::Ring:
                added += buildRing(net, std::max(8, std::min(512, left / 2) / 8 * 8), y);
                y += rowHeight;
                break;
            case Shape::ForkJoin: {
                int depth = 1;
                while (depth < 10 && 5 * (2 << depth) <= left) ++depth;
                added += buildForkJoin(net, depth, 64, 16, y);
                y += kPitch * (2 << depth) + rowHeight;
                break;
            }
            case Shape::Lattice:
                added += buildLattice(net, 1, std::max(1, std::min(64, (left - 3) / 10)), 64, 16, y);
                y += rowHeight;
                break;
        }
    }
    return added;
}

int buildIdle(CNet& net, int transitions, int y) {
    Builder b(net);
    for (int done = 0, row = 0; done < transitions; ++row) {
        const int n = std::min(1000, transitions - done);
        const int yy = y + 2 * kPitch * row;
        int p = b.place(0, yy);
        for (int i = 0; i < n; ++i) {
            const int t = b.transition(2 * kPitch * i + kPitch, yy, "o1=i1;");
            const int q = b.place(2 * kPitch * i + 2 * kPitch, yy);
            b.arc(p, t);
            b.arc(t, q);
            p = q;
        }
        done += n;
    }
    return b.added();
}

}  // namespace novra::bench
