// Tool modes: the tool commands, the pending arc, continuous placement, the undo snapshot, the context
// menus and the variable menus.
#include <QMenu>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/mainframe.h"
#include "ui/menutitle.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
struct ToolDef {
    Cmd cmd;
    int mode;
    int continuous;
    const MsgText* status;  // nullptr: the status is emptied
};

const ToolDef kTools[] = {
    {Cmd::ToolPlace, EditState::kModePlace, 0, &msg::kStatusPlacePlace},
    {Cmd::ToolTransition, EditState::kModeTransition, 0, &msg::kStatusPlaceTransition},
    {Cmd::ToolUhzi, EditState::kModeUhzi, 1, &msg::kStatusPlaceUhzi},
    {Cmd::ToolKemmakix, EditState::kModeKemmakix, 1, &msg::kStatusPlaceKemmakix},
    {Cmd::ToolToken, EditState::kModeToken, 0, &msg::kStatusPlaceToken},
    {Cmd::ToolArc, EditState::kModeArc, 0, &msg::kStatusArcSource},
    {Cmd::ToolContinuous, EditState::kModePlace, 1, &msg::kStatusContinuous},
    {Cmd::ToolHand, EditState::kModeHand, 0, nullptr},
    {Cmd::ToolDelete, EditState::kModeDelete, 0, &msg::kStatusDeleteTool},
};

const ToolDef* toolOf(Cmd cmd) {
    for (const auto& t : kTools)
        if (t.cmd == cmd) return &t;
    return nullptr;
}

// The names of a transition's variables in number order; an unrefreshed or broken text has none.
std::vector<std::string> variablesOf(const CTransition& t, bool inputs) {
    CTransitionFunction f = t;
    if (f.normalizedText.empty()) {
        try {
            refreshFunction(f);
        } catch (const CError&) {
            return {};
        }
    }
    const auto& names = inputs ? f.inputVarNames : f.outputVarNames;
    std::vector<std::string> out(names.size());
    for (const auto& [name, n] : names)
        if (n >= 1 && static_cast<size_t>(n) <= out.size()) out[static_cast<size_t>(n) - 1] = name;
    return out;
}
}  // namespace

CNet& CInteraction::net() const {
    return view_.net();
}

CRenderer& CInteraction::renderer() const {
    return view_.renderer();
}

bool CInteraction::handles(Cmd cmd) const {
    const int id = static_cast<int>(cmd);
    if (id > kVariableMenuBase && id < kVariableMenuBase + 100) return state_.varMenuMode != 0;
    return toolOf(cmd) != nullptr || dialogKind(cmd) != 0;
}

bool CInteraction::enabled(Cmd cmd) const {
    if (toolOf(cmd)) return !view_.document()->compiled();
    if (dialogKind(cmd) != 0) return net().kindOf(state_.hitObject) == dialogKind(cmd);
    return handles(cmd);
}

bool CInteraction::checked(Cmd cmd) const {
    const int mode = state_.toolMode;
    const bool cont = state_.continuous != 0;
    switch (cmd) {
        case Cmd::ToolPlace:
            return mode == EditState::kModePlace && !cont;
        case Cmd::ToolContinuous:
            return (mode == EditState::kModePlace || mode == EditState::kModeTransition) && cont;
        case Cmd::ToolTransition:
            return mode == EditState::kModeTransition && !cont;
        case Cmd::ToolUhzi:
            return mode == EditState::kModeUhzi;
        case Cmd::ToolKemmakix:
            return mode == EditState::kModeKemmakix;
        case Cmd::ToolToken:
            return mode == EditState::kModeToken;
        case Cmd::ToolArc:
            return mode == EditState::kModeArc;
        case Cmd::ToolHand:
            return mode == EditState::kModeHand;
        case Cmd::ToolDelete:
            return mode == EditState::kModeDelete;
        default:
            return false;
    }
}

void CInteraction::run(Cmd cmd) {
    const int id = static_cast<int>(cmd);
    if (const ToolDef* t = toolOf(cmd)) {
        if (view_.document()->compiled()) return;
        resetEditState();
        state_.toolMode = t->mode;
        state_.continuous = t->continuous;
        showStatus(t->status ? text(*t->status) : std::string());
        view_.viewport()->update();
    } else if (dialogKind(cmd) != 0) {
        openObjectDialog(cmd);
    } else if (id > kVariableMenuBase && id < kVariableMenuBase + 100) {
        runVariableCommand(id - kVariableMenuBase);
    }
}

void CInteraction::resetEditState() {
    state_.toolMode = EditState::kModeNone;
    state_.keyState = 0;
    state_.continuous = 0;
    state_.varMenuMode = 0;
    cancelArc();
    state_.arcTarget = 0;
    state_.varName.clear();
    state_.grabbedObject = 0;
    state_.groupDrag = false;
    state_.panning = false;
    state_.spaceClick = false;
    state_.rubberBand = false;
    state_.selection.clear();
    state_.selectionRect = QRect();
    state_.frameId = 0;
    state_.rubberArc = false;
    state_.outline = false;
    renderer().setRebuild();
    emit view_.stateChanged();
}

void CInteraction::takeSnapshot(EditStep what) {
    view_.document()->beginStep(what);
}

void CInteraction::copyBeforeDrag() {
    // A command in the middle of the drag (a key) ends its step; the rest of the drag is a step of its own.
    if (state_.dragCopied && view_.document()->openStep() == EditStep::Move) return;
    takeSnapshot(EditStep::Move);
    state_.dragCopied = true;
}

void CInteraction::showStatus(const std::string& s) {
    view_.reporter().status(s);
}

void CInteraction::setRole(int role) {
    if (role == state_.cursorRole) return;
    state_.cursorRole = role;
    if (role == 0)
        view_.viewport()->unsetCursor();
    else
        view_.viewport()->setCursor(cursorFor(role));
}

bool CInteraction::mayStartArc(int id, bool hovering) const {
    const int kind = net().kindOf(id);
    if (kind == 0) return false;
    if (state_.toolMode == EditState::kModeArc) return !(hovering && kind == kKemmakix);
    if (!state_.continuous) return false;
    if (state_.toolMode == EditState::kModePlace || state_.toolMode == EditState::kModeTransition)
        return true;
    if (state_.toolMode == EditState::kModeKemmakix) return kind == kPlace;
    return false;  // the uhzi tool only connects from the uhzi it creates
}

bool CInteraction::validTarget(int id) const {
    if (!state_.arcPending || id == state_.arcSource) return false;
    const int from = net().kindOf(state_.arcSource), to = net().kindOf(id);
    if (from == kPlace) return to == kTransition || to == kKemmakix;
    if (from == kTransition || from == kUhzi) return to == kPlace;
    return false;
}

void CInteraction::startArc(int id) {
    state_.arcTarget = 0;
    state_.arcSource = id;
    state_.bendPoints.clear();
    state_.arcPending = true;
    state_.varName.clear();
    const int kind = net().kindOf(id);
    if (kind == kPlace) showStatus(text(msg::kStatusArcToTransition));
    if (kind == kTransition || kind == kUhzi) showStatus(text(msg::kStatusArcToPlace));
    if (state_.continuous) {
        if (kind == kPlace && state_.toolMode != EditState::kModeKemmakix)
            state_.toolMode = EditState::kModeTransition;
        if (kind == kTransition) state_.toolMode = EditState::kModePlace;
    }
}

void CInteraction::finishArc() {
    // The net only ever receives arcs of a valid pair; anything else is dropped with its bend points.
    if (validTarget(state_.arcTarget)) {
        net().addArc(state_.arcSource, state_.arcTarget, std::move(state_.bendPoints), state_.varName);
        renderer().setRebuild();
    }
    cancelArc();
    state_.arcTarget = 0;
    state_.varName.clear();
}

void CInteraction::cancelArc() {
    state_.bendPoints.clear();
    state_.arcSource = 0;
    state_.arcTarget = 0;
    state_.arcPending = false;
    state_.rubberArc = false;
}

void CInteraction::arcClick(int hit, QPoint c) {
    if (!state_.arcPending) {
        if (hit && mayStartArc(hit, false)) startArc(hit);
    } else if (!hit) {
        if (state_.toolMode == EditState::kModeArc) state_.bendPoints.push_back(Point{c.x(), c.y()});
    } else if (validTarget(hit)) {
        state_.arcTarget = hit;
        takeSnapshot(EditStep::Arc);
        finishArc();
    }
}

void CInteraction::arcHover(QPoint p, int hit) {
    // Green for an arc's start, blue for its end.
    static const QColor kFrameGreen(100, 255, 100);
    static const QColor kFrameBlue(100, 100, 255);
    setRole(EditState::kCursorArc);
    if (!state_.arcPending) {
        if (hit && mayStartArc(hit, true)) {
            frameObject(hit, kFrameGreen);
            state_.hitObject = hit;
        } else {
            state_.hitObject = 0;
            if (EditState::isPlacing(state_.toolMode) && !hit) {
                state_.outline = true;
                state_.outlineAt = p;
            }
        }
    } else if (validTarget(hit)) {
        frameObject(hit, kFrameBlue);
        state_.arcTarget = hit;
        state_.rubberArc = true;
        const auto& o = net().objects().at(hit);
        state_.rubberArcEnd = renderer().toClient(o.x, o.y);
    } else {
        state_.arcTarget = 0;
        state_.rubberArc = true;
        state_.rubberArcEnd = p;
    }
}

void CInteraction::placeObject(QPoint canvas) {
    const int kind = state_.toolMode;  // the placing modes carry their object kind's number
    state_.selection.clear();
    state_.selectionRect = QRect();
    takeSnapshot(EditStep::Place);
    const int id = net().addObject(canvas.x(), canvas.y(), kind);
    state_.arcTarget = id;
    renderer().setRebuild();
    if (state_.continuous) continuePlacement(id);
    state_.arcTarget = 0;
}

void CInteraction::continuePlacement(int id) {
    switch (state_.toolMode) {
        case EditState::kModePlace:
            if (state_.arcPending) finishArc();
            startArc(id);
            state_.toolMode = EditState::kModeTransition;
            showStatus(text(msg::kStatusChainTransition));
            break;
        case EditState::kModeTransition:
            if (state_.arcPending) finishArc();
            startArc(id);
            state_.toolMode = EditState::kModePlace;
            showStatus(text(msg::kStatusChainPlace));
            break;
        case EditState::kModeUhzi:
            startArc(id);
            state_.toolMode = EditState::kModePlace;
            showStatus(text(msg::kStatusArcToPlace));
            break;
        case EditState::kModeKemmakix:
            if (state_.arcPending) {
                state_.arcTarget = id;
                finishArc();
            }
            break;
        default:
            break;
    }
}

void CInteraction::computeSelectionRect() {
    QRect r;
    for (int id : state_.selection) {
        auto o = net().objects().find(id);
        if (o == net().objects().end()) continue;
        r |= QRect(o->second.x, o->second.y, 1, 1);
    }
    state_.selectionRect = r.isNull() ? QRect() : r.adjusted(-20, -20, 20, 20);
}

void CInteraction::showVariableMenu(int transitionId) {
    auto t = net().transitions().find(transitionId);
    if (t == net().transitions().end()) return;
    const bool inputs = state_.arcPending;
    // An input variable is only offered where the pending arc may end.
    if (inputs && !validTarget(transitionId)) return;
    const auto names = variablesOf(t->second, inputs);
    QMenu menu(view_.window());
    addMenuTitle(&menu, qs(inputs ? msg::kMenuTitleInput : msg::kMenuTitleOutput));
    for (size_t i = 0; i < names.size() && i < 99; ++i) {
        QAction* a = menu.addAction(QString::fromStdString(names[i]));
        a->setData(kVariableMenuBase + static_cast<int>(i) + 1);
    }
    state_.varMenuMode = inputs ? 1 : 2;
    if (inputs) state_.arcTarget = transitionId;
    state_.hitObject = transitionId;
    QAction* chosen = view_.prompts().runMenu(menu, QCursor::pos());
    if (chosen && chosen->data().toInt() > kVariableMenuBase)
        view_.runCommand(static_cast<Cmd>(chosen->data().toInt()));
    state_.varMenuMode = 0;
}

void CInteraction::runVariableCommand(int n) {
    if (state_.varMenuMode == 1) {
        auto t = net().transitions().find(state_.arcTarget);
        if (t == net().transitions().end()) return;
        const auto names = variablesOf(t->second, true);
        if (n < 1 || static_cast<size_t>(n) > names.size()) return;
        state_.varName = names[static_cast<size_t>(n) - 1];
        takeSnapshot(EditStep::Arc);
        finishArc();
    } else if (state_.varMenuMode == 2) {
        auto t = net().transitions().find(state_.hitObject);
        if (t == net().transitions().end()) return;
        const auto names = variablesOf(t->second, false);
        if (n < 1 || static_cast<size_t>(n) > names.size()) return;
        state_.arcSource = state_.hitObject;
        state_.arcTarget = 0;
        state_.bendPoints.clear();
        state_.arcPending = true;
        state_.varName = names[static_cast<size_t>(n) - 1];
        const std::string s = text(msg::kStatusVariableOutput);
        const auto at = s.find("%s");
        showStatus(at == std::string::npos ? s : s.substr(0, at) + state_.varName + s.substr(at + 2));
    }
    state_.varMenuMode = 0;
    view_.viewport()->update();
}

void CInteraction::runFrameCommand(Cmd cmd) {
    if (auto* f = qobject_cast<CMainFrame*>(view_.window()))
        f->runCommand(cmd);
    else if (view_.handlesCommand(cmd))
        view_.runCommand(cmd);
}

bool CInteraction::frameCommandEnabled(Cmd cmd) const {
    if (auto* f = qobject_cast<const CMainFrame*>(view_.window())) return f->commandEnabled(cmd);
    return view_.handlesCommand(cmd) && view_.commandEnabled(cmd);
}

void CInteraction::showSelectionMenu() {
    QMenu menu(view_.window());
    addMenuTitle(&menu, qs(msg::kMenuTitleGeneric));
    const std::pair<const MsgText*, Cmd> items[] = {{&msg::kMenuCopy, Cmd::Copy},
                                                    {&msg::kMenuCut, Cmd::Cut},
                                                    {&msg::kItemDelete, Cmd::Delete},
                                                    {&msg::kItemAlign, Cmd::Align}};
    for (const auto& [m, cmd] : items) {
        QAction* a = menu.addAction(qs(*m));
        a->setData(static_cast<int>(cmd));
        a->setEnabled(frameCommandEnabled(cmd));
    }
    QAction* chosen = view_.prompts().runMenu(menu, QCursor::pos());
    if (chosen && chosen->data().toInt() > 0) runFrameCommand(static_cast<Cmd>(chosen->data().toInt()));
}

void CInteraction::showCanvasMenu() {
    QMenu menu(view_.window());
    const auto add = [this](QMenu* m, const MsgText& t, Cmd cmd) {
        QAction* a = m->addAction(qs(t));
        a->setData(static_cast<int>(cmd));
        a->setEnabled(frameCommandEnabled(cmd));
        return a->isEnabled();
    };
    add(&menu, msg::kMenuPaste, Cmd::Paste);
    QMenu* sub = menu.addMenu(qs(msg::kMenuContinuousPaste));
    const bool any = add(sub, msg::kItemPasteHorizontal, Cmd::PasteHorizontal) |
                     add(sub, msg::kItemPasteVertical, Cmd::PasteVertical);
    sub->menuAction()->setEnabled(any);
    add(&menu, msg::kItemAlign, Cmd::Align);
    QAction* chosen = view_.prompts().runMenu(menu, QCursor::pos());
    if (chosen && chosen->data().toInt() > 0) runFrameCommand(static_cast<Cmd>(chosen->data().toInt()));
}

}  // namespace novra::ui
