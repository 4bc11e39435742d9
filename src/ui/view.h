#pragma once
// CNOVRAView: the canvas widget. It owns the parts that do the work and forwards its events to them: the
// renderer draws the net, the interaction turns mouse and keys into edits through the active tool's
// handler, the edit commands run the clipboard, undo and file commands, and the simulation controller
// drives the simulation and its animations.
#include <QAbstractScrollArea>
#include <functional>
#include <memory>
#include <string>

#include "ui/commands.h"
#include "ui/config.h"

namespace novra {
class CNet;
}

namespace novra::ui {

class CNOVRADoc;
class CRenderer;
class CInteraction;
class CEditCommands;
class CSimController;
class IPrompts;

// Where the canvas reports: the main window's message log and its status bar.
class CReporter {
  public:
    using Sink = std::function<void(const std::string&)>;
    void setSinks(Sink log, Sink status) {
        log_ = std::move(log);
        status_ = std::move(status);
    }
    void log(const std::string& s) const {
        if (log_) log_(s);
    }
    // The log sink in place of the current one, which is returned.
    Sink swapLog(Sink log) { return std::exchange(log_, std::move(log)); }
    void status(const std::string& s) {
        lastStatus_ = s;
        if (status_) status_(s);
    }
    // The last status text shown.
    const std::string& lastStatus() const { return lastStatus_; }

  private:
    Sink log_, status_;
    std::string lastStatus_;
};

class CNOVRAView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    explicit CNOVRAView(CNOVRADoc* doc, QWidget* parent = nullptr);  // reads the view's settings
    ~CNOVRAView() override;                                          // writes them back

    CNOVRADoc* document() const { return doc_; }
    CNet& net() const;
    ViewSettings& settings() { return settings_; }
    // After a change of colours: pens, brushes and sprites follow.
    void settingsChanged();
    CReporter& reporter() { return reporter_; }

    CRenderer& renderer() const { return *renderer_; }
    CInteraction& interaction() const { return *interaction_; }
    CEditCommands& editCommands() const { return *edit_; }
    CSimController& sim() const { return *sim_; }
    // The questions the canvas asks; nullptr puts the real dialogs back.
    IPrompts& prompts() const { return *prompts_; }
    void setPrompts(IPrompts* prompts);

    // Whether the view carries a command, and its state; the main frame asks before its own rules.
    bool handlesCommand(Cmd cmd) const;
    bool commandEnabled(Cmd cmd) const;
    bool commandChecked(Cmd cmd) const;
    void runCommand(Cmd cmd);

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
    CNOVRADoc* doc_;
    ViewSettings settings_;
    CReporter reporter_;
    std::unique_ptr<IPrompts> dialogPrompts_;
    IPrompts* prompts_;
    std::unique_ptr<CInteraction> interaction_;
    std::unique_ptr<CRenderer> renderer_;
    std::unique_ptr<CSimController> sim_;
    std::unique_ptr<CEditCommands> edit_;
};

}  // namespace novra::ui
