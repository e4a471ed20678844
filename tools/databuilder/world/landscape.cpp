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

Bytes BuildYamaBlock(std::vector<std::pair<double, double>> skyline) {
    std::stable_sort(skyline.begin(), skyline.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    Bytes out;
    const size_t n = skyline.size();
    for (int az = 0; az < 360; ++az) {
        // The segment around az, wrapping from the last point back to the first.
        size_t next = 0;
        while (next < n && skyline[next].first <= az)
            ++next;
        const auto& after = next < n ? skyline[next] : skyline[0];
        const auto& before = next > 0 ? skyline[next - 1] : skyline[n - 1];
        double a0 = before.first, a1 = after.first;
        double x = az;
        if (next == n) a1 += 360.0;
        if (next == 0) {
            a0 -= 360.0;
        }
        const double span = a1 - a0;
        const double t = span > 0 ? (x - a0) / span : 0.0;
        const double alt = before.second + (after.second - before.second) * t;
        PutU16(out, static_cast<uint16_t>(az * 50));
        PutU16(out, static_cast<uint16_t>(std::lround(std::max(0.0, alt) * 50)));
    }
    return out;
}

}  // namespace databuilder::world
