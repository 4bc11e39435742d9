#pragma once
// CRenderer: draws the document's net on the canvas widget and into print jobs. It keeps what the window
// looks at (zoom level, extra drawing level, scroll position, client size), the pens, sprites and shapes,
// the back buffer and the work buffer the animations draw into, the id buffer that says which object is
// drawn at a pixel, and the texts the last frame drew.
#include <QAbstractScrollArea>
#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>
#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <vector>

#include "ui/config.h"

class QPainter;
class QPrinter;

namespace novra {
class CNet;
}

namespace novra::ui {

class CNOVRADoc;
class CPaintIndex;
struct EditState;

// Object shapes at zoom level 0, offsets from the top-left corner of the object's 40 x 40 cell.
struct ShapeTable {
    // place ellipse box, transition bar, then the uhzi / kemmakix points A to E.
    std::array<int, 18> v{1, 1, 39, 39, 15, 1, 25, 39, 17, 10, 1, 1, 1, 39, 17, 29, 37, 19};
    ShapeTable shifted(int level) const;
};

class CRenderer {
  public:
    static constexpr int kCell = 40;
    static constexpr int kMaxZoom = 5;

    CRenderer(QAbstractScrollArea& widget, CNOVRADoc& doc, const ViewSettings& settings,
              const EditState& edit);
    // A renderer of a net without a document, for pictures only (novra-cli export): `widget` is never
    // shown and the net is drawn as in edit mode.
    CRenderer(QAbstractScrollArea& widget, CNet& net, const ViewSettings& settings, const EditState& edit);
    ~CRenderer();

    // --- what the window looks at (renderer_zoom.cpp) ---
    int zoomLevel() const { return zoom_; }
    int extraLevel() const { return extraLevel_; }
    int drawLevel() const { return zoom_ + extraLevel_; }
    int objectSize() const { return objectSize_; }
    // One wheel movement: delta in 1/120 notches; with S held it changes the extra level instead.
    void wheelZoom(int delta, bool sHeld);
    QPoint scrollPos() const { return scroll_; }
    void setScrollPos(QPoint p);
    // Scrolls by an offset in client pixels (shifted by the zoom level, or the drawing level).
    void scrollByOffset(int dx, int dy, bool useDrawLevel = false);
    // The scroll bars moved: the position follows them. False while the renderer sets them itself.
    bool scrollBarsMoved();
    QPoint toClient(int canvasX, int canvasY) const;
    QPoint toCanvas(QPoint client) const;
    int clientWidth() const { return clientW_; }
    int clientHeight() const { return clientH_; }
    bool cellVisible(const QRect& cell) const;

    // --- frames (renderer.cpp) ---
    // Runs before every frame (the view consumes the document's open notice there).
    void setFrameHook(std::function<void()> hook) { frameHook_ = std::move(hook); }
    // Draws the static layer into the back buffer as a paint would, without showing it.
    void renderFrame();
    const QImage& backBuffer() const { return back_; }
    QImage& workBuffer() { return work_; }
    // The object drawn at a client point, 0 for none or for an id the net no longer has.
    int idAt(QPoint client) const;
    // As idAt, after bringing the id buffer up to the net if an edit left it behind.
    int hitTest(QPoint client);
    // Texts drawn by the last frame (labels, marks, ids, token values), in drawing order.
    struct DrawnText {
        QString text;
        QPoint pos;
    };
    const std::vector<DrawnText>& drawnTexts() const { return texts_; }
    // Draws one object of a kind with its top-left corner at (x, y) (also used by the animations).
    void drawObject(QPainter& p, int kind, int x, int y, int level) const;
    void drawArrowHead(QPainter& p, QPointF from, QPointF to, int length) const;
    // The simulation overlay over a copy of the back buffer, shown at once.
    void drawSimulationFrame();
    const QPen& arcPen() const { return arcPen_; }
    const QPen& tokenPen() const { return tokenPen_; }
    // After a change of colours: pens, brushes and sprites follow.
    void settingsChanged();
    // The net changed: the next frame refills the id buffer. The window moved: the same, index kept.
    void setRebuild() { rebuild_ = true; }
    bool rebuildPending() const { return rebuild_; }
    void setViewMoved() { viewMoved_ = true; }
    bool viewMovedPending() const { return viewMoved_; }
    // The widget was resized, or a net was opened and is to be centred at the next frame.
    void resized();
    void netOpened(bool startup);
    // Forgets every id in the id buffer (the net was cleared).
    void clearIds();
    // The back, work and id buffers hold the client area in device pixels, so that the canvas is as sharp
    // as the rest of the window on a dense screen; these map client coordinates onto them.
    QSize bufferSize() const;  // what the buffers must measure for the viewport as it is now
    QRect bufferRect(const QRect& client) const;     // the buffer pixels a client rectangle covers, clipped
    QRectF bufferSource(const QRect& client) const;  // the same, exact, as a source to draw from
    // Renders of the back buffer so far, and the render the last full paint showed.
    long long backSerial() const { return backSerial_; }
    void markShown() { shownSerial_ = backSerial_; }
    bool shownCurrent() const { return shownSerial_ == backSerial_; }
    // The paint index as the last frame used it (tests compare it with one built afresh).
    const CPaintIndex* paintIndex() const { return paintIndex_.get(); }
    void refreshPaintIndex();

    // --- printing (renderer.cpp) ---
    // The whole net at zoom level 0 on the printer's page; false when the printer cannot be drawn on.
    bool printTo(QPrinter* printer);
    // One printer (landscape A4 at first) for as long as the window lives, so that the page setup
    // carries over to the next print.
    QPrinter& printer();

    // --- pictures (renderer.cpp) ---
    // What a picture is told before each of its parts is drawn: the background and grid, each arc, each
    // object (by its kind) and the tokens, so that a vector picture can keep every one in a group.
    enum PicturePart { kPartBackground = -1, kPartArc = -2, kPartTokens = -3 };
    using PartHook = std::function<void(QPainter& p, int part, int id)>;
    // Draws the canvas rectangle at `topLeft` of `size` at zoom level 0 onto (0, 0)-(size) of the painter,
    // as a print job would: the objects in `only` and the arcs among them, or everything for nullptr.
    void drawPicture(QPainter& p, QPoint topLeft, QSize size, const std::set<int>* only,
                     const PartHook* hook);
    CNet& net() const;  // the net drawn

  private:
    enum SizeState { kNothingPending = 0, kFirstPaint = 1, kResized = 2, kOpened = 3 };
    bool compiled() const;
    void prepareFrame();
    void drawStatic(QPainter& p, bool screen);
    void drawGrid(QPainter& p);
    void drawObjects(QPainter& p, bool screen);
    void drawEditTokens(QPainter& p);
    void drawSimTokens(QPainter& p, bool screen);
    void tintSelection();
    void drawSelectionTracker(QPainter& p);
    void drawText(QPainter& p, int x, int y, const QString& s, QColor color);
    void centreNet();
    qreal bufferRatio() const { return back_.isNull() ? 1.0 : back_.devicePixelRatio(); }
    // Positions in the index (ascending ID) of the objects and arcs that may show in the client area.
    const std::vector<unsigned>& visibleObjects();
    const std::vector<unsigned>& visibleArcs();
    // renderer_shapes.cpp
    void rebuildPens();
    void rebuildSprites();
    void buildBaseSprites();
    void drawArcs(QPainter& p);
    void drawToken(QPainter& p, int cx, int cy, int color, int value, bool tremble);
    void drawPastToken(QPainter& p, int cx, int cy, int color);
    void drawVectorShape(QPainter& p, int kind, int x, int y, const ShapeTable& t, int level) const;
    // renderer_zoom.cpp
    void applyZoom();
    void updateScrollBars();
    // A page drawn at zoom level 0 with its own scroll and size, for as long as it lives; the window then
    // gets back what it showed.
    class PageView;

    QAbstractScrollArea& widget_;
    CNOVRADoc* doc_;
    CNet* net_;  // the document's net, or the net of a picture-only renderer
    const ViewSettings& settings_;
    const EditState& edit_;
    std::function<void()> frameHook_;

    int zoom_ = 0;
    int extraLevel_ = 0;
    int objectSize_ = kCell;
    QPoint scroll_{0, 0};
    int clientW_ = 0, clientH_ = 0;
    int sizeState_ = kFirstPaint;
    bool rebuild_ = true;
    bool viewMoved_ = false;
    bool updatingBars_ = false;

    ShapeTable base_;
    ShapeTable zoomed_;
    ShapeTable drawScaled_;

    QImage back_;
    QImage work_;
    std::vector<int> idBuffer_;
    std::vector<DrawnText> texts_;
    long long backSerial_ = 0;
    long long shownSerial_ = -1;

    // Pens and colours, rebuilt with the zoom and the colour settings.
    QPen placePen_, transitionPen_, uhziPen_, kemmakixPen_, arcPen_, gridPen_, tokenPen_;
    QColor kemmakixFill_;
    QFont font_;  // marks, ids, labels and token values at the current zoom
    // Sprites: the four kinds at 40 x 40 and scaled to the object size, with skins.
    std::array<QImage, 5> sprite40_;
    std::array<QImage, 5> spriteScaled_;
    QImage skinBack_;

    // Where the objects and arc segments lie on the canvas. It follows the net's geometry journal: moves,
    // additions and removals are applied as they come, bigger changes rebuild it; repaints, tokens,
    // colours and zoom leave it be.
    std::shared_ptr<CPaintIndex> paintIndex_;
    std::unique_ptr<QPrinter> printer_;
    // While a picture is drawn: what it shows, and whom to tell of each part.
    const std::set<int>* only_ = nullptr;
    const PartHook* partHook_ = nullptr;
};

// 0x00BBGGRR settings colour to a QColor.
inline QColor colorFromSetting(int c) {
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace novra::ui
