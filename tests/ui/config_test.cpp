// Settings: defaults without a file, round trips, the Verilog folder list and the window placement.
#include "ui/config.h"

#include <QSettings>
#include <QtTest>

#include "common/messages.h"
#include "ui/doc.h"
#include "ui/mainframe.h"
#include "ui_support.h"

using namespace novra::ui;
using novra::ui::testing::TempIni;

class ConfigTest : public QObject {
    Q_OBJECT
  private slots:
    void defaultsWithoutFile();
    void changedValuesSurviveARoundTrip();
    void badNumbersFallBackToDefaults();
    void garbageFileGivesUsableSettings();
    void verilogFolderListStopsAtTheDefaultFolder();
    void verilogFolderListOfTenOtherFolders();
    void shorterFolderListLeavesNoStaleEntries();
    void playfulModeIsAnyNonZeroNmode();
    void placementText();
    void frameIgnoresABadPosition();
    void frameRestoresAndWritesItsPlacement();
    void readOnlyWritesNothing();
};

void ConfigTest::defaultsWithoutFile() {
    TempIni ini;
    DocSettings d;
    d.simSpeed = 1;
    d.load();
    QCOMPARE(d.simSpeed, 10);
    QCOMPARE(d.nmode, 0);
    QCOMPARE(d.verilogOutDirs, std::vector<QString>{CConfig::defaultOutputFolder()});
    QVERIFY(CConfig::defaultOutputFolder().endsWith('/'));
    QCOMPARE(d.verilogOutModuleName, QString("testmodule"));
    QCOMPARE(d.verilogOutSync, 0);
    QCOMPARE(d.verilogDebug, 0);

    ViewSettings v;
    v.hatchSize = 7;
    v.load();
    QCOMPARE(v.hatchSize, 40);
    QCOMPARE(v.simAnime, 1);
    QCOMPARE(v.tokenMove, 1);
    QCOMPARE(v.compileSave, 0);
    QCOMPARE(v.objectYard, 0);
    QCOMPARE(v.enableObjId, 0);
    QCOMPARE(v.enableOldToken, 0);
    QCOMPARE(v.skinUse, 0);
    QCOMPARE(v.colors.back, 12839935);
    QCOMPARE(v.colors.arc, 6618980);
    QCOMPARE(v.colors.place, 6618980);
    QCOMPARE(v.colors.transition, 16737380);
    QCOMPARE(v.colors.uhzi, 33023);
    QCOMPARE(v.colors.kemmakix, 16711935);
    QCOMPARE(v.colors.grid, 11197695);
    QVERIFY(!ini.exists());  // reading creates no file

    CNOVRADoc doc;
    QCOMPARE(novra::nmode(), 0);
    QCOMPARE(doc.settings().simSpeed, 10);
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
    v.compileSave = 1;
    v.simAnime = 0;
    v.objectYard = 1;
    v.tokenMove = 0;
    v.enableObjId = 1;
    v.enableOldToken = 1;
    v.colors = {1, 2, 3, 4, 5, 6, 0xFFFFFF};
    v.skinUse = 1;
    v.save();

    DocSettings d2;
    d2.load();
    QCOMPARE(d2.simSpeed, 250);
    QCOMPARE(d2.nmode, 1);
    QCOMPARE(d2.verilogOutDirs, d.verilogOutDirs);
    QCOMPARE(d2.verilogOutModuleName, QString("トップ"));
    QCOMPARE(d2.verilogOutSync, 1);
    QCOMPARE(d2.verilogDebug, 1);
    ViewSettings v2;
    v2.load();
    QCOMPARE(v2.hatchSize, 25);
    QCOMPARE(v2.compileSave, 1);
    QCOMPARE(v2.simAnime, 0);
    QCOMPARE(v2.objectYard, 1);
    QCOMPARE(v2.tokenMove, 0);
    QCOMPARE(v2.enableObjId, 1);
    QCOMPARE(v2.enableOldToken, 1);
    QVERIFY(v2.colors == v.colors);
    QCOMPARE(v2.skinUse, 1);

    // Sections and keys as the file has always had them, numbers as decimal text.
    const QByteArray text = ini.read();
    QVERIFY(text.contains("[Simulation]"));
    QVERIFY(text.contains("SimSpeed=250"));
    QVERIFY(text.contains("[View]"));
    QVERIFY(text.contains("vColGlid=16777215"));
    QVERIFY(text.contains("[Verilog]"));
    QVERIFY(text.contains("VerilogOutDir0=/home/u/out/"));
}

void ConfigTest::badNumbersFallBackToDefaults() {
    TempIni ini;
    ini.write("[Simulation]\nSimSpeed=fast\nSimAnime=\n[View]\nHatchSize= 80 \nvColBack=0x10\n");
    DocSettings d;
    d.load();
    QCOMPARE(d.simSpeed, 10);
    ViewSettings v;
    v.load();
    QCOMPARE(v.simAnime, 1);
    QCOMPARE(v.hatchSize, 80);
    QCOMPARE(v.colors.back, 12839935);  // numbers are decimal text
}

// A damaged or hand-edited file: values out of range would give a zero grid step (align divides by it),
// a timer period of zero or below, colours beyond 24 bits. Each falls back to its default.
void ConfigTest::garbageFileGivesUsableSettings() {
    TempIni ini;
    QByteArray junk(
        "[Simulation]\nSimSpeed=0\nSimAnime=7\nTokenMove=-1\n[View]\nHatchSize=-40\n"
        "vColBack=99999999999999999999\nvColArc=-5\nvColGlid=16777216\nEnableObjId=1,2\n"
        "[Compile]\nCompileSave=\xff\xfe\x01\n[Edit]\nObjectYard=");
    junk.append(QByteArray(100000, 'x'));
    junk.append("\n\x00\x01garbage line without equals\n[Verilog]\nVerilogOutSync=2\nVerilogDebug=0x1\n");
    ini.write(junk);
    DocSettings d;
    d.load();
    QCOMPARE(d.simSpeed, 10);
    QCOMPARE(d.verilogOutSync, 0);
    QCOMPARE(d.verilogDebug, 0);
    ViewSettings v;
    v.load();
    const ViewColors def;
    QCOMPARE(v.simAnime, 1);
    QCOMPARE(v.tokenMove, 1);
    QCOMPARE(v.hatchSize, 40);
    QCOMPARE(v.colors.back, def.back);
    QCOMPARE(v.colors.arc, def.arc);
    QCOMPARE(v.colors.grid, def.grid);
    QCOMPARE(v.enableObjId, 0);
    QCOMPARE(v.compileSave, 0);
    QCOMPARE(v.objectYard, 0);
    // In-range values next to the garbage still count.
    ini.write("[Simulation]\nSimSpeed=5000\n[View]\nHatchSize=1\nvColBack=16777215\n");
    d.load();
    v.load();
    QCOMPARE(d.simSpeed, 5000);
    QCOMPARE(v.hatchSize, 1);
    QCOMPARE(v.colors.back, 16777215);
}

void ConfigTest::verilogFolderListStopsAtTheDefaultFolder() {
    TempIni ini;
    const QString D = CConfig::defaultOutputFolder();
    {
        QSettings s(ini.path(), QSettings::IniFormat);
        s.setValue("Verilog/VerilogOutDir0", "/a/");
        s.setValue("Verilog/VerilogOutDir1", D);
        s.setValue("Verilog/VerilogOutDir2", "/never/read/");
    }
    CNOVRADoc* doc = new CNOVRADoc;
    QCOMPARE(doc->settings().verilogOutDirs, (std::vector<QString>{"/a/", D}));
    delete doc;  // writes the list back
    QSettings s(ini.path(), QSettings::IniFormat);
    QCOMPARE(s.value("Verilog/VerilogOutDir0").toString(), QString("/a/"));
    QCOMPARE(s.value("Verilog/VerilogOutDir1").toString(), D);
    QVERIFY(!s.contains("Verilog/VerilogOutDir2"));
}

void ConfigTest::verilogFolderListOfTenOtherFolders() {
    TempIni ini;
    {
        QSettings s(ini.path(), QSettings::IniFormat);
        for (int i = 0; i < 12; ++i)
            s.setValue(QString("Verilog/VerilogOutDir%1").arg(i), QString("/d%1/").arg(i));
    }
    QSettings s(ini.path(), QSettings::IniFormat);
    const auto dirs = readVerilogOutDirs(s, CConfig::defaultOutputFolder());
    QCOMPARE(dirs.size(), size_t(10));
    QCOMPARE(dirs.back(), QString("/d9/"));
}

void ConfigTest::shorterFolderListLeavesNoStaleEntries() {
    TempIni ini;
    QSettings s(ini.path(), QSettings::IniFormat);
    writeVerilogOutDirs(s, {"/1/", "/2/", "/3/", "/4/"});
    writeVerilogOutDirs(s, {"/x/"});
    // Without the default folder in the list, reading goes on to the next key.
    const auto dirs = readVerilogOutDirs(s, "/default/");
    QCOMPARE(dirs, (std::vector<QString>{"/x/", "/default/"}));
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

void ConfigTest::placementText() {
    const auto p = parsePlacement("0:1:-1:-1:-1:-1:10:20:710:620");
    QVERIFY(p.has_value());
    QCOMPARE((*p)[6], 10);
    QCOMPARE((*p)[9], 620);
    QCOMPARE(formatPlacement(*p), QString("0:1:-1:-1:-1:-1:10:20:710:620"));
    QVERIFY(parsePlacement("0x10:1:-1:-1:-1:-1:10:20:710:620").has_value());
    QVERIFY(!parsePlacement("0:1:-1:-1:-1:-1:10:20:710").has_value());  // nine numbers
    QVERIFY(!parsePlacement("1:2:3").has_value());
    QVERIFY(!parsePlacement("0:1:-1:-1:-1:-1:10:20:710:620:5").has_value());
    QVERIFY(!parsePlacement("0:1:-1:-1:-1:-1:10:20:710:abc").has_value());
    QVERIFY(!parsePlacement("").has_value());
}

void ConfigTest::frameIgnoresABadPosition() {
    for (const char* bad : {"1:2:3", "0:1:-1:-1:-1:-1:10:20:710", "0:1:-1:-1:-1:-1:500:500:10:10",
                            "0:1:-1:-1:-1:-1:90000:90000:90700:90600"}) {
        TempIni ini;
        ini.write(QByteArray("[Option]\nPosition=") + bad + "\n");
        CNOVRADoc doc;
        CMainFrame frame(&doc);
        QCOMPARE(frame.size(), QSize(700, 600));
    }
}

void ConfigTest::frameRestoresAndWritesItsPlacement() {
    TempIni ini;
    ini.write("[Option]\nPosition=\"0:1:-1:-1:-1:-1:30:40:530:440\"\n");
    {
        CNOVRADoc doc;
        CMainFrame frame(&doc);
        QCOMPARE(frame.geometry(), QRect(30, 40, 500, 400));
        frame.setGeometry(QRect(50, 60, 640, 480));
    }
    QSettings s(ini.path(), QSettings::IniFormat);
    const auto p = parsePlacement(s.value("Option/Position").toString());
    QVERIFY(p.has_value());
    QCOMPARE((*p)[1], kShowNormal);
    QCOMPARE((*p)[6], 50);
    QCOMPARE((*p)[7], 60);
    QCOMPARE((*p)[8], 690);
    QCOMPARE((*p)[9], 540);
}

void ConfigTest::readOnlyWritesNothing() {
    TempIni ini;
    CConfig::setReadOnly(true);
    {
        CNOVRADoc doc;
        CMainFrame frame(&doc);
    }
    CConfig::setReadOnly(false);
    QVERIFY(!ini.exists());
}

QTEST_MAIN(ConfigTest)
#include "config_test.moc"
