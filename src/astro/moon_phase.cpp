#include "astro/moon_phase.h"

#include <algorithm>
#include <cmath>

namespace astro {

MoonPhaseShape MoonPhasePolygons(PixelPoint centre, double diameter, double elongation,
                                 double tilt) {
    MoonPhaseShape shape;
    const double rho = diameter / 2 - 0.25;
    const double count = std::trunc(3 * rho);
    if (!(count >= 1)) return shape;  // also refuses a diameter that is not a number
    const int N = count > 60 ? 60 : static_cast<int>(count);

    const double kFirst = elongation >= 0 ? 1.0 : -std::cos(elongation);
    const double kSecond = elongation >= 0 ? -std::cos(elongation) : 1.0;
    const double ct = std::cos(tilt), st = std::sin(tilt);
    constexpr double kPi = 3.141592653589793;

    // Rounded half away from zero; the clamp only keeps absurd diameters inside int.
    auto place = [&](double x, double y) {
        return PixelPoint{static_cast<int>(std::round(std::clamp(x, -1e8, 1e8))) + centre.x,
                          static_cast<int>(std::round(std::clamp(y, -1e8, 1e8))) + centre.y};
    };
    shape.disc.reserve(2 * N);
    shape.lit.reserve(2 * N);
    for (int j = 0; j < 2 * N; ++j) {
        const double theta = j * kPi / N;
        const double u = rho * std::sin(theta), w = rho * std::cos(theta);
        const double k = j < N ? kFirst : kSecond;
        shape.lit.push_back(place(k * u * ct - w * st, k * u * st + w * ct));
        shape.disc.push_back(place(u * ct - w * st, u * st + w * ct));
    }
    return shape;
}

}  // namespace astro
