// The property dialogs and the settings dialog: what they show, what OK and Cancel keep, the input they
// refuse, and that a dialog stays with its object.
#include "ui/dialogs/dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>
#include <memory>

#include "common/messages.h"
#include "ui/messagebar.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::control;
using novra::ui::testing::TempIni;
using novra::ui::testing::u8;

namespace {
QString ok(QWidget* d) {
    return novra::ui::testing::pressWithMessage(d);
}
QPlainTextEdit* text(QWidget* d, const char* id) {
    return control<QPlainTextEdit>(d, id);
}
QLineEdit* line(QWidget* d, const char* id) {
    return control<QLineEdit>(d, id);
}
QRadioButton* radio(QWidget* d, const char* id) {
    return control<QRadioButton>(d, id);
}
QCheckBox* check(QWidget* d, const char* id) {
    return control<QCheckBox>(d, id);
}
}  // namespace

class DialogsTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        setNmode(0);
        ini_ = std::make_unique<TempIni>();
        doc_ = std::make_unique<CNOVRADoc>();
    }
    void cleanup() {
        doc_.reset();
        ini_.reset();
        setNmode(0);
    }
    void transitionDefaultsAndRefusesBadText();
    void transitionWhileCompiledOrDeleted();
    void uhziModesAndValidation();
    void kemmakixComparison();
    void numberAndObjectList();
    void verilogFoldersAndValidation();
    void dialogsBelongToTheirObject();
    void settingsPagesOkAndCancel();
    void settingsRefuseOutOfRangeNumbers();
    void colourButtonsAndPreview();

  private:
    std::unique_ptr<TempIni> ini_;
    std::unique_ptr<CNOVRADoc> doc_;
    CNet& net() { return doc_->net(); }
};

void DialogsTest::transitionDefaultsAndRefusesBadText() {
    const int t = net().addObject(100, 100, kTransition);
    const int p = net().addObject(0, 100, kPlace);
    const int q = net().addObject(200, 100, kPlace);
    auto& fn = net().transitions().at(t).functionText;
    fn.clear();
    {
        CTransitionDialog d(*doc_, t);
        QCOMPARE(text(&d, "1022")->toPlainText(), u8("//このトランジションはリクエストのみを伝達します"));
        QVERIFY(ok(&d).isEmpty() && fn == "//このトランジションはリクエストのみを伝達します");
    }
    net().addArc(p, t, {}, "a");
    net().addArc(t, q, {}, "gone");
    fn = "sum=a;\r\n";
    CTransitionDialog d(*doc_, t);
    d.show();
    QCOMPARE(text(&d, "1022")->toPlainText(), QString("sum=a;\n"));
    text(&d, "1022")->setPlainText("sum=a b;");  // two words side by side
    const QString message = ok(&d);
    QVERIFY(!message.isEmpty() && !message.contains("(titled)") && d.isVisible());
    QCOMPARE(fn, std::string("sum=a;\r\n"));
    text(&d, "1022")->setPlainText("out=a&b;\nx=b;");
    check(&d, "1058")->setChecked(true);
    QVERIFY(ok(&d).isEmpty() && !d.isVisible());
    QCOMPARE(fn, std::string("out=a&b;\r\nx=b;"));
    QCOMPARE(net().transitions().at(t).inputVarNames, (std::map<std::string, int>{{"a", 1}, {"b", 2}}));
    QCOMPARE(net().arcs().at(net().findArc(p, t)).varName, std::string("a"));
    QCOMPARE(net().arcs().at(net().findArc(t, q)).varName, std::string());  // names no variable any more
    // Cancel keeps everything.
    CTransitionDialog c(*doc_, t);
    QVERIFY(check(&c, "1058")->isChecked());
    text(&c, "1022")->setPlainText("o1=i1;");
    check(&c, "1058")->setChecked(false);
    control<QPushButton>(&c, "2")->click();
    QVERIFY(fn == "out=a&b;\r\nx=b;" && net().simTranOpt().count(t));
}

void DialogsTest::transitionWhileCompiledOrDeleted() {
    const int t = net().addObject(100, 100, kTransition);
    net().setSimTranOpt(t, true);
    doc_->setCompiled(1);
    CTransitionDialog d(*doc_, t);
    QVERIFY(text(&d, "1022")->isReadOnly());
    text(&d, "1022")->setPlainText("broken text");
    check(&d, "1058")->setChecked(false);
    QVERIFY(ok(&d).isEmpty() && !net().simTranOpt().count(t));
    QCOMPARE(net().transitions().at(t).functionText, std::string("o1=i1;"));
    // A transition deleted while its dialog was open: OK closes without touching the net.
    doc_->setCompiled(0);
    CTransitionDialog gone(*doc_, t);
    net().deleteObject(t);
    QVERIFY(ok(&gone).isEmpty() && net().transitions().empty());
}

void DialogsTest::uhziModesAndValidation() {
    const int u = net().addObject(0, 0, kUhzi);
    net().uhzis().at(u).holdValue = 1;
    CUhziDialog d(*doc_, u);
    d.show();
    QVERIFY(radio(&d, "1004")->isChecked() && !radio(&d, "1011")->isEnabled());
    QCOMPARE(line(&d, "1023")->text(), QString("1"));
    QVERIFY(text(&d, "1024")->isReadOnly() && !line(&d, "1023")->isReadOnly());
    radio(&d, "1005")->click();
    QVERIFY(!text(&d, "1024")->isReadOnly() && line(&d, "1023")->isReadOnly());
    QVERIFY(radio(&d, "1012")->isEnabled());
    radio(&d, "1012")->click();
    text(&d, "1024")->setPlainText("0101\n\n\n11\r\n");
    line(&d, "1023")->setText("2");
    QCOMPARE(ok(&d), u8("0 から 1 までの整数を入力してください。"));
    QVERIFY(d.isVisible() && net().uhzis().at(u).addp == 0);
    line(&d, "1023")->setText("0");
    QCOMPARE(ok(&d), QString());
    const CUhzi& s = net().uhzis().at(u);
    QVERIFY(s.addp == 1 && s.line == 1 && s.holdValue == 0);
    QCOMPARE(s.words, (std::vector<std::string>{"0101", "11"}));
    // Compiled: everything read-only, and OK changes nothing.
    doc_->setCompiled(1);
    CUhziDialog c(*doc_, u);
    QCOMPARE(text(&c, "1024")->toPlainText(), QString("0101\n11\n"));
    QVERIFY(text(&c, "1024")->isReadOnly() && line(&c, "1023")->isReadOnly());
    for (const char* id : {"1004", "1005", "1011", "1012"}) QVERIFY(!radio(&c, id)->isEnabled());
    text(&c, "1024")->setPlainText("1");
    QCOMPARE(ok(&c), QString());
    QCOMPARE(s.words.size(), size_t(2));
}

void DialogsTest::kemmakixComparison() {
    const int k = net().addObject(0, 0, kKemmakix);
    CKemmakix& km = net().kemmakixes().at(k);
    km.received = {"a", "b"};
    km.hasReceived = true;
    km.expected = {"a", "c", "d"};
    km.line = 2;
    CKemmakixDialog d(*doc_, k);
    QCOMPARE(text(&d, "1009")->toPlainText(), u8("○\n×\n"));
    QCOMPARE(line(&d, "1028")->text(), u8("×"));
    QVERIFY(radio(&d, "1011")->isChecked() && text(&d, "1008")->isReadOnly());
    radio(&d, "1005")->click();
    QVERIFY(!text(&d, "1008")->isReadOnly());
    text(&d, "1008")->setPlainText("a\n\nb");
    control<QPushButton>(&d, "1")->click();
    QCOMPARE(km.line, 1);
    QCOMPARE(km.expected, (std::vector<std::string>{"a", "b"}));
    CKemmakixDialog same(*doc_, k);
    QCOMPARE(line(&same, "1028")->text(), u8("○"));
}

void DialogsTest::numberAndObjectList() {
    CNumberDialog d(u8("配置数"), 1);
    d.show();
    QVERIFY(control<QLabel>(&d, "1000")->text() == u8("配置数") && line(&d, "1021")->text() == "1");
    line(&d, "1021")->setText("101");
    QCOMPARE(ok(&d), u8("0 から 100 までの整数を入力してください。"));
    QVERIFY(d.isVisible());
    line(&d, "1021")->setText("abc");
    QVERIFY(!ok(&d).isEmpty());
    line(&d, "1021")->setText("7");
    QVERIFY(ok(&d).isEmpty() && d.number() == 7);
    // The object list: id, kind and stop option; Search returns the chosen row's id, OK none.
    net().addObject(0, 0, kPlace);
    const int t = net().addObject(0, 0, kTransition);
    net().addObject(0, 0, kKemmakix);
    net().setSimTranOpt(t, true);
    CObjectListDialog list(net());
    QStringList rows;
    auto* table = control<QTableWidget>(&list, "1047");
    for (int r = 0; r < table->rowCount(); ++r)
        rows << table->item(r, 0)->text() + " " + table->item(r, 1)->text() + " " + table->item(r, 2)->text();
    QCOMPARE(rows, (QStringList{"1 place ", "2 transition SimFireStop", "3 kemmakix "}));
    table->selectRow(1);
    control<QPushButton>(&list, "3")->click();
    QCOMPARE(list.result(), t);
    CObjectListDialog none(net());
    control<QPushButton>(&none, "3")->click();
    QCOMPARE(none.result(), 0);
}

void DialogsTest::verilogFoldersAndValidation() {
    doc_->settings().verilogOutDirs = {"/out/a", "/out/b"};
    doc_->settings().verilogOutModuleName = "top";
    {
        CVerilogDialog d(*doc_);
        d.show();
        QVERIFY(control<QComboBox>(&d, "1044")->currentText() == "/out/a" &&
                line(&d, "1000")->text() == "top");
        line(&d, "1000")->setText(QString(33, 'm'));
        QCOMPARE(ok(&d), u8("32 文字以内で入力してください。"));
        line(&d, "1000")->setText(QString(32, 'm'));
        line(&d, "1008")->setText("2.5");
        QCOMPARE(ok(&d), u8("-0.5 から 2.0 までの数値を入力してください。"));
        QVERIFY(d.isVisible());
        line(&d, "1008")->setText("-0.5");
        check(&d, "1050")->setChecked(true);
        QVERIFY(ok(&d).isEmpty() && d.delayOverPlus() == -0.5 && doc_->settings().verilogOutSync == 1);
        QCOMPARE(doc_->settings().verilogOutModuleName, QString(32, 'm'));
    }
    CVerilogDialog d(*doc_);
    QCOMPARE(line(&d, "1008")->text(), QString("0"));
    d.browseFolder = [](QWidget*, const QString& start) {
        return start == "/out/a" ? QString("/out/b") : QString();
    };
    control<QPushButton>(&d, "1039")->click();
    QCOMPARE(control<QComboBox>(&d, "1044")->currentText(), QString("/out/b"));
    line(&d, "1008")->setText("2.0");  // both ends of the range are allowed
    QCOMPARE(ok(&d), QString());
    QCOMPARE(d.delayOverPlus(), 2.0);
    QCOMPARE(doc_->settings().verilogOutDirs, (std::vector<QString>{"/out/b", "/out/a", "/out/b"}));
}

void DialogsTest::dialogsBelongToTheirObject() {
    CMainFrame frame(doc_.get());
    frame.show();
    CNOVRAView* view = frame.view();
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
    QVERIFY(!doc_->isModified() && !undo->isEnabled());
    // Compiled under typed text: the text stays, read-only, and OK says why it was not applied.
    d = open();
    auto* edit = text(d, "1022");
    edit->setPlainText("o1=i1;//typed");
    frame.runCommand(Cmd::Compile);
    QVERIFY(doc_->compiled() && edit->isReadOnly());
    QVERIFY(ok(d).contains(u8("コンパイル中")));
    QVERIFY(d->isVisible() && net().transitions().at(t).functionText == "o1=i1;");
    frame.runCommand(Cmd::Abort);
    QVERIFY(!edit->isReadOnly());
    QCOMPARE(ok(d), QString());
    QCOMPARE(net().transitions().at(t).functionText, std::string("o1=i1;//typed"));
    QVERIFY(doc_->isModified() && undo->isEnabled());
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

void DialogsTest::settingsPagesOkAndCancel() {
    CNOVRAView view(doc_.get());
    view.settings().hatchSize = 25;
    view.settings().objectYard = view.settings().compileSave = view.settings().skinUse = 1;
    view.settings().simAnime = 0;
    doc_->settings().simSpeed = 333;
    setNmode(1);
    auto dialog = std::make_unique<CConfigDialog>(*doc_, view);
    dialog->show();
    const auto page = [&](const char* name) { return control<QWidget>(dialog.get(), name); };
    QVERIFY(radio(page("GeneralPage"), "1005")->isChecked() &&
            !check(page("SimulationPage"), "1038")->isChecked());
    QVERIFY(line(page("EditPage"), "1000")->text() == "25" &&
            line(page("SimulationPage"), "1020")->text() == "333");
    // Cancel keeps everything, a chosen colour too.
    const ViewSettings before = view.settings();
    dialog->generalPage()->chooseColor = [](QWidget*, const QColor&) { return QColor(1, 2, 3); };
    control<QPushButton>(dialog->generalPage(), "1039")->click();
    QCOMPARE(dialog->generalPage()->colors().place, 0x030201);
    line(page("EditPage"), "1000")->setText("7");
    radio(page("GeneralPage"), "1004")->setChecked(true);
    dialog->reject();
    QVERIFY(view.settings().colors == before.colors && view.settings().hatchSize == 25 && nmode() == 1);
    // OK stores every page.
    dialog = std::make_unique<CConfigDialog>(*doc_, view);
    dialog->show();
    dialog->generalPage()->chooseColor = [](QWidget*, const QColor& start) {
        return start == colorFromSetting(ViewColors{}.place) ? QColor(1, 2, 3) : QColor();
    };
    control<QPushButton>(dialog->generalPage(), "1039")->click();
    radio(page("GeneralPage"), "1004")->setChecked(true);
    check(page("GeneralPage"), "1059")->setChecked(false);
    line(page("EditPage"), "1000")->setText("80");
    check(page("EditPage"), "1040")->setChecked(false);
    check(page("CompilePage"), "1037")->setChecked(false);
    line(page("SimulationPage"), "1020")->setText("5000");
    check(page("SimulationPage"), "1038")->setChecked(true);
    check(page("SimulationPage"), "1041")->setChecked(false);
    QCOMPARE(ok(dialog.get()), QString());
    const ViewSettings& v = view.settings();
    QCOMPARE(nmode(), 0);
    QVERIFY(v.skinUse == 0 && v.objectYard == 0 && v.compileSave == 0 && v.simAnime == 1 && v.tokenMove == 0);
    QVERIFY(v.hatchSize == 80 && v.colors.place == 0x030201 && doc_->settings().simSpeed == 5000);
}

void DialogsTest::settingsRefuseOutOfRangeNumbers() {
    CNOVRAView view(doc_.get());
    CConfigDialog dialog(*doc_, view);
    dialog.show();
    auto* grid = line(control<QWidget>(&dialog, "EditPage"), "1000");
    auto* speed = line(control<QWidget>(&dialog, "SimulationPage"), "1020");
    for (const char* bad : {"0", "5001", "-3", "abc", ""}) {
        grid->setText(bad);
        QCOMPARE(ok(&dialog), QString::fromUtf8(format(msg::kDlgIntRange, 1, 5000).c_str()));
        QVERIFY(dialog.isVisible() && dialog.tabs()->currentIndex() == 1);  // on the page of the number
    }
    grid->setText("1");
    speed->setText("0");
    dialog.tabs()->setCurrentIndex(0);
    QVERIFY(!ok(&dialog).isEmpty());
    QCOMPARE(dialog.tabs()->currentIndex(), 3);
    QCOMPARE(view.settings().hatchSize, 40);  // nothing stored by a refused OK
    speed->setText("1");
    QCOMPARE(ok(&dialog), QString());
    QVERIFY(view.settings().hatchSize == 1 && doc_->settings().simSpeed == 1);
}

void DialogsTest::colourButtonsAndPreview() {
    CNOVRAView view(doc_.get());
    CConfigDialog dialog(*doc_, view);
    dialog.show();
    CGeneralPage* g = dialog.generalPage();
    const auto pixel = [g](int x, int y) {
        return control<QWidget>(g, "1055")->grab().toImage().pixelColor(x, y);
    };
    auto* list = control<QListWidget>(g, "1054");
    const ViewColors def;
    // The preview: background in the corner, the grid, arcs at y = 35; a transition's input arc reaches
    // x = 25, and choosing the background keeps the transition.
    QVERIFY(pixel(2, 2) == colorFromSetting(def.back) && pixel(20, 2) == colorFromSetting(def.grid));
    list->setCurrentRow(1);
    list->setCurrentRow(5);
    QVERIFY(g->previewKind() == 1 && pixel(20, 35) == colorFromSetting(def.arc));
    g->chooseColor = [](QWidget*, const QColor&) { return QColor(10, 20, 30); };
    control<QPushButton>(g, "1039")->click();
    QVERIFY(g->colors().back == 0x1E140A && pixel(2, 2) == QColor(10, 20, 30));
    g->chooseColor = [](QWidget*, const QColor&) { return QColor(); };  // Cancel keeps the colour
    control<QPushButton>(g, "1039")->click();
    QCOMPARE(g->colors().back, 0x1E140A);
    control<QPushButton>(g, "1057")->click();  // black and white
    QVERIFY(g->colors().place == 0 && g->colors().back == 0xFFFFFF && pixel(2, 2) == QColor(Qt::white));
    control<QPushButton>(g, "1056")->click();  // defaults
    QCOMPARE(g->colors(), def);
    control<QPushButton>(g, "1057")->click();
    QCOMPARE(ok(&dialog), QString());
    QVERIFY(view.settings().colors.back == 0xFFFFFF && view.settings().colors.transition == 0);
}

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
