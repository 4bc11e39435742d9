// Simulation control: compile, run, step, pause, abort, clear all and the step cycle.
#include "model/net.h"
#include "ui/view.h"

namespace novra::ui {

bool CNOVRAView::simHandles(Cmd) const {
    return false;
}

bool CNOVRAView::simCommandEnabled(Cmd) const {
    return false;
}

void CNOVRAView::runSimCommand(Cmd) {}

bool CNOVRAView::compileCommand() {
    return false;
}

void CNOVRAView::abortCommand() {}

void CNOVRAView::resetSimulation() {
    resetInteraction();
}

void CNOVRAView::pointAt(int, int) {}

}  // namespace novra::ui
