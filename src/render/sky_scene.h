// Everything a sky frame is drawn from: the view state, the loaded catalogues, the projection
// tables, the palette, and the per-frame values that RenderSky derives. One scene lives as long
// as the window (or the --render run) that owns it.
#pragma once

#include <functional>
#include <string_view>
#include <vector>

#include "astro/bodies.h"
#include "astro/comets.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"
#include "persist/data_set.h"
#include "render/canvas.h"
#include "render/deep_sky_pictures.h"
#include "render/frame_state.h"
#include "render/label_placement.h"
#include "render/palette.h"
#include "render/primitives.h"
#include "render/sky_projection.h"
#include "render/stars.h"
#include "state/comet_record.h"
#include "state/view_state.h"

namespace render {

struct GlyphSheet;

// What the frame needs from the Sun and Moon, computed for the frame's moment.
struct SunInputs {
    int sunSine = -16384;  // 16384 x sine of the Sun's altitude
    // Angle between the centres of the Sun and the Moon, radians; large when unknown.
    double sunMoonSeparation = 1.0;
    // Heliocentric ecliptic longitude of the Earth, radians.
    double earthLongitude = 0.0;
};
using SunInputsFunction =
    std::function<SunInputs(const state::ViewState& view, const astro::ViewFrame& frame)>;

// A body or a comet as its layer drew it: kind 4 (the Sun, Moon, planets and minor bodies) or
// 5 (comets) with its index, at the present moment (step 0) or, in the Tracing Mode, that many
// steps of the automatic mode before it; in drawing coordinates.
struct DrawnMark {
    int kind = 0;
    int index = 0;
    int step = 0;
    Point at;
};

struct SkyScene {
    state::ViewState* view = nullptr;
    const state::AppOptions* options = nullptr;
    const persist::DataSet* data = nullptr;     // may be null: catalogue layers draw nothing
    const state::CometTable* comets = nullptr;  // may be null: no comets
    // The bitmap glyphs of the bright planets and comets; null draws pixel glyphs only.
    const GlyphSheet* glyphSheet = nullptr;
    StarCatalog stars;
    astro::ProjectionTables tables;
    SkyPalette palette;

    // Replaces the computation of the Sun and bodies (tests put the Sun where they need it).
    SunInputsFunction computeSun;
    // Busy cursor on (true) and off (false) around a frame; may be empty.
    std::function<void(bool busy)> setBusyCursor;
    // Called with the name of each layer as RenderSky reaches it (tests follow the order).
    std::function<void(std::string_view layer)> onLayer;
    // The deep-sky photographs by resource name; empty when the image bundle is missing.
    DeepSkyPictureLookup deepSkyPictures;

    // Written by the caller before each frame.
    Viewport viewport;
    int bitmapCentreX = 0;
    int bitmapCentreY = 0;
    bool printing = false;
    // A smooth view move is under way: tracking waits until it ends.
    bool smoothMoveRunning = false;

    // Written by RenderSky.
    RenderFrame frame;
    astro::ViewFrame viewFrame;
    SkyProjection projection;
    astro::SolarSystemState bodies;
    // The comets of the last comet pass, one per record of the comet table.
    std::vector<astro::CometState> cometStates;
    std::vector<StarScreen> starScreen;
    std::vector<StarScreen> objectScreen;  // one per OBJ record, same layout as the stars'
    // What the frame showed, for the hit test of the sky: the bodies and comets drawn, and per
    // OBJ record 1 when its symbol was drawn.
    std::vector<DrawnMark> drawnMarks;
    std::vector<uint8_t> objectDrawn;
    int traceStep = 0;  // the Tracing Mode step being drawn (0 outside the trace passes)
    PolylineState polyline;
    LabelPlacement labels;
};

// Points the scene at the view, options and loaded catalogues, builds the star catalogue (with
// its counts by level) and the palette from the line colours. The pointed-to objects must
// outlive the scene.
void InitSkyScene(SkyScene& scene, state::ViewState& view, const state::AppOptions& options,
                  const persist::DataSet& data, astro::ProjectionTables tables);

// What a layer draws with.
struct LayerContext {
    Canvas& canvas;
    SkyScene& scene;
    int target;
};

}  // namespace render
