// Mouse and keyboard on the canvas: what every tool shares, and the hand-over to the active tool's handler.
#include "ui/interaction.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextDocument>
#include <QToolTip>

#include "model/net.h"
#include "ui/doc.h"
#include "ui/renderer.h"
#include "ui/tool_handlers.h"
#include "ui/view.h"

namespace novra::ui {

CInteraction::CInteraction(CNOVRAView& view) : view_(view) {
    for (int slot = 0; slot < kHandlerCount; ++slot)
        handlers_.push_back(makeToolHandler(static_cast<HandlerSlot>(slot), *this));
}

CInteraction::~CInteraction() = default;

CToolHandler& CInteraction::handler() {
    switch (state_.toolMode) {
        case EditState::kModePlace:
        case EditState::kModeTransition:
        case EditState::kModeUhzi:
        case EditState::kModeKemmakix:
            return *handlers_[kPlaceHandler];
        case EditState::kModeToken:
            return *handlers_[kTokenHandler];
        case EditState::kModeArc:
            return *handlers_[kArcHandler];
        case EditState::kModeDelete:
            return *handlers_[kDeleteHandler];
        default:
            return *handlers_[kSelectHandler];
    }
}

void CInteraction::putSimToken(int placeId, int value) {
    view_.document()->simulation().putToken(placeId, value);
}

void CInteraction::mousePress(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    switch (e->button()) {
        case Qt::LeftButton:
            leftDown(p, state_.keyState == 16 || (e->modifiers() & Qt::ShiftModifier));
            break;
        case Qt::MiddleButton:
            if (state_.grabbedObject == 0) startPan(p);
            break;
        case Qt::RightButton:
            rightDown(p);
            break;
        default:
            break;
    }
    view_.viewport()->update();
}

void CInteraction::startPan(QPoint p) {
    setRole(EditState::kCursorPan);
    state_.panning = true;
    state_.lastMouse = p;
}

void CInteraction::leftDown(QPoint p, bool shift) {
    state_.lastMouse = p;
    if (state_.panning) return;
    if (state_.keyState == 32) {
        state_.spaceClick = true;
        return;
    }
    const int hit = renderer().hitTest(p);
    state_.hitObject = hit;
    if (view_.document()->compiled()) {
        if (net().kindOf(hit) == kPlace) putSimToken(hit, 0);
        return;  // the tools edit only an uncompiled net
    }
    handler().press(p, hit, shift);
    emit view_.stateChanged();
}

void CInteraction::rightDown(QPoint p) {
    if (state_.keyState == 17) {
        startPan(p);
        return;
    }
    const int hit = renderer().hitTest(p);
    state_.hitObject = hit;
    state_.lastMouse = p;
    if (view_.document()->compiled()) {
        if (net().kindOf(hit) == kPlace)
            putSimToken(hit, 1);
        else if (!hit)
            showCanvasMenu();
    } else if (!handler().rightPress(p, hit) && !hit) {
        showCanvasMenu();
    }
    view_.viewport()->update();
}

void CInteraction::mouseRelease(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    if (e->button() == Qt::MiddleButton || (e->button() == Qt::RightButton && state_.panning)) {
        // A pan started with Ctrl and the right button ends with that button.
        handlers_[kPanHandler]->release(p, 0, false);
    } else if (e->button() == Qt::LeftButton) {
        if (state_.spaceClick) {
            state_.spaceClick = false;
            return;
        }
        const int hit = renderer().hitTest(p);
        handler().release(p, hit, state_.keyState == 16 || (e->modifiers() & Qt::ShiftModifier));
    }
    view_.viewport()->update();
    emit view_.stateChanged();
}

void CInteraction::mouseDoubleClick(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    if (state_.toolMode == EditState::kModeArc || state_.continuous) cancelArc();
    const int hit = renderer().hitTest(e->position().toPoint());
    state_.hitObject = hit;
    if (!handler().doubleClick(hit)) {
        const int kind = net().kindOf(hit);
        if (kind == kTransition)
            runFrameCommand(Cmd::FunctionDialog);
        else if (kind == kUhzi)
            runFrameCommand(Cmd::UhziDialog);
        else if (kind == kKemmakix)
            runFrameCommand(Cmd::KemmakixDialog);
    }
    view_.viewport()->update();
}

void CInteraction::mouseMove(QMouseEvent* e) {
    const QPoint p = e->position().toPoint();
    CRenderer& r = renderer();
    const QPoint c = r.toCanvas(p);
    emit view_.coordinatesChanged(c.x(), c.y());
    // A move that changes only what the overlay draws repaints only there; anything else (a drag, a pan,
    // a back buffer that was behind the net) repaints the whole window.
    const QRect before = overlayBounds();
    const bool shown = !r.rebuildPending() && !r.viewMovedPending();
    if (state_.spaceClick) {
        view_.viewport()->update();
        return;
    }
    const int hit = r.hitTest(p);
    if (hit && hit == net().stopObject()) net().setStopObject(0);
    // The tooltip follows the transition under the cursor.
    if (!hit) {
        state_.tooltipText.clear();
        state_.tooltipObject = 0;
        QToolTip::hideText();
    } else if (state_.tooltipObject == 0 && net().kindOf(hit) == kTransition) {
        state_.tooltipText = QString::fromStdString(net().transitions().at(hit).functionText);
        state_.tooltipObject = hit;
    } else if (hit != state_.tooltipObject) {
        state_.tooltipObject = 0;
        QToolTip::hideText();
    }
    if (state_.panning) {
        handlers_[kPanHandler]->move(p, hit);
        view_.viewport()->update();
        return;
    }
    const bool compiled = view_.document()->compiled();
    if (state_.rubberBand) {
        state_.bandEnd = p;
    } else {
        state_.frameId = 0;
        state_.rubberArc = false;
        state_.outline = false;
        if (!compiled) handler().move(p, hit);
    }
    const bool dragging =
        (state_.grabbedObject || state_.groupDrag) && state_.toolMode == EditState::kModeHand && !compiled;
    // A running simulation draws its own frames; its window is repainted whole, as it always was.
    if (!shown || dragging || r.rebuildPending() || r.viewMovedPending() || compiled)
        view_.viewport()->update();
    else
        updateOverlay(before);
}

void CInteraction::edgeScroll(QPoint p) {
    int dx = 0, dy = 0;
    if (p.x() < 0) dx = -10;
    if (p.x() >= renderer().clientWidth()) dx = 10;
    if (p.y() < 0) dy = -10;
    if (p.y() >= renderer().clientHeight()) dy = 10;
    if (dx || dy) renderer().scrollByOffset(dx, dy);
}

void CInteraction::keyPress(QKeyEvent* e) {
    const int key = e->key();
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Up || key == Qt::Key_Right || key == Qt::Key_Down;
    if (handler().key(e)) {
        // taken by the tool
    } else if (arrow) {
        const bool sHeld = state_.keyState == 'S' || state_.keyState == 's';
        if (sHeld && (key == Qt::Key_Up || key == Qt::Key_Down)) {
            renderer().wheelZoom(key == Qt::Key_Up ? 120 : -120, true);
            emit view_.stateChanged();
        } else {
            const int step = renderer().objectSize() * (e->isAutoRepeat() ? 2 : 1);
            renderer().scrollByOffset(key == Qt::Key_Left    ? -step
                                      : key == Qt::Key_Right ? step
                                                             : 0,
                                      key == Qt::Key_Up     ? -step
                                      : key == Qt::Key_Down ? step
                                                            : 0);
        }
    } else if (key == Qt::Key_Shift) {
        state_.keyState = 16;
    } else if (key == Qt::Key_Control) {
        state_.keyState = 17;
    } else if (key == Qt::Key_Space) {
        state_.keyState = 32;
    } else if (key == Qt::Key_Escape) {
        resetEditState();
        showStatus(std::string());
    } else if (!e->text().isEmpty()) {
        state_.keyState = e->text().at(0).unicode();
    }
    view_.viewport()->update();
}

void CInteraction::keyRelease(QKeyEvent* e) {
    if (e->isAutoRepeat()) return;  // a key held down stays down
    const int key = e->key();
    if (key != Qt::Key_Left && key != Qt::Key_Up && key != Qt::Key_Right && key != Qt::Key_Down)
        state_.keyState = 0;
    view_.viewport()->update();
}

void CInteraction::showToolTip(QHelpEvent* e) {
    if (state_.tooltipText.isEmpty())
        QToolTip::hideText();
    else
        showFunctionTip(e->globalPos());
}

// The function tooltip: white, 5-pixel margins, as wide as its longest line but at most 300 pixels, so a
// long function wraps there. Shown as plain text: a "<" in a comment must not start markup.
void CInteraction::showFunctionTip(QPoint globalPos) {
    constexpr int kMaxWidth = 300, kMargin = 5;
    const QFontMetrics fm(QToolTip::font());
    int natural = 0;
    for (const QString& line : state_.tooltipText.split('\n'))
        natural = std::max(natural, fm.horizontalAdvance(line));
    const int inner = std::min(natural + 2, kMaxWidth - 2 * kMargin - 2);
    view_.viewport()->setStyleSheet(
        QString("QToolTip { background-color: white; color: black; border: 1px solid black;"
                " padding: %1px; min-width: %2px; max-width: %2px; }")
            .arg(kMargin)
            .arg(inner));
    QToolTip::showText(globalPos, Qt::convertFromPlainText(state_.tooltipText, Qt::WhiteSpaceNormal),
                       view_.viewport(), QRect(), 32767);
}

}  // namespace novra::ui
