// SPDX-License-Identifier: MIT
// Whatever a user types or pastes into the value edits and the camera address edit of the open
// main dialog, on the in-process virtual camera. Nothing may crash, and every register write
// that reaches the camera must be one the edit allows: a value edit's register only within its
// pair's range, the own-address register only up to 0xfc.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "app/value_edit_controls.h"
#include "camera/quorlink_bridge_api.h"
#include "camera/register_map.h"
#include "camera/settings_table.h"
#include "camera/value_edit_pairs.h"
#include "clock/virtual_clock.h"
#include "fuzz/fuzz_check.h"
#include "sim/sim_rig.h"
#include "tests/app/register_writes.h"
#include "tests/support/scripted_hosts.h"

namespace {

using namespace torvix;

void CheckWrites(const BusLog& log) {
  for (const torvix::testing::RegisterWrite& write : torvix::testing::RegisterWrites(log)) {
    if (write.reg == kSettingsTable[CameraAddress].registerAddress) {
      FUZZ_CHECK(write.value <= kCameraAddressMaximum);
    }
    for (const ValueEditPair& pair : kValueEditPairs) {
      if (SettingRow(pair.setting).registerAddress != write.reg) continue;
      FUZZ_CHECK(write.value >= pair.minimum && write.value <= pair.maximum);
    }
  }
}

void Edit(FuzzedDataProvider& in, DialogWindow& window) {
  const auto which = in.ConsumeIntegralInRange<std::size_t>(0, kValueEditControls.size());
  const int id =
      which == kValueEditControls.size() ? IDC_CAMERA_ADDRESS : kValueEditControls[which].editId;
  const std::string text = in.ConsumeRandomLengthString(12);
  window.UserFocus(id);
  switch (in.ConsumeIntegralInRange<int>(0, 3)) {
    case 0:
      window.UserSelectText(id, 0, window.GetWindowText(id).size());
      window.UserType(id, text);
      break;
    case 1:
      window.UserSelectText(id, 0, window.GetWindowText(id).size());
      window.UserPaste(id, text);
      break;
    case 2:
      window.UserBackspace(id);
      window.UserType(id, text);
      break;
    default:
      window.UserSelectText(id, in.ConsumeIntegralInRange<std::size_t>(0, 8),
                            in.ConsumeIntegralInRange<std::size_t>(0, 8));
      window.UserType(id, text);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static VirtualClock* clock = new VirtualClock;
  static ScopedClock* scoped = new ScopedClock(*clock);
  (void)scoped;
  ::setenv("QUORLINK_DEVICE", "sim", 1);
  SimRig& rig = SimRig::Instance();
  rig.Reset();
  clock->ClearPauses();

  FuzzedDataProvider in(data, size);
  torvix::testing::ScriptedMessageHost messages;
  torvix::testing::ScriptedModalHost modal;
  QuorlinkBridgeApi bridge;
  CMyTorvix_ControllerDlg dialog(bridge, messages);
  modal.steps.push_back([&](DialogWindow& window) {
    rig.Log().Clear();
    for (int action = 0; action < 8 && in.remaining_bytes() > 0; ++action) {
      Edit(in, window);
      CheckWrites(rig.Log());
      rig.Log().Clear();
      clock->ClearPauses();
    }
  });
  dialog.DoModal(modal);
  return 0;
}
