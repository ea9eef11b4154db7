#include "ui/VirtualKeys.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

namespace quorix::ui {

namespace {

// Keys whose code does not depend on where they are on the keyboard.
constexpr std::pair<int, std::int16_t> FixedKeys[] = {
    {Qt::Key_Backspace, 8},
    {Qt::Key_Tab, 9},
    {Qt::Key_Backtab, 9},
    {Qt::Key_Clear, 12},
    {Qt::Key_Return, vk::Enter},
    {Qt::Key_Enter, vk::Enter},
    {Qt::Key_Shift, 16},
    {Qt::Key_Control, 17},
    {Qt::Key_Alt, 18},
    {Qt::Key_Pause, 19},
    {Qt::Key_CapsLock, 20},
    {Qt::Key_Escape, vk::Escape},
    {Qt::Key_Space, vk::Space},
    {Qt::Key_PageUp, 33},
    {Qt::Key_PageDown, 34},
    {Qt::Key_End, 35},
    {Qt::Key_Home, 36},
    {Qt::Key_Left, vk::Left},
    {Qt::Key_Up, vk::Up},
    {Qt::Key_Right, vk::Right},
    {Qt::Key_Down, vk::Down},
    {Qt::Key_Select, 41},
    {Qt::Key_Print, 42},
    {Qt::Key_Execute, 43},
    {Qt::Key_SysReq, 44},
    {Qt::Key_Insert, 45},
    {Qt::Key_Delete, 46},
    {Qt::Key_Help, 47},
    {Qt::Key_Meta, 91},
    {Qt::Key_Menu, 93},
    {Qt::Key_Sleep, 95},
    {Qt::Key_NumLock, 144},
    {Qt::Key_ScrollLock, 145},
    {Qt::Key_Semicolon, 186},
    {Qt::Key_Equal, 187},
    {Qt::Key_Comma, 188},
    {Qt::Key_Minus, 189},
    {Qt::Key_Period, 190},
    {Qt::Key_Slash, 191},
    {Qt::Key_QuoteLeft, 192},
    {Qt::Key_BracketLeft, 219},
    {Qt::Key_Backslash, 220},
    {Qt::Key_BracketRight, 221},
    {Qt::Key_Apostrophe, 222},
    // The same keys with Shift on a US layout.
    {Qt::Key_Colon, 186},
    {Qt::Key_Plus, 187},
    {Qt::Key_Less, 188},
    {Qt::Key_Underscore, 189},
    {Qt::Key_Greater, 190},
    {Qt::Key_Question, 191},
    {Qt::Key_AsciiTilde, 192},
    {Qt::Key_BraceLeft, 219},
    {Qt::Key_Bar, 220},
    {Qt::Key_BraceRight, 221},
    {Qt::Key_QuoteDbl, 222},
};

// What Shift turns the digit row into on a US layout, in the order 0 to 9.
constexpr std::array<int, 10> ShiftedDigits{
    Qt::Key_ParenRight, Qt::Key_Exclam,    Qt::Key_At,          Qt::Key_NumberSign,
    Qt::Key_Dollar,     Qt::Key_Percent,   Qt::Key_AsciiCircum, Qt::Key_Ampersand,
    Qt::Key_Asterisk,   Qt::Key_ParenLeft,
};

std::optional<std::int16_t> KeypadCode(int qtKey) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        return static_cast<std::int16_t>(vk::Numpad0 + (qtKey - Qt::Key_0));
    }
    switch (qtKey) {
    case Qt::Key_Asterisk:
        return std::int16_t{106};
    case Qt::Key_Plus:
        return std::int16_t{107};
    case Qt::Key_Minus:
        return std::int16_t{109};
    case Qt::Key_Period:
    case Qt::Key_Comma: // the keypad's decimal key on layouts that write a comma
        return std::int16_t{110};
    case Qt::Key_Slash:
        return std::int16_t{111};
    default:
        return std::nullopt; // Enter, and the arrows and the like with Num Lock off
    }
}

} // namespace

std::optional<std::int16_t> VirtualKeyCode(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (modifiers.testFlag(Qt::KeypadModifier)) {
        if (auto code = KeypadCode(qtKey)) {
            return code;
        }
    } else {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
            return static_cast<std::int16_t>(vk::Digit0 + (qtKey - Qt::Key_0));
        }
        if (modifiers.testFlag(Qt::ShiftModifier)) {
            for (std::size_t digit = 0; digit < ShiftedDigits.size(); ++digit) {
                if (ShiftedDigits[digit] == qtKey) {
                    return static_cast<std::int16_t>(vk::Digit0 + static_cast<int>(digit));
                }
            }
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        return static_cast<std::int16_t>(65 + (qtKey - Qt::Key_A));
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return static_cast<std::int16_t>(112 + (qtKey - Qt::Key_F1));
    }
    for (const auto& [key, code] : FixedKeys) {
        if (key == qtKey) {
            return code;
        }
    }
    return std::nullopt;
}

std::int16_t ShiftMask(Qt::KeyboardModifiers modifiers) {
    int mask = 0;
    if (modifiers.testFlag(Qt::ShiftModifier)) {
        mask |= modifier::Shift;
    }
    if (modifiers.testFlag(Qt::ControlModifier)) {
        mask |= modifier::Ctrl;
    }
    if (modifiers.testFlag(Qt::AltModifier)) {
        mask |= modifier::Alt;
    }
    return static_cast<std::int16_t>(mask);
}

std::optional<std::int16_t> KeyCodeNamed(std::string_view name) {
    for (const auto& [known, code] : KeyNames) {
        if (known == name) {
            return code;
        }
    }
    constexpr std::string_view Keypad = "numpad";
    std::int16_t base = vk::Digit0;
    if (name.starts_with(Keypad)) {
        name.remove_prefix(Keypad.size());
        base = vk::Numpad0;
    }
    if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') {
        return static_cast<std::int16_t>(base + (name[0] - '0'));
    }
    return std::nullopt;
}

std::optional<std::int16_t> ModifierMaskNamed(std::string_view names) {
    int mask = 0;
    while (true) {
        const std::size_t plus = names.find('+');
        const std::string_view part = names.substr(0, plus);
        const auto* found =
            std::find_if(std::begin(ModifierNames), std::end(ModifierNames),
                         [part](const NamedCode& known) { return known.name == part; });
        if (found == std::end(ModifierNames)) {
            return std::nullopt;
        }
        mask |= found->code;
        if (plus == std::string_view::npos) {
            return static_cast<std::int16_t>(mask);
        }
        names.remove_prefix(plus + 1);
    }
}

} // namespace quorix::ui
