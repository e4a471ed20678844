// Stars: the built-in star blocks (STAR2 with its zone index STIDX) and the Guide Star Catalog
// files read zone by zone. Magnitudes are tenths of a magnitude; a stored magnitude byte holds
// magnitude x 10 + 20. Positions are ecliptic longitude and latitude of epoch 2000 in binary
// angles. Every record is read through bounds-checked views: indices that point past the end
// of a block or file are cut back to what is there.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "persist/data_set.h"
#include "persist/record_view.h"
#include "persist/records/star_records.h"
#include "render/canvas.h"
#include "render/frame_state.h"
#include "render/sky_projection.h"
#include "state/view_state.h"

namespace render {

inline constexpr int kStarLevelCount = 96;  // magnitude 0.0 .. 9.5
inline constexpr int kMinimumProjectedStars = 2859;
inline constexpr int kNoColourClass = 9;

// Star pass numbers.
inline constexpr int kPassMain = 1;
inline constexpr int kPassFaintZones = 2;
inline constexpr int kPassTrace = 3;
inline constexpr int kPassHalo = 4;
// Guide Star Catalog pass numbers.
inline constexpr int kGscPassMain = 1;
inline constexpr int kGscPassHalo = 2;

// The star blocks as the passes read them, set up once after the data set is loaded.
struct StarCatalog {
    persist::RecordView<persist::StarRecord> stars;  // STAR2
    persist::ByteView zoneIndex;                     // STIDX, u32 entries
    int brightStarCount = 0;                         // ALPHA records, at most the STAR2 records
    // Entry i: number of STAR2 stars of magnitude code up to i (0.0 .. 9.5), counted from the
    // loaded block so that the Brightness menu and the star count describe this catalogue.
    std::array<int, kStarLevelCount> countByLevel{};

    // Guide Star Catalog.
    bool gscAvailable = false;
    char gscLetter = 'G';  // 'A' with QELGAIDX.DAT, 'G' with QELGSIDX.DAT
    std::string gscPath;   // folder of the catalogue files
    persist::RecordView<persist::GscIndexEntry> gscIndex;  // 96 x 72 zones
};

StarCatalog BuildStarCatalog(const persist::DataSet& data, const std::string& gscPath);
std::array<int, kStarLevelCount> ComputeStarCountByLevel(
    const persist::RecordView<persist::StarRecord>& stars);

// Magnitude in tenths from a stored byte: byte - 20, and 95 for 115 and above.
int MagnitudeOfCode(uint8_t code);
// O, B -> 0; A -> 1; F, P -> 2; G, W -> 3; K -> 4; M, N, R, S, C -> 5; else 9.
int SpectralClassOf(uint8_t letter);

// The automatic star level for a zoom (percent), in tenths of a magnitude plus 40's offset:
// 40 .. 94, or up to 150 when the Guide Star Catalog is in use.
int AutoStarLevel(int zoom, int drawStarMode, int autoBriMode, bool gscInUse);

// Size number of a star of magnitude m at star level starLevel in a drawing style.
int StarSizeNumber(int style, int starLevel, int magnitude);

// One projected STAR2 record (drawing coordinates clamped to +-32000, projection flag).
struct StarScreen {
    int16_t x = 0;
    int16_t y = 0;
    int16_t flag = 0;
};

// What the star passes need from the frame.
struct StarContext {
    Canvas& canvas;
    const state::ViewState& view;
    const RenderFrame& frame;
    const StarCatalog& catalog;
    const SkyProjection& projection;
    std::vector<StarScreen>& screen;
};

// Projects the first count STAR2 records (with proper motion when KoyuKeisan) into screen.
void ProjectStars(const StarContext& context, int count);

// The screen point of STAR2 record index: its StarScreen record when this frame's projection
// pass covered it (index below BrightStarCount and below max(StarCount, 2859)), else projected
// now with proper motion. Layers that refer to stars by number (figures, labels) use it. An
// index outside STAR2 gives flag -1 (not drawn).
ProjectedPoint StarPoint(const StarContext& context, int index);

// The visibility test of every pass: a projected point in front of the viewer, inside the
// viewport and, while the ground is shown, not below the horizon.
bool PointVisible(const Viewport& viewport, bool horizonShown, int x, int y, int flag);
bool StarVisible(const StarContext& context, int x, int y, int flag);

// Visibility of the 24 x 18 star zones (grid 1) or the 96 x 72 catalogue zones (grid 2),
// zone z = a x rows + d; 1 = may touch the view.
std::vector<uint8_t> ComputeZoneVisibility(const StarContext& context, int grid);

// Built-in stars: pass 1 main, 2 faint zones, 3 trace, 4 halo.
void DrawStarPass(const StarContext& context, int pass, int target);

// Guide Star Catalog stars: pass 1 main, 2 halo; level = StarLevel + 20.
void DrawGscPass(const StarContext& context, int pass, int level, int target);

}  // namespace render
