// SPDX-License-Identifier: MIT
// The program's dialog templates as data: the main dialog (IDD_TORVIX_CONTROLLER_DIALOG) with
// its 86 controls in template order and the fixed items of its drop-down lists, and the About
// box (IDD_ABOUTBOX). Positions are dialog units.
//
// The program hands them to the window layer, which builds its controls from them; the views
// lay out real widgets from the same rows.
#pragma once

#include <cstddef>

#include "window/dialog_template.h"

namespace torvix {

inline constexpr std::size_t kMainDialogControlCount = 86;

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

}  // namespace torvix
