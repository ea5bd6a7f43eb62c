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

// In template order of the controls' rows in the tip table; one tip per control.
std::vector<ControlTip> ControlTips();

}  // namespace torvix
