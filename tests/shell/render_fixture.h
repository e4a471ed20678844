// A small data set written by the tests: the index file, every block (most of them empty), the
// projection tables, and a star catalogue and city list of the test's choosing.
#pragma once

#include <QDir>
#include <QFile>
#include <QString>

#include <cstring>
#include <vector>

#include "astro/projection_tables.h"
#include "persist/data_set.h"
#include "persist/records/star_records.h"
#include "state/view_state.h"

namespace fixture {

inline bool WriteBytes(const QString& path, const void* data, std::size_t size) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    return size == 0 || file.write(static_cast<const char*>(data), static_cast<qint64>(size)) ==
                            static_cast<qint64>(size);
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    return WriteBytes(path, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A view file that restores only the viewpoint, with this zoom.
inline bool WriteViewFile(const QString& path, int zoom) {
    std::vector<int32_t> record(128, 0);
    record[0] = 2500;       // format version
    record[84 / 4] = zoom;  // zoom
    record[240 / 4] = 1;    // groups: viewpoint only
    return WriteBytes(path, record.data(), record.size() * 4);
}

// Writes the data set into directory; the first brightCount stars are the bright part.
inline bool WriteDataSet(const QString& directory, const std::vector<persist::StarRecord>& stars,
                         int brightCount, const std::vector<state::CityRecord>& cities = {}) {
    QDir().mkpath(directory);
    QByteArray index = "[QELDATA]\n";
    for (std::size_t i = 0; i < persist::kBlockCount; ++i) {
        const QByteArray key = persist::BlockKey(static_cast<persist::BlockId>(i));
        index += key + "=" + key + "\n";
        if (!WriteBytes(directory + "/" + key + ".DAT", nullptr, 0)) return false;
    }
    if (!WriteBytes(directory + "/QELDATA.INI", index.constData(), index.size())) return false;
    const astro::ProjectionTableStore tables = astro::BuildProjectionTables();
    const auto sincos = astro::TableBytes(tables.sincos);
    const auto zbi = astro::TableBytes(tables.zbi);
    const auto zbi2 = astro::TableBytes(tables.zbi2);
    const std::vector<uint8_t> alpha(static_cast<std::size_t>(brightCount) * 10, 0);
    // Every zone empty, starting after the bright part.
    const std::vector<uint32_t> stidx(persist::kStarZones * persist::kStidxPerZone + 1,
                                      static_cast<uint32_t>(brightCount));
    return WriteBytes(directory + "/SINCOS.DAT", sincos.data(), sincos.size()) &&
           WriteBytes(directory + "/ZBI.DAT", zbi.data(), zbi.size()) &&
           WriteBytes(directory + "/ZBI2.DAT", zbi2.data(), zbi2.size()) &&
           WriteBytes(directory + "/ALPHA.DAT", alpha.data(), alpha.size()) &&
           WriteBytes(directory + "/STIDX.DAT", stidx.data(), stidx.size() * 4) &&
           WriteBytes(directory + "/STAR2.DAT", stars.data(), stars.size() * sizeof stars[0]) &&
           WriteBytes(directory + "/CITY.DAT", cities.data(), cities.size() * sizeof cities[0]);
}

}  // namespace fixture
