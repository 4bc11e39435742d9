// The file commands of the main window: New, Open, Save, Save as, export as a picture, the recently used
// files, the question about unsaved changes and files dropped on the window.
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QUrl>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "ui/doc.h"
#include "ui/edit_commands.h"
#include "ui/interaction.h"
#include "ui/mainframe.h"
#include "ui/picture_export.h"
#include "ui/prompts.h"
#include "ui/qtext.h"
#include "ui/sim_controller.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
struct WaitCursor {
    WaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

constexpr const char* kRecentSection = "Recent File List";

// The first local file among the dropped ones; later ones are ignored.
QString firstLocalFile(const QMimeData* m) {
    if (!m || !m->hasUrls()) return QString();
    for (const QUrl& u : m->urls())
        if (u.isLocalFile()) return u.toLocalFile();
    return QString();
}
}  // namespace

QStringList readRecentFiles() {
    auto s = CConfig::open();
    QStringList list;
    for (int i = 1; i <= CMainFrame::kMaxRecent; ++i) {
        const QByteArray key = "File" + QByteArray::number(i);
        const QString path = CConfig::readString(*s, kRecentSection, key.constData(), QString());
        if (!path.isEmpty() && !list.contains(path)) list << path;
    }
    return list;
}

void writeRecentFiles(const QStringList& list) {
    if (CConfig::readOnly()) return;
    auto s = CConfig::open();
    s->beginGroup(kRecentSection);
    for (int i = 1; i <= CMainFrame::kMaxRecent; ++i) {
        const QString key = "File" + QString::number(i);
        if (i <= list.size())
            s->setValue(key, list[i - 1]);
        else
            s->remove(key);
    }
    s->endGroup();
}

IPrompts& CMainFrame::prompts() const {
    return view_->prompts();
}

void CMainFrame::setPrompts(IPrompts* prompts) {
    view_->setPrompts(prompts);
}

void CMainFrame::readRecent() {
    recent_ = readRecentFiles();
    connect(doc_, &CNOVRADoc::captionChanged, this, &CMainFrame::documentCaptionChanged);
    setAcceptDrops(true);
}

void CMainFrame::documentCaptionChanged() {
    setWindowTitle(doc_->caption());
    if (doc_->path() != knownPath_) {
        knownPath_ = doc_->path();
        if (!knownPath_.isEmpty()) addRecent(knownPath_);
    }
}

bool CMainFrame::mayDiscardChanges() {
    if (!doc_->isModified()) return true;
    const QString name = doc_->path().isEmpty() ? qs(msg::kUntitled) : QFileInfo(doc_->path()).fileName();
    switch (prompts().askSaveChanges(this, name)) {
        case QMessageBox::Save:
            return saveDocument();
        case QMessageBox::Discard:
            return true;
        default:
            return false;
    }
}

bool CMainFrame::newDocument() {
    if (!mayDiscardChanges()) return false;
    view_->sim().resetSimulation();
    doc_->newDocument();
    return true;
}

bool CMainFrame::openDocument() {
    if (!mayDiscardChanges()) return false;
    const QString path = prompts().askOpenFile(this, doc_->lastFolder());
    if (path.isEmpty()) return false;
    return openPath(path);
}

bool CMainFrame::openPath(const QString& path) {
    WaitCursor wait;
    // A simulation in progress refers to the records the new net replaces.
    view_->sim().resetSimulation();
    return doc_->openDocument(path);
}

bool CMainFrame::saveDocument() {
    const QString path = doc_->path();
    if (path.isEmpty() || !QFileInfo(path).isFile()) return saveDocumentAs();
    WaitCursor wait;
    return doc_->saveDocument(path, text(msg::kSavedOver));
}

bool CMainFrame::saveDocumentAs() {
    QString start = doc_->path();
    if (start.isEmpty())
        start = doc_->lastFolder().isEmpty() ? qs(msg::kUntitledFile)
                                             : doc_->lastFolder() + '/' + qs(msg::kUntitledFile);
    const QString path = prompts().askSaveFile(this, start);
    if (path.isEmpty()) return false;
    WaitCursor wait;
    return doc_->saveDocument(path, text(msg::kSavedAs));
}

void CMainFrame::exportPicture() {
    // Beside the net, under its name; the selection when there is one.
    const std::set<int>& selection = view_->interaction().state().selection;
    PictureRequest request;
    const QFileInfo net(doc_->path());
    const QString folder = doc_->path().isEmpty() ? doc_->lastFolder() : net.path();
    const QString name = (doc_->path().isEmpty() ? QStringLiteral("net") : net.completeBaseName()) + ".svg";
    request.path = folder.isEmpty() ? name : folder + '/' + name;
    request.selectionOnly = !selection.empty();
    if (!prompts().askPicture(this, request, !selection.empty())) return;
    WaitCursor wait;
    const std::set<int>* only = request.selectionOnly && !selection.empty() ? &selection : nullptr;
    const std::string error = writePicture(view_->renderer(), request.path, request.scale, only);
    logText((error.empty() ? text(msg::kPictureExported) + request.path.toStdString() : error) + "\n");
}

void CMainFrame::openRecent(int index) {
    if (index < 0 || index >= recent_.size()) return;
    const QString path = recent_[index];
    if (!QFileInfo(path).isFile()) {
        logText(withArg(msg::kRecentMissing, path).toStdString() + "\n");
        recent_.removeAt(index);
        updateRecentMenu();
        return;
    }
    if (!mayDiscardChanges()) return;
    openPath(path);
}

void CMainFrame::addRecent(const QString& path) {
    const QString abs = QFileInfo(path).absoluteFilePath();
    recent_.removeAll(abs);
    recent_.prepend(abs);
    while (recent_.size() > kMaxRecent) recent_.removeLast();
    updateRecentMenu();
}

void CMainFrame::updateRecentMenu() {
    // The first slot shows the menu's own text, greyed, while the list is empty.
    for (int i = 0; i < kMaxRecent; ++i) {
        QAction* a = action(static_cast<Cmd>(static_cast<int>(Cmd::RecentFile) + i));
        if (!a) continue;
        if (i < recent_.size()) {
            QString shown = recent_[i];
            shown.replace('&', QStringLiteral("&&"));
            a->setText(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
            a->setStatusTip(qs(msg::kTipRecent).section('\n', 0, 0));
            a->setVisible(true);
        } else {
            a->setText(qs(msg::kItemRecent));
            a->setVisible(i == 0);
        }
        a->setEnabled(i < recent_.size());
    }
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* e) {
    if (!firstLocalFile(e->mimeData()).isEmpty()) e->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* e) {
    const QString path = firstLocalFile(e->mimeData());
    if (path.isEmpty()) return;
    e->acceptProposedAction();
    view_->editCommands().openDroppedFile(path);
}

}  // namespace novra::ui
