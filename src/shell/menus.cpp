#include "shell/menus.h"

#include <QAction>
#include <QActionGroup>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>

#include "shell/string_table.h"

namespace shell {
namespace {

constexpr MenuRow kMainMenu[] = {
    {0, kSubmenu, "&File"},
    {1, 101, "&Open View File..."},
    {1, 102, "&Save View File..."},
    {1, kSeparator, ""},
    {1, 103, "Print Set&up..."},
    {1, 104, "&Print..."},
    {1, 40201, "Print Pre&view..."},
    {1, kSeparator, ""},
    {1, 40202, "Export as PD&F..."},
    {1, 40203, "Export as PN&G..."},
    {1, kSeparator, ""},
    {1, 163, "Save Settings on Exi&t"},
    {1, 168, "Save &Display Settings Now"},
    {1, kSeparator, ""},
    {1, 111, "E&xit"},

    {0, kSubmenu, "&View"},
    {1, 131, "&View...\tF5"},
    {1, kSeparator, ""},
    {1, 400, "&North\tN"},
    {1, 402, "&East\tE"},
    {1, 401, "&South\tS"},
    {1, 403, "&West\tW"},
    {1, 40060, "&Zenith\tHome"},
    {1, 40061, "&Horizon\tEnd"},
    {1, 404, "Celestial &North Pole\tN"},
    {1, 405, "Celestial &South Pole\tS"},
    {1, 406, "Ve&rnal Equinox\tHome"},
    {1, 407, "&Autumnal Equinox\tEnd"},
    {1, kSeparator, ""},
    {1, 410, "Zoom &In\tF3"},
    {1, 411, "Zoom &Out\tF4"},
    {1, kSubmenu, "Zoo&m"},
    {2, 40041, "60 %"},
    {2, 40042, "70 %"},
    {2, 40043, "80 %"},
    {2, 40044, "100 %"},
    {2, 40045, "120 %"},
    {2, 40046, "140 %"},
    {2, 40047, "170 %"},
    {2, 40048, "200 %"},
    {2, 40049, "240 %"},
    {2, 40050, "290 %"},
    {2, 40051, "350 %"},
    {2, 40052, "420 %"},
    {2, 40053, "500 %"},
    {2, 40054, "600 %"},
    {1, kSeparator, ""},
    {1, 107, "E&quator Mode\tCtrl+Q"},
    {1, 415, "Cancel &Tracking"},
    {1, kSeparator, ""},
    {1, 147, "&Full Screen\tAlt+Enter"},
    {1, 146, "Tool&bar"},
    {1, 145, "Stat&us Bar"},
    {1, kSubmenu, "&Double Click"},
    {2, 164, "&Center"},
    {2, 165, "&Object Info"},
    {2, 166, "Co&nstellation Info"},
    {2, 167, "&Telescope View"},

    {0, kSubmenu, "&Time"},
    {1, 132, "&Time...\tF6"},
    {1, kSeparator, ""},
    {1, 300, "&Local Time"},
    {1, 301, "&Greenwich Time"},
    {1, 302, "&System Time"},
    {1, 303, "&Real Time"},
    {1, kSeparator, ""},
    {1, 311, "Da&ylight-Savings Time\tCtrl+Y"},
    {1, 321, "Obtain &Current Time\tCtrl+N"},
    {1, kSeparator, ""},
    {1, 40068, "&Increment\tT"},
    {1, 40069, "&Decrement\tShift+T"},
    {1, kSubmenu, "Increment Ti&me"},
    {2, 40071, "1 minute"},
    {2, 40072, "3 minutes"},
    {2, 40073, "5 minutes"},
    {2, 40074, "10 minutes"},
    {2, 40075, "30 minutes"},
    {2, 40076, "1 hour"},
    {2, 40077, "3 hours"},
    {2, 40079, "1 day"},
    {2, 40080, "5 days"},
    {2, 40081, "10 days"},
    {2, 40082, "1 month"},
    {2, 40083, "3 months"},
    {2, 40084, "1 year"},
    {2, 40085, "5 years"},
    {2, 40086, "10 years"},
    {2, 40087, "50 years"},
    {2, 40088, "100 years"},
    {2, 40091, "23 h 56 min"},
    {1, kSeparator, ""},
    {1, 331, "F&ast Clocking ON\tA"},
    {1, 332, "A&utomatic Mode...\tCtrl+A"},

    {0, kSubmenu, "&Display"},
    {1, 133, "&Display Mode...\tF7"},
    {1, kSeparator, ""},
    {1, kSubmenu, "Constellation &Names"},
    {2, 200, "&None"},
    {2, 201, "&Popular\tC"},
    {2, 202, "&Scientific"},
    {2, 203, "&Code"},
    {1, 251, "Constellation Lines\tL"},
    {1, 252, "Constellation Pictures\tP"},
    {1, 257, "Constellation &Boundaries\tJ"},
    {1, kSubmenu, "&Asterisms"},
    {2, 40017, "Asterism &Lines"},
    {2, 40025, "Asterism &Names"},
    {1, kSubmenu, "&Old Chinese"},
    {2, 40020, "&Lines"},
    {2, 40021, "&Constellation Labels"},
    {2, 40022, "&Star Labels"},
    {1, kSeparator, ""},
    {1, kSubmenu, "&Star Labels"},
    {2, 210, "&None"},
    {2, 212, "&Latin\tX"},
    {2, 213, "&Scientific\tCtrl+X"},
    {2, kSeparator, ""},
    {2, 40030, "&Bayer"},
    {2, 40031, "&Flamsteed"},
    {1, kSubmenu, "Brig&htness"},
    {2, 40035, "&Automatic\tCtrl+B"},
    {2, kSeparator, ""},
    {2, 2001, "Magnitude 4.0"},
    {2, 2006, "Magnitude 4.5"},
    {2, 2011, "Magnitude 5.0"},
    {2, 2016, "Magnitude 5.5"},
    {2, 2021, "Magnitude 6.0"},
    {2, 2026, "Magnitude 6.5"},
    {2, 2031, "Magnitude 7.0"},
    {2, 2036, "Magnitude 7.5"},
    {2, 2041, "Magnitude 8.0"},
    {2, 2046, "Magnitude 8.5"},
    {2, 2051, "Magnitude 9.0"},
    {2, 2055, "Magnitude 9.4"},
    {1, 40039, "G&uide Star Catalog"},
    {1, kSeparator, ""},
    {1, kSubmenu, "Deep S&ky"},
    {2, 220, "&None"},
    {2, 221, "S&ymbol"},
    {2, 222, "&Popular Name\tG"},
    {2, 223, "&Messier"},
    {2, 224, "N&GC"},
    {2, kSeparator, ""},
    {2, 40066, "&Images\tCtrl+G"},
    {1, 40032, "Milk&y Way\tCtrl+K"},
    {1, kSubmenu, "Plane&ts"},
    {2, 230, "&None"},
    {2, 231, "S&ymbol"},
    {2, 233, "&English\tO"},
    {2, kSeparator, ""},
    {2, 40104, "&Dwarf Planets"},
    {2, 40105, "Principal &Asteroids"},
    {1, kSubmenu, "&Comets"},
    {2, 240, "&None"},
    {2, 241, "S&ymbol"},
    {2, 243, "&English\tK"},
    {1, kSeparator, ""},
    {1, 253, "Hori&zon\tI"},
    {1, 40014, "G&round\tCtrl+I"},
    {1, 1230, "&Grid\tR"},
    {1, 1231, "Grid Scale\tShift+R"},
    {1, kSubmenu, "&Equator"},
    {2, 1210, "&None"},
    {2, 1211, "&Equator\tQ"},
    {2, 1212, "Equator and &Grid"},
    {2, 1213, "Grid and &Scale"},
    {1, kSubmenu, "Ecl&iptic"},
    {2, 1220, "&None"},
    {2, 1221, "&Ecliptic\tU"},
    {2, 1222, "Ecliptic and &Grid"},
    {2, 1223, "Grid and &Scale"},
    {1, 40015, "T&wilight\tCtrl+W"},
    {1, kSeparator, ""},
    {1, 169, "O&ptions..."},
    {1, 162, "&Fonts..."},
    {1, 161, "Colors and &Lines..."},
    {1, 40058, "Star Na&mes..."},

    {0, kSubmenu, "&Location"},
    {1, 134, "&Location...\tF8"},
    {1, kSeparator, ""},
    {1, 105, "&Add User Location..."},
    {1, 106, "&Edit User Location..."},

    {0, kSubmenu, "&Astronomy"},
    {1, 413, "&Find...\tF2"},
    {1, kSeparator, ""},
    {1, 149, "&Solar System Window\tF9"},
    {1, 40011, "&Moon Window\tCtrl+M"},
    {1, kSeparator, ""},
    {1, 246, "&Comets..."},

    {0, kSubmenu, "&Help"},
    {1, 40010, "&Home Page\tF12"},
    {1, 40005, "&Web Page"},
    {1, kSeparator, ""},
    {1, 153, "&About Planetarium..."},
};

constexpr MenuRow kPopup[] = {
    {0, 501, "&Center"},
    {0, 502, "Object &Info..."},
    {0, 504, "&Telescope View..."},
    {0, 503, "C&onstellation Info..."},
    {0, kSeparator, ""},
    {0, 40055, "&Zoom In Here"},
    {0, 40056, "Zoom O&ut Here"},
    {0, kSeparator, ""},
    {0, 416, "Set Trac&king"},
    {0, kSeparator, ""},
    {0, 40057, "&Name a Star..."},
};

constexpr MenuRow kFullScreenPopup[] = {
    {0, 40001, "E&xit Full Screen\tEsc"},
    {0, kSeparator, ""},
    {0, 501, "&Center"},
    {0, 502, "Object &Info..."},
    {0, 504, "&Telescope View..."},
    {0, 503, "C&onstellation Info..."},
    {0, kSeparator, ""},
    {0, 40055, "&Zoom In Here"},
    {0, 40056, "Zoom O&ut Here"},
    {0, kSeparator, ""},
    {0, 416, "Set Trac&king"},
    {0, kSeparator, ""},
    {0, 40057, "&Name a Star..."},
};

constexpr MenuRow kTimeSteps[] = {
    {0, 40071, "1 minute"},   {0, 40072, "3 minutes"},  {0, 40073, "5 minutes"},
    {0, 40074, "10 minutes"}, {0, 40075, "30 minutes"}, {0, 40076, "1 hour"},
    {0, 40077, "3 hours"},    {0, 40079, "1 day"},      {0, 40080, "5 days"},
    {0, 40081, "10 days"},    {0, 40082, "1 month"},    {0, 40083, "3 months"},
    {0, 40084, "1 year"},     {0, 40085, "5 years"},    {0, 40086, "10 years"},
    {0, 40087, "50 years"},   {0, 40088, "100 years"},  {0, 40091, "23 h 56 min"},
};

struct Range {
    int first;
    int last;
};

constexpr Range kRadioRanges[] = {
    {2001, 2056}, {220, 224},   {300, 303},   {200, 203}, {210, 214},     {230, 233},
    {240, 243},   {1210, 1213}, {1220, 1223}, {164, 167}, {40071, 40092}, {40041, 40054},
};

constexpr int kCheckCommands[] = {40030, 40031, 40035, 251,   40017, 40025, 252,   257,
                                  40020, 40021, 40022, 40032, 253,   40014, 40062, 1230,
                                  1231,  40015, 146,   145,   311,   331,   163,   149,
                                  40011, 107,   40066, 40039, 40104, 40105};

const Range* RadioRangeOf(int command) {
    for (const Range& range : kRadioRanges)
        if (command >= range.first && command <= range.last) return &range;
    return nullptr;
}

}  // namespace

std::span<const MenuRow> MainMenuRows() {
    return kMainMenu;
}
std::span<const MenuRow> PopupRows() {
    return kPopup;
}
std::span<const MenuRow> FullScreenPopupRows() {
    return kFullScreenPopup;
}
std::span<const MenuRow> TimeStepRows() {
    return kTimeSteps;
}

bool IsRadioCommand(int command) {
    return RadioRangeOf(command) != nullptr;
}

bool IsCheckCommand(int command) {
    for (int c : kCheckCommands)
        if (c == command) return true;
    return false;
}

QActionGroup* MenuSet::GroupFor(QMenu* menu, int command) {
    const Range* range = RadioRangeOf(command);
    const QString name = QStringLiteral("radio%1").arg(range->first);
    auto* group = menu->findChild<QActionGroup*>(name, Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QActionGroup(menu);
        group->setObjectName(name);
        // The marks are set from the view state; a value with no item leaves all unmarked.
        group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    }
    return group;
}

QAction* MenuSet::AddItem(QMenu* menu, int command, const QString& caption, bool registerItem) {
    QAction* action = menu->addAction(caption);
    action->setData(command);
    if (IsRadioCommand(command)) {
        action->setCheckable(true);
        GroupFor(menu, command)->addAction(action);
    } else if (IsCheckCommand(command)) {
        action->setCheckable(true);
    }
    QObject::connect(action, &QAction::triggered, menu,
                     [callback = onCommand_, command] { callback(command); });
    if (registerItem) actions_.emplace(command, action);
    return action;
}

void MenuSet::AddRows(QMenu* menu, std::span<const MenuRow> rows, std::size_t& index, int depth,
                      bool registerItems) {
    while (index < rows.size() && rows[index].depth >= depth) {
        const MenuRow& row = rows[index];
        ++index;
        if (row.command == kSeparator) {
            menu->addSeparator();
        } else if (row.command == kSubmenu) {
            QMenu* sub = menu->addMenu(QString::fromUtf8(row.caption));
            AddRows(sub, rows, index, depth + 1, registerItems);
        } else {
            AddItem(menu, row.command, QString::fromUtf8(row.caption), registerItems);
        }
    }
}

void MenuSet::BuildMenuBar(QMenuBar* bar, std::span<const MenuRow> rows) {
    std::size_t index = 0;
    while (index < rows.size()) {
        const MenuRow& title = rows[index++];
        QMenu* menu = bar->addMenu(QString::fromUtf8(title.caption));
        topMenus_.push_back(menu);
        AddRows(menu, rows, index, 1, true);
    }
}

QMenu* MenuSet::BuildPopup(QWidget* parent, std::span<const MenuRow> rows) {
    auto* menu = new QMenu(parent);
    std::size_t index = 0;
    AddRows(menu, rows, index, 0, true);
    return menu;
}

QMenu* MenuSet::BuildTransientPopup(QWidget* parent, std::span<const MenuRow> rows) {
    auto* menu = new QMenu(parent);
    std::size_t index = 0;
    AddRows(menu, rows, index, 0, false);
    return menu;
}

QList<QAction*> MenuSet::Actions(int command) const {
    QList<QAction*> list;
    auto [first, last] = actions_.equal_range(command);
    for (auto it = first; it != last; ++it)
        list.append(it->second);
    return list;
}

QAction* MenuSet::FirstAction(int command) const {
    auto found = actions_.find(command);
    return found == actions_.end() ? nullptr : found->second;
}

QMenu* MenuSet::TopMenu(int index) const {
    if (index < 0 || index >= static_cast<int>(topMenus_.size())) return nullptr;
    return topMenus_[index];
}

void MenuSet::SetUserCities(const std::vector<std::string>& names) {
    QMenu* menu = TopMenu(kLocationMenu);
    if (!menu) return;
    for (QAction* action : userCityActions_) {
        const int command = action->data().toInt();
        auto [first, last] = actions_.equal_range(command);
        for (auto it = first; it != last; ++it) {
            if (it->second == action) {
                actions_.erase(it);
                break;
            }
        }
        menu->removeAction(action);
        action->deleteLater();
    }
    userCityActions_.clear();
    for (std::size_t i = 0; i < names.size() && i < 40; ++i)
        userCityActions_.push_back(
            AddItem(menu, 2111 + static_cast<int>(i), QString::fromStdString(names[i]), true));
}

void MenuSet::SetStarCounts(const std::array<int, 96>& countByLevel) {
    for (int value = 0; value <= 55; ++value) {
        const int level = 40 + value;
        if (level >= static_cast<int>(countByLevel.size())) break;
        for (QAction* action : Actions(2001 + value))
            action->setText(QStringLiteral("Magnitude %1.%2\t%3 stars")
                                .arg(level / 10)
                                .arg(level % 10)
                                .arg(QLocale().toString(countByLevel[level])));
    }
}

void MenuSet::AddExternalPrograms(const std::vector<ExternalEntry>& entries) {
    QMenu* menu = TopMenu(kAstronomyMenu);
    if (!menu) return;
    for (const ExternalEntry& entry : entries) {
        if (entry.name.empty()) continue;
        if (entry.name[0] == '-') {
            menu->addSeparator();
        } else {
            AddItem(menu, 30000 + entry.number, QString::fromStdString(entry.name), true);
        }
    }
}

}  // namespace shell
