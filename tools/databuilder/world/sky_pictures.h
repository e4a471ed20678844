// Deep-sky pictures cut from the photographs of the Stellarium data package: every photograph is
// pinned to the sky by the equatorial positions of its four corners, so any part of the sky that
// one of them covers can be re-sampled into a picture of our own geometry. Only photographs whose
// credit carries a licence that allows redistribution are used.
#pragma once

#include <QImage>
#include <array>
#include <string>
#include <vector>

#include "sky/vec3.h"
#include "world/sky_units.h"

namespace databuilder::world {

// One entry of the photographs' index (textures.json).
struct TextureTile {
    std::string file;
    std::string credit;
    std::array<double, 8> corners{};  // RA, Dec (degrees) at texture (0,0), (1,0), (1,1), (0,1)
};

// Reads the index; the file writes numbers such as "-.98", which strict JSON refuses.
std::vector<TextureTile> ParseTextureIndex(const std::string& text, const std::string& inputName);

// Makes a rendered picture usable: a dim one (its brightest pixels well below white, as a
// hydrogen-alpha exposure) is stretched to the full range. False when it is all but black.
bool MakeUsable(QImage& picture);

// The licence of a photograph by its credit, or empty when the credit names no licence that
// allows redistribution (such photographs are left out).
std::string LicenceOfCredit(const std::string& credit);

// Photographs pinned to the sky; Sample picks the sharpest one covering a direction.
class SkyMosaic {
  public:
    // image row 0 is texture coordinate t = 1 (the top of the picture).
    void Add(const QImage& image, const TextureTile& tile);
    // Colour at a J2000 equatorial direction; false when no photograph covers it.
    bool Sample(Vec3 direction, QRgb& colour, std::string* file = nullptr) const;
    size_t size() const { return photos_.size(); }

  private:
    struct Photo {
        QImage image;
        Vec3 corner[4];
        Vec3 centre;
        double cosRadius;  // quick rejection: the photograph lies within this cone
        double degPerPixel;
        std::string file;
    };
    std::vector<Photo> photos_;
};

// Texture coordinates (u, t) of point p in the quadrilateral c[0..3] (corners at (0,0), (1,0),
// (1,1), (0,1)), all in one plane; false when the solution does not converge.
bool InverseBilinear(const double px, const double py, const double cx[4], const double cy[4],
                     double& u, double& t);

// A picture for the program's image table: the corners are ecliptic longitude and latitude in
// hundredths of a degree, corner 1 and 2 along the top edge, 3 and 4 along the bottom; pixel
// (column, row) shows the sky at the interpolation the program uses when it draws it. At most
// maxSize pixels on the longer side, 24-bit RGB; uncovered sky is black (not drawn).
QImage RenderCornerPicture(const SkyMosaic& mosaic, const std::array<int, 8>& corners,
                           int maxSize = 160);

// A square picture of size pixels centred on a J2000 position, fieldDeg across, north up and
// east to the left as on the sky; also returns the fraction of its pixels that were covered.
QImage RenderFieldPicture(const SkyMosaic& mosaic, double raDeg, double decDeg, double fieldDeg,
                          int size, double& covered);

}  // namespace databuilder::world
