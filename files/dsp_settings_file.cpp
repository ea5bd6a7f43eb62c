#include "files/dsp_settings_file.h"

#include "files/register_dump.h"

namespace torvix {

namespace {

constexpr uint8_t kDspReadRequest = 0x81;

uint8_t pageTarget(int page) { return static_cast<uint8_t>(page); }

std::vector<std::string> pageTitle(int page) { return {"// Group " + std::to_string(page)}; }

}  // namespace

DumpResult WriteDspSettingsFile(CameraLink& link, MessageHost& messages, const std::string& path,
                                const DumpProgress& progress, const DumpStop& stop) {
  const DumpLayout layout{kDspFileHeader, kDspFilePages, kDspReadRequest, pageTarget, pageTitle};
  return WriteRegisterDump(link, messages, path, layout, progress, stop);
}

}  // namespace torvix
