// SPDX-License-Identifier: MIT
// The DSP settings file: the camera's 8 DSP pages of 256 registers as a 137-line text file.
#pragma once

#include <string>

#include "camera/camera_link.h"
#include "dumps/dump_result.h"
#include "messages/message_host.h"

namespace torvix {

inline constexpr char kDspFileHeader[] = "// All DSP Settings PeldraW";
inline constexpr int kDspFilePages = 8;
inline constexpr int kDspFileLines = 1 + kDspFilePages * 17;

// Reads every DSP register (request 0x81, page, offset) page by page in ascending offset and
// writes "// Group p" before each page's 16 data lines. The file is created or emptied; when
// it cannot be, messages shows "Can't open file <path>, error = <cause>" and the camera is not
// accessed. A failed read ends the file with the data line that holds it.
DumpResult WriteDspSettingsFile(CameraLink& link, MessageHost& messages, const std::string& path,
                                const DumpProgress& progress = {}, const DumpStop& stop = {});

// Whether the camera answers the first read of a DSP settings file (page 0, offset 0); when it
// does not, the link has shown why. No file is touched.
bool DspSettingsReadable(CameraLink& link);

}  // namespace torvix
