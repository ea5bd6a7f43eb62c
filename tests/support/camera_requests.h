// SPDX-License-Identifier: MIT
// The camera's requests made through the bridge library's exports, one handle per transfer,
// as the controller makes them. Each returns the first non-zero result code, or 0.
#pragma once

#include <cstdint>

#include "bridge/include/quorlink.h"

namespace torvix::testing {

inline int WriteCameraRegister(int address8, uint8_t reg, uint8_t value) {
  const uint8_t request[2] = {0x30, reg};
  int handle = IICInit(address8, 20000, 1000);
  SetAddress(handle, address8);
  int result = static_cast<uint16_t>(SendSub(handle, 1, 0x00, request, 2, 0));
  IICClose(handle);
  if (result != 0) return result;
  handle = IICInit(address8, 20000, 1000);
  SetAddress(handle, address8);
  result = static_cast<uint16_t>(Send(handle, &value, 0, 1));
  IICClose(handle);
  return result;
}

inline int ReadCameraRequest(int address8, uint8_t select, uint8_t target, uint8_t offset,
                             uint8_t& value) {
  const uint8_t request[2] = {target, offset};
  int handle = IICInit(address8, 20000, 1000);
  SetAddress(handle, address8);
  int result = static_cast<uint16_t>(SendSub(handle, 1, select | 1, request, 2, 0));
  IICClose(handle);
  if (result != 0) return result;
  handle = IICInit(address8 | 1, 20000, 1000);
  result = static_cast<uint16_t>(Receive(handle, &value, 0, 1));
  IICClose(handle);
  return result;
}

inline int ReadCameraRegister(int address8, uint8_t reg, uint8_t& value) {
  return ReadCameraRequest(address8, 0x01, 0x31, reg, value);
}

}  // namespace torvix::testing
