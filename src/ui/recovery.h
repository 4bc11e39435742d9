#pragma once
// CRecovery: the recovery copy of the document's net. While the net has changes its file lacks, the copy is
// written (in the normal file format, atomically) into the per-user data folder at the interval of the
// document's settings and after every 50 changes; it goes when the changes are saved or given up and when the program ends
// normally. A copy an instance left behind (it was killed, or the machine went down) is offered back on the
// next start.
//
// Each instance writes its own files, named by an ID of its own, and holds a lock file while it runs:
// <id>.pol (the net), <id>.info (the file it belongs to and when it was written), <id>.lock.
#include <QDateTime>
#include <QElapsedTimer>
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QWidget>
#include <QTimer>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace novra::ui {

class CNOVRADoc;
class IPrompts;

class CRecovery : public QObject {
    Q_OBJECT
  public:
    // Changes after which the copy is written whatever the interval.
    static constexpr int kChangesPerCopy = 50;

    struct Copy {
        QString id;
        QString net;       // the copy's net file
        QString original;  // the file it belongs to; empty for an untitled net
        QDateTime written;
    };

    explicit CRecovery(CNOVRADoc& doc, QObject* parent = nullptr);
    // A normal end removes the copy, unless keepCopy() was called.
    ~CRecovery() override;

    // The folder of the copies: "recovery" in the per-user data folder.
    static QString folder();
    // Writes the copy now when the net has changes the copy lacks. The bytes are taken here; the file is
    // written on a worker thread. wait: return only once the file is written (at the end of the program).
    void write(bool wait = false);
    // The program ends without a normal close (a signal): the copy stays for the next start.
    void keepCopy() { keep_ = true; }
    // Where the copy is written; empty until the first write.
    QString copyPath() const;

    // The copies of instances that no longer run, oldest first. This instance holds their locks until
    // each is restored, discarded or left for later.
    std::vector<Copy> leftBehind();
    // Reads a copy as the document; it then becomes this instance's copy. A copy that cannot be read is
    // reported in the log and left as it is. Returns whether it was read.
    bool restore(const Copy& copy);
    void discard(const Copy& copy);
    void later(const Copy& copy);
    // Asks about each copy left behind. The first one restored takes the document; each further one
    // opens in an instance of its own (`novra --recover ID`). only: restore that copy without asking.
    // Returns whether a copy was restored here.
    bool offer(IPrompts& prompts, QWidget* owner, const QString& only = QString());

  private:
    void edited();
    void tick();
    void followModified();
    void collect(bool wait);
    void remove();
    QString file(const QString& id, const char* ending) const;

    CNOVRADoc& doc_;
    QString id_;
    std::unique_ptr<QLockFile> lock_;
    QTimer timer_;            // once a second: is the interval over?
    QElapsedTimer sinceCopy_;  // since the last copy or the first change after it
    int changes_ = 0;
    quint64 written_ = 0;  // the document's revision the copy holds
    bool hasCopy_ = false;
    bool keep_ = false;
    bool failed_ = false;                        // the last write failed; said once until one succeeds
    std::future<std::string> pending_;           // the write in progress: its failure message
    std::map<QString, std::unique_ptr<QLockFile>> held_;  // locks of copies left behind
};

}  // namespace novra::ui
