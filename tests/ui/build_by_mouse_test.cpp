// Each shipped example drawn again with tool clicks, context menus and dialogs only, in the order of its
// ids: saved, it must be the shipped file byte for byte (so it runs like it, as tests/sim checks).
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "fileio/fileio.h"
#include "ui/dialogs/dialogs.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using namespace novra::ui::testing;

class BuildByMouseTest : public QObject {
    Q_OBJECT
  private slots:
    void everyExampleRedrawnByMouse_data();
    void everyExampleRedrawnByMouse();
};

void BuildByMouseTest::everyExampleRedrawnByMouse_data() {
    QTest::addColumn<QString>("file");
    const QDir dir(NOVRA_SOURCE_DIR "/examples");
    for (const QString& f : dir.entryList({"*.pol"}, QDir::Files, QDir::Name))
        QTest::newRow(f.toUtf8().constData()) << dir.filePath(f);
}

namespace {
// The one dialog of a kind the last double click opened (closed ones wait for deletion).
template <class D>
D* openDialog(QWidget& view) {
    for (D* d : view.findChildren<D*>())
        if (d->isVisible()) return d;
    return nullptr;
}

QString joined(const std::vector<std::string>& words) {
    QStringList l;
    for (const auto& w : words) l << QString::fromStdString(w);
    return l.join('\n');
}
}  // namespace

void BuildByMouseTest::everyExampleRedrawnByMouse() {
    QFETCH(QString, file);
    CNet shipped;
    fileio::load(shipped, file.toStdString());
    Fixture f(false, 1100, 800);
    CNOVRAView& view = *f.view;
    int minX = 1 << 30, minY = 1 << 30, maxX = -minX, maxY = -minY;
    const auto extend = [&](int x, int y) {
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x),
        maxY = std::max(maxY, y);
    };
    for (const auto& [id, o] : shipped.objects()) extend(o.x, o.y);
    for (const auto& [id, a] : shipped.arcs())
        for (const Point& b : a.bendPoints) extend(b.x, b.y);
    f.r().setScrollPos(QPoint(minX - 80, minY - 80));
    QVERIFY2(maxX - minX + 160 < f.r().clientWidth() && maxY - minY + 160 < f.r().clientHeight(),
             "the example must fit the window");
    const auto at = [&](const VObject& o) { return f.r().toClient(o.x, o.y); };
    const auto open = [&](int id) { doubleClick(view, at(shipped.objects().at(id))); };
    QString wanted;  // the menu entry the next context menu answers with
    f.prompts.onMenu = [&](QMenu& menu) -> QAction* {
        for (QAction* a : menu.actions())
            if (a->text() == wanted) return a;
        return nullptr;
    };
    CNet& net = f.net();

    // Objects, each with a fresh tool so that no chain arc is drawn.
    const std::map<int, Cmd> tools{{kPlace, Cmd::ToolPlace},
                                   {kTransition, Cmd::ToolTransition},
                                   {kUhzi, Cmd::ToolUhzi},
                                   {kKemmakix, Cmd::ToolKemmakix}};
    for (const auto& [id, o] : shipped.objects()) {
        view.runCommand(tools.at(o.kind));
        click(view, at(o));
    }

    // Functions and options, sources and sinks through their dialogs.
    view.runCommand(Cmd::ToolHand);
    for (const auto& [id, t] : shipped.transitions()) {
        open(id);
        auto* d = openDialog<CTransitionDialog>(view);
        QVERIFY(d);
        control<QPlainTextEdit>(d, "1022")->setPlainText(QString::fromStdString(t.functionText).remove('\r'));
        control<QCheckBox>(d, "1058")->setChecked(shipped.simTranOpt().count(id) > 0);
        control<QPushButton>(d, "1")->click();
        QVERIFY2(!d->isVisible(), qPrintable(QString("function of %1 refused").arg(id)));
    }
    for (const auto& [id, u] : shipped.uhzis()) {
        open(id);
        auto* d = openDialog<CUhziDialog>(view);
        QVERIFY(d);
        control<QRadioButton>(d, u.addp == 1 ? "1005" : "1004")->click();
        control<QLineEdit>(d, "1023")->setText(QString::number(u.holdValue));
        control<QPlainTextEdit>(d, "1024")->setPlainText(joined(u.words));
        control<QRadioButton>(d, u.line == 1 ? "1012" : "1011")->click();
        control<QPushButton>(d, "1")->click();
        QVERIFY(!d->isVisible());
    }
    for (const auto& [id, k] : shipped.kemmakixes()) {
        open(id);
        auto* d = openDialog<CKemmakixDialog>(view);
        QVERIFY(d);
        const char* modes[4] = {"1004", "1005", "1011", "1012"};
        control<QRadioButton>(d, modes[k.line])->click();
        control<QPlainTextEdit>(d, "1008")->setPlainText(joined(k.expected));
        control<QPushButton>(d, "1")->click();
        QVERIFY(!d->isVisible());
    }

    // Arcs in id order: bend points are clicks on the empty canvas; a named variable is chosen from the
    // transition's menu (outputs before the arc starts, inputs to end it).
    for (const auto& [aid, a] : shipped.arcs()) {
        view.runCommand(Cmd::ToolArc);
        const VObject& from = shipped.objects().at(a.fromId);
        const VObject& to = shipped.objects().at(a.toId);
        const bool named = !a.varName.empty();
        wanted = QString::fromStdString(a.varName);
        click(view, at(from), named && from.kind == kTransition ? Qt::RightButton : Qt::LeftButton);
        for (const Point& b : a.bendPoints) click(view, f.r().toClient(b.x, b.y));
        click(view, at(to), named && to.kind == kTransition ? Qt::RightButton : Qt::LeftButton);
        QVERIFY2(net.arcs().count(aid), qPrintable(QString("arc %1").arg(aid)));
    }

    // The initial marking with the token tool: a click lays a black 0, the right button turns it white,
    // a double click toggles its value.
    view.runCommand(Cmd::ToolToken);
    for (const auto& [pid, t] : shipped.tokens()) {
        const VObject& o = shipped.objects().at(pid);
        click(view, at(o));
        if (t.color == kWhite) click(view, at(o), Qt::RightButton);
        if (t.value == 1) doubleClick(view, at(o));
    }

    QTemporaryDir tmp;
    const std::string saved = tmp.filePath("drawn.pol").toStdString();
    fileio::save(net, saved);
    QFile a(QString::fromStdString(saved)), b(file);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
}

QTEST_MAIN(BuildByMouseTest)
#include "build_by_mouse_test.moc"
