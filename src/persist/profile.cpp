#include "persist/profile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

namespace persist {
namespace {

namespace fs = std::filesystem;

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string IndexKey(std::string_view section, std::string_view key) {
    std::string text;
    text.reserve(section.size() + key.size() + 1);
    text.append(section).append(1, '\n').append(key);  // a line break cannot occur in a name
    for (char& c : text)
        c = LowerAscii(c);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// What one line of a profile file is.
struct ParsedLine {
    enum Kind { Other, Section, Key } kind = Other;
    std::string_view name;   // section or key name, trimmed
    std::string_view value;  // key value, trimmed
};

ParsedLine ParseLine(std::string_view line) {
    std::string_view text = Trim(line);
    ParsedLine parsed;
    if (text.empty() || text.front() == ';') return parsed;
    if (text.front() == '[') {
        text.remove_prefix(1);
        std::size_t close = text.find(']');
        parsed.kind = ParsedLine::Section;
        parsed.name = Trim(text.substr(0, close));
        return parsed;
    }
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return parsed;
    parsed.kind = ParsedLine::Key;
    parsed.name = Trim(text.substr(0, equals));
    parsed.value = Trim(text.substr(equals + 1));
    return parsed;
}

// One pair of matching quotes around a value is not part of it.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Cuts text to at most limit bytes without splitting a UTF-8 character.
std::string CutUtf8(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return std::string(text);
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return std::string(text.substr(0, end));
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string SingleLine(std::string_view value) {
    std::string text(value);
    for (char& c : text)
        if (c == '\n' || c == '\r') c = ' ';
    return text;
}

enum class ReadResult { Ok, Missing, Failed };

ReadResult ReadFileLimited(const std::string& path, std::string& text, FileStatus& status) {
    text.clear();
    std::vector<uint8_t> bytes;
    status = ReadRegularFile(path, kProfileFileLimit, bytes);
    if (status == FileStatus::Missing) return ReadResult::Missing;
    if (status != FileStatus::Ok) return ReadResult::Failed;
    text.assign(bytes.begin(), bytes.end());
    return ReadResult::Ok;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Temporary files of a save are named after the file they replace: "TAVILO.INI.saving-Ab12Cd".
constexpr const char* kTemporaryMark = ".saving-";

// Removes the temporaries that saves of target left behind when they were interrupted. A save
// in progress holds a lock on its temporary, so only abandoned ones are removed.
void RemoveStaleTemporaries(const fs::path& target) {
    const std::string prefix = target.filename().string() + kTemporaryMark;
    std::error_code error;
    fs::directory_iterator entries(target.parent_path().empty() ? "." : target.parent_path(),
                                   error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
        const std::string name = entries->path().filename().string();
        if (name.size() != prefix.size() + 6 || name.compare(0, prefix.size(), prefix) != 0)
            continue;
        const int fd = ::open(entries->path().c_str(),
                              O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
        if (fd < 0) continue;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(entries->path().c_str());
        ::close(fd);
    }
}

void SyncDirectory(const fs::path& directory) {
    int fd = ::open(directory.empty() ? "." : directory.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

Profile::Profile(std::string_view text) {
    if (text.empty()) return;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            lines_.emplace_back(text.substr(start));
            break;
        }
        lines_.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
}

Profile Profile::Load(const std::string& path, FileStatus* status) {
    std::string text;
    FileStatus seen;
    const ReadResult result = ReadFileLimited(path, text, seen);
    if (status) *status = seen;
    if (result != ReadResult::Ok) return Profile();
    return Profile(text);
}

std::optional<Profile> Profile::LoadForUpdate(const std::string& path, FileStatus* status) {
    std::string text;
    FileStatus seen;
    const ReadResult result = ReadFileLimited(path, text, seen);
    if (status) *status = seen;
    switch (result) {
        case ReadResult::Ok:
            return Profile(text);
        case ReadResult::Missing:
            return Profile();
        case ReadResult::Failed:
            break;
    }
    return std::nullopt;
}

std::optional<std::string> Profile::Find(std::string_view section, std::string_view key) const {
    if (!indexed_) BuildIndex();
    auto found = index_.find(IndexKey(section, key));
    if (found == index_.end()) return std::nullopt;
    return found->second;
}

void Profile::BuildIndex() const {
    index_.clear();
    std::string_view section;
    bool inSection = false;
    for (const std::string& line : lines_) {
        ParsedLine parsed = ParseLine(line);
        if (parsed.kind == ParsedLine::Section) {
            section = parsed.name;
            inSection = true;
        } else if (inSection && parsed.kind == ParsedLine::Key) {
            index_.emplace(IndexKey(section, parsed.name), std::string(Unquote(parsed.value)));
        }
    }
    indexed_ = true;
}

std::string Profile::ReadText(std::string_view section, std::string_view key,
                              std::string_view fallback, std::size_t bufferSize) const {
    if (bufferSize == 0) return {};
    std::optional<std::string> value = Find(section, key);
    return CutUtf8(value ? std::string_view(*value) : fallback, bufferSize - 1);
}

int Profile::ReadInt(std::string_view section, std::string_view key, int fallback) const {
    std::optional<std::string> value = Find(section, key);
    if (!value || value->empty()) return fallback;
    return ParseProfileInt(*value);
}

void Profile::Write(std::string_view section, std::string_view key, std::string_view value) {
    indexed_ = false;
    // Lines we add follow the file's own line ending.
    const bool crlf = !lines_.empty() && !lines_.front().empty() && lines_.front().back() == '\r';
    const std::string eol = crlf ? "\r" : "";
    const std::string newLine = std::string(Trim(key)) + "=" + SingleLine(value) + eol;
    // The file text always ends with a line break: the last element is the empty remainder.
    if (lines_.empty() || !lines_.back().empty()) lines_.emplace_back();
    const std::size_t end = lines_.size() - 1;

    std::size_t sectionStart = end;  // index of the header line, end when absent
    std::size_t lastContent = end;   // last non-blank line of the section
    for (std::size_t i = 0; i < end; ++i) {
        ParsedLine parsed = ParseLine(lines_[i]);
        if (parsed.kind == ParsedLine::Section) {
            if (sectionStart != end) break;  // the matching section has ended
            if (EqualNoCase(parsed.name, section)) sectionStart = lastContent = i;
            continue;
        }
        if (sectionStart == end) continue;
        if (parsed.kind == ParsedLine::Key && EqualNoCase(parsed.name, key)) {
            const bool lineCrlf = !lines_[i].empty() && lines_[i].back() == '\r';
            lines_[i] = std::string(parsed.name) + "=" + SingleLine(value) + (lineCrlf ? "\r" : "");
            return;
        }
        if (!Trim(lines_[i]).empty()) lastContent = i;
    }
    if (sectionStart == end) {
        std::vector<std::string> added;
        if (end > 0 && !Trim(lines_[end - 1]).empty()) added.push_back(eol);
        added.push_back("[" + std::string(section) + "]" + eol);
        added.push_back(newLine);
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(end), added.begin(),
                      added.end());
        return;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastContent + 1), newLine);
}

void Profile::WriteInt(std::string_view section, std::string_view key, int value) {
    Write(section, key, std::to_string(value));
}

void Profile::Erase(std::string_view section, std::string_view key) {
    indexed_ = false;
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        ParsedLine parsed = ParseLine(lines_[i]);
        if (parsed.kind == ParsedLine::Section) {
            inSection = EqualNoCase(parsed.name, section);
        } else if (inSection && parsed.kind == ParsedLine::Key && EqualNoCase(parsed.name, key)) {
            lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
    }
}

std::string Profile::Text() const {
    std::string text;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (i > 0) text += '\n';
        text += lines_[i];
    }
    return text;
}

bool Profile::Save(const std::string& path, std::string* reason) const {
    return WriteFileAtomically(path, Text(), reason);
}

int ParseProfileInt(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

std::string EncodeRecord(const void* record, std::size_t size) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    const auto* bytes = static_cast<const uint8_t*>(record);
    std::string text;
    text.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 0x0F];
    }
    return text;
}

std::size_t DecodeRecord(std::string_view text, void* record, std::size_t size) {
    auto* bytes = static_cast<uint8_t*>(record);
    if (text.size() > size * 2) text = text.substr(0, size * 2);
    std::size_t decoded = 0;
    for (; decoded * 2 + 1 < text.size(); ++decoded) {
        int high = HexDigit(text[decoded * 2]);
        int low = HexDigit(text[decoded * 2 + 1]);
        if (high < 0 || low < 0) break;
        bytes[decoded] = static_cast<uint8_t>(high << 4 | low);
    }
    return decoded;
}

bool WriteProfileValues(const std::string& path, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& values,
                        std::string* reason) {
    FileStatus status;
    std::optional<Profile> profile = Profile::LoadForUpdate(path, &status);
    if (!profile) {
        if (reason) *reason = FileStatusText(status);
        return false;
    }
    for (const auto& [key, value] : values)
        profile->Write(section, key, value);
    return profile->Save(path, reason);
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* reason) {
    const auto fail = [reason](const std::string& why) {
        if (reason) *reason = why;
        return false;
    };
    std::error_code error;
    fs::path target(path);
    // A settings file kept as a link elsewhere stays a link: the file it names is replaced.
    if (fs::is_symlink(fs::symlink_status(target, error))) {
        target = fs::weakly_canonical(target, error);
        if (error) return fail(error.message());
    }
    // Only a regular file is ever replaced: a device or FIFO keeps its place.
    const fs::file_status existing = fs::status(target, error);
    if (fs::exists(existing) && !fs::is_regular_file(existing))
        return fail(FileStatusText(FileStatus::NotRegular));
    const fs::path directory = target.parent_path();
    if (!directory.empty()) {
        fs::create_directories(directory, error);
        if (error) return fail(error.message());
    }
    mode_t mode = 0644;
    if (struct stat info; ::stat(target.c_str(), &info) == 0) mode = info.st_mode & 07777;

    RemoveStaleTemporaries(target);
    std::string temporary = target.string() + kTemporaryMark + "XXXXXX";
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return fail(std::strerror(errno));
    // Held until the new file is in place: a lock that nobody holds marks a stale temporary.
    ::flock(fd, LOCK_EX);
    bool ok = WriteAll(fd, bytes) && ::fchmod(fd, mode) == 0 && ::fsync(fd) == 0 &&
              ::rename(temporary.c_str(), target.c_str()) == 0;
    int failure = ok ? 0 : errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        failure = errno;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        return fail(std::strerror(failure));
    }
    SyncDirectory(directory);
    return true;
}

}  // namespace persist
