#pragma once
// CNetBuilder: fills a net in one pass, for the file readers.
#include <string>
#include <vector>

#include "model/net.h"

namespace novra {

// Enters a whole net record by record, as a reader finds it: records under ascending IDs, view entries,
// tokens and arcs appended at the ends of the net's trees. Arcs are chained by their source while reading
// and enter the two arc indexes at finish(), grouped by node and in ascending arc ID within a node, as
// adding them one by one would have left them. The net starts a new geometry epoch when the builder is
// made and again at finish(), so that a follower of its positions starts afresh.
class CNetBuilder {
  public:
    // Empties the net.
    explicit CNetBuilder(CNet& net);
    CNetBuilder(const CNetBuilder&) = delete;
    CNetBuilder& operator=(const CNetBuilder&) = delete;

    const CNet& net() const { return net_; }

    // The next free ID, taken.
    int takeId() { return net_.nextId_++; }
    // A node record under `id`, above every ID entered so far.
    CPlace& add(int id, CPlace record);
    CTransition& add(int id, CTransition record);
    CUhzi& add(int id, CUhzi record);
    CKemmakix& add(int id, CKemmakix record);
    // A node's view entry (replacing an earlier one with the same ID); the bounds grow to include it.
    void setView(int id, const VObject& view);
    void setToken(int placeId, const Token& token);
    // An arc; a second one between the same two nodes only replaces the first one's bend points and
    // variable. The bounds grow to include the bend points.
    void addArc(int fromId, int toId, std::vector<Point> bendPoints, std::string varName);
    void markStop(int transitionId);
    // For formats whose IDs are numbered by position.
    void setCounters(int nextId, int arcCounter);

    // Puts the arcs into the indexes. Call it also when a read fails, so that what was read stays whole.
    void finish();
    // Grows the bounds by d on every side, without overflowing.
    void inflateBounds(int d);
    // A failed read must not leave records that have no view entry of their kind: they go.
    void dropRecordsWithoutView();

  private:
    CNet& net_;
    // Every arc entered, with the arcs leaving the same node chained from outHead_ (latest first).
    struct Link {
        int from, to, arc, next;
    };
    std::vector<Link> links_;
    std::vector<int> outHead_;  // by node ID: the last arc entered that leaves it, -1 = none
    size_t indexed_ = 0;        // links already in the indexes
};

}  // namespace novra
