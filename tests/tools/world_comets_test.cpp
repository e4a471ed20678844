#include <gtest/gtest.h>

#include <cstring>

#include "persist/comet_file.h"
#include "world/comets.h"
#include "world_dataset.h"

namespace {

using namespace databuilder::world;

const char* const kIni = R"INI(
[P_Halley_1982i_1986III]
absolute_magnitude=4.3
name=P/Halley (1982i=1986III)
orbit_ArgOfPericenter=111.84660
orbit_AscendingNode=58.14340
orbit_Eccentricity=0.96727700
orbit_Inclination=162.23920
orbit_PericenterDistance=0.58710400
orbit_TimeAtPericenter=2446470.95890
slope_parameter=4.9
type=comet

[C_1995O1]
absolute_magnitude=-2.0
name=C/1995 O1 (Hale-Bopp)
orbit_ArgOfPericenter=130.58949
orbit_AscendingNode=282.47085
orbit_Eccentricity=0.99508172
orbit_Inclination=89.43015
orbit_PericenterDistance=0.91413353
orbit_TimeAtPericenter=2450539.63730
type=comet

[C_1996B2]
absolute_magnitude=5.0
name=C/1996 B2 (Hyakutake)
orbit_ArgOfPericenter=130.17407
orbit_AscendingNode=188.04523
orbit_Eccentricity=0.99989902
orbit_Inclination=124.92275
orbit_PericenterDistance=0.23022925
orbit_TimeAtPericenter=2450204.89407
slope_parameter=4.0
type=comet

[ceres]
name=Ceres
type=asteroid
)INI";

const char* const kHistoric = R"INI(
[C_Ikeya_Seki]
name="C/Ikeya-Seki (1965f=1965VIII)"
absolute_magnitude=0.5
slope_parameter=3.0
orbit_ArgOfPericenter=69.0
orbit_AscendingNode=346.9
orbit_Eccentricity=0.99991
orbit_Inclination=141.86
orbit_PericenterDistance=0.0078
orbit_TimeAtPericenter=2439053.67
type=comet
[great]
name="C/Great September comet (1882b=1882II)"
absolute_magnitude=0.8
orbit_ArgOfPericenter=69.6
orbit_AscendingNode=347.6
orbit_Eccentricity=0.99991
orbit_Inclination=142.0
orbit_PericenterDistance=0.00775
orbit_TimeAtPericenter=2408708.2
type=comet
[ancient]
name=C/Anonymus (-136)
absolute_magnitude=-1
orbit_ArgOfPericenter=1
orbit_AscendingNode=1
orbit_Eccentricity=1
orbit_Inclination=1
orbit_PericenterDistance=1
orbit_TimeAtPericenter=1671000.5
type=comet
)INI";

TEST(Comets, JulianDaysBecomeCalendarDates) {
    int y, m;
    double d;
    JulianDayToCalendar(2451545.0, y, m, d);
    EXPECT_EQ(y, 2000);
    EXPECT_EQ(m, 1);
    EXPECT_NEAR(d, 1.5, 1e-9);
    JulianDayToCalendar(2446470.9589, y, m, d);  // Halley's perihelion 1986 February 9.46
    EXPECT_EQ(y, 1986);
    EXPECT_EQ(m, 2);
    EXPECT_NEAR(d, 9.4589, 1e-6);
    JulianDayToCalendar(2299160.5, y, m, d);  // the first day of the Gregorian calendar
    EXPECT_EQ(y, 1582);
    EXPECT_EQ(m, 10);
    EXPECT_NEAR(d, 15.0, 1e-9);
    JulianDayToCalendar(2299159.5, y, m, d);  // the last day of the Julian calendar
    EXPECT_NEAR(d, 4.0, 1e-9);
}

TEST(Comets, NamedCometsKeepFlagZeroAndOthersCarryTheirMagnitudeLaw) {
    const auto recent = ParseCometIni(kIni, "minor.ini");
    ASSERT_EQ(recent.size(), 3u);  // the asteroid is not a comet
    const auto historic = ParseCometIni(kHistoric, "1000comets.ini");
    const auto comets = SelectComets(recent, historic);
    ASSERT_EQ(comets.size(), 5u);  // the comet before year 0 does not fit the record
    EXPECT_STREQ(comets[0].NAMEE, "Halley");
    EXPECT_STREQ(comets[0].NAMEJ, "ハレー彗星");
    EXPECT_STREQ(comets[1].NAMEE, "Hale-Bopp");
    EXPECT_STREQ(comets[2].NAMEE, "Hyakutake 2");
    EXPECT_STREQ(comets[2].NAMEJ, "第２百武彗星");
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(comets[i].initialised, 0);
    EXPECT_EQ(comets[0].TY, 1986);
    EXPECT_EQ(comets[0].TM, 2);
    EXPECT_DOUBLE_EQ(comets[0].q, 0.587104);
    EXPECT_STREQ(comets[3].NAMEE, "C/Ikeya-Seki (1965f=1965VIII)");   // brightest first
    EXPECT_STREQ(comets[4].NAMEE, "Great September comet (1882II)");  // shortened to fit
    const auto& ikeya = comets[3];
    EXPECT_STREQ(ikeya.NAMEE, "C/Ikeya-Seki (1965f=1965VIII)");
    EXPECT_STREQ(ikeya.NAMEJ, "池谷・関彗星");
    EXPECT_EQ(ikeya.initialised, 1);
    EXPECT_EQ(ikeya.show, 1);
    EXPECT_FLOAT_EQ(ikeya.H1, 0.5f);
    EXPECT_FLOAT_EQ(ikeya.K1, 7.5f);  // 2.5 n
}

TEST(Comets, SelectionStopsAtTheLimitAndMissingElementsStopTheBuild) {
    const auto comets = SelectComets(ParseCometIni(kIni, "a"), ParseCometIni(kHistoric, "b"), 4);
    EXPECT_EQ(comets.size(), 4u);
    try {
        ParseCometIni("[x]\ntype=comet\nname=X\norbit_Eccentricity=abc\n", "minor.ini");
        FAIL();
    } catch (const databuilder::BuildError& e) {
        EXPECT_NE(std::string(e.what()).find("minor.ini"), std::string::npos);
    }
    EXPECT_THROW(SelectComets(ParseCometIni(kHistoric, "b"), {}), databuilder::BuildError);
}

TEST(CometDataset, RecordsOf168BytesWithTheThreeNamedComets) {
    SKIP_WITHOUT_DATASET();
    const auto bytes = world_test::ReadDatasetFile("QELCOMET.DAT");
    ASSERT_EQ(bytes.size() % 168, 0u);
    ASSERT_GT(bytes.size(), 3u * 168);
    ASSERT_LE(bytes.size(), 200u * 168);
    state::CometTable table;
    const int count =
        persist::LoadComets((world_test::DatasetDir() / "QELCOMET.DAT").string(), table);
    ASSERT_EQ(static_cast<size_t>(count), bytes.size() / 168);
    int named = 0;
    for (int i = 0; i < count; ++i) {
        const std::string name = table.records[i].NAMEE;
        if (name == "Halley" || name == "Hale-Bopp" || name == "Hyakutake 2") {
            ++named;
            EXPECT_EQ(bytes[i * 168 + 124], 0) << name;  // shipped uninitialised
        } else {
            EXPECT_EQ(bytes[i * 168 + 124], 1) << name;
        }
        EXPECT_TRUE(table.records[i].TM >= 1 && table.records[i].TM <= 12) << name;
        EXPECT_GT(table.records[i].q, 0.0) << name;
    }
    EXPECT_EQ(named, 3);
}

}  // namespace
