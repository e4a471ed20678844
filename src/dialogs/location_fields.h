// The latitude, longitude and time-difference fields that the location dialog and the user
// location property dialog share: how the values are shown, how typed text is read, and the three
// edits with their up-down bars. Latitude and longitude in tenths of a degree (north and west
// positive), the time difference in minutes east of Greenwich.
#pragma once

#include <cstdint>

#include <QString>

#include "dialogs/up_down_bar.h"

class QGridLayout;

namespace dialogs {

inline constexpr int kLatitudeField = 103;
inline constexpr int kLongitudeField = 104;
inline constexpr int kZoneField = 105;
inline constexpr int kLatitudeBar = 107;
inline constexpr int kLongitudeBar = 108;
inline constexpr int kZoneBar = 109;

inline constexpr int32_t kZoneMin = -660;
inline constexpr int32_t kZoneMax = 780;

struct Place {
    int32_t latitude = 0;
    int32_t longitude = 0;
    int32_t zone = 0;
    friend bool operator==(const Place&, const Place&) = default;
};

// Held to -900..900, -1800..1799 (a whole turn is folded away), -660..780.
int32_t HeldLatitude(int64_t tenths);
int32_t NormalLongitude(int64_t tenths);
int32_t HeldZone(int64_t minutes);
Place HeldPlace(const Place& place);

// " 41.5°N", "  0.0°S" (0 counts as south), " 74.0°W", "170.0°E" (below 0 is east), "-05:30".
QString LatitudeText(int32_t tenths);
QString LongitudeText(int32_t tenths);
QString TimeDifferenceText(int32_t minutes);

// Typed text: a decimal number of degrees, south or east when the text ends in S or E
// ("41.5S" is -415, "190W" is -1700); hours, then minutes after a ':' that count against the
// hours when the text holds a '-' ("-5:30" is -330). Anything unreadable is 0. Results are held
// as above.
int32_t ReadLatitude(const QString& text);
int32_t ReadLongitude(const QString& text);
int32_t ReadZone(const QString& text);

// The three labelled edits with their bars in a grid (labels in column 0).
struct PlaceFields {
    QGridLayout* grid;
    NumberWithBar latitude;
    NumberWithBar longitude;
    NumberWithBar zone;
};
PlaceFields MakePlaceFields();

// Reads the three edits of the dialog; shows a place in them (each only when changed).
Place ReadPlaceFields(const QWidget& dialog);
void ShowPlaceFields(const QWidget& dialog, const Place& place);

}  // namespace dialogs
