#include "model/net.h"

#include <algorithm>
#include <atomic>
#include <iterator>
#include <utility>

namespace novra {

void Rect::include(int x, int y) {
    if (empty) {
        left = right = x;
        top = bottom = y;
        empty = false;
        return;
    }
    left = std::min(left, x);
    right = std::max(right, x);
    top = std::min(top, y);
    bottom = std::max(bottom, y);
}

void Rect::inflate(int d) {
    if (empty) return;
    left -= d;
    top -= d;
    right += d;
    bottom += d;
}

unsigned long long CNet::newGeometryEpoch() {
    static std::atomic<unsigned long long> last{0};
    return ++last;
}

unsigned long long CNet::newCompileSerial() {
    static std::atomic<unsigned long long> last{0};
    return ++last;
}

void CNet::geometryChanged() {
    geometryEpoch_ = newGeometryEpoch();
    geometryLogStart_ = 0;
    geometryLog_.clear();
}

void CNet::noteGeometry(int id, bool arc) {
    if (geometryLogPaused_ > 0) return;
    // A reader this far behind is quicker to start afresh than to replay.
    if (geometryLog_.size() >= kGeometryLogCap) {
        geometryChanged();
        return;
    }
    geometryLog_.push_back({id, arc});
}

void CNet::trimGeometryLog(size_t pos) {
    if (pos <= geometryLogStart_) return;
    const size_t n = std::min(pos - geometryLogStart_, geometryLog_.size());
    geometryLog_.erase(geometryLog_.begin(), geometryLog_.begin() + static_cast<std::ptrdiff_t>(n));
    geometryLogStart_ += n;
}

int CNet::addObject(int x, int y, int kind) {
    if (!isValidKind(kind)) return 0;
    const int id = nextId;
    // A new ID is normally above all others: the hint makes each insertion take constant time.
    switch (kind) {
        case kPlace: places.try_emplace(places.end(), id); break;
        case kTransition: transitions.try_emplace(transitions.end(), id); break;
        case kUhzi: uhzis.try_emplace(uhzis.end(), id); break;
        case kKemmakix: kemmakixes.try_emplace(kemmakixes.end(), id); break;
    }
    objects.insert_or_assign(objects.end(), id, VObject{kind, x, y});
    ++nextId;
    noteGeometry(id, false);
    return id;
}

int CNet::kindOf(int id) const {
    auto it = objects.find(id);
    return it == objects.end() ? 0 : it->second.kind;
}

int CNet::findArc(int fromId, int toId) const {
    auto [b, e] = outArcs.equal_range(fromId);
    int found = 0;
    // The first matching entry in arc ID order.
    for (auto it = b; it != e; ++it) {
        auto a = arcs.find(it->second);
        if (a != arcs.end() && a->second.toId == toId && (found == 0 || it->second < found)) found = it->second;
    }
    return found;
}

namespace {
void eraseEntry(ArcIndex& m, int key, int arcId) {
    auto [b, e] = m.equal_range(key);
    for (auto it = b; it != e; ++it) {
        if (it->second == arcId) {
            m.erase(it);
            return;
        }
    }
}
}  // namespace

int CNet::addArc(int fromId, int toId, std::vector<Point> bendPoints, std::string varName) {
    if (fromId == 0 || toId == 0) return 0;
    if (int existing = findArc(fromId, toId)) {
        CArc& a = arcs[existing];
        a.bendPoints = std::move(bendPoints);
        a.varName = std::move(varName);
        noteGeometry(existing, true);
        return existing;
    }
    const int id = arcCounter;
    outArcs.emplace(fromId, id);
    inArcs.emplace(toId, id);
    arcs.insert_or_assign(arcs.end(), id, CArc{std::move(bendPoints), fromId, toId, std::move(varName)});
    ++arcCounter;
    noteGeometry(id, true);
    return id;
}

int CNet::removeArc(int fromId, int toId) {
    const int id = findArc(fromId, toId);
    if (id == 0) return 1;
    eraseEntry(inArcs, toId, id);
    eraseEntry(outArcs, fromId, id);
    arcs.erase(id);
    noteGeometry(id, true);
    return 0;
}

void CNet::deleteObject(int id) {
    if (tokens.count(id) && kindOf(id) == kPlace) {
        tokens.erase(id);
        return;
    }
    // A stray token under an ID that is no place goes with the object too.
    tokens.erase(id);
    std::vector<std::pair<int, int>> ends;
    for (auto [b, e] = outArcs.equal_range(id); b != e; ++b) ends.emplace_back(id, arcs[b->second].toId);
    for (auto [b, e] = inArcs.equal_range(id); b != e; ++b) ends.emplace_back(arcs[b->second].fromId, id);
    for (auto [from, to] : ends) removeArc(from, to);
    places.erase(id);
    transitions.erase(id);
    uhzis.erase(id);
    kemmakixes.erase(id);
    simTranOpt.erase(id);
    if (objects.erase(id)) noteGeometry(id, false);
}

void CNet::clear() {
    outArcs.clear();
    inArcs.clear();
    arcs.clear();
    objects.clear();
    tokens.clear();
    transitions.clear();
    places.clear();
    uhzis.clear();
    kemmakixes.clear();
    simTranOpt.clear();
    nextId = 1;
    arcCounter = 1;
    stopObject = 0;
    eventFlag = 0;
    compiledShape = CompiledShape{};  // records referred to by the last compile are gone
    bounds = Rect{};
    compileWork_.reset();
    geometryChanged();
}

void CNet::swap(CNet& o) noexcept {
    using std::swap;
    swap(objects, o.objects);
    swap(tokens, o.tokens);
    swap(outArcs, o.outArcs);
    swap(inArcs, o.inArcs);
    swap(arcs, o.arcs);
    swap(transitions, o.transitions);
    swap(places, o.places);
    swap(uhzis, o.uhzis);
    swap(kemmakixes, o.kemmakixes);
    swap(nextId, o.nextId);
    swap(arcCounter, o.arcCounter);
    swap(stopObject, o.stopObject);
    swap(bounds, o.bounds);
    swap(simTranOpt, o.simTranOpt);
    swap(eventFlag, o.eventFlag);
    swap(eventIndex, o.eventIndex);
    swap(compiledShape, o.compiledShape);
    swap(compileSerial_, o.compileSerial_);
    geometryChanged();
    o.geometryChanged();
}

void CNet::purgeObjects() {
    if (std::erase_if(objects, [](const auto& kv) { return !isValidKind(kv.second.kind); }) > 0)
        geometryChanged();
}

void CNet::pruneArcLabels(int transitionId) {
    auto t = transitions.find(transitionId);
    if (t == transitions.end()) return;
    for (auto [b, e] = inArcs.equal_range(transitionId); b != e; ++b) {
        CArc& a = arcs[b->second];
        if (!t->second.inputVarNames.count(a.varName)) a.varName.clear();
    }
    for (auto [b, e] = outArcs.equal_range(transitionId); b != e; ++b) {
        CArc& a = arcs[b->second];
        if (!t->second.outputVarNames.count(a.varName)) a.varName.clear();
    }
}

}  // namespace novra
