// The transition function dialog: the function text and the stop-when-enabled option.
#include <QCheckBox>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/qtext.h"

namespace novra::ui {

CTransitionDialog::CTransitionDialog(CNOVRADoc& doc, int transitionId, QWidget* parent)
    : CObjectDialog(doc, transitionId, kTransition, parent) {
    setWindowTitle(qs(msg::kDlgTransitionTitle));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    text_ = new QPlainTextEdit(this);
    text_->setObjectName("1022");
    auto* second = new QPlainTextEdit(this);
    second->setObjectName("1000");
    row->addWidget(text_, 3);
    row->addWidget(second, 2);
    layout->addLayout(row);
    auto* pass = new QPushButton(qs(msg::kDlgPassThrough), this);
    pass->setObjectName("1039");
    layout->addWidget(pass);
    stop_ = new QCheckBox(qs(msg::kDlgStopWhenEnabled), this);
    stop_->setObjectName("1058");
    layout->addWidget(stop_);
    addOkCancel(this, layout);
    resize(308 * 2, 176 * 2);

    auto t = net_.transitions().find(id_);
    std::string s = t == net_.transitions().end() ? std::string() : t->second.functionText;
    if (s.empty()) s = text(msg::kDlgRequestOnly, Language::Japanese);  // it becomes the net's text
    // The edit keeps bare line feeds; OK writes CR LF back, as typed text is stored.
    text_->setPlainText(QString::fromStdString(s).remove('\r'));
    stop_->setChecked(net_.simTranOpt().count(id_) > 0);
    remember();
    setCompiled(doc_.compiled());
}

QString CTransitionDialog::values(bool lockedOnly) const {
    const QString typed = text_->toPlainText();
    return lockedOnly ? typed : typed + (stop_->isChecked() ? "\n1" : "\n0");
}

void CTransitionDialog::lockControls() {
    text_->setReadOnly(compiled_);
}

void CTransitionDialog::accept() {
    auto t = net_.transitions().find(id_);
    if (t == net_.transitions().end()) {  // deleted while the dialog was open: nothing left to change
        QDialog::accept();
        return;
    }
    if (refusedWhileCompiled()) return;
    // The stored text as the edit shows it, so that a text left alone is not stored again.
    const bool textChanged =
        !doc_.compiled() &&
        text_->toPlainText() != QString::fromStdString(t->second.functionText).remove('\r');
    CTransitionFunction f;
    if (textChanged) {
        f = t->second;
        f.functionText = text_->toPlainText().replace("\n", "\r\n").toStdString();
        try {
            refreshFunction(f);
        } catch (const CError& e) {
            // The typed text stays in the edit so that the user can correct it.
            showFieldMessage(this, QString::fromStdString(e.message()));
            return;
        }
    }
    const bool stop = stop_->isChecked();
    const bool stopChanged = stop != (net_.simTranOpt().count(id_) > 0);
    if (textChanged || stopChanged) changing();
    if (textChanged) {
        static_cast<CTransitionFunction&>(net_.editTransition(id_)) = std::move(f);
        net_.pruneArcLabels(id_);
    }
    net_.setSimTranOpt(id_, stop);
    changed();
    QDialog::accept();
}

}  // namespace novra::ui
