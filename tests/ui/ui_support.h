#pragma once
// Settings for one test in a file of its own, never the NOVRA.ini beside the test executable.
#include <QFile>
#include <QTemporaryDir>

#include "ui/config.h"

namespace novra::ui::testing {

class TempIni {
  public:
    TempIni() { CConfig::setIniPath(dir_.filePath("NOVRA.ini")); }
    ~TempIni() { CConfig::setIniPath(QString()); }
    QString path() const { return dir_.filePath("NOVRA.ini"); }
    bool exists() const { return QFile::exists(path()); }
    void write(const QByteArray& content) const {
        QFile f(path());
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
    }
    QByteArray read() const {
        QFile f(path());
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

  private:
    QTemporaryDir dir_;
};

}  // namespace novra::ui::testing
