#include "ui/VirtualKeys.h"

#include <gtest/gtest.h>

namespace quorix {
namespace {

std::optional<std::int16_t> Code(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    return VirtualKeyCode(key, modifiers);
}

TEST(VirtualKeys, CommandKeys) {
    EXPECT_EQ(Code(Qt::Key_Escape), 27);
    EXPECT_EQ(Code(Qt::Key_Return), 13);
    EXPECT_EQ(Code(Qt::Key_Enter, Qt::KeypadModifier), 13);
    EXPECT_EQ(Code(Qt::Key_Space), 32);
    EXPECT_EQ(Code(Qt::Key_Left), 37);
    EXPECT_EQ(Code(Qt::Key_Up), 38);
    EXPECT_EQ(Code(Qt::Key_Right), 39);
    EXPECT_EQ(Code(Qt::Key_Down), 40);
    // Keypad arrows (Num Lock off) are the arrows.
    EXPECT_EQ(Code(Qt::Key_Left, Qt::KeypadModifier), 37);
}

TEST(VirtualKeys, MainKeyboardAndKeypadDigitsDiffer) {
    EXPECT_EQ(Code(Qt::Key_0), 48);
    EXPECT_EQ(Code(Qt::Key_1), 49);
    EXPECT_EQ(Code(Qt::Key_9), 57);
    EXPECT_EQ(Code(Qt::Key_0, Qt::KeypadModifier), 96);
    EXPECT_EQ(Code(Qt::Key_1, Qt::KeypadModifier), 97);
    EXPECT_EQ(Code(Qt::Key_9, Qt::KeypadModifier), 105);
    // Shift on the digit row still gives the digit; on the keypad '*' is its own key.
    EXPECT_EQ(Code(Qt::Key_Exclam, Qt::ShiftModifier), 49);
    EXPECT_EQ(Code(Qt::Key_Asterisk, Qt::ShiftModifier), 56);
    EXPECT_EQ(Code(Qt::Key_Asterisk, Qt::KeypadModifier), 106);
    EXPECT_EQ(Code(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(Code(Qt::Key_Minus), 189);
}

TEST(VirtualKeys, LettersFunctionKeysAndUnknownKeys) {
    EXPECT_EQ(Code(Qt::Key_A), 65);
    EXPECT_EQ(Code(Qt::Key_Z, Qt::ShiftModifier), 90);
    EXPECT_EQ(Code(Qt::Key_F1), 112);
    EXPECT_EQ(Code(Qt::Key_F12), 123);
    EXPECT_EQ(Code(Qt::Key_Shift, Qt::ShiftModifier), 16);
    EXPECT_FALSE(Code(Qt::Key_VolumeUp).has_value());
}

TEST(VirtualKeys, ModifierMask) {
    EXPECT_EQ(ShiftMask(Qt::NoModifier), 0);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftMask(Qt::ControlModifier), 2);
    EXPECT_EQ(ShiftMask(Qt::AltModifier), 4);
    EXPECT_EQ(ShiftMask(Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier), 7);
    EXPECT_EQ(ShiftMask(Qt::KeypadModifier | Qt::ShiftModifier), 1);
    EXPECT_EQ(ShiftMask(Qt::MetaModifier), 0);
}

} // namespace
} // namespace quorix
