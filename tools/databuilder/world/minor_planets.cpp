#include "world/minor_planets.h"

#include <QJsonArray>
#include <QJsonObject>
#include <cstdio>

#include "astro/minor_planet_file.h"
#include "framework/build_error.h"
#include "framework/sources.h"
#include "sky/json_input.h"
#include "world/comets.h"

namespace databuilder {

namespace world {

namespace {

// Catalogue numbers of bodies 20..24.
constexpr int kNumbers[astro::kMinorPlanetCount] = {1, 2, 3, 4, 10};

double Field(const QJsonArray& row, int column, const std::string& where) {
    bool ok = false;
    const double value = row.at(column).toString().toDouble(&ok);
    if (!ok) throw BuildError(where + ": bad number in column " + std::to_string(column));
    return value;
}

}  // namespace

astro::MinorPlanetElements ParseAsteroidElements(const QJsonDocument& document,
                                                 const std::string& inputName) {
    const QJsonArray fields = document.object().value("fields").toArray();
    auto column = [&](const char* name) {
        for (int k = 0; k < fields.size(); ++k)
            if (fields.at(k).toString() == QLatin1String(name)) return k;
        throw BuildError(inputName + ": no field " + name);
    };
    const int nameColumn = column("full_name"), epochColumn = column("epoch_mjd");
    const int columns[] = {column("a"),  column("e"), column("i"),
                           column("om"), column("w"), column("ma")};
    astro::MinorPlanetElements out;
    bool found[astro::kMinorPlanetCount] = {};
    bool haveEpoch = false;
    for (const QJsonValue& value : document.object().value("data").toArray()) {
        const QJsonArray row = value.toArray();
        const int number = row.at(nameColumn).toString().trimmed().section(' ', 0, 0).toInt();
        for (int slot = 0; slot < astro::kMinorPlanetCount; ++slot) {
            if (number != kNumbers[slot] || found[slot]) continue;
            const std::string where = inputName + ", body " + std::to_string(number);
            const double epoch = Field(row, epochColumn, where);
            if (haveEpoch && epoch != out.epochMjd)
                throw BuildError(where + ": the elements are not of one epoch");
            out.epochMjd = epoch;
            haveEpoch = true;
            astro::OsculatingElements& el = out.bodies[slot];
            double* targets[] = {&el.a, &el.e, &el.i, &el.node, &el.perihelion, &el.meanAnomaly};
            for (int k = 0; k < 6; ++k)
                *targets[k] = Field(row, columns[k], where);
            found[slot] = true;
        }
    }
    for (int slot = 0; slot < astro::kMinorPlanetCount; ++slot)
        if (!found[slot])
            throw BuildError(inputName + ": no elements for body " +
                             std::to_string(kNumbers[slot]));
    return out;
}

}  // namespace world

void buildMinorPlanetFile(BuildContext& context) {
    const auto& kd = sources::kKstarsData;
    const std::string path = std::string(sources::kKstarsRoot) + "asteroids.dat";
    const astro::MinorPlanetElements elements =
        world::ParseAsteroidElements(readJsonFile(context.sources.file(kd, path), path), path);
    const std::string text = astro::MinorPlanetFileText(elements);
    context.output.writeFile(astro::kMinorPlanetFile, world::Bytes(text.begin(), text.end()));
    int year = 0, month = 0;
    double day = 0.0;
    world::JulianDayToCalendar(elements.epochMjd + 2400000.5, year, month, day);
    char epoch[64];
    std::snprintf(epoch, sizeof epoch, "%.1f (%04d-%02d-%02.0f)", elements.epochMjd, year, month,
                  day);
    context.provenance.record(
        kd,
        "asteroids.dat -> " + std::string(astro::kMinorPlanetFile) +
            " (osculating elements of Ceres, Pallas, Juno, Vesta and Hygiea, epoch MJD " + epoch +
            " TDB, ecliptic and equinox of J2000)",
        "JPL Small-Body Database (NASA/JPL Solar System Dynamics), as extracted by KStars.");
}

}  // namespace databuilder
