// The script player: one verb a line, acting on a fixture or checking what it shows.
#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMetaEnum>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrinter>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QUrl>
#include <QtTest>
#include <map>
#include <optional>

#include "common/messages.h"
#include "fileio/fileio.h"
#include "ui/dialogs/dialogs.h"
#include "ui/edit_commands.h"
#include "ui/messagebar.h"
#include "ui_support.h"

namespace novra::ui::testing {

namespace {
const char kKinds[] = " ptuk";  // by kPlace .. kKemmakix

QString xy(int x, int y) {
    return QString("%1,%2").arg(x).arg(y);
}
// Line breaks written "\n" and "\r" on a script's line.
QString escaped(QString s) {
    return s.replace("\r", "\\r").replace("\n", "\\n");
}
QString unescaped(QString s) {
    return s.replace("\\r", "\r").replace("\\n", "\n");
}
QString words(const std::vector<std::string>& w) {
    QStringList l;
    for (const auto& s : w) l << QString::fromStdString(s);
    return l.join(',');
}
// A control as "shows" reads it: "-" when disabled, "!" when read-only, then its text or 1/0 for checked.
QString shown(QWidget* w) {
    QString s = w->isEnabled() ? "" : "-";
    if (auto* t = qobject_cast<QPlainTextEdit*>(w))
        return s + (t->isReadOnly() ? "!" : "") + t->toPlainText();
    if (auto* t = qobject_cast<QLineEdit*>(w)) return s + (t->isReadOnly() ? "!" : "") + t->text();
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return s + (b->isChecked() ? "1" : "0");
    if (auto* l = qobject_cast<QLabel*>(w)) return s + l->text();
    if (auto* c = qobject_cast<QComboBox*>(w)) return s + c->currentText();
    if (auto* b = qobject_cast<QDoubleSpinBox*>(w)) return s + QString::number(b->value());
    if (auto* t = qobject_cast<QTabWidget*>(w)) return s + QString::number(t->currentIndex());
    if (auto* t = qobject_cast<QTableWidget*>(w)) {
        QStringList rows;
        for (int r = 0; r < t->rowCount(); ++r)
            rows << t->item(r, 0)->text() + " " + t->item(r, 1)->text() + " " + t->item(r, 2)->text();
        return s + rows.join('|');
    }
    return s + "?";
}
void setControl(QWidget* w, const QString& value) {
    if (auto* t = qobject_cast<QPlainTextEdit*>(w)) t->setPlainText(value);
    if (auto* t = qobject_cast<QLineEdit*>(w)) t->setText(value);
    if (auto* b = qobject_cast<QDoubleSpinBox*>(w)) b->setValue(value.toDouble());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) b->setChecked(value == "1");
    if (auto* t = qobject_cast<QTableWidget*>(w)) t->selectRow(value.toInt());
    if (auto* l = qobject_cast<QListWidget*>(w)) l->setCurrentRow(value.toInt());
    if (auto* t = qobject_cast<QTabWidget*>(w)) t->setCurrentIndex(value.toInt());
}
QPoint point(const QString& s) {
    const QStringList v = s.split(',');
    return {v.value(0).toInt(), v.value(1).toInt()};
}
}  // namespace

QString describe(const CNet& net) {
    QStringList out;
    for (const auto& [id, o] : net.objects()) {
        QString s = QString("%1:%2").arg(id).arg(kKinds[o.kind]) + xy(o.x, o.y);
        if (const auto t = net.tokens().find(id); t != net.tokens().end())
            s += QString("=%1%2").arg(t->second.color == kBlack ? 'B' : 'W').arg(t->second.value);
        out << s;
    }
    for (const auto& [id, a] : net.arcs()) {
        QString s = QString("%1>%2").arg(a.fromId).arg(a.toId);
        if (!a.varName.empty()) s += "/" + QString::fromStdString(a.varName);
        for (const Point& b : a.bendPoints) s += ":" + xy(b.x, b.y);
        out << s;
    }
    return out.join(' ');
}

void addToNet(CNet& net, const QString& text) {
    for (const QString& word : text.split(' ', Qt::SkipEmptyParts)) {
        QStringList parts = word.split(':');
        if (parts[0].contains('>')) {
            const QStringList ends = parts[0].section('/', 0, 0).split('>');
            std::vector<Point> bends;
            for (int i = 1; i < parts.size(); ++i)
                bends.push_back({point(parts[i]).x(), point(parts[i]).y()});
            net.addArc(ends[0].toInt(), ends[1].toInt(), bends, parts[0].section('/', 1).toStdString());
        } else {
            const QStringList token = parts[0].split('=');
            const QPoint p = point(token[0].mid(1));
            const int id = net.addObject(p.x(), p.y(), int(std::string(kKinds).find(word[0].toLatin1())));
            if (token.size() > 1)
                net.setToken(id, token[1][0] == 'B' ? kBlack : kWhite, token[1].mid(1).toInt());
        }
    }
}

// A script: one verb a line, its words split at spaces; a line starting "#" is a comment. T is a point on
// the canvas: "#3" the centre of object 3, "@x,y" a canvas point, "x,y" a client point, each with an
// optional "+dx,dy". An expectation compares what it reads with the rest of its line.
//
// The net: add <net as addToNet takes it>, fn <id> <function text>, token <id> B1|W0, place <id> x,y,
//   stop <id> (a fire stop), delete <id>, let uhzi <id> hold=<v> addp=<0|1> words=<w,w>,
//   let kemmakix <id> line=<n> expected=<w,w> received=<w,w>, let verilog dirs=<d,d> module=<name>,
//   let view hatch|yard|save|skin|ids|anime=<n>, reduced <id> (marked as generated without its register),
//   compiled 0|1, grid <step>, modified 0|1.
// Gestures: do <command or its number>..., trigger <command> (its action), select <id>... (none: no
//   selection, no rectangle), rect x,y x,y (the selection's), choose <command or number> (the next menu's
//   answer), number <n> (the next number dialog's), zoom <level>, mode <tool mode>, click T
//   [right|middle|shift], dclick T, press T [right|middle], release T [right|middle], move T
//   [left|right|middle held], drag T T [shift], key <Qt key name> [ctrl], down <key>, up <key>.
// Dialogs, one at a time: dialog transition|uhzi|kemmakix <id>, dialog number <prompt> <initial>, dialog
//   objects|verilog|settings, dialog export <file> <1 with a selection>, showing transition|uhzi|kemmakix
//   <how many the view shows> (the first becomes the dialog); page <name> (its controls only;
//   "tabs" is the dialog's tabs), set <control> <text ("\n" a line break), 1/0 for a check box, a row of a
//   table or list>, push <button>, reject, browse <from> <to> (the Verilog dialog's folder dialog), color
//   <rrggbb>|none [<from rrggbb>].
// The simulation: open <example file>, nmode <n>, anime 0|1, speed <ms>, compilesave 0|1, clearlog,
//   note <text for the log>, tick <clock ticks>, bits <sink> <n> (clock ticks until the sink holds n bits
//   of a word), stepto <phase> (steps until the next one performs it), point <id> (a spark ring),
//   lastwhite <place> (its last token was white), scrollto x,y.
// The drawing: render (the whole net again), paint (what is due), print <name> (to a PDF file), opened (the
//   net as a file read leaves it), filler (rows of places far above and below the window), clear (an empty
//   net as a file read leaves it), wheel <delta> [ctrl], wheelzoom <delta> (S held), scrollby dx,dy, hbar
//   <value of the horizontal scroll bar>.
// Files, in a folder of the fixture's own shown as "$" (the source tree as "<src>", the default output
//   folder as "<default>"): quickpath <name> (the quick save file), savenet <name> <places>, write <name>
//   <bytes>, rm <name>, saveas <name> (not as the document), drop <name>,
//   changed (the net differs from its file),
//   answer open|save <name> (none: Cancel), answer changes Save|Discard|Cancel, answer clearall 1|0,
//   answer picture <name> [selection] (none: Cancel),
//   answer verilog <folder> <top module> <delay margin>.
// Expectations:
//   net <as describe writes it>   has <word of describe>...   lacks <word>...   status <text>
//   state <key>=<value>... (the keys in state() below)   menu <entries joined by |>   asked <last question>
//   asks <question> <times asked>   on <enabled commands>   actions <ids of the window's enabled actions>
//   checked <ids of its checked actions>   ok|cancel <message box text, empty for none>
//   shows <control> <its text, see shown()>   shown 0|1   result <number, id or delay the dialog returns>
//   function <id> <text>|none   uhzi <id> addp= line= hold= words=   kemmakix <id> line= expected=
//   stops <ids of fire stops>   vars <id> <input variable>=<number>...   settings nmode= skin= ...
//   colors kind= back= place= tran= default= (the settings' general page)   preview x,y <rrggbb>
//   verilog dirs= module= sync=   until <text> (clock ticks until the log shows it)   wait <text> (the
//   real timers until the log shows it)   log <the whole log>   logs <count> <text>   says <status bar>
//   received <sink> <words>   marking <the simulation's: 3=B1 ...>   last <places whose last token was
//   white>   enabled <transitions enabled now>
//   flight <x,y>x,y of the first token moving> <move ticks until none moves>   scrolls <id> <scroll
//   ticks until the scroll stops> <client x,y of the object> of <width,height>   pixel T <rrggbb>
//   count <rrggbb> all|x,y,w,h <n|>n|=n> (pixels of the colour)   idat T <id>   client T <x,y> of
//   <width,height>   drew <text>... (every text drawn, sorted)   caption <window title>   path <document's>
//   recent <files>   saved <name> <objects>|none   file <name> <its first line>|none   svg <name>
//   <its svgSummary>|none
//   close <1 when the window closed>
QString play(Fixture& f, const QString& script) {
    CNOVRAView& v = *f.view;
    EditState& st = f.st();
    const QPoint s0 = f.r().scrollPos();
    const auto ids = [](const std::set<int>& s) {
        QStringList l;
        for (int id : s) l << QString::number(id);
        return l.join(',');
    };
    // What a "state" line reads: the edit state, the view, the document and the simulation.
    const auto state = [&] {
        const CSimController& sim = f.sim();
        const QRect& r = st.selectionRect;
        QStringList timers;
        for (int t : {1, 2, 3, 4})
            if (sim.timerActive(t)) timers << QStringList{"clock", "move", "spark", "scroll"}[t - 1];
        std::map<QString, QString> m{
            {"sel", ids(st.selection)},
            {"timers", timers.join(',')},
            {"rect", r.isEmpty() ? QString() : xy(r.left(), r.top()) + "," + xy(r.right(), r.bottom())},
            {"scroll", xy(f.r().scrollPos().x() - s0.x(), f.r().scrollPos().y() - s0.y())},
            {"pos", xy(f.r().scrollPos().x(), f.r().scrollPos().y())},
            {"hbar", xy(v.horizontalScrollBar()->minimum(), v.horizontalScrollBar()->value())}};
        const QString numbers = QString::asprintf(
            "mode=%d cont=%d pending=%d source=%d target=%d bends=%d grabbed=%d cursor=%d key=%d panning=%d "
            "varmode=%d zoom=%d extra=%d modified=%d compiled=%d phase=%d running=%d advance=%d help=%d "
            "stop=%d moves=%d sparks=%d clock=%d size=%d hatch=%d speed=%d steps=%d",
            st.toolMode, st.continuous, st.arcPending, st.arcSource, st.arcTarget, int(st.bendPoints.size()),
            st.grabbedObject, st.cursorRole, st.keyState, st.panning, st.varMenuMode, f.r().zoomLevel(),
            f.r().extraLevel(), f.doc->isModified(), f.doc->compiled(), f.doc->simulation().phase(),
            sim.running, sim.advance, sim.helpState, f.net().stopObject(), int(sim.tokenMoves.size()),
            int(sim.sparks.size()), sim.timerPeriod(CSimController::kClockTimer), f.r().objectSize(),
            v.settings().hatchSize, f.doc->settings().simSpeed, int(f.doc->history().steps()));
        for (const QString& kv : numbers.split(' ')) m[kv.section('=', 0, 0)] = kv.section('=', 1);
        return m;
    };
    const auto target = [&](const QString& t) {
        const QString at = t.section('+', 0, 0), by = t.section('+', 1);
        const QPoint p = point(at.mid(1));
        const QPoint base = at[0] == '#'   ? testing::at(v, at.mid(1).toInt())
                            : at[0] == '@' ? f.r().toClient(p.x(), p.y())
                                           : point(at);
        return base + point(by);
    };
    // A file of the fixture's folder, written "$/name" where a path is shown.
    const auto file = [&](const QString& name) {
        return name.isEmpty() ? QString() : f.files.filePath(name);
    };
    const auto inFiles = [&](QString s) {
        // The default folder first: a build inside the source tree puts it there.
        return s.replace(f.files.path(), "$")
            .replace(CConfig::defaultOutputFolder(), "<default>")
            .replace(NOVRA_SOURCE_DIR, "<src>");
    };
    const auto button = [](const QString& b) {
        return b == "right" ? Qt::RightButton : b == "middle" ? Qt::MiddleButton : Qt::LeftButton;
    };
    const auto key = [](const QString& name) {
        return Qt::Key(QMetaEnum::fromType<Qt::Key>().keyToValue(("Key_" + name).toLatin1()));
    };
    std::unique_ptr<QDialog> owned;  // made by the script
    QPointer<QDialog> dialog;        // what the dialog verbs act on: that one, or one the view shows
    QWidget* page = nullptr;  // where the dialog's controls are looked up, when not the whole dialog
    const auto find = [&](const QString& id) -> QWidget* {
        if (id == "tabs") return dialog->findChild<QTabWidget*>();
        return control<QWidget>(page ? page : dialog.data(), qPrintable(id));
    };
    const QStringList lines = script.split('\n');
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        const QStringList w = line.split(' ', Qt::SkipEmptyParts);
        if (w.isEmpty() || w[0].startsWith('#')) continue;
        const QString& verb = w[0];
        const QString rest = line.section(' ', 1).trimmed(), a1 = w.value(1), a2 = w.value(2);
        std::optional<QString> got;  // set by an expectation
        const QString& wanted = rest;
        if (verb == "add") {
            addToNet(f.net(), rest);
            f.r().setRebuild();
        } else if (verb == "fn") {
            f.net().transitions().at(a1.toInt()).functionText = unescaped(rest.section(' ', 1)).toStdString();
        } else if (verb == "stop") {
            f.net().setSimTranOpt(a1.toInt(), true);
        } else if (verb == "reduced") {
            f.net().transitions().at(a1.toInt()).gen.registerReduced = true;
        } else if (verb == "delete") {
            f.net().deleteObject(a1.toInt());
        } else if (verb == "let") {
            for (int i = 2; i < w.size(); ++i) {
                const QString name = w[i].section('=', 0, 0), value = w[i].section('=', 1);
                std::vector<std::string> list;
                for (const QString& item : value.split(',', Qt::SkipEmptyParts))
                    list.push_back(item.toStdString());
                if (a1 == "verilog") {
                    DocSettings& d = f.doc->settings();
                    if (name == "dirs") {
                        const QStringList dirs = value.split(',');
                        d.verilogOutDirs.assign(dirs.begin(), dirs.end());
                    }
                    if (name == "module") d.verilogOutModuleName = value;
                    continue;
                }
                if (a1 == "view") {
                    ViewSettings& vs = v.settings();
                    (name == "hatch"  ? vs.hatchSize
                     : name == "yard" ? vs.objectYard
                     : name == "save" ? vs.compileSave
                     : name == "skin" ? vs.skinUse
                     : name == "ids"  ? vs.enableObjId
                                      : vs.simAnime) = value.toInt();
                    continue;
                }
                if (a1 == "uhzi") {
                    CUhzi& u = f.net().uhzis().at(a2.toInt());
                    if (name == "hold") u.holdValue = value.toInt();
                    if (name == "addp") u.addp = value.toInt();
                    if (name == "words") u.words = list;
                    continue;
                }
                CKemmakix& k = f.net().kemmakixes().at(a2.toInt());
                if (name == "line") k.line = value.toInt();
                if (name == "expected") k.expected = list;
                if (name == "received") k.received = list, k.hasReceived = true;
            }
        } else if (verb == "token") {
            f.net().setToken(a1.toInt(), a2[0] == 'B' ? kBlack : kWhite, a2.mid(1).toInt());
        } else if (verb == "place") {
            f.net().moveObject(a1.toInt(), point(a2).x(), point(a2).y());
        } else if (verb == "grid") {
            v.settings().hatchSize = a1.toInt();
        } else if (verb == "rect") {
            st.selectionRect = QRect(point(a1), point(a2));
        } else if (verb == "compiled") {
            f.doc->setCompiled(a1.toInt());
        } else if (verb == "do") {
            for (int i = 1; i < w.size(); ++i) f.run(w[i][0].isDigit() ? Cmd(w[i].toInt()) : command(w[i]));
        } else if (verb == "select") {
            st.selection.clear();
            for (int i = 1; i < w.size(); ++i) st.selection.insert(w[i].toInt());
            if (w.size() == 1) st.selectionRect = QRect();
        } else if (verb == "choose") {
            const bool number = a1[0].isDigit();
            f.prompts.menus.push_back(number ? a1.toInt() : int(command(a1)));
        } else if (verb == "number") {
            f.prompts.numbers.push_back(a1.toInt());
        } else if (verb == "zoom") {
            while (f.r().zoomLevel() < a1.toInt()) v.runCommand(Cmd::ZoomOut);
            while (f.r().zoomLevel() > a1.toInt()) v.runCommand(Cmd::ZoomIn);
        } else if (verb == "click") {
            click(v, target(a1), button(a2), a2 == "shift" ? Qt::ShiftModifier : Qt::NoModifier);
        } else if (verb == "dclick") {
            doubleClick(v, target(a1));
        } else if (verb == "press") {
            press(v, target(a1), button(a2));
        } else if (verb == "release") {
            release(v, target(a1), button(a2));
        } else if (verb == "move") {
            move(v, target(a1), a2.isEmpty() ? Qt::NoButton : button(a2));
        } else if (verb == "drag") {
            const Qt::KeyboardModifiers m = w.value(3) == "shift" ? Qt::ShiftModifier : Qt::NoModifier;
            QTest::mousePress(v.viewport(), Qt::LeftButton, m, target(a1));
            move(v, target(a2), Qt::LeftButton);
            QTest::mouseRelease(v.viewport(), Qt::LeftButton, m, target(a2));
        } else if (verb == "key") {
            QTest::keyClick(&v, key(a1), a2 == "ctrl" ? Qt::ControlModifier : Qt::NoModifier);
        } else if (verb == "down" || verb == "up") {
            // A letter goes as its character, as a keyboard types it.
            if (a1.size() == 1)
                verb == "down" ? QTest::keyPress(&v, a1.toLower()[0].toLatin1())
                               : QTest::keyRelease(&v, a1.toLower()[0].toLatin1());
            else
                verb == "down" ? QTest::keyPress(&v, key(a1)) : QTest::keyRelease(&v, key(a1));
        } else if (verb == "dialog") {
            page = nullptr;
            owned.reset();  // one at a time
            CNOVRADoc& d = *f.doc;
            const int id = w.value(2).toInt();
            if (a1 == "transition") owned = std::make_unique<CTransitionDialog>(d, id);
            if (a1 == "uhzi") owned = std::make_unique<CUhziDialog>(d, id);
            if (a1 == "kemmakix") owned = std::make_unique<CKemmakixDialog>(d, id);
            if (a1 == "number") owned = std::make_unique<CNumberDialog>(a2, w.value(3).toInt());
            if (a1 == "objects") owned = std::make_unique<CObjectListDialog>(f.net());
            if (a1 == "verilog") owned = std::make_unique<CVerilogDialog>(d);
            if (a1 == "settings") owned = std::make_unique<CConfigDialog>(d, v);
            if (a1 == "export")
                owned = std::make_unique<CExportDialog>(PictureRequest{a2, false, 1}, w.value(3) == "1");
            dialog = owned.get();
            if (!dialog) return QString("line %1: no dialog %2").arg(n + 1).arg(a1);
            dialog->show();
        } else if (verb == "showing") {
            // The view's own dialogs of the kind that are shown; the first is the one the dialog verbs act on.
            QList<QDialog*> open;
            for (QDialog* d : v.findChildren<QDialog*>())
                if (d->isVisible() && QString(d->metaObject()->className()).contains(a1, Qt::CaseInsensitive))
                    open << d;
            dialog = open.value(0);
            got = a1 + " " + QString::number(open.size());
        } else if (verb == "reject") {
            dialog->reject();
        } else if (verb == "browse") {
            qobject_cast<CVerilogDialog*>(dialog.data())->browseFolder =
                [a1, a2](QWidget*, const QString& start) { return start == a1 ? a2 : QString(); };
        } else if (verb == "color") {
            // The colour dialog's answer (none: Cancel), only when it starts from the second colour if given.
            const QColor answer(a1 == "none" ? QString() : "#" + a1), from("#" + a2);
            dialog->findChild<CGeneralPage*>()->chooseColor = [=](QWidget*, const QColor& start) {
                return a2.isEmpty() || start == from ? answer : QColor();
            };
        } else if (verb == "page") {
            page = control<QWidget>(dialog.data(), qPrintable(a1));
        } else if (verb == "set") {
            setControl(find(a1), unescaped(rest.section(' ', 1)));
        } else if (verb == "push") {
            qobject_cast<QAbstractButton*>(find(a1))->click();
        } else if (verb == "ok" || verb == "cancel") {
            got = pressWithMessage(dialog.data(), verb == "ok" ? "1" : "2");
        } else if (verb == "shows") {
            got = (a1 + " " + escaped(shown(find(a1)))).trimmed();
        } else if (verb == "settings") {
            const ViewSettings& vs = v.settings();
            const ViewColors& c = vs.colors;
            got = QString::asprintf(
                "nmode=%d skin=%d yard=%d save=%d anime=%d move=%d hatch=%d speed=%d back=%06x "
                "place=%06x tran=%06x",
                nmode(), vs.skinUse, vs.objectYard, vs.compileSave, vs.simAnime, vs.tokenMove, vs.hatchSize,
                f.doc->settings().simSpeed, c.back, c.place, c.transition);
        } else if (verb == "colors") {
            const CGeneralPage* g = dialog->findChild<CGeneralPage*>();
            got = QString::asprintf("kind=%d back=%06x place=%06x tran=%06x default=%d", g->previewKind(),
                                    g->colors().back, g->colors().place, g->colors().transition,
                                    g->colors() == ViewColors{});
        } else if (verb == "preview") {
            const QPoint p = point(a1);
            got = a1 + " " + find("1055")->grab().toImage().pixelColor(p).name().mid(1);
        } else if (verb == "verilog") {
            const DocSettings& d = f.doc->settings();
            got = inFiles(QString("dirs=%1 module=%2 sync=%3")
                              .arg(QStringList(d.verilogOutDirs.begin(), d.verilogOutDirs.end()).join(','))
                              .arg(d.verilogOutModuleName)
                              .arg(d.verilogOutSync));
        } else if (verb == "shown") {
            got = QString::number(dialog && dialog->isVisible());
        } else if (verb == "result") {
            if (auto* d = qobject_cast<CNumberDialog*>(dialog.data())) got = QString::number(d->number());
            if (auto* d = qobject_cast<CObjectListDialog*>(dialog.data())) got = QString::number(d->result());
            if (auto* d = qobject_cast<CVerilogDialog*>(dialog.data()))
                got = QString::number(d->delayOverPlus());
            if (auto* d = qobject_cast<CExportDialog*>(dialog.data()))
                got = QString("%1 %2 %3")
                          .arg(d->request().path)
                          .arg(d->request().selectionOnly)
                          .arg(d->request().scale);
        } else if (verb == "function") {
            const auto& t = f.net().transitions();
            got = t.count(a1.toInt())
                      ? (a1 + " " + escaped(QString::fromStdString(t.at(a1.toInt()).functionText))).trimmed()
                      : "none";
        } else if (verb == "uhzi") {
            const CUhzi& u = f.net().uhzis().at(a1.toInt());
            got = QString::asprintf("%d addp=%d line=%d hold=%d words=%s", a1.toInt(), u.addp, u.line,
                                    u.holdValue, qPrintable(words(u.words)));
        } else if (verb == "kemmakix") {
            const CKemmakix& k = f.net().kemmakixes().at(a1.toInt());
            got = QString("%1 line=%2 expected=%3").arg(a1).arg(k.line).arg(words(k.expected));
        } else if (verb == "vars") {
            QStringList l;
            for (const auto& [name, slot] : f.net().transitions().at(a1.toInt()).inputVarNames)
                l << QString::fromStdString(name) + "=" + QString::number(slot);
            got = a1 + " " + l.join(' ');
        } else if (verb == "stops") {
            QStringList l;
            for (int id : f.net().simTranOpt()) l << QString::number(id);
            got = l.join(' ');
        } else if (verb == "open") {
            if (!f.doc->openDocument(QString(NOVRA_SOURCE_DIR "/examples/") + a1)) return "cannot open " + a1;
            f.r().renderFrame();
        } else if (verb == "nmode") {
            setNmode(a1.toInt());
        } else if (verb == "anime") {
            v.settings().simAnime = a1.toInt();
        } else if (verb == "speed") {
            f.doc->settings().simSpeed = a1.toInt();
        } else if (verb == "clearlog") {
            f.frame->clearLog();
        } else if (verb == "tick") {
            for (int i = 0; i < a1.toInt(); ++i) f.sim().clockTick();
        } else if (verb == "until") {
            // Clock ticks until the log shows the text, at most 20000.
            for (int i = 0; i < 20000 && !f.log().contains(unescaped(rest)); ++i) f.sim().clockTick();
            got = f.log().contains(unescaped(rest)) ? rest : escaped(f.log());
        } else if (verb == "log") {
            got = inFiles(escaped(f.log()));
        } else if (verb == "logs") {
            const QString log = inFiles(f.log());
            got = log.count(unescaped(rest.section(' ', 1))) == a1.toInt() ? rest : escaped(log);
        } else if (verb == "says") {
            got = inFiles(f.frame->statusMessage());
        } else if (verb == "marking") {
            QStringList l;
            for (const auto& [id, p] : f.net().places())
                if (p.hasToken)
                    l << QString("%1=%2%3").arg(id).arg(p.color == kBlack ? 'B' : 'W').arg(p.value);
            got = l.join(' ');
        } else if (verb == "last") {
            QStringList l;
            for (const auto& [id, p] : f.net().places())
                if (p.lastColor == kWhite) l << QString::number(id);
            got = l.join(' ');
        } else if (verb == "received") {
            got = a1 + " " + words(f.net().kemmakixes().at(a1.toInt()).received);
        } else if (verb == "quickpath") {
            v.editCommands().setQuickSavePath(file(a1));
        } else if (verb == "savenet") {
            CNet net;
            for (int i = 0; i < a2.toInt(); ++i) net.addObject(100 + 60 * i, 100, kPlace);
            fileio::save(net, file(a1).toStdString());
        } else if (verb == "write") {
            QFile out(file(a1));
            out.open(QIODevice::WriteOnly | QIODevice::Truncate);
            out.write(unescaped(rest.section(' ', 1)).toUtf8());
        } else if (verb == "rm") {
            QFile::remove(file(a1));
        } else if (verb == "answer") {
            if (a1 == "open") f.prompts.defaultOpen = file(a2);
            if (a1 == "save") f.prompts.defaultSave = file(a2);
            if (a1 == "changes")
                f.prompts.defaultSaveChanges = a2 == "Save"      ? QMessageBox::Save
                                               : a2 == "Discard" ? QMessageBox::Discard
                                                                 : QMessageBox::Cancel;
            if (a1 == "clearall") f.prompts.defaultClearAll = a2 == "1";
            if (a1 == "picture") {
                f.prompts.picture.reset();
                if (!a2.isEmpty())
                    f.prompts.picture = PictureRequest{file(a2), w.value(3) == "selection", 1.0};
            }
            if (a1 == "verilog") {
                // The Verilog dialog: a folder put first on the list ($: the fixture's folder), the top
                // module's name and the delay margin.
                const QString dir = a2 == "$" ? f.files.path() : file(a2), top = w.value(3);
                const double delay = w.value(4).toDouble();
                f.prompts.verilog = [dir, top, delay](CNOVRADoc& d, double& delayOverPlus) {
                    d.settings().verilogOutDirs.insert(d.settings().verilogOutDirs.begin(), dir);
                    d.settings().verilogOutModuleName = top;
                    delayOverPlus = delay;
                    return true;
                };
            }
        } else if (verb == "drop") {
            // As the window system delivers it: the drop goes where the drag was accepted on entering.
            QMimeData data;
            data.setUrls({QUrl::fromLocalFile(file(a1)), QUrl::fromLocalFile(file("ignored.pol"))});
            QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(v.viewport(), &enter);
            QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
            if (enter.isAccepted()) QApplication::sendEvent(v.viewport(), &drop);
        } else if (verb == "modified") {
            f.doc->setModified(a1 == "1");
        } else if (verb == "note") {
            f.frame->logText(unescaped(rest).toStdString());
        } else if (verb == "point") {
            f.sim().pointAt(a1.toInt(), 10);
        } else if (verb == "saveas") {
            f.doc->saveDocument(file(a1), std::string());
        } else if (verb == "compilesave") {
            v.settings().compileSave = a1.toInt();
        } else if (verb == "scrollto") {
            f.r().setScrollPos(point(a1));
        } else if (verb == "scrolls") {
            // Scroll ticks until the scroll stops, and where the object then is.
            int ticks = 0;
            for (; f.sim().timerActive(CSimController::kScrollTimer) && ticks < 100; ++ticks)
                f.sim().scrollTick();
            const QPoint p = target("#" + a1);
            got = a1 + " " + QString::number(ticks) + " " + xy(p.x(), p.y()) + " of " +
                  xy(f.r().clientWidth(), f.r().clientHeight());
        } else if (verb == "svg") {
            QFile in(file(a1));
            got = a1 + " " + (in.open(QIODevice::ReadOnly) ? svgSummary(in.readAll()) : "none");
        } else if (verb == "file") {
            QFile in(file(a1));
            got = a1 + " " +
                  (in.open(QIODevice::ReadOnly) ? QString::fromUtf8(in.readLine()).trimmed() : "none");
        } else if (verb == "trigger") {
            f.frame->action(command(a1))->trigger();
        } else if (verb == "mode") {
            st.toolMode = a1.toInt();
        } else if (verb == "lastwhite") {
            f.net().places().at(a1.toInt()).lastColor = kWhite;
        } else if (verb == "wait") {
            // The real timers run until the log shows the text, at most a minute.
            for (int ms = 0; ms < 60000 && !f.log().contains(unescaped(rest)); ms += 50) QTest::qWait(50);
            got = f.log().contains(unescaped(rest)) ? rest : escaped(f.log());
        } else if (verb == "enabled") {
            QStringList on;
            for (const auto& [id, t] : f.net().transitions())
                if (t.enabled) on << QString::number(id);
            got = on.join(' ');
        } else if (verb == "stepto") {
            for (int i = 0; i < 50 && f.doc->simulation().phase() != a1.toInt(); ++i) f.run(Cmd::Step);
        } else if (verb == "flight") {
            // The first token in flight, in canvas points, and the move ticks until none is left.
            const auto& m = f.sim().tokenMoves.at(0);
            const QPoint s = f.r().scrollPos();
            int ticks = 0;
            for (; !f.sim().tokenMoves.empty() && ticks < 50; ++ticks) f.sim().tokenMoveTick();
            got = xy(m.startX + s.x(), m.startY + s.y()) + ">" + xy(m.endX + s.x(), m.endY + s.y()) + " " +
                  QString::number(ticks);
        } else if (verb == "bits") {
            // Clock ticks until the sink holds that many bits of a word, at most 500.
            const CKemmakix& k = f.net().kemmakixes().at(a1.toInt());
            for (int i = 0; i < 500 && k.bitCount < a2.toInt(); ++i) f.sim().clockTick();
        } else if (verb == "changed") {
            f.doc->setModified(true);
        } else if (verb == "caption") {
            got = inFiles(f.frame->windowTitle());
        } else if (verb == "path") {
            got = inFiles(f.doc->path());
        } else if (verb == "recent") {
            got = inFiles(f.frame->recentFiles().join(' '));
        } else if (verb == "saved") {
            CNet back;
            got = a1 + " " + (QFile::exists(file(a1)) ? "" : "none");
            if (QFile::exists(file(a1))) {
                fileio::load(back, file(a1).toStdString());
                got = a1 + " " + QString::number(back.objects().size());
            }
        } else if (verb == "asks") {
            got = a1 + " " + QString::number(f.prompts.count(a1));
        } else if (verb == "close") {
            got = QString::number(f.frame->close());
        } else if (verb == "paint") {
            f.r().renderFrame();  // what is due, without a request to index the net again
        } else if (verb == "filler") {
            // Rows of places far above and below the window, so that the canvas index has many small cells.
            for (int x = -3000; x <= 3000; x += 10) {
                f.net().addObject(x, -2000, kPlace);
                f.net().addObject(x, 3000, kPlace);
            }
        } else if (verb == "print") {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(file(a1));
            f.r().printTo(&printer);
        } else if (verb == "opened") {
            f.doc->setOpenNotice(kNoticeOpened);  // as reading a file leaves the net
        } else if (verb == "render") {
            f.r().setRebuild();
            f.r().renderFrame();
        } else if (verb == "clear") {
            f.net().clear();
            f.doc->setOpenNotice(kNoticeOpened);  // as reading a file leaves it
        } else if (verb == "wheel") {
            const QPoint p(50, 50);
            QWheelEvent e(p, v.viewport()->mapToGlobal(p), QPoint(), QPoint(0, a1.toInt()), Qt::NoButton,
                          a2 == "ctrl" ? Qt::ControlModifier : Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(v.viewport(), &e);
        } else if (verb == "wheelzoom") {
            f.r().wheelZoom(a1.toInt(), true);
        } else if (verb == "scrollby") {
            f.r().scrollByOffset(point(a1).x(), point(a1).y());
        } else if (verb == "hbar") {
            v.horizontalScrollBar()->setValue(a1.toInt());
        } else if (verb == "pixel") {
            got = a1 + " " + QColor(f.r().backBuffer().pixel(target(a1))).name().mid(1);
        } else if (verb == "count") {
            // count <rrggbb> all|x,y,w,h <|=|> <n>
            const QImage& img = f.r().backBuffer();
            const QStringList r = a2.split(',');
            const QRect area = a2 == "all" ? img.rect()
                                           : QRect(r.value(0).toInt(), r.value(1).toInt(), r.value(2).toInt(),
                                                   r.value(3).toInt()) &
                                                 img.rect();
            const QRgb colour = a1.toUInt(nullptr, 16);
            int c = 0;
            for (int y = area.top(); y <= area.bottom(); ++y)
                for (int x = area.left(); x <= area.right(); ++x) c += (img.pixel(x, y) & 0xFFFFFF) == colour;
            const QString op = w.value(3).left(1);
            const int bound = w.value(3).mid(1).toInt();
            got = (op == "<" ? c < bound : op == ">" ? c > bound : c == bound) ? rest : QString::number(c);
        } else if (verb == "idat") {
            got = a1 + " " + QString::number(f.r().idAt(target(a1)));
        } else if (verb == "client") {
            const QPoint p = target(a1);
            got = a1 + " " + xy(p.x(), p.y()) + " of " + xy(f.r().clientWidth(), f.r().clientHeight());
        } else if (verb == "drew") {
            QStringList drawn;
            for (const auto& t : f.r().drawnTexts()) drawn << t.text;
            drawn.sort();
            got = drawn.join(' ');
        } else if (verb == "status") {
            got = QString::fromStdString(v.reporter().lastStatus());
        } else if (verb == "net") {
            got = describe(f.net());
        } else if (verb == "has" || verb == "lacks") {
            const QStringList all = describe(f.net()).split(' ');
            bool as = true;
            for (int i = 1; i < w.size(); ++i) {
                const QRegularExpression word(QRegularExpression::escape(w[i]) + "([/:=].*)?");
                as = as && (all.indexOf(word) >= 0) == (verb == "has");
            }
            got = as ? wanted : describe(f.net());
        } else if (verb == "state") {
            QStringList seen;
            const auto now = state();
            for (int i = 1; i < w.size(); ++i) {
                const QString name = w[i].section('=', 0, 0);
                if (!now.count(name)) return QString("line %1: no state %2").arg(n + 1).arg(name);
                seen << name + "=" + now.at(name);
            }
            got = seen.join(' ');
        } else if (verb == "menu") {
            got = f.prompts.lastMenu.join('|');
        } else if (verb == "asked") {
            got = f.prompts.asked.value(f.prompts.asked.size() - 1);
        } else if (verb == "on") {
            got = enabledCommands(f);
        } else if (verb == "actions" || verb == "checked") {
            // The window's actions as the tool bar shows them now: enabled, or checked.
            QStringList on;
            for (QAction* a : f.frame->findChildren<QAction*>())
                if (a->objectName().toInt() > 0 && (verb == "checked" ? a->isChecked() : a->isEnabled()))
                    on << a->objectName();
            std::sort(on.begin(), on.end());
            got = on.join(' ');
        } else {
            return QString("line %1: no verb %2").arg(n + 1).arg(verb);
        }
        if (got && qEnvironmentVariableIsSet("NOVRA_TRACE"))
            qDebug("%d %s: %s", n + 1, qPrintable(line), qPrintable(*got));
        if (got && *got != wanted) return QString("line %1 \"%2\": got \"%3\"").arg(n + 1).arg(line, *got);
    }
    return QString();
}

void scriptRows(const char* file) {
    QTest::addColumn<QString>("script");
    QFile f(QString(NOVRA_SOURCE_DIR "/tests/data/ui/") + file);
    if (!f.open(QIODevice::ReadOnly)) qFatal("no script file %s", file);
    // What stands before the first section is a comment.
    const QStringList sections = ("\n" + QString::fromUtf8(f.readAll())).split("\n== ");
    for (const QString& section : sections.mid(1))
        QTest::newRow(qPrintable(section.section('\n', 0, 0))) << section.section('\n', 1);
}

}  // namespace novra::ui::testing
