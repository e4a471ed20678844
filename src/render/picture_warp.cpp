#include "render/picture_warp.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace render {
namespace {

constexpr double kLightShare = 1.0 / 3;  // of the photograph's light above its background
constexpr double kFade = 0.25;           // of the width and height over which the borders fade
constexpr int kGridStep = 8;  // pixels between the points where the mapping is inverted exactly
constexpr int kBackgroundShare = 20;  // the background is the level of the darkest 1/20

struct Vec {
    double x = 0;
    double y = 0;
};

double Cross(Vec a, Vec b) {
    return a.x * b.y - a.y * b.x;
}

// How far (u, v) lies outside the unit square.
double Outside(Vec uv) {
    return std::max({0.0, -uv.x, uv.x - 1}) + std::max({0.0, -uv.y, uv.y - 1});
}

// The interpolation of the quadrilateral, p(u, v) = a + u e + v f + u v g, and its inverse.
class Bilinear {
  public:
    explicit Bilinear(const std::array<Point, 4>& c)
        : a_{double(c[0].x), double(c[0].y)},
          e_{double(c[1].x - c[0].x), double(c[1].y - c[0].y)},
          f_{double(c[2].x - c[0].x), double(c[2].y - c[0].y)},
          g_{double(c[0].x - c[1].x - c[2].x + c[3].x), double(c[0].y - c[1].y - c[2].y + c[3].y)} {
    }

    // (u, v) of a screen point; of two solutions the one nearer the unit square.
    std::optional<Vec> Invert(double x, double y) const {
        const Vec h{x - a_.x, y - a_.y};
        const double k2 = Cross(g_, f_);
        const double k1 = Cross(e_, f_) + Cross(h, g_);
        const double k0 = Cross(h, e_);
        std::optional<Vec> best;
        auto consider = [&](double v) {
            const double dx = e_.x + g_.x * v, dy = e_.y + g_.y * v;
            if (dx == 0 && dy == 0) return;
            const double u =
                std::abs(dx) > std::abs(dy) ? (h.x - f_.x * v) / dx : (h.y - f_.y * v) / dy;
            const Vec uv{u, v};
            if (!best || Outside(uv) < Outside(*best)) best = uv;
        };
        if (std::abs(k2) <= 1e-9 * (std::abs(k1) + 1)) {
            if (k1 != 0) consider(-k0 / k1);
            return best;
        }
        const double discriminant = k1 * k1 - 4 * k0 * k2;
        if (discriminant < 0) return best;
        const double root = std::sqrt(discriminant);
        consider((-k1 - root) / (2 * k2));
        consider((-k1 + root) / (2 * k2));
        return best;
    }

  private:
    Vec a_, e_, f_, g_;
};

double Fade(double t) {
    const double s = std::clamp(std::min(t, 1 - t) / kFade, 0.0, 1.0);
    return s * s * (3 - 2 * s);
}

// The light each pixel of the picture adds: above the background, a share of it, faded
// towards the borders.
struct Light {
    int width = 0;
    int height = 0;
    std::vector<std::array<float, 3>> texels;

    explicit Light(const DeepSkyPicture& picture) : width(picture.width), height(picture.height) {
        const std::array<int, 3> background = PictureBackground(picture);
        texels.resize(static_cast<std::size_t>(width) * height);
        for (int y = 0; y < height; ++y) {
            const double fadeY = Fade((y + 0.5) / height);
            for (int x = 0; x < width; ++x) {
                const std::size_t at = static_cast<std::size_t>(y) * width + x;
                const double share = kLightShare * fadeY * Fade((x + 0.5) / width);
                for (std::size_t c = 0; c < 3; ++c)
                    texels[at][c] = static_cast<float>(
                        std::max(0, picture.rgb[at * 3 + c] - background[c]) * share);
            }
        }
    }

    // The light at (u, v), interpolated between pixel centres, as an ARGB pixel whose alpha
    // is its brightest channel, so that it adds to what lies behind.
    uint32_t At(double u, double v) const {
        const float x = std::clamp(static_cast<float>(u) * width - 0.5f, 0.0f, width - 1.0f);
        const float y = std::clamp(static_cast<float>(v) * height - 0.5f, 0.0f, height - 1.0f);
        const int x0 = static_cast<int>(x), y0 = static_cast<int>(y);
        const int x1 = std::min(x0 + 1, width - 1), y1 = std::min(y0 + 1, height - 1);
        const float fx = x - x0, fy = y - y0;
        const auto& t00 = texels[static_cast<std::size_t>(y0) * width + x0];
        const auto& t10 = texels[static_cast<std::size_t>(y0) * width + x1];
        const auto& t01 = texels[static_cast<std::size_t>(y1) * width + x0];
        const auto& t11 = texels[static_cast<std::size_t>(y1) * width + x1];
        std::array<float, 3> light{};
        float alpha = 0;
        for (std::size_t c = 0; c < 3; ++c) {
            const float upper = t00[c] + (t10[c] - t00[c]) * fx;
            const float lower = t01[c] + (t11[c] - t01[c]) * fx;
            light[c] = upper + (lower - upper) * fy;
            alpha = std::max(alpha, light[c]);
        }
        if (alpha < 0.5f) return 0;
        const float scale = 255.0f / alpha;
        return static_cast<uint32_t>(alpha + 0.5f) << 24 |
               static_cast<uint32_t>(light[0] * scale + 0.5f) << 16 |
               static_cast<uint32_t>(light[1] * scale + 0.5f) << 8 |
               static_cast<uint32_t>(light[2] * scale + 0.5f);
    }
};

}  // namespace

std::array<int, 3> PictureBackground(const DeepSkyPicture& picture) {
    std::array<int, 3> level{};
    const std::size_t pixels = static_cast<std::size_t>(picture.width) * picture.height;
    if (pixels == 0 || picture.rgb.size() < pixels * 3) return level;
    for (std::size_t c = 0; c < 3; ++c) {
        std::array<std::size_t, 256> histogram{};
        for (std::size_t i = 0; i < pixels; ++i)
            ++histogram[picture.rgb[i * 3 + c]];
        std::size_t count = 0;
        int value = 0;
        while (value < 255 &&
               (count += histogram[static_cast<std::size_t>(value)]) * kBackgroundShare < pixels)
            ++value;
        level[c] = value;
    }
    return level;
}

WarpedPicture WarpPicture(const DeepSkyPicture& picture, const std::array<Point, 4>& corners,
                          const Viewport& viewport) {
    WarpedPicture warped;
    int minX = corners[0].x, maxX = corners[0].x, minY = corners[0].y, maxY = corners[0].y;
    for (const Point& p : corners) {
        minX = std::min(minX, p.x);
        maxX = std::max(maxX, p.x);
        minY = std::min(minY, p.y);
        maxY = std::max(maxY, p.y);
    }
    const int left = std::max(minX, -viewport.halfWidth);
    const int top = std::max(minY, -viewport.halfHeight);
    const int right = std::min(maxX, viewport.halfWidth);
    const int bottom = std::min(maxY, viewport.halfHeight);
    if (right < left || bottom < top) return warped;
    warped.left = left;
    warped.top = top;
    warped.width = right - left + 1;
    warped.height = bottom - top + 1;
    warped.argb.assign(static_cast<std::size_t>(warped.width) * warped.height, 0);

    // The mapping is inverted exactly at grid points and interpolated between them (it bends
    // little over a few pixels); a cell with a corner that has no inverse is done pixel by pixel.
    const Bilinear mapping(corners);
    const int columns = warped.width / kGridStep + 2;
    const int rows = warped.height / kGridStep + 2;
    std::vector<Vec> grid(static_cast<std::size_t>(columns) * rows);
    std::vector<uint8_t> inverted(grid.size());
    for (int j = 0; j < rows; ++j) {
        for (int i = 0; i < columns; ++i) {
            const std::size_t at = static_cast<std::size_t>(j) * columns + i;
            const std::optional<Vec> uv =
                mapping.Invert(left + i * kGridStep + 0.5, top + j * kGridStep + 0.5);
            inverted[at] = uv.has_value();
            if (uv) grid[at] = *uv;
        }
    }

    const Light light(picture);
    std::vector<Vec> row(static_cast<std::size_t>(columns));
    std::vector<uint8_t> rowInverted(static_cast<std::size_t>(columns));
    for (int y = 0; y < warped.height; ++y) {
        const std::size_t above = static_cast<std::size_t>(y / kGridStep) * columns;
        const double fy = static_cast<double>(y % kGridStep) / kGridStep;
        for (std::size_t i = 0; i < row.size(); ++i) {
            const Vec& a = grid[above + i];
            const Vec& b = grid[above + columns + i];
            row[i] = Vec{a.x + (b.x - a.x) * fy, a.y + (b.y - a.y) * fy};
            rowInverted[i] = inverted[above + i] && inverted[above + columns + i];
        }
        uint32_t* out = warped.argb.data() + static_cast<std::size_t>(y) * warped.width;
        for (int x = 0; x < warped.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(x / kGridStep);
            Vec uv;
            if (rowInverted[i] && rowInverted[i + 1]) {
                const double fx = static_cast<double>(x % kGridStep) / kGridStep;
                uv = Vec{row[i].x + (row[i + 1].x - row[i].x) * fx,
                         row[i].y + (row[i + 1].y - row[i].y) * fx};
            } else if (const std::optional<Vec> exact =
                           mapping.Invert(left + x + 0.5, top + y + 0.5)) {
                uv = *exact;
            } else {
                continue;
            }
            if (uv.x < 0 || uv.x >= 1 || uv.y < 0 || uv.y >= 1) continue;
            out[x] = light.At(uv.x, uv.y);
        }
    }
    return warped;
}

}  // namespace render
