// SPDX-License-Identifier: MIT
// The program's main dialog on the in-process virtual camera, a virtual clock and a scripted
// message host, with every event its window takes recorded. The fixtures of the program's
// tests and of its Qt view add the modal host that runs it.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/main_dialog.h"
#include "camera/quorlink_bridge_api.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"
#include "tests/support/in_process_sim.h"
#include "tests/support/scripted_hosts.h"

namespace torvix::testing {

class MainDialogRig : public ::testing::Test {
 protected:
  MainDialogRig() : scopedClock_(clock) { UseInProcessSim(); }

  static SimRig& Rig() { return SimRig::Instance(); }

  // A new dialog in place of the last, not yet started (DoModal starts it).
  CMyTorvix_ControllerDlg& NewDialog() {
    dialog = std::make_unique<CMyTorvix_ControllerDlg>(bridge, messages);
    dialog->Window().SetEventObserver(
        [this](const WindowEvent& event) { events.push_back(event); });
    return *dialog;
  }

  std::vector<WindowEvent> EventsOf(WindowMessage message, int code) const {
    std::vector<WindowEvent> found;
    for (const WindowEvent& event : events) {
      if (event.message == message && event.code == code) found.push_back(event);
    }
    return found;
  }

  VirtualClock clock;
  ScriptedMessageHost messages;
  QuorlinkBridgeApi bridge;
  std::unique_ptr<CMyTorvix_ControllerDlg> dialog;
  std::vector<WindowEvent> events;

 private:
  ScopedClock scopedClock_;
};

}  // namespace torvix::testing
