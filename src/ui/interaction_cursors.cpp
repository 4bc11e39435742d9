// The pointer shapes of the canvas, drawn here so that they look the same on every desktop.
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
QPixmap canvas() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    return pm;
}

void outlined(QPainter& p, const QPainterPath& path) {
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawPath(path);
}

// An open hand; closed, the fingers fold down for a grip.
QCursor handCursor(bool closed) {
    QPixmap pm = canvas();
    QPainter p(&pm);
    QPainterPath path;
    path.addRoundedRect(QRectF(8, 13, 16, 14), 5, 5);
    const int fingerTop = closed ? 10 : 4;
    for (int i = 0; i < 4; ++i)
        path.addRoundedRect(QRectF(8 + i * 4, fingerTop, 4, 14 - fingerTop + 4), 2, 2);
    if (!closed) path.addRoundedRect(QRectF(3, 15, 7, 4), 2, 2);
    outlined(p, path.simplified());
    p.end();
    return QCursor(pm, 16, 16);
}

// Four arrows out from the centre.
QCursor panCursor() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    QPainterPath path;
    path.addRect(QRectF(14, 6, 4, 20));
    path.addRect(QRectF(6, 14, 20, 4));
    QPolygonF up{{16, 1}, {11, 7}, {21, 7}}, down{{16, 31}, {11, 25}, {21, 25}};
    QPolygonF left{{1, 16}, {7, 11}, {7, 21}}, right{{31, 16}, {25, 11}, {25, 21}};
    for (const auto& poly : {up, down, left, right}) path.addPolygon(poly);
    outlined(p, path.simplified());
    p.end();
    return QCursor(pm, 16, 16);
}

// A cross hair with a dotted square: the corner of the rectangle being drawn.
QCursor bandCursor() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, 8, 16, 8);
    p.drawLine(8, 0, 8, 16);
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.drawRect(8, 8, 20, 20);
    p.end();
    return QCursor(pm, 8, 8);
}

// A cross hair with a small arrow: where the arc goes.
QCursor arcCursor() {
    QPixmap pm = canvas();
    QPainter p(&pm);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, 8, 16, 8);
    p.drawLine(8, 0, 8, 16);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(14, 14, 28, 28);
    p.drawLine(28, 28, 21, 27);
    p.drawLine(28, 28, 27, 21);
    p.end();
    return QCursor(pm, 8, 8);
}
}  // namespace

QCursor CInteraction::cursorFor(int role) {
    switch (role) {
        case EditState::kCursorDrag:
            return handCursor(true);
        case EditState::kCursorHand:
            return handCursor(false);
        case EditState::kCursorPan:
            return panCursor();
        case EditState::kCursorBand:
            return bandCursor();
        case EditState::kCursorArc:
            return arcCursor();
        default:
            return QCursor(Qt::ArrowCursor);
    }
}

}  // namespace novra::ui
