// Bayer and Flamsteed designations (ALPHA), constellation membership of undesignated stars, and
// proper names (STARN).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "persist/records/sky_records.h"
#include "sky/sky_catalogue.h"

namespace databuilder {

// One line of Stellarium's name.fab: "α_And", "γ1_And", "22_And", "b_Pup", "A1_Car", "59_And_A".
struct Designation {
    std::string constellation;  // "And"
    int greek = 0;              // 1 = alpha .. 24 = omega, 0 = none
    std::string latin;          // Latin-letter Bayer designation ("b", "A")
    std::string suffix;         // index digit ("1" of gamma-1)
    int flamsteed = 0;
};
// False when the text is not a designation of these forms.
bool parseDesignation(const std::string& text, Designation& out);

// All designations of each HIP, merged: a Bayer letter (Greek preferred) and a Flamsteed number.
std::map<int, Designation> parseNameFab(const std::string& text);

// Constellation of a direction by the B1875 boundary spans (constellations_spans.dat).
class ConstellationSpans {
  public:
    explicit ConstellationSpans(const std::string& text);
    std::string constellationOf(Vec3 j2000) const;  // empty when no span matches
    size_t size() const { return spans_.size(); }

  private:
    struct Span {
        double raLowHours, raHighHours, decLowDeg;
        std::string code;
    };
    std::vector<Span> spans_;
};

persist::DesignationRecord designationRecord(const std::string& constellation,
                                             const Designation* designation);

// ALPHA: one record per bright star; designated stars by their Hipparcos number (given to the
// brightest record of that number), every star with its constellation.
std::vector<uint8_t> alphaBytes(const SkyCatalogue& catalogue,
                                const std::map<int, Designation>& designations,
                                const ConstellationSpans& spans);

// STARN: for each named Hipparcos star in the catalogue, its first name as the shown name and its
// second name (when there is one) as the second name; sorted by star number.
std::vector<persist::StarNameRecord> starNameRecords(
    const SkyCatalogue& catalogue, const std::map<int, std::vector<std::string>>& names);

// Copies UTF-8 text into a fixed field, cut at a character boundary so the terminator fits.
void copyUtf8(char* field, size_t width, const std::string& text);

}  // namespace databuilder
