// A sky scene for the figure and label layer tests: a small data set written by the test, the
// default line colours and fonts, a linear projection and a recording canvas.
#pragma once

#include <string>
#include <vector>

#include "persist/default_tables.h"
#include "persist/records/sky_records.h"
#include "render/layer_support.h"
#include "render/sky_scene.h"
#include "star_fixture.h"

namespace render::testing {

// x = lon, y = -lat. Longitudes above 20000 are behind the viewer (flag -1); latitudes below
// -4000 are below the horizon (flag 20000); everything else is in front (flag 100).
inline ProjectedPoint FigureProject(const void*, int lon, int lat) {
    if (lon > 20000) return ProjectedPoint{lon, -lat, -1};
    return ProjectedPoint{lon, -lat, lat < -4000 ? kBelowHorizonFlag : 100};
}

// STAR2 record i sits at lon 100 i, lat 10 i (so its screen point is (100 i, -10 i)).
inline std::vector<persist::StarRecord> RowOfStars(int count) {
    std::vector<persist::StarRecord> stars;
    for (int i = 0; i < count; ++i)
        stars.push_back(Star(100 * i, 10 * i, 60, 'A'));
    return stars;
}

using persist_test::PutText;

// An ALPHA record: Bayer letters ("*a" is alpha), Flamsteed number, index digit, constellation.
inline persist::DesignationRecord Designation(const std::string& bayer, int flamsteed = 0,
                                              const std::string& suffix = "",
                                              const std::string& code = "") {
    persist::DesignationRecord d{};
    PutText(d.bayer, bayer);
    PutText(d.suffix, suffix);
    PutText(d.constellation, code);
    d.flamsteed = static_cast<uint8_t>(flamsteed);
    return d;
}

inline persist::ConstellationNameRecord ConstellationName(const std::string& popular,
                                                          const std::string& scientific,
                                                          const std::string& code) {
    persist::ConstellationNameRecord n{};
    PutText(n.popular, popular);
    PutText(n.scientific, scientific);
    PutText(n.code, code);
    return n;
}

// (lon, lat) pairs of a figure, boundary or Milky Way block.
template <class Pair = persist::SkyPoint>
std::vector<Pair> Pairs(const std::vector<std::pair<int, int>>& values) {
    std::vector<Pair> pairs;
    for (const auto& [lon, lat] : values)
        pairs.push_back(Pair{static_cast<int16_t>(lon), static_cast<int16_t>(lat)});
    return pairs;
}

inline std::vector<std::string> TextsOf(const RecordingCanvas& canvas) {
    std::vector<std::string> texts;
    for (const CanvasOp& op : canvas.OpsOf(CanvasOp::Kind::DrawText))
        texts.push_back(op.text);
    return texts;
}

struct LayerHarness {
    state::ViewState view;
    state::AppOptions options;
    persist::DataSet data;
    SkyScene scene;
    RecordingCanvas canvas;

    LayerHarness() {
        view.lineSets = persist::DefaultLineSets();
        view.fontSets = persist::DefaultFontSets();
        scene.view = &view;
        scene.options = &options;
        scene.data = &data;
        scene.palette = CreateSkyPalette(view.lineSets);
        scene.projection = SkyProjection{&FigureProject, nullptr, false, 0};
        scene.frame.viewport = Viewport{5000, 5000};
        scene.frame.starLevel = 95;
        scene.frame.starCount = 1 << 30;
    }

    // STAR2 (the first brightCount records bright), projected as RenderSky would for
    // starCount stars.
    void UseStars(const std::vector<persist::StarRecord>& stars, int brightCount, int starCount) {
        persist::DataSet made = MakeDataSet(stars, brightCount);
        for (persist::BlockId id :
             {persist::BlockId::STAR2, persist::BlockId::STIDX, persist::BlockId::ALPHA}) {
            data.block(id) = made.block(id);
        }
        data.brightStarCount = made.brightStarCount;
        scene.stars = BuildStarCatalog(data, {});
        scene.frame.starCount = starCount;
        int n = std::min(starCount, scene.stars.brightStarCount);
        if (n < kMinimumProjectedStars + 1) n = kMinimumProjectedStars;
        LayerContext context = layer();
        ProjectStars(StarContextOf(context), n);
    }

    template <class T>
    void SetData(persist::BlockId id, const std::vector<T>& records) {
        SetBlock(data.block(id), records);
    }

    LayerContext layer(int target = kTargetScreen) { return LayerContext{canvas, scene, target}; }
    // Draws one layer (a function of the layer context) on a cleared canvas.
    template <class F>
    void Draw(F draw, int target = kTargetScreen) {
        canvas.Clear();
        LayerContext context = layer(target);
        draw(context);
    }

    // The drawn segments as (from, to) pairs, from the MoveTo/LineTo ops.
    std::vector<std::pair<Point, Point>> Segments() const {
        std::vector<std::pair<Point, Point>> segments;
        Point current;
        for (const CanvasOp& op : canvas.ops) {
            if (op.kind == CanvasOp::Kind::MoveTo) current = Point{op.x, op.y};
            if (op.kind == CanvasOp::Kind::LineTo) {
                segments.emplace_back(current, Point{op.x, op.y});
                current = Point{op.x, op.y};
            }
        }
        return segments;
    }

    std::vector<std::string> Texts() const { return TextsOf(canvas); }
};

inline Point StarAt(int i) {
    return Point{100 * i, -10 * i};
}

}  // namespace render::testing
