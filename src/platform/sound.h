// Sound through Qt Multimedia: one WAV file at a time, played asynchronously; a new sound stops
// the one that plays. A computer without an audio output stays silent, without a message.
#pragma once

#include <string>

namespace platform {

// Starts the file and returns true, or returns false (and plays nothing) when the file is not
// a readable WAV or there is no audio output.
bool PlaySoundFile(const std::string& path);
void StopSound();

// Whether the file begins as a RIFF WAVE file.
bool IsWaveFile(const std::string& path);

}  // namespace platform
