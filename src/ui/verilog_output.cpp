// Verilog output from the editor.
#include "ui/verilog_output.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <exception>
#include <utility>

#include "common/error.h"
#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/prompts.h"
#include "ui/sim_controller.h"
#include "ui/view.h"
#include "verilog/generator.h"

namespace novra::ui {

namespace {
// The wait cursor for as long as a command runs, whichever way it leaves.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};
}  // namespace

void runVerilogOutput(CNOVRAView& view) {
    CNOVRADoc& d = *view.document();
    double delayOverPlus = 0;
    if (!view.prompts().askVerilog(&view, d, delayOverPlus)) return;
    const DocSettings& s = d.settings();
    verilog::VerilogOptions o;
    o.delayOverPlus = delayOverPlus;
    o.debug = s.verilogDebug != 0;
    o.syncOutput = s.verilogOutSync != 0;
    o.topName = s.verilogOutModuleName.toStdString();
    o.moduleDir = verilog::findModuleDir();

    const QString folder = s.verilogOutDirs.empty() ? QString() : s.verilogOutDirs.front();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        // A folder that is not there is not one to offer again.
        std::vector<QString>& dirs = d.settings().verilogOutDirs;
        if (!dirs.empty() && dirs.front() == folder) dirs.erase(dirs.begin());
        view.reporter().log(text(msg::kVerilogFolderMissing) + "\n");
        return;
    }
    view.net().setStopObject(0);
    try {
        // The top name becomes a folder name: a name that would leave the chosen folder is refused before
        // anything is created.
        verilog::checkNames(view.net(), o.topName);
    } catch (const CError& e) {
        view.reporter().log(e.message() + "\n");
        if (view.net().stopObject() != 0) view.sim().pointAt(view.net().stopObject(), 10);
        return;
    }
    const QString outDir = QDir(folder).filePath(s.verilogOutModuleName);
    QDir().mkpath(outDir);
    o.outDir = outDir.toStdString();

    if (!view.sim().compileCommand()) return;  // compile has logged why
    view.sim().abortCommand();

    WaitCursor wait;
    try {
        verilog::generateVerilog(view.net(), o,
                                 [&view](const std::string& line) { view.reporter().log(line); });
        view.reporter().log(text(msg::kVerilogDone) + "\r\n");
    } catch (const std::exception& e) {
        view.reporter().log(std::string(e.what()) + "\n");
        if (view.net().kindOf(view.net().stopObject()) != 0) {
            view.reporter().status(text(msg::kVerilogErrorStatus));
            view.sim().pointAt(view.net().stopObject(), 10);
        }
    }
}

}  // namespace novra::ui
