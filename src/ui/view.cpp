#include "ui/view.h"

#include <QEvent>
#include <QHelpEvent>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QWheelEvent>

#include "common/messages.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/edit_commands.h"
#include "ui/interaction.h"
#include "ui/prompts.h"
#include "ui/renderer.h"
#include "ui/sim_controller.h"

namespace novra::ui {

namespace {
// A choice from a variable menu, whether or not the menu is still open.
bool isVariableCommand(Cmd cmd) {
    const int id = static_cast<int>(cmd);
    return id > kVariableMenuBase && id < kVariableMenuBase + 100;
}

void printInto(CNOVRAView& view, QPrinter* printer) {
    if (!view.renderer().printTo(printer)) view.reporter().log(text(msg::kPrintFailed) + "\n");
}
}  // namespace

CNOVRAView::CNOVRAView(CNOVRADoc* doc, QWidget* parent)
    : QAbstractScrollArea(parent), doc_(doc), dialogPrompts_(std::make_unique<CDialogPrompts>()) {
    prompts_ = dialogPrompts_.get();
    settings_.load();
    setObjectName("NOVRAView");
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Every paint draws the whole client area from the back buffer, so nothing needs erasing first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    interaction_ = std::make_unique<CInteraction>(*this);
    renderer_ = std::make_unique<CRenderer>(*this, *doc_, settings_, interaction_->state());
    sim_ = std::make_unique<CSimController>(*this);
    edit_ = std::make_unique<CEditCommands>(*this);
    // The document's open notice is consumed as the next frame is drawn.
    renderer_->setFrameHook([this] {
        const int notice = doc_->openNotice();
        if (notice == kNoNotice) return;
        if (notice == kNoticeOpened) renderer_->netOpened(false);
        if (notice == kNoticeStartup) renderer_->netOpened(true);
        sim_->resetSimulation();  // whatever was simulated belonged to the net that was replaced
        doc_->setOpenNotice(kNoNotice);
    });
    connect(doc_, &CNOVRADoc::netReplaced, this, [this] {
        // The net was replaced: its dialogs go with it (the document starts its history again).
        interaction_->closeObjectDialogs(true);
        renderer_->setRebuild();
        viewport()->update();
    });
}

CNOVRAView::~CNOVRAView() {
    settings_.save();
    // The controller is a child QObject; it goes before the parts it reaches.
    sim_.reset();
}

CNet& CNOVRAView::net() const {
    return doc_->net();
}

void CNOVRAView::setPrompts(IPrompts* prompts) {
    prompts_ = prompts ? prompts : dialogPrompts_.get();
}

void CNOVRAView::settingsChanged() {
    renderer_->settingsChanged();
    viewport()->update();
}

// --- commands ---

bool CNOVRAView::handlesCommand(Cmd cmd) const {
    switch (cmd) {
        case Cmd::ZoomIn:
        case Cmd::ZoomOut:
        case Cmd::ShowObjectIds:
        case Cmd::ShowOldTokens:
        case Cmd::Print:
        case Cmd::PrintPreview:
        case Cmd::PrintSetup:
            return true;
        default:
            return sim_->handles(cmd) || edit_->handles(cmd) || interaction_->handles(cmd);
    }
}

bool CNOVRAView::commandEnabled(Cmd cmd) const {
    if (sim_->handles(cmd)) return sim_->enabled(cmd);
    if (edit_->handles(cmd)) return edit_->enabled(cmd);
    if (interaction_->handles(cmd)) return interaction_->enabled(cmd);
    return handlesCommand(cmd);
}

bool CNOVRAView::commandChecked(Cmd cmd) const {
    if (cmd == Cmd::ShowObjectIds) return settings_.enableObjId == 1;
    if (cmd == Cmd::ShowOldTokens) return settings_.enableOldToken == 1;
    return interaction_->checked(cmd);
}

void CNOVRAView::runCommand(Cmd cmd) {
    switch (cmd) {
        case Cmd::ZoomIn:
        case Cmd::ZoomOut:
            renderer_->wheelZoom(cmd == Cmd::ZoomIn ? -120 : 120, false);
            break;
        case Cmd::ShowObjectIds:
            settings_.enableObjId = settings_.enableObjId == 1 ? 0 : 1;
            viewport()->update();
            break;
        case Cmd::ShowOldTokens:
            settings_.enableOldToken = settings_.enableOldToken == 1 ? 0 : 1;
            viewport()->update();
            break;
        case Cmd::PrintSetup: {
            QPageSetupDialog dlg(&renderer_->printer(), this);
            dlg.exec();
            break;
        }
        case Cmd::Print: {
            QPrinter& printer = renderer_->printer();
            printer.setPageOrientation(QPageLayout::Landscape);
            QPrintDialog dlg(&printer, this);
            if (dlg.exec() == QDialog::Accepted) printInto(*this, &printer);
            break;
        }
        case Cmd::PrintPreview: {
            QPrinter& printer = renderer_->printer();
            printer.setPageOrientation(QPageLayout::Landscape);
            QPrintPreviewDialog dlg(&printer, this);
            connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
                    [this](QPrinter* p) { printInto(*this, p); });
            dlg.exec();
            break;
        }
        default:
            if (sim_->handles(cmd))
                sim_->run(cmd);
            else if (edit_->handles(cmd))
                edit_->run(cmd);
            else if (interaction_->handles(cmd) || isVariableCommand(cmd))
                interaction_->run(cmd);
            else
                return;
    }
    doc_->endStep();
    emit stateChanged();
}

// --- events ---

void CNOVRAView::paintEvent(QPaintEvent*) {
    renderer_->renderFrame();
    QPainter vp(viewport());
    vp.drawImage(0, 0, renderer_->backBuffer());
    interaction_->drawOverlay(vp);
}

void CNOVRAView::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    renderer_->resized();
}

void CNOVRAView::wheelEvent(QWheelEvent* e) {
    e->accept();
    // A wheel turned with a modifier or a button held is meant for something else.
    if (e->modifiers() != Qt::NoModifier || e->buttons() != Qt::NoButton) return;
    const int key = interaction_->state().keyState;
    // High-resolution wheels deliver fractions of a notch; they add up to whole ones.
    int& remainder = interaction_->state().wheelRemainder;
    remainder += e->angleDelta().y();
    const int notches = remainder / 120;
    if (notches == 0) return;
    remainder -= notches * 120;
    renderer_->wheelZoom(notches * 120, key == 'S' || key == 's');
    emit stateChanged();
}

void CNOVRAView::scrollContentsBy(int, int) {
    if (renderer_->scrollBarsMoved()) viewport()->update();
}

// A click, a double click, a key and a command each end whatever step of the undo history they began; a
// drag's step runs from its first move to the release.
void CNOVRAView::mousePressEvent(QMouseEvent* e) {
    interaction_->mousePress(e);
    doc_->endStep();
}

void CNOVRAView::mouseReleaseEvent(QMouseEvent* e) {
    interaction_->mouseRelease(e);
    doc_->endStep();
}

void CNOVRAView::mouseDoubleClickEvent(QMouseEvent* e) {
    interaction_->mouseDoubleClick(e);
    doc_->endStep();
}

void CNOVRAView::mouseMoveEvent(QMouseEvent* e) {
    interaction_->mouseMove(e);
}

void CNOVRAView::keyPressEvent(QKeyEvent* e) {
    interaction_->keyPress(e);
    doc_->endStep();
}

void CNOVRAView::keyReleaseEvent(QKeyEvent* e) {
    interaction_->keyRelease(e);
}

bool CNOVRAView::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Paint) {
        if (interaction_->paintOverlayOnly(static_cast<QPaintEvent*>(e))) return true;
        const bool done = QAbstractScrollArea::viewportEvent(e);
        renderer_->markShown();
        return done;
    }
    if (e->type() == QEvent::ToolTip) {
        interaction_->showToolTip(static_cast<QHelpEvent*>(e));
        return true;
    }
    return QAbstractScrollArea::viewportEvent(e);
}

}  // namespace novra::ui
