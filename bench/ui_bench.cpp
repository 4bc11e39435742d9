// The editor's view on the offscreen platform with nets of 10 000 and 100 000 objects.
//
// BM_Paint: the whole frame as a repaint draws it, at each zoom level with the net's top-left corner in
// the window: as a plain repaint, after a scroll (the id buffer is refilled), after one step of a drag
// (the hand tool moves an object back and forth by a pixel) and after a token is toggled (the whole
// picture is redrawn but nothing moved).
// BM_MouseMove: one pointer move delivered to the viewport and the repaint it asks for, in the tool modes
// that do work on a move: the hand hovering over objects, the arc tool with a pending arc framing valid
// targets and drawing the rubber arc, and a placing tool drawing the outline of the object to come. The
// pointer visits a place, a transition and empty canvas in turn.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <map>
#include <memory>

#include "model/net.h"
#include "netgen.h"
#include "ui/commands.h"
#include "ui/config.h"
#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace {

using novra::ui::CNOVRAView;

// Counts the paints the viewport receives.
class PaintCounter : public QObject {
  public:
    long paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

// Views go before their documents and their paint counters.
struct Canvas {
    std::unique_ptr<novra::ui::CNOVRADoc> doc;
    PaintCounter counter;
    std::unique_ptr<CNOVRAView> view;
    int objects = 0;
};

std::map<int, std::unique_ptr<Canvas>>& canvases() {
    static std::map<int, std::unique_ptr<Canvas>> all;
    return all;
}

Canvas& canvas(int objects) {
    auto& c = canvases()[objects];
    if (!c) {
        c = std::make_unique<Canvas>();
        c->doc = std::make_unique<novra::ui::CNOVRADoc>();
        novra::bench::NetShape shape;
        shape.objects = objects;
        c->objects = novra::bench::generateNet(c->doc->net(), shape);
        c->view = std::make_unique<CNOVRAView>(c->doc.get());
        c->view->resize(1280, 960);
        c->view->show();
        c->view->viewport()->installEventFilter(&c->counter);
        QApplication::processEvents();
        c->doc->setOpenNotice(novra::ui::kNoticeOpened);  // centred, as after opening it
        c->view->renderer().renderFrame();
    }
    return *c;
}

// The zoom level, with the net's top-left corner at the window's top-left corner so the window is full.
void setZoom(CNOVRAView& v, int level) {
    while (v.renderer().zoomLevel() < level) v.runCommand(novra::ui::Cmd::ZoomOut);
    while (v.renderer().zoomLevel() > level) v.runCommand(novra::ui::Cmd::ZoomIn);
    int left = 0, top = 0;
    bool first = true;
    for (const auto& [id, o] : v.net().objects()) {
        left = first ? o.x : std::min(left, o.x);
        top = first ? o.y : std::min(top, o.y);
        first = false;
    }
    const int hw = v.renderer().clientWidth() / 2, hh = v.renderer().clientHeight() / 2;
    v.renderer().setScrollPos(QPoint(left - 40 - hw + (hw << level), top - 40 - hh + (hh << level)));
}

int onScreen(CNOVRAView& v) {
    const QPoint a = v.renderer().toCanvas(QPoint(0, 0)),
                 b = v.renderer().toCanvas(QPoint(v.renderer().clientWidth(), v.renderer().clientHeight()));
    int n = 0;
    for (const auto& [id, o] : v.net().objects())
        n += o.x >= a.x() && o.x <= b.x() && o.y >= a.y() && o.y <= b.y();
    return n;
}

void send(QWidget* w, QEvent::Type type, QPoint p, Qt::MouseButton button, Qt::MouseButtons buttons) {
    QMouseEvent e(type, QPointF(p), QPointF(w->mapToGlobal(p)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// A client point whose pixel in the id buffer is an object wholly inside the window, or (-1, -1).
QPoint grabbable(CNOVRAView& v, int kind) {
    for (const auto& [id, o] : v.net().objects()) {
        const QPoint c = v.renderer().toClient(o.x, o.y);
        if (c.x() < 40 || c.y() < 40 || c.x() > v.renderer().clientWidth() - 40 ||
            c.y() > v.renderer().clientHeight() - 40)
            continue;
        if (o.kind == kind && v.renderer().idAt(c) == id) return c;
    }
    return {-1, -1};
}

void BM_Paint(benchmark::State& state) {
    Canvas& c = canvas(static_cast<int>(state.range(0)));
    auto& v = *c.view;
    QWidget* vp = v.viewport();
    v.interaction().resetEditState();
    setZoom(v, static_cast<int>(state.range(1)));
    v.renderer().renderFrame();
    const long after = state.range(2);
    QPoint grab;
    int place = 0;
    if (after == 2) {
        v.runCommand(novra::ui::Cmd::ToolHand);
        grab = grabbable(v, novra::kPlace);
        if (grab.x() < 0) {
            state.SkipWithError("no object to grab");
            return;
        }
        send(vp, QEvent::MouseButtonPress, grab, Qt::LeftButton, Qt::LeftButton);
        if (v.interaction().state().grabbedObject == 0) {
            state.SkipWithError("the drag did not start");
            return;
        }
    }
    if (after == 3) {
        for (const auto& [id, o] : v.net().objects())
            if (o.kind == novra::kPlace) {
                place = id;
                break;
            }
    }
    long step = 0;
    for (auto _ : state) {
        if (after == 1) v.renderer().setScrollPos(v.renderer().scrollPos());
        if (after == 2)
            send(vp, QEvent::MouseMove, grab + QPoint(int(++step & 1), 0), Qt::NoButton, Qt::LeftButton);
        if (after == 3) {
            // As the token tool's right click does: flip the colour and repaint.
            const auto tok = v.net().tokens().find(place);
            const bool black = tok != v.net().tokens().end() && tok->second.color == novra::kBlack;
            v.net().setToken(place, black ? novra::kWhite : novra::kBlack, 0);
            v.renderer().setRebuild();
        }
        if (after == 4) {
            // As after an undo (the document swaps nets), an align or opening a file: the index is built
            // afresh.
            novra::CNet spare;
            v.net().swap(spare);
            v.net().swap(spare);
            v.renderer().setRebuild();
        }
        v.renderer().renderFrame();
        benchmark::DoNotOptimize(v.renderer().backBuffer().constBits());
    }
    if (after == 2) send(vp, QEvent::MouseButtonRelease, grab, Qt::LeftButton, Qt::NoButton);
    v.interaction().resetEditState();
    QApplication::processEvents();
    state.counters["objects"] = c.objects;
    state.counters["on_screen"] = onScreen(v);
}
BENCHMARK(BM_Paint)
    ->ArgNames({"objects", "zoom", "after"})  // after: 0 nothing, 1 a scroll, 2 a drag step, 3 a token,
                                              // 4 a change of the whole net
    ->ArgsProduct({{10000}, {0, 3, 5}, {0, 1, 2, 3, 4}})
    ->ArgsProduct({{100000}, {0, 1, 2, 3, 4, 5}, {0, 1, 2, 3, 4}})
    ->Unit(benchmark::kMillisecond);

// The client points of the first place and the first transition wholly in the window, and a point of
// empty canvas next to that place.
struct Targets {
    QPoint place, transition, empty;
};

Targets targets(CNOVRAView& v) {
    Targets t;
    bool havePlace = false, haveTransition = false;
    for (const auto& [id, o] : v.net().objects()) {
        const QPoint c = v.renderer().toClient(o.x, o.y);
        if (c.x() < 40 || c.y() < 40 || c.x() > v.renderer().clientWidth() - 40 ||
            c.y() > v.renderer().clientHeight() - 40)
            continue;
        if (o.kind == novra::kPlace && !havePlace && v.renderer().idAt(c) == id) {
            t.place = c;
            havePlace = true;
        }
        if (o.kind == novra::kTransition && !haveTransition && v.renderer().idAt(c) == id) {
            t.transition = c;
            haveTransition = true;
        }
    }
    t.empty = t.place + QPoint(0, 70);  // rows lie three pitches apart
    return t;
}

void BM_MouseMove(benchmark::State& state) {
    Canvas& c = canvas(static_cast<int>(state.range(0)));
    auto& v = *c.view;
    QWidget* vp = v.viewport();
    v.interaction().resetEditState();
    setZoom(v, 0);
    v.renderer().renderFrame();
    QApplication::processEvents();
    const Targets t = targets(v);
    switch (state.range(1)) {
        case 0:
            v.runCommand(novra::ui::Cmd::ToolHand);
            break;
        case 1:
            v.runCommand(novra::ui::Cmd::ToolArc);
            send(vp, QEvent::MouseButtonPress, t.place, Qt::LeftButton, Qt::LeftButton);
            send(vp, QEvent::MouseButtonRelease, t.place, Qt::LeftButton, Qt::NoButton);
            if (!v.interaction().state().arcPending) state.SkipWithError("the arc did not start");
            break;
        default:
            v.runCommand(novra::ui::Cmd::ToolPlace);
            break;
    }
    QApplication::processEvents();
    const QPoint stops[] = {t.transition, t.empty, t.place + QPoint(3, 2)};
    size_t i = 0;
    const long paintsBefore = c.counter.paints;
    for (auto _ : state) {
        send(vp, QEvent::MouseMove, stops[i++ % 3], Qt::NoButton, Qt::NoButton);
        QApplication::processEvents();  // the repaint the move asked for
    }
    state.counters["paints_per_move"] =
        benchmark::Counter(double(c.counter.paints - paintsBefore) / double(std::max<size_t>(1, i)));
    state.counters["objects"] = c.objects;
    v.interaction().resetEditState();
}
BENCHMARK(BM_MouseMove)
    ->ArgNames({"objects", "mode"})
    ->ArgsProduct({{10000, 100000}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    novra::ui::CConfig::setIniPath(dir.filePath("NOVRA.ini"));
    novra::ui::CConfig::setReadOnly(true);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    canvases().clear();  // before the application goes
    return 0;
}
