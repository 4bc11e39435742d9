// Tool modes: the tool commands, the pending arc, continuous placement, the undo snapshot and the
// context menus.
#include <QMenu>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/mainframe.h"
#include "ui/menutitle.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
QString qs(const MsgText& m) {
    return QString::fromUtf8(text(m).c_str());
}

struct ToolDef {
    Cmd cmd;
    int mode;
    int continuous;
    const MsgText* status;  // nullptr: the status is emptied
};

const ToolDef kTools[] = {
    {Cmd::ToolPlace, CNOVRAView::kModePlace, 0, &msg::kStatusPlacePlace},
    {Cmd::ToolTransition, CNOVRAView::kModeTransition, 0, &msg::kStatusPlaceTransition},
    {Cmd::ToolUhzi, CNOVRAView::kModeUhzi, 1, &msg::kStatusPlaceUhzi},
    {Cmd::ToolKemmakix, CNOVRAView::kModeKemmakix, 1, &msg::kStatusPlaceKemmakix},
    {Cmd::ToolToken, CNOVRAView::kModeToken, 0, &msg::kStatusPlaceToken},
    {Cmd::ToolArc, CNOVRAView::kModeArc, 0, &msg::kStatusArcSource},
    {Cmd::ToolContinuous, CNOVRAView::kModePlace, 1, &msg::kStatusContinuous},
    {Cmd::ToolHand, CNOVRAView::kModeHand, 0, nullptr},
    {Cmd::ToolDelete, CNOVRAView::kModeDelete, 0, &msg::kStatusDeleteTool},
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

bool CNOVRAView::isToolCommand(Cmd cmd) const {
    return toolOf(cmd) != nullptr;
}

void CNOVRAView::resetEditState() {
    toolMode = kModeNone;
    keyState = 0;
    continuous = 0;
    varMenuMode = 0;
    cancelArc();
    arcTarget = 0;
    varName.clear();
    grabbedObject = 0;
    groupDrag = false;
    panning = false;
    spaceClick = false;
    rubberBand_ = false;
    selection.clear();
    selectionRect = QRect();
    frameId_ = 0;
    rubberArc_ = false;
    outline_ = false;
    rebuild_ = true;
    emit stateChanged();
}

void CNOVRAView::runToolCommand(Cmd cmd) {
    const ToolDef* t = toolOf(cmd);
    if (!t) return;
    resetEditState();
    toolMode = t->mode;
    continuous = t->continuous;
    showStatus(t->status ? text(*t->status) : std::string());
    viewport()->update();
}

CNet& CNOVRAView::undoNet() {
    if (!undo_) undo_ = std::make_unique<CNet>();
    return *undo_;
}

void CNOVRAView::takeSnapshot() {
    snapshotForUndo();
}

void CNOVRAView::showStatus(const std::string& s) {
    lastStatus_ = s;
    if (status_) status_(s);
}

void CNOVRAView::setRole(int role) {
    if (role == cursorRole) return;
    cursorRole = role;
    if (role == 0)
        viewport()->unsetCursor();
    else
        viewport()->setCursor(cursorFor(role));
}

bool CNOVRAView::mayStartArc(int id, bool hovering) const {
    const int kind = net().kindOf(id);
    if (kind == 0) return false;
    if (toolMode == kModeArc) return !(hovering && kind == kKemmakix);
    if (!continuous) return false;
    if (toolMode == kModePlace || toolMode == kModeTransition) return true;
    if (toolMode == kModeKemmakix) return kind == kPlace;
    return false;  // the uhzi tool only connects from the uhzi it creates
}

bool CNOVRAView::validTarget(int id) const {
    if (!arcPending || id == arcSource) return false;
    const int from = net().kindOf(arcSource), to = net().kindOf(id);
    if (from == kPlace) return to == kTransition || to == kKemmakix;
    if (from == kTransition || from == kUhzi) return to == kPlace;
    return false;
}

void CNOVRAView::startArc(int id) {
    arcTarget = 0;
    arcSource = id;
    bendPoints.clear();
    arcPending = true;
    varName.clear();
    const int kind = net().kindOf(id);
    if (kind == kPlace) showStatus(text(msg::kStatusArcToTransition));
    if (kind == kTransition || kind == kUhzi) showStatus(text(msg::kStatusArcToPlace));
    if (continuous) {
        if (kind == kPlace && toolMode != kModeKemmakix) toolMode = kModeTransition;
        if (kind == kTransition) toolMode = kModePlace;
    }
}

void CNOVRAView::finishArc() {
    // The net only ever receives arcs of a valid pair; anything else is dropped with its bend points.
    if (validTarget(arcTarget)) {
        net().addArc(arcSource, arcTarget, std::move(bendPoints), varName);
        rebuild_ = true;
    }
    cancelArc();
    arcTarget = 0;
    varName.clear();
}

void CNOVRAView::cancelArc() {
    bendPoints.clear();
    arcSource = 0;
    arcTarget = 0;
    arcPending = false;
    rubberArc_ = false;
}

void CNOVRAView::placeObject(QPoint canvas) {
    const int kind = toolMode;  // the placing modes carry their object kind's number
    selection.clear();
    selectionRect = QRect();
    takeSnapshot();
    const int id = net().addObject(canvas.x(), canvas.y(), kind);
    arcTarget = id;
    rebuild_ = true;
    if (continuous) continuePlacement(id);
    arcTarget = 0;
}

void CNOVRAView::continuePlacement(int id) {
    switch (toolMode) {
        case kModePlace:
            if (arcPending) finishArc();
            startArc(id);
            toolMode = kModeTransition;
            showStatus(text(msg::kStatusChainTransition));
            break;
        case kModeTransition:
            if (arcPending) finishArc();
            startArc(id);
            toolMode = kModePlace;
            showStatus(text(msg::kStatusChainPlace));
            break;
        case kModeUhzi:
            startArc(id);
            toolMode = kModePlace;
            showStatus(text(msg::kStatusArcToPlace));
            break;
        case kModeKemmakix:
            if (arcPending) {
                arcTarget = id;
                finishArc();
            }
            break;
        default:
            break;
    }
}

void CNOVRAView::computeSelectionRect() {
    QRect r;
    for (int id : selection) {
        auto o = net().objects.find(id);
        if (o == net().objects.end()) continue;
        r |= QRect(o->second.x, o->second.y, 1, 1);
    }
    selectionRect = r.isNull() ? QRect() : r.adjusted(-20, -20, 20, 20);
}

void CNOVRAView::showVariableMenu(int transitionId) {
    auto t = net().transitions.find(transitionId);
    if (t == net().transitions.end()) return;
    const bool inputs = arcPending;
    // An input variable is only offered where the pending arc may end.
    if (inputs && !validTarget(transitionId)) return;
    const auto names = variablesOf(t->second, inputs);
    QMenu menu(window());
    addMenuTitle(&menu, qs(inputs ? msg::kMenuTitleInput : msg::kMenuTitleOutput));
    for (size_t i = 0; i < names.size() && i < 99; ++i) {
        QAction* a = menu.addAction(QString::fromStdString(names[i]));
        a->setData(kVariableMenuBase + static_cast<int>(i) + 1);
    }
    varMenuMode = inputs ? 1 : 2;
    if (inputs) arcTarget = transitionId;
    hitObject = transitionId;
    QAction* chosen = runMenu ? runMenu(menu, QCursor::pos()) : menu.exec(QCursor::pos());
    if (chosen && chosen->data().toInt() > kVariableMenuBase)
        runCommand(static_cast<Cmd>(chosen->data().toInt()));
    varMenuMode = 0;
}

void CNOVRAView::runVariableCommand(int n) {
    if (varMenuMode == 1) {
        auto t = net().transitions.find(arcTarget);
        if (t == net().transitions.end()) return;
        const auto names = variablesOf(t->second, true);
        if (n < 1 || static_cast<size_t>(n) > names.size()) return;
        varName = names[static_cast<size_t>(n) - 1];
        takeSnapshot();
        finishArc();
    } else if (varMenuMode == 2) {
        auto t = net().transitions.find(hitObject);
        if (t == net().transitions.end()) return;
        const auto names = variablesOf(t->second, false);
        if (n < 1 || static_cast<size_t>(n) > names.size()) return;
        arcSource = hitObject;
        arcTarget = 0;
        bendPoints.clear();
        arcPending = true;
        varName = names[static_cast<size_t>(n) - 1];
        const std::string s = text(msg::kStatusVariableOutput);
        const auto at = s.find("%s");
        showStatus(at == std::string::npos ? s : s.substr(0, at) + varName + s.substr(at + 2));
    }
    varMenuMode = 0;
    viewport()->update();
}

void CNOVRAView::runFrameCommand(Cmd cmd) {
    if (auto* f = qobject_cast<CMainFrame*>(window()))
        f->runCommand(cmd);
    else if (handlesCommand(cmd))
        runCommand(cmd);
}

bool CNOVRAView::frameCommandEnabled(Cmd cmd) const {
    if (auto* f = qobject_cast<const CMainFrame*>(window())) return f->commandEnabled(cmd);
    return handlesCommand(cmd) && commandEnabled(cmd);
}

void CNOVRAView::showSelectionMenu() {
    QMenu menu(window());
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
    QAction* chosen = runMenu ? runMenu(menu, QCursor::pos()) : menu.exec(QCursor::pos());
    if (chosen && chosen->data().toInt() > 0) runFrameCommand(static_cast<Cmd>(chosen->data().toInt()));
}

void CNOVRAView::showCanvasMenu() {
    QMenu menu(window());
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
    QAction* chosen = runMenu ? runMenu(menu, QCursor::pos()) : menu.exec(QCursor::pos());
    if (chosen && chosen->data().toInt() > 0) runFrameCommand(static_cast<Cmd>(chosen->data().toInt()));
}

}  // namespace novra::ui
