// SPDX-License-Identifier: MIT
#include "dumps/dsp_settings_file.h"

#include "dumps/register_dump.h"

namespace torvix {

namespace {

constexpr uint8_t kDspReadRequest = 0x81;

uint8_t pageTarget(int page) { return static_cast<uint8_t>(page); }

std::vector<std::string> pageTitle(int page) { return {"// Group " + std::to_string(page)}; }

DumpLayout dspLayout() {
  return {kDspFileHeader, kDspFilePages, kDspReadRequest, pageTarget, pageTitle};
}

}  // namespace

DumpResult WriteDspSettingsFile(CameraLink& link, MessageHost& messages, const std::string& path,
                                const DumpProgress& progress, const DumpStop& stop) {
  return WriteRegisterDump(link, messages, path, dspLayout(), progress, stop);
}

bool DspSettingsReadable(CameraLink& link) { return FirstDumpReadAnswers(link, dspLayout()); }

}  // namespace torvix
