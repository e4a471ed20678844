// The major annual meteor showers: radiant at the peak (J2000) and the Sun's longitude at the
// peak. Values from the working list of visual meteor showers of the International Meteor
// Organization's Meteor Shower Calendar (radiants rounded to the degree, as published there).
#pragma once

namespace databuilder::world {

struct MeteorShower {
    const char* name;
    const char* code;           // IAU three-letter code
    double peakSolarLongitude;  // degrees, J2000
    double ra, dec;             // radiant at the peak, degrees, J2000
    int zhr;                    // zenithal hourly rate at the peak; 0 = variable
};

extern const MeteorShower kMeteorShowers[];
extern const int kMeteorShowerCount;

}  // namespace databuilder::world
