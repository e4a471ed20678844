// Turns a constellation artwork picture (grey figure on black) into outline polylines: the
// boundaries of the figure's silhouette, traced along pixel edges and simplified; and places
// picture points on the sky through the picture's three anchor stars.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sky/vec3.h"

namespace databuilder {

struct PixelPoint {
    double x = 0, y = 0;  // picture coordinates, origin at the top-left corner, y downward
};
using Outline = std::vector<PixelPoint>;  // closed: the last point repeats the first

struct TraceOptions {
    uint8_t threshold = 24;    // grey levels above this belong to the figure
    double minPerimeter = 60;  // shorter outlines (specks, small holes) are dropped
    double tolerance = 1.5;    // simplification tolerance in pixels
};

// Boundaries of the pixels above the threshold (outer outlines and holes), each simplified.
std::vector<Outline> traceOutlines(const std::vector<uint8_t>& grey, int width, int height,
                                   const TraceOptions& options = {});

// Douglas-Peucker simplification of an open polyline, keeping both ends.
std::vector<PixelPoint> simplifyPolyline(const std::vector<PixelPoint>& points, double tolerance);

// The linear map that takes picture point (x, y, 1) to the anchor stars' directions, as the
// artwork's three anchors define it; directions of other points are normalised images.
class PictureMapping {
  public:
    // Fails (returns false from valid()) when the anchors are collinear in the picture.
    PictureMapping(const std::array<PixelPoint, 3>& anchors, const std::array<Vec3, 3>& stars);
    bool valid() const { return valid_; }
    Vec3 direction(PixelPoint p) const;

  private:
    double m_[3][3] = {};
    bool valid_ = false;
};

}  // namespace databuilder
