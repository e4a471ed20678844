// What every build step receives: the inputs, the data set under construction, the provenance
// record, and products of earlier steps that later steps reuse.
#pragma once

#include <memory>

#include "framework/output_set.h"
#include "framework/provenance.h"
#include "framework/source_registry.h"

namespace databuilder {

struct SkyCatalogue;  // the star catalogue as STAR2 orders it (sky/sky_catalogue.h)

struct BuildContext {
    SourceRegistry& sources;
    OutputSet& output;
    Provenance& provenance;
    // Set by the star step; the constellation, name and asterism steps look stars up in it.
    std::shared_ptr<SkyCatalogue> sky;
};

// A build step writes one or more blocks; it throws BuildError when an input is unusable.
using BuildStepFunction = void (*)(BuildContext&);
struct BuildStep {
    const char* name;
    BuildStepFunction run;
};

}  // namespace databuilder
