// The undo history through the main window: random user actions undone to the start and redone to the
// end give back every saved state byte for byte; the Edit menu, the tool bar and the keys follow it; the
// modified mark follows the saved position.
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include "fileio/fileio.h"
#include "random_user.h"

using namespace novra;
using namespace novra::ui;
using namespace novra::ui::testing;

class UndoTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        f_ = std::make_unique<Fixture>(true, 900, 700);
        QVERIFY(f_->doc->openDocument(NOVRA_SOURCE_DIR "/examples/serial_adder.pol"));
        f_->view->renderer().renderFrame();
    }
    void cleanup() { f_.reset(); }
    void randomActionsUndoneAndRedone();
    void menuToolBarKeysAndModifiedMark();

  private:
    CNOVRAView& v() { return *f_->view; }
    void run(Cmd c) { f_->frame->runCommand(c); }
    QByteArray saved() {
        const QString path = dir_.filePath("state.pol");
        fileio::save(f_->net(), path.toStdString());
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    // One random action, then the hand tool, which ends a pending arc or a placement chain.
    void act(RandomUser& user) {
        using U = RandomUser;
        static const U::Action kinds[] = {U::Place, U::Token, U::Drag,   U::Paste, U::Paste,
                                          U::Remove, U::Align, U::Dialog, U::Arc,   U::DeleteTool};
        user.act(user.any(25) == 0 ? U::ClearAll : kinds[user.any(std::size(kinds))]);
        run(Cmd::ToolHand);
    }
    std::unique_ptr<Fixture> f_;
    QTemporaryDir dir_;
};

void UndoTest::randomActionsUndoneAndRedone() {
    std::set<EditStep> kinds;  // what the actions did, over every seed
    for (unsigned seed = 1; seed <= 4; ++seed) {
        init();
        RandomUser user(*f_, seed);
        std::vector<QByteArray> states{saved()};  // by position in the history
        for (int k = 0; k < 60; ++k) {
            act(user);
            const size_t pos = f_->doc->history().steps();
            if (pos == states.size()) kinds.insert(f_->doc->undoStep());
            states.resize(pos + 1);
            states[pos] = saved();
        }
        const size_t steps = states.size() - 1;
        for (size_t pos = steps; pos-- > 0;) {
            run(Cmd::Undo);
            QVERIFY2(saved() == states[pos], qPrintable(QString("seed %1 undo to %2").arg(seed).arg(pos)));
        }
        QVERIFY(!f_->frame->commandEnabled(Cmd::Undo) && !f_->doc->isModified());
        for (size_t pos = 1; pos <= steps; ++pos) {
            run(Cmd::Redo);
            QVERIFY2(saved() == states[pos], qPrintable(QString("seed %1 redo to %2").arg(seed).arg(pos)));
        }
        QVERIFY(!f_->frame->commandEnabled(Cmd::Redo));
    }
    QCOMPARE(kinds.size(), size_t(13));  // every kind of step
}

void UndoTest::menuToolBarKeysAndModifiedMark() {
    QAction* undo = f_->frame->action(Cmd::Undo);
    QAction* redo = f_->frame->action(Cmd::Redo);
    auto* bar = f_->frame->findChild<QToolBar*>("ToolBar128");
    QVERIFY(bar->actions().contains(undo) && bar->actions().contains(redo));
    const auto texts = [&] {
        f_->frame->updateCommands();
        return QStringList{undo->isEnabled() ? undo->text() : "-", redo->isEnabled() ? redo->text() : "-"};
    };
    QCOMPARE(texts(), (QStringList{"-", "-"}));
    // 250 token clicks: every one can be taken back.
    const int p = f_->net().places().begin()->first;
    const Token first = f_->net().tokens().count(p) ? f_->net().tokens().at(p) : Token{};
    run(Cmd::ToolToken);
    if (!f_->net().tokens().count(p)) click(v(), at(v(), p));
    for (int k = 0; k < 250; ++k) doubleClick(v(), at(v(), p));
    QCOMPARE(texts(), (QStringList{u8("元に戻す：トークン(&U)"), "-"}));
    // Saved half way; the keys walk the history and the mark follows the saved position.
    for (int k = 0; k < 125; ++k) run(Cmd::Undo);
    QVERIFY(f_->doc->saveDocument(dir_.filePath("half.pol"), std::string()));
    QVERIFY(!f_->doc->isModified());
    f_->frame->activateWindow();
    v().setFocus();
    QVERIFY(QTest::qWaitForWindowActive(f_->frame.get()));
    QTest::keyClick(f_->frame.get(), Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(f_->doc->isModified() && f_->doc->caption().endsWith(" *"));
    QTest::keyClick(f_->frame.get(), Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(!f_->doc->isModified());
    QTest::keyClick(f_->frame.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(f_->doc->isModified());
    while (f_->frame->commandEnabled(Cmd::Undo)) run(Cmd::Undo);
    QCOMPARE(f_->net().tokens().count(p) ? f_->net().tokens().at(p) : Token{}, first);
    QCOMPARE(texts(), (QStringList{"-", u8("やり直し：トークン(&R)")}));
    // A new action drops what could have been redone; a drag names itself.
    run(Cmd::ToolHand);
    press(v(), at(v(), p));
    move(v(), at(v(), p) + QPoint(30, 30), Qt::LeftButton);
    release(v(), at(v(), p));
    QCOMPARE(texts(), (QStringList{u8("元に戻す：移動(&U)"), "-"}));
    // Compiling and simulating add nothing; the saved position is gone with the dropped steps.
    run(Cmd::Compile);
    run(Cmd::Step);
    run(Cmd::Abort);
    QCOMPARE(f_->doc->history().steps(), size_t(1));
    run(Cmd::Undo);
    QVERIFY(f_->doc->isModified());
}

QTEST_MAIN(UndoTest)
#include "undo_test.moc"
