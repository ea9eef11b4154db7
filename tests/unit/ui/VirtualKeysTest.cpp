#include "ui/VirtualKeys.h"

#include <gtest/gtest.h>

namespace quorix::ui {
namespace {

TEST(VirtualKeys, KeysAndModifiersGiveTheirCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        std::optional<std::int16_t> code;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const Qt::KeyboardModifiers shift = Qt::ShiftModifier;
    const Case cases[] = {
        {Qt::Key_Escape, none, 27},   {Qt::Key_Return, none, 13},  {Qt::Key_Enter, pad, 13},
        {Qt::Key_0, none, 48},        {Qt::Key_9, none, 57},       {Qt::Key_0, pad, 96},
        {Qt::Key_9, pad, 105},        {Qt::Key_Exclam, shift, 49}, {Qt::Key_Asterisk, shift, 56},
        {Qt::Key_Asterisk, pad, 106}, {Qt::Key_Minus, pad, 109},   {Qt::Key_Minus, none, 189},
        {Qt::Key_A, none, 65},        {Qt::Key_Z, shift, 90},      {Qt::Key_F1, none, 112},
        {Qt::Key_F12, none, 123},     {Qt::Key_Shift, shift, 16},  {Qt::Key_VolumeUp, none, {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(VirtualKeyCode(c.key, c.modifiers), c.code) << c.key;
    }
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(ShiftMask(Qt::KeypadModifier | Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftMask(Qt::MetaModifier), 0);
}

} // namespace
} // namespace quorix::ui
