#pragma once
// CNOVRADoc: the document. It owns the one net for the whole run (cleared and refilled, never replaced),
// the document path, the last folder of the file dialogs, the open notice the view consumes at its next
// paint, whether the net holds changes not yet saved, whether it is compiled, the undo history, the
// internal clipboard and the document's settings.
#include <QObject>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "model/net.h"
#include "model/net_history.h"
#include "sim/simulation.h"
#include "ui/config.h"
#include "ui/edit_step.h"

namespace novra::ui {

// What the view does at its next paint after the document changed under it.
enum OpenNotice : int { kNoNotice = 0, kNoticeOpened = 1, kNoticeStartup = 2, kNoticeNew = 3 };

class CNOVRADoc : public QObject {
    Q_OBJECT
  public:
    CNOVRADoc();   // reads the document's settings
    ~CNOVRADoc();  // writes them back

    CNet& net() { return net_; }
    const CNet& net() const { return net_; }
    // The simulation of the net (compile, the step cycle, the unanimated run, rewind).
    CSimulation& simulation() { return simulation_; }
    const CSimulation& simulation() const { return simulation_; }

    const QString& path() const { return path_; }
    const QString& lastFolder() const { return lastFolder_; }
    int openNotice() const { return openNotice_; }
    void setOpenNotice(int n) { openNotice_ = n; }

    // Whether the net differs from its file: it follows the undo history (undoing back to the state last
    // saved clears it). setModified(true) says the net differs from every state the history leads to.
    bool isModified() const { return modified_; }
    void setModified(bool modified);
    // The main window's caption: the path (or the program's name for a new net), "*" while modified.
    QString caption() const;

    DocSettings& settings() { return settings_; }

    // Whether the net is compiled (simulated); its records are then in use and nothing edits it. The
    // property dialogs read it to lock their controls.
    bool compiled() const { return compiled_; }
    void setCompiled(bool compiled) { compiled_ = compiled; }

    // The undo history. Every user action that changes the net is one step: beginStep() before the first
    // change, endStep() when the action is over (a step left open is closed by the next beginStep, undo,
    // redo, save or compile). A step records only what the action touched.
    void beginStep(EditStep what);
    void endStep();
    EditStep openStep() const { return open_; }
    bool canUndo() const { return open_ != EditStep::None || history_.canUndo(); }
    bool canRedo() const { return open_ == EditStep::None && history_.canRedo(); }
    EditStep undoStep() const;
    EditStep redoStep() const;
    void undo();
    void redo();
    // The net was replaced or cleared as a whole: the history starts again.
    void clearHistory();
    const CNetHistory& history() const { return history_; }

    // The internal clipboard: the objects last copied and the arcs among them, and the canvas point of
    // the last mouse press when they were copied.
    CNet& clipboard();
    bool clipboardEmpty() const { return !clipboard_ || clipboard_->objects().empty(); }
    QPoint pasteAnchor;

    // Where log lines go (the main frame's message log); lines are dropped until it is set.
    void setLogSink(std::function<void(const std::string&)> sink) { log_ = std::move(sink); }
    void log(const std::string& line);

    // Reads a net file as the document. The file is read into a net of its own and takes the document's
    // place only when it was read whole: a file the reader rejects leaves its message in the log and the
    // net, the path and the caption as they were. An event file only adds its tables to the net and
    // leaves the path alone. Returns whether the file was read.
    bool openDocument(const QString& path);
    // The file named on the command line at start-up.
    bool openStartupFile(const QString& path);
    // Reads a net file into the net without making it the document's file (quick load); the net then
    // differs from the document's file and counts as modified.
    bool loadContent(const QString& path);
    // Writes the net to a file; the log gets the path and doneText, or the message of the failure. A
    // document save (not a quick save) also takes the path and counts as saved.
    bool saveDocument(const QString& path, const std::string& doneText, bool asDocument = true);
    // New: an empty net without a path.
    void newDocument();
    // Reads a recovery copy as the document: the net opens modified, under the file it belongs to (empty
    // for an untitled net), so that Save writes that file. A copy the reader rejects leaves its message in
    // the log and the document as it was.
    bool restoreDocument(const QString& copy, const QString& original);
    // Counts every change of the net the history sees (a step, an undo, a redo) and every replacement.
    quint64 revision() const { return revision_; }

  signals:
    // The net was replaced as a whole; views repaint.
    void netReplaced();
    // A step of the history was recorded, undone or redone.
    void edited();
    // The path or the modified flag changed; the caption follows.
    void captionChanged();

  private:
    // Reads into a fresh net and swaps it in; the event-file flag tells the caller what happened.
    bool readInto(const QString& path, bool& eventFile);
    void takePath(const QString& path);
    void followHistory();

    CNet net_;
    CSimulation simulation_{net_};
    QString path_;
    QString lastFolder_;
    int openNotice_ = kNoNotice;
    bool modified_ = false;
    DocSettings settings_;
    int storedNmode_ = 0;
    bool compiled_ = false;
    CNetHistory history_;
    EditStep open_ = EditStep::None;  // the step being recorded
    quint64 revision_ = 0;
    std::unique_ptr<CNet> clipboard_;
    std::function<void(const std::string&)> log_;
};

}  // namespace novra::ui
