// Pinned inputs of the data set: each is a Debian package or an npm tarball of a fixed version and
// SHA-256. The registry downloads an input into the cache folder without installing it, checks its
// checksum, unpacks it once into the cache and hands out paths inside the unpacked tree.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace databuilder {

enum class SourceKind {
    DebianPackage,  // fetched with `apt-get download NAME=VERSION`, unpacked with dpkg-deb
    NpmTarball,     // fetched with `npm pack NAME@VERSION`, unpacked with tar
};

struct SourceSpec {
    std::string package;
    std::string version;
    std::string sha256;  // of the downloaded archive, lower-case hex
    SourceKind kind;
    std::string licence;  // licence of the package as a whole
    std::string credit;   // who made the data, as the package credits it
};

// File name that `apt-get download` or `npm pack` gives the archive, without the architecture part
// for Debian packages (that is matched by pattern).
std::string archiveStem(const SourceSpec& spec);

class SourceRegistry {
  public:
    // Puts the archive of `spec` into `cacheDir`; returns false with `error` set when it cannot.
    using Fetcher = std::function<bool(const SourceSpec& spec,
                                       const std::filesystem::path& cacheDir, std::string& error)>;

    explicit SourceRegistry(std::filesystem::path cacheDir, Fetcher fetcher = runPackageClient);

    // Root of the unpacked tree of `spec`: fetched, verified and unpacked on first use, reused
    // afterwards. Throws BuildError naming the input when it cannot be had or is corrupt.
    std::filesystem::path root(const SourceSpec& spec);
    // A file inside the unpacked tree; throws BuildError naming the input when it is missing.
    std::filesystem::path file(const SourceSpec& spec, const std::string& relativePath);

    // The inputs handed out so far, in first-use order.
    const std::vector<SourceSpec>& used() const { return used_; }
    const std::filesystem::path& cacheDir() const { return cacheDir_; }

    static bool runPackageClient(const SourceSpec& spec, const std::filesystem::path& cacheDir,
                                 std::string& error);

  private:
    std::filesystem::path findArchive(const SourceSpec& spec) const;
    std::filesystem::path unpackedDir(const SourceSpec& spec) const;
    void unpack(const SourceSpec& spec, const std::filesystem::path& archive);

    std::filesystem::path cacheDir_;
    Fetcher fetcher_;
    std::vector<SourceSpec> used_;
};

std::string describe(const SourceSpec& spec);  // "stellarium-data 0.22.2-1 (Debian package)"
std::string sha256OfFile(const std::filesystem::path& path);  // empty when unreadable

}  // namespace databuilder
