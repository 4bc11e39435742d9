#pragma once
// Pictures of the net: SVG, PDF and PNG files of the net as the canvas draws it, made by the same renderer
// the window and the print jobs use. The editor's File > export and novra-cli export both come here; this
// part needs no main window.
#include <QString>
#include <set>
#include <string>

namespace novra {
class CNet;
}

namespace novra::ui {

class CRenderer;
struct ViewSettings;

enum class PictureFormat { None, Svg, Pdf, Png };
// The format a file name asks for by its extension (.svg, .pdf, .png in any case); None for any other.
PictureFormat pictureFormat(const QString& path);

// The PNG scale: 2 gives twice the pixels of 1 in each direction.
inline constexpr double kMinPictureScale = 0.1;
inline constexpr double kMaxPictureScale = 10.0;
bool validPictureScale(double scale);

// What the editor's export dialog asks for.
struct PictureRequest {
    QString path;
    bool selectionOnly = false;
    double scale = 1.0;
};

// Writes the picture the renderer draws of the whole net, or of the objects in `only` and the arcs among
// them, to `path` in the format its extension names. The picture covers what it shows plus a margin. The
// file is written beside its place under another name and renamed when complete, so a failure leaves no
// half-written file and an existing one as it was. Returns an empty string, or the message for the user.
std::string writePicture(CRenderer& renderer, const QString& path, double scale = 1.0,
                         const std::set<int>* only = nullptr);
// The same for a net without a window, in the look given (novra-cli). A QApplication must exist.
std::string writeNetPicture(CNet& net, const ViewSettings& look, const QString& path, double scale);

}  // namespace novra::ui
