// The "Planets Location" section: values, units, and no rewrite of unchanged values.
#include "astro/planets_location.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "persist/profile.h"

namespace astro {
namespace {

namespace fs = std::filesystem;

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

TEST(PlanetsLocation, ValuesInHalfEarthRadii) {
    const ProfileValues values = PlanetsLocationValues(Sample());
    ASSERT_EQ(values.size(), 25u);
    EXPECT_EQ(values[0].first, "Earth");
    EXPECT_EQ(values[0].second, "46909.559840, 0.000000, 0.000000");
    EXPECT_EQ(values[1].first, "Moon");
    EXPECT_EQ(values[1].second, "47029.559840, 0.000000, -2.000000");
    EXPECT_EQ(values[4].first, "Mars");
    EXPECT_EQ(values[4].second, "211093.019280, -187638.239360, 187.638239");
    EXPECT_EQ(values[24].first, "Hygiea");
}

TEST(PlanetsLocation, DecimalPointWhateverTheLocale) {
    // A locale with a decimal comma, when the machine has one.
    if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) GTEST_SKIP() << "no de_DE locale";
    const ProfileValues values = PlanetsLocationValues(Sample());
    std::setlocale(LC_NUMERIC, "C");
    EXPECT_EQ(values[0].second, "46909.559840, 0.000000, 0.000000");
}

class PlanetsLocationFile : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("planets-location-" + std::to_string(::getpid()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        path = (dir / "TAVILO.INI").string();
        std::ofstream(path) << "[Tavilo Pro v7]\nZoom=120\n";
    }
    void TearDown() override { fs::remove_all(dir); }
    static std::string Read(const std::string& p) {
        std::ifstream in(p);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    fs::path dir;
    std::string path;
};

TEST_F(PlanetsLocationFile, WritesOnceAndNotAgainUntilAValueChanges) {
    PlanetsLocationMemory memory;
    SolarSystemState s = Sample();
    ASSERT_TRUE(WritePlanetsLocation(s, memory, path));
    const persist::Profile written = persist::Profile::Load(path);
    EXPECT_EQ(written.ReadText("Planets Location", "Mars", "", 100),
              "211093.019280, -187638.239360, 187.638239");
    EXPECT_EQ(written.ReadInt("Tavilo Pro v7", "Zoom", 0), 120);  // other sections kept

    // Same positions (a redraw without a change of time): the file is not replaced.
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    EXPECT_FALSE(WritePlanetsLocation(s, memory, path));
    struct stat after {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);  // an atomic write would make a new inode

    // A change below the sixth decimal of the value is no change either.
    s.bodies[4].helioX += 1e-13;
    EXPECT_FALSE(WritePlanetsLocation(s, memory, path));
    // A real move is written, and only the changed key's line differs.
    const std::string text = Read(path);
    s.bodies[4].helioX += 0.001;
    EXPECT_TRUE(WritePlanetsLocation(s, memory, path));
    const std::string moved = Read(path);
    EXPECT_NE(moved, text);
    EXPECT_EQ(persist::Profile::Load(path).ReadText("Planets Location", "Jupiter", "", 100),
              written.ReadText("Planets Location", "Jupiter", "", 100));
}

TEST_F(PlanetsLocationFile, AFailedWriteIsTriedAgain) {
    PlanetsLocationMemory memory;
    const std::string blocked = (dir / "file").string();
    std::ofstream(blocked) << "x";
    EXPECT_FALSE(WritePlanetsLocation(Sample(), memory, blocked + "/TAVILO.INI"));
    EXPECT_TRUE(memory.written.empty());
    EXPECT_TRUE(WritePlanetsLocation(Sample(), memory, path));
}

}  // namespace
}  // namespace astro
