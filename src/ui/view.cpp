#include "ui/view.h"

#include <QEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QScrollBar>
#include <QWheelEvent>

#include "model/net.h"
#include "ui/doc.h"

namespace novra::ui {

int CNOVRAView::appCompiled = 0;
int CNOVRAView::extraLevel_ = 0;

CNOVRAView::CNOVRAView(CNOVRADoc* doc, QWidget* parent) : QAbstractScrollArea(parent), doc_(doc) {
    settings_.load();
    extraLevel_ = 0;
    setObjectName("NOVRAView");
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every paint draws the whole client area from the back buffer, so nothing needs erasing first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    zoomed_ = base_.shifted(0);
    drawScaled_ = base_.shifted(0);
    rebuildPens();
    connect(doc_, &CNOVRADoc::netReplaced, this, [this] {
        forgetNet();
        rebuild_ = true;
        viewport()->update();
    });
}

CNOVRAView::~CNOVRAView() {
    settings_.save();
}

CNet& CNOVRAView::net() const {
    return doc_->net();
}

void CNOVRAView::settingsChanged() {
    rebuildPens();
    if (sizeState_ != kFirstPaint) {
        buildBaseSprites();
        rebuildSprites();
    }
    rebuild_ = true;
    viewport()->update();
}

void CNOVRAView::consumeOpenNotice() {
    const int notice = doc_->openNotice();
    if (notice == kNoNotice) return;
    if (notice == kNoticeOpened) sizeState_ = kOpened;
    if (notice == kNoticeStartup) sizeState_ = kFirstPaint;
    resetSimulation();  // whatever was simulated belonged to the net that was replaced
    doc_->setOpenNotice(kNoNotice);
}

void CNOVRAView::resetInteraction() {
    viewCompiled = 0;
    appCompiled = 0;
    resetEditState();
}

void CNOVRAView::paintEvent(QPaintEvent*) {
    renderFrame();
    QPainter vp(viewport());
    vp.drawImage(0, 0, back_);
    drawOverlay(vp);
}

void CNOVRAView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    if (sizeState_ == kNothingPending) sizeState_ = kResized;
}

void CNOVRAView::wheelEvent(QWheelEvent* e) {
    e->accept();
    // A wheel turned with a modifier or a button held is meant for something else.
    if (e->modifiers() != Qt::NoModifier || e->buttons() != Qt::NoButton) return;
    const bool sHeld = keyState == 'S' || keyState == 's';
    // High-resolution wheels deliver fractions of a notch; they add up to whole ones.
    wheelRemainder_ += e->angleDelta().y();
    const int notches = wheelRemainder_ / 120;
    if (notches == 0) return;
    wheelRemainder_ -= notches * 120;
    wheelZoom(notches * 120, sHeld);
}

void CNOVRAView::scrollContentsBy(int, int) {
    if (updatingBars_) return;
    scroll_ = QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
    viewMoved_ = true;  // the net is unchanged: the canvas index stays, the picture and id buffer follow
    viewport()->update();
}

}  // namespace novra::ui
