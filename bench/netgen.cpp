#include "netgen.h"

#include <string>
#include <vector>

#include "common/error.h"

namespace novra::bench {

namespace {

constexpr int kPitch = 60;

const char* const kFunctions[] = {
    "o1=i1;",
    "// 反転段\r\no1=~i1;",
    "o1=i1;",
    "// 段 ソ ゾ 表\r\no1=i1; // コピー",
};

class Builder {
  public:
    explicit Builder(CNet& net) : net_(net) {}

    int added() const { return added_; }

    int node(int kind, int x, int y) {
        ++added_;
        return net_.addObject(x, y, kind);
    }

    int transition(int x, int y, int n) {
        const int id = node(kTransition, x, y);
        CTransition& t = net_.transitions().at(id);
        t.functionText = kFunctions[n % 4];
        try {
            refreshFunction(t);
        } catch (const CError&) {
        }
        if (n % 97 == 0) net_.setSimTranOpt(id, true);
        return id;
    }

    // uhzi -> place -> (transition -> place) x stages -> kemmakix on row y.
    void pipeline(int y, int stages, int n) {
        const int u = node(kUhzi, 0, y);
        CUhzi& src = net_.uhzis().at(u);
        src.addp = 1;
        for (int w = 0; w < 4; ++w) src.words.push_back(w % 2 ? "10110011" : "0110");
        int p = node(kPlace, kPitch, y);
        net_.addArc(u, p);
        int x = kPitch;
        for (int s = 0; s < stages; ++s) {
            const int t = transition(x += kPitch, y, n + s);
            net_.addArc(p, t);
            p = node(kPlace, x += kPitch, y);
            net_.addArc(t, p);
        }
        const int k = node(kKemmakix, x + kPitch, y);
        net_.kemmakixes().at(k).expected = {"0110", "10110011"};
        net_.addArc(p, k);
    }

    // place -> transition -> ... -> back to the first place on rows y and y + pitch; one token on every
    // fourth place, black and white by turns. The closing arc bends around the row.
    void ring(int y, int stages, int n) {
        std::vector<int> places;
        std::vector<int> transitions;
        for (int s = 0; s < stages; ++s) {
            places.push_back(node(kPlace, (2 * s + 1) * kPitch, y));
            transitions.push_back(transition((2 * s + 2) * kPitch, y + (s % 2) * kPitch, n + s));
        }
        for (int s = 0; s < stages; ++s) {
            net_.addArc(places[s], transitions[s]);
            const int next = places[(s + 1) % stages];
            if (s + 1 < stages) {
                net_.addArc(transitions[s], next);
            } else {
                const int right = (2 * stages + 1) * kPitch;
                net_.addArc(transitions[s], next, {{right, y + 2 * kPitch}, {0, y + 2 * kPitch}});
            }
            if (s % 4 == 0) net_.setToken(places[s], (s / 4) % 2 ? kWhite : kBlack, s % 3 == 0 ? 1 : 0);
        }
    }

  private:
    CNet& net_;
    int added_ = 0;
};

}  // namespace

int generateNet(CNet& net, const NetShape& shape) {
    Builder b(net);
    const int ringNodes = static_cast<int>(static_cast<long long>(shape.objects) * shape.ringPercent / 100);
    int row = 0;
    for (; b.added() + 2 * shape.ringStages <= ringNodes; ++row)
        b.ring(3 * kPitch * row, shape.ringStages, row);
    for (; b.added() + 2 * shape.pipelineStages + 3 <= shape.objects; ++row)
        b.pipeline(3 * kPitch * row, shape.pipelineStages, row);
    // Fill up with single places so the count comes out exact.
    while (b.added() < shape.objects) b.node(kPlace, kPitch * b.added() % 6000, 3 * kPitch * row);
    return b.added();
}

}  // namespace novra::bench
