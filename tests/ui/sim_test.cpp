// The simulation controller on the real view inside the main window: compile and the commands it enables,
// the step cycle and its token movements, runs by clock and by timer, fire stops and faults that point at
// their transition, pause, abort, rewind, clear all and the animations; most as scripts in
// tests/data/ui/sim.txt. What the engine computes is tested in tests/sim; here it is what the window does
// with it.
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "common/messages.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::Fixture;
using novra::ui::testing::u8;

class SimTest : public testing::UiTest {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void scripts_data() { testing::scriptRows("sim.txt"); }
    void scripts() {
        QFETCH(QString, script);
        PLAY(script);
    }
    void clearAllAsksTheRealQuestion();
    void sparksAndAnimationFramesReachTheWindow();

  private:
    CNOVRADoc* doc_ = nullptr;
    CMainFrame* frame_ = nullptr;
    CNOVRAView* view() { return frame_->view(); }
    CSimController& sim() { return f_->sim(); }
    int phase() { return doc_->simulation().phase(); }
    void open(const char* name) {
        QVERIFY(doc_->openDocument(QString(NOVRA_SOURCE_DIR "/examples/") + name));
        f_->r().renderFrame();
    }
    bool active(int timer) { return sim().timerActive(timer); }
    // Scroll ticks until the scroll stops; the count.
    int scrollToEnd() {
        int ticks = 0;
        for (; active(CSimController::kScrollTimer) && ticks < 100; ++ticks) sim().scrollTick();
        return ticks;
    }
};

void SimTest::init() {
    setNmode(0);
    f_ = std::make_unique<Fixture>(true, 900, 600);
    doc_ = f_->doc.get();
    frame_ = f_->frame.get();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    sim().setRandom([] { return 7; });
}

void SimTest::cleanup() {
    f_.reset();
    setNmode(0);
}

// The real question before Clear all: playful wording, Cancel as the default button.
void SimTest::clearAllAsksTheRealQuestion() {
    open("pipeline.pol");
    frame_->setPrompts(nullptr);
    setNmode(1);
    QString shown;
    bool cancelByDefault = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        shown = box->text();
        cancelByDefault = box->defaultButton() == box->button(QMessageBox::Cancel);
        box->button(QMessageBox::Ok)->click();
    });
    run(Cmd::ClearAll);
    QCOMPARE(shown, u8("全て削除してもよろしいか？"));
    QVERIFY(cancelByDefault && net().objects().empty());
}

// Spark rings of 2 sparks, 200 when playful, that end with their object; the rings and the moving tokens
// are drawn into the work buffer, and what differs from the drawn net is what the window shows.
void SimTest::sparksAndAnimationFramesReachTheWindow() {
    open("pipeline.pol");
    const auto ended = [this] {
        sim().sparkTick();
        return net().stopObject() == 0 && !active(CSimController::kSparkTimer) && sim().sparks.empty();
    };
    sim().pointAt(6, 10);
    sim().sparkTick();
    QCOMPARE(sim().sparks.size(), size_t(2));
    net().deleteObject(6);
    QVERIFY(ended());
    unsigned seed = 12345;
    sim().setRandom([&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    });
    open("pipeline.pol");
    run(Cmd::Compile);
    for (int firings = 0; firings < 6;) {
        firings += phase() == 2;
        run(Cmd::Step);
        while (firings < 6 && !sim().tokenMoves.empty()) sim().tokenMoveTick();
    }
    QVERIFY(sim().tokenMoves.size() >= 2);
    // Only the repaints the ticks asked for are delivered: a real timer firing in between would move the
    // picture on after the window was grabbed.
    const auto showAsked = [] { QCoreApplication::sendPostedEvents(); };
    setNmode(1);
    sim().pointAt(6, 10);
    scrollToEnd();
    showAsked();
    for (int i = 0; i < 40; ++i) sim().sparkTick();
    QCOMPARE(sim().sparks.size(), size_t(200));
    for (int i = 0; i < 3; ++i) sim().tokenMoveTick();
    showAsked();
    const QImage shot = frame_->screen()->grabWindow(frame_->winId()).toImage();
    const QPoint origin = view()->viewport()->mapTo(frame_, QPoint(0, 0));
    int differing = 0;
    const QImage& work = f_->r().workBuffer();
    const QImage& back = f_->r().backBuffer();
    for (int y = 0; y < work.height(); y += 2)
        for (int x = 0; x < work.width(); x += 2) {
            if (work.pixel(x, y) == back.pixel(x, y)) continue;
            ++differing;
            QCOMPARE(shot.pixel(origin + QPoint(x, y)) & 0xFFFFFF, work.pixel(x, y) & 0xFFFFFF);
        }
    QVERIFY2(differing > 200, qPrintable(QString::number(differing)));
}

QTEST_MAIN(SimTest)
#include "sim_test.moc"
