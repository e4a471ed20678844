#include "shell/sky_painter.h"

#include "astro/clock.h"
#include "astro/moon.h"
#include "persist/paths.h"
#include "platform/sky_painting.h"
#include "render/primitives.h"
#include "render/render_sky.h"
#include "shell/program.h"

namespace shell {
namespace {

constexpr double kJ2000Mjd = 51544.5;

}  // namespace

SkyPainter::SkyPainter(Program& program, const persist::DataSet* data,
                       astro::ProjectionTables tables, const std::string& gscPath)
    : program_(program),
      glyphs_(render::BuildGlyphSheet()),
      pictures_(persist::ProgramFile(platform::kDeepSkyPictureFolder)) {
    scene_.view = &program.view;
    scene_.options = &program.options;
    scene_.data = data;
    if (data) scene_.stars = render::BuildStarCatalog(*data, gscPath);
    scene_.tables = tables;
    scene_.palette = render::CreateSkyPalette(program.view.lineSets);
    scene_.comets = &program.comets;
    scene_.glyphSheet = &glyphs_;
    scene_.deepSkyPictures = pictures_.Lookup();
}

void SkyPainter::RebuildPalette() {
    scene_.palette = render::CreateSkyPalette(program_.view.lineSets);
}

int SkyPainter::CenterOnObject(astro::ObjectRef object, bool interactive) {
    return render::CenterOnSceneObject(scene_, object, interactive);
}

FrameFacts SkyPainter::Paint(QImage& bitmap, int width, int height, bool smoothMoveRunning) {
    scene_.smoothMoveRunning = smoothMoveRunning;
    platform::PaintSkyImage(bitmap, width, height, scene_);
    painted_ = true;
    astro::KeepPlanetsLocation(scene_.bodies, planetsLocation_, persist::BareSettingsPath());
    return FrameFacts{MoonAgeOf(program_.view), scene_.frame.starLevel};
}

void SkyPainter::PaintPage(QPainter& painter, int pageWidth, int pageHeight, int width, int height,
                           int target) {
    scene_.smoothMoveRunning = false;
    platform::PaintSkyPage(painter, pageWidth, pageHeight, width, height, target, scene_);
}

void SkyPainter::FlushPlanetsLocation(qint64 nowMs, bool force) {
    astro::FlushPlanetsLocation(planetsLocation_, nowMs, force);
}

double MoonAgeOf(const state::ViewState& view) {
    const auto& c = view.clock;
    const double mjd =
        astro::ModifiedJulianDay(c.year, c.month, c.day) + astro::UtMinutesOf(view) / 1440.0;
    return astro::MoonAgeSearch(mjd - kJ2000Mjd, c.year);
}

}  // namespace shell
