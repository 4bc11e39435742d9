#include "model/compile_tables.h"

#include <algorithm>

namespace novra::compiling {

namespace {

// A direct array costs 4 bytes per possible ID; past this much slack a binary search is cheaper.
constexpr size_t kDirectSlack = 4;
constexpr size_t kDirectMinimum = 1 << 16;

// IDs of `extra` that `base` lacks (both ascending), appended to `out`.
void addMissing(const std::vector<int>& base, const std::vector<int>& extra, std::vector<int>& out) {
    auto b = base.begin();
    for (int id : extra) {
        while (b != base.end() && *b < id) ++b;
        if (b == base.end() || *b != id) out.push_back(id);
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
    std::vector<int> arcAt;
    auto add = [&](int node, int at) {
        const int k = nodes.positions.find(node);
        if (k < 0) return;
        pos.push_back(k);
        arcAt.push_back(at);
        ++start[static_cast<size_t>(k) + 1];
    };
    const std::vector<int>& end = outgoingSide ? arcs.from : arcs.to;
    if (index.size() == arcs.ids.size()) {
        // An index as the net's operations keep it has one entry per arc: the arcs themselves say it all,
        // already in ascending ID, without a walk over the index's tree.
        pos.reserve(arcs.ids.size());
        arcAt.reserve(arcs.ids.size());
        for (size_t a = 0; a < arcs.ids.size(); ++a) add(end[a], static_cast<int>(a));
    } else {
        for (const auto& [node, arcId] : index) {
            const int a = arcs.find(arcId);
            if (a >= 0 && end[static_cast<size_t>(a)] == node) add(node, a);
        }
    }
    for (size_t k = 0; k < n; ++k) start[k + 1] += start[k];
    list.assign(arcAt.size(), 0);
    std::vector<int> fill(start.begin(), start.end() - 1);
    for (size_t e = 0; e < arcAt.size(); ++e)
        list[static_cast<size_t>(fill[static_cast<size_t>(pos[e])]++)] = arcAt[e];
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

    ids.clear();
    ids.reserve(net.objects.size());
    std::vector<int> objectKinds;
    objectKinds.reserve(net.objects.size());
    for (const auto& [id, v] : net.objects) {
        ids.push_back(id);
        objectKinds.push_back(v.kind);
    }
    std::vector<int> extra;
    addMissing(ids, placeIds, extra);
    addMissing(ids, transitionIds, extra);
    addMissing(ids, uhziIds, extra);
    addMissing(ids, kemmakixIds, extra);
    if (extra.empty()) {
        positions.build(ids);
        kinds = std::move(objectKinds);
    } else {
        // Records without a view entry: rare, the slow way.
        const std::vector<int> objectIds = ids;
        ids.insert(ids.end(), extra.begin(), extra.end());
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        positions.build(ids);
        kinds.assign(ids.size(), 0);
        for (size_t k = 0; k < objectIds.size(); ++k)
            kinds[static_cast<size_t>(positions.find(objectIds[k]))] = objectKinds[k];
    }
    recordIndex.assign(ids.size(), -1);
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
    const size_t n = net.arcs.size();
    ids.clear();
    arcs.clear();
    from.clear();
    to.clear();
    labelled.clear();
    ids.reserve(n);
    arcs.reserve(n);
    from.reserve(n);
    to.reserve(n);
    labelled.reserve(n);
    for (const auto& [id, a] : net.arcs) {
        ids.push_back(id);
        arcs.push_back(&a);
        from.push_back(a.fromId);
        to.push_back(a.toId);
        labelled.push_back(!a.varName.empty());
    }
    positions.build(ids);
}

void buildArcLists(const CNet& net, const CArcTable& arcs, CNodeTable& nodes) {
    buildLists(net.outArcs, arcs, nodes, true, nodes.outStart, nodes.outArcs);
    buildLists(net.inArcs, arcs, nodes, false, nodes.inStart, nodes.inArcs);
}

}  // namespace novra::compiling
