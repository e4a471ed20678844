// The pinned inputs of the data set. A new input gets its entry here; the checksum is that of the
// archive as the registry delivers it.
#pragma once

#include "framework/source_registry.h"

namespace databuilder::sources {

inline const SourceSpec kStellariumData{
    "stellarium-data",
    "0.22.2-1",
    "45aaebf39a814acbd6dcccea058c2f5651bcb5635599da03a215feeb51f4d5a5",
    SourceKind::DebianPackage,
    "GPL-2+ (usr/share/doc/stellarium-data/copyright); sky cultures: CC BY-SA 4.0 International "
    "Public License + Free Art License (skycultures/*/info.ini)",
    "Stellarium developers, https://stellarium.org"};

inline const SourceSpec kKstarsData{
    "kstars-data",
    "5:3.6.2-2",
    "f48e4a101ddab20f1cf35879c821f9fa2ca1b459c5ea78eef99555fe22cf35aa",
    SourceKind::DebianPackage,
    "GPL-2+ (usr/share/doc/kstars-data/copyright)",
    "KStars developers, https://kstars.kde.org"};

inline const SourceSpec kD3Celestial{
    "d3-celestial",
    "0.7.35",
    "490796718c201e15f38c324bda5458fc4de22519313093bf261b628185eaae81",
    SourceKind::NpmTarball,
    "BSD-3-Clause (package/LICENSE, Copyright (c) 2015 Olaf Frohn)",
    "Olaf Frohn, d3-celestial, https://github.com/ofrohn/d3-celestial"};

// Paths inside the unpacked packages.
inline constexpr const char* kStellariumRoot = "usr/share/stellarium/";
inline constexpr const char* kKstarsRoot = "usr/share/kstars/";
inline constexpr const char* kD3Root = "package/data/";

}  // namespace databuilder::sources
