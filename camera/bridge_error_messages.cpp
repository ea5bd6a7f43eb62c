// SPDX-License-Identifier: MIT
#include "camera/bridge_error_messages.h"

#include <iterator>
#include <string_view>

#include "camera/message_format.h"

namespace torvix {

namespace {

struct CodeText {
  int16_t code;
  BridgeErrorText text;
};

// The texts are what users and their support notes already know, spelling included.
constexpr CodeText kCodeTexts[] = {
    {2, {"error ILLEGAL_BIT", nullptr}},
    {3, {"error arbitration problem", nullptr}},
    {4, {"error: camera did not answer in time (TIME OUT)", nullptr}},
    {5, {"not a correct acknowledge recieved", nullptr}},
    {6, {"error bus is bussy or occupied", nullptr}},
    {7, {"init error", nullptr}},
    {8, {"no correct stop condition", nullptr}},
    {10, {"unknown command", nullptr}},
    {11, {"USB command error", nullptr}},
    {12, {"USB_WRITE_ERROR", nullptr}},
    {13, {"USB_READ_ERROR", nullptr}},
    {14, {"error: USB_I2C_NACK", "Is board connected to camera (on?)"}},
    {15, {"error: device not present", nullptr}},
    {16, {"WRONG_OPERATING_SYSTEM", nullptr}},
    {22, {"error USB_DEVICE_NOT_FOUND", nullptr}},
    {23, {"MAX_DEVICES_EXCEEDED", nullptr}},
    {33, {"USB_DATA_OVERFLOW", nullptr}},
};
static_assert(std::size(kCodeTexts) == 17, "one row per code with a text of its own");

constexpr BridgeErrorText kNoConnection = {
    " error: no (correct)connection PC to USB-I2C board",
    " Check if board is connected to PC and/or verify driver"};

constexpr bool fitsShortMessage(const char* text) {
  return text == nullptr || std::string_view(text).size() < kShortMessageSize;
}

constexpr bool allTextsFit() {
  for (const CodeText& row : kCodeTexts) {
    if (!fitsShortMessage(row.text.first) || !fitsShortMessage(row.text.second)) return false;
  }
  return fitsShortMessage(kNoConnection.first) && fitsShortMessage(kNoConnection.second);
}
static_assert(allTextsFit(), "every bridge error text fits a short message");

}  // namespace

BridgeErrorText BridgeErrorMessages(int16_t code) {
  for (const CodeText& row : kCodeTexts) {
    if (row.code == code) return row.text;
  }
  return kNoConnection;
}

}  // namespace torvix
