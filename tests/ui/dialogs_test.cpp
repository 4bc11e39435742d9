// The property dialogs and the settings dialog: what they show, what OK and Cancel keep, the input they
// refuse (scripts in tests/data/ui/dialogs.txt), and that a dialog stays with its object.
#include "ui/dialogs/dialogs.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>
#include <memory>

#include "common/messages.h"
#include "ui/messagebar.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::control;
using novra::ui::testing::u8;

namespace {
QString ok(QWidget* d) {
    return novra::ui::testing::pressWithMessage(d);
}
QPlainTextEdit* text(QWidget* d, const char* id) {
    return control<QPlainTextEdit>(d, id);
}
}  // namespace

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
    void dialogsBelongToTheirObject();
};

void DialogsTest::dialogsBelongToTheirObject() {
    f_ = std::make_unique<testing::Fixture>(true, 0);
    CMainFrame& frame = *f_->frame;
    CNOVRAView* view = f_->view;
    CNOVRADoc* doc = f_->doc.get();
    const int p = net().addObject(60, 100, kPlace);
    const int t = net().addObject(160, 100, kTransition);
    const int q = net().addObject(260, 100, kPlace);
    net().addArc(p, t);
    net().addArc(t, q);
    net().setToken(p, kBlack, 0);
    view->renderer().setRebuild();
    QAction* undo = frame.action(Cmd::Undo);
    // A double click on the transition; a second one brings the same dialog forward.
    const auto open = [&] {
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->renderer().toClient(160, 100));
        QList<CTransitionDialog*> shown;
        for (auto* d : view->findChildren<CTransitionDialog*>())
            if (d->isVisible()) shown << d;
        return shown.size() == 1 ? shown.first() : nullptr;
    };
    QPointer<CTransitionDialog> d = open();
    QVERIFY(d);
    QCOMPARE(open(), d.data());
    control<QPushButton>(d, "1")->click();  // nothing changed: no mark, no undo copy
    QVERIFY(!doc->isModified() && !undo->isEnabled());
    // Compiled under typed text: the text stays, read-only, and OK says why it was not applied.
    d = open();
    auto* edit = text(d, "1022");
    edit->setPlainText("o1=i1;//typed");
    frame.runCommand(Cmd::Compile);
    QVERIFY(doc->compiled() && edit->isReadOnly());
    QVERIFY(ok(d).contains(u8("コンパイル中")));
    QVERIFY(d->isVisible() && net().transitions().at(t).functionText == "o1=i1;");
    frame.runCommand(Cmd::Abort);
    QVERIFY(!edit->isReadOnly());
    QCOMPARE(ok(d), QString());
    QCOMPARE(net().transitions().at(t).functionText, std::string("o1=i1;//typed"));
    QVERIFY(doc->isModified() && undo->isEnabled());
    // Undo takes back OK's change; an open dialog goes with what it showed and says its text was dropped.
    view->interaction().state().selection = {p};
    frame.runCommand(Cmd::Delete);
    d = open();
    text(d, "1022")->setPlainText("o1=i1;//again");
    control<QPushButton>(d, "1")->click();
    frame.updateCommands();
    QCOMPARE(undo->text(), u8("元に戻す：トランジション関数(&U)"));
    d = open();
    text(d, "1022")->setPlainText("o1=i1;//lost");
    frame.runCommand(Cmd::Undo);
    QVERIFY(!d || !d->isVisible());
    QCOMPARE(net().transitions().at(t).functionText, std::string("o1=i1;//typed"));
    QVERIFY(frame.messageBar()->logText().contains(u8("オブジェクト 2 が削除されたか置き換えられたため")));
    // Deleting the object closes its dialog.
    d = open();
    QVERIFY(d);
    view->interaction().state().selection = {t};
    frame.runCommand(Cmd::Delete);
    QVERIFY(!d || !d->isVisible());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
