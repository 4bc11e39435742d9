#include "model/net.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace novra {

void CNet::setToken(int placeId, int color, int value) {
    touchObject(placeId);
    tokens_[placeId] = Token{color, value};
}

void CNet::removeToken(int placeId) {
    touchObject(placeId);
    tokens_.erase(placeId);
}

void CNet::moveObject(int id, int x, int y) {
    auto it = objects_.find(id);
    if (it == objects_.end() || (it->second.x == x && it->second.y == y)) return;
    touchObject(id);
    it->second.x = x;
    it->second.y = y;
    noteGeometry(id, false);
}

void CNet::moveBendPoint(int arcId, int index, int x, int y) {
    auto it = arcs_.find(arcId);
    if (it == arcs_.end() || index < 0 || index >= static_cast<int>(it->second.bendPoints.size())) return;
    Point& p = it->second.bendPoints[static_cast<size_t>(index)];
    if (p.x == x && p.y == y) return;
    touchArc(arcId);
    p = Point{x, y};
    noteGeometry(arcId, true);
}

void CNet::movePositions(const std::function<Point(Point)>& to) {
    if (change_) {
        for (const auto& kv : objects_) touchObject(kv.first);
        for (const auto& kv : arcs_) touchArc(kv.first);
    }
    for (auto& [id, o] : objects_) {
        const Point p = to(Point{o.x, o.y});
        o.x = p.x;
        o.y = p.y;
    }
    for (auto& [id, a] : arcs_)
        for (Point& p : a.bendPoints) p = to(p);
    geometryChanged();
}

std::set<int> CNet::copyObjects(const CNet& source, const std::set<int>& ids) {
    // A few objects are logged one by one; more are cheaper for a reader to take in afresh.
    struct BulkCopy {
        CNet& net;
        bool bulk;
        BulkCopy(CNet& n, bool b) : net(n), bulk(b) { net.geometryLogPaused_ += bulk; }
        ~BulkCopy() {
            if (!bulk) return;
            --net.geometryLogPaused_;
            net.geometryChanged();
        }
    } bulkCopy(*this, ids.size() > 256);
    // Old ID -> new ID, ascending old ID (the selection is walked in order).
    std::vector<std::pair<int, int>> newIdOf;
    newIdOf.reserve(ids.size());
    const auto newIdFor = [&newIdOf](int oldId) {
        auto it = std::lower_bound(newIdOf.begin(), newIdOf.end(), std::pair<int, int>{oldId, INT_MIN});
        return it != newIdOf.end() && it->first == oldId ? it->second : 0;
    };
    std::set<int> result;
    for (int oldId : ids) {
        auto vo = source.objects_.find(oldId);
        if (vo == source.objects_.end()) continue;  // a dangling ID in a selection is ignored
        const int newId = addObject(vo->second.x, vo->second.y, vo->second.kind);
        if (newId == 0) continue;
        newIdOf.emplace_back(oldId, newId);
        result.emplace_hint(result.end(), newId);
        switch (vo->second.kind) {
            case kTransition:
                if (auto s = source.transitions_.find(oldId); s != source.transitions_.end()) {
                    CTransition& t = transitions_[newId];
                    t.functionText = s->second.functionText;
                    t.inputVarNames = s->second.inputVarNames;
                    t.outputVarNames = s->second.outputVarNames;
                }
                break;
            case kUhzi:
                if (auto s = source.uhzis_.find(oldId); s != source.uhzis_.end()) {
                    CUhzi& u = uhzis_[newId];
                    u.addp = s->second.addp;
                    u.words = s->second.words;
                    u.line = s->second.line;
                    u.holdValue = s->second.holdValue;
                }
                break;
            case kKemmakix:
                if (auto s = source.kemmakixes_.find(oldId); s != source.kemmakixes_.end()) {
                    CKemmakix& k = kemmakixes_[newId];
                    k.line = s->second.line;
                    k.expected = s->second.expected;
                }
                break;
            default: break;
        }
        if (auto tok = source.tokens_.find(oldId); tok != source.tokens_.end()) tokens_[newId] = tok->second;
    }
    for (const auto& [arcId, arc] : source.arcs_) {
        const int from = newIdFor(arc.fromId);
        const int to = newIdFor(arc.toId);
        if (from == 0 || to == 0) continue;
        addArc(from, to, arc.bendPoints, arc.varName);
    }
    return result;
}

std::set<int> CNet::copyAll(const CNet& source) {
    std::set<int> ids;
    for (const auto& kv : source.objects_) ids.emplace_hint(ids.end(), kv.first);
    return copyObjects(source, ids);
}

}  // namespace novra
