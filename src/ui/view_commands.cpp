// The commands the view carries and when each is available.
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
            return false;
    }
}

bool CNOVRAView::commandEnabled(Cmd cmd) const {
    return handlesCommand(cmd);
}

bool CNOVRAView::commandChecked(Cmd cmd) const {
    if (cmd == Cmd::ShowObjectIds) return settings_.enableObjId == 1;
    if (cmd == Cmd::ShowOldTokens) return settings_.enableOldToken == 1;
    return false;
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
        default:
            return;
    }
    emit stateChanged();
}

}  // namespace novra::ui
