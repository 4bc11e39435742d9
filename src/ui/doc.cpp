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

// Copies a whole net into an empty one and carries the stop options along: the copy numbers the objects
// from 1 in ascending order of the old ids, and the copy operation itself leaves that set behind.
void copyWhole(CNet& to, const CNet& from) {
    const std::set<int> made = to.copyAll(from);
    if (made.size() != from.objects().size()) return;
    auto n = made.begin();
    for (const auto& [id, o] : from.objects()) {
        if (from.simTranOpt().count(id) && to.kindOf(*n) == kTransition) to.setSimTranOpt(*n, true);
        ++n;
    }
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
    emit netReplaced();
    return true;
}

bool CNOVRADoc::openDocument(const QString& path) {
    bool eventFile = false;
    if (!readInto(path, eventFile)) return false;
    if (!eventFile) {
        takePath(path);
        modified_ = false;
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
    modified_ = true;
    emit captionChanged();
    return true;
}

bool CNOVRADoc::saveDocument(const QString& path, const std::string& doneText, bool asDocument) {
    try {
        fileio::save(net_, path.toStdString());
    } catch (const std::exception& e) {
        log(std::string(e.what()) + "\n");
        return false;
    }
    if (asDocument) {
        takePath(path);
        modified_ = false;
        emit captionChanged();
    }
    if (!doneText.empty()) log(QDir::fromNativeSeparators(path).toStdString() + doneText + "\r\n");
    return true;
}

void CNOVRADoc::newDocument() {
    net_.clear();
    path_.clear();
    modified_ = false;
    openNotice_ = kNoticeNew;
    emit netReplaced();
    emit captionChanged();
}

void CNOVRADoc::snapshotForUndo() {
    setModified(true);
    // A compiled net is not edited; its records are in use by the simulation.
    if (compiled_) return;
    if (!undo_) undo_ = std::make_unique<CNet>();
    undo_->clear();
    copyWhole(*undo_, net_);
    undo_->setStopObject(0);
}

const CNet& CNOVRADoc::undoCopy() const {
    static const CNet none;
    return undo_ ? *undo_ : none;
}

void CNOVRADoc::undo() {
    net_.clear();
    if (undo_) {
        copyWhole(net_, *undo_);
        undo_->clear();
    }
    setModified(true);
}

CNet& CNOVRADoc::clipboard() {
    if (!clipboard_) clipboard_ = std::make_unique<CNet>();
    return *clipboard_;
}

}  // namespace novra::ui
