// Recovery copies: a real editor process killed with SIGKILL or ended with SIGTERM leaves a copy that a new
// start restores to exactly the bytes the edited net saves to; copies of running instances are never
// offered or shared; a folder that cannot be written and a damaged copy are said and block nothing.
#include "ui/recovery.h"

#include <QDir>
#include <QProcess>
#include <QtTest>
#include <csignal>

#include "fileio/fileio.h"
#include "ui/edit_script.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using namespace novra::ui::testing;

class RecoveryTest : public QObject {
    Q_OBJECT
  private slots:
    void init() {
        // The editor's names, which place its data folder.
        QCoreApplication::setOrganizationName("NOVRA");
        QCoreApplication::setApplicationName("NOVRA");
        dir_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_DATA_HOME", dir_->filePath("data").toUtf8());
        QFile::copy(NOVRA_SOURCE_DIR "/examples/pipeline.pol", net());
        QFile::setPermissions(net(), QFile::ReadOwner | QFile::WriteOwner);
        write("edits.txt", "place 100 400\ntransition 200 400\narc 1 2\ntoken 1 6 1\nmove 2 240 420\nundo\n");
    }
    void killedOrTerminatedProcessIsRestoredExactly();
    void instancesKeepToTheirOwnCopies();
    void unwritableFolderAndDamagedCopy();
    void eachCopyLeftBehindIsOffered();

  private:
    QString net() const { return dir_->filePath("net.pol"); }
    void write(const QString& name, const QByteArray& bytes) {
        QFile f(dir_->filePath(name));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    // What the net saves to after the edits.
    std::string edited() {
        CNOVRADoc doc;
        doc.openDocument(net());
        if (runEditScript(doc, dir_->filePath("edits.txt")) != 0) return "script failed";
        return fileio::format(doc.net());
    }
    // Whether the process has a handler for SIGTERM, as Linux shows it.
    static bool catchesTerm(qint64 pid) {
        QFile status(QString("/proc/%1/status").arg(pid));
        if (!status.open(QIODevice::ReadOnly)) return false;
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("SigCgt:"))
                return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (SIGTERM - 1)) & 1;
        return false;
    }
    QStringList copies() const { return QDir(CRecovery::folder()).entryList(QDir::Files, QDir::Name); }
    std::unique_ptr<QTemporaryDir> dir_;
    TempIni ini_;
};

void RecoveryTest::killedOrTerminatedProcessIsRestoredExactly() {
    const std::string expected = edited();
    for (const bool kill : {true, false}) {
        // Killed: the copy the timer wrote. Terminated: none before, the signal writes it.
        write("NOVRA.ini", kill ? "[General]\nAutoSave=1\n" : "[General]\nAutoSave=0\n");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("NOVRA_INI", dir_->filePath("NOVRA.ini"));
        env.insert("QT_QPA_PLATFORM", "offscreen");
        p.setProcessEnvironment(env);
        p.start(NOVRA_BIN_DIR "/novra", {"--script", dir_->filePath("edits.txt"), net()});
        QVERIFY(p.waitForStarted());
        if (kill) {
            QTRY_VERIFY_WITH_TIMEOUT(copies().filter(".info").size() == 1, 20000);
            p.kill();
        } else {
            // Once the editor catches SIGTERM (a signal before that ends it as a crash would).
            QTRY_VERIFY_WITH_TIMEOUT(catchesTerm(p.processId()), 20000);
            QVERIFY(copies().filter(".info").isEmpty());
            p.terminate();
        }
        QVERIFY(p.waitForFinished(20000));
        // The next start finds the copy and restores it under the original file, unsaved.
        CNOVRADoc doc;
        CRecovery recovery(doc);
        const std::vector<CRecovery::Copy> left = recovery.leftBehind();
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].original, net());
        QVERIFY(recovery.restore(left[0]));
        QVERIFY(doc.path() == net() && doc.isModified());
        QVERIFY(fileio::format(doc.net()) == expected);
        QCOMPARE(copies().filter(".pol"), QStringList{QFileInfo(recovery.copyPath()).fileName()});
        // Saved: the copy has served its purpose.
        QVERIFY(doc.saveDocument(doc.path(), std::string()));
        QCOMPARE(copies().filter(".pol"), QStringList());
        QFile::remove(net());
        QFile::copy(NOVRA_SOURCE_DIR "/examples/pipeline.pol", net());
    }
}

void RecoveryTest::instancesKeepToTheirOwnCopies() {
    CNOVRADoc a, b;
    CRecovery ra(a), rb(b);
    a.settings().autoSave = b.settings().autoSave = 0;
    write("many.txt", QByteArray("place 0 0\n").repeated(CRecovery::kChangesPerCopy));
    QCOMPARE(runEditScript(a, dir_->filePath("many.txt")), 0);  // the fiftieth change writes the copy
    QCOMPARE(runEditScript(b, dir_->filePath("edits.txt")), 0);
    QVERIFY(!ra.copyPath().isEmpty() && rb.copyPath().isEmpty());
    rb.write(true);
    QVERIFY(!rb.copyPath().isEmpty() && rb.copyPath() != ra.copyPath());
    QVERIFY(ra.leftBehind().empty() && rb.leftBehind().empty());  // both still run
    // Discarding the changes at a prompt, then New: the copy goes.
    a.newDocument();
    QVERIFY(ra.copyPath().isEmpty());
    QCOMPARE(copies().filter(".pol"), QStringList{QFileInfo(rb.copyPath()).fileName()});
}

void RecoveryTest::unwritableFolderAndDamagedCopy() {
    std::string log;
    CNOVRADoc doc;
    doc.setLogSink([&log](const std::string& s) { log += s; });
    CRecovery recovery(doc);
    // The data folder is a file: nothing can be written there; editing goes on, said once.
    write("data", "not a folder");
    for (int k = 0; k < 3; ++k) {
        QCOMPARE(runEditScript(doc, dir_->filePath("edits.txt")), 0);
        recovery.write(true);
    }
    QCOMPARE(QString::fromStdString(log).count(u8("復元用のコピーを書き込めません")), 1);
    QVERIFY(doc.net().objects().size() > 4);
    // A damaged copy left behind: offered, not loaded, said, and left in place.
    QFile::remove(dir_->filePath("data"));
    QDir().mkpath(CRecovery::folder());
    write("data/NOVRA/NOVRA/recovery/old.pol", "NOVRA version 2.00\n.section[place]\n{ 1 broken");
    write("data/NOVRA/NOVRA/recovery/old.info", "original=\nwritten=2026-01-02T03:04:05.000\n");
    const std::string before = fileio::format(doc.net());
    const auto left = recovery.leftBehind();
    QVERIFY(left.size() == 1 && left[0].original.isEmpty());
    QVERIFY(!recovery.restore(left[0]));
    QVERIFY(fileio::format(doc.net()) == before);
    QVERIFY(QString::fromStdString(log).contains(u8("復元用のコピーを読めません")));
    QVERIFY(copies().contains("old.pol") && copies().contains("old.info"));
}

void RecoveryTest::eachCopyLeftBehindIsOffered() {
    // Three copies of instances gone, answered in the order of their times: later, discard, restore.
    struct Answers : ScriptedPrompts {
        std::deque<Recovery> answers{kLater, kDiscard, kRestore};
        Recovery askRecovery(QWidget*, const QString& file, const QDateTime&) override {
            asked << file;
            const Recovery r = answers.front();
            answers.pop_front();
            return r;
        }
    } prompts;
    QDir().mkpath(CRecovery::folder());
    for (const char* id : {"c", "a", "b"}) {
        const QString base = "data/NOVRA/NOVRA/recovery/" + QString(id);
        QFile::copy(NOVRA_SOURCE_DIR "/examples/pipeline.pol", dir_->filePath(base + ".pol"));
        write(base + ".info", "original=" + dir_->filePath(id).toUtf8() + "\nwritten=2026-01-0" +
                                  QByteArray(1, char('1' + (id[0] - 'a'))) + "T00:00:00.000\n");
    }
    CNOVRADoc doc;
    CRecovery recovery(doc);
    QVERIFY(recovery.offer(prompts, nullptr));
    QCOMPARE(prompts.asked, (QStringList{dir_->filePath("a"), dir_->filePath("b"), dir_->filePath("c")}));
    QVERIFY(doc.path() == dir_->filePath("c") && doc.isModified());
    QVERIFY(copies().contains("a.pol") && !copies().contains("b.pol") && !copies().contains("c.pol"));
}

QTEST_MAIN(RecoveryTest)
#include "recovery_test.moc"
