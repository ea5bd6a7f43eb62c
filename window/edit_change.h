// SPDX-License-Identifier: MIT
// What the user did to an edit, recovered from its text before and after.
//
// A platform's edit control applies keys, paste, undo, drops and input methods itself and then
// reports the new text. The window layer wants the user's act instead (select a range, then
// type, paste or delete), so that it can apply its own text limit and deliver one change event
// per act. Both views recover it here.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "window/dialog_window.h"

namespace torvix {

struct EditChange {
  std::size_t start;  // the replaced range of the old text, in bytes
  std::size_t end;
  std::string inserted;  // what stands there now
};

// The smallest single replacement that turns before into after; nullopt when they are equal.
std::optional<EditChange> DiffEditText(std::string_view before, std::string_view after);

// Hands the layer the act that turned the edit's text into what the platform's control shows
// now: the replaced range selected, then one character typed, a text pasted, or the range
// deleted. Nothing when the texts are equal.
void UserEditedText(DialogWindow& window, int id, std::string_view shown);

}  // namespace torvix
