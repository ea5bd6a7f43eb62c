// SPDX-License-Identifier: MIT
// The EEPROM dump: the camera's configuration EEPROM, 4 blocks of 256 bytes, as a 73-line
// text file.
#pragma once

#include <string>

#include "camera/camera_link.h"
#include "dumps/dump_result.h"
#include "messages/message_host.h"

namespace torvix {

inline constexpr int kEepromFileBlocks = 4;
inline constexpr int kEepromFileLines = 1 + kEepromFileBlocks * 18;

// "// EEPROM Settings Peldra, date: Dec 12 2014 @ 12:52:45" with the date and time this
// program was built, so every dump of one build has the same header.
std::string EepromFileHeader();

// Reads every EEPROM byte (request 0x01, 0xA0 + 2 x block, offset) block by block in ascending
// offset and writes "//" and "// Page b" before each block's 16 data lines. Open and read
// failures behave as for the DSP settings file.
DumpResult WriteEepromDumpFile(CameraLink& link, MessageHost& messages, const std::string& path,
                               const DumpProgress& progress = {}, const DumpStop& stop = {});

// Whether the camera answers the first read of an EEPROM dump (block 0, offset 0); when it does
// not, the link has shown why. No file is touched.
bool EepromReadable(CameraLink& link);

}  // namespace torvix
