// Finding the camera on the bus: every even 8-bit address from 0x00 to 0xfc is asked the same
// read request, and the lowest address that acknowledges both transfers is the camera.
#pragma once

#include <cstdint>
#include <optional>

#include "camera/camera_link.h"

namespace torvix {

inline constexpr uint8_t kFirstProbeAddress = 0x00;
inline constexpr uint8_t kLastProbeAddress = 0xfc;

// Probes one address: a write of 01 30 31 (with a SetAddress), 2 ms, a one-byte read from the
// read address (without one), 5 ms. A failed write skips the read and both pauses. Failures
// go to the link's error report with a silent state, so the user sees nothing. True when both
// transfers were acknowledged; the byte read is not looked at.
bool ProbeCameraAddress(CameraLink& link, uint8_t address8);

// Probes the 127 candidates in ascending order and stops at the first that answers.
std::optional<uint8_t> SearchCameraAddress(CameraLink& link);

}  // namespace torvix
