#pragma once
// CNOVRAView: the canvas. It draws the document's net (rendering), turns mouse and keys into edits,
// drives the simulation and carries the view's commands; each concern lives in its own view_*.cpp.
#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "model/records.h"
#include "ui/commands.h"
#include "ui/config.h"

class QCursor;
class QDialog;
class QMenu;
class QAction;
class QPainter;
class QPrinter;

namespace novra {
class CNet;
}

namespace novra::ui {

class CNOVRADoc;
class CObjectDialog;

// Object shapes at zoom level 0, offsets from the top-left corner of the object's 40 x 40 cell.
struct ShapeTable {
    // place ellipse box, transition bar, then the uhzi / kemmakix points A to E.
    std::array<int, 18> v{1, 1, 39, 39, 15, 1, 25, 39, 17, 10, 1, 1, 1, 39, 17, 29, 37, 19};
    ShapeTable shifted(int level) const;
};

class CNOVRAView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    static constexpr int kCell = 40;
    static constexpr int kMaxZoom = 5;

    explicit CNOVRAView(CNOVRADoc* doc, QWidget* parent = nullptr);  // reads the view's settings
    ~CNOVRAView() override;                                          // writes them back

    CNOVRADoc* document() const { return doc_; }
    CNet& net() const;

    ViewSettings& settings() { return settings_; }
    // After a change of colours or zoom: pens, brushes and sprites follow.
    void settingsChanged();

    using Sink = std::function<void(const std::string&)>;
    void setReporters(Sink log, Sink status) {
        log_ = std::move(log);
        status_ = std::move(status);
    }

    // --- zoom and scrolling (view_zoom.cpp) ---
    int zoomLevel() const { return zoom_; }
    int extraLevel() const { return extraLevel_; }
    int drawLevel() const { return zoom_ + extraLevel_; }
    int objectSize() const { return objectSize_; }
    // One wheel movement: delta in 1/120 notches; with S held it changes the extra level instead.
    void wheelZoom(int delta, bool sHeld);
    void zoomIn() { wheelZoom(-120, false); }
    void zoomOut() { wheelZoom(120, false); }
    QPoint scrollPos() const { return scroll_; }
    void setScrollPos(QPoint p);
    // Scrolls by an offset in client pixels (shifted by the zoom level, or the drawing level).
    void scrollByOffset(int dx, int dy, bool useDrawLevel = false);
    QPoint toClient(int canvasX, int canvasY) const;
    QPoint toCanvas(QPoint client) const;
    int clientWidth() const { return clientW_; }
    int clientHeight() const { return clientH_; }

    // --- rendering (view_render.cpp, view_shapes.cpp) ---
    // Draws the static layer into the back buffer as a paint would, without showing it.
    void renderFrame();
    const QImage& backBuffer() const { return back_; }
    // The object drawn at a client point, 0 for none or for an id the net no longer has.
    int idAt(QPoint client) const;
    // Texts drawn by the last frame (labels, marks, ids, token values), in drawing order.
    struct DrawnText {
        QString text;
        QPoint pos;
    };
    const std::vector<DrawnText>& drawnTexts() const { return texts_; }
    // Draws one object of a kind with its top-left corner at (x, y) (also used by the animations).
    void drawObject(QPainter& p, int kind, int x, int y, int level) const;
    // The simulation overlay over a copy of the back buffer, shown at once.
    void drawSimulationFrame();
    const QImage& workBuffer() const { return work_; }

    // --- commands (view_commands.cpp) ---
    // Whether the view carries a command, and its state; the main frame asks before its own rules.
    bool handlesCommand(Cmd cmd) const;
    bool commandEnabled(Cmd cmd) const;
    bool commandChecked(Cmd cmd) const;
    void runCommand(Cmd cmd);

    // --- printing (view_print.cpp) ---
    void printSetup();
    void print();
    void printPreview();
    void printTo(QPrinter* printer);

    // --- state the later parts of the editor share ---
    // Process-wide: 0 edit, 1 compiled, 2 while a print job draws.
    static int appCompiled;
    int viewCompiled = 0;
    std::set<int> selection;
    QRect selectionRect;  // canvas units; empty when nothing is selected
    int arcSource = 0;
    bool arcPending = false;
    int grabbedObject = 0;
    int keyState = 0;
    void setRebuild() { rebuild_ = true; }
    // Consumes the document's open notice as the next paint would.
    void consumeOpenNotice();
    void resetInteraction();

    // --- tool modes and mouse editing (view_modes.cpp, view_input.cpp, view_overlay.cpp) ---
    enum Mode { kModeNone = 0, kModePlace = 1, kModeTransition = 2, kModeUhzi = 3, kModeKemmakix = 4,
                kModeToken = 5, kModeArc = 8, kModeHand = 9, kModeDelete = 10 };
    enum CursorRole { kCursorDrag = 148, kCursorHand = 150, kCursorPan = 155, kCursorBand = 156,
                      kCursorArc = 157 };
    int toolMode = kModeNone;
    int continuous = 0;
    int hitObject = 0;
    int arcTarget = 0;
    std::vector<Point> bendPoints;  // of the pending arc, in the order clicked
    std::string varName;            // variable the pending arc will carry
    bool groupDrag = false;
    QPoint dragOrigin;  // canvas
    bool panning = false;
    bool spaceClick = false;
    QPoint lastMouse;  // client
    int varMenuMode = 0;  // 1 input, 2 output
    QString tooltipText;
    int tooltipObject = 0;
    int cursorRole = 0;  // the role of the cursor last set, 0 for the arrow
    // The mode, selection, pending arc, drags and keys back to rest; the compiled flags stay.
    void resetEditState();
    // The state before the last change, for Undo.
    CNet& undoNet();
    void takeSnapshot();
    // Shows a context menu and returns the chosen action; tests replace it to choose without a popup.
    std::function<QAction*(QMenu&, QPoint)> runMenu;
    // The last status text the view showed.
    const std::string& lastStatus() const { return lastStatus_; }
    static QCursor cursorFor(int role);
    // Opens the property dialog of the object last clicked (view_dialogs.cpp); nullptr when it has none.
    QDialog* openObjectDialog(Cmd cmd);
    static int dialogKind(Cmd cmd);
    // Closes the open property dialogs, all or those whose object is gone; the log tells of edits lost.
    void closeObjectDialogs(bool all);
    // The net was replaced or cleared: its undo copy and its dialogs go with it.
    void forgetNet();

    // --- simulation control and animation (view_sim.cpp, view_anim.cpp) ---
    bool simHandles(Cmd cmd) const;
    bool simCommandEnabled(Cmd cmd) const;
    void runSimCommand(Cmd cmd);
    // Compile as the command does; returns whether the net compiled.
    bool compileCommand();
    // Abort as the command does: back to edit mode.
    void abortCommand();
    // Reset of the view's simulation state (compiled flags, interaction state, rebuild, token movements).
    void resetSimulation();
    // Scrolls the object to the centre and rings it with sparks restarted at the given period (ms).
    void pointAt(int id, int sparkPeriod);
    // Runs the main frame's Save command (compile with automatic saving); set by the main frame.
    std::function<void()> requestSave;
    // 1 nothing special, 2 the last compile error lies at a transition, 3 a fire stop.
    int helpState = 1;
    // BEGIN simulation members (view_sim.cpp, view_anim.cpp)
    // The four window timers: 1 simulation clock, 2 token movement, 3 spark ring, 4 scroll to an object.
    enum SimTimer { kClockTimer = 1, kMoveTimer = 2, kSparkTimer = 3, kScrollTimer = 4 };
    bool simTimerActive(int timer) const;
    int simTimerPeriod(int timer) const;  // ms; 0 when the timer is stopped
    // What one tick of each timer does; tests call them to drive the simulation without waiting.
    void simClockTick();
    void tokenMoveTick();
    void sparkTick();
    void scrollTick();
    int running = 0;  // 1 between Run and Pause or Abort
    int advance = 0;  // 1 when the next clock tick may perform a phase
    // A token travelling along an arc after a firing; coordinates unzoomed, relative to the scroll position.
    struct TokenMove {
        int startX, startY, endX, endY;
        int distance;
        int step = 2;
        int divisor = 10;
        int color;
    };
    std::vector<TokenMove> tokenMoves;
    struct Spark {
        int baseRadius, speed;
        int front = 1, inside = 0, parity = 0;
        int red = 255, green, blue = 0;
        int colorPhase = 0, colorStep = 20;
        double angle;
    };
    std::vector<Spark> sparks;
    static int sparkRecreate;  // 1: the next spark tick deals a new ring
    int scrollStep = 0;        // 0: the scroll animation starts afresh at its next tick
    static int scrollSteps;
    static QPoint scrollDelta;
    // Random numbers for the jitter and the sparks; tests replace it to get the same picture every time.
    std::function<int()> simRand;
    // Asks before Clear all; true for OK. Tests replace it to answer without a message box.
    std::function<bool()> confirmClearAll;
    bool tokenMoveShown() const { return !tokenMoves.empty(); }

  private:
    void ensureSimMachinery();
    void startSimTimer(int timer, int ms);
    void stopSimTimer(int timer);
    void stepCycle();
    void stepCommand();
    void runCommandSim();
    void pauseCommand();
    void clearAllCommand();
    void rewindCommand();
    void buildTokenMoves();
    void freeTokenMoves();
    void stopSparks();
    void createSparks();
    void logLine(const std::string& s);
    void clearLogWindow();
    void showSimulationFrame();
    // The animation frames live in the work buffer and reach the window through these.
    friend class CSimPaintFilter;
    bool simPaint(QPaintEvent* e);
    void prepareWork();
    void eraseFrom(QRect r);
    void showArea(QRect r);
    // Draw the animations into the work buffer, one step on or where they are; return the area touched.
    QRect paintTokenMoves(bool step);
    QRect paintSparks(bool step);
    QPoint zoomedClient(int x, int y) const;
    void timerEvent(QTimerEvent* e) override;
    std::array<int, 5> simTimerIds_{};      // QObject timer ids by our timer number, 0 when stopped
    std::array<int, 5> simTimerPeriods_{};
    QObject* simPaintFilter_ = nullptr;
    QRect animAsked_;            // parts of the window the animations asked to repaint from the work buffer
    QRect moveDirty_, sparkDirty_;  // last frame of each animation, to be erased by the next
    bool workStale_ = true;
    bool simFrameOnly_ = false;  // the next simulation paint may reuse the back buffer as it is
    QPoint workScroll_;
    int workZoom_ = -1;

  public:
    // END simulation members

    // --- edit, file and document commands (view_edit.cpp, view_file.cpp) ---
    bool editHandles(Cmd cmd) const;
    bool editCommandEnabled(Cmd cmd) const;
    void runEditCommand(Cmd cmd);
    // BEGIN edit members (view_edit.cpp, view_file.cpp)
    // The internal clipboard: the objects last copied and the arcs among them.
    CNet& clipboardNet();
    QPoint pasteAnchor;  // canvas point of the last mouse press when Copy ran
    // The canvas point of the last mouse press.
    QPoint lastPressCanvas() const { return toCanvas(lastMouse); }
    // Moves every object centre and bend point of the net onto the grid.
    void alignToGrid();
    bool offGrid() const;  // whether Align would move anything
    // The undo copy taken before every change (none while compiled); marks the document modified.
    void snapshotForUndo();
    // Questions the edit and file commands ask; tests replace them to answer without a popup. Whatever is
    // not set when a command runs gets the dialog.
    void installEditQuestions();
    // The number dialog: the number, or -1 on Cancel.
    std::function<int(const QString& prompt, int initial)> askNumber;
    // The object list: the chosen id, 0 on Cancel.
    std::function<int(const CNet&)> askObjectId;
    // The Verilog output dialog; false on Cancel.
    std::function<bool(CNOVRADoc&, double& delayOverPlus)> askVerilog;
    // The settings dialog, run modally.
    std::function<void()> runSettings;
    // Whether unsaved changes may go (the main frame asks Save / Discard / Cancel); true to go on.
    std::function<bool()> confirmDiscard;
    // Quick save file; empty for the one beside the executable.
    QString quickSavePath;
    QString quickFile() const;
    void quickSave();
    void quickLoad();
    // A file dropped on the window; returns whether it was read.
    bool openDroppedFile(const QString& path);
    void verilogOutput();
    void helpInfo();
    std::unique_ptr<CNet> clipboard_;
    // END edit members

  signals:
    void stateChanged();
    void coordinatesChanged(int x, int y);

  protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void wheelEvent(QWheelEvent*) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    bool viewportEvent(QEvent* e) override;

  private:
    enum SizeState { kNothingPending = 0, kFirstPaint = 1, kResized = 2, kOpened = 3 };

    // view_render.cpp
    void prepareFrame();
    void drawStatic(QPainter& p, bool screen);
    // Edit mode shows the initial marking and the marks; a print job shows what the window would.
    bool showsEditMarking(bool screen) const { return appCompiled == 0 || (!screen && viewCompiled == 0); }
    void drawGrid(QPainter& p);
    void drawObjects(QPainter& p, bool screen);
    void drawEditTokens(QPainter& p);
    void drawSimTokens(QPainter& p);
    void tintSelection();
    void drawSelectionTracker(QPainter& p);
    void drawText(QPainter& p, int x, int y, const QString& s, QColor color);
    void centreNet();
    // The back, work and id buffers hold the client area in device pixels, so that the canvas is as sharp
    // as the rest of the window on a dense screen; these map client coordinates onto them.
    QSize bufferSize() const;  // what the buffers must measure for the viewport as it is now
    qreal bufferRatio() const { return back_.isNull() ? 1.0 : back_.devicePixelRatio(); }
    QRect bufferRect(const QRect& client) const;     // the buffer pixels a client rectangle covers, clipped
    QRectF bufferSource(const QRect& client) const;  // the same, exact, as a source to draw from
    // view_shapes.cpp
    void rebuildPens();
    void rebuildSprites();
    void buildBaseSprites();
    void drawArcs(QPainter& p);
    void drawArrowHead(QPainter& p, QPointF from, QPointF to, int length) const;
    void drawToken(QPainter& p, int cx, int cy, int color, int value, bool tremble);
    void drawPastToken(QPainter& p, int cx, int cy, int color);
    void drawVectorShape(QPainter& p, int kind, int x, int y, const ShapeTable& t, int level) const;
    // view_modes.cpp
    bool isToolCommand(Cmd cmd) const;
    void runToolCommand(Cmd cmd);
    void runVariableCommand(int n);
    void showStatus(const std::string& s);
    void setRole(int role);
    bool mayStartArc(int id, bool hovering) const;
    bool validTarget(int id) const;
    void startArc(int id);
    void finishArc();
    void cancelArc();
    void placeObject(QPoint canvas);
    void continuePlacement(int id);
    void showVariableMenu(int transitionId);
    void showSelectionMenu();
    void showCanvasMenu();
    void runFrameCommand(Cmd cmd);
    bool frameCommandEnabled(Cmd cmd) const;  // the main window's rule, as its menus show it
    void computeSelectionRect();
    // view_input.cpp
    int hitTest(QPoint client);
    void leftDown(QPoint p, bool shift);
    void rightDown(QPoint p);
    void startPan(QPoint p);
    void moveInMode(QPoint p, int hit);
    void copyBeforeDrag();
    void edgeScroll(QPoint p);
    void finishRubberBand(bool shift);
    void putSimToken(int placeId, int value);
    void showFunctionTip(QPoint globalPos);
    // view_dialogs.cpp
    void lockObjectDialogs();
    // view_overlay.cpp
    void drawOverlay(QPainter& p);
    void frameObject(int id, QColor color);
    // view_zoom.cpp
    void applyZoom();
    void updateScrollBars();
    bool cellVisible(const QRect& cell) const;

    CNOVRADoc* doc_;
    ViewSettings settings_;
    Sink log_, status_;

    int zoom_ = 0;
    static int extraLevel_;  // process-wide
    int objectSize_ = kCell;
    QPoint scroll_{0, 0};
    int clientW_ = 0, clientH_ = 0;
    int sizeState_ = kFirstPaint;
    bool rebuild_ = true;
    bool updatingBars_ = false;
    int wheelRemainder_ = 0;

    ShapeTable base_;
    ShapeTable zoomed_;
    ShapeTable drawScaled_;

    QImage back_;
    QImage work_;
    std::vector<int> idBuffer_;
    std::vector<DrawnText> texts_;

    // Pens and colours, rebuilt with the zoom and the colour settings.
    QPen placePen_, transitionPen_, uhziPen_, kemmakixPen_, arcPen_, gridPen_, tokenPen_;
    QColor kemmakixFill_;
    QFont font_;  // marks, ids, labels and token values at the current zoom
    // Sprites: the four kinds at 40 x 40 (row 0) and scaled to the object size (row 1), with skins.
    std::array<QImage, 5> sprite40_;
    std::array<QImage, 5> spriteScaled_;
    bool skinLoaded_ = false;
    QImage skinBack_;

    std::unique_ptr<CNet> undo_;
    bool dragCopied_ = false;  // the drag in progress has taken its undo copy
    std::vector<QPointer<CObjectDialog>> objectDialogs_;
    std::string lastStatus_;
    bool rubberBand_ = false;
    QPoint bandStart_, bandEnd_;  // client
    // What the overlay draws over the back buffer: a frame round an object, the rubber arc, the outline of
    // the object about to be placed.
    int frameId_ = 0;
    QColor frameColor_;
    bool rubberArc_ = false;
    QPoint rubberArcEnd_;  // client
    bool outline_ = false;
    QPoint outlineAt_;  // client
    // BEGIN paint index members
    // Where the objects and arc segments lie on the canvas, so that a paint visits only what the window
    // shows (view_paint_index.cpp). It follows the net's geometry journal: moves, additions and removals
    // are applied as they come, bigger changes rebuild it; repaints, tokens, colours and zoom leave it be.
    struct PaintIndex;
    friend class PaintIndexProbe;  // the index test compares it with one built afresh
    std::shared_ptr<PaintIndex> paintIndex_;
    // The window shows another part of the canvas (scroll, zoom, pan): the id buffer is refilled, the
    // index stays.
    bool viewMoved_ = false;
    bool paintIndexOutdated() const;
    void refreshPaintIndex();
    // Positions in the index (ascending ID) of the objects and arcs that may show in the client area.
    const std::vector<unsigned>& visibleObjects();
    const std::vector<unsigned>& visibleArcs();
    // A pointer move that changes only the overlay repaints only where the overlay was and is, from the
    // back buffer as it stands (view_input.cpp).
    QRect overlayBounds() const;
    void updateOverlay(const QRect& before);
    bool paintOverlayOnly(QPaintEvent* e);
    QRect overlayDirty_;
    long long backSerial_ = 0;   // renders of the back buffer
    long long shownSerial_ = -1;  // the render the last full paint showed
    // END paint index members
};

// 0x00BBGGRR settings colour to a QColor.
inline QColor colorFromSetting(int c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace novra::ui
