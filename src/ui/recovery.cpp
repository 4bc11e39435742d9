// The recovery copy: when it is written, where, and how copies left behind come back.
#include "ui/recovery.h"

#include <QDir>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QUuid>
#include <algorithm>
#include <chrono>
#include <exception>

#include "common/messages.h"
#include "fileio/file_bytes.h"
#include "fileio/fileio.h"
#include "ui/doc.h"
#include "ui/prompts.h"

namespace novra::ui {

namespace {

QString withPath(const MsgText& m, const QString& path) {
    return QString::fromUtf8(text(m).c_str()).replace(QStringLiteral("%s"), path);
}

// The info file: "original=<path>" (empty for an untitled net) and "written=<ISO time>", UTF-8.
std::string infoText(const QString& original, const QDateTime& when) {
    return ("original=" + original + "\nwritten=" + when.toString(Qt::ISODateWithMs) + "\n").toStdString();
}

bool readInfo(const QString& path, QString& original, QDateTime& when) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 65536) return false;
    bool hasOriginal = false;
    for (const QByteArray& line : f.readAll().split('\n')) {
        const QString l = QString::fromUtf8(line);
        if (l.startsWith("original=")) original = l.mid(9), hasOriginal = true;
        if (l.startsWith("written=")) when = QDateTime::fromString(l.mid(8), Qt::ISODateWithMs);
    }
    return hasOriginal && when.isValid();
}

}  // namespace

CRecovery::CRecovery(CNOVRADoc& doc, QObject* parent)
    : QObject(parent), doc_(doc), id_(QUuid::createUuid().toString(QUuid::WithoutBraces)) {
    connect(&doc_, &CNOVRADoc::edited, this, &CRecovery::edited);
    connect(&doc_, &CNOVRADoc::captionChanged, this, &CRecovery::followModified);
    connect(&timer_, &QTimer::timeout, this, &CRecovery::tick);
    timer_.start(1000);
    sinceCopy_.start();
}

CRecovery::~CRecovery() {
    collect(true);
    if (!keep_) remove();
}

QString CRecovery::folder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/recovery";
}

QString CRecovery::file(const QString& id, const char* ending) const {
    return folder() + '/' + id + QString::fromLatin1(ending);
}

QString CRecovery::copyPath() const {
    return hasCopy_ ? file(id_, ".pol") : QString();
}

void CRecovery::edited() {
    if (!doc_.isModified()) return;
    if (written_ == 0 && changes_ == 0) sinceCopy_.restart();  // the interval runs from the first change
    if (++changes_ >= kChangesPerCopy) write();
}

void CRecovery::tick() {
    collect(false);
    const int interval = doc_.settings().autoSave;
    if (interval > 0 && sinceCopy_.elapsed() >= interval * 1000LL) write();
}

void CRecovery::followModified() {
    // Saved, opened afresh or given up: the file has everything there is.
    if (!doc_.isModified()) {
        changes_ = 0;
        if (hasCopy_) remove();
    }
}

void CRecovery::write(bool wait) {
    collect(wait);
    if (!doc_.isModified() || doc_.revision() == written_) return;
    if (pending_.valid()) return;  // one write at a time; the next tick takes the rest
    sinceCopy_.restart();
    changes_ = 0;
    const auto fail = [this](const QString& why) {
        if (!failed_) doc_.log(withPath(msg::kRecoveryWriteFailed, why).toStdString() + "\n");
        failed_ = true;
    };
    if (!lock_) {
        // The lock says that the copy belongs to a running instance; without it nothing is written.
        QDir().mkpath(folder());
        auto lock = std::make_unique<QLockFile>(file(id_, ".lock"));
        lock->setStaleLockTime(0);
        if (!lock->tryLock(0)) return fail(folder());
        lock_ = std::move(lock);
    }
    std::string bytes;
    try {
        bytes = fileio::format(doc_.net());
    } catch (const std::exception& e) {
        return fail(QString::fromUtf8(e.what()));
    }
    written_ = doc_.revision();
    hasCopy_ = true;
    pending_ = std::async(std::launch::async, [net = file(id_, ".pol").toStdString(),
                                               info = file(id_, ".info").toStdString(), bytes = std::move(bytes),
                                               infoBytes = infoText(doc_.path(), QDateTime::currentDateTime())] {
        try {
            fileio::replaceFile(net, bytes);
            fileio::replaceFile(info, infoBytes);
        } catch (const std::exception& e) {
            return std::string(e.what());
        }
        return std::string();
    });
    if (wait) collect(true);
}

void CRecovery::collect(bool wait) {
    if (!pending_.valid()) return;
    if (!wait && pending_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return;
    const std::string failure = pending_.get();
    if (failure.empty()) {
        failed_ = false;
        return;
    }
    written_ = 0;  // written again at the next chance
    if (!failed_) doc_.log(withPath(msg::kRecoveryWriteFailed, QString::fromUtf8(failure.c_str())).toStdString() + "\n");
    failed_ = true;
}

void CRecovery::remove() {
    collect(true);
    QFile::remove(file(id_, ".info"));
    QFile::remove(file(id_, ".pol"));
    hasCopy_ = false;
    written_ = 0;
}

std::vector<CRecovery::Copy> CRecovery::leftBehind() {
    std::vector<Copy> copies;
    const QDir dir(folder());
    for (const QString& name : dir.entryList({"*.info"}, QDir::Files)) {
        const QString id = name.chopped(5);
        if (id == id_ || held_.count(id)) continue;
        auto lock = std::make_unique<QLockFile>(file(id, ".lock"));
        lock->setStaleLockTime(0);  // a running instance's lock is never old enough to take
        if (!lock->tryLock(0)) continue;
        Copy c{id, file(id, ".pol"), QString(), QDateTime()};
        if (!readInfo(file(id, ".info"), c.original, c.written)) {
            doc_.log(withPath(msg::kRecoveryDamaged, file(id, ".info")).toStdString() + "\n");
            continue;  // the lock goes with this loop's turn; the files stay
        }
        held_[id] = std::move(lock);
        copies.push_back(c);
    }
    std::sort(copies.begin(), copies.end(), [](const Copy& a, const Copy& b) { return a.written < b.written; });
    return copies;
}

bool CRecovery::restore(const Copy& copy) {
    if (!doc_.restoreDocument(copy.net, copy.original)) {
        doc_.log(withPath(msg::kRecoveryDamaged, copy.net).toStdString() + "\n");
        later(copy);
        return false;
    }
    // Its changes live on in this instance's copy; until that is written the old one stays.
    write(true);
    if (failed_)
        later(copy);
    else
        discard(copy);
    return true;
}

void CRecovery::discard(const Copy& copy) {
    QFile::remove(file(copy.id, ".info"));
    QFile::remove(file(copy.id, ".pol"));
    held_.erase(copy.id);
}

void CRecovery::later(const Copy& copy) {
    held_.erase(copy.id);
}

bool CRecovery::offer(IPrompts& prompts, QWidget* owner, const QString& only) {
    bool restored = false;
    for (const Copy& c : leftBehind()) {
        if (!only.isEmpty()) {
            if (c.id == only)
                restored = restore(c);
            else
                later(c);
            continue;
        }
        const QString name = c.original.isEmpty() ? QString::fromUtf8(text(msg::kUntitled).c_str()) : c.original;
        switch (prompts.askRecovery(owner, name, c.written)) {
            case IPrompts::kRestore:
                if (!restored) {
                    restored = restore(c);
                } else {
                    later(c);  // the other instance takes its lock
                    QProcess::startDetached(QCoreApplication::applicationFilePath(), {"--recover", c.id});
                }
                break;
            case IPrompts::kDiscard:
                discard(c);
                break;
            case IPrompts::kLater:
                later(c);
                break;
        }
    }
    return restored;
}

}  // namespace novra::ui
