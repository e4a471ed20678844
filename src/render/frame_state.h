// The per-frame values that RenderSky derives before drawing and the layers read while they
// draw. Levels are tenths of a magnitude; sunSine is 16384 x sine of the Sun's altitude.
#pragma once

namespace render {

// Render targets.
inline constexpr int kTargetScreen = 0;
inline constexpr int kTargetMonochromePrint = 1;
inline constexpr int kTargetColourPrint = 2;

inline constexpr int kNoTwilightLimit = 99999;

// The visible area in drawing coordinates: x in [-halfWidth, halfWidth], y likewise.
struct Viewport {
    int halfWidth = 0;
    int halfHeight = 0;
    bool contains(int x, int y) const {
        return x >= -halfWidth && x <= halfWidth && y >= -halfHeight && y <= halfHeight;
    }
};

struct RenderFrame {
    Viewport viewport;
    int bitmapCentreX = 0;  // device position of the view centre on screen
    int bitmapCentreY = 0;

    int sunSine = -16384;
    double eclipseFactor = 1.0;  // 1 normally, 0 in a total solar eclipse
    int solarLongitude = 0;      // hundredths of a degree, 0..35999
    int twilightLevel = kNoTwilightLimit;
    int starLevel = 0;  // 0..95, up to 150 in gscMode
    int starCount = 0;
    bool gscMode = false;
    int deepSkyLevel = 0;   // 0..10
    int milkyWayLevel = 0;  // 0..6
    bool civilDaylight = false;
    bool constellationVisible = true;
    bool asterismVisible = true;
    bool cometVisible = true;
    bool bodyVisibleBright = true;
    bool bodyVisibleMedium = true;
    bool bodyVisibleFaint = true;
    int linePenWidth = 0;
    int bodyColourMode = 0;  // 0 screen, 1 monochrome print, 4 colour print
};

}  // namespace render
