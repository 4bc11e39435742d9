// What the pointer adds over the drawn net: frames round candidate objects, the rubber arc, the outline
// of the object about to be placed and the rubber band.
#include <QPaintEvent>
#include <QPainter>

#include "model/net.h"
#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace novra::ui {

void CInteraction::frameObject(int id, QColor color) {
    state_.frameId = id;
    state_.frameColor = color;
}

void CInteraction::drawOverlay(QPainter& p) {
    const CNet& n = net();
    const int half = CRenderer::kCell / 2;
    const CRenderer& r = renderer();
    p.setBrush(Qt::NoBrush);
    if (state_.frameId) {
        auto o = n.objects().find(state_.frameId);
        if (o != n.objects().end()) {
            p.setPen(QPen(state_.frameColor, 5));
            p.drawRect(QRect(renderer().toClient(o->second.x - half, o->second.y - half),
                             QSize(renderer().objectSize(), renderer().objectSize())));
        }
    }
    if (state_.rubberArc && state_.arcPending) {
        auto src = n.objects().find(state_.arcSource);
        if (src != n.objects().end()) {
            QPoint from = renderer().toClient(src->second.x, src->second.y);
            p.setPen(r.arcPen());
            // The legs already clicked stay visible, so the user sees the whole path so far.
            for (const Point& b : state_.bendPoints) {
                const QPoint to = renderer().toClient(b.x, b.y);
                p.drawLine(from, to);
                from = to;
            }
            p.drawLine(from, state_.rubberArcEnd);
            r.drawArrowHead(p, from, state_.rubberArcEnd, 15 >> renderer().zoomLevel());
        }
    }
    if (state_.outline && state_.toolMode >= EditState::kModePlace &&
        state_.toolMode <= EditState::kModeKemmakix) {
        const int s = renderer().objectSize();
        p.setOpacity(0.5);
        r.drawObject(p, state_.toolMode, state_.outlineAt.x() - s / 2, state_.outlineAt.y() - s / 2,
                     r.drawLevel());
        p.setOpacity(1.0);
    }
    if (state_.rubberBand) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(QRect(state_.bandStart, state_.bandEnd).normalized());
    }
}

namespace {
// The smallest rectangle holding both; an empty one adds nothing.
QRect unite(const QRect& a, const QRect& b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return a | b;
}
}  // namespace

QRect CInteraction::overlayBounds() const {
    // What drawOverlay() would touch, with room for the pens and the arrow head.
    const CNet& n = net();
    const CRenderer& rd = renderer();
    const int half = CRenderer::kCell / 2;
    const int size = rd.objectSize();
    QRect r;
    if (state_.frameId) {
        auto o = n.objects().find(state_.frameId);
        if (o != n.objects().end())
            r = QRect(rd.toClient(o->second.x - half, o->second.y - half), QSize(size, size))
                    .adjusted(-4, -4, 4, 4);
    }
    if (state_.rubberArc && state_.arcPending) {
        auto src = n.objects().find(state_.arcSource);
        if (src != n.objects().end()) {
            QRect path(rd.toClient(src->second.x, src->second.y), QSize(1, 1));
            for (const Point& b : state_.bendPoints)
                path = unite(path, QRect(rd.toClient(b.x, b.y), QSize(1, 1)));
            path = unite(path, QRect(state_.rubberArcEnd, QSize(1, 1)));
            const int m = (15 >> rd.zoomLevel()) + rd.arcPen().width() + 2;
            r = unite(r, path.adjusted(-m, -m, m, m));
        }
    }
    if (state_.outline && EditState::isPlacing(state_.toolMode)) {
        r = unite(r, QRect(state_.outlineAt.x() - size / 2, state_.outlineAt.y() - size / 2, size, size)
                         .adjusted(-4, -4, 4, 4));
    }
    if (state_.rubberBand)
        r = unite(r, QRect(state_.bandStart, state_.bandEnd).normalized().adjusted(-2, -2, 2, 2));
    return r & QRect(0, 0, rd.clientWidth(), rd.clientHeight());
}

void CInteraction::updateOverlay(const QRect& before) {
    const QRect dirty = unite(before, overlayBounds());
    if (dirty.isEmpty()) return;
    overlayDirty_ = unite(overlayDirty_, dirty);
    view_.viewport()->update(dirty);
}

bool CInteraction::paintOverlayOnly(QPaintEvent* e) {
    const QRect asked = overlayDirty_;
    overlayDirty_ = QRect();
    if (asked.isEmpty() || !asked.contains(e->rect())) return false;
    // The back buffer must be the one the window last showed in full, of the net as it stands.
    CRenderer& rd = renderer();
    const bool current = !view_.document()->compiled() && !rd.rebuildPending() && !rd.viewMovedPending() &&
                         rd.shownCurrent() && !rd.backBuffer().isNull() &&
                         rd.backBuffer().size() == rd.bufferSize() &&
                         view_.document()->openNotice() == kNoNotice;
    if (!current) {
        // Drawn as usual, and the rest of the window follows in the next paint.
        view_.viewport()->update();
        return false;
    }
    QPainter vp(view_.viewport());
    for (const QRect& r : e->region()) vp.drawImage(QRectF(r), rd.backBuffer(), rd.bufferSource(r));
    drawOverlay(vp);
    return true;
}

}  // namespace novra::ui
