// The commands of the main window: one action per command id, the menu, the tool bars and the keys.
#include <QAction>
#include <QActionGroup>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QVariant>
#include <vector>

#include "common/messages.h"
#include "ui/doc.h"
#include "ui/icons.h"
#include "ui/mainframe.h"
#include "ui/messagebar.h"
#include "ui/qtext.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
struct CommandText {
    Cmd cmd;
    const MsgText* item;  // menu text; null for commands reached only from a tool bar, a key or a click
    const MsgText* tip;   // "prompt\ntool tip"
    bool checkable;
};

const std::vector<CommandText>& commandTexts() {
    static const std::vector<CommandText> table = {
        {Cmd::New, &msg::kItemNew, &msg::kTipNew, false},
        {Cmd::Open, &msg::kItemOpen, &msg::kTipOpen, false},
        {Cmd::Save, &msg::kItemSave, &msg::kTipSave, false},
        {Cmd::SaveAs, &msg::kItemSaveAs, &msg::kTipSaveAs, false},
        {Cmd::ExportPicture, &msg::kItemExportPicture, &msg::kTipExportPicture, false},
        {Cmd::Print, &msg::kItemPrint, &msg::kTipPrint, false},
        {Cmd::PrintPreview, &msg::kItemPrintPreview, &msg::kTipPrintPreview, false},
        {Cmd::PrintSetup, &msg::kItemPrintSetup, &msg::kTipPrintSetup, false},
        {Cmd::RecentFile, &msg::kItemRecent, &msg::kTipRecent, false},
        {Cmd::VerilogOutput, &msg::kItemVerilog, &msg::kTipVerilog, false},
        {Cmd::Exit, &msg::kItemExit, &msg::kTipExit, false},
        {Cmd::Undo, &msg::kItemUndo, &msg::kTipUndo, false},
        {Cmd::Redo, &msg::kItemRedo, &msg::kTipRedo, false},
        {Cmd::Cut, &msg::kItemCut, &msg::kTipCut, false},
        {Cmd::Copy, &msg::kItemCopy, &msg::kTipCopy, false},
        {Cmd::Paste, &msg::kItemPaste, &msg::kTipPaste, false},
        {Cmd::PasteHorizontal, &msg::kItemPasteHorizontal, &msg::kTipPasteRepeat, false},
        {Cmd::PasteVertical, &msg::kItemPasteVertical, &msg::kTipPasteRepeat, false},
        {Cmd::Find, &msg::kItemFind, &msg::kTipFind, false},
        {Cmd::Delete, &msg::kItemDelete, &msg::kTipDelete, false},
        {Cmd::Align, &msg::kItemAlign, &msg::kTipAlign, false},
        {Cmd::ToolBar, &msg::kItemToolBar, &msg::kTipToolBar, true},
        {Cmd::StatusBar, &msg::kItemStatusBar, &msg::kTipStatusBar, true},
        {Cmd::MessageBar, &msg::kItemMessageBar, &msg::kTipMessageBar, true},
        {Cmd::ShowObjectIds, &msg::kItemShowIds, &msg::kTipShowIds, true},
        {Cmd::ShowOldTokens, &msg::kItemShowOldTokens, &msg::kTipShowOldTokens, true},
        {Cmd::Settings, &msg::kItemSettings, &msg::kTipSettings, false},
        {Cmd::About, &msg::kItemAbout, &msg::kTipAbout, false},
        {Cmd::HelpInfo, nullptr, &msg::kTipHelpInfo, false},
        {Cmd::SaveWave, &msg::kItemSaveWave, &msg::kTipSaveWave, false},
        {Cmd::ToolPlace, nullptr, &msg::kTipPlace, true},
        {Cmd::ToolTransition, nullptr, &msg::kTipTransition, true},
        {Cmd::ToolUhzi, nullptr, &msg::kTipUhzi, true},
        {Cmd::ToolKemmakix, nullptr, &msg::kTipKemmakix, true},
        {Cmd::ToolToken, nullptr, &msg::kTipToken, true},
        {Cmd::ToolArc, nullptr, &msg::kTipArc, true},
        {Cmd::ToolContinuous, nullptr, &msg::kTipContinuous, true},
        {Cmd::ToolHand, nullptr, &msg::kTipHand, true},
        {Cmd::ToolDelete, nullptr, &msg::kTipDeleteTool, true},
        {Cmd::ZoomIn, nullptr, &msg::kTipZoomIn, false},
        {Cmd::ZoomOut, nullptr, &msg::kTipZoomOut, false},
        {Cmd::Compile, nullptr, &msg::kTipCompile, false},
        {Cmd::Rewind, nullptr, &msg::kTipRewind, false},
        {Cmd::Run, nullptr, &msg::kTipRun, false},
        {Cmd::Step, nullptr, &msg::kTipStep, false},
        {Cmd::Pause, nullptr, &msg::kTipPause, false},
        {Cmd::Abort, nullptr, &msg::kTipAbort, false},
        {Cmd::ClearAll, nullptr, &msg::kTipClearAll, false},
        {Cmd::QuickSave, nullptr, &msg::kTipQuickSave, false},
        {Cmd::QuickLoad, nullptr, &msg::kTipQuickLoad, false},
        {Cmd::FunctionDialog, nullptr, &msg::kTipFunctionDialog, false},
        {Cmd::UhziDialog, nullptr, &msg::kTipUhziDialog, false},
        {Cmd::KemmakixDialog, nullptr, &msg::kTipKemmakixDialog, false},
    };
    return table;
}

const std::multimap<Cmd, QKeySequence>& accelerators() {
    static const std::multimap<Cmd, QKeySequence> keys = {
        {Cmd::ToolArc, QKeySequence(Qt::Key_A)},
        {Cmd::ToolKemmakix, QKeySequence(Qt::Key_K)},
        {Cmd::ToolPlace, QKeySequence(Qt::Key_P)},
        {Cmd::ToolTransition, QKeySequence(Qt::Key_T)},
        {Cmd::ToolUhzi, QKeySequence(Qt::Key_U)},
        {Cmd::Delete, QKeySequence(Qt::Key_Delete)},
        {Cmd::Cut, QKeySequence(Qt::CTRL | Qt::Key_X)},
        {Cmd::Cut, QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
        {Cmd::Copy, QKeySequence(Qt::CTRL | Qt::Key_C)},
        {Cmd::Copy, QKeySequence(Qt::CTRL | Qt::Key_Insert)},
        {Cmd::Paste, QKeySequence(Qt::CTRL | Qt::Key_V)},
        {Cmd::Paste, QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
        {Cmd::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z)},
        {Cmd::Undo, QKeySequence(Qt::ALT | Qt::Key_Backspace)},
        {Cmd::Redo, QKeySequence(Qt::CTRL | Qt::Key_Y)},
        {Cmd::Redo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
        {Cmd::Find, QKeySequence(Qt::CTRL | Qt::Key_F)},
        {Cmd::New, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {Cmd::Open, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {Cmd::Save, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {Cmd::Print, QKeySequence(Qt::CTRL | Qt::Key_P)},
        {Cmd::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
        {Cmd::Exit, QKeySequence(Qt::CTRL | Qt::Key_Q)},
        // Ctrl+= too: on many keyboards "+" needs Shift.
        {Cmd::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Plus)},
        {Cmd::ZoomIn, QKeySequence(Qt::CTRL | Qt::Key_Equal)},
        {Cmd::ZoomOut, QKeySequence(Qt::CTRL | Qt::Key_Minus)},
        {Cmd::Compile, QKeySequence(Qt::Key_F5)},
        {Cmd::Run, QKeySequence(Qt::Key_F6)},
        {Cmd::Step, QKeySequence(Qt::Key_F7)},
        {Cmd::Pause, QKeySequence(Qt::Key_F8)},
        {Cmd::Abort, QKeySequence(Qt::Key_F9)},
    };
    return keys;
}

// Keys the message log has a use of its own for (copy, select, nothing at all) or that type a letter:
// they act on the drawing only while the canvas has the focus.
bool drawingKey(Cmd cmd) {
    switch (cmd) {
        case Cmd::Cut:
        case Cmd::Copy:
        case Cmd::Paste:
        case Cmd::Delete:
        case Cmd::Undo:
        case Cmd::Redo:
        case Cmd::ToolArc:
        case Cmd::ToolKemmakix:
        case Cmd::ToolPlace:
        case Cmd::ToolTransition:
        case Cmd::ToolUhzi:
            return true;
        default:
            return false;
    }
}

// The texts of a command in the current language: the menu item (or the short tip for commands without
// one), the prompt in the status bar and the tool tip.
void setCommandTexts(QAction* a, const CommandText& c) {
    const QString tip = qs(*c.tip);
    const QString prompt = tip.section('\n', 0, 0);
    const QString shortTip = tip.contains('\n') ? tip.section('\n', 1) : prompt;
    a->setText(c.item ? qs(*c.item) : shortTip);
    a->setStatusTip(prompt);
    a->setToolTip(shortTip);
}

// The catalogue text a menu title shows, kept on the menu's action for a change of language.
constexpr const char* kTitleProperty = "novraTitle";

const MsgText* menuTitle(const QAction* a) {
    const QVariant v = a->property(kTitleProperty);
    return v.isValid() ? reinterpret_cast<const MsgText*>(v.value<quintptr>()) : nullptr;
}

// Every text of the window in the current language; the log keeps its lines.
void retranslate(CMainFrame& f) {
    for (const CommandText& c : commandTexts()) {
        QAction* a = f.action(c.cmd);
        if (!a) continue;
        const QString shown = a->text();
        setCommandTexts(a, c);
        if (c.cmd == Cmd::RecentFile && !f.recentFiles().isEmpty()) a->setText(shown);  // a file's path
    }
    // The other recent-file slots show paths only.
    for (int i = 1; i < f.recentFiles().size(); ++i)
        if (QAction* a = f.action(static_cast<Cmd>(static_cast<int>(Cmd::RecentFile) + i)))
            a->setStatusTip(qs(msg::kTipRecent).section('\n', 0, 0));
    for (QAction* m : f.menuBar()->actions())
        if (const MsgText* t = menuTitle(m)) m->setText(qs(*t));
    f.messageBar()->setWindowTitle(qs(msg::kMessageBarTitle));
    // The status line shows a catalogue text (a prompt, "ready") or something composed, which the next
    // action replaces.
    if (const CatalogueEntry* e = findInCatalogue(f.statusMessage().toStdString()))
        f.statusText(text(*e->text));
    for (int i = 1; i < 3; ++i) {
        const MsgText& name = i == 1 ? msg::kPaneX : msg::kPaneY;
        const std::string shown = f.pane(i)->text().toStdString();
        if (shown == name.standard || shown == name.english) f.pane(i)->setText(qs(name));
        f.pane(i)->setToolTip(qs(name));
    }
    f.setWindowTitle(f.document()->caption());
    f.updateCommands();  // Undo and Redo name their step anew
}

class CLanguageWatcher : public QObject {
  public:
    explicit CLanguageWatcher(CMainFrame* frame) : QObject(frame), frame_(frame) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override {
        if (watched == frame_ && e->type() == QEvent::LanguageChange) retranslate(*frame_);
        return false;
    }

  private:
    CMainFrame* frame_;
};

bool isTool(Cmd cmd) {
    switch (cmd) {
        case Cmd::ToolPlace:
        case Cmd::ToolTransition:
        case Cmd::ToolUhzi:
        case Cmd::ToolKemmakix:
        case Cmd::ToolToken:
        case Cmd::ToolArc:
        case Cmd::ToolContinuous:
        case Cmd::ToolHand:
        case Cmd::ToolDelete:
            return true;
        default:
            return false;
    }
}
}  // namespace

void CMainFrame::createActions() {
    // One tool at a time, or none (after Escape, or while compiled).
    auto* tools = new QActionGroup(this);
    tools->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    for (const CommandText& c : commandTexts()) {
        auto* a = new QAction(this);
        setCommandTexts(a, c);
        a->setObjectName(QString::number(static_cast<int>(c.cmd)));
        a->setData(static_cast<int>(c.cmd));
        a->setCheckable(c.checkable);
        QList<QKeySequence> keys;
        auto [b, e] = accelerators().equal_range(c.cmd);
        for (auto it = b; it != e; ++it) keys << it->second;
        a->setShortcuts(keys);
        const QImage img = commandImage(c.cmd);
        if (!img.isNull()) a->setIcon(commandIcon(c.cmd));
        // Checkable commands keep their check from the rules, not from the click.
        connect(a, &QAction::triggered, this, [this, cmd = c.cmd] { runCommand(cmd); });
        // Keys work whether or not the command sits in a menu.
        if (drawingKey(c.cmd)) {
            a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
            view_->addAction(a);
        } else {
            addAction(a);
        }
        if (isTool(c.cmd)) tools->addAction(a);
        actions_[c.cmd] = a;
    }
    // The recent-file slots after the first, numbered on from its command id.
    for (int i = 1; i < kMaxRecent; ++i) {
        const Cmd cmd = static_cast<Cmd>(static_cast<int>(Cmd::RecentFile) + i);
        auto* a = new QAction(this);
        a->setObjectName(QString::number(static_cast<int>(cmd)));
        a->setData(static_cast<int>(cmd));
        a->setVisible(false);
        connect(a, &QAction::triggered, this, [this, cmd] { runCommand(cmd); });
        actions_[cmd] = a;
    }
    // A change of language (the Config dialog) retranslates the window in place.
    installEventFilter(new CLanguageWatcher(this));
}

void CMainFrame::createMenus() {
    const auto menu = [this](const MsgText& title) {
        QMenu* m = menuBar()->addMenu(qs(title));
        m->menuAction()->setProperty(kTitleProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&title)));
        return m;
    };
    const auto add = [this](QMenu* m, std::initializer_list<Cmd> cmds) {
        for (Cmd c : cmds) {
            if (c == Cmd(0)) {
                m->addSeparator();
            } else if (c == Cmd::RecentFile) {
                for (int i = 0; i < kMaxRecent; ++i)
                    m->addAction(action(static_cast<Cmd>(static_cast<int>(Cmd::RecentFile) + i)));
            } else {
                m->addAction(action(c));
            }
        }
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::updateCommands);
    };
    const Cmd sep = Cmd(0);
    add(menu(msg::kMenuFile),
        {Cmd::New, Cmd::Open, Cmd::Save, Cmd::SaveAs, Cmd::ExportPicture, sep, Cmd::Print, Cmd::PrintPreview,
         Cmd::PrintSetup, sep, Cmd::RecentFile, sep, Cmd::VerilogOutput, sep, Cmd::Exit});
    add(menu(msg::kMenuEdit), {Cmd::Undo, Cmd::Redo, sep, Cmd::Cut, Cmd::Copy, Cmd::Paste, sep, Cmd::Find});
    add(menu(msg::kMenuView),
        {Cmd::ToolBar, Cmd::StatusBar, Cmd::MessageBar, sep, Cmd::ShowObjectIds, Cmd::ShowOldTokens});
    add(menu(msg::kMenuSimulation), {Cmd::SaveWave});
    add(menu(msg::kMenuSettings), {Cmd::Settings});
    add(menu(msg::kMenuHelp), {Cmd::About});
}

void CMainFrame::createToolBars() {
    const Cmd sep = Cmd(0);
    const auto bar = [this, sep](const char* name, std::initializer_list<Cmd> cmds) {
        auto* tb = new QToolBar(QString::fromLatin1(name), this);
        tb->setObjectName(QString::fromLatin1(name));
        tb->setIconSize(QSize(16, 16));
        tb->setMovable(true);
        tb->setAllowedAreas(Qt::AllToolBarAreas);
        for (Cmd c : cmds) {
            if (c == sep)
                tb->addSeparator();
            else
                tb->addAction(action(c));
        }
        addToolBar(Qt::TopToolBarArea, tb);
        return tb;
    };
    fileBar_ = bar("ToolBar128", {Cmd::Open, Cmd::Save, sep, Cmd::Undo, Cmd::Redo});
    toolsBar_ = bar("ToolBar132", {Cmd::ToolPlace,
                                   Cmd::ToolTransition,
                                   Cmd::ToolUhzi,
                                   Cmd::ToolKemmakix,
                                   Cmd::ToolToken,
                                   Cmd::ToolArc,
                                   Cmd::ToolContinuous,
                                   sep,
                                   Cmd::ToolHand,
                                   Cmd::ToolDelete,
                                   Cmd::ZoomIn,
                                   Cmd::ZoomOut,
                                   Cmd::HelpInfo,
                                   sep,
                                   Cmd::Compile,
                                   Cmd::Rewind,
                                   Cmd::Run,
                                   Cmd::Step,
                                   Cmd::Pause,
                                   Cmd::Abort,
                                   sep,
                                   Cmd::ClearAll,
                                   Cmd::QuickSave,
                                   Cmd::QuickLoad});
}

}  // namespace novra::ui
