// The kemmakix dialog: how received bits are gathered, and the received strings against the expected.
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
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

CKemmakixDialog::CKemmakixDialog(CNOVRADoc& doc, int kemmakixId, QWidget* parent)
    : CObjectDialog(doc, kemmakixId, kKemmakix, parent) {
    setWindowTitle(qs(msg::kDlgKemmakixTitle));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(qs(msg::kDlgOutput), this);
    auto* radios = new QHBoxLayout(group);
    auto* modes = new QButtonGroup(this);
    const std::pair<const MsgText*, const char*> captions[4] = {{&msg::kDlgBig, "1004"},
                                                                {&msg::kDlgLittle, "1005"},
                                                                {&msg::kDlgDiscard, "1011"},
                                                                {&msg::kDlgKeep, "1012"}};
    for (int i = 0; i < 4; ++i) {
        mode_[i] = new QRadioButton(qs(*captions[i].first), group);
        mode_[i]->setObjectName(captions[i].second);
        modes->addButton(mode_[i], i);
        radios->addWidget(mode_[i]);
    }
    layout->addWidget(group);
    auto* grid = new QGridLayout;
    received_ = new QPlainTextEdit(this);
    received_->setObjectName("1000");
    received_->setReadOnly(true);
    expected_ = new QPlainTextEdit(this);
    expected_->setObjectName("1008");
    results_ = new QPlainTextEdit(this);
    results_->setObjectName("1009");
    overall_ = new QLineEdit(this);
    overall_->setObjectName("1028");
    grid->addWidget(received_, 1, 0);
    grid->addWidget(new QLabel(qs(msg::kDlgExpected), this), 0, 1);
    grid->addWidget(expected_, 1, 1);
    grid->addWidget(new QLabel(qs(msg::kDlgVerdicts), this), 0, 2);
    grid->addWidget(results_, 1, 2);
    grid->addWidget(new QLabel(qs(msg::kDlgOverall), this), 2, 1);
    grid->addWidget(overall_, 2, 2);
    layout->addLayout(grid);
    addOkCancel(this, layout);
    resize(275 * 2, 162 * 2);

    auto k = net_.kemmakixes().find(id_);
    int mode = 0;
    bool allEqual = true;
    size_t compared = 0;
    if (k != net_.kemmakixes().end()) {
        const CKemmakix& km = k->second;
        mode = km.line >= 0 && km.line <= 3 ? km.line : 0;
        received_->setPlainText(joinLines(km.received).remove('\r'));
        expected_->setPlainText(joinLines(km.expected).remove('\r'));
        QString verdicts;
        if (km.hasReceived || !km.received.empty()) {
            compared = std::min(km.received.size(), km.expected.size());
            for (size_t i = 0; i < compared; ++i) {
                const bool same = km.received[i] == km.expected[i];
                allEqual = allEqual && same;
                verdicts += qs(same ? msg::kDlgMatch : msg::kDlgMismatch) + "\n";
            }
        }
        results_->setPlainText(verdicts);
    }
    overall_->setText(qs(compared > 0 && allEqual ? msg::kDlgMatch : msg::kDlgMismatch));
    mode_[mode]->setChecked(true);
    remember();
    setCompiled(doc_.compiled());
    for (auto* r : mode_) connect(r, &QRadioButton::toggled, this, [this] { modeChosen(); });
}

QString CKemmakixDialog::values(bool) const {
    QString v;
    for (auto* r : mode_) v += r->isChecked() ? '1' : '0';
    return v + '\n' + expected_->toPlainText();
}

void CKemmakixDialog::lockControls() {
    for (auto* r : mode_) r->setEnabled(!compiled_);
    modeChosen();
}

void CKemmakixDialog::modeChosen() {
    const bool gathering = mode_[0]->isChecked() || mode_[1]->isChecked();
    expected_->setReadOnly(!gathering || compiled_);
    results_->setReadOnly(!gathering);
}

void CKemmakixDialog::accept() {
    if (refusedWhileCompiled()) return;
    auto k = net_.kemmakixes().find(id_);
    if (!doc_.compiled() && k != net_.kemmakixes().end()) {
        int line = k->second.line;
        for (int i = 0; i < 4; ++i)
            if (mode_[i]->isChecked()) line = i;
        std::vector<std::string> expected = splitLines(expected_->toPlainText());
        if (line != k->second.line || expected != k->second.expected) {
            changing();
            CKemmakix& e = net_.editKemmakix(id_);
            e.line = line;
            e.expected = std::move(expected);
            changed();
        }
    }
    QDialog::accept();
}

}  // namespace novra::ui
