#include "gzip_input.h"

#include <zlib.h>

namespace databuilder::world {

Bytes Gunzip(const Bytes& compressed, const std::string& inputName) {
    z_stream z{};
    if (inflateInit2(&z, 15 + 32) != Z_OK) throw InputError(inputName + ": zlib init failed");
    z.next_in = const_cast<Bytef*>(compressed.data());
    z.avail_in = static_cast<uInt>(compressed.size());
    Bytes out;
    uint8_t chunk[1 << 16];
    int rc = Z_OK;
    while (rc != Z_STREAM_END) {
        z.next_out = chunk;
        z.avail_out = sizeof chunk;
        rc = inflate(&z, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) {
            inflateEnd(&z);
            throw InputError(inputName + ": corrupt compressed data");
        }
        out.insert(out.end(), chunk, chunk + (sizeof chunk - z.avail_out));
        if (rc == Z_OK && z.avail_in == 0 && z.avail_out != 0) {
            inflateEnd(&z);
            throw InputError(inputName + ": truncated compressed data");
        }
    }
    inflateEnd(&z);
    return out;
}

}  // namespace databuilder::world
