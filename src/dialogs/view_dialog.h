// The view dialog "D_VIEW": the direction and height of the view centre (azimuth and altitude,
// or right ascension and declination in equator mode), the zoom with a logarithmic slider, and
// equator mode. It edits a working copy and writes it to the view state on "&Apply" and "OK",
// or after every edit while "Auto Apply" (KosinAutoView) is on.
#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "dialogs/modeless_dialog.h"
#include "state/view_state.h"

namespace dialogs {

// The view as the dialog edits it; direction and height in tenths of a degree (3600 tenths of
// right ascension are 24 hours), zoom in percent.
struct ViewWork {
    int32_t mode = 0;  // SekidouMod
    double direction = 0.0;
    double height = 0.0;
    int32_t zoom = 80;

    friend bool operator==(const ViewWork&, const ViewWork&) = default;
};

// The zoom slider steps one percent of zoom: position 0 is 30 %, the last 7700 %.
inline constexpr int kZoomSliderLast = 558;
int ZoomSliderPosition(int32_t zoom);
// The zoom of a slider position, rounded to a multiple of 10 and at most 7700.
int32_t ZoomAtSliderPosition(int position);
// The slider's tick marks, closer together towards the large zooms.
std::vector<int> ZoomSliderTicks();

// Into 0..3600 by whole turns; exactly 3600 (a full turn typed as 360.0) stays.
double NormalizeDirection(double direction);
// Within -900..900; the lower limit is the horizon in horizon mode unless the view may go below.
double ClampHeight(double height, int32_t mode, int32_t underHorizon);

// " 123.4" (degrees) in horizon mode, "12h30m" in equator mode.
QString DirectionText(double direction, int32_t mode);
// The typed direction in tenths: degrees in horizon mode; in equator mode hours and minutes,
// the minutes being the number after the first run of digits ("5h30m", "5 30").
double ReadDirection(const QString& text, int32_t mode);

class ViewDialog : public ModelessDialog {
    Q_OBJECT
  public:
    ViewDialog(shell::Program& program, DialogHost& host);

    void Reload() override;
    void Refresh() override;
    void ViewStateChanged() override;

    const ViewWork& work() const { return work_; }

  protected:
    void Apply() override;
    void Help() override;

  private:
    void ReadFields();
    // Ends every edit: the display follows and Auto Apply posts "&Apply".
    void Edited();
    void StepDirection(int delta);
    void StepHeight(int delta);
    void SliderMoved(int position);

    ViewWork work_;
    // The view state as the dialog last loaded or wrote it, with the limit of the height.
    struct Seen {
        ViewWork view;
        int32_t underHorizon = 0;
        friend bool operator==(const Seen&, const Seen&) = default;
    };
    Seen SeenNow() const;
    Seen seen_;
};

}  // namespace dialogs
