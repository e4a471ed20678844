// The narration index: the folder named by the settings key "source" holds "BASIC.TXT", one
// section per narration event whose key "WAV" names the event's sound file in that folder. The
// recordings can so be replaced without touching the program.
#pragma once

#include <string>

namespace persist {

// The narration folder from the settings (bare-name copy first), made absolute against the data
// directory; the data directory itself when the key is empty.
std::string NarrationFolder();

// The sound file of an event in the folder's index, or empty when the index, the section or its
// "WAV" key is missing. A leading "\" or "/" of the value is ignored and "\" separates folders.
std::string NarrationSoundFile(const std::string& folder, const std::string& event);

}  // namespace persist
