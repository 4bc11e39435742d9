// The real dialogs behind the editor's questions.
#include "ui/prompts.h"

#include <QFileDialog>
#include <QMenu>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/qtext.h"
#include "ui/view.h"

namespace novra::ui {

QAction* CDialogPrompts::runMenu(QMenu& menu, QPoint globalPos) {
    return menu.exec(globalPos);
}

bool CDialogPrompts::confirmClearAll(QWidget* owner) {
    QMessageBox box(QMessageBox::Question, QString(), QString::fromStdString(text(msg::kConfirmClearAll)),
                    QMessageBox::Ok | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

int CDialogPrompts::askNumber(QWidget* owner, const QString& prompt, int initial) {
    CNumberDialog d(prompt, initial, owner);
    return d.exec() == QDialog::Accepted ? d.number() : -1;
}

int CDialogPrompts::askObjectId(QWidget* owner, const CNet& net) {
    CObjectListDialog d(net, owner);
    d.exec();
    return d.result();
}

bool CDialogPrompts::askVerilog(QWidget* owner, CNOVRADoc& doc, double& delayOverPlus) {
    CVerilogDialog d(doc, owner);
    if (d.exec() != QDialog::Accepted) return false;
    delayOverPlus = d.delayOverPlus();
    return true;
}

void CDialogPrompts::runSettings(QWidget* owner, CNOVRADoc& doc, CNOVRAView& view) {
    CConfigDialog d(doc, view, owner);
    d.exec();
}

QString CDialogPrompts::askOpenFile(QWidget* owner, const QString& folder) {
    QFileDialog d(owner, QString(), folder, qs(msg::kPolFilter));
    d.setAcceptMode(QFileDialog::AcceptOpen);
    d.setFileMode(QFileDialog::ExistingFile);
    d.setDefaultSuffix("pol");
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first()
                                                                         : QString();
}

QString CDialogPrompts::askSaveFile(QWidget* owner, const QString& suggested) {
    QFileDialog d(owner, QString(), suggested, qs(msg::kPolFilter));
    d.setAcceptMode(QFileDialog::AcceptSave);
    d.setDefaultSuffix("pol");
    return d.exec() == QDialog::Accepted && !d.selectedFiles().isEmpty() ? d.selectedFiles().first()
                                                                         : QString();
}

int CDialogPrompts::askSaveChanges(QWidget* owner, const QString& name) {
    QMessageBox box(QMessageBox::Warning, qs(msg::kSaveChangesTitle), withArg(msg::kSaveChanges, name),
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
    box.button(QMessageBox::Save)->setText(qs(msg::kSaveButton));
    box.button(QMessageBox::Discard)->setText(qs(msg::kDiscardButton));
    box.button(QMessageBox::Cancel)->setText(qs(msg::kDlgCancel));
    box.setDefaultButton(QMessageBox::Save);
    return box.exec();
}

IPrompts::Recovery CDialogPrompts::askRecovery(QWidget* owner, const QString& file, const QDateTime& written) {
    QMessageBox box(QMessageBox::Question, qs(msg::kRecoveryTitle),
                    qs(msg::kRecoveryQuestion).arg(file, QLocale().toString(written, QLocale::LongFormat)),
                    QMessageBox::NoButton, owner);
    QPushButton* restore = box.addButton(qs(msg::kRecoveryRestore), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(qs(msg::kRecoveryDiscard), QMessageBox::DestructiveRole);
    QPushButton* later = box.addButton(qs(msg::kRecoveryLater), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.setEscapeButton(later);
    box.exec();
    if (box.clickedButton() == restore) return kRestore;
    if (box.clickedButton() == discard) return kDiscard;
    return kLater;
}

bool CDialogPrompts::askPicture(QWidget* owner, PictureRequest& request, bool hasSelection) {
    CExportDialog d(request, hasSelection, owner);
    if (d.exec() != QDialog::Accepted) return false;
    request = d.request();
    return true;
}

}  // namespace novra::ui
