// Pens, sprites and the drawing of single things: objects, arcs with arrow heads, tokens.
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "ui/paint_index.h"
#include "ui/renderer.h"

namespace novra::ui {

namespace {
const QColor kTokenOutline(50, 50, 50);
const QColor kArcLabelText(50, 50, 50);
constexpr double kHeadAngle = 3.14159265358979323846 / 6;

// Client coordinates of a canvas point without rounding to the int range, for clipping.
struct PointF {
    double x, y;
};

// Clips the segment a-b to r (Liang-Barsky); false when nothing of it is inside.
bool clipSegment(PointF& a, PointF& b, double left, double top, double right, double bottom) {
    double t0 = 0, t1 = 1;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const PointF a0 = a;
    a = {a0.x + t0 * dx, a0.y + t0 * dy};
    b = {a0.x + t1 * dx, a0.y + t1 * dy};
    return true;
}
}  // namespace

void CRenderer::rebuildPens() {
    const int w = std::max(1, 3 - zoom_);
    const auto pen = [w](int color) {
        QPen p(colorFromSetting(color), w);
        p.setJoinStyle(Qt::MiterJoin);
        return p;
    };
    const ViewColors& c = settings_.colors;
    placePen_ = pen(c.place);
    transitionPen_ = pen(c.transition);
    uhziPen_ = pen(c.uhzi);
    kemmakixPen_ = pen(c.kemmakix);
    arcPen_ = pen(c.arc);
    gridPen_ = QPen(colorFromSetting(c.grid), 1);
    tokenPen_ = QPen(kTokenOutline, w);
    kemmakixFill_ = colorFromSetting(c.kemmakix);
    font_ = QFont(QStringLiteral("IPAPGothic"));
    font_.setStyleHint(QFont::SansSerif);
    font_.setBold(true);
    font_.setItalic(true);
    if (zoom_ == 0) {
        font_.setPixelSize(17);
        font_.setUnderline(true);
    } else {
        font_.setPixelSize(9);
    }
}

void CRenderer::drawVectorShape(QPainter& p, int kind, int x, int y, const ShapeTable& t, int level) const {
    const auto& v = t.v;
    if (level >= kMaxZoom) {
        const QPen* pen = kind == kPlace        ? &placePen_
                          : kind == kTransition ? &transitionPen_
                          : kind == kUhzi       ? &uhziPen_
                                                : &kemmakixPen_;
        p.fillRect(QRect(x, y, 1, 1), pen->color());
        return;
    }
    switch (kind) {
        case kPlace:
            p.setPen(placePen_);
            p.setBrush(Qt::white);
            p.drawEllipse(QRect(QPoint(x + v[0], y + v[1]), QPoint(x + v[2] - 1, y + v[3] - 1)));
            break;
        case kTransition:
            p.setPen(transitionPen_);
            p.setBrush(Qt::white);
            p.drawRect(QRect(QPoint(x + v[4], y + v[5]), QPoint(x + v[6] - 1, y + v[7] - 1)));
            break;
        case kUhzi:
        case kKemmakix: {
            const QPoint a(x + v[8], y + v[9]), b(x + v[10], y + v[11]), c(x + v[12], y + v[13]),
                d(x + v[14], y + v[15]), e(x + v[16], y + v[17]);
            const QPoint half[4] = {a, b, c, d};
            p.setPen(Qt::NoPen);
            p.setBrush(kind == kUhzi ? QColor(Qt::white) : kemmakixFill_);
            p.drawPolygon(half, 4);
            const QPoint tri[3] = {e, b, c};
            p.setPen(kind == kUhzi ? uhziPen_ : kemmakixPen_);
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(tri, 3);
            break;
        }
        default:
            break;
    }
}

void CRenderer::drawObject(QPainter& p, int kind, int x, int y, int level) const {
    if (!isValidKind(kind)) return;
    if (settings_.skinUse == 1 && level == zoom_ && !spriteScaled_[static_cast<size_t>(kind)].isNull()) {
        p.drawImage(x, y, spriteScaled_[static_cast<size_t>(kind)]);
        return;
    }
    drawVectorShape(p, kind, x, y, level == zoom_ ? zoomed_ : drawScaled_, level);
}

void CRenderer::buildBaseSprites() {
    skinBack_ = QImage();
    for (int kind = kPlace; kind <= kKemmakix; ++kind) sprite40_[static_cast<size_t>(kind)] = QImage();
    if (settings_.skinUse != 1) return;
    const QString dir = QDir::currentPath() + "/skin/";
    // Sprites are drawn at zoom level 0 with the zoom level 0 pens.
    const int savedZoom = zoom_;
    zoom_ = 0;
    rebuildPens();
    for (int kind = kPlace; kind <= kKemmakix; ++kind) {
        QImage img(kCell, kCell, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QImage skin(dir + kindName(kind) + ".bmp");
        if (!skin.isNull()) {
            // The colour of the top-left pixel is the skin's transparent colour.
            skin = skin.convertToFormat(QImage::Format_ARGB32)
                       .scaled(kCell, kCell, Qt::IgnoreAspectRatio, Qt::FastTransformation);
            const QRgb key = skin.pixel(0, 0);
            for (int y = 0; y < kCell; ++y) {
                auto* line = reinterpret_cast<QRgb*>(skin.scanLine(y));
                for (int x = 0; x < kCell; ++x)
                    if (line[x] == key) line[x] = 0;
            }
            img = skin.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        } else {
            // A missing skin file leaves the vector shape.
            QPainter p(&img);
            drawVectorShape(p, kind, 0, 0, base_, 0);
        }
        sprite40_[static_cast<size_t>(kind)] = img;
    }
    zoom_ = savedZoom;
    rebuildPens();
    if (QFileInfo::exists(dir + "back.bmp")) skinBack_ = QImage(dir + "back.bmp");
}

void CRenderer::rebuildSprites() {
    for (int kind = kPlace; kind <= kKemmakix; ++kind) {
        const QImage& s = sprite40_[static_cast<size_t>(kind)];
        spriteScaled_[static_cast<size_t>(kind)] =
            s.isNull() ? QImage()
                       : s.scaled(objectSize_, objectSize_, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    }
}

void CRenderer::drawArrowHead(QPainter& p, QPointF from, QPointF to, int length) const {
    if (from == to || length <= 0) return;
    const double back = std::atan2(from.y() - to.y(), from.x() - to.x());
    const QPoint tip = to.toPoint();
    for (double a : {back - kHeadAngle, back + kHeadAngle}) {
        p.drawLine(tip, QPoint(tip.x() + int(std::lround(length * std::cos(a))),
                               tip.y() + int(std::lround(length * std::sin(a)))));
    }
}

void CRenderer::drawArcs(QPainter& p) {
    const CNet& n = net();
    p.setPen(arcPen_);
    p.setBrush(Qt::NoBrush);
    const double hw = clientW_ / 2, hh = clientH_ / 2, scale = double(1LL << zoom_);
    const auto client = [&](double cx, double cy) {
        return PointF{hw - std::floor((hw - (cx - scroll_.x())) / scale),
                      hh - std::floor((hh - (cy - scroll_.y())) / scale)};
    };
    const double m = 64;  // heads and pen widths reach a little past the clip
    const bool heads = zoom_ < 2;
    const int headBend = 10 >> zoom_, headEnd = 15 >> zoom_;
    const auto inside = [&](const PointF& q) {
        return q.x >= -m && q.y >= -m && q.x <= clientW_ + m && q.y <= clientH_ + m;
    };
    const auto toPoint = [](const PointF& q) { return QPoint(int(std::lround(q.x)), int(std::lround(q.y))); };
    std::vector<PointF> pts;
    const CPaintIndex& ix = *paintIndex_;
    // The index holds each arc's points from its source through the bend points to where the arrow head
    // touches the target's shape.
    for (unsigned ai : visibleArcs()) {
        const CPaintIndex::Arc& arc = ix.arcs[ai];
        if (only_) {
            auto a = n.arcs().find(arc.id);
            if (a == n.arcs().end() || !only_->count(a->second.fromId) || !only_->count(a->second.toId))
                continue;
        }
        if (partHook_) (*partHook_)(p, kPartArc, arc.id);
        pts.clear();
        for (unsigned k = arc.first; k < arc.first + arc.count; ++k)
            pts.push_back(client(ix.points[k].x, ix.points[k].y));
        for (size_t i = 0; i + 1 < pts.size(); ++i) {
            PointF a = pts[i], b = pts[i + 1];
            if (!clipSegment(a, b, -m, -m, clientW_ + m, clientH_ + m)) continue;
            p.drawLine(toPoint(a), toPoint(b));
            if (heads && inside(pts[i + 1]))
                drawArrowHead(p, QPointF(pts[i].x, pts[i].y), QPointF(pts[i + 1].x, pts[i + 1].y),
                              i + 2 == pts.size() ? headEnd : headBend);
        }
        const bool joinedToTransition = arc.fromKind == kTransition || arc.toKind == kTransition;
        if (arc.count == 2 && joinedToTransition) {
            const PointF mid{(pts[0].x + pts[1].x) / 2, (pts[0].y + pts[1].y) / 2};
            auto live = n.arcs().find(arc.id);
            if (inside(mid) && live != n.arcs().end() && !live->second.varName.empty()) {
                const int off = 10 >> zoom_;
                drawText(p, int(mid.x) - off, int(mid.y) - off, QString::fromStdString(live->second.varName),
                         kArcLabelText);
                p.setPen(arcPen_);
            }
        }
    }
}

void CRenderer::drawToken(QPainter& p, int cx, int cy, int color, int value, bool tremble) {
    if (tremble) {
        cx += (std::rand() % 5 - 2) >> zoom_;
        cy += (std::rand() % 5 - 2) >> zoom_;
    }
    const int r = 10 >> zoom_;
    p.setPen(tokenPen_);
    p.setBrush(color == kBlack ? Qt::black : Qt::white);
    p.drawEllipse(QRect(cx - r, cy - r, 2 * r, 2 * r));
    if (color == kBlack && zoom_ < 2) {
        const QString v = (value == 0 || value == 1)
                              ? QString::number(value)
                              : QString::fromUtf8(text(msg::kTokenValueUndefined).c_str());
        drawText(p, cx - (6 >> zoom_), cy - (10 >> zoom_), v, Qt::white);
    }
}

void CRenderer::drawPastToken(QPainter& p, int cx, int cy, int color) {
    if (color != kBlack && color != kWhite) novra::raise(text(msg::kErrTokenColor));
    p.setPen(tokenPen_);
    p.setBrush(color == kBlack ? Qt::black : Qt::white);
    p.drawEllipse(QRect(QPoint(cx - (40 >> zoom_), cy + (20 >> zoom_)),
                        QPoint(cx - (20 >> zoom_), cy + (40 >> zoom_))));
}

}  // namespace novra::ui
