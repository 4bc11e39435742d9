// The main window as the user meets it: caption, menus, tool bars, status bar, message log, commands.
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>
#include <memory>

#include "model/net.h"
#include "ui/app.h"
#include "ui/doc.h"
#include "ui/mainframe.h"
#include "ui/messagebar.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra::ui;
using novra::ui::testing::TempIni;

// Keys as the user types them: to whatever widget has the focus, through the window's shortcuts.
static void type(QKeySequence k) {
    QTest::keySequence(QApplication::focusWidget(), k);
}

class FrameTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void captionMenusAndPanes();
    void startUpFileNamesTheWindow();
    void toolBarsInOrder();
    void acceleratorsReachTheirCommands();
    void logLineEnds();
    void logOpensTallEnoughForACompile();
    void logFormatsAndGrows();
    void statusGoesToTheFirstPane();
    void messageBarToggle();
    void displayTogglesCarryChecks();
    void standardDialogsSpeakJapanese();
    void keysGoToTheFocusedWidget();
    void toolModesShowWhichIsActive();

  private:
    std::unique_ptr<TempIni> ini_;
    std::unique_ptr<CNOVRADoc> doc_;
    std::unique_ptr<CMainFrame> frame_;
};

void FrameTest::init() {
    ini_ = std::make_unique<TempIni>();
    doc_ = std::make_unique<CNOVRADoc>();
    frame_ = std::make_unique<CMainFrame>(doc_.get());
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
}

void FrameTest::cleanup() {
    frame_.reset();
    doc_.reset();
    ini_.reset();
}

void FrameTest::captionMenusAndPanes() {
    QCOMPARE(frame_->windowTitle(), QString("NOVRA"));
    QStringList menus;
    for (QAction* a : frame_->menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "表示(&V)", "設定", "ﾍﾙﾌﾟ(&H)"}));
    QStringList view;
    for (QAction* a : frame_->menuBar()->actions()[2]->menu()->actions())
        if (!a->isSeparator()) view << a->objectName();
    QCOMPARE(view, (QStringList{"59392", "59393", "32799", "32814", "32815"}));
    QCOMPARE(frame_->action(Cmd::MessageBar)->text(), QString("メッセージ(M)"));
    QCOMPARE(frame_->action(Cmd::MessageBar)->statusTip(), QString("メッセージダイアログ"));
    QCOMPARE(frame_->action(Cmd::VerilogOutput)->text(), QString("verilogに出力"));
    QCOMPARE(frame_->pane(0)->text(), QString("ﾚﾃﾞｨ"));
    QCOMPARE(frame_->pane(1)->toolTip(), QString("X座標"));
    QCOMPARE(frame_->pane(2)->toolTip(), QString("Y座標"));
    frame_->setCoordinates(-12, 340);
    QCOMPARE(frame_->pane(1)->text(), QString("x:-12"));
    QCOMPARE(frame_->pane(2)->text(), QString("y:340"));
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

void FrameTest::toolBarsInOrder() {
    const auto ids = [](QToolBar* tb) {
        QStringList l;
        for (QAction* a : tb->actions()) l << (a->isSeparator() ? "|" : a->objectName());
        return l.join(' ');
    };
    QCOMPARE(ids(frame_->fileBar()), QString("57601 57603"));
    QCOMPARE(ids(frame_->toolsBar()), QString("32771 32774 32775 32776 32772 32785 32811 | 32786 32801 32806 "
                                              "32807 32826 | 32789 32817 32787 32788 32790 32792 | 32791 "
                                              "32794 32795"));
    for (QAction* a : frame_->toolsBar()->actions())
        if (!a->isSeparator()) QVERIFY2(!a->icon().isNull(), qPrintable(a->objectName()));
    QCOMPARE(frame_->toolsBar()->iconSize(), QSize(16, 16));
    // Drawn anew for a screen of twice the pixels rather than blown up.
    QVERIFY(frame_->action(Cmd::ToolPlace)->icon().availableSizes().contains(QSize(32, 32)));
    QCOMPARE(frame_->action(Cmd::Compile)->toolTip(), QString("コンパイル"));
    QCOMPARE(frame_->action(Cmd::Pause)->toolTip(), QString("一時停止"));
    QCOMPARE(frame_->action(Cmd::Pause)->statusTip(), QString("シミュレーションを中断します"));
}

void FrameTest::acceleratorsReachTheirCommands() {
    const auto has = [this](Cmd c, QKeySequence k) { return frame_->action(c)->shortcuts().contains(k); };
    QVERIFY(has(Cmd::ToolArc, QKeySequence(Qt::Key_A)));
    QVERIFY(has(Cmd::ToolPlace, QKeySequence(Qt::Key_P)));
    QVERIFY(has(Cmd::Delete, QKeySequence(Qt::Key_Delete)));
    QVERIFY(!has(Cmd::ToolDelete, QKeySequence(Qt::Key_Delete)));
    QVERIFY(has(Cmd::Undo, QKeySequence(Qt::ALT | Qt::Key_Backspace)));
    QVERIFY(has(Cmd::Paste, QKeySequence(Qt::SHIFT | Qt::Key_Insert)));
    QVERIFY(has(Cmd::Print, QKeySequence(Qt::CTRL | Qt::Key_P)));
    QVERIFY(has(Cmd::Abort, QKeySequence(Qt::Key_F9)));
    QVERIFY(has(Cmd::Compile, QKeySequence(Qt::Key_F5)));
    // The usual keys for zoom, Save as and Quit, typed into the window.
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    type(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    type(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QCOMPARE(frame_->view()->renderer().zoomLevel(), 2);
    type(QKeySequence(Qt::CTRL | Qt::Key_Plus));
    type(QKeySequence(Qt::CTRL | Qt::Key_Equal));
    QCOMPARE(frame_->view()->renderer().zoomLevel(), 0);
    novra::ui::testing::ScriptedPrompts prompts;
    frame_->setPrompts(&prompts);
    type(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    QCOMPARE(prompts.count("save:"), 1);
    frame_->setPrompts(nullptr);
    type(QKeySequence(Qt::CTRL | Qt::Key_Q));
    QVERIFY(!frame_->isVisible());
}

void FrameTest::logLineEnds() {
    frame_->logText("alpha\nbeta\n");
    frame_->logText("alpha\r\nbeta\r\n");
    frame_->log("gam\rma\n");
    CMessageBar* bar = frame_->messageBar();
    QCOMPARE(bar->logText(), QString("alpha\r\nbeta\r\nalpha\r\nbeta\r\ngamma\r\n"));
    QCOMPARE(bar->control()->toPlainText(), QString("alpha\nbeta\nalpha\nbeta\ngamma\n"));
    QCOMPARE(bar->control()->document()->blockCount(), 6);
    frame_->clearLog();
    QCOMPARE(bar->logText(), QString());
    QCOMPARE(bar->control()->toPlainText(), QString());
}

void FrameTest::logOpensTallEnoughForACompile() {
    frame_->logText("1\n2\n3\n4\n5\n6");
    QCOMPARE(frame_->messageBar()->control()->verticalScrollBar()->maximum(), 0);  // nothing scrolled away
}

void FrameTest::logFormatsAndGrows() {
    frame_->log("プリミティブ %d\r\n", 12);
    frame_->log("%s %s\n", "/tmp/a.pol", "開けません");
    const std::string longLine(5000, 'z');  // far past any fixed buffer
    frame_->log("%s", longLine.c_str());
    const QString t = frame_->messageBar()->logText();
    QVERIFY(t.startsWith("プリミティブ 12\r\n/tmp/a.pol 開けません\r\n"));
    QVERIFY(t.endsWith(QString(5000, 'z')));
    QScrollBar* sb = frame_->messageBar()->control()->verticalScrollBar();
    QCOMPARE(sb->value(), sb->maximum());  // scrolled to the end
}

void FrameTest::statusGoesToTheFirstPane() {
    frame_->status("%d 個のオブジェクトが選択されました", 3);
    QCOMPARE(frame_->statusMessage(), QString("3 個のオブジェクトが選択されました"));
    QCOMPARE(frame_->pane(0)->text(), frame_->statusMessage());
}

void FrameTest::messageBarToggle() {
    QAction* a = frame_->action(Cmd::MessageBar);
    QVERIFY(a->isCheckable());
    QVERIFY(a->isChecked());
    QVERIFY(frame_->messageBar()->isVisible());
    a->trigger();
    QVERIFY(!frame_->messageBar()->isVisible());
    QVERIFY(!a->isChecked());
    a->trigger();
    QVERIFY(frame_->messageBar()->isVisible());
    QVERIFY(a->isChecked());
    // Closing the bar itself takes the check mark away too.
    frame_->messageBar()->close();
    QVERIFY(!a->isChecked());
    // The tool bar command shows and hides both tool bars.
    frame_->action(Cmd::ToolBar)->trigger();
    QVERIFY(!frame_->fileBar()->isVisible());
    QVERIFY(!frame_->toolsBar()->isVisible());
    QVERIFY(!frame_->action(Cmd::ToolBar)->isChecked());
}

void FrameTest::displayTogglesCarryChecks() {
    QAction* ids = frame_->action(Cmd::ShowObjectIds);
    QVERIFY(!ids->isChecked());
    ids->trigger();
    QVERIFY(ids->isChecked());
    QCOMPARE(frame_->view()->settings().enableObjId, 1);
    frame_->action(Cmd::ShowOldTokens)->trigger();
    QCOMPARE(frame_->view()->settings().enableOldToken, 1);
    frame_.reset();  // the view writes its keys when it goes
    QVERIFY(ini_->read().contains("EnableObjId=1"));
    QVERIFY(ini_->read().contains("EnableOldToken=1"));
}

void FrameTest::standardDialogsSpeakJapanese() {
    QVERIFY(installQtTranslations());
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel,
                    frame_.get());
    QCOMPARE(box.button(QMessageBox::Cancel)->text(), QString("キャンセル"));
}

void FrameTest::keysGoToTheFocusedWidget() {
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
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
    QCOMPARE(net.objects().size(), size_t(2));
    QCOMPARE(view->interaction().state().toolMode, 0);
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
}

void FrameTest::toolModesShowWhichIsActive() {
    const Cmd tools[] = {Cmd::ToolPlace,      Cmd::ToolTransition, Cmd::ToolUhzi,
                         Cmd::ToolKemmakix,   Cmd::ToolToken,      Cmd::ToolArc,
                         Cmd::ToolContinuous, Cmd::ToolHand,       Cmd::ToolDelete};
    const auto checked = [&] {
        QStringList on;
        for (Cmd c : tools) {
            QAction* a = frame_->action(c);
            if (!a->isCheckable() || a->isChecked()) on << a->objectName();
        }
        return on.join(' ');
    };
    QCOMPARE(checked(), QString());
    for (Cmd c : tools) {
        frame_->action(c)->trigger();
        QCOMPARE(checked(), QString::number(int(c)));
    }
    frame_->action(Cmd::ToolDelete)->trigger();  // the active tool stays on
    QCOMPARE(checked(), QString("32801"));
    // Escape on the canvas ends the tool; the tool key brings one back.
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    frame_->view()->setFocus();
    type(QKeySequence(Qt::Key_Escape));
    QCOMPARE(checked(), QString());
    type(QKeySequence(Qt::Key_T));
    QCOMPARE(checked(), QString("32774"));
}

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
