#include "render/object_info.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "astro/body_table.h"
#include "astro/equatorial.h"
#include "astro/object_names.h"
#include "persist/record_view.h"
#include "render/solar_system_plot.h"
#include "render/text_formats.h"

namespace render {
namespace {

using persist::BlockId;
using persist::FieldText;

constexpr int kDialogRadius = 10;
constexpr int kTipRadius = 8;
// Without a dialog the brightest stars count, up to magnitude 6.5 in a full catalogue.
constexpr int kTipStarLimit = 9040;
constexpr const char* kNoText = "----";
constexpr const char* kNoDistance = "------";
constexpr double kEarthRadiusKm = 6378.14;
constexpr double kRadiansPerBin = 3.14159265358979323846 / 16384.0;
constexpr int kLastPicturedBody = 9;  // Pluto: the Sun and the planets have pictures

std::string Format(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string OrNone(std::string_view text) {
    return text.empty() ? kNoText : std::string(text);
}

// Right ascension and declination of an ecliptic position of date in radians.
std::string RaDec(double lon, double lat) {
    const astro::Equatorial e = astro::EclipticToEquatorial(lon, lat);
    return astro::FormatEquatorial(e.ra, e.dec);
}

// The same for a star or deep-sky object: its catalogue position of epoch 2000 with the proper
// motion to the year (KoyuKeisan) and the general precession (SaisaKeisan).
std::string CatalogueRaDec(const SkyScene& scene, astro::ObjectRef object) {
    const astro::BlockObjectCatalog catalog = astro::BlockCatalogOf(*scene.data);
    const astro::CentringContext context{*scene.view, scene.tables, &catalog, nullptr};
    const std::optional<astro::ObjectPosition> p = astro::PositionOfObject(context, object);
    if (!p) return {};
    return RaDec((p->lon + scene.viewFrame.PrecessionAngle) * kRadiansPerBin,
                 p->lat * kRadiansPerBin);
}

std::string BodyName(int index) {
    const astro::PlanetElements& body = astro::BodyTable()[static_cast<std::size_t>(index)];
    return *body.catalogueNumber ? astro::JoinedWords({body.catalogueNumber, body.englishName})
                                 : std::string(body.englishName);
}

std::string CometName(const SkyScene& scene, int index) {
    if (!scene.comets || index < 0 ||
        index >= std::min(scene.comets->count, state::kCometFileLimit))
        return {};
    return std::string(FieldText(scene.comets->records[static_cast<std::size_t>(index)].NAMEE));
}

InfoCard StarCard(const SkyScene& scene, int index) {
    const persist::DataSet& data = *scene.data;
    const persist::StarRecord star =
        data.block(BlockId::STAR2).records<persist::StarRecord>()[index];
    const auto designations = data.block(BlockId::ALPHA).records<persist::DesignationRecord>();
    const persist::DesignationRecord d = static_cast<std::size_t>(index) < designations.count()
                                             ? designations[index]
                                             : persist::DesignationRecord{};
    std::string designation = astro::StarDesignation(d, scene.view->AlphaMode);
    if (!designation.empty())
        designation = astro::JoinedWords({designation, FieldText(d.constellation)});

    std::string name;
    const auto names = data.block(BlockId::STARN).records<persist::StarNameRecord>();
    for (std::size_t i = 0; i < std::min(names.count(), data.starNameCount); ++i) {
        const persist::StarNameRecord record = names[i];
        if (record.star == static_cast<uint32_t>(index)) {
            name = FieldText(record.name);
            break;
        }
    }
    const std::string magnitude = Format("%3.1f", (star.mag - 20) * 0.1);

    InfoCard card;
    card.dialog = designation.empty() ? "D_STARINFOMINI" : "D_STARINFO";
    if (!designation.empty()) {
        const int c = astro::ConstellationOfCode(data, FieldText(d.constellation));
        const auto constellations =
            data.block(BlockId::SEIZA).records<persist::ConstellationNameRecord>();
        card.field[0] = c >= 0 ? std::string(FieldText(constellations[c].scientific)) : kNoText;
        card.field[1] = designation;
        card.field[2] = OrNone(name);
    }
    card.field[3] = magnitude;
    card.field[4] = CatalogueRaDec(scene, {astro::kStarObject, index});
    card.line = astro::JoinedWords({designation, name, "Mag" + magnitude});
    return card;
}

const char* DeepSkyType(const persist::ObjectRecord& object) {
    switch (object.type) {
        case 'C':
            return "Open Cluster";
        case 'D':
            return "Globular Cluster";
        case 'G':
            return "Galaxy";
        case 'M':
            return "Meteoric Swarm";
        case 'N':
            return object.tint < 58 ? "Dark Nebula" : "Diffuse Nebula";
        case 'P':
            return "Planetary Nebula";
        default:
            return "";
    }
}

InfoCard DeepSkyCard(const SkyScene& scene, int index, const PictureExists& pictureExists) {
    const persist::DataSet& data = *scene.data;
    const persist::ObjectRecord object =
        data.block(BlockId::OBJ).records<persist::ObjectRecord>()[index];
    const persist::ObjectNameRecord names =
        data.block(BlockId::OBJN).records<persist::ObjectNameRecord>()[index];
    const std::string_view popular = FieldText(names.popular);
    const std::string_view messier = astro::MessierDesignation(object, names);
    const std::string_view ngc = FieldText(names.ngc);

    InfoCard card;
    const std::string picture = "B_GALAXY" + std::to_string(index + 1);
    const bool pictured = pictureExists && pictureExists(picture);
    card.dialog = pictured ? "D_OBJECTINFOBMP" : "D_OBJECTINFO";
    if (pictured) card.picture = picture;
    card.field[0] = DeepSkyType(object);
    card.field[1] = OrNone(popular);
    card.field[2] = OrNone(messier);
    card.field[3] = OrNone(ngc);
    card.field[4] = CatalogueRaDec(scene, {astro::kDeepSkyObject, index});
    card.line = astro::JoinedWords({!messier.empty() ? messier : ngc, popular});
    return card;
}

void Offer(int& best, SkyHit& hit, int distance, SkyHit candidate) {
    if (distance >= best) return;
    best = distance;
    hit = candidate;
}

int Distance(int x, int y, int px, int py) {
    return std::abs(px - x) + std::abs(py - y);
}

}  // namespace

SkyHit FindObjectAt(const SkyScene& scene, int x, int y, bool forDialog) {
    SkyHit hit;
    if (!scene.view) return hit;
    const state::ViewState& view = *scene.view;
    int best = forDialog ? kDialogRadius : kTipRadius;

    const bool tracing = view.AutoRunning && scene.options && scene.options->AutoType == 1;
    const struct {
        HitGroup group;
        int kind;
        bool trace;
        bool shown;
    } markGroups[] = {{HitGroup::Body, astro::kBodyObject, false, view.Solar != 0},
                      {HitGroup::Comet, astro::kCometObject, false, view.Comet != 0},
                      {HitGroup::BodyTrace, astro::kBodyObject, true, tracing},
                      {HitGroup::CometTrace, astro::kCometObject, true, tracing}};
    for (const auto& g : markGroups) {
        if (!g.shown) continue;
        for (const DrawnMark& mark : scene.drawnMarks) {
            if (mark.kind != g.kind || (mark.step > 0) != g.trace) continue;
            Offer(best, hit, Distance(x, y, mark.at.x, mark.at.y),
                  {g.group, mark.index, mark.step});
        }
    }

    if (view.Galaxy) {
        const std::size_t count = std::min(scene.objectDrawn.size(), scene.objectScreen.size());
        for (std::size_t i = 0; i < count; ++i) {
            if (!scene.objectDrawn[i]) continue;
            const StarScreen& s = scene.objectScreen[i];
            Offer(best, hit, Distance(x, y, s.x, s.y), {HitGroup::DeepSky, static_cast<int>(i), 0});
        }
    }

    const RenderFrame& f = scene.frame;
    if (f.starLevel > 0 && scene.data) {
        const int designated = static_cast<int>(
            scene.data->block(BlockId::ALPHA).records<persist::DesignationRecord>().count());
        const int limit = std::min({f.starCount, forDialog ? designated : kTipStarLimit,
                                    static_cast<int>(scene.starScreen.size())});
        for (int i = 0; i < limit; ++i) {
            const StarScreen& s = scene.starScreen[static_cast<std::size_t>(i)];
            if (!PointVisible(f.viewport, scene.projection.horizonShown, s.x, s.y, s.flag))
                continue;
            Offer(best, hit, Distance(x, y, s.x, s.y), {HitGroup::Star, i, 0});
        }
    }
    return hit;
}

astro::ObjectRef ObjectOfHit(const SkyHit& hit) {
    switch (hit.group) {
        case HitGroup::Body:
            return {astro::kBodyObject, hit.index};
        case HitGroup::Comet:
            return {astro::kCometObject, hit.index};
        case HitGroup::DeepSky:
            return {astro::kDeepSkyObject, hit.index};
        case HitGroup::Star:
            return {astro::kStarObject, hit.index};
        default:
            return {};
    }
}

InfoCard BodyInfoCard(int index, const astro::SolarSystemState& bodies, double moonAge) {
    InfoCard card;
    if (index < 0 || index >= astro::kBodyCount) return card;
    const astro::PlanetElements& record = astro::BodyTable()[static_cast<std::size_t>(index)];
    const astro::BodyState& body = bodies.bodies[static_cast<std::size_t>(index)];
    const std::string position = RaDec(body.geoLongitude, body.geoLatitude);
    if (index == astro::kMoonIndex) {
        card.dialog = "D_MOONINFO";
        card.picture = "MOON";
        card.field[0] = record.englishName;
        card.field[2] = position;
        card.field[3] = Format("%0.0fKm", body.helioDistance * kEarthRadiusKm);
        card.field[4] = Format("%0.1f", moonAge);
        card.line = card.field[0] + Format(" Age%0.1f", moonAge);
        return card;
    }
    const bool pictured = index <= kLastPicturedBody;
    card.dialog = pictured ? "D_PLANETINFO" : "D_PLANETINFO2";
    if (pictured) card.picture = "B_PLANET" + std::to_string(index);
    card.field[0] = BodyName(index);
    card.field[5] = astro::KindLabelEnglish(record.kind);
    card.field[2] = position;
    card.field[3] = Format("%0.2fAU", body.geoDistance);
    card.field[4] = index == astro::kSunIndex ? kNoDistance : Format("%0.2fAU", body.helioDistance);
    card.line = card.field[0];
    return card;
}

InfoCard CometInfoCard(const state::CometRecord& comet, const astro::CometPosition& position) {
    InfoCard card;
    card.dialog = "D_COMETINFO";
    card.picture = "B_COMET";
    card.field[0] = std::string(FieldText(comet.NAMEE));
    card.field[1] = RaDec(position.longitude, position.latitude);
    card.field[2] = Format("%0.2fAU", position.delta);
    card.field[3] = Format("%0.2fAU", position.r);
    if (comet.H1 == 0 && comet.K1 == 0) {
        card.field[4] = "---";
        card.line = card.field[0];
    } else {
        card.field[4] = Format("%3.1f", astro::CometMagnitude(comet, position.r, position.delta));
        card.line = card.field[0] + " Mag" + card.field[4];
    }
    return card;
}

InfoCard InfoCardOf(const SkyScene& scene, const SkyHit& hit, const PictureExists& pictureExists) {
    InfoCard card;
    switch (hit.group) {
        case HitGroup::Body:
            return BodyInfoCard(hit.index, scene.bodies,
                                astro::MoonAgeOf(scene.viewFrame, scene.view->clock.year));
        case HitGroup::Comet:
            if (CometName(scene, hit.index).empty() ||
                static_cast<std::size_t>(hit.index) >= scene.cometStates.size())
                return card;
            return CometInfoCard(scene.comets->records[static_cast<std::size_t>(hit.index)],
                                 scene.cometStates[static_cast<std::size_t>(hit.index)].position);
        case HitGroup::BodyTrace:
        case HitGroup::CometTrace: {
            if (!scene.options) return card;
            const std::string name =
                hit.group == HitGroup::CometTrace
                    ? CometName(scene, hit.index)
                    : astro::BodyTable()[static_cast<std::size_t>(hit.index)].englishName;
            card.line = TracePointText(name, scene.view->clock, *scene.options, hit.step);
            return card;
        }
        case HitGroup::DeepSky:
            return scene.data ? DeepSkyCard(scene, hit.index, pictureExists) : card;
        case HitGroup::Star:
            return scene.data ? StarCard(scene, hit.index) : card;
        default:
            return card;
    }
}

std::string TracePointText(const std::string& name, const state::CivilClock& now,
                           const state::AppOptions& options, int step) {
    const state::CivilClock at = TraceMarkClock(now, options, step);
    const bool sameDay = at.year == now.year && at.month == now.month && at.day == now.day;
    const bool sameTime = at.hour == now.hour && at.minute == now.minute;
    std::string text = name;
    if (!sameDay) text += " " + DateText(at);
    if (!sameTime || sameDay) text += TimeText(at);
    return text;
}

int ConstellationAt(const SkyScene& scene, int x, int y) {
    if (!scene.data) return -1;
    const persist::DataSet& data = *scene.data;
    const auto designations = data.block(BlockId::ALPHA).records<persist::DesignationRecord>();
    const int count = std::min({std::max(scene.frame.starCount, kMinimumProjectedStars),
                                static_cast<int>(designations.count()),
                                static_cast<int>(scene.starScreen.size())});
    int best = -1;
    int bestDistance = 0;
    for (int i = 0; i < count; ++i) {
        const StarScreen& s = scene.starScreen[static_cast<std::size_t>(i)];
        if (!PointVisible(scene.frame.viewport, scene.projection.horizonShown, s.x, s.y, s.flag))
            continue;
        if (designations[static_cast<std::size_t>(i)].constellation[0] == 0) continue;
        const int distance = Distance(x, y, s.x, s.y);
        if (best < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    if (best < 0) return -1;
    // Codes compare by the low five bits of their three letters, so case does not matter.
    const persist::DesignationRecord star = designations[static_cast<std::size_t>(best)];
    const auto constellations =
        data.block(BlockId::SEIZA).records<persist::ConstellationNameRecord>();
    for (std::size_t c = 0; c < constellations.count(); ++c) {
        const persist::ConstellationNameRecord record = constellations[c];
        bool same = true;
        for (int k = 0; k < 3; ++k)
            same = same && (record.code[k] & 0x1F) == (star.constellation[k] & 0x1F);
        if (same) return static_cast<int>(c);
    }
    return -1;
}

InfoCard ConstellationCard(const persist::DataSet& data, int constellation) {
    InfoCard card;
    const auto records = data.block(BlockId::SEIZA).records<persist::ConstellationNameRecord>();
    if (constellation < 0 || static_cast<std::size_t>(constellation) >= records.count())
        return card;
    const persist::ConstellationNameRecord record =
        records[static_cast<std::size_t>(constellation)];
    card.dialog = "D_SEIZAINFO";
    card.field[0] = std::string(FieldText(record.popular));
    card.field[1] = std::string(FieldText(record.scientific));
    card.field[2] = std::string(FieldText(record.code));
    card.line = card.field[0];
    return card;
}

}  // namespace render
