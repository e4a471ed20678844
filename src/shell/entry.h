// The program's entry: command-line modes (--help, --version, --render, --data-dir) and the GUI.
#pragma once

namespace shell {

int RunProgram(int argc, char** argv);

}  // namespace shell
