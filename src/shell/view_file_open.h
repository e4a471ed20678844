// Opening a file given to the program (command line, dropped file, screen saver): a saved view,
// or a comet text with a [DORVANCOMET] section.
#pragma once

#include <string>

namespace shell {

struct Program;

// Opens the file and applies it to the view state. With prompts, failures are shown
// ("Failed to open file.", "Failed to read file."); without, they are silent. Returns success.
bool OpenViewFile(Program& program, const std::string& path, bool prompts);

// The stored city matching the current place (user cities first, from 10000), or -1.
int FindCurrentCity(const Program& program);

}  // namespace shell
