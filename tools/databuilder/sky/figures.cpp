#include "sky/figures.h"

#include <sstream>

#include "framework/build_error.h"
#include "framework/byte_writer.h"
#include "persist/records/sky_records.h"

namespace databuilder {

std::vector<uint8_t> starPathBytes(const std::vector<std::vector<int>>& polylines,
                                   const std::string& blockName) {
    ByteWriter w;
    for (const auto& line : polylines) {
        for (int n : line) {
            if (n < 0 || n > kMaxPathStarNumber || n == kPenUpMark || n == kEndMark)
                throw BuildError(blockName + ": star number " + std::to_string(n) +
                                 " cannot be stored in a star path");
            w.i16(static_cast<int16_t>(n));
        }
        w.i16(persist::kPathPenUp);
    }
    w.i16(persist::kPathEnd);
    return w.take();
}

std::vector<std::vector<int>> figurePolylines(const std::vector<FigureLines>& figures,
                                              const SkyCatalogue& catalogue,
                                              std::vector<int>& missing) {
    std::vector<std::vector<int>> polylines;
    for (const auto& figure : figures) {
        std::vector<std::pair<int, int>> segments;
        for (const auto& [a, b] : figure.segments) {
            const int na = catalogue.numberOfHip(a), nb = catalogue.numberOfHip(b);
            if (na < 0) missing.push_back(a);
            if (nb < 0) missing.push_back(b);
            if (na >= 0 && nb >= 0) segments.emplace_back(na, nb);
        }
        for (auto& chain : chainSegments(segments))
            polylines.push_back(std::move(chain));
    }
    return polylines;
}

std::vector<uint8_t> outlineBytes(const std::vector<std::vector<BinPoint>>& polylines) {
    ByteWriter w;
    for (const auto& line : polylines) {
        for (const auto& p : line) {
            w.i16(p.lon);
            w.i16(p.lat);
        }
        w.i16(persist::kOutlinePenUp);
        w.i16(0);
    }
    w.i16(persist::kOutlinePenUp);
    w.i16(0);
    return w.take();
}

std::vector<std::vector<BinPoint>> parseBoundaries(const std::string& text,
                                                   const std::string& inputName) {
    std::vector<std::vector<BinPoint>> segments;
    std::istringstream in(text);
    int count = 0;
    while (in >> count) {
        if (count < 2 || count > 10000)
            throw BuildError(inputName + ": segment " + std::to_string(segments.size() + 1) +
                             " has an implausible point count");
        std::vector<BinPoint> line;
        for (int i = 0; i < count; ++i) {
            double ra = 0, dec = 0;
            if (!(in >> ra >> dec))
                throw BuildError(inputName + ": segment " + std::to_string(segments.size() + 1) +
                                 " is truncated");
            line.push_back(equatorialToBinPoint(ra * 15.0, dec));
        }
        int names = 0;
        std::string a, b;
        if (!(in >> names >> a >> b) || names != 2)
            throw BuildError(inputName + ": segment " + std::to_string(segments.size() + 1) +
                             " does not name its two constellations");
        segments.push_back(std::move(line));
    }
    if (!in.eof())
        throw BuildError(inputName + ": unexpected text after segment " +
                         std::to_string(segments.size()));
    return segments;
}

}  // namespace databuilder
