// The paint index: built whole from the net, then kept up with the net's geometry journal.
#include "ui/paint_index.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "model/map_lanes.h"

namespace novra::ui {

namespace {
// The slot among [0, count) of a run sorted by ID, or -1.
template <class T>
long long slotIn(const std::vector<T>& v, size_t count, int id) {
    auto end = v.begin() + static_cast<std::ptrdiff_t>(count);
    auto it = std::lower_bound(v.begin(), end, id, [](const T& e, int k) { return e.id < k; });
    return it != end && it->id == id ? it - v.begin() : -1;
}

// The next value of a counter that has handed out `id`, without passing INT_MAX.
void pastId(int& counter, int id) {
    if (id >= counter && id < INT_MAX) counter = id + 1;
}
}  // namespace

void CPaintIndex::pushArcPoints(std::vector<PointD>& points, const Object& from, const Object& to,
                                const std::vector<Point>& bends) {
    const Point prev = bends.empty() ? Point{from.x, from.y} : bends.back();
    const double tx = to.x, ty = to.y;
    const double dx = tx - prev.x, dy = ty - prev.y, d = std::hypot(dx, dy);
    const double pull = to.kind == kTransition ? 10 : 20;
    const double ex = d > pull ? tx - dx * pull / d : prev.x, ey = d > pull ? ty - dy * pull / d : prev.y;
    points.push_back({double(from.x), double(from.y)});
    for (const Point& b : bends) points.push_back({double(b.x), double(b.y)});
    points.push_back({ex, ey});
}

bool CPaintIndex::build(const CNet& n) {
    net = &n;
    ++builds;
    objectCount = n.objects().size();
    arcCount = n.arcs().size();
    nextId = n.nextId();
    arcCounter = n.arcCounter();
    valid = true;
    epoch = n.geometryEpoch();
    logPos = n.geometryLogEnd();
    laterObject.clear();
    laterArc.clear();

    objects.clear();
    objects.reserve(n.objects().size());
    long long x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool allKnown = true;
    {
        CMapLanes objectLanes(n.objects());
        CMapLanes arcLanes(n.arcs());
        while (objectLanes.step() | arcLanes.step()) {
        }
        objectLanes.collect(objectEntries);
        arcLanes.collect(arcEntries);
    }
    for (size_t k = 0; k < objectEntries.size(); ++k) {
        if (k + 8 < objectEntries.size()) __builtin_prefetch(objectEntries[k + 8]);
        const auto& [id, o] = *objectEntries[k];
        allKnown = allKnown && isValidKind(o.kind);
        if (objects.empty()) {
            x0 = x1 = o.x;
            y0 = y1 = o.y;
        }
        x0 = std::min<long long>(x0, o.x);
        x1 = std::max<long long>(x1, o.x);
        y0 = std::min<long long>(y0, o.y);
        y1 = std::max<long long>(y1, o.y);
        objects.push_back({id, o.x, o.y, o.kind});
    }
    builtObjects = objects.size();
    objectState.assign(objects.size(), kLive);
    // Arc ends are looked up by ID; a table by ID is far quicker than the map when the IDs are dense.
    const bool dense = !objects.empty() && objects.back().id >= 0 &&
                       objects.back().id <= 4 * static_cast<long long>(objects.size()) + 1024;
    if (dense) {
        slotOf.assign(static_cast<size_t>(objects.back().id) + 1, -1);
        for (size_t i = 0; i < objects.size(); ++i)
            if (objects[i].id >= 0) slotOf[static_cast<size_t>(objects[i].id)] = static_cast<int>(i);
    }
    const auto find = [&](int id) -> const Object* {
        if (dense) {
            if (id < 0 || static_cast<size_t>(id) >= slotOf.size() || slotOf[static_cast<size_t>(id)] < 0)
                return nullptr;
            return &objects[static_cast<size_t>(slotOf[static_cast<size_t>(id)])];
        }
        const long long s = slotIn(objects, objects.size(), id);
        return s < 0 ? nullptr : &objects[static_cast<size_t>(s)];
    };

    arcs.clear();
    points.clear();
    arcs.reserve(n.arcs().size());
    points.reserve(2 * n.arcs().size());
    arcState.assign(n.arcs().size(), kLive);
    for (size_t k = 0; k < arcEntries.size(); ++k) {
        // The next arcs' nodes and bend points are fetched while this one is drawn up.
        if (k + 8 < arcEntries.size()) __builtin_prefetch(arcEntries[k + 8]);
        if (k + 4 < arcEntries.size()) __builtin_prefetch(arcEntries[k + 4]->second.bendPoints.data());
        const auto& [arcId, arc] = *arcEntries[k];
        const Object* from = find(arc.fromId);
        const Object* to = find(arc.toId);
        const unsigned first = static_cast<unsigned>(points.size());
        if (!from || !to) {
            // Kept, undrawn, so that every arc of the net has a slot.
            arcState[arcs.size()] = kUndrawn;
            arcs.push_back({arcId, 0, 0, first, 0});
            continue;
        }
        arcs.push_back(
            {arcId, from->kind, to->kind, first, static_cast<unsigned>(arc.bendPoints.size() + 2)});
        pushArcPoints(points, *from, *to, arc.bendPoints);
        for (const Point& b : arc.bendPoints) {
            x0 = std::min<long long>(x0, b.x);
            x1 = std::max<long long>(x1, b.x);
            y0 = std::min<long long>(y0, b.y);
            y1 = std::max<long long>(y1, b.y);
        }
    }
    builtArcs = arcs.size();
    builtPoints = points.size();

    // About one cell per object, of at least 128 canvas units.
    left = x0;
    top = y0;
    shift = 7;
    const long long target = std::max<long long>(1024, static_cast<long long>(objects.size()));
    while (shift < 40 && (((x1 - x0) >> shift) + 1) * (((y1 - y0) >> shift) + 1) > target) ++shift;
    cols = ((x1 - x0) >> shift) + 1;
    rows = ((y1 - y0) >> shift) + 1;
    const size_t cells = static_cast<size_t>(cols * rows);

    objectStart.assign(cells + 1, 0);
    for (const Object& o : objects) ++objectStart[static_cast<size_t>(cellY(o.y) * cols + cellX(o.x)) + 1];
    for (size_t c = 0; c < cells; ++c) objectStart[c + 1] += objectStart[c];
    objectItems.resize(objects.size());
    {
        fill.assign(objectStart.begin(), objectStart.end() - 1);
        for (size_t i = 0; i < objects.size(); ++i)
            objectItems[fill[static_cast<size_t>(cellY(objects[i].y) * cols + cellX(objects[i].x))]++] =
                static_cast<unsigned>(i);
    }

    // Arcs: every cell under the bounding box of each segment, unless that is too many.
    constexpr long long kWide = 64;
    boxes.resize(points.size());  // by the segment's first point
    listed.assign(arcs.size(), 0);
    wideArcs.clear();
    arcStart.assign(cells + 1, 0);
    for (size_t i = 0; i < arcs.size(); ++i) {
        if (arcState[i] != kLive) continue;
        const Arc& a = arcs[i];
        long long total = 0;
        for (unsigned k = a.first; k + 1 < a.first + a.count; ++k) {
            const PointD p = points[k], q = points[k + 1];
            Box& b = boxes[k];
            b = {cellX(std::min(p.x, q.x)), cellX(std::max(p.x, q.x)), cellY(std::min(p.y, q.y)),
                 cellY(std::max(p.y, q.y))};
            total += (b.x1 - b.x0 + 1) * (b.y1 - b.y0 + 1);
        }
        if (total > kWide) {
            wideArcs.push_back(static_cast<unsigned>(i));
            continue;
        }
        listed[i] = 1;
        for (unsigned k = a.first; k + 1 < a.first + a.count; ++k)
            for (long long y = boxes[k].y0; y <= boxes[k].y1; ++y)
                for (long long x = boxes[k].x0; x <= boxes[k].x1; ++x)
                    ++arcStart[static_cast<size_t>(y * cols + x) + 1];
    }
    for (size_t c = 0; c < cells; ++c) arcStart[c + 1] += arcStart[c];
    arcItems.resize(arcStart[cells]);
    {
        fill.assign(arcStart.begin(), arcStart.end() - 1);
        for (size_t i = 0; i < arcs.size(); ++i) {
            if (!listed[i]) continue;
            for (unsigned k = arcs[i].first; k + 1 < arcs[i].first + arcs[i].count; ++k)
                for (long long y = boxes[k].y0; y <= boxes[k].y1; ++y)
                    for (long long x = boxes[k].x0; x <= boxes[k].x1; ++x)
                        arcItems[fill[static_cast<size_t>(y * cols + x)]++] = static_cast<unsigned>(i);
        }
    }
    arcStamp.assign(arcs.size(), 0);
    stamp = 0;
    return allKnown;
}

bool CPaintIndex::current(const CNet& n) const {
    return valid && net == &n && epoch == n.geometryEpoch() && logPos == n.geometryLogEnd() &&
           objectCount == n.objects().size() && arcCount == n.arcs().size() && nextId == n.nextId() &&
           arcCounter == n.arcCounter();
}

bool CPaintIndex::hasObject(int id) const {
    if (auto later = laterObject.find(id); later != laterObject.end())
        return objectState[later->second] == kLive;
    const long long s = slotIn(objects, builtObjects, id);
    return s >= 0 && objectState[static_cast<size_t>(s)] == kLive;
}

bool CPaintIndex::hasArc(int id) const {
    const auto in = [&](size_t s) { return arcState[s] == kLive || arcState[s] == kUndrawn; };
    if (auto later = laterArc.find(id); later != laterArc.end()) return in(later->second);
    const long long s = slotIn(arcs, builtArcs, id);
    return s >= 0 && in(static_cast<size_t>(s));
}

bool CPaintIndex::takeObject(const CNet& n, int id) {
    const bool had = hasObject(id);
    auto it = n.objects().find(id);
    const bool has = it != n.objects().end();
    if (has && !isValidKind(it->second.kind)) return false;
    if (const long long s = slotIn(objects, builtObjects, id); s >= 0)
        objectState[static_cast<size_t>(s)] = has ? kReplaced : kGone;
    auto later = laterObject.find(id);
    if (has) {
        if (later == laterObject.end()) {
            later = laterObject.emplace(id, static_cast<unsigned>(objects.size())).first;
            objects.emplace_back();
            objectState.push_back(kLive);
        }
        objects[later->second] = {id, it->second.x, it->second.y, it->second.kind};
        objectState[later->second] = kLive;
    } else if (later != laterObject.end()) {
        objectState[later->second] = kGone;
    }
    if (has != had) objectCount = has ? objectCount + 1 : objectCount - 1;
    return true;
}

void CPaintIndex::takeArc(const CNet& n, int id) {
    const bool had = hasArc(id);
    auto it = n.arcs().find(id);
    const bool has = it != n.arcs().end();
    // Points that no slot draws from any more; an arc whose number of points stays the same (a move of
    // either end or of a bend point) takes its new ones there.
    unsigned spareFirst = 0, spareCount = 0;
    if (const long long s = slotIn(arcs, builtArcs, id); s >= 0) {
        if (arcState[static_cast<size_t>(s)] == kLive) {
            spareFirst = arcs[static_cast<size_t>(s)].first;
            spareCount = arcs[static_cast<size_t>(s)].count;
        }
        arcState[static_cast<size_t>(s)] = has ? kReplaced : kGone;
    }
    auto later = laterArc.find(id);
    if (later != laterArc.end() && arcState[later->second] == kLive) {
        spareFirst = arcs[later->second].first;
        spareCount = arcs[later->second].count;
    }
    if (has) {
        if (later == laterArc.end()) {
            later = laterArc.emplace(id, static_cast<unsigned>(arcs.size())).first;
            arcs.emplace_back();
            arcState.push_back(kLive);
        }
        const CArc& arc = it->second;
        auto from = n.objects().find(arc.fromId), to = n.objects().find(arc.toId);
        Arc& a = arcs[later->second];
        a = {id, 0, 0, static_cast<unsigned>(points.size()), 0};
        if (from == n.objects().end() || to == n.objects().end()) {
            arcState[later->second] = kUndrawn;
        } else {
            const Object f{arc.fromId, from->second.x, from->second.y, from->second.kind};
            const Object t{arc.toId, to->second.x, to->second.y, to->second.kind};
            a.fromKind = f.kind;
            a.toKind = t.kind;
            a.count = static_cast<unsigned>(arc.bendPoints.size() + 2);
            if (a.count == spareCount) {
                scratchPoints.clear();
                pushArcPoints(scratchPoints, f, t, arc.bendPoints);
                std::copy(scratchPoints.begin(), scratchPoints.end(), points.begin() + spareFirst);
                a.first = spareFirst;
            } else {
                pushArcPoints(points, f, t, arc.bendPoints);
            }
            arcState[later->second] = kLive;
        }
    } else if (later != laterArc.end()) {
        arcState[later->second] = kGone;
    }
    if (has != had) arcCount = has ? arcCount + 1 : arcCount - 1;
}

bool CPaintIndex::follow(const CNet& n) {
    if (!valid || net != &n || epoch != n.geometryEpoch() || logPos < n.geometryLogStart() ||
        logPos > n.geometryLogEnd())
        return false;
    // Past this many later slots every query testing them all costs more than a rebuild saves.
    const size_t budget = std::max<size_t>(1024, (builtObjects + builtArcs) / 16);
    const size_t end = n.geometryLogEnd();
    touchedArcs.clear();
    for (size_t pos = logPos; pos < end; ++pos) {
        const CNet::GeometryChange& c = n.geometryLogAt(pos);
        if (c.arc) {
            pastId(arcCounter, c.id);
            touchedArcs.push_back(c.id);
            continue;
        }
        pastId(nextId, c.id);
        if (!takeObject(n, c.id)) return false;
        // Where an arc starts and ends follows its objects.
        for (auto [b, e] = n.outArcs().equal_range(c.id); b != e; ++b) touchedArcs.push_back(b->second);
        for (auto [b, e] = n.inArcs().equal_range(c.id); b != e; ++b) touchedArcs.push_back(b->second);
        if (laterObject.size() > budget || touchedArcs.size() > 8 * budget) return false;
    }
    std::sort(touchedArcs.begin(), touchedArcs.end());
    touchedArcs.erase(std::unique(touchedArcs.begin(), touchedArcs.end()), touchedArcs.end());
    if (laterObject.size() + laterArc.size() + touchedArcs.size() > 2 * budget) return false;
    for (int id : touchedArcs) takeArc(n, id);
    // An arc that gained or lost bend points left its old points behind.
    if (laterObject.size() + laterArc.size() > budget || points.size() - builtPoints > 8 * budget)
        return false;
    logPos = end;
    // An undo winds the net's counters back past IDs the journal showed; they never run ahead of it.
    nextId = std::min(nextId, n.nextId());
    arcCounter = std::min(arcCounter, n.arcCounter());
    return objectCount == n.objects().size() && arcCount == n.arcs().size() && nextId == n.nextId() &&
           arcCounter == n.arcCounter();
}

void CPaintIndex::query(double qx0, double qy0, double qx1, double qy1) {
    visibleObjects.clear();
    visibleArcs.clear();
    if (objects.empty()) return;
    if (++stamp == 0) {
        std::fill(arcStamp.begin(), arcStamp.end(), 0);
        stamp = 1;
    }
    const double gx1 = double(left) + double(cols << shift), gy1 = double(top) + double(rows << shift);
    if (qx1 >= left && qy1 >= top && qx0 < gx1 && qy0 < gy1) {
        const long long cx0 = cellX(qx0), cx1 = cellX(qx1), cy0 = cellY(qy0), cy1 = cellY(qy1);
        for (long long y = cy0; y <= cy1; ++y) {
            for (long long x = cx0; x <= cx1; ++x) {
                const size_t c = static_cast<size_t>(y * cols + x);
                for (unsigned k = objectStart[c]; k < objectStart[c + 1]; ++k) {
                    const unsigned i = objectItems[k];
                    const Object& o = objects[i];
                    if (objectState[i] == kLive && o.x >= qx0 && o.x <= qx1 && o.y >= qy0 && o.y <= qy1)
                        visibleObjects.push_back(i);
                }
                for (unsigned k = arcStart[c]; k < arcStart[c + 1]; ++k) {
                    const unsigned a = arcItems[k];
                    if (arcStamp[a] == stamp) continue;
                    arcStamp[a] = stamp;
                    if (arcState[a] == kLive) visibleArcs.push_back(a);
                }
            }
        }
    }
    for (unsigned a : wideArcs)
        if (arcState[a] == kLive) visibleArcs.push_back(a);
    std::sort(visibleObjects.begin(), visibleObjects.end());
    std::sort(visibleArcs.begin(), visibleArcs.end());

    // The later slots are few; each is tested on its own and merged in by ID.
    const auto mergeLater = [this](std::vector<unsigned>& hits, const auto& table) {
        const auto byId = [&](unsigned a, unsigned b) { return table[a].id < table[b].id; };
        std::sort(laterHits.begin(), laterHits.end(), byId);
        const auto mid = static_cast<std::ptrdiff_t>(hits.size());
        hits.insert(hits.end(), laterHits.begin(), laterHits.end());
        std::inplace_merge(hits.begin(), hits.begin() + mid, hits.end(), byId);
    };
    laterHits.clear();
    for (size_t i = builtObjects; i < objects.size(); ++i) {
        const Object& o = objects[i];
        if (objectState[i] == kLive && o.x >= qx0 && o.x <= qx1 && o.y >= qy0 && o.y <= qy1)
            laterHits.push_back(static_cast<unsigned>(i));
    }
    if (!laterHits.empty()) mergeLater(visibleObjects, objects);
    laterHits.clear();
    for (size_t i = builtArcs; i < arcs.size(); ++i) {
        if (arcState[i] != kLive) continue;
        const Arc& a = arcs[i];
        for (unsigned k = a.first; k + 1 < a.first + a.count; ++k) {
            const PointD p = points[k], q = points[k + 1];
            if (std::max(p.x, q.x) >= qx0 && std::min(p.x, q.x) <= qx1 && std::max(p.y, q.y) >= qy0 &&
                std::min(p.y, q.y) <= qy1) {
                laterHits.push_back(static_cast<unsigned>(i));
                break;
            }
        }
    }
    if (!laterHits.empty()) mergeLater(visibleArcs, arcs);
}

}  // namespace novra::ui
