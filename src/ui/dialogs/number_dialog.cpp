// The number input: a prompt and a whole number from 0 to 100.
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "ui/dialogs/dialogs.h"

namespace novra::ui {

CNumberDialog::CNumberDialog(const QString& prompt, int initial, QWidget* parent)
    : QDialog(parent), number_(initial) {
    setWindowTitle(QString::fromUtf8(text(msg::kDlgNumberTitle).c_str()));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(prompt.left(100), this);
    label->setObjectName("1000");
    layout->addWidget(label);
    edit_ = new QLineEdit(QString::number(initial), this);
    edit_->setObjectName("1021");
    layout->addWidget(edit_);
    addOkCancel(this, layout);
}

void CNumberDialog::accept() {
    bool ok = false;
    const int v = edit_->text().trimmed().toInt(&ok);
    if (!ok || v < 0 || v > 100) {
        showFieldMessage(this, QString::fromUtf8(format(msg::kDlgIntRange, 0, 100).c_str()));
        edit_->setFocus();
        return;
    }
    number_ = v;
    QDialog::accept();
}

}  // namespace novra::ui
