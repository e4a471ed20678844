#include "default_settings.h"

#include "persist/default_tables.h"
#include "persist/profile.h"
#include "persist/settings.h"
#include "state/view_state.h"

namespace databuilder::world {

const char* const kShowSourcesScript = "show-sources.sh";

std::string ShowSourcesScriptText() {
    return "#!/bin/sh\n"
           "# Opens the list of the data set's sources and licences in the desktop's viewer.\n"
           "exec xdg-open \"$(dirname \"$0\")/SOURCES.txt\"\n";
}

std::string DefaultSettingsText(const std::string& narrationFolder) {
    // The line colours and fonts of the shipped copy are the built-in defaults, not the zeroed
    // records of a bare view state (which would draw every figure in black).
    state::ViewState view;
    view.lineSets = persist::DefaultLineSets();
    view.fontSets = persist::DefaultFontSets();
    const state::AppOptions options;
    persist::WindowPlacement placement;
    placement.maximisedOrMinimised = true;  // MainWndZ 1: start maximised
    persist::Profile profile;
    persist::WriteFullSettings(profile, view, options, placement);
    persist::WriteDisplaySettings(profile, view);
    persist::WriteLineSets(profile, view);
    persist::WriteFontSets(profile, view);
    const char* section = persist::kSettingsSection;
    // Keys that neither save set writes: their defaults as the settings reader assumes them.
    profile.WriteInt(section, "CometBright", 60);
    profile.WriteInt(section, "CometKyori", 20);
    profile.WriteInt(section, "UserCitys", 0);
    profile.WriteInt(section, "Ido", 41);
    profile.WriteInt(section, "Keido", 74);
    profile.Write(section, "GscPath", "");
    profile.Write(section, "UserPath", "");
    profile.Write(section, "source", narrationFolder);
    // The Astronomy menu's external programs: one example and a separator before it.
    profile.Write("Gaibu v7", "Name0", "-");
    profile.Write("Gaibu v7", "Path0", "");
    profile.Write("Gaibu v7", "Name1", "Data Set &Sources");
    profile.Write("Gaibu v7", "Path1", kShowSourcesScript);
    return profile.Text() + "\n";
}

}  // namespace databuilder::world
