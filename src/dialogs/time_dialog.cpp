#include "dialogs/time_dialog.h"

#include <algorithm>
#include <array>
#include <cmath>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "astro/clock.h"
#include "astro/time_steps.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "dialogs/help.h"
#include "dialogs/up_down_bar.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

// Edit ids 101, 103, .. 109 for year, month, day, hour, minute; each bar is its edit's id + 1.
constexpr int kFirstField = 101;
constexpr int kFieldCount = 5;
constexpr int kObtainCurrentTime = 116;
constexpr int kYearBack = 1102;
constexpr int kMonthBack = 1103;
constexpr int kMonthOn = 1104;
constexpr int kYearOn = 1105;
constexpr int kToday = 1107;
constexpr int kHeading = 1108;
constexpr int kFirstDay = 1201;
constexpr int kDayButtons = 40;
constexpr int kJulianDate = 117;
constexpr int kModifiedJulianDate = 119;
constexpr int kFirstMode = 111;
constexpr int kDaylightSaving = 115;
constexpr int kHelpTopic = 25;

constexpr double kJdOfMjdZero = 2400000.5;
// Beyond these MJDs every date lies outside the calendar's years, which hold at their limits.
constexpr double kMjdLimit = 40000000.0;

constexpr const char* kMonthNames[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                       "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

int32_t& Field(state::CivilClock& clock, int index) {
    switch (index) {
        case 0:
            return clock.year;
        case 1:
            return clock.month;
        case 2:
            return clock.day;
        case 3:
            return clock.hour;
        default:
            return clock.minute;
    }
}

// The computer's clock expressed in the work's mode and daylight saving, as command 321 and the
// start-up take the present instant.
state::CivilClock ComputerClockIn(const TimeWork& work, const state::ViewState& view) {
    state::ViewState zones = view;
    zones.Keisanji = work.mode;
    zones.Dst = work.dst;
    astro::ObtainCurrentTime(zones, astro::ReadComputerStandardClock());
    return zones.clock;
}

}  // namespace

int32_t ClockZone(const TimeWork& work, const state::ViewState& view) {
    return astro::ZoneOf(view, work.mode) + (work.dst ? 60 : 0);
}

double MjdOf(const TimeWork& work, const state::ViewState& view) {
    const state::CivilClock& c = work.clock;
    return astro::ModifiedJulianDay(c.year, c.month, c.day) + c.hour / 24.0 + c.minute / 1440.0 -
           ClockZone(work, view) / 1440.0;
}

void SetMjd(TimeWork& work, double mjd, const state::ViewState& view) {
    mjd = std::clamp(mjd, -kMjdLimit, kMjdLimit);
    const double whole = std::trunc(mjd);
    work.clock = {1858, 11, static_cast<int32_t>(whole) + 17, 0,
                  static_cast<int32_t>((mjd - whole) * 1440.0) + ClockZone(work, view)};
    astro::NormalizeClock(work.clock);
}

int32_t ShownYear(int32_t year) {
    return year <= 0 ? year - 1 : year;
}

int32_t TypedYear(int32_t typed) {
    return typed < 0 ? typed + 1 : typed;
}

MonthGrid MonthGridOf(int32_t year, int32_t month) {
    // The addend keeps the dividend positive down to the earliest year.
    const int weekday = (astro::ModifiedJulianDay(year, month, 1) + 40000005) % 7;
    return {weekday, astro::MonthLengths(year)[std::clamp(month, 1, 12)]};
}

TimeDialog::TimeDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, kSlotTime, tr("Time")) {
    auto* layout = new QVBoxLayout(this);
    auto* date = new QGroupBox(tr("Date and Time"));
    date->setLayout(BuildDateFields());
    layout->addWidget(date);
    layout->addWidget(BuildCalendar());
    layout->addLayout(BuildJulianFields());
    layout->addWidget(BuildModes());
    layout->addLayout(ButtonRow(&program.options.KosinAutoTime));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Reload();
}

QLayout* TimeDialog::BuildDateFields() {
    static const char* const kLabels[kFieldCount] = {"Y&ear", "Mo&nth", "Da&y", "H&our", "M&inute"};
    static const int kWidths[kFieldCount] = {6, 2, 2, 2, 2};
    auto* grid = new QGridLayout;
    for (int i = 0; i < kFieldCount; ++i) {
        auto* label = new QLabel(tr(kLabels[i]));
        QLineEdit* field = NumberField(kFirstField + 2 * i, kWidths[i]);
        auto* bar = WithId<UpDownBar>(kFirstField + 2 * i + 1);
        label->setBuddy(field);
        bar->AttachTo(field);
        const int row = i < 3 ? 0 : 1;
        const int column = (i % 3) * 3;
        grid->addWidget(label, row, column);
        auto* pair = new QHBoxLayout;
        pair->setSpacing(0);
        pair->addWidget(field);
        pair->addWidget(bar);
        grid->addLayout(pair, row, column + 1);
        connect(field, &QLineEdit::editingFinished, this, [this] {
            ReadFields();
            Edited();
        });
        connect(bar, &UpDownBar::Stepped, this, [this, i](int delta) { StepField(i, delta); });
    }
    auto* obtain = WithId<QPushButton>(kObtainCurrentTime, tr("Obtain &Current Time"));
    connect(obtain, &QPushButton::clicked, this, &TimeDialog::ObtainCurrentTime);
    grid->addWidget(obtain, 1, 6, 1, 3);
    return grid;
}

QWidget* TimeDialog::BuildCalendar() {
    auto* box = new QGroupBox(tr("Calendar"));
    auto* layout = new QVBoxLayout(box);

    auto* header = new QHBoxLayout;
    const struct {
        int id;
        const char* text;
        int years;
        int months;
    } moves[] = {{kYearBack, "<<", -1, 0},
                 {kMonthBack, "<", 0, -1},
                 {kMonthOn, ">", 0, 1},
                 {kYearOn, ">>", 1, 0}};
    for (const auto& move : moves) {
        auto* button = WithId<QPushButton>(move.id, QString::fromLatin1(move.text));
        button->setAutoDefault(false);
        button->setFixedWidth(button->fontMetrics().horizontalAdvance(QStringLiteral("<<<<")));
        connect(button, &QPushButton::clicked, this, [this, move] {
            work_.clock.year += move.years;
            work_.clock.month += move.months;
            Edited();
        });
        header->addWidget(button);
        if (move.id == kMonthBack) {
            auto* heading = WithId<QLabel>(kHeading);
            heading->setAlignment(Qt::AlignCenter);
            header->addWidget(heading, 1);
        }
    }
    layout->addLayout(header);

    auto* days = new QGridLayout;
    days->setSpacing(1);
    static const char* const kWeekdays[] = {"S", "M", "T", "W", "T", "F", "S"};
    for (int column = 0; column < 7; ++column) {
        auto* head = new QLabel(QString::fromLatin1(kWeekdays[column]));
        head->setAlignment(Qt::AlignCenter);
        days->addWidget(head, 0, column);
    }
    const int width = fontMetrics().horizontalAdvance(QStringLiteral("0000"));
    for (int i = 0; i < kDayButtons; ++i) {
        const int id = kFirstDay + i;
        auto* day = WithId<QPushButton>(id, QStringLiteral("-"));
        day->setCheckable(true);
        day->setAutoDefault(false);
        day->setFocusPolicy(Qt::ClickFocus);  // Tab goes past the forty days
        day->setFixedWidth(width);
        connect(day, &QPushButton::clicked, this, [this, id] { DayChosen(id); });
        days->addWidget(day, 1 + i / 7, i % 7);
    }
    layout->addLayout(days);

    auto* today = WithId<QPushButton>(kToday, tr("&Today"));
    today->setAutoDefault(false);
    connect(today, &QPushButton::clicked, this, &TimeDialog::Today);
    auto* footer = new QHBoxLayout;
    footer->addStretch();
    footer->addWidget(today);
    layout->addLayout(footer);
    return box;
}

QLayout* TimeDialog::BuildJulianFields() {
    auto* row = new QHBoxLayout;
    for (const auto& [id, text] :
         {std::pair{kJulianDate, "Julian Date(JD)"}, std::pair{kModifiedJulianDate, "MJD"}}) {
        auto* label = new QLabel(tr(text));
        QLineEdit* field = NumberField(id, 14);
        label->setBuddy(field);
        row->addWidget(label);
        row->addWidget(field);
        const bool julianDate = id == kJulianDate;
        connect(field, &QLineEdit::editingFinished, this,
                [this, julianDate] { JulianFieldLeft(julianDate); });
    }
    return row;
}

QWidget* TimeDialog::BuildModes() {
    auto* box = new QGroupBox(tr("Time Mode"));
    auto* layout = new QGridLayout(box);
    static const char* const kModes[] = {"&Local Time", "&Greenwich Time", "&System Time",
                                         "&Real Time"};
    for (int mode = 0; mode < 4; ++mode) {
        auto* radio = WithId<QRadioButton>(kFirstMode + mode, tr(kModes[mode]));
        connect(radio, &QRadioButton::clicked, this, &TimeDialog::ModeChosen);
        layout->addWidget(radio, mode / 2, mode % 2);
    }
    auto* dst = WithId<QCheckBox>(kDaylightSaving, tr("&Daylight-savings"));
    connect(dst, &QCheckBox::clicked, this, &TimeDialog::DaylightSavingToggled);
    layout->addWidget(dst, 2, 0, 1, 2);
    return box;
}

void TimeDialog::Reload() {
    const state::ViewState& view = program().view;
    work_ = {view.clock, view.Keisanji, view.Dst};
    loaded_ = work_;
    Refresh();
}

void TimeDialog::ViewStateChanged() {
    const state::ViewState& view = program().view;
    if (TimeWork{view.clock, view.Keisanji, view.Dst} != loaded_) Reload();
}

void TimeDialog::ReadFields() {
    for (int i = 0; i < kFieldCount; ++i) {
        const int32_t value = ReadInt(FindControl<QLineEdit>(*this, kFirstField + 2 * i)->text());
        Field(work_.clock, i) = i == 0 ? TypedYear(value) : value;
    }
    astro::NormalizeClock(work_.clock);
    const int mode = CheckedRadio(*this, kFirstMode, 4);
    if (mode >= 0) work_.mode = mode;
    work_.dst = FindControl<QCheckBox>(*this, kDaylightSaving)->isChecked() ? 1 : 0;
    readJd_ = ReadDouble(FindControl<QLineEdit>(*this, kJulianDate)->text());
    readMjd_ = ReadDouble(FindControl<QLineEdit>(*this, kModifiedJulianDate)->text());
}

void TimeDialog::Edited() {
    Refresh();
    EditDone();
}

void TimeDialog::StepField(int field, int delta) {
    ReadFields();
    Field(work_.clock, field) += delta;
    Edited();
}

void TimeDialog::JulianFieldLeft(bool julianDate) {
    ReadFields();
    if (julianDate && readJd_ != shownJd_) {
        SetMjd(work_, readJd_ - kJdOfMjdZero, program().view);
    } else if (!julianDate && readMjd_ != shownMjd_) {
        SetMjd(work_, readMjd_, program().view);
    }
    Edited();
}

void TimeDialog::ModeChosen() {
    const int32_t oldMode = work_.mode;
    ReadFields();
    // The same moment in the new mode's clock.
    work_.clock.minute +=
        astro::ZoneOf(program().view, work_.mode) - astro::ZoneOf(program().view, oldMode);
    Edited();
}

void TimeDialog::DaylightSavingToggled() {
    ReadFields();
    work_.clock.hour += work_.dst ? 1 : -1;
    Edited();
}

void TimeDialog::ObtainCurrentTime() {
    ReadFields();
    work_.clock = ComputerClockIn(work_, program().view);
    Edited();
}

void TimeDialog::Today() {
    ReadFields();
    const state::CivilClock today = astro::ReadComputerClock();
    work_.clock.year = today.year;
    work_.clock.month = today.month;
    work_.clock.day = today.day;
    Edited();
}

void TimeDialog::DayChosen(int id) {
    work_.clock.day = id - dayOneId_ + 1;
    Edited();
}

void TimeDialog::Refresh() {
    astro::NormalizeClock(work_.clock);
    const state::CivilClock& c = work_.clock;
    SetTextIfChanged(FindControl<QLineEdit>(*this, kFirstField),
                     QString::asprintf("%5d", ShownYear(c.year)));
    for (int i = 1; i < kFieldCount; ++i) {
        SetTextIfChanged(FindControl<QLineEdit>(*this, kFirstField + 2 * i),
                         QString::asprintf("%02d", Field(work_.clock, i)));
    }
    CheckRadio(*this, {111, 112, 113, 114}, work_.mode);
    FindControl<QCheckBox>(*this, kDaylightSaving)->setChecked(work_.dst != 0);
    RefreshEnabling();
    RefreshCalendar();
    RefreshJulianDates();
}

void TimeDialog::RefreshEnabling() {
    const bool enable = CheckedRadio(*this, kFirstMode, 4) != astro::kRealTime;
    if (FindControl(*this, kFirstField)->isEnabled() == enable) return;
    for (int id = kFirstField; id < kFirstField + 2 * kFieldCount; ++id)
        FindControl(*this, id)->setEnabled(enable);
    for (int id : {kJulianDate, kModifiedJulianDate, kObtainCurrentTime, kYearBack, kMonthBack,
                   kMonthOn, kYearOn, kToday})
        FindControl(*this, id)->setEnabled(enable);
    for (int id = kFirstDay; id < kFirstDay + kDayButtons; ++id) {
        auto* day = FindControl<QPushButton>(*this, id);
        day->setEnabled(enable && day->text() != QLatin1String("-"));
    }
}

void TimeDialog::RefreshCalendar() {
    const state::CivilClock& c = work_.clock;
    const QString heading = QString::asprintf("%s %d", kMonthNames[c.month - 1], c.year);
    if (SetTextIfChanged(FindControl<QLabel>(*this, kHeading), heading)) {
        const MonthGrid grid = MonthGridOf(c.year, c.month);
        const bool enable = work_.mode != astro::kRealTime;
        for (int i = 0; i < kDayButtons; ++i) {
            auto* button = FindControl<QPushButton>(*this, kFirstDay + i);
            const int day = i - grid.firstWeekday + 1;
            const bool inMonth = day >= 1 && day <= grid.days;
            SetTextIfChanged(button, inMonth ? QString::number(day) : QStringLiteral("-"));
            button->setEnabled(inMonth && enable);
        }
        dayOneId_ = kFirstDay + grid.firstWeekday;
    }
    if (auto* previous = FindControl<QPushButton>(*this, checkedDayId_))
        previous->setChecked(false);
    checkedDayId_ = dayOneId_ + c.day - 1;
    FindControl<QPushButton>(*this, checkedDayId_)->setChecked(true);
}

void TimeDialog::RefreshJulianDates() {
    const double mjd = MjdOf(work_, program().view);
    const QString jdText = QString::asprintf("%14.4f", mjd + kJdOfMjdZero);
    const QString mjdText = QString::asprintf("%14.4f", mjd);
    SetTextIfChanged(FindControl<QLineEdit>(*this, kJulianDate), jdText);
    SetTextIfChanged(FindControl<QLineEdit>(*this, kModifiedJulianDate), mjdText);
    shownJd_ = ReadDouble(jdText);
    shownMjd_ = ReadDouble(mjdText);
}

void TimeDialog::Apply() {
    state::ViewState& view = program().view;
    ReadFields();
    bool stopped = false;
    if (work_.mode == astro::kRealTime) {
        stopped = view.AutoRunning;
        view.AutoRunning = false;
        work_.clock = ComputerClockIn(work_, view);
    }
    Refresh();
    if (work_ == TimeWork{view.clock, view.Keisanji, view.Dst}) {
        if (stopped) host().ViewStateWritten();
        return;
    }
    view.clock = work_.clock;
    view.Keisanji = work_.mode;
    view.Dst = work_.dst;
    loaded_ = work_;
    host().ViewStateWritten();
}

void TimeDialog::Help() {
    OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
