#include "common/messages.h"

#include <atomic>
#include <cstdio>
#include <vector>

namespace novra {

namespace {
std::atomic<int> gNmode{0};

const char* pick(const MsgText& m) { return (gNmode.load() == 1 && m.playful) ? m.playful : m.standard; }

template <typename... Args>
std::string formatImpl(const char* fmt, Args... args) {
    int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n < 0) return fmt;
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    std::snprintf(buf.data(), buf.size(), fmt, args...);
    return std::string(buf.data(), static_cast<size_t>(n));
}
}  // namespace

int nmode() { return gNmode.load(); }
void setNmode(int mode) { gNmode.store(mode == 1 ? 1 : 0); }

std::string text(const MsgText& m) { return pick(m); }
std::string format(const MsgText& m, int a) { return formatImpl(pick(m), a); }
std::string format(const MsgText& m, int a, int b) { return formatImpl(pick(m), a, b); }

}  // namespace novra
