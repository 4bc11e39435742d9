// The uhzi dialog: held value or streamed bit strings, and the direction the bits leave in.
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/qtext.h"

namespace novra::ui {

namespace {
QRadioButton* radio(QWidget* parent, const QString& caption, const char* id) {
    auto* r = new QRadioButton(caption, parent);
    r->setObjectName(id);
    return r;
}
}  // namespace

CUhziDialog::CUhziDialog(CNOVRADoc& doc, int uhziId, QWidget* parent)
    : CObjectDialog(doc, uhziId, kUhzi, parent) {
    setWindowTitle(qs(msg::kDlgUhziTitle));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(qs(msg::kDlgUhziGroup), this);
    auto* grid = new QGridLayout(group);
    hold_ = radio(group, qs(msg::kDlgHoldValue), "1004");
    stream_ = radio(group, qs(msg::kDlgStreamBits), "1005");
    value_ = new QLineEdit(group);
    value_->setObjectName("1023");
    value_->setMaxLength(1);
    words_ = new QPlainTextEdit(group);
    words_->setObjectName("1024");
    left_ = radio(group, qs(msg::kDlgDirectionLeft), "1011");
    right_ = radio(group, QString(), "1012");
    auto* modes = new QButtonGroup(this);
    modes->addButton(hold_, 0);
    modes->addButton(stream_, 1);
    auto* directions = new QButtonGroup(this);
    directions->addButton(left_, 0);
    directions->addButton(right_, 1);
    grid->addWidget(hold_, 0, 0);
    grid->addWidget(value_, 0, 1);
    grid->addWidget(stream_, 1, 0);
    grid->addWidget(words_, 2, 0, 1, 3);
    grid->addWidget(new QLabel(qs(msg::kDlgDirection), group), 3, 0);
    grid->addWidget(left_, 3, 1);
    grid->addWidget(right_, 3, 2);
    grid->addWidget(new QLabel(qs(msg::kDlgDirectionRight), group), 3, 3);
    layout->addWidget(group);
    addOkCancel(this, layout);
    resize(207 * 2, 170 * 2);

    auto u = net_.uhzis().find(id_);
    if (u != net_.uhzis().end()) {
        (u->second.addp == 1 ? stream_ : hold_)->setChecked(true);
        words_->setPlainText(joinLines(u->second.words).remove('\r'));
        value_->setText(QString::number(u->second.holdValue));
        (u->second.line == 1 ? right_ : left_)->setChecked(true);
    } else {
        hold_->setChecked(true);
        left_->setChecked(true);
    }
    remember();
    setCompiled(doc_.compiled());
    connect(hold_, &QRadioButton::toggled, this, [this] { modeChosen(); });
}

QString CUhziDialog::values(bool) const {
    return QString("%1 %2 %3\n").arg(stream_->isChecked()).arg(right_->isChecked()).arg(value_->text()) +
           words_->toPlainText();
}

void CUhziDialog::lockControls() {
    if (!compiled_) {
        hold_->setEnabled(true);
        stream_->setEnabled(true);
        modeChosen();
        return;
    }
    value_->setReadOnly(true);
    words_->setReadOnly(true);
    for (auto* r : {hold_, stream_, left_, right_}) r->setEnabled(false);
}

void CUhziDialog::modeChosen() {
    const bool streaming = stream_->isChecked();
    words_->setReadOnly(!streaming);
    value_->setReadOnly(streaming);
    left_->setEnabled(streaming);
    right_->setEnabled(streaming);
}

void CUhziDialog::accept() {
    if (refusedWhileCompiled()) return;
    bool ok = false;
    const int v = value_->text().trimmed().toInt(&ok);
    if (!ok || v < 0 || v > 1) {
        showFieldMessage(this, QString::fromUtf8(format(msg::kDlgIntRange, 0, 1).c_str()));
        value_->setFocus();
        return;
    }
    auto u = net_.uhzis().find(id_);
    if (!doc_.compiled() && u != net_.uhzis().end()) {
        const int addp = stream_->isChecked() ? 1 : 0;
        const int line = right_->isChecked() ? 1 : 0;
        std::vector<std::string> words = splitLines(words_->toPlainText());
        const CUhzi& s = u->second;
        if (addp != s.addp || v != s.holdValue || words != s.words || line != s.line) {
            changing();
            CUhzi& e = net_.editUhzi(id_);
            e.addp = addp;
            e.holdValue = v;
            e.words = std::move(words);
            e.line = line;
            changed();
        }
    }
    QDialog::accept();
}

}  // namespace novra::ui
