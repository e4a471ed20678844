#include "shell/external_programs.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include "persist/paths.h"
#include "persist/profile.h"

namespace shell {
namespace {

constexpr const char* kSection = "Gaibu v7";
constexpr std::size_t kFieldSize = 64;  // 63 characters and the terminator

}  // namespace

std::vector<ExternalProgram> ReadExternalPrograms() {
    const persist::Profile bare = persist::Profile::Load(persist::BareSettingsPath());
    const persist::Profile shipped = persist::Profile::Load(persist::ProgramSettingsPath());
    std::vector<ExternalProgram> programs;
    for (int n = 0; n < kExternalProgramSlots; ++n) {
        const std::string nameKey = "Name" + std::to_string(n);
        const std::string pathKey = "Path" + std::to_string(n);
        const persist::Profile* source = &bare;
        std::string name = bare.ReadText(kSection, nameKey, "", kFieldSize);
        if (name.empty()) {
            source = &shipped;
            name = shipped.ReadText(kSection, nameKey, "", kFieldSize);
        }
        if (name.empty()) continue;
        programs.push_back({n, name, source->ReadText(kSection, pathKey, "", kFieldSize)});
    }
    return programs;
}

std::string ExternalCommandLine(const ExternalProgram& program, const std::string& dataDirectory) {
    if (program.path.empty() || program.path[0] == '#') return {};
    // An absolute path names its program itself; a relative one lives beside the data.
    if (program.path[0] == '/' || dataDirectory.empty()) return program.path;
    return persist::JoinPath(dataDirectory, program.path);
}

void RunExternalProgram(const ExternalProgram& program) {
    const std::string line = ExternalCommandLine(program, persist::DataDirectory());
    if (line.empty()) return;
    QStringList arguments = QProcess::splitCommand(QString::fromStdString(line));
    if (arguments.isEmpty()) return;
    const QString executable = arguments.takeFirst();
    QProcess::startDetached(executable, arguments);
}

}  // namespace shell
