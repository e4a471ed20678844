// The headless mode: planetarium --render OUT.png|OUT.pdf [--size WxH] [--set KEY=VALUE]...
// [--data-dir DIR] [VIEWFILE]. Loads the settings and the data set as the window does, applies
// the view file's groups and then every --set (a key of the settings file), draws one frame and
// writes it as PNG, or as a one-page PDF through the print path. Needs no display.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace shell {

struct RenderRequest {
    std::string output;
    bool pdf = false;
    int width = 1280;
    int height = 800;
    std::vector<std::pair<std::string, std::string>> settings;  // --set, in order
    std::string dataDirectory;                                  // --data-dir, may be empty
    std::string viewFile;                                       // may be empty
};

// Reads the arguments (argv[0] is the program). Returns false with a one-line reason.
bool ParseRenderArguments(const std::vector<std::string>& arguments, RenderRequest& request,
                          std::string& error);

// Runs the whole mode; 0 on success, otherwise one line on stderr and a non-zero exit code.
int RunRenderCommand(int argc, char** argv);

}  // namespace shell
