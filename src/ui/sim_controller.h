#pragma once
// CSimController: drives the document's simulation (CSimulation, which owns the phase order and the rewind
// history) from the canvas. It carries the simulation commands (compile, run, step, pause, abort, clear
// all, rewind), owns the four timers (1 simulation clock, 2 token movement,
// 3 spark ring, 4 scroll to an object) and the animations they tick: tokens travelling along the arcs
// that fired, the spark ring round the object that stopped the run, and the smooth scroll that brings
// that object to the centre. Animation frames are drawn into the renderer's work buffer; only the
// rectangles they touch are repainted.
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QTemporaryDir>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "sim/vcd_writer.h"
#include "ui/commands.h"

class QPaintEvent;

namespace novra::ui {

class CNOVRAView;
class CRenderer;

// The waveform of the simulation since the last compile, recorded as the phases go into a file of a
// temporary folder (removed with it), so that memory does not grow with the phases.
class CWaveRecording {
  public:
    // Starts recording the compiled net; raises when the file cannot be made.
    CWaveRecording(CSimulation& sim, const CNet& net);
    ~CWaveRecording();
    // No more phases are recorded; what was recorded can still be saved.
    void stop();
    // What was recorded, written to the file (which it replaces only once complete). Raises on failure.
    void saveTo(const std::string& path) const;

  private:
    CSimulation& sim_;
    QTemporaryDir dir_;
    std::unique_ptr<CVcdWriter> writer_;
};

class CSimController : public QObject {
    Q_OBJECT
  public:
    explicit CSimController(CNOVRAView& view);
    ~CSimController() override;

    bool handles(Cmd cmd) const;
    bool enabled(Cmd cmd) const;
    void run(Cmd cmd);
    // Compile as the command does; returns whether the net compiled.
    bool compileCommand();
    // Abort as the command does: back to edit mode.
    void abortCommand();
    // Back to edit mode without a word (compiled flag, interaction state, clock, token movements, rewind).
    void resetSimulation();
    // Scrolls the object to the centre and rings it with sparks restarted at the given period (ms).
    void pointAt(int id, int sparkPeriod);
    void stopSparks();
    // Random numbers for the jitter and the sparks; tests set one to get the same picture every time.
    void setRandom(std::function<int()> rand) { rand_ = std::move(rand); }

    enum SimTimer { kClockTimer = 1, kMoveTimer = 2, kSparkTimer = 3, kScrollTimer = 4 };
    bool timerActive(int timer) const;
    int timerPeriod(int timer) const;  // ms; 0 when the timer is stopped
    // What one tick of each timer does; tests call them to drive the simulation without waiting.
    void clockTick();
    void tokenMoveTick();
    void sparkTick();
    void scrollTick();

    int running = 0;  // 1 between Run and Pause or Abort
    int advance = 0;  // 1 when the next clock tick may perform a phase
    // 1 nothing special, 2 the last compile error lies at a transition, 3 a fire stop.
    int helpState = 1;
    // A token travelling along an arc after a firing; coordinates unzoomed, relative to the scroll position.
    struct TokenMove {
        int startX, startY, endX, endY;
        int distance;
        int step = 2;
        int divisor = 10;
        int color;
    };
    std::vector<TokenMove> tokenMoves;
    struct Spark {
        int baseRadius, speed;
        int front = 1, inside = 0, parity = 0;
        int red = 255, green, blue = 0;
        int colorPhase = 0, colorStep = 20;
        double angle;
    };
    std::vector<Spark> sparks;

  protected:
    void timerEvent(QTimerEvent* e) override;
    // Serves the viewport's paints that only the animations asked for from the work buffer, and paints
    // the whole simulation frame while the net is compiled; anything else goes to the usual paint.
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    CRenderer& rd() const;
    bool compiled() const;
    void setCompiled(bool compiled);
    void startSimTimer(int timer, int ms);
    void stopSimTimer(int timer);
    void stepCycle();
    void stepCommand();
    void runCommand();
    void pauseCommand();
    void clearAllCommand();
    void rewindCommand();
    void saveWaveCommand();
    void buildTokenMoves();
    void freeTokenMoves();
    void createSparks();
    void logLine(const std::string& s);
    void clearLogWindow();
    void showSimulationFrame();
    bool simPaint(QPaintEvent* e);
    void prepareWork();
    void eraseFrom(QRect r);
    void showArea(QRect r);
    // Draw the animations into the work buffer, one step on or where they are; return the area touched.
    QRect paintTokenMoves(bool step);
    QRect paintSparks(bool step);
    QPoint zoomedClient(int x, int y) const;

    CNOVRAView& view_;
    std::function<int()> rand_;
    std::array<int, 5> timerIds_{};  // QObject timer ids by our timer number, 0 when stopped
    std::array<int, 5> timerPeriods_{};
    bool sparkRecreate_ = true;  // the next spark tick deals a new ring
    int scrollStep_ = 0;         // 0: the scroll animation starts afresh at its next tick
    int scrollSteps_ = 0;
    QPoint scrollDelta_;
    QRect animAsked_;  // parts of the window the animations asked to repaint from the work buffer
    QRect moveDirty_, sparkDirty_;  // last frame of each animation, to be erased by the next
    bool workStale_ = true;
    bool simFrameOnly_ = false;  // the next simulation paint may reuse the back buffer as it is
    QPoint workScroll_;
    int workZoom_ = -1;
    std::unique_ptr<CWaveRecording> wave_;  // since the last compile that succeeded
};

}  // namespace novra::ui
