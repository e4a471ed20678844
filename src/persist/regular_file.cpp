#include "persist/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>

namespace persist {
namespace {

FileStatus StatusOfErrno(int error) {
    return error == ENOENT || error == ENOTDIR ? FileStatus::Missing : FileStatus::Unreadable;
}

// Reads up to limit bytes (one more when probing for a longer file) until the end of the file.
FileStatus ReadOpenFile(int fd, std::size_t limit, bool refuseLonger, std::vector<uint8_t>& bytes) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) return FileStatus::Unreadable;
    const auto size = static_cast<std::size_t>(info.st_size);
    if (refuseLonger && size > limit) return FileStatus::TooLarge;
    const std::size_t wanted = refuseLonger ? limit + 1 : limit;
    try {
        bytes.clear();
        bytes.reserve(std::min(size, limit));
        uint8_t chunk[65536];
        while (bytes.size() < wanted) {
            const std::size_t ask = std::min(sizeof chunk, wanted - bytes.size());
            const ssize_t got = ::read(fd, chunk, ask);
            if (got < 0 && errno == EINTR) continue;
            if (got < 0) return FileStatus::Unreadable;
            if (got == 0) break;
            bytes.insert(bytes.end(), chunk, chunk + got);
        }
    } catch (const std::bad_alloc&) {
        bytes = {};
        return FileStatus::NoMemory;
    }
    // A file that grew past its limit while it was read.
    if (bytes.size() > limit) return FileStatus::TooLarge;
    return FileStatus::Ok;
}

FileStatus Read(const std::string& path, std::size_t limit, bool refuseLonger,
                std::vector<uint8_t>& bytes) {
    FileStatus status;
    const int fd = OpenRegularFile(path, status);
    if (fd < 0) return status;
    status = ReadOpenFile(fd, limit, refuseLonger, bytes);
    ::close(fd);
    if (status != FileStatus::Ok) bytes = {};
    return status;
}

}  // namespace

const char* FileStatusText(FileStatus status) {
    switch (status) {
        case FileStatus::Ok:
            return "";
        case FileStatus::Missing:
            return "does not exist";
        case FileStatus::NotRegular:
            return "is not a regular file";
        case FileStatus::TooLarge:
            return "is too large";
        case FileStatus::NoMemory:
            return "does not fit in memory";
        case FileStatus::Unreadable:
            break;
    }
    return "cannot be read";
}

int OpenRegularFile(const std::string& path, FileStatus& status) {
    // Look before opening: opening a FIFO waits for a writer, and opening a device may act.
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        status = StatusOfErrno(errno);
        return -1;
    }
    if (!S_ISREG(info.st_mode)) {
        status = FileStatus::NotRegular;
        return -1;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) {
        status = StatusOfErrno(errno);
        return -1;
    }
    // The path may have been replaced between the look and the open.
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        status = FileStatus::NotRegular;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    status = FileStatus::Ok;
    return fd;
}

FileStatus ReadRegularFile(const std::string& path, std::size_t limit, std::vector<uint8_t>& bytes,
                           std::size_t spare) {
    const FileStatus status = Read(path, limit, true, bytes);
    if (status != FileStatus::Ok || spare == 0) return status;
    try {
        bytes.resize(bytes.size() + spare, 0);
    } catch (const std::bad_alloc&) {
        bytes = {};
        return FileStatus::NoMemory;
    }
    return status;
}

FileStatus ReadRegularFileStart(const std::string& path, std::size_t limit,
                                std::vector<uint8_t>& bytes) {
    return Read(path, limit, false, bytes);
}

}  // namespace persist
