#include "shell/view_file_open.h"

#include <QFileInfo>
#include <QStringDecoder>

#include <cctype>
#include <vector>

#include "astro/city_lookup.h"
#include "astro/clock.h"
#include "astro/comet_import.h"
#include "astro/comet_lines.h"
#include "persist/comet_file.h"
#include "persist/regular_file.h"
#include "persist/view_file.h"
#include "platform/sound.h"
#include "shell/program.h"
#include "state/messages.h"

namespace shell {
namespace {

constexpr std::size_t kCompanionTextLimit = 9999;

void ShowStop(const char* text) {
    state::ShowMessage({text, "", state::MessageIcon::Stop, state::MessageButtons::Ok});
}

// The file beside a view file with its last four characters replaced by extension (".TXT"),
// or by the lower-case extension when only that one exists; empty when neither is a file.
std::string CompanionPath(const std::string& path, const std::string& extension) {
    if (path.size() <= 4) return {};
    const std::string stem = path.substr(0, path.size() - 4);
    std::string lower = extension;
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (const std::string& candidate : {stem + extension, stem + lower}) {
        if (QFileInfo(QString::fromStdString(candidate)).isFile()) return candidate;
    }
    return {};
}

// Up to 9999 bytes of the companion text, ending at a zero byte. Text that is not UTF-8 is
// taken as Latin-1, as older files were written; a character cut at the limit is left out.
std::string CompanionText(const std::string& path) {
    const std::string textPath = CompanionPath(path, ".TXT");
    if (textPath.empty()) return {};
    std::vector<uint8_t> raw;
    persist::ReadRegularFileStart(textPath, kCompanionTextLimit, raw);
    std::string bytes(raw.begin(), raw.end());
    bytes.resize(bytes.find('\0') == std::string::npos ? bytes.size() : bytes.find('\0'));
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(QByteArrayView(bytes));
    if (!utf8.hasError()) return text.toStdString();
    return QString::fromLatin1(bytes.data(), qsizetype(bytes.size())).toStdString();
}

// The view file's own recording plays instead of the narration's "OpenSetting".
void AnnounceViewFile(Program& program, const std::string& sound) {
    using Triggers = state::NarrationTriggers;
    const bool ownSound = platform::IsWaveFile(sound);
    if (ownSound) platform::PlaySoundFile(sound);
    program.narration.triggers.viewFile =
        ownSound ? Triggers::kViewFileWithOwnSound : Triggers::kViewFileOpened;
}

// Comets in the Minor Planet Center's one-line format: after the user agrees they join the
// comet table, within the import's limit, and the user's comet file is saved.
bool ImportCometLines(Program& program, const std::string& path, const std::string& text) {
    const astro::CometLines lines = astro::ParseCometLines(text);
    if (lines.records.empty()) {
        state::ShowMessage({astro::CometLinesError(lines), "", state::MessageIcon::Exclamation,
                            state::MessageButtons::Ok});
        return false;
    }
    const std::string question =
        "Do you add these comets?\n\n" + std::to_string(lines.records.size()) +
        " in the one-line format of the Minor Planet Center, from\n" + path;
    if (state::ShowMessage({question, "", state::MessageIcon::Question,
                            state::MessageButtons::YesNo}) != state::MessageAnswer::Yes)
        return false;
    const astro::CometMerge merge =
        astro::MergeComets(lines.records, program.comets, state::kCometImportLimit);
    const bool changed = merge.added + merge.replaced > 0;
    if (changed) {
        if (program.view.Comet == 0) program.view.Comet = 3;  // English names
        program.view.ViewChanged = true;
        if (!persist::SaveComets(astro::UserCometFile(program.options), program.comets,
                                 program.options.CometBright, program.options.CometKyori))
            ShowStop("Failed to save!");
    }
    state::ShowMessage(
        {astro::CometMergeSummary(merge, state::kCometImportLimit), "",
         merge.leftOut ? state::MessageIcon::Exclamation : state::MessageIcon::Information,
         state::MessageButtons::Ok});
    return changed;
}

}  // namespace

bool OpenViewFile(Program& program, const std::string& givenPath, bool prompts) {
    const std::string path = persist::UnquotedViewPath(givenPath);
    if (std::string text; astro::ReadCometLinesFile(path, text) == astro::TextRead::Ok &&
                          astro::StartsWithCometLine(text))
        return ImportCometLines(program, path, text);
    const persist::ViewFileResult result =
        persist::OpenViewFile(givenPath, program.view, program.options);
    switch (result) {
        case persist::ViewFileResult::CannotOpen:
            if (prompts) ShowStop(persist::ViewFileMessage(result));
            return false;
        case persist::ViewFileResult::TooShort:
            ShowStop(persist::ViewFileMessage(result));
            return false;
        case persist::ViewFileResult::CometFile: {
            const auto imported =
                astro::ImportCometText(path, program.comets, program.options, program.view);
            if (imported.changed) program.view.ViewChanged = true;
            return imported.changed;
        }
        case persist::ViewFileResult::Opened:
            break;
    }
    astro::NormalizeClock(program.view.clock);
    program.view.CurrentCity = FindCurrentCity(program.data, program.options, program.view);
    program.view.ViewChanged = true;
    AnnounceViewFile(program, CompanionPath(path, ".WAV"));
    const std::string text = CompanionText(path);
    if (!text.empty()) {
        state::ShowMessage({text, "", state::MessageIcon::Information, state::MessageButtons::Ok});
    }
    return true;
}

bool SaveViewFile(const Program& program, const std::string& path) {
    const persist::ViewFileWriteResult result =
        persist::WriteViewFile(path, program.view, program.options);
    if (result == persist::ViewFileWriteResult::Written) return true;
    ShowStop(persist::ViewFileMessage(result));
    return false;
}

int FindCurrentCity(const persist::DataSet& data, const state::AppOptions& options,
                    const state::ViewState& view) {
    const auto records = data.block(persist::BlockId::CITY).records<state::CityRecord>();
    std::vector<state::CityRecord> cities;
    cities.reserve(records.count());
    for (std::size_t i = 0; i < records.count(); ++i)
        cities.push_back(records.at(i));
    return astro::FindCity(cities, options, view.Ido2, view.Keido2, view.TimeZone);
}

}  // namespace shell
