// The location dialog's globe: an orthographic view of the Earth centred on a place, where a point
// of the sphere is drawn and which place lies under a pixel. Places are whole degrees, latitude
// north positive and longitude west positive (as the view state has them, in tenths there).
// Points of the sphere use the coastline block's frame: x = cos(lat) sin(east lon),
// y = -sin(lat), z = cos(lat) cos(east lon). On the screen x runs to the right and y downward;
// north is up and a place east of the centre is drawn right of it, as on a real globe.
#pragma once

#include <cstdint>

namespace astro {

// Rounds tenths of a degree to the nearest whole degree, halves up (for -3600 .. 3600).
inline int32_t WholeDegrees(int32_t tenths) {
    return (tenths + 3605) / 10 - 360;
}

struct GlobeView {
    int centreX = 0;  // pixels in the control
    int centreY = 0;
    int radius = 0;
    // The turn that brings the centre place to the front.
    double sinLat = 0.0, cosLat = 1.0;
    double sinLon = 0.0, cosLon = 1.0;  // of the east longitude
};

// The view of a control of that size: radius min(width, height) / 2 - 3, at most 56 pixels,
// doubled when zoomed (the globe then overflows the control); centred on the place.
GlobeView MakeGlobeView(int width, int height, int latitude, int longitude, bool zoomed);
// The same view turned to another centre.
GlobeView TurnedTo(GlobeView view, int latitude, int longitude);

struct GlobePixel {
    bool visible = false;  // on the near side (depth at least 1/1024 of the radius)
    int x = 0;
    int y = 0;
};

// Where a point of the unit sphere (coastline frame) is drawn.
GlobePixel ProjectOnGlobe(const GlobeView& view, double x, double y, double z);
// The same for a place in degrees (longitude west positive).
GlobePixel ProjectPlace(const GlobeView& view, double latitude, double longitude);

struct GlobePlace {
    int latitude = 0;   // whole degrees
    int longitude = 0;  // whole degrees, west positive, -180..180
    friend bool operator==(const GlobePlace&, const GlobePlace&) = default;
};

// The visible place whose pixel lies nearest to (x, y) by |dx| + |dy|: a 10-degree grid first,
// then the whole degrees around its best point. A pixel off the globe gives the nearest place
// on its near side.
GlobePlace PlaceAtPixel(const GlobeView& view, int x, int y);

// The centre (whole degrees, latitude within -90..90) that brings the grabbed place as near to
// the pixel (x, y) as whole degrees allow, so that the place under the mouse follows it; found
// from the centre given by a first guess (the centre moved by the difference between the grabbed
// place and the place under the pixel) and a search of the centres around it.
GlobePlace DraggedCentre(const GlobeView& view, GlobePlace centre, GlobePlace grabbed, int x,
                         int y);

}  // namespace astro
