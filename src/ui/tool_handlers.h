#pragma once
// One handler per tool: the interaction hands it the mouse on an uncompiled net while its tool is active.
// Selection & drag (no tool and the hand), placing objects (place, transition, source, sink, continuous
// placement), tokens, arcs, deleting, and panning, which takes over whatever the tool while it lasts.
#include <QPoint>
#include <memory>

class QKeyEvent;

namespace novra::ui {

class CInteraction;
struct EditState;

class CToolHandler {
  public:
    explicit CToolHandler(CInteraction& ix) : ix_(ix) {}
    virtual ~CToolHandler() = default;
    // The left button went down at a client point over an object (0 for none).
    virtual void press(QPoint client, int hit, bool shift);
    // The right button went down; false leaves it to the canvas menu.
    virtual bool rightPress(QPoint client, int hit);
    virtual void move(QPoint client, int hit);
    // The left button went up.
    virtual void release(QPoint client, int hit, bool shift);
    // A double click with the left button; false leaves it to the property dialogs.
    virtual bool doubleClick(int hit);
    // A key went down; false when the handler has no use for it.
    virtual bool key(QKeyEvent* e);

  protected:
    EditState& st();
    CInteraction& ix_;
};

// Built for the interaction, one per tool; the index is what CInteraction::handler() chooses by.
enum HandlerSlot {
    kSelectHandler,
    kPlaceHandler,
    kTokenHandler,
    kArcHandler,
    kDeleteHandler,
    kPanHandler,
    kHandlerCount
};
std::unique_ptr<CToolHandler> makeToolHandler(HandlerSlot slot, CInteraction& ix);

}  // namespace novra::ui
