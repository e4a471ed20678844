#include "sky/json_input.h"

#include <QFile>
#include <QJsonParseError>

#include "framework/build_error.h"

namespace databuilder {

QJsonDocument readJsonFile(const std::filesystem::path& path, const std::string& inputName) {
    QFile file(QString::fromStdString(path.string()));
    if (!file.open(QIODevice::ReadOnly))
        throw BuildError(inputName + ": cannot read " + path.string());
    QJsonParseError error;
    QJsonDocument doc = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw BuildError(inputName + ": " + path.filename().string() + " is not valid JSON (" +
                         error.errorString().toStdString() + " at byte " +
                         std::to_string(error.offset) + ")");
    return doc;
}

}  // namespace databuilder
