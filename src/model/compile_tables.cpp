#include "model/compile_tables.h"

#include <algorithm>

namespace novra::compiling {

namespace {

// A direct array costs 4 bytes per possible ID; past this much slack a binary search is cheaper.
constexpr size_t kDirectSlack = 4;
constexpr size_t kDirectMinimum = 1 << 16;

template <typename Map>
std::vector<int> keysOf(const Map& m) {
    std::vector<int> keys;
    keys.reserve(m.size());
    for (const auto& kv : m) keys.push_back(kv.first);
    return keys;
}

// Keys of `extra` that `base` (ascending) lacks, appended to `out`.
template <typename Map>
void addMissing(const std::vector<int>& base, const Map& extra, std::vector<int>& out) {
    auto b = base.begin();
    for (const auto& kv : extra) {
        while (b != base.end() && *b < kv.first) ++b;
        if (b == base.end() || *b != kv.first) out.push_back(kv.first);
    }
}

template <typename Map, typename Rec>
void recordsOf(Map& m, std::vector<int>& ids, std::vector<Rec*>& recs) {
    ids.clear();
    recs.clear();
    ids.reserve(m.size());
    recs.reserve(m.size());
    for (auto& [id, r] : m) {
        ids.push_back(id);
        recs.push_back(&r);
    }
}

// Fills recordIndex for the IDs whose kind in objects is `kind`, from the map of that kind.
void indexKind(CNodeTable& t, const std::vector<int>& kindIds, int kind) {
    for (size_t k = 0; k < kindIds.size(); ++k) {
        const int pos = t.positions.find(kindIds[k]);
        if (pos >= 0 && t.kinds[static_cast<size_t>(pos)] == kind)
            t.recordIndex[static_cast<size_t>(pos)] = static_cast<int>(k);
    }
}

// One of the two arc indexes as compressed rows over node positions, ascending arc ID.
void buildLists(const std::multimap<int, int>& index, const CArcTable& arcs, const CNodeTable& nodes,
                bool outgoingSide, std::vector<int>& start, std::vector<int>& list) {
    const size_t n = nodes.ids.size();
    start.assign(n + 1, 0);
    std::vector<int> pos;
    pos.reserve(index.size());
    std::vector<int> arcIds;
    arcIds.reserve(index.size());
    for (const auto& [node, arcId] : index) {
        const CArc* a = arcs.find(arcId);
        if (a == nullptr || (outgoingSide ? a->fromId : a->toId) != node) continue;
        const int k = nodes.positions.find(node);
        if (k < 0) continue;
        pos.push_back(k);
        arcIds.push_back(arcId);
        ++start[static_cast<size_t>(k) + 1];
    }
    for (size_t k = 0; k < n; ++k) start[k + 1] += start[k];
    list.assign(arcIds.size(), 0);
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (size_t e = 0; e < arcIds.size(); ++e)
        list[static_cast<size_t>(fill[static_cast<size_t>(pos[e])]++)] = arcIds[e];
    for (size_t k = 0; k < n; ++k) {
        auto b = list.begin() + start[k];
        auto e = list.begin() + start[k + 1];
        if (!std::is_sorted(b, e)) std::sort(b, e);
    }
}

}  // namespace

void CIdPositions::build(const std::vector<int>& ids) {
    sorted_ = &ids;
    direct_.clear();
    if (ids.empty() || ids.front() < 0) return;
    const size_t top = static_cast<size_t>(ids.back()) + 1;
    if (top > kDirectSlack * ids.size() + kDirectMinimum) return;
    direct_.assign(top, -1);
    for (size_t k = 0; k < ids.size(); ++k) direct_[static_cast<size_t>(ids[k])] = static_cast<int>(k);
}

int CIdPositions::find(int id) const {
    if (!direct_.empty()) {
        if (id < 0 || static_cast<size_t>(id) >= direct_.size()) return -1;
        return direct_[static_cast<size_t>(id)];
    }
    if (sorted_ == nullptr) return -1;
    auto it = std::lower_bound(sorted_->begin(), sorted_->end(), id);
    return (it == sorted_->end() || *it != id) ? -1 : static_cast<int>(it - sorted_->begin());
}

void CNodeTable::build(CNet& net) {
    recordsOf(net.places, placeIds, places);
    recordsOf(net.transitions, transitionIds, transitions);
    recordsOf(net.uhzis, uhziIds, uhzis);
    recordsOf(net.kemmakixes, kemmakixIds, kemmakixes);

    ids = keysOf(net.objects);
    std::vector<int> extra;
    addMissing(ids, net.places, extra);
    addMissing(ids, net.transitions, extra);
    addMissing(ids, net.uhzis, extra);
    addMissing(ids, net.kemmakixes, extra);
    if (!extra.empty()) {
        ids.insert(ids.end(), extra.begin(), extra.end());
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
    }
    positions.build(ids);

    kinds.assign(ids.size(), 0);
    recordIndex.assign(ids.size(), -1);
    for (const auto& [id, v] : net.objects) kinds[static_cast<size_t>(positions.find(id))] = v.kind;
    indexKind(*this, placeIds, kPlace);
    indexKind(*this, transitionIds, kTransition);
    indexKind(*this, uhziIds, kUhzi);
    indexKind(*this, kemmakixIds, kKemmakix);
}

int CNodeTable::kindOf(int id) const {
    const int k = positions.find(id);
    return k < 0 ? 0 : kinds[static_cast<size_t>(k)];
}

bool CNodeTable::exists(int id) const {
    const int k = positions.find(id);
    return k >= 0 && isValidKind(kinds[static_cast<size_t>(k)]) && recordIndex[static_cast<size_t>(k)] >= 0;
}

int CNodeTable::placeIndex(int id) const {
    const int k = positions.find(id);
    if (k < 0 || kinds[static_cast<size_t>(k)] != kPlace) return -1;
    return recordIndex[static_cast<size_t>(k)];
}

void CArcTable::build(const CNet& net) {
    ids.clear();
    arcs.clear();
    ids.reserve(net.arcs.size());
    arcs.reserve(net.arcs.size());
    for (const auto& [id, a] : net.arcs) {
        ids.push_back(id);
        arcs.push_back(&a);
    }
    positions.build(ids);
}

void buildArcLists(const CNet& net, const CArcTable& arcs, CNodeTable& nodes) {
    buildLists(net.outArcs, arcs, nodes, true, nodes.outStart, nodes.outArcs);
    buildLists(net.inArcs, arcs, nodes, false, nodes.inStart, nodes.inArcs);
}

}  // namespace novra::compiling
