#include <gtest/gtest.h>

#include "builder_fixture.h"

#include "world/comets.h"
#include "world/minor_planets.h"

namespace {

using namespace databuilder::world;

// 1582 October 15 was the first day of the Gregorian calendar and October 4 the last of the Julian.
TEST(Comets, JulianDaysBecomeCalendarDates) {
    const std::tuple<double, int, int, double> cases[] = {
        {2451545.0, 2000, 1, 1.5}, {2299160.5, 1582, 10, 15.0}, {2299159.5, 1582, 10, 4.0}};
    for (const auto& [jd, year, month, day] : cases) {
        int y, m;
        double d;
        JulianDayToCalendar(jd, y, m, d);
        EXPECT_EQ(std::pair(y, m), std::pair(year, month)) << jd;
        EXPECT_NEAR(d, day, 1e-6) << jd;
    }
}

CometSource Comet(const std::string& name, double perihelionJd, double epochJd = 0,
                  double q = 1.0) {
    return {.name = name,
            .perihelionJd = perihelionJd,
            .q = q,
            .e = 0.9,
            .peri = 10,
            .node = 20,
            .incl = 30,
            .H = 6,
            .epochJd = epochJd,
            .list = "fixture"};
}

TEST(Comets, EntriesOfOneCometShareAKeyAndLostCometsAreMarked) {
    const std::vector<CometSource> comets = {Comet("12P/Pons-Brooks", 2460421.3),
                                             Comet("P/Pons-Brooks (1953c=1954VII)", 2434885.7),
                                             Comet("3D/Biela", 2390514.1),
                                             Comet("P/Biela (1852III)", 2397388.0),
                                             Comet("D/1993 F2-A (Shoemaker-Levy 9)", 2449435.6),
                                             Comet("C/West (1975n=1976VI)", 2442833.7, 0, 0.1966),
                                             Comet("C/1975 V1-A (West)", 2442834.2, 0, 0.1967),
                                             Comet("C/2020 F3 (NEOWISE)", 2459034.2)};
    const auto ids = IdentifyComets(comets);
    const std::vector<std::pair<std::string, bool>> expected = {
        {"12P", false},      {"12P", false},       {"3P", true},         {"3P", true},
        {"D/1993 F2", true}, {"C/1975 V1", false}, {"C/1975 V1", false}, {"C/2020 F3", false}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ids[i].key, expected[i].first) << comets[i].name;
        EXPECT_EQ(ids[i].defunct, expected[i].second) << comets[i].name;
    }
}

TEST(Comets, ElementsPrecessBetweenEquinoxes) {
    // Halley 1986 in B1950 and in J2000 (Marsden's catalogue gives both).
    CometSource halley = Comet("P/Halley (1982i=1986III)", 2446470.9589);
    halley.peri = 111.8466;
    halley.node = 58.1440;
    halley.incl = 162.2393;
    halley.equinoxJd = kB1950Jd;
    const CometSource j2000 = PrecessElements(halley, kJ2000Jd);
    EXPECT_NEAR(j2000.peri, 111.8657, 0.002);
    EXPECT_NEAR(j2000.node, 58.8601, 0.002);
    EXPECT_NEAR(j2000.incl, 162.2422, 0.002);
    const CometSource back = PrecessElements(j2000, kB1950Jd);
    EXPECT_NEAR(back.node, halley.node, 1e-9);
    EXPECT_NEAR(back.peri, halley.peri, 1e-9);
}

TEST(Comets, OneRecordPerCometAtItsApparitionNearestThePresentNamedFirst) {
    auto recent = ParseCometIni(builder_test::Fixture("minor.ini"), "minor.ini");
    ASSERT_EQ(recent.size(), 3u);  // the asteroid is not a comet
    const auto historic = ParseCometIni(builder_test::Fixture("1000comets.ini"), "1000comets.ini");
    EXPECT_EQ(recent[0].equinoxJd, kB1950Jd);  // old-style designation
    EXPECT_EQ(recent[1].equinoxJd, kJ2000Jd);
    recent.insert(recent.end(), historic.begin(), historic.end());
    recent.push_back(Comet("1P/Halley (2061)", 2473976.5, 2473976.5));
    recent.push_back(Comet("12P/Pons-Brooks", 2434885.7, 2434800));  // the 1954 return
    recent.push_back(Comet("12P/Pons-Brooks", 2460421.3, 2459815.5));
    recent.push_back(Comet("12P/Pons-Brooks", 2460421.1, 2460400.5));  // nearer perihelion
    recent.push_back(Comet("3D/Biela", 2460500.0));
    CometSource noMagnitude = Comet("C/2030 A1 (Nobody)", 2462500.0);
    noMagnitude.hasMagnitude = false;
    recent.push_back(noMagnitude);

    const auto comets = SelectComets(recent, 2461222.5);
    // English and Japanese name, perihelion year, magnitude defaults applied.
    std::vector<std::tuple<std::string, std::string, int, int>> got;
    for (const auto& c : comets)
        got.emplace_back(c.record.NAMEE, c.record.NAMEJ, c.record.TY, c.record.initialised);
    EXPECT_EQ(got,
              (std::vector<std::tuple<std::string, std::string, int, int>>{
                  {"Halley", "ハレー彗星", 2061, 0},
                  {"Hale-Bopp", "ヘール・ボップ彗星", 1997, 0},
                  {"Hyakutake 2", "第２百武彗星", 1996, 0},
                  {"12P/Pons-Brooks", "12P/Pons-Brooks", 2024, 1},
                  {"C/Ikeya-Seki (1965f=1965VIII)", "池谷・関彗星", 1965, 1},
                  {"Great September comet (1882II)", "Great September comet (1882II)", 1882, 1}}));
    EXPECT_DOUBLE_EQ(comets[3].source.epochJd, 2460400.5);
    const auto& ikeya = comets[4].record;
    EXPECT_EQ(ikeya.show, 1);
    EXPECT_FLOAT_EQ(ikeya.H1, 0.5f);
    EXPECT_FLOAT_EQ(ikeya.K1, 7.5f);  // 2.5 n
    // Elements of the equinox of the perihelion: B1950 carried over 15.8 years of precession.
    EXPECT_NEAR(ikeya.Node, 346.9 + 15.8 * 50.29 / 3600, 0.05);

    EXPECT_EQ(SelectComets(recent, 2461222.5, 4).size(), 4u);
    EXPECT_THROW(SelectComets(historic), databuilder::BuildError);  // no Halley
}

TEST(Comets, KStarsListsParse) {
    const auto m = ParseMpcComets(builder_test::AsBytes(builder_test::Fixture("cometels.json")),
                                  "cometels.json");
    ASSERT_EQ(m.size(), 1u);
    EXPECT_NEAR(m[0].perihelionJd, 2460421.3249, 1e-6);
    EXPECT_NEAR(m[0].epochJd, 2459815.5, 1e-9);
    EXPECT_DOUBLE_EQ(m[0].K, 10.0);
    const auto j =
        ParseJplComets(builder_test::AsBytes(builder_test::Fixture("comets.dat")), "comets.dat");
    ASSERT_EQ(j.size(), 2u);
    EXPECT_EQ(j[0].name, "1P/Halley");
    EXPECT_DOUBLE_EQ(j[0].H, 5.5);
    EXPECT_DOUBLE_EQ(j[0].epochJd, 2449400.5);
    EXPECT_FALSE(j[1].hasMagnitude);
}

TEST(WorldMinorPlanets, TakesTheFiveBodiesByNumber) {
    // The five principal minor planets are 1 to 4 and 10; the JPL extract lists more.
    QString rows;
    for (int n : {5, 10, 4, 3, 2, 1, 11})
        rows += QString(R"j(["   %1 Name (A801 AA)","59800",".1","%1.5","10","80","73","334"],)j")
                    .arg(n);
    rows.chop(1);
    const QString json =
        R"({"fields":["full_name","epoch_mjd","e","a","i","om","w","ma"],"data":[)" + rows + "]}";
    const auto elements = databuilder::world::ParseAsteroidElements(
        QJsonDocument::fromJson(json.toUtf8()), "asteroids.dat");
    EXPECT_EQ(elements.epochMjd, 59800.0);
    EXPECT_DOUBLE_EQ(elements.bodies[0].a, 1.5);   // Ceres
    EXPECT_DOUBLE_EQ(elements.bodies[4].a, 10.5);  // Hygiea, number 10
    EXPECT_DOUBLE_EQ(elements.bodies[3].meanAnomaly, 334.0);
    EXPECT_DOUBLE_EQ(elements.bodies[1].e, 0.1);
}

}  // namespace
