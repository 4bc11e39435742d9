// What the canvas shows: object shapes and colours, grid, arcs, tokens, ids, zoom levels, hit tests; and
// the paint visits only what the window shows: arcs from far away still cross it, dragged objects are
// drawn where they are, and a move that changes only the overlay repaints it correctly on screen.
#include <QDir>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>
#include <climits>
#include <memory>

#include "common/error.h"
#include "model/net.h"
#include "ui/commands.h"
#include "ui/doc.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::CanvasFixture;

namespace {
const QColor cBack(0xFF, 0xEB, 0xC3);
const QColor cGrid(0xFF, 0xDC, 0xAA);
const QColor cPlace(0x64, 0xFF, 0x64);
const QColor cTransition(0x64, 0x64, 0xFF);
const QColor cUhzi(0xFF, 0x80, 0x00);
const QColor cKemmakix(0xFF, 0x00, 0xFF);
const QColor cArc(0x20, 0x40, 0x80);  // set by the tests, unlike any other colour on the canvas

QColor px(const CNOVRAView& v, int x, int y) {
    return QColor(v.renderer().backBuffer().pixel(x, y));
}
QColor px(const CNOVRAView& v, QPoint p) {
    return px(v, p.x(), p.y());
}

int countColor(const QImage& img, const QColor& c, QRect area = QRect()) {
    if (area.isNull()) area = img.rect();
    area &= img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += QColor(img.pixel(x, y)) == c;
    return n;
}

bool drewText(const CNOVRAView& v, const QString& s) {
    for (const auto& t : v.renderer().drawnTexts())
        if (t.text == s) return true;
    return false;
}
}  // namespace

class RenderTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void objectShapesAndColours();
    void gridOnlyBelowLevelThree();
    void arrowHeadsOnlyBelowLevelTwo();
    void arcLabelAtMidpoint();
    void tokensAndTheirValues();
    void objectIdsAtLevelsZeroAndOne();
    void singlePixelsAtLevelFive();
    void hitTestsThroughTheIdBuffer();
    void wheelAndZoomCommands();
    void extraLevelShrinksShapesOnly();
    void freshlyOpenedNetIsCentred();
    void selectionIsTintedRed();
    void marksOfSourcesAndSinks();
    void farAwayObjectsDrawNothing();
    void skinsDrawTransparentAroundTheShape();
    void compiledNetShowsTheSimulationMarking();
    void simulationTextsAtEveryLevel();
    void hoverFramesInTheirColours();
    void printingLeavesTheViewAsItWas();
    void arcsFromFarAwayCrossTheWindow();
    void draggedObjectIsDrawnWhereItIs();
    void hoverFramesAppearAndGo();

  private:
    std::unique_ptr<CanvasFixture> f_;
    CNOVRADoc* doc_ = nullptr;
    CNOVRAView* view_ = nullptr;
    CNet& net() { return doc_->net(); }
    // Every edit of the net tells the view to refill its id buffer; the tests edit the net directly.
    void render() {
        f_->r().setRebuild();
        f_->r().renderFrame();
    }
    QWidget* vp() { return view_->viewport(); }
    // Rows of places far above and below the window, so that the canvas index has many small cells.
    void addFiller() {
        for (int x = -3000; x <= 3000; x += 10) {
            net().addObject(x, -2000, kPlace);
            net().addObject(x, 3000, kPlace);
        }
    }
    void mouse(QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent e(type, QPointF(p), QPointF(vp()->mapToGlobal(p)), button, buttons, Qt::NoModifier);
        QApplication::sendEvent(vp(), &e);
    }
    // What the window shows now, after the paints that are due.
    QImage onScreen() {
        QApplication::processEvents();
        const QImage shot = view_->screen()->grabWindow(view_->window()->winId()).toImage();
        return shot.copy(QRect(vp()->mapTo(view_->window(), QPoint(0, 0)), vp()->size()));
    }
};

void RenderTest::init() {
    f_ = std::make_unique<CanvasFixture>();
    doc_ = f_->doc.get();
    view_ = f_->view.get();
    for (int i = 0; i < CRenderer::kMaxZoom; ++i)
        view_->settings().colors.arc = cArc.red() | cArc.green() << 8 | cArc.blue() << 16;
    view_->settingsChanged();
    render();
}

void RenderTest::cleanup() {
    f_.reset();
}

void RenderTest::objectShapesAndColours() {
    net().addObject(100, 100, kPlace);
    net().addObject(200, 100, kTransition);
    net().addObject(100, 220, kUhzi);
    net().addObject(200, 220, kKemmakix);
    render();
    QCOMPARE(px(*view_, 5, 5), cBack);
    QCOMPARE(px(*view_, 100, 81), cPlace);  // ellipse edge
    QCOMPARE(px(*view_, 100, 100), QColor(Qt::white));
    QCOMPARE(px(*view_, 195, 100), cTransition);  // left edge of the bar
    QCOMPARE(px(*view_, 200, 100), QColor(Qt::white));
    QCOMPARE(px(*view_, 181, 100), cBack);             // the bar is 10 wide, not a square
    QCOMPARE(px(*view_, 81, 220), cUhzi);              // back edge of the triangle
    QCOMPARE(px(*view_, 88, 220), QColor(Qt::white));  // left half white
    QCOMPARE(px(*view_, 108, 220), cBack);             // right half open
    QCOMPARE(px(*view_, 188, 220), cKemmakix);         // left half filled
    QCOMPARE(px(*view_, 208, 220), cBack);
    // Every level keeps each kind in its colour, smaller.
    int before = countColor(f_->r().backBuffer(), cPlace);
    for (int level = 1; level <= 5; ++level) {
        view_->runCommand(Cmd::ZoomOut);
        render();
        const QImage& img = f_->r().backBuffer();
        const int now = countColor(img, cPlace);
        QVERIFY2(now > 0 && now < before, qPrintable(QString("level %1").arg(level)));
        before = now;
        QVERIFY(countColor(img, cTransition) > 0);
        QVERIFY(countColor(img, cUhzi) > 0);
        QVERIFY(countColor(img, cKemmakix) > 0);
        if (level <= 2) QCOMPARE(px(*view_, f_->r().toClient(100, 100)), QColor(Qt::white));
    }
}

void RenderTest::gridOnlyBelowLevelThree() {
    for (int level = 0; level <= 5; ++level) {
        while (f_->r().zoomLevel() < level) view_->runCommand(Cmd::ZoomOut);
        render();
        const int grid = countColor(f_->r().backBuffer(), cGrid);
        if (level < 3)
            QVERIFY2(grid > 100, qPrintable(QString("level %1").arg(level)));
        else
            QVERIFY2(grid == 0, qPrintable(QString("level %1").arg(level)));
    }
    QCOMPARE(px(*view_, 5, 5), cBack);
}

void RenderTest::arrowHeadsOnlyBelowLevelTwo() {
    const int p = net().addObject(100, 160, kPlace);
    const int t = net().addObject(300, 160, kTransition);
    net().addArc(p, t);
    for (int level = 0; level <= 2; ++level) {
        while (f_->r().zoomLevel() < level) view_->runCommand(Cmd::ZoomOut);
        render();
        // The line is horizontal; only a head puts arc pixels well above or below it.
        const QPoint end = f_->r().toClient(290, 160);
        const QRect above(0, 0, f_->r().clientWidth(), end.y() - 3);
        const int off = countColor(f_->r().backBuffer(), cArc, above);
        if (level < 2)
            QVERIFY2(off > 0, qPrintable(QString("level %1").arg(level)));
        else
            QCOMPARE(off, 0);
        QVERIFY(countColor(f_->r().backBuffer(), cArc) > 0);
    }
    // The line stops short of the bar so the head touches it.
    view_->runCommand(Cmd::ZoomIn);
    view_->runCommand(Cmd::ZoomIn);
    render();
    QCOMPARE(px(*view_, 286, 160), cArc);
    QVERIFY(px(*view_, 294, 160) != cArc);
}

void RenderTest::arcLabelAtMidpoint() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(300, 100, kTransition);
    const int q = net().addObject(300, 250, kPlace);
    net().addArc(p, t, {}, "i1");
    net().addArc(t, q, {{400, 175}}, "o1");  // bent arcs carry no label
    render();
    QVERIFY(drewText(*view_, "i1"));
    QVERIFY(!drewText(*view_, "o1"));
    for (const auto& tx : f_->r().drawnTexts())
        if (tx.text == "i1") QCOMPARE(tx.pos, QPoint((100 + 290) / 2 - 10, 100 - 10));
    // Labels go with the line, not with the arrow heads.
    for (int level = 1; level <= CRenderer::kMaxZoom; ++level) {
        view_->runCommand(Cmd::ZoomOut);
        render();
        QVERIFY2(drewText(*view_, "i1"), qPrintable(QString("level %1").arg(level)));
    }
}

void RenderTest::tokensAndTheirValues() {
    const int a = net().addObject(100, 100, kPlace);
    const int b = net().addObject(200, 100, kPlace);
    const int c = net().addObject(300, 100, kPlace);
    net().setToken(a, kBlack, 1);
    net().setToken(b, kBlack, 7);
    net().setToken(c, kWhite, 0);
    render();
    QVERIFY(drewText(*view_, "1"));
    QVERIFY(drewText(*view_, "X"));
    QCOMPARE(f_->r().drawnTexts().size(), size_t(2));  // the white token shows no value
    QVERIFY(countColor(f_->r().backBuffer(), QColor(Qt::black), QRect(90, 90, 21, 21)) > 30);
    QVERIFY(countColor(f_->r().backBuffer(), QColor(Qt::white), QRect(90, 90, 21, 21)) > 3);  // its value
    QCOMPARE(px(*view_, 304, 104), QColor(Qt::white));
    QCOMPARE(px(*view_, 300, 90), QColor(50, 50, 50));  // outline
    view_->runCommand(Cmd::ZoomOut);
    render();
    QVERIFY(drewText(*view_, "X"));
    view_->runCommand(Cmd::ZoomOut);
    render();
    QVERIFY(f_->r().drawnTexts().empty());  // level 2: tokens without values
    QVERIFY(countColor(f_->r().backBuffer(), QColor(Qt::black)) > 0);
    view_->runCommand(Cmd::ZoomOut);
    view_->runCommand(Cmd::ZoomOut);
    render();
    QCOMPARE(countColor(f_->r().backBuffer(), QColor(Qt::black)), 0);  // level 4: no tokens
}

void RenderTest::objectIdsAtLevelsZeroAndOne() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    render();
    QVERIFY(f_->r().drawnTexts().empty());
    view_->settings().enableObjId = 1;
    render();
    QVERIFY(drewText(*view_, QString::number(p)));
    QVERIFY(drewText(*view_, QString::number(t)));
    for (const auto& tx : f_->r().drawnTexts())
        if (tx.text == QString::number(p)) QCOMPARE(tx.pos, QPoint(100, 80));
    view_->runCommand(Cmd::ZoomOut);
    render();
    QCOMPARE(f_->r().drawnTexts().size(), size_t(2));
    view_->runCommand(Cmd::ZoomOut);
    render();
    QVERIFY(f_->r().drawnTexts().empty());
}

void RenderTest::singlePixelsAtLevelFive() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(400, 100, kTransition);
    for (int i = 0; i < 9; ++i) view_->runCommand(Cmd::ZoomOut);  // clamps at 5
    QCOMPARE(f_->r().zoomLevel(), 5);
    QCOMPARE(f_->r().objectSize(), 1);
    render();
    const QPoint cp = f_->r().toClient(80, 80);
    const QPoint ct = f_->r().toClient(380, 80);
    QCOMPARE(px(*view_, cp), cPlace);
    QCOMPARE(px(*view_, ct), cTransition);
    QCOMPARE(countColor(f_->r().backBuffer(), cPlace), 1);
    QCOMPARE(countColor(f_->r().backBuffer(), cTransition), 1);
    QCOMPARE(f_->r().idAt(cp), p);
    QCOMPARE(f_->r().idAt(ct), t);
    QCOMPARE(f_->r().idAt(cp + QPoint(1, 0)), 0);
}

void RenderTest::hitTestsThroughTheIdBuffer() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    render();
    QCOMPARE(f_->r().idAt(QPoint(100, 100)), p);
    QCOMPARE(f_->r().idAt(QPoint(81, 81)), p);  // the whole cell counts, not only the shape
    QCOMPARE(f_->r().idAt(QPoint(181, 100)), t);
    QCOMPARE(f_->r().idAt(QPoint(150, 100)), 0);
    QCOMPARE(f_->r().idAt(QPoint(-1, 100)), 0);
    QCOMPARE(f_->r().idAt(QPoint(100000, 100)), 0);
    net().deleteObject(p);
    QCOMPARE(f_->r().idAt(QPoint(100, 100)), 0);  // stale ids count as nothing
    view_->runCommand(Cmd::ZoomOut);
    render();
    const QPoint c = f_->r().toClient(200, 100);
    QCOMPARE(f_->r().idAt(c), t);
    QCOMPARE(f_->r().idAt(f_->r().toClient(200, 100) + QPoint(11, 0)),
             0);  // the cell is 20 wide now
    // Scrolling moves the hit area with the drawing.
    f_->r().scrollByOffset(10, 0);
    QCOMPARE(f_->r().scrollPos(), QPoint(20, 0));
    render();
    QCOMPARE(f_->r().idAt(c - QPoint(10, 0)), t);
    // The bars reach back to where the view was: the range holds every visible area.
    QCOMPARE(view_->horizontalScrollBar()->minimum(), 0);
    QCOMPARE(view_->horizontalScrollBar()->value(), 20);
    view_->horizontalScrollBar()->setValue(0);
    QCOMPARE(f_->r().scrollPos(), QPoint(0, 0));
    render();
    QCOMPARE(f_->r().idAt(c), t);
}

void RenderTest::wheelAndZoomCommands() {
    const QPoint at(50, 50);
    QWheelEvent down(at, view_->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 120), Qt::NoButton,
                     Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view_->viewport(), &down);
    QCOMPARE(f_->r().zoomLevel(), 1);  // a positive delta draws smaller
    QWheelEvent ctrl(at, view_->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                     Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view_->viewport(), &ctrl);
    QCOMPARE(f_->r().zoomLevel(), 1);  // ignored with a modifier
    QWheelEvent two(at, view_->viewport()->mapToGlobal(at), QPoint(), QPoint(0, 240), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(view_->viewport(), &two);
    QCOMPARE(f_->r().zoomLevel(), 3);
    QCOMPARE(f_->r().objectSize(), 5);
    view_->runCommand(Cmd::ZoomIn);
    QCOMPARE(f_->r().zoomLevel(), 2);
    view_->runCommand(Cmd::ZoomIn);
    view_->runCommand(Cmd::ZoomIn);
    view_->runCommand(Cmd::ZoomIn);
    QCOMPARE(f_->r().zoomLevel(), 0);
    QCOMPARE(f_->r().objectSize(), 40);
}

void RenderTest::extraLevelShrinksShapesOnly() {
    const int p = net().addObject(100, 100, kPlace);
    f_->r().wheelZoom(120, true);
    QCOMPARE(f_->r().zoomLevel(), 0);
    QCOMPARE(f_->r().drawLevel(), 1);
    render();
    QCOMPARE(px(*view_, 100, 81), cBack);  // the shape is half the size
    QCOMPARE(px(*view_, 100, 91), cPlace);
    QCOMPARE(f_->r().idAt(QPoint(81, 81)), p);  // the cell stays where it was
    f_->r().wheelZoom(-120, true);
    f_->r().wheelZoom(-120, true);
    QCOMPARE(f_->r().drawLevel(), 0);
}

void RenderTest::freshlyOpenedNetIsCentred() {
    net().clear();  // as reading a file does
    net().addObject(1000, 2000, kPlace);
    net().addObject(1400, 2200, kTransition);
    doc_->setOpenNotice(kNoticeOpened);
    render();
    const QPoint c = f_->r().toClient(1200, 2100);
    QVERIFY(qAbs(c.x() - f_->r().clientWidth() / 2) <= 1);
    QVERIFY(qAbs(c.y() - f_->r().clientHeight() / 2) <= 1);
    QCOMPARE(doc_->openNotice(), int(kNoNotice));
    QCOMPARE(f_->r().idAt(f_->r().toClient(1000, 2000)), 1);
    // Scroll bars cover the net and the visible area.
    QVERIFY(view_->horizontalScrollBar()->minimum() <= 1000);
    QCOMPARE(view_->horizontalScrollBar()->value(), f_->r().scrollPos().x());
}

void RenderTest::selectionIsTintedRed() {
    const int p = net().addObject(100, 100, kPlace);
    net().addObject(200, 100, kPlace);
    f_->st().selection.insert(p);
    render();
    QCOMPARE(px(*view_, 100, 100), QColor(255, 255, 255));          // already at the cap
    QCOMPARE(px(*view_, 100, 81), QColor(0x64 + 150, 0xFF, 0x64));  // green pen turned yellow
    QCOMPARE(px(*view_, 200, 81), cPlace);
    QCOMPARE(px(*view_, 100, 125), cBack);  // outside the tinted square
}

void RenderTest::marksOfSourcesAndSinks() {
    const int u = net().addObject(100, 100, kUhzi);
    net().uhzis().at(u).addp = 1;
    net().uhzis().at(u).words = {"0110"};
    const int k = net().addObject(200, 100, kKemmakix);
    net().kemmakixes().at(k).line = 2;
    const int k2 = net().addObject(300, 100, kKemmakix);
    net().kemmakixes().at(k2).line = 3;
    const int t = net().addObject(100, 200, kTransition);
    net().transitions().at(t).gen.registerReduced = true;
    render();
    QVERIFY(drewText(*view_, "0110"));
    QVERIFY(drewText(*view_, "破棄!"));
    QVERIFY(drewText(*view_, "消費しない!"));
    QVERIFY(drewText(*view_, "R省略"));
    view_->runCommand(Cmd::ZoomOut);
    view_->runCommand(Cmd::ZoomOut);
    render();
    QVERIFY(f_->r().drawnTexts().empty());
}

void RenderTest::farAwayObjectsDrawNothing() {
    const int p = net().addObject(100, 100, kPlace);
    const int far = net().addObject(2000000000, -2000000000, kPlace);
    net().addArc(p, far);
    net().addObject(-2000000000, 100, kTransition);
    render();
    QCOMPARE(px(*view_, 100, 81), cPlace);
    QVERIFY(countColor(f_->r().backBuffer(), cArc) > 0);  // the line runs off towards the far place
    for (int i = 0; i < 5; ++i) view_->runCommand(Cmd::ZoomOut);
    render();
    QCOMPARE(countColor(f_->r().backBuffer(), cTransition), 0);
    // Opening and printing a net that spans the whole coordinate range stays within bounds.
    net().addObject(INT_MAX, INT_MAX, kPlace);
    net().addObject(INT_MIN, INT_MIN, kPlace);
    doc_->setOpenNotice(kNoticeOpened);
    render();
    QVERIFY(qAbs(f_->r().scrollPos().x()) <= (1 << 28));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("far.pdf"));
    f_->r().printTo(&printer);
    QVERIFY(QFileInfo::exists(dir.filePath("far.pdf")));
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
    net().addObject(100, 100, kPlace);
    net().addObject(200, 100, kTransition);
    view_->settings().skinUse = 1;
    view_->settingsChanged();
    render();
    QDir::setCurrent(cwd);
    QCOMPARE(px(*view_, 100, 100), QColor(200, 0, 0));
    QCOMPARE(px(*view_, 82, 82), QColor(10, 20, 30));  // key colour shows the background
    QCOMPARE(countColor(f_->r().backBuffer(), QColor(0, 0, 255)), 0);
    QCOMPARE(px(*view_, 195, 100), cTransition);  // no skin file: the drawn shape
    view_->runCommand(Cmd::ZoomOut);
    render();
    const QPoint c = f_->r().toClient(100, 100);
    QCOMPARE(px(*view_, c), QColor(200, 0, 0));  // the sprite follows the zoom
}

void RenderTest::compiledNetShowsTheSimulationMarking() {
    const int p = net().addObject(100, 100, kPlace);
    const int q = net().addObject(300, 100, kPlace);
    const int t = net().addObject(200, 100, kTransition);
    net().setToken(q, kBlack, 1);  // edit marking, not shown while compiled
    net().places().at(p).put(kBlack, 7);
    net().places().at(q).take();
    net().transitions().at(t).enabled = true;
    doc_->setCompiled(1);
    render();
    QVERIFY(countColor(f_->r().backBuffer(), QColor(Qt::black), QRect(90, 90, 21, 21)) > 30);
    QCOMPARE(countColor(f_->r().backBuffer(), QColor(Qt::black), QRect(290, 90, 21, 21)), 0);
    view_->settings().enableOldToken = 1;
    f_->r().drawSimulationFrame();
    const QImage& w = f_->r().workBuffer();
    QVERIFY(countColor(w, QColor(255, 100, 100), QRect(165, 65, 70, 70)) > 100);  // enabled transition
    QVERIFY(countColor(w, QColor(Qt::black), QRect(90, 90, 21, 21)) > 30);
    QVERIFY(countColor(w, QColor(Qt::black), QRect(260, 120, 20, 20)) > 30);  // q's last token was black
    QVERIFY(drewText(*view_, "X"));
    net().places().at(p).put(9, 0);
    QVERIFY_THROWS_EXCEPTION(novra::CError, f_->r().drawSimulationFrame());
    render();  // a repaint draws what it can instead of failing
}

void RenderTest::simulationTextsAtEveryLevel() {
    const int u = net().addObject(100, 100, kUhzi);
    const int p = net().addObject(200, 100, kPlace);
    const int k = net().addObject(300, 100, kKemmakix);
    net().uhzis().at(u).holdValue = 1;
    net().kemmakixes().at(k).placeId = p;
    net().kemmakixes().at(k).received = {"0110"};
    doc_->setCompiled(1);
    for (int level = 0; level <= CRenderer::kMaxZoom; ++level) {
        while (f_->r().zoomLevel() < level) view_->runCommand(Cmd::ZoomOut);
        render();
        f_->r().drawSimulationFrame();
        QVERIFY2(drewText(*view_, "1...") && drewText(*view_, "0110"), qPrintable(QString::number(level)));
    }
}

void RenderTest::hoverFramesInTheirColours() {
    net().addObject(100, 100, kPlace);
    net().addObject(250, 100, kTransition);
    render();
    // At the corners of the object's cell, where no shape reaches (the place and the transition have the
    // frames' green and blue as their own colours).
    const auto framed = [this](QColor c, QPoint centre) {
        const QImage shot = view_->viewport()->grab().toImage();
        const QRect cell(f_->r().toClient(centre.x() - 20, centre.y() - 20), QSize(40, 40));
        int n = 0;
        for (QPoint k : {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight()})
            n += countColor(shot, c, QRect(k - QPoint(3, 3), QSize(7, 7)));
        return n;
    };
    view_->runCommand(Cmd::ToolDelete);
    QTest::mouseMove(view_->viewport(), f_->r().toClient(100, 100));
    QVERIFY(framed(QColor(255, 100, 100), {100, 100}) > 40);
    view_->runCommand(Cmd::ToolArc);
    QTest::mouseMove(view_->viewport(), f_->r().toClient(100, 101));
    QVERIFY(framed(QColor(100, 255, 100), {100, 100}) > 40);
    QTest::mouseClick(view_->viewport(), Qt::LeftButton, {}, f_->r().toClient(100, 101));
    QTest::mouseMove(view_->viewport(), f_->r().toClient(250, 100));
    QVERIFY(framed(QColor(100, 100, 255), {250, 100}) > 40);
}

void RenderTest::printingLeavesTheViewAsItWas() {
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(900, 700, kTransition);
    net().addArc(p, t, {}, "i1");
    net().setToken(p, kBlack, 1);
    const int u = net().addObject(20, 100, kUhzi);
    net().uhzis().at(u).addp = 1;
    net().uhzis().at(u).words = {"0110"};
    view_->runCommand(Cmd::ZoomOut);
    f_->r().scrollByOffset(7, 3);
    render();
    const QPoint scroll = f_->r().scrollPos();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath("net.pdf"));
    f_->r().printTo(&printer);
    QVERIFY(QFileInfo(dir.filePath("net.pdf")).size() > 1000);
    QVERIFY(drewText(*view_, "1"));  // the page shows the marking with values, as zoom level 0 does
    QVERIFY(drewText(*view_, "0110"));
    QCOMPARE(f_->r().zoomLevel(), 1);
    QCOMPARE(f_->r().scrollPos(), scroll);
    QCOMPARE(doc_->compiled(), false);
}

void RenderTest::arcsFromFarAwayCrossTheWindow() {
    addFiller();
    // A straight arc over some sixty cells, one over thousands, and a bent one that only passes through
    // the window at its bend point.
    net().addArc(net().addObject(-30000, 120, kPlace), net().addObject(30000, 120, kTransition));
    net().addArc(net().addObject(-2000000, 200, kPlace), net().addObject(2000000, 200, kTransition));
    net().addArc(net().addObject(-20000, -20000, kPlace), net().addObject(20000, -20000, kTransition),
                 {{300, 280}});
    for (int level : {0, 3}) {
        while (f_->r().zoomLevel() < level) view_->runCommand(Cmd::ZoomOut);
        render();
        const QImage& img = f_->r().backBuffer();
        for (int y : {120, 200}) {
            const int row = f_->r().toClient(0, y).y();
            QVERIFY2(countColor(img, cArc, QRect(0, row - 2, img.width(), 5)) > img.width() / 2,
                     qPrintable(QString("level %1, row %2").arg(level).arg(y)));
        }
        const QPoint bend = f_->r().toClient(300, 280);
        QVERIFY2(countColor(img, cArc, QRect(bend - QPoint(6, 6), QSize(13, 13))) > 4,
                 qPrintable(QString("level %1").arg(level)));
    }
}

void RenderTest::draggedObjectIsDrawnWhereItIs() {
    addFiller();
    const int p = net().addObject(100, 100, kPlace);
    render();
    QCOMPARE(QColor(f_->r().backBuffer().pixel(100, 81)), cPlace);
    view_->runCommand(Cmd::ToolHand);
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(f_->st().grabbedObject, p);
    // Paints during the drag come without any rebuild request from outside.
    for (QPoint at : {QPoint(200, 180), QPoint(360, 300)}) {
        mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        f_->r().renderFrame();
        QCOMPARE(QColor(f_->r().backBuffer().pixel(at.x(), at.y() - 19)), cPlace);
    }
    // Nothing is left behind where it was.
    QCOMPARE(countColor(f_->r().backBuffer(), cPlace, QRect(80, 80, 40, 40)), 0);
    QCOMPARE(countColor(f_->r().backBuffer(), cPlace, QRect(180, 160, 40, 40)), 0);
    mouse(QEvent::MouseButtonRelease, {360, 300}, Qt::LeftButton, Qt::NoButton);
    f_->r().renderFrame();
    QCOMPARE(f_->r().idAt({360, 300}), p);
    QCOMPARE(f_->r().idAt({100, 100}), 0);
}

void RenderTest::hoverFramesAppearAndGo() {
    addFiller();
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(300, 100, kTransition);
    render();
    view_->runCommand(Cmd::ToolArc);
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(f_->st().arcPending);
    QCOMPARE(f_->st().arcSource, p);
    QCOMPARE(QColor(onScreen().pixel(100, 112)), QColor(Qt::white));  // inside the source place

    // Over a valid target: a blue frame round it and the rubber arc from the source's centre.
    mouse(QEvent::MouseMove, {300, 100}, Qt::NoButton, Qt::NoButton);
    QImage shot = onScreen();
    const QRect cell(QPoint(280, 80), QSize(40, 40));
    // The frame shows at the cell's corners, where the bar (of the frame's colour) does not reach.
    const auto framed = [&cell](const QImage& img) {
        int n = 0;
        for (QPoint k : {cell.topLeft(), cell.topRight(), cell.bottomLeft(), cell.bottomRight()})
            n += countColor(img, QColor(100, 100, 255), QRect(k - QPoint(3, 3), QSize(7, 7)));
        return n;
    };
    QVERIFY(framed(shot) > 40);
    QVERIFY(countColor(shot, cArc, QRect(150, 95, 100, 10)) > 50);
    QCOMPARE(QColor(shot.pixel(100, 112)), QColor(Qt::white));  // the rest comes from the drawn net

    // Off it: the frame goes, the rubber arc follows the pointer, and the first stretch of it is erased.
    mouse(QEvent::MouseMove, {200, 250}, Qt::NoButton, Qt::NoButton);
    shot = onScreen();
    QCOMPARE(framed(shot), 0);
    QCOMPARE(countColor(shot, cArc, QRect(230, 95, 40, 10)), 0);
    QVERIFY(countColor(shot, cArc, QRect(130, 150, 40, 50)) > 10);
    QCOMPARE(f_->st().arcTarget, 0);
    QVERIFY(t != 0);
}

QTEST_MAIN(RenderTest)
#include "render_test.moc"
