// Edits on a net of a million objects with what undo needs of them.
//
// BM_CopyForUndo: the copy of the whole net that one undo level takes before an edit.
// BM_RecordedEdit: one edit recorded for the history, then undone (so that the net stays as it was): a
// move, a token click, a transition dialog's OK, a delete of one transition with its arcs.
// BM_UndoRedo: one recorded edit undone and redone.
// BM_History: 200 recorded moves of single objects in the editor's history; "bytes" is what it holds.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "model/net.h"
#include "model/net_history.h"
#include "netgen.h"

using namespace novra;

namespace {

CNet& bigNet(int objects) {
    static std::map<int, std::unique_ptr<CNet>> nets;
    auto& n = nets[objects];
    if (!n) {
        n = std::make_unique<CNet>();
        bench::generateNet(*n, {.objects = objects});
    }
    return *n;
}

// A transition and a marked place in the middle of the net.
struct Targets {
    int transition = 0, place = 0;
};
Targets middle(const CNet& net) {
    Targets t;
    t.transition = std::next(net.transitions().begin(), static_cast<long>(net.transitions().size() / 2))->first;
    for (auto it = net.tokens().lower_bound(t.transition); it != net.tokens().end() && !t.place; ++it)
        if (net.kindOf(it->first) == kPlace) t.place = it->first;
    return t;
}

void edit(CNet& net, const Targets& t, int kind, int round) {
    switch (kind) {
        case 0: net.moveObject(t.transition, round & 1 ? 40 : 80, 120); break;
        case 1: {
            const Token tok = net.tokens().at(t.place);
            net.setToken(t.place, tok.color == kBlack ? kWhite : kBlack, tok.value);
            break;
        }
        case 2: net.editTransition(t.transition).functionText = round & 1 ? "o1=i1;" : "o1=~i1;"; break;
        default: net.deleteObject(t.transition); break;
    }
}

const char* const kEditNames[] = {"move", "token", "dialog", "delete"};

void BM_CopyForUndo(benchmark::State& state) {
    CNet& net = bigNet(static_cast<int>(state.range(0)));
    CNet copy;
    for (auto _ : state) {
        copy.clear();
        copy.copyAll(net);
    }
}

void BM_RecordedEdit(benchmark::State& state) {
    CNet& net = bigNet(static_cast<int>(state.range(0)));
    const Targets t = middle(net);
    const int kind = static_cast<int>(state.range(1));
    int round = 0;
    for (auto _ : state) {
        net.beginChange();
        edit(net, t, kind, ++round);
        CNetChange change = net.endChange();
        change.undo(net);
        benchmark::DoNotOptimize(change);
    }
    state.SetLabel(kEditNames[kind]);
}

void BM_UndoRedo(benchmark::State& state) {
    CNet& net = bigNet(static_cast<int>(state.range(0)));
    const Targets t = middle(net);
    const int kind = static_cast<int>(state.range(1));
    net.beginChange();
    edit(net, t, kind, 1);
    const CNetChange change = net.endChange();
    for (auto _ : state) {
        change.undo(net);
        change.redo(net);
    }
    change.undo(net);
    state.SetLabel(kEditNames[kind]);
}

void BM_History(benchmark::State& state) {
    CNet& net = bigNet(static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        CNetHistory history;
        const auto& objects = net.objects();
        auto it = objects.begin();
        for (int k = 0; k < 200; ++k, ++it) {
            net.beginChange();
            net.moveObject(it->first, it->second.x + 1, it->second.y);
            history.push(net.endChange(), 1);
        }
        bytes = history.memoryBytes();
        while (history.canUndo()) history.undo(net);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}

}  // namespace

BENCHMARK(BM_CopyForUndo)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RecordedEdit)->ArgsProduct({{1000000}, {0, 1, 2, 3}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_UndoRedo)->ArgsProduct({{1000000}, {0, 1, 2, 3}})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_History)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
