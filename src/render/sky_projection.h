// The projection the point layers use: ecliptic longitude and latitude of epoch 2000 in binary
// angles (32768 per turn) to a screen offset from the view centre, with the flag of the
// projection (<= 0 more than 150 degrees from the centre, 20000 below the horizon, 1..16385 in
// front). Bound per frame to the frame's integer projection; tests bind their own.
#pragma once

#include <cstdint>

namespace render {

inline constexpr int kBelowHorizonFlag = 20000;

struct ProjectedPoint {
    int x = 0;
    int y = 0;
    int flag = 0;
};

struct SkyProjection {
    using ProjectFunction = ProjectedPoint (*)(const void* context, int lon, int lat);
    ProjectFunction project = nullptr;
    const void* context = nullptr;
    bool horizonShown = false;    // the frame's HorizonShown
    int properMotionDecades = 0;  // trunc((year - 2000) / 10); 0 in GSC mode

    ProjectedPoint Ecliptic(int lon, int lat) const { return project(context, lon, lat); }
};

}  // namespace render
