#include "render/render_sky.h"

#include <algorithm>
#include <optional>

#include "astro/centring.h"
#include "astro/clock.h"
#include "astro/frame_solar_system.h"
#include "astro/projection.h"
#include "render/bodies.h"
#include "render/constellations.h"
#include "render/deep_sky.h"
#include "render/grids_horizon.h"
#include "render/labels.h"

namespace render {
namespace {

constexpr int kSinMinus18 = -5063;  // 16384 sin(-18 degrees): astronomical twilight
constexpr int kSin9 = 2563;         // 16384 sin 9 degrees: no star left above it
constexpr int kSin6 = 1713;         // 16384 sin 6 degrees: civil twilight

ProjectedPoint ProjectWithFrame(const void* context, int lon, int lat) {
    const astro::ScreenPoint p =
        astro::ProjectEcliptic(*static_cast<const astro::ViewFrame*>(context), lon, lat);
    return ProjectedPoint{p.x, p.y, p.flag};
}

void Trace(SkyScene& scene, std::string_view layer) {
    if (scene.onLayer) scene.onLayer(layer);
}

void ComputeFrame(SkyScene& scene) {
    scene.viewFrame = astro::ComputeViewFrame(*scene.view, scene.tables, scene.frame.gscMode);
    scene.projection.project = &ProjectWithFrame;
    scene.projection.context = &scene.viewFrame;
    scene.projection.horizonShown = scene.viewFrame.HorizonShown != 0;
    scene.projection.properMotionDecades = scene.viewFrame.ProperMotionDecades;
}

// The Sun, Moon and planets for the frame's moment; what the twilight needs from them.
SunInputs ComputeSun(SkyScene& scene) {
    if (scene.computeSun) return scene.computeSun(*scene.view, scene.viewFrame);
    astro::ComputeAllBodies(*scene.view, scene.viewFrame, scene.bodies);
    const astro::BodyState& sun = scene.bodies.bodies[astro::kSunIndex];
    SunInputs inputs;
    inputs.sunSine = static_cast<int>(-sun.down);
    inputs.sunMoonSeparation = scene.bodies.sunMoonSeparation;
    inputs.earthLongitude = sun.helioLongitude;
    return inputs;
}

// Centring on the scene's catalogues and on its bodies and comets, which it recomputes for the
// view's moment when asked.
template <class Work>
auto WithSceneCentring(SkyScene& scene, Work work) {
    std::optional<astro::BlockObjectCatalog> catalog;
    if (scene.data) catalog.emplace(astro::BlockCatalogOf(*scene.data));
    astro::FrameSolarSystem solarSystem(
        scene.bodies,
        [&scene](int32_t index) -> std::optional<astro::EclipticRadians> {
            if (index < 0 || static_cast<std::size_t>(index) >= scene.cometStates.size())
                return std::nullopt;
            const astro::CometState& comet = scene.cometStates[static_cast<std::size_t>(index)];
            if (!comet.position.finite) return std::nullopt;
            return astro::EclipticRadians{comet.position.longitude, comet.position.latitude};
        },
        [&scene](int32_t index, const state::ViewState&, const astro::ViewFrame& frame) {
            if (!scene.comets || index < 0 || index >= scene.comets->count ||
                index >= state::kCometFileLimit)
                return;
            if (scene.cometStates.size() < static_cast<std::size_t>(scene.comets->count))
                scene.cometStates.resize(static_cast<std::size_t>(scene.comets->count));
            const state::AppOptions defaults;
            const state::AppOptions& o = scene.options ? *scene.options : defaults;
            scene.cometStates[static_cast<std::size_t>(index)] =
                astro::ComputeCometState(scene.comets->records[static_cast<std::size_t>(index)],
                                         frame, scene.bodies, o.CometBright, o.CometKyori);
        });
    astro::CentringContext context{*scene.view, scene.tables, catalog ? &*catalog : nullptr,
                                   &solarSystem};
    return work(context);
}

// Re-centres the view on the tracked object (unless a smooth move is under way) and sets the
// frame up again for the new direction.
void TrackObjectInView(SkyScene& scene) {
    const state::ViewState& view = *scene.view;
    if (!view.Tracking || view.TrackingSuppressed || scene.smoothMoveRunning) return;
    WithSceneCentring(scene, [&scene](astro::CentringContext& context) {
        if (astro::TrackObject(context, scene.frame.gscMode)) ComputeFrame(scene);
    });
}

StarContext StarsOf(Canvas& canvas, SkyScene& scene) {
    return StarContext{canvas,      *scene.view,      scene.frame,
                       scene.stars, scene.projection, scene.starScreen};
}

void Glow(LayerContext& layer, int first, int last) {
    const state::ViewState& view = *layer.scene.view;
    if (layer.target == kTargetMonochromePrint || view.SekidouMod) return;
    if (!((view.Horizon && view.Chijoukou) || view.Taiyoukou)) return;
    Trace(layer.scene, "glow");
    DrawGlowBands(layer, first, last);
}

void DrawBackgroundLayers(LayerContext& layer) {
    const state::ViewState& view = *layer.scene.view;
    const RenderFrame& f = layer.scene.frame;
    if (view.SeiunImage && f.deepSkyLevel > 0) {
        Trace(layer.scene, "deep-sky images 0");
        DrawDeepSkyImages(layer, 0);
        if (!view.MilkyWay) {
            Trace(layer.scene, "deep-sky images 1");
            DrawDeepSkyImages(layer, 1);
            Trace(layer.scene, "deep-sky images 2");
            DrawDeepSkyImages(layer, 2);
        }
    }
    Glow(layer, 16 - f.milkyWayLevel, 16);
    if (view.MilkyWay && f.milkyWayLevel > 0) {
        Trace(layer.scene, "milky way 1");
        DrawMilkyWay(layer, 1, f.milkyWayLevel);
    }
    if (view.SeiunImage && view.MilkyWay && f.deepSkyLevel > 0) {
        Trace(layer.scene, "deep-sky images 1");
        DrawDeepSkyImages(layer, 1);
    }
    Glow(layer, 16 - f.deepSkyLevel, 16 - f.milkyWayLevel);
    if (view.MilkyWay && f.deepSkyLevel > 0) {
        Trace(layer.scene, "milky way 2");
        DrawMilkyWay(layer, 2, f.deepSkyLevel);
    }
    if (view.SeiunImage && view.MilkyWay && f.deepSkyLevel > 0) {
        Trace(layer.scene, "deep-sky images 2");
        DrawDeepSkyImages(layer, 2);
    }
    Glow(layer, -15, 16 - f.deepSkyLevel);
}

void DrawGridLayers(LayerContext& layer) {
    const state::ViewState& view = *layer.scene.view;
    if (view.Koudou >= 2) {
        Trace(layer.scene, "ecliptic grid");
        DrawEclipticGrid(layer, view.Koudou >= 3);
    }
    if (view.Sekidou >= 2) {
        Trace(layer.scene, "equatorial grid");
        DrawEquatorialGrid(layer, view.Sekidou >= 3);
    }
    if (view.Glid && !view.SekidouMod) {
        Trace(layer.scene, "horizontal grid");
        DrawHorizontalGrid(layer, view.GridScale != 0);
    }
    if (view.Koudou >= 1) {
        Trace(layer.scene, "ecliptic");
        DrawEclipticLine(layer);
    }
    if (view.Sekidou >= 1) {
        Trace(layer.scene, "equator");
        DrawCelestialEquator(layer);
    }
    if (view.CircleGuide || view.Shaya) {
        Trace(layer.scene, "guides");
        DrawGuides(layer);
    }
    if (view.Kyoukai && layer.scene.frame.constellationVisible) {
        Trace(layer.scene, "boundaries");
        DrawConstellationBoundaries(layer);
    }
}

// Tracing Mode: the past positions of the chosen objects, oldest first; the clock ends at the
// present moment.
void DrawTraceHistory(LayerContext& layer) {
    SkyScene& scene = layer.scene;
    state::ViewState& view = *scene.view;
    if (!scene.options) return;
    const state::AppOptions& o = *scene.options;
    if (!view.AutoRunning || o.AutoType != 1) return;
    Trace(scene, "trace history");
    const state::CivilClock saved = view.clock;
    for (int k = std::clamp(o.AutoRepeat, 0, 1000); k >= 0; --k) {
        view.clock = state::CivilClock{saved.year - k * o.AutoYear, saved.month - k * o.AutoMonth,
                                       saved.day - k * o.AutoDay, saved.hour - k * o.AutoHour,
                                       saved.minute - k * o.AutoMinit};
        astro::NormalizeClock(view.clock);
        ComputeFrame(scene);
        if (!view.SekidouMod && o.AutoHour == 0 && o.AutoMinit == 0 && o.AutoTaishou[4] == 0) {
            // Keep the sky of the present moment while the bodies move by whole days.
            const int32_t mjd = scene.viewFrame.CurrentMjd;
            const int32_t minutes = scene.viewFrame.UtMinutes;
            view.clock = saved;
            ComputeFrame(scene);
            scene.viewFrame.CurrentMjd = mjd;
            scene.viewFrame.UtMinutes = minutes;
        }
        if (view.Solar || view.Comet) ComputeSun(scene);
        if (k == 0) continue;
        if (o.AutoTaishou[4] && !(view.SekidouMod && o.AutoYear == 0)) {
            const int level = scene.frame.starLevel;
            const int n =
                level < 0 ? 0
                          : scene.stars.countByLevel[static_cast<std::size_t>(std::min(level, 45))];
            ProjectStars(StarsOf(layer.canvas, scene), n);
            DrawStarPass(StarsOf(layer.canvas, scene), kPassTrace, layer.target);
        }
        scene.traceStep = k;
        if (view.Comet && o.AutoTaishou[3]) {
            const int32_t comet = view.Comet;
            view.Comet = 1;
            DrawComets(layer, true);
            view.Comet = comet;
        }
        if (view.Solar) {
            const int32_t solar = view.Solar;
            view.Solar = 1;
            DrawBodies(layer, true);
            view.Solar = solar;
        }
    }
    scene.traceStep = 0;
    view.clock = saved;
    ComputeFrame(scene);
}

void DrawStarLayers(LayerContext& layer, bool haloPass) {
    SkyScene& scene = layer.scene;
    const RenderFrame& f = scene.frame;
    const StarContext stars = StarsOf(layer.canvas, scene);
    if (haloPass) {
        if (f.starLevel > 0 && (scene.view->DrawStarMode3 == 1 || scene.view->DrawStarMode3 == 5)) {
            if (!f.gscMode) {
                Trace(scene, "stars halo");
                DrawStarPass(stars, kPassHalo, layer.target);
            } else if (layer.target == kTargetScreen) {
                Trace(scene, "catalogue stars halo");
                DrawGscPass(stars, kGscPassHalo, f.starLevel + 20, layer.target);
            }
        }
        if (f.starCount > scene.stars.brightStarCount && !f.gscMode) {
            Trace(scene, "faint stars");
            DrawStarPass(stars, kPassFaintZones, layer.target);
        }
        return;
    }
    if (f.starLevel > 0) {
        if (!f.gscMode) {
            Trace(scene, "stars");
            DrawStarPass(stars, kPassMain, layer.target);
        } else {
            Trace(scene, "catalogue stars");
            DrawGscPass(stars, kGscPassMain, f.starLevel + 20, layer.target);
        }
    }
}

void DrawFigureLayers(LayerContext& layer) {
    const state::ViewState& view = *layer.scene.view;
    const RenderFrame& f = layer.scene.frame;
    if (view.Picture && f.constellationVisible) {
        Trace(layer.scene, "pictures");
        DrawConstellationPictures(layer);
    }
    if (view.Line && f.constellationVisible) {
        Trace(layer.scene, "lines");
        DrawConstellationLines(layer);
    }
    if (view.ShukuLine && view.UnicodeText && f.constellationVisible) {
        Trace(layer.scene, "old chinese lines");
        DrawOldChineseLines(layer);
    }
    if (view.Kisetu && f.asterismVisible) {
        Trace(layer.scene, "asterism lines");
        DrawAsterismLines(layer);
    }
}

void DrawForegroundLayers(LayerContext& layer) {
    SkyScene& scene = layer.scene;
    const state::ViewState& view = *scene.view;
    const RenderFrame& f = scene.frame;
    if (view.Comet) {
        Trace(scene, "comets");
        DrawComets(layer, false);
    }
    if (view.Galaxy && (f.deepSkyLevel > 0 || view.SeiunHiruma)) {
        Trace(scene, "deep-sky symbols");
        DrawDeepSkySymbols(layer);
    }
    if (f.starLevel > 0 && (view.StarName || (view.ShukuStar && view.UnicodeText))) {
        Trace(scene, "star labels");
        DrawStarLabels(layer);
    }
    if (view.Solar) {
        Trace(scene, "bodies");
        DrawBodies(layer, false);
    }
    if (view.ShukuName && view.UnicodeText && f.constellationVisible) {
        Trace(scene, "old chinese names");
        DrawOldChineseNames(layer);
    }
    if (view.Constella && f.constellationVisible) {
        Trace(scene, "constellation names");
        DrawConstellationNames(layer);
    }
    if (view.KisetuName && f.asterismVisible) {
        Trace(scene, "asterism names");
        DrawAsterismNames(layer);
    }
    if (scene.labels.active()) {
        Trace(scene, "labels kept");
        scene.labels.DrawKept(layer.canvas);
    }
    if (view.Horizon && !view.SekidouMod) {
        Trace(scene, "horizon");
        DrawHorizon(layer);
    }
}

}  // namespace

bool DecideGscMode(const state::ViewState& view, bool gscAvailable, int target) {
    const int zoomNeeded = target == kTargetScreen ? 500 : 2500;
    return view.DrawStars + 40 >= 95 && view.Zoom >= zoomNeeded && view.UseGsc && gscAvailable;
}

double EclipseFactorOf(double sunMoonSeparation) {
    if (!(sunMoonSeparation < 0.001)) return 1.0;
    return std::max(0.0, 2000.0 * sunMoonSeparation - 1.0);
}

void DeriveFrameLevels(RenderFrame& f, const state::ViewState& view, bool yearInRange, int target,
                       const std::array<int, kStarLevelCount>& countByLevel) {
    const int limit = view.DrawStars + 40;
    if (!view.Hakumei || target == kTargetMonochromePrint || view.SekidouMod || !yearInRange) {
        f.twilightLevel = kNoTwilightLimit;
        f.starLevel = limit;
        f.sunSine = -16384;
    } else if (f.sunSine > kSinMinus18) {
        f.twilightLevel =
            static_cast<int>((1.0 - f.eclipseFactor) * 60 + std::max(0, (kSin9 - f.sunSine) / 80));
        f.starLevel = std::min(f.twilightLevel, limit);
    } else {
        f.twilightLevel = kNoTwilightLimit;
        f.starLevel = limit;
    }

    if (f.starLevel >= kStarLevelCount && !f.gscMode) {
        f.starLevel = kStarLevelCount - 1;
        f.starCount = countByLevel[kStarLevelCount - 1];
    } else if (f.starLevel < 0) {
        f.starLevel = 0;
        f.starCount = countByLevel[0];
    } else if (f.starLevel >= kStarLevelCount) {
        f.starCount = countByLevel[kStarLevelCount - 1];
    } else {
        f.starCount = countByLevel[static_cast<std::size_t>(f.starLevel)];
    }

    const int q = (f.sunSine - kSinMinus18) / 207;
    f.deepSkyLevel = std::clamp(10 - q, 0, 10);
    f.milkyWayLevel = std::clamp(6 - q, 0, 6);
    f.civilDaylight = f.sunSine + kSin6 > 0;

    const int t = f.twilightLevel;
    f.constellationVisible = t >= 40 || view.SeizaHiruma;
    f.asterismVisible = t >= 20 || view.SeizaHiruma;
    f.cometVisible = t >= 40 || view.WakuseiHiruma;
    f.bodyVisibleBright = t > 0 || view.WakuseiHiruma;
    f.bodyVisibleMedium = t >= 40 || view.WakuseiHiruma;
    f.bodyVisibleFaint = t >= 60 || view.WakuseiHiruma;
}

int32_t CenterOnSceneObject(SkyScene& scene, astro::ObjectRef object, bool interactive) {
    return WithSceneCentring(scene, [&](astro::CentringContext& context) {
        if ((object.kind == astro::kBodyObject || object.kind == astro::kCometObject) &&
            !scene.computeSun) {
            const astro::ViewFrame frame = astro::ComputeViewFrame(*scene.view, scene.tables);
            context.solarSystem->RecomputeBodies(*scene.view, frame);
            if (object.kind == astro::kCometObject)
                context.solarSystem->RecomputeComet(object.index, *scene.view, frame);
        }
        return astro::CenterOnObject(context, object, interactive);
    });
}

int AutoStarLevelOf(const state::ViewState& view) {
    return AutoStarLevel(view.Zoom, view.DrawStarMode3, view.AutoBriMode,
                         view.UseGsc && view.GscAvailable);
}

void RenderSky(Canvas& canvas, int target, SkyScene& scene) {
    state::ViewState& view = *scene.view;
    RenderFrame& f = scene.frame;
    f = RenderFrame{};
    f.viewport = scene.viewport;
    f.bitmapCentreX = scene.bitmapCentreX;
    f.bitmapCentreY = scene.bitmapCentreY;
    LayerContext layer{canvas, scene, target};
    scene.drawnMarks.clear();
    scene.objectDrawn.clear();
    scene.labels.Begin(view.KasanariYoke != 0, f.viewport);

    // 1-2. Star source, pens and colour mode.
    f.gscMode = DecideGscMode(view, scene.stars.gscAvailable, target);
    f.linePenWidth = target == kTargetColourPrint ? 4 : 0;
    f.bodyColourMode =
        target == kTargetColourPrint ? 4 : (target == kTargetMonochromePrint ? 1 : 0);

    // 3. Cursor.
    if (!view.ScreenSaverMode && scene.setBusyCursor) scene.setBusyCursor(true);

    // 4-6. Frame, tracking, Sun and eclipse (the caller passes the bodies' positions on to
    // other programs).
    ComputeFrame(scene);
    TrackObjectInView(scene);
    const SunInputs sun = ComputeSun(scene);
    f.sunSine = sun.sunSine;
    f.eclipseFactor = EclipseFactorOf(sun.sunMoonSeparation);
    {
        constexpr double kPi = 3.14159265358979323846;
        int longitude = static_cast<int>(sun.earthLongitude * 18000.0 / kPi) + 18000;
        longitude %= 36000;
        if (longitude < 0) longitude += 36000;
        f.solarLongitude = longitude;
    }

    // 7-9. Twilight, star level and count, twilight intensities.
    DeriveFrameLevels(f, view, scene.viewFrame.YearInRange != 0, target, scene.stars.countByLevel);

    // 10-11. Palette.
    if ((view.TrueColourDisplay && target == kTargetScreen) || target == kTargetColourPrint) {
        SetTwilightColours(scene.palette, f.sunSine, view, f.eclipseFactor);
    }
    canvas.SelectPalette(target == kTargetMonochromePrint ? nullptr : &scene.palette);

    // 12. Background.
    if (target == kTargetScreen) canvas.SetOrigin(scene.bitmapCentreX, scene.bitmapCentreY);
    if (target != kTargetMonochromePrint) {
        Trace(scene, "background");
        FillSkyBackground(canvas, f.viewport);
    }

    // 14-16. Milky Way, images and glow; grids; trace history.
    DrawBackgroundLayers(layer);
    DrawGridLayers(layer);
    DrawTraceHistory(layer);

    // 17. Projection passes.
    int n = std::min(f.starCount, scene.stars.brightStarCount);
    if (n < kMinimumProjectedStars + 1) n = kMinimumProjectedStars;
    ProjectStars(StarsOf(canvas, scene), n);
    if (view.Galaxy) ProjectDeepSkyObjects(layer);

    // 18-21. Halo and faint stars, figures, main star pass.
    DrawStarLayers(layer, true);
    DrawFigureLayers(layer);
    DrawStarLayers(layer, false);

    // 22-27. Comets, deep sky, labels, bodies, names, horizon.
    DrawForegroundLayers(layer);

    // 28. Finish.
    if (target != kTargetScreen) {
        if (scene.options && scene.options->PrintInfo) {
            Trace(scene, "print footer");
            DrawPrintFooter(layer);
        }
    } else {
        canvas.SetOrigin(0, 0);
    }

    // 29. On a palette display the animation recolours what was drawn.
    if (!view.TrueColourDisplay && target == kTargetScreen) {
        SetTwilightColours(scene.palette, f.sunSine, view, f.eclipseFactor);
    }

    // 30. Cursor.
    if (!view.ScreenSaverMode && scene.setBusyCursor) scene.setBusyCursor(false);
}

}  // namespace render
