// Settings: defaults without a file, round trips, damaged files, the Verilog folder list and the window
// placement.
#include "ui/config.h"

#include <QSettings>
#include <QtTest>

#include "common/messages.h"
#include "ui_support.h"

using namespace novra::ui;
using novra::ui::testing::TempIni;

namespace {
// Every setting on one line.
QString text(const DocSettings& d, const ViewSettings& v) {
    const ViewColors& c = v.colors;
    const QStringList dirs(d.verilogOutDirs.begin(), d.verilogOutDirs.end());
    return dirs.join(';') + " " + d.verilogOutModuleName +
           QString::asprintf(
               " speed=%d nmode=%d sync=%d debug=%d grid=%d save=%d anime=%d yard=%d move=%d ids=%d "
               "old=%d skin=%d back=%d arc=%d place=%d tran=%d uhzi=%d kemmakix=%d lines=%d",
               d.simSpeed, d.nmode, d.verilogOutSync, d.verilogDebug, v.hatchSize, v.compileSave, v.simAnime,
               v.objectYard, v.tokenMove, v.enableObjId, v.enableOldToken, v.skinUse, c.back, c.arc, c.place,
               c.transition, c.uhzi, c.kemmakix, c.grid);
}
// The settings as loaded from the file.
QString loaded() {
    DocSettings d;
    d.simSpeed = 1;  // loading sets every value, read or default
    ViewSettings v;
    v.hatchSize = 7;
    d.load();
    v.load();
    return text(d, v).replace(CConfig::defaultOutputFolder(), "D");
}
const QString kDefaults =
    "D testmodule speed=10 nmode=0 sync=0 debug=0 grid=40 save=0 anime=1 yard=0 move=1 ids=0 old=0 skin=0 "
    "back=12839935 arc=6618980 place=6618980 tran=16737380 uhzi=33023 kemmakix=16711935 lines=11197695";
}  // namespace

class ConfigTest : public QObject {
    Q_OBJECT
  private slots:
    void defaultsWithoutFile();
    void changedValuesSurviveARoundTrip();
    void damagedValuesFallBackToDefaults();
    void verilogFolderList();
    void playfulModeIsAnyNonZeroNmode();
    void windowPlacement();
};

void ConfigTest::defaultsWithoutFile() {
    TempIni ini;
    QCOMPARE(loaded(), kDefaults);
    QVERIFY(CConfig::defaultOutputFolder().endsWith('/'));
    QVERIFY(!ini.exists());  // reading creates no file
}

void ConfigTest::changedValuesSurviveARoundTrip() {
    TempIni ini;
    DocSettings d;
    d.simSpeed = 250;
    d.nmode = 1;
    d.verilogOutDirs = {"/home/u/out/", "/tmp/a,b/", CConfig::defaultOutputFolder()};
    d.verilogOutModuleName = "トップ";
    d.verilogOutSync = 1;
    d.verilogDebug = 1;
    d.save();
    ViewSettings v;
    v.hatchSize = 25;
    v.compileSave = v.objectYard = v.enableObjId = v.enableOldToken = v.skinUse = 1;
    v.simAnime = v.tokenMove = 0;
    v.colors = {1, 2, 3, 4, 5, 6, 0xFFFFFF};
    v.save();
    QCOMPARE(loaded(), text(d, v).replace(CConfig::defaultOutputFolder(), "D"));
    // Sections and keys as the file has always had them, numbers as decimal text.
    const QByteArray file = ini.read();
    for (const char* line : {"[Simulation]", "SimSpeed=250", "[View]", "vColGlid=16777215", "[Verilog]",
                             "VerilogOutDir0=/home/u/out/"})
        QVERIFY2(file.contains(line), line);
}

// A damaged or hand-edited file: values out of range would give a zero grid step (align divides by it),
// a timer period of zero or below, colours beyond 24 bits. Each falls back to its default; in-range
// values next to the garbage still count.
void ConfigTest::damagedValuesFallBackToDefaults() {
    TempIni ini;
    QByteArray junk(
        "[Simulation]\nSimSpeed=0\nSimAnime=7\nTokenMove=-1\n[View]\nHatchSize=-40\n"
        "vColBack=99999999999999999999\nvColArc=-5\nvColGlid=16777216\nEnableObjId=1,2\n"
        "[Compile]\nCompileSave=\xff\xfe\x01\n[Edit]\nObjectYard=");
    junk.append(QByteArray(100000, 'x'));
    junk.append("\n\x00\x01garbage line without equals\n[Verilog]\nVerilogOutSync=2\nVerilogDebug=0x1\n");
    const std::pair<QByteArray, QString> cases[] = {
        {junk, kDefaults},
        {"[Simulation]\nSimSpeed=fast\nSimAnime=\n[View]\nHatchSize= 80 \nvColBack=0x10\n",
         QString(kDefaults).replace("grid=40", "grid=80")},
        {"[Simulation]\nSimSpeed=5000\n[View]\nHatchSize=1\nvColBack=16777215\n",
         QString(kDefaults)
             .replace("speed=10", "speed=5000")
             .replace("grid=40", "grid=1")
             .replace("back=12839935", "back=16777215")}};
    for (const auto& [content, expected] : cases) {
        ini.write(content);
        QCOMPARE(loaded(), expected);
    }
}

void ConfigTest::verilogFolderList() {
    TempIni ini;
    const QString D = CConfig::defaultOutputFolder();
    QSettings s(ini.path(), QSettings::IniFormat);
    // The list stops at the default folder, and the document writes it back as it read it.
    s.setValue("Verilog/VerilogOutDir0", "/a/");
    s.setValue("Verilog/VerilogOutDir1", D);
    s.setValue("Verilog/VerilogOutDir2", "/never/read/");
    s.sync();
    {
        CNOVRADoc doc;
        QCOMPARE(doc.settings().verilogOutDirs, (std::vector<QString>{"/a/", D}));
    }
    s.sync();
    QVERIFY(s.value("Verilog/VerilogOutDir0") == "/a/" && s.value("Verilog/VerilogOutDir1") == D);
    QVERIFY(!s.contains("Verilog/VerilogOutDir2"));
    // At most ten other folders.
    for (int i = 0; i < 12; ++i)
        s.setValue(QString("Verilog/VerilogOutDir%1").arg(i), QString("/d%1/").arg(i));
    const auto ten = readVerilogOutDirs(s, D);
    QVERIFY(ten.size() == 10 && ten.back() == "/d9/");
    // A shorter list leaves no stale entries; without the default folder, reading goes on to the end.
    writeVerilogOutDirs(s, {"/1/", "/2/", "/3/", "/4/"});
    writeVerilogOutDirs(s, {"/x/"});
    QCOMPARE(readVerilogOutDirs(s, "/default/"), (std::vector<QString>{"/x/", "/default/"}));
}

void ConfigTest::playfulModeIsAnyNonZeroNmode() {
    TempIni ini;
    ini.write("[General]\nNmode=2\n");
    {
        CNOVRADoc doc;
        QCOMPARE(novra::nmode(), 1);
    }
    QVERIFY(ini.read().contains("Nmode=2"));  // unchanged meaning keeps the stored number
    {
        CNOVRADoc doc;
        novra::setNmode(0);
    }
    QVERIFY(ini.read().contains("Nmode=0"));
}

void ConfigTest::windowPlacement() {
    const auto p = parsePlacement("0:1:-1:-1:-1:-1:10:20:710:620");
    QVERIFY(p.has_value() && formatPlacement(*p) == "0:1:-1:-1:-1:-1:10:20:710:620");
    QVERIFY(parsePlacement("0x10:1:-1:-1:-1:-1:10:20:710:620").has_value());
    // Not ten numbers, or a window of no size or off every screen: the window opens at its own size.
    for (const char* bad : {"", "1:2:3", "0:1:-1:-1:-1:-1:10:20:710", "0:1:-1:-1:-1:-1:10:20:710:620:5",
                            "0:1:-1:-1:-1:-1:10:20:710:abc", "0:1:-1:-1:-1:-1:500:500:10:10",
                            "0:1:-1:-1:-1:-1:90000:90000:90700:90600"}) {
        TempIni ini;
        ini.write(QByteArray("[Option]\nPosition=") + bad + "\n");
        CNOVRADoc doc;
        CMainFrame frame(&doc);
        QVERIFY2(frame.size() == QSize(700, 600), bad);
    }
    TempIni ini;
    ini.write("[Option]\nPosition=\"0:1:-1:-1:-1:-1:30:40:530:440\"\n");
    {
        CNOVRADoc doc;
        CMainFrame frame(&doc);
        QCOMPARE(frame.geometry(), QRect(30, 40, 500, 400));
        frame.setGeometry(QRect(50, 60, 640, 480));
    }
    QSettings s(ini.path(), QSettings::IniFormat);
    QCOMPARE(s.value("Option/Position").toString(),
             QString("0:%1:-1:-1:-1:-1:50:60:690:540").arg(kShowNormal));
}

QTEST_MAIN(ConfigTest)
#include "config_test.moc"
