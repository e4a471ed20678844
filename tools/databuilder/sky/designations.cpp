#include "sky/designations.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <set>
#include <sstream>

#include "framework/byte_writer.h"
#include "sky/ecliptic.h"

namespace databuilder {

namespace {

// Greek small letters alpha .. omega in UTF-8, in designation order (final sigma excluded).
int greekIndex(const std::string& text, size_t& length) {
    static const char* const kLetters[24] = {"α", "β", "γ", "δ", "ε", "ζ", "η", "θ",
                                             "ι", "κ", "λ", "μ", "ν", "ξ", "ο", "π",
                                             "ρ", "σ", "τ", "υ", "φ", "χ", "ψ", "ω"};
    for (int i = 0; i < 24; ++i) {
        const size_t n = std::strlen(kLetters[i]);
        if (text.compare(0, n, kLetters[i]) == 0) {
            length = n;
            return i + 1;
        }
    }
    return 0;
}

std::vector<std::string> splitOn(const std::string& text, char sep) {
    std::vector<std::string> parts;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, sep))
        parts.push_back(part);
    return parts;
}

bool allDigits(const std::string& s) {
    return !s.empty() &&
           std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

double parseSexagesimal(const std::string& text) {
    const bool negative = !text.empty() && text[0] == '-';
    double value = 0, unit = 1;
    for (const auto& part : splitOn(negative ? text.substr(1) : text, ':')) {
        value += std::stod(part) * unit;
        unit /= 60;
    }
    return negative ? -value : value;
}

}  // namespace

void copyUtf8(char* field, size_t width, const std::string& text) {
    std::memset(field, 0, width);
    size_t n = std::min(text.size(), width - 1);
    while (n > 0 && n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    std::memcpy(field, text.data(), n);
}

bool parseDesignation(const std::string& text, Designation& out) {
    const auto parts = splitOn(text, '_');
    if (parts.size() < 2 || parts[0].empty() || parts[1].size() != 3 ||
        !std::isupper(static_cast<unsigned char>(parts[1][0])))
        return false;
    out = Designation{};
    out.constellation = parts[1];
    const std::string& d = parts[0];
    size_t length = 0;
    if (allDigits(d)) {
        const int n = std::stoi(d);
        if (n <= 0 || n > 255) return false;
        out.flamsteed = n;
        return true;
    }
    if (int g = greekIndex(d, length)) {
        out.greek = g;
        out.suffix = d.substr(length);
    } else {
        size_t letters = 0;
        while (letters < d.size() && std::isalpha(static_cast<unsigned char>(d[letters])))
            ++letters;
        if (letters == 0 || letters > 2) return false;
        out.latin = d.substr(0, letters);
        out.suffix = d.substr(letters);
    }
    return out.suffix.size() <= 1;
}

std::map<int, Designation> parseNameFab(const std::string& text) {
    std::map<int, Designation> merged;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto bar = line.find('|');
        if (bar == std::string::npos) continue;
        std::string value = line.substr(bar + 1);
        while (!value.empty() && (value.back() == '\r' || value.back() == ' '))
            value.pop_back();
        int hip = 0;
        try {
            hip = std::stoi(line.substr(0, bar));
        } catch (...) {
            continue;
        }
        Designation d;
        if (hip <= 0 || !parseDesignation(value, d)) continue;
        auto [it, fresh] = merged.try_emplace(hip, d);
        if (fresh) continue;
        Designation& m = it->second;
        if (m.flamsteed == 0 && d.flamsteed) m.flamsteed = d.flamsteed;
        const bool hasBayer = m.greek || !m.latin.empty();
        if ((d.greek && !m.greek) || (!hasBayer && !d.latin.empty())) {
            m.greek = d.greek;
            m.latin = d.latin;
            m.suffix = d.suffix;
        }
    }
    return merged;
}

ConstellationSpans::ConstellationSpans(const std::string& text) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string lo, hi, dec, code;
        if (!(fields >> lo >> hi >> dec >> code)) continue;
        try {
            spans_.push_back(
                {parseSexagesimal(lo), parseSexagesimal(hi), parseSexagesimal(dec), code});
        } catch (...) {
            continue;
        }
    }
}

std::string ConstellationSpans::constellationOf(Vec3 j2000) const {
    const Vec3 v = precessFromJ2000(j2000, 1875.0);
    double ra = std::atan2(v.y, v.x) * 12.0 / kPi;
    if (ra < 0) ra += 24.0;
    const double dec = std::asin(std::clamp(v.z, -1.0, 1.0)) * 180.0 / kPi;
    for (const auto& s : spans_)
        if (dec >= s.decLowDeg && s.raLowHours <= ra && ra < s.raHighHours) return s.code;
    return {};
}

persist::DesignationRecord designationRecord(const std::string& constellation,
                                             const Designation* designation) {
    persist::DesignationRecord r{};
    copyUtf8(r.constellation, sizeof r.constellation, constellation);
    if (!designation) return r;
    if (designation->greek) {
        r.bayer[0] = persist::kGreekBayerMark;
        r.bayer[1] = static_cast<char>('a' + designation->greek - 1);
    } else if (!designation->latin.empty()) {
        copyUtf8(r.bayer, sizeof r.bayer, designation->latin);
    }
    copyUtf8(r.suffix, sizeof r.suffix, designation->suffix);
    r.flamsteed = static_cast<uint8_t>(designation->flamsteed);
    return r;
}

std::vector<uint8_t> alphaBytes(const SkyCatalogue& catalogue,
                                const std::map<int, Designation>& designations,
                                const ConstellationSpans& spans) {
    ByteWriter w;
    for (size_t n = 0; n < catalogue.brightCount; ++n) {
        const CatalogueStar& s = catalogue.stars[n];
        const Designation* d = nullptr;
        if (s.hip > 0 && catalogue.numberOfHip(s.hip) == static_cast<int>(n)) {
            const auto it = designations.find(s.hip);
            if (it != designations.end()) d = &it->second;
        }
        w.record(designationRecord(d ? d->constellation : spans.constellationOf(s.position), d));
    }
    return w.take();
}

namespace {

// A name of the IAU Working Group on Star Names: star_names.fab cites the IAU's naming campaigns
// or its catalogue of star names for it.
bool isIauName(const ReferencedName& name) {
    return std::any_of(name.references.begin(), name.references.end(),
                       [](int r) { return r == 4 || r == 6 || r == 12 || r == 36; });
}

// References that name stars as modern atlases do: the dictionary of modern star names, SIMBAD,
// the Bright Star Catalogue and Burnham's handbook.
bool isModernName(const ReferencedName& name) {
    return std::any_of(name.references.begin(), name.references.end(),
                       [](int r) { return r == 1 || r == 3 || r == 13 || r == 18; });
}

// "Dolones III", "Al Kaff al Jidhmah IV": the last word a Roman numeral.
bool isNumberedSeries(const std::string& name) {
    const size_t space = name.rfind(' ');
    if (space == std::string::npos || space + 1 == name.size()) return false;
    return name.find_first_not_of("IVX", space + 1) == std::string::npos;
}

}  // namespace

std::vector<persist::StarNameRecord> starNameRecords(
    const SkyCatalogue& catalogue, const std::map<int, std::vector<ReferencedName>>& names,
    size_t* iauCount) {
    // The candidate names of each star: those of its own Hipparcos number first.
    std::map<int, std::vector<ReferencedName>> byStar;
    for (bool merged : {false, true})
        for (const auto& [hip, list] : names) {
            const int number = catalogue.numberOfHip(hip);
            if (number < 0 || catalogue.mergedHips.count(hip) != static_cast<size_t>(merged))
                continue;
            auto& candidates = byStar[number];
            if (merged && !candidates.empty()) continue;
            for (const auto& name : list) {
                if (!isNumberedSeries(name.text))
                    candidates.push_back(name);
                else if (isIauName(name))  // "Zubenelgenubi II": the IAU name has no number
                    candidates.push_back(
                        {name.text.substr(0, name.text.rfind(' ')), name.references});
            }
        }
    // Which stars each name is on, and whose IAU name it is (the brightest such star: star
    // numbers follow magnitude in the bright part).
    std::map<std::string, std::set<int>> starsOfName;
    std::map<std::string, int> iauOwner;
    for (const auto& [number, list] : byStar)
        for (const auto& name : list) {
            starsOfName[name.text].insert(number);
            if (isIauName(name)) iauOwner.emplace(name.text, number);
        }
    const auto usable = [&](const std::string& text, int number) {
        const auto owner = iauOwner.find(text);
        return owner != iauOwner.end() ? owner->second == number : starsOfName[text].size() == 1;
    };

    std::vector<persist::StarNameRecord> records;
    for (const auto& [number, list] : byStar) {
        const auto shown = std::find_if(list.begin(), list.end(), [&](const ReferencedName& n) {
            return isIauName(n) && usable(n.text, number);
        });
        const ReferencedName* first = shown != list.end() ? &*shown : nullptr;
        if (!first)
            for (const auto& name : list)
                if (isModernName(name) && usable(name.text, number)) {
                    first = &name;
                    break;
                }
        if (!first) continue;
        if (iauCount && shown != list.end()) ++*iauCount;
        persist::StarNameRecord r{};
        r.star = static_cast<uint32_t>(number);
        copyUtf8(r.name, sizeof r.name, first->text);
        for (const auto& name : list)
            if (name.text != first->text && usable(name.text, number)) {
                copyUtf8(r.second, sizeof r.second, name.text);
                break;
            }
        records.push_back(r);
    }
    return records;
}

}  // namespace databuilder
