// Reading a net file: the first line decides which reader runs.
#include <string>
#include <string_view>

#include "common/encoding.h"
#include "common/error.h"
#include "common/messages.h"
#include "fileio/file_bytes.h"
#include "fileio/line_cursor.h"
#include "fileio/readers.h"
#include "model/net.h"

namespace novra {

namespace {

enum class FileKind { kVersion200, kVersion105, kEvents };

FileKind kindOfFile(std::string_view bytes) {
    // The headers are plain ASCII, so the raw first line can be compared before decoding.
    const std::string_view first = bytes.substr(0, bytes.find('\n'));
    if (fileio::startsWith(first, fileio::kEventHeader)) return FileKind::kEvents;
    if (fileio::startsWith(first, fileio::kHeader105)) return FileKind::kVersion105;
    if (fileio::startsWith(first, fileio::kHeader200)) return FileKind::kVersion200;
    raise(text(msg::kNotNovraFile));
}

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

void CNet::loadFile(const std::string& path) {
    std::string bytes = fileio::readWholeFile(path);
    const FileKind kind = kindOfFile(bytes);
    // Decoding the whole file first keeps a double-byte character whose second byte looks like "]" or ")"
    // from ending a record early.
    if (!isAscii(bytes)) {
        std::optional<std::string> decoded = cp932ToUtf8(bytes);
        if (!decoded) raise(text(msg::kBadEncoding));
        bytes = std::move(*decoded);
    }
    switch (kind) {
        case FileKind::kVersion200:
            fileio::readVersion200(*this, bytes);
            break;
        case FileKind::kVersion105:
            fileio::readVersion105(*this, bytes);
            break;
        case FileKind::kEvents:
            fileio::readEventFile(*this, bytes);
            break;
    }
}

}  // namespace novra
