// The time dialog "D_TIME": the date and time of the sky in the clock of the time mode, a month
// calendar, the Julian Date and Modified Julian Date of the moment, the time mode and daylight
// saving. It edits a working copy and writes it to the view state on "&Apply" and "OK", or after
// every edit while "Auto Apply" (KosinAutoTime) is on.
#pragma once

#include <cstdint>

#include "dialogs/modeless_dialog.h"
#include "state/view_state.h"

class QLineEdit;

namespace dialogs {

// The moment as the dialog edits it: a clock in the zone of a time mode, with or without the
// daylight-saving hour. Fields may be out of range until normalised.
struct TimeWork {
    state::CivilClock clock;
    int32_t mode = 0;
    int32_t dst = 0;

    friend bool operator==(const TimeWork&, const TimeWork&) = default;
};

// Minutes east of UT of the work's clock (the zones of the modes come from the view state).
int32_t ClockZone(const TimeWork& work, const state::ViewState& view);

// The Modified Julian Date (days with fraction, UT) of the work's moment.
double MjdOf(const TimeWork& work, const state::ViewState& view);

// Sets the work's clock to a typed MJD, in its mode and daylight saving, normalised. Dates far
// beyond the calendar hold the year at its limit.
void SetMjd(TimeWork& work, double mjd, const state::ViewState& view);

// The year field counts historically: year 0 (1 BC) is shown as -1, and a typed -1 is year 0.
int32_t ShownYear(int32_t year);
int32_t TypedYear(int32_t typed);

// A month of the calendar: the weekday of its first day (0 Sunday) and its number of days.
struct MonthGrid {
    int firstWeekday = 0;
    int days = 0;
};
MonthGrid MonthGridOf(int32_t year, int32_t month);

class TimeDialog : public ModelessDialog {
    Q_OBJECT
  public:
    TimeDialog(shell::Program& program, DialogHost& host);

    void Reload() override;
    void Refresh() override;
    void ViewStateChanged() override;

    const TimeWork& work() const { return work_; }

  protected:
    void Apply() override;
    void Help() override;

  private:
    QLayout* BuildDateFields();
    QWidget* BuildCalendar();
    QLayout* BuildJulianFields();
    QWidget* BuildModes();

    void ReadFields();
    // Ends every edit: the display follows and Auto Apply posts "&Apply".
    void Edited();
    void StepField(int field, int delta);
    void JulianFieldLeft(bool julianDate);
    void ModeChosen();
    void DaylightSavingToggled();
    void ObtainCurrentTime();
    void Today();
    void DayChosen(int id);
    void RefreshCalendar();
    void RefreshEnabling();
    void RefreshJulianDates();

    TimeWork work_;
    TimeWork loaded_;  // the view state's moment when it was last loaded or written
    double shownJd_ = 0.0;
    double shownMjd_ = 0.0;
    double readJd_ = 0.0;
    double readMjd_ = 0.0;
    int dayOneId_ = 0;
    int checkedDayId_ = 0;
};

}  // namespace dialogs
