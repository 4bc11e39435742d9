// The property dialogs: what they show, what OK and Cancel keep, and the input they refuse.
#include "ui/dialogs/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "model/net.h"
#include "ui/doc.h"
#include "ui/mainframe.h"
#include "ui/messagebar.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::TempIni;
using novra::ui::testing::u8;

namespace {
template <typename T>
T* control(QWidget* d, const char* id) {
    T* w = d->findChild<T*>(id);
    if (!w) qFatal("no control %s", id);
    return w;
}

void press(QWidget* d, const char* id) {
    control<QPushButton>(d, id)->click();
}

// Presses OK and returns the text of the message box it raised, closing the box; empty for none.
QString okWithMessage(QWidget* d) {
    QString seen;
    QTimer timer;  // gone with this call when no box came up
    timer.setSingleShot(true);
    timer.start(0);
    QObject::connect(&timer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box->text();
            if (!box->windowTitle().isEmpty()) seen += " (titled)";
            box->accept();
        }
    });
    press(d, "1");
    return seen;
}
}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        ini_ = std::make_unique<TempIni>();
        doc_ = std::make_unique<CNOVRADoc>();
    }
    void cleanup() {
        doc_.reset();
        ini_.reset();
    }
    void transitionDefaultsAndRefusesBadText();
    void transitionWhileCompiled();
    void uhziModesAndValidation();
    void kemmakixComparison();
    void numberRange();
    void objectListSearch();
    void verilogFoldersAndValidation();
    void dialogsBelongToTheirObject();

  private:
    std::unique_ptr<TempIni> ini_;
    std::unique_ptr<CNOVRADoc> doc_;
};

void DialogsTest::transitionDefaultsAndRefusesBadText() {
    CNOVRADoc& doc = *doc_;
    CNet& net = doc.net();
    const int t = net.addObject(100, 100, kTransition);
    const int p = net.addObject(0, 100, kPlace);
    const int q = net.addObject(200, 100, kPlace);
    net.transitions().at(t).functionText.clear();
    {
        CTransitionDialog d(doc, t);
        auto* edit = control<QPlainTextEdit>(&d, "1022");
        QCOMPARE(edit->toPlainText(), u8("//このトランジションはリクエストのみを伝達します"));
        QVERIFY(!edit->isReadOnly());
        QCOMPARE(okWithMessage(&d), QString());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(net.transitions().at(t).functionText,
                 std::string("//このトランジションはリクエストのみを伝達します"));
    }
    net.addArc(p, t, {}, "a");
    net.addArc(t, q, {}, "gone");
    net.transitions().at(t).functionText = "sum=a;\r\n";
    CTransitionDialog d(doc, t);
    auto* edit = control<QPlainTextEdit>(&d, "1022");
    QCOMPARE(edit->toPlainText(), QString("sum=a;\n"));
    edit->setPlainText("sum=a b;");  // two words side by side
    d.show();
    const QString message = okWithMessage(&d);
    QVERIFY(!message.isEmpty());
    QVERIFY(!message.contains("(titled)"));
    QVERIFY(d.isVisible());
    QCOMPARE(edit->toPlainText(), QString("sum=a b;"));
    QCOMPARE(net.transitions().at(t).functionText, std::string("sum=a;\r\n"));
    edit->setPlainText("out=a&b;\nx=b;");
    control<QCheckBox>(&d, "1058")->setChecked(true);
    QCOMPARE(okWithMessage(&d), QString());
    QVERIFY(!d.isVisible());
    QCOMPARE(net.transitions().at(t).functionText, std::string("out=a&b;\r\nx=b;"));
    QCOMPARE(net.transitions().at(t).inputVarNames, (std::map<std::string, int>{{"a", 1}, {"b", 2}}));
    QCOMPARE(net.arcs().at(net.findArc(p, t)).varName, std::string("a"));
    QCOMPARE(net.arcs().at(net.findArc(t, q)).varName, std::string());  // names no variable any more
    QVERIFY(net.simTranOpt().count(t));
    // Cancel keeps everything.
    CTransitionDialog c(doc, t);
    QVERIFY(control<QCheckBox>(&c, "1058")->isChecked());
    control<QPlainTextEdit>(&c, "1022")->setPlainText("o1=i1;");
    control<QCheckBox>(&c, "1058")->setChecked(false);
    press(&c, "2");
    QCOMPARE(net.transitions().at(t).functionText, std::string("out=a&b;\r\nx=b;"));
    QVERIFY(net.simTranOpt().count(t));
}

void DialogsTest::transitionWhileCompiled() {
    CNOVRADoc& doc = *doc_;
    CNet& net = doc.net();
    const int t = net.addObject(100, 100, kTransition);
    net.setSimTranOpt(t, true);
    doc.setCompiled(1);
    CTransitionDialog d(doc, t);
    QVERIFY(control<QPlainTextEdit>(&d, "1022")->isReadOnly());
    control<QPlainTextEdit>(&d, "1022")->setPlainText("broken text");
    control<QCheckBox>(&d, "1058")->setChecked(false);
    QCOMPARE(okWithMessage(&d), QString());
    QVERIFY(!net.simTranOpt().count(t));
    QCOMPARE(net.transitions().at(t).functionText, std::string("o1=i1;"));
    // A transition deleted while its dialog was open: OK closes without touching the net.
    doc.setCompiled(0);
    CTransitionDialog gone(doc, t);
    net.deleteObject(t);
    QCOMPARE(okWithMessage(&gone), QString());
    QVERIFY(net.transitions().empty() && net.simTranOpt().empty());
}

void DialogsTest::uhziModesAndValidation() {
    CNOVRADoc& doc = *doc_;
    CNet& net = doc.net();
    const int u = net.addObject(0, 0, kUhzi);
    net.uhzis().at(u).holdValue = 1;
    CUhziDialog d(doc, u);
    d.show();
    auto* value = control<QLineEdit>(&d, "1023");
    auto* words = control<QPlainTextEdit>(&d, "1024");
    QVERIFY(control<QRadioButton>(&d, "1004")->isChecked());
    QCOMPARE(value->text(), QString("1"));
    QVERIFY(words->isReadOnly() && !value->isReadOnly());
    QVERIFY(!control<QRadioButton>(&d, "1011")->isEnabled());
    control<QRadioButton>(&d, "1005")->click();
    QVERIFY(!words->isReadOnly() && value->isReadOnly());
    QVERIFY(control<QRadioButton>(&d, "1012")->isEnabled());
    control<QRadioButton>(&d, "1012")->click();
    words->setPlainText("0101\n\n\n11\r\n");
    value->setText("2");
    QCOMPARE(okWithMessage(&d), u8("0 から 1 までの整数を入力してください。"));
    QVERIFY(d.isVisible());
    QCOMPARE(net.uhzis().at(u).addp, 0);
    value->setText("0");
    QCOMPARE(okWithMessage(&d), QString());
    const CUhzi& s = net.uhzis().at(u);
    QCOMPARE(s.addp, 1);
    QCOMPARE(s.line, 1);
    QCOMPARE(s.holdValue, 0);
    QCOMPARE(s.words, (std::vector<std::string>{"0101", "11"}));
    doc.setCompiled(1);
    CUhziDialog c(doc, u);
    QCOMPARE(control<QPlainTextEdit>(&c, "1024")->toPlainText(), QString("0101\n11\n"));
    QVERIFY(control<QPlainTextEdit>(&c, "1024")->isReadOnly() &&
            control<QLineEdit>(&c, "1023")->isReadOnly());
    for (const char* id : {"1004", "1005", "1011", "1012"})
        QVERIFY(!control<QRadioButton>(&c, id)->isEnabled());
    control<QPlainTextEdit>(&c, "1024")->setPlainText("1");
    QCOMPARE(okWithMessage(&c), QString());
    QCOMPARE(net.uhzis().at(u).words.size(), size_t(2));
}

void DialogsTest::kemmakixComparison() {
    CNOVRADoc& doc = *doc_;
    CNet& net = doc.net();
    const int k = net.addObject(0, 0, kKemmakix);
    {
        CKemmakixDialog d(doc, k);
        QCOMPARE(control<QLineEdit>(&d, "1028")->text(), u8("×"));  // nothing received
        QVERIFY(control<QPlainTextEdit>(&d, "1000")->isReadOnly());
    }
    CKemmakix& km = net.kemmakixes().at(k);
    km.received = {"a", "b"};
    km.hasReceived = true;
    km.expected = {"a", "c", "d"};
    km.line = 2;
    CKemmakixDialog d(doc, k);
    QCOMPARE(control<QPlainTextEdit>(&d, "1009")->toPlainText(), u8("○\n×\n"));
    QCOMPARE(control<QLineEdit>(&d, "1028")->text(), u8("×"));
    QVERIFY(control<QRadioButton>(&d, "1011")->isChecked());
    QVERIFY(control<QPlainTextEdit>(&d, "1008")->isReadOnly());
    control<QRadioButton>(&d, "1005")->click();
    QVERIFY(!control<QPlainTextEdit>(&d, "1008")->isReadOnly());
    control<QPlainTextEdit>(&d, "1008")->setPlainText("a\n\nb");
    press(&d, "1");
    QCOMPARE(km.line, 1);
    QCOMPARE(km.expected, (std::vector<std::string>{"a", "b"}));
    CKemmakixDialog same(doc, k);
    QCOMPARE(control<QLineEdit>(&same, "1028")->text(), u8("○"));
}

void DialogsTest::numberRange() {
    CNumberDialog d(u8("配置数"), 1);
    d.show();
    QCOMPARE(control<QLabel>(&d, "1000")->text(), u8("配置数"));
    QCOMPARE(control<QLineEdit>(&d, "1021")->text(), QString("1"));
    control<QLineEdit>(&d, "1021")->setText("101");
    QCOMPARE(okWithMessage(&d), u8("0 から 100 までの整数を入力してください。"));
    QVERIFY(d.isVisible());
    control<QLineEdit>(&d, "1021")->setText("abc");
    QVERIFY(!okWithMessage(&d).isEmpty());
    control<QLineEdit>(&d, "1021")->setText("7");
    QCOMPARE(okWithMessage(&d), QString());
    QCOMPARE(d.number(), 7);
}

void DialogsTest::objectListSearch() {
    CNet net;
    net.addObject(0, 0, kPlace);
    const int t = net.addObject(0, 0, kTransition);
    net.addObject(0, 0, kKemmakix);
    net.setSimTranOpt(t, true);
    CObjectListDialog d(net);
    auto* list = control<QTableWidget>(&d, "1047");
    QCOMPARE(list->rowCount(), 3);
    QCOMPARE(list->item(1, 0)->text(), QString("2"));
    QCOMPARE(list->item(1, 1)->text(), QString("transition"));
    QCOMPARE(list->item(1, 2)->text(), QString("SimFireStop"));
    QCOMPARE(list->item(2, 1)->text(), QString("kemmakix"));
    QCOMPARE(list->item(0, 2)->text(), QString());
    list->selectRow(1);
    press(&d, "3");
    QCOMPARE(d.result(), t);
    CObjectListDialog none(net);
    press(&none, "3");
    QCOMPARE(none.result(), 0);
    CObjectListDialog ok(net);
    control<QTableWidget>(&ok, "1047")->selectRow(2);
    press(&ok, "1");
    QCOMPARE(ok.result(), 0);
}

void DialogsTest::verilogFoldersAndValidation() {
    CNOVRADoc& doc = *doc_;
    doc.settings().verilogOutDirs = {"/out/a", "/out/b"};
    doc.settings().verilogOutModuleName = "top";
    {
        CVerilogDialog d(doc);
        d.show();
        QCOMPARE(control<QComboBox>(&d, "1044")->currentText(), QString("/out/a"));
        QCOMPARE(control<QLineEdit>(&d, "1000")->text(), QString("top"));
        control<QLineEdit>(&d, "1000")->setText(QString(33, 'm'));
        QCOMPARE(okWithMessage(&d), u8("32 文字以内で入力してください。"));
        control<QLineEdit>(&d, "1000")->setText(QString(32, 'm'));
        control<QLineEdit>(&d, "1008")->setText("2.5");
        QCOMPARE(okWithMessage(&d), u8("-0.5 から 2.0 までの数値を入力してください。"));
        QVERIFY(d.isVisible());
        control<QLineEdit>(&d, "1008")->setText("-0.5");
        control<QCheckBox>(&d, "1050")->setChecked(true);
        QCOMPARE(okWithMessage(&d), QString());
        QCOMPARE(d.delayOverPlus(), -0.5);
        QCOMPARE(doc.settings().verilogOutDirs, (std::vector<QString>{"/out/a", "/out/b"}));
        QCOMPARE(doc.settings().verilogOutModuleName, QString(32, 'm'));
        QCOMPARE(doc.settings().verilogOutSync, 1);
    }
    CVerilogDialog d(doc);
    QCOMPARE(control<QLineEdit>(&d, "1008")->text(), QString("0"));
    d.browseFolder = [](QWidget*, const QString& start) {
        return start == "/out/a" ? QString("/out/b") : QString();
    };
    press(&d, "1039");
    QCOMPARE(control<QComboBox>(&d, "1044")->currentText(), QString("/out/b"));
    control<QLineEdit>(&d, "1008")->setText("2.0");  // both ends of the range are allowed
    QCOMPARE(okWithMessage(&d), QString());
    QCOMPARE(d.delayOverPlus(), 2.0);
    QCOMPARE(doc.settings().verilogOutDirs, (std::vector<QString>{"/out/b", "/out/a", "/out/b"}));
}

void DialogsTest::dialogsBelongToTheirObject() {
    CNOVRADoc& doc = *doc_;
    CMainFrame frame(&doc);
    frame.show();
    CNOVRAView* view = frame.view();
    CNet& net = doc.net();
    const int p = net.addObject(60, 100, kPlace);
    const int t = net.addObject(160, 100, kTransition);
    const int q = net.addObject(260, 100, kPlace);
    net.addArc(p, t);
    net.addArc(t, q);
    net.setToken(p, kBlack, 0);
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
    press(d, "1");  // nothing changed: no mark, no undo copy
    QVERIFY(!doc.isModified() && !undo->isEnabled());

    // Compiled under typed text: the text stays, read-only, and OK says why it was not applied.
    d = open();
    auto* edit = control<QPlainTextEdit>(d, "1022");
    edit->setPlainText("o1=i1;//typed");
    frame.runCommand(Cmd::Compile);
    QCOMPARE(doc.compiled(), true);
    QVERIFY(edit->isReadOnly());
    QVERIFY(okWithMessage(d).contains(u8("コンパイル中")));
    QVERIFY(d->isVisible() && net.transitions().at(t).functionText == "o1=i1;");
    frame.runCommand(Cmd::Abort);
    QVERIFY(!edit->isReadOnly());
    QCOMPARE(okWithMessage(d), QString());
    QCOMPARE(net.transitions().at(t).functionText, std::string("o1=i1;//typed"));
    QVERIFY(doc.isModified() && undo->isEnabled());

    // Undo of a net with a gap renumbers it: the open dialog goes and says its text was dropped.
    view->interaction().state().selection = {p};
    frame.runCommand(Cmd::Delete);
    d = open();
    control<QPlainTextEdit>(d, "1022")->setPlainText("o1=i1;//again");
    press(d, "1");
    d = open();
    control<QPlainTextEdit>(d, "1022")->setPlainText("o1=i1;//lost");
    frame.runCommand(Cmd::Undo);
    QVERIFY(!d || !d->isVisible());
    QCOMPARE(net.transitions().begin()->first, 1);
    QCOMPARE(net.transitions().begin()->second.functionText, std::string("o1=i1;//typed"));
    QVERIFY(frame.messageBar()->logText().contains(u8("オブジェクト 2 が削除されたか置き換えられたため")));
    // Deleting the object closes its dialog.
    d = open();
    QVERIFY(d);
    view->interaction().state().selection = {1};
    frame.runCommand(Cmd::Delete);
    QVERIFY(!d || !d->isVisible());
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
