#pragma once
// The object property dialogs and the small input dialogs. Controls carry their resource number as the
// object name, so tests and the help texts can find them by it.
#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "ui/config.h"
#include "ui/picture_export.h"

class QBoxLayout;
class QCheckBox;
class QColor;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QPlainTextEdit;
class QRadioButton;
class QTableWidget;

namespace novra {
class CNet;
}

namespace novra::ui {

class CNOVRADoc;
class CNOVRAView;

// --- shared by the dialogs (dialog_util.cpp) ---
// One entry per line, each followed by CR LF.
QString joinLines(const std::vector<std::string>& entries);
// Split at CR and LF; empty lines are dropped.
std::vector<std::string> splitLines(const QString& text);
// The message a dialog shows for a field it refuses; the dialog stays open.
void showFieldMessage(QWidget* parent, const QString& message);
// OK and Cancel under the controls, wired to accept() and reject().
void addOkCancel(QDialog* d, QBoxLayout* layout);

// The modeless dialog of one object. It edits that object only: the view closes it when the object goes
// or the net is replaced, and locks it while the net is compiled.
class CObjectDialog : public QDialog {
    Q_OBJECT
  public:
    int objectId() const { return id_; }
    int objectKind() const { return kind_; }
    // Whether the controls hold edits that OK has not stored.
    bool edited() const { return values(false) != shown_; }
    // Read-only while compiled; writable again once the net is back in edit mode.
    void setCompiled(bool compiled);

  protected:
    CObjectDialog(CNOVRADoc& doc, int id, int kind, QWidget* parent);
    // What OK would store, as one text; lockedOnly: just the part a compiled net does not take.
    virtual QString values(bool lockedOnly) const = 0;
    virtual void lockControls() = 0;
    // Called once the controls show the object, before the first setCompiled().
    void remember();
    // While compiled, OK cannot store what was typed before the compile: it says so and the dialog stays.
    bool refusedWhileCompiled();
    // OK's change of the net is one step of the document's undo history: changing() before the first
    // change, changed() after the last.
    void changing();
    void changed();
    CNOVRADoc& doc_;
    CNet& net_;
    int id_;
    bool compiled_ = false;

  private:
    int kind_;
    QString shown_, shownLocked_;
    bool typedBeforeCompile_ = false;
};

// The function of one transition. While the net is compiled only the stop option can change.
class CTransitionDialog : public CObjectDialog {
    Q_OBJECT
  public:
    CTransitionDialog(CNOVRADoc& doc, int transitionId, QWidget* parent = nullptr);
    void accept() override;

  private:
    QString values(bool lockedOnly) const override;
    void lockControls() override;
    QPlainTextEdit* text_;
    QCheckBox* stop_;
};

class CUhziDialog : public CObjectDialog {
    Q_OBJECT
  public:
    CUhziDialog(CNOVRADoc& doc, int uhziId, QWidget* parent = nullptr);
    void accept() override;

  private:
    QString values(bool lockedOnly) const override;
    void lockControls() override;
    void modeChosen();
    QRadioButton *hold_, *stream_, *left_, *right_;
    QLineEdit* value_;
    QPlainTextEdit* words_;
};

class CKemmakixDialog : public CObjectDialog {
    Q_OBJECT
  public:
    CKemmakixDialog(CNOVRADoc& doc, int kemmakixId, QWidget* parent = nullptr);
    void accept() override;

  private:
    QString values(bool lockedOnly) const override;
    void lockControls() override;
    void modeChosen();
    QRadioButton* mode_[4];
    QPlainTextEdit *received_, *expected_, *results_;
    QLineEdit* overall_;
};

// A whole number from 0 to 100.
class CNumberDialog : public QDialog {
    Q_OBJECT
  public:
    CNumberDialog(const QString& prompt, int initial, QWidget* parent = nullptr);
    int number() const { return number_; }
    void accept() override;

  private:
    QLineEdit* edit_;
    int number_;
};

// Every object of the net; "検索" returns the selected one.
class CObjectListDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CObjectListDialog(const CNet& net, QWidget* parent = nullptr);
    int result() const { return result_; }

  private:
    QTableWidget* list_;
    int result_ = 0;
};

class CVerilogDialog : public QDialog {
    Q_OBJECT
  public:
    explicit CVerilogDialog(CNOVRADoc& doc, QWidget* parent = nullptr);
    double delayOverPlus() const { return delay_; }
    QString folder() const { return folder_; }
    void accept() override;
    // The folder browser; tests replace it.
    std::function<QString(QWidget*, const QString&)> browseFolder;

  private:
    CNOVRADoc& doc_;
    QLineEdit *module_, *delayEdit_;
    QComboBox* folders_;
    QCheckBox *sync_, *debug_;
    double delay_ = 0;
    QString folder_;
};

// The picture export: the file, whose extension names the format, the whole net or only the selection
// (offered when there is one) and the scale of a PNG.
class CExportDialog : public QDialog {
    Q_OBJECT
  public:
    CExportDialog(const PictureRequest& initial, bool hasSelection, QWidget* parent = nullptr);
    PictureRequest request() const;
    void accept() override;  // refuses a file name of no picture format
    // The file chooser; tests replace it.
    std::function<QString(QWidget*, const QString&)> browseFile;

  private:
    QLineEdit* path_;
    QRadioButton *whole_, *selection_;
    QDoubleSpinBox* scale_;
};

// The first page of the settings dialog: message wording, skins and the colours with their preview. The
// colours are a working copy until the dialog's OK.
class CGeneralPage : public QWidget {
    Q_OBJECT
  public:
    CGeneralPage(const ViewSettings& view, QWidget* parent = nullptr);
    const ViewColors& colors() const { return colors_; }
    int previewKind() const { return previewKind_; }  // 0 place .. 3 kemmakix
    void store(ViewSettings& view) const;
    // The colour and font choosers; tests replace them. An invalid colour means Cancel.
    std::function<QColor(QWidget*, const QColor&)> chooseColor;
    std::function<void(QWidget*)> chooseFont;

  private:
    ViewColors colors_;
    int current_ = 0;
    int previewKind_ = 0;
    QRadioButton *standard_, *playful_;
    QCheckBox* skin_;
    QListWidget* list_;
    QWidget* preview_;
};

// "Config": four tabs over the settings of the view and the document.
class CConfigDialog : public QDialog {
    Q_OBJECT
  public:
    CConfigDialog(CNOVRADoc& doc, CNOVRAView& view, QWidget* parent = nullptr);
    void accept() override;
    QTabWidget* tabs() const { return tabs_; }
    CGeneralPage* generalPage() const { return general_; }

  private:
    CNOVRADoc& doc_;
    CNOVRAView& view_;
    QTabWidget* tabs_;
    CGeneralPage* general_;
    QLineEdit *hatch_, *speed_, *autoSave_;
    QCheckBox *yard_, *compileSave_, *anime_, *tokenMove_;
};

}  // namespace novra::ui
