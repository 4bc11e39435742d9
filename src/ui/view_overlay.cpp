// What the pointer adds over the drawn net: frames round candidate objects, the rubber arc, the outline
// of the object about to be placed and the rubber band.
#include <QPainter>

#include "model/net.h"
#include "ui/view.h"

namespace novra::ui {

void CNOVRAView::frameObject(int id, QColor color) {
    frameId_ = id;
    frameColor_ = color;
}

void CNOVRAView::drawOverlay(QPainter& p) {
    const CNet& n = net();
    const int half = kCell / 2;
    p.setBrush(Qt::NoBrush);
    if (frameId_) {
        auto o = n.objects.find(frameId_);
        if (o != n.objects.end()) {
            p.setPen(QPen(frameColor_, 5));
            p.drawRect(
                QRect(toClient(o->second.x - half, o->second.y - half), QSize(objectSize_, objectSize_)));
        }
    }
    if (rubberArc_ && arcPending) {
        auto src = n.objects.find(arcSource);
        if (src != n.objects.end()) {
            QPoint from = toClient(src->second.x, src->second.y);
            p.setPen(arcPen_);
            // The legs already clicked stay visible, so the user sees the whole path so far.
            for (const Point& b : bendPoints) {
                const QPoint to = toClient(b.x, b.y);
                p.drawLine(from, to);
                from = to;
            }
            p.drawLine(from, rubberArcEnd_);
            drawArrowHead(p, from, rubberArcEnd_, 15 >> zoom_);
        }
    }
    if (outline_ && toolMode >= kModePlace && toolMode <= kModeKemmakix) {
        const int s = objectSize_;
        p.setOpacity(0.5);
        drawObject(p, toolMode, outlineAt_.x() - s / 2, outlineAt_.y() - s / 2, drawLevel());
        p.setOpacity(1.0);
    }
    if (rubberBand_) {
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.drawRect(QRect(bandStart_, bandEnd_).normalized());
    }
}

}  // namespace novra::ui
