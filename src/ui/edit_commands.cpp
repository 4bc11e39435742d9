// The clipboard, delete, align, find, undo, quick save and load and the other edit commands of the view.
#include "ui/edit_commands.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <algorithm>
#include <climits>
#include <utility>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/edit_state.h"
#include "ui/interaction.h"
#include "ui/mainframe.h"
#include "ui/prompts.h"
#include "ui/renderer.h"
#include "ui/sim_controller.h"
#include "ui/verilog_output.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
// The wait cursor for as long as a command runs, whichever way it leaves.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

// Coordinates stay ints however far a paste or the grid pushes them.
int clampInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// Moves objects and the bend points of the arcs leaving them.
void moveGroup(CNet& net, const std::set<int>& ids, long long dx, long long dy) {
    if (dx == 0 && dy == 0) return;
    // Through the net's own operations, which log what moved for the paint index.
    for (int id : ids) {
        auto o = net.objects().find(id);
        if (o == net.objects().end()) continue;
        net.moveObject(id, clampInt(o->second.x + dx), clampInt(o->second.y + dy));
        net.extendBounds(o->second.x, o->second.y);
        auto [b, e] = net.outArcs().equal_range(id);
        for (auto it = b; it != e; ++it) {
            auto a = net.arcs().find(it->second);
            if (a == net.arcs().end()) continue;
            const std::vector<Point>& bends = a->second.bendPoints;
            for (size_t i = 0; i < bends.size(); ++i) {
                net.moveBendPoint(it->second, static_cast<int>(i), clampInt(bends[i].x + dx),
                                  clampInt(bends[i].y + dy));
                net.extendBounds(bends[i].x, bends[i].y);
            }
        }
    }
}

// One coordinate onto the middle of its grid cell; % keeps the sign of v, as the grid has always done.
int gridded(int v, int hatch, int size) {
    const long long r = v % hatch;
    return clampInt(v >= 1 ? static_cast<long long>(v) - r + size / 2
                           : static_cast<long long>(v) - r - size / 2);
}

}  // namespace

bool CEditCommands::handles(Cmd cmd) const {
    switch (cmd) {
        case Cmd::Copy:
        case Cmd::Cut:
        case Cmd::Paste:
        case Cmd::PasteHorizontal:
        case Cmd::PasteVertical:
        case Cmd::Delete:
        case Cmd::Align:
        case Cmd::Find:
        case Cmd::Undo:
        case Cmd::Redo:
        case Cmd::QuickSave:
        case Cmd::QuickLoad:
        case Cmd::Settings:
        case Cmd::VerilogOutput:
        case Cmd::HelpInfo:
            return true;
        default:
            return false;
    }
}

bool CEditCommands::enabled(Cmd cmd) const {
    const bool edit = !view_.document()->compiled();
    switch (cmd) {
        case Cmd::Copy:
        case Cmd::Cut:
        case Cmd::Delete:
        case Cmd::QuickSave:
        case Cmd::QuickLoad:
            return edit;
        case Cmd::Paste:
        case Cmd::PasteHorizontal:
        case Cmd::PasteVertical:
            return edit && !view_.document()->clipboardEmpty();
        case Cmd::Align:
            return view_.renderer().zoomLevel() == 0;
        case Cmd::Undo:
            return view_.document()->canUndo();
        case Cmd::Redo:
            return view_.document()->canRedo();
        default:
            return handles(cmd);
    }
}

void CEditCommands::run(Cmd cmd) {
    if (!enabled(cmd)) return;
    CNOVRADoc& doc = *view_.document();
    EditState& st = view_.interaction().state();
    CRenderer& rd = view_.renderer();
    CNet& n = view_.net();
    // The canvas point of the last mouse press.
    const QPoint lastPress = rd.toCanvas(st.lastMouse);
    switch (cmd) {
        case Cmd::Copy:
            doc.clipboard().clear();
            doc.clipboard().copyObjects(n, st.selection);
            doc.pasteAnchor = lastPress;
            break;
        case Cmd::Cut:
            run(Cmd::Copy);
            deleteSelection(EditStep::Cut);
            break;
        case Cmd::Paste: {
            view_.interaction().takeSnapshot(EditStep::Paste);
            st.selection = n.copyAll(doc.clipboard());
            const QPoint d = lastPress - doc.pasteAnchor;
            moveGroup(n, st.selection, d.x(), d.y());
            view_.interaction().computeSelectionRect();
            view_.renderer().setRebuild();
            view_.viewport()->update();
            break;
        }
        case Cmd::PasteHorizontal:
        case Cmd::PasteVertical: {
            Rect r;
            for (const auto& [id, o] : doc.clipboard().objects()) r.include(o.x, o.y);
            r.inflate(20);
            const bool horizontal = cmd == Cmd::PasteHorizontal;
            const long long stepX = horizontal ? static_cast<long long>(r.right) - r.left + 40 : 0;
            const long long stepY = horizontal ? 0 : static_cast<long long>(r.bottom) - r.top + 40;
            const QString prompt = QString::fromUtf8(text(msg::kPasteCount).c_str());
            const int count = view_.prompts().askNumber(&view_, prompt, 1);
            if (count < 1 || count > 100) break;
            view_.interaction().takeSnapshot(EditStep::PasteRepeat);
            st.selection.clear();
            const QPoint base = lastPress - doc.pasteAnchor;
            for (int i = 0; i < count; ++i) {
                const std::set<int> made = n.copyAll(doc.clipboard());
                moveGroup(n, made, base.x() + i * stepX, base.y() + i * stepY);
                st.selection.insert(made.begin(), made.end());
            }
            view_.interaction().computeSelectionRect();
            view_.renderer().setRebuild();
            view_.viewport()->update();
            break;
        }
        case Cmd::Delete:
            deleteSelection(EditStep::Delete);
            break;
        case Cmd::Align:
            if (!offGrid()) break;  // nothing would move
            view_.interaction().takeSnapshot(EditStep::Align);
            alignToGrid();
            view_.interaction().computeSelectionRect();
            view_.renderer().setRebuild();
            view_.viewport()->update();
            break;
        case Cmd::Find: {
            const int id = view_.prompts().askObjectId(&view_, n);
            if (id == 0) break;
            n.setStopObject(id);
            if (n.kindOf(id) != 0) view_.sim().pointAt(id, 10);
            view_.viewport()->update();
            break;
        }
        case Cmd::Undo:
        case Cmd::Redo:
            // What an open dialog shows may be what the step takes back.
            view_.interaction().closeObjectDialogs(true);
            view_.sim().resetSimulation();
            if (cmd == Cmd::Undo)
                doc.undo();
            else
                doc.redo();
            view_.renderer().setRebuild();
            view_.viewport()->update();
            break;
        case Cmd::QuickSave:
            quickSave();
            break;
        case Cmd::QuickLoad:
            quickLoad();
            break;
        case Cmd::Settings:
            view_.prompts().runSettings(&view_, doc, view_);
            break;
        case Cmd::VerilogOutput:
            runVerilogOutput(view_);
            break;
        case Cmd::HelpInfo:
            helpInfo();
            break;
        default:
            break;
    }
}

void CEditCommands::deleteSelection(EditStep what) {
    CNet& n = view_.net();
    EditState& st = view_.interaction().state();
    // An id that no longer names an object (the net changed under the selection) is passed over.
    if (std::any_of(st.selection.begin(), st.selection.end(), [&n](int id) { return n.kindOf(id) != 0; }))
        view_.interaction().takeSnapshot(what);
    for (int id : st.selection) {
        if (n.kindOf(id) == 0) continue;
        n.removeToken(id);
        n.deleteObject(id);
    }
    view_.interaction().closeObjectDialogs(false);
    st.selection.clear();
    st.selectionRect = QRect();
    view_.renderer().setRebuild();
    view_.viewport()->update();
}

bool CEditCommands::offGrid() const {
    const CNet& n = view_.net();
    const int hatch = std::max(1, view_.settings().hatchSize);
    const auto off = [hatch](int x, int y) {
        return gridded(x, hatch, CRenderer::kCell) != x || gridded(y, hatch, CRenderer::kCell) != y;
    };
    for (const auto& [id, o] : n.objects())
        if (off(o.x, o.y)) return true;
    for (const auto& [id, a] : n.arcs())
        for (const Point& p : a.bendPoints)
            if (off(p.x, p.y)) return true;
    return false;
}

void CEditCommands::alignToGrid() {
    const int hatch = std::max(1, view_.settings().hatchSize);
    view_.net().movePositions([hatch](Point p) {
        return Point{gridded(p.x, hatch, CRenderer::kCell), gridded(p.y, hatch, CRenderer::kCell)};
    });
}

QString CEditCommands::quickFile() const {
    return quickSavePath_.isEmpty() ? CConfig::quickSavePath() : quickSavePath_;
}

QString CEditCommands::quickFileOrSay() {
    const QString path = quickFile();
    if (path.isEmpty()) view_.reporter().log(text(msg::kNoExePath) + "\n");
    return path;
}

void CEditCommands::quickSave() {
    WaitCursor wait;
    view_.sim().resetSimulation();
    const QString path = quickFileOrSay();
    if (path.isEmpty()) return;
    // The quick file is a spare copy: the document keeps its own file, and its changes still count as
    // unsaved there.
    if (view_.document()->saveDocument(path, std::string(), false))
        view_.reporter().status(text(msg::kQuickSaved));
}

void CEditCommands::quickLoad() {
    if (!mayDiscard()) return;
    WaitCursor wait;
    view_.sim().resetSimulation();
    const QString path = quickFileOrSay();
    if (path.isEmpty()) return;
    // A file that cannot be read leaves its message in the log, so the log is only cleared on success;
    // what the view reports while the net is replaced (dialogs closed with it) follows that.
    std::string held;
    CReporter::Sink log = view_.reporter().swapLog([&held](const std::string& s) { held += s; });
    const bool loaded = view_.document()->loadContent(path);
    view_.reporter().swapLog(std::move(log));
    if (!loaded) return;
    if (auto* f = qobject_cast<CMainFrame*>(view_.window())) f->clearLog();
    if (!held.empty()) view_.reporter().log(held);
    view_.reporter().status(text(msg::kQuickLoaded));
    view_.renderer().setRebuild();
    view_.viewport()->update();
}

bool CEditCommands::openDroppedFile(const QString& path) {
    if (!mayDiscard()) return false;
    view_.sim().resetSimulation();
    view_.sim().stopSparks();  // they ring an object of the net about to go
    view_.window()->raise();
    view_.window()->activateWindow();
    const bool ok = view_.document()->openDocument(path);
    view_.renderer().setRebuild();
    view_.viewport()->update();
    emit view_.stateChanged();
    return ok;
}

bool CEditCommands::mayDiscard() {
    auto* f = qobject_cast<CMainFrame*>(view_.window());
    return !f || f->mayDiscardChanges();
}

void CEditCommands::helpInfo() {
    const MsgText* t = view_.sim().helpState == 2   ? &msg::kHelpInfo2
                       : view_.sim().helpState == 3 ? &msg::kHelpInfo3
                                                    : &msg::kHelpInfo1;
    view_.reporter().log(text(*t) + "\n");
    if (view_.sim().helpState == 3 && view_.net().kindOf(view_.net().stopObject()) != 0)
        view_.sim().pointAt(view_.net().stopObject(), 10);
}

}  // namespace novra::ui
