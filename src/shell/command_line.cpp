#include "shell/command_line.h"

#include <algorithm>
#include <cctype>

namespace shell {

StartupCommand ParseCommandLine(const std::string& commandLine) {
    StartupCommand command;
    std::string upper = commandLine;
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    command.screenSaver = upper.find("-SCREENSAVER") != std::string::npos ||
                          upper.find("/SCREENSAVER") != std::string::npos;
    command.noTitle = commandLine.rfind("#$#", 0) == 0;
    if (commandLine.empty() || command.screenSaver) return command;
    // "#$#" is followed by five characters of its own; the path starts at the ninth.
    if (command.noTitle) {
        if (commandLine.size() > 8) command.viewFile = commandLine.substr(8);
    } else {
        command.viewFile = commandLine;
    }
    return command;
}

std::string CommandLineText(const std::vector<std::string>& arguments) {
    std::string text;
    for (size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--data-dir") {
            ++i;
            continue;
        }
        if (!text.empty()) text += ' ';
        text += arguments[i];
    }
    return text;
}

}  // namespace shell
