// KISETU (seasonal asterism lines) and KISEN (their names at the centre of their stars).
#include <algorithm>

#include "framework/build_error.h"
#include "framework/byte_writer.h"
#include "framework/sources.h"
#include "persist/records/sky_records.h"
#include "sky/designations.h"
#include "sky/figures.h"
#include "sky/sky_steps.h"

namespace databuilder {

namespace {

// The large seasonal asterisms of the Western sky culture, by their codes there.
const char* const kSeasonalAsterisms[] = {"GDi", "SpT", "STr", "GSP", "WTr", "WHx"};

}  // namespace

std::string shortAsterismName(std::string name) {
    const auto paren = name.find(" (");
    if (paren != std::string::npos) name.resize(paren);
    const auto of = name.find(" of ");
    if (name.size() > 19 && of != std::string::npos) name.resize(of);
    return name;
}

void buildAsterismBlocks(BuildContext& context) {
    if (!context.sky) throw BuildError("asterisms need the star catalogue step first");
    const auto& sd = sources::kStellariumData;
    const std::string root = sources::kStellariumRoot;
    const auto all = parseFigureLines(
        readTextFile(context.sources.file(sd, root + "skycultures/western/asterism_lines.fab"),
                     "asterism_lines.fab"),
        true, "asterism_lines.fab");
    const auto names = parseFigureNames(
        readTextFile(context.sources.file(sd, root + "skycultures/western/asterism_names.eng.fab"),
                     "asterism_names.eng.fab"));

    std::vector<FigureLines> chosen;
    ByteWriter kisen;
    for (const char* code : kSeasonalAsterisms) {
        const auto it = std::find_if(all.begin(), all.end(),
                                     [&](const FigureLines& f) { return f.code == code; });
        const auto name = names.find(code);
        if (it == all.end() || it->segments.empty() || name == names.end())
            throw BuildError("asterism_lines.fab: the asterism " + std::string(code) +
                             " is missing");
        chosen.push_back(*it);
        std::vector<Vec3> stars;
        for (const auto& [a, b] : it->segments) {
            for (int hip : {a, b}) {
                const int n = context.sky->numberOfHip(hip);
                if (n < 0)
                    throw BuildError("asterism_lines.fab: HIP " + std::to_string(hip) +
                                     " is not in the star catalogue");
                stars.push_back(context.sky->stars[n].position);
            }
        }
        const BinPoint label = toBinPoint(equatorialToEcliptic(meanDirection(stars)));
        persist::AsterismNameRecord r{};
        r.lon = label.lon;
        r.lat = label.lat;
        copyUtf8(r.name, sizeof r.name, shortAsterismName(name->second));
        kisen.record(r);
    }
    persist::AsterismNameRecord end{};
    end.lon = static_cast<int16_t>(persist::kListEnd);
    kisen.record(end);

    std::vector<int> missing;
    const auto polylines = figurePolylines(chosen, *context.sky, missing);
    context.output.writeBlock("KISETU", starPathBytes(polylines, "KISETU"));
    context.output.writeBlock("KISEN", kisen.take());
    context.provenance.record(sd,
                              "skycultures/western/asterism_lines.fab, asterism_names.eng.fab -> "
                              "KISETU, KISEN (Great Diamond, Spring Triangle, Summer Triangle, "
                              "Great Square of Pegasus, Winter Triangle, Winter Hexagon; labels at "
                              "the mean direction of their stars)",
                              "Western sky culture: CC BY-SA 4.0 + Free Art License.");
}

}  // namespace databuilder
