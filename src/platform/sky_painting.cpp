#include "platform/sky_painting.h"

#include "platform/message_box.h"
#include "platform/qpainter_canvas.h"
#include "render/print_scaling.h"
#include "render/render_sky.h"

namespace platform {

void PaintSkyImage(QImage& image, int clientWidth, int clientHeight, render::SkyScene& scene) {
    scene.viewport = render::Viewport{(clientWidth + 1) / 2, (clientHeight + 1) / 2};
    const QSize size = image.deviceIndependentSize().toSize();
    scene.bitmapCentreX = size.width() / 2;
    scene.bitmapCentreY = size.height() / 2;
    scene.printing = false;
    QPainterCanvas canvas(image);
    render::RenderSky(canvas, render::kTargetScreen, scene);
}

void PaintSkyPage(QPainter& painter, int pageWidth, int pageHeight, int screenWidth,
                  int screenHeight, int target, render::SkyScene& scene) {
    state::ViewState& view = *scene.view;
    const int savedZoom = view.Zoom;
    const render::PrintScaling scaling =
        render::ComputePrintScaling(view.Zoom, screenWidth, screenHeight, pageWidth, pageHeight);
    view.Zoom = scaling.zoom;
    scene.viewport = render::Viewport{scaling.halfWidth, scaling.halfHeight};
    scene.bitmapCentreX = scaling.halfWidth;
    scene.bitmapCentreY = scaling.halfHeight;
    scene.printing = true;
    painter.save();
    painter.setViewport(0, 0, pageWidth, pageHeight);
    painter.setWindow(-scaling.halfWidth, -scaling.halfHeight, 2 * scaling.halfWidth,
                      2 * scaling.halfHeight);
    // The layers reach past the frame (the ground, glow and Milky Way polygons, long lines);
    // the page's margins stay blank.
    painter.setClipRect(QRect(-scaling.halfWidth, -scaling.halfHeight, 2 * scaling.halfWidth,
                              2 * scaling.halfHeight));
    {
        QPainterCanvas canvas(painter);
        render::RenderSky(canvas, target, scene);
    }
    painter.restore();
    view.Zoom = savedZoom;
    scene.printing = false;
    view.ViewChanged = true;
}

void PreparePdfPage(QPdfWriter& pdf, const QPageLayout& layout) {
    pdf.setResolution(300);
    pdf.setTitle(kWindowTitle);
    pdf.setCreator(kWindowTitle);
    pdf.setPageLayout(layout);
}

}  // namespace platform
