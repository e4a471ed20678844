// What lies under a point of the drawn sky and what is told about it: the hit test of the
// tooltip, the context menu, tracking and the information cards, and the texts of the cards.
// Points are drawing coordinates (pixels from the view centre, x right, y down) of the scene's
// last frame.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "astro/bodies.h"
#include "astro/centring.h"
#include "astro/comets.h"
#include "render/sky_scene.h"
#include "state/comet_record.h"

namespace render {

// The groups of candidates, in the order in which they win on equal distances.
enum class HitGroup { None, Body, Comet, BodyTrace, CometTrace, DeepSky, Star };

struct SkyHit {
    HitGroup group = HitGroup::None;
    int index = 0;  // body 0..24, comet, OBJ record or STAR2 record
    int step = 0;   // a trace point's steps of the automatic mode before the present
};

// The object nearest to the point by |dx| + |dy|, closer than 10 pixels for a dialog and 8
// otherwise; a candidate wins only when strictly nearer. Candidates are what the frame drew:
// bodies, comets, Tracing Mode points, deep-sky symbols and stars (for a dialog only those with
// a designation record, otherwise the brightest drawn up to 9040).
SkyHit FindObjectAt(const SkyScene& scene, int x, int y, bool forDialog);

// The object of a hit (kinds 1 star, 3 deep-sky object, 4 body, 5 comet); kind -1 for nothing
// and for trace points, which are no object of their own.
astro::ObjectRef ObjectOfHit(const SkyHit& hit);

// An information card: its dialog template, the texts of the controls 201..206, its picture
// (a bitmap name; "MOON" is the Moon in its phase; empty for none) and the one line that the
// tooltip shows.
struct InfoCard {
    std::string dialog;
    std::array<std::string, 6> field;
    std::string picture;
    std::string line;
};

// Tells whether a bitmap of that name exists (the deep-sky pictures "B_GALAXY<index + 1>").
using PictureExists = std::function<bool(const std::string& name)>;

// The card of a hit; an empty dialog for nothing (and for trace points, which have a line only).
InfoCard InfoCardOf(const SkyScene& scene, const SkyHit& hit, const PictureExists& pictureExists);

// The cards of a body (moonAge in days, for the Moon) and of a comet at a position.
InfoCard BodyInfoCard(int index, const astro::SolarSystemState& bodies, double moonAge);
InfoCard CometInfoCard(const state::CometRecord& comet, const astro::CometPosition& position);

// A trace point's text: the object's name with the point's moment (step steps of the automatic
// mode before the clock) as far as it differs from the clock: the time on the same day, the
// date at the same time of day, else both.
std::string TracePointText(const std::string& name, const state::CivilClock& now,
                           const state::AppOptions& options, int step);

// The constellation of the designated star drawn nearest to the point (no distance limit),
// or -1.
int ConstellationAt(const SkyScene& scene, int x, int y);
InfoCard ConstellationCard(const persist::DataSet& data, int constellation);

}  // namespace render
