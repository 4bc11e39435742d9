// Reading a net file: the first line decides which reader runs.
#include <string>
#include <string_view>

#include "common/error.h"
#include "common/messages.h"
#include "fileio/file_bytes.h"
#include "fileio/fileio.h"
#include "fileio/line_cursor.h"
#include "fileio/readers.h"
#include "fileio/text_codec.h"
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

}  // namespace

void fileio::load(CNet& net, const std::string& path) {
    fileio::FileBytes bytes = fileio::readWholeFile(path);
    const FileKind kind = kindOfFile(bytes.view());
    // Decoding the whole file first keeps a double-byte character whose second byte looks like "]" or ")"
    // from ending a record early. A plain ASCII file needs no decoding.
    std::optional<std::string> decoded;
    std::string_view text = bytes.view();
    if (!fileio::isAscii(text)) {
        decoded = fileio::decodeCp932(text);
        if (!decoded) raise(novra::text(msg::kBadEncoding));
        bytes = {};
        text = *decoded;
    }
    switch (kind) {
        case FileKind::kVersion200:
            fileio::readVersion200(net, text);
            break;
        case FileKind::kVersion105:
            fileio::readVersion105(net, text);
            break;
        case FileKind::kEvents:
            fileio::readEventFile(net, text);
            break;
    }
}

}  // namespace novra
