// SPDX-License-Identifier: MIT
// The Qt view offscreen, showing the main dialog on the in-process virtual camera (the rig of
// tests/support/main_dialog_rig.h). Each modal window runs the next step of the script once it is
// shown; the window is then ended as Esc would end it, so the test never waits on an event loop.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <cstdint>
#include <deque>
#include <functional>
#include <vector>

#include "app/qt/dialog_view.h"
#include "app/qt/qt_modal_host.h"
#include "tests/support/main_dialog_rig.h"

namespace torvix::testing {

inline QApplication& QtApp() {
  static int argc = 1;
  static char name[] = "torvix_qt_tests";
  static char* argv[] = {name, nullptr};
  static QApplication* application = new QApplication(argc, argv);
  return *application;
}

class ScriptedQtModalHost final : public QtModalHost {
 public:
  using Step = std::function<void(DialogView&)>;
  std::deque<Step> steps;
  std::vector<int> openedTemplates;

 protected:
  void Opened(DialogView& view) override {
    openedTemplates.push_back(view.Window().Template().id);
    if (!steps.empty()) {
      Step step = std::move(steps.front());
      steps.pop_front();
      step(view);
    }
    DialogWindow& window = view.Window();
    if (!window.Ended()) window.UserEscape();
    if (!window.Ended()) window.EndDialog(kIdCancel);
  }
};

class QtViewTest : public MainDialogRig {
 protected:
  QtViewTest() { QtApp(); }

  // Starts the program's main dialog and runs body while its window is on screen.
  void RunOpen(ScriptedQtModalHost::Step body) {
    host.steps.push_back(std::move(body));
    NewDialog().DoModal(host);
  }

  // Lets queued work run (a list settles its close once the closing call has returned).
  static void Settle() { QCoreApplication::processEvents(); }

  // How many times the camera was told to write this register.
  std::size_t WritesOf(uint8_t reg) const {
    std::size_t count = 0;
    std::size_t from = 0;
    while (auto found = SimRig::Instance().Log().FindWrite({0x00, 0x30, reg}, from)) {
      ++count;
      from = *found + 1;
    }
    return count;
  }

  ScriptedQtModalHost host;
};

}  // namespace torvix::testing
