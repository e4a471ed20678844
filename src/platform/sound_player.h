// Sound files played for the user (WAV, asynchronously): one sound at a time, a new one stops
// the one playing. Without an audio device nothing is heard and nothing is reported.
#pragma once

#include <QString>

namespace platform {

// Starts playing the WAV file at path. Returns false, and plays nothing, for a file that is
// missing or not a RIFF WAVE file; the sound that was playing stops in every case.
bool PlayWaveFile(const QString& path);

void StopSound();

}  // namespace platform
