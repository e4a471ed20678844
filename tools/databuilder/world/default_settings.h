// The default settings file "TAVILO.INI" shipped beside the data set: every key of the settings
// section with its default (written by the program's own settings writer from a default view
// state, so the two cannot drift apart), the narration folder, and an example external program.
#pragma once

#include <string>

namespace databuilder::world {

// The example external program: a script beside the data set that shows SOURCES.txt.
extern const char* const kShowSourcesScript;
std::string ShowSourcesScriptText();

// narrationFolder: the narration folder relative to the data set ("source" key).
std::string DefaultSettingsText(const std::string& narrationFolder);

}  // namespace databuilder::world
