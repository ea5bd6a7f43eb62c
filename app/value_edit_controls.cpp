// SPDX-License-Identifier: MIT
#include "app/value_edit_controls.h"

#include <cstddef>

namespace torvix {

namespace {

constexpr bool rowsInStepWithThePairs() {
  for (std::size_t i = 0; i < kValueEditPairs.size(); ++i) {
    if (kValueEditControls[i].setting != kValueEditPairs[i].setting) return false;
  }
  return true;
}
static_assert(rowsInStepWithThePairs(), "row i holds the controls of kValueEditPairs[i]");

}  // namespace

const ValueEditPair* FindPairBySlider(int sliderId) {
  for (std::size_t i = 0; i < kValueEditControls.size(); ++i) {
    if (kValueEditControls[i].sliderId == sliderId) return &kValueEditPairs[i];
  }
  return nullptr;
}

const ValueEditPair* FindPairByEdit(int editId) {
  for (std::size_t i = 0; i < kValueEditControls.size(); ++i) {
    if (kValueEditControls[i].editId == editId) return &kValueEditPairs[i];
  }
  return nullptr;
}

const ValueEditControls& ControlsOf(const ValueEditPair& pair) {
  return kValueEditControls[static_cast<std::size_t>(&pair - kValueEditPairs.data())];
}

}  // namespace torvix
