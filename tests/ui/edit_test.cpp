// Editing the net with the mouse and the keyboard on the real canvas.
#include <QHelpEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>
#include <QToolTip>
#include <QtTest>
#include <memory>

#include "model/net.h"
#include "ui/doc.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::CanvasFixture;
using novra::ui::testing::ScriptedPrompts;
using novra::ui::testing::u8;

class EditTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void toolCommandsSetModeAndStatus();
    void continuousPlacementBuildsAChain();
    void uhziChainConnectsToTheNextPlace();
    void bendPointsInOrderAndCancelled();
    void invalidTargetsAreRefused();
    void dragFromSourceToTarget();
    void rubberBandWithAndWithoutShift();
    void deleteTokenThenPlace();
    void tokenColourAndValue();
    void groupDragMovesBendPoints();
    void onlyRealChangesAreMarkedAndUndone();
    void draggingPastTheEdgeScrolls();
    void variableMenus();
    void contextMenus();
    void keysAndEscape();
    void panningAndCoordinates();
    void tooltipShowsTheFunction();
    void compiledNetTakesSimulationTokensOnly();

  private:
    std::unique_ptr<CanvasFixture> f_;
    CNOVRADoc* doc_ = nullptr;
    CNOVRAView* view_ = nullptr;
    CNet& net() { return doc_->net(); }
    const CNet& undoNet() { return doc_->undoCopy(); }
    QWidget* vp() { return view_->viewport(); }
    QPoint at(int id) {
        const auto& o = net().objects().at(id);
        return f_->r().toClient(o.x, o.y);
    }
    void click(QPoint p, Qt::KeyboardModifiers m = {}) { QTest::mouseClick(vp(), Qt::LeftButton, m, p); }
    void move(QPoint p, Qt::MouseButtons b = Qt::NoButton) {
        QMouseEvent e(QEvent::MouseMove, p, vp()->mapToGlobal(p), Qt::NoButton, b, Qt::NoModifier);
        QApplication::sendEvent(vp(), &e);
    }
    void tool(Cmd c) { view_->runCommand(c); }
    int onlyArc() {
        if (net().arcs().size() != 1) return 0;
        return net().arcs().begin()->first;
    }
    std::string status() { return view_->reporter().lastStatus(); }
};

void EditTest::init() {
    f_ = std::make_unique<CanvasFixture>();
    doc_ = f_->doc.get();
    view_ = f_->view.get();
}

void EditTest::cleanup() {
    f_.reset();
}

void EditTest::toolCommandsSetModeAndStatus() {
    struct {
        Cmd cmd;
        int mode;
        int cont;
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
        f_->st().selection = {99};
        tool(c.cmd);
        QCOMPARE(f_->st().toolMode, c.mode);
        QCOMPARE(f_->st().continuous, c.cont);
        QCOMPARE(status(), std::string(c.status));
        QVERIFY(f_->st().selection.empty());
        QVERIFY(view_->commandEnabled(c.cmd));
        QVERIFY(view_->commandChecked(c.cmd));
    }
    doc_->setCompiled(1);
    QVERIFY(!view_->commandEnabled(Cmd::ToolPlace));
    view_->runCommand(Cmd::ToolPlace);
    QCOMPARE(f_->st().toolMode, int(EditState::kModeDelete));
}

void EditTest::continuousPlacementBuildsAChain() {
    tool(Cmd::ToolContinuous);
    click({100, 100});
    QCOMPARE(status(), std::string("連続配置：トランジションを配置してください"));
    click({200, 100});
    QCOMPARE(status(), std::string("連続配置：プレースを配置してください"));
    click({300, 100});
    QCOMPARE(status(), std::string("連続配置：トランジションを配置してください"));
    QCOMPARE(net().objects().size(), size_t(3));
    const QPoint c0 = f_->r().toCanvas({100, 100});
    QCOMPARE(net().objects().at(1), (VObject{kPlace, c0.x(), c0.y()}));
    QCOMPARE(net().objects().at(2).kind, int(kTransition));
    QCOMPARE(net().objects().at(3).kind, int(kPlace));
    QVERIFY(net().findArc(1, 2));
    QVERIFY(net().findArc(2, 3));
    QCOMPARE(net().arcs().size(), size_t(2));
    // The new place waits as the next arc's source; the snapshot is the net before the last click.
    QVERIFY(f_->st().arcPending);
    QCOMPARE(f_->st().arcSource, 3);
    QCOMPARE(undoNet().objects().size(), size_t(2));
    QCOMPARE(undoNet().arcs().size(), size_t(1));
    // A double click drops the pending arc; clicking on an existing transition starts from it.
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, {300, 200});
    QVERIFY(!f_->st().arcPending);
}

void EditTest::uhziChainConnectsToTheNextPlace() {
    tool(Cmd::ToolUhzi);
    click({100, 100});
    QCOMPARE(net().kindOf(1), int(kUhzi));
    QVERIFY(f_->st().arcPending);
    QCOMPARE(f_->st().arcSource, 1);
    QCOMPARE(f_->st().toolMode, int(EditState::kModePlace));
    QCOMPARE(status(), std::string("接続先のプレースを選択してください"));
    click({200, 100});
    QCOMPARE(net().kindOf(2), int(kPlace));
    QVERIFY(net().findArc(1, 2));
    QCOMPARE(f_->st().toolMode, int(EditState::kModeTransition));
    // The uhzi tool never starts an arc from an existing object.
    tool(Cmd::ToolUhzi);
    click(at(2));
    QVERIFY(!f_->st().arcPending);
    QCOMPARE(net().objects().size(), size_t(2));
}

void EditTest::bendPointsInOrderAndCancelled() {
    const int p = net().addObject(100, 200, kPlace);
    const int t = net().addObject(300, 200, kTransition);
    f_->r().setRebuild();
    tool(Cmd::ToolArc);
    click(at(p));
    QCOMPARE(status(), std::string("接続先のトランジションもしくはケムマキを選択してください"));
    click({150, 60});
    click({250, 80});
    QCOMPARE(f_->st().bendPoints.size(), size_t(2));
    move(at(t));
    QCOMPARE(f_->st().arcTarget, t);
    click(at(t));
    const int a = onlyArc();
    QVERIFY(a);
    const QPoint b1 = f_->r().toCanvas({150, 60}), b2 = f_->r().toCanvas({250, 80});
    QCOMPARE(net().arcs().at(a).bendPoints, (std::vector<Point>{{b1.x(), b1.y()}, {b2.x(), b2.y()}}));
    QVERIFY(!f_->st().arcPending);
    QVERIFY(f_->st().bendPoints.empty());
    // An arc back from the transition: bend points, then a double click drops them all.
    click(at(t));
    QCOMPARE(status(), std::string("接続先のプレースを選択してください"));
    click({200, 300});
    click({220, 320});
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, {240, 320});
    QVERIFY(!f_->st().arcPending);
    QVERIFY(f_->st().bendPoints.empty());
    QCOMPARE(f_->st().arcSource, 0);
    click(at(p));  // now a new arc from the place, not the end of the cancelled one
    QCOMPARE(net().arcs().size(), size_t(1));
    QCOMPARE(f_->st().arcSource, p);
}

void EditTest::invalidTargetsAreRefused() {
    const int p1 = net().addObject(100, 100, kPlace);
    const int p2 = net().addObject(200, 100, kPlace);
    const int u = net().addObject(300, 100, kUhzi);
    const int k = net().addObject(300, 250, kKemmakix);
    const int t = net().addObject(100, 250, kTransition);
    const int t2 = net().addObject(200, 250, kTransition);
    f_->r().setRebuild();
    tool(Cmd::ToolArc);
    click(at(p1));
    for (int bad : {p1, p2, u}) {
        move(at(bad));
        QCOMPARE(f_->st().arcTarget, 0);
        click(at(bad));
        QVERIFY(f_->st().arcPending);
    }
    QVERIFY(net().arcs().empty());
    QVERIFY(f_->st().bendPoints.empty());
    click(at(k));  // a kemmakix takes arcs from places
    QVERIFY(net().findArc(p1, k));
    click(at(t));
    for (int bad : {t2, u, k, t}) click(at(bad));
    QVERIFY(f_->st().arcPending);
    QCOMPARE(net().arcs().size(), size_t(1));
    click(at(p2));
    QVERIFY(net().findArc(t, p2));
}

void EditTest::dragFromSourceToTarget() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(300, 100, kTransition);
    f_->r().setRebuild();
    tool(Cmd::ToolArc);
    QTest::mousePress(vp(), Qt::LeftButton, {}, at(p));
    move({200, 100}, Qt::LeftButton);
    QCOMPARE(f_->st().arcTarget, 0);
    move(at(t), Qt::LeftButton);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, at(t));
    QVERIFY(net().findArc(p, t));
    QCOMPARE(status(), std::string());
}

void EditTest::rubberBandWithAndWithoutShift() {
    const int a = net().addObject(100, 100, kPlace);
    const int b = net().addObject(200, 150, kTransition);
    const int c = net().addObject(350, 300, kPlace);
    f_->r().setRebuild();
    const auto band = [&](QPoint from, QPoint to, Qt::KeyboardModifiers m = {}) {
        QTest::mousePress(vp(), Qt::LeftButton, m, from);
        QCOMPARE(status(), std::string("トラッキング中..."));
        move(to, Qt::LeftButton);
        QTest::mouseRelease(vp(), Qt::LeftButton, m, to);
    };
    tool(Cmd::ToolHand);
    band(f_->r().toClient(60, 60), f_->r().toClient(200, 150));  // border included
    QCOMPARE(f_->st().selection, (std::set<int>{a, b}));
    QCOMPARE(status(), std::string("2 個のオブジェクトが選択されました"));
    QCOMPARE(f_->st().selectionRect, QRect(QPoint(80, 80), QPoint(220, 170)));
    QTest::keyPress(view_, Qt::Key_Shift);
    band(f_->r().toClient(320, 270), f_->r().toClient(380, 330));
    QTest::keyRelease(view_, Qt::Key_Shift);
    QCOMPARE(f_->st().selection, (std::set<int>{a, b, c}));
    band(f_->r().toClient(320, 270), f_->r().toClient(380, 330));
    QCOMPARE(f_->st().selection, (std::set<int>{c}));
    band(f_->r().toClient(5, 5), f_->r().toClient(20, 20));
    QVERIFY(f_->st().selection.empty());
    QVERIFY(f_->st().selectionRect.isEmpty());
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
    move(at(t));
    QCOMPARE(status(), std::string("このトランジションを削除しますか？"));
    move({300, 300});
    QCOMPARE(status(), std::string("削除するオブジェクトを選択してください"));
    click(at(p));
    QVERIFY(net().tokens().empty());
    QVERIFY(net().objects().count(p));
    QCOMPARE(undoNet().tokens().size(), size_t(1));
    click(at(p));
    QVERIFY(!net().objects().count(p));
    QVERIFY(net().arcs().empty());
    QVERIFY(net().outArcs().empty() && net().inArcs().empty());
    QCOMPARE(undoNet().arcs().size(), size_t(1));
    click({300, 300});  // nothing there: no change, no snapshot
    QCOMPARE(undoNet().objects().size(), size_t(2));
}

void EditTest::tokenColourAndValue() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    f_->r().setRebuild();
    tool(Cmd::ToolToken);
    move(at(p));
    QCOMPARE(status(), std::string("ここにトークンを配置しますか？"));
    move(at(t));
    QCOMPARE(status(), std::string("トークンを配置するプレースを選択してください"));
    click(at(t));
    QVERIFY(net().tokens().empty());
    click(at(p));
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 0}));
    net().setToken(p, kBlack, 1);
    click(at(p));  // a place that has a token keeps it
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 1}));
    QTest::mouseClick(vp(), Qt::RightButton, {}, at(p));
    QCOMPARE(net().tokens().at(p), (Token{kWhite, 1}));
    QTest::mouseClick(vp(), Qt::RightButton, {}, at(p));
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 1}));
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, at(p));
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 0}));
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, at(p));
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 1}));
    net().setToken(p, kBlack, 7);  // read from a file, drawn "X": the toggle starts again from 0
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, at(p));
    QCOMPARE(net().tokens().at(p), (Token{kBlack, 0}));
}

void EditTest::groupDragMovesBendPoints() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    const int far = net().addObject(300, 300, kPlace);
    const int a = net().addArc(p, t, {{150, 50}});
    const int back = net().addArc(t, far, {{250, 250}});
    f_->r().setRebuild();
    tool(Cmd::ToolHand);
    QTest::mousePress(vp(), Qt::LeftButton, {}, f_->r().toClient(50, 50));
    move(f_->r().toClient(220, 120), Qt::LeftButton);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, f_->r().toClient(220, 120));
    QCOMPARE(f_->st().selection, (std::set<int>{p, t}));
    const QRect before = f_->st().selectionRect;
    f_->st().selection.insert(999);  // a dangling id is carried along harmlessly
    const QPoint grip = at(p);
    QTest::mousePress(vp(), Qt::LeftButton, {}, grip);
    QCOMPARE(f_->st().cursorRole, int(EditState::kCursorDrag));
    move(grip + QPoint(15, 5), Qt::LeftButton);
    move(grip + QPoint(30, 20), Qt::LeftButton);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, grip + QPoint(30, 20));
    QCOMPARE(f_->st().cursorRole, int(EditState::kCursorHand));
    QCOMPARE(net().objects().at(p), (VObject{kPlace, 130, 120}));
    QCOMPARE(net().objects().at(t), (VObject{kTransition, 230, 120}));
    QCOMPARE(net().objects().at(far), (VObject{kPlace, 300, 300}));
    QCOMPARE(net().arcs().at(a).bendPoints, (std::vector<Point>{{180, 70}}));
    QCOMPARE(net().arcs().at(back).bendPoints, (std::vector<Point>{{280, 270}}));  // leaves a selected object
    QCOMPARE(f_->st().selectionRect, before.translated(30, 20));
    QCOMPARE(undoNet().objects().at(p).x, 100);
    // A single object outside the selection follows the cursor.
    QTest::mousePress(vp(), Qt::LeftButton, {}, at(far));
    move(f_->r().toClient(320, 280), Qt::LeftButton);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, f_->r().toClient(320, 280));
    QCOMPARE(net().objects().at(far), (VObject{kPlace, 320, 280}));
    QCOMPARE(f_->st().grabbedObject, 0);
}

void EditTest::onlyRealChangesAreMarkedAndUndone() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    f_->r().setRebuild();
    click(at(p));
    QTest::mouseDClick(vp(), Qt::LeftButton, {}, at(t));
    f_->st().selection.clear();
    view_->runCommand(Cmd::Delete);
    QVERIFY(!doc_->isModified());
    QVERIFY(!view_->commandEnabled(Cmd::Undo));
    // A drag of one object is one step, taken before it first moved.
    const QPoint grip = at(p);
    QTest::mousePress(vp(), Qt::LeftButton, {}, grip);
    move(grip + QPoint(10, 0), Qt::LeftButton);
    move(grip + QPoint(20, 0), Qt::LeftButton);
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, grip + QPoint(20, 0));
    QVERIFY(doc_->isModified());
    view_->runCommand(Cmd::Undo);
    QCOMPARE(net().objects().at(p), (VObject{kPlace, 100, 100}));
}

void EditTest::draggingPastTheEdgeScrolls() {
    const int p = net().addObject(100, 100, kPlace);
    f_->r().setRebuild();
    tool(Cmd::ToolHand);
    const QPoint s0 = f_->r().scrollPos();
    QTest::mousePress(vp(), Qt::LeftButton, {}, at(p));
    move({-5, 100}, Qt::LeftButton);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-10, 0));
    move({-5, 100}, Qt::LeftButton);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 0));
    move({100, vp()->height() + 3}, Qt::LeftButton);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 10));
    QTest::mouseRelease(vp(), Qt::LeftButton, {}, {100, 100});
    move({-5, 100});  // no drag, no scrolling
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 10));
}

void EditTest::variableMenus() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    const int q = net().addObject(300, 100, kPlace);
    net().transitions().at(t).functionText = "sum=a^b;carry=a&b;";
    f_->r().setRebuild();
    QString title;
    QStringList items;
    int choose = 0;
    f_->prompts.onMenu = [&](QMenu& m) -> QAction* {
        items.clear();
        QAction* pick = nullptr;
        const auto acts = m.actions();
        title = acts.isEmpty() ? QString() : acts.first()->text();
        for (QAction* a : acts) {
            if (a->data().toInt() > 36000) items << a->text();
            if (a->data().toInt() == 36000 + choose) pick = a;
        }
        return pick;
    };
    tool(Cmd::ToolArc);
    choose = 2;
    QTest::mouseClick(vp(), Qt::RightButton, {}, at(t));
    QCOMPARE(items, (QStringList{"sum", "carry"}));
    QVERIFY(f_->st().arcPending);
    QCOMPARE(f_->st().arcSource, t);
    QCOMPARE(status(), std::string("変数 carry の出力プレースを選択してください"));
    QCOMPARE(f_->st().varMenuMode, 0);
    click(at(q));
    QCOMPARE(net().arcs().at(net().findArc(t, q)).varName, std::string("carry"));
    click(at(p));
    choose = 2;
    QTest::mouseClick(vp(), Qt::RightButton, {}, at(t));
    QCOMPARE(items, (QStringList{"a", "b"}));
    QVERIFY(!f_->st().arcPending);
    QCOMPARE(net().arcs().at(net().findArc(p, t)).varName, std::string("b"));
    // Dismissing the menu changes nothing.
    click(at(p));
    choose = 0;
    QTest::mouseClick(vp(), Qt::RightButton, {}, at(t));
    QVERIFY(f_->st().arcPending);
    QCOMPARE(net().arcs().size(), size_t(2));
}

void EditTest::contextMenus() {
    const int p = net().addObject(100, 100, kPlace);
    f_->r().setRebuild();
    QStringList texts;
    f_->prompts.onMenu = [&](QMenu& m) -> QAction* {
        texts.clear();
        for (QAction* a : m.actions()) texts << a->text();
        return nullptr;
    };
    tool(Cmd::ToolPlace);
    QTest::mouseClick(vp(), Qt::RightButton, {}, at(p));
    QCOMPARE(texts, (QStringList{"Generic", u8("コピー"), u8("切り取り"), u8("削除"), u8("整列")}));
    QCOMPARE(f_->st().selection, (std::set<int>{p}));
    QTest::mouseClick(vp(), Qt::RightButton, {}, {300, 300});
    QCOMPARE(texts, (QStringList{u8("貼り付け"), u8("連続配置"), u8("整列")}));
}

void EditTest::keysAndEscape() {
    const QPoint s0 = f_->r().scrollPos();
    QTest::keyClick(view_, Qt::Key_Right);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(40, 0));
    QTest::keyClick(view_, Qt::Key_Up);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(40, -40));
    QTest::keyPress(view_, 's');
    QCOMPARE(f_->st().keyState, int('s'));
    QTest::keyClick(view_, Qt::Key_Up);
    QCOMPARE(f_->r().extraLevel(), 1);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(40, -40));
    QTest::keyRelease(view_, Qt::Key_S);
    QCOMPARE(f_->st().keyState, 0);
    // With Space held the arrows move by the object-drawing level.
    QTest::keyPress(view_, Qt::Key_Space);
    QTest::keyClick(view_, Qt::Key_Down);
    QTest::keyRelease(view_, Qt::Key_Space);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(40, 40));
    QTest::keyPress(view_, Qt::Key_Control);
    QCOMPARE(f_->st().keyState, 17);
    QTest::keyRelease(view_, Qt::Key_Control);
    // Escape leaves nothing pending.
    const int p = net().addObject(100, 100, kPlace);
    f_->r().setRebuild();
    tool(Cmd::ToolArc);
    click(at(p));
    click({200, 200});
    f_->st().selection = {p};
    QTest::keyClick(view_, Qt::Key_Escape);
    QCOMPARE(f_->st().toolMode, 0);
    QVERIFY(!f_->st().arcPending && f_->st().bendPoints.empty() && f_->st().selection.empty());
    // Space held: a click is only a click, nothing is placed.
    tool(Cmd::ToolPlace);
    QTest::keyPress(view_, Qt::Key_Space);
    click({300, 300});
    QTest::keyRelease(view_, Qt::Key_Space);
    QCOMPARE(net().objects().size(), size_t(1));
    click({300, 300});
    QCOMPARE(net().objects().size(), size_t(2));
}

void EditTest::panningAndCoordinates() {
    QPoint shown;
    connect(view_, &CNOVRAView::coordinatesChanged, this, [&](int x, int y) { shown = QPoint(x, y); });
    move({123, 45});
    QCOMPARE(shown, f_->r().toCanvas({123, 45}));
    const QPoint s0 = f_->r().scrollPos();
    QTest::mousePress(vp(), Qt::MiddleButton, {}, {200, 200});
    QCOMPARE(f_->st().cursorRole, int(EditState::kCursorPan));
    move({230, 190}, Qt::MiddleButton);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-30, 10));  // the canvas follows the hand
    QTest::mouseRelease(vp(), Qt::MiddleButton, {}, {230, 190});
    QVERIFY(!f_->st().panning);
    // Ctrl with the right button pans too, and no menu comes up.
    bool menu = false;
    f_->prompts.onMenu = [&](QMenu&) -> QAction* {
        menu = true;
        return nullptr;
    };
    QTest::keyPress(view_, Qt::Key_Control);
    QTest::mousePress(vp(), Qt::RightButton, {}, {100, 100});
    move({90, 100}, Qt::RightButton);
    QTest::mouseRelease(vp(), Qt::RightButton, {}, {90, 100});
    QTest::keyRelease(view_, Qt::Key_Control);
    QCOMPARE(f_->r().scrollPos(), s0 + QPoint(-20, 10));
    QVERIFY(!menu && !f_->st().panning);
    // A pan never places anything, and the tool still works afterwards.
    tool(Cmd::ToolPlace);
    QTest::mousePress(vp(), Qt::MiddleButton, {}, {200, 200});
    click({150, 150});
    QTest::mouseRelease(vp(), Qt::MiddleButton, {}, {200, 200});
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
    QCOMPARE(f_->st().tooltipText, QString("o1=i1;//copy"));
    QCOMPARE(f_->st().tooltipObject, t);
    move(at(p));
    QCOMPARE(f_->st().tooltipObject, 0);
    move({300, 300});
    QVERIFY(f_->st().tooltipText.isEmpty());

    // A long function with markup-like text shows as written, wrapped within 300 pixels on white.
    std::string longText = "o1=i1<i2;//";
    for (int i = 0; i < 40; ++i) longText += "word ";
    net().transitions().at(t).functionText = longText;
    move(at(t));
    // Asks for the tooltip as the platform would and returns the label it shows.
    const auto showTip = [&]() -> QWidget* {
        QHelpEvent help(QEvent::ToolTip, at(t), vp()->mapToGlobal(at(t)));
        QCoreApplication::sendEvent(vp(), &help);
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->inherits("QTipLabel") && w->isVisible()) return w;
        return nullptr;
    };
    QWidget* tip = showTip();
    QVERIFY(tip);
    auto* label = qobject_cast<QLabel*>(tip);
    QVERIFY(label);
    QVERIFY(label->text().contains("o1=i1&lt;i2"));
    QVERIFY(tip->width() <= 300);
    QVERIFY(tip->width() > 250);                               // wraps at the tooltip's width, not earlier
    QVERIFY(tip->height() > 2 * tip->fontMetrics().height());  // wrapped onto several lines
    QCOMPARE(tip->palette().color(QPalette::Window), QColor(Qt::white));
    QToolTip::hideText();
    // A short function keeps a small tooltip.
    net().transitions().at(t).functionText = "o1=i1;";
    move({300, 300});
    move(at(t));
    tip = showTip();
    QVERIFY(tip);
    QVERIFY(tip->width() < 150);
    QToolTip::hideText();
}

void EditTest::compiledNetTakesSimulationTokensOnly() {
    const int p = net().addObject(100, 100, kPlace);
    f_->r().setRebuild();
    tool(Cmd::ToolDelete);
    doc_->setCompiled(1);
    net().places().at(p).lastColor = kWhite;
    click(at(p));
    QVERIFY(net().objects().count(p));  // the delete tool does nothing on a compiled net
    QCOMPARE(net().places().at(p).hasToken, true);
    QCOMPARE(net().places().at(p).color, int(kBlack));
    QCOMPARE(net().places().at(p).value, 0);
    QTest::mouseClick(vp(), Qt::RightButton, {}, at(p));
    QCOMPARE(net().places().at(p).color, int(kWhite));
    QCOMPARE(net().places().at(p).value, 1);
    QVERIFY(net().tokens().empty());
}

QTEST_MAIN(EditTest)
#include "edit_test.moc"
