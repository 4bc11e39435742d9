// The paint visits only what the window shows: arcs whose ends both lie far outside still cross it,
// objects dragged across the canvas are drawn where they are, and a pointer move that changes only the
// frames and the rubber arc repaints them correctly on screen.
#include <QScreen>
#include <QtTest>
#include <memory>

#include "model/net.h"
#include "ui/commands.h"
#include "ui/doc.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::TempIni;

namespace {
const QColor cBack(0xFF, 0xEB, 0xC3);
const QColor cPlace(0x64, 0xFF, 0x64);
const QColor cArc(0x20, 0x40, 0x80);

int countColor(const QImage& img, const QColor& c, QRect area) {
    area &= img.rect();
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += QColor(img.pixel(x, y)) == c;
    return n;
}
}  // namespace

class RenderIndexTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void arcsFromFarAwayCrossTheWindow();
    void draggedObjectIsDrawnWhereItIs();
    void hoverFramesAppearAndGo();

  private:
    std::unique_ptr<TempIni> ini_;
    std::unique_ptr<CNOVRADoc> doc_;
    std::unique_ptr<CNOVRAView> view_;
    CNet& net() { return doc_->net(); }
    QWidget* vp() { return view_->viewport(); }
    void render() {
        view_->renderer().setRebuild();
        view_->renderer().renderFrame();
    }
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

void RenderIndexTest::init() {
    ini_ = std::make_unique<TempIni>();
    doc_ = std::make_unique<CNOVRADoc>();
    view_ = std::make_unique<CNOVRAView>(doc_.get());
    view_->resize(440, 360);
    view_->show();
    view_->settings().colors.arc = cArc.red() | cArc.green() << 8 | cArc.blue() << 16;
    view_->settingsChanged();
    render();
}

void RenderIndexTest::cleanup() {
    view_.reset();
    doc_.reset();
    ini_.reset();
}

void RenderIndexTest::arcsFromFarAwayCrossTheWindow() {
    addFiller();
    // A straight arc over some sixty cells, one over thousands, and a bent one that only passes through
    // the window at its bend point.
    net().addArc(net().addObject(-30000, 120, kPlace), net().addObject(30000, 120, kTransition));
    net().addArc(net().addObject(-2000000, 200, kPlace), net().addObject(2000000, 200, kTransition));
    net().addArc(net().addObject(-20000, -20000, kPlace), net().addObject(20000, -20000, kTransition),
                 {{300, 280}});
    for (int level : {0, 3}) {
        while (view_->renderer().zoomLevel() < level) view_->runCommand(Cmd::ZoomOut);
        render();
        const QImage& img = view_->renderer().backBuffer();
        for (int y : {120, 200}) {
            const int row = view_->renderer().toClient(0, y).y();
            QVERIFY2(countColor(img, cArc, QRect(0, row - 2, img.width(), 5)) > img.width() / 2,
                     qPrintable(QString("level %1, row %2").arg(level).arg(y)));
        }
        const QPoint bend = view_->renderer().toClient(300, 280);
        QVERIFY2(countColor(img, cArc, QRect(bend - QPoint(6, 6), QSize(13, 13))) > 4,
                 qPrintable(QString("level %1").arg(level)));
    }
}

void RenderIndexTest::draggedObjectIsDrawnWhereItIs() {
    addFiller();
    const int p = net().addObject(100, 100, kPlace);
    render();
    QCOMPARE(QColor(view_->renderer().backBuffer().pixel(100, 81)), cPlace);
    view_->runCommand(Cmd::ToolHand);
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    QCOMPARE(view_->interaction().state().grabbedObject, p);
    // Paints during the drag come without any rebuild request from outside.
    for (QPoint at : {QPoint(200, 180), QPoint(360, 300)}) {
        mouse(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        view_->renderer().renderFrame();
        QCOMPARE(QColor(view_->renderer().backBuffer().pixel(at.x(), at.y() - 19)), cPlace);
    }
    // Nothing is left behind where it was.
    QCOMPARE(countColor(view_->renderer().backBuffer(), cPlace, QRect(80, 80, 40, 40)), 0);
    QCOMPARE(countColor(view_->renderer().backBuffer(), cPlace, QRect(180, 160, 40, 40)), 0);
    mouse(QEvent::MouseButtonRelease, {360, 300}, Qt::LeftButton, Qt::NoButton);
    view_->renderer().renderFrame();
    QCOMPARE(view_->renderer().idAt({360, 300}), p);
    QCOMPARE(view_->renderer().idAt({100, 100}), 0);
}

void RenderIndexTest::hoverFramesAppearAndGo() {
    addFiller();
    const int p = net().addObject(100, 100, kPlace);
    const int t = net().addObject(300, 100, kTransition);
    render();
    view_->runCommand(Cmd::ToolArc);
    mouse(QEvent::MouseButtonPress, {100, 100}, Qt::LeftButton, Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, {100, 100}, Qt::LeftButton, Qt::NoButton);
    QVERIFY(view_->interaction().state().arcPending);
    QCOMPARE(view_->interaction().state().arcSource, p);
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
    QCOMPARE(view_->interaction().state().arcTarget, 0);
    QVERIFY(t != 0);
}

QTEST_MAIN(RenderIndexTest)
#include "render_index_test.moc"
