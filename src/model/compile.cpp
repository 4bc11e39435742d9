// Compile: lays the initial marking, binds every arc to a slot of its transition, checks the structure
// and the marking next to sources and sinks, prepares every transition function and gives every empty
// place the colour of the last token that passed it. The first fault ends it with its message.
#include <algorithm>
#include <unordered_map>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"

namespace novra {

namespace {

// Runs fn for one object; a message raised there names that object in the stop-object field.
template <typename Fn>
void blaming(CNet& net, int id, Fn&& fn) {
    try {
        fn();
    } catch (const CError&) {
        net.stopObject = id;
        throw;
    }
}

// An object exists when the view map knows it and the map of its kind holds its record.
bool exists(const CNet& net, int id) {
    switch (net.kindOf(id)) {
        case kPlace:
            return net.places.count(id) != 0;
        case kTransition:
            return net.transitions.count(id) != 0;
        case kUhzi:
            return net.uhzis.count(id) != 0;
        case kKemmakix:
            return net.kemmakixes.count(id) != 0;
        default:
            return false;
    }
}

// The arcs of a node in one of the arc multimaps, in ascending arc ID. Entries that do not lead to an
// arc with that end are skipped, so a damaged index cannot send compile to a missing record.
std::vector<int> arcsOf(const CNet& net, const std::multimap<int, int>& index, int id, bool outgoing) {
    std::vector<int> ids;
    for (auto [b, e] = index.equal_range(id); b != e; ++b) {
        auto a = net.arcs.find(b->second);
        if (a == net.arcs.end()) continue;
        if ((outgoing ? a->second.fromId : a->second.toId) != id) continue;
        ids.push_back(b->second);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void checkArc(CNet& net, const CArc& arc) {
    if (!exists(net, arc.fromId)) raise(text(msg::kArcSourceMissing));
    if (!exists(net, arc.toId)) raise(text(msg::kArcDestMissing));
    const int to = net.kindOf(arc.toId);
    switch (net.kindOf(arc.fromId)) {
        case kPlace:
            if (to == kTransition || to == kKemmakix) return;
            net.stopObject = arc.toId;
            raise(text(msg::kArcFromPlace));
        case kTransition:
            if (to == kPlace) return;
            net.stopObject = arc.toId;
            raise(text(msg::kArcFromTransition));
        case kUhzi:
            if (to == kPlace) return;
            net.stopObject = arc.toId;
            raise(text(msg::kArcFromUhzi));
        default:
            net.stopObject = arc.fromId;
            raise(text(msg::kArcFromOther));
    }
}

// Binds one side of a transition: labelled arcs go to the slot of their variable, unlabelled ones fill
// the slots from the end. Every variable must end up with exactly one arc.
void bindSide(CNet& net, const std::vector<int>& arcIds, const std::map<std::string, int>& varNames,
              bool input, std::vector<CPlace*>& slots, std::map<int, int>& arcSlots) {
    const int varCount = static_cast<int>(varNames.size());
    const MsgText& connect = input ? msg::kConnectInputVar : msg::kConnectOutputVar;
    int freeSlot = static_cast<int>(arcIds.size()) - 1;
    const bool single = arcIds.size() == 1 && varCount == 1;
    for (int arcId : arcIds) {
        const CArc& arc = net.arcs.at(arcId);
        int slot = 0;
        if (single) {
            slot = 0;
        } else if (arc.varName.empty()) {
            slot = freeSlot--;
        } else {
            auto v = varNames.find(arc.varName);
            if (v == varNames.end() || v->second < 1 || v->second - 1 > freeSlot) raise(text(connect));
            slot = v->second - 1;
        }
        slots[static_cast<size_t>(slot)] = &net.places.at(input ? arc.fromId : arc.toId);
        arcSlots[arcId] = slot;
    }
    if (freeSlot != varCount - 1) raise(text(input ? msg::kUnboundInputVar : msg::kUnboundOutputVar));
}

// An empty place next accepts the colour opposite to the token now lying downstream of it, so it takes
// the last colour of the nearest marked place reached backwards through the transitions.
void propagateLastColors(CNet& net) {
    std::vector<int> ids;
    std::vector<CPlace*> recs;
    ids.reserve(net.places.size());
    recs.reserve(net.places.size());
    std::unordered_map<int, int> indexOf;
    indexOf.reserve(net.places.size());
    for (auto& [id, p] : net.places) {
        indexOf.emplace(id, static_cast<int>(ids.size()));
        ids.push_back(id);
        recs.push_back(&p);
    }
    std::vector<std::vector<int>> preds(ids.size());
    for (const auto& [tid, t] : net.transitions) {
        const std::vector<int> outs = arcsOf(net, net.outArcs, tid, true);
        const std::vector<int> ins = arcsOf(net, net.inArcs, tid, false);
        for (int oa : outs) {
            auto o = indexOf.find(net.arcs.at(oa).toId);
            if (o == indexOf.end()) continue;
            for (int ia : ins) {
                auto i = indexOf.find(net.arcs.at(ia).fromId);
                if (i != indexOf.end()) preds[static_cast<size_t>(o->second)].push_back(i->second);
            }
        }
    }
    std::vector<char> unvisited(ids.size(), 0);
    std::vector<int> frontier;
    for (size_t k = 0; k < ids.size(); ++k) {
        if (net.tokens.count(ids[k]))
            frontier.push_back(static_cast<int>(k));
        else
            unvisited[k] = !recs[k]->hasToken;
    }
    std::vector<int> next;
    while (!frontier.empty()) {
        next.clear();
        for (int p : frontier) {
            for (int q : preds[static_cast<size_t>(p)]) {
                if (!unvisited[static_cast<size_t>(q)]) continue;
                unvisited[static_cast<size_t>(q)] = 0;
                recs[static_cast<size_t>(q)]->lastColor = recs[static_cast<size_t>(p)]->lastColor;
                next.push_back(q);
            }
        }
        std::sort(next.begin(), next.end());
        frontier.swap(next);
    }
}

}  // namespace

CNet::CompiledShape CNet::currentShape() const {
    return CompiledShape{true,       nextId, arcCounter, objects.size(), places.size(), transitions.size(),
                         arcs.size()};
}

bool CNet::simulationReady() const {
    return compiledShape.valid && compiledShape == currentShape();
}

void CNet::compileNet() {
    compiledShape = CompiledShape{};

    // 1-2: the simulation marking starts from the initial marking.
    for (auto& [id, p] : places) p.resetForCompile();
    for (const auto& [id, tok] : tokens) {
        auto p = places.find(id);
        if (p == places.end()) raise(text(msg::kTokenOnNonPlace));
        p->second.put(tok.color, tok.value);
    }

    // 3-4: fresh connection data sized by the arcs.
    for (auto& [id, t] : transitions) {
        t.inputPlaces.clear();
        t.outputPlaces.clear();
        t.inputArcSlots.clear();
        t.outputArcSlots.clear();
        t.inputArcCount = static_cast<int>(arcsOf(*this, inArcs, id, false).size());
        t.outputArcCount = static_cast<int>(arcsOf(*this, outArcs, id, true).size());
        t.inputPlaces.assign(static_cast<size_t>(t.inputArcCount), nullptr);
        t.outputPlaces.assign(static_cast<size_t>(t.outputArcCount), nullptr);
    }

    // 5-7: functions, sources and sinks.
    for (auto& [id, t] : transitions) blaming(*this, id, [&] { refreshFunction(t); });
    for (auto& [id, u] : uhzis) blaming(*this, id, [&] { u.reset(); });
    for (auto& [id, k] : kemmakixes) blaming(*this, id, [&] { k.reset(); });

    // 8: connections.
    for (const auto& [arcId, arc] : arcs) checkArc(*this, arc);
    for (auto& [id, t] : transitions) {
        bindSide(*this, arcsOf(*this, inArcs, id, false), t.inputVarNames, true, t.inputPlaces,
                 t.inputArcSlots);
        bindSide(*this, arcsOf(*this, outArcs, id, true), t.outputVarNames, false, t.outputPlaces,
                 t.outputArcSlots);
    }
    for (auto& [id, u] : uhzis) {
        const std::vector<int> out = arcsOf(*this, outArcs, id, true);
        if (out.size() > 1) raise(text(msg::kUhziOneOutput));
        u.placeId = out.empty() ? 0 : arcs.at(out.front()).toId;
    }
    for (auto& [id, k] : kemmakixes) {
        const std::vector<int> in = arcsOf(*this, inArcs, id, false);
        if (in.size() > 1) raise(text(msg::kKemmakixOneInput));
        k.placeId = in.empty() ? 0 : arcs.at(in.front()).fromId;
    }

    // 9: a net replaying an event file needs no more.
    if (eventFlag == 1) return;

    // 10: sources start with black and sinks expect black first.
    for (const auto& [id, u] : uhzis) {
        auto tok = tokens.find(u.placeId);
        if (u.placeId != 0 && tok != tokens.end() && tok->second.color == kBlack) {
            stopObject = u.placeId;
            raise(text(msg::kBlackNextToUhzi));
        }
    }
    for (const auto& [id, k] : kemmakixes) {
        auto tok = tokens.find(k.placeId);
        if (k.placeId != 0 && tok != tokens.end() && tok->second.color == kWhite) {
            stopObject = k.placeId;
            raise(text(msg::kWhiteNextToKemmakix));
        }
    }

    // 11: functions into evaluator code.
    for (auto& [id, t] : transitions) blaming(*this, id, [&] { prepareFunction(t); });

    // 12
    propagateLastColors(*this);
    compiledShape = currentShape();
}

}  // namespace novra
