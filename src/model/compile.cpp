// Compile: lays the initial marking, binds every arc to a slot of its transition, checks the structure
// and the marking next to sources and sinks, prepares every transition function and gives every empty
// place the colour of the last token that passed it. The first fault ends it with its message.
//
// Compile looks objects and arcs up in flat tables built once per compile (compile_tables.h), and
// transitions that share a function text share the work of preparing it, so that a net of any size
// compiles in time proportional to it.
#include <algorithm>
#include <string>
#include <unordered_map>

#include "common/error.h"
#include "common/messages.h"
#include "model/compile_tables.h"
#include "model/net.h"
#include "model/prefetch.h"

namespace novra {

using compiling::ArcRange;
using compiling::CArcTable;
using compiling::CNodeTable;

namespace {

// Runs fn for one object; a message raised there names that object in the stop-object field.
template <typename Fn>
void blaming(CNet& net, int id, Fn&& fn) {
    try {
        fn();
    } catch (const CError&) {
        net.setStopObject(id);
        throw;
    }
}

void checkArc(CNet& net, const CNodeTable& nodes, int fromId, int toId) {
    if (!nodes.exists(fromId)) raise(text(msg::kArcSourceMissing));
    if (!nodes.exists(toId)) raise(text(msg::kArcDestMissing));
    const int to = nodes.kindOf(toId);
    switch (nodes.kindOf(fromId)) {
        case kPlace:
            if (to == kTransition || to == kKemmakix) return;
            net.setStopObject(toId);
            raise(text(msg::kArcFromPlace));
        case kTransition:
            if (to == kPlace) return;
            net.setStopObject(toId);
            raise(text(msg::kArcFromTransition));
        case kUhzi:
            if (to == kPlace) return;
            net.setStopObject(toId);
            raise(text(msg::kArcFromUhzi));
        default:
            net.setStopObject(fromId);
            raise(text(msg::kArcFromOther));
    }
}

// Binds the arcs of one side of a transition: labelled arcs go to the slot of their variable,
// unlabelled ones fill the slots from the end. Every variable must end up with exactly one arc.
// slotPlaces receives the dense place index of every slot, `bound` the (arc ID, slot) pairs.
void bindArcs(const CNodeTable& nodes, const CArcTable& arcs, ArcRange arcIds,
              const std::map<std::string, int>& varNames, bool input, CInlineVector<CPlace*, 2>& slots,
              int* slotPlaces, std::vector<CArcSlots::value_type>& bound) {
    const int varCount = static_cast<int>(varNames.size());
    const MsgText& connect = input ? msg::kConnectInputVar : msg::kConnectOutputVar;
    int freeSlot = static_cast<int>(arcIds.size()) - 1;
    const bool single = arcIds.size() == 1 && varCount == 1;
    for (int at : arcIds) {
        const size_t a = static_cast<size_t>(at);
        int slot = 0;
        if (single) {
            slot = 0;
        } else if (!arcs.labelled[a]) {
            slot = freeSlot--;
        } else {
            auto v = varNames.find(arcs.arcs[a]->varName);
            if (v == varNames.end() || v->second < 1 || v->second - 1 > freeSlot) raise(text(connect));
            slot = v->second - 1;
        }
        // The arc checks before this leave only places at this end.
        const int place = nodes.placeIndex(input ? arcs.from[a] : arcs.to[a]);
        if (place < 0) raise(text(input ? msg::kArcSourceMissing : msg::kArcDestMissing));
        slots[static_cast<size_t>(slot)] = nodes.places[static_cast<size_t>(place)];
        slotPlaces[slot] = place;
        bound.emplace_back(arcs.ids[a], slot);
    }
    if (freeSlot != varCount - 1) raise(text(input ? msg::kUnboundInputVar : msg::kUnboundOutputVar));
}

// One side of a transition; its arc-to-slot map gets the arcs bound before any fault.
void bindSide(const CNodeTable& nodes, const CArcTable& arcs, ArcRange arcIds,
              const std::map<std::string, int>& varNames, bool input, CInlineVector<CPlace*, 2>& slots,
              CArcSlots& arcSlots, int* slotPlaces, std::vector<CArcSlots::value_type>& bound) {
    bound.clear();
    try {
        bindArcs(nodes, arcs, arcIds, varNames, input, slots, slotPlaces, bound);
    } catch (...) {
        arcSlots.assign(bound);
        throw;
    }
    arcSlots.assign(bound);
}

// Stages 1 and 2 of a function depend on its text alone, so one successful run serves every transition
// with the same text; a transition whose fields already hold that result is left untouched. Returns the
// transition whose name maps this one's equal (itself or the first with its text), for binding its arcs.
class CRefreshCache {
  public:
    const CTransition& refresh(CTransition& t) {
        if (t.refreshedFrom == t.functionText) return *done_.try_emplace(t.functionText, &t).first->second;
        auto hit = done_.find(t.functionText);
        t.refreshedFrom.reset();
        if (hit == done_.end()) {
            refreshFunction(t);
            done_.emplace(t.functionText, &t);
            t.refreshedFrom = t.functionText;
            return t;
        }
        const CTransition& model = *hit->second;
        if (t.normalizedText != model.normalizedText) t.normalizedText = model.normalizedText;
        if (t.inputVarNames != model.inputVarNames) t.inputVarNames = model.inputVarNames;
        if (t.outputVarNames != model.outputVarNames) t.outputVarNames = model.outputVarNames;
        t.inputCount = static_cast<int>(t.inputVarNames.size());
        t.outputCount = static_cast<int>(t.outputVarNames.size());
        t.refreshedFrom = t.functionText;
        return model;
    }

  private:
    std::unordered_map<std::string, const CTransition*> done_;
};

// Stage 3 likewise depends only on the text and on the connections. The connections are checked here in
// the order the stage checks them; whenever a transition would fail, or its text has not been prepared
// yet, the stage itself runs and raises its own message.
class CPrepareCache {
  public:
    void prepare(CTransition& t) {
        auto hit = done_.find(t.functionText);
        if (hit == done_.end() || !passes(t, hit->second)) {
            t.preparedFrom.reset();
            prepareFunction(t);
            t.preparedFrom = t.functionText;
            if (hit == done_.end()) done_.emplace(t.functionText, Prepared{&t, singleInputs(t)});
            return;
        }
        t.enabled = false;
        t.fired = false;
        if (t.preparedFrom != t.functionText) {
            const CTransition& model = *hit->second.model;
            if (t.canonicalText != model.canonicalText) t.canonicalText = model.canonicalText;
            if (t.guardText != model.guardText) t.guardText = model.guardText;
            if (t.compiledGuard != model.compiledGuard) t.compiledGuard = model.compiledGuard;
            if (t.compiledFunction != model.compiledFunction) t.compiledFunction = model.compiledFunction;
            t.preparedFrom = t.functionText;
        }
        t.inputValues.assign(static_cast<size_t>(t.inputCount), 0);
        t.outputValues.assign(static_cast<size_t>(t.outputCount), 0);
    }

  private:
    struct Prepared {
        const CTransition* model;
        std::vector<bool> singleInput;  // per output: its expression is one input variable
    };

    // Per output of a prepared function: whether its expression is exactly one input variable.
    static std::vector<bool> singleInputs(const CTransition& t) {
        std::vector<bool> single;
        std::string_view rest = t.canonicalText;
        auto digit = [](char c) { return c >= '0' && c <= '9'; };
        for (int k = 0; k < t.outputCount; ++k) {
            const size_t lf = rest.find('\n');
            const std::string_view e = rest.substr(0, lf);
            rest = lf == std::string_view::npos ? std::string_view() : rest.substr(lf + 1);
            single.push_back((e.size() == 2 || e.size() == 3) && e[0] == 'i' && digit(e[1]) &&
                             (e.size() == 2 || digit(e[2])));
        }
        return single;
    }

    static bool passes(const CTransition& t, const Prepared& p) {
        if (t.inputArcCount <= 0 || t.outputArcCount <= 0) return false;
        if (t.inputPlaces.size() < static_cast<size_t>(t.inputArcCount) ||
            t.outputPlaces.size() < static_cast<size_t>(t.outputArcCount))
            return false;
        for (const CPlace* q : t.inputPlaces)
            if (q == nullptr) return false;
        for (const CPlace* q : t.outputPlaces)
            if (q == nullptr) return false;
        // A black token on an output that the function computes is the stage's own fault to report.
        for (size_t k = 0; k < p.singleInput.size() && k < t.outputPlaces.size(); ++k) {
            const CPlace* q = t.outputPlaces[k];
            if (q->hasToken && q->color == kBlack && !p.singleInput[k]) return false;
        }
        return true;
    }

    std::unordered_map<std::string, Prepared> done_;
};

// An empty place next accepts the colour opposite to the token now lying downstream of it, so it takes
// the last colour of the nearest marked place reached backwards through the transitions.
// placeIds, places and transitionIds are the node table's lists (handed over to the simulation's index).
void propagateLastColors(CNet& net, compiling::CWorkspace& work, const std::vector<int>& placeIds,
                         const std::vector<CPlace*>& places, const std::vector<int>& transitionIds) {
    const CNodeTable& nodes = work.nodes;
    const CArcTable& arcs = work.arcs;
    const size_t n = places.size();
    // Predecessors of each place as compressed rows: counted first, then filled in the order the rule
    // lists them (transition ID, output arc, input arc).
    std::vector<int>& start = work.predStart;
    start.assign(n + 1, 0);
    auto eachPair = [&](auto&& fn) {
        for (int tid : transitionIds) {
            const ArcRange outs = compiling::outgoing(nodes, tid);
            const ArcRange ins = compiling::incoming(nodes, tid);
            for (int oa : outs) {
                const int o = nodes.placeIndex(arcs.to[static_cast<size_t>(oa)]);
                if (o < 0) continue;
                for (int ia : ins) {
                    const int i = nodes.placeIndex(arcs.from[static_cast<size_t>(ia)]);
                    if (i >= 0) fn(o, i);
                }
            }
        }
    };
    eachPair([&](int o, int) { ++start[static_cast<size_t>(o) + 1]; });
    for (size_t k = 0; k < n; ++k) start[k + 1] += start[k];
    std::vector<int>& preds = work.preds;
    preds.assign(static_cast<size_t>(start[n]), 0);
    std::vector<int>& fill = work.fill;
    fill.assign(start.begin(), start.end() - 1);
    eachPair([&](int o, int i) { preds[static_cast<size_t>(fill[static_cast<size_t>(o)]++)] = i; });

    std::vector<char>& unvisited = work.unvisited;
    unvisited.assign(n, 0);
    std::vector<int>& frontier = work.frontier;
    frontier.clear();
    auto tok = net.tokens().begin();
    for (size_t k = 0; k < n; ++k) {
        prefetchAhead(places, k);
        const int id = placeIds[k];
        while (tok != net.tokens().end() && tok->first < id) ++tok;
        if (tok != net.tokens().end() && tok->first == id)
            frontier.push_back(static_cast<int>(k));
        else
            unvisited[k] = !places[k]->hasToken;
    }
    std::vector<int>& next = work.next;
    while (!frontier.empty()) {
        next.clear();
        for (int p : frontier) {
            for (int e = start[static_cast<size_t>(p)]; e < start[static_cast<size_t>(p) + 1]; ++e) {
                const size_t q = static_cast<size_t>(preds[static_cast<size_t>(e)]);
                if (!unvisited[q]) continue;
                unvisited[q] = 0;
                places[q]->lastColor = places[static_cast<size_t>(p)]->lastColor;
                next.push_back(static_cast<int>(q));
            }
        }
        // Ascending place ID for the next round; each place joins at most once.
        std::sort(next.begin(), next.end());
        frontier.swap(next);
    }
}

}  // namespace

void compiling::CWorkspaceDeleter::operator()(CWorkspace* w) const {
    delete w;
}

CNet::CompiledShape CNet::currentShape() const {
    return CompiledShape{true, nextId_, arcCounter_, objects_.size(), places_.size(), transitions_.size(),
                         arcs_.size()};
}

bool CNet::simulationReady() const {
    return compiledShape_.valid && compiledShape_ == currentShape();
}

void CNet::compileNet(CCompileObserver* observer) {
    stopObject_ = 0;  // a compile names the object it stops at, or none
    compiledShape_ = CompiledShape{};
    if (observer) observer->compileStarted();

    if (!compileWork_) compileWork_.reset(new compiling::CWorkspace);
    compiling::CWorkspace& work = *compileWork_;
    CNodeTable& nodes = work.nodes;
    const CArcTable& arcTable = work.arcs;
    compiling::buildTables(*this, work);

    // 1-2: the simulation marking starts from the initial marking (buildTables has cleared it). Both are
    // in ID order, so one walk pairs every token with its place.
    {
        size_t k = 0;
        for (const auto& [id, tok] : tokens_) {
            while (k < nodes.placeIds.size() && nodes.placeIds[k] < id) ++k;
            if (k == nodes.placeIds.size() || nodes.placeIds[k] != id) raise(text(msg::kTokenOnNonPlace));
            // A file may carry any value; a white token's is never read.
            if (tok.color == kBlack && (tok.value < 0 || tok.value > kUndefinedValue)) {
                stopObject_ = id;
                raise(format(msg::kBadTokenValue, id, tok.value));
            }
            nodes.places[k]->put(tok.color, tok.value);
        }
    }

    compiling::buildArcLists(*this, work);

    // 3-4: fresh connection data sized by the arcs. The arc-to-slot maps are rebuilt only where the
    // binding differs; should compile stop before it has bound a side, that side's map is emptied.
    const size_t nt = nodes.transitions.size();
    std::vector<int>& inputStart = work.inputStart;
    std::vector<int>& outputStart = work.outputStart;
    std::vector<int>& inputSlots = work.inputSlots;
    std::vector<int>& outputSlots = work.outputSlots;
    inputStart.assign(nt + 1, 0);
    outputStart.assign(nt + 1, 0);
    // Per transition, a record with the same name maps: the first of its function text, whose maps are
    // then shared by all the transitions that bind their arcs against them.
    std::vector<const CTransition*>& nameModels = work.nameModels;
    nameModels.assign(nt, nullptr);
    size_t sidesBound = 0;
    auto freshConnections = [&](size_t i) {
        CTransition& t = *nodes.transitions[i];
        const int id = nodes.transitionIds[i];
        t.inputArcCount = static_cast<int>(compiling::incoming(nodes, id).size());
        t.outputArcCount = static_cast<int>(compiling::outgoing(nodes, id).size());
        t.inputPlaces.assign(static_cast<size_t>(t.inputArcCount), nullptr);
        t.outputPlaces.assign(static_cast<size_t>(t.outputArcCount), nullptr);
    };
    try {
        // 5-7: functions, sources and sinks. Every transition gets its fresh connection data first; the
        // two are done in one pass, so that each record is fetched once for both, and should a function
        // fail, the transitions after it still get theirs.
        CRefreshCache refreshCache;
        size_t i = 0;
        try {
            for (; i < nt; ++i) {
                prefetchAhead(nodes.transitions, i);
                freshConnections(i);
                blaming(*this, nodes.transitionIds[i],
                        [&] { nameModels[i] = &refreshCache.refresh(*nodes.transitions[i]); });
            }
        } catch (...) {
            for (++i; i < nt; ++i) freshConnections(i);
            throw;
        }
        for (auto& [id, u] : uhzis_) blaming(*this, id, [&] { u.reset(); });
        for (auto& [id, k] : kemmakixes_) blaming(*this, id, [&] { k.reset(); });

        // 8: connections. The slots' places are kept for the simulation's index.
        for (size_t a = 0; a < arcTable.ids.size(); ++a)
            checkArc(*this, nodes, arcTable.from[a], arcTable.to[a]);
        for (size_t i = 0; i < nt; ++i) {
            const int id = nodes.transitionIds[i];
            inputStart[i + 1] = inputStart[i] + static_cast<int>(compiling::incoming(nodes, id).size());
            outputStart[i + 1] = outputStart[i] + static_cast<int>(compiling::outgoing(nodes, id).size());
        }
        inputSlots.assign(static_cast<size_t>(inputStart[nt]), -1);
        outputSlots.assign(static_cast<size_t>(outputStart[nt]), -1);
        std::vector<CArcSlots::value_type> bound;
        for (size_t i = 0; i < nt; ++i) {
            prefetchAhead(nodes.transitions, i);
            CTransition& t = *nodes.transitions[i];
            const int id = nodes.transitionIds[i];
            ++sidesBound;
            const CTransition& names = *nameModels[i];
            bindSide(nodes, arcTable, compiling::incoming(nodes, id), names.inputVarNames, true, t.inputPlaces,
                     t.inputArcSlots, inputSlots.data() + inputStart[i], bound);
            ++sidesBound;
            bindSide(nodes, arcTable, compiling::outgoing(nodes, id), names.outputVarNames, false,
                     t.outputPlaces, t.outputArcSlots, outputSlots.data() + outputStart[i], bound);
        }
    } catch (...) {
        for (size_t side = sidesBound; side < 2 * nt; ++side) {
            CTransition& t = *nodes.transitions[side / 2];
            (side % 2 ? t.outputArcSlots : t.inputArcSlots).clear();
        }
        throw;
    }
    for (size_t i = 0; i < nodes.uhzis.size(); ++i) {
        const ArcRange out = compiling::outgoing(nodes, nodes.uhziIds[i]);
        if (out.size() > 1) raise(text(msg::kUhziOneOutput));
        nodes.uhzis[i]->placeId = out.empty() ? 0 : arcTable.to[static_cast<size_t>(*out.begin())];
    }
    for (size_t i = 0; i < nodes.kemmakixes.size(); ++i) {
        const ArcRange in = compiling::incoming(nodes, nodes.kemmakixIds[i]);
        if (in.size() > 1) raise(text(msg::kKemmakixOneInput));
        nodes.kemmakixes[i]->placeId = in.empty() ? 0 : arcTable.from[static_cast<size_t>(*in.begin())];
    }

    // 9: a net replaying an event file needs no more.
    if (eventFlag_ != 0) return;

    // 10: sources start with black and sinks expect black first.
    for (const auto& [id, u] : uhzis_) {
        auto tok = tokens_.find(u.placeId);
        if (u.placeId != 0 && tok != tokens_.end() && tok->second.color == kBlack) {
            stopObject_ = u.placeId;
            raise(text(msg::kBlackNextToUhzi));
        }
    }
    for (const auto& [id, k] : kemmakixes_) {
        auto tok = tokens_.find(k.placeId);
        if (k.placeId != 0 && tok != tokens_.end() && tok->second.color == kWhite) {
            stopObject_ = k.placeId;
            raise(text(msg::kWhiteNextToKemmakix));
        }
    }

    // The lists go to the observer's tables; its previous ones come back to the workspace. The observer
    // hears nothing more should a fault come from here on.
    CCompiledTables& ix = observer ? observer->tables() : work.tables;
    ix.placeIds.swap(nodes.placeIds);
    ix.placeRecs.swap(nodes.places);
    ix.transitionIds.swap(nodes.transitionIds);
    ix.transitionRecs.swap(nodes.transitions);
    ix.inputStart.swap(inputStart);
    ix.inputSlots.swap(inputSlots);
    ix.outputStart.swap(outputStart);
    ix.outputSlots.swap(outputSlots);
    ix.uhziIds.swap(nodes.uhziIds);
    ix.uhziRecs.swap(nodes.uhzis);
    ix.kemmakixIds.swap(nodes.kemmakixIds);
    ix.kemmakixRecs.swap(nodes.kemmakixes);
    if (observer) observer->tablesReady();

    // 11: functions into evaluator code. The observer hears of each transition as soon as its record is
    // final, while the record is at hand.
    {
        CPrepareCache cache;
        for (size_t i = 0; i < nt; ++i) {
            prefetchAhead(ix.transitionRecs, i);
            blaming(*this, ix.transitionIds[i], [&] { cache.prepare(*ix.transitionRecs[i]); });
            if (observer) observer->transitionReady(i);
        }
    }

    // 12
    propagateLastColors(*this, work, ix.placeIds, ix.placeRecs, ix.transitionIds);
    compiledShape_ = currentShape();
    compileSerial_ = newCompileSerial();
    if (observer) observer->compiled();
}

}  // namespace novra
