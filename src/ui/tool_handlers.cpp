// The tool handlers: what a press, a move, a release or a double click does with each tool.
#include "ui/tool_handlers.h"

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/renderer.h"
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

// Hover frames: red for what a click removes or marks.
const QColor kFrameRed(255, 100, 100);
}  // namespace

void CToolHandler::press(QPoint, int, bool) {}
bool CToolHandler::rightPress(QPoint, int) {
    return false;
}
void CToolHandler::move(QPoint, int) {}
void CToolHandler::release(QPoint, int, bool) {}
bool CToolHandler::doubleClick(int) {
    return false;
}
bool CToolHandler::key(QKeyEvent*) {
    return false;
}
EditState& CToolHandler::st() {
    return ix_.state();
}

namespace {

// No tool and the hand: a click on an object grabs it (or the whole selection), a click on the canvas
// starts a rubber band.
class CSelectHandler : public CToolHandler {
  public:
    using CToolHandler::CToolHandler;

    void press(QPoint p, int hit, bool shift) override {
        EditState& s = st();
        const QPoint c = ix_.renderer().toCanvas(p);
        s.toolMode = EditState::kModeHand;
        // The undo copy waits for the first move: a click that moves nothing changes nothing.
        s.dragCopied = false;
        if (hit && s.selection.count(hit)) {
            ix_.setRole(EditState::kCursorDrag);
            s.groupDrag = true;
            s.dragOrigin = c;
        } else if (hit) {
            ix_.setRole(EditState::kCursorDrag);
            s.grabbedObject = hit;
            ix_.renderer().setViewMoved();  // the id buffer leaves the grabbed object out
        } else {
            ix_.showStatus(text(msg::kStatusTracking));
            ix_.setRole(EditState::kCursorBand);
            s.rubberBand = true;
            s.bandStart = s.bandEnd = p;
            if (!shift) {
                s.selection.clear();
                s.selectionRect = QRect();
            }
        }
    }

    bool rightPress(QPoint p, int) override {
        if (st().toolMode != EditState::kModeHand || !st().selectionRect.contains(ix_.renderer().toCanvas(p)))
            return false;
        ix_.showSelectionMenu();
        return true;
    }

    void move(QPoint p, int hit) override {
        EditState& s = st();
        if (s.toolMode != EditState::kModeHand) return;
        const QPoint c = ix_.renderer().toCanvas(p);
        CNet& n = ix_.net();
        if (s.grabbedObject) {
            ix_.setRole(EditState::kCursorDrag);
            auto o = n.objects().find(s.grabbedObject);
            if (o != n.objects().end() && (o->second.x != c.x() || o->second.y != c.y())) {
                ix_.copyBeforeDrag();
                n.moveObject(s.grabbedObject, c.x(), c.y());
                n.extendBounds(c.x(), c.y());
            }
            ix_.edgeScroll(p);
        } else if (s.groupDrag) {
            ix_.setRole(EditState::kCursorDrag);
            const int dx = c.x() - s.dragOrigin.x(), dy = c.y() - s.dragOrigin.y();
            if (dx != 0 || dy != 0) ix_.copyBeforeDrag();
            for (int id : s.selection) {
                auto o = n.objects().find(id);
                if (o == n.objects().end()) continue;
                n.moveObject(id, o->second.x + dx, o->second.y + dy);
                for (auto [b, e] = n.outArcs().equal_range(id); b != e; ++b) {
                    const CArc& arc = n.arcs().at(b->second);
                    for (size_t i = 0; i < arc.bendPoints.size(); ++i)
                        n.moveBendPoint(b->second, static_cast<int>(i), arc.bendPoints[i].x + dx,
                                        arc.bendPoints[i].y + dy);
                }
            }
            s.selectionRect.translate(dx, dy);
            s.dragOrigin = c;
            ix_.edgeScroll(p);
        } else {
            ix_.setRole(hit ? EditState::kCursorHand : 0);
        }
    }

    void release(QPoint, int, bool shift) override {
        EditState& s = st();
        if (s.rubberBand) finishRubberBand(shift);
        if (s.grabbedObject || s.groupDrag) {
            ix_.setRole(EditState::kCursorHand);
            s.grabbedObject = 0;
            s.groupDrag = false;
            ix_.renderer().setRebuild();
        }
    }

  private:
    void finishRubberBand(bool shift) {
        EditState& s = st();
        const CRenderer& r = ix_.renderer();
        s.rubberBand = false;
        ix_.setRole(0);
        if (!shift) {
            s.selection.clear();
            s.selectionRect = QRect();
        }
        const QPoint a = r.toCanvas(
            QPoint(std::min(s.bandStart.x(), s.bandEnd.x()), std::min(s.bandStart.y(), s.bandEnd.y())));
        const QPoint b = r.toCanvas(
            QPoint(std::max(s.bandStart.x(), s.bandEnd.x()), std::max(s.bandStart.y(), s.bandEnd.y())));
        for (const auto& [id, o] : ix_.net().objects())
            if (o.x >= a.x() && o.x <= b.x() && o.y >= a.y() && o.y <= b.y()) s.selection.insert(id);
        if (s.selection.empty()) {
            ix_.showStatus(std::string());
            return;
        }
        ix_.computeSelectionRect();
        ix_.showStatus(format(msg::kStatusSelected, static_cast<int>(s.selection.size())));
    }
};

// Place, transition, source and sink, one at a time or chained by arcs (continuous placement).
class CPlaceHandler : public CToolHandler {
  public:
    using CToolHandler::CToolHandler;

    void press(QPoint p, int hit, bool) override {
        const EditState& s = st();
        const QPoint c = ix_.renderer().toCanvas(p);
        if (s.continuous && hit)
            ix_.arcClick(hit, c);
        else if (!hit && !(s.toolMode == EditState::kModeUhzi && s.arcPending))
            ix_.placeObject(c);
    }

    bool rightPress(QPoint, int hit) override {
        EditState& s = st();
        if (!hit || (s.toolMode != EditState::kModePlace && s.toolMode != EditState::kModeTransition))
            return false;
        s.selection = {hit};
        ix_.computeSelectionRect();
        ix_.showSelectionMenu();
        return true;
    }

    void move(QPoint p, int hit) override {
        if (st().continuous) {
            ix_.arcHover(p, hit);
            return;
        }
        st().outline = true;
        st().outlineAt = p;
    }
};

// Tokens: a click puts a black token on an empty place, a right click turns its colour, a double click
// its value.
class CTokenHandler : public CToolHandler {
  public:
    using CToolHandler::CToolHandler;

    void press(QPoint, int hit, bool) override {
        CNet& n = ix_.net();
        if (n.kindOf(hit) == kPlace && !n.tokens().count(hit)) {
            ix_.takeSnapshot(EditStep::Token);
            n.setToken(hit, kBlack, 0);
            ix_.renderer().setRebuild();
        }
    }

    bool rightPress(QPoint, int hit) override {
        CNet& n = ix_.net();
        if (n.kindOf(hit) != kPlace || !n.tokens().count(hit)) return false;
        ix_.takeSnapshot(EditStep::Token);
        const Token t = n.tokens().at(hit);
        n.setToken(hit, t.color == kBlack ? kWhite : kBlack, t.value);
        ix_.renderer().setRebuild();
        return true;
    }

    void move(QPoint, int hit) override {
        if (ix_.net().kindOf(hit) == kPlace) {
            ix_.showStatus(text(msg::kStatusTokenHere));
            ix_.frameObject(hit, kFrameRed);
        } else {
            ix_.showStatus(text(msg::kStatusTokenWhere));
        }
    }

    bool doubleClick(int hit) override {
        CNet& n = ix_.net();
        auto tok = n.tokens().find(hit);
        if (n.kindOf(hit) != kPlace || tok == n.tokens().end()) return false;
        if (!ix_.view().document()->compiled()) {
            ix_.takeSnapshot(EditStep::Token);
            // Between 0 and 1; an undefined or odd value read from a file starts again from 0.
            n.setToken(hit, tok->second.color, tok->second.value == 0 ? 1 : 0);
            ix_.renderer().setRebuild();
        }
        return true;
    }
};

// Arcs: from a source object through bend points clicked on the canvas to a target, or dragged.
class CArcHandler : public CToolHandler {
  public:
    using CToolHandler::CToolHandler;

    void press(QPoint p, int hit, bool) override { ix_.arcClick(hit, ix_.renderer().toCanvas(p)); }

    bool rightPress(QPoint, int hit) override {
        const EditState& s = st();
        if (ix_.net().kindOf(hit) != kTransition || (s.arcPending && hit == s.arcSource)) return false;
        ix_.showVariableMenu(hit);
        return true;
    }

    void move(QPoint p, int hit) override { ix_.arcHover(p, hit); }

    void release(QPoint, int hit, bool) override {
        EditState& s = st();
        if (!s.arcPending || !ix_.validTarget(hit)) return;
        s.arcTarget = hit;
        ix_.takeSnapshot(EditStep::Arc);
        ix_.finishArc();
        ix_.showStatus(std::string());
    }
};

// Deleting: a click removes the object under the pointer with its arcs and token.
class CDeleteHandler : public CToolHandler {
  public:
    using CToolHandler::CToolHandler;

    void press(QPoint, int hit, bool) override {
        if (!hit) return;
        CNet& n = ix_.net();
        ix_.takeSnapshot(EditStep::Delete);
        n.deleteObject(hit);
        if (!n.objects().count(hit)) st().selection.erase(hit);
        ix_.closeObjectDialogs(false);
        ix_.renderer().setRebuild();
    }

    void move(QPoint, int hit) override {
        if (!hit) {
            ix_.showStatus(text(msg::kStatusDeleteTool));
            return;
        }
        CNet& n = ix_.net();
        const int kind = n.kindOf(hit);
        if (kind == kPlace && n.tokens().count(hit)) {
            ix_.showStatus(text(msg::kStatusDeleteToken));
        } else {
            const std::string s = text(msg::kStatusDeleteObject);
            const auto at = s.find("%s");
            ix_.showStatus(s.substr(0, at) + text(kindName(kind)) + s.substr(at + 2));
        }
        ix_.frameObject(hit, kFrameRed);
    }
};

// Panning with the middle button (or Ctrl and the right one): the canvas follows the pointer.
class CPanHandler : public CToolHandler {
  public:
    using CToolHandler::CToolHandler;

    void press(QPoint p, int, bool) override { st().lastMouse = p; }

    void move(QPoint p, int) override {
        EditState& s = st();
        ix_.setRole(EditState::kCursorPan);
        ix_.renderer().scrollByOffset(s.lastMouse.x() - p.x(), s.lastMouse.y() - p.y());
        s.lastMouse = p;
    }

    void release(QPoint, int, bool) override {
        st().panning = false;
        ix_.setRole(0);
        ix_.renderer().setViewMoved();
    }
};

}  // namespace

std::unique_ptr<CToolHandler> makeToolHandler(HandlerSlot slot, CInteraction& ix) {
    switch (slot) {
        case kSelectHandler:
            return std::make_unique<CSelectHandler>(ix);
        case kPlaceHandler:
            return std::make_unique<CPlaceHandler>(ix);
        case kTokenHandler:
            return std::make_unique<CTokenHandler>(ix);
        case kArcHandler:
            return std::make_unique<CArcHandler>(ix);
        case kDeleteHandler:
            return std::make_unique<CDeleteHandler>(ix);
        default:
            return std::make_unique<CPanHandler>(ix);
    }
}

}  // namespace novra::ui
