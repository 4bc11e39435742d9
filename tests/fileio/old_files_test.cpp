// Version 1.05 net files and event files.
#include "support/support.h"

using namespace novra;
using namespace novra::support;

namespace {

// Nodes by view position: 1 place, 2 uhzi, 3 place (white token), 4 transition "0", 5 and 6 places,
// 7 transition "1", 8 place, 9 kemmakix. Transition 0 has two inputs and two outputs; transition 1 has two
// inputs of which its function uses one. No end marker: the end of the file ends it.
const std::string kOld = data("fileio/v105.pol");

// A net of nodes of the given kinds, for an event file to go onto.
std::unique_ptr<CNet> nodes(std::initializer_list<int> kinds) {
    auto net = std::make_unique<CNet>();
    for (int kind : kinds) net->addObject(0, 0, kind);
    return net;
}

}  // namespace

// What the saved form does not show (tests/data/fileio/cases.tsv compares that): the IDs by view position.
TEST(Version105, NumbersNodesByTheViewSection) {
    Loaded l = loadBytes(kOld);
    ASSERT_EQ(l.message, "");
    const CNet& net = *l.net;
    const int kinds[] = {0,      kPlace, kUhzi,       kPlace, kTransition,
                         kPlace, kPlace, kTransition, kPlace, kKemmakix};
    for (int id = 1; id <= 9; ++id) EXPECT_EQ(net.kindOf(id), kinds[id]) << id;
    EXPECT_EQ(net.transitions().at(4).functionText, "o1=i1&i2;\n\no2=~i1;");
    EXPECT_EQ(net.arcs().at(net.findArc(3, 4)).varName, "i2");
    EXPECT_EQ(net.nextId(), 10);
    EXPECT_EQ(net.arcCounter(), 10);
    EXPECT_EQ(net.bounds(), (Rect{-100, -140, 220, 145, false}));
    // Any cut either reads what is complete or fails with a message.
    for (size_t n = 36; n < kOld.size(); n += 3) loadBytes(kOld.substr(0, n));
}

TEST(EventFile, AttachesPairsToTheObjectsInOrder) {
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
        nodes({kPlace, kTransition, kPlace, kTransition, kUhzi, kKemmakix, kPlace}));
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
    // The first pipe block has no c_element line, and the place block runs straight into a pipe block.
    Loaded l = loadBytes("state machine\nmain:pipe:a\nmain:p\n1,1\nmain:pipe:b\nc_element\n2,2\nr\n",
                         nodes({kPlace, kTransition, kTransition}));
    ASSERT_EQ(l.message, "");
    EXPECT_TRUE(l.net->transitions().at(2).events.empty());
    EXPECT_EQ(l.net->places().at(1).events, (EventTable{{1, 1}}));
    EXPECT_EQ(l.net->transitions().at(3).events, (EventTable{{2, 2}}));
}

TEST(EventFile, MoreBlocksThanObjectsOrABadPairFails) {
    EXPECT_EQ(loadBytes("state machine\nmain:pipe:x\n").message, text(msg::kTransitionCountMismatch));
    EXPECT_EQ(loadBytes("state machine\nmain:u\n").message, text(msg::kUhziCountMismatch));
    EXPECT_EQ(loadBytes("state machine\nmain:k\n").message, text(msg::kKemmakixCountMismatch));
    Loaded two = loadBytes("state machine\nmain:p\n1,2\nmain:p\n3,4\n", nodes({kPlace}));
    EXPECT_EQ(two.message, text(msg::kPlaceCountMismatch));
    EXPECT_FALSE(two.net->hasEvents());
    EXPECT_EQ(loadBytes("state machine\nmain:pipe:\nc_element\n1,2\n3;4\nr\n", nodes({kTransition})).message,
              format(msg::kBadRecord, 5) + "3;4");
}
