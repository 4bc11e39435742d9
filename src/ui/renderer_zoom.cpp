// Zoom levels, scrolling and the conversion between canvas and client coordinates.
#include <QScrollBar>
#include <algorithm>

#include "model/net.h"
#include "ui/edit_state.h"
#include "ui/renderer.h"

namespace novra::ui {

namespace {
// Scroll positions stay far from the int limits so that no coordinate arithmetic can overflow.
constexpr int kScrollLimit = 1 << 28;
int clampScroll(long long v) {
    return static_cast<int>(std::clamp<long long>(v, -kScrollLimit, kScrollLimit));
}
}  // namespace

ShapeTable ShapeTable::shifted(int level) const {
    ShapeTable t;
    for (size_t i = 0; i < v.size(); ++i) t.v[i] = level >= 31 ? 0 : v[i] >> level;
    return t;
}

void CRenderer::wheelZoom(int delta, bool sHeld) {
    if (!sHeld) {
        zoom_ = std::clamp(zoom_ + delta / 120, 0, kMaxZoom);
        applyZoom();
    } else if (delta < 0) {
        extraLevel_ = std::max(0, extraLevel_ - 1);
    } else if (delta > 0) {
        // Past this every shape is a single pixel anyway.
        extraLevel_ = std::min(kMaxZoom, extraLevel_ + 1);
    }
    drawScaled_ = base_.shifted(drawLevel());
    widget_.viewport()->update();
}

void CRenderer::applyZoom() {
    objectSize_ = std::max(1, kCell >> zoom_);
    zoomed_ = base_.shifted(zoom_);
    rebuildSprites();
    rebuildPens();
    viewMoved_ = true;
}

QPoint CRenderer::toClient(int canvasX, int canvasY) const {
    const long long x = static_cast<long long>(canvasX) - scroll_.x();
    const long long y = static_cast<long long>(canvasY) - scroll_.y();
    const long long hw = clientW_ / 2, hh = clientH_ / 2;
    const long long zx = hw - ((hw - x) >> zoom_);
    const long long zy = hh - ((hh - y) >> zoom_);
    // Far-off points are pulled in; callers clip before drawing lines to them.
    constexpr long long lim = 1LL << 30;
    return QPoint(static_cast<int>(std::clamp(zx, -lim, lim)), static_cast<int>(std::clamp(zy, -lim, lim)));
}

QPoint CRenderer::toCanvas(QPoint client) const {
    const long long hw = clientW_ / 2, hh = clientH_ / 2;
    const long long x = hw - (hw - client.x()) * (1LL << zoom_) + scroll_.x();
    const long long y = hh - (hh - client.y()) * (1LL << zoom_) + scroll_.y();
    constexpr long long lim = 1LL << 30;
    return QPoint(static_cast<int>(std::clamp(x, -lim, lim)), static_cast<int>(std::clamp(y, -lim, lim)));
}

void CRenderer::setScrollPos(QPoint p) {
    scroll_ = QPoint(clampScroll(p.x()), clampScroll(p.y()));
    viewMoved_ = true;
    updateScrollBars();
    widget_.viewport()->update();
}

void CRenderer::scrollByOffset(int dx, int dy, bool useDrawLevel) {
    // With Space held the user moves through the net at the size its objects are drawn.
    const int level = useDrawLevel || edit_.keyState == 32 ? drawLevel() : zoom_;
    scroll_ = QPoint(clampScroll(scroll_.x() + static_cast<long long>(dx) * (1LL << level)),
                     clampScroll(scroll_.y() + static_cast<long long>(dy) * (1LL << level)));
    viewMoved_ = true;
    updateScrollBars();
    widget_.viewport()->update();
}

bool CRenderer::scrollBarsMoved() {
    if (updatingBars_) return false;
    scroll_ = QPoint(widget_.horizontalScrollBar()->value(), widget_.verticalScrollBar()->value());
    viewMoved_ = true;  // the net is unchanged: the canvas index stays, the picture and id buffer follow
    return true;
}

void CRenderer::updateScrollBars() {
    // The range always covers the visible area, so the user can scroll back from wherever he went.
    net().extendBounds(scroll_.x(), scroll_.y());
    net().extendBounds(clampScroll(static_cast<long long>(scroll_.x()) + clientW_),
                       clampScroll(static_cast<long long>(scroll_.y()) + clientH_));
    const Rect& b = net().bounds();
    updatingBars_ = true;
    QScrollBar* h = widget_.horizontalScrollBar();
    h->setRange(b.left, std::max(b.left, b.right - clientW_));
    h->setPageStep(std::max(1, clientW_));
    h->setSingleStep(10);
    h->setValue(scroll_.x());
    QScrollBar* v = widget_.verticalScrollBar();
    v->setRange(b.top, std::max(b.top, b.bottom - clientH_));
    v->setPageStep(std::max(1, clientH_));
    v->setSingleStep(10);
    v->setValue(scroll_.y());
    updatingBars_ = false;
}

bool CRenderer::cellVisible(const QRect& cell) const {
    const int m = objectSize_;
    return cell.right() >= -m && cell.bottom() >= -m && cell.left() < clientW_ + m &&
           cell.top() < clientH_ + m;
}

}  // namespace novra::ui
