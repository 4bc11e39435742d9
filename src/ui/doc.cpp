#include "ui/doc.h"

#include <QDir>
#include <QGuiApplication>
#include <exception>

#include "common/error.h"
#include "common/messages.h"

namespace novra::ui {

CNOVRADoc::CNOVRADoc() {
    settings_.load();
    // Any value other than 0 selects the playful wording; keep the stored number as long as its meaning
    // holds.
    storedNmode_ = settings_.nmode;
    setNmode(settings_.nmode != 0 ? 1 : 0);
}

CNOVRADoc::~CNOVRADoc() {
    settings_.nmode = ((storedNmode_ != 0) == (nmode() == 1)) ? storedNmode_ : nmode();
    settings_.save();
}

void CNOVRADoc::log(const std::string& line) {
    if (log_) log_(line);
}

bool CNOVRADoc::openDocument(const QString& path) {
    path_ = path;
    const QString native = QDir::fromNativeSeparators(path);
    const qsizetype slash = native.lastIndexOf('/');
    if (slash > 0) lastFolder_ = native.left(slash);
    try {
        net_.loadFile(path.toStdString());
    } catch (const std::exception& e) {
        // A rejected file leaves an empty net rather than a half-read one.
        net_.clear();
        log(path.toStdString() + " " + e.what() + "\n");
        emit netReplaced();
        return false;
    }
    log(path.toStdString() + text(msg::kOpened) + "\r\n");
    if (openNotice_ == kNoNotice) openNotice_ = kNoticeOpened;
    emit netReplaced();
    return true;
}

bool CNOVRADoc::openStartupFile(const QString& path) {
    openNotice_ = kNoticeStartup;
    return openDocument(path);
}

}  // namespace novra::ui
