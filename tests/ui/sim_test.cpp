// The simulation controller on the real view inside the main window: compile and the commands it enables,
// the step cycle and its token movements, runs by clock and by timer, fire stops and faults that point at
// their transition, pause, abort, rewind, clear all and the animations. What the engine computes is tested
// in tests/sim; here it is what the window does with it.
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QtTest>
#include <memory>

#include "common/messages.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::u8;
using novra::ui::testing::WindowFixture;

namespace {
const char* const kEnded = "シミュレーションが終了しました。";
}  // namespace

class SimTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void compileSetsTheCommandsAndSavesWhenAsked();
    void compileFaultScrollsToTheTransition();
    void tokenMovementsFollowTheFiredArcs();
    void runsWithAndWithoutAnimation();
    void realTimerDrivesTheRun();
    void fireStopPausesAndPoints();
    void engineFaultPointsAtTheTransition();
    void pauseAndAbort();
    void openingAFileEndsTheSimulation();
    void rewindRestoresTenMarkingsAndRunsOn();
    void tokenClickedOntoACompiledNetEnables();
    void clearAllAsksFirst();
    void sparksByNmodeAndStopWithTheObject();
    void animationFramesReachTheWindow();

  private:
    std::unique_ptr<WindowFixture> f_;
    CNOVRADoc* doc_ = nullptr;
    CMainFrame* frame_ = nullptr;
    CNOVRAView* view() { return frame_->view(); }
    CNet& net() { return doc_->net(); }
    CSimController& sim() { return f_->sim(); }
    int phase() { return doc_->simulation().phase(); }
    QString log() { return f_->log(); }
    QString on() { return testing::enabledCommands(*frame_); }
    void open(const char* name) {
        QVERIFY(doc_->openDocument(QString(NOVRA_SOURCE_DIR "/examples/") + name));
        f_->r().renderFrame();
    }
    void run(Cmd c) { frame_->runCommand(c); }
    bool active(int timer) { return sim().timerActive(timer); }
    int period(int timer) { return sim().timerPeriod(timer); }
    // Ticks the clock until the log shows the text or the tick budget is spent.
    bool tickUntil(const char* logged, int budget = 20000) {
        for (int i = 0; i < budget && !log().contains(u8(logged)); ++i) sim().clockTick();
        return log().contains(u8(logged));
    }
    // Scroll ticks until the scroll stops; the count.
    int scrollToEnd() {
        int ticks = 0;
        for (; active(CSimController::kScrollTimer) && ticks < 100; ++ticks) sim().scrollTick();
        return ticks;
    }
    bool centred(int id) {
        const auto& o = net().objects().at(id);
        return f_->r().toClient(o.x, o.y) == QPoint(f_->r().clientWidth() / 2, f_->r().clientHeight() / 2);
    }
};

void SimTest::init() {
    setNmode(0);
    f_ = std::make_unique<WindowFixture>(900, 600);
    doc_ = f_->doc.get();
    frame_ = f_->frame.get();
    QVERIFY(QTest::qWaitForWindowExposed(frame_));
    sim().setRandom([] { return 7; });
}

void SimTest::cleanup() {
    f_.reset();
    setNmode(0);
}

void SimTest::compileSetsTheCommandsAndSavesWhenAsked() {
    open("pipeline.pol");
    QCOMPARE(on(), "Compile ClearAll ToolPlace ToolDelete Align");
    run(Cmd::Compile);
    QCOMPARE(log(), u8("ｺﾝﾊﾟｲﾙ中...\r\nプリミティブ 9\r\nNOVRA - ｴﾗｰ 0、警告 0\r\n"));
    QCOMPARE(frame_->statusMessage(), u8("シミュレーションを実行してください"));
    QVERIFY(doc_->compiled());
    QCOMPARE(on(), "Run Step Abort Align");
    QCOMPARE(period(CSimController::kClockTimer), 100);
    QVERIFY(phase() == 0 && sim().advance == 0);
    // A second compile starts over from a clean log, saving to the document's own file only when asked.
    run(Cmd::Abort);
    QTemporaryDir dir;
    const QString copy = dir.filePath("copy.pol");
    QVERIFY(doc_->saveDocument(copy, std::string()));
    const auto content = [&copy] {
        QFile f(copy);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };
    {
        QFile f(copy);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write("stale") == 5);
    }
    run(Cmd::Compile);
    QCOMPARE(content(), QByteArray("stale"));
    QCOMPARE(log().count(u8("ｺﾝﾊﾟｲﾙ中...")), 1);
    run(Cmd::Abort);
    view()->settings().compileSave = 1;
    run(Cmd::Compile);
    QVERIFY(content().startsWith("=== NOVRA"));
    QVERIFY(frame_->commandEnabled(Cmd::Run));
}

void SimTest::compileFaultScrollsToTheTransition() {
    const int p = net().addObject(2000, 1600, kPlace);
    const int t = net().addObject(2100, 1600, kTransition);
    net().addArc(p, t);
    net().setToken(p, kBlack, 1);
    net().transitions().at(t).functionText = "o1=i1#i2;";  // does not parse
    f_->r().renderFrame();
    QVERIFY(!sim().compileCommand());
    QVERIFY(net().stopObject() == t && !doc_->compiled() && sim().helpState == 2);
    QCOMPARE(on(), "Compile ClearAll ToolPlace ToolDelete Align");
    QCOMPARE(frame_->statusMessage(), u8("コンパイルが失敗しました。もう一度エディットを行ってください"));
    QVERIFY(!log().contains(u8("ｴﾗｰ 0")));
    QCOMPARE(period(CSimController::kScrollTimer), 1);
    QCOMPARE(period(CSimController::kSparkTimer), 20);
    QVERIFY(!active(CSimController::kClockTimer));
    // The scroll reaches the transition in 30 steps and then stops; zoomed out, in fewer.
    QCOMPARE(scrollToEnd(), 31);
    QVERIFY(centred(t));
    view()->runCommand(Cmd::ZoomOut);
    view()->runCommand(Cmd::ZoomOut);
    f_->r().setScrollPos(QPoint(0, 0));
    sim().pointAt(t, 10);
    QCOMPARE(scrollToEnd(), (30 >> 2) + 1);
    QVERIFY(centred(t));
    QCOMPARE(period(CSimController::kSparkTimer), 10);
}

void SimTest::tokenMovementsFollowTheFiredArcs() {
    open("pipeline.pol");
    run(Cmd::Compile);
    run(Cmd::Step);  // sources
    QVERIFY(phase() == 1 && !frame_->commandEnabled(Cmd::Rewind));
    run(Cmd::Step);  // enabling
    QVERIFY(sim().tokenMoves.empty());
    run(Cmd::Step);  // transition 5 fires: one input and one output arc
    QCOMPARE(on(), "Run Step Abort Rewind Align");
    QCOMPARE(sim().tokenMoves.size(), size_t(2));
    const auto& in = sim().tokenMoves[0];
    const auto& p1 = net().objects().at(1);
    const auto& t5 = net().objects().at(5);
    const QPoint s = f_->r().scrollPos();
    QCOMPARE(QPoint(in.startX, in.startY), QPoint(p1.x - s.x(), p1.y - s.y()));
    QCOMPARE(QPoint(in.endX, in.endY), QPoint(t5.x - s.x(), t5.y - s.y()));
    QVERIFY(in.distance == 60 && in.color == kBlack);
    QCOMPARE(sim().tokenMoves[1].startX, in.endX);
    QCOMPARE(period(CSimController::kMoveTimer), 10);
    // Seven frames are shown (2/10 to 8/10), then the list goes.
    int ticks = 0;
    for (; !sim().tokenMoves.empty() && ticks < 50; ++ticks) sim().tokenMoveTick();
    QCOMPARE(ticks, 8);
    QVERIFY(!active(CSimController::kMoveTimer));
    // A firing phase after a sweep that enabled nothing builds no list and starts no timer.
    bool quietFiring = false;
    for (int i = 0; i < 200 && !quietFiring; ++i) {
        bool anyEnabled = false;
        for (const auto& [id, t] : net().transitions()) anyEnabled |= t.enabled;
        quietFiring = phase() == 2 && !anyEnabled;
        while (quietFiring && !sim().tokenMoves.empty()) sim().tokenMoveTick();
        run(Cmd::Step);
        QVERIFY(!quietFiring || (sim().tokenMoves.empty() && !active(CSimController::kMoveTimer)));
    }
    QVERIFY(quietFiring);
    // Pause drops the movements in flight.
    while (phase() != 2) run(Cmd::Step);
    run(Cmd::Step);
    QVERIFY(!sim().tokenMoves.empty());
    run(Cmd::Run);
    run(Cmd::Pause);
    QVERIFY(sim().tokenMoves.empty() && !active(CSimController::kMoveTimer));
    // From zoom level 3 on nothing travels.
    for (int i = 0; i < 3; ++i) view()->runCommand(Cmd::ZoomOut);
    int firings = 0;
    for (int i = 0; i < 40 && firings < 3; ++i) {
        const bool firing = phase() == 2;
        run(Cmd::Step);
        firings += firing;
        QVERIFY(!firing || (sim().tokenMoves.empty() && !active(CSimController::kMoveTimer)));
    }
    QCOMPARE(firings, 3);
}

void SimTest::runsWithAndWithoutAnimation() {
    // Unanimated, Run goes to the end at once and leaves only Pause.
    open("pipeline.pol");
    view()->settings().simAnime = 0;
    run(Cmd::Compile);
    run(Cmd::Run);
    QCOMPARE(log(), u8("シミュレーションを実行しています…\r\n") + u8(kEnded) + "\r\n");
    QCOMPARE(net().kemmakixes().at(9).received, (std::vector<std::string>{"1011", "0110"}));
    QVERIFY(sim().running == 1 && !active(CSimController::kSparkTimer));
    QCOMPARE(on(), "Pause Abort Align");
    run(Cmd::Pause);
    QVERIFY(frame_->commandEnabled(Cmd::Run));
    // The playful wording adds its own line first.
    run(Cmd::Abort);
    setNmode(1);
    run(Cmd::Compile);
    run(Cmd::Run);
    QVERIFY(log().startsWith(u8("シュミレーション中...\r\nシミュレーションを実行しています…\r\n")));
    setNmode(0);
    run(Cmd::Abort);
    // Driven by the clock at the document's speed; the end stops the phases, the clock only repaints.
    open("fork_join.pol");
    view()->settings().simAnime = 1;
    doc_->settings().simSpeed = 30;
    run(Cmd::Compile);
    run(Cmd::Run);
    QVERIFY(period(CSimController::kClockTimer) == 30 && sim().advance == 1);
    QCOMPARE(on(), "Pause Abort Align");
    QVERIFY(tickUntil(kEnded));
    QCOMPARE(net().kemmakixes().at(17).received, (std::vector<std::string>{"0111", "1011", "111101"}));
    QVERIFY(period(CSimController::kClockTimer) == 100 && sim().advance == 0 && sim().running == 1);
    const int before = phase();
    for (int i = 0; i < 20; ++i) sim().clockTick();
    QCOMPARE(phase(), before);
    QCOMPARE(log().count(u8(kEnded)), 1);
}

void SimTest::realTimerDrivesTheRun() {
    open("pipeline.pol");
    doc_->settings().simSpeed = 1;
    run(Cmd::Compile);
    run(Cmd::Run);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u8(kEnded)), 60000);
    QCOMPARE(net().kemmakixes().at(9).received, (std::vector<std::string>{"1011", "0110"}));
}

void SimTest::fireStopPausesAndPoints() {
    open("pipeline.pol");
    net().setSimTranOpt(6, true);
    run(Cmd::Compile);
    run(Cmd::Run);
    QVERIFY(tickUntil("指定されたトランジションが発火可能です。シミュレーションを停止します", 200));
    QVERIFY(sim().helpState == 3 && net().stopObject() == 6 && net().transitions().at(6).enabled);
    QVERIFY(sim().running == 0 && sim().advance == 0 && phase() == 2);
    QCOMPARE(period(CSimController::kSparkTimer), 10);
    QCOMPARE(period(CSimController::kClockTimer), 100);
    QCOMPARE(on(), "Run Step Abort Rewind Align");
    for (int i = 0; i < 5; ++i) sim().clockTick();  // the paused clock performs nothing
    QCOMPARE(phase(), 2);
    // A step goes on with the firing and the sparks stop.
    run(Cmd::Step);
    QVERIFY(net().places().at(3).hasToken);
    QVERIFY(!active(CSimController::kSparkTimer));
}

void SimTest::engineFaultPointsAtTheTransition() {
    // uhzi -> p1 -> t1 -> (o1) p2, (unlabelled) p3 -> t2 -> p4 -> kemmakix: t2 gets an undefined bit.
    const int u = net().addObject(40, 100, kUhzi);
    const int p1 = net().addObject(100, 100, kPlace);
    const int t1 = net().addObject(160, 100, kTransition);
    const int p2 = net().addObject(220, 40, kPlace);
    const int p3 = net().addObject(220, 160, kPlace);
    const int t2 = net().addObject(280, 160, kTransition);
    const int p4 = net().addObject(340, 160, kPlace);
    const int k = net().addObject(400, 160, kKemmakix);
    net().uhzis().at(u).addp = 1;
    net().uhzis().at(u).words = {"1"};
    for (auto [from, to] : {std::pair{u, p1}, {p1, t1}, {t1, p3}, {p3, t2}, {t2, p4}, {p4, k}})
        net().addArc(from, to);
    net().addArc(t1, p2, {}, "o1");
    f_->r().renderFrame();
    const QString fault = u8("関数への入力値が不定です");
    view()->settings().simAnime = 0;
    QVERIFY(sim().compileCommand());
    run(Cmd::Run);
    QVERIFY(log().endsWith(fault + "\r\n"));
    QCOMPARE(net().stopObject(), t2);
    QCOMPARE(frame_->statusMessage(),
             u8("シミュレーション中にエラーが発生しました。もう一度エディットを行ってください"));
    QCOMPARE(period(CSimController::kSparkTimer), 10);
    QVERIFY(active(CSimController::kScrollTimer) && sim().running == 1);
    QVERIFY(frame_->commandEnabled(Cmd::Pause));
    // Driven by the clock, the fault stops the phases but leaves the run standing.
    run(Cmd::Abort);
    view()->settings().simAnime = 1;
    QVERIFY(sim().compileCommand());
    run(Cmd::Run);
    QVERIFY(tickUntil("関数への入力値が不定です", 200));
    QCOMPARE(net().stopObject(), t2);
    QCOMPARE(period(CSimController::kSparkTimer), 50);
    QCOMPARE(period(CSimController::kClockTimer), 100);
    QVERIFY(sim().advance == 0 && sim().running == 1);
    const int before = phase();
    for (int i = 0; i < 5; ++i) sim().clockTick();
    QCOMPARE(phase(), before);
    QCOMPARE(log().count(fault), 1);
    QCOMPARE(on(), "Pause Abort Rewind Align");
    run(Cmd::Pause);
    QVERIFY(frame_->commandEnabled(Cmd::Run));
}

void SimTest::pauseAndAbort() {
    open("pipeline.pol");
    const auto editTokens = net().tokens();
    run(Cmd::Compile);
    run(Cmd::Run);
    // Run until the sink holds part of a word.
    for (int guard = 0; net().kemmakixes().at(9).bitCount < 2 && guard < 500; ++guard) sim().clockTick();
    QCOMPARE(net().kemmakixes().at(9).bitCount, 2);
    run(Cmd::Pause);
    QVERIFY(sim().running == 0 && sim().advance == 0);
    QCOMPARE(period(CSimController::kClockTimer), 100);
    QCOMPARE(on(), "Run Step Abort Rewind Align");
    run(Cmd::Abort);
    // The two bits collected so far are recorded.
    const auto& received = net().kemmakixes().at(9).received;
    QVERIFY(received.size() == 1 && received[0].size() == 2);
    QVERIFY(!doc_->compiled() && view()->document()->compiled() == 0 && sim().running == 0);
    QVERIFY(!active(CSimController::kClockTimer) && !active(CSimController::kMoveTimer));
    QVERIFY(!doc_->simulation().canRewind());
    QVERIFY(frame_->statusMessage().isEmpty());
    QCOMPARE(on(), "Compile ClearAll ToolPlace ToolDelete Align");
    QVERIFY(net().tokens() == editTokens);  // the simulation never touches the edit marking
}

// Opening a file during a run ends it; the tool bar follows without any command being chosen.
void SimTest::openingAFileEndsTheSimulation() {
    open("pipeline.pol");
    QAction* rewind = frame_->action(Cmd::Rewind);
    run(Cmd::Compile);
    run(Cmd::Run);
    QVERIFY(!rewind->isEnabled());
    for (int i = 0; i < 100 && !doc_->simulation().canRewind(); ++i) sim().clockTick();
    QVERIFY(rewind->isEnabled() && frame_->action(Cmd::Pause)->isEnabled());
    open("fork_join.pol");  // the paint takes the new net and drops the old one's history
    QVERIFY(!doc_->compiled() && view()->document()->compiled() == 0);
    QVERIFY(!rewind->isEnabled() && !frame_->action(Cmd::Pause)->isEnabled());
    QVERIFY(frame_->action(Cmd::Compile)->isEnabled());
    const QString before = log();
    sim().clockTick();
    QVERIFY(!active(CSimController::kClockTimer));
    QCOMPARE(log(), before);
    QCOMPARE(on(), "Compile ClearAll ToolPlace ToolDelete Align");
}

// Sources and sinks are rewound with the marking: the step after a restore emits and absorbs nothing
// twice, and a run from there records each word once and ends normally.
void SimTest::rewindRestoresTenMarkingsAndRunsOn() {
    open("stream_pipeline.pol");
    run(Cmd::Compile);
    using Mark = std::tuple<bool, int, int, int>;
    const auto markingOf = [this] {
        std::map<int, Mark> m;
        for (const auto& [id, p] : net().places()) m[id] = {p.hasToken, p.color, p.value, p.lastColor};
        return m;
    };
    std::vector<std::map<int, Mark>> before;
    for (int guard = 0; before.size() < 11 && guard < 1000; ++guard) {
        if (phase() == 2) before.push_back(markingOf());
        run(Cmd::Step);
    }
    QCOMPARE(before.size(), size_t(11));
    QCOMPARE(doc_->simulation().rewindDepth(), size_t(10));
    for (int back = 10; back >= 1; --back) {
        QVERIFY(frame_->commandEnabled(Cmd::Rewind));
        run(Cmd::Rewind);
        QCOMPARE(phase(), 2);
        QVERIFY2(markingOf() == before[static_cast<size_t>(back)], qPrintable(QString::number(back)));
    }
    QVERIFY(!frame_->commandEnabled(Cmd::Rewind));
    run(Cmd::Step);
    QCOMPARE(doc_->simulation().rewindDepth(), size_t(1));
    // Rewound during a run, the run goes on from there.
    run(Cmd::Run);
    run(Cmd::Rewind);
    QVERIFY(sim().running == 1 && sim().advance == 1);
    const int at = phase();
    sim().clockTick();
    QVERIFY(phase() != at);
    run(Cmd::Abort);
    // Far enough for the first word to be recorded, back by ten firings, then to the end.
    run(Cmd::Compile);
    auto& sink = net().kemmakixes().begin()->second;
    for (int guard = 0; guard < 5000 && sink.received.empty(); ++guard) run(Cmd::Step);
    QVERIFY(!sink.received.empty());
    for (int i = 0; i < 10 && frame_->commandEnabled(Cmd::Rewind); ++i) run(Cmd::Rewind);
    run(Cmd::Run);
    QVERIFY(tickUntil(kEnded));
    QVERIFY2(!log().contains(u8("ケムマキ")), qPrintable(log()));
    QCOMPARE(sink.received, sink.expected);
}

// A token laid by a click after compile is seen by the next sweep like any other; the delete tool does
// nothing there, and the right button turns the token white.
void SimTest::tokenClickedOntoACompiledNetEnables() {
    open("pipeline.pol");
    run(Cmd::Compile);
    const auto next = [this](int from) {
        for (const auto& [id, a] : net().arcs())
            if (a.fromId == from) return a.toId;
        return 0;
    };
    const int p2 = next(next(net().uhzis().begin()->second.placeId));
    const int t2 = next(p2);
    QVERIFY(net().kindOf(p2) == kPlace && net().kindOf(t2) == kTransition);
    f_->r().renderFrame();
    view()->interaction().state().toolMode = EditState::kModeDelete;
    net().places().at(p2).lastColor = kWhite;
    testing::click(*view(), testing::at(*view(), p2));
    const auto& place = net().places().at(p2);
    QVERIFY(net().objects().count(p2) && place.hasToken && place.color == kBlack && place.value == 0);
    QVERIFY(net().tokens().empty());
    run(Cmd::Step);  // sources prepared
    run(Cmd::Step);  // emission and enabling
    QVERIFY(net().transitions().at(t2).enabled);
    testing::click(*view(), testing::at(*view(), p2), Qt::RightButton);
    QVERIFY(place.color == kWhite && place.value == 1);
}

void SimTest::clearAllAsksFirst() {
    open("pipeline.pol");
    const size_t objects = net().objects().size();
    frame_->logText("older lines\n");
    run(Cmd::ClearAll);  // answered with Cancel
    QCOMPARE(net().objects().size(), objects);
    QVERIFY(log().contains("older lines"));
    f_->prompts.asked.clear();
    f_->prompts.defaultClearAll = true;
    run(Cmd::Compile);
    run(Cmd::ClearAll);  // disabled while compiled
    QCOMPARE(f_->prompts.count("clearAll"), 0);
    QCOMPARE(net().objects().size(), objects);
    run(Cmd::Abort);
    frame_->logText("older lines\n");
    QVERIFY(!doc_->isModified());
    run(Cmd::ClearAll);
    QCOMPARE(f_->prompts.count("clearAll"), 1);
    QVERIFY(doc_->isModified());
    QVERIFY(net().objects().empty() && net().arcs().empty() && log().isEmpty());
    f_->r().renderFrame();
    QCOMPARE(f_->r().idAt(QPoint(10, 10)), 0);
    // The real question: playful wording, Cancel as the default button.
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

void SimTest::sparksByNmodeAndStopWithTheObject() {
    open("pipeline.pol");
    int n = 0;
    sim().setRandom([&n] { return n++ * 37; });
    sim().pointAt(6, 10);
    sim().sparkTick();
    QCOMPARE(sim().sparks.size(), size_t(2));
    for (const auto& s : sim().sparks) {
        QVERIFY(s.baseRadius >= 20 && s.baseRadius < 25 && s.speed >= 2 && s.speed < 12);
        QVERIFY(s.red == 255 && s.angle >= 0 && s.angle < 6.3);
    }
    // The ring goes round and changes colour.
    const double angle = sim().sparks[0].angle;
    const int green = sim().sparks[0].green;
    sim().sparkTick();
    QVERIFY(sim().sparks[0].angle > angle);
    QVERIFY(sim().sparks[0].green != green || sim().sparks[0].colorPhase != 0);
    // An object that goes away ends the ring; the next is dealt afresh, 200 sparks when playful.
    const auto ended = [this] {
        sim().sparkTick();
        return net().stopObject() == 0 && !active(CSimController::kSparkTimer) && sim().sparks.empty();
    };
    net().deleteObject(6);
    QVERIFY(ended());
    setNmode(1);
    sim().pointAt(5, 50);
    sim().sparkTick();
    QCOMPARE(sim().sparks.size(), size_t(200));
    for (const auto& s : sim().sparks) QVERIFY(s.baseRadius >= 0 && s.baseRadius < 104);
    net().deleteObject(5);
    QVERIFY(ended());
}

void SimTest::animationFramesReachTheWindow() {
    open("pipeline.pol");
    view()->settings().enableObjId = 1;
    unsigned seed = 12345;
    sim().setRandom([&seed] {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) & 0x7FFF);
    });
    run(Cmd::Compile);
    // A few waves into the pipeline, then one more firing to watch.
    for (int firings = 0; firings < 6;) {
        firings += phase() == 2;
        run(Cmd::Step);
        while (firings < 6 && !sim().tokenMoves.empty()) sim().tokenMoveTick();
    }
    QVERIFY(sim().tokenMoves.size() >= 2);
    // Only the repaints the ticks asked for are delivered: a real timer firing in between would move the
    // picture on after the window was grabbed.
    const auto showAsked = [] { QCoreApplication::sendPostedEvents(); };
    showAsked();
    const QImage before = f_->r().workBuffer().copy();
    for (int i = 0; i < 3; ++i) sim().tokenMoveTick();
    showAsked();
    // The moving tokens are drawn into the work buffer and shown in the window.
    const auto& m = sim().tokenMoves[0];
    const double along = double(m.distance * (m.step - 1) / m.divisor) / m.distance;  // the last frame shown
    const QPoint s0 = f_->r().scrollPos();
    const QPoint c = f_->r().toClient(s0.x() + m.startX + int(std::lround((m.endX - m.startX) * along)),
                                      s0.y() + m.startY + int(std::lround((m.endY - m.startY) * along)));
    const QColor tokenColour = m.color == kBlack ? QColor(Qt::black) : QColor(Qt::white);
    QCOMPARE(f_->r().workBuffer().pixelColor(c), tokenColour);
    QVERIFY(before.pixelColor(c) != tokenColour);
    // A spark ring round a transition as well; what differs from the drawn net is what the window shows.
    setNmode(1);
    sim().pointAt(6, 10);
    scrollToEnd();
    showAsked();
    for (int i = 0; i < 40; ++i) sim().sparkTick();
    sim().tokenMoveTick();
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
