#pragma once
// Start-up of the desktop program: settings file, document, main frame with its view, the file named on
// the command line, the caption. Also the screenshot mode that renders a net offscreen and exits.

namespace novra::ui {

int runNovra(int argc, char** argv);

}  // namespace novra::ui
