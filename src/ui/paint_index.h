#pragma once
// The paint index: where objects and arc segments lie on the canvas, so that a paint visits only what the
// window shows. It knows only the net it follows.
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

#include "model/net.h"

namespace novra::ui {

// A uniform grid over the net's extent; each cell lists the objects whose centre lies in it and the arcs
// with a segment whose bounding box touches it. The grid is built whole and then left alone: an object or
// arc that changes afterwards (taken from the net's geometry journal) gets a slot past the built ones and
// its built slot is retired, so a drag or a single edit costs only what it touched. Queries return slots
// in ascending ID, so the paint draws in the same order as a walk over the whole net would.
class CPaintIndex {
  public:
    struct Object {
        int id, x, y, kind;
    };
    struct Arc {
        int id;
        int fromKind, toKind;
        unsigned first, count;  // its points in `points`: start, bend points, end at the target's edge
    };
    struct PointD {
        double x, y;
    };
    // What a slot stands for now.
    enum State : unsigned char {
        kLive,      // drawn from this slot
        kReplaced,  // a built slot whose object or arc has a later slot
        kUndrawn,   // an arc of the net with a missing end
        kGone,      // no longer in the net
    };

    // What the index was built from and has followed since; any disagreement with the net rebuilds it.
    const CNet* net = nullptr;
    size_t objectCount = 0, arcCount = 0;
    int nextId = 0, arcCounter = 0;
    bool valid = false;
    int builds = 0;  // whole builds so far
    unsigned long long epoch = 0;
    size_t logPos = 0;  // the net's geometry log has been applied up to here

    // Slots: those of the build first (ascending ID), then the ones changed since.
    std::vector<Object> objects;
    std::vector<Arc> arcs;
    std::vector<PointD> points;
    std::vector<State> objectState, arcState;
    size_t builtObjects = 0, builtArcs = 0, builtPoints = 0;
    std::unordered_map<int, unsigned> laterObject, laterArc;  // ID -> slot past the built ones

    long long left = 0, top = 0;
    int shift = 7;
    long long cols = 1, rows = 1;
    std::vector<unsigned> objectStart, objectItems;
    std::vector<unsigned> arcStart, arcItems;
    std::vector<unsigned> wideArcs;  // arcs over too many cells to list; always candidates
    std::vector<unsigned> arcStamp;  // per built arc, the query that last took it
    unsigned stamp = 0;
    std::vector<unsigned> visibleObjects, visibleArcs;

    // Scratch of the build, kept for the next one.
    struct Box {
        long long x0, x1, y0, y1;
    };
    std::vector<int> slotOf;
    std::vector<const std::pair<const int, VObject>*> objectEntries;
    std::vector<const std::pair<const int, CArc>*> arcEntries;
    std::vector<Box> boxes;
    std::vector<unsigned char> listed;
    std::vector<unsigned> fill;
    std::vector<int> touchedArcs;
    std::vector<PointD> scratchPoints;
    std::vector<unsigned> laterHits;

    // The cell column or row of a coordinate, clamped to the grid.
    long long cellX(double x) const { return cellOf(x - double(left), cols); }
    long long cellY(double y) const { return cellOf(y - double(top), rows); }
    long long cellOf(double d, long long count) const {
        if (!(d > 0)) return 0;
        return std::min(static_cast<long long>(d) >> shift, count - 1);
    }

    // False when the net holds objects of an unknown kind.
    bool build(const CNet& n);
    // Whether the index shows the net as it is.
    bool current(const CNet& n) const;
    // Applies what the net's journal logged since; false when only a rebuild will do (another net or
    // epoch, a log that went on without us, too many changes, or counts that disagree afterwards).
    bool follow(const CNet& n);
    void query(double x0, double y0, double x1, double y1);

  private:
    // The net's object or arc of an ID into a later slot, its built slot retired; false for an unknown kind.
    bool takeObject(const CNet& n, int id);
    void takeArc(const CNet& n, int id);
    // Whether the index holds an ID as one of the net's.
    bool hasObject(int id) const;
    bool hasArc(int id) const;
    // Appends the arc's points as drawn: from the source's centre through the bend points to where the
    // arrow head touches the target's shape.
    static void pushArcPoints(std::vector<PointD>& points, const Object& from, const Object& to,
                              const std::vector<Point>& bends);
};

}  // namespace novra::ui
