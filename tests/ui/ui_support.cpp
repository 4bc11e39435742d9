#include "ui_support.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "ui/messagebar.h"

namespace novra::ui::testing {

void TempIni::write(const QByteArray& content) const {
    QFile f(path());
    f.open(QIODevice::WriteOnly | QIODevice::Truncate);
    f.write(content);
}

QByteArray TempIni::read() const {
    QFile f(path());
    f.open(QIODevice::ReadOnly);
    return f.readAll();
}

namespace {
template <class T>
T take(std::deque<T>& q, T otherwise) {
    if (q.empty()) return otherwise;
    T v = std::move(q.front());
    q.pop_front();
    return v;
}

QAction* find(QMenu& m, int data) {
    for (QAction* a : m.actions()) {
        if (a->menu())
            if (QAction* inner = find(*a->menu(), data)) return inner;
        if (data != 0 && a->data().toInt() == data) return a;
    }
    return nullptr;
}
}  // namespace

int ScriptedPrompts::count(const QString& prefix) const {
    int n = 0;
    for (const QString& a : asked) n += a.startsWith(prefix) ? 1 : 0;
    return n;
}

QAction* ScriptedPrompts::runMenu(QMenu& menu, QPoint) {
    asked << "menu";
    lastMenu.clear();
    for (QAction* a : menu.actions()) lastMenu << (a->isEnabled() ? "" : "-") + a->text();
    if (onMenu) return onMenu(menu);
    return find(menu, take(menus, 0));
}

bool ScriptedPrompts::confirmClearAll(QWidget*) {
    asked << "clearAll";
    return defaultClearAll;
}

int ScriptedPrompts::askNumber(QWidget*, const QString& prompt, int initial) {
    asked << QString("number:%1:%2").arg(prompt).arg(initial);
    return take(numbers, -1);
}

int ScriptedPrompts::askObjectId(QWidget*, const CNet&) {
    asked << "objectId";
    return 0;
}

bool ScriptedPrompts::askVerilog(QWidget*, CNOVRADoc& doc, double& delayOverPlus) {
    asked << "verilog";
    return verilog && verilog(doc, delayOverPlus);
}

void ScriptedPrompts::runSettings(QWidget*, CNOVRADoc&, CNOVRAView&) {
    asked << "settings";
}

QString ScriptedPrompts::askOpenFile(QWidget*, const QString& folder) {
    asked << "open:" + folder;
    return defaultOpen;
}

QString ScriptedPrompts::askSaveFile(QWidget*, const QString& suggested) {
    asked << "save:" + suggested;
    return defaultSave;
}

int ScriptedPrompts::askSaveChanges(QWidget*, const QString& name) {
    asked << "saveChanges:" + name;
    return defaultSaveChanges;
}

CanvasFixture::CanvasFixture(int width, int height)
    : doc(std::make_unique<CNOVRADoc>()), view(std::make_unique<CNOVRAView>(doc.get())) {
    view->setPrompts(&prompts);
    view->resize(width, height);
    view->show();
    view->renderer().renderFrame();
}

CanvasFixture::~CanvasFixture() {
    view.reset();
    doc.reset();
}

WindowFixture::WindowFixture(int width, int height)
    : doc(std::make_unique<CNOVRADoc>()),
      frame(std::make_unique<CMainFrame>(doc.get())),
      view(frame->view()) {
    frame->setPrompts(&prompts);
    if (width > 0) frame->resize(width, height);
    frame->show();
    view->renderer().renderFrame();
}

WindowFixture::~WindowFixture() {
    frame.reset();
    doc.reset();
}

QString WindowFixture::log() const {
    return frame->messageBar()->logText();
}

void click(CNOVRAView& v, QPoint p, Qt::MouseButton b, Qt::KeyboardModifiers m) {
    QTest::mouseClick(v.viewport(), b, m, p);
}

void doubleClick(CNOVRAView& v, QPoint p) {
    QTest::mouseDClick(v.viewport(), Qt::LeftButton, {}, p);
}

void press(CNOVRAView& v, QPoint p, Qt::MouseButton b) {
    QTest::mousePress(v.viewport(), b, {}, p);
}

void release(CNOVRAView& v, QPoint p, Qt::MouseButton b) {
    QTest::mouseRelease(v.viewport(), b, {}, p);
}

void move(CNOVRAView& v, QPoint p, Qt::MouseButtons held) {
    QWidget* vp = v.viewport();
    QMouseEvent e(QEvent::MouseMove, p, vp->mapToGlobal(p), Qt::NoButton, held, Qt::NoModifier);
    QApplication::sendEvent(vp, &e);
}

QString enabledCommands(const CMainFrame& frame) {
    static const std::pair<Cmd, const char*> kShown[] = {{Cmd::Compile, "Compile"},
                                                         {Cmd::Run, "Run"},
                                                         {Cmd::Step, "Step"},
                                                         {Cmd::Pause, "Pause"},
                                                         {Cmd::Abort, "Abort"},
                                                         {Cmd::Rewind, "Rewind"},
                                                         {Cmd::ClearAll, "ClearAll"},
                                                         {Cmd::ToolPlace, "ToolPlace"},
                                                         {Cmd::ToolDelete, "ToolDelete"},
                                                         {Cmd::Paste, "Paste"},
                                                         {Cmd::Undo, "Undo"},
                                                         {Cmd::Align, "Align"}};
    QStringList on;
    for (const auto& [cmd, name] : kShown)
        if (frame.commandEnabled(cmd)) on << name;
    return on.join(' ');
}

QString pressWithMessage(QWidget* dialog, const char* button) {
    QString seen;
    QTimer timer;  // gone with this call when no box came up
    timer.setSingleShot(true);
    timer.start(0);
    QObject::connect(&timer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = box->text() + (box->windowTitle().isEmpty() ? "" : " (titled)");
            box->accept();
        }
    });
    control<QPushButton>(dialog, button)->click();
    return seen;
}

QPoint at(CNOVRAView& v, int id) {
    const auto& o = v.net().objects().at(id);
    return v.renderer().toClient(o.x, o.y);
}

}  // namespace novra::ui::testing
