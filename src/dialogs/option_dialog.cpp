#include "dialogs/option_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "persist/settings.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

using state::AppOptions;
using state::ViewState;

constexpr int kFirstStarStyle = 201;
constexpr int kStarStyles = 6;
constexpr int kFirstAutoLimit = 1046;
constexpr int kAutoLimits = 5;
constexpr int kCross = 1007;
constexpr int kFieldOfVision = 1008;
constexpr int kFieldSize = 1009;
constexpr int kAngleOfView = 1010;
constexpr int kFocalLength = 1011;
constexpr int kBelowHorizon = 301;
constexpr int kFindBelowHorizon = 112;
constexpr int kHelpTopic = 45;

constexpr double kFieldMin = 1.0;  // degrees
constexpr double kFieldMax = 90.0;
constexpr int32_t kFocalMin = 10;  // mm on a 35 mm camera
constexpr int32_t kFocalMax = 9999;

struct ViewBox {
    int id;
    int32_t ViewState::*field;
};
constexpr ViewBox kViewBoxes[] = {
    {108, &ViewState::MoonWaku},
    {120, &ViewState::Yama},
    {110, &ViewState::Chijoukou},
    {114, &ViewState::Yuuyake},
    {119, &ViewState::Taiyoukou},
    {126, &ViewState::KasanariYoke},
    {kFieldOfVision, &ViewState::CircleGuide},
    {kCross, &ViewState::CenterGuide},
    {kAngleOfView, &ViewState::Shaya},
    {302, &ViewState::SmoothIdou},
    {kBelowHorizon, &ViewState::UnderHorizon},
    {kFindBelowHorizon, &ViewState::FindUnder},
    {127, &ViewState::SeiunHiruma},
    {128, &ViewState::SeizaHiruma},
    {129, &ViewState::WakuseiHiruma},
    {116, &ViewState::SaisaKeisan},
    {117, &ViewState::KoyuKeisan},
    {122, &ViewState::TaikisaKeisan},
    {125, &ViewState::SeimitsuKeisan},
};

struct OptionBox {
    int id;
    int32_t AppOptions::*field;
};
constexpr OptionBox kOptionBoxes[] = {
    {150, &AppOptions::SpeakFlag},
    {151, &AppOptions::MediaZoom},
    {123, &AppOptions::ColorPrint},
    {124, &AppOptions::PrintInfo},
};

QString FieldSizeText(double degrees) {
    return QString::asprintf("%4.1f", degrees);
}

bool IsChecked(const QWidget& dialog, int id) {
    return FindControl<QAbstractButton>(dialog, id)->isChecked();
}

}  // namespace

OptionDialog::OptionDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, kSlotOption, tr("Options")) {
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    left->addWidget(BuildStars());
    left->addWidget(Boxes(tr("Effects"), {{108, "Outline of &Moon"},
                                          {120, "Lan&dscape"},
                                          {110, "&Light from Ground"},
                                          {114, "&Glow"},
                                          {119, "Light of S&un"},
                                          {126, "Labels Never &Overlap"}}));
    left->addWidget(BuildAutoLimit());
    left->addWidget(BuildGuides());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(Boxes(tr("Behaviour"), {{302, "Move View Point Smoothly"},
                                             {kBelowHorizon, "Move View Point Below Horizon"},
                                             {kFindBelowHorizon, "Find and Track below Horizon"},
                                             {150, "Voice"},
                                             {151, "Full Screen Display (Astronomy)"}}));
    right->addWidget(Boxes(tr("Daytime"), {{127, "Display Galaxies on Daytime"},
                                           {128, "Display Constellations on Daytime"},
                                           {129, "Display Planets && Comets on Daytime"}}));
    right->addWidget(Boxes(tr("Computation"), {{116, "Precession"},
                                               {117, "Proper Motion"},
                                               {122, "Refraction"},
                                               {125, "Precise Positions"}}));
    right->addWidget(Boxes(tr("Print"), {{123, "Color Printing"}, {124, "Information"}}));
    right->addStretch();
    columns->addLayout(left);
    columns->addLayout(right);
    layout->addLayout(columns);
    layout->addLayout(ButtonRow());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Reload();
}

QGroupBox* OptionDialog::BuildStars() {
    static const char* const kStyles[kStarStyles] = {"Normal",    "Real (Dark)", "Atlas (M)",
                                                     "Atlas (S)", "Atlas (L)",   "Real (Light)"};
    auto* group = new QGroupBox(tr("Star"));
    auto* grid = new QGridLayout(group);
    for (int i = 0; i < kStarStyles; ++i)
        grid->addWidget(WithId<QRadioButton>(kFirstStarStyle + i, tr(kStyles[i])), i % 3, i / 3);
    return group;
}

QGroupBox* OptionDialog::BuildAutoLimit() {
    auto* group = new QGroupBox(tr("Number of Stars (Auto)"));
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(tr("Many")));
    for (int i = 0; i < kAutoLimits; ++i)
        row->addWidget(WithId<QRadioButton>(kFirstAutoLimit + i));
    row->addWidget(new QLabel(tr("Few")));
    return group;
}

QGroupBox* OptionDialog::BuildGuides() {
    auto* group = new QGroupBox(tr("Guide"));
    auto* grid = new QGridLayout(group);
    const struct {
        int box, field;
        const char *text, *unit;
        int width;
    } rows[] = {{kFieldOfVision, kFieldSize, "Field of Vision", "degrees", 4},
                {kAngleOfView, kFocalLength, "Angle of View", "mm (on 35mm Camera)", 4}};
    int row = 0;
    for (const auto& r : rows) {
        auto* box = WithId<QCheckBox>(r.box, tr(r.text));
        connect(box, &QCheckBox::clicked, this, &OptionDialog::Validate);
        QLineEdit* field = NumberField(r.field, r.width);
        field->setMaxLength(16);
        connect(field, &QLineEdit::editingFinished, this, &OptionDialog::Validate);
        grid->addWidget(box, row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(new QLabel(tr(r.unit)), row++, 2);
    }
    grid->addWidget(WithId<QCheckBox>(kCross, tr("Cross")), row, 0);
    return group;
}

QGroupBox* OptionDialog::Boxes(const QString& title,
                               std::initializer_list<std::pair<int, const char*>> boxes) {
    auto* group = new QGroupBox(title);
    auto* column = new QVBoxLayout(group);
    for (const auto& [id, text] : boxes) {
        auto* box = WithId<QCheckBox>(id, tr(text));
        if (id == kBelowHorizon) connect(box, &QCheckBox::clicked, this, &OptionDialog::Validate);
        column->addWidget(box);
    }
    return group;
}

std::vector<int32_t> OptionDialog::Values() const {
    const ViewState& view = program().view;
    const AppOptions& options = program().options;
    std::vector<int32_t> values{view.DrawStarMode3, view.AutoBriMode, view.CircleSize,
                                view.ShayaSize};
    for (const ViewBox& box : kViewBoxes)
        values.push_back(view.*box.field);
    for (const OptionBox& box : kOptionBoxes)
        values.push_back(options.*box.field);
    return values;
}

void OptionDialog::Reload() {
    const ViewState& view = program().view;
    const AppOptions& options = program().options;
    CheckRadio(*this, kFirstStarStyle, kStarStyles, view.DrawStarMode3);
    CheckRadio(*this, kFirstAutoLimit, kAutoLimits, view.AutoBriMode + 2);
    for (const ViewBox& box : kViewBoxes)
        FindControl<QCheckBox>(*this, box.id)->setChecked(view.*box.field != 0);
    for (const OptionBox& box : kOptionBoxes)
        FindControl<QCheckBox>(*this, box.id)->setChecked(options.*box.field != 0);
    SetTextIfChanged(FindControl<QLineEdit>(*this, kFieldSize),
                     FieldSizeText(view.CircleSize / 10.0));
    SetTextIfChanged(FindControl<QLineEdit>(*this, kFocalLength), QString::number(view.ShayaSize));
    loaded_ = Values();
    Validate();
}

void OptionDialog::ViewStateChanged() {
    if (Values() != loaded_) Reload();
}

void OptionDialog::Validate() {
    const bool circle = IsChecked(*this, kFieldOfVision);
    FindControl(*this, kCross)->setEnabled(circle);
    FindControl(*this, kFieldSize)->setEnabled(circle);
    FindControl(*this, kFocalLength)->setEnabled(IsChecked(*this, kAngleOfView));
    auto* size = FindControl<QLineEdit>(*this, kFieldSize);
    SetTextIfChanged(size,
                     FieldSizeText(std::clamp(ReadDouble(size->text()), kFieldMin, kFieldMax)));
    auto* focal = FindControl<QLineEdit>(*this, kFocalLength);
    SetTextIfChanged(focal,
                     QString::number(std::clamp(ReadInt(focal->text()), kFocalMin, kFocalMax)));
    // Whoever may look below the horizon finds and tracks there too.
    const bool below = IsChecked(*this, kBelowHorizon);
    auto* find = FindControl<QCheckBox>(*this, kFindBelowHorizon);
    find->setEnabled(!below);
    if (below) find->setChecked(true);
}

void OptionDialog::Apply() {
    Validate();
    ViewState& view = program().view;
    AppOptions& options = program().options;
    const int style = CheckedRadio(*this, kFirstStarStyle, kStarStyles);
    if (style >= 0) view.DrawStarMode3 = style;
    const int autoLimit = CheckedRadio(*this, kFirstAutoLimit, kAutoLimits);
    if (autoLimit >= 0) view.AutoBriMode = autoLimit - 2;
    for (const ViewBox& box : kViewBoxes)
        view.*box.field = IsChecked(*this, box.id) ? 1 : 0;
    for (const OptionBox& box : kOptionBoxes)
        options.*box.field = IsChecked(*this, box.id) ? 1 : 0;
    view.CircleSize =
        static_cast<int32_t>(ReadTenths(FindControl<QLineEdit>(*this, kFieldSize)->text()));
    view.ShayaSize = ReadInt(FindControl<QLineEdit>(*this, kFocalLength)->text());
    loaded_ = Values();
    host().ViewStateWritten();
}

void OptionDialog::Ok() {
    Apply();
    persist::WriteSaveDefault(program().options);
}

void OptionDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
