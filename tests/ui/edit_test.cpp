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
    void placementChains();
    void deleteTokenThenPlace();
    void dragsMoveScrollAndUndo();
    void coordinatesFollowThePointer();
    void tooltipShowsTheFunction();

  private:
    QPoint client(int x, int y) { return f_->r().toClient(x, y); }
    void click(QPoint p, Qt::MouseButton b = Qt::LeftButton) { testing::click(v(), p, b); }
    void move(QPoint p, Qt::MouseButtons held = Qt::NoButton) { testing::move(v(), p, held); }
    void drag(QPoint from, QPoint to, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(v().viewport(), Qt::LeftButton, m, from);
        move(to, Qt::LeftButton);
        QTest::mouseRelease(v().viewport(), Qt::LeftButton, m, to);
    }
    void tool(Cmd c) { v().runCommand(c); }
    std::string status() { return v().reporter().lastStatus(); }
};

void EditTest::placementChains() {
    // Continuous placement: place, transition, place, each joined to the one before.
    tool(Cmd::ToolContinuous);
    click({100, 100});
    click({200, 100});
    QCOMPARE(status(), std::string("連続配置：プレースを配置してください"));
    click({300, 100});
    const QPoint c0 = f_->r().toCanvas({100, 100});
    QCOMPARE(net().objects().at(1), (VObject{kPlace, c0.x(), c0.y()}));
    QVERIFY(net().kindOf(2) == kTransition && net().findArc(1, 2) && net().findArc(2, 3));
    // The new place waits as the next arc's source; each click was one step of the history.
    QVERIFY(st().arcPending && st().arcSource == 3);
    QCOMPARE(f_->doc->history().steps(), size_t(3));
    doubleClick(v(), {300, 200});  // drops the pending arc
    QVERIFY(!st().arcPending);
    // A uhzi waits for its place, then the chain goes on with a transition.
    const auto last = [this] { return net().objects().rbegin()->first; };
    tool(Cmd::ToolUhzi);
    click({100, 250});
    const int u = last();
    QVERIFY(net().kindOf(u) == kUhzi && st().arcSource == u && st().toolMode == EditState::kModePlace);
    click({200, 250});
    QVERIFY(net().kindOf(last()) == kPlace && net().findArc(u, last()));
    QCOMPARE(st().toolMode, int(EditState::kModeTransition));
    // The uhzi tool never starts an arc from an existing object.
    const size_t objects = net().objects().size();
    tool(Cmd::ToolUhzi);
    click(at(last()));
    QVERIFY(!st().arcPending && net().objects().size() == objects);
}

void EditTest::deleteTokenThenPlace() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    net().addArc(p, t);
    net().setToken(p, kBlack, 1);
    f_->r().setRebuild();
    tool(Cmd::ToolDelete);
    move(at(p));
    QCOMPARE(status(), std::string("このトークンを削除しますか？"));
    click(at(p));
    QVERIFY(net().tokens().empty() && net().objects().count(p));
    click(at(p));
    QVERIFY(!net().objects().count(p) && net().arcs().empty());
    click({300, 300});  // nothing there: no change, no step
    QCOMPARE(f_->doc->history().steps(), size_t(2));
    v().runCommand(Cmd::Undo);
    QVERIFY(net().objects().count(p) && net().arcs().size() == 1 && net().tokens().empty());
}

void EditTest::dragsMoveScrollAndUndo() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    const int far = net().addObject(300, 300, kPlace);
    const int a = net().addArc(p, t, {{150, 50}});
    const int back = net().addArc(t, far, {{250, 250}});
    f_->r().setRebuild();
    // Clicks and a delete of nothing change nothing and leave nothing to undo.
    click(at(p));
    doubleClick(v(), at(t));
    st().selection.clear();
    v().runCommand(Cmd::Delete);
    QVERIFY(!f_->doc->isModified() && !v().commandEnabled(Cmd::Undo));
    // A group: the objects and the bend points of arcs that touch them move together, in one undo step.
    tool(Cmd::ToolHand);
    drag(client(50, 50), client(220, 120));
    QCOMPARE(st().selection, (std::set<int>{p, t}));
    const QRect before = st().selectionRect;
    st().selection.insert(999);  // a dangling id is carried along harmlessly
    const QPoint grip = at(p);
    QTest::mousePress(v().viewport(), Qt::LeftButton, {}, grip);
    QCOMPARE(st().cursorRole, int(EditState::kCursorDrag));
    move(grip + QPoint(15, 5), Qt::LeftButton);
    move(grip + QPoint(30, 20), Qt::LeftButton);
    QTest::mouseRelease(v().viewport(), Qt::LeftButton, {}, grip + QPoint(30, 20));
    QCOMPARE(st().cursorRole, int(EditState::kCursorHand));
    QVERIFY(net().objects().at(t).x == 230 && net().objects().at(far).x == 300);
    QCOMPARE(net().arcs().at(a).bendPoints, (std::vector<Point>{{180, 70}}));
    QCOMPARE(net().arcs().at(back).bendPoints, (std::vector<Point>{{280, 270}}));  // leaves a selected object
    QVERIFY(st().selectionRect == before.translated(30, 20) && f_->doc->isModified());
    v().runCommand(Cmd::Undo);
    QCOMPARE(net().objects().at(p), (VObject{kPlace, 100, 100}));
    // A single object outside the selection follows the cursor; past the window's edge the canvas
    // scrolls by 10 for each move, and stops with the drag.
    const QPoint s0 = f_->r().scrollPos();
    QTest::mousePress(v().viewport(), Qt::LeftButton, {}, at(far));
    move(client(320, 280), Qt::LeftButton);
    QCOMPARE(net().objects().at(far), (VObject{kPlace, 320, 280}));
    move({-5, 100}, Qt::LeftButton);
    move({-5, 100}, Qt::LeftButton);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 0));
    move({100, v().viewport()->height() + 3}, Qt::LeftButton);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 10));
    QTest::mouseRelease(v().viewport(), Qt::LeftButton, {}, {100, 100});
    QCOMPARE(st().grabbedObject, 0);
    move({-5, 100});
    v().runCommand(Cmd::Undo);  // the whole drag, from where it first moved
    QCOMPARE(net().objects().at(far), (VObject{kPlace, 300, 300}));
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 10));
}

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
