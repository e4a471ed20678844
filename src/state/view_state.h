// The one shared view state: the moment, the place, the direction and scale of the view, the
// display switches, and the remaining persisted options. Field names are the settings keys.
// Units: angles in tenths of a degree; longitudes positive west; zones in minutes east of UT;
// azimuth counted from the south through the west.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace state {

// The displayed moment; kept normalised, no seconds anywhere.
struct CivilClock {
    int32_t year = 2000;  // astronomical numbering, year 0 = 1 BC
    int32_t month = 1;    // 1..12
    int32_t day = 1;      // 1..month length
    int32_t hour = 0;     // 0..23
    int32_t minute = 0;   // 0..59

    friend bool operator==(const CivilClock&, const CivilClock&) = default;
};

// Colour and style of one line kind (the 4-byte settings record).
struct LineSet {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t style = 0;  // 0 solid, 1 dotted, 2 no line style

    friend bool operator==(const LineSet&, const LineSet&) = default;
};
static_assert(sizeof(LineSet) == 4);

// One font slot (the 44-byte settings record).
struct FontSet {
    char face[32] = {};  // zero-terminated
    int32_t size = 10;   // 4..72
    int32_t bold = 0;
    int32_t italic = 0;
};
static_assert(sizeof(FontSet) == 44);

// One stored place (the 80-byte city record shared by the CITY block and the user cities).
// Latitude and longitude are tenths of a degree in memory.
struct CityRecord {
    char name[32] = {};
    char country[32] = {};
    int16_t latitude = 0;   // north positive
    int16_t longitude = 0;  // west positive
    int16_t zone = 0;       // minutes east of UT
    uint8_t spare = 0;
    uint8_t unitMarker = 0;  // 10 when the record holds tenths of a degree
    uint8_t reserved[8] = {};
};
static_assert(sizeof(CityRecord) == 80);

inline constexpr int kLineSetCount = 23;
inline constexpr int kFontSetCount = 23;
inline constexpr int kUserCityLimit = 40;
inline constexpr int kDialogSlots = 13;
inline constexpr int kZoomMin = 10;
inline constexpr int kZoomMax = 7700;

// Bits of ViewState::PendingMoves: which smooth view moves the main window should start.
inline constexpr int32_t kMoveAzimuth = 2;
inline constexpr int32_t kMoveAltitude = 4;
inline constexpr int32_t kMoveZoom = 8;

struct ViewState {
    // Moment.
    CivilClock clock;
    int32_t Keisanji = 0;  // 0 Local, 1 Greenwich, 2 System, 3 Real Time
    int32_t Dst = 0;
    int32_t TimeZone = -300;
    int32_t SystemZone = 0;  // not persisted
    int32_t IncTime = 0;

    // Place.
    int32_t Ido2 = 410;
    int32_t Keido2 = 740;
    int32_t CurrentCity = -1;  // built-in 0.., user 10000 + i, -1 none; not persisted

    // Direction and scale.
    int32_t SekidouMod = 0;
    double Houi2 = 0.0;   // tenths of a degree (azimuth from south, or right ascension)
    double Koudo2 = 0.0;  // tenths of a degree (altitude, or declination)
    int32_t Zoom = 80;
    int32_t UnderHorizon = 1;

    // What is drawn.
    int32_t Constella = 1;
    int32_t StarName = 0;
    int32_t AlphaMode = 1;
    int32_t Galaxy = 1;
    int32_t SeiunImage = 1;
    int32_t Solar = 3;
    int32_t WakuseiLevel = 3;
    int32_t Comet = 3;
    int32_t DrawStars = 15;
    int32_t BrightAuto = 1;
    int32_t AutoBriMode = 0;
    int32_t UseGsc = 1;
    int32_t Line = 1;
    int32_t Picture = 0;
    int32_t Kyoukai = 0;
    int32_t Kisetu = 0;
    int32_t KisetuName = 1;
    int32_t ShukuLine = 0;
    int32_t ShukuName = 0;
    int32_t ShukuStar = 0;
    int32_t MilkyWay = 1;
    int32_t Horizon = 1;
    int32_t Jimen = 1;
    int32_t Yama = 1;
    int32_t Glid = 1;
    int32_t GridScale = 0;
    int32_t Sekidou = 0;
    int32_t Koudou = 0;
    int32_t Hakumei = 1;
    int32_t HougakuNW = 0;

    // Remembered modes of the one-button switches.
    int32_t ConstellaDef = 1;
    int32_t GalaxyDef = 1;
    int32_t StarNameDef = 2;
    int32_t SolarDef = 3;
    int32_t CometDef = 3;
    int32_t KisetuNameDef = 1;
    int32_t SekidouDef = 0;
    int32_t SekidouDef2 = 2;
    int32_t KoudouDef = 0;
    int32_t KoudouDef2 = 2;

    // How things are drawn.
    int32_t DrawStarMode3 = 1;
    int32_t MoonWaku = 0;
    int32_t Chijoukou = 1;
    int32_t Yuuyake = 1;
    int32_t Taiyoukou = 1;
    int32_t SeiunHiruma = 0;
    int32_t SeizaHiruma = 0;
    int32_t WakuseiHiruma = 0;
    int32_t CenterGuide = 1;
    int32_t CircleGuide = 0;
    int32_t CircleSize = 45;
    int32_t Shaya = 0;
    int32_t ShayaSize = 32;
    int32_t SmoothIdou = 1;
    int32_t FindUnder = 1;
    int32_t SaisaKeisan = 1;
    int32_t KoyuKeisan = 1;
    int32_t TaikisaKeisan = 1;
    // Precise positions: the Sun, Moon, planets, Pluto, the minor bodies and the sidereal angle
    // from standard theories with light time, aberration and Delta T (0: the mean elements).
    int32_t SeimitsuKeisan = 1;
    int32_t DblClick = 3;
    // Labels never pile up: a label whose box would overlap one already placed is left out.
    int32_t KasanariYoke = 1;

    // Line colours and font slots.
    std::array<LineSet, kLineSetCount> lineSets{};
    std::array<FontSet, kFontSetCount> fontSets{};

    // Run-time state, not persisted.
    bool ViewChanged = true;
    bool AutoRunning = false;
    bool Tracking = false;
    bool GscAvailable = false;
    bool UnicodeText = true;
    bool TrueColourDisplay = true;
    bool ScreenSaverMode = false;

    // Smooth view moves requested by commands and by centring; the main window animates them
    // from paint to paint and clears the bits it has taken over. Targets in the units of
    // Houi2, Koudo2 and Zoom.
    int32_t PendingMoves = 0;
    double MoveTargetHoui2 = 0.0;
    double MoveTargetKoudo2 = 0.0;
    int32_t MoveTargetZoom = 80;

    // The tracked object (kind and index, see astro::ObjectRef) while Tracking is set, and the
    // main window's suppression of tracking while the user drags the sky.
    int32_t TrackedKind = -1;
    int32_t TrackedIndex = 0;
    bool TrackingSuppressed = false;
};

// Persisted options that belong to the windows and dialogs rather than to the picture.
struct AppOptions {
    int32_t ToolBar = 1;
    int32_t StatusBar = 1;
    int32_t ZoomEarth = 0;
    int32_t FrameEarth = 0;
    int32_t FindSeiza = 0;
    int32_t MediaMidi = 1;
    int32_t SpeakFlag = 1;
    int32_t MediaZoom = 1;
    int32_t ColorPrint = 0;
    int32_t PrintInfo = 1;
    int32_t SaveDefault = 1;

    // Automatic mode.
    int32_t AutoType = 0;
    int32_t AutoYear = 0;
    int32_t AutoMonth = 0;
    int32_t AutoDay = 0;
    int32_t AutoHour = 0;
    int32_t AutoMinit = 3;
    int32_t Interval = 1;
    int32_t AutoRepeat = 10;
    int32_t AutoBack = 0;
    std::array<int32_t, 5> AutoTaishou{1, 1, 1, 1, 0};

    int32_t StartFix = 0;
    int32_t EndFix = 1;
    int32_t CometBright = 60;
    int32_t CometKyori = 20;

    int32_t PlanetWnd = 1;
    int32_t MoonWnd = 1;
    int32_t PlanetZoom = 2;
    int32_t PlanetK1 = 0;
    int32_t PlanetK2 = 0;
    int32_t PlaShunbun = 1;
    int32_t PlaCometKidou = 0;
    int32_t PlaWaiwakuKidou = 0;

    int32_t SaveOption = 15;
    int32_t OnePointNo = -1;
    int32_t ShowOnePoint = 1;

    // Remembered dialog positions, slots 1..13 stored at index 0..12.
    std::array<int32_t, kDialogSlots> DlgPosX{20, 20, 20, 20, 20, 20, 20, 20, 20, 40, 20, 20, 20};
    std::array<int32_t, kDialogSlots> DlgPosY{80, 80, 80, 80, 80, 80, 80, 80, 80, 100, 80, 80, 80};
    int32_t DlgWid7 = 300;
    int32_t DlgHei7 = 200;
    int32_t DlgWid10 = 120;
    int32_t DlgHei10 = 130;

    int32_t KosinAutoView = 0;
    int32_t KosinAutoTime = 0;
    int32_t KosinAutoScrn = 0;
    int32_t KosinAutoCity = 0;

    std::string Version;   // up to 16 characters
    std::string GscPath;   // up to 256 characters; absolute after loading
    std::string UserPath;  // up to 256 characters; absolute after loading

    int32_t UserCitys = 0;
    std::array<CityRecord, kUserCityLimit> userCities{};
};

}  // namespace state
