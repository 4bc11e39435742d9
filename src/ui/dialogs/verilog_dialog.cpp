// The Verilog output dialog: top module name, output folder, delay margin and the two output options.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/qtext.h"

namespace novra::ui {

namespace {
constexpr int kMaxModuleName = 32;
}  // namespace

CVerilogDialog::CVerilogDialog(CNOVRADoc& doc, QWidget* parent) : QDialog(parent), doc_(doc) {
    setWindowTitle(qs(msg::kDlgVerilogTitle));
    const DocSettings& s = doc_.settings();
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    module_ = new QLineEdit(s.verilogOutModuleName, this);
    module_->setObjectName("1000");
    form->addRow(qs(msg::kDlgTopModule), module_);
    auto* folderRow = new QHBoxLayout;
    folders_ = new QComboBox(this);
    folders_->setObjectName("1044");
    folders_->setEditable(true);
    for (const QString& f : s.verilogOutDirs) folders_->addItem(f);
    folders_->setEditText(s.verilogOutDirs.empty() ? QString() : s.verilogOutDirs.front());
    auto* browse = new QPushButton(qs(msg::kDlgBrowse), this);
    browse->setObjectName("1039");
    folderRow->addWidget(folders_, 1);
    folderRow->addWidget(browse);
    form->addRow(qs(msg::kDlgOutputFolder), folderRow);
    delayEdit_ = new QLineEdit("0", this);
    delayEdit_->setObjectName("1008");
    form->addRow(qs(msg::kDlgDelayOverPlus), delayEdit_);
    layout->addLayout(form);
    sync_ = new QCheckBox(qs(msg::kDlgSync), this);
    sync_->setObjectName("1050");
    sync_->setChecked(s.verilogOutSync != 0);
    debug_ = new QCheckBox(qs(msg::kDlgDebugLines), this);
    debug_->setObjectName("1049");
    debug_->setChecked(s.verilogDebug != 0);
    layout->addWidget(sync_);
    layout->addWidget(debug_);
    addOkCancel(this, layout);
    resize(241 * 2, 111 * 2);

    browseFolder = [](QWidget* owner, const QString& start) {
        return QFileDialog::getExistingDirectory(owner, qs(msg::kDlgBrowseTitle), start,
                                                 QFileDialog::ShowDirsOnly);
    };
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = browseFolder(this, folders_->currentText());
        if (!chosen.isEmpty()) folders_->setEditText(chosen);
    });
}

void CVerilogDialog::accept() {
    const QString name = module_->text();
    if (name.size() > kMaxModuleName) {
        showFieldMessage(this, QString::fromUtf8(format(msg::kDlgMaxChars, kMaxModuleName).c_str()));
        module_->setFocus();
        return;
    }
    bool ok = false;
    const double d = delayEdit_->text().trimmed().toDouble(&ok);
    if (!ok || d < -0.5 || d > 2.0) {
        showFieldMessage(this, qs(msg::kDlgRealRange));
        delayEdit_->setFocus();
        return;
    }
    delay_ = d;
    DocSettings& s = doc_.settings();
    folder_ = folders_->currentText();
    if (s.verilogOutDirs.empty() || folder_ != s.verilogOutDirs.front())
        s.verilogOutDirs.insert(s.verilogOutDirs.begin(), folder_);
    s.verilogOutModuleName = name;
    s.verilogDebug = debug_->isChecked() ? 1 : 0;
    s.verilogOutSync = sync_->isChecked() ? 1 : 0;
    QDialog::accept();
}

}  // namespace novra::ui
