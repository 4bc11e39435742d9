#include "ui/messagebar.h"

#include <QFont>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>

#include "common/messages.h"

namespace novra::ui {

QString normalizeLogLineEnds(const QString& message) {
    QString s = message;
    s.remove('\r');
    s.replace('\n', QStringLiteral("\r\n"));
    return s;
}

CMessageBar::CMessageBar(QWidget* parent)
    : QDockWidget(QString::fromUtf8(text(msg::kMessageBarTitle).c_str()), parent) {
    setObjectName("MessageBar103");
    setAllowedAreas(Qt::TopDockWidgetArea | Qt::BottomDockWidgetArea);
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    edit_ = new QPlainTextEdit(box);
    edit_->setObjectName("1018");
    // The log is a record of what happened; typing into it would be lost at the next message anyway.
    edit_->setReadOnly(true);
    edit_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    edit_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    edit_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPointSize(9);
    edit_->setFont(f);
    layout->addWidget(edit_);
    box->setMinimumHeight(kBarHeight);
    setWidget(box);
}

void CMessageBar::append(const QString& message) {
    const QString added = normalizeLogLineEnds(message);
    text_ += added;
    // Appending to the control rather than re-setting it keeps long logs cheap; the control holds the
    // same lines as text_, with plain line feeds.
    QString shown = added;
    shown.remove('\r');
    QTextCursor c(edit_->document());
    c.movePosition(QTextCursor::End);
    c.insertText(shown);
    edit_->verticalScrollBar()->setValue(edit_->verticalScrollBar()->maximum());
}

void CMessageBar::clearLog() {
    text_.clear();
    edit_->clear();
}

}  // namespace novra::ui
