// The sky of the main window: one render scene that lives as long as the window, drawn into the
// window's off-screen bitmap, centred on the bitmap's centre.
#pragma once

#include <memory>
#include <string>

#include <QImage>
#include <QPainter>

#include "astro/centring.h"
#include "astro/planets_location.h"
#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "platform/deep_sky_pictures.h"
#include "render/glyph_sheet.h"
#include "render/sky_scene.h"
#include "shell/status_bar.h"

namespace shell {

struct Program;

class SkyPainter {
  public:
    // data may be null (the catalogue layers then draw nothing); tables must outlive the painter.
    SkyPainter(Program& program, const persist::DataSet* data, astro::ProjectionTables tables,
               const std::string& gscPath);

    // Draws one frame of a drawing area of width x height pixels, centred on the bitmap's
    // centre. While a smooth move runs, tracking waits for it to end.
    FrameFacts Paint(QImage& bitmap, int width, int height, bool smoothMoveRunning = false);

    // Draws the printed page of that drawing area on a painter begun on a page of pageWidth x
    // pageHeight device pixels; target 1 monochrome or 2 colour print.
    void PaintPage(QPainter& painter, int pageWidth, int pageHeight, int width, int height,
                   int target);
    // Other programs read the bodies' places from "Planets Location" of the settings file: the
    // window's timer writes the last frame's places, at most once a second (nowMs: a steady
    // millisecond clock), and the close writes them at once (force).
    void FlushPlanetsLocation(qint64 nowMs, bool force);

    // The catalogue's star counts per magnitude level (the Brightness menu's captions).
    const render::StarCatalog& stars() const { return scene_.stars; }
    // A new palette from the line colours (after the colour dialog).
    void RebuildPalette();
    // Turns the view onto an object of the scene's catalogues, bodies or comets (see
    // render::CenterOnSceneObject).
    int CenterOnObject(astro::ObjectRef object, bool interactive);

    // The scene of the last frame (its body state serves the tool windows); painted() is false
    // until the first frame.
    const render::SkyScene& scene() const { return scene_; }
    bool painted() const { return painted_; }

  private:
    Program& program_;
    render::GlyphSheet glyphs_;
    platform::DeepSkyPictureFolder pictures_;
    render::SkyScene scene_;
    bool painted_ = false;
    astro::PlanetsLocationMemory planetsLocation_;
};

// The age of the Moon in days at the view's moment.
double MoonAgeOf(const state::ViewState& view);

}  // namespace shell
