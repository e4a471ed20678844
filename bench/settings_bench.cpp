// Start-up settings load and the close-time saves on a fully written settings file.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "persist/paths.h"
#include "persist/settings.h"

namespace {

namespace fs = std::filesystem;

// A private folder with a settings file holding every key the program writes.
struct SettingsFolder {
    SettingsFolder() {
        root = fs::temp_directory_path() / ("settings-bench-" + std::to_string(::getpid()));
        fs::create_directories(root / "data");
        ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
        persist::SetDataDirectory((root / "data").string());
        state::ViewState view;
        state::AppOptions options;
        persist::LoadSettings(view, options);
        options.UserCitys = 40;
        persist::SaveDisplaySettings(view);
        persist::SaveFullSettings(view, options, {10, 10, 800, 600, false});
        persist::SaveUserCities(options);
        persist::SaveLineSets(view);
        persist::SaveFontSets(view);
    }
    ~SettingsFolder() { fs::remove_all(root); }
    fs::path root;
};

SettingsFolder& Folder() {
    static SettingsFolder folder;
    return folder;
}

void BM_LoadSettings(benchmark::State& state) {
    Folder();
    for (auto _ : state) {
        state::ViewState view;
        state::AppOptions options;
        persist::LoadSettings(view, options);
        benchmark::DoNotOptimize(view.Zoom);
    }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_SaveFullAndDisplaySettings(benchmark::State& state) {
    Folder();
    state::ViewState view;
    state::AppOptions options;
    persist::LoadSettings(view, options);
    for (auto _ : state) {
        persist::SaveDisplaySettings(view);
        persist::SaveFullSettings(view, options, {10, 10, 800, 600, false});
    }
}
BENCHMARK(BM_SaveFullAndDisplaySettings)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
