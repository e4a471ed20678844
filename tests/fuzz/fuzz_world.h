// What the fuzz targets share: a private folder for the files they write (the user's settings
// and data folders lie in it too), messages answered as a user who says yes to everything, Qt on
// the offscreen platform, the program's start-up sky over the real data set, and one small frame
// drawn as the main window draws it.
#pragma once

#include <unistd.h>

#include <QGuiApplication>
#include <QImage>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "persist/settings.h"
#include "platform/sky_painting.h"
#include "render/glyph_sheet.h"
#include "render/render_sky.h"
#include "shell/render_fixture.h"
#include "state/comet_record.h"
#include "state/messages.h"

// Fontconfig keeps blocks that no pointer the sanitizer sees refers to, and Qt lets go of its
// font caches in no set order as the process ends: leaks are looked for after each input
// (libFuzzer's -detect_leaks), outside fontconfig.
extern "C" const char* __lsan_default_options() {
    return "leak_check_at_exit=0:print_suppressions=0";
}
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace fuzz {

namespace fs = std::filesystem;

// The private folder, made at the first call and removed when the process ends.
inline const fs::path& Folder() {
    static const fs::path folder = [] {
        const fs::path path =
            fs::temp_directory_path() / ("planetarium-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(path);
        fs::create_directories(path);
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(Folder(), ignored);
        });
        return path;
    }();
    return folder;
}

// Writes the bytes to a file of the private folder (sub-folders made as needed); its path.
inline std::string WriteFile(const std::string& name, std::string_view bytes) {
    const fs::path path = Folder() / name;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}
inline std::string WriteFile(const std::string& name, const uint8_t* data, size_t size) {
    return WriteFile(name, std::string_view(reinterpret_cast<const char*>(data), size));
}

// Everything a target needs before its first input; the data folder is the real data set.
inline void Start() {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("XDG_CONFIG_HOME", (Folder() / "config").c_str(), 1);
    ::setenv("XDG_DATA_HOME", (Folder() / "share").c_str(), 1);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    state::SetMessageHandler([](const state::Message& message) {
        return message.buttons == state::MessageButtons::Ok ? state::MessageAnswer::Ok
                                                            : state::MessageAnswer::Yes;
    });
    state::SetTitleWindowCloser([] {});
    persist::SetDataDirectory(PLANETARIUM_DATASET_DIR);
}

// Start, with a data folder of the private folder instead: the test data set, which the target
// then changes.
inline void StartWithDataFolder() {
    Start();
    const std::string directory = (Folder() / "data").string();
    if (!fixture::WriteDataSet(QString::fromStdString(directory), {}, 0)) std::exit(1);
    persist::SetDataDirectory(directory);
}

// The settings, catalogues and projection tables of a sky, and its star catalogue as the main
// window builds it once.
struct Sky {
    state::ViewState view;
    state::AppOptions options;
    persist::DataSet data;
    astro::ProjectionTableStore tables;
    render::StarCatalog stars;
};

// Loads the sky of the data folder as start-up does; nothing where the program would stop.
inline std::optional<Sky> LoadSky() {
    Sky sky;
    persist::LoadSettings(sky.view, sky.options);
    if (!persist::LoadDataSet(sky.data, sky.options.UserPath, sky.options.GscPath)) return {};
    const persist::DataSet& d = sky.data;
    auto tables = astro::DecodeProjectionTables(d.block(persist::BlockId::SINCOS).bytes(),
                                                d.block(persist::BlockId::ZBI).bytes(),
                                                d.block(persist::BlockId::ZBI2).bytes());
    if (!tables) return {};
    sky.tables = std::move(*tables);
    sky.view.GscAvailable = sky.data.gscAvailable;
    sky.stars = render::BuildStarCatalog(sky.data, sky.options.GscPath);
    return sky;
}

// The start-up sky over the real data set, loaded once.
inline const Sky& StartupSky() {
    static const Sky sky = [] {
        std::optional<Sky> loaded = LoadSky();
        if (!loaded) {
            std::fprintf(stderr, "no data set in %s: build it first (./setup.sh build)\n",
                         PLANETARIUM_DATASET_DIR);
            std::exit(1);
        }
        return std::move(*loaded);
    }();
    return sky;
}

// One small frame of a view of the sky as the main window paints it.
inline void DrawFrame(const Sky& sky, state::ViewState& view, const state::AppOptions& options,
                      const state::CometTable* comets = nullptr,
                      render::DeepSkyPictureLookup pictures = {}) {
    static const render::GlyphSheet glyphs = render::BuildGlyphSheet();
    render::SkyScene scene;
    scene.view = &view;
    scene.options = &options;
    scene.data = &sky.data;
    scene.stars = sky.stars;
    scene.tables = sky.tables.view();
    scene.palette = render::CreateSkyPalette(view.lineSets);
    scene.comets = comets;
    scene.glyphSheet = &glyphs;
    scene.deepSkyPictures = std::move(pictures);
    if (view.BrightAuto) view.DrawStars = render::AutoStarLevelOf(view) - 40;
    QImage image(160, 120, QImage::Format_RGB32);
    platform::PaintSkyImage(image, image.width(), image.height(), scene);
}

}  // namespace fuzz
