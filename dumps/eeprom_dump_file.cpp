// SPDX-License-Identifier: MIT
#include "dumps/eeprom_dump_file.h"

#include <cstdio>

#include "dumps/build_stamp.h"
#include "dumps/register_dump.h"

namespace torvix {

namespace {

constexpr uint8_t kEepromReadRequest = 0x01;
constexpr uint8_t kFirstBlockDevice = 0xA0;

// The block number sits in bits 1 and 2 of the device address, as on a 1 KiB serial EEPROM.
uint8_t blockTarget(int block) { return static_cast<uint8_t>(kFirstBlockDevice + 2 * block); }

std::vector<std::string> blockTitle(int block) {
  return {"//", "// Page " + std::to_string(block)};
}

DumpLayout eepromLayout() {
  return {EepromFileHeader(), kEepromFileBlocks, kEepromReadRequest, blockTarget, blockTitle};
}

}  // namespace

std::string EepromFileHeader() {
  char text[100];
  std::snprintf(text, sizeof text, "// EEPROM Settings Peldra, date: %s @ %s", BuildDate(),
                BuildTime());
  return text;
}

DumpResult WriteEepromDumpFile(CameraLink& link, MessageHost& messages, const std::string& path,
                               const DumpProgress& progress, const DumpStop& stop) {
  return WriteRegisterDump(link, messages, path, eepromLayout(), progress, stop);
}

bool EepromReadable(CameraLink& link) { return FirstDumpReadAnswers(link, eepromLayout()); }

}  // namespace torvix
