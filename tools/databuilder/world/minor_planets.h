// QELMINOR.INI: the osculating elements of Ceres, Pallas, Juno, Vesta and Hygiea from the JPL
// Small-Body Database extract that kstars-data ships (asteroids.dat), newer than the program's
// built-in elements of 2006.
#pragma once

#include <QJsonDocument>
#include <string>

#include "astro/minor_planets.h"
#include "framework/build_context.h"
#include "world/sky_units.h"

namespace databuilder {

namespace world {

// The five bodies' elements (ecliptic and equinox of J2000) from the database's JSON answer;
// a missing body, field or common epoch stops the build naming the input.
astro::MinorPlanetElements ParseAsteroidElements(const QJsonDocument& document,
                                                 const std::string& inputName);

}  // namespace world

void buildMinorPlanetFile(BuildContext& context);  // QELMINOR.INI

}  // namespace databuilder
