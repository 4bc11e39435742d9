// The geometry journal that readers of positions (the editor's canvas index) follow: a small edit logs
// the ID it touched, anything bigger gives the net an epoch no reader has seen.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "model/net.h"

using namespace novra;

namespace {

std::vector<std::pair<int, bool>> logSince(const CNet& net, size_t from) {
    std::vector<std::pair<int, bool>> out;
    for (size_t pos = std::max(from, net.geometryLogStart()); pos < net.geometryLogEnd(); ++pos)
        out.emplace_back(net.geometryLogAt(pos).id, net.geometryLogAt(pos).arc);
    return out;
}

}  // namespace

TEST(GeometryJournal, SmallEditsLogWhatTheyTouched) {
    CNet net;
    const int p = net.addObject(0, 0, kPlace);
    const int t = net.addObject(100, 0, kTransition);
    const int a = net.addArc(p, t, {{50, 50}});
    const unsigned long long epoch = net.geometryEpoch();
    EXPECT_EQ(logSince(net, 0), (std::vector<std::pair<int, bool>>{{p, false}, {t, false}, {a, true}}));

    size_t mark = net.geometryLogEnd();
    net.moveObject(t, 100, 0);      // where it already is
    net.moveBendPoint(a, 1, 7, 7);  // no such point
    net.setToken(p, kBlack, 0);
    net.deleteObject(p);  // takes only the token
    EXPECT_EQ(logSince(net, mark), (std::vector<std::pair<int, bool>>{}));

    net.moveObject(t, 120, 10);
    net.moveBendPoint(a, 0, 60, 40);
    net.addArc(p, t, {});  // the same arc, straightened
    net.deleteObject(t);   // its arc goes with it
    EXPECT_EQ(logSince(net, mark),
              (std::vector<std::pair<int, bool>>{{t, false}, {a, true}, {a, true}, {a, true}, {t, false}}));
    EXPECT_EQ(net.geometryEpoch(), epoch);

    // A reader that has applied the log lets it go; the positions keep counting.
    mark = net.geometryLogEnd();
    net.trimGeometryLog(mark);
    EXPECT_EQ(net.geometryLogStart(), mark);
    EXPECT_EQ(net.geometryLogEnd(), mark);
}

TEST(GeometryJournal, BulkChangesGiveANewEpoch) {
    CNet net, other;
    for (int i = 0; i < 300; ++i) other.addObject(i, i, kPlace);
    unsigned long long seen = net.geometryEpoch();
    net.copyAll(other);  // too many to log one by one
    EXPECT_NE(net.geometryEpoch(), seen);
    EXPECT_EQ(net.geometryLogEnd(), net.geometryLogStart());

    // A swap leaves neither net with an epoch a reader of either one already knows.
    const unsigned long long mine = net.geometryEpoch(), theirs = other.geometryEpoch();
    net.swap(other);
    for (unsigned long long e : {mine, theirs}) {
        EXPECT_NE(net.geometryEpoch(), e);
        EXPECT_NE(other.geometryEpoch(), e);
    }

    // A log that outgrows its bound is dropped for a new epoch rather than kept growing.
    seen = net.geometryEpoch();
    for (size_t i = 0; i <= CNet::kGeometryLogCap; ++i) net.moveObject(1, static_cast<int>(i) + 1000, 0);
    EXPECT_NE(net.geometryEpoch(), seen);
    EXPECT_LE(net.geometryLogEnd() - net.geometryLogStart(), CNet::kGeometryLogCap);

    seen = net.geometryEpoch();
    net.clear();
    EXPECT_NE(net.geometryEpoch(), seen);
}
