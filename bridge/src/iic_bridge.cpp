// SPDX-License-Identifier: MIT
#include "bridge/src/iic_bridge.h"

#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"

namespace torvix {

namespace {

// Plain transfers: type 0, 1 and 3 select modes 0, 6 and 9; false for any other type.
bool PlainMode(int type, TransferMode& mode) {
  switch (type) {
    case 0: mode = TransferMode::kPlain; return true;
    case 1: mode = TransferMode::kVariant; return true;
    case 3: mode = TransferMode::kVariant3; return true;
    default: return false;
  }
}

bool SubMode(int subAddressSize, int type, TransferMode& mode) {
  if (type == 2) {
    mode = TransferMode::kSubVariant;
    return true;
  }
  if (type != 0) return false;
  if (subAddressSize == 1) mode = TransferMode::kSub8;
  else if (subAddressSize == 2) mode = TransferMode::kSub16;
  else return false;
  return true;
}

TransferMode InterleavedMode(int subAddressSize) {
  return subAddressSize == 2 ? TransferMode::kInterleaved16 : TransferMode::kInterleaved8;
}

// GetDeviceAddress past the end of the list ("IIC Device not present").
constexpr int16_t kNoSuchEntry = 15;

// A buffer of length bytes the bridge may use; a null buffer holds no bytes at all.
bool Acceptable(const uint8_t* data, int length) {
  return length >= 0 && length <= kMaxTransferLength && (data != nullptr || length == 0);
}

uint16_t Sub16(int subAddress) { return static_cast<uint16_t>(subAddress); }

}  // namespace

int16_t IicBridge::Send(const uint8_t* data, int type, int length) {
  TransferMode mode{};
  return PlainMode(type, mode) ? Write(mode, 0, data, length) : 0;
}

int16_t IicBridge::Receive(uint8_t* data, int type, int length) {
  TransferMode mode{};
  return PlainMode(type, mode) ? Read(mode, 0, data, length) : 0;
}

int16_t IicBridge::SendSub(int subAddressSize, int subAddress, const uint8_t* data, int length,
                           int type) {
  TransferMode mode{};
  return SubMode(subAddressSize, type, mode) ? Write(mode, Sub16(subAddress), data, length) : 0;
}

int16_t IicBridge::ReceiveSub(int subAddressSize, int subAddress, uint8_t* data, int length,
                              int type) {
  TransferMode mode{};
  return SubMode(subAddressSize, type, mode) ? Read(mode, Sub16(subAddress), data, length) : 0;
}

int16_t IicBridge::SendSubInterLeaved(int subAddressSize, int subAddress, const uint8_t* data,
                                      int length) {
  return Write(InterleavedMode(subAddressSize), Sub16(subAddress), data, length);
}

int16_t IicBridge::ReceiveSubInterLeaved(int subAddressSize, int subAddress, uint8_t* data,
                                         int length) {
  return Read(InterleavedMode(subAddressSize), Sub16(subAddress), data, length);
}

int16_t IicBridge::SendReceive(const uint8_t* txData, int txLength, uint8_t* rxData, int rxLength) {
  // A bad write is refused before anything is sent, also the empty write that follows a
  // failed one: there is no bus to release. A bad read is the read's own refusal, after the
  // write.
  if (!Acceptable(txData, txLength)) {
    SetLastErrorCode(QL_DATA_OVERFLOW);
    return QL_DATA_OVERFLOW;
  }
  const int16_t written = Write(TransferMode::kPlain, 0, txData, txLength);
  if (written > 0) {
    // An empty write after a failed one lets the adapter release the bus; its own outcome
    // must not hide the failure from IICError.
    Write(TransferMode::kPlain, 0, txData, 0);
    SetLastErrorCode(written);
    return written;
  }
  return Read(TransferMode::kPlain, 0, rxData, rxLength);
}

int16_t IicBridge::BusScan(uint8_t* count) {
  if (count == nullptr) return QL_DATA_OVERFLOW;
  const int16_t lastError = LastErrorCode();
  const uint8_t ownAddress = slaveAddress_;
  found_.clear();
  for (int address = 0x00; address <= 0xFE; address += 2) {
    slaveAddress_ = static_cast<uint8_t>(address);
    uint8_t probe = 0;
    if (Read(TransferMode::kPlain, 0, &probe, 1) == 0) found_.push_back(slaveAddress_);
  }
  slaveAddress_ = ownAddress;
  SetLastErrorCode(lastError);
  *count = static_cast<uint8_t>(found_.size());
  return 0;
}

int16_t IicBridge::GetDeviceAddress(int index, uint8_t* address) const {
  if (address == nullptr) return QL_DATA_OVERFLOW;
  const auto entry = static_cast<uint8_t>(index);
  if (entry >= found_.size()) return kNoSuchEntry;
  *address = found_[entry];
  return 0;
}

}  // namespace torvix
