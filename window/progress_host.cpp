// SPDX-License-Identifier: MIT
#include "window/progress_host.h"

namespace torvix {

namespace {

class SilentProgressHost final : public ProgressHost {
 public:
  void Begin(const std::string&) override {}
  void Show(const std::string&, int) override {}
  bool StopAsked() override { return false; }
  void End() override {}
};

SilentProgressHost noHost;
ProgressHost* current = &noHost;

}  // namespace

ProgressHost& CurrentProgressHost() { return *current; }

ScopedProgressHost::ScopedProgressHost(ProgressHost& host) : previous_(current) { current = &host; }

ScopedProgressHost::~ScopedProgressHost() { current = previous_; }

}  // namespace torvix
