#include "framework/build_run.h"

#include <chrono>
#include <fstream>
#include <iostream>
#include <sstream>

#include "framework/build_error.h"

namespace fs = std::filesystem;

namespace databuilder {

bool upToDate(const fs::path& outDir, const std::string& stamp) {
    std::ifstream in(outDir / kStampFile);
    std::stringstream text;
    text << in.rdbuf();
    if (stamp.empty() || text.str() != stamp) return false;
    // Every block the index names must still be there.
    std::ifstream index(outDir / "QELDATA.INI");
    if (!index) return false;
    std::string line;
    std::error_code ec;
    while (std::getline(index, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos &&
            !fs::is_regular_file(outDir / (line.substr(eq + 1) + ".DAT"), ec))
            return false;
    }
    return true;
}

int runBuild(const BuildOptions& options, const std::vector<BuildStep>& steps) {
    if (!options.force && upToDate(options.outDir, options.stamp)) {
        std::cout << "planetarium-databuilder: " << options.outDir.string() << " is up to date\n";
        return 0;
    }
    const char* current = "setup";
    try {
        const auto start = std::chrono::steady_clock::now();
        SourceRegistry sources(options.cacheDir, options.fetcher);
        OutputSet output(options.outDir);
        Provenance provenance;
        BuildContext context{sources, output, provenance, nullptr};
        for (const auto& step : steps) {
            current = step.name;
            const auto stepStart = std::chrono::steady_clock::now();
            step.run(context);
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - stepStart;
            std::cout << "  " << step.name << ": " << took.count() << " s\n";
        }
        current = "commit";
        output.writeFile("SOURCES.txt", provenance.text());
        output.writeFile(kStampFile, options.stamp);
        output.commit([&](const fs::path& staged) {
            if (!options.verify) return;
            current = "check of the new data set";
            const auto checkStart = std::chrono::steady_clock::now();
            options.verify(staged);
            const std::chrono::duration<double> took =
                std::chrono::steady_clock::now() - checkStart;
            std::cout << "  check: " << took.count() << " s\n";
            current = "commit";
        });
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        std::cout << "planetarium-databuilder: wrote " << output.blocks().size() << " blocks to "
                  << options.outDir.string() << " in " << took.count() << " s\n";
        return 0;
    } catch (const BuildError& e) {
        std::cerr << "planetarium-databuilder: " << e.what() << " (step " << current
                  << "); the data set was not changed\n";
    } catch (const std::exception& e) {
        std::cerr << "planetarium-databuilder: step " << current << " failed: " << e.what()
                  << "; the data set was not changed\n";
    }
    return 1;
}

}  // namespace databuilder
