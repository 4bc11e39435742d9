#pragma once
// Edit scripts: a text file of edits applied to the document one step each, as the mouse would make them
// (`novra --script FILE`), for runs without a user and for reproducing a session. One edit a line:
//   place|transition|uhzi|kemmakix X Y     a new object at canvas point X, Y
//   arc FROM TO                           an arc between two objects
//   token PLACE COLOR VALUE               a token of the initial marking (COLOR 5 black, 6 white)
//   move ID X Y                           an object to a new point
//   delete ID                             an object with its arcs
//   undo | redo
// Blank lines and lines starting with # are skipped.
#include <QString>

namespace novra::ui {

class CNOVRADoc;

// Applies the script; returns 0 when every line ran, else the number of the first line that could not be
// read or applied (the edits before it stay), or -1 when the file cannot be read.
int runEditScript(CNOVRADoc& doc, const QString& path);

}  // namespace novra::ui
