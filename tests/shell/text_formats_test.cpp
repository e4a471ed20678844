// The shared date, time, zone and location texts, and the string table they draw on.
#include <QtTest>

#include <cstring>

#include "shell/string_table.h"
#include "shell/text_formats.h"

namespace {

state::CityRecord City(const char* name, const char* country) {
    state::CityRecord city;
    std::strncpy(city.name, name, sizeof city.name);
    std::strncpy(city.country, country, sizeof city.country);
    return city;
}

}  // namespace

class TextFormatsTest : public QObject {
    Q_OBJECT
  private slots:
    void zonesShowHoursAndMinutes() {
        QCOMPARE(shell::ZoneText(-210), std::string("GMT-3:30"));
        QCOMPARE(shell::ZoneText(0), std::string("GMT+0"));
        QCOMPARE(shell::ZoneText(330), std::string("GMT+5:30"));
        QCOMPARE(shell::ZoneText(-300), std::string("GMT-5"));
        QCOMPARE(shell::ZoneText(-30), std::string("GMT-0:30"));
    }

    void zoneFollowsTheTimeModeAndDaylightSaving() {
        state::ViewState view;
        view.TimeZone = -300;
        view.SystemZone = 540;
        view.Keisanji = 0;
        QCOMPARE(shell::ZoneText(view), std::string("GMT-5"));
        view.Dst = 1;
        QCOMPARE(shell::ZoneText(view), std::string("GMT-4"));
        view.Keisanji = 1;
        QCOMPARE(shell::ZoneText(view), std::string("GMT+1"));
        view.Keisanji = 3;
        view.Dst = 0;
        QCOMPARE(shell::ZoneText(view), std::string("GMT+9"));
    }

    void datesAndTimes() {
        QCOMPARE(shell::DateText({2026, 12, 6, 18, 5}), std::string("Dec 06,  2026"));
        QCOMPARE(shell::DateText({-4712, 1, 1, 0, 0}), std::string("Jan 01, -4712"));
        QCOMPARE(shell::DateText({99999, 2, 28, 0, 0}), std::string("Feb 28, 99999"));
        QCOMPARE(shell::TimeText({2026, 12, 6, 8, 5}), std::string(" 08:05"));
        // A month out of range never reads outside the names.
        QCOMPARE(shell::DateText({2000, 13, 1, 0, 0}).substr(0, 3), std::string("Jan"));
    }

    void locationNamesTheCityAndThePlace() {
        state::ViewState view;
        state::AppOptions options;
        view.Ido2 = 410;
        view.Keido2 = 740;
        view.CurrentCity = -1;
        QCOMPARE(QString::fromStdString(shell::LocationText(view, options, {})),
                 QString::fromUtf8("41.0\u00b0N\u00b774.0\u00b0W"));
        view.Ido2 = -339;
        view.Keido2 = -1512;
        view.CurrentCity = 7;
        auto lookup = [](int index) -> std::optional<state::CityRecord> {
            if (index == 7) return City("Sydney", "Australia");
            if (index == 8) return City("Nowhere", "");
            return std::nullopt;
        };
        QCOMPARE(QString::fromStdString(shell::LocationText(view, options, lookup)),
                 QString::fromUtf8("Sydney / Australia  33.9\u00b0S\u00b7151.2\u00b0E"));
        view.CurrentCity = 8;
        QVERIFY(shell::LocationText(view, options, lookup).starts_with("Nowhere  "));
        view.CurrentCity = 9;
        QVERIFY(shell::LocationText(view, options, lookup).starts_with("33.9"));
        options.UserCitys = 1;
        options.userCities[0] = City("Garden", "ignored");
        view.CurrentCity = 10000;
        QVERIFY(shell::LocationText(view, options, lookup).starts_with("Garden  33.9"));
        // A user index beyond the stored cities names nothing.
        view.CurrentCity = 10001;
        QVERIFY(shell::LocationText(view, options, lookup).starts_with("33.9"));
    }

    void cityNamesWithoutTerminatorStayInTheirField() {
        state::CityRecord city;
        std::memset(city.name, 'A', sizeof city.name);
        std::memset(city.country, 'B', sizeof city.country);
        const std::string text = shell::CityNameText(city);
        QCOMPARE(text.size(), std::size_t(32 + 3 + 32));
    }

    void stringTableHoldsTheQuotedTexts() {
        QCOMPARE(shell::LoadString(11), std::string("You can not add any more city!"));
        QCOMPARE(shell::LoadString(48), std::string("Celestial &North Pole\tN"));
        QCOMPARE(shell::LoadString(131), std::string("View(F5)"));
        QCOMPARE(shell::LoadString(40070), std::string("Increment Time"));
        QVERIFY(shell::LoadString(42).empty());
        QVERIFY(shell::LoadString(-1).empty());
    }
};

QTEST_MAIN(TextFormatsTest)
#include "text_formats_test.moc"
