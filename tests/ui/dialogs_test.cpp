// The property dialogs and the settings dialog: what they show, what OK and Cancel keep and the input they
// refuse, as scripts in tests/data/ui/dialogs.txt. (That a dialog stays with its object is a script of
// commands.txt, on the window.)
#include <QtTest>
#include <memory>

#include "ui_support.h"

using namespace novra;
using namespace novra::ui;

class DialogsTest : public testing::UiTest {
    Q_OBJECT
  private slots:
    void init() { setNmode(0); }
    void cleanup() {
        f_.reset();
        setNmode(0);
    }
    void scripts_data() { testing::scriptRows("dialogs.txt"); }
    void scripts() {
        QFETCH(QString, script);
        f_ = std::make_unique<testing::Fixture>(false, -1);  // the dialogs need no canvas on screen
        PLAY(script);
    }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
