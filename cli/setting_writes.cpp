// SPDX-License-Identifier: MIT
#include "cli/setting_writes.h"

#include <ostream>

#include "cli/exit_codes.h"
#include "profiles/setting_catalog.h"

namespace torvix {

bool SettingWrites::Write(SettingId id, uint8_t value, const std::string& line) {
  if (interrupts_.Caught() != 0) {
    session_.console.err << "Error: interrupted before " << CliSettingOf(id).name << "; "
                         << written_ << " setting(s) changed before it\n";
    code_ = InterruptedExitCode(interrupts_.Caught());
    return false;
  }
  if (session_.link.WriteSetting(id, value) != 0) {
    code_ = kExitFailed;
    return false;
  }
  ++written_;
  session_.console.out << line << '\n';
  session_.console.out.flush();
  return true;
}

int SettingWrites::Code() const {
  if (code_ == kExitDone && interrupts_.Caught() != 0) {
    return InterruptedExitCode(interrupts_.Caught());
  }
  return code_;
}

}  // namespace torvix
