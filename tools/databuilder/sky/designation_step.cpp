// ALPHA (designations of the bright stars) and STARN (proper names).
#include "framework/build_error.h"
#include "framework/byte_writer.h"
#include "framework/sources.h"
#include "sky/designations.h"
#include "sky/sky_inputs.h"
#include "sky/sky_steps.h"

namespace databuilder {

void buildDesignationBlocks(BuildContext& context) {
    if (!context.sky) throw BuildError("designations need the star catalogue step first");
    const auto& sd = sources::kStellariumData;
    const std::string root = sources::kStellariumRoot;
    const auto designations = parseNameFab(
        readTextFile(context.sources.file(sd, root + "stars/default/name.fab"), "name.fab"));
    const ConstellationSpans spans(
        readTextFile(context.sources.file(sd, root + "data/constellations_spans.dat"),
                     "constellations_spans.dat"));
    if (designations.size() < 1000 || spans.size() < 300)
        throw BuildError("stellarium-data: name.fab or constellations_spans.dat is incomplete");
    context.output.writeBlock("ALPHA", alphaBytes(*context.sky, designations, spans));
    context.provenance.record(sd,
                              "stars/default/name.fab, data/constellations_spans.dat -> ALPHA (" +
                                  std::to_string(context.sky->brightCount) +
                                  " records: Bayer and Flamsteed designations, constellation of "
                                  "every bright star by the B1875 boundaries)");

    const auto names = parseStarNames(readTextFile(
        context.sources.file(sd, root + "skycultures/western/star_names.fab"), "star_names.fab"));
    size_t iau = 0;
    const auto records = starNameRecords(*context.sky, names, &iau);
    ByteWriter w;
    for (const auto& r : records)
        w.record(r);
    context.output.writeBlock("STARN", w.take());
    context.provenance.record(sd,
                              "skycultures/western/star_names.fab -> STARN (" +
                                  std::to_string(records.size()) + " named stars, " +
                                  std::to_string(iau) +
                                  " of them by the names of the IAU Working Group on Star Names, "
                                  "the others by the dictionary of modern star names or SIMBAD; "
                                  "one name per star, a traditional alternative as the second "
                                  "name)",
                              "Western sky culture: CC BY-SA 4.0 International Public License + "
                              "Free Art License (skycultures/western/info.ini); IAU WGSN names.");
}

}  // namespace databuilder
