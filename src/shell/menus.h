// The menus of the main window as tables: "M_MAIN" (the menu bar), "M_POPUP" (the sky's context
// menu), "M_POPUP2" (the context menu in full screen) and "M_POPUPTIM" (the time steps). Every
// item carries its command number; MenuSet builds Qt menus from the tables and finds the items of
// a number again for the menu marks.
#pragma once

#include <array>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <vector>

#include <QList>

class QAction;
class QActionGroup;
class QMenu;
class QMenuBar;
class QObject;
class QWidget;

namespace shell {

inline constexpr int kSubmenu = 0;     // a row that opens a submenu of the rows nested below it
inline constexpr int kSeparator = -1;  // a separator row

struct MenuRow {
    int depth;    // 0 for the menu bar's titles or a pop-up's own items
    int command;  // command number, kSubmenu or kSeparator
    const char* caption;
};

std::span<const MenuRow> MainMenuRows();
std::span<const MenuRow> PopupRows();
std::span<const MenuRow> FullScreenPopupRows();
std::span<const MenuRow> TimeStepRows();

// Index of the Location menu and the Astronomy menu among the menu bar's titles.
inline constexpr int kLocationMenu = 4;
inline constexpr int kAstronomyMenu = 5;

// Whether a command's item carries a radio mark (one of a group) or a check mark.
bool IsRadioCommand(int command);
bool IsCheckCommand(int command);

// Qt menus built from the tables; every item's trigger runs the command callback.
class MenuSet {
  public:
    using CommandCallback = std::function<void(int command)>;
    explicit MenuSet(CommandCallback onCommand) : onCommand_(std::move(onCommand)) {}

    void BuildMenuBar(QMenuBar* bar, std::span<const MenuRow> rows);
    // A pop-up menu owned by parent; its items are registered like those of the menu bar.
    QMenu* BuildPopup(QWidget* parent, std::span<const MenuRow> rows);
    // A pop-up that lives only while shown: its items are not registered.
    QMenu* BuildTransientPopup(QWidget* parent, std::span<const MenuRow> rows);

    // Every registered item of a command number (menu bar and kept pop-ups).
    QList<QAction*> Actions(int command) const;
    QAction* FirstAction(int command) const;

    QMenu* TopMenu(int index) const;

    // Captions of the Brightness items with the catalogue's star counts (entry i: stars to
    // magnitude i / 10).
    void SetStarCounts(const std::array<int, 96>& countByLevel);
    // Replaces the user-city items 2111.. at the end of the Location menu.
    void SetUserCities(const std::vector<std::string>& names);
    // Appends the external program items (30000 + n) and separators to the Astronomy menu.
    struct ExternalEntry {
        int number;
        std::string name;  // "-" and any name beginning with "-" give a separator
    };
    void AddExternalPrograms(const std::vector<ExternalEntry>& entries);

  private:
    void AddRows(QMenu* menu, std::span<const MenuRow> rows, std::size_t& index, int depth,
                 bool registerItems);
    QAction* AddItem(QMenu* menu, int command, const QString& caption, bool registerItem);
    QActionGroup* GroupFor(QMenu* menu, int command);

    CommandCallback onCommand_;
    std::multimap<int, QAction*> actions_;
    std::vector<QMenu*> topMenus_;
    std::vector<QAction*> userCityActions_;
};

}  // namespace shell
