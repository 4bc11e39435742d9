// The object list: every object with its kind, and the stop option of transitions.
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/dialogs/dialogs.h"

namespace novra::ui {

CObjectListDialog::CObjectListDialog(const CNet& net, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(text(msg::kDlgObjectListTitle).c_str()));
    auto* layout = new QVBoxLayout(this);
    list_ = new QTableWidget(static_cast<int>(net.objects().size()), 3, this);
    list_->setObjectName("1047");
    list_->setHorizontalHeaderLabels({"ID", "Type", "Option"});
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setShowGrid(true);
    list_->verticalHeader()->hide();
    for (int c = 0; c < 3; ++c) list_->setColumnWidth(c, 75);
    int row = 0;
    for (const auto& [id, o] : net.objects()) {  // the map keeps ascending id order
        list_->setItem(row, 0, new QTableWidgetItem(QString::number(id)));
        list_->setItem(row, 1, new QTableWidgetItem(kindName(o.kind)));
        const bool stop = o.kind == kTransition && net.simTranOpt().count(id);
        list_->setItem(row, 2, new QTableWidgetItem(stop ? "SimFireStop" : ""));
        ++row;
    }
    layout->addWidget(list_);
    auto* search = new QPushButton(QString::fromUtf8(text(msg::kDlgSearch).c_str()), this);
    search->setObjectName("3");
    layout->addWidget(search);
    connect(search, &QPushButton::clicked, this, [this] {
        const auto rows = list_->selectionModel()->selectedRows();
        result_ = rows.isEmpty() ? 0 : list_->item(rows.first().row(), 0)->text().toInt();
        QDialog::accept();
    });
    addOkCancel(this, layout);  // OK and Cancel leave the result 0
    resize(225 * 2, 145 * 2);
}

}  // namespace novra::ui
