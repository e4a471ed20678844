#include "dialogs/location_fields.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "dialogs/dialog_fields.h"

namespace dialogs {
namespace {

// Tenths of a degree typed, negative when the text ends in one of the two letters.
double TypedTenths(const QString& text, char negative) {
    const QString trimmed = text.trimmed();
    const double tenths = std::trunc(ReadDouble(trimmed) * 10.0);
    const bool flipped = !trimmed.isEmpty() && trimmed.back().toUpper() == QLatin1Char(negative);
    return std::isfinite(tenths) ? (flipped ? -tenths : tenths) : 0.0;
}

QString AngleText(int32_t tenths, char letter) {
    const int32_t magnitude = std::abs(tenths);
    return QString::asprintf("%3d.%01d", magnitude / 10, magnitude % 10) + QChar(0x00B0) +
           QLatin1Char(letter);
}

NumberWithBar AddRow(QGridLayout* grid, int row, const char* label, int field, int bar) {
    const NumberWithBar pair = NumberFieldWithBar(field, bar, 8);
    auto* text = new QLabel(QObject::tr(label));
    text->setBuddy(pair.field);
    grid->addWidget(text, row, 0);
    grid->addLayout(pair.layout, row, 1);
    return pair;
}

}  // namespace

int32_t HeldLatitude(int64_t tenths) {
    return static_cast<int32_t>(std::clamp<int64_t>(tenths, -900, 900));
}

int32_t NormalLongitude(int64_t tenths) {
    const int64_t turned = (tenths + 1800) % 3600;
    return static_cast<int32_t>((turned < 0 ? turned + 3600 : turned) - 1800);
}

int32_t HeldZone(int64_t minutes) {
    return static_cast<int32_t>(std::clamp<int64_t>(minutes, kZoneMin, kZoneMax));
}

Place HeldPlace(const Place& place) {
    return {HeldLatitude(place.latitude), NormalLongitude(place.longitude), HeldZone(place.zone)};
}

QString LatitudeText(int32_t tenths) {
    return AngleText(tenths, tenths > 0 ? 'N' : 'S');
}

QString LongitudeText(int32_t tenths) {
    return AngleText(tenths, tenths >= 0 ? 'W' : 'E');
}

QString TimeDifferenceText(int32_t minutes) {
    const int32_t magnitude = std::abs(minutes);
    return QString::asprintf("%c%02d:%02d", minutes < 0 ? '-' : '+', magnitude / 60,
                             magnitude % 60);
}

int32_t ReadLatitude(const QString& text) {
    return HeldLatitude(static_cast<int64_t>(std::clamp(TypedTenths(text, 'S'), -1e9, 1e9)));
}

int32_t ReadLongitude(const QString& text) {
    return NormalLongitude(static_cast<int64_t>(std::fmod(TypedTenths(text, 'E'), 3600.0)));
}

int32_t ReadZone(const QString& text) {
    int64_t minutes = int64_t{ReadInt(text)} * 60;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        const int64_t after = ReadInt(text.mid(colon + 1));
        minutes += text.contains(QLatin1Char('-')) ? -after : after;
    }
    return HeldZone(minutes);
}

PlaceFields MakePlaceFields() {
    auto* grid = new QGridLayout;
    return {grid, AddRow(grid, 0, "&Latitude", kLatitudeField, kLatitudeBar),
            AddRow(grid, 1, "L&ongitude", kLongitudeField, kLongitudeBar),
            AddRow(grid, 2, "&Time Difference", kZoneField, kZoneBar)};
}

Place ReadPlaceFields(const QWidget& dialog) {
    return {ReadLatitude(FindControl<QLineEdit>(dialog, kLatitudeField)->text()),
            ReadLongitude(FindControl<QLineEdit>(dialog, kLongitudeField)->text()),
            ReadZone(FindControl<QLineEdit>(dialog, kZoneField)->text())};
}

void ShowPlaceFields(const QWidget& dialog, const Place& place) {
    SetTextIfChanged(FindControl<QLineEdit>(dialog, kLatitudeField), LatitudeText(place.latitude));
    SetTextIfChanged(FindControl<QLineEdit>(dialog, kLongitudeField),
                     LongitudeText(place.longitude));
    SetTextIfChanged(FindControl<QLineEdit>(dialog, kZoneField), TimeDifferenceText(place.zone));
}

}  // namespace dialogs
