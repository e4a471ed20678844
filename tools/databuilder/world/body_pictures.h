// Pictures of the solar-system bodies and the globe: lit spheres rendered from the planet texture
// maps (equirectangular, longitude 0 at the left edge, north at the top), a comet, the 8-bit
// Earth map of the location dialog, and the 16-colour reduction of a picture.
#pragma once

#include <QImage>

namespace databuilder::world {

struct SphereLook {
    bool selfLit = false;  // the Sun: no phase, limb darkening instead
    double ringInner = 0;  // ring radii in planet radii; 0 = no ring
    double ringOuter = 0;
    const QImage* ringTexture = nullptr;  // radial strip, inner edge at the left
};

// A size x size picture of a sphere wearing `map`, lit from the upper left and slightly in front,
// its axis tilted toward the viewer by 20 degrees; black outside the disc.
QImage RenderLitSphere(const QImage& map, int size, const SphereLook& look = {});

// A size x size picture of a comet: a bright coma with a curved dust tail and a straight ion
// tail toward the upper right.
QImage RenderCometPicture(int size);

// A map of Jupiter's cloud belts drawn by the builder (pale zones, brown belts, the Great Red
// Spot), for RenderLitSphere.
QImage DrawJupiterMap(int width = 256);

// The Earth map of the location dialog: 720 x 360 pixels, half a degree each, longitude -180 at
// the left edge and north at the top, 8 bits per pixel with a palette.
QImage MakeEarthMap(const QImage& equirectangular);

// The picture reduced to a 16-colour palette (for screens of few colours).
QImage ReduceTo16Colours(const QImage& picture);

}  // namespace databuilder::world
