// The settings dialog "Config": four tabs over the settings the view and the document hold. Nothing
// changes until OK, and OK only closes when every page's numbers are in range.
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <cmath>

#include "common/messages.h"
#include "common/messages_ui.h"
#include "model/records.h"
#include "ui/config.h"
#include "ui/dialogs/dialogs.h"
#include "ui/doc.h"
#include "ui/qtext.h"
#include "ui/renderer.h"
#include "ui/view.h"

namespace novra::ui {

namespace {
// List order of the colour targets.
enum ColorEntry {
    kEntryPlace,
    kEntryTransition,
    kEntryUhzi,
    kEntryKemmakix,
    kEntryArc,
    kEntryBack,
    kEntryGrid
};

int& colorOf(ViewColors& c, int entry) {
    switch (entry) {
        case kEntryPlace:
            return c.place;
        case kEntryTransition:
            return c.transition;
        case kEntryUhzi:
            return c.uhzi;
        case kEntryKemmakix:
            return c.kemmakix;
        case kEntryArc:
            return c.arc;
        case kEntryBack:
            return c.back;
        default:
            return c.grid;
    }
}

int toSetting(const QColor& c) {
    return c.red() | (c.green() << 8) | (c.blue() << 16);
}

QLineEdit* numberEdit(int value, const char* id, QWidget* parent) {
    auto* e = new QLineEdit(QString::number(value), parent);
    e->setObjectName(id);
    return e;
}

QCheckBox* check(const MsgText& label, int value, const char* id, QWidget* parent) {
    auto* c = new QCheckBox(qs(label), parent);
    c->setObjectName(id);
    c->setChecked(value != 0);
    return c;
}

// A whole number from lo to hi, or nothing.
bool readRange(QLineEdit* e, int& out, int lo = 1, int hi = 5000) {
    bool ok = false;
    const int v = e->text().trimmed().toInt(&ok);
    if (!ok || v < lo || v > hi) return false;
    out = v;
    return true;
}

void arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const double back = std::atan2(from.y() - to.y(), from.x() - to.x());
    for (double a : {back - M_PI / 6, back + M_PI / 6})
        p.drawLine(to, QPointF(to.x() + 10 * std::cos(a), to.y() + 10 * std::sin(a)));
}
}  // namespace

// The 70 x 70 preview: background, grid, one object of the chosen kind and its arcs, in the working colours.
class CColorPreview : public QWidget {
  public:
    CColorPreview(const CGeneralPage& page, QWidget* parent) : QWidget(parent), page_(page) {
        setObjectName("1055");
        setFixedSize(70, 70);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const ViewColors& c = page_.colors();
        p.fillRect(rect(), colorFromSetting(c.back));
        p.setPen(colorFromSetting(c.grid));
        for (int v : {20, 60}) {
            p.drawLine(v, 0, v, 70);
            p.drawLine(0, v, 70, v);
        }
        const int kind = page_.previewKind() + 1;
        const auto& v = ShapeTable{}.v;
        const int x = 15, y = 15;
        QPen pen(colorFromSetting(kind == kPlace        ? c.place
                                  : kind == kTransition ? c.transition
                                  : kind == kUhzi       ? c.uhzi
                                                        : c.kemmakix),
                 2);
        if (kind == kPlace || kind == kTransition) {
            p.setPen(pen);
            p.setBrush(Qt::white);
            if (kind == kPlace)
                p.drawEllipse(QRect(QPoint(x + v[0], y + v[1]), QPoint(x + v[2] - 1, y + v[3] - 1)));
            else
                p.drawRect(QRect(QPoint(x + v[4], y + v[5]), QPoint(x + v[6] - 1, y + v[7] - 1)));
        } else {
            const QPoint a(x + v[8], y + v[9]), b(x + v[10], y + v[11]), cc(x + v[12], y + v[13]),
                d(x + v[14], y + v[15]), e(x + v[16], y + v[17]);
            const QPoint half[4] = {a, b, cc, d};
            p.setPen(Qt::NoPen);
            p.setBrush(kind == kUhzi ? QColor(Qt::white) : pen.color());
            p.drawPolygon(half, 4);
            const QPoint tri[3] = {e, b, cc};
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(tri, 3);
        }
        p.setPen(QPen(colorFromSetting(c.arc), 1));
        if (kind != kUhzi) arrow(p, QPointF(0, 35), QPointF(kind == kTransition ? 25 : 15, 35));
        if (kind != kKemmakix) arrow(p, QPointF(kind == kTransition ? 45 : 55, 35), QPointF(70, 35));
    }

  private:
    const CGeneralPage& page_;
};

CGeneralPage::CGeneralPage(const ViewSettings& view, QWidget* parent)
    : QWidget(parent), colors_(view.colors) {
    setObjectName("GeneralPage");
    auto* layout = new QVBoxLayout(this);
    auto* modeRow = new QHBoxLayout;
    standard_ = new QRadioButton(qs(msg::kCfgStandard), this);
    standard_->setObjectName("1004");
    playful_ = new QRadioButton(qs(msg::kCfgPlayful), this);
    playful_->setObjectName("1005");
    (nmode() == 1 ? playful_ : standard_)->setChecked(true);
    modeRow->addWidget(standard_);
    modeRow->addWidget(playful_);
    auto* font = new QPushButton(qs(msg::kCfgFont), this);
    font->setObjectName("1027");
    modeRow->addWidget(font);
    layout->addLayout(modeRow);
    // The language, applied to the whole program on OK; each choice is named in its own language.
    auto* langRow = new QHBoxLayout;
    langRow->addWidget(new QLabel(qs(msg::kCfgLanguage), this));
    auto* lang = new QComboBox(this);
    lang->setObjectName("Language");
    lang->addItem(qs(msg::kCfgJapanese), static_cast<int>(Language::Japanese));
    lang->addItem(qs(msg::kCfgEnglish), static_cast<int>(Language::English));
    lang->setCurrentIndex(lang->findData(static_cast<int>(language())));
    langRow->addWidget(lang);
    langRow->addStretch();
    layout->addLayout(langRow);
    skin_ = check(msg::kCfgSkin, view.skinUse, "1059", this);
    layout->addWidget(skin_);

    auto* group = new QGroupBox(qs(msg::kCfgColorGroup), this);
    auto* g = new QHBoxLayout(group);
    list_ = new QListWidget(group);
    list_->setObjectName("1054");
    for (const MsgText* m : {&msg::kKindPlace, &msg::kKindTransition, &msg::kKindUhzi, &msg::kKindKemmakix,
                             &msg::kCfgColorArc, &msg::kCfgColorBack, &msg::kCfgColorGrid})
        list_->addItem(qs(*m));
    g->addWidget(list_, 1);
    auto* side = new QVBoxLayout;
    preview_ = new CColorPreview(*this, group);
    side->addWidget(preview_);
    const auto button = [&](const MsgText& label, const char* id) {
        auto* b = new QPushButton(qs(label), group);
        b->setObjectName(id);
        side->addWidget(b);
        return b;
    };
    QPushButton* choose = button(msg::kCfgChooseColor, "1039");
    QPushButton* defaults = button(msg::kCfgDefaultColors, "1056");
    QPushButton* mono = button(msg::kCfgMonochrome, "1057");
    g->addLayout(side);
    layout->addWidget(group);

    chooseColor = [](QWidget* owner, const QColor& start) { return QColorDialog::getColor(start, owner); };
    chooseFont = [](QWidget* owner) {
        bool ok = false;
        QFontDialog::getFont(&ok, owner);
    };
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row < 0) return;
        current_ = row;
        if (row < 4) previewKind_ = row;
        preview_->update();
    });
    connect(choose, &QPushButton::clicked, this, [this] {
        int& c = colorOf(colors_, current_);
        const QColor chosen = chooseColor(this, colorFromSetting(c));
        if (chosen.isValid()) c = toSetting(chosen);
        preview_->update();
    });
    connect(defaults, &QPushButton::clicked, this, [this] {
        colors_ = ViewColors{};
        preview_->update();
    });
    connect(mono, &QPushButton::clicked, this, [this] {
        colors_.place = colors_.transition = colors_.uhzi = colors_.kemmakix = colors_.arc = 0;
        colors_.back = colors_.grid = 0xFFFFFF;
        preview_->update();
    });
    connect(font, &QPushButton::clicked, this, [this] { chooseFont(this); });
}

void CGeneralPage::store(ViewSettings& view) const {
    setNmode(playful_->isChecked() ? 1 : 0);
    view.skinUse = skin_->isChecked() ? 1 : 0;
    view.colors = colors_;
    const auto chosen = static_cast<Language>(findChild<QComboBox*>("Language")->currentData().toInt());
    if (chosen != language()) {
        writeLanguage(chosen);
        applyLanguage(chosen);
    }
}

CConfigDialog::CConfigDialog(CNOVRADoc& doc, CNOVRAView& view, QWidget* parent)
    : QDialog(parent), doc_(doc), view_(view) {
    setWindowTitle(qs(msg::kCfgTitle));
    const ViewSettings& vs = view_.settings();
    const DocSettings& ds = doc_.settings();
    auto* layout = new QVBoxLayout(this);
    tabs_ = new QTabWidget(this);
    tabs_->setObjectName("1036");
    layout->addWidget(tabs_);

    general_ = new CGeneralPage(vs, tabs_);
    tabs_->addTab(general_, qs(msg::kCfgTabGeneral));

    auto* edit = new QWidget(tabs_);
    edit->setObjectName("EditPage");
    auto* ef = new QFormLayout(edit);
    hatch_ = numberEdit(vs.hatchSize, "1000", edit);
    ef->addRow(qs(msg::kCfgGridWidth), hatch_);
    yard_ = check(msg::kCfgObjectYard, vs.objectYard, "1040", edit);
    ef->addRow(yard_);
    autoSave_ = numberEdit(ds.autoSave, "1042", edit);
    ef->addRow(qs(msg::kCfgAutoSave), autoSave_);
    tabs_->addTab(edit, qs(msg::kCfgTabEdit));

    auto* compile = new QWidget(tabs_);
    compile->setObjectName("CompilePage");
    auto* cl = new QVBoxLayout(compile);
    compileSave_ = check(msg::kCfgCompileSave, vs.compileSave, "1037", compile);
    cl->addWidget(compileSave_);
    cl->addStretch();
    tabs_->addTab(compile, qs(msg::kCfgTabCompile));

    auto* sim = new QWidget(tabs_);
    sim->setObjectName("SimulationPage");
    auto* sf = new QFormLayout(sim);
    speed_ = numberEdit(ds.simSpeed, "1020", sim);
    sf->addRow(qs(msg::kCfgSpeed), speed_);
    anime_ = check(msg::kCfgAnimate, vs.simAnime, "1038", sim);
    tokenMove_ = check(msg::kCfgTokenMove, vs.tokenMove, "1041", sim);
    sf->addRow(anime_);
    sf->addRow(tokenMove_);
    // Only one way of running exists; the group shows it is not a choice.
    auto* mode = new QGroupBox(qs(msg::kCfgMode), sim);
    auto* ml = new QHBoxLayout(mode);
    auto* together = new QRadioButton(qs(msg::kCfgModeTogether), mode);
    together->setObjectName("1004");
    auto* events = new QRadioButton(qs(msg::kCfgModeEvents), mode);
    events->setObjectName("1005");
    ml->addWidget(together);
    ml->addWidget(events);
    mode->setEnabled(false);
    sf->addRow(mode);
    tabs_->addTab(sim, qs(msg::kCfgTabSimulation));

    addOkCancel(this, layout);
}

void CConfigDialog::accept() {
    int hatch = 0, speed = 0, autoSave = 0;
    const auto refuse = [this](int page, QLineEdit* e, int lo = 1, int hi = 5000) {
        tabs_->setCurrentIndex(page);
        showFieldMessage(this, QString::fromUtf8(format(msg::kDlgIntRange, lo, hi).c_str()));
        e->setFocus();
        e->selectAll();
    };
    if (!readRange(hatch_, hatch)) return refuse(1, hatch_);
    if (!readRange(autoSave_, autoSave, 0, DocSettings::kMaxAutoSave))
        return refuse(1, autoSave_, 0, DocSettings::kMaxAutoSave);
    if (!readRange(speed_, speed)) return refuse(3, speed_);

    ViewSettings& vs = view_.settings();
    general_->store(vs);
    vs.hatchSize = hatch;
    vs.objectYard = yard_->isChecked() ? 1 : 0;
    vs.compileSave = compileSave_->isChecked() ? 1 : 0;
    vs.simAnime = anime_->isChecked() ? 1 : 0;
    vs.tokenMove = tokenMove_->isChecked() ? 1 : 0;
    doc_.settings().simSpeed = speed;
    doc_.settings().autoSave = autoSave;
    view_.settingsChanged();
    QDialog::accept();
}

}  // namespace novra::ui
