#include "ui/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace novra::ui {

namespace {
const QColor kInk(40, 40, 40);
const QColor kPlaceGreen(60, 170, 60);
const QColor kTransitionBlue(70, 90, 220);
const QColor kUhziOrange(255, 128, 0);
const QColor kKemmakixMagenta(220, 0, 220);
const QColor kRed(210, 40, 40);
const QColor kGreen(30, 150, 50);
const QColor kFolder(230, 190, 70);
const QColor kDisk(60, 90, 170);

void lens(QPainter& p) {
    p.setPen(QPen(kInk, 1.5));
    p.setBrush(QColor(220, 240, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    p.setPen(QPen(kInk, 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
}

void triangle(QPainter& p, QColor edge, QColor leftFill) {
    QPolygonF tri({QPointF(1.5, 1.5), QPointF(1.5, 14.5), QPointF(14.5, 8)});
    p.setPen(Qt::NoPen);
    p.setBrush(leftFill);
    p.drawPolygon(QPolygonF({QPointF(7, 4), QPointF(1.5, 1.5), QPointF(1.5, 14.5), QPointF(7, 11.5)}));
    p.setPen(QPen(edge, 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(tri);
}

void folder(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kFolder);
    p.drawPolygon(QPolygonF({QPointF(0.5, 3.5), QPointF(5.5, 3.5), QPointF(7, 5), QPointF(14.5, 5),
                             QPointF(14.5, 13.5), QPointF(0.5, 13.5)}));
    p.setBrush(kFolder.lighter(120));
    p.drawPolygon(QPolygonF({QPointF(0.5, 13.5), QPointF(3, 7.5), QPointF(15.5, 7.5), QPointF(13.5, 13.5)}));
}

void disk(QPainter& p) {
    p.setPen(QPen(kInk, 1));
    p.setBrush(kDisk);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4.5, 1.5, 7, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4, 9.5, 8, 5));
}

void bolt(QPainter& p) {
    p.setPen(QPen(QColor(120, 80, 0), 0.8));
    p.setBrush(QColor(255, 220, 0));
    p.drawPolygon(QPolygonF({QPointF(11, 0.5), QPointF(8, 7), QPointF(11, 7), QPointF(9, 12.5),
                             QPointF(15, 5), QPointF(12, 5), QPointF(14, 0.5)}));
}

// A hooked arrow turning back to the left (undo) or, mirrored, on to the right (redo).
void turnArrow(QPainter& p, bool back) {
    p.save();
    if (!back) {
        p.translate(16, 0);
        p.scale(-1, 1);
    }
    QPainterPath hook;
    hook.moveTo(4, 6);
    hook.lineTo(10, 6);
    hook.cubicTo(15.5, 6, 15.5, 14, 10, 14);
    hook.lineTo(6, 14);
    p.setPen(QPen(kTransitionBlue, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hook);
    p.setPen(Qt::NoPen);
    p.setBrush(kTransitionBlue);
    p.drawPolygon(QPolygonF({QPointF(0.5, 6), QPointF(5.5, 1.5), QPointF(5.5, 10.5)}));
    p.restore();
}

void draw(QPainter& p, Cmd cmd) {
    switch (cmd) {
        case Cmd::Undo:
        case Cmd::Redo:
            turnArrow(p, cmd == Cmd::Undo);
            break;
        case Cmd::Open:
            folder(p);
            break;
        case Cmd::Save:
            disk(p);
            break;
        case Cmd::ToolPlace:
            p.setPen(QPen(kPlaceGreen, 2));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(2, 2, 12, 12));
            break;
        case Cmd::ToolTransition:
            p.setPen(QPen(kTransitionBlue, 2));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(6, 1.5, 4, 13));
            break;
        case Cmd::ToolUhzi:
            triangle(p, kUhziOrange, Qt::white);
            break;
        case Cmd::ToolKemmakix:
            triangle(p, kKemmakixMagenta, kKemmakixMagenta);
            break;
        case Cmd::ToolToken:
            p.setPen(QPen(kPlaceGreen, 1.5));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(Qt::NoPen);
            p.setBrush(Qt::black);
            p.drawEllipse(QRectF(4.5, 4.5, 7, 7));
            break;
        case Cmd::ToolArc:
            p.setPen(QPen(kGreen, 1.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(2, 14), QPointF(13.5, 2.5));
            p.drawLine(QPointF(13.5, 2.5), QPointF(8, 3.5));
            p.drawLine(QPointF(13.5, 2.5), QPointF(12.5, 8));
            break;
        case Cmd::ToolContinuous:
            p.setPen(QPen(kPlaceGreen, 1.5));
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(0.5, 5, 5.5, 5.5));
            p.drawEllipse(QRectF(10, 5, 5.5, 5.5));
            p.setPen(QPen(kTransitionBlue, 1.5));
            p.drawRect(QRectF(7, 3, 2, 10));
            break;
        case Cmd::ToolHand: {
            // An open hand: palm and four fingers.
            p.setPen(QPen(kInk, 1));
            p.setBrush(QColor(255, 224, 189));
            QPainterPath path;
            path.addRoundedRect(QRectF(3.5, 7.5, 9, 7.5), 2, 2);
            for (int i = 0; i < 4; ++i)
                path.addRoundedRect(QRectF(3.5 + i * 2.3, 1.5 + (i == 0 || i == 3 ? 2 : 0), 2.2, 8), 1, 1);
            path.addRoundedRect(QRectF(0.5, 7, 4, 2.3), 1, 1);
            p.drawPath(path.simplified());
            break;
        }
        case Cmd::ToolDelete:
            p.setPen(QPen(kRed, 2.5, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(3, 3), QPointF(13, 13));
            p.drawLine(QPointF(13, 3), QPointF(3, 13));
            break;
        case Cmd::ZoomIn:
            lens(p);
            p.setPen(QPen(kInk, 1.3));
            p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
            p.drawLine(QPointF(6, 3.5), QPointF(6, 8.5));
            break;
        case Cmd::ZoomOut:
            lens(p);
            p.setPen(QPen(kInk, 1.3));
            p.drawLine(QPointF(3.5, 6), QPointF(8.5, 6));
            break;
        case Cmd::HelpInfo: {
            p.setPen(QPen(kDisk, 1));
            p.setBrush(QColor(255, 255, 210));
            p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
            QFont f = p.font();
            f.setPixelSize(12);
            f.setBold(true);
            p.setFont(f);
            p.setPen(kDisk);
            p.drawText(QRectF(0, 0, 16, 16), Qt::AlignCenter, QStringLiteral("?"));
            break;
        }
        case Cmd::Compile:
            p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.drawPolyline(QPolygonF({QPointF(2.5, 8.5), QPointF(6, 12.5), QPointF(13.5, 3)}));
            break;
        case Cmd::Rewind:
            p.setPen(Qt::NoPen);
            p.setBrush(kDisk);
            p.drawPolygon(QPolygonF({QPointF(8, 3), QPointF(8, 13), QPointF(1, 8)}));
            p.drawPolygon(QPolygonF({QPointF(15, 3), QPointF(15, 13), QPointF(8, 8)}));
            break;
        case Cmd::Run:
            p.setPen(Qt::NoPen);
            p.setBrush(kGreen);
            p.drawPolygon(QPolygonF({QPointF(4, 2), QPointF(4, 14), QPointF(13.5, 8)}));
            break;
        case Cmd::Step:
            p.setPen(Qt::NoPen);
            p.setBrush(kGreen);
            p.drawPolygon(QPolygonF({QPointF(2, 2), QPointF(2, 14), QPointF(10.5, 8)}));
            p.setBrush(kInk);
            p.drawRect(QRectF(11.5, 2, 2.5, 12));
            break;
        case Cmd::Pause:
            p.setPen(Qt::NoPen);
            p.setBrush(kDisk);
            p.drawRect(QRectF(3.5, 2.5, 3, 11));
            p.drawRect(QRectF(9.5, 2.5, 3, 11));
            break;
        case Cmd::Abort:
            p.setPen(Qt::NoPen);
            p.setBrush(kRed);
            p.drawRect(QRectF(3, 3, 10, 10));
            break;
        case Cmd::ClearAll:
            // A blank sheet struck through.
            p.setPen(QPen(kInk, 1));
            p.setBrush(Qt::white);
            p.drawRect(QRectF(2.5, 1.5, 10, 13));
            p.setPen(QPen(kRed, 2, Qt::SolidLine, Qt::RoundCap));
            p.drawLine(QPointF(1.5, 14.5), QPointF(14.5, 1.5));
            break;
        case Cmd::QuickSave:
            disk(p);
            bolt(p);
            break;
        case Cmd::QuickLoad:
            folder(p);
            bolt(p);
            break;
        default:
            break;
    }
}
}  // namespace

QImage commandImage(Cmd cmd, int scale) {
    QImage img(16 * scale, 16 * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.scale(scale, scale);
    draw(p, cmd);
    return img;
}

QIcon commandIcon(Cmd cmd) {
    QIcon icon;
    for (int scale : {1, 2}) icon.addPixmap(QPixmap::fromImage(commandImage(cmd, scale)));
    return icon;
}

}  // namespace novra::ui
