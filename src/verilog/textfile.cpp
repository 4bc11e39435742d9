#include "verilog/textfile.h"

#include <cstdarg>
#include <ctime>
#include <filesystem>
#include <map>
#include <string_view>
#include <vector>

#include "common/encoding.h"
#include "common/error.h"
#include "common/messages.h"
#include "common/messages_verilog.h"

namespace novra::verilog {

namespace {

std::string formatPath(const MsgText& m, const std::string& path) {
    return fmt(text(m).c_str(), path.c_str());
}

// Generated text is ASCII apart from a few fixed Japanese comments; anything CP932 cannot hold is
// refused when the names are checked, so a failed conversion here is an internal inconsistency. ASCII is
// the same in both encodings, so only the runs of other characters go through the converter.
std::string toDisk(const std::string& utf8, const std::string& path) {
    // The same few comments come back in every module; each is converted once.
    thread_local std::map<std::string, std::string, std::less<>> converted;
    std::string out;
    out.reserve(utf8.size());
    size_t i = 0;
    while (i < utf8.size()) {
        size_t j = i;
        while (j < utf8.size() && static_cast<unsigned char>(utf8[j]) < 0x80) ++j;
        out.append(utf8, i, j - i);
        if (j == utf8.size()) break;
        // A run of bytes from 0x80 holds whole UTF-8 sequences: their lead and continuation bytes all are.
        size_t k = j;
        while (k < utf8.size() && static_cast<unsigned char>(utf8[k]) >= 0x80) ++k;
        const std::string_view run = std::string_view(utf8).substr(j, k - j);
        auto known = converted.find(run);
        if (known == converted.end()) {
            auto bytes = utf8ToCp932(run);
            if (!bytes) raise(formatPath(msg::kVerilogCannotWrite, path));
            if (converted.size() > 256) converted.clear();
            known = converted.emplace(std::string(run), std::move(*bytes)).first;
        }
        out += known->second;
        i = k;
    }
    return out;
}

// Formats with %d, %s, %c and %% only, the conversions the writers use by the hundred thousand; false
// (with `out` undefined) for anything else, which goes to vsnprintf.
bool quickFormat(std::string& out, const char* format, va_list ap) {
    char digits[16];
    for (const char* f = format; *f; ++f) {
        if (*f != '%') {
            const char* run = f;
            while (f[1] && f[1] != '%') ++f;
            out.append(run, static_cast<size_t>(f - run + 1));
            continue;
        }
        switch (*++f) {
            case 'd': {
                const long long v = va_arg(ap, int);
                unsigned long long m = v < 0 ? 0ULL - static_cast<unsigned long long>(v) : v;
                char* e = digits + sizeof digits;
                char* b = e;
                do {
                    *--b = static_cast<char>('0' + m % 10);
                    m /= 10;
                } while (m);
                if (v < 0) *--b = '-';
                out.append(b, static_cast<size_t>(e - b));
                break;
            }
            case 's': {
                const char* s = va_arg(ap, const char*);
                out += s ? s : "(null)";
                break;
            }
            case 'c':
                out.push_back(static_cast<char>(va_arg(ap, int)));
                break;
            case '%':
                out.push_back('%');
                break;
            default:
                return false;
        }
    }
    return true;
}

}  // namespace

std::string fmt(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    va_list copy;
    va_copy(copy, ap);
    std::string out;
    const bool quick = quickFormat(out, format, copy);
    va_end(copy);
    if (quick) {
        va_end(ap);
        return out;
    }
    out.clear();
    va_list sizing;
    va_copy(sizing, ap);
    const int n = std::vsnprintf(nullptr, 0, format, sizing);
    va_end(sizing);
    if (n > 0) {
        std::vector<char> buf(static_cast<size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), format, ap);
        out.assign(buf.data(), static_cast<size_t>(n));
    }
    va_end(ap);
    return out;
}

std::string list(const char* f, const char* separator, const char* terminator, int n) {
    std::string out;
    for (int k = 1; k <= n; ++k) {
        if (k > 1) out += separator;
        out += fmt(f, k);
    }
    return out + terminator;
}

std::string asctimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm t{};
    localtime_r(&now, &t);
    // asctime's fixed English form whatever the locale, without asctime's static buffer.
    static const char* const days[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return fmt("%.3s %.3s%3d %.2d:%.2d:%.2d %d\n", days[t.tm_wday % 7], months[t.tm_mon % 12], t.tm_mday,
               t.tm_hour, t.tm_min, t.tm_sec, 1900 + t.tm_year);
}

CTextFile::CTextFile(std::string path) : path_(std::move(path)) {
    file_ = std::fopen(path_.c_str(), "wb");
    if (!file_) raise(formatPath(msg::kVerilogCannotCreate, path_));
}

CTextFile::~CTextFile() {
    if (file_) std::fclose(file_);
}

void CTextFile::flush() {
    if (!file_ || text_.empty()) return;
    const std::string bytes = toDisk(text_, path_);
    text_.clear();
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
}

void CTextFile::close() {
    if (!file_) return;
    try {
        flush();
    } catch (...) {
        std::fclose(file_);
        file_ = nullptr;
        throw;
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (failed_ || !closed) raise(formatPath(msg::kVerilogCannotWrite, path_));
}

void writeFile(const std::string& path, const std::string& utf8Text) {
    CTextFile f(path);
    f << utf8Text;
    f.close();
}

bool copyFile(const std::string& from, const std::string& to) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(from, ec)) return false;
    return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec);
}

}  // namespace novra::verilog
