#pragma once
// The view's paint index: where objects and arc segments lie on the canvas (built in view_render.cpp).
#include <algorithm>
#include <cmath>
#include <vector>

#include "model/net.h"
#include "ui/view.h"

namespace novra::ui {

// A uniform grid over the net's extent; each cell lists the objects whose centre lies in it and the arcs
// with a segment whose bounding box touches it. Everything is kept in ascending ID, so the paint draws in
// the same order as a walk over the whole net would.
struct CNOVRAView::PaintIndex {
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

    // What the index was built from; a change of any of these rebuilds it.
    const CNet* net = nullptr;
    size_t objectCount = 0, arcCount = 0;
    int nextId = 0, arcCounter = 0;
    bool valid = false;

    std::vector<Object> objects;
    std::vector<Arc> arcs;
    std::vector<PointD> points;

    long long left = 0, top = 0;
    int shift = 7;
    long long cols = 1, rows = 1;
    std::vector<unsigned> objectStart, objectItems;
    std::vector<unsigned> arcStart, arcItems;
    std::vector<unsigned> wideArcs;  // arcs over too many cells to list; always candidates
    std::vector<unsigned> arcStamp;  // per arc, the query that last took it
    unsigned stamp = 0;
    std::vector<unsigned> visibleObjects, visibleArcs;

    // Scratch of the build, kept for the next one.
    struct Box {
        long long x0, x1, y0, y1;
    };
    std::vector<int> slotOf;
    std::vector<Box> boxes;
    std::vector<unsigned char> listed;
    std::vector<unsigned> fill;

    // The cell column or row of a coordinate, clamped to the grid.
    long long cellX(double x) const { return cellOf(x - double(left), cols); }
    long long cellY(double y) const { return cellOf(y - double(top), rows); }
    long long cellOf(double d, long long count) const {
        if (!(d > 0)) return 0;
        return std::min(static_cast<long long>(d) >> shift, count - 1);
    }

    // False when the net holds objects of an unknown kind.
    bool build(const CNet& n);
    void query(double x0, double y0, double x1, double y1);
};

}  // namespace novra::ui
