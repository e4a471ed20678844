#include "shell/commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "astro/city_lookup.h"
#include "astro/clock.h"
#include "astro/inverse_projection.h"
#include "astro/time_steps.h"
#include "astro/view_frame.h"
#include "shell/file_commands.h"
#include "shell/program.h"
#include "shell/string_table.h"
#include "state/messages.h"

namespace shell {
namespace {

constexpr int kMoveAzimuth = state::kMoveAzimuth;
constexpr int kMoveAltitude = state::kMoveAltitude;
constexpr int kMoveZoom = state::kMoveZoom;

void Refuse(const std::string& text, state::MessageIcon icon = state::MessageIcon::Exclamation) {
    state::ShowMessage({text, "", icon, state::MessageButtons::Ok});
}

double Wrap3600(double value) {
    value = std::fmod(value, 3600.0);
    if (value < 0) value += 3600.0;
    return value;
}

int Cycle(int value, int count, bool forward) {
    if (value < 0 || value >= count) value = 0;
    return forward ? (value + 1) % count : (value + count - 1) % count;
}

// A cycle over 0..3 that never stops on the value skipped.
int CycleSkipping(int value, int skipped, bool forward) {
    int next = Cycle(value, 4, forward);
    if (next == skipped) next = Cycle(next, 4, forward);
    return next;
}

// One-button switch of a label group: off remembers the mode, on restores it.
void OneButton(int& value, int& remembered, int fallback) {
    if (value != 0) {
        remembered = value;
        value = 0;
    } else {
        value = remembered != 0 ? remembered : fallback;
    }
}

// The equator and ecliptic buttons swap between the last mode without grid and the last with it.
void GridButton(int& value, int& withoutGrid, int& withGrid) {
    if (value <= 1) {
        withoutGrid = value;
        value = withGrid;
    } else {
        withGrid = value;
        value = withoutGrid;
    }
}

class Runner {
  public:
    Runner(Program& program, CommandHost& host)
        : program_(program), view_(program.view), options_(program.options), host_(host) {}

    bool Run(int command);

  private:
    void Changed() {
        view_.ViewChanged = true;
        host_.Redraw();
        host_.RefreshMenus();
    }
    void OpenDialog(dialogs::DialogKind kind) {
        host_.OpenDialog(kind);
        host_.RefreshMenus();
    }
    void CancelTracking() {
        if (!view_.Tracking) return;
        view_.Tracking = false;
        host_.RefreshStatusBar();
        host_.RefreshMenus();
    }
    void Toggle(int32_t& value) {
        value = value ? 0 : 1;
        Changed();
    }
    void Set(int32_t& value, int newValue) {
        value = newValue;
        Changed();
    }
    struct Step {
        int years, months, days, hours, minutes;
    };
    void StepClock(int sign, const Step& step);
    void StepClockMinutes(int minutes) { StepClock(1, {0, 0, 0, 0, minutes}); }
    void FindCurrentCity() {
        view_.CurrentCity = astro::FindCity(host_.BuiltinCities(), options_, view_.Ido2,
                                            view_.Keido2, view_.TimeZone);
    }
    void SetTimeMode(int mode);
    void ReadClock();
    void ToggleAuto();
    void SmoothAzimuth(double target);
    void SmoothAltitude(double target);
    void SmoothDirection(double azimuth, double altitude);
    void ChangeAltitude(double amount);
    void ChangeAzimuth(double amount);
    void ChangeZoom(int zoom);
    bool CenterOnClick();
    void StepLongitude(int bias);
    void StepLatitude(int bias);
    void SelectUserCity(int index);
    void Brighter();
    void ScientificLabels(bool forward);
    void OldChinese(bool forward);
    void Asterisms(bool forward);
    void GuideStarCatalog();
    void StartTracking();

    Program& program_;
    state::ViewState& view_;
    state::AppOptions& options_;
    CommandHost& host_;
};

void Runner::StepClock(int sign, const Step& step) {
    if (astro::AddToClock(view_, sign * step.years, sign * step.months, sign * step.days,
                          sign * step.hours, sign * step.minutes))
        Changed();
}

void Runner::SetTimeMode(int mode) {
    if (!astro::SwitchTimeMode(view_, mode)) return;
    if (mode == astro::kRealTime) host_.PostCommand(321);
    Changed();
}

void Runner::ReadClock() {
    if (astro::ObtainCurrentTime(view_)) Changed();
}

void Runner::ToggleAuto() {
    if (view_.AutoRunning) {
        view_.AutoRunning = false;
    } else {
        if (view_.Keisanji == astro::kRealTime && options_.AutoType == 0) {
            Refuse("Auto drive does not work\n\nwhen you set real time mode.");
            return;
        }
        view_.AutoRunning = true;
    }
    if (options_.AutoType == 0) {
        host_.PresetAutoTick();
        host_.RunNarrationCheck();
    } else {
        Changed();
    }
    host_.RefreshStatusBar();
    host_.RefreshMenus();
}

void Runner::SmoothAzimuth(double target) {
    if (view_.Houi2 == target) return;
    host_.MoveSmoothly(kMoveAzimuth, target, view_.Koudo2, view_.Zoom);
}

void Runner::SmoothAltitude(double target) {
    if (view_.Koudo2 == target) return;
    host_.MoveSmoothly(kMoveAltitude, view_.Houi2, target, view_.Zoom);
}

void Runner::SmoothDirection(double azimuth, double altitude) {
    if (view_.Houi2 == azimuth && view_.Koudo2 == altitude) return;
    host_.MoveSmoothly(kMoveAzimuth | kMoveAltitude, azimuth, altitude, view_.Zoom);
}

void Runner::ChangeAltitude(double amount) {
    const double lowest = (view_.SekidouMod || view_.UnderHorizon) ? -900.0 : 0.0;
    double next = view_.Koudo2 + amount;
    if (amount > 0) {
        if (view_.Koudo2 >= 900.0) return;
        next = std::min(next, 900.0);
    } else {
        if (view_.Koudo2 <= lowest) return;
        next = std::max(next, lowest);
    }
    view_.Koudo2 = next;
    Changed();
}

void Runner::ChangeAzimuth(double amount) {
    view_.Houi2 = Wrap3600(view_.Houi2 + (view_.SekidouMod ? -amount : amount));
    Changed();
}

void Runner::ChangeZoom(int zoom) {
    if (zoom == view_.Zoom) return;
    view_.Zoom = zoom;
    Changed();
}

bool Runner::CenterOnClick() {
    if (!astro::CenterViewOn(view_, host_.Tables(), host_.ClickX(), host_.ClickY())) return false;
    // With smooth moves on, the new direction waits as a pending move for the next paint.
    Changed();
    return true;
}

void Runner::StepLongitude(int bias) {
    int longitude = ((view_.Keido2 + bias) / 10 - 360) * 10;
    if (longitude < -1800) longitude += 3600;
    if (longitude > 1800) longitude -= 3600;
    view_.Keido2 = longitude;
    FindCurrentCity();
    Changed();
}

void Runner::StepLatitude(int bias) {
    if ((bias > 3600 && view_.Ido2 >= 900) || (bias < 3600 && view_.Ido2 <= -900)) return;
    int latitude = ((view_.Ido2 + bias) / 10 - 360) * 10;
    latitude = std::clamp(latitude, -900, 900);
    view_.Ido2 = latitude;
    FindCurrentCity();
    Changed();
}

void Runner::SelectUserCity(int index) {
    if (index >= options_.UserCitys || index >= state::kUserCityLimit) return;
    if (view_.CurrentCity == 10000 + index) return;
    const state::CityRecord& city = options_.userCities[index];
    if (view_.Keisanji == astro::kLocalTime)
        astro::AddToClock(view_, 0, 0, 0, 0, city.zone - view_.TimeZone);
    view_.Ido2 = city.latitude;
    view_.Keido2 = city.longitude;
    view_.TimeZone = city.zone;
    FindCurrentCity();
    program_.narration.triggers.locationChanged = true;
    Changed();
}

void Runner::Brighter() {
    if (view_.BrightAuto) return;
    const bool deep = view_.Zoom >= 500 && view_.UseGsc && view_.GscAvailable;
    const int limit = deep ? 110 : 55;
    if (view_.DrawStars >= limit) return;
    Set(view_.DrawStars, view_.DrawStars + 1);
}

void Runner::ScientificLabels(bool forward) {
    int& mode = view_.AlphaMode;
    if (view_.StarName != 3) {
        view_.StarName = 3;
        mode = forward ? 1 : 2;
    } else if (forward) {
        if (mode == 1) {
            mode = 3;
        } else if (mode == 3) {
            mode = 2;
        } else {
            view_.StarName = 0;
            mode = 1;
        }
    } else {
        if (mode == 2) {
            mode = 3;
        } else if (mode == 3) {
            mode = 1;
        } else {
            view_.StarName = 0;
            mode = 1;
        }
    }
    Changed();
}

void Runner::OldChinese(bool forward) {
    if (!view_.UnicodeText) return;
    int stage = 0;
    if (view_.ShukuLine && !view_.ShukuName && !view_.ShukuStar) stage = 1;
    if (view_.ShukuLine && view_.ShukuName && !view_.ShukuStar) stage = 2;
    if (view_.ShukuLine && view_.ShukuName && view_.ShukuStar) stage = 3;
    stage = forward ? (stage + 1) % 4 : (stage + 3) % 4;
    view_.ShukuLine = stage >= 1;
    view_.ShukuName = stage >= 2;
    view_.ShukuStar = stage >= 3;
    Changed();
}

void Runner::Asterisms(bool forward) {
    // (lines, names): (0,0) -> (1,0) -> (1,1) -> (0,1) -> (0,0).
    static constexpr int kOrder[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    int stage = 0;
    for (int i = 0; i < 4; ++i)
        if ((view_.Kisetu != 0) == kOrder[i][0] && (view_.KisetuName != 0) == kOrder[i][1])
            stage = i;
    stage = forward ? (stage + 1) % 4 : (stage + 3) % 4;
    view_.Kisetu = kOrder[stage][0];
    view_.KisetuName = kOrder[stage][1];
    Changed();
}

void Runner::GuideStarCatalog() {
    if (!view_.GscAvailable) {
        view_.UseGsc = 1;
        char text[600];
        std::snprintf(text, sizeof text, LoadString(63).c_str(), options_.GscPath.c_str());
        Refuse(text, state::MessageIcon::Information);
        host_.RefreshMenus();
        return;
    }
    Toggle(view_.UseGsc);
}

void Runner::StartTracking() {
    view_.Tracking = false;
    if (!host_.TrackObjectAtClick()) Refuse(LoadString(44));
    host_.RefreshStatusBar();
    host_.RefreshMenus();
}

bool Runner::Run(int command) {
    if (command != 321) host_.HideTooltip();
    auto& v = view_;
    auto& o = options_;

    if (command >= 2001 && command <= 2056) {
        const int stars = command - 2001;
        if (stars == v.DrawStars && !v.BrightAuto) return true;
        v.BrightAuto = 0;
        Set(v.DrawStars, stars);
        return true;
    }
    if (command >= 2111 && command <= 2150) {
        SelectUserCity(command - 2111);
        return true;
    }
    if (command >= 2201 && command <= 2210) {
        StepClockMinutes(command - 2200);
        return true;
    }
    if (command >= 2301 && command <= 2310) {
        StepClockMinutes(-(command - 2300));
        return true;
    }
    if (command >= 30000 && command <= 30031) {
        host_.RunExternal(command - 30000);
        return true;
    }
    if (command >= 40041 && command <= 40054) {
        const int zoom = kZoomMenuValues[command - 40041];
        if (zoom != v.Zoom) host_.MoveSmoothly(kMoveZoom, v.Houi2, v.Koudo2, zoom);
        return true;
    }
    if (command >= 40071 && command <= 40091) {
        v.IncTime = command - 40071;
        host_.RefreshMenus();
        return true;
    }
    if (command >= 300 && command <= 303) {
        SetTimeMode(command - 300);
        return true;
    }
    if (command >= 164 && command <= 167) {
        v.DblClick = command - 164;
        host_.WriteSaveDefault();
        host_.RefreshMenus();
        return true;
    }

    switch (command) {
        // File and window.
        case 111:
            host_.CloseMainWindow();
            return true;
        case 105:
        case 106:
            host_.RunUserCityCommand(command);
            return true;
        case 134:
            OpenDialog(dialogs::DialogKind::City);
            return true;
        case 145:
            o.StatusBar = o.StatusBar ? 0 : 1;
            host_.ShowStatusBar(o.StatusBar);
            host_.WriteSaveDefault();
            Changed();
            return true;
        case 146:
            o.ToolBar = o.ToolBar ? 0 : 1;
            host_.ShowToolbar(o.ToolBar);
            host_.WriteSaveDefault();
            Changed();
            return true;
        case 147:
            host_.SetFullScreen(!host_.IsFullScreen());
            return true;
        case 40001:
            if (host_.IsFullScreen()) host_.SetFullScreen(false);
            return true;
        case 149:
            host_.ToggleSolarSystemWindow();
            host_.RefreshMenus();
            return true;
        case 40011:
            host_.ToggleMoonWindow();
            host_.RefreshMenus();
            return true;
        case 163:
            o.SaveDefault = o.SaveDefault ? 0 : 1;
            host_.WriteSaveDefault();
            host_.RefreshMenus();
            return true;
        case 168:
            host_.SaveDisplaySettings();
            return true;

        // Time.
        case 311:
            astro::ToggleDaylightSaving(v);
            Changed();
            return true;
        case 321:
            ReadClock();
            return true;
        case 40068:
        case 40069:
            if (astro::StepClock(v, v.IncTime, command == 40068 ? 1 : -1)) Changed();
            return true;
        case 40070:
            host_.ShowTimeStepMenu();
            return true;
        case 621:
        case 631:
            StepClock(command == 621 ? 1 : -1, {1, 0, 0, 0, 0});
            return true;
        case 622:
        case 632:
            StepClock(command == 622 ? 1 : -1, {0, 1, 0, 0, 0});
            return true;
        case 623:
        case 633:
            StepClock(command == 623 ? 1 : -1, {0, 0, 1, 0, 0});
            return true;
        case 624:
        case 634:
            StepClock(command == 624 ? 1 : -1, {0, 0, 0, 1, 0});
            return true;
        case 625:
        case 635:
            StepClock(command == 625 ? 1 : -1, {0, 0, 0, 0, 1});
            return true;
        case 331:
            ToggleAuto();
            return true;
        case 332:
            if (v.AutoRunning && o.AutoType == 0) {
                v.AutoRunning = false;
                host_.RefreshStatusBar();
            }
            OpenDialog(dialogs::DialogKind::Auto);
            return true;
        case 132:
            OpenDialog(dialogs::DialogKind::Time);
            return true;
        case 131:
            OpenDialog(dialogs::DialogKind::View);
            return true;
        case 133:
            OpenDialog(dialogs::DialogKind::Screen);
            return true;
        case 169:
            OpenDialog(dialogs::DialogKind::Option);
            return true;
        case 161:
            OpenDialog(dialogs::DialogKind::LineSet);
            return true;
        case 162:
            OpenDialog(dialogs::DialogKind::FontSet);
            return true;
        case 246:
            OpenDialog(dialogs::DialogKind::Comet);
            return true;

        // Direction, zoom and position.
        case 400:
        case 404:
            CancelTracking();
            if (v.SekidouMod) {
                SmoothAltitude(900);
            } else {
                SmoothAzimuth(1800);
            }
            return true;
        case 401:
        case 405:
            CancelTracking();
            if (v.SekidouMod) {
                SmoothAltitude(-900);
            } else {
                SmoothAzimuth(0);
            }
            return true;
        case 402:
        case 403:
            if (v.SekidouMod) return true;
            CancelTracking();
            SmoothAzimuth(command == 402 ? 2700 : 900);
            return true;
        case 40060:
        case 406:
            CancelTracking();
            if (v.SekidouMod) {
                SmoothDirection(0, 0);
            } else {
                SmoothAltitude(900);
            }
            return true;
        case 40061:
        case 407:
            CancelTracking();
            if (v.SekidouMod) {
                SmoothDirection(1800, 0);
            } else {
                SmoothAltitude(0);
            }
            return true;
        case 601:
        case 602:
        case 609:
            CancelTracking();
            ChangeAltitude(command == 601 ? 75 : command == 602 ? 25 : 5);
            return true;
        case 603:
        case 604:
        case 610:
            CancelTracking();
            ChangeAltitude(command == 603 ? -75 : command == 604 ? -25 : -5);
            return true;
        case 605:
        case 606:
        case 615:
            CancelTracking();
            ChangeAzimuth(command == 605 ? -75 : command == 606 ? -25 : -5);
            return true;
        case 607:
        case 608:
        case 616:
            CancelTracking();
            ChangeAzimuth(command == 607 ? 75 : command == 608 ? 25 : 5);
            return true;
        case 410:
            ChangeZoom(ZoomedIn(v.Zoom));
            return true;
        case 411:
            ChangeZoom(ZoomedOut(v.Zoom));
            return true;
        case 40055:
            CancelTracking();
            CenterOnClick();
            ChangeZoom(ZoomedIn(v.Zoom, 30));
            return true;
        case 40056:
            CancelTracking();
            CenterOnClick();
            ChangeZoom(ZoomedOut(v.Zoom));
            return true;
        case 107:
            v.SekidouMod = v.SekidouMod ? 0 : 1;
            if (!v.SekidouMod && v.Koudo2 < 0 && !v.UnderHorizon) v.Koudo2 = 0;
            Changed();
            host_.RefreshMenus();
            return true;
        case 611:
            StepLongitude(3595);
            return true;
        case 614:
            StepLongitude(3615);
            return true;
        case 612:
            StepLatitude(3615);
            return true;
        case 613:
            StepLatitude(3595);
            return true;
        case 501:
            CancelTracking();
            CenterOnClick();
            return true;
        case 416:
            StartTracking();
            return true;
        case 415:
            CancelTracking();
            return true;
        case 502:
        case 504:
            host_.ShowObjectInfoAtClick(command == 504);
            return true;
        case 503:
            host_.ShowConstellationAtClick();
            return true;
        case 40057:
            host_.NameStarAtClick();
            return true;
        case 413:
            OpenDialog(dialogs::DialogKind::Find);
            return true;
        case 40058:
            OpenDialog(dialogs::DialogKind::StarSet);
            return true;

        // What is drawn.
        case 200:
        case 201:
        case 202:
        case 203:
            Set(v.Constella, command - 200);
            return true;
        case 207:
            OneButton(v.Constella, v.ConstellaDef, 1);
            Changed();
            return true;
        case 208:
        case 209:
            Set(v.Constella, Cycle(v.Constella, 4, command == 208));
            return true;
        case 210:
        case 211:
        case 212:
        case 213:
        case 214:
            Set(v.StarName, command - 210);
            return true;
        case 217:
            OneButton(v.StarName, v.StarNameDef, 2);
            Changed();
            return true;
        case 218:
        case 219:
            Set(v.StarName, CycleSkipping(v.StarName, 1, command == 218));
            return true;
        case 40018:
        case 40019:
            ScientificLabels(command == 40018);
            return true;
        case 40030:
        case 40031: {
            const int bit = command == 40030 ? 1 : 2;
            if ((v.AlphaMode ^ bit) & 3) v.AlphaMode ^= bit;
            v.StarName = 3;
            Changed();
            return true;
        }
        case 220:
        case 221:
        case 222:
        case 223:
        case 224:
            Set(v.Galaxy, command - 220);
            return true;
        case 227:
            OneButton(v.Galaxy, v.GalaxyDef, 1);
            Changed();
            return true;
        case 228:
        case 229:
            Set(v.Galaxy, Cycle(v.Galaxy, 5, command == 228));
            return true;
        case 40066:
            Toggle(v.SeiunImage);
            return true;
        case 230:
        case 231:
        case 232:
        case 233:
            Set(v.Solar, command - 230);
            return true;
        case 237:
            OneButton(v.Solar, v.SolarDef, 3);
            Changed();
            return true;
        case 238:
        case 239:
            Set(v.Solar, CycleSkipping(v.Solar, 2, command == 238));
            return true;
        case 40104:
            Set(v.WakuseiLevel, v.WakuseiLevel < 3 ? 3 : 2);
            return true;
        case 40105:
            Set(v.WakuseiLevel, v.WakuseiLevel > 4 ? 3 : 5);
            return true;
        case 25430:
            Set(v.WakuseiLevel, v.WakuseiLevel < 3 ? 3 : v.WakuseiLevel < 5 ? 5 : 2);
            return true;
        case 25429:
            Set(v.WakuseiLevel, v.WakuseiLevel < 3 ? 5 : v.WakuseiLevel <= 3 ? 2 : 3);
            return true;
        case 240:
        case 241:
        case 242:
        case 243:
            Set(v.Comet, command - 240);
            return true;
        case 247:
            OneButton(v.Comet, v.CometDef, 3);
            Changed();
            return true;
        case 248:
        case 249:
            Set(v.Comet, CycleSkipping(v.Comet, 2, command == 248));
            return true;
        case 40032:
            Toggle(v.MilkyWay);
            return true;
        case 333:
            Brighter();
            return true;
        case 334:
            if (v.BrightAuto || v.DrawStars <= 0) return true;
            Set(v.DrawStars, v.DrawStars - 1);
            return true;
        case 40035:
            Toggle(v.BrightAuto);
            return true;
        case 40039:
            GuideStarCatalog();
            return true;
        case 251:
            Toggle(v.Line);
            return true;
        case 252:
            Toggle(v.Picture);
            return true;
        case 257:
            Toggle(v.Kyoukai);
            return true;
        case 39:
            if (v.Kisetu) {
                v.Kisetu = 0;
                v.KisetuNameDef = v.KisetuName;
                v.KisetuName = 0;
            } else {
                v.Kisetu = 1;
                v.KisetuName |= v.KisetuNameDef;
            }
            Changed();
            return true;
        case 40017:
            Toggle(v.Kisetu);
            return true;
        case 40025:
            Toggle(v.KisetuName);
            return true;
        case 40028:
        case 40029:
            Asterisms(command == 40028);
            return true;
        case 40020:
            if (v.UnicodeText) Toggle(v.ShukuLine);
            return true;
        case 40021:
            if (v.UnicodeText) Toggle(v.ShukuName);
            return true;
        case 40022:
            if (v.UnicodeText) Toggle(v.ShukuStar);
            return true;
        case 40023:
        case 40024:
            OldChinese(command == 40023);
            return true;
        case 253:
            Toggle(v.Horizon);
            return true;
        case 40014:
            Toggle(v.Jimen);
            return true;
        case 1230:
        case 40062:
        case 40063:
            v.Glid = v.Glid ? 0 : 1;
            if (v.SekidouMod) {
                host_.RefreshMenus();
            } else {
                Changed();
            }
            return true;
        case 1231:
        case 40064:
            v.GridScale = v.GridScale ? 0 : 1;
            if (v.Glid && !v.SekidouMod) {
                Changed();
            } else {
                host_.RefreshMenus();
            }
            return true;
        case 1210:
        case 1211:
        case 1212:
        case 1213:
            Set(v.Sekidou, command - 1210);
            return true;
        case 636:
        case 637:
            Set(v.Sekidou, Cycle(v.Sekidou, 4, command == 636));
            return true;
        case 271:
            GridButton(v.Sekidou, v.SekidouDef, v.SekidouDef2);
            Changed();
            return true;
        case 1220:
        case 1221:
        case 1222:
        case 1223:
            Set(v.Koudou, command - 1220);
            return true;
        case 638:
        case 639:
            Set(v.Koudou, Cycle(v.Koudou, 4, command == 638));
            return true;
        case 272:
            GridButton(v.Koudou, v.KoudouDef, v.KoudouDef2);
            Changed();
            return true;
        case 40015:
            Toggle(v.Hakumei);
            return true;
        case 153:
            host_.ShowAbout();
            return true;
        // The program's pages (home page, web page, and F1 as on every desktop) are its
        // user guide.
        case 40005:
        case 40010:
        case 151:
            host_.OpenHelp({});
            return true;

        case kCommandOpenViewFile:
        case kCommandSaveViewFile:
        case kCommandPrinterSetup:
        case kCommandPrint:
        case kCommandPrintPreview:
        case kCommandExportPdf:
        case kCommandExportPng:
            host_.RunFileCommand(command);
            return true;
        default:
            return false;
    }
}

}  // namespace

int ZoomedIn(int zoom, int minimum) {
    if (zoom >= state::kZoomMax) return zoom;
    // The rounding alone would leave 10 and 20 where they are.
    const int next = std::max(astro::ZoomIn(zoom), zoom + 10);
    return std::clamp(next, std::max(minimum, state::kZoomMin), state::kZoomMax);
}

int ZoomedOut(int zoom) {
    if (zoom < 11) return zoom;
    // The rounding alone would leave 20 and 30 where they are.
    int next = std::min(((10 * zoom / 12 + 5) / 10) * 10, zoom - 10);
    return std::clamp(next, state::kZoomMin, state::kZoomMax);
}

bool RunCommand(Program& program, CommandHost& host, int command) {
    return Runner(program, host).Run(command);
}

}  // namespace shell
