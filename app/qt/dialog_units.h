// SPDX-License-Identifier: MIT
// Dialog units to pixels. A template gives positions in dialog units: a quarter of the font's
// average character width across, an eighth of its height down. The view measures its own
// font, so the panel keeps its proportions whatever font the platform has.
#pragma once

#include "window/dialog_template.h"

namespace torvix {

struct DialogUnits {
  int cx;  // average character width in pixels
  int cy;  // character height in pixels
};

struct PixelRect {
  int x;
  int y;
  int width;
  int height;
};

// The average width of the 52 letters, rounded, as the classic dialog manager measures it.
int AverageCharWidth(int widthOfAlphabet);

PixelRect ToPixels(const DialogRect& rect, DialogUnits units);

}  // namespace torvix
