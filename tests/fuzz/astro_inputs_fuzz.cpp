// Values that reach the astronomy engine from files: clock fields of view and settings files,
// the projection table blocks, and view directions. None may crash or leave an invalid clock.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "astro/clock.h"
#include "astro/projection.h"
#include "astro/projection_tables.h"
#include "astro/view_frame.h"

namespace {

template <class T>
T Take(const uint8_t*& data, size_t& size) {
    T value{};
    if (size >= sizeof(T)) {
        std::memcpy(&value, data, sizeof(T));
        data += sizeof(T);
        size -= sizeof(T);
    }
    return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    state::ViewState view;
    view.clock.year = Take<int32_t>(data, size);
    view.clock.month = Take<int32_t>(data, size);
    view.clock.day = Take<int32_t>(data, size);
    view.clock.hour = Take<int32_t>(data, size);
    view.clock.minute = Take<int32_t>(data, size);
    astro::NormalizeClock(view.clock);
    const auto lengths = astro::MonthLengths(view.clock.year);
    if (view.clock.month < 1 || view.clock.month > 12 || view.clock.day < 1 ||
        view.clock.day > lengths[view.clock.month] || view.clock.hour < 0 || view.clock.hour > 23 ||
        view.clock.minute < 0 || view.clock.minute > 59) {
        __builtin_trap();
    }

    view.Keido2 = Take<int16_t>(data, size);
    view.Ido2 = Take<int16_t>(data, size) % 901;
    view.Houi2 = Take<int16_t>(data, size);
    view.Koudo2 = Take<int16_t>(data, size) % 901;
    view.Zoom = 10 + static_cast<int32_t>(Take<uint16_t>(data, size) % 7691);
    view.SekidouMod = Take<uint8_t>(data, size) & 1;

    // The rest is a sine table block followed by two divisor blocks of arbitrary lengths.
    astro::ProjectionTableStore built = astro::BuildProjectionTables();
    std::vector<uint8_t> sincos = astro::TableBytes(built.sincos);
    std::vector<uint8_t> zbi = astro::TableBytes(built.zbi);
    std::vector<uint8_t> zbi2 = astro::TableBytes(built.zbi2);
    std::span<const uint8_t> rest(data, size);
    // Overwrite the start of ZBI2 with the input so that odd divisors reach the projection.
    std::memcpy(zbi2.data(), rest.data(), std::min(rest.size(), zbi2.size()));
    auto decoded = astro::DecodeProjectionTables(sincos, zbi, zbi2);
    if (!decoded) return 0;
    astro::ViewFrame frame = astro::ComputeViewFrame(view, decoded->view());
    for (int32_t lon = -40000; lon < 40000; lon += 997) {
        for (int32_t lat = -9000; lat <= 9000; lat += 1499) {
            astro::ProjectEcliptic(frame, lon, lat);
            astro::ProjectHorizontal(frame, lon, lat);
            astro::ProjectEclipticPrecise(frame, lon, lat);
        }
    }
    return 0;
}
