#pragma once
// What the GUI tests share: settings in a file of their own, prompts answered from a script, the canvas
// alone or inside the main window as the fixture, the mouse on the canvas, and scripts of gestures and
// expectations kept in tests/data/ui.
#include <QFile>
#include <QMessageBox>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <algorithm>
#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include "model/net.h"
#include "ui/config.h"
#include "ui/doc.h"
#include "ui/edit_state.h"
#include "ui/interaction.h"
#include "ui/mainframe.h"
#include "ui/picture_export.h"
#include "ui/prompts.h"
#include "ui/renderer.h"
#include "ui/sim_controller.h"
#include "ui/view.h"

namespace novra::ui::testing {

inline QString u8(const char* s) {
    return QString::fromUtf8(s);
}

// Settings for one test in a file of their own, never the NOVRA.ini beside the test executable.
class TempIni {
  public:
    TempIni() { CConfig::setIniPath(dir_.filePath("NOVRA.ini")); }
    ~TempIni() { CConfig::setIniPath(QString()); }
    QString path() const { return dir_.filePath("NOVRA.ini"); }
    bool exists() const { return QFile::exists(path()); }
    void write(const QByteArray& content) const;
    QByteArray read() const;

  private:
    QTemporaryDir dir_;
};

// Answers the editor's questions in the order they come and notes each in `asked`: "menu", "clearAll",
// "number:<prompt>:<initial>", "objectId", "verilog", "settings", "open:<folder>", "save:<suggested>",
// "saveChanges:<name>", "picture:<1 when a selection was offered>". Unset answers are Cancel.
class ScriptedPrompts : public IPrompts {
  public:
    // Context menus choose in turn the entry whose data is the number (a command or a variable number; 0
    // or none chooses nothing), or what onMenu returns when set. lastMenu: the entries of the last menu
    // shown, its title first, "-" before those shown disabled.
    std::deque<int> menus;
    std::function<QAction*(QMenu&)> onMenu;
    QStringList lastMenu;
    std::deque<int> numbers;  // -1 (Cancel) when empty
    bool defaultClearAll = false;
    QString defaultOpen, defaultSave;
    int defaultSaveChanges = QMessageBox::Cancel;
    std::function<bool(CNOVRADoc&, double&)> verilog;  // fills in the Verilog dialog
    QStringList asked;

    void chooseCmd(Cmd cmd) { menus.push_back(static_cast<int>(cmd)); }
    int count(const QString& prefix) const {
        return int(std::count_if(asked.begin(), asked.end(),
                                 [&](const QString& a) { return a.startsWith(prefix); }));
    }
    QAction* runMenu(QMenu& menu, QPoint globalPos) override;
    bool confirmClearAll(QWidget*) override { return note("clearAll", defaultClearAll); }
    int askNumber(QWidget*, const QString& prompt, int initial) override;
    int askObjectId(QWidget*, const CNet&) override { return note("objectId", 0); }
    bool askVerilog(QWidget*, CNOVRADoc& d, double& delay) override {
        return note("verilog", verilog && verilog(d, delay));
    }
    void runSettings(QWidget*, CNOVRADoc&, CNOVRAView&) override { asked << "settings"; }
    QString askOpenFile(QWidget*, const QString& f) override { return note("open:" + f, defaultOpen); }
    QString askSaveFile(QWidget*, const QString& s) override { return note("save:" + s, defaultSave); }
    int askSaveChanges(QWidget*, const QString& n) override {
        return note("saveChanges:" + n, defaultSaveChanges);
    }
    std::optional<PictureRequest> picture;  // the export dialog's answer; none: Cancel
    bool askPicture(QWidget*, PictureRequest& r, bool hasSelection) override {
        if (picture) r = *picture;
        return note(QString("picture:%1").arg(hasSelection), picture.has_value());
    }

  private:
    template <class T>
    T note(const QString& what, T answer) {
        asked << what;
        return answer;
    }
};

// The canvas alone, or the main window with its canvas (at the window's own size for a width of 0),
// shown (not for a width below 0), with scripted prompts.
struct Fixture {
    explicit Fixture(bool window = false, int width = 440, int height = 360);
    ~Fixture();
    TempIni ini;
    ScriptedPrompts prompts;
    QTemporaryDir files;  // the files a script names
    std::unique_ptr<CNOVRADoc> doc;
    std::unique_ptr<CMainFrame> frame;   // none for the canvas alone
    std::unique_ptr<CNOVRAView> canvas;  // the view when there is no window
    CNOVRAView* view = nullptr;
    CNet& net() { return doc->net(); }
    CRenderer& r() { return view->renderer(); }
    EditState& st() { return view->interaction().state(); }
    CSimController& sim() { return view->sim(); }
    void run(Cmd c) { frame ? frame->runCommand(c) : view->runCommand(c); }
    QString log() const;
};

// The mouse on a canvas, at client points.
void click(CNOVRAView& v, QPoint p, Qt::MouseButton b = Qt::LeftButton, Qt::KeyboardModifiers m = {});
void doubleClick(CNOVRAView& v, QPoint p);
void press(CNOVRAView& v, QPoint p, Qt::MouseButton b = Qt::LeftButton);
void release(CNOVRAView& v, QPoint p, Qt::MouseButton b = Qt::LeftButton);
// A pointer move with the buttons held.
void move(CNOVRAView& v, QPoint p, Qt::MouseButtons held = Qt::NoButton);
// The client point of an object's centre.
QPoint at(CNOVRAView& v, int id);

// The simulation and edit commands the window (or the canvas alone) offers now, by name in a fixed order.
QString enabledCommands(Fixture& f);
Cmd command(const QString& name);  // by its name in ui/commands.h

// The net on one line: "1:p100,100=B1 2:t200,100 1>2/i1:150,50:160,60", objects then arcs in id order
// (tokens of the edit marking after their place, the arc's variable after "/", bend points after ":").
QString describe(const CNet& net);
// Adds the objects and arcs written so, without the ids: "p100,100=B1 t200,100 1>2/i1:150,50".
void addToNet(CNet& net, const QString& text);

// An SVG picture in short: "arc=4 place=2 ..." for the classes of its groups, counted, then its view box.
QString svgSummary(const QByteArray& svg);

// Plays a script of gestures and expectations on the fixture, one step a line; returns "" or what the
// first failed expectation found. The verbs are listed in script_player.cpp.
QString play(Fixture& f, const QString& script);
// The sections ("== name" and the lines after it) of a script file under tests/data/ui as test rows of
// the column "script".
void scriptRows(const char* file);

// A test class with its fixture; each test makes the fixture it needs.
class UiTest : public QObject {
  protected:
    std::unique_ptr<Fixture> f_;
    CNet& net() { return f_->net(); }
    CNOVRAView& v() { return *f_->view; }
    CRenderer& r() { return f_->r(); }
    EditState& st() { return f_->st(); }
    QPoint at(int id) { return testing::at(v(), id); }
    void run(Cmd c) { f_->run(c); }
    QString log() const { return f_->log(); }
};
// Plays the script on the test's fixture; a failed expectation fails the test.
#define PLAY(script)                                                   \
    do {                                                               \
        const QString failed_ = novra::ui::testing::play(*f_, script); \
        QVERIFY2(failed_.isEmpty(), qPrintable(failed_));              \
    } while (0)

// A dialog's control by its id; a missing one ends the test run.
template <typename T>
T* control(QWidget* dialog, const char* id) {
    T* w = dialog->findChild<T*>(id);
    if (!w) qFatal("no control %s", id);
    return w;
}
// Presses the dialog's button (OK by default) and returns the text of the message box it raised, closed
// at once, with " (titled)" when the box had a caption; empty for none.
QString pressWithMessage(QWidget* dialog, const char* button = "1");

}  // namespace novra::ui::testing
