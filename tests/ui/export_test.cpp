// Pictures of the net: SVG with a group per object and its texts as text, PDF with its texts as text,
// PNG at a scale, File > 「画像として書き出し…」 on the real main window through scripted prompts, and
// its dialog.
#include <QDoubleSpinBox>
#include <QImage>
#include <QLineEdit>
#include <QMenuBar>
#include <QRadioButton>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <QtTest>
#include <map>

#include "common/messages.h"
#include "ui/dialogs/dialogs.h"
#include "ui/picture_export.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::Fixture;

namespace {

// Places at (100,100) and (300,180) with a transition between, a source and a sink: the picture spans
// 200 x 80 canvas pixels plus the margin of 40 on every side.
void buildNet(CNet& n) {
    testing::addToNet(n, "u60,100 p100,100=B1 t200,140 p300,180 k340,180 1>2 2>3 3>4 4>5");
    n.setArcVariable(n.findArc(2, 3), "入力");
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The class of every <g> that has one, counted, and the texts of the <text> elements.
struct SvgSummary {
    std::map<QString, int> groups;
    QStringList texts;
    QString viewBox;
    int operator[](const char* kind) const {
        auto it = groups.find(QString::fromLatin1(kind));
        return it == groups.end() ? 0 : it->second;
    }
};
SvgSummary summarise(const QByteArray& svg) {
    SvgSummary s;
    QXmlStreamReader x(svg);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement) continue;
        if (x.name() == QLatin1String("svg")) s.viewBox = x.attributes().value("viewBox").toString();
        if (x.name() == QLatin1String("g") && x.attributes().hasAttribute("class"))
            ++s.groups[x.attributes().value("class").toString()];
        if (x.name() == QLatin1String("text")) s.texts << x.readElementText();
    }
    if (x.hasError()) s.groups[QStringLiteral("error: ") + x.errorString()] = 1;
    return s;
}

// Answers the export dialog: the file, selection or not; notes whether a selection was offered.
struct PicturePrompts : testing::ScriptedPrompts {
    PictureRequest answer;
    bool cancel = false;
    QList<bool> offeredSelection;
    bool askPicture(QWidget*, PictureRequest& r, bool hasSelection) override {
        offeredSelection << hasSelection;
        if (!cancel) r = answer;
        return !cancel;
    }
};

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT
  private slots:
    void svgHoldsAGroupPerObjectWithItsTexts();
    void pdfKeepsTextAndPngFollowsTheScale();
    void badRequestsWriteNothing();
    void menuItemWritesTheWholeNetOrTheSelection();
    void dialogRefusesANameOfNoPictureFormat();
};

void ExportTest::svgHoldsAGroupPerObjectWithItsTexts() {
    Fixture f(false, 300, 200);
    buildNet(f.net());
    f.r().renderFrame();
    const QPoint scroll = f.r().scrollPos();
    const int zoom = f.r().zoomLevel(), texts = int(f.r().drawnTexts().size());
    QTemporaryDir dir;
    const QString path = dir.filePath("net.svg");
    QCOMPARE(QString::fromStdString(writePicture(f.r(), path)), QString());
    QVERIFY(QSvgRenderer(path).isValid());
    const SvgSummary s = summarise(readAll(path));
    const std::map<QString, int> expected = {{"arc", 4},    {"background", 1}, {"kemmakix", 1}, {"place", 2},
                                             {"tokens", 1}, {"transition", 1}, {"uhzi", 1}};
    QCOMPARE(s.groups, expected);
    QCOMPARE(s.viewBox, QString("0 0 360 160"));  // what is drawn plus the margin, not the window
    QVERIFY2(s.texts.contains(testing::u8("入力")) && s.texts.contains("1"), qPrintable(s.texts.join('|')));
    // The window still shows what it showed.
    QCOMPARE(f.r().scrollPos(), scroll);
    QCOMPARE(f.r().zoomLevel(), zoom);
    f.r().renderFrame();
    QCOMPARE(int(f.r().drawnTexts().size()), texts);

    // Only the objects given, and the arcs between two of them.
    const std::set<int> only = {2, 3};
    QCOMPARE(QString::fromStdString(writePicture(f.r(), path, 1, &only)), QString());
    const SvgSummary part = summarise(readAll(path));
    QCOMPARE(part["place"], 1);
    QCOMPARE(part["arc"], 1);
    QCOMPARE(part["uhzi"], 0);
    QCOMPARE(part.viewBox, QString("0 0 180 120"));
}

void ExportTest::pdfKeepsTextAndPngFollowsTheScale() {
    Fixture f(false, 300, 200);
    buildNet(f.net());
    QTemporaryDir dir;
    QCOMPARE(QString::fromStdString(writePicture(f.r(), dir.filePath("net.PDF"))), QString());
    const QByteArray pdf = readAll(dir.filePath("net.PDF"));
    // Texts set in an embedded font with its Unicode map, not painted as pictures.
    QVERIFY(pdf.startsWith("%PDF") && pdf.size() < 100000);
    QVERIFY(pdf.contains("/ToUnicode") && pdf.contains("/FontFile"));
    QVERIFY(!pdf.contains("/Subtype /Image"));
    QVERIFY(pdf.contains("/MediaBox [0 0 270"));  // 360 canvas pixels at 96 dpi are 270 points

    QImage one, two;
    QCOMPARE(QString::fromStdString(writePicture(f.r(), dir.filePath("one.png"), 1)), QString());
    QCOMPARE(QString::fromStdString(writePicture(f.r(), dir.filePath("two.png"), 2)), QString());
    QVERIFY(one.load(dir.filePath("one.png")) && two.load(dir.filePath("two.png")));
    QCOMPARE(one.size(), QSize(360, 160));
    QCOMPARE(two.size(), QSize(720, 320));
    // In the colours the screen uses: the canvas colour in the corner, the place's pen on its rim.
    QCOMPARE(two.pixelColor(1, 1), colorFromSetting(f.view->settings().colors.back));
    // The place at (300,180) is at (280,120) in the picture; its circle's top passes through (280,101).
    QCOMPARE(one.pixelColor(280, 101), colorFromSetting(f.view->settings().colors.place));
}

void ExportTest::badRequestsWriteNothing() {
    Fixture f(false, 300, 200);
    buildNet(f.net());
    QTemporaryDir dir;
    QFile keep(dir.filePath("keep.png"));
    QVERIFY(keep.open(QIODevice::WriteOnly) && keep.write("old") == 3);
    keep.close();
    const struct {
        QString path;
        double scale;
        const MsgText* message;
    } cases[] = {
        {dir.filePath("net.gif"), 1, &msg::kPictureBadFormat},
        {dir.filePath("keep.png"), 0.05, &msg::kPictureBadScale},
        {dir.filePath("keep.png"), 10.5, &msg::kPictureBadScale},
        {dir.filePath("none/net.svg"), 1, &msg::kPictureCannotWrite},
        {dir.path(), 1, &msg::kPictureBadFormat},
    };
    for (const auto& c : cases) {
        const std::string error = writePicture(f.r(), c.path, c.scale);
        const std::string head = text(*c.message).substr(0, text(*c.message).find("%s"));
        QVERIFY2(error.rfind(head, 0) == 0, error.c_str());
    }
    // A net too wide for a PNG at that scale.
    f.net().addObject(3000000, 100, kPlace);
    QVERIFY(writePicture(f.r(), dir.filePath("keep.png"), 10)
                .rfind(text(msg::kPictureTooLarge).substr(0, 10), 0) == 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
             QStringList("keep.png"));
    QCOMPARE(readAll(dir.filePath("keep.png")), QByteArray("old"));
}

void ExportTest::menuItemWritesTheWholeNetOrTheSelection() {
    Fixture f(true, 700, 500);
    PicturePrompts prompts;
    f.frame->setPrompts(&prompts);
    buildNet(f.net());
    QAction* item = nullptr;
    for (QAction* m : f.frame->menuBar()->actions())
        if (m->text() == QString::fromUtf8(text(msg::kMenuFile).c_str()))
            for (QAction* a : m->menu()->actions())
                if (a->objectName() == "57611") item = a;
    QVERIFY(item != nullptr);
    f.frame->updateCommands();
    QVERIFY(item->isEnabled());
    QCOMPARE(item->text(), QString::fromUtf8(text(msg::kItemExportPicture).c_str()));

    QTemporaryDir dir;
    prompts.answer.path = dir.filePath("whole.svg");
    item->trigger();
    QVERIFY(f.log().contains(QString::fromUtf8(text(msg::kPictureExported).c_str()) + prompts.answer.path));
    f.st().selection = {1, 2};
    prompts.answer = {dir.filePath("part.svg"), true, 1};
    item->trigger();
    prompts.cancel = true;
    item->trigger();
    QCOMPARE(prompts.offeredSelection, QList<bool>({false, true, true}));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList({"part.svg", "whole.svg"}));
    const SvgSummary whole = summarise(readAll(dir.filePath("whole.svg")));
    const SvgSummary part = summarise(readAll(dir.filePath("part.svg")));
    QCOMPARE(whole["place"] + whole["arc"], 6);
    QCOMPARE(part["uhzi"] + part["place"] + part["arc"] + part["transition"], 3);
}

void ExportTest::dialogRefusesANameOfNoPictureFormat() {
    testing::TempIni ini;
    using testing::control;
    CExportDialog d({"net.svg", true, 1}, false, nullptr);
    QVERIFY(!control<QRadioButton>(&d, "1204")->isEnabled());  // no selection to offer
    QVERIFY(control<QRadioButton>(&d, "1203")->isChecked());
    QVERIFY(!control<QDoubleSpinBox>(&d, "1205")->isEnabled());  // a scale only for a PNG
    control<QLineEdit>(&d, "1201")->setText("net.gif");
    QCOMPARE(testing::pressWithMessage(&d),
             QString::fromStdString(text(msg::kPictureBadFormat)).replace("%s", "net.gif"));
    QCOMPARE(d.result(), int(QDialog::Rejected));
    control<QLineEdit>(&d, "1201")->setText("net.png");
    control<QDoubleSpinBox>(&d, "1205")->setValue(2.5);
    QVERIFY(control<QDoubleSpinBox>(&d, "1205")->isEnabled());
    QCOMPARE(testing::pressWithMessage(&d), QString());
    QCOMPARE(d.result(), int(QDialog::Accepted));
    const PictureRequest r = d.request();
    QVERIFY(r.path == "net.png" && !r.selectionOnly && r.scale == 2.5);
}

QTEST_MAIN(ExportTest)
#include "export_test.moc"
