// The paint: back buffer, id buffer, grid, arcs, objects, marks, tokens and the selection; printing.
#include "ui/renderer.h"

#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "sim/sources.h"
#include "ui/doc.h"
#include "ui/edit_state.h"
#include "ui/paint_index.h"

namespace novra::ui {

namespace {
const QColor kMarkText(30, 30, 30);
const QColor kHighlightRed(255, 100, 100);

long long floorDiv(long long a, long long b) {
    return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}
}  // namespace

CRenderer::CRenderer(QAbstractScrollArea& widget, CNOVRADoc& doc, const ViewSettings& settings,
                     const EditState& edit)
    : widget_(widget), doc_(&doc), net_(&doc.net()), settings_(settings), edit_(edit) {
    zoomed_ = base_.shifted(0);
    drawScaled_ = base_.shifted(0);
    rebuildPens();
}

CRenderer::CRenderer(QAbstractScrollArea& widget, CNet& net, const ViewSettings& settings,
                     const EditState& edit)
    : widget_(widget), doc_(nullptr), net_(&net), settings_(settings), edit_(edit) {
    zoomed_ = base_.shifted(0);
    drawScaled_ = base_.shifted(0);
    rebuildPens();
}

CRenderer::~CRenderer() = default;

CNet& CRenderer::net() const {
    return *net_;
}

bool CRenderer::compiled() const {
    return doc_ && doc_->compiled();
}

void CRenderer::settingsChanged() {
    rebuildPens();
    if (sizeState_ != kFirstPaint) {
        buildBaseSprites();
        rebuildSprites();
    }
    rebuild_ = true;
}

void CRenderer::resized() {
    if (sizeState_ == kNothingPending) sizeState_ = kResized;
}

void CRenderer::netOpened(bool startup) {
    sizeState_ = startup ? kFirstPaint : kOpened;
}

void CRenderer::clearIds() {
    std::fill(idBuffer_.begin(), idBuffer_.end(), 0);
}

int CRenderer::hitTest(QPoint client) {
    // An edit since the last paint leaves the id buffer behind; a click right after must still find it.
    if (rebuild_ || viewMoved_) renderFrame();
    return idAt(client);
}

void CRenderer::refreshPaintIndex() {
    CNet& n = net();
    if (!paintIndex_) paintIndex_ = std::make_shared<CPaintIndex>();
    CPaintIndex& ix = *paintIndex_;
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

const std::vector<unsigned>& CRenderer::visibleObjects() {
    refreshPaintIndex();
    // Shapes, marks and ids reach at most two object sizes past the client area; arcs reach 64 pixels
    // past it before they are clipped, labels and heads a little further.
    const int pad = 2 * objectSize_ + 80;
    const auto [x0, x1] = canvasSpan(clientW_, scroll_.x(), zoom_, pad, kCell);
    const auto [y0, y1] = canvasSpan(clientH_, scroll_.y(), zoom_, pad, kCell);
    paintIndex_->query(x0, y0, x1, y1);
    return paintIndex_->visibleObjects;
}

const std::vector<unsigned>& CRenderer::visibleArcs() {
    // Those of the last visibleObjects() query, which every paint makes first.
    if (!paintIndex_) visibleObjects();
    return paintIndex_->visibleArcs;
}

QSize CRenderer::bufferSize() const {
    const qreal r = widget_.viewport()->devicePixelRatioF();
    return QSize(std::max(1, int(std::ceil(std::max(1, widget_.viewport()->width()) * r))),
                 std::max(1, int(std::ceil(std::max(1, widget_.viewport()->height()) * r))));
}

QRect CRenderer::bufferRect(const QRect& client) const {
    if (client.isEmpty()) return QRect();
    const qreal r = bufferRatio();
    const QPoint tl(int(std::floor(client.left() * r)), int(std::floor(client.top() * r)));
    const QPoint br(int(std::ceil((client.right() + 1) * r)) - 1,
                    int(std::ceil((client.bottom() + 1) * r)) - 1);
    return QRect(tl, br) & back_.rect();
}

QRectF CRenderer::bufferSource(const QRect& client) const {
    const qreal r = bufferRatio();
    return QRectF(client.x() * r, client.y() * r, client.width() * r, client.height() * r);
}

void CRenderer::prepareFrame() {
    clientW_ = std::max(1, widget_.viewport()->width());
    clientH_ = std::max(1, widget_.viewport()->height());
    const QSize device = bufferSize();
    const qreal ratio = widget_.viewport()->devicePixelRatioF();
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

void CRenderer::centreNet() {
    // The reader grows the rectangle; a net built in memory may not have, so the positions count too.
    for (const auto& [id, o] : net().objects()) net().extendBounds(o.x, o.y);
    if (net().bounds().empty) net().extendBounds(0, 0);
    const Rect& b = net().bounds();
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
    // Only ever wider: the two corners give the whole rectangle.
    net().extendBounds(toInt(left), toInt(top));
    net().extendBounds(toInt(right), toInt(bottom));
    constexpr long long lim = 1 << 28;  // as far as scrolling goes
    scroll_ = QPoint(int(std::clamp<long long>((left + right) / 2 - clientW_ / 2, -lim, lim)),
                     int(std::clamp<long long>((top + bottom) / 2 - clientH_ / 2, -lim, lim)));
}

void CRenderer::renderFrame() {
    if (frameHook_) frameHook_();
    prepareFrame();
    texts_.clear();
    ++backSerial_;
    {
        QPainter p(&back_);
        drawStatic(p, true);
    }
    if (!compiled()) tintSelection();
}

void CRenderer::drawStatic(QPainter& p, bool screen) {
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
    if (partHook_) (*partHook_)(p, kPartTokens, 0);
    // Edit mode shows the initial marking and the marks; a print job shows what the window would.
    if (!compiled()) {
        drawEditTokens(p);
        if (screen) drawSelectionTracker(p);
    } else if (zoom_ < 4) {
        drawSimTokens(p, screen);
    }
}

void CRenderer::drawGrid(QPainter& p) {
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

void CRenderer::drawObjects(QPainter& p, bool screen) {
    const CNet& n = net();
    const bool details = zoom_ < 2;
    const bool objIds = settings_.enableObjId == 1 && details;
    const bool marks = details && !compiled();
    const int half = kCell / 2;
    const int drawSize = std::max(1, kCell >> std::min(drawLevel(), 30));
    const int inset = (objectSize_ - drawSize) / 2;
    for (unsigned i : paintIndex_->visibleObjects) {
        const CPaintIndex::Object& o = paintIndex_->objects[i];
        const int id = o.id;
        const QPoint tl = toClient(o.x - half, o.y - half);
        const QRect cell(tl, QSize(objectSize_, objectSize_));
        if (!cellVisible(cell)) continue;
        if (only_ && !only_->count(id)) continue;
        if (partHook_) (*partHook_)(p, o.kind, id);
        if (screen && (rebuild_ || viewMoved_) && id != edit_.grabbedObject) {
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
        if (edit_.arcPending && id == edit_.arcSource) {
            p.setPen(QPen(kHighlightRed, 5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(cell);
        }
        const int mx = tl.x() + (half >> zoom_), my = tl.y() + (half >> zoom_);
        if (marks) {
            QString mark;
            if (o.kind == kTransition) {
                auto t = n.transitions().find(id);
                if (t != n.transitions().end() && t->second.gen.registerReduced)
                    mark = QString::fromUtf8(text(msg::kMarkRegisterReduced).c_str());
            } else if (o.kind == kUhzi) {
                auto u = n.uhzis().find(id);
                if (u != n.uhzis().end()) mark = QString::fromStdString(uhziLabel(u->second, false));
            } else if (o.kind == kKemmakix) {
                auto k = n.kemmakixes().find(id);
                if (k != n.kemmakixes().end() && k->second.line == 2)
                    mark = QString::fromUtf8(text(msg::kMarkDiscard).c_str());
                if (k != n.kemmakixes().end() && k->second.line == 3)
                    mark = QString::fromUtf8(text(msg::kMarkKeep).c_str());
            }
            if (!mark.isEmpty()) drawText(p, mx, my, mark, kMarkText);
        }
        if (objIds) drawText(p, mx, tl.y(), QString::number(id), kMarkText);
    }
}

void CRenderer::drawEditTokens(QPainter& p) {
    if (zoom_ >= 4) return;
    const CNet& n = net();
    const int margin = 10 >> zoom_;
    const auto draw = [&](int id, int x, int y, const Token& tok) {
        if (only_ && !only_->count(id)) return;
        const QPoint c = toClient(x, y);
        if (c.x() < -margin || c.y() < -margin || c.x() > clientW_ + margin || c.y() > clientH_ + margin)
            return;
        // An edit token of a colour no token can have is not drawn rather than taking the paint down.
        if (tok.color != kBlack && tok.color != kWhite) return;
        drawToken(p, c.x(), c.y(), tok.color, tok.value, false);
    };
    // Both walks go in ascending ID; the shorter one wins.
    const std::vector<unsigned>& visible = visibleObjects();
    if (n.tokens().size() <= visible.size()) {
        for (const auto& [placeId, tok] : n.tokens()) {
            auto o = n.objects().find(placeId);
            if (o != n.objects().end()) draw(placeId, o->second.x, o->second.y, tok);
        }
    } else {
        for (unsigned i : visible) {
            const CPaintIndex::Object& o = paintIndex_->objects[i];
            auto tok = n.tokens().find(o.id);
            if (tok != n.tokens().end()) draw(o.id, o.x, o.y, tok->second);
        }
    }
}

void CRenderer::drawSimTokens(QPainter& p, bool screen) {
    const CNet& n = net();
    const bool tremble = screen && settings_.tokenMove == 1 && zoom_ < 3;
    for (unsigned i : visibleObjects()) {
        const CPaintIndex::Object& o = paintIndex_->objects[i];
        auto it = n.places().find(o.id);
        if (it == n.places().end() || (only_ && !only_->count(o.id))) continue;
        const CPlace& pl = it->second;
        if (!pl.hasToken) continue;
        const QPoint c = toClient(o.x, o.y);
        if (c.x() < 0 || c.y() < 0 || c.x() >= clientW_ || c.y() >= clientH_) continue;
        if (pl.color != kBlack && pl.color != kWhite) continue;
        drawToken(p, c.x(), c.y(), pl.color, pl.value, tremble);
    }
}

void CRenderer::drawSimulationFrame() {
    const CNet& n = net();
    if (back_.isNull()) renderFrame();
    work_ = back_.copy();
    QPainter p(&work_);
    const int half = kCell / 2;
    for (unsigned i : visibleObjects()) {
        const CPaintIndex::Object& o = paintIndex_->objects[i];
        const int id = o.id;
        const QPoint tl = toClient(o.x - half, o.y - half);
        if (!cellVisible(QRect(tl, QSize(objectSize_, objectSize_)))) continue;
        const QPoint c = toClient(o.x, o.y);
        if (o.kind == kPlace) {
            auto pl = n.places().find(id);
            if (pl == n.places().end()) continue;
            if (settings_.enableOldToken == 1) drawPastToken(p, c.x(), c.y(), pl->second.lastColor);
            if (zoom_ < 4 && pl->second.hasToken) {
                if (pl->second.color != kBlack && pl->second.color != kWhite)
                    novra::raise(text(msg::kErrTokenColor));
                drawToken(p, c.x(), c.y(), pl->second.color, pl->second.value,
                          settings_.tokenMove == 1 && zoom_ < 3);
            }
        } else if (o.kind == kTransition) {
            auto t = n.transitions().find(id);
            if (t == n.transitions().end() || !t->second.enabled) continue;
            const int side = 60 >> zoom_, off = 10 >> zoom_;
            p.setPen(QPen(kHighlightRed, 5));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(tl.x() - off, tl.y() - off, side, side));
        } else {
            QString label;
            if (o.kind == kUhzi) {
                auto u = n.uhzis().find(id);
                if (u != n.uhzis().end()) label = QString::fromStdString(uhziLabel(u->second, true));
            } else if (o.kind == kKemmakix) {
                auto k = n.kemmakixes().find(id);
                if (k != n.kemmakixes().end()) label = QString::fromStdString(kemmakixLabel(k->second, true));
            }
            if (!label.isEmpty())
                drawText(p, tl.x() + (half >> zoom_), tl.y() + (half >> zoom_), label, kMarkText);
        }
    }
    p.end();
    QPainter vp(widget_.viewport());
    vp.drawImage(0, 0, work_);
}

void CRenderer::tintSelection() {
    if (edit_.selection.empty() || back_.isNull()) return;
    const int half = objectSize_ / 2 + 1;
    const CNet& n = net();
    for (int id : edit_.selection) {
        auto o = n.objects().find(id);
        if (o == n.objects().end()) continue;
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

void CRenderer::drawSelectionTracker(QPainter& p) {
    if (edit_.selectionRect.isEmpty()) return;
    const QPoint a = toClient(edit_.selectionRect.left(), edit_.selectionRect.top());
    const QPoint b = toClient(edit_.selectionRect.right(), edit_.selectionRect.bottom());
    const QRect r = QRect(a, b).normalized();
    if (r.width() <= 10 || r.height() <= 10) return;
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r);
}

int CRenderer::idAt(QPoint client) const {
    if (client.x() < 0 || client.y() < 0 || client.x() >= clientW_ || client.y() >= clientH_) return 0;
    const qreal r = bufferRatio();
    const size_t i = static_cast<size_t>(client.y() * r) * static_cast<size_t>(back_.width()) +
                     static_cast<size_t>(client.x() * r);
    if (i >= idBuffer_.size()) return 0;
    const int id = idBuffer_[i];
    return net().objects().count(id) ? id : 0;
}

void CRenderer::drawText(QPainter& p, int x, int y, const QString& s, QColor color) {
    p.setFont(font_);
    p.setPen(color);
    // Texts are placed by their top-left corner.
    p.drawText(x, y + p.fontMetrics().ascent(), s);
    texts_.push_back({s, QPoint(x, y)});
}

QPrinter& CRenderer::printer() {
    if (!printer_) {
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer_->setPageSize(QPageSize(QPageSize::A4));
        printer_->setPageOrientation(QPageLayout::Landscape);
    }
    return *printer_;
}

class CRenderer::PageView {
  public:
    PageView(CRenderer& r, QPoint topLeft, QSize size)
        : r_(r), zoom_(r.zoom_), w_(r.clientW_), h_(r.clientH_), scroll_(r.scroll_) {
        r.zoom_ = 0;
        r.applyZoom();
        r.scroll_ = topLeft;
        r.clientW_ = std::max(1, size.width());
        r.clientH_ = std::max(1, size.height());
    }
    ~PageView() {
        r_.zoom_ = zoom_;
        r_.clientW_ = w_;
        r_.clientH_ = h_;
        r_.scroll_ = scroll_;
        r_.applyZoom();
        r_.widget_.viewport()->update();
    }

  private:
    CRenderer& r_;
    const int zoom_, w_, h_;
    const QPoint scroll_;
};

bool CRenderer::printTo(QPrinter* printer) {
    CNet& n = net();
    Rect bounds;
    for (const auto& [id, o] : n.objects()) bounds.include(o.x, o.y);
    for (const auto& [id, a] : n.arcs())
        for (const Point& b : a.bendPoints) bounds.include(b.x, b.y);
    if (bounds.empty) bounds.include(0, 0);
    n.extendBounds(bounds.left, bounds.top);
    n.extendBounds(bounds.right, bounds.bottom);

    // A net spread over the whole coordinate range still gets a page, shrunk to fit.
    static constexpr long long kMaxExtent = 1 << 26;
    const auto extent = [](int from, int to) {
        return int(std::clamp<long long>(static_cast<long long>(to) - from + 80, 1, kMaxExtent));
    };
    PageView page(*this,
                  QPoint(std::max(bounds.left, INT_MIN + 40) - 40, std::max(bounds.top, INT_MIN + 40) - 40),
                  QSize(extent(bounds.left, bounds.right), extent(bounds.top, bounds.bottom)));
    texts_.clear();
    QPainter p;
    const bool drawn = p.begin(printer);
    if (drawn) {
        const QRectF paper = printer->pageLayout().paintRectPixels(printer->resolution());
        // Screen pixels at their natural size, shrunk when the net is larger than the page.
        double scale = printer->resolution() / 96.0;
        scale = std::min({scale, paper.width() / clientW_, paper.height() / clientH_});
        p.scale(scale, scale);
        p.setClipRect(QRect(0, 0, clientW_, clientH_));
        drawStatic(p, false);
        p.end();
    }
    return drawn;
}

void CRenderer::drawPicture(QPainter& p, QPoint topLeft, QSize size, const std::set<int>* only,
                            const PartHook* hook) {
    // Like a print job; the window also keeps the texts its last frame drew.
    std::vector<DrawnText> savedTexts;
    savedTexts.swap(texts_);
    {
        PageView page(*this, topLeft, size);
        only_ = only;
        partHook_ = hook;
        if (partHook_) (*partHook_)(p, kPartBackground, 0);
        drawStatic(p, false);
        only_ = nullptr;
        partHook_ = nullptr;
    }
    texts_.swap(savedTexts);
}

}  // namespace novra::ui
