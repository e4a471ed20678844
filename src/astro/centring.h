// Turning the view onto an object: every object that can be found, picked or tracked is an
// ObjectRef (kind, index). Centring searches the view direction that puts the object's
// projection nearest the centre of the sky view; repeated every frame it is tracking.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "astro/projection_tables.h"
#include "astro/view_frame.h"
#include "persist/data_set.h"
#include "persist/records/star_records.h"
#include "state/view_state.h"

namespace astro {

// Object kinds.
inline constexpr int32_t kConstellationObject = 0;  // label point of a constellation (SEIZAZ)
inline constexpr int32_t kStarObject = 1;           // STAR2 record
inline constexpr int32_t kNamedStarObject = 2;      // STAR2 record, reached through a star name
inline constexpr int32_t kDeepSkyObject = 3;        // OBJ record
inline constexpr int32_t kBodyObject = 4;           // solar-system body 0..24
inline constexpr int32_t kCometObject = 5;          // comet of the comet table
inline constexpr int32_t kAsterismObject = 6;       // seasonal asterism name (KISEN)

struct ObjectRef {
    int32_t kind = -1;
    int32_t index = 0;

    friend bool operator==(const ObjectRef&, const ObjectRef&) = default;
};

// Ecliptic longitude and latitude of epoch 2000, binary angles.
struct CatalogPosition {
    int32_t lon = 0;
    int32_t lat = 0;
};

// Geocentric ecliptic longitude and latitude of date, radians.
struct EclipticRadians {
    double lon = 0.0;
    double lat = 0.0;
};

// The catalogue records centring reads (kinds 0..3 and 6). An index without a record gives
// nothing.
class ObjectCatalog {
  public:
    virtual ~ObjectCatalog() = default;
    virtual std::optional<CatalogPosition> ConstellationLabel(int32_t index) const = 0;
    virtual std::optional<persist::StarRecord> Star(int32_t index) const = 0;
    virtual std::optional<CatalogPosition> DeepSky(int32_t index) const = 0;
    virtual std::optional<CatalogPosition> AsterismLabel(int32_t index) const = 0;
};

// The catalogue read straight from the loaded blocks (little-endian records, bounds-checked):
// SEIZAZ (4-byte lon/lat pairs), STAR2 (10-byte star records), OBJ (6-byte records) and KISEN
// (24-byte records up to the one whose lon is 0xFFFF). Empty spans are allowed.
class BlockObjectCatalog final : public ObjectCatalog {
  public:
    BlockObjectCatalog(std::span<const uint8_t> seizaz, std::span<const uint8_t> star2,
                       std::span<const uint8_t> obj, std::span<const uint8_t> kisen)
        : seizaz_(seizaz), star2_(star2), obj_(obj), kisen_(kisen) {}

    std::optional<CatalogPosition> ConstellationLabel(int32_t index) const override;
    std::optional<persist::StarRecord> Star(int32_t index) const override;
    std::optional<CatalogPosition> DeepSky(int32_t index) const override;
    std::optional<CatalogPosition> AsterismLabel(int32_t index) const override;

  private:
    std::span<const uint8_t> seizaz_, star2_, obj_, kisen_;
};

// The catalogue of a loaded data set.
BlockObjectCatalog BlockCatalogOf(const persist::DataSet& data);

// Positions of the solar-system bodies and comets for the current clock (kinds 4 and 5),
// supplied by the body computations.
class SolarSystemPositions {
  public:
    virtual ~SolarSystemPositions() = default;
    // Recomputes all bodies (and the given comet) for the frame's instant; called by tracking
    // before it centres on a moving object.
    virtual void RecomputeBodies(const state::ViewState& view, const ViewFrame& frame) = 0;
    virtual void RecomputeComet(int32_t index, const state::ViewState& view,
                                const ViewFrame& frame) = 0;
    virtual std::optional<EclipticRadians> Body(int32_t index) const = 0;
    virtual std::optional<EclipticRadians> Comet(int32_t index) const = 0;
};

// What centring works on: the view state, the projection tables, and where object positions
// come from (either source may be missing; its kinds then change nothing).
struct CentringContext {
    state::ViewState& view;
    ProjectionTables tables;
    const ObjectCatalog* catalog = nullptr;
    SolarSystemPositions* solarSystem = nullptr;
};

// Turns the view onto a position: lon and lat in binary-angle units. With applyPrecession the
// position is of epoch 2000 (the integer projection with the frame's precession shift),
// otherwise of date (the precise projection). interactive allows the "Below Horizon Line."
// message. Returns 1 when the view direction changed (or a smooth move towards it was
// requested), else 0.
int32_t CenterOnPosition(CentringContext& context, double lon, double lat, bool applyPrecession,
                         bool interactive);

// Turns the view onto an object. Unknown kinds and indices without an object change nothing
// and return 0.
int32_t CenterOnObject(CentringContext& context, ObjectRef object, bool interactive);

// The sky position CenterOnObject uses for an object (binary-angle units), and whether the
// frame's precession shift applies to it.
struct ObjectPosition {
    double lon = 0.0;
    double lat = 0.0;
    bool applyPrecession = false;
};
std::optional<ObjectPosition> PositionOfObject(const CentringContext& context, ObjectRef object);

// Tracking, once per frame from the render pipeline before drawing, when no smooth move is
// running: with Tracking on and not suppressed, recomputes the moving bodies as the tracked
// kind needs, centres on the tracked object without asking, and returns the recomputed frame.
// Otherwise returns nothing and the caller keeps its frame.
std::optional<ViewFrame> TrackObject(CentringContext& context, bool gscMode = false);

}  // namespace astro
