#include "astro/centring.h"

#include <cmath>
#include <limits>

#include "astro/bin_angle.h"
#include "astro/inverse_projection.h"
#include "astro/projection.h"
#include "persist/record_view.h"
#include "state/messages.h"

namespace astro {

namespace {

constexpr const char* kWindowTitle = "Planetarium";
constexpr const char* kBelowHorizonText = "Below Horizon Line.";

// Record sizes of the blocks read here.
constexpr std::size_t kLabelPointSize = 4;
constexpr std::size_t kDeepSkySize = 6;
constexpr std::size_t kAsterismSize = 24;

std::optional<CatalogPosition> PairAt(std::span<const uint8_t> bytes, std::size_t recordSize,
                                      int32_t index) {
    if (index < 0) return std::nullopt;
    persist::ByteView view(bytes);
    std::size_t offset = static_cast<std::size_t>(index) * recordSize;
    if (!view.contains(offset, recordSize)) return std::nullopt;
    return CatalogPosition{view.i16(offset), view.i16(offset + 2)};
}

// The view direction search: tries view directions (tenths of a degree) and keeps the one that
// puts the object's projection nearest the centre.
class DirectionSearch {
  public:
    DirectionSearch(ViewFrame& frame, double lon, double lat, bool integer)
        : frame_(frame), lon_(lon), lat_(lat), integer_(integer) {}

    void Try(double azimuth, double altitude) {
        SetViewAngles(frame_, TenthsToBinAngle(azimuth), TenthsToBinAngle(altitude - 900.0));
        double distance;
        if (integer_) {
            ScreenPoint p =
                ProjectEcliptic(frame_, static_cast<BinAngle>(lon_), static_cast<BinAngle>(lat_));
            if (p.flag < 0) return;
            distance = std::abs(p.x) + std::abs(p.y);
        } else {
            PreciseScreenPoint p = ProjectEclipticPrecise(frame_, lon_, lat_);
            if (p.depth < 0.0) return;
            distance = std::fabs(p.x) + std::fabs(p.y);
        }
        if (distance < best_) {
            best_ = distance;
            azimuth_ = azimuth;
            altitude_ = altitude;
        }
    }

    void Restart() { best_ = std::numeric_limits<double>::infinity(); }
    double azimuth() const { return azimuth_; }
    double altitude() const { return altitude_; }

  private:
    ViewFrame& frame_;
    double lon_, lat_;
    bool integer_;
    double best_ = std::numeric_limits<double>::infinity();
    double azimuth_ = 0.0;
    double altitude_ = 0.0;
};

}  // namespace

BlockObjectCatalog BlockCatalogOf(const persist::DataSet& data) {
    using persist::BlockId;
    return BlockObjectCatalog(data.block(BlockId::SEIZAZ).bytes(),
                              data.block(BlockId::STAR2).bytes(), data.block(BlockId::OBJ).bytes(),
                              data.block(BlockId::KISEN).bytes());
}

std::optional<CatalogPosition> BlockObjectCatalog::ConstellationLabel(int32_t index) const {
    return PairAt(seizaz_, kLabelPointSize, index);
}

std::optional<persist::StarRecord> BlockObjectCatalog::Star(int32_t index) const {
    persist::RecordView<persist::StarRecord> stars(star2_);
    if (index < 0 || static_cast<std::size_t>(index) >= stars.count()) return std::nullopt;
    return stars.at(static_cast<std::size_t>(index));
}

std::optional<CatalogPosition> BlockObjectCatalog::DeepSky(int32_t index) const {
    return PairAt(obj_, kDeepSkySize, index);
}

std::optional<CatalogPosition> BlockObjectCatalog::AsterismLabel(int32_t index) const {
    if (index < 0) return std::nullopt;
    // The list ends at the record whose lon is 0xFFFF; records after it do not count.
    persist::ByteView view(kisen_);
    for (int32_t i = 0; i <= index; ++i) {
        std::size_t offset = static_cast<std::size_t>(i) * kAsterismSize;
        if (!view.contains(offset, kAsterismSize) || view.u16(offset) == 0xFFFF) {
            return std::nullopt;
        }
    }
    return PairAt(kisen_, kAsterismSize, index);
}

int32_t CenterOnPosition(CentringContext& context, double lon, double lat, bool applyPrecession,
                         bool interactive) {
    state::ViewState& view = context.view;
    const double oldHoui2 = view.Houi2;
    const double oldKoudo2 = view.Koudo2;
    ViewFrame frame = ComputeViewFrame(view, context.tables);
    DirectionSearch search(frame, lon, lat, applyPrecession);

    // Coarse: 6-degree steps, azimuth 3..357 degrees, altitude -87..87 degrees.
    for (int i = 0; i < 60; ++i) {
        for (int j = 0; j < 30; ++j)
            search.Try(30.0 + 60.0 * i, -870.0 + 60.0 * j);
    }
    // Medium: 0.1-degree steps over -3.0..+2.9 degrees around the best.
    double a = search.azimuth();
    double b = search.altitude();
    search.Restart();
    for (int i = 0; i < 60; ++i) {
        for (int j = 0; j < 60; ++j)
            search.Try(a - 30.0 + i, b - 30.0 + j);
    }
    // Fine: 0.005-degree steps over -0.1..+0.095 degrees, the altitude first held to +-90.
    a = search.azimuth();
    b = search.altitude();
    if (b > 900.0) b = 900.0;
    if (b < -900.0) b = -900.0;
    search.Restart();
    for (int i = 0; i < 40; ++i) {
        for (int j = 0; j < 40; ++j)
            search.Try(a - 1.0 + 0.05 * i, b - 1.0 + 0.05 * j);
    }
    a = search.azimuth();
    // The fine search may step just past the zenith or nadir; keep the view in range.
    double altitude = ClampAltitude(search.altitude());

    // Below the horizon (beyond the refraction allowance, in tenths like every other view
    // limit): unless objects may be found there, look at the horizon under the object.
    if (!view.SekidouMod && !view.FindUnder && altitude <= -frame.RefractionTenths) {
        if (interactive) {
            state::ShowMessage({kBelowHorizonText, kWindowTitle, state::MessageIcon::Exclamation,
                                state::MessageButtons::Ok});
        }
        altitude = 0.0;
    }

    // A full turn is added first so that a search that ended just below 0 stays in 0..3600.
    double houi2 = ReduceTenths((view.SekidouMod ? 5400.0 - a : a) + 3600.0);
    if (houi2 == oldHoui2 && altitude == oldKoudo2) return 0;
    bool smooth = !view.Tracking && view.SmoothIdou != 0;
    return RequestViewDirection(view, houi2, altitude, smooth);
}

std::optional<ObjectPosition> PositionOfObject(const CentringContext& context, ObjectRef object) {
    const ObjectCatalog* catalog = context.catalog;
    auto fromCatalog = [](std::optional<CatalogPosition> p,
                          bool precession) -> std::optional<ObjectPosition> {
        if (!p) return std::nullopt;
        return ObjectPosition{static_cast<double>(p->lon), static_cast<double>(p->lat), precession};
    };
    auto fromRadians = [](std::optional<EclipticRadians> p) -> std::optional<ObjectPosition> {
        if (!p || !std::isfinite(p->lon) || !std::isfinite(p->lat)) return std::nullopt;
        return ObjectPosition{p->lon * kBinPerRadian, p->lat * kBinPerRadian, false};
    };

    switch (object.kind) {
        case kConstellationObject:
            if (!catalog) return std::nullopt;
            return fromCatalog(catalog->ConstellationLabel(object.index), true);
        case kStarObject:
        case kNamedStarObject: {
            if (!catalog) return std::nullopt;
            std::optional<persist::StarRecord> star = catalog->Star(object.index);
            if (!star) return std::nullopt;
            int32_t lon = star->lon;
            int32_t lat = star->lat;
            if (context.view.KoyuKeisan) {
                int32_t decades = (context.view.clock.year - 2000) / 10;
                lon -= star->pmLon * decades / 10000;
                lat -= star->pmLat * decades / 10000;
            }
            return ObjectPosition{static_cast<double>(lon), static_cast<double>(lat), true};
        }
        case kDeepSkyObject:
            if (!catalog) return std::nullopt;
            return fromCatalog(catalog->DeepSky(object.index), true);
        case kBodyObject:
            if (!context.solarSystem) return std::nullopt;
            return fromRadians(context.solarSystem->Body(object.index));
        case kCometObject:
            if (!context.solarSystem) return std::nullopt;
            return fromRadians(context.solarSystem->Comet(object.index));
        case kAsterismObject:
            if (!catalog) return std::nullopt;
            return fromCatalog(catalog->AsterismLabel(object.index), false);
        default:
            return std::nullopt;
    }
}

int32_t CenterOnObject(CentringContext& context, ObjectRef object, bool interactive) {
    std::optional<ObjectPosition> position = PositionOfObject(context, object);
    if (!position) return 0;
    return CenterOnPosition(context, position->lon, position->lat, position->applyPrecession,
                            interactive);
}

std::optional<ViewFrame> TrackObject(CentringContext& context, bool gscMode) {
    state::ViewState& view = context.view;
    if (!view.Tracking || view.TrackingSuppressed) return std::nullopt;
    ObjectRef tracked{view.TrackedKind, view.TrackedIndex};
    if (context.solarSystem && tracked.kind >= kBodyObject) {
        ViewFrame frame = ComputeViewFrame(view, context.tables, gscMode);
        context.solarSystem->RecomputeBodies(view, frame);
        if (tracked.kind == kCometObject) {
            context.solarSystem->RecomputeComet(tracked.index, view, frame);
        }
    }
    CenterOnObject(context, tracked, false);
    return ComputeViewFrame(view, context.tables, gscMode);
}

}  // namespace astro
