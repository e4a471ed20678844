#include "shell/sky_link.h"

#include <QDateTime>

namespace shell {
namespace {

constexpr ClockStep kTimeSteps[21] = {
    {0, 0, 0, 0, 1},   {0, 0, 0, 0, 3},  {0, 0, 0, 0, 5},   {0, 0, 0, 0, 10},  {0, 0, 0, 0, 30},
    {0, 0, 0, 1, 0},   {0, 0, 0, 3, 0},  {0, 0, 0, 6, 0},   {0, 0, 1, 0, 0},   {0, 0, 5, 0, 0},
    {0, 0, 10, 0, 0},  {0, 1, 0, 0, 0},  {0, 2, 0, 0, 0},   {1, 0, 0, 0, 0},   {5, 0, 0, 0, 0},
    {10, 0, 0, 0, 0},  {50, 0, 0, 0, 0}, {100, 0, 0, 0, 0}, {500, 0, 0, 0, 0}, {1000, 0, 0, 0, 0},
    {0, 0, 0, 23, 56},
};

int ModifiedJulianDay(int year, int month, int day) {
    int y = month < 3 ? year - 1 : year;
    int m = month < 3 ? month + 12 : month;
    return (1461 * y) / 4 + y / 400 - y / 100 + (3059 * (m - 2)) / 100 + day - 678912;
}

}  // namespace

ClockStep TimeStepOf(int incTime) {
    if (incTime < 0 || incTime > 20) return {};
    return kTimeSteps[incTime];
}

void NormalizeClock(state::CivilClock& c) {
    int monthLength[13] = {31, 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int pass = 0; pass < 100000; ++pass) {
        const bool leap = c.year % 4 == 0 && (c.year % 100 != 0 || c.year % 400 == 0);
        monthLength[2] = leap ? 29 : 28;
        if (c.minute >= 60) {
            int q = c.minute / 60;
            c.minute -= 60 * q;
            c.hour += q;
        } else if (c.minute < 0) {
            int q = (59 - c.minute) / 60;
            c.minute += 60 * q;
            c.hour -= q;
        } else if (c.hour >= 24) {
            int q = c.hour / 24;
            c.hour -= 24 * q;
            c.day += q;
        } else if (c.hour < 0) {
            int q = (23 - c.hour) / 24;
            c.hour += 24 * q;
            c.day -= q;
        } else if (c.month > 12) {
            int q = (c.month - 1) / 12;
            c.month -= 12 * q;
            c.year += q;
        } else if (c.month < 1) {
            int q = (12 - c.month) / 12;
            c.month += 12 * q;
            c.year -= q;
        } else if (c.day > 370 || c.day < -370) {
            int m0 = ModifiedJulianDay(c.year, c.month, c.day);
            c.year += c.day / 365;
            c.day += m0 - ModifiedJulianDay(c.year, c.month, c.day);
        } else if (c.day > monthLength[c.month]) {
            c.day -= monthLength[c.month];
            c.month += 1;
        } else if (c.day < 1) {
            c.month -= 1;
            c.day += monthLength[c.month];
        } else {
            break;
        }
    }
    if (c.year < -99998) c.year = -99998;
    if (c.year > 99999) c.year = 99999;
}

int ZoneOf(const state::ViewState& view, int mode) {
    if (mode == 0) return view.TimeZone;
    if (mode == 1) return 0;
    return view.SystemZone;
}

state::CivilClock ReadComputerClock() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate date = now.date();
    const QTime time = now.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute()};
}

int FindCurrentCity(const state::ViewState& view, const state::AppOptions& options) {
    auto wrap = [](int v) { return ((v % 3600) + 3600) % 3600; };
    for (int i = 0; i < options.UserCitys && i < state::kUserCityLimit; ++i) {
        const auto& city = options.userCities[i];
        if (city.latitude == view.Ido2 && wrap(city.longitude) == wrap(view.Keido2) &&
            city.zone == view.TimeZone)
            return 10000 + i;
    }
    return -1;
}

bool DragView(state::ViewState&, int, int, int, int, int, int) {
    return false;
}

bool DirectionAt(const state::ViewState&, int, int, int, int, double&, double&) {
    return false;
}

}  // namespace shell
