// SPDX-License-Identifier: MIT
#include "window/dialog_template.h"

namespace torvix {

bool HasTabStop(ControlKind kind) {
  switch (kind) {
    case ControlKind::DefaultPushButton:
    case ControlKind::PushButton:
    case ControlKind::CheckBox:
    case ControlKind::Slider:
    case ControlKind::Edit:
    case ControlKind::DropDownList: return true;
    default: return false;
  }
}

}  // namespace torvix
