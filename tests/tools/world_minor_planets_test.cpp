// The five principal minor planets' elements taken from the JPL extract of kstars-data.
#include <gtest/gtest.h>

#include <QJsonDocument>

#include "framework/build_error.h"
#include "world/minor_planets.h"

namespace {

QJsonDocument Extract(const char* rows) {
    const std::string text =
        std::string(R"({"fields":["full_name","epoch_mjd","e","a","i","om","w","ma"],"data":[)") +
        rows + "]}";
    return QJsonDocument::fromJson(QByteArray::fromStdString(text));
}

constexpr const char* kRow =
    R"json(["     %1 Name (A801 AA)","59800",".1","%1.5","10","80","73","334"])json";

std::string Rows(std::initializer_list<int> numbers) {
    std::string rows;
    for (int n : numbers) {
        if (!rows.empty()) rows += ",";
        rows += QString::fromLatin1(kRow).arg(n).toStdString();
    }
    return rows;
}

TEST(WorldMinorPlanets, TakesTheFiveBodiesByNumber) {
    const auto elements = databuilder::world::ParseAsteroidElements(
        Extract(Rows({5, 10, 4, 3, 2, 1, 11}).c_str()), "asteroids.dat");
    EXPECT_EQ(elements.epochMjd, 59800.0);
    EXPECT_DOUBLE_EQ(elements.bodies[0].a, 1.5);   // Ceres
    EXPECT_DOUBLE_EQ(elements.bodies[4].a, 10.5);  // Hygiea, number 10
    EXPECT_DOUBLE_EQ(elements.bodies[3].meanAnomaly, 334.0);
    EXPECT_DOUBLE_EQ(elements.bodies[1].e, 0.1);
}

}  // namespace
