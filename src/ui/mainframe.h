#pragma once
// CMainFrame: the one top-level window with the menu, the two tool bars, the status bar and the message
// bar. Every part of the program reports to the user through its log and status.
#include <QMainWindow>
#include <QStringList>
#include <functional>
#include <map>
#include <string>

#include "ui/commands.h"
#include "ui/config.h"

class QLabel;
class QToolBar;

namespace novra::ui {

class CNOVRADoc;
class CNOVRAView;
class CMessageBar;
class IPrompts;

class CMainFrame : public QMainWindow {
    Q_OBJECT
  public:
    explicit CMainFrame(CNOVRADoc* doc);
    ~CMainFrame() override;  // writes the window placement

    // printf-style; carriage returns are dropped and line feeds become CR LF in the log.
    void log(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void logText(const std::string& text);
    void clearLog();
    // printf-style; shown in the first pane of the status bar at once.
    void status(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void statusText(const std::string& text);
    QString statusMessage() const;
    void setCoordinates(int x, int y);

    CNOVRADoc* document() const { return doc_; }
    CNOVRAView* view() const { return view_; }
    CMessageBar* messageBar() const { return messageBar_; }
    QToolBar* fileBar() const { return fileBar_; }
    QToolBar* toolsBar() const { return toolsBar_; }
    QLabel* pane(int index) const;  // 0 message, 1 x, 2 y
    QAction* action(Cmd cmd) const;

    // The enable and check state of every command, decided in one place.
    bool commandEnabled(Cmd cmd) const;
    bool commandChecked(Cmd cmd) const;
    void updateCommands();
    void runCommand(Cmd cmd);

    // The placement as the settings file stores it.
    Placement placement() const;
    bool applyPlacement(const Placement& p);

    // --- file commands (mainframe_file.cpp) ---
    bool newDocument();
    bool openDocument();  // asks for the file
    bool openPath(const QString& path);
    bool saveDocument();
    bool saveDocumentAs();
    // Asks for the file, whole net or selection and scale, then writes the picture and logs the outcome.
    void exportPicture();
    void openRecent(int index);
    // With unsaved changes, asks Save / Discard / Cancel; true when the caller may go on.
    bool mayDiscardChanges();
    // The recently used files, most recent first; kept in the settings file.
    const QStringList& recentFiles() const { return recent_; }
    static constexpr int kMaxRecent = 6;
    // The questions the window and its canvas ask; nullptr puts the real dialogs back.
    IPrompts& prompts() const;
    void setPrompts(IPrompts* prompts);

  protected:
    void closeEvent(QCloseEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    void createActions();
    void createMenus();
    void createToolBars();
    void createStatusBar();
    void readRecent();
    void documentCaptionChanged();
    void addRecent(const QString& path);
    void updateRecentMenu();

    CNOVRADoc* doc_;
    CNOVRAView* view_ = nullptr;
    CMessageBar* messageBar_ = nullptr;
    QToolBar* fileBar_ = nullptr;
    QToolBar* toolsBar_ = nullptr;
    QLabel* panes_[3] = {nullptr, nullptr, nullptr};
    std::map<Cmd, QAction*> actions_;
    QStringList recent_;
    QString knownPath_;  // the document path the recent list last saw
};

// The recently used files as the settings file keeps them, most recent first.
QStringList readRecentFiles();
void writeRecentFiles(const QStringList& list);

}  // namespace novra::ui
