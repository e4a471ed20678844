#include "persist/view_file.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace persist {
namespace {

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
    kStepMinutes = 108,
    kInterval = 112,
    kTrackedKind = 116,
    kTrackedIndex = 120,
    kTracking = 124,
    kSekidouMod = 128,
    kAutoType = 132,
    kAutoTaishou = 164,
    kAutoRunning = 184,
    kHakumei = 188,
    kJimen = 192,
    kSaisaKeisan = 196,
    kKoyuKeisan = 200,
    kKisetu = 204,
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

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f) std::fclose(f);
    }
};

double ReduceTurns(double tenths) {
    tenths -= 3600.0 * std::trunc(tenths / 3600.0);
    return tenths < 0 ? tenths + 3600.0 : tenths;
}

void SetStepFromMinutes(int32_t minutes, state::AppOptions& options) {
    options.AutoBack = minutes < 0 ? 1 : 0;
    const int64_t m = std::llabs(static_cast<int64_t>(minutes));
    options.AutoDay = static_cast<int32_t>(std::min<int64_t>(m / 1440, 9999));
    options.AutoHour = static_cast<int32_t>((m / 60) % 24);
    options.AutoMinit = static_cast<int32_t>(m % 60);
}

}  // namespace

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
    std::string name = path;
    if (!name.empty() && name.front() == '"')
        name = name.size() >= 2 ? name.substr(1, name.size() - 2) : "";
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(name.c_str(), "rb"));
    if (!file) return ViewFileResult::CannotOpen;
    uint8_t bytes[kViewRecordSize] = {};
    const std::size_t got = std::fread(bytes, 1, sizeof bytes, file.get());
    if (got >= 13 && std::memcmp(bytes, "[DORVANCOMET]", 13) == 0) return ViewFileResult::CometFile;
    if (got < static_cast<std::size_t>(kViewRecordMinimum)) return ViewFileResult::TooShort;
    std::memcpy(record.data(), bytes, sizeof bytes);
    return ViewFileResult::Opened;
}

void ApplyViewRecord(const ViewRecord& record, state::ViewState& view, state::AppOptions& options) {
    const auto at = [&record](int offset) { return record[static_cast<std::size_t>(offset / 4)]; };
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
        view.Zoom = std::clamp(at(kZoom), state::kZoomMin, state::kZoomMax);
        if (version >= 1831) {
            view.Houi2 = at(kAzimuth100) * 0.01;
            view.Koudo2 = at(kAltitude100) * 0.01;
        } else {
            view.Houi2 = at(kAzimuth);
            view.Koudo2 = at(kAltitude);
        }
        view.Houi2 = ReduceTurns(view.Houi2);
        view.Koudo2 = std::clamp(view.Koudo2, -900.0, 900.0);
    }
    if (time) {
        view.Keisanji = std::clamp(at(kKeisanji), 0, 3);
        view.Dst = at(kDst) ? 1 : 0;
        view.clock = state::CivilClock{at(kYear), at(kYear + 4), at(kYear + 8), at(kYear + 12),
                                       at(kYear + 16)};
    }
    if (display) {
        view.Constella = at(kConstella);
        view.Galaxy = at(kGalaxy);
        view.StarName = at(kStarName);
        view.Solar = at(kSolar);
        view.Comet = at(kComet);
        view.DrawStars = std::clamp(at(kDrawStars), 0, 110);
        view.Line = at(kLine);
        view.Picture = at(kPicture);
        view.Kyoukai = at(kKyoukai);
        view.Horizon = at(kHorizon);
        view.Glid = at(kGlid);
        view.Sekidou = at(kSekidou);
        view.Koudou = at(kKoudou);
    }
    if (location) {
        if (version >= 2030) {
            view.Ido2 = at(kIdo2);
            view.Keido2 = at(kKeido2);
        } else {
            view.Ido2 = at(kLatitudeDegrees) * 10;
            view.Keido2 = at(kLongitudeDegrees) * 10;
        }
        view.Ido2 = std::clamp(view.Ido2, -900, 900);
        view.Keido2 = std::clamp(view.Keido2, -1800, 1800);
        view.TimeZone = std::clamp(at(kTimeZone), -1440, 1440);
    }
    if (version >= 140) {
        if (automatic) {
            SetStepFromMinutes(at(kStepMinutes), options);
            options.Interval = std::max(1, at(kInterval));
        }
        if (viewpoint && at(kTracking) != 0) {
            view.TrackedKind = at(kTrackedKind);
            view.TrackedIndex = at(kTrackedIndex);
            view.Tracking = true;
        }
    } else {
        view.Tracking = false;
    }
    if (viewpoint) view.SekidouMod = version >= 145 && at(kSekidouMod) ? 1 : 0;
    if (version >= 150 && automatic) {
        options.AutoType = at(kAutoType);
        options.AutoYear = at(kAutoType + 4);
        options.AutoMonth = at(kAutoType + 8);
        options.AutoDay = at(kAutoType + 12);
        options.AutoHour = at(kAutoType + 16);
        options.AutoMinit = at(kAutoType + 20);
        options.AutoRepeat = std::clamp(at(kAutoType + 24), 0, 1000);
        options.AutoBack = at(kAutoType + 28);
        if (version >= 155) {
            for (int i = 0; i < 5; ++i)
                options.AutoTaishou[static_cast<std::size_t>(i)] = at(kAutoTaishou + 4 * i);
        }
    }
    if (version >= 157 && version <= 182) view.AutoRunning = at(kAutoRunning) != 0;
    if (version >= 183) view.AutoRunning = (at(kGroups) & kGroupAutoOn) != 0;
    if (version >= 165) {
        if (display) {
            view.Hakumei = at(kHakumei);
            view.Jimen = at(kJimen);
            view.Kisetu = at(kKisetu);
        }
        if (calculation) {
            view.SaisaKeisan = at(kSaisaKeisan);
            view.KoyuKeisan = at(kKoyuKeisan);
            if (version >= 1831) view.TaikisaKeisan = at(kTaikisaKeisan);
        }
    } else if (display) {
        view.Kisetu = 0;
    }
    if (display) {
        if (version < 172) {
            view.ShukuLine = view.ShukuName = view.ShukuStar = 0;
            view.KisetuName = view.Kisetu;
        } else {
            view.ShukuLine = at(kShukuLine);
            view.ShukuName = at(kShukuName);
            view.ShukuStar = at(kShukuStar);
            view.AlphaMode = at(kAlphaMode);
            view.KisetuName = at(kKisetuName);
        }
        if (version >= 173) view.MilkyWay = at(kMilkyWay);
        view.BrightAuto = version >= 177 ? at(kBrightAuto) : 0;
        if (version >= 2000) {
            view.GridScale = at(kGridScale);
            view.SeiunImage = at(kSeiunImage);
        }
        if (version >= 2500) view.WakuseiLevel = std::clamp(at(kWakuseiLevel), 0, 5);
    }
    view.ViewChanged = true;
}

ViewFileResult OpenViewFile(const std::string& path, state::ViewState& view,
                            state::AppOptions& options) {
    ViewRecord record{};
    const ViewFileResult result = ReadViewRecord(path, record);
    if (result == ViewFileResult::Opened) ApplyViewRecord(record, view, options);
    return result;
}

}  // namespace persist
