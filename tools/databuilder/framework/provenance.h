// Collects, for build/data/SOURCES.txt, every input that went into the data set: package, version,
// checksum, licence and credit, and what each build step took from it.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "framework/source_registry.h"

namespace databuilder {

class Provenance {
  public:
    // `what`: the files taken and the blocks made from them. `credit`: acknowledgements that the
    // data inside requires beyond the package's own (catalogue authors, image credits).
    void record(const SourceSpec& spec, const std::string& what, const std::string& credit = {});
    // The licence under which the data set passes on `files` (names or patterns of the folder).
    void licenceOf(const std::string& files, const std::string& licence);
    std::string text() const;

  private:
    struct Use {
        std::string what;
        std::string credit;
    };
    struct Input {
        SourceSpec spec;
        std::vector<Use> uses;
    };
    std::vector<Input> inputs_;
    std::vector<std::pair<std::string, std::string>> licences_;  // files -> licence
};

}  // namespace databuilder
