// The edit commands on the real view inside the main window, from the menu and from context menus:
// clipboard, continuous paste, delete, align (scripts in tests/data/ui/commands.txt), undo and Verilog
// output (what the dialog's answers do; the files themselves and the names refused are tested in
// tests/verilog).
#include <QtTest>
#include <memory>

#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using namespace novra::ui::testing;

class CommandsTest : public UiTest {
    Q_OBJECT
  private slots:
    void init();
    void cleanup() { f_.reset(); }
    void scripts_data() { scriptRows("commands.txt"); }
    void scripts() {
        QFETCH(QString, script);
        PLAY(script);
    }
    void undoAfterPasteAndStopOptions();

  private:
    CMainFrame* frame_ = nullptr;
    // A place with a black token and a transition, joined by an arc with a bend point and a label.
    void smallNet() { addToNet(net(), "p100,100=B1 t180,100 1>2/i1:140,60"); }
};

void CommandsTest::init() {
    f_ = std::make_unique<Fixture>(true, 700, 600);
    frame_ = f_->frame.get();
    f_->r().setScrollPos({0, 0});
    f_->r().renderFrame();
    f_->prompts.defaultSaveChanges = QMessageBox::Discard;
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

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
