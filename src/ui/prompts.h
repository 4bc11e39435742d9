#pragma once
// IPrompts: every question the editor asks the user and every menu it pops up. The main window and the
// canvas ask through one of these: CDialogPrompts shows the real dialogs; tests answer from a script.
#include <QDateTime>
#include <QString>

class QAction;
class QMenu;
class QPoint;
class QWidget;

namespace novra {
class CNet;
}

namespace novra::ui {

class CNOVRADoc;
class CNOVRAView;
struct PictureRequest;

class IPrompts {
  public:
    virtual ~IPrompts() = default;
    // Shows a context menu and returns the chosen action, nullptr for none.
    virtual QAction* runMenu(QMenu& menu, QPoint globalPos) = 0;
    // Before Clear all; true for OK.
    virtual bool confirmClearAll(QWidget* owner) = 0;
    // The number dialog: the number, or -1 on Cancel.
    virtual int askNumber(QWidget* owner, const QString& prompt, int initial) = 0;
    // The object list: the chosen id, 0 on Cancel.
    virtual int askObjectId(QWidget* owner, const CNet& net) = 0;
    // The Verilog output dialog (it stores its fields in the document's settings); false on Cancel.
    virtual bool askVerilog(QWidget* owner, CNOVRADoc& doc, double& delayOverPlus) = 0;
    // The settings dialog, run modally.
    virtual void runSettings(QWidget* owner, CNOVRADoc& doc, CNOVRAView& view) = 0;
    // The file dialogs; an empty path means Cancel.
    virtual QString askOpenFile(QWidget* owner, const QString& folder) = 0;
    virtual QString askSaveFile(QWidget* owner, const QString& suggested) = 0;
    // Save / Discard / Cancel for unsaved changes: QMessageBox::Save, Discard or Cancel.
    virtual int askSaveChanges(QWidget* owner, const QString& name) = 0;
    // A recovery copy of changes never saved, for the named file (or untitled), written at the time given.
    enum Recovery { kRestore, kDiscard, kLater };
    virtual Recovery askRecovery(QWidget*, const QString& /*file*/, const QDateTime& /*written*/) { return kLater; }
    // The picture export: the file (its extension names the format), whole net or selection (offered when
    // there is one) and the PNG's scale, filled in from the suggestion; false on Cancel.
    virtual bool askPicture(QWidget*, PictureRequest& /*request*/, bool /*hasSelection*/) { return false; }
};

// The real dialogs.
class CDialogPrompts : public IPrompts {
  public:
    QAction* runMenu(QMenu& menu, QPoint globalPos) override;
    bool confirmClearAll(QWidget* owner) override;
    int askNumber(QWidget* owner, const QString& prompt, int initial) override;
    int askObjectId(QWidget* owner, const CNet& net) override;
    bool askVerilog(QWidget* owner, CNOVRADoc& doc, double& delayOverPlus) override;
    void runSettings(QWidget* owner, CNOVRADoc& doc, CNOVRAView& view) override;
    QString askOpenFile(QWidget* owner, const QString& folder) override;
    QString askSaveFile(QWidget* owner, const QString& suggested) override;
    int askSaveChanges(QWidget* owner, const QString& name) override;
    Recovery askRecovery(QWidget* owner, const QString& file, const QDateTime& written) override;
    bool askPicture(QWidget* owner, PictureRequest& request, bool hasSelection) override;
};

}  // namespace novra::ui
