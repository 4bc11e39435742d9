// A whole example net drawn with the mouse alone compiles and runs like the shipped file.
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>
#include <memory>

#include "common/error.h"
#include "common/messages.h"
#include "model/net.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/view.h"
#include "ui_support.h"

using namespace novra;
using namespace novra::ui;
using novra::ui::testing::TempIni;

class BuildByMouseTest : public QObject {
    Q_OBJECT
  private slots:
    void pipelineFromScratch();
};

void BuildByMouseTest::pipelineFromScratch() {
    TempIni ini;
    CNOVRADoc doc;
    CNOVRAView view(&doc);
    view.resize(700, 300);
    view.show();
    view.renderFrame();
    view.setScrollPos(QPoint(-40, -50));
    QWidget* vp = view.viewport();
    const auto client = [&](int x, int y) { return view.toClient(x, y); };
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
    QCOMPARE(net.objects.size(), size_t(9));
    QCOMPARE(net.arcs.size(), size_t(8));

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
    shipped.loadFile(NOVRA_SOURCE_DIR "/examples/pipeline.pol");
    std::multiset<std::pair<int, int>> drawn, expected;
    for (const auto& [id, a] : net.arcs) drawn.insert({net.kindOf(a.fromId), net.kindOf(a.toId)});
    for (const auto& [id, a] : shipped.arcs)
        expected.insert({shipped.kindOf(a.fromId), shipped.kindOf(a.toId)});
    QCOMPARE(drawn, expected);

    net.compileNet();
    std::string end;
    try {
        net.runUnanimated();
    } catch (const CError& e) {
        end = e.message();
    }
    QCOMPARE(end, text(msg::kSimulationEnded));
    const CKemmakix& sink = net.kemmakixes.begin()->second;
    QCOMPARE(sink.received, (std::vector<std::string>{"1011", "0110"}));
}

QTEST_MAIN(BuildByMouseTest)
#include "build_by_mouse_test.moc"
