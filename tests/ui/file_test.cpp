// File commands of the real main window: quick save and load, open and save, the question about unsaved
// changes, dropped files and recent files (scripts in tests/data/ui/file.txt), and the net that undo and
// open dialogs belong to. Every question is answered by a test hook, never a popup.
#include <QPlainTextEdit>
#include <QtTest>
#include <memory>

#include "fileio/fileio.h"
#include "ui/dialogs/dialogs.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::Fixture;
using novra::ui::testing::u8;

class FileTest : public novra::ui::testing::UiTest {
    Q_OBJECT
  private slots:
    void init() { f_ = std::make_unique<Fixture>(true, 0); }
    void cleanup() {
        f_->doc->setModified(false);  // nothing to ask when the window goes
        f_.reset();
    }
    void scripts_data() { novra::ui::testing::scriptRows("file.txt"); }
    void scripts() {
        QFETCH(QString, script);
        PLAY(script);
    }
    void recentFilesOutliveTheWindow();
    void undoAndDialogsStayWithTheirNet();
};

void FileTest::recentFilesOutliveTheWindow() {
    PLAY("savenet a.pol 1\nanswer open a.pol\ndo Open");
    f_->frame.reset();
    f_->frame = std::make_unique<CMainFrame>(f_->doc.get());
    QCOMPARE(f_->frame->recentFiles(), QStringList{f_->files.filePath("a.pol")});
}

void FileTest::undoAndDialogsStayWithTheirNet() {
    CMainFrame* frame = f_->frame.get();
    CNOVRAView* view = f_->view;
    CNet b;
    b.addObject(100, 100, kTransition);
    b.transitions().at(1).functionText = "o1=i1;//B";
    fileio::save(b, f_->files.filePath("b.pol").toStdString());
    PLAY("quickpath temp.pol\nanswer open b.pol\nanswer changes Discard\n"
         "answer clearall 1");
    QFile::copy(f_->files.filePath("b.pol"), f_->files.filePath("temp.pol"));
    frame->runCommand(Cmd::Open);  // on the recent list from now on
    QAction* undo = frame->action(Cmd::Undo);
    const std::function<void()> ways[] = {
        [&] { frame->runCommand(Cmd::Open); },      [&] { frame->runCommand(Cmd::RecentFile); },
        [&] { frame->runCommand(Cmd::QuickLoad); }, [&] { PLAY("drop b.pol"); },
        [&] { frame->runCommand(Cmd::New); },       [&] { frame->runCommand(Cmd::ClearAll); }};
    for (int way = 0; way < 6; ++way) {
        // A: transition 1 as in B, one edit with the mouse, and the transition's dialog holding typed text.
        f_->doc->newDocument();
        net().addObject(100, 100, kTransition);
        view->renderer().renderFrame();
        view->runCommand(Cmd::ToolPlace);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->renderer().toClient(220, 220));
        QVERIFY(undo->isEnabled());
        QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, view->renderer().toClient(100, 100));
        QPointer<CTransitionDialog> d = view->findChild<CTransitionDialog*>();
        QVERIFY(d && d->isVisible());
        d->findChild<QPlainTextEdit*>("1022")->setPlainText("o1=i1;//A");
        frame->clearLog();
        if (way == 5) f_->doc->setModified(false);  // Clear all marks the net by itself
        ways[way]();
        // Clear all is a step of the history; every other way starts the history again.
        QVERIFY2((!d || !d->isVisible()) && undo->isEnabled() == (way == 5), qPrintable(QString::number(way)));
        QVERIFY(f_->log().contains(u8("オブジェクト 1 が削除されたか置き換えられたため")));
        frame->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame));
        QTest::keyClick(frame, Qt::Key_Z, Qt::ControlModifier);
        if (way < 4) QCOMPARE(net().transitions().at(1).functionText, std::string("o1=i1;//B"));
        QCOMPARE(net().objects().size(), size_t(way < 4 ? 1 : way == 4 ? 0 : 2));
        // Quick load leaves a net that is not the document's file; Clear all undone is the saved net.
        QCOMPARE(f_->doc->isModified(), way == 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QTEST_MAIN(FileTest)
#include "file_test.moc"
