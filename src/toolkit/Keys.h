// Virtual key codes, shift state and mouse buttons as the toolkit's key and mouse events carry them.
#pragma once

#include <cstdint>

namespace tkv {

constexpr std::uint16_t VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_ESCAPE = 27, VK_SPACE = 32,
                        VK_DELETE = 46, VK_F1 = 112;

enum TShiftFlag : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4 };
using TShiftState = std::uint8_t;

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

} // namespace tkv
