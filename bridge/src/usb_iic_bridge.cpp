// SPDX-License-Identifier: MIT
#include "bridge/src/usb_iic_bridge.h"

#include <cstring>

#include "board/adapter_protocol.h"
#include "bridge/include/quorlink.h"
#include "bridge/src/bridge_table.h"
#include "quorlink_version.h"

namespace torvix {

namespace {

constexpr uint16_t kLibraryVersion[3] = {QUORLINK_VERSION_MAJOR, QUORLINK_VERSION_MINOR,
                                         QUORLINK_VERSION_PATCH};

std::array<uint8_t, kPhaseSelectorSize> Selector(Phase phase) {
  const auto value = static_cast<uint32_t>(phase);
  return {static_cast<uint8_t>(value), static_cast<uint8_t>(value >> 8),
          static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 24)};
}

bool IsWriteCommand(uint8_t command) {
  switch (static_cast<Command>(command)) {
    case Command::kWrite:
    case Command::kWriteInterleaved:
    case Command::kWriteInterleaved16:
    case Command::kWriteVariant:
    case Command::kWriteSubVariant:
    case Command::kWriteVariant3: return true;
    default: return false;
  }
}

Command WriteCommand(TransferMode mode) {
  switch (mode) {
    case TransferMode::kInterleaved8: return Command::kWriteInterleaved;
    case TransferMode::kInterleaved16: return Command::kWriteInterleaved16;
    case TransferMode::kVariant: return Command::kWriteVariant;
    case TransferMode::kSubVariant: return Command::kWriteSubVariant;
    case TransferMode::kVariant3: return Command::kWriteVariant3;
    default: return Command::kWrite;  // plain, and sub-address modes 1 and 3
  }
}

Command ReadCommand(TransferMode mode) {
  switch (mode) {
    case TransferMode::kSub8: return Command::kReadSub;
    case TransferMode::kInterleaved8: return Command::kReadInterleaved;
    case TransferMode::kSub16: return Command::kReadSub16;
    case TransferMode::kInterleaved16: return Command::kReadInterleaved16;
    case TransferMode::kVariant: return Command::kReadVariant;
    case TransferMode::kSubVariant: return Command::kReadSubVariant;
    case TransferMode::kVariant3: return Command::kReadVariant3;
    default: return Command::kRead;
  }
}

uint8_t Low(unsigned value) { return static_cast<uint8_t>(value & 0xFF); }
uint8_t High(unsigned value) { return static_cast<uint8_t>((value >> 8) & 0xFF); }

}  // namespace

UsbIicBridge::UsbIicBridge(int address, int /*reserved1*/, int /*reserved2*/)
    : IicBridge(address), device_(OpenAdapterDevice()) {
  if (device_) {
    deviceOpen_ = 1;
    CountDeviceOpened();
  }
}

// Every bridge closes its own device; the count stays a figure of how many are open.
UsbIicBridge::~UsbIicBridge() {
  if (deviceOpen_ != 0) CountDeviceClosed();
}

int16_t UsbIicBridge::WriteParPortData(int /*data*/) {
  SetLastErrorCode(QL_NO_LPT_DEVICE);
  return QL_NO_LPT_DEVICE;
}

uint8_t UsbIicBridge::ReadParPortStatus() {
  SetLastErrorCode(QL_NO_LPT_DEVICE);
  return 0;
}

int16_t UsbIicBridge::Refusal(const void* data, int length) const {
  if (deviceOpen_ == 0) return QL_DEVICE_NOT_AVAILABLE;
  if (length < 0 || length > kMaxTransferLength) return QL_DATA_OVERFLOW;
  // A null buffer holds no bytes at all, so any length overflows it.
  if (data == nullptr && length != 0) return QL_DATA_OVERFLOW;
  return QL_OK;
}

void UsbIicBridge::Address(uint16_t subAddress) {
  request_ = PendingRequest{};
  request_.address7 = static_cast<uint8_t>(SlaveAddress() >> 1);
  request_.subAddressLow = Low(subAddress);
  request_.subAddressHigh = High(subAddress);
}

int16_t UsbIicBridge::Write(TransferMode mode, uint16_t subAddress, const uint8_t* data,
                            int length) {
  SetLastErrorCode(QL_OK);
  if (const int16_t refused = Refusal(data, length)) return Finish(refused);
  Address(subAddress);
  request_.command = static_cast<uint8_t>(WriteCommand(mode));

  std::size_t size = 0;
  auto put = [&](uint8_t byte) { payload_[size++] = byte; };
  if (mode == TransferMode::kSub8) put(Low(subAddress));
  if (mode == TransferMode::kSub16 || mode == TransferMode::kSubVariant) {
    put(High(subAddress));
    put(Low(subAddress));
  }
  for (int i = 0; i < length; ++i) {
    const auto counted = static_cast<uint16_t>(subAddress + i);
    if (mode == TransferMode::kInterleaved16) put(High(counted));
    if (mode == TransferMode::kInterleaved8 || mode == TransferMode::kInterleaved16) {
      put(Low(counted));
    }
    put(data[i]);
  }
  request_.length = static_cast<uint16_t>(size);
  return Finish(Execute());
}

int16_t UsbIicBridge::Read(TransferMode mode, uint16_t subAddress, uint8_t* data, int length) {
  SetLastErrorCode(QL_OK);
  if (const int16_t refused = Refusal(data, length)) return Finish(refused);
  Address(subAddress);
  request_.command = static_cast<uint8_t>(ReadCommand(mode));
  request_.readData = data;
  request_.length = static_cast<uint16_t>(length);
  return Finish(Execute());
}

int16_t UsbIicBridge::CheckI2CBus(uint8_t* status) {
  SetLastErrorCode(QL_OK);
  if (const int16_t refused = Refusal(status, 1)) return Finish(refused);
  request_ = PendingRequest{};
  request_.command = static_cast<uint8_t>(Command::kBusStatus);
  request_.readData = status;
  request_.length = 1;
  return Finish(Execute());
}

int16_t UsbIicBridge::GetVersions(uint16_t* library, uint16_t* device) {
  if (library == nullptr || device == nullptr) return Finish(QL_DATA_OVERFLOW);
  if (!device_) return Finish(QL_USB_COMMAND_ERROR);
  std::array<uint8_t, kVersionReplySize> reply{};
  const ControlResult result = device_->Control(kControlVersion, {}, reply);
  if (!result.ok || result.transferred != kVersionReplySize) return Finish(QL_USB_COMMAND_ERROR);
  for (std::size_t i = 0; i < 3; ++i) {
    device[i] = static_cast<uint16_t>(reply[2 * i] | (reply[2 * i + 1] << 8));
    library[i] = kLibraryVersion[i];
  }
  return Finish(QL_OK);
}

int16_t UsbIicBridge::Execute() {
  const auto header = Selector(Phase::kHeader);
  std::array<uint8_t, kHeaderSize> bytes{};
  bytes[kHeaderCommand] = request_.command;
  bytes[kHeaderLengthHigh] = High(request_.length);
  bytes[kHeaderLengthLow] = Low(request_.length);
  bytes[kHeaderAddress7] = request_.address7;
  bytes[kHeaderSubAddressLow] = request_.subAddressLow;
  bytes[kHeaderSubAddressHigh] = request_.subAddressHigh;
  ControlResult result = device_->Control(kControlHostToBoard, header, bytes);
  if (!result.ok || result.transferred != kHeaderSize) return QL_USB_COMMAND_ERROR;

  if (IsWriteCommand(request_.command)) {
    // Runs for an empty write too: the board expects the phase.
    const auto phase = Selector(Phase::kWriteData);
    result =
        device_->Control(kControlHostToBoard, phase, std::span(payload_.data(), request_.length));
    if (!result.ok || result.transferred != request_.length) return QL_USB_WRITE_ERROR;
  } else if (request_.length > 0) {
    const auto phase = Selector(Phase::kReadData);
    result =
        device_->Control(kControlBoardToHost, phase, std::span(request_.readData, request_.length));
    if (!result.ok || result.transferred != request_.length) return QL_USB_READ_ERROR;
  }

  const auto phase = Selector(Phase::kStatus);
  uint8_t status = 0;
  result = device_->Control(kControlBoardToHost, phase, std::span(&status, 1));
  if (!result.ok) return QL_USB_READ_ERROR;
  return status;
}

int16_t UsbIicBridge::Finish(int16_t code) {
  SetLastErrorCode(code);
  return code;
}

}  // namespace torvix
