// Names and designations of the catalogued objects as the find dialog lists them and the
// information cards show them, and the search that filters those lists as the user types.
// Texts are UTF-8; star numbers are STAR2 records, constellations SEIZA records.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "persist/data_set.h"
#include "persist/records/sky_records.h"
#include "persist/records/world_records.h"
#include "state/comet_record.h"

namespace astro {

// The parts that are not empty, separated by single blanks.
std::string JoinedWords(std::initializer_list<std::string_view> parts);

// "Alpha" .. "Omega" for the Greek letter codes 'a' .. 'x' of the designation records; empty
// for any other code.
std::string_view GreekLetterName(char code);

// A star's designation: the Greek letter's name (or the Latin letter) and the suffix, replaced
// by the Flamsteed number when there is one and either no letter or alphaMode is 2 (numbers
// only). Empty when the record has neither.
std::string StarDesignation(const persist::DesignationRecord& record, int alphaMode);

// Constellation name styles (FindSeiza).
inline constexpr int kPopularNames = 0;
inline constexpr int kScientificNames = 1;
inline constexpr int kCodeNames = 2;

std::string_view ConstellationName(const persist::ConstellationNameRecord& record, int style);

// The first constellation whose code equals the text (any case), or -1.
int ConstellationOfCode(const persist::DataSet& data, std::string_view code);

// The Messier designation of a deep-sky object; a meteor shower's radiant has none (its field
// holds the peak's solar longitude).
std::string_view MessierDesignation(const persist::ObjectRecord& object,
                                    const persist::ObjectNameRecord& names);

// The find dialog's tabs; a tab's number is also the object kind of its entries (ObjectRef).
enum FindTab : int {
    kFindConstellation,
    kFindStarName,
    kFindScientific,
    kFindDeepSky,
    kFindBody,
    kFindComet,
    kFindAsterism,
    kFindTabCount,
};

struct FindEntry {
    std::string text;   // as listed
    int32_t index = 0;  // the object's index; on the star tabs its star number
    std::string words;  // what else the search finds it by (other names, designations)
};

struct FindSources {
    const persist::DataSet* data = nullptr;
    const state::CometTable* comets = nullptr;
    int style = kPopularNames;  // constellation names
    int alphaMode = 1;          // AlphaMode: 2 lists numbered stars by their number
};

// The entries of a tab in list order: sorted alphabetically (any case) on the constellation,
// star-name and deep-sky tabs, in table order on the others. The scientific tab gives its
// constellations (the second Serpens record left out).
std::vector<FindEntry> FindList(int tab, const FindSources& sources);

// The stars of a constellation (a SEIZA index) by designation: Bayer letters in their order,
// then Flamsteed numbers in numeric order. Their words hold the star's names and the
// constellation's.
std::vector<FindEntry> ConstellationStars(const FindSources& sources, int constellation);

// Every word of the query begins a word of the text; a word of letters followed by a number (a
// designation: "M 42", "NGC 224") needs that number right after it in the text too. Words are
// runs of letters or of digits (so "M42" is "M" and "42"), compared without regard to case.
bool SearchMatches(std::string_view query, std::string_view text);

// How well an entry answers a query: 0 not at all, 1 when the query matches its text and words,
// 2 when its text also begins with the query's first word. An empty query matches everything.
int SearchRank(std::string_view query, const FindEntry& entry);

}  // namespace astro
