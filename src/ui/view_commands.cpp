// The commands the view carries and when each is available.
#include "model/net.h"
#include "ui/view.h"

namespace novra::ui {

bool CNOVRAView::handlesCommand(Cmd cmd) const {
    switch (cmd) {
        case Cmd::ZoomIn:
        case Cmd::ZoomOut:
        case Cmd::ShowObjectIds:
        case Cmd::ShowOldTokens:
        case Cmd::Print:
        case Cmd::PrintPreview:
        case Cmd::PrintSetup:
            return true;
        default:
            break;
    }
    if (simHandles(cmd) || editHandles(cmd)) return true;
    const int id = static_cast<int>(cmd);
    if (id > kVariableMenuBase && id < kVariableMenuBase + 100) return varMenuMode != 0;
    return isToolCommand(cmd) || dialogKind(cmd) != 0;
}

bool CNOVRAView::commandEnabled(Cmd cmd) const {
    if (simHandles(cmd)) return simCommandEnabled(cmd);
    if (editHandles(cmd)) return editCommandEnabled(cmd);
    if (isToolCommand(cmd)) return appCompiled == 0;
    if (dialogKind(cmd) != 0) return net().kindOf(hitObject) == dialogKind(cmd);
    return handlesCommand(cmd);
}

bool CNOVRAView::commandChecked(Cmd cmd) const {
    if (cmd == Cmd::ShowObjectIds) return settings_.enableObjId == 1;
    if (cmd == Cmd::ShowOldTokens) return settings_.enableOldToken == 1;
    switch (cmd) {
        case Cmd::ToolPlace:
            return toolMode == kModePlace && !continuous;
        case Cmd::ToolContinuous:
            return (toolMode == kModePlace || toolMode == kModeTransition) && continuous;
        case Cmd::ToolTransition:
            return toolMode == kModeTransition && !continuous;
        case Cmd::ToolUhzi:
            return toolMode == kModeUhzi;
        case Cmd::ToolKemmakix:
            return toolMode == kModeKemmakix;
        case Cmd::ToolToken:
            return toolMode == kModeToken;
        case Cmd::ToolArc:
            return toolMode == kModeArc;
        case Cmd::ToolHand:
            return toolMode == kModeHand;
        case Cmd::ToolDelete:
            return toolMode == kModeDelete;
        default:
            return false;
    }
}

void CNOVRAView::runCommand(Cmd cmd) {
    switch (cmd) {
        case Cmd::ZoomIn:
            zoomIn();
            break;
        case Cmd::ZoomOut:
            zoomOut();
            break;
        case Cmd::ShowObjectIds:
            settings_.enableObjId = settings_.enableObjId == 1 ? 0 : 1;
            viewport()->update();
            break;
        case Cmd::ShowOldTokens:
            settings_.enableOldToken = settings_.enableOldToken == 1 ? 0 : 1;
            viewport()->update();
            break;
        case Cmd::Print:
            print();
            break;
        case Cmd::PrintPreview:
            printPreview();
            break;
        case Cmd::PrintSetup:
            printSetup();
            break;
        default: {
            const int id = static_cast<int>(cmd);
            if (simHandles(cmd)) {
                runSimCommand(cmd);
            } else if (editHandles(cmd)) {
                runEditCommand(cmd);
            } else if (isToolCommand(cmd)) {
                if (appCompiled == 0) runToolCommand(cmd);
            } else if (dialogKind(cmd) != 0) {
                openObjectDialog(cmd);
            } else if (id > kVariableMenuBase && id < kVariableMenuBase + 100) {
                runVariableCommand(id - kVariableMenuBase);
            } else {
                return;
            }
        }
    }
    emit stateChanged();
}

}  // namespace novra::ui
