// The settings dialog: what the pages show, what OK stores and Cancel keeps, the colour list and its
// preview, and the numbers it refuses.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QtTest>
#include <memory>

#include "common/messages.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::TempIni;

namespace {
template <typename T>
T* control(QWidget* page, const char* id) {
    T* w = page->findChild<T*>(id);
    if (!w) qFatal("no control %s", id);
    return w;
}

// Presses OK; returns the text of a message box it raised (closed at once), empty for none.
QString pressOk(QDialog* d) {
    QString seen;
    QTimer timer;
    timer.setSingleShot(true);
    timer.start(0);
    QObject::connect(&timer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box->text();
            box->accept();
        }
    });
    control<QPushButton>(d, "1")->click();
    return seen;
}

QColor previewPixel(CGeneralPage* g, int x, int y) {
    QWidget* preview = control<QWidget>(g, "1055");
    return preview->grab().toImage().pixelColor(x, y);
}
}  // namespace

class SettingsTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void pagesShowAndOkStoresTheSettings();
    void cancelChangesNothing();
    void outOfRangeNumbersKeepTheDialogOnTheirPage();
    void colourButtonsAndPreview();

  private:
    std::unique_ptr<TempIni> ini_;
    std::unique_ptr<CNOVRADoc> doc_;
    std::unique_ptr<CNOVRAView> view_;
    std::unique_ptr<CConfigDialog> dialog_;
    QWidget* page(const char* name) { return control<QWidget>(dialog_.get(), name); }
    void open() {
        dialog_ = std::make_unique<CConfigDialog>(*doc_, *view_);
        dialog_->show();
    }
};

void SettingsTest::init() {
    ini_ = std::make_unique<TempIni>();
    doc_ = std::make_unique<CNOVRADoc>();
    view_ = std::make_unique<CNOVRAView>(doc_.get());
    setNmode(0);
}

void SettingsTest::cleanup() {
    dialog_.reset();
    view_.reset();
    doc_.reset();
    ini_.reset();
    setNmode(0);
}

void SettingsTest::pagesShowAndOkStoresTheSettings() {
    view_->settings().hatchSize = 25;
    view_->settings().objectYard = 1;
    view_->settings().compileSave = 1;
    view_->settings().simAnime = 0;
    view_->settings().skinUse = 1;
    doc_->settings().simSpeed = 333;
    setNmode(1);
    open();
    QCOMPARE(dialog_->tabs()->count(), 4);
    QVERIFY(control<QRadioButton>(page("GeneralPage"), "1005")->isChecked());
    QCOMPARE(control<QLineEdit>(page("EditPage"), "1000")->text(), QString("25"));
    QCOMPARE(control<QLineEdit>(page("SimulationPage"), "1020")->text(), QString("333"));
    QVERIFY(!control<QCheckBox>(page("SimulationPage"), "1038")->isChecked());
    QVERIFY(!control<QRadioButton>(page("SimulationPage"), "1004")->isEnabled());

    control<QRadioButton>(page("GeneralPage"), "1004")->setChecked(true);
    control<QCheckBox>(page("GeneralPage"), "1059")->setChecked(false);
    control<QLineEdit>(page("EditPage"), "1000")->setText("80");
    control<QCheckBox>(page("EditPage"), "1040")->setChecked(false);
    control<QCheckBox>(page("CompilePage"), "1037")->setChecked(false);
    control<QLineEdit>(page("SimulationPage"), "1020")->setText("5000");
    control<QCheckBox>(page("SimulationPage"), "1038")->setChecked(true);
    control<QCheckBox>(page("SimulationPage"), "1041")->setChecked(false);
    QCOMPARE(pressOk(dialog_.get()), QString());
    QCOMPARE(dialog_->result(), int(QDialog::Accepted));
    const ViewSettings& v = view_->settings();
    QCOMPARE(nmode(), 0);
    QVERIFY(v.skinUse == 0 && v.objectYard == 0 && v.compileSave == 0 && v.simAnime == 1 && v.tokenMove == 0);
    QCOMPARE(v.hatchSize, 80);
    QCOMPARE(doc_->settings().simSpeed, 5000);
}

void SettingsTest::cancelChangesNothing() {
    const ViewSettings before = view_->settings();
    open();
    CGeneralPage* g = dialog_->generalPage();
    g->chooseColor = [](QWidget*, const QColor&) { return QColor(1, 2, 3); };
    control<QPushButton>(g, "1039")->click();
    QCOMPARE(g->colors().place, 0x030201);
    control<QLineEdit>(page("EditPage"), "1000")->setText("7");
    control<QRadioButton>(page("GeneralPage"), "1005")->setChecked(true);
    dialog_->reject();
    QCOMPARE(view_->settings().colors, before.colors);
    QCOMPARE(view_->settings().hatchSize, before.hatchSize);
    QCOMPARE(nmode(), 0);

    // The same change with OK reaches the view.
    open();
    g = dialog_->generalPage();
    g->chooseColor = [](QWidget*, const QColor& start) {
        return start == colorFromSetting(ViewColors{}.place) ? QColor(1, 2, 3) : QColor();
    };
    control<QPushButton>(g, "1039")->click();
    QCOMPARE(pressOk(dialog_.get()), QString());
    QCOMPARE(view_->settings().colors.place, 0x030201);
}

void SettingsTest::outOfRangeNumbersKeepTheDialogOnTheirPage() {
    open();
    auto* grid = control<QLineEdit>(page("EditPage"), "1000");
    auto* speed = control<QLineEdit>(page("SimulationPage"), "1020");
    for (const char* bad : {"0", "5001", "-3", "abc", ""}) {
        grid->setText(bad);
        QCOMPARE(pressOk(dialog_.get()), QString::fromUtf8(format(msg::kDlgIntRange, 1, 5000).c_str()));
        QVERIFY(dialog_->isVisible());
        QCOMPARE(dialog_->tabs()->currentIndex(), 1);
    }
    grid->setText("1");
    speed->setText("0");
    dialog_->tabs()->setCurrentIndex(0);
    QVERIFY(!pressOk(dialog_.get()).isEmpty());
    QCOMPARE(dialog_->tabs()->currentIndex(), 3);
    QCOMPARE(view_->settings().hatchSize, 40);  // nothing stored by a refused OK
    speed->setText("1");
    QCOMPARE(pressOk(dialog_.get()), QString());
    QCOMPARE(view_->settings().hatchSize, 1);
    QCOMPARE(doc_->settings().simSpeed, 1);
}

void SettingsTest::colourButtonsAndPreview() {
    open();
    CGeneralPage* g = dialog_->generalPage();
    auto* list = control<QListWidget>(g, "1054");
    const ViewColors def;
    // Place preview: background in the corner, the place's outline left of centre, arcs at y = 35.
    QCOMPARE(previewPixel(g, 2, 2), colorFromSetting(def.back));
    QCOMPARE(previewPixel(g, 20, 2), colorFromSetting(def.grid));
    QCOMPARE(previewPixel(g, 5, 35), colorFromSetting(def.arc));

    list->setCurrentRow(1);  // transition becomes the preview object
    QCOMPARE(g->previewKind(), 1);
    QCOMPARE(previewPixel(g, 20, 35), colorFromSetting(def.arc));  // its input arc reaches x = 25
    list->setCurrentRow(5);                                        // background keeps the transition
    QCOMPARE(g->previewKind(), 1);
    g->chooseColor = [](QWidget*, const QColor&) { return QColor(10, 20, 30); };
    control<QPushButton>(g, "1039")->click();
    QCOMPARE(g->colors().back, 0x1E140A);
    QCOMPARE(previewPixel(g, 2, 2), QColor(10, 20, 30));
    g->chooseColor = [](QWidget*, const QColor&) { return QColor(); };  // Cancel keeps the colour
    control<QPushButton>(g, "1039")->click();
    QCOMPARE(g->colors().back, 0x1E140A);

    control<QPushButton>(g, "1057")->click();  // black and white
    QCOMPARE(g->colors().place, 0);
    QCOMPARE(g->colors().arc, 0);
    QCOMPARE(g->colors().back, 0xFFFFFF);
    QCOMPARE(g->colors().grid, 0xFFFFFF);
    QCOMPARE(previewPixel(g, 2, 2), QColor(Qt::white));
    control<QPushButton>(g, "1056")->click();  // defaults
    QCOMPARE(g->colors(), def);
    control<QPushButton>(g, "1057")->click();
    QCOMPARE(pressOk(dialog_.get()), QString());
    QCOMPARE(view_->settings().colors.back, 0xFFFFFF);
    QCOMPARE(view_->settings().colors.transition, 0);
}

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
