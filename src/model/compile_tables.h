#pragma once
// Flat lookup tables that compile builds once from the net's maps, so that its checks look objects and
// arcs up by position in a vector instead of searching a tree for every arc end.
#include <vector>

#include "model/compiled_tables.h"
#include "model/net.h"

namespace novra::compiling {

// Maps an ID (object or arc) to a position: a direct array while the IDs are dense enough, a binary
// search over the sorted IDs otherwise (a net whose counter ran far ahead of its contents).
class CIdPositions {
  public:
    // ids ascending, without repeats.
    void build(const std::vector<int>& ids);
    int find(int id) const;  // position, or -1

  private:
    std::vector<int> direct_;
    const std::vector<int>* sorted_ = nullptr;
};

// Every object of the net: its kind in `objects` and its record in the map of that kind.
struct CNodeTable {
    std::vector<int> ids;          // ascending: every key of objects and of the four record maps
    std::vector<int> kinds;        // kind in objects, 0 when objects does not know the ID
    std::vector<int> recordIndex;  // dense index within the map of that kind, -1 when the map lacks it
    CIdPositions positions;

    std::vector<int> placeIds, transitionIds, uhziIds, kemmakixIds;
    std::vector<CPlace*> places;
    std::vector<CTransition*> transitions;
    std::vector<CUhzi*> uhzis;
    std::vector<CKemmakix*> kemmakixes;

    // The arcs leaving and entering each node (by position), as positions in the arc table, ascending arc
    // ID; entries of the arc indexes that name a missing arc or an arc with another end are left out.
    std::vector<int> outStart, outArcs;
    std::vector<int> inStart, inArcs;

    int kindOf(int id) const;
    bool exists(int id) const;     // known to objects and to the map of its kind
    int placeIndex(int id) const;  // dense place index of a place ID, -1 when it is none
};

// Every arc by ID, with its ends copied out of the records.
struct CArcTable {
    std::vector<int> ids;  // ascending
    std::vector<const CArc*> arcs;
    std::vector<int> from, to;
    std::vector<char> labelled;  // the arc names a variable
    CIdPositions positions;

    int find(int id) const { return positions.find(id); }  // position, or -1
};

// Arc positions of one node in one direction, ascending arc ID.
struct ArcRange {
    const int* first;
    const int* last;
    size_t size() const { return static_cast<size_t>(last - first); }
    bool empty() const { return first == last; }
    const int* begin() const { return first; }
    const int* end() const { return last; }
};

inline ArcRange outgoing(const CNodeTable& nodes, int id) {
    const int k = nodes.positions.find(id);
    if (k < 0) return {nullptr, nullptr};
    const int* base = nodes.outArcs.data();
    return {base + nodes.outStart[static_cast<size_t>(k)], base + nodes.outStart[static_cast<size_t>(k) + 1]};
}

inline ArcRange incoming(const CNodeTable& nodes, int id) {
    const int k = nodes.positions.find(id);
    if (k < 0) return {nullptr, nullptr};
    const int* base = nodes.inArcs.data();
    return {base + nodes.inStart[static_cast<size_t>(k)], base + nodes.inStart[static_cast<size_t>(k) + 1]};
}

// Everything compile builds on the side, kept by the net from one compile to the next. A big net's tables
// run to megabytes; allocating them afresh every time would have the system hand over (and zero) new
// pages for them at every compile, and the heap gives such blocks back to the system as soon as they
// are freed.
struct CWorkspace {
    CNodeTable nodes;
    CArcTable arcs;
    std::vector<int> objectKinds;
    // Slots of the transitions as compressed rows (they go to the simulation's index, whose previous
    // ones come back here).
    std::vector<int> inputStart, outputStart, inputSlots, outputSlots;
    std::vector<const CTransition*> nameModels;
    std::vector<int> listPos, listArc, fill;  // building the arc lists
    std::vector<int> predStart, preds, frontier, next;  // colours of the empty places
    std::vector<char> unvisited;
    CCompiledTables tables;  // where a compile nobody follows leaves its tables
};

// Fills both tables of the workspace, walking each of the net's node maps and its arc map once. On the
// way it clears every place's simulation marking (the first step of compile), while the record is at hand.
void buildTables(CNet& net, CWorkspace& work);

// Builds the arc lists of the node table from the net's two arc indexes.
void buildArcLists(const CNet& net, CWorkspace& work);

}  // namespace novra::compiling
