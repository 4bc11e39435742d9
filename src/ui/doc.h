#pragma once
// CNOVRADoc: the document. It owns the one net for the whole run (cleared and refilled, never replaced),
// the document path, the last folder of the file dialogs, the open notice the view consumes at its next
// paint, and the document's settings.
#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "model/net.h"
#include "ui/config.h"

namespace novra::ui {

// What the view does at its next paint after the document changed under it.
enum OpenNotice : int { kNoNotice = 0, kNoticeOpened = 1, kNoticeStartup = 2, kNoticeNew = 3 };

class CNOVRADoc : public QObject {
    Q_OBJECT
  public:
    CNOVRADoc();   // reads the document's settings
    ~CNOVRADoc();  // writes them back

    CNet& net() { return net_; }
    const CNet& net() const { return net_; }

    const QString& path() const { return path_; }
    const QString& lastFolder() const { return lastFolder_; }
    int openNotice() const { return openNotice_; }
    void setOpenNotice(int n) { openNotice_ = n; }

    DocSettings& settings() { return settings_; }

    // Where log lines go (the main frame's message log); lines are dropped until it is set.
    void setLogSink(std::function<void(const std::string&)> sink) { log_ = std::move(sink); }

    // Reads a net file into the net. A file the reader rejects leaves an empty net and its message in the
    // log; returns whether the file was read.
    bool openDocument(const QString& path);
    // The file named on the command line at start-up.
    bool openStartupFile(const QString& path);

  signals:
    // The net was replaced as a whole; views repaint.
    void netReplaced();

  private:
    void log(const std::string& line);

    CNet net_;
    QString path_;
    QString lastFolder_;
    int openNotice_ = kNoNotice;
    DocSettings settings_;
    int storedNmode_ = 0;
    std::function<void(const std::string&)> log_;
};

}  // namespace novra::ui
