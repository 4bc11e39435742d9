#include "fileio/records.h"

#include <algorithm>
#include <climits>

#include "common/error.h"
#include "common/messages.h"

namespace novra::fileio {

namespace {

// At most this many characters of a bad line go into the message.
constexpr size_t kShownLine = 80;

bool isUtf8Continuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

std::string shownLine(std::string_view line) {
    if (line.size() <= kShownLine) return std::string(line);
    size_t cut = kShownLine;
    while (cut > 0 && isUtf8Continuation(line[cut])) --cut;
    return std::string(line.substr(0, cut)) + "…";
}

// The text between "data(" and the line's last ")".
bool dataText(std::string_view line, std::string_view& out) {
    if (!startsWith(line, "data(")) return false;
    const size_t close = line.rfind(')');
    if (close == std::string_view::npos || close < 5) return false;
    out = line.substr(5, close - 5);
    return true;
}

// Moves to the next line of a record; the file must not end inside it.
void nextInRecord(LineCursor& cur) {
    if (!cur.next()) truncatedFile();
}

}  // namespace

void badRecord(int lineNumber, std::string_view line) {
    raise(format(msg::kBadRecord, lineNumber) + shownLine(line));
}

std::string_view lineAt(std::string_view text, size_t offset) {
    size_t end = text.find('\n', offset);
    if (end == std::string_view::npos) end = text.size();
    if (end > offset && text[end - 1] == '\r') --end;
    return text.substr(offset, end - offset);
}

void badRecordAt(std::string_view text, size_t offset) {
    const auto line = std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n') + 1;
    badRecord(static_cast<int>(line), lineAt(text, offset));
}

void truncatedFile() {
    raise(text(msg::kReadFailed));
}

bool nextRecord(LineCursor& cur, char letter) {
    for (;;) {
        if (!cur.next()) truncatedFile();
        const std::string_view line = cur.line();
        if (line.empty()) continue;
        if (line[0] == '}') return false;
        if (line[0] == letter) return true;
    }
}

std::string readFunctionText(LineCursor& cur, bool version105, int* idOut) {
    Scanner s(cur.line());
    int id = 0;
    if (!s.lit("tran[") || !s.num(id) || !s.peek(',')) badRecord(cur);
    if (idOut) *idOut = id;
    const std::string_view all = cur.text();
    const size_t begin = cur.lineStart() + cur.line().find(',') + 1;
    const size_t end = all.find(']', begin);
    if (end == std::string_view::npos) truncatedFile();
    std::string body;
    body.reserve(end - begin);
    for (size_t k = begin; k < end; ++k) {
        const char c = all[k];
        // The file's line ends become plain line feeds.
        if (c == '\r' && k + 1 < end && all[k + 1] == '\n') continue;
        if (version105 && c == ':') {
            body += ';';
        } else if (version105 && c == ';') {
            body += '\n';
        } else {
            body += c;
        }
    }
    cur.continueAfter(end);
    return body;
}

int readUhzi(LineCursor& cur, CUhzi& u) {
    Scanner s(cur.line());
    int id = 0, place = 0;
    if (!s.lit("uset[") || !s.num(id) || !s.ch(',') || !s.num(place) || !s.ch(',') || !s.num(u.addp) ||
        !s.ch(',') || !s.num(u.line) || !s.ch(']'))
        badRecord(cur);
    for (;;) {
        nextInRecord(cur);
        const std::string_view line = cur.line();
        if (startsWith(line, "}")) return id;
        std::string_view data;
        if (!dataText(line, data)) badRecord(cur);
        if (u.addp == 1) {
            u.words.emplace_back(data);
        } else {
            Scanner v(data);
            if (!v.num(u.holdValue) || !v.blankRest()) badRecord(cur);
        }
    }
}

int readKemmakix(LineCursor& cur, CKemmakix& k) {
    Scanner s(cur.line());
    int id = 0, place = 0;
    if (!s.lit("kset[") || !s.num(id) || !s.ch(',') || !s.num(place) || !s.ch(',') || !s.num(k.line) ||
        !s.ch(']'))
        badRecord(cur);
    for (;;) {
        nextInRecord(cur);
        const std::string_view line = cur.line();
        if (startsWith(line, "}")) return id;
        std::string_view data;
        if (!dataText(line, data)) badRecord(cur);
        k.expected.emplace_back(data);
    }
}

ObjRecord parseObj(const LineCursor& cur) {
    Scanner s(cur.line());
    ObjRecord r;
    int first = 0;
    if (!s.lit("obj[") || !s.num(first) || !s.ch(',') || !s.num(r.kind) || !s.ch(',') || !s.num(r.id) ||
        !s.lit("]=(") || !s.num(r.x) || !s.ch(',') || !s.num(r.y) || !s.ch(')'))
        badRecord(cur);
    return r;
}

TokenRecord parseToken(const LineCursor& cur) {
    Scanner s(cur.line());
    TokenRecord r;
    if (!s.lit("tset[") || !s.num(r.place) || !s.lit("]=(") || !s.num(r.token.color) || !s.ch(',') ||
        !s.num(r.token.value) || !s.ch(')'))
        badRecord(cur);
    if (r.token.color != kBlack && r.token.color != kWhite) badRecord(cur);
    return r;
}

ArcRecord parseArc(const LineCursor& cur) {
    Scanner s(cur.line());
    ArcRecord r;
    if (!s.lit("arc[") || !s.num(r.from) || !s.ch(',') || !s.num(r.to)) badRecord(cur);
    if (s.ch(',')) {
        std::string_view name;
        if (!s.until(']', name)) badRecord(cur);
        r.varName = name;
    }
    if (!s.ch(']')) badRecord(cur);
    while (s.ch(':')) {
        Point p;
        if (!s.ch('(') || !s.num(p.x) || !s.ch(',') || !s.num(p.y) || !s.ch(')')) badRecord(cur);
        r.bendPoints.push_back(p);
    }
    return r;
}

}  // namespace novra::fileio
