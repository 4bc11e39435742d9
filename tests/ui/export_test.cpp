// Pictures of the net: SVG with a group per object and its texts as text, PDF with its texts as text, PNG
// at a scale. File > 「画像として書き出し…」 and its dialog are scripts in tests/data/ui.
#include <QImage>
#include <QSvgRenderer>
#include <QtTest>

#include "common/messages.h"
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

}  // namespace

class ExportTest : public QObject {
    Q_OBJECT
  private slots:
    void svgHoldsAGroupPerObjectWithItsTexts();
    void pdfKeepsTextAndPngFollowsTheScale();
    void badRequestsWriteNothing();
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
    // A group for each object and arc, and no more than what is drawn plus the margin, not the window.
    const QByteArray svg = readAll(path);
    QCOMPARE(testing::svgSummary(svg),
             QString("arc=4 background=1 kemmakix=1 place=2 tokens=1 transition=1 uhzi=1 box 0 0 360 160"));
    // The arc's label and the token's value as text.
    for (const char* t : {">入力</text>", ">1</text>"}) QVERIFY2(svg.contains(t), t);
    // The window still shows what it showed.
    QCOMPARE(f.r().scrollPos(), scroll);
    QCOMPARE(f.r().zoomLevel(), zoom);
    f.r().renderFrame();
    QCOMPARE(int(f.r().drawnTexts().size()), texts);

    // Only the objects given, and the arcs between two of them.
    const std::set<int> only = {2, 3};
    QCOMPARE(QString::fromStdString(writePicture(f.r(), path, 1, &only)), QString());
    QCOMPARE(testing::svgSummary(readAll(path)),
             QString("arc=1 background=1 place=1 tokens=1 transition=1 box 0 0 180 120"));
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

QTEST_MAIN(ExportTest)
#include "export_test.moc"
