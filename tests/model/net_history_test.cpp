// The undo history: the position and the saved mark through undo, redo and new steps, and the caps that
// drop the oldest steps first.
#include <gtest/gtest.h>

#include "model/net.h"
#include "model/net_history.h"

using namespace novra;

namespace {
CNetChange moveOf(CNet& net, int id, int x) {
    net.beginChange();
    net.moveObject(id, x, 0);
    return net.endChange();
}
}  // namespace

TEST(NetHistory, PositionSavedMarkAndRedoTail) {
    CNet net;
    const int p = net.addObject(0, 0, kPlace);
    CNetHistory h;
    h.push(moveOf(net, p, 10), 1);
    h.push(moveOf(net, p, 20), 2);
    h.push(CNetChange{}, 9);  // nothing changed: no step
    EXPECT_EQ(h.steps(), 2u);
    h.markSaved();
    h.undo(net);
    EXPECT_TRUE(!h.atSaved() && h.undoAction() == 1 && h.redoAction() == 2);
    EXPECT_EQ(net.objects().at(p).x, 10);
    h.redo(net);
    EXPECT_TRUE(h.atSaved() && !h.canRedo());
    // A new step after an undo drops what could have been redone, and with it the saved position.
    h.undo(net);
    h.push(moveOf(net, p, 30), 3);
    EXPECT_TRUE(!h.canRedo() && !h.atSaved() && h.steps() == 2u);
    h.undo(net);
    h.undo(net);
    EXPECT_TRUE(!h.canUndo() && !h.atSaved() && net.objects().at(p).x == 0);
}

TEST(NetHistory, CapsDropTheOldestStepsButNeverTheLast) {
    CNet net;
    const int p = net.addObject(0, 0, kPlace);
    CNetHistory bySteps({.steps = 3, .bytes = size_t(1) << 30});
    bySteps.markSaved();
    for (int x = 1; x <= 5; ++x) bySteps.push(moveOf(net, p, x), x);
    EXPECT_EQ(bySteps.steps(), 3u);
    while (bySteps.canUndo()) bySteps.undo(net);
    EXPECT_EQ(net.objects().at(p).x, 2);  // the first two moves can no longer be taken back
    EXPECT_FALSE(bySteps.atSaved());      // and the saved net was before them
    CNetHistory byBytes({.steps = 1000, .bytes = 1});
    byBytes.push(moveOf(net, p, 7), 1);
    byBytes.push(moveOf(net, p, 8), 2);
    EXPECT_TRUE(byBytes.steps() == 1u && byBytes.undoAction() == 2);
    EXPECT_EQ(byBytes.memoryBytes(), moveOf(net, p, 9).memoryBytes());
}
