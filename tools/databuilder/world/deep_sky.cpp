#include "deep_sky.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "persist/records/world_records.h"

namespace databuilder::world {

namespace {

constexpr double kDeg = 180.0 / 3.14159265358979323846;

// Big-endian reader over the serialized catalogue; every read is bounds-checked.
class StreamReader {
  public:
    StreamReader(const Bytes& data, const std::string& name) : data_(data), name_(name) {}
    bool AtEnd() const { return pos_ >= data_.size(); }
    uint32_t U32() {
        Need(4);
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | data_[pos_++];
        return v;
    }
    double F64() {
        Need(8);
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | data_[pos_++];
        double v;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    std::string Text() {  // UTF-16BE with a byte-length prefix; 0xFFFFFFFF is a null string
        const uint32_t n = U32();
        if (n == 0xFFFFFFFFu) return {};
        if (n % 2) throw InputError(name_ + ": odd string length");
        Need(n);
        std::string out;
        for (uint32_t i = 0; i < n; i += 2) {
            const unsigned c = (data_[pos_ + i] << 8) | data_[pos_ + i + 1];
            if (c < 0x80) out += static_cast<char>(c);  // designations are plain ASCII
        }
        pos_ += n;
        return out;
    }

  private:
    void Need(size_t n) const {
        if (pos_ + n > data_.size()) throw InputError(name_ + ": truncated record");
    }
    const Bytes& data_;
    std::string name_;
    size_t pos_ = 0;
};

double Magnitude(const DsoSource& s) {
    return s.vMag < 90 ? s.vMag : s.bMag;
}

std::string Upper(std::string s) {
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string Key(const char* prefix, uint32_t number) {
    return std::string(prefix) + " " + std::to_string(number);
}

std::string Padded(char group, uint32_t number) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%06u", group, number);
    return buf;
}

}  // namespace

std::vector<DsoSource> ParseDsoCatalog(const Bytes& data, const std::string& inputName) {
    StreamReader in(data, inputName);
    const std::string version = in.Text();
    const std::string edition = in.Text();
    if (version.empty() || version[0] != '3')
        throw InputError(inputName + ": unknown catalogue version \"" + version + "\"");
    std::vector<DsoSource> out;
    while (!in.AtEnd()) {
        DsoSource s;
        s.id = in.U32();
        s.ra = in.F64() * kDeg;
        s.dec = in.F64() * kDeg;
        s.bMag = in.F64();
        s.vMag = in.F64();
        s.type = in.U32();
        in.Text();  // morphology
        s.majorAxis = in.F64();
        in.F64();  // minor axis
        in.U32();  // position angle
        for (int i = 0; i < 6; ++i)
            in.F64();  // redshift, parallax, distance and their errors
        uint32_t ids[14];
        for (uint32_t& v : ids)
            v = in.U32();
        s.ngc = ids[0];
        s.ic = ids[1];
        s.messier = ids[2];
        s.caldwell = ids[3];
        s.barnard = ids[4];
        s.ldn = ids[8];
        s.cr = ids[10];
        s.mel = ids[11];
        s.pgc = ids[12];
        in.Text();  // Ced
        in.U32();   // Arp
        in.U32();   // VV
        for (int i = 0; i < 7; ++i)
            in.Text();  // PK, PN G, SNR G, ACO, HCG, ESO, vdBH
        for (int i = 0; i < 5; ++i)
            in.U32();  // DWB, Tr, St, Ru, vdB-Ha
        if (!std::isfinite(s.ra) || !std::isfinite(s.dec))
            throw InputError(inputName + ": bad position of object " + std::to_string(s.id));
        out.push_back(s);
    }
    if (out.empty()) throw InputError(inputName + ": no objects");
    return out;
}

namespace {

// A name that users know: the list calls it well known (WK) or gives SIMBAD or two sources for it.
bool KnownName(const std::string& comment) {
    std::istringstream sources(comment);
    std::string source;
    int count = 0;
    while (std::getline(sources, source, ',')) {
        source.erase(0, source.find_first_not_of(' '));
        source.erase(source.find_last_not_of(" \r") + 1);
        if (source.empty()) continue;
        if (source == "WK" || source == "SIMBAD") return true;
        ++count;
    }
    return count >= 2;
}

// The short forms that atlases use for long words in names.
constexpr std::pair<const char*, const char*> kShortForms[] = {
    {"September", "Sept."},    {"December", "Dec."},
    {"November", "Nov."},      {"October", "Oct."},
    {"Southern", "S."},        {"Northern", "N."},
    {"Sagittarius", "Sgr"},    {" Globular Cluster", " Cluster"},
    {"Andromeda", "And"},      {"Cassiopeia", "Cas"},
    {"Centaurus", "Cen"},      {"Triangulum", "Tri"},
    {"Monoceros", "Mon"},      {"Ophiuchus", "Oph"},
    {"Canes Venatici", "CVn"}, {"Ursa Major", "UMa"},
};

// The name with its long words shortened, one after another, until it fits; empty when it
// cannot be made to fit that way.
std::string Shortened(std::string name, size_t room) {
    for (const auto& [word, shortForm] : kShortForms) {
        if (name.size() <= room) break;
        const size_t at = name.find(word);
        if (at != std::string::npos) name.replace(at, std::string(word).size(), shortForm);
    }
    return name.size() <= room ? name : std::string();
}

}  // namespace

std::map<std::string, std::vector<std::string>> ParseDsoNames(const std::string& text) {
    std::map<std::string, std::vector<std::string>> names;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#' || line.size() < 21) continue;
        std::string prefix = Upper(line.substr(0, 5));
        prefix.erase(prefix.find_last_not_of(' ') + 1);
        std::string id = line.substr(5, 15);
        id.erase(0, id.find_first_not_of(' '));
        id.erase(id.find_last_not_of(' ') + 1);
        const size_t open = line.find("_(\"");
        const size_t close = line.find("\")", open == std::string::npos ? 0 : open);
        if (prefix.empty() || id.empty() || open == std::string::npos || close == std::string::npos)
            continue;
        const size_t hash = line.find('#', close);
        if (!KnownName(hash == std::string::npos ? "" : line.substr(hash + 1))) continue;
        names[prefix + " " + id].push_back(line.substr(open + 3, close - open - 3));
    }
    return names;
}

std::string FittingName(const std::vector<std::string>& names, size_t room) {
    if (names.empty()) return {};
    for (const std::string& n : names)
        if (n.size() <= room) return n;
    for (const std::string& n : names)
        if (const std::string shortened = Shortened(n, room); !shortened.empty()) return shortened;
    std::string cut = names[0].substr(0, room + 1);
    const size_t space = cut.find_last_of(' ');
    return space != std::string::npos && space > 0 ? cut.substr(0, space) : cut.substr(0, room);
}

void ClassifyDso(const DsoSource& s, char& type, char& tint) {
    switch (s.type) {
        case 0:
        case 1:
        case 2:
        case 3:
        case 4:
        case 21:
        case 22:
        case 25:
        case 33:
        case 34:
            type = 'G', tint = 'G';  // galaxies: old yellow starlight
            break;
        case 7:
            type = 'D', tint = 'K';  // globular clusters
            break;
        case 11:
        case 26:
        case 27:
            type = 'P', tint = 'A';  // planetary nebulae
            break;
        case 12: {
            // Dark nebula: the digit is the opacity class where the catalogue has one.
            const double opacity = Magnitude(s);
            const int digit = opacity >= 1 && opacity <= 9 ? static_cast<int>(opacity) : 4;
            type = 'N', tint = static_cast<char>('0' + digit);
            break;
        }
        case 13:
        case 14:
            type = 'N', tint = 'B';  // reflection nebulae: scattered blue starlight
            break;
        case 10:
        case 15:
        case 17:
        case 19:
        case 20:
        case 23:
        case 24:
        case 31:
            type = 'N', tint = 'M';  // emission nebulae and HII regions: hydrogen red
            break;
        case 18:
        case 32:
            type = 'N', tint = 'F';  // supernova remnants
            break;
        default:
            type = 'C', tint = 'B';  // clusters, associations, star clouds, asterisms
            break;
    }
}

std::vector<DeepSkyObject> SelectDeepSky(
    const std::vector<DsoSource>& catalogue,
    const std::map<std::string, std::vector<std::string>>& names) {
    std::vector<DeepSkyObject> out;
    for (const DsoSource& s : catalogue) {
        const double mag = Magnitude(s);
        const bool dark = s.type == 12;
        const bool take = s.messier != 0 || s.caldwell != 0 ||
                          (!dark && (s.ngc != 0 || s.ic != 0) && mag <= 10.0) ||
                          (!dark && s.type <= 9 && mag <= 3.0) ||
                          (!dark && (s.cr != 0 || s.mel != 0) && mag <= 5.0) ||
                          (dark && s.barnard != 0 && s.majorAxis >= 0.5);
        if (!take) continue;
        DeepSkyObject o;
        o.ra = s.ra;
        o.dec = s.dec;
        o.size = s.majorAxis;
        ClassifyDso(s, o.type, o.tint);
        if (s.messier) o.messier = "M" + std::to_string(s.messier);
        if (s.ngc)
            o.ngc = Key("NGC", s.ngc);
        else if (s.ic)
            o.ngc = Key("IC", s.ic);
        else if (s.caldwell)
            o.ngc = Key("C", s.caldwell);
        else if (s.barnard)
            o.ngc = Key("B", s.barnard);
        else if (s.cr)
            o.ngc = Key("Cr", s.cr);
        else if (s.mel)
            o.ngc = Key("Mel", s.mel);
        else if (s.pgc)
            o.ngc = Key("PGC", s.pgc);
        const std::pair<const char*, uint32_t> lookups[] = {
            {"M", s.messier}, {"NGC", s.ngc}, {"IC", s.ic},   {"C", s.caldwell}, {"B", s.barnard},
            {"LDN", s.ldn},   {"CR", s.cr},   {"MEL", s.mel}, {"PGC", s.pgc}};
        for (const auto& [prefix, number] : lookups) {
            if (number == 0) continue;
            const auto it = names.find(Key(prefix, number));
            if (it != names.end()) {
                o.popular = FittingName(it->second);
                break;
            }
        }
        // A cluster with nebulosity that its common name calls a nebula (M16, M17, M20, the
        // Tarantula, the Lagoon's cluster) is drawn as the nebula people look for.
        if ((s.type == 16 || s.type == 5) && o.popular.find("Nebula") != std::string::npos)
            o.type = 'N', o.tint = 'M';
        o.sortKey = s.messier ? Padded('0', s.messier)
                    : s.ngc   ? Padded('1', s.ngc)
                    : s.ic    ? Padded('2', s.ic)
                              : "3" + o.ngc;
        out.push_back(std::move(o));
    }
    std::stable_sort(out.begin(), out.end(), [](const DeepSkyObject& a, const DeepSkyObject& b) {
        return a.sortKey < b.sortKey;
    });
    // Some objects carry two designations of the same kind in the source; keep one of each.
    out.erase(std::unique(out.begin(), out.end(),
                          [](const DeepSkyObject& a, const DeepSkyObject& b) {
                              return a.sortKey == b.sortKey;
                          }),
              out.end());
    return out;
}

void AddMeteorRadiants(std::vector<DeepSkyObject>& objects, const MeteorShower* showers,
                       int count) {
    for (int i = 0; i < count; ++i) {
        DeepSkyObject o;
        o.ra = showers[i].ra;
        o.dec = showers[i].dec;
        o.type = 'M';
        o.tint = 'F';
        o.popular = FittingName({showers[i].name});
        o.messier = "L" + std::to_string(std::lround(showers[i].peakSolarLongitude) % 360);
        o.ngc = showers[i].code;
        o.sortKey = std::string("4") + showers[i].code;
        objects.push_back(std::move(o));
    }
}

Bytes BuildObjBlock(const std::vector<DeepSkyObject>& objects) {
    Bytes out;
    for (const DeepSkyObject& o : objects) {
        const Ecliptic e = EquatorialToEcliptic(o.ra, o.dec);
        PutRecord(
            out, persist::ObjectRecord{LonToBinAngle(e.lon), LatToBinAngle(e.lat),
                                       static_cast<uint8_t>(o.type), static_cast<uint8_t>(o.tint)});
    }
    return out;
}

Bytes BuildObjnBlock(const std::vector<DeepSkyObject>& objects) {
    Bytes out;
    for (const DeepSkyObject& o : objects) {
        persist::ObjectNameRecord r{};
        CopyField(r.popular, sizeof r.popular, o.popular);
        CopyField(r.messier, sizeof r.messier, o.messier);
        CopyField(r.ngc, sizeof r.ngc, o.ngc);
        PutRecord(out, r);
    }
    return out;
}

}  // namespace databuilder::world
