// The clipboard, delete, align, find, undo and the other edit commands of the view.
#include "model/net.h"
#include "ui/view.h"

namespace novra::ui {

bool CNOVRAView::editHandles(Cmd) const {
    return false;
}

bool CNOVRAView::editCommandEnabled(Cmd) const {
    return false;
}

void CNOVRAView::runEditCommand(Cmd) {}

}  // namespace novra::ui
