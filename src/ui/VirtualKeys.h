#pragma once

#include <Qt>
#include <cstdint>
#include <optional>
#include <string_view>

namespace quorix::ui {

// The program's key handler speaks the key codes of the old platform (Windows virtual-key
// codes: Enter 13, Esc 27, Space 32, arrows 37 to 40, main-keyboard digits 48 to 57, keypad
// digits 96 to 105, letters 65 to 90 ...) and a modifier mask (1 Shift, 2 Ctrl, 4 Alt).

// The codes the program's handlers act on.
namespace vk {
inline constexpr std::int16_t Enter = 13;
inline constexpr std::int16_t Escape = 27;
inline constexpr std::int16_t Space = 32;
inline constexpr std::int16_t Left = 37;
inline constexpr std::int16_t Up = 38;
inline constexpr std::int16_t Right = 39;
inline constexpr std::int16_t Down = 40;
inline constexpr std::int16_t Digit0 = 48; // main keyboard; Digit0 + n is digit n
inline constexpr std::int16_t Digit1 = 49;
inline constexpr std::int16_t Digit9 = 57;
inline constexpr std::int16_t Numpad0 = 96; // keypad; Numpad0 + n is keypad digit n
} // namespace vk

// The bits of the modifier mask.
namespace modifier {
inline constexpr std::int16_t Shift = 1;
inline constexpr std::int16_t Ctrl = 2;
inline constexpr std::int16_t Alt = 4;
} // namespace modifier

// A key or modifier as scripts (the scenario files) name it.
struct NamedCode {
    std::string_view name;
    std::int16_t code;
};

inline constexpr NamedCode KeyNames[] = {
    {"esc", vk::Escape}, {"enter", vk::Enter}, {"space", vk::Space}, {"left", vk::Left},
    {"up", vk::Up},      {"right", vk::Right}, {"down", vk::Down},
};

inline constexpr NamedCode ModifierNames[] = {
    {"shift", modifier::Shift},
    {"ctrl", modifier::Ctrl},
    {"alt", modifier::Alt},
};

// The code of a key name: one of KeyNames, a main-keyboard digit "0" to "9" or a keypad digit
// "numpad0" to "numpad9". No value for any other text.
std::optional<std::int16_t> KeyCodeNamed(std::string_view name);

// The mask of one modifier name or of several joined by "+" ("shift+ctrl"). No value when a part
// names no modifier, or for empty text.
std::optional<std::int16_t> ModifierMaskNamed(std::string_view names);

// The virtual-key code of a Qt key; no value for keys that have none. Keypad keys are told
// apart by Qt::KeypadModifier. On the main keyboard a shifted digit (Shift+1 gives '!' on a US
// layout) still counts as its digit, as the key code does not depend on Shift.
std::optional<std::int16_t> VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers);

// The modifier mask of Qt's modifiers.
std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers);

} // namespace quorix::ui
