#include "astro/inverse_projection.h"

#include <cstdlib>
#include <limits>

#include "astro/bin_angle.h"
#include "astro/projection.h"

namespace astro {

namespace {

struct Search {
    const ViewFrame& frame;
    int32_t sx;
    int32_t sy;
    HorizontalTenths best;
    int32_t bestDistance = std::numeric_limits<int32_t>::max();

    // Tries one direction in tenths; the first strict minimum wins.
    void Try(double a, double b) {
        ScreenPoint p = ProjectHorizontal(frame, TenthsToBinAngle(a), TenthsToBinAngle(b));
        if (p.flag < 0) return;
        int32_t distance = std::abs(p.x - sx) + std::abs(p.y - sy);
        if (distance < bestDistance) {
            bestDistance = distance;
            best = {a, b};
        }
    }
};

}  // namespace

HorizontalTenths ScreenToHorizontal(const ViewFrame& frame, int32_t sx, int32_t sy) {
    Search search{frame, sx, sy, {}};
    // Coarse: 6-degree steps in a, 3-degree steps in b.
    for (int i = 0; i < 60; ++i) {
        for (int j = 0; j < 60; ++j)
            search.Try(30.0 + 60.0 * i, -885.0 + 30.0 * j);
    }
    // Medium: 0.1-degree steps, -3.0..+2.9 degrees in a and -1.5..+1.4 degrees in b.
    HorizontalTenths centre = search.best;
    search.bestDistance = std::numeric_limits<int32_t>::max();
    for (int i = 0; i < 60; ++i) {
        for (int j = 0; j < 30; ++j)
            search.Try(centre.a - 30.0 + i, centre.b - 15.0 + j);
    }
    // Fine: 0.005-degree steps over -0.1..+0.095 degrees, the altitude first held to +-90.
    centre = search.best;
    if (centre.b > 900.0) centre.b = 900.0;
    if (centre.b < -900.0) centre.b = -900.0;
    search.bestDistance = std::numeric_limits<int32_t>::max();
    for (int i = 0; i < 40; ++i) {
        for (int j = 0; j < 40; ++j)
            search.Try(centre.a - 1.0 + 0.05 * i, centre.b - 1.0 + 0.05 * j);
    }
    return search.best;
}

double ClampAltitude(double tenths) {
    return tenths > 900.0 ? 900.0 : (tenths < -900.0 ? -900.0 : tenths);
}

double ReduceTenths(double value) {
    return value - 3600.0 * static_cast<double>(static_cast<int64_t>(value / 3600.0));
}

int32_t RequestViewDirection(state::ViewState& view, double houi2, double koudo2, bool smooth) {
    if (houi2 == view.Houi2 && koudo2 == view.Koudo2) return 0;
    if (smooth) {
        view.MoveTargetHoui2 = houi2;
        view.MoveTargetKoudo2 = koudo2;
        view.PendingMoves |= state::kMoveAzimuth | state::kMoveAltitude;
    } else {
        view.Houi2 = houi2;
        view.Koudo2 = koudo2;
    }
    view.ViewChanged = true;
    return 1;
}

int32_t DragView(state::ViewState& view, const ProjectionTables& tables, int32_t x1, int32_t y1,
                 int32_t x2, int32_t y2) {
    ViewFrame frame = ComputeViewFrame(view, tables);
    HorizontalTenths from = ScreenToHorizontal(frame, x1, y1);
    HorizontalTenths to = ScreenToHorizontal(frame, x2, y2);
    double d = from.a - to.a;
    double houi2 = ReduceTenths((view.SekidouMod ? view.Houi2 + d : view.Houi2 - d) + 36000.0);
    double koudo2 = view.Koudo2 + (from.b - to.b);
    if (koudo2 > 900.0) koudo2 = 900.0;
    if (koudo2 < -900.0) koudo2 = -900.0;
    if (!view.SekidouMod && !view.UnderHorizon && koudo2 < -frame.RefractionTenths) {
        koudo2 = -frame.RefractionTenths;
    }
    if (houi2 == view.Houi2 && koudo2 == view.Koudo2) return 0;
    view.Houi2 = houi2;
    view.Koudo2 = koudo2;
    view.ViewChanged = true;
    return 1;
}

int32_t CenterViewOn(state::ViewState& view, const ProjectionTables& tables, int32_t sx,
                     int32_t sy) {
    ViewFrame frame = ComputeViewFrame(view, tables);
    HorizontalTenths point = ScreenToHorizontal(frame, sx, sy);
    double houi2 = ReduceTenths(view.SekidouMod ? point.a + 900.0 : 8100.0 - point.a);
    // The fine search may step up to 0.095 degrees past the zenith or nadir; the view's
    // altitude stays within its range.
    double koudo2 = ClampAltitude(point.b);
    if (!view.SekidouMod && !view.UnderHorizon && koudo2 < -frame.RefractionTenths) {
        koudo2 = -frame.RefractionTenths;
    }
    return RequestViewDirection(view, houi2, koudo2, view.SmoothIdou != 0);
}

}  // namespace astro
