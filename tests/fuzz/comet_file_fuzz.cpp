// Feeds arbitrary bytes to the comet file loader.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "persist/comet_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static state::CometTable table;
    const int count = persist::ParseComets({data, size}, table);
    if (count < 0 || count > state::kCometFileLimit) __builtin_trap();
    for (int i = 0; i < count; ++i) {
        if (strnlen(table.records[i].NAMEE, 32) > 31 || table.records[i].initialised == 0)
            __builtin_trap();
    }
    return 0;
}
