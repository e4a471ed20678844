#include "landscape.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "persist/records/world_records.h"

namespace databuilder::world {

std::vector<std::pair<double, double>> ParseHorizonPolygon(const std::string& text,
                                                           const std::string& inputName) {
    std::vector<std::pair<double, double>> points;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const size_t hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream fields(line);
        double az, alt;
        if (!(fields >> az)) continue;
        if (!(fields >> alt) || az < 0 || az > 360 || alt < -90 || alt > 90)
            throw InputError(inputName + ": bad line " + std::to_string(number));
        points.emplace_back(az, alt);
    }
    if (points.size() < 2) throw InputError(inputName + ": fewer than two horizon points");
    return points;
}

double SkylineAltitude(const std::vector<std::pair<double, double>>& sorted, double azimuth) {
    // The segment around the azimuth, wrapping from the last point back to the first.
    const size_t n = sorted.size();
    size_t next = 0;
    while (next < n && sorted[next].first <= azimuth)
        ++next;
    const auto& after = next < n ? sorted[next] : sorted[0];
    const auto& before = next > 0 ? sorted[next - 1] : sorted[n - 1];
    const double a0 = next > 0 ? before.first : before.first - 360.0;
    const double a1 = next < n ? after.first : after.first + 360.0;
    const double t = a1 > a0 ? (azimuth - a0) / (a1 - a0) : 0.0;
    return before.second + (after.second - before.second) * t;
}

Bytes BuildYamaBlock(std::vector<std::pair<double, double>> skyline) {
    std::stable_sort(skyline.begin(), skyline.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Bytes out;
    for (int fromSouth = 0; fromSouth < 360; ++fromSouth) {
        const double fromNorth = std::fmod(540.0 - fromSouth, 360.0);  // back through east
        const double alt = SkylineAltitude(skyline, fromNorth);
        PutU16(out, static_cast<uint16_t>(fromSouth * 50));
        PutU16(out, static_cast<uint16_t>(std::lround(std::max(0.0, alt) * 50)));
    }
    return out;
}

}  // namespace databuilder::world
