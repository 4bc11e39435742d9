#include "ui/menutitle.h"

#include <QApplication>
#include <QLinearGradient>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QWidget>
#include <QWidgetAction>

namespace novra::ui {

namespace {
class CMenuTitleBand : public QWidget {
  public:
    CMenuTitleBand(const QString& title, QWidget* parent) : QWidget(parent), title_(title) {
        QFont f = font();
        f.setBold(true);
        setFont(f);
        const int check = style()->pixelMetric(QStyle::PM_IndicatorWidth);
        const QFontMetrics fm(f);
        setMinimumSize(fm.horizontalAdvance(title_) + check + 10, fm.height() + 2);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const QPalette& pal = QApplication::palette();
        const QColor from = pal.color(QPalette::Active, QPalette::Highlight);
        const QColor to = from.lighter(160);
        if (from != to) {
            QLinearGradient g(0, 0, width(), 0);
            g.setColorAt(0, from);
            g.setColorAt(1, to);
            p.fillRect(rect(), g);
        } else {
            p.fillRect(rect(), from);
        }
        p.setPen(pal.color(QPalette::Active, QPalette::HighlightedText));
        const int indent = style()->pixelMetric(QStyle::PM_IndicatorWidth) + 8;
        p.drawText(rect().adjusted(indent, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                   title_);
    }

  private:
    QString title_;
};
}  // namespace

QWidgetAction* addMenuTitle(QMenu* menu, const QString& title) {
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(new CMenuTitleBand(title, menu));
    action->setText(title);
    action->setEnabled(false);
    if (menu->actions().isEmpty())
        menu->addAction(action);
    else
        menu->insertAction(menu->actions().first(), action);
    return action;
}

}  // namespace novra::ui
