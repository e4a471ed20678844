// JSON inputs (d3-celestial) read with Qt; a file that does not parse stops the build naming it.
#pragma once

#include <QJsonDocument>
#include <filesystem>
#include <string>

namespace databuilder {

QJsonDocument readJsonFile(const std::filesystem::path& path, const std::string& inputName);

}  // namespace databuilder
