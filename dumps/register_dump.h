// SPDX-License-Identifier: MIT
// The loop both dump files share: open the file, write the header, then for each group of
// 256 registers its title lines and 16 data lines, reading the camera in ascending order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "camera/camera_link.h"
#include "dumps/dump_result.h"
#include "messages/message_host.h"

namespace torvix {

struct DumpLayout {
  std::string header;  // the first line, without its line end
  int groups = 0;      // pages or blocks of 256 registers
  uint8_t subAddress = 0;
  // The read target of a group (a DSP page, an EEPROM device address).
  uint8_t (*target)(int group) = nullptr;
  // The lines before a group's data, written as one piece.
  std::vector<std::string> (*titleLines)(int group) = nullptr;
};

// Writes the dump described by layout to path. Every failure has been shown to the user
// through messages (read failures by the link itself) when this returns; a stop is not a
// failure and shows nothing.
DumpResult WriteRegisterDump(CameraLink& link, MessageHost& messages, const std::string& path,
                             const DumpLayout& layout, const DumpProgress& progress,
                             const DumpStop& stop = {});

// Reads the register the dump starts with and writes nothing: true when the camera answered;
// otherwise the link has shown why.
bool FirstDumpReadAnswers(CameraLink& link, const DumpLayout& layout);

}  // namespace torvix
