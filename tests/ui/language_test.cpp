// The English setting: the Config dialog switches the running window and back, the setting stays in
// NOVRA.ini, and the files the program writes do not change with the language. (novra-cli --lang is in
// tests/data/cli/cases.tsv.)
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QDockWidget>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>

#include "common/messages.h"
#include "ui/dialogs/dialogs.h"
#include "ui/messagebar.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;

namespace {
// Every text the window shows outside the canvas and the log: menu titles, items with their prompts and
// tips, tool bar tips, the message pane's title and the status bar.
QStringList shownTexts(CMainFrame& f) {
    QStringList t;
    for (QAction* m : f.menuBar()->actions()) {
        t << m->text();
        for (QAction* a : m->menu()->actions())
            if (!a->isSeparator() && a->isVisible()) t << a->text() << a->statusTip() << a->toolTip();
    }
    for (QToolBar* bar : {f.fileBar(), f.toolsBar()})
        for (QAction* a : bar->actions())
            if (!a->isSeparator()) t << a->toolTip() << a->statusTip();
    t << f.messageBar()->windowTitle() << f.statusMessage() << f.pane(1)->text() << f.pane(1)->toolTip()
      << f.pane(2)->toolTip();
    return t;
}

bool hasJapanese(const QString& s) {
    static const QRegularExpression japanese(QStringLiteral("[\\x{3000}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return s.contains(japanese);
}

// The Config dialog of the window, its language set, closed with OK.
void chooseLanguage(testing::Fixture& f, int index) {
    CConfigDialog d(*f.doc, *f.view, f.frame.get());
    d.findChild<QComboBox*>("Language")->setCurrentIndex(index);
    d.findChild<QPushButton*>("1")->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

QString cancelText() {
    QMessageBox box(QMessageBox::Question, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
}

struct Run {
    int status = -1;
    QString out, err;
};
Run cli(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral(NOVRA_BIN_DIR "/novra-cli"), args);
    Run r;
    if (!p.waitForFinished(60000)) return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

// Every file under dir, by relative path, with the generation time stamp in the headers blanked.
std::map<QString, QByteArray> tree(const QString& dir) {
    static const QRegularExpression stamp(
        QStringLiteral("\\w{3} \\w{3} [ \\d]\\d \\d\\d:\\d\\d:\\d\\d \\d{4}"));
    std::map<QString, QByteArray> files;
    for (QDirIterator it(dir, QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
        QFile f(it.next());
        if (!f.open(QIODevice::ReadOnly)) continue;
        files[QDir(dir).relativeFilePath(f.fileName())] =
            QString::fromLatin1(f.readAll()).replace(stamp, QStringLiteral("<time>")).toLatin1();
    }
    return files;
}
}  // namespace

class LanguageTest : public QObject {
    Q_OBJECT
  private slots:
    void init() { setLanguage(Language::Japanese); }
    void configDialogSwitchesTheWindowAndBack();
    void settingIsKeptInTheIniFile();
    void generatedFilesAreTheSameInBothLanguages();
};

void LanguageTest::configDialogSwitchesTheWindowAndBack() {
    testing::Fixture f(true, 0);
    useQtJapanese(true);
    f.frame->logText("ログの行\n");
    const QStringList japanese = shownTexts(*f.frame);
    QVERIFY(hasJapanese(japanese.join('|')));
    QCOMPARE(cancelText(), QString("キャンセル"));

    chooseLanguage(f, 1);
    QCOMPARE(language(), Language::English);
    const QStringList english = shownTexts(*f.frame);
    QCOMPARE(english.size(), japanese.size());
    for (const QString& s : english) QVERIFY2(!hasJapanese(s), qPrintable(s));
    QStringList titles;
    for (QAction* m : f.frame->menuBar()->actions()) titles << m->text();
    QCOMPARE(titles.join('|'), QString("&File|&Edit|&View|&Simulation|Settings|&Help"));
    QCOMPARE(f.frame->action(Cmd::ToolPlace)->toolTip(), QString("Place"));
    QCOMPARE(f.frame->statusMessage(), QString("Ready"));
    QCOMPARE(cancelText(), QString("Cancel"));           // Qt's own dialogs follow
    QVERIFY(f.log().contains(testing::u8("ログの行")));  // the log keeps its lines
    CConfigDialog later(*f.doc, *f.view);                // a dialog opened afterwards
    QCOMPARE(later.findChild<QTabWidget*>("1036")->tabText(0), QString("General"));

    chooseLanguage(f, 0);
    QCOMPARE(shownTexts(*f.frame), japanese);
    QCOMPARE(cancelText(), QString("キャンセル"));

    // The text a transition dialog offers for an empty function goes into the net: never in English.
    setLanguage(Language::English);
    const int t = f.net().addObject(100, 100, kTransition);
    f.net().transitions().at(t).functionText.clear();
    CTransitionDialog d(*f.doc, t, f.view);
    d.show();
    testing::pressWithMessage(&d);
    QCOMPARE(f.net().transitions().at(t).functionText, text(msg::kDlgRequestOnly, Language::Japanese));
}

void LanguageTest::settingIsKeptInTheIniFile() {
    testing::Fixture f(true, -1);
    QCOMPARE(readLanguage(), Language::Japanese);  // no file: Japanese
    chooseLanguage(f, 1);
    QVERIFY(f.ini.read().contains("Language=en"));
    QCOMPARE(readLanguage(), Language::English);
    chooseLanguage(f, 0);
    QVERIFY(f.ini.read().contains("Language=ja"));
    // A hand-edited value that names no language reads as Japanese.
    for (const char* bad : {"Language=fr", "Language=", "Language=EN"}) {
        f.ini.write(QByteArray("[General]\n") + bad + "\n");
        QCOMPARE(readLanguage(), Language::Japanese);
    }
}

void LanguageTest::generatedFilesAreTheSameInBothLanguages() {
    QTemporaryDir dir;
    QStringList nets = QDir(NOVRA_SOURCE_DIR "/examples").entryList({"*.pol"});
    QVERIFY(nets.size() >= 5);
    for (const char* lang : {"ja", "en"}) {
        const QString out = dir.filePath(lang);
        for (const QString& name : nets) {
            const QString net = QStringLiteral(NOVRA_SOURCE_DIR "/examples/") + name;
            const QString base = QFileInfo(name).completeBaseName();
            QVERIFY(QDir().mkpath(out + "/" + base));
            Run r = cli({"--lang", lang, "verilog", net, "--out", out + "/" + base});
            QVERIFY2(r.status == 0, qPrintable(r.out + r.err));
            QCOMPARE(cli({"save", net, out + "/" + name, "--lang", lang}).status, 0);
        }
        // A failed output leaves its marker file.
        QVERIFY(QDir().mkpath(out + "/failed"));
        Run r = cli({"--lang", lang, "verilog", NOVRA_SOURCE_DIR "/tests/data/verilog/cli/dangling.pol",
                     "--out", out + "/failed"});
        QCOMPARE(r.status, 1);
        QCOMPARE(hasJapanese(r.out), QString(lang) == "ja");
    }
    const auto ja = tree(dir.filePath("ja")), en = tree(dir.filePath("en"));
    QVERIFY(ja.size() > 50);
    QVERIFY(ja.count("failed/testmodule/out.txt"));
    for (const auto& [name, bytes] : ja) QVERIFY2(en.count(name) && en.at(name) == bytes, qPrintable(name));
    QCOMPARE(en.size(), ja.size());
}

QTEST_MAIN(LanguageTest)
#include "language_test.moc"
