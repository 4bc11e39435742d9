#pragma once
// Message catalogue: every user-visible text of the program in Japanese, with its playful variant where one
// exists, and in English. Code names a text by its constant and turns it into a string with text() or
// format(), which pick the wording by the process-wide language and Nmode switches.
//
// The lists messages_file.h ... messages_verilog.h hold one NOVRA_MSG(name, standard, playful, english) entry
// per text. This header includes each list with NOVRA_MSG declaring the constant and checking at compile
// time that the English wording is there and carries the same placeholders as the Japanese one;
// messages.cpp includes them again to make the table that catalogue() enumerates. Including one list on its
// own includes this header.
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace novra {

// Nmode: 0 = standard wording ("標準"), 1 = playful wording ("酔いどれ").
int nmode();
void setNmode(int mode);

// The language of every message. The playful wording exists in Japanese only: in English the plain
// English wording is used whatever the Nmode.
enum class Language { Japanese, English };
Language language();
void setLanguage(Language lang);
// "ja" and "en", as the settings file and the command lines spell them.
const char* languageCode(Language lang);
std::optional<Language> languageFromCode(std::string_view code);

struct MsgText {
    const char* standard;
    const char* playful;            // nullptr when the text has no playful variant
    const char* english = nullptr;  // none only for texts outside the catalogue: the standard one stands in
};

// The text for the current language and Nmode.
std::string text(const MsgText& m);
// The text in the given language, whatever the current one: for texts that go into files.
std::string text(const MsgText& m, Language lang);
// printf-style formatting of the text for the current language and Nmode with int arguments (%d only).
std::string format(const MsgText& m, int a);
std::string format(const MsgText& m, int a, int b);

// One entry of the catalogue, under its constant's name.
struct CatalogueEntry {
    const char* name;
    const MsgText* text;
};
// Every text of the catalogue, in the order of the lists.
std::span<const CatalogueEntry> catalogue();
// The catalogue entry whose wording in either language is exactly s, or nullptr.
const CatalogueEntry* findInCatalogue(std::string_view s);

namespace wording {

// The next placeholder of a format text from position i on: its kind (printf "%d", "%s", "%ld", ...,
// Qt "%1", "%2", ..., or "%%") is returned and i is moved past it; an empty view when there is none.
constexpr std::string_view nextPlaceholder(std::string_view s, std::size_t& i) {
    while (i < s.size()) {
        if (s[i] != '%') {
            ++i;
            continue;
        }
        const std::size_t start = i++;
        if (i < s.size() && s[i] == '%') return s.substr(start, ++i - start);
        if (i < s.size() && s[i] >= '0' && s[i] <= '9') {  // Qt's %1 .. %99
            while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
            return s.substr(start, i - start);
        }
        // printf: flags, width, precision and length modifiers, then the conversion.
        while (i < s.size() &&
               std::string_view("-+ #0123456789.hlLqjzt").find(s[i]) != std::string_view::npos)
            ++i;
        if (i < s.size()) ++i;
        return s.substr(start, i - start);
    }
    return {};
}

constexpr std::size_t lineBreaks(std::string_view s) {
    std::size_t n = 0;
    for (char c : s) n += c == '\n' ? 1 : 0;
    return n;
}

// Whether a translation can stand in for the original: the same placeholders in the same order (a
// mismatch would print garbage or read a missing argument), the same number of line breaks (a
// "prompt\ntip" pair splits at them, log lines end with them) and a leading blank where the original has
// one (such texts are appended to a name).
constexpr bool sameShape(std::string_view original, std::string_view translation) {
    if (lineBreaks(original) != lineBreaks(translation)) return false;
    if (original.starts_with(' ') != translation.starts_with(' ')) return false;
    std::size_t i = 0, j = 0;
    for (;;) {
        const std::string_view a = nextPlaceholder(original, i);
        const std::string_view b = nextPlaceholder(translation, j);
        if (a != b) return false;
        if (a.empty()) return true;
    }
}

constexpr bool englishFits(const MsgText& m) {
    return m.english != nullptr && m.english[0] != '\0' && sameShape(m.standard, m.english);
}

}  // namespace wording

}  // namespace novra

namespace novra::msg {
#define NOVRA_MSG(name, standard, playful, english)            \
    inline constexpr MsgText name{standard, playful, english}; \
    static_assert(wording::englishFits(name),                  \
                  "the English wording of " #name " is missing or does not match its placeholders");
#include "common/messages_file.h"
#include "common/messages_func.h"
#include "common/messages_net.h"
#include "common/messages_sim.h"
#include "common/messages_ui.h"
#include "common/messages_verilog.h"
#undef NOVRA_MSG
}  // namespace novra::msg
