// Whole runs of oversized words and word lists: no bit is lost (tests/data/sim/run.txt has the ordinary
// runs and the editor's phases one at a time).
#include <gtest/gtest.h>

#include <random>

#include "common/messages.h"
#include "sim/sources.h"
#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// uhzi -> three copying stages -> kemmakix.
struct Stream {
    CNet net;
    CSimulation sim{net};
    int u, k;
    explicit Stream(std::vector<std::string> words, int line = 0, int mode = 0) {
        NetBuilder b(net);
        u = b.uhzi(std::move(words), line);
        const int last = b.chain(u, {"o1=i1;", "o1=i1;", "o1=i1;"});
        k = b.sink(mode);
        b.arc(last, k);
    }
    const std::vector<std::string>& received() const { return net.kemmakixes().at(k).received; }
};

std::string randomBits(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::string s(n, '0');
    for (char& c : s) c = static_cast<char>('0' + (rng() & 1));
    return s;
}

}  // namespace

TEST(Run, AMillionBitWordRunsUntilThePhaseLimitAndStaysIntact) {
    const std::string word = randomBits(1000000, 3);
    Stream s({word});
    ASSERT_EQ(compile(s.sim), "");
    EXPECT_EQ(run(s.sim, 20000), text(msg::kRunTooLong));
    const CUhzi& u = s.net.uhzis().at(s.u);
    EXPECT_EQ(u.words, std::vector<std::string>{word});
    // The label shows the next 32 bits still to come, and the sink the bits collected so far.
    ASSERT_GT(u.bitPos, 1000);
    EXPECT_EQ(uhziLabel(u, true), word.substr(static_cast<size_t>(u.bitPos), 32) + "...");
    EXPECT_EQ(uhziLabel(u, false), word.substr(0, 16) + "...");
    const CKemmakix& k = s.net.kemmakixes().at(s.k);
    ASSERT_GT(k.bitCount, 1000);
    EXPECT_EQ(kemmakixLabel(k, true), word.substr(0, 32));
    // What the sink collected is exactly the start of the word.
    for (int i = 0; i < k.bitCount; ++i) ASSERT_EQ(k.bitBuffer[static_cast<size_t>(i)], word[i] - '0') << i;

    // A bad bit anywhere in the word is found at compile, with the source named.
    std::string bad = word;
    bad[999999] = '2';
    Stream b({bad});
    EXPECT_EQ(compile(b.sim), text(msg::kUhziBadWord));
    EXPECT_EQ(b.net.stopObject(), b.u);
}

TEST(Run, AMillionWordsRunUntilThePhaseLimitInOrder) {
    std::vector<std::string> words(1000000);
    std::mt19937 rng(4);
    for (std::string& w : words) {
        const unsigned r = rng();
        w.assign(1 + r % 3, '0');
        for (size_t i = 0; i < w.size(); ++i) w[i] = static_cast<char>('0' + ((r >> (4 + i)) & 1));
    }
    Stream s(words);
    ASSERT_EQ(compile(s.sim), "");
    EXPECT_EQ(run(s.sim, 30000), text(msg::kRunTooLong));
    EXPECT_EQ(s.net.uhzis().at(s.u).words, words);
    // Every word recorded so far is the word sent in its turn.
    const std::vector<std::string>& got = s.received();
    ASSERT_GT(got.size(), 100u);
    ASSERT_LT(got.size(), words.size());
    for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], words[i]) << i;
}
