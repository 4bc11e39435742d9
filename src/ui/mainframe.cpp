#include "ui/mainframe.h"

#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "common/messages.h"
#include "ui/doc.h"
#include "ui/messagebar.h"
#include "ui/qtext.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
// printf into a buffer as long as the text needs.
std::string vformat(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (n < 0) return format;
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::vsnprintf(buf.data(), buf.size(), format, args);
    return std::string(buf.data(), static_cast<size_t>(n));
}
}  // namespace

CMainFrame::CMainFrame(CNOVRADoc* doc) : doc_(doc) {
    setObjectName("MainFrame");
    // The first size, as far as the screen has room for it (a small or scaled screen has less).
    resize(QSize(700, 600).boundedTo(screen()->availableGeometry().size()));
    setWindowTitle(qs(msg::kAppTitle));
    view_ = new CNOVRAView(doc_, this);
    setCentralWidget(view_);
    createActions();
    createMenus();
    createStatusBar();
    createToolBars();
    messageBar_ = new CMessageBar(this);
    addDockWidget(Qt::BottomDockWidgetArea, messageBar_);
    resizeDocks({messageBar_}, {messageBar_->openingHeight()}, Qt::Vertical);
    connect(messageBar_, &QDockWidget::visibilityChanged, this, &CMainFrame::updateCommands);

    if (auto p = readPlacement()) applyPlacement(*p);
    {
        auto s = CConfig::open();
        const QByteArray state = s->value("BarState/State").toByteArray();
        if (!state.isEmpty()) restoreState(state);
    }

    readRecent();
    updateRecentMenu();
    doc_->setLogSink([this](const std::string& t) { logText(t); });
    view_->reporter().setSinks([this](const std::string& t) { logText(t); },
                               [this](const std::string& t) { statusText(t); });
    connect(view_, &CNOVRAView::stateChanged, this, &CMainFrame::updateCommands);
    connect(view_, &CNOVRAView::coordinatesChanged, this, &CMainFrame::setCoordinates);
    // Whatever changed a rule's inputs without saying so (a timer, a dialog, a click), the tool bar and
    // the menus show it once the events are handled, as the framework's idle-time update did.
    if (auto* d = QAbstractEventDispatcher::instance(thread()))
        connect(d, &QAbstractEventDispatcher::aboutToBlock, this, &CMainFrame::updateCommands);
    updateCommands();
    // The canvas takes the keys until the user moves the focus.
    view_->setFocus();
}

CMainFrame::~CMainFrame() {
    // The bars report their hiding while the window goes; nothing is left to update by then.
    disconnect(messageBar_, nullptr, this, nullptr);
    disconnect(view_, nullptr, this, nullptr);
    if (auto* d = QAbstractEventDispatcher::instance(thread())) disconnect(d, nullptr, this, nullptr);
    writePlacement(placement());
    writeRecentFiles(recent_);
    doc_->setLogSink(nullptr);
}

void CMainFrame::createStatusBar() {
    QStatusBar* sb = statusBar();
    sb->setObjectName("StatusBar59393");
    panes_[0] = new QLabel(qs(msg::kIdle), sb);
    panes_[1] = new QLabel(qs(msg::kPaneX), sb);
    panes_[2] = new QLabel(qs(msg::kPaneY), sb);
    panes_[1]->setObjectName(QString::number(kPaneX));
    panes_[2]->setObjectName(QString::number(kPaneY));
    panes_[1]->setToolTip(qs(msg::kPaneX));
    panes_[2]->setToolTip(qs(msg::kPaneY));
    const int w = panes_[1]->fontMetrics().horizontalAdvance(QStringLiteral("x:-000000")) + 8;
    for (int i = 1; i < 3; ++i) {
        panes_[i]->setMinimumWidth(w);
        panes_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    }
    sb->addWidget(panes_[0], 1);
    sb->addPermanentWidget(panes_[1]);
    sb->addPermanentWidget(panes_[2]);
}

QLabel* CMainFrame::pane(int index) const {
    return index >= 0 && index < 3 ? panes_[index] : nullptr;
}

QAction* CMainFrame::action(Cmd cmd) const {
    auto it = actions_.find(cmd);
    return it == actions_.end() ? nullptr : it->second;
}

void CMainFrame::log(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string s = vformat(format, args);
    va_end(args);
    logText(s);
}

void CMainFrame::logText(const std::string& text) {
    messageBar_->append(QString::fromStdString(text));
}

void CMainFrame::clearLog() {
    messageBar_->clearLog();
}

void CMainFrame::status(const char* format, ...) {
    va_list args;
    va_start(args, format);
    const std::string s = vformat(format, args);
    va_end(args);
    statusText(s);
}

void CMainFrame::statusText(const std::string& text) {
    panes_[0]->setText(QString::fromStdString(text));
    panes_[0]->repaint();
}

QString CMainFrame::statusMessage() const {
    return panes_[0]->text();
}

void CMainFrame::setCoordinates(int x, int y) {
    panes_[1]->setText(QString::fromUtf8(format(msg::kCoordX, x).c_str()));
    panes_[2]->setText(QString::fromUtf8(format(msg::kCoordY, y).c_str()));
}

bool CMainFrame::commandEnabled(Cmd cmd) const {
    if (view_->handlesCommand(cmd)) return view_->commandEnabled(cmd);
    switch (cmd) {
        case Cmd::ToolBar:
        case Cmd::StatusBar:
        case Cmd::MessageBar:
        case Cmd::Exit:
        case Cmd::About:
        case Cmd::New:
        case Cmd::Open:
        case Cmd::Save:
        case Cmd::SaveAs:
        case Cmd::ExportPicture:
            return true;
        default: {
            const int recent = static_cast<int>(cmd) - static_cast<int>(Cmd::RecentFile);
            if (recent >= 0 && recent < kMaxRecent) return recent < recent_.size();
            return false;  // commands the editor does not carry
        }
    }
}

bool CMainFrame::commandChecked(Cmd cmd) const {
    if (view_->handlesCommand(cmd)) return view_->commandChecked(cmd);
    switch (cmd) {
        case Cmd::ToolBar:
            return !fileBar_->isHidden();
        case Cmd::StatusBar:
            return !statusBar()->isHidden();
        case Cmd::MessageBar:
            return !messageBar_->isHidden();
        default:
            return false;
    }
}

void CMainFrame::updateCommands() {
    for (auto& [cmd, a] : actions_) {
        a->setEnabled(commandEnabled(cmd));
        if (a->isCheckable()) a->setChecked(commandChecked(cmd));
    }
    // Undo and Redo name the step they would take back or do again.
    const CNOVRADoc& doc = *view_->document();
    const auto name = [](QAction* a, const MsgText& plain, const MsgText& named, EditStep step) {
        const QString t = step == EditStep::None ? qs(plain) : qs(named).arg(qs(stepName(step)));
        if (a->text() != t) a->setText(t);
    };
    name(action(Cmd::Undo), msg::kItemUndo, msg::kItemUndoNamed, doc.undoStep());
    name(action(Cmd::Redo), msg::kItemRedo, msg::kItemRedoNamed, doc.redoStep());
}

void CMainFrame::runCommand(Cmd cmd) {
    if (!commandEnabled(cmd)) return;
    if (view_->handlesCommand(cmd)) {
        view_->runCommand(cmd);
    } else {
        switch (cmd) {
            case Cmd::ToolBar: {
                const bool show = fileBar_->isHidden();
                fileBar_->setVisible(show);
                toolsBar_->setVisible(show);
                break;
            }
            case Cmd::StatusBar:
                statusBar()->setVisible(statusBar()->isHidden());
                break;
            case Cmd::MessageBar:
                messageBar_->setVisible(messageBar_->isHidden());
                break;
            case Cmd::Exit:
                close();
                break;
            case Cmd::About:
                QMessageBox::about(this, qs(msg::kAboutTitle), qs(msg::kAboutText));
                break;
            case Cmd::New:
                newDocument();
                break;
            case Cmd::Open:
                openDocument();
                break;
            case Cmd::Save:
                saveDocument();
                break;
            case Cmd::SaveAs:
                saveDocumentAs();
                break;
            case Cmd::ExportPicture:
                exportPicture();
                break;
            default: {
                const int recent = static_cast<int>(cmd) - static_cast<int>(Cmd::RecentFile);
                if (recent >= 0 && recent < kMaxRecent) openRecent(recent);
                break;
            }
        }
    }
    updateCommands();
}

Placement CMainFrame::placement() const {
    const QRect r = normalGeometry().isValid() ? normalGeometry() : geometry();
    const int show = isMaximized() ? kShowMaximized : isMinimized() ? kShowMinimized : kShowNormal;
    return {0, show, -1, -1, -1, -1, r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

bool CMainFrame::applyPlacement(const Placement& p) {
    const QRect r(QPoint(p[6], p[7]), QSize(p[8] - p[6], p[9] - p[7]));
    // A rectangle without area, or one no screen shows any of, would leave the window out of reach.
    if (r.width() < 50 || r.height() < 50) return false;
    bool onScreen = false;
    for (QScreen* s : QGuiApplication::screens()) onScreen = onScreen || s->availableGeometry().intersects(r);
    if (!onScreen) return false;
    setGeometry(r);
    if (p[1] == kShowMaximized) setWindowState(windowState() | Qt::WindowMaximized);
    return true;
}

void CMainFrame::closeEvent(QCloseEvent* e) {
    if (!mayDiscardChanges()) {
        e->ignore();
        return;
    }
    if (!CConfig::readOnly()) {
        auto s = CConfig::open();
        s->setValue("BarState/State", saveState());
    }
    QMainWindow::closeEvent(e);
}

}  // namespace novra::ui
