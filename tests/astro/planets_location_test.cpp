// The "Planets Location" section: values, units, and no rewrite of unchanged values.
#include "astro/planets_location.h"

#include <sys/stat.h>

#include <clocale>

#include "../persist/test_world.h"
#include "persist/profile.h"

namespace astro {
namespace {

using namespace persist_test;

SolarSystemState Sample() {
    SolarSystemState s;
    for (int k = 0; k < kBodyCount; ++k) {
        s.bodies[k].helioX = k + 0.5;
        s.bodies[k].helioY = -k;
        s.bodies[k].helioZ = 0.001 * k;
    }
    s.bodies[kSunIndex].helioX = 1.0;
    s.bodies[kSunIndex].helioY = 0.0;
    s.bodies[kSunIndex].helioZ = 0.0;
    s.bodies[kMoonIndex].helioX = 60.0;  // Earth radii, geocentric
    s.bodies[kMoonIndex].helioY = 0.0;
    s.bodies[kMoonIndex].helioZ = -1.0;
    return s;
}

// In half Earth radii, with a decimal point whatever the locale: the test runs under one with a
// decimal comma, which set-up generates.
TEST(PlanetsLocation, ValuesInHalfEarthRadiiWithADecimalPoint) {
    ASSERT_TRUE(std::setlocale(LC_NUMERIC, "de_DE.UTF-8"))
        << "the de_DE.UTF-8 locale is missing (./setup.sh generates it)";
    const ProfileValues values = PlanetsLocationValues(Sample());
    std::setlocale(LC_NUMERIC, "C");
    ASSERT_EQ(values.size(), 25u);
    EXPECT_EQ(values[0],
              (std::pair<std::string, std::string>{"Earth", "46909.559840, 0.000000, 0.000000"}));
    EXPECT_EQ(values[1],
              (std::pair<std::string, std::string>{"Moon", "47029.559840, 0.000000, -2.000000"}));
    EXPECT_EQ(values[4], (std::pair<std::string, std::string>{
                             "Mars", "211093.019280, -187638.239360, 187.638239"}));
    EXPECT_EQ(values[24].first, "Hygiea");
}

class PlanetsLocationFile : public ::testing::Test {
  protected:
    void SetUp() override { WriteFile(path, "[Tavilo Pro v7]\nZoom=120\n"); }
    TempFolder dir;
    std::string path = (dir.path() / "TAVILO.INI").string();
};

TEST_F(PlanetsLocationFile, AnAnimationWritesOnceASecondAndOnceAfterItsLastFrame) {
    PlanetsLocationMemory memory;
    SolarSystemState s = Sample();
    int writes = 0;
    // Fast Clocking at 40 frames a second for three seconds, every frame a new position, and
    // the window's timer every 100 ms.
    for (int64_t t = 0; t < 3000; t += 25) {
        s.bodies[4].helioX += 0.01;
        KeepPlanetsLocation(s, memory, path);
        if (t % 100 == 0) writes += FlushPlanetsLocation(memory, t, false);
    }
    EXPECT_EQ(writes, 3);
    const persist::Profile written = persist::Profile::Load(path);
    EXPECT_EQ(written.ReadInt("Tavilo Pro v7", "Zoom", 0), 120);  // other sections kept
    const std::string last = PlanetsLocationValues(s)[4].second;
    EXPECT_NE(written.ReadText("Planets Location", "Mars", "", 100), last);
    // The run has stopped: its last frame is written once its second is up, and only once.
    EXPECT_FALSE(FlushPlanetsLocation(memory, 2990, false));
    EXPECT_TRUE(FlushPlanetsLocation(memory, 3000, false));
    EXPECT_EQ(persist::Profile::Load(path).ReadText("Planets Location", "Mars", "", 100), last);
    // Nothing new, or a change below the sixth decimal: the file is not replaced.
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    EXPECT_FALSE(FlushPlanetsLocation(memory, 9000, true));
    s.bodies[4].helioX += 1e-13;
    KeepPlanetsLocation(s, memory, path);
    EXPECT_FALSE(FlushPlanetsLocation(memory, 9000, true));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);  // an atomic write would make a new inode
    // Closing the window writes what waits without waiting.
    s.bodies[4].helioX += 0.01;
    KeepPlanetsLocation(s, memory, path);
    EXPECT_FALSE(FlushPlanetsLocation(memory, 3100, false));
    EXPECT_TRUE(FlushPlanetsLocation(memory, 3101, true));
}

TEST_F(PlanetsLocationFile, AFailedWriteIsTriedAgain) {
    PlanetsLocationMemory memory;
    const std::string blocked = (dir.path() / "file").string();
    WriteFile(blocked, "x");
    KeepPlanetsLocation(Sample(), memory, blocked + "/TAVILO.INI");
    EXPECT_FALSE(FlushPlanetsLocation(memory, 0, false));
    EXPECT_TRUE(memory.written.empty());
    KeepPlanetsLocation(Sample(), memory, path);
    EXPECT_TRUE(FlushPlanetsLocation(memory, 0, false));
}

}  // namespace
}  // namespace astro
