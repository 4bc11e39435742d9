// The canvas index follows the editor's edits instead of being rebuilt: after every edit of a long random
// run it hands a paint the same objects and arcs, at the same places and in the same order, as an index
// built afresh, and the picture equals that of a view that indexed the net from scratch (a bend point
// moved without a note in the geometry journal shows here). Repaints that move nothing keep it as it is.
#include "ui/paint_index.h"

#include <QtTest>
#include <memory>
#include <tuple>

#include "random_user.h"

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
        user_ = std::make_unique<testing::RandomUser>(*f_, 20261206);
    }
    void cleanup() {
        user_.reset();
        f_.reset();
    }
    void followsARandomRunOfEdits();
    void repaintsThatMoveNothingKeepTheIndex();

  private:
    CNOVRAView* view_ = nullptr;
    std::unique_ptr<testing::RandomUser> user_;
    int any(int n) { return user_->any(n); }
    void render() { f_->r().renderFrame(); }
    // Places and transitions over an area several windows wide, joined by arcs, some of them bent.
    void buildNet();
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

QString PaintIndexTest::edit(int& bulk) {
    using U = testing::RandomUser;
    // The user's actions, align (which moves everything) less often than the small ones; and arcs with bend
    // points anywhere, removed arcs, moved bend points and undo, as files, scripts and the history make them.
    enum { kArcAnywhere = 100, kArcRemoved, kBendMoved, kUndo };
    static const int kinds[] = {U::Drag,         U::Drag,        U::Drag,       U::Drag,       U::Place,
                                U::Place,        U::DeleteTool,  kArcAnywhere,  kArcAnywhere,  kArcRemoved,
                                kBendMoved,      kBendMoved,     U::Paste,      kUndo,         U::Align,
                                U::Token,        U::Token,       U::Zoom,       U::Remove,     U::Arc};
    const int kind = kinds[any(std::size(kinds))];
    switch (kind) {
        case kArcAnywhere: {
            const bool fromPlace = any(2);
            const int from = user_->pick(fromPlace ? kPlace : kTransition);
            const int to = user_->pick(fromPlace ? kTransition : kPlace);
            std::vector<Point> bends;
            for (int k = any(3); k > 0; --k) bends.push_back({any(3000) - 1400, any(2400) - 1000});
            if (from && to) net().addArc(from, to, bends);
            return QString("arc %1 -> %2").arg(from).arg(to);
        }
        case kArcRemoved:
            if (!net().arcs().empty()) {
                auto a = std::next(net().arcs().begin(), any(static_cast<int>(net().arcs().size())));
                const int id = a->first;
                net().removeArc(a->second.fromId, a->second.toId);
                return QString("arc %1 removed").arg(id);
            }
            return "nothing";
        case kBendMoved:
            for (auto& [id, a] : net().arcs())
                if (!a.bendPoints.empty() && any(4) == 0) {
                    net().moveBendPoint(id, any(static_cast<int>(a.bendPoints.size())), any(3000) - 1400,
                                        any(2400) - 1000);
                    return QString("bend point of arc %1 moved").arg(id);
                }
            return "nothing";
        case kUndo:
            if (!view_->commandEnabled(Cmd::Undo)) return "nothing";
            view_->runCommand(Cmd::Undo);
            return "undo";
        case U::Align: {
            const auto layout = [this] {
                std::vector<Point> all;
                for (const auto& [id, o] : net().objects()) all.push_back({o.x, o.y});
                for (const auto& [id, a] : net().arcs())
                    all.insert(all.end(), a.bendPoints.begin(), a.bendPoints.end());
                return all;
            };
            const auto before = layout();
            const QString did = user_->act(U::Align);
            bulk += layout() != before;  // an align that moves nothing keeps the index
            return did;
        }
        default:
            return user_->act(U::Action(kind));
    }
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
    // The paints of a drag come between its moves.
    user_->betweenMoves = [this] {
        render();
        compareIndexes("a move of a drag");
    };
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
