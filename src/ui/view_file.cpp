// Quick save and quick load, dropped files, Verilog output and the help information of the view.
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
#include "ui/mainframe.h"
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

QString CNOVRAView::quickFile() const {
    return quickSavePath.isEmpty() ? CConfig::quickSavePath() : quickSavePath;
}

void CNOVRAView::quickSave() {
    WaitCursor wait;
    resetSimulation();
    const QString path = quickFile();
    if (path.isEmpty()) {
        if (log_) log_(text(msg::kNoExePath) + "\n");
        return;
    }
    // The quick file is a spare copy: the document keeps its own file, and its changes still count as
    // unsaved there.
    if (doc_->saveDocument(path, std::string(), false)) showStatus(text(msg::kQuickSaved));
}

void CNOVRAView::quickLoad() {
    if (confirmDiscard && !confirmDiscard()) return;
    WaitCursor wait;
    resetSimulation();
    const QString path = quickFile();
    if (path.isEmpty()) {
        if (log_) log_(text(msg::kNoExePath) + "\n");
        return;
    }
    // A file that cannot be read leaves its message in the log, so the log is only cleared on success;
    // what the view reports while the net is replaced (dialogs closed with it) follows that.
    std::string held;
    Sink log = std::exchange(log_, [&held](const std::string& s) { held += s; });
    const bool loaded = doc_->loadContent(path);
    log_ = std::move(log);
    if (!loaded) return;
    if (auto* f = qobject_cast<CMainFrame*>(window())) f->clearLog();
    if (log_ && !held.empty()) log_(held);
    showStatus(text(msg::kQuickLoaded));
    rebuild_ = true;
    viewport()->update();
}

bool CNOVRAView::openDroppedFile(const QString& path) {
    if (confirmDiscard && !confirmDiscard()) return false;
    resetSimulation();
    stopSparks();  // they ring an object of the net about to go
    window()->raise();
    window()->activateWindow();
    const bool ok = doc_->openDocument(path);
    rebuild_ = true;
    viewport()->update();
    emit stateChanged();
    return ok;
}

void CNOVRAView::verilogOutput() {
    CNOVRADoc& d = *doc_;
    double delayOverPlus = 0;
    if (!askVerilog || !askVerilog(d, delayOverPlus)) return;
    const DocSettings& s = d.settings();
    verilog::VerilogOptions o;
    o.delayOverPlus = delayOverPlus;
    o.debug = s.verilogDebug != 0;
    o.syncOutput = s.verilogOutSync != 0;
    o.topName = s.verilogOutModuleName.toStdString();
    o.moduleDir = verilog::moduleDirBesideExecutable();

    const QString folder = s.verilogOutDirs.empty() ? QString() : s.verilogOutDirs.front();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        // A folder that is not there is not one to offer again.
        std::vector<QString>& dirs = d.settings().verilogOutDirs;
        if (!dirs.empty() && dirs.front() == folder) dirs.erase(dirs.begin());
        if (log_) log_(text(msg::kVerilogFolderMissing) + "\n");
        return;
    }
    net().stopObject = 0;
    try {
        // The top name becomes a folder name: a name that would leave the chosen folder is refused before
        // anything is created.
        verilog::checkNames(net(), o.topName);
    } catch (const CError& e) {
        if (log_) log_(e.message() + "\n");
        if (net().stopObject != 0) pointAt(net().stopObject, 10);
        return;
    }
    const QString outDir = QDir(folder).filePath(s.verilogOutModuleName);
    QDir().mkpath(outDir);
    o.outDir = outDir.toStdString();

    if (!compileCommand()) return;  // compile has logged why
    abortCommand();

    WaitCursor wait;
    try {
        verilog::generateVerilog(net(), o, [this](const std::string& line) {
            if (log_) log_(line);
        });
        if (log_) log_(text(msg::kVerilogDone) + "\r\n");
    } catch (const std::exception& e) {
        if (log_) log_(std::string(e.what()) + "\n");
        if (net().kindOf(net().stopObject) != 0) {
            showStatus(text(msg::kVerilogErrorStatus));
            pointAt(net().stopObject, 10);
        }
    }
}

void CNOVRAView::helpInfo() {
    const MsgText* t = helpState == 2   ? &msg::kHelpInfo2
                       : helpState == 3 ? &msg::kHelpInfo3
                                        : &msg::kHelpInfo1;
    if (log_) log_(text(*t) + "\n");
    if (helpState == 3 && net().kindOf(net().stopObject) != 0) pointAt(net().stopObject, 10);
}

}  // namespace novra::ui
