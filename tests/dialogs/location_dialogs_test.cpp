// The location dialog and the user location dialogs on a real main window with the data set's
// city list, globe map and coastlines: reading typed places, the search, the bars, the nearest
// city, the globe, applying a place, and adding, reordering and editing user locations.

#include "astro/city_lookup.h"
#include "dialogs/earth_globe.h"
#include "dialogs/location_dialog.h"
#include "dialogs/up_down_bar.h"
#include "dialogs/user_city_dialogs.h"
#include "persist/profile.h"
#include "state/user_city.h"
#include "window_fixture.h"

using namespace dialogs;
using namespace fixture;

class LocationDialogsTest : public QObject, MainWindowFixture {
    Q_OBJECT

    LocationDialog* Open() {
        return MainWindowFixture::Open<LocationDialog>(134, DialogKind::City);
    }
    static QStringList Entries(const QListWidget* list) {
        QStringList entries;
        for (int i = 0; i < list->count(); ++i)
            entries << list->item(i)->text();
        return entries;
    }
    static state::CityRecord UserCity(const char* name, int16_t place) {
        state::CityRecord city;
        state::SetUserCityName(city, name);
        city.latitude = city.longitude = place;
        city.zone = static_cast<int16_t>(place * 6 / 10);
        return city;
    }

  private slots:
    void init() {
        NewProgram();
        LoadDataSet();
        program->view.clock = {2000, 1, 15, 10, 30};
        ShowWindow(BlackSky());
    }
    void cleanup() { CloseAll(); }

    void typedPlacesAreReadHeldAndShown() {
        const std::tuple<int32_t (*)(const QString&), const char*, int32_t> cases[] = {
            {ReadLongitude, "74W", 740},
            {ReadLongitude, "74E", -740},
            {ReadLongitude, "190W", -1700},
            {ReadLongitude, "99999e", 810},
            {ReadLatitude, "41.5S", -415},
            {ReadLatitude, "95N", 900},
            {ReadLatitude, " 41.5\u00B0N", 415},
            {ReadLatitude, "1e300", 900},
            {ReadLatitude, "north", 0},
            {ReadLatitude, "", 0},
            {ReadZone, "+13:30", 780},
            {ReadZone, "-5:30", -330},
            {ReadZone, "5:45", 345},
            {ReadZone, "-99999999", -660}};
        for (const auto& [read, typed, expected] : cases)
            QCOMPARE(read(QString::fromUtf8(typed)), expected);
        QCOMPARE(QStringList({LatitudeText(0), LatitudeText(415), LongitudeText(-1700),
                              TimeDifferenceText(-330)}),
                 QStringList({QString::fromUtf8("  0.0\u00B0S"), QString::fromUtf8(" 41.5\u00B0N"),
                              QString::fromUtf8("170.0\u00B0E"), "-05:30"}));
    }

    void searchNarrowsTheListAsOneTypes() {
        LocationDialog* dialog = Open();
        auto* list = FindControl<QListWidget>(*dialog, kCityList);
        const int all = list->count();
        QCOMPARE(all, static_cast<int>(program->data.cityCount));
        // What is typed, a city found, and one left out: no word of it begins with what was typed.
        const std::tuple<const char*, const char*, const char*> cases[] = {
            {"kathm", "Nepal : Kathmandu", "Australia : Katherine"},
            {"sao", "Brazil : S\u00E3o Lu\u00EDs", "Algeria : Hassi Messaoud"},
            {"  JAPAN tok ", "Japan : Tokyo", "Japan : Tottori"},
            {"k\u00F8benhavn", "Denmark : K\u00F8benhavn", ""}};
        for (const auto& [typed, found, left] : cases) {
            FindControl<QLineEdit>(*dialog, kCitySearch)->setText(QString::fromUtf8(typed));
            const QStringList entries = Entries(list);
            QVERIFY2(entries.contains(QString::fromUtf8(found)) &&
                         !entries.contains(QString::fromUtf8(left)) && entries.size() < 20,
                     typed);
        }
        // Enter takes the first city found; the list keeps its order when the search is gone.
        QTest::keyClick(FindControl<QLineEdit>(*dialog, kCitySearch), Qt::Key_Return);
        QVERIFY(dialog->isVisible());
        const int32_t tokyo = list->currentItem()->data(Qt::UserRole).toInt();
        QCOMPARE(dialog->work().city, tokyo);
        FindControl<QLineEdit>(*dialog, kCitySearch)->clear();
        QCOMPARE(std::pair(list->count(), list->currentRow()), std::pair(all, tokyo));
    }

    void applyingKeepsTheMomentInLocalTime_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<state::CivilClock>("clock");
        QTest::newRow("local time: 14 hours on") << 0 << state::CivilClock{2000, 1, 16, 0, 30};
        QTest::newRow("greenwich time") << 1 << state::CivilClock{2000, 1, 15, 10, 30};
    }
    void applyingKeepsTheMomentInLocalTime() {
        QFETCH(int, mode);
        QFETCH(state::CivilClock, clock);
        program->view.Keisanji = mode;
        LocationDialog* dialog = Open();
        FindControl<QLineEdit>(*dialog, kCitySearch)->setText(QStringLiteral("tokyo"));
        QTest::keyClick(FindControl<QLineEdit>(*dialog, kCitySearch), Qt::Key_Return);
        QCOMPARE(program->view.TimeZone, -300);  // not yet applied
        Click(dialog, kIdApply);
        const auto& view = program->view;
        QCOMPARE(std::tuple(view.TimeZone, view.clock, view.CurrentCity),
                 std::tuple(540, clock, dialog->work().city));
        QVERIFY(program->narration.triggers.locationChanged &&
                window->statusPanes()->texts()[0].starts_with("Tokyo / Japan"));
    }

    void barsStepFromTheNearestWholeDegree() {
        LocationDialog* dialog = Open();
        const std::tuple<int, const char*, int, int, Place> cases[] = {
            {kLatitudeField, "41.5S", kLatitudeBar, 1, {-400, 740, -300}},
            {kLatitudeField, "89.6N", kLatitudeBar, 1, {900, 740, -300}},
            {kLongitudeField, "179.7E", kLongitudeBar, 1, {900, 1790, -300}},
            {kZoneField, "+12:45", kZoneBar, 1, {900, 1790, 780}},
            {kZoneField, "+5:45", kZoneBar, -1, {900, 1790, 285}}};
        for (const auto& [field, typed, bar, delta, expected] : cases) {
            FindControl<QLineEdit>(*dialog, field)->setText(QString::fromLatin1(typed));
            emit FindControl<UpDownBar>(*dialog, bar)->Stepped(delta);
            QCOMPARE(dialog->work().place, expected);
        }
        QCOMPARE(program->view.Ido2, 410);  // Auto Apply is off
    }

    void nearestCityAndTheGlobe() {
        program->options.KosinAutoCity = 1;
        LocationDialog* dialog = Open();
        Type(dialog, kLatitudeField, QStringLiteral("35.2N"));
        Type(dialog, kLongitudeField, QStringLiteral("139.1E"));
        FindControl<QPushButton>(*dialog, kSelectNearest)->click();
        const LocationWork nearest = dialog->work();
        QCOMPARE(FindControl<QListWidget>(*dialog, kCityList)->currentItem()->text(),
                 QStringLiteral("Japan : Yokohama"));  // 35N 140E: nearer than Hachioji, 36N 139E
        QCOMPARE(nearest.place, (Place{350, -1400, 540}));
        QTRY_COMPARE(program->view.CurrentCity, nearest.city);  // Auto Apply

        // A drag keeps the grabbed place under the mouse, to the nearest degree.
        EarthGlobe& globe = dialog->globe();
        const QPoint from(50, 70), to(80, 45);
        const astro::GlobePlace grabbed = astro::PlaceAtPixel(globe.View(), from.x(), from.y());
        QTest::mousePress(&globe, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 6; ++step)
            MoveMouse(&globe, from + (to - from) * step / 6, Qt::LeftButton);
        QTest::mouseRelease(&globe, Qt::LeftButton, {}, to);
        const astro::GlobePlace under = astro::PlaceAtPixel(globe.View(), to.x(), to.y());
        QVERIFY(std::abs(under.latitude - grabbed.latitude) <= 1 &&
                std::abs(under.longitude - grabbed.longitude) <= 1);
        QCOMPARE(astro::WholeDegrees(dialog->work().place.latitude), globe.look().centre.latitude);
        QTRY_COMPARE(program->view.Ido2, dialog->work().place.latitude);

        // A double click picks the place under it; Zoom and Frame switch the picture.
        QTest::mouseDClick(&globe, Qt::LeftButton, {}, QPoint(59, 59));
        QCOMPARE(dialog->work().place.latitude, globe.look().centre.latitude * 10);
        const QImage map = globe.grab().toImage();
        FindControl<QPushButton>(*dialog, kFrameEarth)->click();
        FindControl<QPushButton>(*dialog, kZoomEarth)->click();
        QCOMPARE(std::pair(program->options.FrameEarth, program->options.ZoomEarth),
                 std::pair(1, 1));
        const QImage coastlines = globe.grab().toImage();
        // The cross over the map in grey; the coastlines grey on black.
        QCOMPARE(std::tuple(map.allGray(), map.pixel(59, 59), coastlines.allGray(),
                            coastlines.pixel(0, 0), coastlines == map),
                 std::tuple(false, qRgb(128, 128, 128), true, qRgb(0, 0, 0), false));
    }

    void userLocationsAreAddedAndRefused() {
        auto& view = program->view;
        std::tie(view.Ido2, view.Keido2, view.TimeZone) = std::tuple(277, -853, 345);  // Kathmandu
        OnModal([](QDialog& property) {
            QCOMPARE(FindControl<QLineEdit>(property, kUserCityName)->text(),
                     QStringLiteral("Name / Country"));
            FindControl<QLineEdit>(property, kUserCityName)->setText(QString(70, u'\u00E9'));
            property.accept();
        });
        window->Command(105);
        QCOMPARE(std::pair(program->options.UserCitys, view.CurrentCity),
                 std::pair(1, astro::kUserCityBase));
        const std::string name = state::UserCityName(program->options.userCities[0]);
        // 63 bytes at most.
        QCOMPARE(
            QStringList({QString::fromStdString(name), window->menus().FirstAction(2111)->text()}),
            QStringList(2, QString(31, u'\u00E9')));
        const auto saved = persist::Profile::Load(persist::BareSettingsPath());
        QCOMPARE(saved.Find("Tavilo Pro v7", "UserCitys"), std::optional<std::string>("1"));

        // The same place again is refused, and the dialog stays open for another try.
        bool stayed = false;
        OnModal([&stayed](QDialog& property) {
            property.accept();
            stayed = property.isVisible();
        });
        window->Command(105);
        QVERIFY(stayed);
        QCOMPARE(messages.back().text,
                 std::string("The Observation Location is in the list already."));
        QCOMPARE(program->options.UserCitys, 1);
    }

    void listOfUserLocationsIsReorderedAndEdited() {
        auto& options = program->options;
        options.UserCitys = 3;
        for (int i = 0; i < 3; ++i)
            options.userCities[i] = UserCity(i == 0 ? "A" : i == 1 ? "B" : "C", 100 * (i + 1));
        UserCityListDialog dialog(options, window.get());
        auto* list = FindControl<QListWidget>(dialog, kUserCityList);
        const std::tuple<int, void (UserCityListDialog::*)(), const char*, int> cases[] = {
            {1, &UserCityListDialog::MoveUp, "BAC", 0},
            {0, &UserCityListDialog::MoveUp, "BAC", 0},  // the first stays
            {0, &UserCityListDialog::MoveDown, "ABC", 1},
            {2, &UserCityListDialog::MoveDown, "ABC", 2},  // the last stays
            {2, &UserCityListDialog::Delete, "AB", 1},     // the new last is selected
        };
        for (const auto& [row, action, names, selected] : cases) {
            list->setCurrentRow(row);
            (dialog.*action)();
            QCOMPARE(std::pair(Entries(list).join(QString()), list->currentRow()),
                     std::pair(QString::fromLatin1(names), selected));
        }
        // Its own place is no duplicate, though the entry moved; another entry's place is.
        list->setCurrentRow(1);
        dialog.MoveUp();
        OnModal([](QDialog& property) { property.accept(); });
        dialog.OpenProperty();
        QVERIFY(messages.empty());
        list->setCurrentRow(1);
        OnModal([](QDialog& property) {
            Type(&property, kLatitudeField, QStringLiteral("20N"));
            Type(&property, kLongitudeField, QStringLiteral("20W"));
            Type(&property, kZoneField, QStringLiteral("2"));
            property.accept();  // refused: the fixture closes it
        });
        dialog.OpenProperty();
        QVERIFY(messages.size() == 1 && dialog.records()[1].latitude == 100);

        // OK from the main window takes the list over and rebuilds the menu.
        OnModal([](QDialog& edit) {
            FindControl<QListWidget>(edit, kUserCityList)->setCurrentRow(0);
            static_cast<UserCityListDialog&>(edit).Delete();
            edit.accept();
        });
        window->Command(106);
        QCOMPARE(std::tuple(options.UserCitys, window->menus().FirstAction(2111)->text(),
                            window->menus().FirstAction(2113) == nullptr),
                 std::tuple(2, QString("B"), true));
    }
};

QTEST_MAIN(LocationDialogsTest)
#include "location_dialogs_test.moc"
