// The start-up title picture: a real star field drawn from the star catalogue, with the
// program's name over it.
#pragma once

#include <QImage>
#include <string>
#include <vector>

#include "sky/vec3.h"

namespace databuilder::world {

struct FieldStar {
    Vec3 position;  // J2000 equatorial unit vector
    int magMilli;   // V in milli-magnitudes
    char spectral;  // class letter
};

// width x height pixels, gnomonic about (raDeg, decDeg), fieldDeg across the width, north up and
// east to the left; stars as soft discs sized by magnitude and tinted by spectral class.
QImage RenderStarField(const std::vector<FieldStar>& stars, double raDeg, double decDeg,
                       double fieldDeg, int width, int height);

// Writes the title text into the picture (needs a running GUI application for its fonts).
void DrawTitleText(QImage& picture, const std::string& title, const std::string& subtitle);

}  // namespace databuilder::world
