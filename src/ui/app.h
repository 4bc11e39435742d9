#pragma once
#include <QString>
// Start-up of the desktop program: settings file, document, main frame with its view, the file named on
// the command line, the caption. Also the screenshot mode that renders a net offscreen and exits.

namespace novra::ui {

int runNovra(int argc, char** argv);

// Loads Qt's own Japanese texts, so that the standard dialogs (file, colour, message boxes) speak the
// program's language; false when they are not installed and the dialogs stay in English.
bool installQtTranslations();

class CMainFrame;
class CNOVRADoc;
// Opens the file named on the command line (none when empty), shows the frame and gives it the
// document's caption. Returns whether the file was read.
bool showStartupFrame(CMainFrame& frame, CNOVRADoc& doc, const QString& file);

}  // namespace novra::ui
