// Reading the program's files safely. Only regular files are opened (symbolic links are
// followed), so a FIFO, a device or a folder put in place of a settings, data, view or picture
// file can neither block the program nor feed it endless bytes; and every kind of file is read
// up to a limit of its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace persist {

enum class FileStatus {
    Ok,
    Missing,     // no such file
    NotRegular,  // a FIFO, a device, a folder, a socket
    TooLarge,    // larger than the limit of its kind
    NoMemory,    // the bytes could not be held
    Unreadable,  // permission or input/output error
};

// "is not a regular file", "is too large", ... (empty for Ok), to follow a file's path.
const char* FileStatusText(FileStatus status);

// Opens path for reading when it is a regular file, without ever blocking on what it is.
// Returns the descriptor, or -1 with the reason in status.
int OpenRegularFile(const std::string& path, FileStatus& status);

// Reads a whole regular file of at most limit bytes into bytes, followed by spare zero bytes
// (not counted by the file's size). TooLarge when the file holds more than limit bytes.
FileStatus ReadRegularFile(const std::string& path, std::size_t limit, std::vector<uint8_t>& bytes,
                           std::size_t spare = 0);
// Reads at most the first limit bytes of a regular file of any size.
FileStatus ReadRegularFileStart(const std::string& path, std::size_t limit,
                                std::vector<uint8_t>& bytes);

}  // namespace persist
