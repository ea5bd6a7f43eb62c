// SPDX-License-Identifier: MIT
// The bridge that performs each transfer as device control requests to the adapter board:
// a 6-byte command header, a data phase and a one-byte status phase.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "bridge/src/adapter_device.h"
#include "bridge/src/iic_bridge.h"

namespace torvix {

class UsbIicBridge final : public IicBridge {
 public:
  // Opens the adapter device; DeviceOpen() tells whether that worked. The two further integers
  // of IICInit are accepted and mean nothing.
  UsbIicBridge(int address, int reserved1, int reserved2);
  ~UsbIicBridge() override;

  int16_t WriteParPortData(int data) override;
  uint8_t ReadParPortStatus() override;
  int16_t Write(TransferMode mode, uint16_t subAddress, const uint8_t* data, int length) override;
  int16_t Read(TransferMode mode, uint16_t subAddress, uint8_t* data, int length) override;
  int16_t GetVersions(uint16_t* library, uint16_t* device) override;
  int16_t CheckI2CBus(uint8_t* status) override;

 private:
  // Rebuilt from scratch by every transfer.
  struct PendingRequest {
    uint8_t command = 0;
    uint8_t* readData = nullptr;  // the caller's buffer for reads
    uint16_t length = 0;          // bytes of the data phase
    uint8_t address7 = 0;
    uint8_t subAddressLow = 0;
    uint8_t subAddressHigh = 0;
  };

  // Codes 9 and 33 before anything is sent; 0 when the transfer may go ahead.
  int16_t Refusal(const void* data, int length) const;
  void Address(uint16_t subAddress);
  int16_t Execute();
  int16_t Finish(int16_t code);

  std::unique_ptr<AdapterDevice> device_;
  PendingRequest request_;
  std::array<uint8_t, std::size_t{3} * kMaxTransferLength> payload_{};  // mode 4 triples at most
};

}  // namespace torvix
