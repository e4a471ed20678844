#include "shell/accelerators.h"

namespace shell {
namespace {

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kShift = Qt::ShiftModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
constexpr Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

const Accelerator kMain[] = {
    // File and window.
    {Qt::Key_F5, kNone, 131},
    {Qt::Key_V, kCtrl, 131},
    {Qt::Key_F6, kNone, 132},
    {Qt::Key_T, kCtrl, 132},
    {Qt::Key_F7, kNone, 133},
    {Qt::Key_D, kCtrl, 133},
    {Qt::Key_F8, kNone, 134},
    {Qt::Key_L, kCtrl, 134},
    {Qt::Key_Return, kAlt, 147},
    {Qt::Key_Enter, kAlt, 147},
    {Qt::Key_Escape, kNone, 40001},
    {Qt::Key_F9, kNone, 149},
    {Qt::Key_M, kCtrl, 40011},
    {Qt::Key_F2, kNone, 413},
    {Qt::Key_F, kCtrl, 413},
    {Qt::Key_F12, kNone, 40010},
    {Qt::Key_F1, kNone, 151},
    // Time.
    {Qt::Key_Y, kCtrl, 311},
    {Qt::Key_N, kCtrl, 321},
    {Qt::Key_T, kNone, 40068},
    {Qt::Key_T, kShift, 40069},
    {Qt::Key_Y, kNone, 621},
    {Qt::Key_Y, kShift, 631},
    {Qt::Key_M, kNone, 622},
    {Qt::Key_M, kShift, 632},
    {Qt::Key_D, kNone, 623},
    {Qt::Key_D, kShift, 633},
    {Qt::Key_H, kNone, 624},
    {Qt::Key_H, kShift, 634},
    {Qt::Key_1, kNone, 2201},
    {Qt::Key_2, kNone, 2202},
    {Qt::Key_3, kNone, 2203},
    {Qt::Key_4, kNone, 2204},
    {Qt::Key_5, kNone, 2205},
    {Qt::Key_6, kNone, 2206},
    {Qt::Key_7, kNone, 2207},
    {Qt::Key_8, kNone, 2208},
    {Qt::Key_9, kNone, 2209},
    {Qt::Key_0, kNone, 2210},
    {Qt::Key_1, kShift, 2301},
    {Qt::Key_2, kShift, 2302},
    {Qt::Key_3, kShift, 2303},
    {Qt::Key_4, kShift, 2304},
    {Qt::Key_5, kShift, 2305},
    {Qt::Key_6, kShift, 2306},
    {Qt::Key_7, kShift, 2307},
    {Qt::Key_8, kShift, 2308},
    {Qt::Key_9, kShift, 2309},
    {Qt::Key_0, kShift, 2310},
    {Qt::Key_A, kNone, 331},
    {Qt::Key_A, kShift, 331},
    {Qt::Key_A, kCtrl, 332},
    // Direction, zoom and position.
    {Qt::Key_N, kNone, 400},
    {Qt::Key_S, kNone, 401},
    {Qt::Key_E, kNone, 402},
    {Qt::Key_W, kNone, 403},
    {Qt::Key_Home, kNone, 40060},
    {Qt::Key_End, kNone, 40061},
    {Qt::Key_Up, kNone, 601},
    {Qt::Key_Up, kShift, 602},
    {Qt::Key_Up, kCtrl, 609},
    {Qt::Key_Down, kNone, 603},
    {Qt::Key_Down, kShift, 604},
    {Qt::Key_Down, kCtrl, 610},
    {Qt::Key_Left, kNone, 605},
    {Qt::Key_Left, kShift, 606},
    {Qt::Key_Left, kCtrl, 615},
    {Qt::Key_Right, kNone, 607},
    {Qt::Key_Right, kShift, 608},
    {Qt::Key_Right, kCtrl, 616},
    {Qt::Key_F3, kNone, 410},
    {Qt::Key_PageUp, kNone, 410},
    {Qt::Key_Z, kNone, 410},
    {Qt::Key_Z, kCtrl, 410},
    {Qt::Key_F4, kNone, 411},
    {Qt::Key_PageDown, kNone, 411},
    {Qt::Key_Z, kShift, 411},
    {Qt::Key_Q, kCtrl, 107},
    {Qt::Key_E, kShift, 611},
    {Qt::Key_W, kShift, 614},
    {Qt::Key_N, kShift, 612},
    {Qt::Key_S, kShift, 613},
    // What is drawn.
    {Qt::Key_Backslash, Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier, 214},
    {Qt::Key_C, kNone, 208},
    {Qt::Key_C, kShift, 209},
    {Qt::Key_X, kNone, 218},
    {Qt::Key_X, kShift, 219},
    {Qt::Key_X, kCtrl, 40018},
    {Qt::Key_X, kCtrlShift, 40019},
    {Qt::Key_G, kNone, 228},
    {Qt::Key_G, kShift, 229},
    {Qt::Key_G, kCtrl, 40066},
    {Qt::Key_O, kNone, 238},
    {Qt::Key_O, kShift, 239},
    {Qt::Key_O, kCtrl, 25430},
    {Qt::Key_O, kCtrlShift, 25429},
    {Qt::Key_K, kNone, 248},
    {Qt::Key_K, kShift, 249},
    {Qt::Key_K, kCtrl, 40032},
    {Qt::Key_B, kNone, 333},
    {Qt::Key_B, kShift, 334},
    {Qt::Key_B, kCtrl, 40035},
    {Qt::Key_B, kCtrlShift, 40035},
    {Qt::Key_L, kNone, 251},
    {Qt::Key_L, kShift, 251},
    {Qt::Key_P, kNone, 252},
    {Qt::Key_J, kNone, 257},
    {Qt::Key_J, kShift, 257},
    {Qt::Key_F, kNone, 40028},
    {Qt::Key_F, kShift, 40029},
    {Qt::Key_C, kCtrl, 40023},
    {Qt::Key_C, kCtrlShift, 40024},
    {Qt::Key_I, kNone, 253},
    {Qt::Key_I, kShift, 253},
    {Qt::Key_I, kCtrl, 40014},
    {Qt::Key_I, kCtrlShift, 40014},
    {Qt::Key_R, kNone, 40063},
    {Qt::Key_R, kShift, 40064},
    {Qt::Key_Q, kNone, 636},
    {Qt::Key_Q, kShift, 637},
    {Qt::Key_U, kNone, 638},
    {Qt::Key_U, kShift, 639},
    {Qt::Key_W, kCtrl, 40015},
};

// The symbols of Shift+1..Shift+0 on a US keyboard.
constexpr int kShiftedDigits[10][2] = {
    {Qt::Key_Exclam, Qt::Key_1},     {Qt::Key_At, Qt::Key_2},
    {Qt::Key_NumberSign, Qt::Key_3}, {Qt::Key_Dollar, Qt::Key_4},
    {Qt::Key_Percent, Qt::Key_5},    {Qt::Key_AsciiCircum, Qt::Key_6},
    {Qt::Key_Ampersand, Qt::Key_7},  {Qt::Key_Asterisk, Qt::Key_8},
    {Qt::Key_ParenLeft, Qt::Key_9},  {Qt::Key_ParenRight, Qt::Key_0},
};

// Key codes of the keys 1..9, 0 of the digit row on Linux (the kernel's codes 2..11 plus 8, as
// both X11 and Wayland hand them over), the same on every layout.
constexpr quint32 kDigitRowFirst = 10;

}  // namespace

std::span<const Accelerator> MainAccelerators() {
    return kMain;
}

int AcceleratorCommand(int key, Qt::KeyboardModifiers modifiers, quint32 scanCode) {
    return AcceleratorCommand(kMain, key, modifiers, scanCode);
}

int AcceleratorCommand(std::span<const Accelerator> table, int key, Qt::KeyboardModifiers modifiers,
                       quint32 scanCode) {
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;
    if (scanCode >= kDigitRowFirst && scanCode < kDigitRowFirst + 10) {
        key = scanCode == kDigitRowFirst + 9
                  ? Qt::Key_0
                  : Qt::Key_1 + static_cast<int>(scanCode - kDigitRowFirst);
    } else if (modifiers & Qt::ShiftModifier) {
        for (const auto& pair : kShiftedDigits)
            if (key == pair[0]) key = pair[1];
    }
    if (key == Qt::Key_Bar) key = Qt::Key_Backslash;
    for (const Accelerator& accelerator : table)
        if (accelerator.key == key && accelerator.modifiers == modifiers)
            return accelerator.command;
    return 0;
}

}  // namespace shell
