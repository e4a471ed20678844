// Where the program finds its files on Linux. All paths are UTF-8 strings with "/" separators.
//
// - The data directory plays the part of the "program directory": the shipped data set,
//   QELDATA.INI, QELCOMET.DAT and the default TAVILO.INI. The shell sets it once at start-up.
// - The bare-name settings copy ($XDG_CONFIG_HOME/planetarium/TAVILO.INI) receives every write.
// - The default user directory ($XDG_DATA_HOME/planetarium) holds the user's files when the
//   UserPath setting is empty.
#pragma once

#include <string>

namespace persist {

inline constexpr const char* kSettingsFileName = "TAVILO.INI";

// Sets and returns the data directory (no trailing "/" needed). Empty until set.
void SetDataDirectory(const std::string& directory);
const std::string& DataDirectory();

// $XDG_CONFIG_HOME/planetarium/TAVILO.INI, default ~/.config/planetarium/TAVILO.INI.
std::string BareSettingsPath();
// The copy of the settings file beside the data: DataDirectory()/TAVILO.INI.
std::string ProgramSettingsPath();
// $XDG_DATA_HOME/planetarium, default ~/.local/share/planetarium (no trailing "/").
std::string DefaultUserDirectory();

// The directory followed by name: "dir/name"; a "/" is added only when dir does not end in one.
std::string JoinPath(const std::string& directory, const std::string& name);
// A file beside the program: JoinPath(DataDirectory(), name).
std::string ProgramFile(const std::string& name);

// Makes a folder setting absolute (GscPath, UserPath, narration folder): a path starting with
// "/" stays, any other non-empty path is joined to the data directory; then a trailing "/" is
// removed from a result of 4 or more characters. An empty path stays empty.
std::string MakeAbsoluteFolder(const std::string& path);

}  // namespace persist
