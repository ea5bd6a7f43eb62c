// SPDX-License-Identifier: MIT
#include "cli/bus_commands.h"

#include <ostream>
#include <vector>

#include "bridge/devices/device_words.h"
#include "cli/exit_codes.h"

namespace torvix {

int RunBuses(CliSession& session) {
  const std::vector<DeviceList> lists = ListDevices();
  if (lists.empty()) {
    session.console.err << "Error: " << ListedElsewhere() << '\n';
    return kExitFailed;
  }
  for (const DeviceList& list : lists) {
    if (list.lines.empty()) session.console.err << list.none << '\n';
    for (const std::string& line : list.lines) session.console.out << line << '\n';
  }
  return kExitDone;
}

}  // namespace torvix
