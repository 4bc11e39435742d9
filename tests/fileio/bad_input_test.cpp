// Saves that run out of space, and texts far beyond any line length: a clear message, and neither the
// file on disk nor the net loses anything.
#include <signal.h>
#include <sys/resource.h>

#include <random>

#include "support/net_builder.h"
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// Files may grow to at most `bytes` while alive; a write beyond fails as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &old_);
        oldHandler_ = signal(SIGXFSZ, SIG_IGN);  // the write then fails with an error instead
        rlimit lim = old_;
        lim.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lim);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &old_);
        signal(SIGXFSZ, oldHandler_);
    }

  private:
    rlimit old_{};
    sighandler_t oldHandler_;
};

// A net with a record of every kind, large enough that saving it writes many kilobytes.
void buildNet(CNet& net, int places) {
    NetBuilder b(net);
    int last = b.setWords(net.addObject(0, 0, kUhzi), {"1011", "0"});
    for (int i = 0; i < places; ++i) {
        const int p = net.addObject(i * 10, 0, kPlace);
        net.addArc(last, p);
        const int t = net.addObject(i * 10 + 5, 0, kTransition);
        b.setFunction(t, "?i1;\r\no1=i1;");
        net.addArc(p, t, {{i, 1}}, "i1");
        last = t;
    }
    const int p = net.addObject(0, 50, kPlace);
    net.addArc(last, p);
    b.setSink(net.addObject(10, 50, kKemmakix), 0, {"1011"});
    net.addArc(p, net.objects().rbegin()->first);
}

}  // namespace

TEST(BadInput, ASaveThatRunsOutOfSpaceKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.file("net.pol");
    CNet small;
    buildNet(small, 1);
    save(small, path);
    const std::string old = readBytes(path);
    ASSERT_LT(old.size(), 4096u);

    CNet large;
    buildNet(large, 400);
    {
        FileSizeLimit full(4096);
        EXPECT_EQ(errorOf([&] { save(large, path); }), text(msg::kSaveFailed) + path);
    }
    EXPECT_EQ(readBytes(path), old);
    // Nothing is left behind beside it: the half-written temporary file is gone.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    // With room again the same net saves and reads back whole.
    save(large, path);
    CNet back;
    load(back, path);
    expectSameNet(large, back);
}

TEST(BadInput, TextsFarBeyondALineSurviveSaveAndLoad) {
    TempDir dir;
    CNet net;
    buildNet(net, 1);
    std::mt19937 rng(6);
    std::string word(1000000, '0');
    for (char& c : word) c = static_cast<char>('0' + (rng() & 1));
    NetBuilder b(net);
    b.setWords(net.uhzis().begin()->first, {word, "1"});
    std::vector<std::string> many(1000000);
    for (std::string& w : many) w = (rng() & 1) ? "10" : "0";
    b.setWords(net.addObject(0, 100, kUhzi), std::move(many));
    std::string function;
    for (int i = 1; function.size() < (1u << 20); ++i) function += "o" + std::to_string(i) + "=i1;\r\n";
    b.setFunction(net.transitions().begin()->first, function);
    b.setSink(net.kemmakixes().begin()->first, 0, {std::string(1 << 20, '0') + "ソ"});

    save(net, dir.file("big.pol"));
    CNet back;
    load(back, dir.file("big.pol"));
    expectSameNet(net, back);
}
