// The edit commands on the real view inside the main window: clipboard, continuous paste, delete, align,
// undo and Verilog output.
#include <QDir>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "model/net.h"
#include "ui/doc.h"
#include "ui/mainframe.h"
#include "ui/messagebar.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::ScriptedPrompts;
using novra::ui::testing::u8;
using novra::ui::testing::WindowFixture;

namespace {}  // namespace

class CommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void copyAndPastePlacement();
    void continuousPasteCountsAndSpacing();
    void deleteRemovesObjectsArcsAndTokens();
    void alignSnapsToTheGridAtZoomZeroOnly();
    void undoAfterPasteAndStopOptions();
    void verilogIntoMissingAndRealFolders();
    void contextMenusFollowTheEnableRules();

  private:
    std::unique_ptr<WindowFixture> f_;
    CNOVRADoc* doc_ = nullptr;
    CMainFrame* frame_ = nullptr;
    CNOVRAView* view_ = nullptr;
    QStringList menuShown_;  // the items of the last context menu, "-" before each one shown disabled
    CNet& net() { return doc_->net(); }
    QPoint at(int x, int y) { return f_->r().toClient(x, y); }
    QPoint xy(int id) { return {net().objects().at(id).x, net().objects().at(id).y}; }
    // A right click that chooses a command from the context menu it opens.
    void rightClick(QPoint p, Cmd choose) {
        f_->prompts.chooseCmd(choose);
        QTest::mouseClick(view_->viewport(), Qt::RightButton, {}, p);
        f_->prompts.menus.clear();
        menuShown_ = f_->prompts.lastMenu;
    }
    QString log() { return frame_->messageBar()->logText(); }
    // A place with a black token and a transition, joined by an arc with a bend point and a label.
    void smallNet() {
        net().addObject(100, 100, kPlace);
        net().addObject(180, 100, kTransition);
        net().setToken(1, kBlack, 1);
        net().addArc(1, 2, {{140, 60}}, "i1");
    }
};

void CommandsTest::init() {
    f_ = std::make_unique<WindowFixture>(700, 600);
    doc_ = f_->doc.get();
    frame_ = f_->frame.get();
    view_ = frame_->view();
    f_->r().setScrollPos({0, 0});
    f_->r().renderFrame();
    f_->prompts.defaultSaveChanges = QMessageBox::Discard;
}

void CommandsTest::cleanup() {
    f_.reset();
}

void CommandsTest::copyAndPastePlacement() {
    smallNet();
    QVERIFY(!frame_->commandEnabled(Cmd::Paste));  // nothing copied yet
    view_->runCommand(Cmd::ToolHand);
    f_->st().selection = {1, 2};
    f_->st().selectionRect = QRect(QPoint(80, 80), QPoint(200, 120));
    rightClick(at(100, 100), Cmd::Copy);
    QCOMPARE(view_->document()->clipboard().objects().size(), size_t(2));
    QVERIFY(frame_->commandEnabled(Cmd::Paste));

    // Pasting without a new press lands exactly over the originals.
    frame_->runCommand(Cmd::Paste);
    QCOMPARE(f_->st().selection, (std::set<int>{3, 4}));
    QVERIFY(xy(3) == xy(1) && xy(4) == xy(2));
    QVERIFY(doc_->isModified());

    // A right click on empty canvas 100 to the right and 40 down moves the paste by that much.
    f_->st().selection.clear();
    f_->st().selectionRect = QRect();
    rightClick(at(200, 140), Cmd::Paste);
    QCOMPARE(f_->st().selection, (std::set<int>{5, 6}));
    QVERIFY(xy(5) == QPoint(200, 140) && xy(6) == QPoint(280, 140));
    QVERIFY(net().tokens().at(5).color == kBlack && net().tokens().at(5).value == 1);
    const CArc& arc = net().arcs().at(net().findArc(5, 6));
    QCOMPARE(arc.varName, std::string("i1"));
    QVERIFY(arc.bendPoints.size() == 1 && arc.bendPoints[0].x == 240 && arc.bendPoints[0].y == 100);
    QCOMPARE(net().arcs().at(net().findArc(1, 2)).bendPoints[0].x, 140);  // the originals stay
}

void CommandsTest::continuousPasteCountsAndSpacing() {
    net().addObject(100, 100, kPlace);
    f_->st().selection = {1};
    frame_->runCommand(Cmd::Copy);
    f_->prompts.numbers = {3};
    frame_->runCommand(Cmd::PasteHorizontal);
    QCOMPARE(f_->prompts.asked.last(), u8("number:配置数:1"));
    QCOMPARE(net().objects().size(), size_t(4));
    QCOMPARE(f_->st().selection, (std::set<int>{2, 3, 4}));
    // A single place: 20 + 20 + 40 apart.
    QVERIFY(xy(2) == QPoint(100, 100) && xy(3) == QPoint(180, 100) && xy(4) == QPoint(260, 100));

    f_->prompts.numbers = {2};
    frame_->runCommand(Cmd::PasteVertical);
    QCOMPARE(net().objects().size(), size_t(6));
    QCOMPARE(xy(6), QPoint(100, 180));

    const size_t before = net().objects().size();
    for (int n : {0, 101, -1}) {
        f_->prompts.numbers = {n};
        frame_->runCommand(Cmd::PasteHorizontal);
        QCOMPARE(net().objects().size(), before);
    }
}

void CommandsTest::deleteRemovesObjectsArcsAndTokens() {
    smallNet();
    net().addObject(300, 100, kPlace);
    net().addArc(2, 3);
    f_->st().selection = {1, 2, 77};  // 77 names nothing
    frame_->runCommand(Cmd::Delete);
    QCOMPARE(net().objects().size(), size_t(1));
    QVERIFY(net().objects().count(3));
    QVERIFY(net().arcs().empty());
    QVERIFY(net().tokens().empty() && net().inArcs().empty() && net().outArcs().empty());
    QVERIFY(f_->st().selection.empty());
}

void CommandsTest::alignSnapsToTheGridAtZoomZeroOnly() {
    net().addObject(57, -3, kPlace);
    net().addObject(40, 0, kTransition);
    net().addArc(1, 2, {{1, -41}});
    frame_->runCommand(Cmd::Align);
    QVERIFY(xy(1) == QPoint(60, -20) && xy(2) == QPoint(60, -20));
    const Point b = net().arcs().begin()->second.bendPoints[0];
    QCOMPARE(QPoint(b.x, b.y), QPoint(20, -60));

    view_->settings().hatchSize = 50;
    net().moveObject(1, 57, -3);
    frame_->runCommand(Cmd::Align);
    QCOMPARE(xy(1), QPoint(70, -20));

    // Coordinates at the edge of the int range stay in range.
    net().moveObject(1, INT_MAX - 1, INT_MIN + 1);
    frame_->runCommand(Cmd::Align);
    QVERIFY(net().objects().at(1).x > 0 && net().objects().at(1).y < 0);

    view_->runCommand(Cmd::ZoomOut);
    QCOMPARE(f_->r().zoomLevel(), 1);
    frame_->updateCommands();
    QVERIFY(!frame_->action(Cmd::Align)->isEnabled());
    net().moveObject(1, 57, -3);
    frame_->runCommand(Cmd::Align);
    QCOMPARE(net().objects().at(1).x, 57);
}

void CommandsTest::undoAfterPasteAndStopOptions() {
    smallNet();
    net().setSimTranOpt(2, true);
    QVERIFY(!frame_->commandEnabled(Cmd::Undo));
    f_->st().selection = {1, 2};
    frame_->runCommand(Cmd::Copy);
    frame_->runCommand(Cmd::Paste);
    QCOMPARE(net().objects().size(), size_t(4));
    QVERIFY(frame_->commandEnabled(Cmd::Undo));
    doc_->setModified(false);
    frame_->runCommand(Cmd::Undo);
    QVERIFY(net().objects().size() == 2 && net().arcs().size() == 1 && net().tokens().size() == 1);
    // The stop option of the transition comes back with it.
    QCOMPARE(net().simTranOpt(), (std::set<int>{2}));
    QVERIFY(doc_->isModified());
    QVERIFY(!frame_->commandEnabled(Cmd::Undo));
    frame_->runCommand(Cmd::Undo);
    QCOMPARE(net().objects().size(), size_t(2));
}

void CommandsTest::verilogIntoMissingAndRealFolders() {
    QTemporaryDir out;
    const QString missing = out.filePath("no/such/folder");
    QString folder = missing;
    QString top = "pipe_top";
    int asked = 0;
    f_->prompts.verilog = [&](CNOVRADoc& d, double& delay) {
        ++asked;
        d.settings().verilogOutDirs.insert(d.settings().verilogOutDirs.begin(), folder);
        d.settings().verilogOutModuleName = top;
        delay = 0.5;
        return true;
    };
    QVERIFY(doc_->openDocument(NOVRA_SOURCE_DIR "/examples/pipeline.pol"));
    frame_->runCommand(Cmd::VerilogOutput);
    QCOMPARE(asked, 1);
    QVERIFY(log().contains(u8("フォルダが存在しません")));
    QVERIFY(!QFileInfo::exists(out.filePath("no")));
    const auto& dirs = doc_->settings().verilogOutDirs;
    QVERIFY(std::find(dirs.begin(), dirs.end(), missing) == dirs.end());

    // A top name that would leave the chosen folder is refused before anything is made.
    folder = out.path();
    top = "../escape";
    frame_->runCommand(Cmd::VerilogOutput);
    QVERIFY(!QFileInfo::exists(QFileInfo(out.path()).dir().filePath("escape")));
    QCOMPARE(QDir(out.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).size(), 0);

    top = "pipe_top";
    frame_->clearLog();
    frame_->runCommand(Cmd::VerilogOutput);
    const QDir made(out.filePath("pipe_top"));
    for (const char* f : {"pipe.v", "transition.v", "pipe_top.v", "Makefile"}) QVERIFY2(made.exists(f), f);
    QVERIFY2(log().trimmed().endsWith(u8("verilogに出力しました")), qPrintable(log()));
    QCOMPARE(doc_->compiled(), false);        // back in edit mode
    QFile data(made.filePath("delay.data"));  // the dialog's delay margin reaches the files
    QVERIFY(data.open(QIODevice::ReadOnly));
    QVERIFY(data.readLine().contains(",0.500000;"));
}

// What the context menus offer is what the main menu would: nothing shown enabled does nothing.
void CommandsTest::contextMenusFollowTheEnableRules() {
    smallNet();
    view_->runCommand(Cmd::ToolHand);
    rightClick(at(400, 300), Cmd::Paste);
    QCOMPARE(menuShown_, (QStringList{u8("-貼り付け"), u8("-連続配置"), u8("整列")}));
    QCOMPARE(net().objects().size(), size_t(2));
    f_->st().selection = {1, 2};
    f_->st().selectionRect = QRect(QPoint(80, 80), QPoint(200, 120));
    rightClick(at(100, 100), Cmd::Copy);
    QCOMPARE(menuShown_.mid(1), (QStringList{u8("コピー"), u8("切り取り"), u8("削除"), u8("整列")}));
    rightClick(at(400, 300), Cmd(0));
    QCOMPARE(menuShown_, (QStringList{u8("貼り付け"), u8("連続配置"), u8("整列")}));
    view_->runCommand(Cmd::ZoomOut);
    rightClick(at(400, 300), Cmd(0));
    QCOMPARE(menuShown_.last(), u8("-整列"));
    rightClick(at(100, 100), Cmd::Align);
    QCOMPARE(menuShown_.last(), u8("-整列"));
    QCOMPARE(xy(1), QPoint(100, 100));
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
