#pragma once
// The settings file NOVRA.ini and the keys each owner (document, view, main frame) reads when it is
// created and writes when it is destroyed. Dialogs and commands change only the values in memory.
#include <QString>
#include <array>
#include <memory>
#include <optional>
#include <vector>

#include "common/messages.h"

class QSettings;

namespace novra::ui {

class CConfig {
  public:
    // NOVRA.ini beside the executable when that folder is writable, else in the user's configuration folder.
    static QString iniPath();
    // Points every later read and write at another file (tests, portable setups); an empty path restores
    // the normal location.
    static void setIniPath(const QString& path);
    // While read-only nothing is written back (used by the screenshot mode, which must not touch settings).
    static void setReadOnly(bool readOnly);
    static bool readOnly();

    // The executable's folder with a trailing '/', or the home folder when the executable's folder is not
    // writable: the default Verilog output folder.
    static QString defaultOutputFolder();
    // Where the quick-save file lives.
    static QString quickSavePath();

    static std::unique_ptr<QSettings> open();
    static int readInt(QSettings& s, const char* section, const char* key, int def);
    // As readInt, and a value outside lo..hi (a hand-edited or damaged file) gives the default too.
    static int readIntIn(QSettings& s, const char* section, const char* key, int def, int lo, int hi);
    static QString readString(QSettings& s, const char* section, const char* key, const QString& def);
};

// Document keys.
struct DocSettings {
    int simSpeed = 10;
    int nmode = 0;
    std::vector<QString> verilogOutDirs;  // most recent first
    QString verilogOutModuleName = "testmodule";
    int verilogOutSync = 0;
    int verilogDebug = 0;
    int autoSave = 60;  // seconds between recovery copies; 0 for none
    static constexpr int kMaxAutoSave = 86400;

    void load();
    void save() const;
};

// Colours are 0x00BBGGRR, red in the lowest byte.
struct ViewColors {
    int back = 0xC3EBFF;
    int arc = 0x64FF64;
    int place = 0x64FF64;
    int transition = 0xFF6464;
    int uhzi = 0x0080FF;
    int kemmakix = 0xFF00FF;
    int grid = 0xAADCFF;
    bool operator==(const ViewColors&) const = default;
};

// View keys.
struct ViewSettings {
    int hatchSize = 40;
    int compileSave = 0;
    int simAnime = 1;
    int objectYard = 0;
    int tokenMove = 1;
    int enableObjId = 0;
    int enableOldToken = 0;
    ViewColors colors;
    int skinUse = 0;

    void load();
    void save() const;
};

// Window placement: flags, show command, minimised x, y, maximised x, y, normal left, top, right, bottom.
using Placement = std::array<int, 10>;
inline constexpr int kShowNormal = 1;
inline constexpr int kShowMinimized = 2;
inline constexpr int kShowMaximized = 3;

// Only a text of exactly ten integers separated by ':' is a placement.
std::optional<Placement> parsePlacement(const QString& text);
QString formatPlacement(const Placement& p);
std::optional<Placement> readPlacement();
void writePlacement(const Placement& p);

// The language of the program: [General] Language=ja|en; a missing or unknown value reads as Japanese.
Language readLanguage();
void writeLanguage(Language lang);  // nothing while the settings are read-only
// Switches the running program to lang: every catalogue text, Qt's standard dialogs (their Japanese
// translation is loaded in Japanese only) and every open window, which gets a LanguageChange event to
// retranslate itself. The setting is not written.
void applyLanguage(Language lang);
// Loads Qt's own Japanese texts, or takes them away again; false when they cannot be loaded.
bool useQtJapanese(bool on);

// The recent Verilog output folders: read until the default folder comes up or ten are read.
std::vector<QString> readVerilogOutDirs(QSettings& s, const QString& defaultFolder);
void writeVerilogOutDirs(QSettings& s, std::vector<QString> dirs);

}  // namespace novra::ui
