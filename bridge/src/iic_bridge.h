// SPDX-License-Identifier: MIT
// The bridge behind one handle: a slave address, the list of a bus scan, and the mapping of the
// library's transfer calls onto the transfer modes of Write and Read.
#pragma once

#include <cstdint>
#include <vector>

namespace torvix {

// How Write and Read lay out the sub-address and the data (the adapter command follows from it).
enum class TransferMode : int {
  kPlain = 0,
  kSub8 = 1,           // one-byte sub-address, then the data
  kInterleaved8 = 2,   // (sub-address low, data) per byte
  kSub16 = 3,          // two-byte sub-address, then the data
  kInterleaved16 = 4,  // (sub-address high, low, data) per byte
  kVariant = 6,        // Send/Receive type 1
  kSubVariant = 8,     // SendSub/ReceiveSub type 2
  kVariant3 = 9,       // Send/Receive type 3
};

inline constexpr int kMaxTransferLength = 64;

class IicBridge {
 public:
  explicit IicBridge(int address) : slaveAddress_(static_cast<uint8_t>(address)) {}
  virtual ~IicBridge() = default;
  IicBridge(const IicBridge&) = delete;
  IicBridge& operator=(const IicBridge&) = delete;

  virtual int16_t WriteParPortData(int data) = 0;
  virtual uint8_t ReadParPortStatus() = 0;
  virtual int16_t Write(TransferMode mode, uint16_t subAddress, const uint8_t* data,
                        int length) = 0;
  virtual int16_t Read(TransferMode mode, uint16_t subAddress, uint8_t* data, int length) = 0;
  virtual int16_t GetVersions(uint16_t* library, uint16_t* device) = 0;
  virtual int16_t CheckI2CBus(uint8_t* status) = 0;

  bool DeviceOpen() const { return deviceOpen_ != 0; }
  uint8_t SlaveAddress() const { return slaveAddress_; }
  void SetAddress(int address) { slaveAddress_ = static_cast<uint8_t>(address); }

  // A selector that names no transfer returns 0 and leaves the last error code alone.
  int16_t Send(const uint8_t* data, int type, int length);
  int16_t Receive(uint8_t* data, int type, int length);
  int16_t SendSub(int subAddressSize, int subAddress, const uint8_t* data, int length, int type);
  int16_t ReceiveSub(int subAddressSize, int subAddress, uint8_t* data, int length, int type);
  int16_t SendSubInterLeaved(int subAddressSize, int subAddress, const uint8_t* data, int length);
  int16_t ReceiveSubInterLeaved(int subAddressSize, int subAddress, uint8_t* data, int length);
  int16_t SendReceive(const uint8_t* txData, int txLength, uint8_t* rxData, int rxLength);

  // Probes every 8-bit address with a one-byte read and keeps those that acknowledge.
  int16_t BusScan(uint8_t* count);
  int16_t GetDeviceAddress(int index, uint8_t* address) const;

 protected:
  int deviceOpen_ = 0;

 private:
  uint8_t slaveAddress_;
  std::vector<uint8_t> found_;
};

}  // namespace torvix
