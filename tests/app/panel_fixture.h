// SPDX-License-Identifier: MIT
// User actions on the open main dialog, on top of the application fixture, and what they did
// to the virtual camera: the register writes on the bus and the pauses on the virtual clock.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/resource_ids.h"
#include "tests/app/app_fixture.h"
#include "tests/app/register_writes.h"

namespace torvix::testing {

class PanelFixture : public AppFixture {
 protected:
  DialogWindow& W() { return dialog->Window(); }
  uint8_t Shadow(int setting) { return dialog->Link().Block().SettingsShadow[setting]; }
  uint8_t BusAddress() { return dialog->Link().Block().CameraBusAddress; }
  const std::string& Debug() const { return Control(IDC_DEBUG_VALUE).text; }

  // Forget what the start-up did, so a test sees only its own action.
  void ClearRecords() {
    Rig().Log().Clear();
    clock.ClearPauses();
    messages.shown.clear();
  }
  std::vector<RegisterWrite> Writes() const { return RegisterWrites(SimRig::Instance().Log()); }

  // Selects the whole text and types over it, one change per character taken.
  void TypeOver(int editId, std::string_view typed) {
    ASSERT_TRUE(W().UserSelectText(editId, 0, Control(editId).text.size()));
    W().UserType(editId, typed);
  }
  // Selects the whole text and pastes over it: a single change.
  void PasteOver(int editId, std::string_view text) {
    ASSERT_TRUE(W().UserSelectText(editId, 0, Control(editId).text.size()));
    ASSERT_TRUE(W().UserPaste(editId, text));
  }
  void Choose(int listId, int index) {
    ASSERT_TRUE(W().UserOpenList(listId));
    ASSERT_TRUE(W().UserChooseItem(listId, index));
  }
  void Click(int id) { ASSERT_TRUE(W().UserClick(id)); }
};

}  // namespace torvix::testing
