#include "persist/view_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <type_traits>
#include <vector>

#include <unistd.h>

#include "persist/profile.h"
#include "persist/regular_file.h"
#include "persist/settings.h"

namespace persist {
namespace {

// Records are read and written as the machine keeps its integers.
static_assert(std::endian::native == std::endian::little);

// Field offsets of the record in bytes.
enum Offset : int {
    kVersion = 0,
    kKeisanji = 4,
    kDst = 8,
    kConstella = 12,
    kGalaxy = 16,
    kStarName = 20,
    kSolar = 24,
    kComet = 28,
    kDrawStars = 32,
    kLine = 36,
    kPicture = 40,
    kKyoukai = 44,
    kHorizon = 48,
    kGlid = 52,
    kSekidou = 56,
    kKoudou = 60,
    kLatitudeDegrees = 64,
    kLongitudeDegrees = 68,
    kTimeZone = 72,
    kAzimuth = 76,
    kAltitude = 80,
    kZoom = 84,
    kYear = 88,
    kMonth = 92,
    kDay = 96,
    kHour = 100,
    kMinute = 104,
    kStepMinutes = 108,
    kInterval = 112,
    kTrackedKind = 116,
    kTrackedIndex = 120,
    kTracking = 124,
    kSekidouMod = 128,
    kAutoType = 132,
    kAutoYear = 136,
    kAutoMonth = 140,
    kAutoDay = 144,
    kAutoHour = 148,
    kAutoMinit = 152,
    kAutoRepeat = 156,
    kAutoBack = 160,
    kAutoTaishou = 164,
    kAutoRunning = 184,
    kHakumei = 188,
    kJimen = 192,
    kSaisaKeisan = 196,
    kKoyuKeisan = 200,
    kKisetu = 204,
    kAlwaysOne = 208,
    kShukuLine = 212,
    kShukuName = 216,
    kShukuStar = 220,
    kAlphaMode = 224,
    kKisetuName = 228,
    kMilkyWay = 232,
    kBrightAuto = 236,
    kGroups = 240,
    kAzimuth100 = 244,
    kAltitude100 = 248,
    kTaikisaKeisan = 252,
    kGridScale = 256,
    kSeiunImage = 260,
    kIdo2 = 264,
    kKeido2 = 268,
    kWakuseiLevel = 272,
};

void SetStepFromMinutes(int32_t minutes, state::AppOptions& options) {
    options.AutoBack = minutes < 0 ? 1 : 0;
    const int64_t m = std::llabs(static_cast<int64_t>(minutes));
    options.AutoDay = ClampToRange(&state::AppOptions::AutoDay, static_cast<int32_t>(m / 1440));
    options.AutoHour = static_cast<int32_t>((m / 60) % 24);
    options.AutoMinit = static_cast<int32_t>(m % 60);
}

// Whole degrees of a tenths-of-a-degree place, rounded (kept for readers older than 2030).
int32_t WholeDegrees(int32_t tenths) {
    return (tenths + 3605) / 10 - 360;
}

// Hundredths of the angle's unit, truncated; the nudge keeps 123.45 from becoming 12344.
int32_t Hundredths(double value) {
    return static_cast<int32_t>(std::trunc(value * 100.0 + std::copysign(1e-6, value)));
}

// Whether a new file can be made in the path's folder: tried, since the mode bits do not tell
// (a read-only mount, a folder that does not exist, or one that takes no files).
bool CanCreateBeside(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? ""
                                                          : path.substr(0, slash);
    std::string probe = folder + "/.planetarium-XXXXXX";
    const int fd = ::mkstemp(probe.data());
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

// Whole degrees of older files become tenths; beyond two turns nothing is a place anyway.
int32_t DegreesToTenths(int32_t degrees) {
    return std::clamp(degrees, -7200, 7200) * 10;
}

}  // namespace

const char* ViewFileMessage(ViewFileWriteResult result) {
    switch (result) {
        case ViewFileWriteResult::CannotCreate:
            return "Failed to create file.";
        case ViewFileWriteResult::ShortWrite:
            return "Failed to write file.";
        default:
            return "";
    }
}

std::string UnquotedViewPath(const std::string& path) {
    if (path.empty() || path.front() != '"') return path;
    return path.size() >= 2 ? path.substr(1, path.size() - 2) : "";
}

const char* ViewFileMessage(ViewFileResult result) {
    switch (result) {
        case ViewFileResult::CannotOpen:
            return "Failed to open file.";
        case ViewFileResult::TooShort:
            return "Failed to read file.";
        default:
            return "";
    }
}

ViewFileResult ReadViewRecord(const std::string& path, ViewRecord& record) {
    const std::string name = UnquotedViewPath(path);
    std::vector<uint8_t> bytes;
    if (ReadRegularFileStart(name, kViewRecordSize, bytes) != FileStatus::Ok)
        return ViewFileResult::CannotOpen;
    const std::size_t got = bytes.size();
    if (got >= 13 && std::memcmp(bytes.data(), "[DORVANCOMET]", 13) == 0)
        return ViewFileResult::CometFile;
    if (got < static_cast<std::size_t>(kViewRecordMinimum)) return ViewFileResult::TooShort;
    record.fill(0);
    std::memcpy(record.data(), bytes.data(), got);
    return ViewFileResult::Opened;
}

void ApplyViewRecord(const ViewRecord& record, state::ViewState& view, state::AppOptions& options) {
    const auto at = [&record](int offset) { return record[static_cast<std::size_t>(offset / 4)]; };
    // Every field is brought into its range as it is read.
    const auto put = [&](auto field, int offset) {
        if constexpr (std::is_same_v<decltype(field), int32_t state::ViewState::*>) {
            view.*field = ClampToRange(field, at(offset));
        } else {
            options.*field = ClampToRange(field, at(offset));
        }
    };
    using V = state::ViewState;
    using A = state::AppOptions;
    const int32_t version = at(kVersion);
    int groups = 0x7F & ~kGroupAutoOn;
    if (version >= 183) {
        groups = at(kGroups) & 0x7F;
        options.SaveOption = groups;
    }
    const bool viewpoint = groups & kGroupViewpoint;
    const bool time = groups & kGroupTime;
    const bool display = groups & kGroupDisplay;
    const bool location = groups & kGroupLocation;
    const bool automatic = groups & kGroupAuto;
    const bool calculation = groups & kGroupCalculation;

    if (viewpoint) {
        put(&V::Zoom, kZoom);
        if (version >= 1831) {
            view.Houi2 = at(kAzimuth100) * 0.01;
            view.Koudo2 = at(kAltitude100) * 0.01;
        } else {
            view.Houi2 = at(kAzimuth);
            view.Koudo2 = at(kAltitude);
        }
        view.Houi2 = ReduceAzimuth(view.Houi2);
        view.Koudo2 = ClampAltitude(view.Koudo2);
    }
    if (time) {
        put(&V::Keisanji, kKeisanji);
        view.Dst = at(kDst) ? 1 : 0;
        // NormalizeClock, which the caller runs next, bounds the clock fields.
        view.clock = state::CivilClock{at(kYear), at(kMonth), at(kDay), at(kHour), at(kMinute)};
    }
    if (display) {
        put(&V::Constella, kConstella);
        put(&V::Galaxy, kGalaxy);
        put(&V::StarName, kStarName);
        put(&V::Solar, kSolar);
        put(&V::Comet, kComet);
        put(&V::DrawStars, kDrawStars);
        put(&V::Line, kLine);
        put(&V::Picture, kPicture);
        put(&V::Kyoukai, kKyoukai);
        put(&V::Horizon, kHorizon);
        put(&V::Glid, kGlid);
        put(&V::Sekidou, kSekidou);
        put(&V::Koudou, kKoudou);
    }
    if (location) {
        if (version >= 2030) {
            view.Ido2 = ClampLatitude(at(kIdo2));
            view.Keido2 = WrapLongitude(at(kKeido2));
        } else {
            view.Ido2 = ClampLatitude(DegreesToTenths(at(kLatitudeDegrees)));
            view.Keido2 = WrapLongitude(DegreesToTenths(at(kLongitudeDegrees)));
        }
        put(&V::TimeZone, kTimeZone);
    }
    if (version >= 140) {
        if (automatic) {
            SetStepFromMinutes(at(kStepMinutes), options);
            options.Interval = ClampToRange(&A::Interval, std::max(1, at(kInterval)));
        }
        // A view saved without tracking shows its own direction, not the object tracked now.
        if (viewpoint) view.Tracking = at(kTracking) != 0;
        if (viewpoint && view.Tracking) {
            view.TrackedKind = at(kTrackedKind);
            view.TrackedIndex = at(kTrackedIndex);
        }
    } else {
        view.Tracking = false;
    }
    if (viewpoint) view.SekidouMod = version >= 145 && at(kSekidouMod) ? 1 : 0;
    if (version >= 150 && automatic) {
        put(&A::AutoType, kAutoType);
        put(&A::AutoYear, kAutoYear);
        put(&A::AutoMonth, kAutoMonth);
        put(&A::AutoDay, kAutoDay);
        put(&A::AutoHour, kAutoHour);
        put(&A::AutoMinit, kAutoMinit);
        put(&A::AutoRepeat, kAutoRepeat);
        put(&A::AutoBack, kAutoBack);
        if (version >= 155) {
            for (int i = 0; i < 5; ++i)
                options.AutoTaishou[static_cast<std::size_t>(i)] =
                    std::clamp(at(kAutoTaishou + 4 * i), 0, 1);
        }
    }
    if (version >= 157 && version <= 182) view.AutoRunning = at(kAutoRunning) != 0;
    if (version >= 183) view.AutoRunning = (at(kGroups) & kGroupAutoOn) != 0;
    if (version >= 165) {
        if (display) {
            put(&V::Hakumei, kHakumei);
            put(&V::Jimen, kJimen);
            put(&V::Kisetu, kKisetu);
        }
        if (calculation) {
            put(&V::SaisaKeisan, kSaisaKeisan);
            put(&V::KoyuKeisan, kKoyuKeisan);
            if (version >= 1831) put(&V::TaikisaKeisan, kTaikisaKeisan);
        }
    } else if (display) {
        view.Kisetu = 0;
    }
    if (display) {
        if (version < 172) {
            view.ShukuLine = view.ShukuName = view.ShukuStar = 0;
            view.KisetuName = view.Kisetu;
        } else {
            put(&V::ShukuLine, kShukuLine);
            put(&V::ShukuName, kShukuName);
            put(&V::ShukuStar, kShukuStar);
            put(&V::AlphaMode, kAlphaMode);
            put(&V::KisetuName, kKisetuName);
        }
        if (version >= 173) put(&V::MilkyWay, kMilkyWay);
        view.BrightAuto = 0;
        if (version >= 177) put(&V::BrightAuto, kBrightAuto);
        if (version >= 2000) {
            put(&V::GridScale, kGridScale);
            put(&V::SeiunImage, kSeiunImage);
        }
        if (version >= 2500) put(&V::WakuseiLevel, kWakuseiLevel);
    }
    view.ViewChanged = true;
}

ViewRecord BuildViewRecord(const state::ViewState& view, const state::AppOptions& options) {
    ViewRecord record{};
    const auto set = [&record](int offset, int32_t value) {
        record[static_cast<std::size_t>(offset / 4)] = value;
    };
    const int32_t stepMinutes = options.AutoMinit + 60 * (options.AutoHour + 24 * options.AutoDay);
    const std::pair<int, int32_t> fields[] = {
        {kVersion, kViewFormatVersion},
        {kKeisanji, view.Keisanji},
        {kDst, view.Dst},
        {kConstella, view.Constella},
        {kGalaxy, view.Galaxy},
        {kStarName, view.StarName},
        {kSolar, view.Solar},
        {kComet, view.Comet},
        {kDrawStars, view.DrawStars},
        {kLine, view.Line},
        {kPicture, view.Picture},
        {kKyoukai, view.Kyoukai},
        {kHorizon, view.Horizon},
        {kGlid, view.Glid},
        {kSekidou, view.Sekidou},
        {kKoudou, view.Koudou},
        {kLatitudeDegrees, WholeDegrees(view.Ido2)},
        {kLongitudeDegrees, WholeDegrees(view.Keido2)},
        {kTimeZone, view.TimeZone},
        {kAzimuth, static_cast<int32_t>(view.Houi2)},
        {kAltitude, static_cast<int32_t>(view.Koudo2)},
        {kZoom, view.Zoom},
        {kYear, view.clock.year},
        {kMonth, view.clock.month},
        {kDay, view.clock.day},
        {kHour, view.clock.hour},
        {kMinute, view.clock.minute},
        {kStepMinutes, options.AutoBack ? -stepMinutes : stepMinutes},
        {kInterval, options.Interval},
        {kTrackedKind, view.TrackedKind},
        {kTrackedIndex, view.TrackedIndex},
        {kTracking, view.Tracking ? 1 : 0},
        {kSekidouMod, view.SekidouMod},
        {kAutoType, options.AutoType},
        {kAutoYear, options.AutoYear},
        {kAutoMonth, options.AutoMonth},
        {kAutoDay, options.AutoDay},
        {kAutoHour, options.AutoHour},
        {kAutoMinit, options.AutoMinit},
        {kAutoRepeat, options.AutoRepeat},
        {kAutoBack, options.AutoBack},
        {kAutoRunning, view.AutoRunning ? 1 : 0},
        {kHakumei, view.Hakumei},
        {kJimen, view.Jimen},
        {kSaisaKeisan, view.SaisaKeisan},
        {kKoyuKeisan, view.KoyuKeisan},
        {kKisetu, view.Kisetu},
        {kAlwaysOne, 1},
        {kShukuLine, view.ShukuLine},
        {kShukuName, view.ShukuName},
        {kShukuStar, view.ShukuStar},
        {kAlphaMode, view.AlphaMode},
        {kKisetuName, view.KisetuName},
        {kMilkyWay, view.MilkyWay},
        {kBrightAuto, view.BrightAuto},
        {kGroups, options.SaveOption & 0x7F},
        {kAzimuth100, Hundredths(view.Houi2)},
        {kAltitude100, Hundredths(view.Koudo2)},
        {kTaikisaKeisan, view.TaikisaKeisan},
        {kGridScale, view.GridScale},
        {kSeiunImage, view.SeiunImage},
        {kIdo2, view.Ido2},
        {kKeido2, view.Keido2},
        {kWakuseiLevel, view.WakuseiLevel},
    };
    for (const auto& [offset, value] : fields)
        set(offset, value);
    for (int i = 0; i < 5; ++i)
        set(kAutoTaishou + 4 * i, options.AutoTaishou[static_cast<std::size_t>(i)]);
    return record;
}

ViewFileWriteResult WriteViewFile(const std::string& path, const state::ViewState& view,
                                  const state::AppOptions& options) {
    const bool exists = ::access(path.c_str(), F_OK) == 0;
    if (path.empty() || !CanCreateBeside(path) || (exists && ::access(path.c_str(), W_OK) != 0))
        return ViewFileWriteResult::CannotCreate;
    const ViewRecord record = BuildViewRecord(view, options);
    const std::string_view bytes(reinterpret_cast<const char*>(record.data()), kViewRecordSize);
    return WriteFileAtomically(path, bytes) ? ViewFileWriteResult::Written
                                            : ViewFileWriteResult::ShortWrite;
}

ViewFileResult OpenViewFile(const std::string& path, state::ViewState& view,
                            state::AppOptions& options) {
    ViewRecord record{};
    const ViewFileResult result = ReadViewRecord(path, record);
    if (result == ViewFileResult::Opened) ApplyViewRecord(record, view, options);
    return result;
}

}  // namespace persist
