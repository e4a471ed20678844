#include "astro/view_frame.h"

#include <cmath>

#include "astro/clock.h"
#include "astro/planets.h"
#include "astro/precise_time.h"
#include "astro/sidereal.h"

namespace astro {

namespace {

void FillSines(ViewFrame& f) {
    const int16_t* t = f.tables.sincos;
    auto precise = [](BinAngle a, double& s, double& c) {
        s = std::sin(a * kRadiansPerBin);
        c = std::cos(a * kRadiansPerBin);
    };
    f.precise.sinSidereal = std::sin(f.SiderealUnits * kRadiansPerBin);
    f.precise.cosSidereal = std::cos(f.SiderealUnits * kRadiansPerBin);
    precise(f.LatitudeAngle, f.precise.sinLatitude, f.precise.cosLatitude);
    precise(f.ViewAzimuthAngle, f.precise.sinAzimuth, f.precise.cosAzimuth);
    precise(f.ViewTiltAngle, f.precise.sinTilt, f.precise.cosTilt);
    if (t == nullptr) return;
    f.fixed.sinSidereal = Sin15(t, f.SiderealAngle);
    f.fixed.cosSidereal = Cos15(t, f.SiderealAngle);
    f.fixed.sinLatitude = Sin15(t, f.LatitudeAngle);
    f.fixed.cosLatitude = Cos15(t, f.LatitudeAngle);
    f.fixed.sinAzimuth = Sin15(t, f.ViewAzimuthAngle);
    f.fixed.cosAzimuth = Cos15(t, f.ViewAzimuthAngle);
    f.fixed.sinTilt = Sin15(t, f.ViewTiltAngle);
    f.fixed.cosTilt = Cos15(t, f.ViewTiltAngle);
}

}  // namespace

BinAngle ObserverSiderealAngle(const state::ViewState& view, int32_t mjd, int32_t utMinutes,
                               double* units) {
    if (view.SeimitsuKeisan && PreciseTheoriesCover(DaysFromJ2000(mjd, utMinutes))) {
        const double apparent = ApparentSiderealAngle(mjd, utMinutes, view.Keido2);
        if (units) *units = apparent;
        return static_cast<BinAngle>(std::lround(apparent)) & kBinMask;
    }
    const BinAngle mean = SiderealAngle(mjd, utMinutes, view.Keido2);
    if (units) *units = mean;
    return mean;
}

ViewFrame ComputeViewFrame(const state::ViewState& view, const ProjectionTables& tables,
                           bool gscMode) {
    ViewFrame f;
    f.tables = tables;
    f.Zoom = view.Zoom;
    f.EquatorMode = view.SekidouMod ? 1 : 0;

    if (view.Zoom < 800) {
        f.CurveStep1 = 150;
        f.CurveStep2 = 100;
        f.CurveStep3 = 50;
    } else if (view.Zoom < 1600) {
        f.CurveStep1 = 75;
        f.CurveStep2 = 50;
        f.CurveStep3 = 25;
    } else {
        f.CurveStep1 = 25;
        f.CurveStep2 = 25;
        f.CurveStep3 = 25;
    }

    f.RefractionAngle = view.TaikisaKeisan ? 54 : 0;
    f.RefractionTenths = view.TaikisaKeisan ? 5.0 : 0.0;

    const state::CivilClock& clock = view.clock;
    f.CurrentMjd = ModifiedJulianDay(clock.year, clock.month, clock.day);
    f.UtMinutes = UtMinutesOf(view);

    f.PrecessionAngle = view.SaisaKeisan ? (clock.year - 2000) * 16384 / 12885 : 0;

    if (f.EquatorMode) {
        f.SiderealAngle = 0;
        f.LatitudeAngle = kBinQuarterTurn;
        f.ViewAzimuthAngle = TenthsToBinAngle(1800.0 - view.Houi2);
    } else {
        f.SiderealAngle = ObserverSiderealAngle(view, f.CurrentMjd, f.UtMinutes, &f.SiderealUnits);
        f.LatitudeAngle = TenthsToBinAngleExact(view.Ido2);
        f.ViewAzimuthAngle = TenthsToBinAngle(view.Houi2);
    }
    f.ViewTiltAngle = TenthsToBinAngle(view.Koudo2 - 900.0);

    f.HorizonShown = (-f.RefractionTenths <= view.Koudo2 && view.Jimen == 1 && view.Horizon == 1 &&
                      !f.EquatorMode)
                         ? 1
                         : 0;
    f.ProperMotionDecades = gscMode ? 0 : (clock.year - 2000) / 10;
    f.YearInRange = (clock.year >= -9999 && clock.year <= 10000) ? 1 : 0;

    FillSines(f);
    return f;
}

void SetViewAngles(ViewFrame& frame, BinAngle azimuth, BinAngle tilt) {
    frame.ViewAzimuthAngle = azimuth;
    frame.ViewTiltAngle = tilt;
    frame.precise.sinAzimuth = std::sin(azimuth * kRadiansPerBin);
    frame.precise.cosAzimuth = std::cos(azimuth * kRadiansPerBin);
    frame.precise.sinTilt = std::sin(tilt * kRadiansPerBin);
    frame.precise.cosTilt = std::cos(tilt * kRadiansPerBin);
    if (frame.tables.sincos == nullptr) return;
    frame.fixed.sinAzimuth = Sin15(frame.tables.sincos, azimuth);
    frame.fixed.cosAzimuth = Cos15(frame.tables.sincos, azimuth);
    frame.fixed.sinTilt = Sin15(frame.tables.sincos, tilt);
    frame.fixed.cosTilt = Cos15(frame.tables.sincos, tilt);
}

int32_t ZoomIn(int32_t zoom) {
    if (zoom >= state::kZoomMax) return zoom;
    int32_t next = ((zoom * 12 + 50) / 100) * 10;
    if (next < state::kZoomMin) next = state::kZoomMin;
    if (next > state::kZoomMax) next = state::kZoomMax;
    return next;
}

}  // namespace astro
