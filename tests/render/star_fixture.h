// Small in-memory star catalogues and a linear projection for the star and pipeline tests.
#pragma once

#include <cstring>
#include <vector>

#include "../persist/test_world.h"
#include "persist/data_set.h"
#include "persist/records/star_records.h"
#include "render/frame_state.h"
#include "render/recording_canvas.h"
#include "render/sky_projection.h"
#include "render/stars.h"
#include "state/view_state.h"

namespace render::testing {

inline persist::StarRecord Star(int lon, int lat, int magCode, char spec, int pmLon = 0,
                                int pmLat = 0) {
    return persist::StarRecord{static_cast<int16_t>(lon),     static_cast<int16_t>(lat),
                               static_cast<int16_t>(pmLon),   static_cast<int16_t>(pmLat),
                               static_cast<uint8_t>(magCode), static_cast<uint8_t>(spec)};
}

using persist_test::SetBlock;

// STAR2 with the first brightCount records bright (ALPHA sized to match), STIDX as given.
inline persist::DataSet MakeDataSet(const std::vector<persist::StarRecord>& stars, int brightCount,
                                    const std::vector<uint32_t>& zoneIndex = {}) {
    persist::DataSet data;
    SetBlock(data.block(persist::BlockId::STAR2), stars);
    SetBlock(data.block(persist::BlockId::STIDX), zoneIndex);
    SetBlock(data.block(persist::BlockId::ALPHA),
             std::vector<uint8_t>(static_cast<std::size_t>(brightCount) * 10));
    data.brightStarCount = static_cast<std::size_t>(brightCount);
    return data;
}

// x = lon, y = -lat (so north is up), in front; latitudes below -4000 are below the horizon.
inline ProjectedPoint LinearProject(const void*, int lon, int lat) {
    return ProjectedPoint{lon, -lat, lat < -4000 ? kBelowHorizonFlag : 100};
}

// Records every projected point and puts it at a fixed place.
struct ProjectionLog {
    std::vector<std::pair<int, int>> points;
};
inline ProjectedPoint LoggingProject(const void* context, int lon, int lat) {
    const_cast<ProjectionLog*>(static_cast<const ProjectionLog*>(context))
        ->points.emplace_back(lon, lat);
    return ProjectedPoint{0, 0, 100};
}

// A star context with its own canvas, frame and projection.
struct StarHarness {
    state::ViewState view;
    RenderFrame frame;
    persist::DataSet data;
    StarCatalog catalog;
    SkyProjection projection{&LinearProject, nullptr, false, 0};
    std::vector<StarScreen> screen;
    RecordingCanvas canvas;

    StarHarness() {
        frame.viewport = Viewport{1000, 1000};
        frame.starLevel = 95;
        frame.starCount = 1 << 30;
    }
    StarContext context() { return StarContext{canvas, view, frame, catalog, projection, screen}; }
    void Use(persist::DataSet made) {
        data = std::move(made);
        catalog = BuildStarCatalog(data, {});
    }
    // One pass on a cleared canvas.
    void Draw(int pass, int target = kTargetScreen) {
        canvas.Clear();
        DrawStarPass(context(), pass, target);
    }
};

}  // namespace render::testing
