#pragma once
// Output helpers of the generator: printf-style formatting and generated files that refuse to be
// written when they could not be created.
#include <cstdio>
#include <string>

namespace novra::verilog {

// printf into a string.
std::string fmt(const char* format, ...) __attribute__((format(printf, 1, 2)));

// List(F, S, T, n): F with 1, then S and F with k for k = 2..n, then T. With n < 1 only T.
std::string list(const char* f, const char* separator, const char* terminator, int n);

// The current local time in asctime form ("Sat Dec  5 05:43:24 2026\n").
std::string asctimeNow();

// A generated file. Opening creates or truncates it and raises a clear message when that fails; the text
// is collected in UTF-8 and written in CP932 a megabyte at a time and by close(), which reports any write
// failure.
class CTextFile {
  public:
    explicit CTextFile(std::string path);
    ~CTextFile();
    CTextFile(const CTextFile&) = delete;
    CTextFile& operator=(const CTextFile&) = delete;

    CTextFile& operator<<(const std::string& s) {
        text_ += s;
        if (text_.size() >= kChunk) flush();
        return *this;
    }
    CTextFile& operator<<(const char* s) {
        text_ += s;
        if (text_.size() >= kChunk) flush();
        return *this;
    }
    void close();
    const std::string& path() const { return path_; }

  private:
    static constexpr size_t kChunk = 1 << 20;
    // Writes what has been collected; whole appended strings only, so no character is ever split.
    void flush();
    std::string path_;
    std::string text_;
    std::FILE* file_ = nullptr;
    bool failed_ = false;
};

// Writes a whole file at once (created or truncated); raises a clear message on failure.
void writeFile(const std::string& path, const std::string& utf8Text);

// Copies a file with overwrite; false when the source is missing or the copy failed.
bool copyFile(const std::string& from, const std::string& to);

}  // namespace novra::verilog
