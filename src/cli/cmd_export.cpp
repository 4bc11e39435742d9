// novra-cli export: the whole net as an SVG, PDF or PNG picture, drawn by the editor's renderer in the
// default look, without a display. A build without the editor (NOVRA_BUILD_UI=OFF) has no renderer: there
// the command only says so.
#include "cli/commands.h"

#if NOVRA_CLI_PICTURES
#include <QApplication>
#include <QString>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"
#include "ui/config.h"
#include "ui/picture_export.h"

namespace novra::cli {

namespace {

bool parseScale(const std::string& text, double& scale) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !ui::validPictureScale(v)) return false;
    scale = v;
    return true;
}

}  // namespace

int cmdExport(const Args& args) {
    static const char* const kCommand = "export";
    std::vector<std::string> files;
    std::string scaleText = "1";
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--scale") {
            if (i + 1 >= args.size()) return usageError(kCommand, "--scale needs a number");
            scaleText = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            return usageError(kCommand, "unknown option " + a);
        } else {
            files.push_back(a);
        }
    }
    if (files.size() != 2) return usageError(kCommand, "expects NET.pol OUT.(svg|pdf|png)");
    const std::string& in = files[0];
    const QString out = QString::fromLocal8Bit(files[1].c_str());
    if (ui::pictureFormat(out) == ui::PictureFormat::None)
        return usageError(kCommand, QString::fromUtf8(text(msg::kPictureBadFormat).c_str())
                                        .replace(QStringLiteral("%s"), out)
                                        .toStdString());
    double scale = 1;
    if (!parseScale(scaleText, scale))
        return usageError(kCommand, "--scale " + scaleText + ": " + text(msg::kPictureBadScale));
    CNet net;
    try {
        fileio::load(net, in);
    } catch (const CError& e) {
        return usageError(kCommand, in + ": " + e.message());
    }

    // No display is needed; the offscreen platform's notes about what it cannot do are noise here.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", m.toLocal8Bit().constData());
    });
    int argc = 1;
    char name[] = "novra-cli";
    char* argv[] = {name, nullptr};
    QApplication app(argc, argv);
    const ui::ViewSettings look;
    const std::string error = ui::writeNetPicture(net, look, out, scale);
    if (!error.empty()) return usageError(kCommand, error);
    return 0;
}

}  // namespace novra::cli

#else

namespace novra::cli {

int cmdExport(const Args&) {
    return usageError("export", "this novra-cli was built without the editor (NOVRA_BUILD_UI=OFF)");
}

}  // namespace novra::cli

#endif
