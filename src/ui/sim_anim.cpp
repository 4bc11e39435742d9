// Animations of the simulation: tokens travelling along the arcs that fired, the spark ring round the
// object that stopped the run, and the smooth scroll that brings that object to the centre. Frames are
// drawn into the work buffer; only the rectangles they touch are repainted.
#include <QPaintEvent>
#include <QPainter>
#include <cmath>
#include <cstdlib>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/renderer.h"
#include "ui/sim_controller.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
// Degrees to radians the way the ring has always turned: 3.14 / 180.
constexpr double kDegree = 0.017444444444444446;

QRect unite(const QRect& a, const QRect& b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return a | b;
}
}  // namespace

CSimController::CSimController(CNOVRAView& view)
    : QObject(&view), view_(view), rand_([] { return std::rand(); }) {
    view_.viewport()->installEventFilter(this);
    // The waveform belongs to the net it was recorded from; another net has none to save.
    connect(view_.document(), &CNOVRADoc::netReplaced, this, [this] { wave_.reset(); });
}

CSimController::~CSimController() = default;

CRenderer& CSimController::rd() const {
    return view_.renderer();
}

bool CSimController::eventFilter(QObject* watched, QEvent* e) {
    if (watched == view_.viewport() && e->type() == QEvent::Paint)
        return simPaint(static_cast<QPaintEvent*>(e));
    return false;
}

bool CSimController::simPaint(QPaintEvent* e) {
    const QRect asked = animAsked_;
    animAsked_ = QRect();
    const bool workCurrent = !workStale_ && !rd().rebuildPending() && !rd().workBuffer().isNull() &&
                             rd().workBuffer().size() == rd().bufferSize() &&
                             workScroll_ == rd().scrollPos() && workZoom_ == rd().zoomLevel();
    const bool simulating = compiled();
    // While simulating, a part of the window (the pointer's overlay, say) comes from the frame as it is.
    const bool part = simulating && e->rect() != QRect(QPoint(0, 0), view_.viewport()->size());
    if (workCurrent && ((!asked.isEmpty() && asked.contains(e->rect())) || part)) {
        QPainter vp(view_.viewport());
        for (const QRect& r : e->region()) vp.drawImage(QRectF(r), rd().workBuffer(), rd().bufferSource(r));
        if (simulating) view_.interaction().drawOverlay(vp);
        return true;
    }
    const bool frameOnly = simFrameOnly_;
    simFrameOnly_ = false;
    if (simulating) {
        try {
            // The idle clock only makes the tokens tremble: the net drawn behind them is still right.
            if (!(frameOnly && !rd().rebuildPending() && rd().backBuffer().size() == rd().bufferSize() &&
                  workScroll_ == rd().scrollPos() && workZoom_ == rd().zoomLevel()))
                rd().renderFrame();
            rd().drawSimulationFrame();  // paints the window itself: we are inside its paint
        } catch (const CError& err) {
            logLine(err.message());
        }
        workScroll_ = rd().scrollPos();
        workZoom_ = rd().zoomLevel();
        workStale_ = false;
        // Animations in flight stay in the picture rather than blinking out until their next tick.
        moveDirty_ = tokenMoves.empty() ? QRect() : paintTokenMoves(false);
        sparkDirty_ = sparks.empty() ? QRect() : paintSparks(false);
        QPainter vp(view_.viewport());
        for (const QRect& r : {moveDirty_, sparkDirty_})
            if (!r.isEmpty()) vp.drawImage(QRectF(r), rd().workBuffer(), rd().bufferSource(r));
        view_.interaction().drawOverlay(vp);
        return true;
    }
    // The usual paint draws a new back buffer; the animations start again from it.
    workStale_ = true;
    return false;
}

void CSimController::showSimulationFrame() {
    animAsked_ = QRect();
    // The window shows the frame before the next phase, as a direct draw would.
    if (view_.isVisible())
        view_.viewport()->repaint();
    else
        view_.viewport()->update();
}

void CSimController::prepareWork() {
    if (!workStale_ && !rd().workBuffer().isNull() && rd().workBuffer().size() == rd().backBuffer().size() &&
        workScroll_ == rd().scrollPos() && workZoom_ == rd().zoomLevel())
        return;
    if (rd().backBuffer().isNull() || rd().rebuildPending()) rd().renderFrame();
    rd().workBuffer() = rd().backBuffer().copy();
    workScroll_ = rd().scrollPos();
    workZoom_ = rd().zoomLevel();
    workStale_ = false;
    moveDirty_ = sparkDirty_ = QRect();
}

void CSimController::eraseFrom(QRect r) {
    r &= QRect(QPoint(0, 0), view_.viewport()->size());
    if (r.isEmpty() || rd().backBuffer().size() != rd().workBuffer().size()) return;
    QPainter p(&rd().workBuffer());
    p.drawImage(QRectF(r), rd().backBuffer(), rd().bufferSource(r));
}

void CSimController::showArea(QRect r) {
    r &= QRect(QPoint(0, 0), view_.viewport()->size());
    if (r.isEmpty()) return;
    animAsked_ = unite(animAsked_, r);
    view_.viewport()->update(r);
}

QPoint CSimController::zoomedClient(int x, int y) const {
    const long long hw = rd().clientWidth() / 2, hh = rd().clientHeight() / 2;
    return QPoint(static_cast<int>(hw - ((hw - x) >> rd().zoomLevel())),
                  static_cast<int>(hh - ((hh - y) >> rd().zoomLevel())));
}

// --- token movement ---

void CSimController::freeTokenMoves() {
    tokenMoves.clear();
    stopSimTimer(kMoveTimer);
}

void CSimController::buildTokenMoves() {
    const CNet& n = view_.net();
    size_t count = 0;
    for (const auto& [id, t] : n.transitions())
        if (t.fired) count += n.inArcs().count(id) + n.outArcs().count(id);
    if (count == 0) return;
    tokenMoves.clear();
    tokenMoves.reserve(count);
    const auto centre = [&](int id, int& x, int& y) {
        auto o = n.objects().find(id);
        if (o == n.objects().end()) return false;
        x = o->second.x - rd().scrollPos().x();
        y = o->second.y - rd().scrollPos().y();
        return true;
    };
    const auto add = [&](int from, int to, int color) {
        TokenMove m{};
        if (!centre(from, m.startX, m.startY) || !centre(to, m.endX, m.endY)) return;
        m.distance = static_cast<int>(std::hypot(double(m.endX) - m.startX, double(m.endY) - m.startY));
        m.step = 2;
        m.divisor = 10;
        m.color = color;
        tokenMoves.push_back(m);
    };
    for (const auto& [id, t] : n.transitions()) {
        if (!t.fired) continue;
        // The wave that fired has one colour: the one that last passed the first input place.
        int color = kNoColor;
        auto first = n.inArcs().find(id);
        if (first != n.inArcs().end()) {
            auto a = n.arcs().find(first->second);
            if (a != n.arcs().end()) {
                auto p = n.places().find(a->second.fromId);
                if (p != n.places().end()) color = p->second.lastColor;
            }
        }
        for (auto [it, end] = n.inArcs().equal_range(id); it != end; ++it) {
            auto a = n.arcs().find(it->second);
            if (a != n.arcs().end()) add(a->second.fromId, id, color);
        }
        for (auto [it, end] = n.outArcs().equal_range(id); it != end; ++it) {
            auto a = n.arcs().find(it->second);
            if (a != n.arcs().end()) add(id, a->second.toId, color);
        }
    }
    if (tokenMoves.empty()) return;
    startSimTimer(kMoveTimer, 10);
}

QRect CSimController::paintTokenMoves(bool step) {
    QRect now;
    QPainter p(&rd().workBuffer());
    p.setPen(rd().tokenPen());
    const int radius = 5 >> rd().zoomLevel();
    for (TokenMove& m : tokenMoves) {
        // A redraw shows the position of the last frame, if there was one.
        const int at = step ? m.step : m.step - 1;
        if (at < 2) continue;
        const double along = m.distance > 0 ? double(m.distance * at / m.divisor) / m.distance : 0.0;
        int x = m.startX, y = m.startY;
        if (m.startX == m.endX) {  // vertical: no slope to follow
            y = m.startY + static_cast<int>(std::lround((m.endY - m.startY) * along));
        } else {
            x = m.startX + static_cast<int>(std::lround((m.endX - m.startX) * along));
            y = m.startY + static_cast<int>(std::lround((m.endY - m.startY) * along));
        }
        if (step) ++m.step;
        QPoint c = zoomedClient(x, y);
        c += QPoint(rand_() % 3 - 1, rand_() % 3 - 1);
        if (m.color == kBlack) p.setBrush(Qt::black);
        if (m.color == kWhite) p.setBrush(Qt::white);
        const QRect r(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius);
        p.drawEllipse(r);
        now = unite(now, r);
    }
    return now.isEmpty() ? now : now.adjusted(-1, -1, 1, 1);
}

void CSimController::tokenMoveTick() {
    if (view_.settings().tokenMove != 1 || tokenMoves.empty()) {
        freeTokenMoves();
        return;
    }
    prepareWork();
    eraseFrom(moveDirty_);
    const QRect now = paintTokenMoves(true);
    if (tokenMoves.front().step <= 9) {
        showArea(unite(now, moveDirty_));
        moveDirty_ = now;
        return;
    }
    // The last position drawn is never shown; the tokens have arrived and the trail goes with them.
    const QRect trail = unite(now.adjusted(-1, -1, 1, 1), moveDirty_);
    eraseFrom(trail);
    showArea(trail);
    moveDirty_ = QRect();
    freeTokenMoves();
}

// --- spark ring ---

void CSimController::createSparks() {
    const bool playful = nmode() == 1;
    sparks.assign(playful ? 200 : 2, Spark{});
    for (Spark& s : sparks) {
        s.baseRadius = rand_() % 5;
        s.baseRadius += playful ? rand_() % 100 : 20;
        s.speed = rand_() % 10 + 2;
        s.green = rand_() % 256;
        const long long a = rand_(), b = rand_();
        s.angle = static_cast<double>((a * b) % 360) * kDegree;
    }
}

void CSimController::stopSparks() {
    stopSimTimer(kSparkTimer);
    sparks.clear();
    sparkRecreate_ = true;
    if (!sparkDirty_.isEmpty() && !rd().workBuffer().isNull()) {
        eraseFrom(sparkDirty_);
        showArea(sparkDirty_);
    }
    sparkDirty_ = QRect();
}

namespace {
// One step round the rainbow: green up, red down, blue up, green down, red up, blue down.
void advanceColour(CSimController::Spark& s) {
    int* channel[6] = {&s.green, &s.red, &s.blue, &s.green, &s.red, &s.blue};
    const bool up = s.colorPhase % 2 == 0;
    int& c = *channel[s.colorPhase];
    c += up ? s.colorStep : -s.colorStep;
    if (up && c > 255) {
        c = 255;
        s.colorPhase = (s.colorPhase + 1) % 6;
    } else if (!up && c < 0) {
        c = 0;
        s.colorPhase = (s.colorPhase + 1) % 6;
    }
}
}  // namespace

void CSimController::sparkTick() {
    CNet& n = view_.net();
    if (n.kindOf(n.stopObject()) == 0) n.setStopObject(0);
    if (n.stopObject() == 0) {
        stopSparks();
        return;
    }
    prepareWork();
    eraseFrom(sparkDirty_);
    if (sparkRecreate_) {
        sparkRecreate_ = false;
        createSparks();
    }
    const QRect now = paintSparks(true);
    showArea(unite(now, sparkDirty_));
    sparkDirty_ = now;
}

QRect CSimController::paintSparks(bool step) {
    const CNet& n = view_.net();
    auto it = n.objects().find(n.stopObject());
    if (it == n.objects().end() || sparks.empty()) return QRect();
    const VObject& o = it->second;
    const int cx = o.x - rd().scrollPos().x(), cy = o.y - rd().scrollPos().y();
    const QPoint centre = zoomedClient(cx, cy);
    const bool tremble = rd().zoomLevel() == 0 && o.kind != kPlace;
    QRect now;
    QPainter p(&rd().workBuffer());
    p.setRenderHint(QPainter::Antialiasing, false);
    const auto drawTrembling = [&] {
        const int half = rd().objectSize() / 2;
        rd().drawObject(p, o.kind, centre.x() - half + rand_() % 5 - 2, centre.y() - half + rand_() % 5 - 2,
                        rd().drawLevel());
    };
    for (Spark& s : sparks) {
        if (step) s.angle += s.speed * kDegree;
        const double r = std::sin(s.angle * 0.2) * 10 + s.baseRadius + 5;
        const QPoint pt = zoomedClient(cx + static_cast<int>(std::cos(s.angle) * r),
                                       cy + static_cast<int>(std::sin(s.angle) * r));
        if (step) {
            advanceColour(s);
            const bool inside = std::abs(pt.x() - centre.x()) < 20 && std::abs(pt.y() - centre.y()) < 20;
            if (!inside) {
                s.front = 1;
                s.inside = 0;
            } else {
                // Every other pass through the object goes behind it, so the ring seems to circle round it.
                if (s.inside == 0) {
                    s.parity ^= 1;
                    s.front = s.parity == 1 ? 0 : 1;
                }
                s.inside = 1;
            }
        }
        if (tremble && s.front == 1) drawTrembling();
        p.setPen(QPen(QColor(s.red, s.green, s.blue), 10));
        p.setBrush(Qt::NoBrush);
        const QRect spark(pt.x() - 3, pt.y() - 3, 6, 6);
        p.drawEllipse(spark);
        if (tremble && s.front == 0) drawTrembling();
        now = unite(now, spark.adjusted(-42, -42, 42, 42));
    }
    return now.adjusted(-3, -3, 3, 3);
}

// --- scroll to the stop object ---

void CSimController::scrollTick() {
    const CNet& n = view_.net();
    auto o = n.objects().find(n.stopObject());
    if (o == n.objects().end()) {
        stopSimTimer(kScrollTimer);
        return;
    }
    const QPoint target(o->second.x - rd().clientWidth() / 2, o->second.y - rd().clientHeight() / 2);
    if (scrollStep_ == 0) {
        scrollSteps_ = 30 >> rd().zoomLevel();
        scrollDelta_ = scrollSteps_ == 0 ? QPoint(0, 0)
                                         : QPoint((target.x() - rd().scrollPos().x()) / scrollSteps_,
                                                  (target.y() - rd().scrollPos().y()) / scrollSteps_);
        scrollStep_ = 1;
    }
    if (scrollStep_ <= scrollSteps_) {
        rd().scrollByOffset(scrollDelta_.x() >> rd().zoomLevel(), scrollDelta_.y() >> rd().zoomLevel());
        ++scrollStep_;
    } else {
        // The last move lands exactly on the centre, whatever the shifts by the zoom level dropped.
        rd().setScrollPos(target);
        stopSimTimer(kScrollTimer);
    }
    view_.viewport()->update();
}

}  // namespace novra::ui
