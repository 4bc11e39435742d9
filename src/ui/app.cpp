#include "ui/app.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTranslator>
#include <cstdio>
#include <memory>
#include <string>

#include "common/messages.h"
#include "ui/config.h"
#include "ui/doc.h"
#include "ui/mainframe.h"
#include "ui/messagebar.h"

namespace novra::ui {

namespace {
struct Options {
    QString file;
    QString screenshot;  // PNG to write; empty for the normal program
    bool bad = false;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--screenshot") {
            if (i + 1 >= argc) {
                o.bad = true;
                break;
            }
            o.screenshot = QString::fromLocal8Bit(argv[++i]);
        } else if (a.size() > 1 && a[0] == '-' && a != "-") {
            o.bad = true;
        } else if (o.file.isEmpty()) {
            o.file = QString::fromLocal8Bit(argv[i]);
        } else {
            o.bad = true;
        }
    }
    if (!o.screenshot.isEmpty() && o.file.isEmpty()) o.bad = true;
    return o;
}
}  // namespace

bool installQtTranslations() {
    auto* t = new QTranslator(QCoreApplication::instance());
    if (t->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(t))
        return true;
    delete t;
    return false;
}

bool showStartupFrame(CMainFrame& frame, CNOVRADoc& doc, const QString& file) {
    const bool opened = file.isEmpty() || doc.openStartupFile(file);
    frame.show();
    // The program's name, or the file's once one is open.
    frame.setWindowTitle(doc.caption());
    return opened;
}

int runNovra(int argc, char** argv) {
    const Options opt = parse(argc, argv);
    if (opt.bad) {
        std::fputs(text(msg::kUsage).c_str(), stderr);
        return 2;
    }
    const bool shot = !opt.screenshot.isEmpty();
    // A screenshot needs no display.
    if (shot && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes about what it cannot do are noise next to a screenshot.
    if (shot)
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& m) {
            if (type == QtCriticalMsg || type == QtFatalMsg)
                std::fprintf(stderr, "%s\n", m.toLocal8Bit().constData());
        });

    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(text(msg::kAppTitle).c_str()));
    QApplication::setOrganizationName(QString::fromUtf8(text(msg::kAppTitle).c_str()));
    installQtTranslations();
    QTemporaryDir scratch;
    if (shot) {
        // Screenshots show the default look and leave the user's settings alone.
        CConfig::setIniPath(scratch.filePath("NOVRA.ini"));
        CConfig::setReadOnly(true);
    }

    // The document reads its settings first, then the frame creates the view and restores its placement.
    auto doc = std::make_unique<CNOVRADoc>();
    auto frame = std::make_unique<CMainFrame>(doc.get());
    const bool opened = showStartupFrame(*frame, *doc, opt.file);

    if (!shot) return app.exec();

    if (!opened) {
        std::fputs(frame->messageBar()->logText().toStdString().c_str(), stderr);
        return 1;
    }
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    const QPixmap pix = frame->grab();
    if (pix.isNull() || !pix.save(opt.screenshot, "PNG")) {
        const QString m = QString::fromUtf8(text(msg::kScreenshotFailed).c_str());
        std::fputs(QString(m).replace(QStringLiteral("%s"), opt.screenshot).toLocal8Bit().constData(),
                   stderr);
        return 1;
    }
    return 0;
}

}  // namespace novra::ui
