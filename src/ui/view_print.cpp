// Printing and print preview: the whole net at zoom level 0 on a landscape A4 page.
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <algorithm>
#include <climits>

#include "common/messages.h"
#include "model/net.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
// One printer for the whole session, so that the page setup carries over to the next print.
QPrinter& sessionPrinter() {
    static QPrinter printer(QPrinter::HighResolution);
    static bool first = true;
    if (first) {
        printer.setPageSize(QPageSize(QPageSize::A4));
        printer.setPageOrientation(QPageLayout::Landscape);
        first = false;
    }
    return printer;
}
}  // namespace

void CNOVRAView::printSetup() {
    QPageSetupDialog dlg(&sessionPrinter(), this);
    dlg.exec();
}

void CNOVRAView::print() {
    QPrinter& printer = sessionPrinter();
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintDialog dlg(&printer, this);
    if (dlg.exec() != QDialog::Accepted) return;
    printTo(&printer);
}

void CNOVRAView::printPreview() {
    QPrinter& printer = sessionPrinter();
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog dlg(&printer, this);
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* p) { printTo(p); });
    dlg.exec();
}

void CNOVRAView::printTo(QPrinter* printer) {
    CNet& n = net();
    Rect bounds;
    for (const auto& [id, o] : n.objects) bounds.include(o.x, o.y);
    for (const auto& [id, a] : n.arcs)
        for (const Point& b : a.bendPoints) bounds.include(b.x, b.y);
    if (bounds.empty) bounds.include(0, 0);
    n.bounds.include(bounds.left, bounds.top);
    n.bounds.include(bounds.right, bounds.bottom);

    // The job draws with its own zoom, scroll and size; the window keeps what the user was looking at.
    const int savedZoom = zoom_, savedCompiled = appCompiled, savedW = clientW_, savedH = clientH_;
    const QPoint savedScroll = scroll_;
    zoom_ = 0;
    applyZoom();
    appCompiled = 2;
    // A net spread over the whole coordinate range still gets a page, shrunk to fit.
    constexpr long long kMaxExtent = 1 << 26;
    scroll_ = QPoint(std::max(bounds.left, INT_MIN + 40) - 40, std::max(bounds.top, INT_MIN + 40) - 40);
    clientW_ =
        int(std::clamp<long long>(static_cast<long long>(bounds.right) - bounds.left + 80, 1, kMaxExtent));
    clientH_ =
        int(std::clamp<long long>(static_cast<long long>(bounds.bottom) - bounds.top + 80, 1, kMaxExtent));

    texts_.clear();
    QPainter p;
    if (p.begin(printer)) {
        const QRectF page = printer->pageLayout().paintRectPixels(printer->resolution());
        // Screen pixels at their natural size, shrunk when the net is larger than the page.
        double scale = printer->resolution() / 96.0;
        scale = std::min({scale, page.width() / clientW_, page.height() / clientH_});
        p.scale(scale, scale);
        p.setClipRect(QRect(0, 0, clientW_, clientH_));
        drawStatic(p, false);
        p.end();
    } else if (log_) {
        log_(text(msg::kPrintFailed) + "\n");
    }

    appCompiled = savedCompiled;
    zoom_ = savedZoom;
    clientW_ = savedW;
    clientH_ = savedH;
    scroll_ = savedScroll;
    applyZoom();
    viewport()->update();
}

}  // namespace novra::ui
