#pragma once
// What the GUI tests share: settings in a file of their own, prompts answered from a script, the canvas
// and the main window as fixtures, and the mouse on the canvas.
#include <QFile>
#include <QMessageBox>
#include <QPoint>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>

#include "model/net.h"
#include "ui/config.h"
#include "ui/doc.h"
#include "ui/edit_state.h"
#include "ui/interaction.h"
#include "ui/mainframe.h"
#include "ui/prompts.h"
#include "ui/renderer.h"
#include "ui/sim_controller.h"
#include "ui/view.h"

namespace novra::ui::testing {

inline QString u8(const char* s) {
    return QString::fromUtf8(s);
}

// Settings for one test in a file of its own, never the NOVRA.ini beside the test executable.
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

// Answers the editor's questions from queues, in the order they come, and notes what was asked. A
// question whose queue is empty gets the default answer: Cancel unless set otherwise.
class ScriptedPrompts : public IPrompts {
  public:
    // Context menu answers in turn: the entry whose data is the number (a command or a variable number);
    // 0 or none chooses nothing. onMenu chooses in place of the queue when set.
    std::deque<int> menus;
    std::function<QAction*(QMenu&)> onMenu;
    void chooseCmd(Cmd cmd) { menus.push_back(static_cast<int>(cmd)); }
    std::deque<int> numbers;  // -1 (Cancel) when empty
    bool defaultClearAll = false;
    QString defaultOpen, defaultSave;  // the file dialogs' answers, empty for Cancel
    int defaultSaveChanges = QMessageBox::Cancel;
    // The Verilog dialog: fills in the document's settings and the delay; unset is Cancel.
    std::function<bool(CNOVRADoc&, double&)> verilog;

    // What was asked, one entry each: "menu", "clearAll", "number:<prompt>:<initial>", "objectId",
    // "verilog", "settings", "open:<folder>", "save:<suggested>", "saveChanges:<name>".
    QStringList asked;
    int count(const QString& prefix) const;
    // The entries of the last menu shown, its title first; "-" before those shown disabled.
    QStringList lastMenu;

    QAction* runMenu(QMenu& menu, QPoint globalPos) override;
    bool confirmClearAll(QWidget* owner) override;
    int askNumber(QWidget* owner, const QString& prompt, int initial) override;
    int askObjectId(QWidget* owner, const CNet& net) override;
    bool askVerilog(QWidget* owner, CNOVRADoc& doc, double& delayOverPlus) override;
    void runSettings(QWidget* owner, CNOVRADoc& doc, CNOVRAView& view) override;
    QString askOpenFile(QWidget* owner, const QString& folder) override;
    QString askSaveFile(QWidget* owner, const QString& suggested) override;
    int askSaveChanges(QWidget* owner, const QString& name) override;
};

// The canvas on its own, shown at 440 x 360, with scripted prompts.
struct CanvasFixture {
    CanvasFixture(int width = 440, int height = 360);
    ~CanvasFixture();
    TempIni ini;
    std::unique_ptr<CNOVRADoc> doc;
    std::unique_ptr<CNOVRAView> view;
    ScriptedPrompts prompts;
    CNet& net() { return doc->net(); }
    CRenderer& r() { return view->renderer(); }
    EditState& st() { return view->interaction().state(); }
    CSimController& sim() { return view->sim(); }
};

// The main window with its canvas, shown (at its own size for a width of 0), with scripted prompts.
struct WindowFixture {
    WindowFixture(int width = 700, int height = 600);
    ~WindowFixture();
    TempIni ini;
    std::unique_ptr<CNOVRADoc> doc;
    std::unique_ptr<CMainFrame> frame;
    CNOVRAView* view;
    ScriptedPrompts prompts;
    CNet& net() { return doc->net(); }
    CRenderer& r() { return view->renderer(); }
    EditState& st() { return view->interaction().state(); }
    CSimController& sim() { return view->sim(); }
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

// The simulation and edit commands the window offers now, by name in a fixed order.
QString enabledCommands(const CMainFrame& frame);

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
