// Paint of a 10 000-object net on the offscreen platform: the whole frame as a repaint draws it, with and
// without refilling the id buffer, zoomed in (few objects on screen) and zoomed out (all of them).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <memory>

#include "model/net.h"
#include "netgen.h"
#include "ui/config.h"
#include "ui/doc.h"
#include "ui/view.h"

namespace {

struct Canvas {
    std::unique_ptr<novra::ui::CNOVRADoc> doc;
    std::unique_ptr<novra::ui::CNOVRAView> view;
    int objects = 0;
};

Canvas& canvas() {
    static Canvas c = [] {
        Canvas k;
        k.doc = std::make_unique<novra::ui::CNOVRADoc>();
        novra::bench::NetShape shape;
        shape.objects = 10000;
        k.objects = novra::bench::generateNet(k.doc->net(), shape);
        k.view = std::make_unique<novra::ui::CNOVRAView>(k.doc.get());
        k.view->resize(1280, 960);
        k.view->show();
        QApplication::processEvents();
        k.doc->setOpenNotice(novra::ui::kNoticeOpened);  // centred, as after opening it
        k.view->renderFrame();
        return k;
    }();
    return c;
}

// The zoom level, with the net's top-left corner at the window's top-left corner so the window is full.
void setZoom(int level) {
    auto& v = *canvas().view;
    while (v.zoomLevel() < level) v.zoomOut();
    while (v.zoomLevel() > level) v.zoomIn();
    int left = 0, top = 0;
    bool first = true;
    for (const auto& [id, o] : v.net().objects) {
        left = first ? o.x : std::min(left, o.x);
        top = first ? o.y : std::min(top, o.y);
        first = false;
    }
    const int hw = v.clientWidth() / 2, hh = v.clientHeight() / 2;
    v.setScrollPos(QPoint(left - 40 - hw + (hw << level), top - 40 - hh + (hh << level)));
}

void BM_Paint(benchmark::State& state) {
    setZoom(static_cast<int>(state.range(0)));
    const bool rebuild = state.range(1) != 0;
    auto& v = *canvas().view;
    for (auto _ : state) {
        if (rebuild) v.setRebuild();
        v.renderFrame();
        benchmark::DoNotOptimize(v.backBuffer().constBits());
    }
    state.counters["objects"] = canvas().objects;
    const QPoint a = v.toCanvas(QPoint(0, 0)), b = v.toCanvas(QPoint(v.clientWidth(), v.clientHeight()));
    int onScreen = 0;
    for (const auto& [id, o] : v.net().objects)
        onScreen += o.x >= a.x() && o.x <= b.x() && o.y >= a.y() && o.y <= b.y();
    state.counters["on_screen"] = onScreen;
}
BENCHMARK(BM_Paint)
    ->ArgNames({"zoom", "idbuffer"})
    ->Args({0, 0})
    ->Args({0, 1})
    ->Args({3, 0})
    ->Args({3, 1})
    ->Args({5, 1})
    ->Unit(benchmark::kMillisecond);

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
    canvas().view.reset();
    canvas().doc.reset();
    return 0;
}
