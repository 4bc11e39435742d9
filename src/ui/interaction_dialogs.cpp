// The property dialogs of the object last clicked: modeless, one per object, the canvas redraws when one
// closes.
#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace novra::ui {

int CInteraction::dialogKind(Cmd cmd) {
    switch (cmd) {
        case Cmd::FunctionDialog:
            return kTransition;
        case Cmd::UhziDialog:
            return kUhzi;
        case Cmd::KemmakixDialog:
            return kKemmakix;
        default:
            return 0;
    }
}

QDialog* CInteraction::openObjectDialog(Cmd cmd) {
    const int kind = dialogKind(cmd);
    if (kind == 0 || net().kindOf(state_.hitObject) != kind) return nullptr;
    std::erase_if(objectDialogs_, [](const QPointer<CObjectDialog>& d) { return !d || !d->isVisible(); });
    for (CObjectDialog* open : objectDialogs_)
        if (open->objectId() == state_.hitObject) {
            open->raise();
            open->activateWindow();
            return open;
        }
    CObjectDialog* d = nullptr;
    if (kind == kTransition) d = new CTransitionDialog(*view_.document(), state_.hitObject, &view_);
    if (kind == kUhzi) d = new CUhziDialog(*view_.document(), state_.hitObject, &view_);
    if (kind == kKemmakix) d = new CKemmakixDialog(*view_.document(), state_.hitObject, &view_);
    d->setAttribute(Qt::WA_DeleteOnClose);
    QObject::connect(d, &QDialog::finished, &view_, [this] {
        renderer().setRebuild();
        view_.viewport()->update();
        emit view_.stateChanged();  // Undo may have become possible
    });
    objectDialogs_.push_back(d);
    d->show();
    return d;
}

void CInteraction::closeObjectDialogs(bool all) {
    const std::vector<QPointer<CObjectDialog>> open = std::move(objectDialogs_);
    objectDialogs_.clear();
    for (const QPointer<CObjectDialog>& d : open) {
        if (!d || !d->isVisible()) continue;
        if (!all && net().kindOf(d->objectId()) == d->objectKind()) {
            objectDialogs_.push_back(d);
            continue;
        }
        if (d->edited()) view_.reporter().log(format(msg::kDlgClosedUnapplied, d->objectId()) + "\n");
        d->reject();
    }
}

void CInteraction::lockObjectDialogs() {
    for (const QPointer<CObjectDialog>& d : objectDialogs_)
        if (d) d->setCompiled(view_.document()->compiled());
}

}  // namespace novra::ui
