// The canvas index follows the editor's edits instead of being rebuilt: after every edit of a long random
// run it hands a paint the same objects and arcs, at the same places and in the same order, as an index
// built afresh, and the picture equals that of a view that indexed the net from scratch (a bend point
// moved without a note in the geometry journal shows here). Repaints that move nothing keep it as it is.
#include "ui/paint_index.h"

#include <QtTest>
#include <memory>
#include <random>
#include <tuple>

#include "ui_support.h"

namespace novra::ui {

// Looks into the view's index.
class PaintIndexProbe {
  public:
    struct Drawn {
        std::vector<std::tuple<int, int, int, int>> objects;     // id, x, y, kind
        std::vector<std::pair<int, std::vector<QPointF>>> arcs;  // id, points; only those that cross
        bool ascending = true;                                   // both lists in ascending ID
    };
    // What the view's index, brought up to date as a paint brings it, gives for a canvas window.
    static Drawn live(CNOVRAView& v, const QRectF& w) {
        v.renderer().refreshPaintIndex();
        CPaintIndex copy = *v.renderer().paintIndex();  // a query moves the index's cursors
        return drawn(copy, w);
    }
    static Drawn fresh(CNOVRAView& v, const QRectF& w) {
        CPaintIndex ix;
        ix.build(v.net());
        return drawn(ix, w);
    }
    static int builds(const CNOVRAView& v) {
        return v.renderer().paintIndex() ? v.renderer().paintIndex()->builds : 0;
    }

  private:
    static bool crosses(QPointF p, QPointF q, const QRectF& w) {
        return std::max(p.x(), q.x()) >= w.left() && std::min(p.x(), q.x()) <= w.right() &&
               std::max(p.y(), q.y()) >= w.top() && std::min(p.y(), q.y()) <= w.bottom();
    }
    static Drawn drawn(CPaintIndex& ix, const QRectF& w) {
        ix.query(w.left(), w.top(), w.right(), w.bottom());
        Drawn d;
        int last = 0;
        for (unsigned i : ix.visibleObjects) {
            const auto& o = ix.objects[i];
            d.ascending = d.ascending && o.id > last;
            last = o.id;
            d.objects.emplace_back(o.id, o.x, o.y, o.kind);
        }
        last = 0;
        for (unsigned i : ix.visibleArcs) {
            const auto& a = ix.arcs[i];
            d.ascending = d.ascending && a.id > last;
            last = a.id;
            std::vector<QPointF> pts;
            bool in = false;
            for (unsigned k = a.first; k < a.first + a.count; ++k) {
                pts.emplace_back(ix.points[k].x, ix.points[k].y);
                in = in || (pts.size() > 1 && crosses(pts[pts.size() - 2], pts.back(), w));
            }
            // The index may offer arcs that only pass near the window; those that cross it must agree.
            if (in) d.arcs.emplace_back(a.id, std::move(pts));
        }
        return d;
    }
};

}  // namespace novra::ui

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::Fixture;
namespace testing = novra::ui::testing;

class PaintIndexTest : public testing::UiTest {
    Q_OBJECT
  private slots:
    void init() {
        f_ = std::make_unique<Fixture>();
        view_ = f_->view;
    }
    void cleanup() { f_.reset(); }
    void followsARandomRunOfEdits();
    void repaintsThatMoveNothingKeepTheIndex();

  private:
    CNOVRAView* view_ = nullptr;
    std::mt19937 rng_{20261206};
    int any(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    void render() { f_->r().renderFrame(); }
    void click(QPoint p, Qt::MouseButton button = Qt::LeftButton) { testing::click(*view_, p, button); }
    QPoint clientPoint() {
        return {20 + any(f_->r().clientWidth() - 40), 20 + any(f_->r().clientHeight() - 40)};
    }
    // Places and transitions over an area several windows wide, joined by arcs, some of them bent.
    void buildNet();
    // An object drawn at its own centre well inside the window, or 0.
    int shownObject(int kind = 0);
    int randomObject(int kind = 0);
    QPoint clientOf(int id) { return testing::at(*view_, id); }
    void drag(int id);
    // One edit of the kinds the editor makes; returns what it did.
    QString edit(int& bulk);
    // The view's index against a fresh one for the window, the whole net and two pieces of it.
    void compareIndexes(const QString& what);
    // The picture and the id buffer against those of a view that indexes the net from scratch.
    void compareWithFreshView(const QString& what);
};

void PaintIndexTest::buildNet() {
    std::vector<int> ids;
    for (int y = -900; y <= 1200; y += 150)
        for (int x = -1200; x <= 1500; x += 150)
            ids.push_back(net().addObject(x, y, (x / 150 + y / 150) & 1 ? kPlace : kTransition));
    for (size_t i = 0; i + 1 < ids.size(); ++i) {
        if (net().kindOf(ids[i]) == net().kindOf(ids[i + 1])) continue;
        std::vector<Point> bends;
        if (i % 3 == 0) bends = {{net().objects().at(ids[i]).x + 40, net().objects().at(ids[i]).y - 60}};
        net().addArc(ids[i], ids[i + 1], bends);
    }
    // As a file read leaves it: a new geometry epoch, so the next paint indexes it whole.
    CNet spare;
    net().swap(spare);
    net().swap(spare);
    f_->r().setScrollPos({0, 0});
}

int PaintIndexTest::shownObject(int kind) {
    render();
    std::vector<int> shown;
    for (const auto& [id, o] : net().objects()) {
        const QPoint c = f_->r().toClient(o.x, o.y);
        if (c.x() < 25 || c.y() < 25 || c.x() > f_->r().clientWidth() - 25 ||
            c.y() > f_->r().clientHeight() - 25)
            continue;
        if ((kind == 0 || o.kind == kind) && f_->r().idAt(c) == id) shown.push_back(id);
    }
    return shown.empty() ? 0 : shown[static_cast<size_t>(any(static_cast<int>(shown.size())))];
}

int PaintIndexTest::randomObject(int kind) {
    std::vector<int> ids;
    for (const auto& [id, o] : net().objects())
        if (kind == 0 || o.kind == kind) ids.push_back(id);
    return ids.empty() ? 0 : ids[static_cast<size_t>(any(static_cast<int>(ids.size())))];
}

// A drag of one object, or of it with five others selected; the paints of a drag come between its moves.
void PaintIndexTest::drag(int id) {
    view_->runCommand(Cmd::ToolHand);
    f_->st().selection.clear();
    if (any(2))
        for (int k = 0; k < 6; ++k) f_->st().selection.insert(k ? randomObject() : id);
    QPoint at = clientOf(id);
    testing::press(*view_, at);
    for (int k = 0; k < 3; ++k) {
        at = clientPoint();
        testing::move(*view_, at, Qt::LeftButton);
        render();
        compareIndexes(QString("drag of %1").arg(id));
    }
    testing::release(*view_, at);
    f_->st().selection.clear();
    f_->st().selectionRect = QRect();
}

QString PaintIndexTest::edit(int& bulk) {
    // Align moves everything; it comes less often than the small edits.
    static const int kinds[] = {1, 1, 1, 1, 2, 2, 3, 4, 4, 5, 6, 6, 7, 8, 9, 10, 10, 12};
    switch (kinds[any(std::size(kinds))]) {
        case 1:
            if (const int id = shownObject()) {
                drag(id);
                return QString("drag of %1").arg(id);
            }
            break;
        case 2: {
            view_->runCommand(any(2) ? Cmd::ToolPlace : Cmd::ToolTransition);
            const QPoint at = clientPoint();
            click(at);
            return QString("object placed at %1,%2").arg(at.x()).arg(at.y());
        }
        case 3:
            if (const int id = shownObject()) {
                view_->runCommand(Cmd::ToolDelete);
                click(clientOf(id));
                return QString("delete tool on %1").arg(id);
            }
            break;
        case 4: {
            const bool fromPlace = any(2);
            const int from = randomObject(fromPlace ? kPlace : kTransition);
            const int to = randomObject(fromPlace ? kTransition : kPlace);
            std::vector<Point> bends;
            for (int k = any(3); k > 0; --k) bends.push_back({any(3000) - 1400, any(2400) - 1000});
            if (from && to) net().addArc(from, to, bends);
            return QString("arc %1 -> %2").arg(from).arg(to);
        }
        case 5:
            if (!net().arcs().empty()) {
                auto a = std::next(net().arcs().begin(), any(static_cast<int>(net().arcs().size())));
                const int id = a->first;
                net().removeArc(a->second.fromId, a->second.toId);
                return QString("arc %1 removed").arg(id);
            }
            break;
        case 6:
            for (auto& [id, a] : net().arcs())
                if (!a.bendPoints.empty() && any(4) == 0) {
                    net().moveBendPoint(id, any(static_cast<int>(a.bendPoints.size())), any(3000) - 1400,
                                        any(2400) - 1000);
                    return QString("bend point of arc %1 moved").arg(id);
                }
            break;
        case 7:
            // Pasted over the originals, or where a click on the canvas was.
            f_->st().selection.clear();
            for (int k = 1 + any(4); k > 0; --k) f_->st().selection.insert(randomObject());
            view_->runCommand(Cmd::Copy);
            if (any(2)) {
                view_->runCommand(Cmd::ToolHand);
                click(clientPoint());
            }
            view_->runCommand(Cmd::Paste);
            return "paste";
        case 8:
            if (view_->commandEnabled(Cmd::Undo)) {
                view_->runCommand(Cmd::Undo);
                return "undo";
            }
            break;
        case 9:
            if (view_->commandEnabled(Cmd::Align)) {
                const auto layout = [this] {
                    std::vector<Point> all;
                    for (const auto& [id, o] : net().objects()) all.push_back({o.x, o.y});
                    for (const auto& [id, a] : net().arcs())
                        all.insert(all.end(), a.bendPoints.begin(), a.bendPoints.end());
                    return all;
                };
                const auto before = layout();
                view_->runCommand(Cmd::Align);
                bulk += layout() != before;  // an align that moves nothing keeps the index
                return "align";
            }
            break;
        case 10:
            if (const int id = shownObject(kPlace)) {
                // The token tool lays a token with the left button and flips its colour with the right.
                view_->runCommand(Cmd::ToolToken);
                click(clientOf(id), any(2) ? Qt::LeftButton : Qt::RightButton);
                return QString("token on %1").arg(id);
            }
            break;
        case 12: {
            const int level = any(3);
            while (f_->r().zoomLevel() < level) view_->runCommand(Cmd::ZoomOut);
            while (f_->r().zoomLevel() > level) view_->runCommand(Cmd::ZoomIn);
            f_->r().setScrollPos({any(1600) - 800, any(1200) - 600});
            return QString("zoom %1").arg(f_->r().zoomLevel());
        }
    }
    return "nothing";
}

void PaintIndexTest::compareIndexes(const QString& what) {
    Rect all;
    for (const auto& [id, o] : net().objects()) all.include(o.x, o.y);
    for (const auto& [id, a] : net().arcs())
        for (const Point& b : a.bendPoints) all.include(b.x, b.y);
    all.inflate(100);
    const QPoint c0 = f_->r().toCanvas({0, 0}),
                 c1 = f_->r().toCanvas({f_->r().clientWidth(), f_->r().clientHeight()});
    const QRectF windows[] = {QRectF(QPointF(c0), QPointF(c1)),
                              QRectF(QPointF(all.left, all.top), QPointF(all.right, all.bottom)),
                              QRectF(any(3000) - 1500, any(2400) - 1200, 50 + any(1500), 50 + any(1500))};
    for (const QRectF& w : windows) {
        const auto live = PaintIndexProbe::live(*view_, w);
        const auto fresh = PaintIndexProbe::fresh(*view_, w);
        QVERIFY2(live.ascending && live.objects == fresh.objects && live.arcs == fresh.arcs,
                 qPrintable(QString("%1, window %2,%3").arg(what).arg(w.left()).arg(w.top())));
    }
}

void PaintIndexTest::compareWithFreshView(const QString& what) {
    CNOVRAView fresh(f_->doc.get());
    fresh.resize(view_->size());
    fresh.show();
    fresh.renderer().renderFrame();
    while (fresh.renderer().zoomLevel() < f_->r().zoomLevel()) fresh.runCommand(Cmd::ZoomOut);
    fresh.renderer().setScrollPos(f_->r().scrollPos());
    fresh.interaction().state().selection = f_->st().selection;
    fresh.interaction().state().selectionRect = f_->st().selectionRect;
    f_->r().setRebuild();
    render();
    fresh.renderer().renderFrame();
    QCOMPARE(PaintIndexProbe::builds(fresh), 1);
    QVERIFY2(fresh.renderer().backBuffer() == f_->r().backBuffer(), qPrintable(what));
    for (int y = 0; y < f_->r().clientHeight(); y += 7)
        for (int x = 0; x < f_->r().clientWidth(); x += 7)
            QVERIFY2(fresh.renderer().idAt({x, y}) == f_->r().idAt({x, y}), qPrintable(what));
}

void PaintIndexTest::followsARandomRunOfEdits() {
    buildNet();
    render();
    const int builds = PaintIndexProbe::builds(*view_);
    int bulk = 0;
    for (int step = 0; step < 300; ++step) {
        const QString what = QString("step %1: %2").arg(step).arg(edit(bulk));
        render();
        compareIndexes(what);
        if (QTest::currentTestFailed()) return;
        if (step % 25 == 0) compareWithFreshView(what);
        if (QTest::currentTestFailed()) return;
    }
    QVERIFY(net().objects().size() > 50);
    // Only align rebuilt it; every other edit, undo included, was applied where it happened.
    QCOMPARE(PaintIndexProbe::builds(*view_) - builds, bulk);
}

void PaintIndexTest::repaintsThatMoveNothingKeepTheIndex() {
    buildNet();
    render();
    const int builds = PaintIndexProbe::builds(*view_);
    const int p = net().objects().begin()->first;
    net().setToken(p, kBlack, 0);
    f_->r().setRebuild();
    render();
    view_->settingsChanged();
    render();
    f_->sim().compileCommand();  // whether or not it compiles, nothing moves
    render();
    f_->sim().abortCommand();
    render();
    QCOMPARE(PaintIndexProbe::builds(*view_), builds);
    view_->runCommand(Cmd::Align);
    render();
    QCOMPARE(PaintIndexProbe::builds(*view_), builds + 1);
}

QTEST_MAIN(PaintIndexTest)
#include "paint_index_test.moc"
