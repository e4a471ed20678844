#include "render/labels.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>
#include <vector>

#include "persist/records/sky_records.h"
#include "render/fonts.h"
#include "render/layer_support.h"
#include "render/text_formats.h"

namespace render {
namespace {

using persist::BlockId;

constexpr std::array<int, 6> kStarLabelOffset = {3, 3, 3, 2, 4, 2};
constexpr int kPrintStarLabelOffset = 4;

// Line colour slots of the label texts.
constexpr int kLineSlotStarNames = 11;
constexpr int kLineSlotScientific = 12;
constexpr int kLineSlotOldChineseStars = 22;

constexpr int kStarNameFirst = 1;
constexpr int kStarNameLatin = 2;
constexpr int kStarNameScientific = 3;
constexpr int kStarNameNumbers = 4;

constexpr int kAlphaBayer = 1;
constexpr int kAlphaFlamsteed = 2;

constexpr const char* kProgramTitle = "Planetarium";

// A star that passed the visibility test, with its record number.
struct LabelledStar {
    int index;
    int x;
    int y;
};

// The stars 0..count-1 that are drawn this frame and lie in the view.
std::vector<LabelledStar> VisibleStars(const StarContext& stars, int count) {
    std::vector<LabelledStar> visible;
    for (int i = 0; i < count; ++i) {
        const ProjectedPoint p = StarPoint(stars, i);
        if (StarVisible(stars, p.x, p.y, p.flag)) visible.push_back(LabelledStar{i, p.x, p.y});
    }
    return visible;
}

// A star referred to by number from a name list: labelled when it is among the StarCount stars
// drawn this frame and passes the visibility test.
bool NamedStarShown(const StarContext& stars, long long number, ProjectedPoint& point) {
    if (number < 0 || number >= stars.frame.starCount) return false;
    point = StarPoint(stars, static_cast<int>(number));
    return StarVisible(stars, point.x, point.y, point.flag);
}

void DrawProperNames(LayerContext& layer, const StarContext& stars, int offset, bool firstName) {
    const persist::Block* block = LoadedBlock(layer, BlockId::STARN);
    if (!block) return;
    const auto records = block->records<persist::StarNameRecord>();
    const std::size_t count = std::min(records.count(), layer.scene.data->starNameCount);
    const state::ViewState& view = *layer.scene.view;
    const LabelStyle style{
        SlotFont(view, firstName ? kFontStarFirstName : kFontStarLatin, layer.target),
        SlotColour(layer, kLineSlotStarNames)};
    UseLabelStyle(layer.canvas, style);
    for (std::size_t i = 0; i < count; ++i) {
        const persist::StarNameRecord record = records.at(i);
        ProjectedPoint p;
        if (!NamedStarShown(stars, record.star, p)) continue;
        const std::string_view text = firstName ? FieldText(record.second, sizeof record.second)
                                                : FieldText(record.name, sizeof record.name);
        DrawLayerLabel(layer, style, p.x, p.y, offset, text, LabelRank::StarName,
                       static_cast<int>(record.star));
    }
}

void DrawDesignations(LayerContext& layer, const StarContext& stars, int offset) {
    const persist::Block* block = LoadedBlock(layer, BlockId::ALPHA);
    if (!block) return;
    const auto designations = block->records<persist::DesignationRecord>();
    const int count = std::min({layer.scene.stars.brightStarCount, layer.scene.frame.starCount,
                                static_cast<int>(designations.count())});
    const std::vector<LabelledStar> visible = VisibleStars(stars, count);
    const state::ViewState& view = *layer.scene.view;
    Canvas& canvas = layer.canvas;
    const Colour colour = SlotColour(layer, kLineSlotScientific);
    canvas.SetTextColour(colour);
    auto label = [&](const LabelStyle& style, const LabelledStar& star, std::string_view text) {
        DrawLayerLabel(layer, style, star.x, star.y, offset, text, LabelRank::StarName, star.index);
    };

    if (view.AlphaMode & kAlphaBayer) {
        const LabelStyle greek{SlotFont(view, kFontStarBayerGreek, layer.target), colour};
        canvas.SetFont(greek.font);
        for (const LabelledStar& star : visible) {
            const persist::DesignationRecord d =
                designations.at(static_cast<std::size_t>(star.index));
            if (d.bayer[0] != persist::kGreekBayerMark) continue;
            const std::string letter = GreekLetterText(static_cast<uint8_t>(d.bayer[1]));
            if (letter.empty()) continue;
            label(greek, star, letter + std::string(FieldText(d.suffix, sizeof d.suffix)));
        }
        const LabelStyle latin{SlotFont(view, kFontStarBayerLatin, layer.target), colour};
        canvas.SetFont(latin.font);
        for (const LabelledStar& star : visible) {
            const persist::DesignationRecord d =
                designations.at(static_cast<std::size_t>(star.index));
            if (d.bayer[0] == 0 || d.bayer[0] == persist::kGreekBayerMark) continue;
            label(latin, star,
                  std::string(FieldText(d.bayer, sizeof d.bayer)) +
                      std::string(FieldText(d.suffix, sizeof d.suffix)));
        }
    }
    if (view.AlphaMode & kAlphaFlamsteed) {
        // With Bayer letters shown too, a star that has one keeps it alone.
        const bool everyStar = view.AlphaMode == kAlphaFlamsteed;
        const LabelStyle flamsteed{SlotFont(view, kFontStarFlamsteed, layer.target), colour};
        canvas.SetFont(flamsteed.font);
        for (const LabelledStar& star : visible) {
            const persist::DesignationRecord d =
                designations.at(static_cast<std::size_t>(star.index));
            if (d.flamsteed == 0 || !(everyStar || d.bayer[0] == 0)) continue;
            char text[8];
            std::snprintf(text, sizeof text, "%d", d.flamsteed);
            label(flamsteed, star, text);
        }
    }
}

// A diagnostic numbering of the bright stars by record number.
void DrawRecordNumbers(LayerContext& layer, const StarContext& stars, int offset) {
    const int count = std::min(layer.scene.stars.brightStarCount, layer.scene.frame.starCount);
    const LabelStyle style{NamedFont("Arial", 9, false, false, layer.target),
                           SlotColour(layer, kLineSlotScientific)};
    layer.canvas.SetTextColour(style.colour);
    layer.canvas.SetFont(style.font);
    for (const LabelledStar& star : VisibleStars(stars, count)) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", star.index);
        DrawLayerLabel(layer, style, star.x, star.y, offset, text, LabelRank::StarName, star.index);
    }
}

void DrawOldChineseStarNames(LayerContext& layer, const StarContext& stars, int offset) {
    const persist::Block* block = LoadedBlock(layer, BlockId::SKUSU);
    if (!block) return;
    const auto records = block->records<persist::ChineseStarNameRecord>();
    const LabelStyle style{SlotFont(*layer.scene.view, kFontOldChineseStar, layer.target),
                           SlotColour(layer, kLineSlotOldChineseStars)};
    UseLabelStyle(layer.canvas, style);
    for (std::size_t i = 0; i < records.count(); ++i) {
        const persist::ChineseStarNameRecord record = records.at(i);
        if (static_cast<uint16_t>(record.star) == persist::kListEnd) break;
        ProjectedPoint p;
        if (!NamedStarShown(stars, record.star, p)) continue;
        std::u16string name;
        for (uint16_t unit : record.name) {
            if (unit == 0) break;
            name += static_cast<char16_t>(unit);
        }
        // Above the star, so that it does not collide with a Western label below.
        DrawLayerLabel(layer, style, p.x, p.y, -offset, Utf16ToUtf8(name), LabelRank::StarName,
                       record.star);
    }
}

// A box from (left, top) to (right, bottom), the right and bottom edges excluded, outlined with
// the pen and filled with the brush.
void DrawBox(Canvas& canvas, int left, int top, int right, int bottom) {
    const Point corners[] = {
        {left, top}, {right - 1, top}, {right - 1, bottom - 1}, {left, bottom - 1}};
    canvas.Polygon(corners);
}

}  // namespace

int StarLabelOffset(int drawStarMode, int target) {
    if (target != kTargetScreen) return kPrintStarLabelOffset;
    return kStarLabelOffset[static_cast<std::size_t>(std::clamp(drawStarMode, 0, 5))];
}

void DrawStarLabels(LayerContext& layer) {
    const state::ViewState& view = *layer.scene.view;
    const StarContext stars = StarContextOf(layer);
    const int offset = StarLabelOffset(view.DrawStarMode3, layer.target);
    switch (view.StarName) {
        case kStarNameFirst:
        case kStarNameLatin:
            DrawProperNames(layer, stars, offset, view.StarName == kStarNameFirst);
            break;
        case kStarNameScientific:
            DrawDesignations(layer, stars, offset);
            break;
        case kStarNameNumbers:
            DrawRecordNumbers(layer, stars, offset);
            break;
        default:
            break;
    }
    if (view.ShukuStar && view.UnicodeText) DrawOldChineseStarNames(layer, stars, offset);
}

std::string ObservationText(const SkyScene& scene) {
    const state::ViewState& view = *scene.view;
    static const state::AppOptions kNoOptions;
    const state::AppOptions& options = scene.options ? *scene.options : kNoOptions;
    return LocationText(view, options, CityBlockLookup(scene.data)) + "  " + DateText(view.clock) +
           " " + TimeText(view.clock) + " (" + ZoneText(view) + ")";
}

void DrawPrintFooter(LayerContext& layer) {
    if (layer.target == kTargetScreen) return;
    Canvas& canvas = layer.canvas;
    const int hw = layer.scene.frame.viewport.halfWidth;
    const int hh = layer.scene.frame.viewport.halfHeight;
    canvas.SetFont(SlotFont(*layer.scene.view, kFontPrintInformation, layer.target));
    canvas.SetTextColour(Colour::Rgb(0, 0, 0));
    canvas.SetPen(Pen{Colour::Rgb(0, 0, 0), layer.scene.frame.bodyColourMode, PenStyle::Solid});
    canvas.SetBrush(Brush{Colour::Rgb(255, 255, 255), false});

    const std::string credit = std::string("Printed by ") + kProgramTitle;
    const TextSize c = canvas.MeasureText(credit);
    DrawBox(canvas, hw - c.width - 100, hh - c.height - 100, hw - 50, hh - 50);
    canvas.DrawText(hw - c.width - 75, hh - c.height - 75, credit);

    const std::string information = ObservationText(layer.scene);
    const TextSize i = canvas.MeasureText(information);
    DrawBox(canvas, 50 - hw, hh - i.height - 100, i.width - hw + 100, hh - 50);
    canvas.DrawText(75 - hw, hh - i.height - 75, information);
}

}  // namespace render
