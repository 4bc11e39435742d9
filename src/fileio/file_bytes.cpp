#include "fileio/file_bytes.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "common/error.h"
#include "common/messages.h"

namespace novra::fileio {

namespace {

// Closes a descriptor on every path out of a scope unless released.
struct Fd {
    int fd = -1;
    ~Fd() {
        if (fd >= 0) ::close(fd);
    }
    int release() {
        const int f = fd;
        fd = -1;
        return f;
    }
};

bool writeAll(int fd, std::string_view bytes) {
    const char* p = bytes.data();
    size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (n == 0) return false;
        p += n;
        left -= static_cast<size_t>(n);
    }
    return true;
}

// The file a save really replaces: the target of a symbolic link, so the link itself survives.
std::string resolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

}  // namespace

FileBytes readWholeFile(const std::string& path) {
    Fd f;
    f.fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (f.fd < 0) raise(text(msg::kFileOpenFailed));
    struct stat st {};
    if (::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) raise(text(msg::kFileOpenFailed));
    if (static_cast<unsigned long long>(st.st_size) > kMaxFileSize) raise(text(msg::kReadFailed));
    FileBytes bytes;
    // One byte more than the size shows whether the file grew while we read it.
    size_t capacity = static_cast<size_t>(st.st_size) + 1;
    bytes.data.reset(new char[capacity]);
    for (;;) {
        if (bytes.size == capacity) {
            if (capacity > kMaxFileSize) raise(text(msg::kReadFailed));
            const size_t bigger = std::min(kMaxFileSize + 1, capacity + capacity / 2 + 4096);
            std::unique_ptr<char[]> grown(new char[bigger]);
            std::memcpy(grown.get(), bytes.data.get(), bytes.size);
            bytes.data = std::move(grown);
            capacity = bigger;
        }
        const ssize_t n = ::read(f.fd, bytes.data.get() + bytes.size, capacity - bytes.size);
        if (n < 0) {
            if (errno == EINTR) continue;
            raise(text(msg::kFileOpenFailed));
        }
        if (n == 0) break;
        bytes.size += static_cast<size_t>(n);
    }
    if (bytes.size > kMaxFileSize) raise(text(msg::kReadFailed));
    return bytes;
}

void replaceFile(const std::string& path, std::string_view bytes) {
    const auto fail = [&] { raise(text(msg::kSaveFailed) + path); };
    if (path.empty()) fail();
    const std::string target = resolveTarget(path);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) fail();

    Fd f;
    std::string tmp;
    for (int attempt = 0; attempt < 100 && f.fd < 0; ++attempt) {
        tmp = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        f.fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (f.fd < 0 && errno != EEXIST) break;
    }
    if (f.fd < 0) fail();

    bool ok = true;
    if (exists) ok = ::fchmod(f.fd, old.st_mode & 07777) == 0;
    ok = ok && writeAll(f.fd, bytes);
    // Data must be on disk before the rename makes it the file; otherwise a crash could leave an empty one.
    ok = ok && ::fsync(f.fd) == 0;
    ok = ::close(f.release()) == 0 && ok;
    ok = ok && ::rename(tmp.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(tmp.c_str());
        fail();
    }
}

}  // namespace novra::fileio
