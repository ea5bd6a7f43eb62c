#include "app/qt/dialog_units.h"

namespace torvix {

int AverageCharWidth(int widthOfAlphabet) { return (widthOfAlphabet / 26 + 1) / 2; }

PixelRect ToPixels(const DialogRect& rect, DialogUnits units) {
  return {rect.x * units.cx / 4, rect.y * units.cy / 8, rect.width * units.cx / 4,
          rect.height * units.cy / 8};
}

}  // namespace torvix
