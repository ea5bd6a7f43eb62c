// SPDX-License-Identifier: MIT
// One virtual adapter board with its bus, camera, extra devices, faults and bus log.
//
// The in-process transport (QUORLINK_DEVICE=sim) drives the process-wide Instance(), which
// lives from first use to process exit so the camera keeps its state across bridge handles,
// as a real camera does; each handle has a board session of its own. The rig has no lock:
// the bridge library's lock keeps its callers to one at a time. zembrel-sim owns a rig of its
// own. Tests reach in through the accessors to inject faults and to read the log and the
// camera's registers.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "board/adapter_board.h"
#include "sim/acking_device.h"
#include "sim/board_faults.h"
#include "sim/bus_faults.h"
#include "sim/bus_log.h"
#include "sim/virtual_bus.h"
#include "sim/virtual_camera.h"

namespace torvix {

class SimRig {
 public:
  explicit SimRig(uint8_t cameraAddress8 = kDefaultCameraAddress);
  SimRig(const SimRig&) = delete;
  SimRig& operator=(const SimRig&) = delete;

  static SimRig& Instance();

  // Back to a fresh board and a factory camera at this address: no faults, no extra devices,
  // an empty log without a sink.
  void Reset(uint8_t cameraAddress8 = kDefaultCameraAddress);

  // The board's side of one opened device (a handle on the in-process board, a connection to
  // zembrel-sim): it keeps that device's pending request, so a header waits for the data of
  // its own device and two clients' phases never mix. Lives as long as the rig's bus.
  std::unique_ptr<AdapterBoard> OpenBoardSession() { return std::make_unique<AdapterBoard>(bus_); }
  // A driver request of one session, through the board faults into its board.
  ControlResult Control(AdapterBoard& session, uint32_t code, std::span<const uint8_t> input,
                        std::span<uint8_t> output);
  // The same on the rig's own session, for callers that are the board's only client.
  ControlResult Control(uint32_t code, std::span<const uint8_t> input, std::span<uint8_t> output) {
    return Control(*board_, code, input, output);
  }
  bool BoardPresent() const { return !boardFaults_.absent; }

  VirtualCamera& Camera() { return *camera_; }
  // Camera absent: unplugged from the bus, so nothing answers at its address.
  void SetCameraPresent(bool present);
  // An extra device that acknowledges at this 8-bit address.
  void AddDevice(uint8_t address8);

  BusLog& Log() { return log_; }
  BusFaults& Faults() { return busFaults_; }
  BoardFaults& Board() { return boardFaults_; }
  VirtualBus& Bus() { return bus_; }

 private:
  BusLog log_;
  BusFaults busFaults_;
  BoardFaults boardFaults_;
  VirtualBus bus_{log_, busFaults_};
  std::unique_ptr<VirtualCamera> camera_;
  std::vector<std::unique_ptr<AckingDevice>> devices_;
  std::unique_ptr<AdapterBoard> board_;
};

}  // namespace torvix
