#include "shell/entry.h"

#include "shell/render_command.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "shell/startup.h"

namespace shell {
namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  planetarium [VIEWFILE | -SCREENSAVER | #$#xxxxxPATH]\n"
    "  planetarium --render OUT.png|OUT.pdf [--size WxH] [--set KEY=VALUE]... [VIEWFILE]\n"
    "  planetarium --help | --version | --data-dir DIR\n";

bool DisplayAvailable() {
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (platform && *platform) return true;
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 && *x11) || (wayland && *wayland);
}

// The value of --data-dir, or empty.
std::string DataDirectoryOption(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::string_view(argv[i]) == "--data-dir") return argv[i + 1];
    }
    return {};
}

}  // namespace

int RunProgram(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("planetarium %s\n", PLANETARIUM_VERSION);
            return 0;
        }
    }
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--render") return RunRenderCommand(argc, argv);
    }
    if (!DisplayAvailable()) {
        std::fputs("planetarium: no display available (set DISPLAY, or use --render)\n", stderr);
        return 2;
    }
    return RunGui(argc, argv, DataDirectoryOption(argc, argv));
}

}  // namespace shell
