// The find dialog "D_FIND": the catalogued objects by kind on seven tabs (constellations, star
// names, stars by designation within their constellation, deep-sky objects, the bodies of the
// Solar System, comets and asterisms). "OK" and "&Apply" turn the view to the chosen object,
// "&Tracking" keeps it in the centre. A search field above the tabs filters the lists as the
// user types, and brings up the tab where an entry begins with what is typed.
// The tab and the choice on each tab last while the program runs.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "astro/object_names.h"
#include "dialogs/modeless_dialog.h"

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QTabBar;

namespace dialogs {

class FindDialog : public ModelessDialog {
    Q_OBJECT
  public:
    FindDialog(shell::Program& program, DialogHost& host);

    // The entries again from the catalogues (star names, comets and AlphaMode may have
    // changed), then the lists.
    void Reload() override;
    void ViewStateChanged() override;
    void accept() override;

  protected:
    void Apply() override;
    void Ok() override;
    void Help() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ChooseTab(int tab);
    void ChooseStyle(int style);
    // Fills the lists of the current tab and selects the remembered entries.
    void FillLists();
    void FillStars();
    // Chooses the tab for the text typed, then hides what does not match it.
    void SearchChanged();
    void Filter();
    void FilterStars();
    int Rank(const astro::FindEntry& entry) const;
    // The best astro::SearchRank of the tab's entries (and of its stars on the scientific tab).
    int TabRank(int tab) const;
    // The chosen object: the tab, and the item of list 103 on the scientific tab, else of 101.
    QListWidgetItem* Chosen() const;
    // "OK", "&Apply" (interactive centring) or "&Tracking".
    bool Go(bool tracking);
    std::size_t CatalogueFingerprint() const;

    QLineEdit* search_;
    QTabBar* tabs_;
    QListWidget* list_;
    QListWidget* constellations_;
    QListWidget* stars_;
    std::array<std::vector<astro::FindEntry>, astro::kFindTabCount> entries_;
    // The stars of each constellation of the scientific tab, in the order of its entries.
    std::vector<std::vector<astro::FindEntry>> constellationStars_;
    std::size_t fingerprint_ = 0;
    bool filling_ = false;
    bool jumping_ = false;    // the search is changing the tab
    bool tabByHand_ = false;  // the user chose the tab while searching
};

}  // namespace dialogs
