#include "milky_way.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cmath>

#include "persist/records/world_records.h"

namespace databuilder::world {

namespace {

constexpr double kRad = 3.14159265358979323846 / 180.0;

// Rows of the J2000 equatorial-to-galactic rotation (galactic pole at RA 192.85948,
// Dec 27.12825, longitude of the north celestial pole 122.93192).
constexpr double kG[3][3] = {{-0.0548755604162154, -0.8734370902348850, -0.4838350155487132},
                             {0.4941094278755837, -0.4448296299600112, 0.7469822444972189},
                             {-0.8676661490190047, -0.1980763734312015, 0.4559837761750669}};

double WrapSigned(double a) {
    a = std::fmod(a, 360.0);
    if (a <= -180.0) a += 360.0;
    if (a > 180.0) a -= 360.0;
    return a;
}

// Latitudes where the meridian at galactic longitude l crosses the region's edges.
std::vector<double> Crossings(const std::vector<std::vector<std::pair<double, double>>>& rings,
                              double l) {
    std::vector<double> bs;
    for (const auto& ring : rings) {
        const size_t n = ring.size();
        for (size_t i = 0; i < n; ++i) {
            const auto& [l1, b1] = ring[i];
            const auto& [l2, b2] = ring[(i + 1) % n];
            const double dl = WrapSigned(l2 - l1);
            if (dl == 0.0) continue;
            const double a = WrapSigned(l - l1);
            // Half-open on the lower longitude end, so a vertex on the meridian counts once.
            const bool crosses =
                dl > 0 ? (a >= 0 && a < dl) : (WrapSigned(l - l2) >= 0 && WrapSigned(l - l2) < -dl);
            if (!crosses) continue;
            const double t = a / dl;
            bs.push_back(b1 + (b2 - b1) * t);
        }
    }
    std::sort(bs.begin(), bs.end());
    return bs;
}

struct Interval {
    double lo, hi;
};

struct OpenStrip {
    std::vector<double> l, lo, hi;
};

GalacticPolygon Close(const OpenStrip& s) {
    GalacticPolygon p;
    for (size_t i = 0; i < s.l.size(); ++i) {
        p.l.push_back(s.l[i]);
        p.b.push_back(s.lo[i]);
    }
    for (size_t i = s.l.size(); i-- > 0;) {
        p.l.push_back(s.l[i]);
        p.b.push_back(s.hi[i]);
    }
    return p;
}

void PutBand(Bytes& out, const Region& region, int16_t mark) {
    PutI16(out, mark);
    PutI16(out, 0);
    for (const GalacticPolygon& p : CutIntoStrips(region)) {
        int16_t lastLon = -1, lastLat = 0;
        size_t written = 0;
        for (size_t i = 0; i < p.l.size() && written < persist::kMilkyMaxVertices; ++i) {
            double ra, dec;
            GalacticToEquatorial(p.l[i], p.b[i], ra, dec);
            const Ecliptic e = EquatorialToEcliptic(ra, dec);
            const int16_t lon = LonToBinAngle(e.lon), lat = LatToBinAngle(e.lat);
            if (lon == lastLon && lat == lastLat) continue;
            PutI16(out, lon);
            PutI16(out, lat);
            lastLon = lon;
            lastLat = lat;
            ++written;
        }
        PutI16(out, persist::kMilkyEndPolygon);
        PutI16(out, 0);
    }
}

}  // namespace

void EquatorialToGalactic(double ra, double dec, double& l, double& b) {
    const double v[3] = {std::cos(dec * kRad) * std::cos(ra * kRad),
                         std::cos(dec * kRad) * std::sin(ra * kRad), std::sin(dec * kRad)};
    double g[3];
    for (int i = 0; i < 3; ++i)
        g[i] = kG[i][0] * v[0] + kG[i][1] * v[1] + kG[i][2] * v[2];
    l = std::atan2(g[1], g[0]) / kRad;
    if (l < 0) l += 360.0;
    b = std::asin(std::clamp(g[2], -1.0, 1.0)) / kRad;
}

void GalacticToEquatorial(double l, double b, double& ra, double& dec) {
    const double g[3] = {std::cos(b * kRad) * std::cos(l * kRad),
                         std::cos(b * kRad) * std::sin(l * kRad), std::sin(b * kRad)};
    double v[3];
    for (int i = 0; i < 3; ++i)
        v[i] = kG[0][i] * g[0] + kG[1][i] * g[1] + kG[2][i] * g[2];
    ra = std::atan2(v[1], v[0]) / kRad;
    if (ra < 0) ra += 360.0;
    dec = std::asin(std::clamp(v[2], -1.0, 1.0)) / kRad;
}

Region ParseMilkyWayLevel(const Bytes& json, const std::string& levelId,
                          const std::string& inputName) {
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray(
        reinterpret_cast<const char*>(json.data()), static_cast<qsizetype>(json.size())));
    for (const QJsonValue& f : doc.object().value("features").toArray()) {
        const QJsonObject feature = f.toObject();
        if (feature.value("id").toString().toStdString() != levelId) continue;
        Region region;
        for (const QJsonValue& polygon :
             feature.value("geometry").toObject().value("coordinates").toArray()) {
            for (const QJsonValue& ringValue : polygon.toArray()) {
                Ring ring;
                for (const QJsonValue& point : ringValue.toArray()) {
                    const QJsonArray p = point.toArray();
                    if (p.size() < 2) throw InputError(inputName + ": bad point in " + levelId);
                    double ra = p[0].toDouble();
                    if (ra < 0) ra += 360.0;
                    ring.push_back({ra, p[1].toDouble()});
                }
                if (ring.size() >= 3) region.push_back(std::move(ring));
            }
        }
        if (region.empty()) throw InputError(inputName + ": level " + levelId + " is empty");
        return region;
    }
    throw InputError(inputName + ": no Milky Way level " + levelId);
}

std::vector<GalacticPolygon> CutIntoStrips(const Region& region, double columnStep,
                                           int maxColumns) {
    std::vector<std::vector<std::pair<double, double>>> rings;
    for (const Ring& r : region) {
        std::vector<std::pair<double, double>> g;
        for (const SkyPoint& p : r) {
            double l, b;
            EquatorialToGalactic(p.ra, p.dec, l, b);
            g.emplace_back(l, b);
        }
        rings.push_back(std::move(g));
    }
    const int columns = static_cast<int>(std::lround(360.0 / columnStep));
    // Columns sit a hair off the round longitudes where source vertices tend to lie exactly.
    constexpr double kColumnOffset = 1e-6;
    auto intervalsAt = [&](int c) {
        const std::vector<double> bs = Crossings(rings, c * columnStep + kColumnOffset);
        std::vector<Interval> out;
        for (size_t i = 0; i + 1 < bs.size(); i += 2)
            out.push_back({bs[i], bs[i + 1]});
        return out;
    };
    std::vector<GalacticPolygon> result;
    std::vector<OpenStrip> open;
    std::vector<Interval> current = intervalsAt(0);
    for (int c = 0; c < columns; ++c) {
        const std::vector<Interval> next = intervalsAt(c + 1);
        const double l0 = c * columnStep + kColumnOffset, l1 = l0 + columnStep;
        // Strips continue while the intervals of the two columns pair off one to one.
        bool oneToOne = current.size() == next.size();
        for (size_t k = 0; oneToOne && k < current.size(); ++k)
            oneToOne = current[k].lo < next[k].hi && next[k].lo < current[k].hi;
        if (!oneToOne || open.size() != current.size() ||
            (!open.empty() && static_cast<int>(open[0].l.size()) > maxColumns)) {
            for (const OpenStrip& s : open)
                if (s.l.size() >= 2) result.push_back(Close(s));
            open.clear();
        }
        if (oneToOne) {
            if (open.empty())
                for (const Interval& iv : current)
                    open.push_back({{l0}, {iv.lo}, {iv.hi}});
            for (size_t k = 0; k < next.size(); ++k) {
                open[k].l.push_back(l1);
                open[k].lo.push_back(next[k].lo);
                open[k].hi.push_back(next[k].hi);
            }
        } else {
            // Where intervals split, merge, start or end, join each overlapping pair by a
            // quadrilateral.
            for (const Interval& a : current)
                for (const Interval& b : next)
                    if (a.lo < b.hi && b.lo < a.hi)
                        result.push_back({{l0, l1, l1, l0}, {a.lo, b.lo, b.hi, a.hi}});
        }
        current = next;
    }
    for (const OpenStrip& s : open)
        if (s.l.size() >= 2) result.push_back(Close(s));
    return result;
}

Bytes BuildMilkyBlock(const Region& band1, const Region& band2) {
    Bytes out;
    PutBand(out, band1, persist::kMilkyBand1);
    PutBand(out, band2, persist::kMilkyBand2);
    PutI16(out, persist::kMilkyEndBlock);
    PutI16(out, 0);
    return out;
}

}  // namespace databuilder::world
