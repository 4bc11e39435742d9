// The property dialogs and the settings dialog: what they show, what OK and Cancel keep, the input they
// refuse (scripts in tests/data/ui/dialogs.txt), and that a dialog stays with its object.
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

class DialogsTest : public testing::UiTest {
    Q_OBJECT
  private slots:
    void init() {
        setNmode(0);
        ini_ = std::make_unique<TempIni>();
        doc_ = std::make_unique<CNOVRADoc>();
    }
    void cleanup() {
        f_.reset();
        doc_.reset();
        ini_.reset();
        setNmode(0);
    }
    void scripts_data() { testing::scriptRows("dialogs.txt"); }
    void scripts() {
        QFETCH(QString, script);
        f_ = std::make_unique<testing::Fixture>();
        PLAY(script);
    }
    void verilogFoldersAndValidation();
    void dialogsBelongToTheirObject();
    void settingsPagesOkAndCancel();
    void colourButtonsAndPreview();

  private:
    std::unique_ptr<TempIni> ini_;
    std::unique_ptr<CNOVRADoc> doc_;
    CNet& net() { return doc_->net(); }
};

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
    // Undo of a net with a gap renumbers it: the open dialog goes and says its text was dropped.
    view->interaction().state().selection = {p};
    frame.runCommand(Cmd::Delete);
    d = open();
    text(d, "1022")->setPlainText("o1=i1;//again");
    control<QPushButton>(d, "1")->click();
    d = open();
    text(d, "1022")->setPlainText("o1=i1;//lost");
    frame.runCommand(Cmd::Undo);
    QVERIFY(!d || !d->isVisible());
    QCOMPARE(net().transitions().begin()->first, 1);
    QCOMPARE(net().transitions().begin()->second.functionText, std::string("o1=i1;//typed"));
    QVERIFY(frame.messageBar()->logText().contains(u8("オブジェクト 2 が削除されたか置き換えられたため")));
    // Deleting the object closes its dialog.
    d = open();
    QVERIFY(d);
    view->interaction().state().selection = {1};
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
