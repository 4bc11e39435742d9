// File commands of the real main window: quick save and load, open and save, the question about unsaved
// changes and dropped files (scripts in tests/data/ui/file.txt), recent files, and the net that undo and
// open dialogs belong to. Every question is answered by a test hook, never a popup.
#include <QDropEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <QtTest>
#include <memory>

#include "fileio/fileio.h"
#include "ui/dialogs/dialogs.h"
#include "ui/edit_commands.h"
#include "ui/messagebar.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::ScriptedPrompts;
using novra::ui::testing::TempIni;
using novra::ui::testing::u8;

class FileTest : public novra::ui::testing::UiTest {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void scripts_data() { novra::ui::testing::scriptRows("file.txt"); }
    void scripts() {
        QFETCH(QString, script);
        f_ = std::make_unique<novra::ui::testing::Fixture>(true, 0);
        PLAY(script);
        f_->doc->setModified(false);  // nothing to ask when the window goes
        f_.reset();
    }
    void recentFilesMenu();
    void undoAndDialogsStayWithTheirNet();

  private:
    std::unique_ptr<TempIni> ini_;
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<CNOVRADoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
    CNOVRAView* view_ = nullptr;
    ScriptedPrompts prompts_;
    CNet& net() { return doc_->net(); }
    QString file(const char* name) { return dir_->filePath(name); }
    QString log() { return frame_->messageBar()->logText(); }
    void makeFrame() {
        frame_ = std::make_unique<CMainFrame>(doc_.get());
        frame_->show();
        view_ = frame_->view();
        view_->editCommands().setQuickSavePath(file("temp.pol"));
        frame_->setPrompts(&prompts_);
    }
    // A net of some places saved to a file.
    QString savedNet(const char* name, int places) {
        CNet n;
        for (int i = 0; i < places; ++i) n.addObject(100 + 60 * i, 100, kPlace);
        fileio::save(n, file(name).toStdString());
        return file(name);
    }
    void drop(const QString& path) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(path), QUrl::fromLocalFile(file("ignored.pol"))});
        // As the window system delivers it: the drop goes where the drag was accepted on entering.
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view_->viewport(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent e(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view_->viewport(), &e);
    }
};

void FileTest::init() {
    ini_ = std::make_unique<TempIni>();
    dir_ = std::make_unique<QTemporaryDir>();
    doc_ = std::make_unique<CNOVRADoc>();
    makeFrame();
    prompts_.defaultSaveChanges = QMessageBox::Cancel;
    prompts_.asked.clear();
}

void FileTest::cleanup() {
    doc_->setModified(false);  // nothing to ask when the window goes
    frame_.reset();
    doc_.reset();
    dir_.reset();
    ini_.reset();
}

void FileTest::recentFilesMenu() {
    const QString a = savedNet("a.pol", 1), b = savedNet("b.pol", 2);
    QAction* slot0 = frame_->action(Cmd::RecentFile);
    QVERIFY(!frame_->commandEnabled(Cmd::RecentFile));
    prompts_.defaultOpen = a;
    frame_->runCommand(Cmd::Open);
    prompts_.defaultOpen = b;
    frame_->runCommand(Cmd::Open);
    frame_->updateCommands();
    QVERIFY(slot0->isEnabled() && slot0->text().contains(b));
    frame_->runCommand(Cmd(57617));  // a again
    QVERIFY(net().objects().size() == 1 && frame_->recentFiles() == (QStringList{a, b}));
    // The list outlives the window.
    frame_.reset();
    makeFrame();
    QCOMPARE(frame_->recentFiles(), (QStringList{a, b}));
    // A file that has gone is taken off the list with a message, and the net stays.
    const QString gone = frame_->recentFiles().at(1);
    QFile::remove(gone);
    net().addObject(5, 5, kUhzi);
    const size_t before = net().objects().size();
    frame_->runCommand(Cmd(57617));
    QVERIFY(!frame_->recentFiles().contains(gone) && log().contains(gone) &&
            net().objects().size() == before);
}

void FileTest::undoAndDialogsStayWithTheirNet() {
    CNet b;
    b.addObject(100, 100, kTransition);
    b.transitions().at(1).functionText = "o1=i1;//B";
    fileio::save(b, file("b.pol").toStdString());
    QFile::copy(file("b.pol"), file("temp.pol"));
    prompts_.defaultOpen = file("b.pol");
    prompts_.defaultSaveChanges = QMessageBox::Discard;
    frame_->runCommand(Cmd::Open);  // on the recent list from now on
    prompts_.defaultClearAll = true;
    QAction* undo = frame_->action(Cmd::Undo);
    const std::function<void()> ways[] = {
        [&] { frame_->runCommand(Cmd::Open); },      [&] { frame_->runCommand(Cmd::RecentFile); },
        [&] { frame_->runCommand(Cmd::QuickLoad); }, [&] { drop(file("b.pol")); },
        [&] { frame_->runCommand(Cmd::New); },       [&] { frame_->runCommand(Cmd::ClearAll); }};
    for (int way = 0; way < 6; ++way) {
        // A: transition 1 as in B, one edit with the mouse, and the transition's dialog holding typed text.
        doc_->newDocument();
        net().addObject(100, 100, kTransition);
        view_->renderer().renderFrame();
        view_->runCommand(Cmd::ToolPlace);
        QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, view_->renderer().toClient(220, 220));
        QVERIFY(undo->isEnabled());
        QTest::mouseDClick(view_->viewport(), Qt::LeftButton, {}, view_->renderer().toClient(100, 100));
        QPointer<CTransitionDialog> d = view_->findChild<CTransitionDialog*>();
        QVERIFY(d && d->isVisible());
        d->findChild<QPlainTextEdit*>("1022")->setPlainText("o1=i1;//A");
        frame_->clearLog();
        if (way == 5) doc_->setModified(false);  // Clear all marks the net by itself
        ways[way]();
        // Clear all is a step of the history; every other way starts the history again.
        QVERIFY2((!d || !d->isVisible()) && undo->isEnabled() == (way == 5), qPrintable(QString::number(way)));
        QVERIFY(log().contains(u8("オブジェクト 1 が削除されたか置き換えられたため")));
        frame_->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
        QTest::keyClick(frame_.get(), Qt::Key_Z, Qt::ControlModifier);
        if (way < 4) QCOMPARE(net().transitions().at(1).functionText, std::string("o1=i1;//B"));
        QCOMPARE(net().objects().size(), size_t(way < 4 ? 1 : way == 4 ? 0 : 2));
        // Quick load leaves a net that is not the document's file; Clear all undone is the saved net.
        QCOMPARE(doc_->isModified(), way == 2);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

QTEST_MAIN(FileTest)
#include "file_test.moc"
