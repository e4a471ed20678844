#include "astro/object_names.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <unordered_map>

#include "astro/body_table.h"
#include "persist/record_view.h"

namespace astro {
namespace {

using persist::BlockId;
using persist::FieldText;

constexpr std::array<std::string_view, 24> kGreekLetters = {
    "Alpha", "Beta",  "Gamma",  "Delta",   "Epsilon", "Zeta", "Eta",     "Theta",
    "Iota",  "Kappa", "Lambda", "Mu",      "Nu",      "Xi",   "Omicron", "Pi",
    "Rho",   "Sigma", "Tau",    "Upsilon", "Phi",     "Chi",  "Psi",     "Omega"};

constexpr std::string_view kSerpens = "Ser";
constexpr std::array<std::string_view, 2> kSerpensHalves = {" (Caput)", " (Cauda)"};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameText(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

// The order of a sorted list box: alphabetical, any case.
void SortAsList(std::vector<FindEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
        return std::lexicographical_compare(
            a.text.begin(), a.text.end(), b.text.begin(), b.text.end(), [](char x, char y) {
                return static_cast<unsigned char>(Lower(x)) < static_cast<unsigned char>(Lower(y));
            });
    });
}

persist::RecordView<persist::ConstellationNameRecord> Constellations(const persist::DataSet& data) {
    return data.block(BlockId::SEIZA).records<persist::ConstellationNameRecord>();
}

std::string ConstellationWords(const persist::ConstellationNameRecord& c) {
    return JoinedWords({FieldText(c.popular), FieldText(c.scientific), FieldText(c.code)});
}

// The named stars' names by star number (first and second name), from the current table.
std::unordered_map<uint32_t, std::string> StarNamesByNumber(const persist::DataSet& data) {
    std::unordered_map<uint32_t, std::string> names;
    const auto records = data.block(BlockId::STARN).records<persist::StarNameRecord>();
    const std::size_t count = std::min(records.count(), data.starNameCount);
    for (std::size_t i = 0; i < count; ++i) {
        const persist::StarNameRecord r = records[i];
        names.emplace(r.star, JoinedWords({FieldText(r.name), FieldText(r.second)}));
    }
    return names;
}

// Every designation a star goes by, with its constellation's names.
std::string StarWords(const persist::DataSet& data, uint32_t star) {
    const auto designations = data.block(BlockId::ALPHA).records<persist::DesignationRecord>();
    if (star >= designations.count()) return {};
    const persist::DesignationRecord d = designations[star];
    char number[8] = "";
    if (d.flamsteed) std::snprintf(number, sizeof number, "%d", d.flamsteed);
    const int constellation = ConstellationOfCode(data, FieldText(d.constellation));
    const std::string names =
        constellation >= 0 ? ConstellationWords(Constellations(data)[constellation]) : "";
    return JoinedWords({StarDesignation(d, 1), number, FieldText(d.constellation), names});
}

std::vector<FindEntry> ConstellationList(const persist::DataSet& data, int style,
                                         bool scientificTab) {
    std::vector<FindEntry> entries;
    const auto records = Constellations(data);
    int serpens = 0;
    for (std::size_t i = 0; i < records.count(); ++i) {
        const persist::ConstellationNameRecord c = records[i];
        std::string text(ConstellationName(c, style));
        if (SameText(FieldText(c.code), kSerpens)) {
            if (scientificTab && serpens > 0) continue;
            if (!scientificTab && serpens < 2) text += kSerpensHalves[serpens];
            ++serpens;
        }
        entries.push_back({text, static_cast<int32_t>(i), ConstellationWords(c)});
    }
    SortAsList(entries);
    return entries;
}

std::vector<FindEntry> StarNameList(const persist::DataSet& data) {
    std::vector<FindEntry> entries;
    const auto records = data.block(BlockId::STARN).records<persist::StarNameRecord>();
    const std::size_t count = std::min(records.count(), data.starNameCount);
    for (std::size_t i = 0; i < count; ++i) {
        const persist::StarNameRecord r = records[i];
        const std::string_view name = FieldText(r.name);
        if (name.empty()) continue;
        entries.push_back({std::string(name), static_cast<int32_t>(r.star),
                           JoinedWords({FieldText(r.second), StarWords(data, r.star)})});
    }
    SortAsList(entries);
    return entries;
}

std::vector<FindEntry> DeepSkyList(const persist::DataSet& data) {
    std::vector<FindEntry> entries;
    const auto objects = data.block(BlockId::OBJ).records<persist::ObjectRecord>();
    const auto names = data.block(BlockId::OBJN).records<persist::ObjectNameRecord>();
    const std::size_t count = std::min(objects.count(), names.count());
    for (std::size_t i = 0; i < count; ++i) {
        const persist::ObjectNameRecord n = names[i];
        const std::string_view popular = FieldText(n.popular);
        const std::string_view messier = MessierDesignation(objects[i], n);
        const std::string_view ngc = FieldText(n.ngc);
        const std::string words = JoinedWords({popular, messier, ngc});
        auto add = [&](std::string_view first, std::string_view second) {
            std::string text(first);
            if (!second.empty()) text += " (" + std::string(second) + ")";
            entries.push_back({text, static_cast<int32_t>(i), words});
        };
        if (popular.empty()) {
            if (!messier.empty()) add(messier, {});
            if (!ngc.empty() && ngc != messier) add(ngc, {});
            continue;
        }
        add(popular, !messier.empty() ? messier : ngc);
        if (!messier.empty()) add(messier, popular);
        if (!ngc.empty() && ngc != messier) add(ngc, popular);
    }
    SortAsList(entries);
    return entries;
}

std::vector<FindEntry> BodyList() {
    std::vector<FindEntry> entries;
    for (int i = 0; i < kBodyCount; ++i) {
        const PlanetElements& body = BodyTable()[static_cast<std::size_t>(i)];
        const std::string name = *body.catalogueNumber
                                     ? std::string(body.catalogueNumber) + " " + body.englishName
                                     : std::string(body.englishName);
        entries.push_back({name, i, JoinedWords({body.japaneseName, KindLabelEnglish(body.kind)})});
    }
    return entries;
}

std::vector<FindEntry> CometList(const state::CometTable* comets) {
    std::vector<FindEntry> entries;
    if (!comets) return entries;
    const int count = std::clamp(comets->count, 0, state::kCometFileLimit);
    for (int i = 0; i < count; ++i) {
        const state::CometRecord& c = comets->records[static_cast<std::size_t>(i)];
        if (c.show == 0) continue;
        entries.push_back({std::string(FieldText(c.NAMEE)), i, std::string(FieldText(c.NAMEJ))});
    }
    return entries;
}

std::vector<FindEntry> AsterismList(const persist::DataSet& data) {
    std::vector<FindEntry> entries;
    const auto records = data.block(BlockId::KISEN).records<persist::AsterismNameRecord>();
    for (std::size_t i = 0; i < records.count(); ++i) {
        const persist::AsterismNameRecord r = records[i];
        if (static_cast<uint16_t>(r.lon) == persist::kListEnd) break;
        entries.push_back({std::string(FieldText(r.name)), static_cast<int32_t>(i), {}});
    }
    return entries;
}

// The Bayer letter written out (a Greek letter's name, or the Latin letter) with the suffix;
// empty without a letter.
std::string BayerText(const persist::DesignationRecord& d) {
    const std::string_view bayer = FieldText(d.bayer);
    if (bayer.empty()) return {};
    std::string text(bayer);
    if (bayer[0] == persist::kGreekBayerMark) {
        text = std::string(GreekLetterName(bayer.size() > 1 ? bayer[1] : 0)) +
               std::string(bayer.substr(std::min<std::size_t>(2, bayer.size())));
    }
    return text + std::string(FieldText(d.suffix));
}

// The name of a small Greek letter that starts at text[i] in UTF-8 ("η" is "Eta"), or nothing.
std::string_view GreekLetterAt(std::string_view text, std::size_t i) {
    if (i + 1 >= text.size()) return {};
    const unsigned lead = static_cast<unsigned char>(text[i]);
    const unsigned next = static_cast<unsigned char>(text[i + 1]);
    if ((lead != 0xCE && lead != 0xCF) || (next & 0xC0) != 0x80) return {};
    const unsigned code = ((lead & 0x1F) << 6) | (next & 0x3F);
    constexpr unsigned kAlpha = 0x3B1, kFinalSigma = 0x3C2, kOmega = 0x3C9;
    if (code < kAlpha || code > kOmega) return {};
    // The final sigma stands before sigma in the code table.
    const unsigned letter = code <= kFinalSigma ? code - kAlpha : code - kAlpha - 1;
    return kGreekLetters[letter];
}

// The words of a text: runs of letters (and of bytes of other characters) or of digits,
// lower-cased; a Greek letter is a word of its own, written out.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    int kind = 0;  // 0 none, 1 letters, 2 digits
    auto end = [&] {
        if (!word.empty()) words.push_back(word);
        word.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (const std::string_view greek = GreekLetterAt(text, i); !greek.empty()) {
            end();
            for (char c : greek)
                word += Lower(c);
            end();
            kind = 0;
            ++i;
            continue;
        }
        const char c = text[i];
        const bool digit = c >= '0' && c <= '9';
        const bool letter =
            (Lower(c) >= 'a' && Lower(c) <= 'z') || static_cast<unsigned char>(c) >= 0x80;
        const int k = digit ? 2 : letter ? 1 : 0;
        if (k != kind) end();
        kind = k;
        if (k) word += Lower(c);
    }
    end();
    return words;
}

}  // namespace

std::string JoinedWords(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (std::string_view part : parts) {
        if (part.empty()) continue;
        if (!text.empty()) text += ' ';
        text += part;
    }
    return text;
}

std::string_view GreekLetterName(char code) {
    if (code < 'a' || code > 'x') return {};
    return kGreekLetters[static_cast<std::size_t>(code - 'a')];
}

std::string StarDesignation(const persist::DesignationRecord& record, int alphaMode) {
    std::string text = BayerText(record);
    if (record.flamsteed != 0 && (text.empty() || alphaMode == 2))
        text = std::to_string(record.flamsteed);
    return text;
}

std::string_view ConstellationName(const persist::ConstellationNameRecord& record, int style) {
    if (style == kScientificNames) return FieldText(record.scientific);
    if (style == kCodeNames) return FieldText(record.code);
    return FieldText(record.popular);
}

int ConstellationOfCode(const persist::DataSet& data, std::string_view code) {
    if (code.empty()) return -1;
    const auto records = Constellations(data);
    for (std::size_t i = 0; i < records.count(); ++i) {
        const persist::ConstellationNameRecord c = records[i];
        if (SameText(FieldText(c.code), code)) return static_cast<int>(i);
    }
    return -1;
}

std::string_view MessierDesignation(const persist::ObjectRecord& object,
                                    const persist::ObjectNameRecord& names) {
    if (object.type == 'M') return {};
    return FieldText(names.messier);
}

std::vector<FindEntry> FindList(int tab, const FindSources& sources) {
    if (tab == kFindBody) return BodyList();
    if (tab == kFindComet) return CometList(sources.comets);
    if (!sources.data) return {};
    const persist::DataSet& data = *sources.data;
    switch (tab) {
        case kFindConstellation:
        case kFindScientific:
            return ConstellationList(data, sources.style, tab == kFindScientific);
        case kFindStarName:
            return StarNameList(data);
        case kFindDeepSky:
            return DeepSkyList(data);
        case kFindAsterism:
            return AsterismList(data);
        default:
            return {};
    }
}

std::vector<FindEntry> ConstellationStars(const FindSources& sources, int constellation) {
    std::vector<FindEntry> entries;
    if (!sources.data) return entries;
    const persist::DataSet& data = *sources.data;
    const auto constellations = Constellations(data);
    if (constellation < 0 || static_cast<std::size_t>(constellation) >= constellations.count())
        return entries;
    const persist::ConstellationNameRecord c = constellations[constellation];
    const std::string_view code = FieldText(c.code);
    const std::string constellationWords = ConstellationWords(c);
    const auto names = StarNamesByNumber(data);
    const auto designations = data.block(BlockId::ALPHA).records<persist::DesignationRecord>();
    // Sorted by "*<letter code>" or the Latin letter, then "z%03d", so that letters come in
    // their order before the numbers; then written out.
    struct Keyed {
        std::string key;
        FindEntry entry;
    };
    std::vector<Keyed> keyed;
    for (std::size_t i = 0; i < designations.count(); ++i) {
        const persist::DesignationRecord d = designations[i];
        if (!SameText(FieldText(d.constellation), code)) continue;
        const auto name = names.find(static_cast<uint32_t>(i));
        FindEntry entry{{},
                        static_cast<int32_t>(i),
                        JoinedWords({name != names.end() ? name->second : "", constellationWords})};
        if (d.bayer[0] != 0 && (sources.alphaMode != 2 || d.flamsteed == 0)) {
            entry.text = BayerText(d);
            keyed.push_back(
                {std::string(FieldText(d.bayer)) + std::string(FieldText(d.suffix)), entry});
        } else if (d.flamsteed != 0) {
            char number[8];
            std::snprintf(number, sizeof number, "z%03d", d.flamsteed);
            entry.text = std::to_string(d.flamsteed);
            keyed.push_back({number, entry});
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    for (Keyed& k : keyed)
        entries.push_back(std::move(k.entry));
    return entries;
}

bool SearchMatches(std::string_view query, std::string_view text) {
    const std::vector<std::string> wanted = Words(query);
    const std::vector<std::string> have = Words(text);
    auto digits = [](const std::string& word) { return word[0] >= '0' && word[0] <= '9'; };
    for (std::size_t i = 0; i < wanted.size(); ++i) {
        // Letters followed by a number ("M 42", "NGC 224") are one designation: the number must
        // follow those letters in the text too.
        const bool designation =
            i + 1 < wanted.size() && !digits(wanted[i]) && digits(wanted[i + 1]);
        bool found = false;
        for (std::size_t j = 0; j < have.size() && !found; ++j) {
            found =
                have[j].starts_with(wanted[i]) &&
                (!designation || (j + 1 < have.size() && have[j + 1].starts_with(wanted[i + 1])));
        }
        if (!found) return false;
        if (designation) ++i;
    }
    return true;
}

int SearchRank(std::string_view query, const FindEntry& entry) {
    const std::vector<std::string> wanted = Words(query);
    if (wanted.empty()) return 1;
    if (!SearchMatches(query, entry.text + " " + entry.words)) return 0;
    const std::vector<std::string> text = Words(entry.text);
    return !text.empty() && text[0].starts_with(wanted[0]) ? 2 : 1;
}

}  // namespace astro
