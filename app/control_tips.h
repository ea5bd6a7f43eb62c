// SPDX-License-Identifier: MIT
// The tip of every visible control that changes the camera: what it does, its register and the
// values it writes ("Y (contrast): register 0x57, 0x38 to 0x54"). The numbers come from the
// settings table and the value rules, never from a copy of their own.
#pragma once

#include <string>
#include <vector>

namespace torvix {

struct ControlTip {
  int controlId;
  std::string text;
};

// The slider/edit pairs first, then the other controls; one tip per control.
std::vector<ControlTip> ControlTips();

}  // namespace torvix
