// Readers of the text inputs of the sky blocks: Stellarium sky-culture files (.fab) and
// d3-celestial JSON. Each throws BuildError naming its file when the contents do not parse.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "sky/vec3.h"

namespace databuilder {

// constellationship.fab / asterism_lines.fab: `CODE [TYPE] N hip hip ...` (N pairs of HIP).
struct FigureLines {
    std::string code;
    int type = 1;  // asterism line type; 1 = HIP pairs (constellation figures are always 1)
    std::vector<std::pair<int, int>> segments;
};
std::vector<FigureLines> parseFigureLines(const std::string& text, bool withType,
                                          const std::string& inputName);

// Joins segments into polylines where one segment starts at the end of the previous one.
std::vector<std::vector<int>> chainSegments(const std::vector<std::pair<int, int>>& segments);

// `CODE  "native"  _("English")` or `CODE _("English","context")` lines: code -> the last quoted
// text (the translatable one when present).
std::map<std::string, std::string> parseFigureNames(const std::string& text);
// The same lines: code -> the first quoted text (the native name, e.g. the pinyin romanisation).
std::map<std::string, std::string> parseNativeFigureNames(const std::string& text);

// `HIP|_("Name") 1,2,6` lines: HIP -> names in file order, each with its reference numbers.
struct ReferencedName {
    std::string text;
    std::vector<int> references;
    bool operator==(const ReferencedName&) const = default;
};
std::map<int, std::vector<ReferencedName>> parseStarNames(const std::string& text);

std::string readTextFile(const std::filesystem::path& path, const std::string& inputName);

// Direction of a label point: the normalised mean of the given stars' directions.
Vec3 meanDirection(const std::vector<Vec3>& directions);

}  // namespace databuilder
