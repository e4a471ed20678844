// Runs the build steps into a staged data set and commits it only when all of them succeed.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "framework/build_context.h"

namespace databuilder {

struct BuildOptions {
    std::filesystem::path outDir;
    std::filesystem::path cacheDir;
    std::string stamp;   // identifies builder and inputs; equal stamp and complete output = no work
    bool force = false;  // build even when the stamp matches
    SourceRegistry::Fetcher fetcher = SourceRegistry::runPackageClient;
    // Checks the staged set before it replaces the old one; throws BuildError on a broken rule.
    std::function<void(const std::filesystem::path&)> verify = {};
};

inline constexpr const char* kStampFile = "BUILD-STAMP";

// True when `outDir` holds a complete data set made with `stamp`.
bool upToDate(const std::filesystem::path& outDir, const std::string& stamp);

// Returns 0 on success; on failure prints one line "planetarium-databuilder: ..." to stderr,
// leaves `outDir` as it was and returns 1.
int runBuild(const BuildOptions& options, const std::vector<BuildStep>& steps);

}  // namespace databuilder
