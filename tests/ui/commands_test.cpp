// The edit commands on the real view inside the main window, from the menu and from context menus:
// clipboard, continuous paste, delete, align, undo (scripts in tests/data/ui/commands.txt) and Verilog
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
};

void CommandsTest::init() {
    f_ = std::make_unique<Fixture>(true, 700, 600);
    f_->r().setScrollPos({0, 0});
    f_->r().renderFrame();
    f_->prompts.defaultSaveChanges = QMessageBox::Discard;
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
