// The user locations' two modal dialogs and the commands that run them: "D_EDITCITY" ("Property
// of User Location": name, latitude, longitude and time difference of one place) and
// "D_USERCITY" ("Edit User Location": reorder, delete and open the places). Neither touches the
// view state unless closed with "OK".
#pragma once

#include <array>
#include <span>

#include <QDialog>

#include "state/view_state.h"

namespace shell {
struct Program;
}

namespace dialogs {

inline constexpr int kUserCityName = 101;
inline constexpr int kUserCityList = 101;
inline constexpr int kUserCityUp = 102;
inline constexpr int kUserCityDown = 103;
inline constexpr int kUserCityDelete = 104;
inline constexpr int kUserCityProperty = 105;

class UserCityDialog : public QDialog {
    Q_OBJECT
  public:
    // Edits a copy of the record. "OK" refuses a place that another entry of the list already
    // has (the record's edit index tells which entry it is itself).
    UserCityDialog(const state::CityRecord& record, std::span<const state::CityRecord> list,
                   QWidget* parent);

    const state::CityRecord& record() const { return record_; }
    void accept() override;

  private:
    void ReadFields();
    void ShowFields();
    void Step(int bar, int delta);

    state::CityRecord record_;
    std::span<const state::CityRecord> list_;
};

class UserCityListDialog : public QDialog {
    Q_OBJECT
  public:
    UserCityListDialog(const state::AppOptions& options, QWidget* parent);

    // The working copy, which "OK" hands back.
    const std::array<state::CityRecord, state::kUserCityLimit>& records() const { return records_; }
    int count() const { return count_; }

    void MoveUp() { Swap(-1); }
    void MoveDown() { Swap(1); }
    void Delete();
    void OpenProperty();

  private:
    void Swap(int direction);
    void FillList(int selected);

    std::array<state::CityRecord, state::kUserCityLimit> records_;
    int count_ = 0;
};

// Command 105: a new user location at the current place, named after it, through the property
// dialog; refused when the list is full. True when one was added.
bool AddUserCity(shell::Program& program, std::span<const state::CityRecord> cities,
                 QWidget* parent);

// Command 106: the list dialog; true when it was closed with "OK" and the list taken over.
bool EditUserCities(shell::Program& program, QWidget* parent);

}  // namespace dialogs
