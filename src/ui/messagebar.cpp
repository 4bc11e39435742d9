#include "ui/messagebar.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

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

int CMessageBar::openingHeight() const {
    // The bar's title and frame are what its size hint adds to the box's.
    const int around = sizeHint().height() - widget()->sizeHint().height();
    // A line takes its spacing rounded up; the control wants a pixel to spare below the last one.
    const int line = static_cast<int>(std::ceil(QFontMetricsF(edit_->font()).lineSpacing()));
    const int text = line * kOpeningLines +
                     2 * static_cast<int>(std::ceil(edit_->document()->documentMargin())) +
                     2 * edit_->frameWidth() + 1;
    return std::max<int>(kBarHeight, around + 2 * kMargin + text);
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
