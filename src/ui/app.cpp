#include "ui/app.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QIcon>
#include <QPixmap>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <csignal>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "common/messages.h"
#include "common/version.h"
#include "ui/config.h"
#include "ui/doc.h"
#include "ui/edit_script.h"
#include "ui/mainframe.h"
#include "ui/messagebar.h"
#include "ui/prompts.h"
#include "ui/recovery.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
struct Options {
    QString file;
    QString screenshot;            // PNG to write; empty for the normal program
    QString script;                // edits to apply after start-up
    QString recover;               // the recovery copy to restore without asking
    std::optional<Language> lang;  // --lang: this run's language instead of the setting
    bool version = false;
    bool bad = false;
};

Options parse(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--version") {
            o.version = true;
        } else if (a == "--lang") {
            o.lang = i + 1 < argc ? languageFromCode(argv[++i]) : std::nullopt;
            if (!o.lang) {
                std::fputs(text(msg::kBadLang).c_str(), stderr);  // the usage follows
                o.bad = true;
                break;
            }
        } else if (a == "--screenshot" || a == "--script" || a == "--recover") {
            if (i + 1 >= argc) {
                o.bad = true;
                break;
            }
            QString& value = a == "--screenshot" ? o.screenshot : a == "--script" ? o.script : o.recover;
            value = QString::fromLocal8Bit(argv[++i]);
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
// SIGTERM and SIGHUP (a logout) reach the event loop through this pair: the handler only writes a byte.
int gSignalPipe[2] = {-1, -1};

void onEndSignal(int) {
    const char c = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[0], &c, 1);
}

// Ends the program on SIGTERM or SIGHUP the way a crash cannot: the recovery copy is written first and
// stays for the next start.
void endOnSignals(QApplication& app, CRecovery& recovery) {
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, gSignalPipe) != 0) return;
    auto* notifier = new QSocketNotifier(gSignalPipe[1], QSocketNotifier::Read, &app);
    QObject::connect(notifier, &QSocketNotifier::activated, &app, [&app, &recovery] {
        char c;
        [[maybe_unused]] const ssize_t n = ::read(gSignalPipe[1], &c, 1);
        recovery.keepCopy();
        recovery.write(true);
        app.exit(0);
    });
    struct sigaction sa = {};
    sa.sa_handler = onEndSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGHUP, &sa, nullptr);
}

}  // namespace

bool installQtTranslations() {
    return useQtJapanese(true);
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
    if (opt.version && !opt.bad) {
        std::printf("novra %s\n", version());
        return 0;
    }
    if (opt.bad) {
        if (opt.lang) setLanguage(*opt.lang);
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
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/novra.svg")));
    QTemporaryDir scratch;
    if (shot) {
        // Screenshots show the default look and leave the user's settings alone.
        CConfig::setIniPath(scratch.filePath("NOVRA.ini"));
        CConfig::setReadOnly(true);
    }
    applyLanguage(opt.lang.value_or(readLanguage()));

    // The document reads its settings first, then the frame creates the view and restores its placement.
    auto doc = std::make_unique<CNOVRADoc>();
    auto frame = std::make_unique<CMainFrame>(doc.get());
    const bool opened = showStartupFrame(*frame, *doc, opt.file);

    if (!shot) {
        CRecovery recovery(*doc);
        endOnSignals(app, recovery);  // before any edit, so that none is lost to an early signal
        if (recovery.offer(frame->prompts(), frame.get(), opt.recover)) frame->setWindowTitle(doc->caption());
        if (!opt.script.isEmpty()) {
            if (const int line = runEditScript(*doc, opt.script))
                frame->logText(format(msg::kScriptFailed, line) + "\n");
            frame->view()->renderer().setRebuild();
            frame->view()->viewport()->update();
        }
        return app.exec();
    }

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
