#include "ui_support.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>
#include <map>

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
QAction* find(QMenu& m, int data) {
    for (QAction* a : m.actions()) {
        if (a->menu())
            if (QAction* inner = find(*a->menu(), data)) return inner;
        if (data != 0 && a->data().toInt() == data) return a;
    }
    return nullptr;
}

int take(std::deque<int>& q, int otherwise) {
    if (q.empty()) return otherwise;
    const int v = q.front();
    q.pop_front();
    return v;
}
}  // namespace

QAction* ScriptedPrompts::runMenu(QMenu& menu, QPoint) {
    asked << "menu";
    lastMenu.clear();
    for (QAction* a : menu.actions()) lastMenu << (a->isEnabled() ? "" : "-") + a->text();
    return onMenu ? onMenu(menu) : find(menu, take(menus, 0));
}

int ScriptedPrompts::askNumber(QWidget*, const QString& prompt, int initial) {
    asked << QString("number:%1:%2").arg(prompt).arg(initial);
    return take(numbers, -1);
}

Fixture::Fixture(bool window, int width, int height) : doc(std::make_unique<CNOVRADoc>()) {
    QWidget* shown;
    if (window) {
        frame = std::make_unique<CMainFrame>(doc.get());
        frame->setPrompts(&prompts);
        view = frame->view();
        shown = frame.get();
    } else {
        canvas = std::make_unique<CNOVRAView>(doc.get());
        view = canvas.get();
        view->setPrompts(&prompts);
        shown = view;
    }
    if (width < 0) return;  // not shown
    if (width > 0) shown->resize(width, height);
    shown->show();
    view->renderer().renderFrame();
}

Fixture::~Fixture() {
    frame.reset();
    canvas.reset();
    doc.reset();
}

QString Fixture::log() const {
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

QPoint at(CNOVRAView& v, int id) {
    const auto& o = v.net().objects().at(id);
    return v.renderer().toClient(o.x, o.y);
}

QString enabledCommands(Fixture& f) {
    QStringList on;
    for (const char* name : {"Compile", "Run", "Step", "Pause", "Abort", "Rewind", "ClearAll", "ToolPlace",
                             "ToolDelete", "Paste", "Undo", "Align"})
        if (f.frame ? f.frame->commandEnabled(command(name)) : f.view->commandEnabled(command(name)))
            on << name;
    return on.join(' ');
}

Cmd command(const QString& name) {
    static const std::map<QString, int> byName = [] {
        std::map<QString, int> m;
        QFile h(NOVRA_SOURCE_DIR "/src/ui/commands.h");
        h.open(QIODevice::ReadOnly);
        const QRegularExpression entry(R"(^\s+(\w+) = (\d+),)", QRegularExpression::MultilineOption);
        for (const auto& e : entry.globalMatch(QString::fromUtf8(h.readAll())))
            m[e.captured(1)] = e.captured(2).toInt();
        return m;
    }();
    const auto it = byName.find(name);
    if (it == byName.end()) qFatal("no command %s", qPrintable(name));
    return Cmd(it->second);
}

QString svgSummary(const QByteArray& svg) {
    std::map<QString, int> groups;
    QString box;
    QXmlStreamReader x(svg);
    while (!x.atEnd()) {
        if (x.readNext() != QXmlStreamReader::StartElement) continue;
        if (x.name() == QLatin1String("svg")) box = x.attributes().value("viewBox").toString();
        if (x.name() == QLatin1String("g") && x.attributes().hasAttribute("class"))
            ++groups[x.attributes().value("class").toString()];
    }
    if (x.hasError()) return "error: " + x.errorString();
    QStringList out;
    for (const auto& [kind, n] : groups) out << QString("%1=%2").arg(kind).arg(n);
    return out.join(' ') + " box " + box;
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

}  // namespace novra::ui::testing
