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

// The command of a key press in a table, or 0 when the table has none. The keys of the digit
// row count as their digits whatever the layout gives with them (scanCode: the platform's key
// code, 0 when unknown, as for synthetic events); without a code, Shift with a digit is also
// accepted as the symbol a US keyboard gives for it.
int AcceleratorCommand(std::span<const Accelerator> table, int key, Qt::KeyboardModifiers modifiers,
                       quint32 scanCode = 0);
// The same in "A_MAIN".
int AcceleratorCommand(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode = 0);

}  // namespace shell
