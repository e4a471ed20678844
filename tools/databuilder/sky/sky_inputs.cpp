#include "sky/sky_inputs.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "framework/build_error.h"

namespace databuilder {

std::string readTextFile(const std::filesystem::path& path, const std::string& inputName) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw BuildError(inputName + ": cannot read " + path.string());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<FigureLines> parseFigureLines(const std::string& text, bool withType,
                                          const std::string& inputName) {
    std::vector<FigureLines> figures;
    std::istringstream lines(text);
    std::string line;
    int lineNumber = 0;
    while (std::getline(lines, line)) {
        ++lineNumber;
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        FigureLines f;
        int count = 0;
        if (!(fields >> f.code) || (withType && !(fields >> f.type)) || !(fields >> count) ||
            count < 0)
            throw BuildError(inputName + ": line " + std::to_string(lineNumber) +
                             " does not parse");
        if (withType && f.type != 1) {
            figures.push_back(f);  // not a list of HIP pairs; kept only by its code
            continue;
        }
        for (int i = 0; i < count; ++i) {
            int a = 0, b = 0;
            if (!(fields >> a >> b))
                throw BuildError(inputName + ": line " + std::to_string(lineNumber) +
                                 " has fewer star pairs than it announces");
            f.segments.emplace_back(a, b);
        }
        figures.push_back(f);
    }
    return figures;
}

std::vector<std::vector<int>> chainSegments(const std::vector<std::pair<int, int>>& segments) {
    std::vector<std::vector<int>> chains;
    for (const auto& [a, b] : segments) {
        if (!chains.empty() && chains.back().back() == a)
            chains.back().push_back(b);
        else
            chains.push_back({a, b});
    }
    return chains;
}

namespace {

std::vector<std::string> quotedTexts(const std::string& line) {
    std::vector<std::string> texts;
    size_t pos = 0;
    while (true) {
        const size_t open = line.find('"', pos);
        if (open == std::string::npos) break;
        const size_t close = line.find('"', open + 1);
        if (close == std::string::npos) break;
        texts.push_back(line.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
    return texts;
}

// Calls use(code, line) for every line of a "CODE ..." list that is neither blank nor a comment.
template <class Use>
void forEachCodedLine(const std::string& text, Use use) {
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos || line[first] == '#') continue;
        std::istringstream fields(line);
        std::string code;
        fields >> code;
        if (!code.empty()) use(code, line);
    }
}

}  // namespace

std::map<std::string, std::string> parseFigureNames(const std::string& text) {
    std::map<std::string, std::string> names;
    forEachCodedLine(text, [&](const std::string& code, const std::string& line) {
        const size_t tr = line.find("_(");
        std::string name;
        if (tr != std::string::npos) {
            const auto inner = quotedTexts(line.substr(tr));
            if (!inner.empty()) name = inner.front();
        } else if (const auto texts = quotedTexts(line); !texts.empty()) {
            name = texts.back();
        }
        if (!name.empty()) names[code] = name;
    });
    return names;
}

std::map<std::string, std::string> parseNativeFigureNames(const std::string& text) {
    std::map<std::string, std::string> names;
    forEachCodedLine(text, [&](const std::string& code, const std::string& line) {
        const auto texts = quotedTexts(line);
        if (!texts.empty() && !texts.front().empty()) names[code] = texts.front();
    });
    return names;
}

std::map<int, std::vector<ReferencedName>> parseStarNames(const std::string& text) {
    std::map<int, std::vector<ReferencedName>> names;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        const auto bar = line.find('|');
        if (bar == std::string::npos) continue;
        const auto first = line.find_first_not_of(" \t");
        if (first == std::string::npos || line[first] == '#') continue;
        int hip = 0;
        try {
            hip = std::stoi(line.substr(0, bar));
        } catch (...) {
            continue;
        }
        const auto texts = quotedTexts(line.substr(bar));
        if (hip <= 0 || texts.empty()) continue;
        ReferencedName name{texts.front(), {}};
        const size_t close = line.rfind(')');
        std::istringstream references(close == std::string::npos ? "" : line.substr(close + 1));
        std::string number;
        while (std::getline(references, number, ','))
            if (number.find_first_of("0123456789") != std::string::npos)
                name.references.push_back(std::atoi(number.c_str()));
        names[hip].push_back(name);
    }
    return names;
}

Vec3 meanDirection(const std::vector<Vec3>& directions) {
    Vec3 sum;
    for (const auto& d : directions)
        sum = sum + d;
    return normalized(sum);
}

}  // namespace databuilder
