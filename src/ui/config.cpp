#include "ui/config.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTranslator>
#include <QWidget>

namespace novra::ui {

namespace {
QString gIniOverride;
bool gReadOnly = false;

QString withSlash(QString dir) {
    if (!dir.endsWith('/')) dir += '/';
    return dir;
}

// The executable's folder, when the program may keep its files there.
std::optional<QString> writableProgramFolder() {
    const QString dir = QCoreApplication::applicationDirPath();
    if (dir.isEmpty()) return std::nullopt;
    QFileInfo fi(dir);
    if (!fi.isDir() || !fi.isWritable()) return std::nullopt;
    return withSlash(dir);
}
}  // namespace

QString CConfig::iniPath() {
    if (!gIniOverride.isEmpty()) return gIniOverride;
    // A settings file named by the environment (another user's set-up, a scripted run).
    if (const QString env = qEnvironmentVariable("NOVRA_INI"); !env.isEmpty()) return env;
    if (auto dir = writableProgramFolder()) return *dir + "NOVRA.ini";
    const QString conf = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(conf);
    return withSlash(conf) + "NOVRA.ini";
}

void CConfig::setIniPath(const QString& path) {
    gIniOverride = path;
}
void CConfig::setReadOnly(bool readOnly) {
    gReadOnly = readOnly;
}
bool CConfig::readOnly() {
    return gReadOnly;
}

QString CConfig::defaultOutputFolder() {
    if (auto dir = writableProgramFolder()) return *dir;
    return withSlash(QDir::homePath());
}

QString CConfig::quickSavePath() {
    if (auto dir = writableProgramFolder()) return *dir + "temp.pol";
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(data);
    return withSlash(data) + "temp.pol";
}

std::unique_ptr<QSettings> CConfig::open() {
    return std::make_unique<QSettings>(iniPath(), QSettings::IniFormat);
}

namespace {
// QSettings keeps keys outside any group in [General] and escapes a group of that name, so the
// file's own [General] section is reached through plain keys.
QString keyOf(const char* section, const char* key) {
    if (qstrcmp(section, "General") == 0) return QString::fromLatin1(key);
    return QString::fromLatin1(section) + '/' + key;
}

// A hand-edited value with a comma comes back as a list; it is still one text.
QString valueText(const QVariant& v) {
    if (v.typeId() == QMetaType::QStringList) return v.toStringList().join(',');
    return v.toString();
}
}  // namespace

int CConfig::readInt(QSettings& s, const char* section, const char* key, int def) {
    const QVariant v = s.value(keyOf(section, key));
    if (!v.isValid()) return def;
    bool ok = false;
    const int n = valueText(v).trimmed().toInt(&ok);
    return ok ? n : def;
}

int CConfig::readIntIn(QSettings& s, const char* section, const char* key, int def, int lo, int hi) {
    const int n = readInt(s, section, key, def);
    return n >= lo && n <= hi ? n : def;
}

QString CConfig::readString(QSettings& s, const char* section, const char* key, const QString& def) {
    const QVariant v = s.value(keyOf(section, key));
    return v.isValid() ? valueText(v) : def;
}

namespace {
void writeInt(QSettings& s, const char* section, const char* key, int value) {
    s.setValue(keyOf(section, key), QString::number(value));
}
void writeString(QSettings& s, const char* section, const char* key, const QString& value) {
    s.setValue(keyOf(section, key), value);
}
}  // namespace

std::vector<QString> readVerilogOutDirs(QSettings& s, const QString& defaultFolder) {
    std::vector<QString> dirs;
    for (int n = 0; n < 10; ++n) {
        const QByteArray key = "VerilogOutDir" + QByteArray::number(n);
        QString dir = CConfig::readString(s, "Verilog", key.constData(), defaultFolder);
        dirs.push_back(dir);
        if (dir == defaultFolder) break;
    }
    return dirs;
}

void writeVerilogOutDirs(QSettings& s, std::vector<QString> dirs) {
    int n = 0;
    for (; n < 10 && !dirs.empty(); ++n) {
        const QByteArray key = "VerilogOutDir" + QByteArray::number(n);
        writeString(s, "Verilog", key.constData(), dirs.front());
        dirs.erase(dirs.begin());
    }
    // Entries left over from a longer list would otherwise be read back after a shorter one.
    for (; n < 10; ++n) s.remove(keyOf("Verilog", ("VerilogOutDir" + QByteArray::number(n)).constData()));
}

void DocSettings::load() {
    auto s = CConfig::open();
    simSpeed = CConfig::readIntIn(*s, "Simulation", "SimSpeed", 10, 1, 5000);
    nmode = CConfig::readInt(*s, "General", "Nmode", 0);
    verilogOutDirs = readVerilogOutDirs(*s, CConfig::defaultOutputFolder());
    verilogOutModuleName = CConfig::readString(*s, "Verilog", "VerilogOutModuleName", "testmodule");
    verilogOutSync = CConfig::readIntIn(*s, "Verilog", "VerilogOutSync", 0, 0, 1);
    verilogDebug = CConfig::readIntIn(*s, "Verilog", "VerilogDebug", 0, 0, 1);
    autoSave = CConfig::readIntIn(*s, "General", "AutoSave", 60, 0, kMaxAutoSave);
}

void DocSettings::save() const {
    if (CConfig::readOnly()) return;
    auto s = CConfig::open();
    writeInt(*s, "Simulation", "SimSpeed", simSpeed);
    writeInt(*s, "General", "Nmode", nmode);
    writeVerilogOutDirs(*s, verilogOutDirs);
    writeString(*s, "Verilog", "VerilogOutModuleName", verilogOutModuleName);
    writeInt(*s, "Verilog", "VerilogOutSync", verilogOutSync);
    writeInt(*s, "Verilog", "VerilogDebug", verilogDebug);
    writeInt(*s, "General", "AutoSave", autoSave);
}

void ViewSettings::load() {
    auto s = CConfig::open();
    hatchSize = CConfig::readIntIn(*s, "View", "HatchSize", 40, 1, 5000);
    compileSave = CConfig::readIntIn(*s, "Compile", "CompileSave", 0, 0, 1);
    simAnime = CConfig::readIntIn(*s, "Simulation", "SimAnime", 1, 0, 1);
    objectYard = CConfig::readIntIn(*s, "Edit", "ObjectYard", 0, 0, 1);
    tokenMove = CConfig::readIntIn(*s, "Simulation", "TokenMove", 1, 0, 1);
    enableObjId = CConfig::readIntIn(*s, "View", "EnableObjId", 0, 0, 1);
    enableOldToken = CConfig::readIntIn(*s, "View", "EnableOldToken", 0, 0, 1);
    const ViewColors d;
    colors.back = CConfig::readIntIn(*s, "View", "vColBack", d.back, 0, 0xFFFFFF);
    colors.arc = CConfig::readIntIn(*s, "View", "vColArc", d.arc, 0, 0xFFFFFF);
    colors.place = CConfig::readIntIn(*s, "View", "vColPlace", d.place, 0, 0xFFFFFF);
    colors.transition = CConfig::readIntIn(*s, "View", "vColTransition", d.transition, 0, 0xFFFFFF);
    colors.uhzi = CConfig::readIntIn(*s, "View", "vColUhzi", d.uhzi, 0, 0xFFFFFF);
    colors.kemmakix = CConfig::readIntIn(*s, "View", "vColKemmakix", d.kemmakix, 0, 0xFFFFFF);
    colors.grid = CConfig::readIntIn(*s, "View", "vColGlid", d.grid, 0, 0xFFFFFF);
    skinUse = CConfig::readIntIn(*s, "View", "SkinUse", 0, 0, 1);
}

void ViewSettings::save() const {
    if (CConfig::readOnly()) return;
    auto s = CConfig::open();
    writeInt(*s, "View", "HatchSize", hatchSize);
    writeInt(*s, "Compile", "CompileSave", compileSave);
    writeInt(*s, "Simulation", "SimAnime", simAnime);
    writeInt(*s, "Edit", "ObjectYard", objectYard);
    writeInt(*s, "Simulation", "TokenMove", tokenMove);
    writeInt(*s, "View", "EnableObjId", enableObjId);
    writeInt(*s, "View", "EnableOldToken", enableOldToken);
    writeInt(*s, "View", "vColBack", colors.back);
    writeInt(*s, "View", "vColArc", colors.arc);
    writeInt(*s, "View", "vColPlace", colors.place);
    writeInt(*s, "View", "vColTransition", colors.transition);
    writeInt(*s, "View", "vColUhzi", colors.uhzi);
    writeInt(*s, "View", "vColKemmakix", colors.kemmakix);
    writeInt(*s, "View", "vColGlid", colors.grid);
    writeInt(*s, "View", "SkinUse", skinUse);
}

Language readLanguage() {
    auto s = CConfig::open();
    const QString code = CConfig::readString(*s, "General", "Language", QString()).trimmed();
    return languageFromCode(code.toStdString()).value_or(Language::Japanese);
}

void writeLanguage(Language lang) {
    if (CConfig::readOnly()) return;
    auto s = CConfig::open();
    writeString(*s, "General", "Language", QString::fromLatin1(languageCode(lang)));
}

namespace {
QPointer<QTranslator> gQtJapanese;
}  // namespace

bool useQtJapanese(bool on) {
    if (!on) {
        if (gQtJapanese) {
            QCoreApplication::removeTranslator(gQtJapanese);
            delete gQtJapanese;
        }
        return true;
    }
    if (gQtJapanese) return true;
    auto* t = new QTranslator(QCoreApplication::instance());
    if (t->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
        QCoreApplication::installTranslator(t)) {
        gQtJapanese = t;
        return true;
    }
    delete t;
    return false;
}

void applyLanguage(Language lang) {
    setLanguage(lang);
    useQtJapanese(lang == Language::Japanese);
    // Sent here, not only posted by the translator's change: the windows speak the new language as soon as
    // this returns, also where Qt's translation is missing.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        QEvent e(QEvent::LanguageChange);
        QCoreApplication::sendEvent(w, &e);
    }
}

std::optional<Placement> parsePlacement(const QString& text) {
    const QStringList parts = text.split(':');
    if (parts.size() != 10) return std::nullopt;
    Placement p{};
    for (int i = 0; i < 10; ++i) {
        bool ok = false;
        p[static_cast<size_t>(i)] = parts[i].trimmed().toInt(&ok, 0);  // base 0: decimal, 0x hex, 0 octal
        if (!ok) return std::nullopt;
    }
    return p;
}

QString formatPlacement(const Placement& p) {
    QStringList parts;
    for (int v : p) parts << QString::number(v);
    return parts.join(':');
}

std::optional<Placement> readPlacement() {
    auto s = CConfig::open();
    return parsePlacement(CConfig::readString(*s, "Option", "Position", QString()));
}

void writePlacement(const Placement& p) {
    if (CConfig::readOnly()) return;
    auto s = CConfig::open();
    writeString(*s, "Option", "Position", formatPlacement(p));
}

}  // namespace novra::ui
