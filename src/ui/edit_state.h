#pragma once
// EditState: what the user is in the middle of on the canvas: the tool, the selection, the pending arc,
// drags, keys held, and what the pointer adds over the drawn net. The interaction and its tool handlers
// change it; the renderer reads the part it draws.
#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <set>
#include <string>
#include <vector>

#include "model/records.h"

namespace novra::ui {

struct EditState {
    enum Mode {
        kModeNone = 0,
        kModePlace = 1,
        kModeTransition = 2,
        kModeUhzi = 3,
        kModeKemmakix = 4,
        kModeToken = 5,
        kModeArc = 8,
        kModeHand = 9,
        kModeDelete = 10
    };
    enum CursorRole {
        kCursorDrag = 148,
        kCursorHand = 150,
        kCursorPan = 155,
        kCursorBand = 156,
        kCursorArc = 157
    };
    static bool isPlacing(int mode) { return mode >= kModePlace && mode <= kModeKemmakix; }

    int toolMode = kModeNone;
    int continuous = 0;
    std::set<int> selection;
    QRect selectionRect;  // canvas units; empty when nothing is selected
    // The pending arc.
    int arcSource = 0;
    bool arcPending = false;
    int arcTarget = 0;
    std::vector<Point> bendPoints;  // in the order clicked
    std::string varName;            // variable the pending arc will carry
    int varMenuMode = 0;            // 1 input, 2 output
    // Drags, panning and keys.
    int grabbedObject = 0;
    bool groupDrag = false;
    QPoint dragOrigin;        // canvas
    bool dragCopied = false;  // the drag in progress has begun its undo step
    bool panning = false;
    bool spaceClick = false;
    QPoint lastMouse;  // client
    int keyState = 0;
    int wheelRemainder = 0;  // wheel movement short of a whole notch, in 1/120 notches
    int hitObject = 0;       // the object last clicked
    QString tooltipText;
    int tooltipObject = 0;
    int cursorRole = 0;  // the role of the cursor last set, 0 for the arrow
    // What the overlay draws over the back buffer: a frame round an object, the rubber arc, the outline of
    // the object about to be placed, the rubber band.
    bool rubberBand = false;
    QPoint bandStart, bandEnd;  // client
    int frameId = 0;
    QColor frameColor;
    bool rubberArc = false;
    QPoint rubberArcEnd;  // client
    bool outline = false;
    QPoint outlineAt;  // client
};

}  // namespace novra::ui
