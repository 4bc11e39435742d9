// A whole example net drawn with the mouse alone compiles and runs like the shipped file.
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/fileio.h"
#include "model/net.h"
#include "sim/simulation.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::ScriptedPrompts;
using novra::ui::testing::TempIni;

class BuildByMouseTest : public QObject {
    Q_OBJECT
  private slots:
    void pipelineFromScratch();
    void everyExampleRedrawnByMouse_data();
    void everyExampleRedrawnByMouse();
};

void BuildByMouseTest::pipelineFromScratch() {
    TempIni ini;
    CNOVRADoc doc;
    CNOVRAView view(&doc);
    view.resize(700, 300);
    view.show();
    view.renderer().renderFrame();
    view.renderer().setScrollPos(QPoint(-40, -50));
    QWidget* vp = view.viewport();
    const auto client = [&](int x, int y) { return view.renderer().toClient(x, y); };
    const auto click = [&](int x, int y) { QTest::mouseClick(vp, Qt::LeftButton, {}, client(x, y)); };

    // Source, then place and transition by turns, each connected from the one before.
    view.runCommand(Cmd::ToolUhzi);
    click(40, 100);
    for (int x = 100; x <= 460; x += 60) click(x, 100);
    // The sink: from the last place into a new kemmakix.
    view.runCommand(Cmd::ToolKemmakix);
    click(460, 100);
    click(520, 100);
    CNet& net = doc.net();
    QCOMPARE(net.objects().size(), size_t(9));
    QCOMPARE(net.arcs().size(), size_t(8));

    // The bit strings, through the dialogs opened by double clicks.
    view.runCommand(Cmd::ToolHand);
    QTest::mouseDClick(vp, Qt::LeftButton, {}, client(40, 100));
    auto* u = view.findChild<CUhziDialog*>();
    QVERIFY(u);
    u->findChild<QRadioButton*>("1005")->click();
    u->findChild<QPlainTextEdit*>("1024")->setPlainText("1011\n0110");
    u->findChild<QPushButton*>("1")->click();
    QTest::mouseDClick(vp, Qt::LeftButton, {}, client(520, 100));
    auto* k = view.findChild<CKemmakixDialog*>();
    QVERIFY(k);
    k->findChild<QPlainTextEdit*>("1008")->setPlainText("1011\n0110");
    k->findChild<QPushButton*>("1")->click();

    CNet shipped;
    fileio::load(shipped, NOVRA_SOURCE_DIR "/examples/pipeline.pol");
    std::multiset<std::pair<int, int>> drawn, expected;
    for (const auto& [id, a] : net.arcs()) drawn.insert({net.kindOf(a.fromId), net.kindOf(a.toId)});
    for (const auto& [id, a] : shipped.arcs())
        expected.insert({shipped.kindOf(a.fromId), shipped.kindOf(a.toId)});
    QCOMPARE(drawn, expected);

    CSimulation sim(net);
    sim.compile();
    std::string end;
    try {
        sim.run();
    } catch (const CError& e) {
        end = e.message();
    }
    QCOMPARE(end, text(msg::kSimulationEnded));
    const CKemmakix& sink = net.kemmakixes().begin()->second;
    QCOMPARE(sink.received, (std::vector<std::string>{"1011", "0110"}));
}

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

QString plain(const std::string& s) {
    return QString::fromStdString(s).remove('\r');
}

QString joined(const std::vector<std::string>& words) {
    QStringList l;
    for (const auto& w : words) l << QString::fromStdString(w);
    return l.join('\n');
}
}  // namespace

// Each shipped example is drawn again with tool clicks, menus and dialogs only, in the order of its ids;
// saved, it must be the shipped file byte for byte, and it must run like it.
void BuildByMouseTest::everyExampleRedrawnByMouse() {
    QFETCH(QString, file);
    TempIni ini;
    CNet shipped;
    fileio::load(shipped, file.toStdString());

    CNOVRADoc doc;
    CNOVRAView view(&doc);
    ScriptedPrompts prompts_;
    view.setPrompts(&prompts_);
    view.resize(1100, 800);
    view.show();
    view.renderer().renderFrame();
    int minX = 1 << 30, minY = 1 << 30, maxX = -minX, maxY = -minY;
    const auto extend = [&](int x, int y) {
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x),
        maxY = std::max(maxY, y);
    };
    for (const auto& [id, o] : shipped.objects()) extend(o.x, o.y);
    for (const auto& [id, a] : shipped.arcs())
        for (const Point& b : a.bendPoints) extend(b.x, b.y);
    view.renderer().setScrollPos(QPoint(minX - 80, minY - 80));
    QVERIFY2(maxX - minX + 160 < view.renderer().clientWidth() &&
                 maxY - minY + 160 < view.renderer().clientHeight(),
             "the example must fit the window");
    QWidget* vp = view.viewport();
    const auto at = [&](int x, int y) { return view.renderer().toClient(x, y); };
    const auto leftAt = [&](int x, int y) { QTest::mouseClick(vp, Qt::LeftButton, {}, at(x, y)); };
    const auto rightAt = [&](int x, int y) { QTest::mouseClick(vp, Qt::RightButton, {}, at(x, y)); };
    const auto dclickAt = [&](int x, int y) { QTest::mouseDClick(vp, Qt::LeftButton, {}, at(x, y)); };
    QString wanted;  // the menu entry the next context menu answers with
    prompts_.onMenu = [&](QMenu& menu) -> QAction* {
        for (QAction* a : menu.actions())
            if (a->text() == wanted) return a;
        return nullptr;
    };
    CNet& net = doc.net();

    // Objects, each with a fresh tool so that no chain arc is drawn.
    const std::map<int, Cmd> tools{{kPlace, Cmd::ToolPlace},
                                   {kTransition, Cmd::ToolTransition},
                                   {kUhzi, Cmd::ToolUhzi},
                                   {kKemmakix, Cmd::ToolKemmakix}};
    for (const auto& [id, o] : shipped.objects()) {
        view.runCommand(tools.at(o.kind));
        leftAt(o.x, o.y);
        QVERIFY2(net.objects().count(id) && net.objects().at(id) == o, qPrintable(QString("object %1").arg(id)));
    }
    QCOMPARE(net.objects().size(), shipped.objects().size());

    // Functions and options, sources and sinks through their dialogs.
    view.runCommand(Cmd::ToolHand);
    for (const auto& [id, t] : shipped.transitions()) {
        const VObject& o = shipped.objects().at(id);
        dclickAt(o.x, o.y);
        auto* d = openDialog<CTransitionDialog>(view);
        QVERIFY(d);
        d->findChild<QPlainTextEdit*>("1022")->setPlainText(plain(t.functionText));
        d->findChild<QCheckBox*>("1058")->setChecked(shipped.simTranOpt().count(id) > 0);
        d->findChild<QPushButton*>("1")->click();
        QVERIFY2(!d->isVisible(), qPrintable(QString("function of %1 refused").arg(id)));
    }
    for (const auto& [id, u] : shipped.uhzis()) {
        const VObject& o = shipped.objects().at(id);
        dclickAt(o.x, o.y);
        auto* d = openDialog<CUhziDialog>(view);
        QVERIFY(d);
        d->findChild<QRadioButton*>(u.addp == 1 ? "1005" : "1004")->click();
        d->findChild<QLineEdit*>("1023")->setText(QString::number(u.holdValue));
        d->findChild<QPlainTextEdit*>("1024")->setPlainText(joined(u.words));
        d->findChild<QRadioButton*>(u.line == 1 ? "1012" : "1011")->click();
        d->findChild<QPushButton*>("1")->click();
        QVERIFY(!d->isVisible());
    }
    for (const auto& [id, k] : shipped.kemmakixes()) {
        const VObject& o = shipped.objects().at(id);
        dclickAt(o.x, o.y);
        auto* d = openDialog<CKemmakixDialog>(view);
        QVERIFY(d);
        const char* modes[4] = {"1004", "1005", "1011", "1012"};
        d->findChild<QRadioButton*>(modes[k.line])->click();
        d->findChild<QPlainTextEdit*>("1008")->setPlainText(joined(k.expected));
        d->findChild<QPushButton*>("1")->click();
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
        if (named && from.kind == kTransition)
            rightAt(from.x, from.y);
        else
            leftAt(from.x, from.y);
        for (const Point& b : a.bendPoints) leftAt(b.x, b.y);
        if (named && to.kind == kTransition)
            rightAt(to.x, to.y);
        else
            leftAt(to.x, to.y);
        QVERIFY2(net.arcs().count(aid), qPrintable(QString("arc %1").arg(aid)));
        QCOMPARE(net.arcs().at(aid).fromId, a.fromId);
        QCOMPARE(net.arcs().at(aid).toId, a.toId);
        QCOMPARE(net.arcs().at(aid).varName, a.varName);
        QVERIFY(net.arcs().at(aid).bendPoints == a.bendPoints);
    }

    // The initial marking with the token tool: a click lays a black 0, the right button turns it white,
    // a double click toggles its value.
    view.runCommand(Cmd::ToolToken);
    for (const auto& [pid, t] : shipped.tokens()) {
        const VObject& o = shipped.objects().at(pid);
        leftAt(o.x, o.y);
        if (t.color == kWhite) rightAt(o.x, o.y);
        if (t.value == 1) dclickAt(o.x, o.y);
        QVERIFY(net.tokens().count(pid) && net.tokens().at(pid) == t);
    }

    QTemporaryDir tmp;
    const std::string saved = tmp.filePath("drawn.pol").toStdString();
    fileio::save(net, saved);
    QFile a(QString::fromStdString(saved)), b(file);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());

    CSimulation sim(net);
    sim.compile();
    try {
        sim.run();
    } catch (const CError&) {
    }
    for (const auto& [id, k] : net.kemmakixes())
        if (k.line <= 1) QCOMPARE(k.received, k.expected);
}

QTEST_MAIN(BuildByMouseTest)
#include "build_by_mouse_test.moc"
