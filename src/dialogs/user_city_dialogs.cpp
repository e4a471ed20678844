#include "dialogs/user_city_dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QVBoxLayout>

#include "astro/city_lookup.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/location_fields.h"
#include "platform/help.h"
#include "render/text_formats.h"
#include "shell/program.h"
#include "shell/string_table.h"
#include "state/messages.h"
#include "state/user_city.h"

namespace dialogs {
namespace {

constexpr int kDuplicateMessage = 4;
constexpr int kListFullMessage = 11;
constexpr int kUnnamedPlace = 12;
constexpr int kListHelpTopic = 31;
constexpr int kPropertyHelpTopic = 32;

void Refuse(int message) {
    state::ShowMessage({shell::LoadString(message), "", state::MessageIcon::Exclamation,
                        state::MessageButtons::Ok});
}

void AddHelpKey(QDialog& dialog, int topic) {
    auto* help = new QShortcut(QKeySequence::HelpContents, &dialog);
    QObject::connect(help, &QShortcut::activated, &dialog,
                     [topic] { platform::OpenHelpTopic(shell::LoadString(topic)); });
}

QDialogButtonBox* OkCancel(QDialog& dialog) {
    auto* buttons = new QDialogButtonBox;
    auto* ok = WithId<QPushButton>(1, QObject::tr("OK"));
    auto* cancel = WithId<QPushButton>(2, QObject::tr("Cancel"));
    ok->setDefault(true);
    buttons->addButton(ok, QDialogButtonBox::AcceptRole);
    buttons->addButton(cancel, QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    return buttons;
}

// The name a new user location starts with: the current city's, else a hint to type one.
std::string PlaceName(const shell::Program& program, std::span<const state::CityRecord> cities) {
    const int32_t city = program.view.CurrentCity;
    const int32_t user = city - astro::kUserCityBase;
    if (city >= 0 && city < static_cast<int32_t>(cities.size()))
        return render::CityNameText(cities[static_cast<std::size_t>(city)]);
    if (user >= 0 && user < program.options.UserCitys && user < state::kUserCityLimit)
        return state::UserCityName(program.options.userCities[static_cast<std::size_t>(user)]);
    return shell::LoadString(kUnnamedPlace);
}

}  // namespace

UserCityDialog::UserCityDialog(const state::CityRecord& record,
                               std::span<const state::CityRecord> list, QWidget* parent)
    : QDialog(parent), record_(record), list_(list) {
    setWindowTitle(tr("Property of User Location"));
    auto* name = WithId<QLineEdit>(kUserCityName);
    name->setMaxLength(state::kUserCityNameCharacters);
    name->setMinimumWidth(name->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 36);
    name->setText(QString::fromStdString(state::UserCityName(record_)));
    auto* nameLabel = new QLabel(tr("&Name"));
    nameLabel->setBuddy(name);

    const PlaceFields fields = MakePlaceFields();
    for (QLineEdit* field : {fields.latitude.field, fields.longitude.field, fields.zone.field}) {
        connect(field, &QLineEdit::editingFinished, this, [this] {
            ReadFields();
            ShowFields();
        });
    }
    for (const NumberWithBar& pair : {fields.latitude, fields.longitude, fields.zone}) {
        const int bar = pair.bar->objectName().toInt();
        connect(pair.bar, &UpDownBar::Stepped, this, [this, bar](int delta) { Step(bar, delta); });
    }

    auto* layout = new QVBoxLayout(this);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name, 1);
    layout->addLayout(nameRow);
    layout->addLayout(fields.grid);
    layout->addWidget(OkCancel(*this));
    layout->setSizeConstraint(QLayout::SetFixedSize);
    AddHelpKey(*this, kPropertyHelpTopic);
    ShowFields();
}

void UserCityDialog::ReadFields() {
    const Place place = ReadPlaceFields(*this);
    record_.latitude = static_cast<int16_t>(place.latitude);
    record_.longitude = static_cast<int16_t>(place.longitude);
    record_.zone = static_cast<int16_t>(place.zone);
    state::SetUserCityName(record_,
                           FindControl<QLineEdit>(*this, kUserCityName)->text().toStdString());
}

void UserCityDialog::ShowFields() {
    const Place place = HeldPlace({record_.latitude, record_.longitude, record_.zone});
    record_.latitude = static_cast<int16_t>(place.latitude);
    record_.longitude = static_cast<int16_t>(place.longitude);
    record_.zone = static_cast<int16_t>(place.zone);
    ShowPlaceFields(*this, place);
}

void UserCityDialog::Step(int bar, int delta) {
    ReadFields();
    // A tenth of a degree north or east (which counts down), or an hour.
    if (bar == kLatitudeBar) record_.latitude = static_cast<int16_t>(record_.latitude + delta);
    if (bar == kLongitudeBar) record_.longitude = static_cast<int16_t>(record_.longitude - delta);
    if (bar == kZoneBar) record_.zone = static_cast<int16_t>(record_.zone + 60 * delta);
    ShowFields();
}

void UserCityDialog::accept() {
    ReadFields();
    ShowFields();
    const int32_t found =
        astro::FindUserCity(list_, record_.latitude, record_.longitude, record_.zone);
    if (found >= 0 && found != state::EditIndexOf(record_)) {
        Refuse(kDuplicateMessage);
        return;
    }
    QDialog::accept();
}

UserCityListDialog::UserCityListDialog(const state::AppOptions& options, QWidget* parent)
    : QDialog(parent),
      records_(options.userCities),
      count_(std::clamp(options.UserCitys, 0, state::kUserCityLimit)) {
    setWindowTitle(tr("Edit User Location"));
    auto* list = WithId<QListWidget>(kUserCityList);
    list->setMinimumWidth(list->fontMetrics().horizontalAdvance(QLatin1Char('x')) * 36);
    connect(list, &QListWidget::itemDoubleClicked, this, &UserCityListDialog::OpenProperty);

    auto* buttons = new QVBoxLayout;
    const struct {
        int id;
        const char* text;
        void (UserCityListDialog::*action)();
    } actions[] = {{kUserCityUp, "&Up", &UserCityListDialog::MoveUp},
                   {kUserCityDown, "D&own", &UserCityListDialog::MoveDown},
                   {kUserCityDelete, "&Delete", &UserCityListDialog::Delete},
                   {kUserCityProperty, "&Property", &UserCityListDialog::OpenProperty}};
    for (const auto& action : actions) {
        auto* button = WithId<QPushButton>(action.id, tr(action.text));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action.action);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* columns = new QHBoxLayout;
    columns->addWidget(list, 1);
    columns->addLayout(buttons);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(OkCancel(*this));
    AddHelpKey(*this, kListHelpTopic);
    FillList(0);
}

void UserCityListDialog::FillList(int selected) {
    auto* list = FindControl<QListWidget>(*this, kUserCityList);
    const int scrolled = list->verticalScrollBar()->value();
    list->clear();
    for (int i = 0; i < count_; ++i)
        list->addItem(QString::fromStdString(state::UserCityName(records_[i])));
    list->verticalScrollBar()->setValue(scrolled);
    if (selected >= 0 && selected < count_) list->setCurrentRow(selected);
}

void UserCityListDialog::Swap(int direction) {
    const int row = FindControl<QListWidget>(*this, kUserCityList)->currentRow();
    const int other = row + direction;
    if (row < 0 || other < 0 || other >= count_) return;
    std::swap(records_[row], records_[other]);
    FillList(other);
}

void UserCityListDialog::Delete() {
    const int row = FindControl<QListWidget>(*this, kUserCityList)->currentRow();
    if (row < 0 || row >= count_) return;
    std::move(records_.begin() + row + 1, records_.begin() + count_, records_.begin() + row);
    records_[--count_] = state::CityRecord{};
    FillList(std::min(row, count_ - 1));
}

void UserCityListDialog::OpenProperty() {
    const int row = FindControl<QListWidget>(*this, kUserCityList)->currentRow();
    if (row < 0 || row >= count_) return;
    state::EditIndexOf(records_[row]) = static_cast<uint8_t>(row);
    UserCityDialog property(records_[row], std::span(records_).first(count_), this);
    if (property.exec() != QDialog::Accepted) return;
    records_[row] = property.record();
    FillList(row);
}

bool AddUserCity(shell::Program& program, std::span<const state::CityRecord> cities,
                 QWidget* parent) {
    state::AppOptions& options = program.options;
    const int count = std::clamp(options.UserCitys, 0, state::kUserCityLimit);
    if (count >= state::kUserCityLimit) {
        Refuse(kListFullMessage);
        return false;
    }
    state::CityRecord record;
    state::SetUserCityName(record, PlaceName(program, cities));
    record.latitude = static_cast<int16_t>(HeldLatitude(program.view.Ido2));
    record.longitude = static_cast<int16_t>(NormalLongitude(program.view.Keido2));
    record.zone = static_cast<int16_t>(HeldZone(program.view.TimeZone));
    record.unitMarker = 10;
    state::EditIndexOf(record) = state::kNewUserCity;
    UserCityDialog property(record, std::span(options.userCities).first(count), parent);
    if (property.exec() != QDialog::Accepted) return false;
    options.userCities[count] = property.record();
    options.UserCitys = count + 1;
    return true;
}

bool EditUserCities(shell::Program& program, QWidget* parent) {
    UserCityListDialog list(program.options, parent);
    if (list.exec() != QDialog::Accepted) return false;
    program.options.userCities = list.records();
    program.options.UserCitys = list.count();
    return true;
}

}  // namespace dialogs
