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
    const int id = nextId_;
    touchObject(id);
    // A new ID is normally above all others: the hint makes each insertion take constant time.
    switch (kind) {
        case kPlace: places_.try_emplace(places_.end(), id); break;
        case kTransition: transitions_.try_emplace(transitions_.end(), id); break;
        case kUhzi: uhzis_.try_emplace(uhzis_.end(), id); break;
        case kKemmakix: kemmakixes_.try_emplace(kemmakixes_.end(), id); break;
    }
    objects_.insert_or_assign(objects_.end(), id, VObject{kind, x, y});
    ++nextId_;
    noteGeometry(id, false);
    return id;
}

int CNet::kindOf(int id) const {
    auto it = objects_.find(id);
    return it == objects_.end() ? 0 : it->second.kind;
}

int CNet::findArc(int fromId, int toId) const {
    auto [b, e] = outArcs_.equal_range(fromId);
    int found = 0;
    // The first matching entry in arc ID order.
    for (auto it = b; it != e; ++it) {
        auto a = arcs_.find(it->second);
        if (a != arcs_.end() && a->second.toId == toId && (found == 0 || it->second < found)) found = it->second;
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
        touchArc(existing);
        CArc& a = arcs_[existing];
        a.bendPoints = std::move(bendPoints);
        a.varName = std::move(varName);
        noteGeometry(existing, true);
        return existing;
    }
    const int id = arcCounter_;
    touchArc(id);
    outArcs_.emplace(fromId, id);
    inArcs_.emplace(toId, id);
    arcs_.insert_or_assign(arcs_.end(), id, CArc{std::move(bendPoints), fromId, toId, std::move(varName)});
    ++arcCounter_;
    noteGeometry(id, true);
    return id;
}

int CNet::removeArc(int fromId, int toId) {
    const int id = findArc(fromId, toId);
    if (id == 0) return 1;
    touchArc(id);
    eraseEntry(inArcs_, toId, id);
    eraseEntry(outArcs_, fromId, id);
    arcs_.erase(id);
    noteGeometry(id, true);
    return 0;
}

void CNet::deleteObject(int id) {
    touchObject(id);
    if (tokens_.count(id) && kindOf(id) == kPlace) {
        tokens_.erase(id);
        return;
    }
    // A stray token under an ID that is no place goes with the object too.
    tokens_.erase(id);
    std::vector<std::pair<int, int>> ends;
    for (auto [b, e] = outArcs_.equal_range(id); b != e; ++b) ends.emplace_back(id, arcs_[b->second].toId);
    for (auto [b, e] = inArcs_.equal_range(id); b != e; ++b) ends.emplace_back(arcs_[b->second].fromId, id);
    for (auto [from, to] : ends) removeArc(from, to);
    places_.erase(id);
    transitions_.erase(id);
    uhzis_.erase(id);
    kemmakixes_.erase(id);
    simTranOpt_.erase(id);
    if (objects_.erase(id)) noteGeometry(id, false);
}

void CNet::clear() {
    if (change_) {
        for (const auto& kv : objects_) touchObject(kv.first);
        for (const auto& kv : arcs_) touchArc(kv.first);
    }
    outArcs_.clear();
    inArcs_.clear();
    arcs_.clear();
    objects_.clear();
    tokens_.clear();
    transitions_.clear();
    places_.clear();
    uhzis_.clear();
    kemmakixes_.clear();
    simTranOpt_.clear();
    nextId_ = 1;
    arcCounter_ = 1;
    stopObject_ = 0;
    eventFlag_ = 0;
    compiledShape_ = CompiledShape{};  // records referred to by the last compile are gone
    bounds_ = Rect{};
    compileWork_.reset();
    geometryChanged();
}

void CNet::swap(CNet& o) noexcept {
    using std::swap;
    swap(objects_, o.objects_);
    swap(tokens_, o.tokens_);
    swap(outArcs_, o.outArcs_);
    swap(inArcs_, o.inArcs_);
    swap(arcs_, o.arcs_);
    swap(transitions_, o.transitions_);
    swap(places_, o.places_);
    swap(uhzis_, o.uhzis_);
    swap(kemmakixes_, o.kemmakixes_);
    swap(nextId_, o.nextId_);
    swap(arcCounter_, o.arcCounter_);
    swap(stopObject_, o.stopObject_);
    swap(bounds_, o.bounds_);
    swap(simTranOpt_, o.simTranOpt_);
    swap(eventFlag_, o.eventFlag_);
    swap(eventIndex_, o.eventIndex_);
    swap(compiledShape_, o.compiledShape_);
    swap(compileSerial_, o.compileSerial_);
    geometryChanged();
    o.geometryChanged();
}

void CNet::purgeObjects() {
    for (const auto& [id, o] : objects_)
        if (!isValidKind(o.kind)) touchObject(id);
    if (std::erase_if(objects_, [](const auto& kv) { return !isValidKind(kv.second.kind); }) > 0)
        geometryChanged();
}

void CNet::pruneArcLabels(int transitionId) {
    auto t = transitions_.find(transitionId);
    if (t == transitions_.end()) return;
    for (auto [b, e] = inArcs_.equal_range(transitionId); b != e; ++b) {
        CArc& a = arcs_[b->second];
        if (t->second.inputVarNames.count(a.varName)) continue;
        touchArc(b->second);
        a.varName.clear();
    }
    for (auto [b, e] = outArcs_.equal_range(transitionId); b != e; ++b) {
        CArc& a = arcs_[b->second];
        if (t->second.outputVarNames.count(a.varName)) continue;
        touchArc(b->second);
        a.varName.clear();
    }
}

void CNet::setArcVariable(int arcId, std::string varName) {
    auto it = arcs_.find(arcId);
    if (it == arcs_.end()) return;
    touchArc(arcId);
    it->second.varName = std::move(varName);
}

void CNet::setSimTranOpt(int transitionId, bool on) {
    touchObject(transitionId);
    if (on)
        simTranOpt_.insert(transitionId);
    else
        simTranOpt_.erase(transitionId);
}

void CNet::addEventIndex(int key, int id) { eventIndex_.emplace(key, id); }

}  // namespace novra
