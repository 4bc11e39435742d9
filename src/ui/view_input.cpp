// Mouse and keyboard on the canvas: clicks by tool mode, drags, rubber band, panning, keys and the tooltip.
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
const MsgText& kindName(int kind) {
    switch (kind) {
        case kPlace:
            return msg::kKindPlace;
        case kTransition:
            return msg::kKindTransition;
        case kUhzi:
            return msg::kKindUhzi;
        case kKemmakix:
            return msg::kKindKemmakix;
        default:
            return msg::kKindUnknown;
    }
}

// Hover frames: red for what a click removes or marks, green for an arc's start, blue for its end.
const QColor kFrameRed(255, 100, 100);
const QColor kFrameGreen(100, 255, 100);
const QColor kFrameBlue(100, 100, 255);

bool isPlacing(int mode) {
    return mode >= CNOVRAView::kModePlace && mode <= CNOVRAView::kModeKemmakix;
}
}  // namespace

int CNOVRAView::hitTest(QPoint client) {
    // An edit since the last paint leaves the id buffer behind; a click right after must still find it.
    if (rebuild_ || viewMoved_) renderFrame();
    return idAt(client);
}

void CNOVRAView::putSimToken(int placeId, int value) {
    auto pl = net().places.find(placeId);
    if (pl == net().places.end()) return;
    pl->second.put(pl->second.lastColor == kWhite ? kBlack : kWhite, value);
    doc_->simulation().markingChanged();  // the engine looks at the place again in its next sweep
}

void CNOVRAView::mousePressEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    switch (e->button()) {
        case Qt::LeftButton:
            leftDown(p, keyState == 16 || (e->modifiers() & Qt::ShiftModifier));
            break;
        case Qt::MiddleButton:
            if (grabbedObject == 0) startPan(p);
            break;
        case Qt::RightButton:
            rightDown(p);
            break;
        default:
            break;
    }
    viewport()->update();
}

void CNOVRAView::startPan(QPoint p) {
    setRole(kCursorPan);
    panning = true;
    lastMouse = p;
}

void CNOVRAView::leftDown(QPoint p, bool shift) {
    lastMouse = p;
    if (panning) return;
    if (keyState == 32) {
        spaceClick = true;
        return;
    }
    const int hit = hitTest(p);
    hitObject = hit;
    const int kind = net().kindOf(hit);
    if (appCompiled != 0) {
        if (kind == kPlace) putSimToken(hit, 0);
        return;  // the tools edit only an uncompiled net
    }
    const QPoint c = toCanvas(p);
    if (toolMode == kModeDelete) {
        if (hit) {
            takeSnapshot();
            net().deleteObject(hit);
            if (!net().objects.count(hit)) selection.erase(hit);
            closeObjectDialogs(false);
            rebuild_ = true;
        }
    } else if (toolMode == kModeToken) {
        if (kind == kPlace && !net().tokens.count(hit)) {
            takeSnapshot();
            net().setToken(hit, kBlack, 0);
            rebuild_ = true;
        }
    } else if (toolMode == kModeArc || (continuous && hit)) {
        if (!arcPending) {
            if (hit && mayStartArc(hit, false)) startArc(hit);
        } else if (!hit) {
            if (toolMode == kModeArc) bendPoints.push_back(Point{c.x(), c.y()});
        } else if (validTarget(hit)) {
            arcTarget = hit;
            takeSnapshot();
            finishArc();
        }
    } else if (toolMode == kModeHand || toolMode == kModeNone) {
        toolMode = kModeHand;
        // The undo copy waits for the first move: a click that moves nothing changes nothing.
        dragCopied_ = false;
        if (hit && selection.count(hit)) {
            setRole(kCursorDrag);
            groupDrag = true;
            dragOrigin = c;
        } else if (hit) {
            setRole(kCursorDrag);
            grabbedObject = hit;
            viewMoved_ = true;  // the id buffer leaves the grabbed object out
        } else {
            showStatus(text(msg::kStatusTracking));
            setRole(kCursorBand);
            rubberBand_ = true;
            bandStart_ = bandEnd_ = p;
            if (!shift) {
                selection.clear();
                selectionRect = QRect();
            }
        }
    } else if (isPlacing(toolMode) && !hit && !(toolMode == kModeUhzi && arcPending)) {
        placeObject(c);
    }
    emit stateChanged();
}

void CNOVRAView::finishRubberBand(bool shift) {
    rubberBand_ = false;
    setRole(0);
    if (!shift) {
        selection.clear();
        selectionRect = QRect();
    }
    const QPoint a =
        toCanvas(QPoint(std::min(bandStart_.x(), bandEnd_.x()), std::min(bandStart_.y(), bandEnd_.y())));
    const QPoint b =
        toCanvas(QPoint(std::max(bandStart_.x(), bandEnd_.x()), std::max(bandStart_.y(), bandEnd_.y())));
    for (const auto& [id, o] : net().objects)
        if (o.x >= a.x() && o.x <= b.x() && o.y >= a.y() && o.y <= b.y()) selection.insert(id);
    if (selection.empty()) {
        showStatus(std::string());
        return;
    }
    computeSelectionRect();
    showStatus(format(msg::kStatusSelected, static_cast<int>(selection.size())));
}

void CNOVRAView::mouseReleaseEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::MiddleButton || (e->button() == Qt::RightButton && panning)) {
        // A pan started with Ctrl and the right button ends with that button.
        panning = false;
        setRole(0);
        viewMoved_ = true;
    } else if (e->button() == Qt::LeftButton) {
        if (spaceClick) {
            spaceClick = false;
            return;
        }
        const int hit = hitTest(p);
        if (rubberBand_) finishRubberBand(keyState == 16 || (e->modifiers() & Qt::ShiftModifier));
        if (grabbedObject || groupDrag) {
            setRole(kCursorHand);
            grabbedObject = 0;
            groupDrag = false;
            rebuild_ = true;
        }
        if (toolMode == kModeArc && arcPending && validTarget(hit)) {
            arcTarget = hit;
            takeSnapshot();
            finishArc();
            showStatus(std::string());
        }
    }
    viewport()->update();
    emit stateChanged();
}

void CNOVRAView::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (toolMode == kModeArc || continuous) cancelArc();
    const int hit = hitTest(e->position().toPoint());
    hitObject = hit;
    const int kind = net().kindOf(hit);
    auto tok = net().tokens.find(hit);
    if (toolMode == kModeToken && kind == kPlace && tok != net().tokens.end()) {
        if (appCompiled == 0) {
            takeSnapshot();
            // Between 0 and 1; an undefined or odd value read from a file starts again from 0.
            net().setToken(hit, tok->second.color, tok->second.value == 0 ? 1 : 0);
            rebuild_ = true;
        }
    } else if (kind == kTransition) {
        runFrameCommand(Cmd::FunctionDialog);
    } else if (kind == kUhzi) {
        runFrameCommand(Cmd::UhziDialog);
    } else if (kind == kKemmakix) {
        runFrameCommand(Cmd::KemmakixDialog);
    }
    viewport()->update();
}

void CNOVRAView::rightDown(QPoint p) {
    if (keyState == 17) {
        startPan(p);
        return;
    }
    const int hit = hitTest(p);
    hitObject = hit;
    lastMouse = p;
    const int kind = net().kindOf(hit);
    const QPoint c = toCanvas(p);
    const bool edit = appCompiled == 0;
    const bool placing = toolMode == kModePlace || toolMode == kModeTransition;
    if (edit && ((toolMode == kModeHand && selectionRect.contains(c)) || (placing && hit))) {
        if (placing) {
            selection = {hit};
            computeSelectionRect();
        }
        showSelectionMenu();
    } else if (!edit && kind == kPlace) {
        putSimToken(hit, 1);
    } else if (edit && toolMode == kModeArc && kind == kTransition && !(arcPending && hit == arcSource)) {
        showVariableMenu(hit);
    } else if (edit && toolMode == kModeToken && kind == kPlace && net().tokens.count(hit)) {
        takeSnapshot();
        const Token t = net().tokens[hit];
        net().setToken(hit, t.color == kBlack ? kWhite : kBlack, t.value);
        rebuild_ = true;
    } else if (!hit) {
        showCanvasMenu();
    }
    viewport()->update();
}

void CNOVRAView::mouseMoveEvent(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    const QPoint c = toCanvas(p);
    emit coordinatesChanged(c.x(), c.y());
    // A move that changes only what the overlay draws repaints only there; anything else (a drag, a pan,
    // a back buffer that was behind the net) repaints the whole window.
    const QRect before = overlayBounds();
    const bool shown = !rebuild_ && !viewMoved_;
    if (spaceClick) {
        viewport()->update();
        return;
    }
    const int hit = hitTest(p);
    if (hit && hit == net().stopObject) net().stopObject = 0;
    // The tooltip follows the transition under the cursor.
    if (!hit) {
        tooltipText.clear();
        tooltipObject = 0;
        QToolTip::hideText();
    } else if (tooltipObject == 0 && net().kindOf(hit) == kTransition) {
        tooltipText = QString::fromStdString(net().transitions[hit].functionText);
        tooltipObject = hit;
    } else if (hit != tooltipObject) {
        tooltipObject = 0;
        QToolTip::hideText();
    }
    if (panning) {
        setRole(kCursorPan);
        scrollByOffset(lastMouse.x() - p.x(), lastMouse.y() - p.y());
        lastMouse = p;
        viewport()->update();
        return;
    }
    if (rubberBand_) {
        bandEnd_ = p;
    } else {
        moveInMode(p, hit);
    }
    const bool dragging = (grabbedObject || groupDrag) && toolMode == kModeHand && appCompiled == 0;
    // A running simulation draws its own frames; its window is repainted whole, as it always was.
    if (!shown || dragging || rebuild_ || viewMoved_ || appCompiled != 0)
        viewport()->update();
    else
        updateOverlay(before);
}

namespace {
// The smallest rectangle holding both; an empty one adds nothing.
QRect unite(const QRect& a, const QRect& b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return a | b;
}
}  // namespace

QRect CNOVRAView::overlayBounds() const {
    // What drawOverlay() would touch, with room for the pens and the arrow head.
    const CNet& n = net();
    const int half = kCell / 2;
    QRect r;
    if (frameId_) {
        auto o = n.objects.find(frameId_);
        if (o != n.objects.end())
            r = QRect(toClient(o->second.x - half, o->second.y - half), QSize(objectSize_, objectSize_))
                    .adjusted(-4, -4, 4, 4);
    }
    if (rubberArc_ && arcPending) {
        auto src = n.objects.find(arcSource);
        if (src != n.objects.end()) {
            QRect path(toClient(src->second.x, src->second.y), QSize(1, 1));
            for (const Point& b : bendPoints) path = unite(path, QRect(toClient(b.x, b.y), QSize(1, 1)));
            path = unite(path, QRect(rubberArcEnd_, QSize(1, 1)));
            const int m = (15 >> zoom_) + arcPen_.width() + 2;
            r = unite(r, path.adjusted(-m, -m, m, m));
        }
    }
    if (outline_ && isPlacing(toolMode)) {
        const int s = objectSize_;
        r = unite(r, QRect(outlineAt_.x() - s / 2, outlineAt_.y() - s / 2, s, s).adjusted(-4, -4, 4, 4));
    }
    if (rubberBand_) r = unite(r, QRect(bandStart_, bandEnd_).normalized().adjusted(-2, -2, 2, 2));
    return r & QRect(0, 0, clientW_, clientH_);
}

void CNOVRAView::updateOverlay(const QRect& before) {
    const QRect dirty = unite(before, overlayBounds());
    if (dirty.isEmpty()) return;
    overlayDirty_ = unite(overlayDirty_, dirty);
    viewport()->update(dirty);
}

bool CNOVRAView::paintOverlayOnly(QPaintEvent* e) {
    const QRect asked = overlayDirty_;
    overlayDirty_ = QRect();
    if (asked.isEmpty() || !asked.contains(e->rect())) return false;
    // The back buffer must be the one the window last showed in full, of the net as it stands.
    const bool current = appCompiled == 0 && !rebuild_ && !viewMoved_ && shownSerial_ == backSerial_ &&
                         !back_.isNull() && back_.size() == bufferSize() &&
                         doc_->openNotice() == kNoNotice;
    if (!current) {
        // Drawn as usual, and the rest of the window follows in the next paint.
        viewport()->update();
        return false;
    }
    QPainter vp(viewport());
    for (const QRect& r : e->region()) vp.drawImage(QRectF(r), back_, bufferSource(r));
    drawOverlay(vp);
    return true;
}

void CNOVRAView::moveInMode(QPoint p, int hit) {
    frameId_ = 0;
    rubberArc_ = false;
    outline_ = false;
    const QPoint c = toCanvas(p);
    const int kind = net().kindOf(hit);
    if (appCompiled != 0) return;
    if (toolMode == kModeDelete) {
        if (!hit) {
            showStatus(text(msg::kStatusDeleteTool));
        } else {
            if (kind == kPlace && net().tokens.count(hit)) {
                showStatus(text(msg::kStatusDeleteToken));
            } else {
                const std::string s = text(msg::kStatusDeleteObject);
                const auto at = s.find("%s");
                showStatus(s.substr(0, at) + text(kindName(kind)) + s.substr(at + 2));
            }
            frameObject(hit, kFrameRed);
        }
    } else if (toolMode == kModeToken) {
        if (kind == kPlace) {
            showStatus(text(msg::kStatusTokenHere));
            frameObject(hit, kFrameRed);
        } else {
            showStatus(text(msg::kStatusTokenWhere));
        }
    } else if (toolMode == kModeArc || continuous) {
        setRole(kCursorArc);
        if (!arcPending) {
            if (hit && mayStartArc(hit, true)) {
                frameObject(hit, kFrameGreen);
                hitObject = hit;
            } else {
                hitObject = 0;
                if (isPlacing(toolMode) && !hit) {
                    outline_ = true;
                    outlineAt_ = p;
                }
            }
        } else if (validTarget(hit)) {
            frameObject(hit, kFrameBlue);
            arcTarget = hit;
            rubberArc_ = true;
            const auto& o = net().objects[hit];
            rubberArcEnd_ = toClient(o.x, o.y);
        } else {
            arcTarget = 0;
            rubberArc_ = true;
            rubberArcEnd_ = p;
        }
    } else if (toolMode == kModeHand) {
        if (grabbedObject) {
            setRole(kCursorDrag);
            auto o = net().objects.find(grabbedObject);
            if (o != net().objects.end() && (o->second.x != c.x() || o->second.y != c.y())) {
                copyBeforeDrag();
                net().moveObject(grabbedObject, c.x(), c.y());
                net().bounds.include(c.x(), c.y());
            }
            edgeScroll(p);
        } else if (groupDrag) {
            setRole(kCursorDrag);
            const int dx = c.x() - dragOrigin.x(), dy = c.y() - dragOrigin.y();
            CNet& n = net();
            if (dx != 0 || dy != 0) copyBeforeDrag();
            for (int id : selection) {
                auto o = n.objects.find(id);
                if (o == n.objects.end()) continue;
                n.moveObject(id, o->second.x + dx, o->second.y + dy);
                for (auto [b, e] = n.outArcs.equal_range(id); b != e; ++b) {
                    CArc& arc = n.arcs[b->second];
                    for (size_t i = 0; i < arc.bendPoints.size(); ++i)
                        n.moveBendPoint(b->second, static_cast<int>(i), arc.bendPoints[i].x + dx,
                                        arc.bendPoints[i].y + dy);
                }
            }
            selectionRect.translate(dx, dy);
            dragOrigin = c;
            edgeScroll(p);
        } else {
            setRole(hit ? kCursorHand : 0);
        }
    } else if (isPlacing(toolMode)) {
        outline_ = true;
        outlineAt_ = p;
    }
}

// A drag is one step of undo, taken before it first moves anything.
void CNOVRAView::copyBeforeDrag() {
    if (dragCopied_) return;
    takeSnapshot();
    dragCopied_ = true;
}

void CNOVRAView::edgeScroll(QPoint p) {
    int dx = 0, dy = 0;
    if (p.x() < 0) dx = -10;
    if (p.x() >= clientW_) dx = 10;
    if (p.y() < 0) dy = -10;
    if (p.y() >= clientH_) dy = 10;
    if (dx || dy) scrollByOffset(dx, dy);
}

void CNOVRAView::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    if (arrow) {
        const bool sHeld = keyState == 'S' || keyState == 's';
        if (sHeld && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            wheelZoom(key == Qt::Key_Up ? 120 : -120, true);
        } else {
            const int step = objectSize_ * (e->isAutoRepeat() ? 2 : 1);
            scrollByOffset(key == Qt::Key_Left    ? -step
                           : key == Qt::Key_Right ? step
                                                  : 0,
                           key == Qt::Key_Up     ? -step
                           : key == Qt::Key_Down ? step
                                                 : 0);
        }
    } else if (key == Qt::Key_Shift) {
        keyState = 16;
    } else if (key == Qt::Key_Control) {
        keyState = 17;
    } else if (key == Qt::Key_Space) {
        keyState = 32;
    } else if (key == Qt::Key_Escape) {
        resetEditState();
        showStatus(std::string());
    } else if (!e->text().isEmpty()) {
        keyState = e->text().at(0).unicode();
    }
    viewport()->update();
}

void CNOVRAView::keyReleaseEvent(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;  // a key held down stays down
    const int key = e->key();
    if (key != Qt::Key_Left && key != Qt::Key_Up && key != Qt::Key_Right && key != Qt::Key_Down) keyState = 0;
    viewport()->update();
}

// The function tooltip: white, 5-pixel margins, as wide as its longest line but at most 300 pixels, so a
// long function wraps there. Shown as plain text: a "<" in a comment must not start markup.
void CNOVRAView::showFunctionTip(QPoint globalPos) {
    constexpr int kMaxWidth = 300, kMargin = 5;
    const QFontMetrics fm(QToolTip::font());
    int natural = 0;
    for (const QString& line : tooltipText.split('\n'))
        natural = std::max(natural, fm.horizontalAdvance(line));
    const int inner = std::min(natural + 2, kMaxWidth - 2 * kMargin - 2);
    viewport()->setStyleSheet(
        QString("QToolTip { background-color: white; color: black; border: 1px solid black;"
                " padding: %1px; min-width: %2px; max-width: %2px; }")
            .arg(kMargin)
            .arg(inner));
    QToolTip::showText(globalPos, Qt::convertFromPlainText(tooltipText, Qt::WhiteSpaceNormal), viewport(),
                       QRect(), 32767);
}

bool CNOVRAView::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Paint) {
        if (paintOverlayOnly(static_cast<QPaintEvent*>(e))) return true;
        const bool done = QAbstractScrollArea::viewportEvent(e);
        shownSerial_ = backSerial_;
        return done;
    }
    if (e->type() == QEvent::ToolTip) {
        auto* h = static_cast<QHelpEvent*>(e);
        if (tooltipText.isEmpty())
            QToolTip::hideText();
        else
            showFunctionTip(h->globalPos());
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

}  // namespace novra::ui
