#include "framework/source_registry.h"

#include <QCryptographicHash>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <fstream>
#include <sstream>

#include "framework/build_error.h"

namespace fs = std::filesystem;

namespace databuilder {

namespace {

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Runs a program to completion; returns false with `error` holding its diagnosis when it fails.
bool runProgram(const QString& program, const QStringList& args, const fs::path& workDir,
                std::string& error) {
    QProcess process;
    process.setWorkingDirectory(QString::fromStdString(workDir.string()));
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, args);
    if (!process.waitForStarted(-1)) {
        error = program.toStdString() + " could not be started";
        return false;
    }
    process.waitForFinished(-1);
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        QString out = QString::fromLocal8Bit(process.readAll()).trimmed();
        const auto lines = out.split('\n');
        error = program.toStdString() + " failed" +
                (lines.isEmpty() || out.isEmpty() ? std::string()
                                                  : ": " + lines.last().trimmed().toStdString());
        return false;
    }
    return true;
}

std::string readSmallFile(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

std::string describe(const SourceSpec& spec) {
    return spec.package + " " + spec.version +
           (spec.kind == SourceKind::DebianPackage ? " (Debian package)" : " (npm package)");
}

std::string archiveStem(const SourceSpec& spec) {
    if (spec.kind == SourceKind::DebianPackage) {
        std::string version;
        for (char c : spec.version)
            version += c == ':' ? std::string("%3a") : std::string(1, c);
        return spec.package + "_" + version + "_";
    }
    std::string name = spec.package;
    if (!name.empty() && name[0] == '@') name = name.substr(1);
    for (char& c : name)
        if (c == '/') c = '-';
    return name + "-" + spec.version + ".tgz";
}

std::string sha256OfFile(const fs::path& path) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly)) return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file)) return {};
    return hash.result().toHex().toStdString();
}

SourceRegistry::SourceRegistry(fs::path cacheDir, Fetcher fetcher)
    : cacheDir_(std::move(cacheDir)), fetcher_(std::move(fetcher)) {}

bool SourceRegistry::runPackageClient(const SourceSpec& spec, const fs::path& cacheDir,
                                      std::string& error) {
    if (spec.kind == SourceKind::DebianPackage)
        return runProgram("apt-get", {"download", "-q", qs(spec.package + "=" + spec.version)},
                          cacheDir, error);
    return runProgram("npm", {"pack", "--silent", qs(spec.package + "@" + spec.version)}, cacheDir,
                      error);
}

fs::path SourceRegistry::findArchive(const SourceSpec& spec) const {
    const std::string stem = archiveStem(spec);
    std::error_code ec;
    if (spec.kind == SourceKind::NpmTarball) {
        fs::path p = cacheDir_ / stem;
        return fs::is_regular_file(p, ec) ? p : fs::path();
    }
    for (const auto& entry : fs::directory_iterator(cacheDir_, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind(stem, 0) == 0 && name.size() > 4 && name.ends_with(".deb"))
            return entry.path();
    }
    return {};
}

fs::path SourceRegistry::unpackedDir(const SourceSpec& spec) const {
    std::string stem = archiveStem(spec);
    while (!stem.empty() && stem.back() == '_')
        stem.pop_back();
    if (stem.ends_with(".tgz")) stem.resize(stem.size() - 4);
    return cacheDir_ / "unpacked" / stem;
}

void SourceRegistry::unpack(const SourceSpec& spec, const fs::path& archive) {
    const fs::path dir = unpackedDir(spec);
    const fs::path temp = dir.string() + ".partial";
    std::error_code ec;
    fs::remove_all(temp, ec);
    fs::remove_all(dir, ec);
    fs::create_directories(temp, ec);
    if (ec) throw BuildError("input " + describe(spec) + ": cannot create " + temp.string());
    std::string error;
    const QString archivePath = QString::fromStdString(archive.string());
    const QString target = QString::fromStdString(temp.string());
    const bool ok = spec.kind == SourceKind::DebianPackage
                        ? runProgram("dpkg-deb", {"-x", archivePath, target}, cacheDir_, error)
                        : runProgram("tar", {"-xzf", archivePath, "-C", target}, cacheDir_, error);
    if (!ok) {
        fs::remove_all(temp, ec);
        throw BuildError("input " + describe(spec) + ": the archive " + archive.string() +
                         " is damaged (" + error + ")");
    }
    fs::rename(temp, dir, ec);
    if (ec) throw BuildError("input " + describe(spec) + ": cannot move " + temp.string());
    std::ofstream(dir.string() + ".sha256") << spec.sha256;
}

fs::path SourceRegistry::root(const SourceSpec& spec) {
    const fs::path dir = unpackedDir(spec);
    std::error_code ec;
    const bool alreadyUnpacked =
        fs::is_directory(dir, ec) && readSmallFile(dir.string() + ".sha256") == spec.sha256;
    if (!alreadyUnpacked) {
        fs::create_directories(cacheDir_, ec);
        fs::path archive = findArchive(spec);
        // A cached archive with the wrong checksum may be a broken download: fetch it once more.
        if (!archive.empty() && sha256OfFile(archive) != spec.sha256) {
            fs::remove(archive, ec);
            archive.clear();
        }
        if (archive.empty()) {
            std::string error;
            if (!fetcher_(spec, cacheDir_, error))
                throw BuildError("input " + describe(spec) + " cannot be downloaded: " + error);
            archive = findArchive(spec);
            if (archive.empty())
                throw BuildError("input " + describe(spec) + " cannot be downloaded: no " +
                                 archiveStem(spec) + "* appeared in " + cacheDir_.string());
            const std::string actual = sha256OfFile(archive);
            if (actual != spec.sha256)
                throw BuildError("input " + describe(spec) + ": checksum mismatch for " +
                                 archive.string() + " (SHA-256 " + actual + ", expected " +
                                 spec.sha256 + ")");
        }
        unpack(spec, archive);
    }
    bool known = false;
    for (const auto& s : used_)
        known = known || (s.package == spec.package && s.version == spec.version);
    if (!known) used_.push_back(spec);
    return dir;
}

fs::path SourceRegistry::file(const SourceSpec& spec, const std::string& relativePath) {
    const fs::path path = root(spec) / relativePath;
    std::error_code ec;
    if (!fs::is_regular_file(path, ec))
        throw BuildError("input " + describe(spec) + ": " + relativePath + " is missing");
    return path;
}

}  // namespace databuilder
