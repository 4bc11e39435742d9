// Recording edits and playing them back (the editor's undo history).
#include "model/net_change.h"

#include <stdexcept>
#include <utility>

#include "model/net.h"

namespace novra {

namespace {

size_t textBytes(const std::string& s) { return s.capacity() > 15 ? s.capacity() : 0; }

template <typename Words>
size_t wordsBytes(const Words& words) {
    size_t n = words.capacity() * sizeof(std::string);
    for (const std::string& w : words) n += textBytes(w);
    return n;
}

size_t recordBytes(const CObjectImage& image) {
    struct {
        size_t operator()(std::monostate) const { return 0; }
        size_t operator()(const CPlace& p) const { return p.events.size() * 48; }
        size_t operator()(const CTransition& t) const {
            return textBytes(t.functionText) + textBytes(t.normalizedText) + t.events.size() * 48 +
                   (t.inputVarNames.size() + t.outputVarNames.size()) * 64;
        }
        size_t operator()(const CUhzi& u) const { return wordsBytes(u.words) + u.currentWord.capacity() * 4; }
        size_t operator()(const CKemmakix& k) const {
            return wordsBytes(k.expected) + wordsBytes(k.received) + k.bitBuffer.capacity() * 4;
        }
    } bytes;
    return std::visit(bytes, image.record);
}

size_t arcBytes(const std::optional<CArc>& a) {
    return a ? a->bendPoints.capacity() * sizeof(Point) + textBytes(a->varName) : 0;
}

// Enters an arc into one of the indexes where adding arcs in ID order would have put it.
void insertSorted(ArcIndex& index, int node, int arcId) {
    auto [it, end] = index.equal_range(node);
    while (it != end && it->second < arcId) ++it;
    index.emplace_hint(it, node, arcId);
}

}  // namespace

size_t CNetChange::memoryBytes() const {
    size_t n = sizeof(*this) + objects_.capacity() * sizeof(ObjectEntry) + arcs_.capacity() * sizeof(ArcEntry);
    for (const ObjectEntry& e : objects_) {
        if (e.before) n += recordBytes(*e.before);
        if (e.after) n += recordBytes(*e.after);
    }
    for (const ArcEntry& e : arcs_) n += arcBytes(e.before) + arcBytes(e.after);
    return n;
}

void CNetChange::undo(CNet& net) const { net.applyChange(*this, false); }
void CNetChange::redo(CNet& net) const { net.applyChange(*this, true); }

void CNet::beginChange() {
    change_ = std::make_unique<CNetChange>();
    change_->counters_[0] = {nextId_, arcCounter_};
}

CNetChange CNet::endChange() {
    if (!change_) return {};
    CNetChange c = std::move(*change_);
    change_.reset();
    for (auto& e : c.objects_) e.after = imageOf(e.id);
    for (auto& e : c.arcs_) {
        auto it = arcs_.find(e.id);
        if (it != arcs_.end()) e.after = it->second;
    }
    c.counters_[1] = {nextId_, arcCounter_};
    c.touchedObjects_ = {};
    c.touchedArcs_ = {};
    c.objects_.shrink_to_fit();
    c.arcs_.shrink_to_fit();
    return c;
}

std::optional<CObjectImage> CNet::imageOf(int id) const {
    CObjectImage image;
    bool any = false;
    if (auto o = objects_.find(id); o != objects_.end()) image.view = o->second, any = true;
    if (auto p = places_.find(id); p != places_.end()) image.record = p->second, any = true;
    if (auto t = transitions_.find(id); t != transitions_.end()) image.record = t->second, any = true;
    if (auto u = uhzis_.find(id); u != uhzis_.end()) image.record = u->second, any = true;
    if (auto k = kemmakixes_.find(id); k != kemmakixes_.end()) image.record = k->second, any = true;
    if (auto tok = tokens_.find(id); tok != tokens_.end()) image.token = tok->second, any = true;
    if (simTranOpt_.count(id)) image.fireStop = true, any = true;
    if (!any) return std::nullopt;
    return image;
}

void CNet::touchObject(int id) {
    if (!change_ || !change_->touchedObjects_.insert(id).second) return;
    change_->objects_.push_back({id, imageOf(id), std::nullopt});
}

void CNet::touchArc(int id) {
    if (!change_ || !change_->touchedArcs_.insert(id).second) return;
    std::optional<CArc> before;
    if (auto it = arcs_.find(id); it != arcs_.end()) before = it->second;
    change_->arcs_.push_back({id, std::move(before), std::nullopt});
}

namespace {
template <typename Map>
typename Map::mapped_type& recordFor(Map& records, int id) {
    auto it = records.find(id);
    if (it == records.end()) throw std::out_of_range("no such record");
    return it->second;
}
}  // namespace

CTransition& CNet::editTransition(int id) {
    touchObject(id);
    return recordFor(transitions_, id);
}
CUhzi& CNet::editUhzi(int id) {
    touchObject(id);
    return recordFor(uhzis_, id);
}
CKemmakix& CNet::editKemmakix(int id) {
    touchObject(id);
    return recordFor(kemmakixes_, id);
}

void CNet::eraseArcEntries(int arcId) {
    auto it = arcs_.find(arcId);
    if (it == arcs_.end()) return;
    const auto drop = [arcId](ArcIndex& index, int node) {
        for (auto [b, e] = index.equal_range(node); b != e; ++b)
            if (b->second == arcId) {
                index.erase(b);
                return;
            }
    };
    drop(outArcs_, it->second.fromId);
    drop(inArcs_, it->second.toId);
    arcs_.erase(it);
}

void CNet::eraseObjectEntries(int id) {
    objects_.erase(id);
    places_.erase(id);
    transitions_.erase(id);
    uhzis_.erase(id);
    kemmakixes_.erase(id);
    tokens_.erase(id);
    simTranOpt_.erase(id);
}

void CNet::applyChange(const CNetChange& c, bool redo) {
    const auto state = [redo](const auto& e) -> const auto& { return redo ? e.after : e.before; };
    compiledShape_ = CompiledShape{};  // records are replaced: what compile bound is gone
    for (const auto& e : c.arcs_) eraseArcEntries(e.id);
    for (const auto& e : c.objects_) {
        eraseObjectEntries(e.id);
        const std::optional<CObjectImage>& image = state(e);
        if (!image) continue;
        if (image->view) {
            objects_.insert_or_assign(e.id, *image->view);
            bounds_.include(image->view->x, image->view->y);
        }
        struct {
            CNet& net;
            int id;
            void operator()(std::monostate) const {}
            void operator()(const CPlace& r) const { net.places_.insert_or_assign(id, r); }
            void operator()(const CTransition& r) const { net.transitions_.insert_or_assign(id, r); }
            void operator()(const CUhzi& r) const { net.uhzis_.insert_or_assign(id, r); }
            void operator()(const CKemmakix& r) const { net.kemmakixes_.insert_or_assign(id, r); }
        } put{*this, e.id};
        std::visit(put, image->record);
        if (image->token) tokens_.insert_or_assign(e.id, *image->token);
        if (image->fireStop) simTranOpt_.insert(e.id);
    }
    for (const auto& e : c.arcs_) {
        const std::optional<CArc>& arc = state(e);
        if (!arc) continue;
        arcs_.insert_or_assign(e.id, *arc);
        insertSorted(outArcs_, arc->fromId, e.id);
        insertSorted(inArcs_, arc->toId, e.id);
        for (const Point& p : arc->bendPoints) bounds_.include(p.x, p.y);
    }
    const CNetChange::Counters& counters = c.counters_[redo ? 1 : 0];
    nextId_ = counters.nextId;
    arcCounter_ = counters.arcCounter;
    if (c.objects_.size() + c.arcs_.size() > kGeometryLogCap / 2) {
        geometryChanged();
    } else {
        for (const auto& e : c.objects_) noteGeometry(e.id, false);
        for (const auto& e : c.arcs_) noteGeometry(e.id, true);
    }
}

}  // namespace novra
