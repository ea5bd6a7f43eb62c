// SPDX-License-Identifier: MIT
// The program on the in-process virtual camera, a virtual clock and scripted hosts.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "app/main_dialog.h"
#include "camera/quorlink_bridge_api.h"
#include "clock/virtual_clock.h"
#include "sim/sim_rig.h"
#include "tests/support/in_process_sim.h"
#include "tests/support/scripted_hosts.h"

namespace torvix::testing {

// What a slider/edit pair shows for one setting: the thumb's position and the edit's text.
struct PairShown {
  int sliderId;
  int editId;
  int position;
  const char* text;
};

class AppFixture : public ::testing::Test {
 protected:
  AppFixture() : scopedClock_(clock) { UseInProcessSim(); }

  static SimRig& Rig() { return SimRig::Instance(); }

  // A dialog that has run its start-up (OnInitDialog) and waits in its modal loop.
  CMyTorvix_ControllerDlg& Start() {
    dialog = std::make_unique<CMyTorvix_ControllerDlg>(bridge, messages);
    dialog->Window().SetEventObserver(
        [this](const WindowEvent& event) { events.push_back(event); });
    modal.steps.push_front([this](DialogWindow& window) {
      if (whileOpen) whileOpen(window);
    });
    dialog->DoModal(modal);
    return *dialog;
  }

  // Starts the dialog and runs body while it is open, as a user action would.
  void RunOpen(std::function<void()> body) {
    whileOpen = [body = std::move(body)](DialogWindow&) { body(); };
    Start();
  }

  const ControlState& Control(int id) const { return *dialog->Window().Find(id); }

  std::vector<WindowEvent> EventsOf(WindowMessage message, int code) const {
    std::vector<WindowEvent> found;
    for (const WindowEvent& event : events) {
      if (event.message == message && event.code == code) found.push_back(event);
    }
    return found;
  }

  VirtualClock clock;
  ScriptedMessageHost messages;
  ScriptedModalHost modal;
  QuorlinkBridgeApi bridge;
  std::unique_ptr<CMyTorvix_ControllerDlg> dialog;
  // What the user does while the dialog is open; the loop ends when it returns.
  std::function<void(DialogWindow&)> whileOpen;
  std::vector<WindowEvent> events;

 private:
  ScopedClock scopedClock_;
};

}  // namespace torvix::testing
