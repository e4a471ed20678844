#include "shell/menu_state.h"

#include <QAction>
#include <QToolBar>

#include "shell/commands.h"
#include "shell/menus.h"
#include "shell/string_table.h"
#include "shell/toolbar.h"

namespace shell {
namespace {

void Check(MenuSet& menus, int command, bool on) {
    for (QAction* action : menus.Actions(command))
        if (action->isChecked() != on) action->setChecked(on);
}

void Enable(MenuSet& menus, Toolbar& toolbar, int command, bool on) {
    for (QAction* action : menus.Actions(command))
        action->setEnabled(on);
    if (QAction* button = toolbar.Button(command)) button->setEnabled(on);
}

void Radio(MenuSet& menus, int first, int last, int value) {
    for (int command = first; command <= last; ++command)
        Check(menus, command, command == first + value);
}

void Press(Toolbar& toolbar, int command, bool on) {
    if (QAction* button = toolbar.Button(command))
        if (button->isChecked() != on) button->setChecked(on);
}

// The direction items of the mode are shown and captioned from the string table.
void ShowDirectionItems(MenuSet& menus, bool equatorMode) {
    struct Item {
        int command;
        int caption;
        bool equator;
    };
    static constexpr Item kItems[] = {
        {400, 52, false},   {402, 53, false},   {401, 54, false}, {403, 55, false},
        {40060, 64, false}, {40061, 65, false}, {404, 48, true},  {405, 49, true},
        {406, 50, true},    {407, 51, true},
    };
    for (const Item& item : kItems) {
        for (QAction* action : menus.Actions(item.command)) {
            action->setText(QString::fromStdString(LoadString(item.caption)));
            action->setVisible(item.equator == equatorMode);
        }
    }
}

}  // namespace

void RefreshMenus(const state::ViewState& v, const state::AppOptions& o, MenuSet& menus,
                  Toolbar& toolbar, MenuMemory& memory) {
    const bool modeChanged = memory.sekidouMod != v.SekidouMod;
    if (modeChanged || memory.incTime != v.IncTime) toolbar.Rebuild(v.SekidouMod, v.IncTime);
    if (modeChanged) ShowDirectionItems(menus, v.SekidouMod);
    memory.sekidouMod = v.SekidouMod;
    memory.incTime = v.IncTime;

    const int autoCaption = o.AutoType * 1 + (v.AutoRunning ? 10 : 0);
    if (autoCaption != memory.autoCaption) {
        const char* caption =
            o.AutoType != 0 ? (v.AutoRunning ? "Tr&acing Mode OFF\tA" : "Tr&acing Mode ON\tA")
                            : (v.AutoRunning ? "F&ast Clocking OFF\tA" : "F&ast Clocking ON\tA");
        for (QAction* action : menus.Actions(331))
            action->setText(QString::fromUtf8(caption));
        memory.autoCaption = autoCaption;
    }

    Radio(menus, 2001, 2056, v.DrawStars);
    Radio(menus, 220, 224, v.Galaxy);
    Radio(menus, 300, 303, v.Keisanji);
    Radio(menus, 200, 203, v.Constella);
    Radio(menus, 210, 214, v.StarName);
    Radio(menus, 230, 233, v.Solar);
    Radio(menus, 240, 243, v.Comet);
    Radio(menus, 1210, 1213, v.Sekidou);
    Radio(menus, 1220, 1223, v.Koudou);
    Radio(menus, 164, 167, v.DblClick);
    Radio(menus, 40071, 40092, v.IncTime);
    for (int i = 0; i < 14; ++i)
        Check(menus, 40041 + i, kZoomMenuValues[i] == v.Zoom);

    Check(menus, 40030, v.AlphaMode & 1);
    Check(menus, 40031, v.AlphaMode & 2);
    Check(menus, 40035, v.BrightAuto);
    Check(menus, 251, v.Line);
    Check(menus, 40017, v.Kisetu);
    Check(menus, 40025, v.KisetuName);
    Check(menus, 252, v.Picture);
    Check(menus, 257, v.Kyoukai);
    Check(menus, 40020, v.ShukuLine);
    Check(menus, 40021, v.ShukuName);
    Check(menus, 40022, v.ShukuStar);
    Check(menus, 40032, v.MilkyWay);
    Check(menus, 253, v.Horizon);
    Check(menus, 40014, v.Jimen);
    Check(menus, 40062, v.Glid);
    Check(menus, 1230, v.Glid);
    Check(menus, 1231, v.GridScale);
    Check(menus, 40015, v.Hakumei);
    Check(menus, 146, o.ToolBar);
    Check(menus, 145, o.StatusBar);
    Check(menus, 311, v.Dst);
    Check(menus, 331, v.AutoRunning);
    Check(menus, 163, o.SaveDefault);
    Check(menus, 149, o.PlanetWnd);
    Check(menus, 40011, o.MoonWnd);
    Check(menus, 107, v.SekidouMod);
    Check(menus, 40066, v.SeiunImage);
    Check(menus, 40039, v.UseGsc && v.GscAvailable);
    Check(menus, 40104, v.WakuseiLevel >= 3);
    Check(menus, 40105, v.WakuseiLevel >= 5);

    Enable(menus, toolbar, 415, v.Tracking);
    Enable(menus, toolbar, 40014, v.Horizon);
    Enable(menus, toolbar, 1231, v.Glid);
    Enable(menus, toolbar, 40068, v.Keisanji != 3);
    Enable(menus, toolbar, 40069, v.Keisanji != 3);
    for (int command : {40020, 40021, 40022})
        Enable(menus, toolbar, command, v.UnicodeText);
    // The twilight colour belongs to the horizon view; its button is off in equator mode.
    if (QAction* twilight = toolbar.Button(40015)) twilight->setEnabled(!v.SekidouMod);

    Press(toolbar, 331, v.AutoRunning);
    Press(toolbar, 207, v.Constella != 0);
    Press(toolbar, 217, v.StarName != 0);
    Press(toolbar, 227, v.Galaxy != 0);
    Press(toolbar, 237, v.Solar != 0);
    Press(toolbar, 247, v.Comet != 0);
    Press(toolbar, 251, v.Line);
    Press(toolbar, 252, v.Picture);
    Press(toolbar, 39, v.Kisetu);
    Press(toolbar, 149, o.PlanetWnd);
    Press(toolbar, 40011, o.MoonWnd);
    Press(toolbar, 271, v.Sekidou >= 2);
    Press(toolbar, 272, v.Koudou >= 2);
    if (!v.SekidouMod) {
        Press(toolbar, 253, v.Horizon);
        Press(toolbar, 40062, v.Glid);
        Press(toolbar, 40015, v.Hakumei);
    } else {
        Press(toolbar, 40015, false);
    }
}

}  // namespace shell
