// The edit commands on the real view inside the main window, from the menu and from context menus:
// clipboard, continuous paste, delete, align, undo and Verilog output (what the dialog's answers do; the
// files themselves and the names refused are tested in tests/verilog).
#include <QDir>
#include <QtTest>
#include <memory>

#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::u8;
using novra::ui::testing::WindowFixture;

class CommandsTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup() { f_.reset(); }
    void copyPasteAndWhatContextMenusOffer();
    void continuousPasteCountsAndSpacing();
    void alignSnapsToTheGridAtZoomZeroOnly();
    void undoAfterPasteAndStopOptions();
    void verilogIntoMissingAndRealFolders();

  private:
    std::unique_ptr<WindowFixture> f_;
    CMainFrame* frame_ = nullptr;
    CNet& net() { return f_->net(); }
    QPoint at(int x, int y) { return f_->r().toClient(x, y); }
    QPoint xy(int id) { return {net().objects().at(id).x, net().objects().at(id).y}; }
    void run(Cmd c) { frame_->runCommand(c); }
    // A right click that chooses a command from the context menu it opens; the menu's entries, "-" before
    // each one shown disabled.
    QStringList rightClick(QPoint p, Cmd choose) {
        f_->prompts.chooseCmd(choose);
        testing::click(*f_->view, p, Qt::RightButton);
        f_->prompts.menus.clear();
        return f_->prompts.lastMenu;
    }
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
    frame_ = f_->frame.get();
    f_->r().setScrollPos({0, 0});
    f_->r().renderFrame();
    f_->prompts.defaultSaveChanges = QMessageBox::Discard;
}

// What the context menus offer is what the main menu would: nothing shown enabled does nothing.
void CommandsTest::copyPasteAndWhatContextMenusOffer() {
    smallNet();
    f_->view->runCommand(Cmd::ToolHand);
    QVERIFY(!frame_->commandEnabled(Cmd::Paste));  // nothing copied yet
    QCOMPARE(rightClick(at(400, 300), Cmd::Paste),
             (QStringList{u8("-貼り付け"), u8("-連続配置"), u8("整列")}));
    QCOMPARE(net().objects().size(), size_t(2));
    // On an object outside the selection: it alone is selected.
    f_->r().setRebuild();
    f_->view->runCommand(Cmd::ToolPlace);
    QCOMPARE(rightClick(at(100, 100), Cmd(0)),
             (QStringList{"-Generic", u8("コピー"), u8("切り取り"), u8("削除"), u8("整列")}));
    QCOMPARE(f_->st().selection, (std::set<int>{1}));
    f_->view->runCommand(Cmd::ToolHand);
    f_->st().selection = {1, 2};
    f_->st().selectionRect = QRect(QPoint(80, 80), QPoint(200, 120));
    rightClick(at(100, 100), Cmd::Copy);
    QVERIFY(frame_->commandEnabled(Cmd::Paste));
    // Pasting without a new press lands exactly over the originals.
    f_->st().selection.clear();
    f_->st().selectionRect = QRect();
    run(Cmd::Paste);
    QCOMPARE(f_->st().selection, (std::set<int>{3, 4}));
    QVERIFY(xy(3) == xy(1) && xy(4) == xy(2) && f_->doc->isModified());
    // A right click on empty canvas 100 to the right and 40 down moves the paste by that much.
    f_->st().selection.clear();
    f_->st().selectionRect = QRect();
    QCOMPARE(rightClick(at(200, 140), Cmd::Paste), (QStringList{u8("貼り付け"), u8("連続配置"), u8("整列")}));
    QCOMPARE(f_->st().selection, (std::set<int>{5, 6}));
    QVERIFY(xy(5) == QPoint(200, 140) && xy(6) == QPoint(280, 140));
    QCOMPARE(net().arcs().at(net().findArc(5, 6)).bendPoints, (std::vector<Point>{{240, 100}}));
    QCOMPARE(net().arcs().at(net().findArc(1, 2)).bendPoints[0].x, 140);  // the originals stay
    // Zoomed out, Align is offered disabled and does nothing.
    f_->view->runCommand(Cmd::ZoomOut);
    QCOMPARE(rightClick(at(400, 300), Cmd(0)).last(), u8("-整列"));
    QCOMPARE(rightClick(at(100, 100), Cmd::Align).last(), u8("-整列"));
    net().moveObject(1, 57, -3);
    rightClick(at(400, 300), Cmd::Align);
    QCOMPARE(xy(1), QPoint(57, -3));
}

void CommandsTest::continuousPasteCountsAndSpacing() {
    net().addObject(100, 100, kPlace);
    f_->st().selection = {1};
    run(Cmd::Copy);
    f_->prompts.numbers = {3};
    run(Cmd::PasteHorizontal);
    QCOMPARE(f_->prompts.asked.last(), u8("number:配置数:1"));
    QCOMPARE(f_->st().selection, (std::set<int>{2, 3, 4}));
    // A single place: 20 + 20 + 40 apart.
    QVERIFY(xy(2) == QPoint(100, 100) && xy(3) == QPoint(180, 100) && xy(4) == QPoint(260, 100));
    f_->prompts.numbers = {2};
    run(Cmd::PasteVertical);
    QVERIFY(net().objects().size() == 6 && xy(6) == QPoint(100, 180));
    for (int n : {0, 101, -1}) {
        f_->prompts.numbers = {n};
        run(Cmd::PasteHorizontal);
        QCOMPARE(net().objects().size(), size_t(6));
    }
}

void CommandsTest::alignSnapsToTheGridAtZoomZeroOnly() {
    net().addObject(57, -3, kPlace);
    net().addObject(40, 0, kTransition);
    net().addArc(1, 2, {{1, -41}});
    run(Cmd::Align);
    QVERIFY(xy(1) == QPoint(60, -20) && xy(2) == QPoint(60, -20));
    QCOMPARE(net().arcs().begin()->second.bendPoints, (std::vector<Point>{{20, -60}}));
    f_->view->settings().hatchSize = 50;
    net().moveObject(1, 57, -3);
    run(Cmd::Align);
    QCOMPARE(xy(1), QPoint(70, -20));
    // Coordinates at the edge of the int range stay in range.
    net().moveObject(1, INT_MAX - 1, INT_MIN + 1);
    run(Cmd::Align);
    QVERIFY(xy(1).x() > 0 && xy(1).y() < 0);
}

void CommandsTest::undoAfterPasteAndStopOptions() {
    smallNet();
    net().setSimTranOpt(2, true);
    QVERIFY(!frame_->commandEnabled(Cmd::Undo));
    f_->st().selection = {1, 2};
    run(Cmd::Copy);
    run(Cmd::Paste);
    QVERIFY(net().objects().size() == 4 && frame_->commandEnabled(Cmd::Undo));
    f_->doc->setModified(false);
    run(Cmd::Undo);
    QVERIFY(net().objects().size() == 2 && net().arcs().size() == 1 && net().tokens().size() == 1);
    QCOMPARE(net().simTranOpt(), (std::set<int>{2}));  // the stop option comes back with its transition
    QVERIFY(f_->doc->isModified() && !frame_->commandEnabled(Cmd::Undo));
    run(Cmd::Redo);  // back to the net as saved
    QVERIFY(net().objects().size() == 4 && !f_->doc->isModified());
}

void CommandsTest::verilogIntoMissingAndRealFolders() {
    QTemporaryDir out;
    const QString missing = out.filePath("no/such/folder");
    QString folder = missing;
    int asked = 0;
    f_->prompts.verilog = [&](CNOVRADoc& d, double& delay) {
        ++asked;
        d.settings().verilogOutDirs.insert(d.settings().verilogOutDirs.begin(), folder);
        d.settings().verilogOutModuleName = "pipe_top";
        delay = 0.5;
        return true;
    };
    QVERIFY(f_->doc->openDocument(NOVRA_SOURCE_DIR "/examples/pipeline.pol"));
    run(Cmd::VerilogOutput);
    QVERIFY(asked == 1 && f_->log().contains(u8("フォルダが存在しません")));
    const auto& dirs = f_->doc->settings().verilogOutDirs;
    QVERIFY(std::find(dirs.begin(), dirs.end(), missing) == dirs.end());
    // A folder that exists gets a folder of the top module's name, made in edit mode.
    folder = out.path();
    frame_->clearLog();
    run(Cmd::VerilogOutput);
    const QDir made(out.filePath("pipe_top"));
    QVERIFY2(f_->log().trimmed().endsWith(u8("verilogに出力しました")), qPrintable(f_->log()));
    QVERIFY(!f_->doc->compiled());            // back in edit mode
    QFile data(made.filePath("delay.data"));  // the dialog's delay margin reaches the files
    QVERIFY(data.open(QIODevice::ReadOnly) && data.readLine().contains(",0.500000;"));
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
