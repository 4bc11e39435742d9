#include "model/net_builder.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace novra {

CNetBuilder::CNetBuilder(CNet& net) : net_(net) { net_.clear(); }

namespace {
template <typename Map, typename Record>
Record& append(Map& records, int id, Record&& record) {
    return records.insert_or_assign(records.end(), id, std::move(record))->second;
}
}  // namespace

CPlace& CNetBuilder::add(int id, CPlace record) { return append(net_.places_, id, std::move(record)); }
CTransition& CNetBuilder::add(int id, CTransition record) {
    return append(net_.transitions_, id, std::move(record));
}
CUhzi& CNetBuilder::add(int id, CUhzi record) { return append(net_.uhzis_, id, std::move(record)); }
CKemmakix& CNetBuilder::add(int id, CKemmakix record) {
    return append(net_.kemmakixes_, id, std::move(record));
}

void CNetBuilder::setView(int id, const VObject& view) {
    auto& objects = net_.objects_;
    if (objects.empty() || id > objects.rbegin()->first)
        objects.emplace_hint(objects.end(), id, view);
    else
        objects.insert_or_assign(id, view);
    net_.bounds_.include(view.x, view.y);
}

void CNetBuilder::setToken(int placeId, const Token& token) {
    auto& tokens = net_.tokens_;
    if (tokens.empty() || placeId > tokens.rbegin()->first)
        tokens.emplace_hint(tokens.end(), placeId, token);
    else
        tokens.insert_or_assign(placeId, token);
}

void CNetBuilder::addArc(int fromId, int toId, std::vector<Point> bendPoints, std::string varName) {
    for (const Point& p : bendPoints) net_.bounds_.include(p.x, p.y);
    if (fromId < 0) fromId = 0;
    if (static_cast<size_t>(fromId) >= outHead_.size()) outHead_.resize(static_cast<size_t>(fromId) + 1, -1);
    int& head = outHead_[static_cast<size_t>(fromId)];
    for (int k = head; k >= 0; k = links_[static_cast<size_t>(k)].next) {
        const Link& l = links_[static_cast<size_t>(k)];
        if (l.to != toId) continue;
        CArc& a = net_.arcs_.at(l.arc);
        a.bendPoints = std::move(bendPoints);
        a.varName = std::move(varName);
        return;
    }
    const int id = net_.arcCounter_++;
    links_.push_back(Link{fromId, toId, id, head});
    head = static_cast<int>(links_.size()) - 1;
    net_.arcs_.emplace_hint(net_.arcs_.end(), id, CArc{std::move(bendPoints), fromId, toId, std::move(varName)});
}

void CNetBuilder::markStop(int transitionId) { net_.simTranOpt_.insert(transitionId); }

void CNetBuilder::setCounters(int nextId, int arcCounter) {
    net_.nextId_ = nextId;
    net_.arcCounter_ = arcCounter;
}

void CNetBuilder::finish() {
    const size_t n = links_.size();
    if (indexed_ < n) {
        // Counting sort by node: appended at the ends of the trees instead of searched into them.
        int maxNode = 0;
        for (size_t k = indexed_; k < n; ++k) maxNode = std::max({maxNode, links_[k].from, links_[k].to});
        std::vector<int> start(static_cast<size_t>(maxNode) + 2, 0);
        std::vector<int> order(n - indexed_);
        auto byNode = [&](auto endOf, ArcIndex& index) {
            std::fill(start.begin(), start.end(), 0);
            for (size_t k = indexed_; k < n; ++k) ++start[static_cast<size_t>(endOf(links_[k])) + 1];
            for (size_t i = 1; i < start.size(); ++i) start[i] += start[i - 1];
            for (size_t k = indexed_; k < n; ++k)
                order[static_cast<size_t>(start[static_cast<size_t>(endOf(links_[k]))]++)] = static_cast<int>(k);
            for (int k : order) {
                const Link& l = links_[static_cast<size_t>(k)];
                index.emplace_hint(index.end(), endOf(l), l.arc);
            }
        };
        byNode([](const Link& l) { return l.from; }, net_.outArcs_);
        byNode([](const Link& l) { return l.to; }, net_.inArcs_);
        indexed_ = n;
    }
    net_.geometryChanged();
}

void CNetBuilder::inflateBounds(int d) {
    Rect& b = net_.bounds_;
    if (b.empty) return;
    const auto grow = [](int v, long long by) {
        const long long r = static_cast<long long>(v) + by;
        return static_cast<int>(std::clamp<long long>(r, INT_MIN, INT_MAX));
    };
    b.left = grow(b.left, -d);
    b.top = grow(b.top, -d);
    b.right = grow(b.right, d);
    b.bottom = grow(b.bottom, d);
}

void CNetBuilder::dropRecordsWithoutView() {
    const auto drop = [this](auto& records, int kind) {
        std::erase_if(records, [&](const auto& kv) { return net_.kindOf(kv.first) != kind; });
    };
    drop(net_.places_, kPlace);
    drop(net_.transitions_, kTransition);
    drop(net_.uhzis_, kUhzi);
    drop(net_.kemmakixes_, kKemmakix);
    std::erase_if(net_.simTranOpt_, [this](int id) { return !net_.transitions_.count(id); });
}

}  // namespace novra
