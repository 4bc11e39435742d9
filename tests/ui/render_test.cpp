// What the canvas shows: object shapes and colours, and what each zoom level draws of grid, arrow heads,
// labels, tokens, ids and marks; hit tests, zoom and scrolling, centring, selection, skins, the simulation
// marking, hover frames, printing; and the paint visits only what the window shows: arcs from far away
// still cross it, dragged objects are drawn where they are, and overlay moves repaint correctly on screen.
// Shapes, levels, hit tests, centring, printing, far arcs and drags are scripts in tests/data/ui/render.txt.
#include <QDir>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "common/error.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::addToNet;
using novra::ui::testing::Fixture;

namespace {
const QColor cTransition(0x64, 0x64, 0xFF);
const QColor cArc(0x20, 0x40, 0x80);  // set by the tests, unlike any other colour on the canvas
const QColor cBlack(Qt::black), cWhite(Qt::white);

int countColor(const QImage& img, const QColor& c, QRect area = QRect()) {
    area = area.isNull() ? img.rect() : area & img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += QColor(img.pixel(x, y)) == c;
    return n;
}
// Colour counts at the four corners of a 40 x 40 cell, where no shape reaches.
int atCorners(const QImage& img, const QColor& c, QPoint centre) {
    const QRect cell(centre - QPoint(20, 20), QSize(40, 40));
    int n = 0;
    for (QPoint k : {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight()})
        n += countColor(img, c, QRect(k - QPoint(3, 3), QSize(7, 7)));
    return n;
}
}  // namespace

class RenderTest : public novra::ui::testing::UiTest {
    Q_OBJECT
  private slots:
    void init();
    void cleanup() { f_.reset(); }
    void scripts_data() { novra::ui::testing::scriptRows("render.txt"); }
    void scripts() {
        QFETCH(QString, script);
        PLAY(script);
    }
    void skinsDrawTransparentAroundTheShape();
    void compiledNetShowsTheSimulationMarking();
    void hoverFramesAppearAndGo();

  private:
    QColor px(QPoint p) { return QColor(r().backBuffer().pixel(p)); }
    QColor px(int x, int y) { return px(QPoint(x, y)); }
    int count(const QColor& c, QRect area = QRect()) { return countColor(r().backBuffer(), c, area); }
    bool drew(const QString& s) {
        for (const auto& t : r().drawnTexts())
            if (t.text == s) return true;
        return false;
    }
    // Every edit of the net tells the view to refill its id buffer; the tests edit the net directly.
    void render() {
        r().setRebuild();
        r().renderFrame();
    }
    void zoomTo(int level) {
        while (r().zoomLevel() < level) v().runCommand(Cmd::ZoomOut);
        while (r().zoomLevel() > level) v().runCommand(Cmd::ZoomIn);
        render();
    }
    // Rows of places far above and below the window, so that the canvas index has many small cells.
    void addFiller() {
        for (int x = -3000; x <= 3000; x += 10) {
            net().addObject(x, -2000, kPlace);
            net().addObject(x, 3000, kPlace);
        }
    }
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(p), QPointF(v().viewport()->mapToGlobal(p)), button, buttons,
                      Qt::NoModifier);
        QApplication::sendEvent(v().viewport(), &e);
    }
    // What the window shows now, after the paints that are due.
    QImage onScreen() {
        QApplication::processEvents();
        const QImage shot = v().screen()->grabWindow(v().window()->winId()).toImage();
        return shot.copy(QRect(v().viewport()->mapTo(v().window(), QPoint(0, 0)), v().viewport()->size()));
    }
};

void RenderTest::init() {
    f_ = std::make_unique<Fixture>();
    v().settings().colors.arc = cArc.red() | cArc.green() << 8 | cArc.blue() << 16;
    v().settingsChanged();
    render();
}

void RenderTest::skinsDrawTransparentAroundTheShape() {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("skin");
    QImage place(20, 20, QImage::Format_RGB32);  // stretched to the 40 x 40 cell
    place.fill(QColor(0, 0, 255));               // the key colour, from the top-left pixel
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x) place.setPixel(x, y, qRgb(200, 0, 0));
    QVERIFY(place.save(dir.filePath("skin/place.bmp"), "BMP"));
    QImage back(8, 8, QImage::Format_RGB32);
    back.fill(QColor(10, 20, 30));
    QVERIFY(back.save(dir.filePath("skin/back.bmp"), "BMP"));
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(dir.path());
    addToNet(net(), "p100,100 t200,100");
    v().settings().skinUse = 1;
    v().settingsChanged();
    render();
    QDir::setCurrent(cwd);
    QVERIFY(px(100, 100) == QColor(200, 0, 0) && px(82, 82) == QColor(10, 20, 30));  // key colour: background
    QCOMPARE(px(195, 100), cTransition);  // no skin file: the drawn shape
    zoomTo(1);
    QCOMPARE(px(r().toClient(100, 100)), QColor(200, 0, 0));  // the sprite follows the zoom
}

void RenderTest::compiledNetShowsTheSimulationMarking() {
    const int p = 1, q = 2, t = 3;
    addToNet(net(), "p100,100 p300,100=B1 t200,100");  // the edit marking is not shown while compiled
    net().places().at(p).put(kBlack, 7);
    net().places().at(q).take();
    net().transitions().at(t).enabled = true;
    f_->doc->setCompiled(1);
    render();
    QVERIFY(count(cBlack, QRect(90, 90, 21, 21)) > 30);
    QCOMPARE(count(cBlack, QRect(290, 90, 21, 21)), 0);
    v().settings().enableOldToken = 1;
    r().drawSimulationFrame();
    const QImage& w = r().workBuffer();
    QVERIFY(countColor(w, QColor(255, 100, 100), QRect(165, 65, 70, 70)) > 100);  // enabled transition
    QVERIFY(countColor(w, cBlack, QRect(260, 120, 20, 20)) > 30);                 // q's last token was black
    net().places().at(p).put(9, 0);
    QVERIFY_THROWS_EXCEPTION(novra::CError, r().drawSimulationFrame());
    render();  // a repaint draws what it can instead of failing
    // A source's held value and a sink's received words at every level.
    const int u = 4, k = 5;
    addToNet(net(), "u100,200 k300,200");
    net().places().at(p).put(kBlack, 0);
    net().uhzis().at(u).holdValue = 1;
    net().kemmakixes().at(k).placeId = q;
    net().kemmakixes().at(k).received = {"0110"};
    for (int level = 0; level <= CRenderer::kMaxZoom; ++level) {
        zoomTo(level);
        r().drawSimulationFrame();
        QVERIFY2(drew("1...") && drew("0110"), qPrintable(QString::number(level)));
    }
}

// Hover frames in the tool's colour round the object under the pointer (at the cell's corners, where the
// shapes, of the frames' colours, do not reach), and the rubber arc, on screen.
void RenderTest::hoverFramesAppearAndGo() {
    addFiller();
    const int p = net().addObject(100, 100, kPlace);
    net().addObject(300, 100, kTransition);
    render();
    v().runCommand(Cmd::ToolDelete);
    QTest::mouseMove(v().viewport(), {100, 100});
    QVERIFY(atCorners(v().viewport()->grab().toImage(), QColor(255, 100, 100), {100, 100}) > 40);
    v().runCommand(Cmd::ToolArc);
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(f_->st().arcPending && f_->st().arcSource == p);
    // Over a valid target: a blue frame round it and the rubber arc from the source's centre.
    mouse(QEvent::MouseMove, {300, 100}, Qt::NoButton, Qt::NoButton);
    QImage shot = onScreen();
    QVERIFY(atCorners(shot, QColor(100, 100, 255), {300, 100}) > 40);
    QVERIFY(countColor(shot, cArc, QRect(150, 95, 100, 10)) > 50);
    QCOMPARE(QColor(shot.pixel(100, 112)), cWhite);  // the rest comes from the drawn net
    // Off it: the frame goes, the rubber arc follows the pointer, and the first stretch of it is erased.
    mouse(QEvent::MouseMove, {200, 250}, Qt::NoButton, Qt::NoButton);
    shot = onScreen();
    QCOMPARE(atCorners(shot, QColor(100, 100, 255), {300, 100}), 0);
    QCOMPARE(countColor(shot, cArc, QRect(230, 95, 40, 10)), 0);
}

QTEST_MAIN(RenderTest)
#include "render_test.moc"
