#include "dialogs/display_mode_dialog.h"

#include <algorithm>
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

#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "dialogs/up_down_bar.h"
#include "platform/help.h"
#include "render/render_sky.h"
#include "render/stars.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

using state::ViewState;
using Field = int32_t ViewState::*;

constexpr int kStarLimit = 251;
constexpr int kStarLimitBar = 252;
constexpr int kBrightAuto = 40034;
constexpr int kGuideStarCatalog = 40039;
constexpr int kBayer = 119;
constexpr int kFlamsteed = 126;
constexpr int kDwarfPlanets = 40066;
constexpr int kAsteroids = 40067;
constexpr int kCometDetails = 301;
constexpr int kHorizon = 204;
constexpr int kGround = 109;
constexpr int kGrid = 205;
constexpr int kGridScale = 216;
constexpr int kOldChinese[] = {207, 208, 209};
constexpr int kCometCommand = 246;
constexpr int kHelpTopic = 28;
// Magnitude limits in tenths above 4.0: the catalogue reaches 9.5, the Guide Star Catalog 15.0.
constexpr int32_t kCatalogueLimit = 55;
constexpr int32_t kGscLimit = 110;

// The radios of a mode: the one at firstId + value stands for the value (ids without a radio
// are values that only the menus or files set).
struct RadioSet {
    int firstId;
    int count;
    Field field;
};
constexpr RadioSet kRadioSets[] = {
    {101, 4, &ViewState::Constella}, {111, 4, &ViewState::StarName}, {121, 5, &ViewState::Galaxy},
    {131, 4, &ViewState::Solar},     {141, 4, &ViewState::Comet},    {211, 4, &ViewState::Sekidou},
    {221, 4, &ViewState::Koudou},
};

struct BoxField {
    int id;
    Field field;
};
constexpr BoxField kBoxes[] = {
    {201, &ViewState::Line},         {202, &ViewState::Picture},
    {203, &ViewState::Kyoukai},      {kBrightAuto, &ViewState::BrightAuto},
    {40065, &ViewState::SeiunImage}, {kGuideStarCatalog, &ViewState::UseGsc},
    {206, &ViewState::Kisetu},       {210, &ViewState::KisetuName},
    {215, &ViewState::MilkyWay},     {207, &ViewState::ShukuLine},
    {208, &ViewState::ShukuName},    {209, &ViewState::ShukuStar},
    {kHorizon, &ViewState::Horizon}, {kGround, &ViewState::Jimen},
    {kGrid, &ViewState::Glid},       {kGridScale, &ViewState::GridScale},
    {117, &ViewState::Hakumei},
};

// The fields with controls of their own besides the radios and boxes.
constexpr Field kOtherFields[] = {&ViewState::AlphaMode, &ViewState::WakuseiLevel,
                                  &ViewState::DrawStars};

template <class Visit>
void ForEachField(Visit visit) {
    for (const RadioSet& set : kRadioSets)
        visit(set.field);
    for (const BoxField& box : kBoxes)
        visit(box.field);
    for (Field field : kOtherFields)
        visit(field);
}

bool SameFields(const ViewState& a, const ViewState& b) {
    bool same = true;
    ForEachField([&](Field field) { same = same && a.*field == b.*field; });
    return same;
}

int32_t AutoLimit(const ViewState& view) {
    return render::AutoStarLevelOf(view) - 40;
}

ViewState ShownOf(const ViewState& view) {
    ViewState shown = view;
    if (view.BrightAuto) shown.DrawStars = AutoLimit(view);
    return shown;
}

bool IsChecked(const QWidget& dialog, int id) {
    return FindControl<QAbstractButton>(dialog, id)->isChecked();
}

}  // namespace

QString StarLimitText(int32_t drawStars, bool gscInUse, std::span<const int> countByLevel) {
    const int whole = (drawStars + 40) / 10;
    const int tenth = drawStars % 10;
    if (gscInUse && drawStars >= kCatalogueLimit)
        return QString::asprintf("Mag%d.%1d GSC", whole, tenth);
    const auto level = static_cast<std::size_t>(drawStars + 40);
    const int count = level < countByLevel.size() ? countByLevel[level] : 0;
    return QString::asprintf("Mag%1d.%1d %6d", whole, tenth, count);
}

int32_t ReadStarLimit(const QString& text) {
    double tenths = 0.0;
    for (qsizetype p = 0; p < text.size() && tenths == 0.0; ++p)
        tenths = ReadTenths(text.mid(p));
    return static_cast<int32_t>(std::clamp(tenths - 40.0, -1e6, 1e6));
}

DisplayModeDialog::DisplayModeDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, kSlotScreen, tr("Display Mode")) {
    auto* layout = new QVBoxLayout(this);
    auto* columns = new QHBoxLayout;
    auto* first = new QVBoxLayout;
    first->addWidget(Group(tr("Constellation"), {{101, "None", true},
                                                 {102, "Popular", true},
                                                 {103, "Scientific", true},
                                                 {104, "Code", true},
                                                 {201, "&Line", false},
                                                 {202, "&Picture", false},
                                                 {203, "Boundary (&J)", false}}));
    first->addWidget(Group(tr("Star Label"), {{111, "None", true},
                                              {113, "Latin", true},
                                              {114, "Scientific", true},
                                              {kBayer, "Bayer", false},
                                              {kFlamsteed, "Flamsteed", false}}));
    first->addWidget(BuildStarLimit());
    first->addStretch();

    auto* second = new QVBoxLayout;
    second->addWidget(Group(tr("Deep Sky"), {{121, "None", true},
                                             {122, "Symbol", true},
                                             {123, "Popular", true},
                                             {124, "Messier", true},
                                             {125, "NGC", true},
                                             {40065, "Image", false}}));
    second->addWidget(Group(tr("Planet"), {{131, "None", true},
                                           {132, "Symbol", true},
                                           {134, "English", true},
                                           {kDwarfPlanets, "+Dwarf Planet", false},
                                           {kAsteroids, "+Asteroid", false}}));
    QGroupBox* comets =
        Group(tr("Comet"), {{141, "None", true}, {142, "Symbol", true}, {144, "English", true}});
    auto* details = WithId<QPushButton>(kCometDetails, tr("Comet &Details..."));
    details->setAutoDefault(false);
    connect(details, &QPushButton::clicked, this, [this] { this->host().Command(kCometCommand); });
    comets->layout()->addWidget(details);
    second->addWidget(comets);
    second->addStretch();

    auto* third = new QVBoxLayout;
    third->addWidget(
        Group(tr("Asterisms (&F)"),
              {{206, "Line", false}, {210, "Name", false}, {215, "Milky Way", false}}));
    third->addWidget(
        Group(tr("Old C&hinese"),
              {{207, "Line", false}, {208, "Constellation", false}, {209, "Star Label", false}}));
    third->addWidget(Group(QString(), {{kHorizon, "Hor&izon", false},
                                       {kGround, "Grou&nd", false},
                                       {kGrid, "G&rid", false},
                                       {kGridScale, "+Scale", false},
                                       {117, "T&wilight", false}}));
    third->addStretch();

    auto* fourth = new QVBoxLayout;
    fourth->addWidget(Group(tr("Equator"), {{211, "None", true},
                                            {212, "Equator", true},
                                            {213, "+Grid", true},
                                            {214, "+Scale", true}}));
    fourth->addWidget(Group(tr("Ecliptic"), {{221, "None", true},
                                             {222, "Ecliptic", true},
                                             {223, "+Grid", true},
                                             {224, "+Scale", true}}));
    fourth->addStretch();

    for (QVBoxLayout* column : {first, second, third, fourth})
        columns->addLayout(column);
    layout->addLayout(columns);
    layout->addLayout(ButtonRow(&program.options.KosinAutoScrn));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    Reload();
}

QGroupBox* DisplayModeDialog::Group(const QString& title, std::initializer_list<Item> items) {
    auto* group = new QGroupBox(title);
    auto* column = new QVBoxLayout(group);
    for (const Item& item : items) {
        QAbstractButton* button = item.radio
                                      ? static_cast<QAbstractButton*>(WithId<QRadioButton>(item.id))
                                      : WithId<QCheckBox>(item.id);
        button->setText(tr(item.text));
        connect(button, &QAbstractButton::clicked, this, [this, id = item.id] { Clicked(id); });
        column->addWidget(button);
    }
    return group;
}

QGroupBox* DisplayModeDialog::BuildStarLimit() {
    auto* group = new QGroupBox;
    auto* column = new QVBoxLayout(group);
    auto* label = new QLabel(tr("Number of &Stars"));
    const NumberWithBar pair = NumberFieldWithBar(kStarLimit, kStarLimitBar, 14);
    pair.field->setMaxLength(32);
    label->setBuddy(pair.field);
    connect(pair.field, &QLineEdit::editingFinished, this, [this] {
        ReadFields();
        Edited();
    });
    connect(pair.bar, &UpDownBar::Stepped, this, [this](int delta) {
        ReadFields();
        work_.DrawStars += delta;
        Edited();
    });
    column->addWidget(label);
    column->addLayout(pair.layout);
    for (const auto& [id, text] :
         {std::pair{kBrightAuto, "Auto"}, std::pair{kGuideStarCatalog, "G&uide Star Catalog"}}) {
        auto* box = WithId<QCheckBox>(id, tr(text));
        connect(box, &QCheckBox::clicked, this, [this, id] { Clicked(id); });
        column->addWidget(box);
    }
    return group;
}

bool DisplayModeDialog::GscInUse() const {
    const ViewState& view = program().view;
    return work_.UseGsc && view.GscAvailable && view.Zoom >= 500;
}

ViewState DisplayModeDialog::Shown() const {
    return ShownOf(program().view);
}

void DisplayModeDialog::Reload() {
    work_ = Shown();
    seen_ = work_;
    Refresh();
}

void DisplayModeDialog::ViewStateChanged() {
    ViewState shown = Shown();
    // The automatic limit follows the zoom without undoing the edits not yet applied.
    if (shown.BrightAuto && seen_.BrightAuto) shown.DrawStars = seen_.DrawStars;
    if (!SameFields(shown, seen_)) {
        Reload();
        return;
    }
    seen_ = Shown();
    Refresh();
}

void DisplayModeDialog::Clicked(int id) {
    if (id == kAsteroids && IsChecked(*this, kAsteroids))
        FindControl<QCheckBox>(*this, kDwarfPlanets)->setChecked(true);
    if ((id == kBayer || id == kFlamsteed) && !IsChecked(*this, kBayer) &&
        !IsChecked(*this, kFlamsteed))
        FindControl<QCheckBox>(*this, id)->setChecked(true);
    ReadFields();
    Edited();
}

void DisplayModeDialog::ReadFields() {
    // A control is read only when it no longer shows the working copy, so that values the
    // dialog has no control for (a label mode of the menus, a minor-body level between the
    // steps) stay as they are.
    for (const RadioSet& set : kRadioSets) {
        const int checked = CheckedRadio(*this, set.firstId, set.count);
        if (checked >= 0) work_.*set.field = checked;
    }
    for (const BoxField& box : kBoxes) {
        const bool checked = IsChecked(*this, box.id);
        if (checked != (work_.*box.field != 0)) work_.*box.field = checked ? 1 : 0;
    }
    const bool bayer = IsChecked(*this, kBayer);
    const bool flamsteed = IsChecked(*this, kFlamsteed);
    if (bayer != ((work_.AlphaMode & 1) != 0) || flamsteed != ((work_.AlphaMode & 2) != 0))
        work_.AlphaMode = (bayer ? 1 : 0) + (flamsteed ? 2 : 0);
    const bool dwarfs = IsChecked(*this, kDwarfPlanets);
    const bool asteroids = IsChecked(*this, kAsteroids);
    if (dwarfs != (work_.WakuseiLevel >= 3) || asteroids != (work_.WakuseiLevel >= 5))
        work_.WakuseiLevel = dwarfs ? (asteroids ? 5 : 3) : 2;
    const QString limit = FindControl<QLineEdit>(*this, kStarLimit)->text();
    if (limit != StarLimitText(work_.DrawStars, GscInUse(), host().Stars().countByLevel))
        work_.DrawStars = ReadStarLimit(limit);
}

void DisplayModeDialog::Edited() {
    Refresh();
    EditDone();
}

void DisplayModeDialog::Refresh() {
    if (work_.BrightAuto) {
        ViewState automatic = program().view;
        automatic.UseGsc = work_.UseGsc;
        work_.DrawStars = AutoLimit(automatic);
    }
    work_.DrawStars = std::clamp(work_.DrawStars, 0, GscInUse() ? kGscLimit : kCatalogueLimit);
    for (const RadioSet& set : kRadioSets)
        CheckRadio(*this, set.firstId, set.count, work_.*set.field);
    for (const BoxField& box : kBoxes)
        FindControl<QCheckBox>(*this, box.id)->setChecked(work_.*box.field != 0);
    FindControl<QCheckBox>(*this, kBayer)->setChecked((work_.AlphaMode & 1) != 0);
    FindControl<QCheckBox>(*this, kFlamsteed)->setChecked((work_.AlphaMode & 2) != 0);
    FindControl<QCheckBox>(*this, kDwarfPlanets)->setChecked(work_.WakuseiLevel >= 3);
    FindControl<QCheckBox>(*this, kAsteroids)->setChecked(work_.WakuseiLevel >= 5);
    SetTextIfChanged(FindControl<QLineEdit>(*this, kStarLimit),
                     StarLimitText(work_.DrawStars, GscInUse(), host().Stars().countByLevel));
    RefreshEnabling();
}

void DisplayModeDialog::RefreshEnabling() {
    const ViewState& view = program().view;
    FindControl(*this, kGround)->setEnabled(IsChecked(*this, kHorizon) && !view.SekidouMod);
    const bool manual = !IsChecked(*this, kBrightAuto);
    FindControl(*this, kStarLimit)->setEnabled(manual);
    FindControl(*this, kStarLimitBar)->setEnabled(manual);
    FindControl(*this, kGridScale)->setEnabled(IsChecked(*this, kGrid));
    for (int id : kOldChinese)
        FindControl(*this, id)->setEnabled(view.UnicodeText);
    FindControl(*this, kGuideStarCatalog)->setEnabled(view.GscAvailable);
}

void DisplayModeDialog::Apply() {
    ReadFields();
    Refresh();
    ViewState& view = program().view;
    if (SameFields(work_, Shown())) return;
    ForEachField([&](Field field) { view.*field = work_.*field; });
    program().narration.triggers.displayModeApplied = true;
    seen_ = Shown();
    host().ViewStateWritten();
}

void DisplayModeDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

}  // namespace dialogs
