// The data set's minor-planet elements: written, read back, and refused when implausible.
#include "astro/minor_planet_file.h"

#include <gtest/gtest.h>

#include <string>

namespace astro {
namespace {

TEST(MinorPlanetFile, ReadsBackWhatItWritesAndRefusesBadValues) {
    MinorPlanetElements elements = BuiltInMinorPlanetElements();
    elements.epochMjd = 59800.0;
    elements.bodies[3].meanAnomaly = 61.19229900418838;
    const std::string text = MinorPlanetFileText(elements);
    const auto back = ParseMinorPlanetFile(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->epochMjd, 59800.0);
    EXPECT_NEAR(back->bodies[3].meanAnomaly, 61.19229900418838, 1e-9);

    struct Case {
        const char* from;
        const char* to;
    };
    const Case kBad[] = {
        {"Epoch=59800.000000", "Epoch=12000"},                   // before the integrated years
        {"Epoch=59800.000000", "Epoch=soon"},                    // not a number
        {"Juno=", "Junior="},                                    // a body missing
        {"Vesta=2.3612187, 0.0891723", "Vesta=2.3612187, 1.5"},  // not an ellipse
        {"Ceres=2.7655605, 0.0799046,", "Ceres=2.7655605 0.0799046,"},  // a field lost
    };
    for (const Case& c : kBad) {
        std::string changed = text;
        const std::size_t at = changed.find(c.from);
        ASSERT_NE(at, std::string::npos) << c.from;
        changed.replace(at, std::string(c.from).size(), c.to);
        EXPECT_FALSE(ParseMinorPlanetFile(changed).has_value()) << c.to;
    }
}

}  // namespace
}  // namespace astro
