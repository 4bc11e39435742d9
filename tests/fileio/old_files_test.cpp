// Version 1.05 net files and event files.
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// Nodes by view position: 1 place, 2 uhzi, 3 place (white token), 4 transition "0", 5 and 6 places,
// 7 transition "1", 8 place, 9 kemmakix. Transition 0 has two inputs and two outputs; transition 1 has two
// inputs of which its function uses one. No end marker: the end of the file ends it.
const std::string kOld = data("fileio/v105.pol");

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

}  // namespace

TEST(Version105, NumbersNodesByTheViewSectionAndDerivesArcNames) {
    Loaded l = loadBytes(kOld);
    ASSERT_EQ(l.message, "");
    const CNet& net = *l.net;
    const int kinds[] = {0,      kPlace, kUhzi,       kPlace, kTransition,
                         kPlace, kPlace, kTransition, kPlace, kKemmakix};
    for (int id = 1; id <= 9; ++id) EXPECT_EQ(net.kindOf(id), kinds[id]) << id;
    EXPECT_EQ(net.objects().at(4), (VObject{kTransition, 40, 20}));
    // ":" ended statements and ";" broke lines.
    EXPECT_EQ(net.transitions().at(4).functionText, "o1=i1&i2;\n\no2=~i1;");
    EXPECT_EQ(net.transitions().at(4).outputVarNames.size(), 2u);
    EXPECT_EQ(net.transitions().at(7).functionText, "o1=i1;");
    EXPECT_EQ(net.uhzis().at(2).words, std::vector<std::string>{"10"});
    EXPECT_EQ(net.uhzis().at(2).line, 1);
    EXPECT_EQ(net.kemmakixes().at(9).expected, std::vector<std::string>{"01"});
    EXPECT_EQ(net.tokens().at(3), (Token{kWhite, 0}));
    // Identifiers shift by one; several arcs on one side are named in arc order, single ones stay
    // unnamed, and names the function does not use are emptied.
    const auto name = [&](int from, int to) { return net.arcs().at(net.findArc(from, to)).varName; };
    EXPECT_EQ(name(2, 1), "");
    EXPECT_EQ(name(1, 4), "i1");
    EXPECT_EQ(name(3, 4), "i2");
    EXPECT_EQ(name(4, 5), "o1");
    EXPECT_EQ(name(4, 6), "o2");
    EXPECT_EQ(name(5, 7), "i1");
    EXPECT_EQ(name(6, 7), "");
    EXPECT_EQ(name(7, 8), "");
    EXPECT_EQ(net.arcs().at(net.findArc(4, 6)).bendPoints, (std::vector<Point>{{50, -40}, {55, 45}}));
    EXPECT_EQ(net.nextId(), 10);
    EXPECT_EQ(net.arcCounter(), 10);
    EXPECT_TRUE(net.simTranOpt().empty());
    EXPECT_EQ(net.bounds(), (Rect{-100, -140, 220, 145, false}));
}

TEST(Version105, AConvertedFileReadsBackAsTheSameNet) {
    Loaded old = loadBytes(kOld);
    ASSERT_EQ(old.message, "");
    TempDir dir;
    save(*old.net, dir.file("new.pol"));
    CNet converted;
    load(converted, dir.file("new.pol"));
    expectSameNet(*old.net, converted);
    save(converted, dir.file("again.pol"));
    EXPECT_EQ(readBytes(dir.file("again.pol")), readBytes(dir.file("new.pol")));
}

TEST(Version105, CorruptFilesGiveAMessageAndLeaveAConsistentNet) {
    const std::string old = kOld;
    const struct {
        std::string from, to;
        int line;
    } cases[] = {
        {"obj[0,2,1]=(80,10)", "obj[0,2,5]=(80,10)", 25},  // no transition 5
        {"obj[0,2,1]=(80,10)", "obj[0,2,0]=(80,10)", 25},  // transition 0 placed twice
        {"obj[0,2,1]=(80,10)", "obj[0,9,1]=(80,10)", 25},  // no such kind
        {"tset[2]=(6,0)", "tset[3]=(6,0)", 30},            // a token on a transition
        {"arc[7,8]", "arc[7,9]", 41},                      // no tenth node
        {"arc[7,8]", "arc[-1,8]", 41},                     // position -1 is no node
        {"tran[1,o1=i1:]", "tran[0,o1=i1:]", 6},           // two transitions numbered 0
    };
    for (const auto& c : cases) {
        Loaded l = loadBytes(replaced(old, c.from, c.to));
        EXPECT_EQ(l.message, format(msg::kBadRecord, c.line) + c.to) << c.to;
    }
    // A transition the view section never places is reported at its record.
    const std::string views = old.substr(0, old.find(".section[token]"));
    EXPECT_EQ(loadBytes(replaced(views, "obj[0,2,1]=(80,10)\r\n", "")).message,
              format(msg::kBadRecord, 6) + "tran[1,o1=i1:]");
    EXPECT_EQ(loadBytes(old.substr(0, old.find("o2=~i1:]") + 6)).message, text(msg::kReadFailed));
    // Any cut either reads what is complete or fails with a message.
    for (size_t n = 36; n < old.size(); n += 3) loadBytes(old.substr(0, n));
    EXPECT_EQ(loadBytes(old + "=== END ===\r\nrest is ignored\r\n").message, "");
}

// Tokens and arcs name nodes by their place in the view section, which may come after them.
TEST(Version105, SectionsInAnyOrderReadToTheSameNet) {
    const std::string old = kOld;
    std::vector<std::string> sections;
    for (size_t at = old.find(".section["); at != std::string::npos;) {
        const size_t next = old.find(".section[", at + 1);
        sections.push_back(old.substr(at, next - at));
        at = next;
    }
    std::string reversed = "=== NOVRA Objects Data Ver.1.05 ===\r\n";
    for (auto s = sections.rbegin(); s != sections.rend(); ++s) reversed += *s;
    Loaded l = loadBytes(reversed);
    ASSERT_EQ(l.message, "");
    TempDir dir;
    save(*l.net, dir.file("reversed.pol"));
    save(*loadBytes(kOld).net, dir.file("ordered.pol"));
    EXPECT_EQ(readBytes(dir.file("reversed.pol")), readBytes(dir.file("ordered.pol")));
    // The arc section now starts at line 2, the token section at line 13.
    EXPECT_EQ(loadBytes(replaced(reversed, "arc[7,8]", "arc[7,9]")).message,
              format(msg::kBadRecord, 11) + "arc[7,9]");
    EXPECT_EQ(loadBytes(replaced(reversed, "tset[2]", "tset[3]")).message,
              format(msg::kBadRecord, 14) + "tset[3]=(6,0)");
}

TEST(EventFile, AttachesPairsToTheObjectsInOrder) {
    auto net = std::make_unique<CNet>();
    for (int kind : {kPlace, kTransition, kPlace, kTransition, kUhzi, kKemmakix, kPlace})
        net->addObject(0, 0, kind);
    Loaded l = loadBytes(
        "state machine trace\n"
        "main:pipe:first\nnoise\nc_element\n10,1\n\n20,0\nr\n"
        "main:pipe:second\nc_element\n30, 1\nreset\n"
        "main:u\nc_element\n5,1\nr\n"
        "main:k\nc_element\n7,0\nr\n"
        "main:p\n1,2\n3,4\n"
        "main:p\n5,6\n"
        "main:p\n8,9\n"
        "unrelated line\n",
        std::move(net));
    ASSERT_EQ(l.message, "");
    const CNet& n = *l.net;
    EXPECT_EQ(n.transitions().at(2).events, (EventTable{{10, 1}, {20, 0}}));
    EXPECT_EQ(n.transitions().at(4).events, (EventTable{{30, 1}}));
    EXPECT_EQ(n.uhzis().at(5).events, (EventTable{{5, 1}}));
    EXPECT_EQ(n.kemmakixes().at(6).events, (EventTable{{7, 0}}));
    // A place block ends where the next block begins.
    EXPECT_EQ(n.places().at(1).events, (EventTable{{1, 2}, {3, 4}}));
    EXPECT_EQ(n.places().at(3).events, (EventTable{{5, 6}}));
    EXPECT_EQ(n.places().at(7).events, (EventTable{{8, 9}}));
    const std::multimap<int, int> index = {{10, 2}, {20, 2}, {30, 4}, {5, 5}, {7, 6},
                                           {1, 1},  {3, 1},  {5, 3},  {8, 7}};
    EXPECT_EQ(n.eventIndex(), index);
    EXPECT_TRUE(n.hasEvents());
    EXPECT_EQ(n.objects().size(), 7u);  // nothing else changed
}

TEST(EventFile, ABlockCutShortLeavesTheNextBlockItsOwn) {
    auto net = std::make_unique<CNet>();
    for (int kind : {kPlace, kTransition, kTransition}) net->addObject(0, 0, kind);
    // The first pipe block has no c_element line, and the place block runs straight into a pipe block.
    Loaded l = loadBytes("state machine\nmain:pipe:a\nmain:p\n1,1\nmain:pipe:b\nc_element\n2,2\nr\n",
                         std::move(net));
    ASSERT_EQ(l.message, "");
    EXPECT_TRUE(l.net->transitions().at(2).events.empty());
    EXPECT_EQ(l.net->places().at(1).events, (EventTable{{1, 1}}));
    EXPECT_EQ(l.net->transitions().at(3).events, (EventTable{{2, 2}}));
}

TEST(EventFile, MoreBlocksThanObjectsOrABadPairFails) {
    EXPECT_EQ(loadBytes("state machine\nmain:pipe:x\n").message, text(msg::kTransitionCountMismatch));
    EXPECT_EQ(loadBytes("state machine\nmain:u\n").message, text(msg::kUhziCountMismatch));
    EXPECT_EQ(loadBytes("state machine\nmain:k\n").message, text(msg::kKemmakixCountMismatch));
    auto onePlace = std::make_unique<CNet>();
    onePlace->addObject(0, 0, kPlace);
    Loaded two = loadBytes("state machine\nmain:p\n1,2\nmain:p\n3,4\n", std::move(onePlace));
    EXPECT_EQ(two.message, text(msg::kPlaceCountMismatch));
    EXPECT_FALSE(two.net->hasEvents());
    auto t = std::make_unique<CNet>();
    t->addObject(0, 0, kTransition);
    EXPECT_EQ(loadBytes("state machine\nmain:pipe:\nc_element\n1,2\n3;4\nr\n", std::move(t)).message,
              format(msg::kBadRecord, 5) + "3;4");
}
