#pragma once
// Line-by-line walk over a decoded net file, and a scanner for the fixed record layouts.
#include <algorithm>
#include <charconv>
#include <cstddef>
#include <string_view>

namespace novra::fileio {

// Walks the lines of a text without copying. A line ends at a line feed; a carriage return before it
// belongs to the line end, so CRLF and LF files read alike. A missing final line end is fine.
class LineCursor {
  public:
    explicit LineCursor(std::string_view text) : text_(text) {}

    // Moves to the next line; false at the end of the text.
    bool next() {
        if (pos_ >= text_.size()) return false;
        start_ = pos_;
        const size_t nl = text_.find('\n', pos_);
        size_t end = nl == std::string_view::npos ? text_.size() : nl;
        pos_ = nl == std::string_view::npos ? text_.size() : nl + 1;
        if (end > start_ && text_[end - 1] == '\r') --end;
        line_ = text_.substr(start_, end - start_);
        ++number_;
        return true;
    }

    std::string_view line() const { return line_; }
    int number() const { return number_; }
    size_t lineStart() const { return start_; }
    std::string_view text() const { return text_; }

    // A record that runs over several lines ended at offset pos: the line holding pos becomes the current
    // one, so that next() continues after it.
    void continueAfter(size_t pos) {
        number_ += static_cast<int>(std::count(text_.begin() + start_, text_.begin() + pos, '\n'));
        const size_t nl = text_.find('\n', pos);
        pos_ = nl == std::string_view::npos ? text_.size() : nl + 1;
    }

  private:
    std::string_view text_;
    std::string_view line_;
    size_t pos_ = 0;
    size_t start_ = 0;
    int number_ = 0;
};

// Matches a record layout piece by piece, like the "%d" and literal parts of a scanf format: a number may
// have leading blanks and a sign; anything that does not fit fails the match.
class Scanner {
  public:
    explicit Scanner(std::string_view s) : s_(s) {}

    bool lit(std::string_view t) {
        if (s_.substr(i_, t.size()) != t) return false;
        i_ += t.size();
        return true;
    }
    bool ch(char c) {
        if (i_ >= s_.size() || s_[i_] != c) return false;
        ++i_;
        return true;
    }
    bool peek(char c) const { return i_ < s_.size() && s_[i_] == c; }
    bool num(int& v) {
        while (i_ < s_.size() && (s_[i_] == ' ' || s_[i_] == '\t')) ++i_;
        if (i_ < s_.size() && s_[i_] == '+') {
            ++i_;
            if (i_ < s_.size() && s_[i_] == '-') return false;  // "+-1" is no number
        }
        const char* b = s_.data() + i_;
        const char* e = s_.data() + s_.size();
        auto [p, ec] = std::from_chars(b, e, v);
        if (ec != std::errc()) return false;
        i_ += static_cast<size_t>(p - b);
        return true;
    }
    // The text up to (not including) the next c; false when there is no c.
    bool until(char c, std::string_view& out) {
        const size_t at = s_.find(c, i_);
        if (at == std::string_view::npos) return false;
        out = s_.substr(i_, at - i_);
        i_ = at;
        return true;
    }
    bool atEnd() const { return i_ >= s_.size(); }
    // Only blanks are left.
    bool blankRest() const {
        for (size_t k = i_; k < s_.size(); ++k)
            if (s_[k] != ' ' && s_[k] != '\t') return false;
        return true;
    }

  private:
    std::string_view s_;
    size_t i_ = 0;
};

inline bool startsWith(std::string_view s, std::string_view prefix) {
    return s.substr(0, prefix.size()) == prefix;
}

}  // namespace novra::fileio
