#include "sim/sources.h"

#include <gtest/gtest.h>

#include "common/error.h"
#include "common/messages.h"
#include "support/support.h"

using namespace novra;
using novra::support::errorOf;

namespace {

CUhzi streaming(std::vector<std::string> words, int line = 0) {
    CUhzi u;
    u.addp = 1;
    u.words = std::move(words);
    u.line = line;
    u.placeId = 1;
    u.reset();
    return u;
}

CKemmakix sink(int mode) {
    CKemmakix k;
    k.line = mode;
    k.placeId = 1;
    k.reset();
    return k;
}

void feed(CKemmakix& k, CPlace& p, int colour, int value) {
    p.put(colour, value);
    absorbToken(k, &p);
}

}  // namespace

TEST(SourcesAndSinks, TokensModesAndAlternationFaults) {
    // The white token a source puts after a black one carries the same bit.
    CPlace p;
    CUhzi u = streaming({"1"});
    loadNextWord(u);
    emitToken(u, &p);
    p.take();
    emitToken(u, &p);
    EXPECT_EQ(p.color, kWhite);
    EXPECT_EQ(p.value, 1);
    p.take();

    CKemmakix discard = sink(2);
    feed(discard, p, kBlack, 1);
    EXPECT_FALSE(p.hasToken);
    flushRecord(discard);
    EXPECT_TRUE(discard.received.empty());
    EXPECT_FALSE(discard.hasReceived);

    CKemmakix keep = sink(3);
    feed(keep, p, kBlack, 1);
    EXPECT_TRUE(p.hasToken);
    p.take();

    // (The other wording is novra-cli's "simulate {fault} --nmode 1" case.)
    CKemmakix k = sink(0);
    feed(k, p, kBlack, 1);
    EXPECT_EQ(errorOf([&] { feed(k, p, kBlack, 0); }),
              "ケムマキに同じ色が投入されました、マーキングをやり直してください。");
    p.take();
    CKemmakix first = sink(0);
    EXPECT_THROW(feed(first, p, kWhite, 0), CError);  // a sink expects black first
}

TEST(Labels, SourceAndSinkTexts) {
    CUhzi hold;
    hold.addp = 0;
    hold.holdValue = 1;
    EXPECT_EQ(uhziLabel(hold, false), "1...");
    EXPECT_EQ(uhziLabel(hold, true), "1...");

    std::string forty;
    for (int i = 0; i < 40; ++i) forty += (i % 3 == 0) ? '1' : '0';
    CUhzi u = streaming({forty, "01"});
    EXPECT_EQ(uhziLabel(u, false), forty.substr(0, 16) + "...");
    u.line = 1;
    EXPECT_EQ(uhziLabel(u, false), "..." + forty.substr(24));
    u.line = 0;
    loadNextWord(u);
    EXPECT_EQ(uhziLabel(u, true), forty.substr(0, 32) + "...");
    u.bitPos = 10;
    EXPECT_EQ(uhziLabel(u, true), forty.substr(10));  // 30 bits left: no ellipsis
    CUhzi shortWord = streaming({"011"}, 1);
    EXPECT_EQ(uhziLabel(shortWord, false), "011");
    loadNextWord(shortWord);
    EXPECT_EQ(uhziLabel(shortWord, true), "011");  // emitted from the end, shown in written order

    CPlace p;
    CKemmakix k = sink(1);
    EXPECT_EQ(kemmakixLabel(k, true), "");
    feed(k, p, kBlack, 1);
    feed(k, p, kWhite, 1);
    feed(k, p, kBlack, 0);
    EXPECT_EQ(kemmakixLabel(k, true), "01");
    EXPECT_EQ(kemmakixLabel(k, false), "");
    flushRecord(k);
    EXPECT_EQ(kemmakixLabel(k, true), "01");  // the last recorded word while nothing new is collected
    CKemmakix discard = sink(2);
    EXPECT_EQ(kemmakixLabel(discard, true), "");
}
