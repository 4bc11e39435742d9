// The novra program from the outside: the screenshot mode, sharp on a screen of twice the pixels, and its
// answers to bad command lines and unreadable nets.
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
    void sharpAtTwiceTheResolution();
    void badCommandLinesAndNets();

  private:
    static int run(const QStringList& args, QByteArray* err = nullptr,
                   const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(NOVRA_BIN_DIR "/novra"), args);
        if (!p.waitForFinished(60000)) return -1;
        if (err) *err = p.readAllStandardError();
        return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    }
};

// The main window at its first size with the net in its colours; the settings file is left alone.
void AppTest::screenshotOfAnExample() {
    QTemporaryDir dir;
    const QString png = dir.filePath("net.png");
    const QString ini = QStringLiteral(NOVRA_BIN_DIR "/NOVRA.ini");
    const bool existed = QFile::exists(ini);
    QCOMPARE(run({"--screenshot", png, NOVRA_SOURCE_DIR "/examples/serial_adder.pol"}), 0);
    QCOMPARE(QFile::exists(ini), existed);
    const QImage img(png);
    QCOMPARE(img.size(), QSize(700, 600));
    // Canvas background, a place, a transition, a source, a sink.
    std::map<QRgb, int> n;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) ++n[img.pixel(x, y) & 0xFFFFFF];
    QVERIFY(n[0xFFEBC3] > 100000 && n[0x64FF64] > 100);
    QVERIFY(n[0x6464FF] > 50 && n[0xFF8000] > 50 && n[0xFF00FF] > 50);
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

void AppTest::badCommandLinesAndNets() {
    QByteArray err;
    QCOMPARE(run({"--screenshot"}, &err), 2);
    QVERIFY(err.contains("--screenshot"));  // the usage
    for (const QStringList& args : {QStringList{"--screenshot", "a.png"},
                                    {"--frobnicate", "a.pol"},
                                    {"a.pol", "b.pol"},
                                    {"--lang", "fr"}})
        QCOMPARE(run(args), 2);
    // An unreadable or missing net: the path and the reader's message, and no picture.
    QTemporaryDir dir;
    const QString png = dir.filePath("net.png");
    QFile bad(dir.filePath("bad.pol"));
    QVERIFY(bad.open(QIODevice::WriteOnly) && bad.write("this is not a net\r\n") > 0);
    bad.close();
    QCOMPARE(run({"--screenshot", png, bad.fileName()}, &err), 1);
    QVERIFY(err.contains("bad.pol"));
    QCOMPARE(run({"--screenshot", png, dir.filePath("missing.pol")}, &err), 1);
    QVERIFY(!QFile::exists(png));
}

QTEST_GUILESS_MAIN(AppTest)
#include "app_test.moc"
