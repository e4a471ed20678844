// The main window's keys ("A_MAIN"): each key with its modifiers sends one command number.
#pragma once

#include <span>

#include <Qt>

namespace shell {

struct Accelerator {
    int key;  // Qt::Key
    Qt::KeyboardModifiers modifiers;
    int command;
};

std::span<const Accelerator> MainAccelerators();

// The command of a key press in a table, or 0 when the table has none. Shift with a digit is
// accepted both as the digit and as the symbol a US keyboard gives for it.
int AcceleratorCommand(std::span<const Accelerator> table, int key,
                       Qt::KeyboardModifiers modifiers);
// The same in "A_MAIN".
int AcceleratorCommand(int key, Qt::KeyboardModifiers modifiers);

}  // namespace shell
