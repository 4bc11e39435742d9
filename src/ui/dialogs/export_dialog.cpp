// The picture export dialog: the file, whole net or selection, and the PNG's scale.
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "ui/dialogs/dialogs.h"
#include "ui/qtext.h"

namespace novra::ui {

CExportDialog::CExportDialog(const PictureRequest& initial, bool hasSelection, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(qs(msg::kExpTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* fileRow = new QHBoxLayout;
    path_ = new QLineEdit(initial.path, this);
    path_->setObjectName("1201");
    auto* browse = new QPushButton(qs(msg::kDlgBrowse), this);
    browse->setObjectName("1202");
    fileRow->addWidget(path_, 1);
    fileRow->addWidget(browse);
    form->addRow(qs(msg::kExpFile), fileRow);
    scale_ = new QDoubleSpinBox(this);
    scale_->setObjectName("1205");
    scale_->setRange(kMinPictureScale, kMaxPictureScale);
    scale_->setDecimals(1);
    scale_->setSingleStep(0.5);
    scale_->setValue(initial.scale);
    form->addRow(qs(msg::kExpScale), scale_);
    layout->addLayout(form);
    whole_ = new QRadioButton(qs(msg::kExpWhole), this);
    whole_->setObjectName("1203");
    selection_ = new QRadioButton(qs(msg::kExpSelection), this);
    selection_->setObjectName("1204");
    selection_->setEnabled(hasSelection);
    (hasSelection && initial.selectionOnly ? selection_ : whole_)->setChecked(true);
    layout->addWidget(whole_);
    layout->addWidget(selection_);
    addOkCancel(this, layout);
    resize(600, sizeHint().height());  // room for a whole path

    // Only a PNG has a scale.
    const auto follow = [this] { scale_->setEnabled(pictureFormat(path_->text()) == PictureFormat::Png); };
    connect(path_, &QLineEdit::textChanged, this, follow);
    follow();
    browseFile = [](QWidget* owner, const QString& start) {
        return QFileDialog::getSaveFileName(owner, qs(msg::kExpTitle), start, qs(msg::kExpFilter));
    };
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = browseFile(this, path_->text());
        if (!chosen.isEmpty()) path_->setText(chosen);
    });
}

PictureRequest CExportDialog::request() const {
    PictureRequest r;
    r.path = path_->text().trimmed();
    r.selectionOnly = selection_->isEnabled() && selection_->isChecked();
    r.scale = scale_->value();
    return r;
}

void CExportDialog::accept() {
    const QString path = path_->text().trimmed();
    if (pictureFormat(path) == PictureFormat::None) {
        showFieldMessage(this, withArg(msg::kPictureBadFormat, path));
        path_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace novra::ui
