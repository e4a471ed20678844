// The automatic mode dialog "D_AUTO": the step of the clock, and on its two tabs the settings of
// Fast Clocking (direction and tick speed) and of Tracing Mode (number of traced points and the
// kinds of object traced), with a description of what the mode will do. "&Apply" stores the
// settings and starts (or restarts) the mode through command 331; while Fast Clocking runs the
// button reads "&Stop" and stops it.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "dialogs/modeless_dialog.h"
#include "state/view_state.h"

namespace dialogs {

// The automatic-mode settings as the dialog edits them (AppOptions AutoType .. AutoTaishou).
struct AutoWork {
    int32_t type = 0;  // 0 Fast Clocking, 1 Tracing Mode
    int32_t years = 0;
    int32_t months = 0;
    int32_t days = 0;
    int32_t hours = 0;
    int32_t minutes = 3;
    int32_t interval = 1;  // timer ticks per step
    int32_t repeat = 10;   // traced points
    int32_t back = 0;
    std::array<int32_t, 5> objects{1, 1, 1, 1, 0};  // Sun, Moon, planets, comets, main stars

    friend bool operator==(const AutoWork&, const AutoWork&) = default;
};

AutoWork AutoWorkOf(const state::AppOptions& options);
void StoreAutoWork(const AutoWork& work, state::AppOptions& options);

// Carries the step into whole days, hours and minutes (at most 1000 days in all) and whole years
// and months (at most 1000 years), and holds the traced points to 1..120.
void NormalizeStep(AutoWork& work);

// "1 year 2 months", "1 day 2 hours 30 minutes", "1 hour", "0 minutes".
std::string DurationText(int64_t years, int64_t months, int64_t days, int64_t hours,
                         int64_t minutes);

// What the mode will do, for the moment now: the step and tick speed of Fast Clocking, or the
// span, interval and first and last moments of Tracing Mode.
std::string AutoDescription(const AutoWork& work, const state::CivilClock& now);

class AutoDialog : public ModelessDialog {
    Q_OBJECT
  public:
    AutoDialog(shell::Program& program, DialogHost& host);

    void Reload() override;
    void Refresh() override;
    void Reopened() override { Refresh(); }
    void ViewStateChanged() override;

    const AutoWork& work() const { return work_; }

  protected:
    void Apply() override;
    void Ok() override;
    void Cancel() override;

  private:
    QLayout* BuildStep();
    QWidget* BuildFastClocking();
    QWidget* BuildTracing();

    void ReadFields();
    void TabChanged();
    void Store();
    // Command 331 once to start the stopped mode, twice to restart the running one.
    void StartOrRestart();
    void ShowTabControls();

    AutoWork work_;
    // What the display last showed of the view state.
    struct Seen {
        state::CivilClock clock;
        bool running = false;
        int32_t type = 0;
        int32_t interval = 0;
        friend bool operator==(const Seen&, const Seen&) = default;
    };
    Seen SeenNow() const;
    Seen seen_;
};

}  // namespace dialogs
