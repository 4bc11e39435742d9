// The novra program from the outside: the screenshot mode and its answers to bad command lines.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class AppTest : public QObject {
    Q_OBJECT
  private slots:
    void screenshotOfAnExample();
    void unreadableNetGivesNoPicture();
    void badCommandLines();
    void screenshotLeavesTheSettingsFileAlone();
    void sharpAtTwiceTheResolution();

  private:
    static QString novra() { return QStringLiteral(NOVRA_BIN_DIR "/novra"); }
    static int run(const QStringList& args, QByteArray* err = nullptr,
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(novra(), args);
        if (!p.waitForFinished(60000)) return -1;
        if (err) *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};

void AppTest::screenshotOfAnExample() {
    QTemporaryDir dir;
    const QString png = dir.filePath("net.png");
    QCOMPARE(run({"--screenshot", png, NOVRA_SOURCE_DIR "/examples/serial_adder.pol"}), 0);
    const QImage img(png);
    QVERIFY(!img.isNull());
    QCOMPARE(img.size(), QSize(700, 600));  // the main window at its first size
    // Canvas background and the net's colours are there: a place, a transition, a source, a sink.
    int back = 0, place = 0, transition = 0, uhzi = 0, kemmakix = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y) & 0xFFFFFF;
            back += c == 0xFFEBC3;
            place += c == 0x64FF64;
            transition += c == 0x6464FF;
            uhzi += c == 0xFF8000;
            kemmakix += c == 0xFF00FF;
        }
    QVERIFY(back > 100000);
    QVERIFY(place > 100);
    QVERIFY(transition > 50);
    QVERIFY(uhzi > 50);
    QVERIFY(kemmakix > 50);
}

void AppTest::unreadableNetGivesNoPicture() {
    QTemporaryDir dir;
    const QString png = dir.filePath("net.png");
    QFile bad(dir.filePath("bad.pol"));
    bad.open(QIODevice::WriteOnly);
    bad.write("this is not a net\r\n");
    bad.close();
    QByteArray err;
    QCOMPARE(run({"--screenshot", png, bad.fileName()}, &err), 1);
    QVERIFY(!QFile::exists(png));
    QVERIFY(err.contains("bad.pol"));  // the path and the reader's message
    QCOMPARE(run({"--screenshot", png, dir.filePath("missing.pol")}, &err), 1);
    QVERIFY(!QFile::exists(png));
}

void AppTest::badCommandLines() {
    QByteArray err;
    QCOMPARE(run({"--screenshot"}, &err), 2);
    QVERIFY(err.contains("--screenshot"));  // the usage
    QCOMPARE(run({"--screenshot", "a.png"}), 2);
    QCOMPARE(run({"--frobnicate", "a.pol"}), 2);
    QCOMPARE(run({"a.pol", "b.pol"}), 2);
}

void AppTest::screenshotLeavesTheSettingsFileAlone() {
    QTemporaryDir dir;
    const QString ini = QStringLiteral(NOVRA_BIN_DIR "/NOVRA.ini");
    const bool existed = QFile::exists(ini);
    QCOMPARE(run({"--screenshot", dir.filePath("a.png"), NOVRA_SOURCE_DIR "/examples/pipeline.pol"}), 0);
    QCOMPARE(QFile::exists(ini), existed);
}

// A screen of twice the pixels gets a canvas drawn with twice the pixels, not a picture of half the size
// blown up; and the first window fits on that screen (the offscreen one is 800 x 800).
void AppTest::sharpAtTwiceTheResolution() {
    QTemporaryDir dir;
    const QString png = dir.filePath("net.png");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_SCALE_FACTOR", "2");
    QCOMPARE(run({"--screenshot", png, NOVRA_SOURCE_DIR "/examples/serial_adder.pol"}, nullptr, env), 0);
    const QImage img(png);
    QVERIFY(img.width() <= 800 && img.height() <= 800);
    // Blown up, every aligned 2 x 2 block of the canvas is one colour; drawn sharp, edges cut through them.
    int canvas = 0, cut = 0;
    for (int y = 0; y + 1 < img.height(); y += 2)
        for (int x = 0; x + 1 < img.width(); x += 2) {
            const QRgb b[4] = {img.pixel(x, y), img.pixel(x + 1, y), img.pixel(x, y + 1),
                               img.pixel(x + 1, y + 1)};
            if (std::none_of(b, b + 4, [](QRgb c) { return (c & 0xFFFFFF) == 0xFFEBC3; })) continue;
            ++canvas;
            cut += std::any_of(b, b + 4, [&](QRgb c) { return c != b[0]; });
        }
    QVERIFY2(canvas > 2000 && cut > 100, qPrintable(QString("%1 %2").arg(canvas).arg(cut)));
}

QTEST_GUILESS_MAIN(AppTest)
#include "app_test.moc"
