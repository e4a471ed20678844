// Deep-sky objects (OBJ positions and types, OBJN names), their photographs and the Milky Way
// bands (MILKY). Positions are ecliptic longitude and latitude of epoch 2000 in binary angles;
// the photographs' corners are given in hundredths of a degree. Every block is read through
// bounds-checked views: a names block shorter than the objects leaves the rest unnamed.
#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "persist/records/world_records.h"
#include "render/sky_scene.h"

namespace render {

// Images of one group (0, 1, 2) of the deep-sky objects.
void DrawDeepSkyImages(LayerContext& layer, int group);
// Milky Way band 1 or 2 at an intensity (band 1: 0..6, band 2: 0..10).
void DrawMilkyWay(LayerContext& layer, int band, int intensity);
// Projects the deep-sky objects into the frame's object table.
void ProjectDeepSkyObjects(LayerContext& layer);
void DrawDeepSkySymbols(LayerContext& layer);

// A meteor-shower radiant's peak: the Sun's longitude in whole degrees written in its Messier
// field from the second character on; nothing when no number is there.
std::optional<int> RadiantPeakOf(const persist::ObjectNameRecord& names);
// The radiant shows while the Sun is within 3 degrees of its peak (solarLongitude in
// hundredths of a degree).
bool RadiantActive(int solarLongitude, int peakDegrees);

// A photograph placed on the sky: resource name, group and its corners (longitude, latitude in
// hundredths of a degree; 1 and 2 along the top edge, 3 and 4 along the bottom edge).
struct DeepSkyImage {
    std::string_view resource;
    int group;
    std::array<std::array<int, 2>, 4> corners;
};
extern const std::array<DeepSkyImage, 28> kDeepSkyImages;

// The largest picture the image layer paints, pixels each way.
inline constexpr int kDeepSkyPictureLimit = 160;

}  // namespace render
