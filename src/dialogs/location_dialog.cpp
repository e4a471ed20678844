#include "dialogs/location_dialog.h"

#include <cstring>

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "astro/city_lookup.h"
#include "astro/clock.h"
#include "astro/globe.h"
#include "dialogs/bitmaps.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/dialog_position.h"
#include "dialogs/earth_globe.h"
#include "platform/help.h"
#include "shell/program.h"
#include "shell/string_table.h"

namespace dialogs {
namespace {

constexpr int kHelpTopic = 29;
constexpr int kGlobeSize = 118;  // the largest globe (radius 56) and its margin

QString TextField(const char* field, std::size_t size) {
    return QString::fromUtf8(field, static_cast<qsizetype>(strnlen(field, size)));
}

std::vector<state::CityRecord> CitiesOf(const persist::DataSet& data) {
    const auto records = data.block(persist::BlockId::CITY).records<state::CityRecord>();
    std::vector<state::CityRecord> cities(records.count());
    for (std::size_t i = 0; i < cities.size(); ++i)
        cities[i] = records.at(i);
    return cities;
}

std::vector<persist::EarthTriple> CoastlinesOf(const persist::DataSet& data) {
    const auto records = data.block(persist::BlockId::EARTH).records<persist::EarthTriple>();
    std::vector<persist::EarthTriple> triples(records.count());
    for (std::size_t i = 0; i < triples.size(); ++i)
        triples[i] = records.at(i);
    return triples;
}

astro::GlobePlace WholeDegreesOf(const Place& place) {
    return {astro::WholeDegrees(place.latitude), astro::WholeDegrees(place.longitude)};
}

// Letters that keep no accent to drop: they are spelt out.
constexpr std::pair<char16_t, const char*> kSpeltOut[] = {
    {u'ø', "o"}, {u'æ', "ae"}, {u'œ', "oe"}, {u'ß', "ss"}, {u'đ', "d"},
    {u'ł', "l"}, {u'ı', "i"},  {u'þ', "th"}, {u'ð', "d"},  {u'’', "'"}};

// Whether the word begins one of the words of the text.
bool BeginsAWord(const QString& text, const QString& word) {
    for (qsizetype at = text.indexOf(word); at >= 0; at = text.indexOf(word, at + 1))
        if (at == 0 || !text[at - 1].isLetterOrNumber()) return true;
    return false;
}

}  // namespace

QString CityEntryText(const state::CityRecord& city) {
    const QString name = TextField(city.name, sizeof city.name);
    const QString country = TextField(city.country, sizeof city.country);
    if (name.isEmpty() || country.isEmpty()) return country + name;
    return country + QStringLiteral(" : ") + name;
}

QString SearchFolded(const QString& text) {
    QString folded;
    for (QChar c : text.toCaseFolded().normalized(QString::NormalizationForm_KD)) {
        if (c.category() == QChar::Mark_NonSpacing) continue;
        const auto spelt = std::find_if(std::begin(kSpeltOut), std::end(kSpeltOut),
                                        [c](const auto& entry) { return entry.first == c; });
        if (spelt != std::end(kSpeltOut)) {
            folded += QLatin1String(spelt->second);
        } else {
            folded += c;
        }
    }
    return folded;
}

LocationDialog::LocationDialog(shell::Program& program, DialogHost& host)
    : ModelessDialog(program, host, kSlotCity, tr("Location")), cities_(CitiesOf(program.data)) {
    searchKeys_.reserve(cities_.size());
    for (const state::CityRecord& city : cities_)
        searchKeys_.push_back(SearchFolded(CityEntryText(city)));

    auto* columns = new QHBoxLayout;
    columns->addLayout(BuildCityColumn(), 1);
    columns->addLayout(BuildPlaceColumn());
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addLayout(ButtonRow(&program.options.KosinAutoCity));
    connect(FindControl<QPushButton>(*this, kIdAutoApply), &QPushButton::toggled, this,
            [this](bool on) {
                if (on) EditDone();
            });
    FillList();
    Reload();
}

QLayout* LocationDialog::BuildCityColumn() {
    auto* column = new QVBoxLayout;
    auto* searchRow = new QHBoxLayout;
    search_ = WithId<QLineEdit>(kCitySearch);
    search_->setPlaceholderText(tr("City or country"));
    search_->setClearButtonEnabled(true);
    search_->installEventFilter(this);
    auto* searchLabel = new QLabel(tr("&Search"));
    searchLabel->setBuddy(search_);
    searchRow->addWidget(searchLabel);
    searchRow->addWidget(search_, 1);
    column->addLayout(searchRow);
    connect(search_, &QLineEdit::textChanged, this, [this](const QString& text) {
        filter_ = SearchFolded(text).simplified();
        FillList();
        RefreshSelection();
    });

    list_ = WithId<QListWidget>(kCityList);
    list_->setUniformItemSizes(true);
    list_->setMinimumSize(fontMetrics().horizontalAdvance(QLatin1Char('x')) * 40, 260);
    connect(list_, &QListWidget::itemSelectionChanged, this, &LocationDialog::CityChosen);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!closing()) Apply();
            },
            Qt::QueuedConnection);
    });
    column->addWidget(list_, 1);
    return column;
}

QLayout* LocationDialog::BuildPlaceColumn() {
    auto* column = new QVBoxLayout;
    globe_ = new EarthGlobe(MakeGlobeMap(LoadBitmapResource("B_EARTHMAP")),
                            CoastlinesOf(program().data));
    globe_->setObjectName(QString::number(kGlobe));
    globe_->setFixedSize(kGlobeSize, kGlobeSize);
    connect(globe_, &EarthGlobe::Dragged, this, [this](astro::GlobePlace centre) {
        PlaceChanged({centre.latitude * 10, centre.longitude * 10, work_.place.zone});
    });
    connect(globe_, &EarthGlobe::Released, this, &LocationDialog::EditDone);
    connect(globe_, &EarthGlobe::Picked, this, [this](astro::GlobePlace place) {
        PlaceChanged({place.latitude * 10, place.longitude * 10, work_.place.zone});
        EditDone();
    });

    auto* globeRow = new QHBoxLayout;
    globeRow->addWidget(globe_);
    auto* switches = new QVBoxLayout;
    for (const auto& [id, text, option] :
         {std::tuple{kZoomEarth, "&Zoom", &state::AppOptions::ZoomEarth},
          std::tuple{kFrameEarth, "&Frame", &state::AppOptions::FrameEarth}}) {
        auto* button = WithId<QPushButton>(id, tr(text));
        button->setCheckable(true);
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, option] {
            int32_t& value = program().options.*option;
            value = value ? 0 : 1;
            Refresh();
        });
        switches->addWidget(button);
    }
    switches->addStretch();
    globeRow->addLayout(switches);
    column->addLayout(globeRow);

    const PlaceFields fields = MakePlaceFields();
    for (QLineEdit* field : {fields.latitude.field, fields.longitude.field, fields.zone.field}) {
        connect(field, &QLineEdit::editingFinished, this, [this] {
            ReadFields();
            Refresh();
            EditDone();
        });
    }
    for (const NumberWithBar& pair : {fields.latitude, fields.longitude, fields.zone}) {
        const int bar = pair.bar->objectName().toInt();
        connect(pair.bar, &UpDownBar::Stepped, this, [this, bar](int delta) { Step(bar, delta); });
    }
    column->addLayout(fields.grid);

    auto* nearest = WithId<QPushButton>(kSelectNearest, tr("Select the &Nearest"));
    nearest->setAutoDefault(false);
    connect(nearest, &QPushButton::clicked, this, &LocationDialog::SelectNearest);
    column->addWidget(nearest);
    column->addStretch();
    return column;
}

void LocationDialog::Reload() {
    const state::ViewState& view = program().view;
    work_ = {{view.Ido2, view.Keido2, view.TimeZone}, view.CurrentCity};
    loaded_ = work_;
    Refresh();
}

void LocationDialog::ViewStateChanged() {
    const state::ViewState& view = program().view;
    if (LocationWork{{view.Ido2, view.Keido2, view.TimeZone}, view.CurrentCity} != loaded_)
        Reload();
}

void LocationDialog::ReadFields() {
    work_.place = ReadPlaceFields(*this);
    LookUpCity();
}

void LocationDialog::LookUpCity() {
    const Place& p = work_.place;
    work_.city = astro::FindBuiltinCity(cities_, p.latitude, p.longitude, p.zone);
    if (work_.city < 0)
        work_.city = astro::FindCity(cities_, program().options, p.latitude, p.longitude, p.zone);
}

void LocationDialog::PlaceChanged(const Place& place) {
    work_.place = HeldPlace(place);
    LookUpCity();
    Refresh();
}

void LocationDialog::CityChosen() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) return;
    const int city = selected.first()->data(Qt::UserRole).toInt();
    const state::CityRecord& record = cities_[static_cast<std::size_t>(city)];
    work_.place = {record.latitude, record.longitude, record.zone};
    work_.city = city;
    Refresh();
    EditDone();
}

void LocationDialog::Step(int bar, int delta) {
    ReadFields();
    Place place = work_.place;
    // Latitude and longitude step from the nearest whole degree; up is north, east (which
    // counts down) and one hour more.
    if (bar == kLatitudeBar) place.latitude = (astro::WholeDegrees(place.latitude) + delta) * 10;
    if (bar == kLongitudeBar) place.longitude = (astro::WholeDegrees(place.longitude) - delta) * 10;
    if (bar == kZoneBar) place.zone += 60 * delta;
    PlaceChanged(place);
    EditDone();
}

void LocationDialog::SelectNearest() {
    const int32_t city = astro::NearestCity(cities_, work_.place.latitude, work_.place.longitude);
    if (city < 0) return;
    const state::CityRecord& record = cities_[static_cast<std::size_t>(city)];
    work_.place = {record.latitude, record.longitude, record.zone};
    work_.city = city;
    Refresh();
    EditDone();
}

void LocationDialog::FillList() {
    const QSignalBlocker blocker(list_);
    list_->clear();
    rowOfCity_.assign(cities_.size(), -1);
    const QStringList words = filter_.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    int row = 0;
    for (std::size_t i = 0; i < cities_.size(); ++i) {
        const bool shown = std::all_of(words.begin(), words.end(), [&](const QString& word) {
            return BeginsAWord(searchKeys_[i], word);
        });
        if (!shown) continue;
        auto* item = new QListWidgetItem(CityEntryText(cities_[i]), list_);
        item->setData(Qt::UserRole, static_cast<int>(i));
        rowOfCity_[i] = row++;
    }
}

void LocationDialog::Refresh() {
    work_.place = HeldPlace(work_.place);
    ShowPlaceFields(*this, work_.place);
    RefreshSelection();
    const state::AppOptions& options = program().options;
    FindControl<QPushButton>(*this, kZoomEarth)->setChecked(options.ZoomEarth != 0);
    FindControl<QPushButton>(*this, kFrameEarth)->setChecked(options.FrameEarth != 0);
    globe_->SetLook({WholeDegreesOf(work_.place), options.ZoomEarth != 0, options.FrameEarth != 0});
}

void LocationDialog::RefreshSelection() {
    const bool listed = work_.city >= 0 && work_.city < static_cast<int32_t>(cities_.size());
    const int row = listed ? rowOfCity_[static_cast<std::size_t>(work_.city)] : -1;
    const QSignalBlocker blocker(list_);
    if (row < 0) {
        list_->clearSelection();
        list_->setCurrentItem(nullptr);
        return;
    }
    if (list_->currentRow() == row && list_->item(row)->isSelected()) return;
    list_->setCurrentRow(row);
    list_->scrollToItem(list_->item(row), QAbstractItemView::PositionAtCenter);
}

void LocationDialog::Apply() {
    ReadFields();
    Refresh();
    state::ViewState& view = program().view;
    const Place& place = work_.place;
    if (place == Place{view.Ido2, view.Keido2, view.TimeZone}) return;
    // In Local Time the clock moves to the new zone, so the moment shown stays the same.
    if (view.Keisanji == astro::kLocalTime) {
        view.clock.minute += place.zone - view.TimeZone;
        astro::NormalizeClock(view.clock);
    }
    view.Ido2 = place.latitude;
    view.Keido2 = place.longitude;
    view.TimeZone = place.zone;
    view.CurrentCity = work_.city;
    program().narration.triggers.locationChanged = true;
    loaded_ = work_;
    host().ViewStateWritten();
}

void LocationDialog::Help() {
    platform::OpenHelpTopic(shell::LoadString(kHelpTopic));
}

void LocationDialog::showEvent(QShowEvent* event) {
    ModelessDialog::showEvent(event);
    // The list has its size only now: the chosen city comes to its middle.
    if (QListWidgetItem* item = list_->currentItem())
        list_->scrollToItem(item, QAbstractItemView::PositionAtCenter);
}

bool LocationDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched != search_ || event->type() != QEvent::KeyPress)
        return ModelessDialog::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        // Enter takes the first city found rather than closing the dialog.
        if (list_->count() > 0) list_->setCurrentRow(0);
        return true;
    }
    if (key == Qt::Key_Down && list_->count() > 0) {
        list_->setFocus();
        if (list_->currentRow() < 0) list_->setCurrentRow(0);
        return true;
    }
    return false;
}

}  // namespace dialogs
