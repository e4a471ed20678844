// Feeds arbitrary text to the reader of one-line comet elements and takes what it returns into
// a table: nothing may crash, and every comet taken in holds elements inside the table's ranges.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "astro/comet_lines.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const astro::CometLines lines = astro::ParseCometLines(text);
    if (lines.badLine != 0 && !lines.records.empty()) __builtin_trap();
    static state::CometTable table;
    table.count = 1;
    astro::MergeComets(lines.records, table, 100);
    if (table.count < 1 || table.count > 100) __builtin_trap();
    for (int k = 0; k < table.count; ++k) {
        const state::CometRecord& r = table.records[k];
        if (strnlen(r.NAMEE, 32) > 31 || strnlen(r.NAMEJ, 32) > 31) __builtin_trap();
        if (r.TY < 0 || r.TY > 9999 || r.TM < 1 || r.TM > 12 || !(r.TD >= 1.0) ||
            !(r.TD <= 31.99999) || !(r.q > 0.0) || !(r.e >= 0.0) || !std::isfinite(r.e) ||
            !std::isfinite(r.Peri) || !std::isfinite(r.Node) || !std::isfinite(r.i) ||
            !std::isfinite(r.H1) || !std::isfinite(r.K1))
            __builtin_trap();
    }
    astro::StartsWithCometLine(text);
    return 0;
}
