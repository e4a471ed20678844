#include "dialogs/auto_dialog.h"

#include <algorithm>
#include <cstdio>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include "astro/clock.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "dialogs/up_down_bar.h"
#include "render/text_formats.h"
#include "shell/program.h"

namespace dialogs {
namespace {

constexpr int kTabs = 201;
constexpr int kSetTime = 801;
constexpr int kFirstStepField = 101;  // 101, 103, .. 109; each bar is its edit's id + 1
constexpr int kStepFields = 5;
constexpr int kDirection = 1003;
constexpr int kReset = 1004;
constexpr int kTickGroup = 1034;
constexpr int kTraceGroup = 1030;
constexpr int kTraceLabel = 1033;
constexpr int kTraceCount = 251;
constexpr int kTraceBar = 252;
constexpr int kPointsLabel = 1031;
constexpr int kObjectGroup = 1032;
constexpr int kFirstObject = 1011;
constexpr int kTracingDescription = 901;
constexpr int kClockingDescription = 902;

constexpr int64_t kMostStepMinutes = 1440000;  // 1000 days
constexpr int64_t kMostStepMonths = 12000;     // 1000 years
constexpr int kMostTracePoints = 120;

struct TickSpeed {
    int id;
    const char* label;
    int32_t interval;
    const char* description;
};
constexpr TickSpeed kTickSpeeds[] = {
    {1035, "Once", 0, ""},
    {1036, "Very Fast", 1, "Tick speed is very fast."},
    {118, "Fast", 3, "Tick speed is fast."},
    {1038, "Normal", 7, "Tick speed is normal."},
    {1039, "Slow", 15, "Tick speed is slow."},
    {1040, "Very Slow", 25, "Tick speed is very slow."},
};

constexpr const char* kObjects[] = {"Sun", "Moon", "Planets", "Comets", "Main Stars"};

int32_t& StepField(AutoWork& work, int index) {
    switch (index) {
        case 0:
            return work.years;
        case 1:
            return work.months;
        case 2:
            return work.days;
        case 3:
            return work.hours;
        default:
            return work.minutes;
    }
}

std::string Format(const char* format, const std::string& a, int64_t value, const char* plural) {
    char text[256];
    std::snprintf(text, sizeof text, format, a.c_str(), static_cast<long long>(value), plural);
    return text;
}

}  // namespace

AutoWork AutoWorkOf(const state::AppOptions& o) {
    return {o.AutoType,  o.AutoYear, o.AutoMonth,  o.AutoDay,  o.AutoHour,
            o.AutoMinit, o.Interval, o.AutoRepeat, o.AutoBack, o.AutoTaishou};
}

void StoreAutoWork(const AutoWork& work, state::AppOptions& o) {
    o.AutoType = work.type;
    o.AutoYear = work.years;
    o.AutoMonth = work.months;
    o.AutoDay = work.days;
    o.AutoHour = work.hours;
    o.AutoMinit = work.minutes;
    o.Interval = work.interval;
    o.AutoRepeat = work.repeat;
    o.AutoBack = work.back;
    o.AutoTaishou = work.objects;
}

void NormalizeStep(AutoWork& work) {
    // 64-bit sums: typed values may be anything a 32-bit field holds.
    const int64_t minutes =
        std::clamp<int64_t>(work.minutes + 60 * (work.hours + 24 * static_cast<int64_t>(work.days)),
                            0, kMostStepMinutes);
    work.days = static_cast<int32_t>(minutes / 1440);
    work.hours = static_cast<int32_t>(minutes / 60 % 24);
    work.minutes = static_cast<int32_t>(minutes % 60);
    const int64_t months = std::clamp<int64_t>(work.months + 12 * static_cast<int64_t>(work.years),
                                               0, kMostStepMonths);
    work.years = static_cast<int32_t>(months / 12);
    work.months = static_cast<int32_t>(months % 12);
    work.repeat = std::clamp(work.repeat, 1, kMostTracePoints);
}

std::string DurationText(int64_t years, int64_t months, int64_t days, int64_t hours,
                         int64_t minutes) {
    const struct {
        int64_t value;
        const char* format;
    } parts[] = {{years, "%s %lld year%s"},
                 {months, "%s %lld month%s"},
                 {days, "%s %lld day%s"},
                 {hours, "%s %lld hour%s"},
                 {minutes, "%s %lld minute%s"}};
    std::string text;
    for (const auto& part : parts)
        if (part.value != 0)
            text = Format(part.format, text, part.value, part.value == 1 ? "" : "s");
    if (text.empty()) text = " 0 minutes";
    return text.substr(1);
}

std::string AutoDescription(const AutoWork& work, const state::CivilClock& now) {
    if (work.type == 1) {
        const int32_t n = work.repeat;
        state::CivilClock start{now.year - n * work.years, now.month - n * work.months,
                                now.day - n * work.days, now.hour - n * work.hours,
                                now.minute - n * work.minutes};
        astro::NormalizeClock(start);
        const int64_t minutes = int64_t{n} * work.minutes;
        const int64_t months = int64_t{n} * work.months;
        const std::string span =
            DurationText(int64_t{n} * work.years + months / 12, months % 12, int64_t{n} * work.days,
                         int64_t{n} * work.hours + minutes / 60, minutes % 60);
        const std::string step =
            DurationText(work.years, work.months, work.days, work.hours, work.minutes);
        return "Display the trace of object\nfor the last " + span + "\nwith the interval of " +
               step + ".\nFrom: " + render::DateText(start) + " " + render::TimeText(start) +
               "\nTo: " + render::DateText(now) + " " + render::TimeText(now) + " (SetTime button)";
    }
    std::string text = work.back ? "Every tick, clock goes back\n" : "Every tick, clock advances\n";
    text +=
        "by " + DurationText(work.years, work.months, work.days, work.hours, work.minutes) + ".\n";
    for (const TickSpeed& speed : kTickSpeeds)
        if (speed.interval == work.interval) text += speed.description;
    return text;
}

AutoDialog::AutoDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, kSlotAuto, tr("Auto Mode Setting")) {
    auto* layout = new QVBoxLayout(this);
    auto* tabs = WithId<QTabBar>(kTabs);
    tabs->addTab(tr("Fast Clocking"));
    tabs->addTab(tr("Tracing Mode"));
    layout->addWidget(tabs);
    auto* step = new QGroupBox(tr("Step"));
    step->setLayout(BuildStep());
    layout->addWidget(step);
    auto* pages = new QStackedWidget;
    pages->addWidget(BuildFastClocking());
    pages->addWidget(BuildTracing());
    layout->addWidget(pages);
    connect(tabs, &QTabBar::currentChanged, pages, &QStackedWidget::setCurrentIndex);

    auto* setTime = WithId<QPushButton>(kSetTime, tr("Set &Time"));
    setTime->setAutoDefault(false);
    connect(setTime, &QPushButton::clicked, this, [this] { this->host().Command(132); });
    QHBoxLayout* buttons = ButtonRow();
    buttons->insertWidget(0, setTime);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Reload();
    // Connected after the first refresh, which selects the stored tab.
    connect(tabs, &QTabBar::currentChanged, this, &AutoDialog::TabChanged);
}

QLayout* AutoDialog::BuildStep() {
    static const char* const kLabels[kStepFields] = {"&Years", "&Months", "&Days", "&Hours",
                                                     "M&inutes"};
    static const int kWidths[kStepFields] = {4, 2, 4, 2, 2};
    auto* row = new QHBoxLayout;
    auto* direction = WithId<QCheckBox>(kDirection, QStringLiteral("+"));
    QSizePolicy keepPlace = direction->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);  // the step fields stay put when the tab changes
    direction->setSizePolicy(keepPlace);
    connect(direction, &QCheckBox::clicked, this, [this] {
        ReadFields();
        Refresh();
    });
    row->addWidget(direction);
    for (int i = 0; i < kStepFields; ++i) {
        auto* label = new QLabel(tr(kLabels[i]));
        QLineEdit* field = NumberField(kFirstStepField + 2 * i, kWidths[i]);
        auto* bar = WithId<UpDownBar>(kFirstStepField + 2 * i + 1);
        label->setBuddy(field);
        bar->AttachTo(field);
        row->addWidget(label);
        auto* pair = new QHBoxLayout;
        pair->setSpacing(0);
        pair->addWidget(field);
        pair->addWidget(bar);
        row->addLayout(pair);
        connect(field, &QLineEdit::editingFinished, this, [this] {
            ReadFields();
            Refresh();
        });
        connect(bar, &UpDownBar::Stepped, this, [this, i](int delta) {
            ReadFields();
            StepField(work_, i) += delta;
            Refresh();
        });
    }
    auto* reset = WithId<QPushButton>(kReset, tr("&Reset"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, [this] {
        ReadFields();
        for (int i = 0; i < kStepFields; ++i)
            StepField(work_, i) = 0;
        FindControl(*this, kFirstStepField)->setFocus();
        Refresh();
    });
    row->addWidget(reset);
    return row;
}

QWidget* AutoDialog::BuildFastClocking() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* speeds = WithId<QGroupBox>(kTickGroup, tr("Tick Speed"));
    auto* column = new QVBoxLayout(speeds);
    for (const TickSpeed& speed : kTickSpeeds) {
        auto* radio = WithId<QRadioButton>(speed.id, tr(speed.label));
        connect(radio, &QRadioButton::clicked, this, [this] {
            ReadFields();
            Refresh();
        });
        column->addWidget(radio);
    }
    layout->addWidget(speeds);
    auto* description = WithId<QPlainTextEdit>(kClockingDescription);
    description->setReadOnly(true);
    description->setFocusPolicy(Qt::NoFocus);
    description->setFixedHeight(description->fontMetrics().lineSpacing() * 6 + 12);
    layout->addWidget(description, 1);
    return page;
}

QWidget* AutoDialog::BuildTracing() {
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* groups = new QVBoxLayout;

    auto* trace = WithId<QGroupBox>(kTraceGroup, tr("Trace"));
    auto* traceRow = new QHBoxLayout(trace);
    auto* label = WithId<QLabel>(kTraceLabel, tr("&Number of Trace"));
    QLineEdit* count = NumberField(kTraceCount, 3);
    auto* bar = WithId<UpDownBar>(kTraceBar);
    label->setBuddy(count);
    bar->AttachTo(count);
    traceRow->addWidget(label);
    traceRow->addWidget(count);
    traceRow->addWidget(bar);
    traceRow->addWidget(WithId<QLabel>(kPointsLabel, tr("points")));
    connect(count, &QLineEdit::editingFinished, this, [this] {
        ReadFields();
        Refresh();
    });
    connect(bar, &UpDownBar::Stepped, this, [this](int delta) {
        ReadFields();
        work_.repeat += delta;
        Refresh();
    });
    groups->addWidget(trace);

    auto* objects = WithId<QGroupBox>(kObjectGroup, tr("Traced &Object"));
    auto* grid = new QGridLayout(objects);
    for (int i = 0; i < 5; ++i) {
        auto* box = WithId<QCheckBox>(kFirstObject + i, tr(kObjects[i]));
        grid->addWidget(box, i / 2, i % 2);
    }
    groups->addWidget(objects);
    layout->addLayout(groups);

    auto* description = WithId<QPlainTextEdit>(kTracingDescription);
    description->setReadOnly(true);
    description->setFocusPolicy(Qt::NoFocus);
    description->setFixedHeight(description->fontMetrics().lineSpacing() * 6 + 12);
    layout->addWidget(description, 1);
    return page;
}

void AutoDialog::Reload() {
    work_ = AutoWorkOf(program().options);
    Refresh();
}

AutoDialog::Seen AutoDialog::SeenNow() const {
    const shell::Program& p = program();
    return {p.view.clock, p.view.AutoRunning, p.options.AutoType, p.options.Interval};
}

void AutoDialog::ViewStateChanged() {
    if (SeenNow() != seen_) Refresh();
}

void AutoDialog::ReadFields() {
    work_.type = FindControl<QTabBar>(*this, kTabs)->currentIndex();
    for (int i = 0; i < kStepFields; ++i)
        StepField(work_, i) =
            ReadInt(FindControl<QLineEdit>(*this, kFirstStepField + 2 * i)->text());
    work_.back = FindControl<QCheckBox>(*this, kDirection)->isChecked() ? 1 : 0;
    for (const TickSpeed& speed : kTickSpeeds)
        if (FindControl<QRadioButton>(*this, speed.id)->isChecked())
            work_.interval = speed.interval;
    work_.repeat = ReadInt(FindControl<QLineEdit>(*this, kTraceCount)->text());
    for (int i = 0; i < 5; ++i)
        work_.objects[i] = FindControl<QCheckBox>(*this, kFirstObject + i)->isChecked() ? 1 : 0;
}

void AutoDialog::Refresh() {
    NormalizeStep(work_);
    seen_ = SeenNow();
    auto* tabs = FindControl<QTabBar>(*this, kTabs);
    if (tabs->currentIndex() != work_.type) tabs->setCurrentIndex(std::clamp(work_.type, 0, 1));

    static const char* const kFormats[kStepFields] = {"%04d", "%02d", "%04d", "%02d", "%02d"};
    for (int i = 0; i < kStepFields; ++i) {
        SetTextIfChanged(FindControl<QLineEdit>(*this, kFirstStepField + 2 * i),
                         QString::asprintf(kFormats[i], StepField(work_, i)));
    }
    auto* direction = FindControl<QCheckBox>(*this, kDirection);
    direction->setChecked(work_.back != 0);
    SetTextIfChanged(direction,
                     work_.back || work_.type == 1 ? QStringLiteral("-") : QStringLiteral("+"));
    int speed = -1;
    for (int i = 0; i < std::ssize(kTickSpeeds); ++i)
        if (kTickSpeeds[i].interval == work_.interval) speed = i;
    CheckRadio(*this, {1035, 1036, 118, 1038, 1039, 1040}, speed);
    SetTextIfChanged(FindControl<QLineEdit>(*this, kTraceCount),
                     QString::asprintf("%3d", work_.repeat));
    for (int i = 0; i < 5; ++i)
        FindControl<QCheckBox>(*this, kFirstObject + i)->setChecked(work_.objects[i] != 0);

    const bool stoppable = seen_.running && seen_.type == 0 && seen_.interval != 0;
    SetTextIfChanged(FindControl<QPushButton>(*this, kIdApply),
                     stoppable ? tr("&Stop") : tr("&Apply"));
    const QString description =
        QString::fromStdString(AutoDescription(work_, program().view.clock));
    SetTextIfChanged(FindControl<QPlainTextEdit>(*this, kTracingDescription), description);
    SetTextIfChanged(FindControl<QPlainTextEdit>(*this, kClockingDescription), description);
    ShowTabControls();
}

void AutoDialog::ShowTabControls() {
    FindControl(*this, kDirection)->setVisible(work_.type == 0);
}

void AutoDialog::TabChanged() {
    ReadFields();
    if (program().view.AutoRunning) host().Command(331);
    Refresh();
}

void AutoDialog::Store() {
    StoreAutoWork(work_, program().options);
    program().view.AutoModeApplied = true;
}

void AutoDialog::StartOrRestart() {
    const bool running = program().view.AutoRunning;
    host().Command(331);
    if (running) host().Command(331);
}

void AutoDialog::Apply() {
    ReadFields();
    if (program().view.AutoRunning && program().options.AutoType == 0) {
        host().Command(331);
        Refresh();
        return;
    }
    Refresh();
    Store();
    StartOrRestart();
}

void AutoDialog::Ok() {
    ReadFields();
    Refresh();
    Store();
    if (work_.type == 1) StartOrRestart();
}

void AutoDialog::Cancel() {
    if (program().view.AutoRunning) host().Command(331);
}

}  // namespace dialogs
