// The simulation menu's 「波形を保存…」 on the real main window: it saves what was recorded since the
// compile, steps and runs alike, through the file dialog of the prompts.
#include <QMenuBar>
#include <QtTest>
#include <memory>

#include "common/messages.h"
#include "support/vcd_reader.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::Fixture;

namespace {
std::string readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll().toStdString() : std::string();
}
}  // namespace

class WaveTest : public QObject {
    Q_OBJECT
  private slots:
    void menuItemSavesTheRecordedWave();
};

void WaveTest::menuItemSavesTheRecordedWave() {
    Fixture f(true, 900, 600);
    CMainFrame& frame = *f.frame;
    QVERIFY(f.doc->openDocument(QString(NOVRA_SOURCE_DIR "/examples/stream_pipeline.pol")));
    QAction* item = nullptr;
    for (QAction* m : frame.menuBar()->actions())
        if (m->text() == QString::fromUtf8(text(msg::kMenuSimulation).c_str()))
            item = m->menu()->actions().value(0);
    QVERIFY(item != nullptr && item->objectName() == "32830");
    QVERIFY(!frame.commandEnabled(Cmd::SaveWave));  // nothing recorded before a compile

    QTemporaryDir dir;
    f.prompts.defaultSave = dir.filePath("steps.pol");  // the net files' dialog: saved as .vcd
    frame.runCommand(Cmd::Compile);
    for (int i = 0; i < 7; ++i) frame.runCommand(Cmd::Step);
    QVERIFY(frame.commandEnabled(Cmd::SaveWave));
    item->trigger();
    QCOMPARE(f.prompts.count("save:"), 1);
    const std::string steps = readAll(dir.filePath("steps.vcd"));
    support::VcdTrace t = support::readVcd(steps);
    QVERIFY2(t.errors.empty(), qPrintable(QString::fromStdString(t.errors.empty() ? "" : t.errors[0])));
    QCOMPARE(t.endTime, 7L);
    QVERIFY(!QFile::exists(dir.filePath("steps.pol")));

    // The unanimated run goes on recording; Abort stops it, and the recording can still be saved.
    f.view->settings().simAnime = 0;
    frame.runCommand(Cmd::Run);
    frame.runCommand(Cmd::Abort);
    f.prompts.defaultSave = dir.filePath("run.vcd");
    item->trigger();
    t = support::readVcd(readAll(dir.filePath("run.vcd")));
    QVERIFY(t.errors.empty() && t.endTime > 7);
    std::string bits;
    for (const auto& [name, s] : t.wires)
        if (name.rfind("net.sinks.", 0) == 0)
            for (const auto& [time, v] : s.changes) bits += v[0] == '1' ? v.substr(1) : "";
    std::string received;
    for (const auto& [id, k] : f.net().kemmakixes())
        for (const auto& w : k.received) received += w;
    QCOMPARE(bits, received);
    QCOMPARE(readAll(dir.filePath("steps.vcd")), steps);  // untouched

    // Cancel writes nothing.
    f.prompts.defaultSave.clear();
    item->trigger();
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

QTEST_MAIN(WaveTest)
#include "wave_test.moc"
