// SPDX-License-Identifier: MIT
// A window-layer template as the platform's in-memory dialog template: the header, the font and
// one item per control in template order, with the template's IDs, classes, captions, styles and
// positions in dialog units. The dialog manager then lays out, tabs and keys the dialog itself.
#pragma once

#include <cstdint>
#include <vector>

#include "window/dialog_template.h"

namespace torvix {

// The template as 16-bit words, ready for DialogBoxIndirectParam (which wants it 4-byte aligned:
// a vector's storage is).
std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialogTemplate);

}  // namespace torvix
