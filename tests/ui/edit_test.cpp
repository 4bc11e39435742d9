// Editing the net with real mouse and key events on the canvas: tools, chains, arcs with bend points,
// selection, drags, tokens, variable menus, keys, panning and tooltips. Most cases are scripts in
// tests/data/ui/edit.txt.
#include <QLabel>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using namespace novra::ui::testing;

class EditTest : public UiTest {
    Q_OBJECT
  private slots:
    void init() { f_ = std::make_unique<Fixture>(); }
    void cleanup() { f_.reset(); }
    void scripts_data() { scriptRows("edit.txt"); }
    void scripts() {
        QFETCH(QString, script);
        PLAY(script);
    }
    void coordinatesFollowThePointer();
    void tooltipShowsTheFunction();

  private:
    void move(QPoint p, Qt::MouseButtons held = Qt::NoButton) { testing::move(v(), p, held); }
};

void EditTest::coordinatesFollowThePointer() {
    QPoint shown;
    connect(&v(), &CNOVRAView::coordinatesChanged, this, [&](int x, int y) { shown = QPoint(x, y); });
    move({123, 45});
    QCOMPARE(shown, f_->r().toCanvas({123, 45}));
}

void EditTest::tooltipShowsTheFunction() {
    const int t = net().addObject(100, 100, kTransition);
    const int p = net().addObject(200, 100, kPlace);
    net().transitions().at(t).functionText = "o1=i1;//copy";
    f_->r().setRebuild();
    move(at(t));
    QVERIFY(st().tooltipText == "o1=i1;//copy" && st().tooltipObject == t);
    move(at(p));
    QCOMPARE(st().tooltipObject, 0);
    move({300, 300});
    QVERIFY(st().tooltipText.isEmpty());
    // Asks for the tooltip as the platform would and returns the label it shows.
    const auto showTip = [&](const std::string& text) -> QLabel* {
        net().transitions().at(t).functionText = text;
        move({300, 300});
        move(at(t));
        QHelpEvent help(QEvent::ToolTip, at(t), v().viewport()->mapToGlobal(at(t)));
        QCoreApplication::sendEvent(v().viewport(), &help);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible()) return qobject_cast<QLabel*>(w);
        return nullptr;
    };
    // A long function with markup-like text shows as written, wrapped within 300 pixels on white.
    std::string longText = "o1=i1<i2;//";
    for (int i = 0; i < 40; ++i) longText += "word ";
    QLabel* tip = showTip(longText);
    QVERIFY(tip && tip->text().contains("o1=i1&lt;i2"));
    QVERIFY(tip->width() <= 300 && tip->width() > 250);        // wraps at the tooltip's width
    QVERIFY(tip->height() > 2 * tip->fontMetrics().height());  // onto several lines
    QToolTip::hideText();
}

QTEST_MAIN(EditTest)
#include "edit_test.moc"
