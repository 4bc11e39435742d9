// Random nets survive save -> load -> save byte for byte and load to the same net.
#include <random>

#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

class NetMaker {
  public:
    explicit NetMaker(unsigned seed) : rng_(seed) {}

    int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(int percent) { return pick(1, 100) <= percent; }

    std::string bits(int maxLength) {
        std::string s(static_cast<size_t>(pick(0, maxLength)), '0');
        for (char& c : s) c = chance(50) ? '1' : '0';
        return s;
    }

    // Function texts with statements, comments in Japanese (including characters whose second Shift-JIS
    // byte is "\", "]" or "|") and line breaks.
    std::string function() {
        static const char* const pieces[] = {
            "o1=i1;", "o1=i1&i2;",      "o2=~i3;", "?i1;",       " // コメント ゾソ表能",
            "\n",     "o1=(i1|i2)^i3;", "\t",      "/日本語ポ①", "o1=i1; // (x)"};
        std::string s;
        for (int n = pick(0, 6); n > 0; --n) s += pieces[pick(0, 9)];
        if (chance(5)) s += "//" + std::string(3000, 'w');
        return s;
    }

    std::string text() {
        static const char* const pieces[] = {"1", "0", "ゾ", "ソ)", "(x)", "表", " ", "ー"};
        std::string s;
        for (int n = pick(0, 5); n > 0; --n) s += pieces[pick(0, 7)];
        return s;
    }

    void fill(CNet& net) {
        const int count = pick(0, 30);
        for (int i = 0; i < count; ++i) net.addObject(pick(-5000, 5000), pick(-5000, 5000), pick(1, 4));
        // Gaps in the IDs.
        for (int i = 0; i < count / 4; ++i) net.deleteObject(pick(1, count));
        std::vector<int> ids;
        for (const auto& kv : net.objects()) ids.push_back(kv.first);
        for (auto& [id, t] : net.transitions()) {
            t.functionText = function();
            if (chance(30)) NetBuilder(net).fireStop(id);
        }
        for (auto& [id, u] : net.uhzis()) {
            u.addp = pick(0, 1);
            u.line = pick(0, 1);
            if (u.addp == 1) {
                for (int n = pick(0, 4); n > 0; --n) u.words.push_back(bits(chance(10) ? 20000 : 12));
            } else {
                u.holdValue = pick(0, 1);
            }
        }
        for (auto& [id, k] : net.kemmakixes()) {
            k.line = pick(0, 3);
            for (int n = pick(0, 4); n > 0; --n)
                k.expected.push_back(chance(50) ? bits(chance(10) ? 20000 : 8) : text());
        }
        for (const auto& [id, p] : net.places())
            if (chance(40)) net.setToken(id, chance(50) ? kBlack : kWhite, pick(0, 2));
        static const char* const names[] = {"i1", "i2", "o1", "o2", "変数", "x,y", "a:(1,2)"};
        for (int n = ids.empty() ? 0 : pick(0, 2 * static_cast<int>(ids.size())); n > 0; --n) {
            std::vector<Point> bends;
            for (int b = pick(0, 3); b > 0; --b) bends.push_back({pick(-9000, 9000), pick(-9000, 9000)});
            const int from = ids[static_cast<size_t>(pick(0, static_cast<int>(ids.size()) - 1))];
            const int to = ids[static_cast<size_t>(pick(0, static_cast<int>(ids.size()) - 1))];
            net.addArc(from, to, std::move(bends), chance(50) ? "" : names[pick(0, 6)]);
        }
    }

  private:
    std::mt19937 rng_;
};

}  // namespace

TEST(RoundTrip, RandomNetsSurviveSaveAndLoad) {
    TempDir dir;
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        CNet net;
        NetMaker(seed).fill(net);
        save(net, dir.file("a.pol"));
        CNet loaded;
        load(loaded, dir.file("a.pol"));
        expectConsistent(loaded);
        expectSameNet(net, loaded);
        save(loaded, dir.file("b.pol"));
        ASSERT_EQ(readBytes(dir.file("a.pol")), readBytes(dir.file("b.pol")));
    }
}
