#include "render/constellations.h"

#include <string>

#include "persist/records/sky_records.h"
#include "render/fonts.h"
#include "render/layer_support.h"

namespace render {
namespace {

using persist::BlockId;

// Line colour slots (1..23) of the figure layers.
constexpr int kLineSlotLines = 1;
constexpr int kLineSlotPictures = 2;
constexpr int kLineSlotBoundaries = 3;
constexpr int kLineSlotConstellationNames = 10;
constexpr int kLineSlotAsterismLines = 18;
constexpr int kLineSlotAsterismNames = 19;
constexpr int kLineSlotOldChineseLines = 20;
constexpr int kLineSlotOldChineseNames = 21;

constexpr std::size_t kChineseNameLength = 10;  // UTF-16 units of a name field
constexpr int kOldChineseOrder = 1000;          // placed after every Western name

bool PenUpPair(const persist::SkyPoint& p) {
    return p.lon == persist::kOutlinePenUp;
}

bool ListEnd(int16_t first) {
    return static_cast<uint16_t>(first) == persist::kListEnd;
}

std::u16string ChineseName(const uint16_t (&field)[kChineseNameLength]) {
    std::u16string name;
    for (uint16_t unit : field) {
        if (unit == 0) break;
        name += static_cast<char16_t>(unit);
    }
    return name;
}

void DrawWesternNames(LayerContext& layer) {
    const state::ViewState& view = *layer.scene.view;
    if (view.Constella < 1 || view.Constella > 3) return;
    const persist::Block* points = LoadedBlock(layer, BlockId::SEIZAZ);
    const persist::Block* names = LoadedBlock(layer, BlockId::SEIZA);
    if (!points || !names) return;
    const auto pointRecords = points->records<persist::SkyPoint>();
    const auto nameRecords = names->records<persist::ConstellationNameRecord>();
    const std::size_t count = std::min(pointRecords.count(), nameRecords.count());

    // Constella 1, 2, 3 choose the popular, scientific or code name and font slot 1, 2, 3.
    const LabelStyle style{SlotFont(view, view.Constella, layer.target),
                           SlotColour(layer, kLineSlotConstellationNames)};
    UseLabelStyle(layer.canvas, style);
    for (std::size_t i = 0; i < count; ++i) {
        const persist::SkyPoint point = pointRecords.at(i);
        const ProjectedPoint p = layer.scene.projection.Ecliptic(point.lon, point.lat);
        if (!LabelPointShown(layer, p.flag)) continue;
        const persist::ConstellationNameRecord record = nameRecords.at(i);
        const char* text = view.Constella == 1   ? record.popular
                           : view.Constella == 2 ? record.scientific
                                                 : record.code;
        DrawLayerLabel(layer, style, p.x, p.y, 0, FieldText(text, sizeof record.code),
                       LabelRank::ConstellationName, static_cast<int>(i));
    }
}

void DrawAsterismNameList(LayerContext& layer) {
    const state::ViewState& view = *layer.scene.view;
    if (!view.KisetuName) return;
    const persist::Block* block = LoadedBlock(layer, BlockId::KISEN);
    if (!block) return;
    const auto records = block->records<persist::AsterismNameRecord>();
    const LabelStyle style{SlotFont(view, kFontAsterism, layer.target),
                           SlotColour(layer, kLineSlotAsterismNames)};
    UseLabelStyle(layer.canvas, style);
    for (std::size_t i = 0; i < records.count(); ++i) {
        const persist::AsterismNameRecord record = records.at(i);
        if (ListEnd(record.lon)) break;
        const ProjectedPoint p = layer.scene.projection.Ecliptic(record.lon, record.lat);
        if (!LabelPointShown(layer, p.flag)) continue;
        DrawLayerLabel(layer, style, p.x, p.y, 0, FieldText(record.name, sizeof record.name),
                       LabelRank::Asterism, static_cast<int>(i));
    }
}

void DrawOldChineseNameList(LayerContext& layer) {
    const state::ViewState& view = *layer.scene.view;
    if (!view.ShukuName || !view.UnicodeText) return;
    const persist::Block* block = LoadedBlock(layer, BlockId::SKUNU);
    if (!block) return;
    const auto records = block->records<persist::ChineseAsterismNameRecord>();
    const LabelStyle style{SlotFont(view, kFontOldChineseName, layer.target),
                           SlotColour(layer, kLineSlotOldChineseNames)};
    UseLabelStyle(layer.canvas, style);
    for (std::size_t i = 0; i < records.count(); ++i) {
        const persist::ChineseAsterismNameRecord record = records.at(i);
        if (ListEnd(record.lon)) break;
        const ProjectedPoint p = layer.scene.projection.Ecliptic(record.lon, record.lat);
        if (!LabelPointShown(layer, p.flag)) continue;
        // After the Western names of their rank.
        DrawLayerLabel(layer, style, p.x, p.y, 0, Utf16ToUtf8(ChineseName(record.name)),
                       LabelRank::ConstellationName, kOldChineseOrder + static_cast<int>(i));
    }
}

}  // namespace

void DrawStarPaths(LayerContext& layer, StarPathBlock which) {
    const BlockId id = which == StarPathBlock::Lines       ? BlockId::LINE
                       : which == StarPathBlock::Asterisms ? BlockId::KISETU
                                                           : BlockId::SKULI;
    const int slot = which == StarPathBlock::Lines       ? kLineSlotLines
                     : which == StarPathBlock::Asterisms ? kLineSlotAsterismLines
                                                         : kLineSlotOldChineseLines;
    const persist::Block* block = LoadedBlock(layer, id);
    if (!block) return;
    SelectLinePen(layer, slot);
    SkyScene& scene = layer.scene;
    const StarContext stars = StarContextOf(layer);
    // A figure never continues the previous layer's last line.
    PolylineTo(layer.canvas, scene.polyline, 0, 0, 0);
    const persist::ByteView values = block->view();
    for (std::size_t offset = 0; offset + 2 <= values.size(); offset += 2) {
        const int value = values.i16(offset);
        if (value == persist::kPathEnd) break;
        if (value == persist::kPathPenUp) {
            PolylineTo(layer.canvas, scene.polyline, 0, 0, 0);
            continue;
        }
        // A number outside STAR2 comes back with a negative flag, which lifts the pen.
        const ProjectedPoint p = StarPoint(stars, value);
        PolylineTo(layer.canvas, scene.polyline, p.x, p.y, p.flag);
    }
}

void DrawOutlines(LayerContext& layer, OutlineBlock which) {
    const bool pictures = which == OutlineBlock::Pictures;
    const persist::Block* block = LoadedBlock(layer, pictures ? BlockId::PIC : BlockId::KAI);
    if (!block) return;
    SelectLinePen(layer, pictures ? kLineSlotPictures : kLineSlotBoundaries);
    SkyScene& scene = layer.scene;
    PolylineTo(layer.canvas, scene.polyline, 0, 0, 0);
    const auto pairs = block->records<persist::SkyPoint>();
    bool previousPenUp = false;
    for (std::size_t i = 0; i < pairs.count(); ++i) {
        const persist::SkyPoint pair = pairs.at(i);
        if (PenUpPair(pair)) {
            if (previousPenUp) break;
            PolylineTo(layer.canvas, scene.polyline, 0, 0, 0);
            previousPenUp = true;
            continue;
        }
        previousPenUp = false;
        const ProjectedPoint p = scene.projection.Ecliptic(pair.lon, pair.lat);
        PolylineTo(layer.canvas, scene.polyline, p.x, p.y, p.flag);
    }
}

void DrawFigureNames(LayerContext& layer, FigureNameSet which) {
    switch (which) {
        case FigureNameSet::Western:
            DrawWesternNames(layer);
            break;
        case FigureNameSet::Asterisms:
            DrawAsterismNameList(layer);
            break;
        case FigureNameSet::OldChinese:
            DrawOldChineseNameList(layer);
            break;
    }
}

void DrawConstellationBoundaries(LayerContext& layer) {
    DrawOutlines(layer, OutlineBlock::Boundaries);
}
void DrawConstellationPictures(LayerContext& layer) {
    DrawOutlines(layer, OutlineBlock::Pictures);
}
void DrawConstellationLines(LayerContext& layer) {
    DrawStarPaths(layer, StarPathBlock::Lines);
}
void DrawOldChineseLines(LayerContext& layer) {
    DrawStarPaths(layer, StarPathBlock::OldChinese);
}
void DrawAsterismLines(LayerContext& layer) {
    DrawStarPaths(layer, StarPathBlock::Asterisms);
}
void DrawOldChineseNames(LayerContext& layer) {
    DrawFigureNames(layer, FigureNameSet::OldChinese);
}
void DrawConstellationNames(LayerContext& layer) {
    DrawFigureNames(layer, FigureNameSet::Western);
}
void DrawAsterismNames(LayerContext& layer) {
    DrawFigureNames(layer, FigureNameSet::Asterisms);
}

}  // namespace render
