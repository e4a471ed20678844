// The program's command line as the start-up reads it: screen-saver mode, a view file to open,
// and the "#$#" form that opens a file without the title picture.
#pragma once

#include <string>
#include <vector>

namespace shell {

struct StartupCommand {
    bool screenSaver = false;  // "-SCREENSAVER" or "/SCREENSAVER" anywhere, any case
    bool noTitle = false;      // the line begins with "#$#": no title picture
    std::string viewFile;      // the file to open, empty for none
};

// Reads the command line text (the arguments joined by single blanks).
StartupCommand ParseCommandLine(const std::string& commandLine);

// The GUI's command line text: the arguments after the program name, without the options the
// program takes itself (--data-dir DIR), joined by single blanks.
std::string CommandLineText(const std::vector<std::string>& arguments);

}  // namespace shell
