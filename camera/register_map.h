// SPDX-License-Identifier: MIT
// How each control of the settings panel turns into register bits and back.
//
// Every control-to-register function starts from the current register value (the shadow
// byte) and changes only the bits that the control owns; every register-to-control function
// reads only those bits. None of them touches the camera.
#pragma once

#include <cstdint>
#include <optional>

namespace torvix {

// Flag masks of the check boxes that share a register with other bits.
inline constexpr uint8_t kAgcOnMask = 0x02;               // AgcControl
inline constexpr uint8_t kBlcViewMask = 0x80;             // BlcControl
inline constexpr uint8_t kMirrorMask = 0x01;              // FlipControl
inline constexpr uint8_t kVerticalFlipMask = 0x02;        // FlipControl
inline constexpr uint8_t kWhiteBalanceMirrorMask = 0x80;  // WhiteBalanceControl's copy
inline constexpr uint8_t kWhiteBalanceModeBits = 0x03;    // WhiteBalanceControl's mode

// BlcPosition's two fields of three bits each.
inline constexpr uint8_t kBlcFieldMask = 0x07;
inline constexpr int kBlcHorizontalShift = 3;
inline constexpr uint8_t kBlcVerticalMask = kBlcFieldMask;
inline constexpr uint8_t kBlcHorizontalMask = kBlcFieldMask << kBlcHorizontalShift;

// PushToWhite values: the button, the "Push2White-set" list entry, and Auto/Manual.
inline constexpr uint8_t kPushToWhiteButton = 0x01;
inline constexpr uint8_t kPushToWhiteSet = 0x02;
inline constexpr uint8_t kPushToWhiteOff = 0x00;

// White-balance mode list positions.
inline constexpr int kWhiteBalanceAuto = 0;
inline constexpr int kWhiteBalanceManual = 1;
inline constexpr int kWhiteBalancePushToWhite = 2;

inline constexpr uint8_t kCameraAddressMaximum = 0xfc;

// Single flag in a shared register (AgcControl, BlcControl, FlipControl).
uint8_t FlagToRegister(uint8_t current, uint8_t mask, bool checked);
bool FlagShown(uint8_t value, uint8_t mask);

// Plain values (the slider/edit pairs): the value as is, clamped into the setting's range.
uint8_t ClampToRange(unsigned value, uint8_t minimum, uint8_t maximum);

// List index settings (WdrMode, DayNightMode, ZoomFactor): the register holds the index.
// Shown: the index, or none when the list has no such entry.
uint8_t ListIndexToRegister(int index);
std::optional<int> ListIndexShown(uint8_t value, int itemCount);
inline constexpr int kWdrModeItems = 4;
inline constexpr int kDayNightModeItems = 3;
inline constexpr int kZoomFactorItems = 4;

// White balance: Auto or Manual replace bits 0 and 1 of WhiteBalanceControl; the list shows
// "Push2White-set" while PushToWhite is 1 or 2, otherwise bit 0 of WhiteBalanceControl.
uint8_t WhiteBalanceModeToRegister(uint8_t current, int index);
int WhiteBalanceModeShown(uint8_t whiteBalanceControl, uint8_t pushToWhite);
// PushToWhite written when a white-balance mode is chosen: 0 for Auto and Manual (written
// before WhiteBalanceControl), 2 for "Push2White-set" (written alone).
uint8_t PushToWhiteForMode(int index);
// The mirror state kept in bit 7 of WhiteBalanceControl's shadow byte.
uint8_t MirrorIntoWhiteBalance(uint8_t current, bool mirrored);

// BlcPosition: vertical index in bits 0..2, horizontal index in bits 3..5; bits 6 and 7 kept.
// Indexes are taken modulo 8, so a bad index cannot reach a neighbouring field.
uint8_t BlcPositionWithVertical(uint8_t current, int index);
uint8_t BlcPositionWithHorizontal(uint8_t current, int index);
int BlcVerticalShown(uint8_t value);
int BlcHorizontalShown(uint8_t value);

// BlcSize: the code of a list position (above 15, or no position at all, gives 15's code);
// shown: the first position whose code is the value, or none.
uint8_t BlcSizeCodeOf(int index);
std::optional<int> BlcSizeIndexOf(uint8_t code);

// Whole-register switches.
uint8_t LlsModeToRegister(bool checked);      // 0x07 / 0x00
bool LlsModeShown(uint8_t value);             // bits 0 or 1 set
uint8_t SharpnessOnToRegister(bool checked);  // inverted: 0x00 when on, 0x01 when off
bool SharpnessOnShown(uint8_t value);         // bit 0 clear
uint8_t OsdControlToRegister(bool checked);   // 0x01 / 0x00
bool OsdControlShown(uint8_t value);          // nonzero
uint8_t VideoStandardToRegister(bool pal);    // 0x01 PAL / 0x00 NTSC
bool PalShown(uint8_t value);                 // bit 0 set

// The camera's own address setting: 0x00..0xfc, odd values accepted as typed.
uint8_t ClampCameraAddress(unsigned value);

}  // namespace torvix
