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

// The standard-time offsets of the cities come from this copy of the time-zone database, not the
// machine's, so that every build gives the same offsets.
inline const SourceSpec kTzdata{"tzdata",
                                "2026b-0+deb12u1",
                                "0edb49f4dffe0d5608069f7e4ba4d69544d3b9e86fc314dd8b75e9958d8e5e98",
                                SourceKind::DebianPackage,
                                "public domain (usr/share/doc/tzdata/copyright)",
                                "IANA Time Zone Database, https://www.iana.org/time-zones"};

// The voice data that the installed espeak-ng program speaks the narration with.
inline const SourceSpec kEspeakNgData{
    "espeak-ng-data",
    "1.51+dfsg-10+deb12u2",
    "573f5661c6a5adcf949018baad158c4c773bf5579390ee5235a890f1cd694106",
    SourceKind::DebianPackage,
    "GPL-3+ (usr/share/doc/espeak-ng-data/copyright)",
    "eSpeak NG text-to-speech, https://github.com/espeak-ng/espeak-ng"};

// The licence texts shipped beside the data set (choosealicense.com's collection, MIT).
inline const SourceSpec kLicenceTexts{
    "ruby-licensee",
    "9.15.2-4",
    "871ba9e8728ccf9e7a10f1c36a6c105a65b5595a3db9733361adf9838b14ee01",
    SourceKind::DebianPackage,
    "MIT (usr/share/doc/ruby-licensee/copyright; the licence texts of choosealicense.com)",
    "choosealicense.com, GitHub Inc., as vendored by licensee"};

inline constexpr const char* kZoneinfoRoot = "usr/share/zoneinfo";
inline constexpr const char* kEspeakDataParent = "usr/lib/x86_64-linux-gnu";
inline constexpr const char* kLicenceTextRoot =
    "usr/share/rubygems-integration/all/gems/licensee-9.15.2/vendor/choosealicense.com/_licenses/";

inline constexpr const char* kWorldAtlasRoot = "package/";
inline constexpr const char* kCityTimezonesRoot = "package/data/";

}  // namespace databuilder::sources
