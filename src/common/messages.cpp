#include "common/messages.h"

#include <atomic>
#include <cstdio>
#include <iterator>
#include <vector>

namespace novra {

namespace {
std::atomic<int> gNmode{0};
std::atomic<Language> gLanguage{Language::Japanese};

const char* pick(const MsgText& m, Language lang) {
    if (lang == Language::English && m.english) return m.english;
    return (gNmode.load() == 1 && m.playful) ? m.playful : m.standard;
}
const char* pick(const MsgText& m) { return pick(m, gLanguage.load()); }

template <typename... Args>
std::string formatImpl(const char* fmt, Args... args) {
    int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n < 0) return fmt;
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::snprintf(buf.data(), buf.size(), fmt, args...);
    return std::string(buf.data(), static_cast<size_t>(n));
}

#define NOVRA_MSG(name, standard, playful, english) {#name, &msg::name},
constexpr CatalogueEntry kCatalogue[] = {
#include "common/messages_file.h"
#include "common/messages_func.h"
#include "common/messages_net.h"
#include "common/messages_sim.h"
#include "common/messages_ui.h"
#include "common/messages_verilog.h"
};
#undef NOVRA_MSG
}  // namespace

int nmode() { return gNmode.load(); }
void setNmode(int mode) { gNmode.store(mode == 1 ? 1 : 0); }

Language language() { return gLanguage.load(); }
void setLanguage(Language lang) { gLanguage.store(lang); }

const char* languageCode(Language lang) { return lang == Language::English ? "en" : "ja"; }

std::optional<Language> languageFromCode(std::string_view code) {
    if (code == "ja") return Language::Japanese;
    if (code == "en") return Language::English;
    return std::nullopt;
}

std::string text(const MsgText& m) { return pick(m); }
std::string text(const MsgText& m, Language lang) { return pick(m, lang); }
std::string format(const MsgText& m, int a) { return formatImpl(pick(m), a); }
std::string format(const MsgText& m, int a, int b) { return formatImpl(pick(m), a, b); }

std::span<const CatalogueEntry> catalogue() { return {std::begin(kCatalogue), std::end(kCatalogue)}; }

const CatalogueEntry* findInCatalogue(std::string_view s) {
    for (const CatalogueEntry& e : kCatalogue)
        if (s == e.text->standard || s == e.text->english || (e.text->playful && s == e.text->playful))
            return &e;
    return nullptr;
}

}  // namespace novra
