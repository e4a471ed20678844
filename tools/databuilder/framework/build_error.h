// The one error type of the builder: its message names the input or step that failed and is
// printed as the builder's single line of diagnosis.
#pragma once

#include <stdexcept>
#include <string>

namespace databuilder {

class BuildError : public std::runtime_error {
  public:
    explicit BuildError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace databuilder
