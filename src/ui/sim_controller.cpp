// Simulation control: compile, run, step, pause, abort, clear all, rewind, the clock and the step cycle.
#include "ui/sim_controller.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimerEvent>
#include <algorithm>
#include <cstdlib>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/interaction.h"
#include "ui/mainframe.h"
#include "ui/prompts.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace novra::ui {

bool CSimController::compiled() const {
    return view_.document()->compiled();
}

void CSimController::setCompiled(bool compiled) {
    view_.document()->setCompiled(compiled);
}

namespace {
// Compile and the unanimated run hold the user-interface thread; the wait cursor says so.
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

// A raised message is logged on a line of its own.
std::string asLine(const std::string& s) {
    return !s.empty() && s.back() == '\n' ? s : s + "\n";
}
}  // namespace

bool CSimController::handles(Cmd cmd) const {
    switch (cmd) {
        case Cmd::Compile:
        case Cmd::Run:
        case Cmd::Step:
        case Cmd::Pause:
        case Cmd::Abort:
        case Cmd::ClearAll:
        case Cmd::Rewind:
        case Cmd::SaveWave:
            return true;
        default:
            return false;
    }
}

bool CSimController::enabled(Cmd cmd) const {
    switch (cmd) {
        case Cmd::Compile:
            return !compiled();
        case Cmd::Run:
        case Cmd::Step:
            return compiled() && running == 0;
        case Cmd::Pause:
            return compiled() && running == 1;
        case Cmd::Abort:
            return compiled();
        case Cmd::ClearAll:
            return !compiled();
        case Cmd::Rewind:
            return view_.document()->simulation().canRewind();
        case Cmd::SaveWave:
            return wave_ != nullptr;
        default:
            return false;
    }
}

void CSimController::run(Cmd cmd) {
    // A shortcut or a stale tool button must not reach a command its state does not allow.
    if (!enabled(cmd)) return;
    switch (cmd) {
        case Cmd::Compile:
            compileCommand();
            break;
        case Cmd::Run:
            runCommand();
            break;
        case Cmd::Step:
            stepCommand();
            break;
        case Cmd::Pause:
            pauseCommand();
            break;
        case Cmd::Abort:
            abortCommand();
            break;
        case Cmd::ClearAll:
            clearAllCommand();
            break;
        case Cmd::Rewind:
            rewindCommand();
            break;
        case Cmd::SaveWave:
            saveWaveCommand();
            break;
        default:
            break;
    }
}

// --- timers ---

bool CSimController::timerActive(int timer) const {
    return timer >= 1 && timer <= 4 && timerIds_[timer] != 0;
}

int CSimController::timerPeriod(int timer) const {
    return timerActive(timer) ? timerPeriods_[timer] : 0;
}

void CSimController::startSimTimer(int timer, int ms) {
    stopSimTimer(timer);
    ms = std::max(1, ms);
    // The animations want their period as set; the clock may drift a little.
    timerIds_[timer] = QObject::startTimer(ms, timer == kClockTimer ? Qt::CoarseTimer : Qt::PreciseTimer);
    timerPeriods_[timer] = ms;
}

void CSimController::stopSimTimer(int timer) {
    if (timerIds_[timer] != 0) killTimer(timerIds_[timer]);
    timerIds_[timer] = 0;
    timerPeriods_[timer] = 0;
}

void CSimController::timerEvent(QTimerEvent* e) {
    const int id = e->timerId();
    if (id == timerIds_[kClockTimer])
        clockTick();
    else if (id == timerIds_[kMoveTimer])
        tokenMoveTick();
    else if (id == timerIds_[kSparkTimer])
        sparkTick();
    else if (id == timerIds_[kScrollTimer])
        scrollTick();
    else
        QObject::timerEvent(e);
}

// --- reporting ---

void CSimController::logLine(const std::string& s) {
    view_.reporter().log(asLine(s));
}

void CSimController::clearLogWindow() {
    if (auto* f = qobject_cast<CMainFrame*>(view_.window())) f->clearLog();
}

// --- commands ---

bool CSimController::compileCommand() {
    WaitCursor wait;
    clearLogWindow();
    resetSimulation();
    view_.document()->endStep();  // compile writes into the records: no edit may still be recording
    if (view_.settings().compileSave == 1) {
        view_.reporter().status(text(msg::kStatusSavingForCompile));
        if (auto* f = qobject_cast<CMainFrame*>(view_.window())) f->saveDocument();
    }
    CNet& n = view_.net();
    wave_.reset();  // a compile starts a new recording
    view_.reporter().status(text(msg::kStatusCompiling));
    logLine(text(msg::kCompiling));
    logLine(format(msg::kPrimitiveCount, static_cast<int>(n.objects().size())));
    setCompiled(true);
    running = 0;
    n.setStopObject(0);
    stopSparks();
    try {
        view_.document()->simulation().compile();
    } catch (const CError& e) {
        logLine(e.message());
        setCompiled(false);
        const int kind = n.kindOf(n.stopObject());
        if (kind != 0) {
            if (kind == kTransition) helpState = 2;
            scrollStep_ = 0;
            startSimTimer(kScrollTimer, 1);
            startSimTimer(kSparkTimer, 20);
        }
    }
    view_.interaction().lockObjectDialogs();
    view_.viewport()->update();
    if (compiled()) {
        try {
            wave_ = std::make_unique<CWaveRecording>(view_.document()->simulation(), n);
        } catch (const CError& e) {
            logLine(e.message());  // the simulation goes on without a waveform
        }
        showSimulationFrame();
        advance = 0;
        startSimTimer(kClockTimer, 100);
        logLine(text(msg::kCompileOk));
        view_.reporter().status(text(msg::kStatusReadyToRun));
    } else {
        view_.reporter().status(text(msg::kStatusCompileFailed));
    }
    emit view_.stateChanged();
    return compiled();
}

void CSimController::runCommand() {
    clearLogWindow();
    if (nmode() == 1) logLine(text(msg::kRunningPlayful));
    logLine(text(msg::kRunning));
    running = 1;
    if (view_.settings().simAnime == 1) {
        stopSimTimer(kMoveTimer);
        startSimTimer(kClockTimer, view_.document()->settings().simSpeed);
        advance = 1;
        return;
    }
    {
        WaitCursor wait;
        try {
            view_.document()->simulation().run();
        } catch (const CError& e) {
            logLine(e.message());
            if (view_.net().kindOf(view_.net().stopObject()) != 0) {
                scrollStep_ = 0;
                startSimTimer(kScrollTimer, 1);
                view_.reporter().status(text(msg::kStatusSimulationError));
                startSimTimer(kSparkTimer, 10);
            }
        }
    }
    showSimulationFrame();
}

void CSimController::stepCycle() {
    // A net that left the compiled state under the clock (a file opened, say) has nothing to simulate.
    if (!compiled()) {
        stopSimTimer(kClockTimer);
        advance = 0;
        return;
    }
    if (advance == 0) {
        simFrameOnly_ = true;
        showSimulationFrame();
        return;
    }
    advance = 0;
    CSimulation& sim = view_.document()->simulation();
    const bool couldRewind = sim.canRewind();
    try {
        const CSimulation::Step done = sim.step();
        // The clock fires without a command: Rewind becomes available here.
        if (!couldRewind && sim.canRewind()) emit view_.stateChanged();
        if (done.phase == 1) {
            showSimulationFrame();
            if (done.fireStop) {
                pauseCommand();
                logLine(text(msg::kFireStop));
                helpState = 3;
                startSimTimer(kSparkTimer, 10);
                return;
            }
        } else if (done.phase == 2) {
            if (view_.settings().tokenMove == 1 && rd().zoomLevel() < 3) buildTokenMoves();
            showSimulationFrame();
        }
        advance = 1;
    } catch (const CError& e) {
        stopSimTimer(kClockTimer);
        advance = 0;
        logLine(e.message());
        startSimTimer(kClockTimer, 100);
        if (view_.net().stopObject() != 0) {
            scrollStep_ = 0;
            startSimTimer(kScrollTimer, 1);
            startSimTimer(kSparkTimer, 50);
        }
        emit view_.stateChanged();
    }
}

void CSimController::clockTick() {
    stepCycle();
}

void CSimController::stepCommand() {
    stopSparks();
    advance = 1;
    stepCycle();
    advance = 0;
}

void CSimController::pauseCommand() {
    running = 0;
    startSimTimer(kClockTimer, 100);
    freeTokenMoves();
    showSimulationFrame();
    advance = 0;
    emit view_.stateChanged();
}

void CSimController::abortCommand() {
    stopSimTimer(kClockTimer);
    stopSimTimer(kMoveTimer);
    // The word a sink was collecting when the user stopped still counts.
    try {
        view_.document()->simulation().flushSinks();
    } catch (const CError& e) {
        logLine(e.message());
    }
    setCompiled(false);
    running = 0;
    freeTokenMoves();
    view_.document()->simulation().clearRewind();
    view_.reporter().status(std::string());
    resetSimulation();
    view_.viewport()->update();
    emit view_.stateChanged();
}

void CSimController::clearAllCommand() {
    const bool ok = view_.prompts().confirmClearAll(&view_);
    if (!ok) return;
    resetSimulation();
    stopSparks();
    view_.document()->beginStep(EditStep::ClearAll);
    view_.net().clear();
    view_.document()->endStep();
    rd().clearIds();
    clearLogWindow();
    // After the log is cleared, so that what the dialogs lost is told.
    view_.interaction().closeObjectDialogs(true);
    view_.viewport()->update();
}

void CSimController::resetSimulation() {
    setCompiled(false);
    view_.interaction().resetEditState();
    rd().setRebuild();
    freeTokenMoves();
    // Nothing may go on simulating a net that is no longer compiled, and a marking saved from it means
    // nothing to the next compile.
    stopSimTimer(kClockTimer);
    running = 0;
    advance = 0;
    view_.document()->simulation().clearRewind();
    if (wave_) wave_->stop();
    view_.interaction().lockObjectDialogs();
    emit view_.stateChanged();
}

// --- rewind ---

void CSimController::rewindCommand() {
    CSimulation& sim = view_.document()->simulation();
    if (!sim.canRewind()) return;
    sim.rewind();
    // A step on an uncompiled net would only report that it is not compiled.
    if (!compiled()) {
        showSimulationFrame();
        return;
    }
    const bool wasRunning = running == 1;
    stepCommand();
    // A run goes on from the restored marking rather than stalling with Run disabled.
    if (wasRunning && running == 1) advance = 1;
}

// --- the waveform ---

CWaveRecording::CWaveRecording(CSimulation& sim, const CNet& net) : sim_(sim) {
    if (!dir_.isValid()) raise(text(msg::kVcdCannotWrite));
    writer_ = std::make_unique<CVcdWriter>(net, dir_.filePath("wave.vcd").toStdString());
    sim_.setObserver(writer_.get());
}

CWaveRecording::~CWaveRecording() {
    stop();
}

void CWaveRecording::stop() {
    if (sim_.observer() == writer_.get()) sim_.setObserver(nullptr);
}

void CWaveRecording::saveTo(const std::string& path) const {
    writer_->saveCopy(path);
}

void CSimController::saveWaveCommand() {
    if (!wave_) return;
    const QString name = view_.document()->path();
    const QString suggested =
        name.isEmpty() ? QStringLiteral("wave.vcd")
                       : QFileInfo(name).path() + '/' + QFileInfo(name).completeBaseName() + ".vcd";
    QString path = view_.prompts().askSaveFile(&view_, suggested);
    if (path.isEmpty()) return;
    // The file dialog offers net files; a waveform never replaces one.
    if (path.endsWith(QStringLiteral(".pol"), Qt::CaseInsensitive)) path.chop(4);
    if (!path.endsWith(QStringLiteral(".vcd"), Qt::CaseInsensitive)) path += QStringLiteral(".vcd");
    try {
        wave_->saveTo(QFile::encodeName(path).toStdString());
        logLine(text(msg::kWaveSaved) + path.toStdString());
    } catch (const CError& e) {
        logLine(e.message());
    }
}

// --- pointing at an object ---

void CSimController::pointAt(int id, int sparkPeriod) {
    view_.net().setStopObject(id);
    if (view_.net().kindOf(id) == 0) return;
    scrollStep_ = 0;
    startSimTimer(kScrollTimer, 1);
    startSimTimer(kSparkTimer, sparkPeriod);
}

}  // namespace novra::ui
