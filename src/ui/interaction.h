#pragma once
// CInteraction: mouse and keys on the canvas. What is common to every tool (hit testing, the simulation
// tokens a click puts on a compiled net, panning, keys, the tooltip, the overlay) lives here; the rest goes
// to the handler of the active tool (tool_handlers.h). It also carries the tool commands, the variable
// menus, the context menus and the property dialogs of the objects.
#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "ui/commands.h"
#include "ui/edit_state.h"
#include "ui/edit_step.h"

class QCursor;
class QDialog;
class QHelpEvent;
class QKeyEvent;
class QMouseEvent;
class QPaintEvent;
class QPainter;

namespace novra {
class CNet;
}

namespace novra::ui {

class CNOVRAView;
class CRenderer;
class CObjectDialog;
class CToolHandler;

class CInteraction {
  public:
    explicit CInteraction(CNOVRAView& view);
    ~CInteraction();

    EditState& state() { return state_; }
    const EditState& state() const { return state_; }

    // --- events from the view (interaction.cpp) ---
    void mousePress(QMouseEvent* e);
    void mouseRelease(QMouseEvent* e);
    void mouseDoubleClick(QMouseEvent* e);
    void mouseMove(QMouseEvent* e);
    void keyPress(QKeyEvent* e);
    void keyRelease(QKeyEvent* e);
    void showToolTip(QHelpEvent* e);

    // --- the overlay (interaction_overlay.cpp) ---
    void drawOverlay(QPainter& p);
    // A pointer move that changes only the overlay repaints only where the overlay was and is, from the
    // back buffer as it stands; true when this paint was served that way.
    bool paintOverlayOnly(QPaintEvent* e);

    // --- tool, variable and dialog commands (interaction_commands.cpp) ---
    bool handles(Cmd cmd) const;
    bool enabled(Cmd cmd) const;
    bool checked(Cmd cmd) const;
    void run(Cmd cmd);
    // The mode, selection, pending arc, drags and keys back to rest; the compiled flag stays.
    void resetEditState();
    static QCursor cursorFor(int role);
    // Opens the property dialog of the object last clicked; nullptr when it has none.
    QDialog* openObjectDialog(Cmd cmd);
    static int dialogKind(Cmd cmd);
    // Closes the open property dialogs, all or those whose object is gone; the log tells of edits lost.
    void closeObjectDialogs(bool all);
    // Locks the open property dialogs while the net is compiled.
    void lockObjectDialogs();
    // The main window's command (or the view's, without one), and its rule as the menus show it.
    void runFrameCommand(Cmd cmd);
    bool frameCommandEnabled(Cmd cmd) const;

    // --- what the tool handlers share (interaction_tools.cpp) ---
    CNOVRAView& view() const { return view_; }
    CNet& net() const;
    CRenderer& renderer() const;
    void showStatus(const std::string& s);
    void setRole(int role);
    // A change of the net begins: one step of the undo history.
    void takeSnapshot(EditStep what);
    void computeSelectionRect();
    bool mayStartArc(int id, bool hovering) const;
    bool validTarget(int id) const;
    void startArc(int id);
    void finishArc();
    void cancelArc();
    // A click of the arc tool, or of continuous placement on an object.
    void arcClick(int hit, QPoint canvas);
    // The pointer over the canvas while an arc may start or is pending.
    void arcHover(QPoint client, int hit);
    void placeObject(QPoint canvas);
    void frameObject(int id, QColor color);
    void edgeScroll(QPoint client);
    // A drag is one step of undo, begun before it first moves anything.
    void copyBeforeDrag();
    void showSelectionMenu();
    void showCanvasMenu();
    void showVariableMenu(int transitionId);

  private:
    // The handler of the active tool (the pan handler takes the moves while the canvas is panned).
    CToolHandler& handler();
    void startPan(QPoint p);
    void leftDown(QPoint p, bool shift);
    void rightDown(QPoint p);
    void continuePlacement(int id);
    void putSimToken(int placeId, int value);
    void runVariableCommand(int n);
    void showFunctionTip(QPoint globalPos);
    QRect overlayBounds() const;
    void updateOverlay(const QRect& before);

    CNOVRAView& view_;
    EditState state_;
    std::vector<std::unique_ptr<CToolHandler>> handlers_;  // by tool, see handler()
    std::vector<QPointer<CObjectDialog>> objectDialogs_;
    QRect overlayDirty_;
};

}  // namespace novra::ui
