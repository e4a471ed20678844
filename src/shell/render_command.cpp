#include "shell/render_command.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "astro/clock.h"
#include "astro/minor_planet_file.h"
#include "astro/projection_tables.h"
#include "astro/time_steps.h"
#include "persist/comet_file.h"
#include "persist/data_set.h"
#include "persist/paths.h"
#include "persist/profile.h"
#include "persist/settings.h"
#include "persist/view_file.h"
#include "platform/data_location.h"
#include "platform/deep_sky_pictures.h"
#include "platform/font_families.h"
#include "platform/sky_painting.h"
#include "render/glyph_sheet.h"
#include "render/render_sky.h"
#include "shell/view_file_open.h"
#include "state/messages.h"

namespace shell {
namespace {

constexpr int kMaxSide = 16384;

// A failure of the mode: the text of its one line on stderr.
struct Failure {
    std::string text;
};

bool EndsWithNoCase(const std::string& text, const std::string& suffix) {
    if (text.size() < suffix.size()) return false;
    for (std::size_t i = 0; i < suffix.size(); ++i) {
        const char a = text[text.size() - suffix.size() + i];
        if (std::tolower(static_cast<unsigned char>(a)) != suffix[i]) return false;
    }
    return true;
}

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end;
}

bool ParseSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    return ParseInt(std::string_view(text).substr(0, x), width) &&
           ParseInt(std::string_view(text).substr(x + 1), height);
}

// The settings as a profile: every key the save groups write, plus the folder settings.
persist::Profile SettingsProfile(const state::ViewState& view, const state::AppOptions& options) {
    persist::Profile profile;
    persist::WriteFullSettings(profile, view, options, persist::WindowPlacement{});
    persist::WriteDisplaySettings(profile, view);
    persist::WriteLineSets(profile, view);
    persist::WriteFontSets(profile, view);
    persist::WriteUserCities(profile, options);
    const char* section = persist::kSettingsSection;
    profile.Write(section, "GscPath", options.GscPath);
    profile.Write(section, "UserPath", options.UserPath);
    profile.WriteInt(section, "CometBright", options.CometBright);
    profile.WriteInt(section, "CometKyori", options.CometKyori);
    profile.Erase(section, "Houi");  // written for older versions, never read
    profile.Erase(section, "Koudo");
    return profile;
}

// Applies the --set keys on top of the current settings, read back with the settings rules.
std::optional<Failure> ApplySettings(const RenderRequest& request, state::ViewState& view,
                                     state::AppOptions& options) {
    if (request.settings.empty()) return std::nullopt;
    persist::Profile profile = SettingsProfile(view, options);
    const char* section = persist::kSettingsSection;
    for (const auto& [key, value] : request.settings) {
        if (key == "Ido" || key == "Keido") {
            // Whole degrees: they stand for the tenths that would otherwise win.
            profile.Erase(section, key + "2");
        } else if (!profile.Find(section, key)) {
            return Failure{"unknown settings key for --set: " + key};
        }
        profile.Write(section, key, value);
    }
    persist::LoadSettings(persist::SettingsReader(persist::Profile(), profile), view, options,
                          platform::FontFamilyKnown);
    // A typed value is brought into its range, as the dialogs do.
    view.Zoom = std::clamp(view.Zoom, state::kZoomMin, state::kZoomMax);
    view.DrawStars = std::clamp(view.DrawStars, 0, 110);
    view.Koudo2 = std::clamp(view.Koudo2, -900.0, 900.0);
    view.DrawStarMode3 = std::clamp(view.DrawStarMode3, 0, 5);
    view.AutoBriMode = std::clamp(view.AutoBriMode, -2, 2);
    return std::nullopt;
}

// The last message a loader showed, for the one-line report.
std::string& LastMessage() {
    static std::string text;
    return text;
}

void CaptureMessages() {
    state::SetMessageHandler([](const state::Message& message) {
        LastMessage() =
            message.caption.empty() ? message.text : message.text + " (" + message.caption + ")";
        return state::MessageAnswer::Ok;
    });
    state::SetTitleWindowCloser([] {});
}

struct LoadedSky {
    state::ViewState view;
    state::AppOptions options;
    persist::DataSet data;
    astro::ProjectionTableStore tables;
    state::CometTable comets;
    render::GlyphSheet glyphs = render::BuildGlyphSheet();
    std::optional<platform::DeepSkyPictureFolder> pictures;  // beside the data, once it is known
};

std::optional<Failure> LoadSky(const RenderRequest& request, LoadedSky& sky) {
    const std::string dataDirectory =
        platform::FindDataDirectory(platform::ExecutableDirectory(), request.dataDirectory);
    persist::SetDataDirectory(dataDirectory);

    persist::LoadSettings(sky.view, sky.options, platform::FontFamilyKnown);
    astro::SetClockAtStartup(sky.view);

    if (!request.viewFile.empty()) {
        const persist::ViewFileResult result =
            persist::OpenViewFile(request.viewFile, sky.view, sky.options);
        if (result == persist::ViewFileResult::CometFile) {
            return Failure{request.viewFile + ": a comet file, not a view file"};
        }
        if (result != persist::ViewFileResult::Opened) {
            return Failure{request.viewFile + ": " + persist::ViewFileMessage(result)};
        }
    }
    if (auto failure = ApplySettings(request, sky.view, sky.options)) return failure;
    astro::NormalizeClock(sky.view.clock);

    if (!persist::LoadDataSet(sky.data, sky.options.UserPath, sky.options.GscPath)) {
        return Failure{"cannot load the data set in " + dataDirectory + ": " + LastMessage()};
    }
    std::string tableError;
    const auto& blocks = sky.data;
    auto tables = astro::DecodeProjectionTables(
        blocks.block(persist::BlockId::SINCOS).bytes(), blocks.block(persist::BlockId::ZBI).bytes(),
        blocks.block(persist::BlockId::ZBI2).bytes(), &tableError);
    if (!tables) return Failure{"bad projection tables in the data set: " + tableError};
    sky.tables = std::move(*tables);
    sky.view.GscAvailable = sky.data.gscAvailable;
    // The printed footer names the place when it is a stored city.
    sky.view.CurrentCity = FindCurrentCity(sky.data, sky.options, sky.view);
    // Without a comet file the picture is drawn without comets.
    persist::LoadStartupComets(sky.options.UserPath, sky.comets);
    // An unreadable minor-planet file leaves the built-in elements; the picture is still made.
    const std::string minorPlanets =
        astro::LoadMinorPlanetFile(persist::ProgramFile(astro::kMinorPlanetFile));
    if (!minorPlanets.empty()) std::fprintf(stderr, "planetarium: %s\n", minorPlanets.c_str());
    return std::nullopt;
}

void PrepareScene(LoadedSky& sky, render::SkyScene& scene) {
    render::InitSkyScene(scene, sky.view, sky.options, sky.data, sky.tables.view());
    scene.comets = &sky.comets;
    scene.glyphSheet = &sky.glyphs;
    sky.pictures.emplace(persist::ProgramFile(platform::kDeepSkyPictureFolder));
    scene.deepSkyPictures = sky.pictures->Lookup();
    // The window's paint sets the magnitude limit from the zoom before each frame.
    if (sky.view.BrightAuto) sky.view.DrawStars = render::AutoStarLevelOf(sky.view) - 40;
}

std::optional<Failure> WritePng(const RenderRequest& request, render::SkyScene& scene) {
    QImage image(request.width, request.height, QImage::Format_RGB32);
    if (image.isNull()) return Failure{"cannot allocate a picture of that size"};
    image.fill(Qt::black);
    platform::PaintSkyImage(image, request.width, request.height, scene);
    if (!image.save(QString::fromStdString(request.output), "PNG")) {
        return Failure{"cannot write " + request.output};
    }
    return std::nullopt;
}

// One page through the print path, on A4 in the orientation of the picture.
std::optional<Failure> WritePdf(const RenderRequest& request, render::SkyScene& scene) {
    {
        QFile probe(QString::fromStdString(request.output));
        if (!probe.open(QIODevice::WriteOnly)) return Failure{"cannot write " + request.output};
    }
    QPdfWriter pdf(QString::fromStdString(request.output));
    platform::PreparePdfPage(
        pdf, QPageLayout(
                 QPageSize(QPageSize::A4),
                 request.width >= request.height ? QPageLayout::Landscape : QPageLayout::Portrait,
                 QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&pdf)) return Failure{"cannot write " + request.output};
    platform::PaintSkyPage(painter, pdf.width(), pdf.height(), request.width, request.height,
                           scene.options->ColorPrint + 1, scene);
    if (!painter.end()) return Failure{"cannot write " + request.output};
    return std::nullopt;
}

std::optional<Failure> Run(const RenderRequest& request) {
    LoadedSky sky;
    if (auto failure = LoadSky(request, sky)) return failure;
    render::SkyScene scene;
    PrepareScene(sky, scene);
    return request.pdf ? WritePdf(request, scene) : WritePng(request, scene);
}

}  // namespace

bool ParseRenderArguments(const std::vector<std::string>& arguments, RenderRequest& request,
                          std::string& error) {
    bool haveOutput = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == "--render" || arg == "--size" || arg == "--set" || arg == "--data-dir") {
            if (!hasValue) {
                error = arg + " needs a value";
                return false;
            }
            const std::string& value = arguments[++i];
            if (arg == "--render") {
                request.output = value;
                haveOutput = true;
            } else if (arg == "--size") {
                if (!ParseSize(value, request.width, request.height) || request.width <= 0 ||
                    request.height <= 0 || request.width > kMaxSide || request.height > kMaxSide) {
                    error = "bad --size " + value + " (WxH, each side 1.." +
                            std::to_string(kMaxSide) + ")";
                    return false;
                }
            } else if (arg == "--set") {
                const std::size_t eq = value.find('=');
                if (eq == std::string::npos || eq == 0) {
                    error = "bad --set " + value + " (KEY=VALUE)";
                    return false;
                }
                request.settings.emplace_back(value.substr(0, eq), value.substr(eq + 1));
            } else {
                request.dataDirectory = value;
            }
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            error = "unknown option " + arg;
            return false;
        } else if (request.viewFile.empty()) {
            request.viewFile = arg;
        } else {
            error = "more than one view file: " + arg;
            return false;
        }
    }
    if (!haveOutput || request.output.empty()) {
        error = "--render needs an output file";
        return false;
    }
    if (EndsWithNoCase(request.output, ".pdf")) {
        request.pdf = true;
    } else if (!EndsWithNoCase(request.output, ".png")) {
        error = "the output must end in .png or .pdf: " + request.output;
        return false;
    }
    return true;
}

int RunRenderCommand(int argc, char** argv) {
    std::vector<std::string> arguments(argv, argv + argc);
    RenderRequest request;
    std::string error;
    if (!ParseRenderArguments(arguments, request, error)) {
        std::fprintf(stderr, "planetarium: %s\n", error.c_str());
        return 2;
    }
    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // The mode reports in one line of its own; Qt's notes about its platform stay quiet.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QGuiApplication app(argc, argv);
    CaptureMessages();
    if (const auto failure = Run(request)) {
        std::fprintf(stderr, "planetarium: %s\n", failure->text.c_str());
        return 1;
    }
    return 0;
}

}  // namespace shell
