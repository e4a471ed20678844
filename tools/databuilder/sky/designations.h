// Bayer and Flamsteed designations (ALPHA), constellation membership of undesignated stars, and
// proper names (STARN).
#pragma once

#include <map>
#include <string>
#include <vector>

#include "persist/records/sky_records.h"
#include "sky/sky_catalogue.h"
#include "sky/sky_inputs.h"

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

// STARN, one record per named star, sorted by star number. The shown name is the star's name of
// the IAU Working Group on Star Names; a star without one is named only when a dictionary or
// catalogue of modern star names lists it. A traditional alternative becomes the second name.
// Names of a numbered series ("Dolones III") and names that the list gives to several stars are
// left out, except on the star whose IAU name they are; a star whose light went into another
// record lends its names only when that record has none of its own.
std::vector<persist::StarNameRecord> starNameRecords(
    const SkyCatalogue& catalogue, const std::map<int, std::vector<ReferencedName>>& names,
    size_t* iauCount = nullptr);

// Copies UTF-8 text into a fixed field, cut at a character boundary so the terminator fits.
void copyUtf8(char* field, size_t width, const std::string& text);

}  // namespace databuilder
