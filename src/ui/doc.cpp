#include "ui/doc.h"

#include <QDir>
#include <QFile>
#include <exception>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"

namespace novra::ui {

namespace {
// An event file adds to the net that is loaded; every other file replaces it.
bool isEventFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return false;
    return f.read(13) == "state machine";
}

}  // namespace

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

void CNOVRADoc::setModified(bool modified) {
    endStep();
    if (modified)
        history_.forgetSaved();
    else
        history_.markSaved();
    followHistory();
}

void CNOVRADoc::followHistory() {
    const bool modified = !history_.atSaved();
    if (modified_ == modified) return;
    modified_ = modified;
    emit captionChanged();
}

QString CNOVRADoc::caption() const {
    const QString name = path_.isEmpty() ? QString::fromUtf8(text(msg::kAppTitle).c_str()) : path_;
    return modified_ ? name + " *" : name;
}

void CNOVRADoc::takePath(const QString& path) {
    path_ = QDir::fromNativeSeparators(path);
    const qsizetype slash = path_.lastIndexOf('/');
    if (slash > 0) lastFolder_ = path_.left(slash);
}

bool CNOVRADoc::readInto(const QString& path, bool& eventFile) {
    eventFile = isEventFile(path);
    try {
        if (eventFile) {
            fileio::load(net_, path.toStdString());
        } else {
            CNet fresh;
            fileio::load(fresh, path.toStdString());
            net_.swap(fresh);
        }
    } catch (const std::exception& e) {
        log(path.toStdString() + " " + e.what() + "\n");
        return false;
    }
    log(path.toStdString() + text(msg::kOpened) + "\r\n");
    if (openNotice_ == kNoNotice) openNotice_ = kNoticeOpened;
    clearHistory();
    ++revision_;
    emit netReplaced();
    return true;
}

bool CNOVRADoc::openDocument(const QString& path) {
    bool eventFile = false;
    if (!readInto(path, eventFile)) return false;
    if (!eventFile) {
        takePath(path);
        history_.markSaved();
        followHistory();
    }
    emit captionChanged();
    return true;
}

bool CNOVRADoc::openStartupFile(const QString& path) {
    openNotice_ = kNoticeStartup;
    return openDocument(path);
}

bool CNOVRADoc::loadContent(const QString& path) {
    bool eventFile = false;
    if (!readInto(path, eventFile)) return false;
    history_.forgetSaved();
    followHistory();
    emit captionChanged();
    return true;
}

bool CNOVRADoc::saveDocument(const QString& path, const std::string& doneText, bool asDocument) {
    endStep();
    try {
        fileio::save(net_, path.toStdString());
    } catch (const std::exception& e) {
        log(std::string(e.what()) + "\n");
        return false;
    }
    if (asDocument) {
        takePath(path);
        history_.markSaved();
        followHistory();
        emit captionChanged();
    }
    if (!doneText.empty()) log(QDir::fromNativeSeparators(path).toStdString() + doneText + "\r\n");
    return true;
}

bool CNOVRADoc::restoreDocument(const QString& copy, const QString& original) {
    try {
        CNet fresh;
        fileio::load(fresh, copy.toStdString());
        net_.swap(fresh);
    } catch (const std::exception& e) {
        log(copy.toStdString() + " " + e.what() + "\n");
        return false;
    }
    if (openNotice_ == kNoNotice) openNotice_ = kNoticeOpened;
    clearHistory();
    ++revision_;
    path_.clear();
    if (!original.isEmpty()) takePath(original);
    history_.forgetSaved();
    modified_ = false;
    followHistory();
    emit netReplaced();
    emit captionChanged();
    return true;
}

void CNOVRADoc::newDocument() {
    clearHistory();
    ++revision_;
    net_.clear();
    path_.clear();
    history_.markSaved();
    followHistory();
    openNotice_ = kNoticeNew;
    emit netReplaced();
    emit captionChanged();
}

void CNOVRADoc::beginStep(EditStep what) {
    endStep();
    net_.beginChange();
    open_ = what;
    // The caption shows the change at once; the history decides when the step is over.
    if (!modified_) {
        modified_ = true;
        emit captionChanged();
    }
}

void CNOVRADoc::endStep() {
    if (open_ == EditStep::None) return;
    const EditStep what = open_;
    open_ = EditStep::None;
    CNetChange change = net_.endChange();
    const bool changed = !change.empty();
    history_.push(std::move(change), static_cast<int>(what));
    followHistory();
    if (changed) {
        ++revision_;
        emit edited();
    }
}

EditStep CNOVRADoc::undoStep() const {
    return open_ != EditStep::None ? open_ : static_cast<EditStep>(history_.undoAction());
}

EditStep CNOVRADoc::redoStep() const {
    return open_ != EditStep::None ? EditStep::None : static_cast<EditStep>(history_.redoAction());
}

void CNOVRADoc::undo() {
    endStep();
    if (!history_.canUndo()) return;
    history_.undo(net_);
    followHistory();
    ++revision_;
    emit edited();
}

void CNOVRADoc::redo() {
    endStep();
    if (!history_.canRedo()) return;
    history_.redo(net_);
    followHistory();
    ++revision_;
    emit edited();
}

void CNOVRADoc::clearHistory() {
    if (open_ != EditStep::None) {
        open_ = EditStep::None;
        net_.endChange();
    }
    history_.clear();
    // A net that differs from its file stays marked.
    if (modified_) history_.forgetSaved();
}

CNet& CNOVRADoc::clipboard() {
    if (!clipboard_) clipboard_ = std::make_unique<CNet>();
    return *clipboard_;
}

}  // namespace novra::ui
