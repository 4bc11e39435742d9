#include "verilog/textfile.h"

#include <cstdarg>
#include <ctime>
#include <filesystem>
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
// refused when the names are checked, so a failed conversion here is an internal inconsistency.
std::string toDisk(const std::string& utf8, const std::string& path) {
    auto bytes = utf8ToCp932(utf8);
    if (!bytes) raise(formatPath(msg::kVerilogCannotWrite, path));
    return *bytes;
}

}  // namespace

std::string fmt(const char* format, ...) {
    va_list ap;
    va_start(ap, format);
    va_list copy;
    va_copy(copy, ap);
    const int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out;
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

void CTextFile::close() {
    if (!file_) return;
    const std::string bytes = toDisk(text_, path_);
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    text_.clear();
    if (!written || !closed) raise(formatPath(msg::kVerilogCannotWrite, path_));
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
