// Old Chinese star names from the Chinese sky culture's star list and its Chinese translation.
#pragma once

#include <QString>
#include <QTranslator>
#include <string>
#include <vector>

#include "sky/sky_inputs.h"

namespace databuilder {

struct TraditionalStarName {
    QString chinese;     // empty when the translation lacks the name
    std::string pinyin;  // romanised
};

// A star's name within its asterism: the first of its names in the list, in Chinese characters
// through the translation, with the matching romanisation.
TraditionalStarName traditionalStarName(const std::vector<ReferencedName>& names,
                                        const QTranslator& toChinese);

}  // namespace databuilder
