#include "platform/virtual_keys.h"

#include <gtest/gtest.h>

namespace tellwick {
namespace {

TEST(VirtualKeys, QtKeysMapToTheirCodesAndBack) {
    const struct {
        int qtKey;
        int virtualKey;
    } rows[] = {
        {Qt::Key_Tab, 9},       {Qt::Key_Shift, 16}, {Qt::Key_Control, 17}, {Qt::Key_Alt, 18},
        {Qt::Key_PageDown, 34}, {Qt::Key_Home, 36},  {Qt::Key_Left, 37},    {Qt::Key_Up, 38},
        {Qt::Key_Down, 40},     {Qt::Key_0, 48},     {Qt::Key_9, 57},       {Qt::Key_A, 65},
        {Qt::Key_C, 67},        {Qt::Key_Z, 90},     {Qt::Key_F1, 112},     {Qt::Key_F2, 113},
        {Qt::Key_F24, 135},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(virtualKeyFromQtKey(row.qtKey), row.virtualKey) << row.qtKey;
        EXPECT_EQ(qtKeyFromVirtualKey(row.virtualKey), row.qtKey) << row.virtualKey;
    }
}

TEST(VirtualKeys, KeysWithoutACodeGiveZero) {
    for (int qtKey : {int(Qt::Key_unknown), int(Qt::Key_Meta), int(Qt::Key_F25), 0})
        EXPECT_EQ(virtualKeyFromQtKey(qtKey), 0) << qtKey;
    for (int virtualKey : {0, 1, 136, 255})
        EXPECT_EQ(qtKeyFromVirtualKey(virtualKey), 0) << virtualKey;
}

TEST(VirtualKeys, ModifiersBecomeTheShiftArgument) {
    EXPECT_EQ(shiftStateFromModifiers(Qt::NoModifier), 0);
    EXPECT_EQ(shiftStateFromModifiers(Qt::ShiftModifier), 1);
    EXPECT_EQ(shiftStateFromModifiers(Qt::ControlModifier | Qt::AltModifier), 6);
    EXPECT_EQ(shiftStateFromModifiers(Qt::ShiftModifier | Qt::KeypadModifier), 1);
}

} // namespace
} // namespace tellwick
