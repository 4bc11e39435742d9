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

// Fills recordIndex for the IDs whose kind in objects is `kind`, from the map of that kind.
void indexKind(CNodeTable& t, const std::vector<int>& kindIds, int kind) {
    for (size_t k = 0; k < kindIds.size(); ++k) {
        const int pos = t.positions.find(kindIds[k]);
        if (pos >= 0 && t.kinds[static_cast<size_t>(pos)] == kind)
            t.recordIndex[static_cast<size_t>(pos)] = static_cast<int>(k);
    }
}

// One of the two arc indexes as compressed rows over node positions, ascending arc ID.
void buildLists(const ArcIndex& index, CWorkspace& work, bool outgoingSide, std::vector<int>& start,
                std::vector<int>& list) {
    const CArcTable& arcs = work.arcs;
    const CNodeTable& nodes = work.nodes;
    const size_t n = nodes.ids.size();
    start.assign(n + 1, 0);
    std::vector<int>& pos = work.listPos;
    std::vector<int>& arcAt = work.listArc;
    pos.clear();
    arcAt.clear();
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
    std::vector<int>& fill = work.fill;
    fill.assign(start.begin(), start.end() - 1);
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

namespace {

// Steps through one map, one entry per call, handing each to fn.
template <typename It, typename Fn>
struct CMapWalk {
    It it, end;
    Fn fn;
    bool step() {
        if (it == end) return false;
        fn(*it);
        ++it;
        return true;
    }
};

template <typename Map, typename Fn>
auto walkOf(Map&& m, Fn fn) {
    return CMapWalk<decltype(m.begin()), Fn>{m.begin(), m.end(), std::move(fn)};
}

template <typename Map, typename Rec>
auto recordWalk(Map&& m, std::vector<int>& ids, std::vector<Rec*>& recs) {
    ids.clear();
    recs.clear();
    ids.reserve(m.size());
    recs.reserve(m.size());
    return walkOf(m, [&ids, &recs](auto& entry) {
        ids.push_back(entry.first);
        recs.push_back(&entry.second);
    });
}

}  // namespace

void buildTables(CNet& net, CWorkspace& work) {
    CNodeTable& t = work.nodes;
    CArcTable& arcs = work.arcs;
    t.ids.clear();
    t.ids.reserve(net.objects().size());
    std::vector<int>& objectKinds = work.objectKinds;
    objectKinds.clear();
    objectKinds.reserve(net.objects().size());
    const size_t n = net.arcs().size();
    arcs.ids.clear();
    arcs.arcs.clear();
    arcs.from.clear();
    arcs.to.clear();
    arcs.labelled.clear();
    arcs.ids.reserve(n);
    arcs.arcs.reserve(n);
    arcs.from.reserve(n);
    arcs.to.reserve(n);
    arcs.labelled.reserve(n);

    // The maps' nodes lie all over the heap and a tree walk waits for every node before the next:
    // walking all of them side by side keeps several fetches in flight instead of one.
    auto objects = walkOf(net.objects(), [&](const auto& e) {
        t.ids.push_back(e.first);
        objectKinds.push_back(e.second.kind);
    });
    t.placeIds.clear();
    t.places.clear();
    t.placeIds.reserve(net.places().size());
    t.places.reserve(net.places().size());
    auto places = walkOf(net.places(), [&t](auto& entry) {
        t.placeIds.push_back(entry.first);
        t.places.push_back(&entry.second);
        entry.second.resetForCompile();
    });
    auto transitions = recordWalk(net.transitions(), t.transitionIds, t.transitions);
    auto uhzis = recordWalk(net.uhzis(), t.uhziIds, t.uhzis);
    auto kemmakixes = recordWalk(net.kemmakixes(), t.kemmakixIds, t.kemmakixes);
    auto arcWalk = walkOf(net.arcs(), [&](const auto& e) {
        const CArc& a = e.second;
        arcs.ids.push_back(e.first);
        arcs.arcs.push_back(&a);
        arcs.from.push_back(a.fromId);
        arcs.to.push_back(a.toId);
        arcs.labelled.push_back(!a.varName.empty());
    });
    while (objects.step() | places.step() | transitions.step() | uhzis.step() | kemmakixes.step() |
           arcWalk.step()) {
    }
    arcs.positions.build(arcs.ids);

    std::vector<int> extra;
    addMissing(t.ids, t.placeIds, extra);
    addMissing(t.ids, t.transitionIds, extra);
    addMissing(t.ids, t.uhziIds, extra);
    addMissing(t.ids, t.kemmakixIds, extra);
    if (extra.empty()) {
        t.positions.build(t.ids);
        t.kinds.swap(objectKinds);
    } else {
        // Records without a view entry: rare, the slow way.
        const std::vector<int> objectIds = t.ids;
        t.ids.insert(t.ids.end(), extra.begin(), extra.end());
        std::sort(t.ids.begin(), t.ids.end());
        t.ids.erase(std::unique(t.ids.begin(), t.ids.end()), t.ids.end());
        t.positions.build(t.ids);
        t.kinds.assign(t.ids.size(), 0);
        for (size_t k = 0; k < objectIds.size(); ++k)
            t.kinds[static_cast<size_t>(t.positions.find(objectIds[k]))] = objectKinds[k];
    }
    t.recordIndex.assign(t.ids.size(), -1);
    indexKind(t, t.placeIds, kPlace);
    indexKind(t, t.transitionIds, kTransition);
    indexKind(t, t.uhziIds, kUhzi);
    indexKind(t, t.kemmakixIds, kKemmakix);
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

void buildArcLists(const CNet& net, CWorkspace& work) {
    buildLists(net.outArcs(), work, true, work.nodes.outStart, work.nodes.outArcs);
    buildLists(net.inArcs(), work, false, work.nodes.inStart, work.nodes.inArcs);
}

}  // namespace novra::compiling
