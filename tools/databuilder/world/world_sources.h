// Pinned inputs of the world blocks beyond the sky catalogue (the shared ones are in
// framework/sources.h).
#pragma once

#include "framework/source_registry.h"

namespace databuilder::sources {

inline const SourceSpec kWorldAtlas{
    "world-atlas",
    "2.0.2",
    "032e7765f2ce00edaeafec23ff22bc3b77e42987c257da944cc585b452c05b97",
    SourceKind::NpmTarball,
    "ISC (package/LICENSE); the data is Natural Earth 4.1.0, public domain",
    "Made with Natural Earth, https://www.naturalearthdata.com; packaged by Mike Bostock"};

inline const SourceSpec kCityTimezones{
    "city-timezones",
    "1.3.4",
    "4864dc69a73b076983fceff5ad658e4b90b6c4d190f3b1b79992cfeb566daecf",
    SourceKind::NpmTarball,
    "MIT (package.json)",
    "Kevin Roberts, city-timezones; cities from Natural Earth populated places"};

inline constexpr const char* kWorldAtlasRoot = "package/";
inline constexpr const char* kCityTimezonesRoot = "package/data/";

}  // namespace databuilder::sources
