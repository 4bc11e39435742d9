// The main window as the user meets it: caption, menus, tool bars and every command's texts and keys (the
// table in tests/data/ui/main_window.txt), status panes, the message log, the bars' toggles, and keys typed
// into whichever widget has the focus; the tool checks and keys are scripts in tests/data/ui/frame.txt.
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "ui/app.h"
#include "ui/messagebar.h"
#include "ui_support.h"

using namespace novra::ui;
using novra::ui::testing::Fixture;

// Keys as the user types them: to whatever widget has the focus, through the window's shortcuts.
static void type(QKeySequence k) {
    QTest::keySequence(QApplication::focusWidget(), k);
}

class FrameTest : public novra::ui::testing::UiTest {
    Q_OBJECT
  private slots:
    void init() {
        f_ = std::make_unique<Fixture>(true, 0);
        frame_ = f_->frame.get();
        doc_ = f_->doc.get();
        QVERIFY(QTest::qWaitForWindowExposed(frame_));
    }
    void cleanup() { f_.reset(); }
    void menusToolBarsAndPanesAsListed();
    void startUpFileNamesTheWindow();
    void messageLogAndStatus();
    void barsAndDisplayTogglesCarryChecks();
    void scripts_data() { novra::ui::testing::scriptRows("frame.txt"); }
    void scripts() {
        QFETCH(QString, script);
        PLAY(script);
    }
    void keysGoToTheFocusedWidget();

  private:
    CMainFrame* frame_ = nullptr;
    CNOVRADoc* doc_ = nullptr;
    // The menus and tool bars by command ids, then each command's texts, keys and tips, and the panes.
    QString layout() const;
};

QString FrameTest::layout() const {
    QStringList out;
    const auto ids = [](const QList<QAction*>& actions) {
        QStringList l;
        for (QAction* a : actions) l << (a->isSeparator() ? "|" : a->objectName());
        return l.join(' ');
    };
    for (QAction* m : frame_->menuBar()->actions())
        out << "menu " + m->text() + ": " + ids(m->menu()->actions());
    for (QToolBar* tb : {frame_->fileBar(), frame_->toolsBar()}) out << "toolbar " + ids(tb->actions());
    std::map<int, QAction*> commands;
    for (QAction* a : frame_->findChildren<QAction*>())
        if (a->objectName().toInt() > 0) commands[a->objectName().toInt()] = a;
    for (const auto& [id, a] : commands) {
        QStringList keys;
        for (const QKeySequence& k : a->shortcuts()) keys << k.toString(QKeySequence::PortableText);
        out << QString("%1 %2 [%3] tip=%4 status=%5%6")
                   .arg(id)
                   .arg(a->text(), keys.join(", "), a->toolTip(), a->statusTip(),
                        a->isCheckable() ? " checkable" : "");
    }
    for (int i = 0; i < 3; ++i)
        out << QString("pane %1 %2 tip=%3").arg(i).arg(frame_->pane(i)->text(), frame_->pane(i)->toolTip());
    return out.join('\n') + '\n';
}

void FrameTest::menusToolBarsAndPanesAsListed() {
    QCOMPARE(frame_->windowTitle(), QString("NOVRA"));
    const QString path = QStringLiteral(NOVRA_SOURCE_DIR "/tests/data/ui/main_window.txt");
    if (qEnvironmentVariableIsSet("NOVRA_WRITE_TABLES")) {
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly) && out.write(layout().toUtf8()) > 0);
    }
    QFile table(path);
    QVERIFY(table.open(QIODevice::ReadOnly));
    QCOMPARE(layout(), QString::fromUtf8(table.readAll()));
    for (QAction* a : frame_->toolsBar()->actions())
        if (!a->isSeparator()) QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
    QCOMPARE(frame_->toolsBar()->iconSize(), QSize(16, 16));
    // Drawn anew for a screen of twice the pixels rather than blown up.
    QVERIFY(frame_->action(Cmd::ToolPlace)->icon().availableSizes().contains(QSize(32, 32)));
    frame_->setCoordinates(-12, 340);
    QVERIFY(frame_->pane(1)->text() == "x:-12" && frame_->pane(2)->text() == "y:340");
}

void FrameTest::startUpFileNamesTheWindow() {
    QTemporaryDir dir;
    const QString path = dir.filePath("start.pol");
    doc_->net().addObject(100, 100, novra::kPlace);
    QVERIFY(doc_->saveDocument(path, std::string()));
    doc_->newDocument();
    frame_->hide();
    QVERIFY(showStartupFrame(*frame_, *doc_, path));
    QCOMPARE(frame_->windowTitle(), path);
    QCOMPARE(doc_->net().objects().size(), size_t(1));
    QVERIFY(!showStartupFrame(*frame_, *doc_, dir.filePath("missing.pol")));
    QCOMPARE(frame_->windowTitle(), path);  // the net that was open stays, and so does its name
}

void FrameTest::messageLogAndStatus() {
    CMessageBar* bar = frame_->messageBar();
    frame_->logText("1\n2\n3\n4\n5\n6");
    QCOMPARE(bar->control()->verticalScrollBar()->maximum(), 0);  // tall enough for a compile
    frame_->clearLog();
    // Line ends of every kind become CR LF in the log, plain in the control.
    frame_->logText("alpha\nbeta\n");
    frame_->logText("alpha\r\nbeta\r\n");
    frame_->log("gam\rma\n");
    QCOMPARE(bar->logText(), QString("alpha\r\nbeta\r\nalpha\r\nbeta\r\ngamma\r\n"));
    QCOMPARE(bar->control()->toPlainText(), QString("alpha\nbeta\nalpha\nbeta\ngamma\n"));
    frame_->clearLog();
    QVERIFY(bar->logText().isEmpty() && bar->control()->toPlainText().isEmpty());
    // Formats, lines far past any fixed buffer, and the view kept at the end.
    frame_->log("プリミティブ %d\r\n", 12);
    frame_->log("%s %s\n", "/tmp/a.pol", "開けません");
    frame_->log("%s", std::string(5000, 'z').c_str());
    QVERIFY(bar->logText().startsWith("プリミティブ 12\r\n/tmp/a.pol 開けません\r\n"));
    QVERIFY(bar->logText().endsWith(QString(5000, 'z')));
    QScrollBar* sb = bar->control()->verticalScrollBar();
    QCOMPARE(sb->value(), sb->maximum());
    frame_->status("%d 個のオブジェクトが選択されました", 3);
    QCOMPARE(frame_->pane(0)->text(), QString("3 個のオブジェクトが選択されました"));
}

void FrameTest::barsAndDisplayTogglesCarryChecks() {
    QAction* a = frame_->action(Cmd::MessageBar);
    QVERIFY(a->isChecked() && frame_->messageBar()->isVisible());
    a->trigger();
    QVERIFY(!frame_->messageBar()->isVisible() && !a->isChecked());
    a->trigger();
    frame_->messageBar()->close();  // closing the bar itself takes the check mark away too
    QVERIFY(!a->isChecked());
    // The tool bar command shows and hides both tool bars.
    frame_->action(Cmd::ToolBar)->trigger();
    QVERIFY(!frame_->fileBar()->isVisible() && !frame_->toolsBar()->isVisible());
    QVERIFY(!frame_->action(Cmd::ToolBar)->isChecked());
    frame_->action(Cmd::ShowObjectIds)->trigger();
    frame_->action(Cmd::ShowOldTokens)->trigger();
    QVERIFY(frame_->action(Cmd::ShowObjectIds)->isChecked());
    f_->frame.reset();  // the view writes its keys when it goes
    QVERIFY(f_->ini.read().contains("EnableObjId=1") && f_->ini.read().contains("EnableOldToken=1"));
}

void FrameTest::keysGoToTheFocusedWidget() {
    QVERIFY(QTest::qWaitForWindowActive(frame_));
    CNOVRAView* view = frame_->view();
    novra::CNet& net = doc_->net();
    net.addObject(100, 100, novra::kPlace);
    net.addObject(200, 100, novra::kTransition);
    QClipboard* clip = QGuiApplication::clipboard();
    clip->setText("before");
    frame_->logText("alpha\nbeta\n");
    QPlainTextEdit* log = frame_->messageBar()->control();
    QTest::mouseClick(log->viewport(), Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), log);
    view->interaction().state().selection = {1, 2};
    type(QKeySequence(Qt::CTRL | Qt::Key_A));
    type(QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(clip->text(), QString("alpha\nbeta\n"));
    QVERIFY(view->document()->clipboard().objects().empty());
    for (QKeySequence k : {QKeySequence(Qt::Key_Delete), QKeySequence(Qt::SHIFT | Qt::Key_Delete),
                           QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::Key_P)})
        type(k);
    QVERIFY(net.objects().size() == 2 && view->interaction().state().toolMode == 0);
    QCOMPARE(log->toPlainText(), QString("alpha\nbeta\n"));
    // A command chosen from the menu acts on the drawing wherever the focus is.
    frame_->action(Cmd::Copy)->trigger();
    QCOMPARE(view->document()->clipboard().objects().size(), size_t(2));
    // Back on the canvas, its keys act on the drawing.
    view->document()->clipboard().clear();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(QApplication::focusWidget(), view);
    view->interaction().state().selection = {1};
    type(QKeySequence(Qt::CTRL | Qt::Key_C));
    QCOMPARE(view->document()->clipboard().objects().size(), size_t(1));
    QCOMPARE(clip->text(), QString("alpha\nbeta\n"));
    type(QKeySequence(Qt::Key_Delete));
    QCOMPARE(net.objects().size(), size_t(1));
    // The usual keys for zoom, Save as and Quit.
    type(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    type(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QCOMPARE(view->renderer().zoomLevel(), 2);
    type(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    type(QKeySequence(Qt::CTRL | Qt::Key_Equal));
    QCOMPARE(view->renderer().zoomLevel(), 0);
    f_->prompts.defaultSaveChanges = QMessageBox::Discard;
    type(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QCOMPARE(f_->prompts.count("save:"), 1);
    type(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(!frame_->isVisible());
}

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
