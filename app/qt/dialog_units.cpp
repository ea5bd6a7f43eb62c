// SPDX-License-Identifier: MIT
#include "app/qt/dialog_units.h"

#include "window/mul_div.h"

namespace torvix {

int AverageCharWidth(int widthOfAlphabet) { return (widthOfAlphabet / 26 + 1) / 2; }

PixelRect ToPixels(const DialogRect& rect, DialogUnits units) {
  return {MulDiv(rect.x, units.cx, 4), MulDiv(rect.y, units.cy, 8), MulDiv(rect.width, units.cx, 4),
          MulDiv(rect.height, units.cy, 8)};
}

}  // namespace torvix
