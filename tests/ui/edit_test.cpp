// Editing the net with real mouse and key events on the canvas: tools, chains, arcs with bend points,
// selection, drags, tokens, variable menus, scrolling, panning and tooltips.
#include <QLabel>
#include <QMenu>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using namespace novra::ui::testing;

class EditTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { f_ = std::make_unique<CanvasFixture>(); }
    void cleanup() { f_.reset(); }
    void toolCommandsSetModeAndStatus();
    void placementChains();
    void arcsWithBendPointsAndRefusedTargets();
    void rubberBandWithAndWithoutShift();
    void deleteTokenThenPlace();
    void tokenColourAndValue();
    void dragsMoveScrollAndUndo();
    void variableMenus();
    void keysAndEscape();
    void panningAndCoordinates();
    void tooltipShowsTheFunction();

  private:
    std::unique_ptr<CanvasFixture> f_;
    CNet& net() { return f_->net(); }
    CNOVRAView& v() { return *f_->view; }
    EditState& st() { return f_->st(); }
    QPoint at(int id) { return testing::at(v(), id); }
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
    std::vector<Point> bends(int from, int to) { return net().arcs().at(net().findArc(from, to)).bendPoints; }
};

void EditTest::toolCommandsSetModeAndStatus() {
    struct {
        Cmd cmd;
        int mode, cont;
        const char* status;
    } const cases[] = {
        {Cmd::ToolPlace, 1, 0, "プレースを配置してください"},
        {Cmd::ToolTransition, 2, 0, "トランジションを配置してください"},
        {Cmd::ToolUhzi, 3, 1, "ウージ（ソーストランジション）を配置してください"},
        {Cmd::ToolKemmakix, 4, 1, "ケムマキ（シンクトランジション）を配置してください"},
        {Cmd::ToolToken, 5, 0, "トークンを配置してください"},
        {Cmd::ToolArc, 8, 0, "接続元を選択してください"},
        {Cmd::ToolContinuous, 1, 1, "連続配置を行います"},
        {Cmd::ToolHand, 9, 0, ""},
        {Cmd::ToolDelete, 10, 0, "削除するオブジェクトを選択してください"},
    };
    for (const auto& c : cases) {
        st().selection = {99};
        tool(c.cmd);
        QVERIFY(st().toolMode == c.mode && st().continuous == c.cont && st().selection.empty());
        QCOMPARE(status(), std::string(c.status));
    }
    f_->doc->setCompiled(1);
    QVERIFY(!v().commandEnabled(Cmd::ToolPlace));
    tool(Cmd::ToolPlace);
    QCOMPARE(st().toolMode, int(EditState::kModeDelete));
}

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

void EditTest::arcsWithBendPointsAndRefusedTargets() {
    const int p = net().addObject(100, 200, kPlace);
    const int t = net().addObject(300, 200, kTransition);
    const int p2 = net().addObject(200, 100, kPlace);
    const int u = net().addObject(300, 100, kUhzi);
    const int k = net().addObject(300, 300, kKemmakix);
    const int t2 = net().addObject(100, 300, kTransition);
    f_->r().setRebuild();
    tool(Cmd::ToolArc);
    click(at(p));
    QCOMPARE(status(), std::string("接続先のトランジションもしくはケムマキを選択してください"));
    click({150, 40});
    click({250, 60});
    QCOMPARE(st().bendPoints.size(), size_t(2));
    // Places and sources are no targets for an arc from a place: no highlight, no arc.
    for (int bad : {p, p2, u}) {
        move(at(bad));
        QCOMPARE(st().arcTarget, 0);
        click(at(bad));
        QVERIFY(st().arcPending);
    }
    QVERIFY(net().arcs().empty() && st().bendPoints.size() == 2);
    move(at(t));
    QCOMPARE(st().arcTarget, t);
    click(at(t));
    const QPoint b1 = f_->r().toCanvas({150, 40}), b2 = f_->r().toCanvas({250, 60});
    QCOMPARE(bends(p, t), (std::vector<Point>{{b1.x(), b1.y()}, {b2.x(), b2.y()}}));
    QVERIFY(!st().arcPending && st().bendPoints.empty());
    click(at(p2));
    click(at(k));  // a kemmakix takes arcs from places
    QVERIFY(net().findArc(p2, k));
    // From a transition only places are targets; a double click drops the arc and its bend points.
    click(at(t));
    QCOMPARE(status(), std::string("接続先のプレースを選択してください"));
    for (int bad : {t2, u, k, t}) click(at(bad));
    click({200, 330});
    click({220, 340});
    doubleClick(v(), {240, 340});
    QVERIFY(!st().arcPending && st().bendPoints.empty() && net().arcs().size() == 2);
    click(at(p));  // now a new arc from the place, not the end of the cancelled one
    QCOMPARE(st().arcSource, p);
    // An arc by dragging from the source to the target.
    tool(Cmd::ToolArc);
    QTest::mousePress(v().viewport(), Qt::LeftButton, {}, at(t));
    move({200, 250}, Qt::LeftButton);
    QCOMPARE(st().arcTarget, 0);
    move(at(p2), Qt::LeftButton);
    QTest::mouseRelease(v().viewport(), Qt::LeftButton, {}, at(p2));
    QVERIFY(net().findArc(t, p2));
    QCOMPARE(status(), std::string());
}

void EditTest::rubberBandWithAndWithoutShift() {
    const int a = net().addObject(100, 100, kPlace);
    const int b = net().addObject(200, 150, kTransition);
    const int c = net().addObject(350, 300, kPlace);
    f_->r().setRebuild();
    tool(Cmd::ToolHand);
    QTest::mousePress(v().viewport(), Qt::LeftButton, {}, client(60, 60));
    QCOMPARE(status(), std::string("トラッキング中..."));
    move(client(200, 150), Qt::LeftButton);
    QTest::mouseRelease(v().viewport(), Qt::LeftButton, {}, client(200, 150));  // border included
    QCOMPARE(st().selection, (std::set<int>{a, b}));
    QCOMPARE(st().selectionRect, QRect(QPoint(80, 80), QPoint(220, 170)));
    QTest::keyPress(&v(), Qt::Key_Shift);
    drag(client(320, 270), client(380, 330));
    QTest::keyRelease(&v(), Qt::Key_Shift);
    QCOMPARE(st().selection, (std::set<int>{a, b, c}));
    drag(client(320, 270), client(380, 330));
    QCOMPARE(st().selection, (std::set<int>{c}));
    drag(client(5, 5), client(20, 20));
    QVERIFY(st().selection.empty() && st().selectionRect.isEmpty());
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

void EditTest::tokenColourAndValue() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    f_->r().setRebuild();
    tool(Cmd::ToolToken);
    move(at(t));
    QCOMPARE(status(), std::string("トークンを配置するプレースを選択してください"));
    click(at(t));
    QVERIFY(net().tokens().empty());
    click(at(p));
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 0}));
    net().setToken(p, kBlack, 1);
    click(at(p));  // a place that has a token keeps it
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 1}));
    // The right button flips the colour, a double click the value.
    const std::pair<Qt::MouseButton, Token> steps[] = {{Qt::RightButton, {kWhite, 1}},
                                                       {Qt::RightButton, {kBlack, 1}},
                                                       {Qt::NoButton, {kBlack, 0}},
                                                       {Qt::NoButton, {kBlack, 1}}};
    for (const auto& [button, token] : steps) {
        if (button == Qt::NoButton)
            doubleClick(v(), at(p));
        else
            click(at(p), button);
        QCOMPARE(net().tokens().at(p), token);
    }
    net().setToken(p, kBlack, 7);  // read from a file, drawn "X": the toggle starts again from 0
    doubleClick(v(), at(p));
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 0}));
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

void EditTest::variableMenus() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    const int q = net().addObject(300, 100, kPlace);
    net().transitions().at(t).functionText = "sum=a^b;carry=a&b;";
    f_->r().setRebuild();
    QStringList items;
    int choose = 0;
    f_->prompts.onMenu = [&](QMenu& m) -> QAction* {
        items.clear();
        QAction* pick = nullptr;
        for (QAction* a : m.actions()) {
            if (a->data().toInt() > kVariableMenuBase) items << a->text();
            if (a->data().toInt() == kVariableMenuBase + choose) pick = a;
        }
        return pick;
    };
    tool(Cmd::ToolArc);
    choose = 2;  // an output variable starts the arc
    click(at(t), Qt::RightButton);
    QCOMPARE(items, (QStringList{"sum", "carry"}));
    QVERIFY(st().arcPending && st().arcSource == t && st().varMenuMode == 0);
    QCOMPARE(status(), std::string("変数 carry の出力プレースを選択してください"));
    click(at(q));
    QCOMPARE(net().arcs().at(net().findArc(t, q)).varName, std::string("carry"));
    click(at(p));  // an input variable ends it
    click(at(t), Qt::RightButton);
    QCOMPARE(items, (QStringList{"a", "b"}));
    QVERIFY(!st().arcPending);
    QCOMPARE(net().arcs().at(net().findArc(p, t)).varName, std::string("b"));
    // Dismissing the menu changes nothing.
    click(at(p));
    choose = 0;
    click(at(t), Qt::RightButton);
    QVERIFY(st().arcPending && net().arcs().size() == 2);
}

void EditTest::keysAndEscape() {
    const QPoint s0 = f_->r().scrollPos();
    QTest::keyClick(&v(), Qt::Key_Right);
    QTest::keyClick(&v(), Qt::Key_Up);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(40, -40));
    // With S held the arrows change the object-drawing level; with Space held they scroll by it.
    QTest::keyPress(&v(), 's');
    QCOMPARE(st().keyState, int('s'));
    QTest::keyClick(&v(), Qt::Key_Up);
    QCOMPARE(f_->r().extraLevel(), 1);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(40, -40));
    QTest::keyRelease(&v(), Qt::Key_S);
    QCOMPARE(st().keyState, 0);
    QTest::keyPress(&v(), Qt::Key_Space);
    QTest::keyClick(&v(), Qt::Key_Down);
    QTest::keyRelease(&v(), Qt::Key_Space);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(40, 40));
    // Escape leaves nothing pending.
    const int p = net().addObject(100, 100, kPlace);
    f_->r().setRebuild();
    tool(Cmd::ToolArc);
    click(at(p));
    click({200, 200});
    st().selection = {p};
    QTest::keyClick(&v(), Qt::Key_Escape);
    QCOMPARE(st().toolMode, 0);
    QVERIFY(!st().arcPending && st().bendPoints.empty() && st().selection.empty());
    // Space held: a click is only a click, nothing is placed.
    tool(Cmd::ToolPlace);
    QTest::keyPress(&v(), Qt::Key_Space);
    click({300, 300});
    QTest::keyRelease(&v(), Qt::Key_Space);
    QCOMPARE(net().objects().size(), size_t(1));
    click({300, 300});
    QCOMPARE(net().objects().size(), size_t(2));
}

void EditTest::panningAndCoordinates() {
    QPoint shown;
    connect(&v(), &CNOVRAView::coordinatesChanged, this, [&](int x, int y) { shown = QPoint(x, y); });
    move({123, 45});
    QCOMPARE(shown, f_->r().toCanvas({123, 45}));
    const QPoint s0 = f_->r().scrollPos();
    press(v(), {200, 200}, Qt::MiddleButton);
    QCOMPARE(st().cursorRole, int(EditState::kCursorPan));
    move({230, 190}, Qt::MiddleButton);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-30, 10));  // the canvas follows the hand
    release(v(), {230, 190}, Qt::MiddleButton);
    QVERIFY(!st().panning);
    // Ctrl with the right button pans too, and no menu comes up.
    QTest::keyPress(&v(), Qt::Key_Control);
    press(v(), {100, 100}, Qt::RightButton);
    move({90, 100}, Qt::RightButton);
    release(v(), {90, 100}, Qt::RightButton);
    QTest::keyRelease(&v(), Qt::Key_Control);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 10));
    QVERIFY(f_->prompts.count("menu") == 0 && !st().panning);
    // A pan never places anything, and the tool still works afterwards.
    tool(Cmd::ToolPlace);
    press(v(), {200, 200}, Qt::MiddleButton);
    click({150, 150});
    release(v(), {200, 200}, Qt::MiddleButton);
    QVERIFY(net().objects().empty());
    click({150, 150});
    QCOMPARE(net().objects().size(), size_t(1));
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
