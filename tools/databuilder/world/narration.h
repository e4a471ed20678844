// Narration: one spoken sentence per event of the program's narration, and the index
// "BASIC.TXT" (one INI section per event, key "WAV" naming its sound file in the same folder).
#pragma once

#include <string>
#include <vector>

namespace databuilder::world {

struct NarrationLine {
    const char* event;     // the program's event name
    const char* sentence;  // what is spoken
};

// All 77 events of the program, each with its sentence.
const std::vector<NarrationLine>& NarrationLines();

// Sound file name of an event ("North" -> "North.wav").
std::string SoundFileName(const std::string& event);

// The index file text for the given events.
std::string BasicIndexText(const std::vector<NarrationLine>& lines);

}  // namespace databuilder::world
