// SPDX-License-Identifier: MIT
// Where a long operation shows how far it has come and the user may stop it: a progress dialog
// on a screen, a script in the tests.
//
// Like the save dialog, the host in force is a process-wide seam, installed once by the program
// with a ScopedProgressHost. With none installed nothing is shown and nothing is ever stopped.
#pragma once

#include <string>

namespace torvix {

class ProgressHost {
 public:
  virtual ~ProgressHost() = default;
  // Opens the progress window over the dialog, with caption and a Cancel button.
  virtual void Begin(const std::string& caption) = 0;
  // Shows text ("Page 3 of 8") and percent (0..100).
  virtual void Show(const std::string& text, int percent) = 0;
  // Lets the screen catch up (painting, the Cancel button) and says whether the user has asked
  // to stop. Called often: between two register reads.
  virtual bool StopAsked() = 0;
  // Closes the progress window.
  virtual void End() = 0;
};

ProgressHost& CurrentProgressHost();

// Installs a host for the lifetime of this object and restores the previous one after.
class ScopedProgressHost {
 public:
  explicit ScopedProgressHost(ProgressHost& host);
  ~ScopedProgressHost();
  ScopedProgressHost(const ScopedProgressHost&) = delete;
  ScopedProgressHost& operator=(const ScopedProgressHost&) = delete;

 private:
  ProgressHost* previous_;
};

}  // namespace torvix
