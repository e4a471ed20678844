// The location dialog "D_CITY": the city list of the data set with a search field that narrows it
// as one types (to the entries with a word of the city or country beginning with each word typed),
// the globe, the latitude, longitude and time-difference fields, "Select the Nearest", and the
// globe's "Zoom" and "Frame" switches. It edits a working copy of the place and writes it to the
// view state on "&Apply" and "OK", or after every edit while "Auto Apply" (KosinAutoCity) is on.
#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "dialogs/location_fields.h"
#include "dialogs/modeless_dialog.h"
#include "state/view_state.h"

class QListWidget;
class QLineEdit;

namespace dialogs {

class EarthGlobe;

inline constexpr int kCityList = 101;
inline constexpr int kGlobe = 102;
inline constexpr int kSelectNearest = 106;
inline constexpr int kCitySearch = 110;
inline constexpr int kZoomEarth = 1013;
inline constexpr int kFrameEarth = 1014;

// The place as the dialog edits it, with the index it came from (a city of the list, 10000 + i
// for user location i, or -1).
struct LocationWork {
    Place place;
    int32_t city = -1;
    friend bool operator==(const LocationWork&, const LocationWork&) = default;
};

// A list entry: "country : name", or the one of them that is present.
QString CityEntryText(const state::CityRecord& city);

// Text reduced for searching: lower case, accents and other marks dropped, and the letters that
// have no decomposition spelt out ("Ø" as "o", "ß" as "ss").
QString SearchFolded(const QString& text);

class LocationDialog : public ModelessDialog {
    Q_OBJECT
  public:
    LocationDialog(shell::Program& program, DialogHost& host);

    void Reload() override;
    void Refresh() override;
    void ViewStateChanged() override;

    const LocationWork& work() const { return work_; }
    EarthGlobe& globe() const { return *globe_; }

  protected:
    void Apply() override;
    void Help() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

  private:
    QLayout* BuildCityColumn();
    QLayout* BuildPlaceColumn();

    void ReadFields();
    // The index of the working place: a city of the list, else a user location, else -1.
    void LookUpCity();
    // The place changed by a step, the globe or a pick: the index follows it, the fields show it.
    void PlaceChanged(const Place& place);
    void CityChosen();
    // One step of the up-down bar of that id.
    void Step(int bar, int delta);
    void SelectNearest();
    void FillList();
    void RefreshSelection();

    std::vector<state::CityRecord> cities_;
    std::vector<QString> searchKeys_;  // SearchFolded of each city's entry
    std::vector<int> rowOfCity_;       // the list row of each city, -1 when filtered out
    QString filter_;
    QListWidget* list_ = nullptr;
    QLineEdit* search_ = nullptr;
    EarthGlobe* globe_ = nullptr;
    LocationWork work_;
    LocationWork loaded_;  // the view state's place when last loaded or written
};

}  // namespace dialogs
