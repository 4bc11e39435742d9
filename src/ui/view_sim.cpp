// Simulation control: compile, run, step, pause, abort, clear all, rewind, the clock and the step cycle.
#include <QGuiApplication>
#include <QMessageBox>
#include <QTimerEvent>
#include <algorithm>
#include <cstdlib>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "ui/doc.h"
#include "ui/mainframe.h"
#include "ui/view.h"

namespace novra::ui {

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

int CNOVRAView::sparkRecreate = 1;
int CNOVRAView::scrollSteps = 0;
QPoint CNOVRAView::scrollDelta;

bool CNOVRAView::simHandles(Cmd cmd) const {
    switch (cmd) {
        case Cmd::Compile:
        case Cmd::Run:
        case Cmd::Step:
        case Cmd::Pause:
        case Cmd::Abort:
        case Cmd::ClearAll:
        case Cmd::Rewind:
            return true;
        default:
            return false;
    }
}

bool CNOVRAView::simCommandEnabled(Cmd cmd) const {
    switch (cmd) {
        case Cmd::Compile:
            return viewCompiled == 0;
        case Cmd::Run:
        case Cmd::Step:
            return viewCompiled == 1 && running == 0;
        case Cmd::Pause:
            return viewCompiled == 1 && running == 1;
        case Cmd::Abort:
            return appCompiled == 1;
        case Cmd::ClearAll:
            return appCompiled == 0;
        case Cmd::Rewind:
            return doc_->simulation().canRewind();
        default:
            return false;
    }
}

void CNOVRAView::runSimCommand(Cmd cmd) {
    // A shortcut or a stale tool button must not reach a command its state does not allow.
    if (!simCommandEnabled(cmd)) return;
    ensureSimMachinery();
    switch (cmd) {
        case Cmd::Compile:
            compileCommand();
            break;
        case Cmd::Run:
            runCommandSim();
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
        default:
            break;
    }
}

// --- timers ---

bool CNOVRAView::simTimerActive(int timer) const {
    return timer >= 1 && timer <= 4 && simTimerIds_[timer] != 0;
}

int CNOVRAView::simTimerPeriod(int timer) const {
    return simTimerActive(timer) ? simTimerPeriods_[timer] : 0;
}

void CNOVRAView::startSimTimer(int timer, int ms) {
    stopSimTimer(timer);
    ms = std::max(1, ms);
    // The animations want their period as set; the clock may drift a little.
    simTimerIds_[timer] = startTimer(ms, timer == kClockTimer ? Qt::CoarseTimer : Qt::PreciseTimer);
    simTimerPeriods_[timer] = ms;
}

void CNOVRAView::stopSimTimer(int timer) {
    if (simTimerIds_[timer] != 0) killTimer(simTimerIds_[timer]);
    simTimerIds_[timer] = 0;
    simTimerPeriods_[timer] = 0;
}

void CNOVRAView::timerEvent(QTimerEvent* e) {
    const int id = e->timerId();
    if (id == simTimerIds_[kClockTimer])
        simClockTick();
    else if (id == simTimerIds_[kMoveTimer])
        tokenMoveTick();
    else if (id == simTimerIds_[kSparkTimer])
        sparkTick();
    else if (id == simTimerIds_[kScrollTimer])
        scrollTick();
    else
        QAbstractScrollArea::timerEvent(e);
}

// --- reporting ---

void CNOVRAView::logLine(const std::string& s) {
    if (log_) log_(asLine(s));
}

void CNOVRAView::clearLogWindow() {
    if (auto* f = qobject_cast<CMainFrame*>(window())) f->clearLog();
}

// --- commands ---

bool CNOVRAView::compileCommand() {
    ensureSimMachinery();
    WaitCursor wait;
    clearLogWindow();
    resetSimulation();
    if (settings_.compileSave == 1) {
        showStatus(text(msg::kStatusSavingForCompile));
        if (requestSave) requestSave();
    }
    CNet& n = net();
    showStatus(text(msg::kStatusCompiling));
    logLine(text(msg::kCompiling));
    logLine(format(msg::kPrimitiveCount, static_cast<int>(n.objects.size())));
    appCompiled = 1;
    viewCompiled = 1;
    running = 0;
    n.stopObject = 0;
    stopSparks();
    try {
        doc_->simulation().compile();
    } catch (const CError& e) {
        logLine(e.message());
        appCompiled = 0;
        viewCompiled = 0;
        const int kind = n.kindOf(n.stopObject);
        if (kind != 0) {
            if (kind == kTransition) helpState = 2;
            scrollStep = 0;
            startSimTimer(kScrollTimer, 1);
            startSimTimer(kSparkTimer, 20);
        }
    }
    lockObjectDialogs();
    viewport()->update();
    if (viewCompiled == 1) {
        showSimulationFrame();
        advance = 0;
        startSimTimer(kClockTimer, 100);
        logLine(text(msg::kCompileOk));
        showStatus(text(msg::kStatusReadyToRun));
    } else {
        showStatus(text(msg::kStatusCompileFailed));
    }
    emit stateChanged();
    return viewCompiled == 1;
}

void CNOVRAView::runCommandSim() {
    clearLogWindow();
    if (nmode() == 1) logLine(text(msg::kRunningPlayful));
    logLine(text(msg::kRunning));
    running = 1;
    if (settings_.simAnime == 1) {
        stopSimTimer(kMoveTimer);
        startSimTimer(kClockTimer, doc_->settings().simSpeed);
        advance = 1;
        return;
    }
    {
        WaitCursor wait;
        try {
            doc_->simulation().run();
        } catch (const CError& e) {
            logLine(e.message());
            if (net().kindOf(net().stopObject) != 0) {
                scrollStep = 0;
                startSimTimer(kScrollTimer, 1);
                showStatus(text(msg::kStatusSimulationError));
                startSimTimer(kSparkTimer, 10);
            }
        }
    }
    showSimulationFrame();
}

void CNOVRAView::stepCycle() {
    // A net that left the compiled state under the clock (a file opened, say) has nothing to simulate.
    if (viewCompiled != 1) {
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
    CSimulation& sim = doc_->simulation();
    const bool couldRewind = sim.canRewind();
    try {
        const CSimulation::Step done = sim.step();
        // The clock fires without a command: Rewind becomes available here.
        if (!couldRewind && sim.canRewind()) emit stateChanged();
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
            if (settings_.tokenMove == 1 && zoom_ < 3) buildTokenMoves();
            showSimulationFrame();
        }
        advance = 1;
    } catch (const CError& e) {
        stopSimTimer(kClockTimer);
        advance = 0;
        logLine(e.message());
        startSimTimer(kClockTimer, 100);
        if (net().stopObject != 0) {
            scrollStep = 0;
            startSimTimer(kScrollTimer, 1);
            startSimTimer(kSparkTimer, 50);
        }
        emit stateChanged();
    }
}

void CNOVRAView::simClockTick() {
    stepCycle();
}

void CNOVRAView::stepCommand() {
    stopSparks();
    advance = 1;
    stepCycle();
    advance = 0;
}

void CNOVRAView::pauseCommand() {
    running = 0;
    startSimTimer(kClockTimer, 100);
    freeTokenMoves();
    showSimulationFrame();
    advance = 0;
    emit stateChanged();
}

void CNOVRAView::abortCommand() {
    ensureSimMachinery();
    stopSimTimer(kClockTimer);
    stopSimTimer(kMoveTimer);
    // The word a sink was collecting when the user stopped still counts.
    try {
        doc_->simulation().flushSinks();
    } catch (const CError& e) {
        logLine(e.message());
    }
    appCompiled = 0;
    viewCompiled = 0;
    running = 0;
    freeTokenMoves();
    doc_->simulation().clearRewind();
    showStatus(std::string());
    resetSimulation();
    viewport()->update();
    emit stateChanged();
}

void CNOVRAView::clearAllCommand() {
    const bool ok = confirmClearAll ? confirmClearAll() : [this] {
        QMessageBox box(QMessageBox::Question, QString(), QString::fromStdString(text(msg::kConfirmClearAll)),
                        QMessageBox::Ok | QMessageBox::Cancel, this);
        box.setDefaultButton(QMessageBox::Cancel);
        return box.exec() == QMessageBox::Ok;
    }();
    if (!ok) return;
    resetSimulation();
    stopSparks();
    if (!net().objects.empty()) doc_->setModified(true);
    net().clear();
    std::fill(idBuffer_.begin(), idBuffer_.end(), 0);
    clearLogWindow();
    forgetNet();  // after the log is cleared, so that what the dialogs lost is told
    viewport()->update();
}

void CNOVRAView::resetSimulation() {
    appCompiled = 0;
    viewCompiled = 0;
    resetInteraction();
    rebuild_ = true;
    freeTokenMoves();
    // Nothing may go on simulating a net that is no longer compiled, and a marking saved from it means
    // nothing to the next compile.
    stopSimTimer(kClockTimer);
    running = 0;
    advance = 0;
    doc_->simulation().clearRewind();
    lockObjectDialogs();
    emit stateChanged();
}

// --- rewind ---

void CNOVRAView::rewindCommand() {
    CSimulation& sim = doc_->simulation();
    if (!sim.canRewind()) return;
    sim.rewind();
    // A step on an uncompiled net would only report that it is not compiled.
    if (viewCompiled != 1) {
        showSimulationFrame();
        return;
    }
    const bool wasRunning = running == 1;
    stepCommand();
    // A run goes on from the restored marking rather than stalling with Run disabled.
    if (wasRunning && running == 1) advance = 1;
}

// --- pointing at an object ---

void CNOVRAView::pointAt(int id, int sparkPeriod) {
    ensureSimMachinery();
    net().stopObject = id;
    if (net().kindOf(id) == 0) return;
    scrollStep = 0;
    startSimTimer(kScrollTimer, 1);
    startSimTimer(kSparkTimer, sparkPeriod);
}

}  // namespace novra::ui
