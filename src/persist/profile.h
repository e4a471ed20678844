// Profile (INI) files with the semantics of the classic private-profile functions:
// sections and keys match without regard to ASCII letter case, values are trimmed of blanks
// (and of one pair of enclosing quotes), integers are their leading decimal digits, a missing
// file or key yields the caller's default. A Profile keeps every line of the file, so that a
// write changes one value and leaves every other section, key, comment and blank line alone.
// Saving replaces the file atomically: a temporary file in the same directory is written,
// flushed to disk and renamed over the old one, so a crash never leaves a truncated file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "persist/regular_file.h"

namespace persist {

// Files larger than this are treated as empty when read (a settings file is a few KB).
inline constexpr std::size_t kProfileFileLimit = 16u * 1024u * 1024u;

class Profile {
  public:
    Profile() = default;
    // Parses text; never fails (binary junk simply yields no usable keys).
    explicit Profile(std::string_view text);

    // Reads a regular file; a missing, unreadable, special or oversized file gives an empty
    // profile (and its status when asked).
    static Profile Load(const std::string& path, FileStatus* status = nullptr);
    // Reads a file that is about to be changed: a missing file gives an empty profile, but an
    // existing file that cannot be read (or is special or oversized) gives nothing, so that a
    // write never replaces a file whose contents it could not keep.
    static std::optional<Profile> LoadForUpdate(const std::string& path,
                                                FileStatus* status = nullptr);

    // The trimmed value of the key, or nothing when the section or key is absent.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // The value cut to bufferSize - 1 bytes (at a UTF-8 character boundary), or fallback
    // (also cut) when the key is absent. bufferSize 0 gives an empty text.
    std::string ReadText(std::string_view section, std::string_view key, std::string_view fallback,
                         std::size_t bufferSize) const;
    // The leading decimal integer of the value (see ParseProfileInt); fallback when the key is
    // absent or its value is empty.
    int ReadInt(std::string_view section, std::string_view key, int fallback) const;

    // Sets a key, adding the section at the end of the file and the key at the end of its
    // section when they are new. Values are written as given (no line breaks allowed; they
    // are replaced by blanks).
    void Write(std::string_view section, std::string_view key, std::string_view value);
    void WriteInt(std::string_view section, std::string_view key, int value);
    // Removes a key if present.
    void Erase(std::string_view section, std::string_view key);

    // The file text, lines joined with "\n".
    std::string Text() const;
    // Writes the text atomically to path, creating its directory when missing. Returns false
    // (with the reason when asked, and any existing file untouched) when anything fails.
    bool Save(const std::string& path, std::string* reason = nullptr) const;

  private:
    void BuildIndex() const;

    std::vector<std::string> lines_;
    // Lower-cased "section\nkey" -> value of its first occurrence; rebuilt after a change.
    mutable std::unordered_map<std::string, std::string> index_;
    mutable bool indexed_ = false;
};

// Leading integer as the classic integer profile read gives it: blanks skipped, an optional
// sign, then decimal digits up to the first other character; no digits gives 0. The value
// wraps modulo 2^32 like the 32-bit original.
int ParseProfileInt(std::string_view text);

// Records are stored as two upper-case hexadecimal digits per byte in memory order.
std::string EncodeRecord(const void* record, std::size_t size);
// Decodes pairs of hexadecimal digits (either case), high nibble first, into record. The text
// is cut to 2 x size characters; decoding stops at the first pair that is incomplete or not
// hexadecimal, and the bytes not reached keep their previous contents. Returns bytes decoded.
std::size_t DecodeRecord(std::string_view text, void* record, std::size_t size);

// Loads the file at path, sets the keys of one section and saves it once (atomically).
bool WriteProfileValues(const std::string& path, std::string_view section,
                        const std::vector<std::pair<std::string, std::string>>& values,
                        std::string* reason = nullptr);

// Writes the whole text to path atomically (temporary file, fsync, rename), creating the
// directory when missing. Used by every settings and user-file write. A link is written
// through to the file it names, and only a regular file (or none) is ever replaced. The
// temporaries that interrupted saves of the same file left behind are removed first. On
// failure the old file is untouched and reason (when given) says why.
bool WriteFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* reason = nullptr);

}  // namespace persist
