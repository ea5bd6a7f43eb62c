// SPDX-License-Identifier: MIT
// Finding the camera on the bus: every even 8-bit address from 0x00 to 0xfc is asked the same
// read request, and the lowest address that acknowledges both transfers is the camera.
#pragma once

#include <cstdint>

#include "camera/camera_link.h"

namespace torvix {

inline constexpr uint8_t kFirstProbeAddress = 0x00;
inline constexpr uint8_t kLastProbeAddress = 0xfc;

enum class ProbeOutcome {
  kAnswered,
  kNotAnswered,  // the address, or the bus, refused: the next candidate may still answer
  kBoardFailed,  // the adapter board did not open or its driver failed (codes 11, 12, 13)
  kCameraHeld,   // another program kept the camera, or its lock cannot be taken: nothing sent
};

// What a failure of the board itself does to a search.
enum class OnBoardFailure {
  // The window's search: the candidate counts as silent as any other, and the search goes on
  // (a board that stalled once past its reply deadline still lets it find the camera).
  kProbeOn,
  // torvix scan: the board's words are shown and the search ends, since no candidate could
  // answer through a board that is gone.
  kStop,
};

// Probes one address: a write of 01 30 31 (with a SetAddress), 2 ms, a one-byte read from the
// read address (without one), 5 ms. A failed write skips the read and both pauses. Every
// failure goes to the link's error report with a silent state, except a failure of the board
// itself under kStop, which shows the messages any other transaction shows for it. A camera
// held elsewhere is told in the words of any register access, whatever onBoardFailure says:
// a probe that sent nothing says nothing about the address. The byte read is not looked at.
ProbeOutcome ProbeCameraAddress(CameraLink& link, uint8_t address8, OnBoardFailure onBoardFailure);

struct AddressSearchResult {
  // kNotAnswered: no candidate answered; kBoardFailed only under kStop
  ProbeOutcome end = ProbeOutcome::kNotAnswered;
  uint8_t address = 0;  // the camera's, when end is kAnswered
};

// Probes the 127 candidates in ascending order and stops at the first that answers, at once
// when the camera is held elsewhere, or, under kStop, at once when the board itself fails.
AddressSearchResult SearchCameraAddress(CameraLink& link, OnBoardFailure onBoardFailure);

}  // namespace torvix
