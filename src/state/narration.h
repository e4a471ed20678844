// Narration: after a change of the view the program names the most important change in one
// spoken event ("ConstellationON", "North", "Evening", ...). This unit decides which event, by
// comparing the view with a snapshot taken at the previous check; playing it is the shell's.
#pragma once

#include <cstdint>

#include "state/view_state.h"

namespace state {

// The values at the previous check. Azimuth and altitude in whole tenths of a degree.
struct NarrationSnapshot {
    int32_t SekidouMod = 0;
    int32_t TrackedKind = -1;
    int32_t TrackedIndex = 0;
    bool Tracking = false;
    bool AutoRunning = false;
    int32_t AutoType = 0;
    int32_t Keisanji = 0;
    int32_t Dst = 0;
    int32_t Constella = 0;
    int32_t StarName = 0;
    int32_t Galaxy = 0;
    int32_t Solar = 0;
    int32_t Comet = 0;
    int32_t Line = 0;
    int32_t Picture = 0;
    int32_t Kyoukai = 0;
    int32_t Horizon = 0;
    int32_t Glid = 0;
    int32_t Sekidou = 0;
    int32_t Koudou = 0;
    int32_t Asterisms = 0;   // Kisetu + KisetuName
    int32_t OldChinese = 0;  // ShukuLine + ShukuName + ShukuStar
    CivilClock clock;
    int32_t Zoom = 0;
    int32_t azimuth = 0;
    int32_t altitude = 0;
};

// One-shot reasons to speak that the view itself does not show; every check clears them.
struct NarrationTriggers {
    static constexpr int kViewFileOpened = 1;
    static constexpr int kViewFileWithOwnSound = 2;  // its own sound plays: nothing is said

    int viewFile = 0;  // 0, kViewFileOpened or kViewFileWithOwnSound
    bool displayModeApplied = false;
    bool locationChanged = false;
    bool autoModeDialogChanged = false;
};

struct Narration {
    NarrationSnapshot snapshot;
    NarrationTriggers triggers;
    // The first check says "Welcome", the second only takes the snapshot.
    int startCounter = 2;
};

NarrationSnapshot TakeNarrationSnapshot(const ViewState& view, const AppOptions& options);

// The check after a change of the view: the name of the event to play, or nullptr. With
// SpeakFlag off nothing happens, not even the snapshot, so the first check after speech is
// switched on reports what changed meanwhile.
const char* NarrationCheck(Narration& narration, const ViewState& view, const AppOptions& options);

}  // namespace state
