#include "shell/view_file_open.h"

#include <vector>

#include "astro/city_lookup.h"
#include "astro/clock.h"
#include "astro/comet_import.h"
#include "persist/regular_file.h"
#include "persist/view_file.h"
#include "shell/program.h"
#include "state/messages.h"

namespace shell {
namespace {

constexpr std::size_t kCompanionTextLimit = 9999;

void ShowStop(const char* text) {
    state::ShowMessage({text, "", state::MessageIcon::Stop, state::MessageButtons::Ok});
}

// The text of the ".TXT" file beside a view file (the last four characters replaced).
std::string CompanionText(const std::string& path) {
    if (path.size() <= 4) return {};
    std::vector<uint8_t> bytes;
    persist::ReadRegularFileStart(path.substr(0, path.size() - 4) + ".TXT", kCompanionTextLimit,
                                  bytes);
    return std::string(bytes.begin(), bytes.end());
}

std::string Unquoted(const std::string& path) {
    if (!path.empty() && path.front() == '"')
        return path.substr(1, path.size() >= 2 ? path.size() - 2 : 0);
    return path;
}

}  // namespace

bool OpenViewFile(Program& program, const std::string& givenPath, bool prompts) {
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
            const auto imported = astro::ImportCometText(Unquoted(givenPath), program.comets,
                                                         program.options, program.view);
            if (imported.changed) program.view.ViewChanged = true;
            return imported.changed;
        }
        case persist::ViewFileResult::Opened:
            break;
    }
    astro::NormalizeClock(program.view.clock);
    program.view.CurrentCity = FindCurrentCity(program);
    program.view.ViewChanged = true;
    const std::string text = CompanionText(Unquoted(givenPath));
    if (!text.empty()) {
        state::ShowMessage({text, "", state::MessageIcon::Information, state::MessageButtons::Ok});
    }
    return true;
}

int FindCurrentCity(const Program& program) {
    const auto records = program.data.block(persist::BlockId::CITY).records<state::CityRecord>();
    std::vector<state::CityRecord> cities;
    cities.reserve(records.count());
    for (std::size_t i = 0; i < records.count(); ++i)
        cities.push_back(records.at(i));
    const state::ViewState& view = program.view;
    return astro::FindCity(cities, program.options, view.Ido2, view.Keido2, view.TimeZone);
}

}  // namespace shell
