#include "common/inline_vector.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

using novra::CInlineVector;

namespace {

using Small = CInlineVector<int, 2>;

std::vector<int> asVector(const Small& v) { return {v.begin(), v.end()}; }

}  // namespace

TEST(InlineVector, GrowsPastItsInlineRoomAndKeepsEveryValue) {
    Small v;
    EXPECT_TRUE(v.empty());
    std::vector<int> expect;
    for (int k = 0; k < 100; ++k) {
        v.push_back(k * 3);
        expect.push_back(k * 3);
        ASSERT_EQ(asVector(v), expect);
    }
    EXPECT_EQ(v.front(), 0);
    EXPECT_EQ(v.back(), 297);
    // An element of the vector itself pushed while it grows.
    Small w{7, 8};
    w.push_back(w[0]);
    w.push_back(w[2]);
    EXPECT_EQ(asVector(w), (std::vector<int>{7, 8, 7, 7}));
    // assign shrinks and grows; clear keeps the room.
    v.assign(1, 5);
    EXPECT_EQ(asVector(v), std::vector<int>{5});
    const size_t room = v.capacity();
    v.clear();
    EXPECT_TRUE(v.empty());
    EXPECT_EQ(v.capacity(), room);
    v.assign(3, -1);
    EXPECT_TRUE(v == (std::vector<int>{-1, -1, -1}));
    EXPECT_FALSE(v == (std::vector<int>{-1, -1}));
}

TEST(InlineVector, CopiesAndMovesAreIndependentWhetherInlineOrOnTheHeap) {
    for (int n : {0, 1, 2, 3, 9}) {
        Small a;
        for (int k = 0; k < n; ++k) a.push_back(k + 1);
        Small copy(a);
        Small assigned;
        assigned.assign(5, 0);
        assigned = a;
        EXPECT_TRUE(copy == a);
        EXPECT_TRUE(assigned == a);
        if (n > 0) {
            copy[0] = 100;
            assigned[0] = 200;
            EXPECT_EQ(a[0], 1) << n;  // no shared storage
        }
        Small moved(std::move(copy));
        EXPECT_TRUE(copy.empty());
        EXPECT_EQ(moved.size(), static_cast<size_t>(n));
        Small target{4, 4, 4};
        target = std::move(moved);
        EXPECT_EQ(target.size(), static_cast<size_t>(n));
        EXPECT_TRUE(moved.empty());
        moved.push_back(42);  // a moved-from vector is usable
        EXPECT_EQ(asVector(moved), std::vector<int>{42});
        Small& self = target;
        target = self;
        EXPECT_EQ(target.size(), static_cast<size_t>(n));
        // A range taken from the vector itself.
        target.assign(target.begin(), target.end());
        EXPECT_EQ(target.size(), static_cast<size_t>(n));
    }
}
