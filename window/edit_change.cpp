// SPDX-License-Identifier: MIT
#include "window/edit_change.h"

#include <algorithm>

#include "window/utf8_text.h"

namespace torvix {

std::optional<EditChange> DiffEditText(std::string_view before, std::string_view after) {
  if (before == after) return std::nullopt;
  std::size_t prefix = 0;
  const std::size_t shorter = std::min(before.size(), after.size());
  while (prefix < shorter && before[prefix] == after[prefix]) ++prefix;
  // Never back into the prefix: "aa" -> "aaa" is one 'a' inserted at the end.
  std::size_t suffix = 0;
  while (suffix < shorter - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  // A cut inside a multi-byte character would hand the layer half a character.
  while (prefix > 0 && prefix < before.size() && IsUtf8Continuation(before[prefix])) --prefix;
  while (suffix > 0 && IsUtf8Continuation(before[before.size() - suffix])) --suffix;
  return EditChange{prefix, before.size() - suffix,
                    std::string(after.substr(prefix, after.size() - suffix - prefix))};
}

void UserEditedText(DialogWindow& window, int id, std::string_view shown) {
  const ControlState* edit = window.Find(id);
  if (edit == nullptr) return;
  const std::optional<EditChange> change = DiffEditText(edit->text, shown);
  if (!change) return;
  window.UserSelectText(id, change->start, change->end);
  if (change->inserted.empty()) {
    window.UserBackspace(id);
  } else if (Utf8Length(change->inserted) == 1) {
    window.UserType(id, change->inserted);
  } else {
    window.UserPaste(id, change->inserted);
  }
}

}  // namespace torvix
