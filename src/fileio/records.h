#pragma once
// Record layouts shared by the version 2.00 and 1.05 readers.
#include <string>
#include <string_view>
#include <vector>

#include "fileio/line_cursor.h"
#include "model/net.h"

namespace novra::fileio {

// Fails the load naming a line of the file and showing (the start of) its text.
[[noreturn]] void badRecord(int lineNumber, std::string_view line);
[[noreturn]] inline void badRecord(const LineCursor& cur) {
    badRecord(cur.number(), cur.line());
}
// The line of a text that starts at offset, without its line end.
std::string_view lineAt(std::string_view text, size_t offset);
// badRecord for a record checked after the whole file was read, known by where its line starts.
[[noreturn]] void badRecordAt(std::string_view text, size_t offset);
// The file ended inside a section or a record.
[[noreturn]] void truncatedFile();

// Moves to the next record line of an open section: a line whose first character is the section's record
// letter (other lines are comments). False at the "}" that closes the section.
bool nextRecord(LineCursor& cur, char letter);

// "tran[ID," followed by the function text up to the first "]", which may lie several lines further on.
// Version 1.05 texts wrote ":" after each statement and ";" at each line break. Leaves the cursor on the
// record's last line. The record's identifier goes to *id when asked for.
std::string readFunctionText(LineCursor& cur, bool version105, int* id = nullptr);

// "uset[ID,PlaceID,inc,line]={", its data lines and the record's own "}". Returns the identifier.
int readUhzi(LineCursor& cur, CUhzi& u);
// "kset[ID,PlaceID,line]{", its data lines and the record's own "}". Returns the identifier.
int readKemmakix(LineCursor& cur, CKemmakix& k);

struct ObjRecord {
    int kind = 0;
    int id = 0;
    int x = 0;
    int y = 0;
};
// "obj[0,kind,ID]=(x,y)".
ObjRecord parseObj(const LineCursor& cur);

struct TokenRecord {
    int place = 0;
    Token token;
};
// "tset[PlaceID]=(color,value)"; the colour must be black or white. Any value is kept: compile judges it.
TokenRecord parseToken(const LineCursor& cur);

struct ArcRecord {
    int from = 0;
    int to = 0;
    std::string varName;
    std::vector<Point> bendPoints;
};
// "arc[from,to]" or "arc[from,to,name]", then ":(x,y)" per bend point.
ArcRecord parseArc(const LineCursor& cur);

}  // namespace novra::fileio
