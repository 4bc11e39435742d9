#pragma once
// CEditCommands: the view's edit and file commands: copy, cut, paste (once or repeated), delete, align to
// the grid, find, undo and redo, quick save and quick load, settings, Verilog output and the help
// information, and files dropped on the window. The clipboard and the undo history live in the document.
#include <QString>

#include "ui/commands.h"
#include "ui/edit_step.h"

namespace novra::ui {

class CNOVRAView;

class CEditCommands {
  public:
    explicit CEditCommands(CNOVRAView& view) : view_(view) {}

    bool handles(Cmd cmd) const;
    bool enabled(Cmd cmd) const;
    void run(Cmd cmd);
    // Moves every object centre and bend point of the net onto the grid.
    void alignToGrid();
    bool offGrid() const;  // whether Align would move anything
    // Quick save file; empty for the one beside the executable.
    void setQuickSavePath(const QString& path) { quickSavePath_ = path; }
    QString quickFile() const;
    void quickSave();
    void quickLoad();
    // A file dropped on the window; returns whether it was read.
    bool openDroppedFile(const QString& path);
    void helpInfo();

  private:
    // The quick file, or empty after saying in the log that there is none.
    QString quickFileOrSay();
    // Deletes the selected objects with their arcs and tokens as one step of the history.
    void deleteSelection(EditStep what);
    // Whether unsaved changes may go (the main frame asks Save / Discard / Cancel); true to go on.
    bool mayDiscard();
    CNOVRAView& view_;
    QString quickSavePath_;
};

}  // namespace novra::ui
