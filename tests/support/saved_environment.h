// SPDX-License-Identifier: MIT
// An environment variable that a test changes, put back as the test found it (set to its old
// value, or unset) when the object goes, whatever the test asserted in between. POSIX only: the
// Windows tests leave the environment alone.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace torvix::testing {

class SavedEnvironment {
 public:
  explicit SavedEnvironment(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) saved_ = value;
  }
  ~SavedEnvironment() {
    if (saved_) ::setenv(name_.c_str(), saved_->c_str(), 1);
    else ::unsetenv(name_.c_str());
  }
  SavedEnvironment(const SavedEnvironment&) = delete;
  SavedEnvironment& operator=(const SavedEnvironment&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;
};

}  // namespace torvix::testing
