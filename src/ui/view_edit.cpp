// The clipboard, delete, align, find, undo and the other edit commands of the view.
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
// Coordinates stay ints however far a paste or the grid pushes them.
int clampInt(long long v) {
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

// Moves objects and the bend points of the arcs leaving them.
void moveGroup(CNet& net, const std::set<int>& ids, long long dx, long long dy) {
    if (dx == 0 && dy == 0) return;
    // Through the net's own operations, which log what moved for the paint index.
    for (int id : ids) {
        auto o = net.objects.find(id);
        if (o == net.objects.end()) continue;
        net.moveObject(id, clampInt(o->second.x + dx), clampInt(o->second.y + dy));
        net.bounds.include(o->second.x, o->second.y);
        auto [b, e] = net.outArcs.equal_range(id);
        for (auto it = b; it != e; ++it) {
            auto a = net.arcs.find(it->second);
            if (a == net.arcs.end()) continue;
            std::vector<Point>& bends = a->second.bendPoints;
            for (size_t i = 0; i < bends.size(); ++i) {
                net.moveBendPoint(it->second, static_cast<int>(i), clampInt(bends[i].x + dx),
                                  clampInt(bends[i].y + dy));
                net.bounds.include(bends[i].x, bends[i].y);
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

// Copies a whole net into an empty one and carries the stop options along: the copy numbers the objects
// from 1 in ascending order of the old ids, and the copy operation itself leaves that set behind.
void copyWhole(CNet& to, const CNet& from) {
    const std::set<int> made = to.copyAll(from);
    if (made.size() != from.objects.size()) return;
    auto n = made.begin();
    for (const auto& [id, o] : from.objects) {
        if (from.simTranOpt.count(id) && to.kindOf(*n) == kTransition) to.simTranOpt.insert(*n);
        ++n;
    }
}
}  // namespace

void CNOVRAView::installEditQuestions() {
    if (!askNumber)
        askNumber = [this](const QString& prompt, int initial) {
            CNumberDialog d(prompt, initial, this);
            return d.exec() == QDialog::Accepted ? d.number() : -1;
        };
    if (!askObjectId)
        askObjectId = [this](const CNet& n) {
            CObjectListDialog d(n, this);
            d.exec();
            return d.result();
        };
    if (!askVerilog)
        askVerilog = [this](CNOVRADoc& doc, double& delayOverPlus) {
            CVerilogDialog d(doc, this);
            if (d.exec() != QDialog::Accepted) return false;
            delayOverPlus = d.delayOverPlus();
            return true;
        };
    if (!runSettings)
        runSettings = [this] {
            CConfigDialog d(*doc_, *this, this);
            d.exec();
        };
}

CNet& CNOVRAView::clipboardNet() {
    if (!clipboard_) clipboard_ = std::make_unique<CNet>();
    return *clipboard_;
}

bool CNOVRAView::editHandles(Cmd cmd) const {
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

bool CNOVRAView::editCommandEnabled(Cmd cmd) const {
    const bool edit = appCompiled == 0;
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
            return edit && clipboard_ && !clipboard_->objects.empty();
        case Cmd::Align:
            return zoom_ == 0;
        case Cmd::Undo:
            return undo_ && !undo_->objects.empty();
        default:
            return editHandles(cmd);
    }
}

void CNOVRAView::runEditCommand(Cmd cmd) {
    if (!editCommandEnabled(cmd)) return;
    installEditQuestions();
    CNet& n = net();
    switch (cmd) {
        case Cmd::Copy:
            clipboardNet().clear();
            clipboardNet().copyObjects(n, selection);
            pasteAnchor = lastPressCanvas();
            break;
        case Cmd::Cut:
            runEditCommand(Cmd::Copy);
            runEditCommand(Cmd::Delete);
            break;
        case Cmd::Paste: {
            takeSnapshot();
            selection = n.copyAll(clipboardNet());
            const QPoint d = lastPressCanvas() - pasteAnchor;
            moveGroup(n, selection, d.x(), d.y());
            computeSelectionRect();
            rebuild_ = true;
            viewport()->update();
            break;
        }
        case Cmd::PasteHorizontal:
        case Cmd::PasteVertical: {
            Rect r;
            for (const auto& [id, o] : clipboardNet().objects) r.include(o.x, o.y);
            r.inflate(20);
            const bool horizontal = cmd == Cmd::PasteHorizontal;
            const long long stepX = horizontal ? static_cast<long long>(r.right) - r.left + 40 : 0;
            const long long stepY = horizontal ? 0 : static_cast<long long>(r.bottom) - r.top + 40;
            const QString prompt = QString::fromUtf8(text(msg::kPasteCount).c_str());
            const int count = askNumber(prompt, 1);
            if (count < 1 || count > 100) break;
            takeSnapshot();
            selection.clear();
            const QPoint base = lastPressCanvas() - pasteAnchor;
            for (int i = 0; i < count; ++i) {
                const std::set<int> made = n.copyAll(clipboardNet());
                moveGroup(n, made, base.x() + i * stepX, base.y() + i * stepY);
                selection.insert(made.begin(), made.end());
            }
            computeSelectionRect();
            rebuild_ = true;
            viewport()->update();
            break;
        }
        case Cmd::Delete:
            // An id that no longer names an object (the net changed under the selection) is passed over.
            if (std::any_of(selection.begin(), selection.end(), [&n](int id) { return n.kindOf(id) != 0; }))
                takeSnapshot();
            for (int id : selection) {
                if (n.kindOf(id) == 0) continue;
                n.tokens.erase(id);
                n.deleteObject(id);
            }
            closeObjectDialogs(false);
            selection.clear();
            selectionRect = QRect();
            rebuild_ = true;
            viewport()->update();
            break;
        case Cmd::Align:
            if (!offGrid()) break;  // nothing would move
            takeSnapshot();
            alignToGrid();
            computeSelectionRect();
            rebuild_ = true;
            viewport()->update();
            break;
        case Cmd::Find: {
            const int id = askObjectId(n);
            if (id == 0) break;
            n.stopObject = id;
            if (n.kindOf(id) != 0) pointAt(id, 10);
            viewport()->update();
            break;
        }
        case Cmd::Undo:
            // The copy numbers its objects afresh: no dialog can stay with its object.
            closeObjectDialogs(true);
            n.clear();
            copyWhole(n, undoNet());
            undoNet().clear();
            resetSimulation();
            doc_->setModified(true);
            rebuild_ = true;
            viewport()->update();
            break;
        case Cmd::QuickSave:
            quickSave();
            break;
        case Cmd::QuickLoad:
            quickLoad();
            break;
        case Cmd::Settings:
            runSettings();
            break;
        case Cmd::VerilogOutput:
            verilogOutput();
            break;
        case Cmd::HelpInfo:
            helpInfo();
            break;
        default:
            break;
    }
}

bool CNOVRAView::offGrid() const {
    const CNet& n = net();
    const int hatch = std::max(1, settings_.hatchSize);
    const auto off = [hatch](int x, int y) {
        return gridded(x, hatch, kCell) != x || gridded(y, hatch, kCell) != y;
    };
    for (const auto& [id, o] : n.objects)
        if (off(o.x, o.y)) return true;
    for (const auto& [id, a] : n.arcs)
        for (const Point& p : a.bendPoints)
            if (off(p.x, p.y)) return true;
    return false;
}

void CNOVRAView::alignToGrid() {
    CNet& n = net();
    const int hatch = std::max(1, settings_.hatchSize);
    for (auto& [id, o] : n.objects) {
        o.x = gridded(o.x, hatch, kCell);
        o.y = gridded(o.y, hatch, kCell);
    }
    for (auto& [id, a] : n.arcs)
        for (Point& p : a.bendPoints) {
            p.x = gridded(p.x, hatch, kCell);
            p.y = gridded(p.y, hatch, kCell);
        }
    // Everything may have moved: the paint index starts afresh.
    n.geometryChanged();
}

void CNOVRAView::snapshotForUndo() {
    doc_->setModified(true);
    // A compiled net is not edited; its records are in use by the simulation.
    if (appCompiled != 0) return;
    CNet& u = undoNet();
    u.clear();
    copyWhole(u, net());
    u.stopObject = 0;
}

}  // namespace novra::ui
