// The location dialog's globe (control 102): the Earth seen from above the working place, as the
// map picture "B_EARTHMAP" or as the coastlines of the EARTH block. Dragging turns it so that the
// place under the mouse follows the mouse; a double click picks the place under the mouse. The
// picture is painted off screen and copied to the control.
#pragma once

#include <vector>

#include <QImage>
#include <QWidget>

#include "astro/globe.h"
#include "persist/records/world_records.h"

namespace dialogs {

struct GlobeLook {
    astro::GlobePlace centre;  // whole degrees, longitude west positive
    bool zoomed = false;       // "ZoomEarth": twice the radius
    bool coastlines = false;   // "FrameEarth": coastlines instead of the map
    friend bool operator==(const GlobeLook&, const GlobeLook&) = default;
};

// The map picture in 32-bit colour at 720 x 360 pixels (half a degree per pixel, from 180 degrees
// west and 90 degrees north) and averaged down to half that; null images when it is missing.
struct GlobeMap {
    QImage full;
    QImage half;
};
GlobeMap MakeGlobeMap(const QImage& picture);

// Paints the whole picture: black, the map or nothing, a grey cross through the centre, then in
// coastline mode the white coastlines and the globe's outline. The picture must be 32-bit
// (QImage::Format_RGB32).
void PaintGlobe(QImage& picture, const GlobeLook& look, const GlobeMap& map,
                const std::vector<persist::EarthTriple>& coastlines);

class EarthGlobe : public QWidget {
    Q_OBJECT
  public:
    // The map as MakeGlobeMap gives it; the coastline block's triples.
    EarthGlobe(GlobeMap map, std::vector<persist::EarthTriple> coastlines,
               QWidget* parent = nullptr);

    void SetLook(const GlobeLook& look);
    const GlobeLook& look() const { return look_; }
    // The view the globe is drawn with (for the hit test).
    astro::GlobeView View() const;

  signals:
    // The centre the globe turns to while the left button drags it.
    void Dragged(astro::GlobePlace centre);
    // The left button has let go.
    void Released();
    // The place under a double click.
    void Picked(astro::GlobePlace place);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    GlobeMap map_;
    std::vector<persist::EarthTriple> coastlines_;
    GlobeLook look_;
    QImage picture_;
    bool stale_ = true;
    bool dragging_ = false;
    astro::GlobePlace grabbed_;  // the place under the mouse when the button went down
};

}  // namespace dialogs
