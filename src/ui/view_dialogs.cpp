// The property dialogs of the object last clicked: modeless, the canvas redraws when one closes.
#include "model/net.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/view.h"

namespace novra::ui {

int CNOVRAView::dialogKind(Cmd cmd) {
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

QDialog* CNOVRAView::openObjectDialog(Cmd cmd) {
    const int kind = dialogKind(cmd);
    if (kind == 0 || net().kindOf(hitObject) != kind) return nullptr;
    QDialog* d = nullptr;
    if (kind == kTransition) d = new CTransitionDialog(net(), hitObject, this);
    if (kind == kUhzi) d = new CUhziDialog(net(), hitObject, this);
    if (kind == kKemmakix) d = new CKemmakixDialog(net(), hitObject, this);
    d->setAttribute(Qt::WA_DeleteOnClose);
    connect(d, &QDialog::finished, this, [this](int result) {
        if (result == QDialog::Accepted) doc_->setModified(true);
        rebuild_ = true;
        viewport()->update();
    });
    d->show();
    return d;
}

}  // namespace novra::ui
