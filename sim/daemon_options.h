// SPDX-License-Identifier: MIT
// zembrel-sim's command line.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace torvix {

struct DaemonOptions {
  std::string socketPath;              // empty: DefaultSocketPath()
  uint8_t cameraAddress8 = 0x70;       // the camera's factory address, 8-bit form
  std::vector<uint8_t> extraDevices8;  // more acknowledging devices, 8-bit form
  std::string stateFile;               // empty: the camera forgets everything at exit
  std::string logFile;                 // empty: no bus log
  bool groupAccess = false;            // the socket's group may connect too (0660)
  bool help = false;
  bool version = false;
};

// args excludes the program name. false with a one-line reason in error.
bool ParseDaemonOptions(const std::vector<std::string>& args, DaemonOptions& options,
                        std::string& error);

std::string DaemonUsage();

}  // namespace torvix
