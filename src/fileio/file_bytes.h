#pragma once
// Whole-file reads and safe whole-file replacement for the net files.
#include <memory>
#include <string>
#include <string_view>

namespace novra::fileio {

// Net files larger than this are refused before anything is allocated for them.
inline constexpr size_t kMaxFileSize = size_t{1} << 30;

// A file's bytes, in a buffer that is not cleared first (large files are read often).
struct FileBytes {
    std::unique_ptr<char[]> data;
    size_t size = 0;
    std::string_view view() const { return {data.get(), size}; }
};

// The bytes of a regular file. Raises the open-failure message when it cannot be opened or read, and the
// read-failure message when it is larger than kMaxFileSize.
FileBytes readWholeFile(const std::string& path);

// Writes bytes to a temporary file beside path and renames it over path, so a failed save never leaves a
// half-written file in place of the old one. An existing file keeps its permissions. Raises the
// save-failure message followed by the path.
void replaceFile(const std::string& path, std::string_view bytes);

}  // namespace novra::fileio
