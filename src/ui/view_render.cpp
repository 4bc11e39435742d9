// The paint: back buffer, id buffer, grid, arcs, objects, marks, tokens and the selection.
#include <QDir>
#include <QFile>
#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "sim/sources.h"
#include "ui/view.h"
#include "ui/view_paint_index.h"

namespace novra::ui {

namespace {
const QColor kMarkText(30, 30, 30);
const QColor kHighlightRed(255, 100, 100);

long long floorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace

bool CNOVRAView::paintIndexOutdated() const {
    return !paintIndex_ || !paintIndex_->current(net());
}

void CNOVRAView::refreshPaintIndex() {
    CNet& n = net();
    if (!paintIndex_) paintIndex_ = std::make_shared<PaintIndex>();
    PaintIndex& ix = *paintIndex_;
    // Only a change of where things are touches the index: the small ones are applied as the net logged
    // them, anything else rebuilds it. Objects of an unknown kind are dropped from the net then.
    if (!ix.current(n) && !ix.follow(n) && !ix.build(n)) {
        n.purgeObjects();
        ix.build(n);
    }
    n.trimGeometryLog(ix.logPos);
}

namespace {
// The canvas range that client coordinates from -pad to size + pad cover, widened by `margin` units.
std::pair<double, double> canvasSpan(int client, int scroll, int zoom, int pad, int margin) {
    const long long h = client / 2;
    const long long a = h - (h + pad) * (1LL << zoom) + scroll;
    const long long b = h - (h - client - pad) * (1LL << zoom) + scroll;
    return {double(a - margin - (1LL << zoom)), double(b + margin + (1LL << zoom))};
}
}  // namespace

const std::vector<unsigned>& CNOVRAView::visibleObjects() {
    refreshPaintIndex();
    // Shapes, marks and ids reach at most two object sizes past the client area; arcs reach 64 pixels
    // past it before they are clipped, labels and heads a little further.
    const int pad = 2 * objectSize_ + 80;
    const auto [x0, x1] = canvasSpan(clientW_, scroll_.x(), zoom_, pad, kCell);
    const auto [y0, y1] = canvasSpan(clientH_, scroll_.y(), zoom_, pad, kCell);
    paintIndex_->query(x0, y0, x1, y1);
    return paintIndex_->visibleObjects;
}

const std::vector<unsigned>& CNOVRAView::visibleArcs() {
    // Those of the last visibleObjects() query, which every paint makes first.
    if (!paintIndex_) visibleObjects();
    return paintIndex_->visibleArcs;
}

QSize CNOVRAView::bufferSize() const {
    const qreal r = viewport()->devicePixelRatioF();
    return QSize(std::max(1, int(std::ceil(std::max(1, viewport()->width()) * r))),
                 std::max(1, int(std::ceil(std::max(1, viewport()->height()) * r))));
}

QRect CNOVRAView::bufferRect(const QRect& client) const {
    if (client.isEmpty()) return QRect();
    const qreal r = bufferRatio();
    const QPoint tl(int(std::floor(client.left() * r)), int(std::floor(client.top() * r)));
    const QPoint br(int(std::ceil((client.right() + 1) * r)) - 1,
                    int(std::ceil((client.bottom() + 1) * r)) - 1);
    return QRect(tl, br) & back_.rect();
}

QRectF CNOVRAView::bufferSource(const QRect& client) const {
    const qreal r = bufferRatio();
    return QRectF(client.x() * r, client.y() * r, client.width() * r, client.height() * r);
}

void CNOVRAView::prepareFrame() {
    clientW_ = std::max(1, viewport()->width());
    clientH_ = std::max(1, viewport()->height());
    const QSize device = bufferSize();
    const qreal ratio = viewport()->devicePixelRatioF();
    if (sizeState_ == kFirstPaint || sizeState_ == kResized || back_.size() != device ||
        back_.devicePixelRatio() != ratio) {
        idBuffer_.assign(static_cast<size_t>(device.width()) * static_cast<size_t>(device.height()), 0);
        back_ = QImage(device, QImage::Format_RGB32);
        back_.setDevicePixelRatio(ratio);
        if (sizeState_ == kFirstPaint) {
            buildBaseSprites();
            applyZoom();
        }
        rebuild_ = true;
        if (sizeState_ != kOpened) sizeState_ = kNothingPending;
    }
    if (sizeState_ == kOpened) {
        centreNet();
        sizeState_ = kNothingPending;
        rebuild_ = true;
    }
    updateScrollBars();
}

void CNOVRAView::centreNet() {
    Rect& b = net().bounds;
    // The reader grows the rectangle; a net built in memory may not have, so the positions count too.
    for (const auto& [id, o] : net().objects) b.include(o.x, o.y);
    if (b.empty) b.include(0, 0);
    long long left = b.left, right = b.right, top = b.top, bottom = b.bottom;
    if (right - left < clientW_) {
        const long long missing = clientW_ - (right - left);
        left -= missing / 2;
        right += missing - missing / 2;
    }
    if (bottom - top < clientH_) {
        const long long missing = clientH_ - (bottom - top);
        top -= missing / 2;
        bottom += missing - missing / 2;
    }
    const auto toInt = [](long long v) {
        return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
    };
    b.left = toInt(left);
    b.right = toInt(right);
    b.top = toInt(top);
    b.bottom = toInt(bottom);
    constexpr long long lim = 1 << 28;  // as far as scrolling goes
    scroll_ = QPoint(int(std::clamp<long long>((left + right) / 2 - clientW_ / 2, -lim, lim)),
                     int(std::clamp<long long>((top + bottom) / 2 - clientH_ / 2, -lim, lim)));
}

void CNOVRAView::renderFrame() {
    consumeOpenNotice();
    prepareFrame();
    texts_.clear();
    ++backSerial_;
    {
        QPainter p(&back_);
        drawStatic(p, true);
    }
    if (appCompiled == 0) tintSelection();
}

void CNOVRAView::drawStatic(QPainter& p, bool screen) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRect(0, 0, clientW_, clientH_), colorFromSetting(settings_.colors.back));
    if (screen && !skinBack_.isNull()) p.fillRect(QRect(0, 0, clientW_, clientH_), QBrush(skinBack_));
    if (zoom_ < 3) drawGrid(p);
    visibleObjects();
    drawArcs(p);
    const bool refill = rebuild_ || viewMoved_;
    if (screen && refill) std::fill(idBuffer_.begin(), idBuffer_.end(), 0);
    drawObjects(p, screen);
    if (screen) rebuild_ = viewMoved_ = false;
    if (showsEditMarking(screen)) {
        drawEditTokens(p);
        if (screen) drawSelectionTracker(p);
    } else if (zoom_ < 4) {
        drawSimTokens(p);
    }
}

void CNOVRAView::drawGrid(QPainter& p) {
    const long long hatch = std::max(1, settings_.hatchSize);
    // Lines closer than two pixels would only paint the canvas over in the grid colour.
    if ((hatch >> zoom_) < 2) return;
    p.setPen(QPen(colorFromSetting(settings_.colors.grid), 1));
    const QPoint c0 = toCanvas(QPoint(0, 0));
    const QPoint c1 = toCanvas(QPoint(clientW_, clientH_));
    for (long long k = floorDiv(c0.x(), hatch) + 1; k * hatch <= c1.x(); ++k) {
        const int x = toClient(static_cast<int>(k * hatch), 0).x();
        p.drawLine(x, 0, x, clientH_);
    }
    for (long long k = floorDiv(c0.y(), hatch) + 1; k * hatch <= c1.y(); ++k) {
        const int y = toClient(0, static_cast<int>(k * hatch)).y();
        p.drawLine(0, y, clientW_, y);
    }
}

void CNOVRAView::drawObjects(QPainter& p, bool screen) {
    const CNet& n = net();
    const bool details = zoom_ < 2;
    const bool objIds = settings_.enableObjId == 1 && details;
    const bool marks = details && showsEditMarking(screen);
    const int half = kCell / 2;
    const int drawSize = std::max(1, kCell >> std::min(drawLevel(), 30));
    const int inset = (objectSize_ - drawSize) / 2;
    for (unsigned i : paintIndex_->visibleObjects) {
        const PaintIndex::Object& o = paintIndex_->objects[i];
        const int id = o.id;
        const QPoint tl = toClient(o.x - half, o.y - half);
        const QRect cell(tl, QSize(objectSize_, objectSize_));
        if (!cellVisible(cell)) continue;
        if (screen && (rebuild_ || viewMoved_) && id != grabbedObject) {
            const QRect c = bufferRect(cell);
            for (int y = c.top(); y <= c.bottom(); ++y) {
                int* row = idBuffer_.data() + static_cast<size_t>(y) * static_cast<size_t>(back_.width());
                std::fill(row + c.left(), row + c.right() + 1, id);
            }
        }
        if (settings_.objectYard == 1 && zoom_ == 0) {
            p.setPen(QPen(Qt::white, 1));
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell.adjusted(0, 0, -1, -1));
        }
        drawObject(p, o.kind, tl.x() + inset, tl.y() + inset, drawLevel());
        if (arcPending && id == arcSource) {
            p.setPen(QPen(kHighlightRed, 5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell);
        }
        const int mx = tl.x() + (half >> zoom_), my = tl.y() + (half >> zoom_);
        if (marks) {
            QString mark;
            if (o.kind == kTransition) {
                auto t = n.transitions.find(id);
                if (t != n.transitions.end() && t->second.gen.registerReduced)
                    mark = QString::fromUtf8(text(msg::kMarkRegisterReduced).c_str());
            } else if (o.kind == kUhzi) {
                auto u = n.uhzis.find(id);
                if (u != n.uhzis.end()) mark = QString::fromStdString(uhziLabel(u->second, false));
            } else if (o.kind == kKemmakix) {
                auto k = n.kemmakixes.find(id);
                if (k != n.kemmakixes.end() && k->second.line == 2)
                    mark = QString::fromUtf8(text(msg::kMarkDiscard).c_str());
                if (k != n.kemmakixes.end() && k->second.line == 3)
                    mark = QString::fromUtf8(text(msg::kMarkKeep).c_str());
            }
            if (!mark.isEmpty()) drawText(p, mx, my, mark, kMarkText);
        }
        if (objIds) drawText(p, mx, tl.y(), QString::number(id), kMarkText);
    }
}

void CNOVRAView::drawEditTokens(QPainter& p) {
    if (zoom_ >= 4) return;
    const CNet& n = net();
    const int margin = 10 >> zoom_;
    const auto draw = [&](int x, int y, const Token& tok) {
        const QPoint c = toClient(x, y);
        if (c.x() < -margin || c.y() < -margin || c.x() > clientW_ + margin || c.y() > clientH_ + margin)
            return;
        // An edit token of a colour no token can have is not drawn rather than taking the paint down.
        if (tok.color != kBlack && tok.color != kWhite) return;
        drawToken(p, c.x(), c.y(), tok.color, tok.value, false);
    };
    // Both walks go in ascending ID; the shorter one wins.
    const std::vector<unsigned>& visible = visibleObjects();
    if (n.tokens.size() <= visible.size()) {
        for (const auto& [placeId, tok] : n.tokens) {
            auto o = n.objects.find(placeId);
            if (o != n.objects.end()) draw(o->second.x, o->second.y, tok);
        }
    } else {
        for (unsigned i : visible) {
            const PaintIndex::Object& o = paintIndex_->objects[i];
            auto tok = n.tokens.find(o.id);
            if (tok != n.tokens.end()) draw(o.x, o.y, tok->second);
        }
    }
}

void CNOVRAView::drawSimTokens(QPainter& p) {
    const CNet& n = net();
    const bool tremble = appCompiled == 1 && settings_.tokenMove == 1 && zoom_ < 3;
    for (unsigned i : visibleObjects()) {
        const PaintIndex::Object& o = paintIndex_->objects[i];
        auto it = n.places.find(o.id);
        if (it == n.places.end()) continue;
        const CPlace& pl = it->second;
        if (!pl.hasToken) continue;
        const QPoint c = toClient(o.x, o.y);
        if (c.x() < 0 || c.y() < 0 || c.x() >= clientW_ || c.y() >= clientH_) continue;
        if (pl.color != kBlack && pl.color != kWhite) continue;
        drawToken(p, c.x(), c.y(), pl.color, pl.value, tremble);
    }
}

void CNOVRAView::drawSimulationFrame() {
    const CNet& n = net();
    if (back_.isNull()) renderFrame();
    work_ = back_.copy();
    QPainter p(&work_);
    const int half = kCell / 2;
    for (unsigned i : visibleObjects()) {
        const PaintIndex::Object& o = paintIndex_->objects[i];
        const int id = o.id;
        const QPoint tl = toClient(o.x - half, o.y - half);
        if (!cellVisible(QRect(tl, QSize(objectSize_, objectSize_)))) continue;
        const QPoint c = toClient(o.x, o.y);
        if (o.kind == kPlace) {
            auto pl = n.places.find(id);
            if (pl == n.places.end()) continue;
            if (settings_.enableOldToken == 1) drawPastToken(p, c.x(), c.y(), pl->second.lastColor);
            if (zoom_ < 4 && pl->second.hasToken) {
                if (pl->second.color != kBlack && pl->second.color != kWhite)
                    novra::raise(text(msg::kErrTokenColor));
                drawToken(p, c.x(), c.y(), pl->second.color, pl->second.value,
                          settings_.tokenMove == 1 && zoom_ < 3);
            }
        } else if (o.kind == kTransition) {
            auto t = n.transitions.find(id);
            if (t == n.transitions.end() || !t->second.enabled) continue;
            const int side = 60 >> zoom_, off = 10 >> zoom_;
            p.setPen(QPen(kHighlightRed, 5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(tl.x() - off, tl.y() - off, side, side));
        } else {
            QString label;
            if (o.kind == kUhzi) {
                auto u = n.uhzis.find(id);
                if (u != n.uhzis.end()) label = QString::fromStdString(uhziLabel(u->second, true));
            } else if (o.kind == kKemmakix) {
                auto k = n.kemmakixes.find(id);
                if (k != n.kemmakixes.end()) label = QString::fromStdString(kemmakixLabel(k->second, true));
            }
            if (!label.isEmpty())
                drawText(p, tl.x() + (half >> zoom_), tl.y() + (half >> zoom_), label, kMarkText);
        }
    }
    p.end();
    QPainter vp(viewport());
    vp.drawImage(0, 0, work_);
}

void CNOVRAView::tintSelection() {
    if (selection.empty() || back_.isNull()) return;
    const int half = objectSize_ / 2 + 1;
    const CNet& n = net();
    for (int id : selection) {
        auto o = n.objects.find(id);
        if (o == n.objects.end()) continue;
        const QPoint c = toClient(o->second.x, o->second.y);
        const QRect r = bufferRect(QRect(c.x() - half, c.y() - half, 2 * half, 2 * half));
        for (int y = r.top(); y <= r.bottom(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(back_.scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb px = line[x];
                line[x] = qRgb(std::min(255, qRed(px) + 150), qGreen(px), qBlue(px));
            }
        }
    }
}

void CNOVRAView::drawSelectionTracker(QPainter& p) {
    if (selectionRect.isEmpty()) return;
    const QPoint a = toClient(selectionRect.left(), selectionRect.top());
    const QPoint b = toClient(selectionRect.right(), selectionRect.bottom());
    const QRect r = QRect(a, b).normalized();
    if (r.width() <= 10 || r.height() <= 10) return;
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

int CNOVRAView::idAt(QPoint client) const {
    if (client.x() < 0 || client.y() < 0 || client.x() >= clientW_ || client.y() >= clientH_) return 0;
    const qreal r = bufferRatio();
    const size_t i = static_cast<size_t>(client.y() * r) * static_cast<size_t>(back_.width()) +
                     static_cast<size_t>(client.x() * r);
    if (i >= idBuffer_.size()) return 0;
    const int id = idBuffer_[i];
    return net().objects.count(id) ? id : 0;
}

void CNOVRAView::drawText(QPainter& p, int x, int y, const QString& s, QColor color) {
    p.setFont(font_);
    p.setPen(color);
    // Texts are placed by their top-left corner.
    p.drawText(x, y + p.fontMetrics().ascent(), s);
    texts_.push_back({s, QPoint(x, y)});
}

}  // namespace novra::ui
