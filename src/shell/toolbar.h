// The toolbar: 43 entries (buttons and separators) in two layouts, horizon mode and equator mode,
// with 16 x 16 images drawn by the program and tooltips from the string table.
#pragma once

#include <functional>
#include <map>
#include <vector>

#include <QIcon>

class QAction;
class QToolBar;

namespace shell {

struct ToolbarEntry {
    int command;  // 0 for a separator
    int image;    // image index; the time-step button shows 54 + IncTime
};

inline constexpr int kToolbarEntryCount = 43;

// The entries of the layout for the mode, left to right.
std::vector<ToolbarEntry> ToolbarLayout(bool equatorMode, int incTime);

// The 16 x 16 image of an index (an empty frame for an index without a picture).
QIcon ToolbarImage(int index);

// Fills the toolbar with the layout's buttons; each button triggers onCommand with its number.
class Toolbar {
  public:
    Toolbar(QToolBar* bar, std::function<void(int)> onCommand)
        : bar_(bar), onCommand_(std::move(onCommand)) {}

    void Rebuild(bool equatorMode, int incTime);
    QAction* Button(int command) const;
    QToolBar* bar() const { return bar_; }

  private:
    QToolBar* bar_;
    std::function<void(int)> onCommand_;
    std::map<int, QAction*> buttons_;
};

}  // namespace shell
