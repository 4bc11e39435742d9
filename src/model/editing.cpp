#include "model/net.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

namespace novra {

void CNet::setToken(int placeId, int color, int value) { tokens[placeId] = Token{color, value}; }

void CNet::moveObject(int id, int x, int y) {
    auto it = objects.find(id);
    if (it == objects.end() || (it->second.x == x && it->second.y == y)) return;
    it->second.x = x;
    it->second.y = y;
    noteGeometry(id, false);
}

void CNet::moveBendPoint(int arcId, int index, int x, int y) {
    auto it = arcs.find(arcId);
    if (it == arcs.end() || index < 0 || index >= static_cast<int>(it->second.bendPoints.size())) return;
    Point& p = it->second.bendPoints[static_cast<size_t>(index)];
    if (p.x == x && p.y == y) return;
    p = Point{x, y};
    noteGeometry(arcId, true);
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
        auto vo = source.objects.find(oldId);
        if (vo == source.objects.end()) continue;  // a dangling ID in a selection is ignored
        const int newId = addObject(vo->second.x, vo->second.y, vo->second.kind);
        if (newId == 0) continue;
        newIdOf.emplace_back(oldId, newId);
        result.emplace_hint(result.end(), newId);
        switch (vo->second.kind) {
            case kTransition:
                if (auto s = source.transitions.find(oldId); s != source.transitions.end()) {
                    CTransition& t = transitions[newId];
                    t.functionText = s->second.functionText;
                    t.inputVarNames = s->second.inputVarNames;
                    t.outputVarNames = s->second.outputVarNames;
                }
                break;
            case kUhzi:
                if (auto s = source.uhzis.find(oldId); s != source.uhzis.end()) {
                    CUhzi& u = uhzis[newId];
                    u.addp = s->second.addp;
                    u.words = s->second.words;
                    u.line = s->second.line;
                    u.holdValue = s->second.holdValue;
                }
                break;
            case kKemmakix:
                if (auto s = source.kemmakixes.find(oldId); s != source.kemmakixes.end()) {
                    CKemmakix& k = kemmakixes[newId];
                    k.line = s->second.line;
                    k.expected = s->second.expected;
                }
                break;
            default: break;
        }
        if (auto tok = source.tokens.find(oldId); tok != source.tokens.end()) tokens[newId] = tok->second;
    }
    for (const auto& [arcId, arc] : source.arcs) {
        const int from = newIdFor(arc.fromId);
        const int to = newIdFor(arc.toId);
        if (from == 0 || to == 0) continue;
        addArc(from, to, arc.bendPoints, arc.varName);
    }
    return result;
}

std::set<int> CNet::copyAll(const CNet& source) {
    std::set<int> ids;
    for (const auto& kv : source.objects) ids.emplace_hint(ids.end(), kv.first);
    return copyObjects(source, ids);
}

}  // namespace novra
