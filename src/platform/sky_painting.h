// One sky frame on Qt devices: the screen bitmap (the window, --render) and a printed page
// (the print command, --render to PDF).
#pragma once

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "render/sky_scene.h"

namespace platform {

// Draws a screen frame into image (RGB32 or ARGB32). The visible client area is clientWidth x
// clientHeight; the image may be larger (it is kept between frames and only grows) and the
// view is centred in it. Sizes are logical pixels: an image with a device pixel ratio holds the
// same picture at that many device pixels per logical pixel.
void PaintSkyImage(QImage& image, int clientWidth, int clientHeight, render::SkyScene& scene);

// Draws a page on a painter begun on a device of pageWidth x pageHeight device pixels: the
// screen picture (screenWidth x screenHeight) five times enlarged at five times the zoom,
// widened to the page; target 1 monochrome or 2 colour print. The zoom is restored after.
void PaintSkyPage(QPainter& painter, int pageWidth, int pageHeight, int screenWidth,
                  int screenHeight, int target, render::SkyScene& scene);

// Sets a PDF writer up for one such page: the layout given, 300 dots per inch (lines and text
// stay vectors; the dots set the size of the star patterns), titled with the program's name.
void PreparePdfPage(QPdfWriter& pdf, const QPageLayout& layout);

}  // namespace platform
