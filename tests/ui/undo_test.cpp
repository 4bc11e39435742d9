// The undo history through the main window: random user actions undone to the start and redone to the
// end give back every saved state byte for byte; the Edit menu, the tool bar and the keys follow it; the
// modified mark follows the saved position.
#include <QCheckBox>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>
#include <random>

#include "fileio/fileio.h"
#include "ui/dialogs/dialogs.h"
#include "ui_support.h"

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
    // An object of the given kind (0: any), chosen at random; 0 when there is none.
    int pick(std::mt19937& rng, int kind = 0) {
        std::vector<int> ids;
        for (const auto& [id, o] : f_->net().objects())
            if (kind == 0 || o.kind == kind) ids.push_back(id);
        return ids.empty() ? 0 : ids[rng() % ids.size()];
    }
    void act(std::mt19937& rng);
    std::unique_ptr<Fixture> f_;
    QTemporaryDir dir_;
};

void UndoTest::act(std::mt19937& rng) {
    CNet& n = f_->net();
    const QPoint somewhere(60 + static_cast<int>(rng() % 700), 60 + static_cast<int>(rng() % 450));
    switch (rng() % 11) {
        case 0:
            run(Cmd::ToolPlace);
            click(v(), somewhere);
            break;
        case 1:
            if (int p = pick(rng, kPlace)) {
                run(Cmd::ToolToken);
                n.tokens().count(p) ? doubleClick(v(), at(v(), p)) : click(v(), at(v(), p));
            }
            break;
        case 2:
            if (int id = pick(rng)) {
                run(Cmd::ToolHand);
                press(v(), at(v(), id));
                move(v(), at(v(), id) + QPoint(13, 7), Qt::LeftButton);
                move(v(), somewhere, Qt::LeftButton);
                release(v(), somewhere);
            }
            break;
        case 3:
        case 4:
            f_->st().selection = {pick(rng), pick(rng)};
            run(Cmd::Copy);
            f_->prompts.numbers.push_back(2);
            run(rng() % 2 ? Cmd::Paste : Cmd::PasteVertical);
            break;
        case 5:
            f_->st().selection = {pick(rng), pick(rng)};
            run(rng() % 2 ? Cmd::Delete : Cmd::Cut);
            break;
        case 6:
            run(Cmd::Align);
            break;
        case 7: {
            // A property dialog's OK: a transition's text and stop option, a source's words, a sink's
            // expected words.
            const int kind = kTransition + static_cast<int>(rng() % 3);
            const int id = pick(rng, kind);
            if (!id) break;
            std::unique_ptr<QDialog> d;
            const char* field = "1022";
            if (kind == kTransition) d = std::make_unique<CTransitionDialog>(*f_->doc, id, &v());
            if (kind == kUhzi) d = std::make_unique<CUhziDialog>(*f_->doc, id, &v()), field = "1024";
            if (kind == kKemmakix) d = std::make_unique<CKemmakixDialog>(*f_->doc, id, &v()), field = "1008";
            d->show();
            auto* text = control<QPlainTextEdit>(d.get(), field);
            text->setPlainText(text->toPlainText() + (kind == kTransition ? QString("//%1").arg(rng() % 100)
                                                                          : QString("\n%1").arg(rng() % 2)));
            if (kind == kTransition) control<QCheckBox>(d.get(), "1058")->setChecked(rng() % 2);
            pressWithMessage(d.get());
            break;
        }
        case 8:
            if (int p = pick(rng, kPlace), t = pick(rng, kTransition); p && t) {
                run(Cmd::ToolArc);
                press(v(), at(v(), p));
                move(v(), at(v(), t), Qt::LeftButton);
                release(v(), at(v(), t));
            }
            break;
        case 9:
            if (int id = pick(rng)) {
                run(Cmd::ToolDelete);
                click(v(), at(v(), id));
            }
            break;
        default:
            if (rng() % 4 == 0) {
                f_->prompts.defaultClearAll = true;
                run(Cmd::ClearAll);
            }
            break;
    }
    run(Cmd::ToolHand);  // ends a pending arc or a placement chain
}

void UndoTest::randomActionsUndoneAndRedone() {
    std::set<EditStep> kinds;  // what the actions did, over every seed
    for (unsigned seed = 1; seed <= 4; ++seed) {
        init();
        std::mt19937 rng(seed);
        std::vector<QByteArray> states{saved()};  // by position in the history
        for (int k = 0; k < 60; ++k) {
            act(rng);
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
