#include "dialogs/view_dialog.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSlider>
#include <QStyleOptionSlider>
#include <QVBoxLayout>

#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "dialogs/up_down_bar.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

constexpr int kDirection = 101;
constexpr int kDirectionBar = 102;
constexpr int kHeight = 103;
constexpr int kHeightBar = 104;
constexpr int kZoom = 105;
constexpr int kSlider = 106;
constexpr int kEquatorMode = 107;
constexpr int kDirectionLabel = 201;
constexpr int kHeightLabel = 202;
constexpr int kHelpTopic = 23;

constexpr double kSliderBase = 30.0;  // percent at position 0
constexpr double kSliderRatio = 1.01;

ViewWork ViewWorkOf(const state::ViewState& view) {
    return {view.SekidouMod, view.Houi2, view.Koudo2, view.Zoom};
}

QString HeightText(double height) {
    return QString::asprintf("%6.1f", height / 10.0);
}

QString ZoomText(int32_t zoom) {
    return QString::asprintf(" %4d%%", zoom);
}

// A slider whose tick marks stand where the dialog puts them rather than at even steps.
class TickedSlider : public QSlider {
  public:
    explicit TickedSlider(std::vector<int> ticks)
        : QSlider(Qt::Horizontal), ticks_(std::move(ticks)) {
        setTickPosition(QSlider::TicksBelow);  // the room below the groove
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        QStyleOptionSlider option;
        initStyleOption(&option);
        option.subControls = QStyle::SC_SliderGroove | QStyle::SC_SliderHandle;
        style()->drawComplexControl(QStyle::CC_Slider, &option, &painter, this);
        const QRect handle =
            style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
        painter.setPen(palette().color(QPalette::WindowText));
        for (int tick : ticks_) {
            QStyleOptionSlider at = option;
            at.sliderPosition = tick;
            const int x =
                style()
                    ->subControlRect(QStyle::CC_Slider, &at, QStyle::SC_SliderHandle, this)
                    .center()
                    .x();
            painter.drawLine(x, handle.bottom() + 2, x, height() - 1);
        }
    }

  private:
    std::vector<int> ticks_;
};

}  // namespace

int ZoomSliderPosition(int32_t zoom) {
    if (zoom <= kSliderBase) return 0;
    const double position = std::log(zoom / kSliderBase) / std::log(kSliderRatio) + 0.5;
    return std::min(static_cast<int>(position), kZoomSliderLast);
}

int32_t ZoomAtSliderPosition(int position) {
    const auto zoom = static_cast<int32_t>(kSliderBase * std::pow(kSliderRatio, position));
    return std::min((zoom + 5) / 10 * 10, state::kZoomMax);
}

std::vector<int> ZoomSliderTicks() {
    // Twenty marks, each gap 5/7 of the one before, 466 units spread over the slider; the
    // marks that would fall past its end are left out, and the two ends carry a mark of their
    // own as on every slider.
    constexpr double kShrink = 0.7142857142857143;
    std::vector<int> ticks{0};
    int step = 200;
    int sum = 0;
    for (int i = 0; i < 20; ++i) {
        sum += static_cast<int>(step * kShrink);
        step = static_cast<int>(step * kShrink);
        const int tick = sum * kZoomSliderLast / 466;
        if (tick < kZoomSliderLast) ticks.push_back(tick);
    }
    ticks.push_back(kZoomSliderLast);
    return ticks;
}

double NormalizeDirection(double direction) {
    if (direction == 3600.0) return direction;
    direction = std::fmod(direction, 3600.0);
    // + 0.0 turns a typed -0 into 0, which shows without its sign.
    return direction < 0 ? direction + 3600.0 : direction + 0.0;
}

double ClampHeight(double height, int32_t mode, int32_t underHorizon) {
    const double lowest = mode == 0 && underHorizon == 0 ? 0.0 : -900.0;
    return std::clamp(height, lowest, 900.0) + 0.0;
}

QString DirectionText(double direction, int32_t mode) {
    if (mode == 0) return QString::asprintf(" %5.1f", direction / 10.0);
    const auto tenths = static_cast<int>(direction);
    return QString::asprintf("%2dh%02dm", tenths / 150, tenths * 2 / 5 % 60);
}

double ReadDirection(const QString& text, int32_t mode) {
    if (mode == 0) return ReadTenths(text);
    qsizetype p = 0;
    const qsizetype end = text.size();
    while (p < end && !text[p].isDigit())
        ++p;
    while (p < end && text[p].isDigit())
        ++p;
    while (p < end && !text[p].isDigit())
        ++p;
    const double minutes = std::clamp(ReadDouble(text.mid(p)), 0.0, 1e8);
    // Held so that the sum stays exact; beyond a few turns only whole turns are lost.
    const double hours = std::clamp<double>(ReadInt(text), -1e6, 1e6);
    return hours * 150.0 + std::trunc(minutes * 2.5 + 0.5);
}

ViewDialog::ViewDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, kSlotView, tr("View")) {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const struct {
        int id, bar, label;
        void (ViewDialog::*step)(int);
    } rows[] = {{kDirection, kDirectionBar, kDirectionLabel, &ViewDialog::StepDirection},
                {kHeight, kHeightBar, kHeightLabel, &ViewDialog::StepHeight}};
    int row = 0;
    for (const auto& r : rows) {
        const NumberWithBar pair = NumberFieldWithBar(r.id, r.bar, 6);
        auto* label = WithId<QLabel>(r.label);
        label->setBuddy(pair.field);
        grid->addWidget(label, row, 0);
        grid->addLayout(pair.layout, row++, 1);
        connect(pair.field, &QLineEdit::editingFinished, this, [this] {
            ReadFields();
            Edited();
        });
        connect(pair.bar, &UpDownBar::Stepped, this, r.step);
    }
    auto* zoomLabel = new QLabel(tr("&Zoom"));
    QLineEdit* zoom = NumberField(kZoom, 6);
    zoomLabel->setBuddy(zoom);
    grid->addWidget(zoomLabel, row, 0);
    grid->addWidget(zoom, row, 1);
    connect(zoom, &QLineEdit::editingFinished, this, [this] {
        ReadFields();
        Edited();
    });
    layout->addLayout(grid);

    auto* sliderRow = new QHBoxLayout;
    auto* slider = new TickedSlider(ZoomSliderTicks());
    slider->setObjectName(QString::number(kSlider));
    slider->setRange(0, kZoomSliderLast);
    slider->setSingleStep(18);
    slider->setPageStep(36);
    slider->setMinimumWidth(220);
    connect(slider, &QSlider::valueChanged, this, &ViewDialog::SliderMoved);
    connect(slider, &QSlider::sliderReleased, this, &ViewDialog::Refresh);
    sliderRow->addWidget(new QLabel(QStringLiteral("30")));
    sliderRow->addWidget(slider, 1);
    sliderRow->addWidget(new QLabel(QStringLiteral("7700")));
    layout->addLayout(sliderRow);

    auto* equator = WithId<QCheckBox>(kEquatorMode, tr("E&quator Mode"));
    connect(equator, &QCheckBox::clicked, this, [this] {
        ReadFields();
        Edited();
    });
    layout->addWidget(equator);
    layout->addLayout(ButtonRow(&program.options.KosinAutoView));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Reload();
}

ViewDialog::Seen ViewDialog::SeenNow() const {
    return {ViewWorkOf(program().view), program().view.UnderHorizon};
}

void ViewDialog::Reload() {
    work_ = ViewWorkOf(program().view);
    seen_ = SeenNow();
    Refresh();
}

void ViewDialog::ViewStateChanged() {
    if (SeenNow() != seen_) Reload();
}

void ViewDialog::ReadFields() {
    // A field is read only when it no longer shows the working copy, so that leaving a field
    // does not round the view's direction to the tenths the field shows. Each is read in the
    // mode it was shown in: switching equator mode keeps the numbers, as the menu item does.
    const auto* direction = FindControl<QLineEdit>(*this, kDirection);
    if (direction->text() != DirectionText(work_.direction, work_.mode))
        work_.direction = NormalizeDirection(ReadDirection(direction->text(), work_.mode));
    const auto* height = FindControl<QLineEdit>(*this, kHeight);
    if (height->text() != HeightText(work_.height)) work_.height = ReadTenths(height->text());
    const auto* zoom = FindControl<QLineEdit>(*this, kZoom);
    if (zoom->text() != ZoomText(work_.zoom)) work_.zoom = ReadInt(zoom->text());
    work_.mode = FindControl<QCheckBox>(*this, kEquatorMode)->isChecked() ? 1 : 0;
    work_.height = ClampHeight(work_.height, work_.mode, program().view.UnderHorizon);
    work_.zoom = std::clamp(work_.zoom, state::kZoomMin, state::kZoomMax);
}

void ViewDialog::Edited() {
    Refresh();
    EditDone();
}

void ViewDialog::StepDirection(int delta) {
    ReadFields();
    if (work_.mode == 0) {
        work_.direction += delta;
    } else {
        // Up at least one minute of right ascension (2.5 tenths), down as the minutes round.
        work_.direction += delta > 0 ? 3 : -2;
    }
    Edited();
}

void ViewDialog::StepHeight(int delta) {
    ReadFields();
    work_.height += delta;
    Edited();
}

void ViewDialog::SliderMoved(int position) {
    ReadFields();
    work_.zoom = ZoomAtSliderPosition(position);
    Edited();
}

void ViewDialog::Refresh() {
    const bool equator = work_.mode != 0;
    work_.direction = NormalizeDirection(work_.direction);
    work_.height = ClampHeight(work_.height, work_.mode, program().view.UnderHorizon);
    work_.zoom = std::clamp(work_.zoom, state::kZoomMin, state::kZoomMax);
    SetTextIfChanged(FindControl<QLabel>(*this, kDirectionLabel),
                     equator ? tr("L&ongitude") : tr("&Direction"));
    SetTextIfChanged(FindControl<QLabel>(*this, kHeightLabel),
                     equator ? tr("&Latitude") : tr("&Height"));
    SetTextIfChanged(FindControl<QLineEdit>(*this, kDirection),
                     DirectionText(work_.direction, work_.mode));
    SetTextIfChanged(FindControl<QLineEdit>(*this, kHeight), HeightText(work_.height));
    SetTextIfChanged(FindControl<QLineEdit>(*this, kZoom), ZoomText(work_.zoom));
    // The handle the user drags stays under the mouse; it follows the zoom once let go.
    auto* slider = FindControl<QSlider>(*this, kSlider);
    if (!slider->isSliderDown()) {
        const QSignalBlocker quiet(slider);
        slider->setValue(ZoomSliderPosition(work_.zoom));
    }
    FindControl<QCheckBox>(*this, kEquatorMode)->setChecked(equator);
}

void ViewDialog::Apply() {
    ReadFields();
    Refresh();
    state::ViewState& view = program().view;
    if (work_ == ViewWorkOf(view)) return;
    view.SekidouMod = work_.mode;
    view.Tracking = false;
    const double azimuth = std::fmod(work_.direction, 3600.0);
    if (view.SmoothIdou) {
        // The main window moves there in steps from its next frame on.
        view.MoveTargetHoui2 = azimuth;
        view.MoveTargetKoudo2 = work_.height;
        view.MoveTargetZoom = work_.zoom;
        if (azimuth != view.Houi2) view.PendingMoves |= state::kMoveAzimuth;
        if (work_.height != view.Koudo2) view.PendingMoves |= state::kMoveAltitude;
        if (work_.zoom != view.Zoom) view.PendingMoves |= state::kMoveZoom;
    } else {
        view.Houi2 = azimuth;
        view.Koudo2 = work_.height;
        view.Zoom = work_.zoom;
    }
    seen_ = SeenNow();
    host().ViewStateWritten();
}

void ViewDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
