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

bool CNOVRAView::PaintIndex::build(const CNet& n) {
    net = &n;
    objectCount = n.objects.size();
    arcCount = n.arcs.size();
    nextId = n.nextId;
    arcCounter = n.arcCounter;
    valid = true;

    objects.clear();
    objects.reserve(n.objects.size());
    long long x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool allKnown = true;
    for (const auto& [id, o] : n.objects) {
        allKnown = allKnown && isValidKind(o.kind);
        if (objects.empty()) {
            x0 = x1 = o.x;
            y0 = y1 = o.y;
        }
        x0 = std::min<long long>(x0, o.x);
        x1 = std::max<long long>(x1, o.x);
        y0 = std::min<long long>(y0, o.y);
        y1 = std::max<long long>(y1, o.y);
        objects.push_back({id, o.x, o.y, o.kind});
    }
    // Arc ends are looked up by ID; a table by ID is far quicker than the map when the IDs are dense.
    const bool dense = !objects.empty() && objects.back().id >= 0 &&
                       objects.back().id <= 4 * static_cast<long long>(objects.size()) + 1024;
    if (dense) {
        slotOf.assign(static_cast<size_t>(objects.back().id) + 1, -1);
        for (size_t i = 0; i < objects.size(); ++i)
            if (objects[i].id >= 0) slotOf[static_cast<size_t>(objects[i].id)] = static_cast<int>(i);
    }
    const auto find = [&](int id) -> const Object* {
        if (dense) {
            if (id < 0 || static_cast<size_t>(id) >= slotOf.size() || slotOf[static_cast<size_t>(id)] < 0)
                return nullptr;
            return &objects[static_cast<size_t>(slotOf[static_cast<size_t>(id)])];
        }
        auto it = std::lower_bound(objects.begin(), objects.end(), id,
                                   [](const Object& o, int v) { return o.id < v; });
        return it != objects.end() && it->id == id ? &*it : nullptr;
    };

    arcs.clear();
    points.clear();
    arcs.reserve(n.arcs.size());
    points.reserve(2 * n.arcs.size());
    for (const auto& [arcId, arc] : n.arcs) {
        const Object* from = find(arc.fromId);
        const Object* to = find(arc.toId);
        if (!from || !to) continue;
        // The line ends where the arrow head touches the target's shape.
        const Point prev = arc.bendPoints.empty() ? Point{from->x, from->y} : arc.bendPoints.back();
        const double tx = to->x, ty = to->y;
        const double dx = tx - prev.x, dy = ty - prev.y, d = std::hypot(dx, dy);
        const double pull = to->kind == kTransition ? 10 : 20;
        const double ex = d > pull ? tx - dx * pull / d : prev.x, ey = d > pull ? ty - dy * pull / d : prev.y;
        arcs.push_back({arcId, from->kind, to->kind, static_cast<unsigned>(points.size()),
                        static_cast<unsigned>(arc.bendPoints.size() + 2)});
        points.push_back({double(from->x), double(from->y)});
        for (const Point& b : arc.bendPoints) {
            points.push_back({double(b.x), double(b.y)});
            x0 = std::min<long long>(x0, b.x);
            x1 = std::max<long long>(x1, b.x);
            y0 = std::min<long long>(y0, b.y);
            y1 = std::max<long long>(y1, b.y);
        }
        points.push_back({ex, ey});
    }

    // About one cell per object, of at least 128 canvas units.
    left = x0;
    top = y0;
    shift = 7;
    const long long target = std::max<long long>(1024, static_cast<long long>(objects.size()));
    while (shift < 40 && (((x1 - x0) >> shift) + 1) * (((y1 - y0) >> shift) + 1) > target) ++shift;
    cols = ((x1 - x0) >> shift) + 1;
    rows = ((y1 - y0) >> shift) + 1;
    const size_t cells = static_cast<size_t>(cols * rows);

    objectStart.assign(cells + 1, 0);
    for (const Object& o : objects) ++objectStart[static_cast<size_t>(cellY(o.y) * cols + cellX(o.x)) + 1];
    for (size_t c = 0; c < cells; ++c) objectStart[c + 1] += objectStart[c];
    objectItems.resize(objects.size());
    {
        fill.assign(objectStart.begin(), objectStart.end() - 1);
        for (size_t i = 0; i < objects.size(); ++i)
            objectItems[fill[static_cast<size_t>(cellY(objects[i].y) * cols + cellX(objects[i].x))]++] =
                static_cast<unsigned>(i);
    }

    // Arcs: every cell under the bounding box of each segment, unless that is too many.
    constexpr long long kWide = 64;
    boxes.resize(points.size());  // by the segment's first point
    listed.assign(arcs.size(), 0);
    wideArcs.clear();
    arcStart.assign(cells + 1, 0);
    for (size_t i = 0; i < arcs.size(); ++i) {
        const Arc& a = arcs[i];
        long long total = 0;
        for (unsigned k = a.first; k + 1 < a.first + a.count; ++k) {
            const PointD p = points[k], q = points[k + 1];
            Box& b = boxes[k];
            b = {cellX(std::min(p.x, q.x)), cellX(std::max(p.x, q.x)), cellY(std::min(p.y, q.y)),
                 cellY(std::max(p.y, q.y))};
            total += (b.x1 - b.x0 + 1) * (b.y1 - b.y0 + 1);
        }
        if (total > kWide) {
            wideArcs.push_back(static_cast<unsigned>(i));
            continue;
        }
        listed[i] = 1;
        for (unsigned k = a.first; k + 1 < a.first + a.count; ++k)
            for (long long y = boxes[k].y0; y <= boxes[k].y1; ++y)
                for (long long x = boxes[k].x0; x <= boxes[k].x1; ++x)
                    ++arcStart[static_cast<size_t>(y * cols + x) + 1];
    }
    for (size_t c = 0; c < cells; ++c) arcStart[c + 1] += arcStart[c];
    arcItems.resize(arcStart[cells]);
    {
        fill.assign(arcStart.begin(), arcStart.end() - 1);
        for (size_t i = 0; i < arcs.size(); ++i) {
            if (!listed[i]) continue;
            for (unsigned k = arcs[i].first; k + 1 < arcs[i].first + arcs[i].count; ++k)
                for (long long y = boxes[k].y0; y <= boxes[k].y1; ++y)
                    for (long long x = boxes[k].x0; x <= boxes[k].x1; ++x)
                        arcItems[fill[static_cast<size_t>(y * cols + x)]++] = static_cast<unsigned>(i);
        }
    }
    arcStamp.assign(arcs.size(), 0);
    stamp = 0;
    return allKnown;
}

void CNOVRAView::PaintIndex::query(double qx0, double qy0, double qx1, double qy1) {
    visibleObjects.clear();
    visibleArcs.clear();
    if (objects.empty()) return;
    if (++stamp == 0) {
        std::fill(arcStamp.begin(), arcStamp.end(), 0);
        stamp = 1;
    }
    const double gx1 = double(left) + double(cols << shift), gy1 = double(top) + double(rows << shift);
    if (qx1 >= left && qy1 >= top && qx0 < gx1 && qy0 < gy1) {
        const long long cx0 = cellX(qx0), cx1 = cellX(qx1), cy0 = cellY(qy0), cy1 = cellY(qy1);
        for (long long y = cy0; y <= cy1; ++y) {
            for (long long x = cx0; x <= cx1; ++x) {
                const size_t c = static_cast<size_t>(y * cols + x);
                for (unsigned k = objectStart[c]; k < objectStart[c + 1]; ++k) {
                    const Object& o = objects[objectItems[k]];
                    if (o.x >= qx0 && o.x <= qx1 && o.y >= qy0 && o.y <= qy1)
                        visibleObjects.push_back(objectItems[k]);
                }
                for (unsigned k = arcStart[c]; k < arcStart[c + 1]; ++k) {
                    const unsigned a = arcItems[k];
                    if (arcStamp[a] == stamp) continue;
                    arcStamp[a] = stamp;
                    visibleArcs.push_back(a);
                }
            }
        }
    }
    visibleArcs.insert(visibleArcs.end(), wideArcs.begin(), wideArcs.end());
    std::sort(visibleObjects.begin(), visibleObjects.end());
    std::sort(visibleArcs.begin(), visibleArcs.end());
}

bool CNOVRAView::paintIndexOutdated() const {
    const CNet& n = net();
    const PaintIndex* ix = paintIndex_.get();
    return rebuild_ || indexStale_ || !ix || !ix->valid || ix->net != &n ||
           ix->objectCount != n.objects.size() || ix->arcCount != n.arcs.size() || ix->nextId != n.nextId ||
           ix->arcCounter != n.arcCounter;
}

void CNOVRAView::refreshPaintIndex() {
    if (!paintIndexOutdated()) return;
    if (!paintIndex_) paintIndex_ = std::make_shared<PaintIndex>();
    // Objects of an unknown kind are dropped from the net when it is next indexed.
    if (!paintIndex_->build(net())) {
        net().purgeObjects();
        paintIndex_->build(net());
    }
    indexStale_ = false;
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

void CNOVRAView::prepareFrame() {
    clientW_ = std::max(1, viewport()->width());
    clientH_ = std::max(1, viewport()->height());
    if (sizeState_ == kFirstPaint || sizeState_ == kResized || back_.size() != QSize(clientW_, clientH_)) {
        idBuffer_.assign(static_cast<size_t>(clientW_) * static_cast<size_t>(clientH_), 0);
        back_ = QImage(clientW_, clientH_, QImage::Format_RGB32);
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
            const QRect c = cell & QRect(0, 0, clientW_, clientH_);
            for (int y = c.top(); y <= c.bottom(); ++y) {
                int* row = idBuffer_.data() + static_cast<size_t>(y) * clientW_;
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
            if (!label.isEmpty() && zoom_ < 2)
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
        const QRect r = QRect(c.x() - half, c.y() - half, 2 * half, 2 * half) & back_.rect();
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
    const size_t i = static_cast<size_t>(client.y()) * clientW_ + client.x();
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
