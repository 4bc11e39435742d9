// Text conversion, OK and Cancel, and the message for a refused field, shared by the dialogs.
#include "ui/dialogs/dialogs.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "ui/doc.h"

namespace novra::ui {

QString joinLines(const std::vector<std::string>& entries) {
    QString s;
    for (const auto& e : entries) s += QString::fromStdString(e) + "\r\n";
    return s;
}

std::vector<std::string> splitLines(const QString& text) {
    std::vector<std::string> out;
    for (const QString& line : text.split(QRegularExpression("[\r\n]"), Qt::SkipEmptyParts))
        out.push_back(line.toStdString());
    return out;
}

void showFieldMessage(QWidget* parent, const QString& message) {
    QMessageBox box(QMessageBox::Warning, QString(), message, QMessageBox::Ok, parent);
    box.exec();
}

void addOkCancel(QDialog* d, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(d);
    QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName("1");
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QString::fromUtf8(text(msg::kDlgCancel).c_str()), QDialogButtonBox::RejectRole);
    cancel->setObjectName("2");
    QObject::connect(buttons, &QDialogButtonBox::accepted, d, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    layout->addWidget(buttons);
}

CObjectDialog::CObjectDialog(CNOVRADoc& doc, int id, int kind, QWidget* parent)
    : QDialog(parent), doc_(doc), net_(doc.net()), id_(id), kind_(kind) {}

void CObjectDialog::setCompiled(bool compiled) {
    // What was typed while the dialog was writable stays in it, for OK after the simulation.
    if (compiled && !compiled_) typedBeforeCompile_ = values(true) != shownLocked_;
    if (!compiled) typedBeforeCompile_ = false;
    compiled_ = compiled;
    lockControls();
}

void CObjectDialog::remember() {
    shown_ = values(false);
    shownLocked_ = values(true);
}

bool CObjectDialog::refusedWhileCompiled() {
    if (!doc_.compiled()) return false;
    if (!typedBeforeCompile_ && (compiled_ || values(true) == shownLocked_)) return false;
    showFieldMessage(this, QString::fromUtf8(text(msg::kDlgCompiledNotApplied).c_str()));
    return true;
}

void CObjectDialog::changing() {
    doc_.beginStep(kind_ == kTransition ? EditStep::Function
                   : kind_ == kUhzi     ? EditStep::Uhzi
                                        : EditStep::Kemmakix);
}

void CObjectDialog::changed() {
    doc_.endStep();
}

}  // namespace novra::ui
