// SPDX-License-Identifier: MIT
#include "app/main_dialog_events.h"

#include <array>

#include "app/resource_ids.h"

namespace torvix {

namespace {

using M = WindowMessage;

#define TORVIX_ON(message, code, id, handler) \
  EventEntry { message, code, id, #handler, &Dlg::handler }

const std::array<EventEntry, 42> kEventTable{{
    TORVIX_ON(M::SysCommand, 0, kAnyControl, OnSysCommand),
    TORVIX_ON(M::Paint, 0, kAnyControl, OnPaint),
    TORVIX_ON(M::QueryDragIcon, 0, kAnyControl, OnQueryDragIcon),
    TORVIX_ON(M::HScroll, 0, kAnyControl, SliderRelease),
    TORVIX_ON(M::Command, kBnClicked, IDC_MIRROR, OnBnClickedMirror),
    TORVIX_ON(M::Command, kBnClicked, IDC_VFLIP, OnBnClickedVflip),
    TORVIX_ON(M::Command, kEnChange, IDC_CONTRAST_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kCbnCloseUp, IDC_WHITE_BALANCE_MODE, OnCbnCloseupWhiteBalanceMode),
    TORVIX_ON(M::Command, kBnClicked, IDC_BROWSE_DSP_REGS, OnBnClickedBrowseDspRegs),
    TORVIX_ON(M::Command, kEnChange, IDC_COLOR_GAIN_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_AEX_REFERENCE_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_RED_GAIN_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_BLUE_GAIN_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_LLS_AGC_START_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_LLS_COLOR_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_LLS_EDGE_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_SHARPNESS_LEVEL_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, IDC_ANALOG_OUTPUT_GAIN_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kBnClicked, IDC_NTSC, OnBnClickedNtsc),
    TORVIX_ON(M::Command, kBnClicked, IDC_PAL, OnBnClickedPal),
    TORVIX_ON(M::Command, kCbnCloseUp, IDC_WDR_MODE, OnCbnCloseupWdrMode),
    TORVIX_ON(M::Command, kBnClicked, IDC_PUSH2WHITE, OnBnClickedPush2White),
    TORVIX_ON(M::Command, kBnClicked, IDC_LLS_MODE_ON, OnBnClickedLlsModeOn),
    TORVIX_ON(M::Command, kBnClicked, IDC_SHARPNESS_ON, OnBnClickedSharpnessOn),
    TORVIX_ON(M::Command, kBnClicked, IDC_CONNECT, OnBnClickedConnect),
    TORVIX_ON(M::Command, kBnClicked, IDC_RESET, OnBnClickedReset),
    TORVIX_ON(M::Command, kEnChange, IDC_BRIGHTNESS_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kBnClicked, IDC_BROWSE_EEPROM_DUMP, OnBnClickedBrowseEepromDump),
    TORVIX_ON(M::Command, kCbnCloseUp, IDC_BLC_SIZE, OnCbnCloseupBlcSize),
    TORVIX_ON(M::Command, kCbnCloseUp, IDC_BLC_HORIZONTAL, OnCbnCloseupBlcHorizontal),
    TORVIX_ON(M::Command, kCbnCloseUp, IDC_BLC_VERTICAL, OnCbnCloseupBlcVertical),
    TORVIX_ON(M::Command, kBnClicked, IDC_BLC_VIEW_ON, OnBnClickedBlcViewOn),
    TORVIX_ON(M::Command, kEnChange, IDC_AGC_GAIN_MAX_EDIT, ValueEditChange),
    TORVIX_ON(M::Command, kBnClicked, IDC_AGC_GAIN_MAX_ON, OnBnClickedAgcGainMaxOn),
    TORVIX_ON(M::Command, kBnClicked, kIdCancel, OnBnClickedCancel),
    TORVIX_ON(M::Command, kBnClicked, kIdOk, OnBnClickedOk),
    TORVIX_ON(M::Command, kCbnCloseUp, IDC_DN_MODE, OnCbnCloseupDnMode),
    TORVIX_ON(M::Command, kBnClicked, IDC_OSD_CONTROL_USAGE, OnBnClickedOsdControlUsage),
    TORVIX_ON(M::Command, kCbnCloseUp, IDC_ZOOM_FACTOR, OnCbnCloseupZoomFactor),
    TORVIX_ON(M::Command, kEnChange, IDC_CAMERA_ADDRESS, OnEnChangeCameraAddress),
    TORVIX_ON(M::Command, kBnClicked, IDC_SEARCH_ADDRESS, OnBnClickedSearchAddress),
    TORVIX_ON(M::Command, kEnChange, IDC_DN_LEVEL_EDIT, ValueEditChange),
}};

#undef TORVIX_ON

bool Takes(const EventEntry& entry, const WindowEvent& event) {
  if (entry.message != event.message) return false;
  if (entry.message != M::Command) return true;
  return entry.code == event.code && entry.controlId == event.controlId;
}

// Calls the handler with the arguments its shape takes from the event.
struct Invoke {
  Dlg& dialog;
  const WindowEvent& event;
  int operator()(void (Dlg::*handler)()) const { return (dialog.*handler)(), 0; }
  int operator()(void (Dlg::*handler)(int)) const { return (dialog.*handler)(event.controlId), 0; }
  int operator()(void (Dlg::*handler)(int, int, int)) const {
    return (dialog.*handler)(event.code, event.position, event.controlId), 0;
  }
  int operator()(void (Dlg::*handler)(unsigned, long)) const {
    return (dialog.*handler)(event.command, event.parameter), 0;
  }
  int operator()(int (Dlg::*handler)()) const { return (dialog.*handler)(); }
};

}  // namespace

std::span<const EventEntry> MainDialogEventTable() { return kEventTable; }

const EventEntry* FindEventEntry(const WindowEvent& event) {
  for (const EventEntry& entry : kEventTable) {
    if (Takes(entry, event)) return &entry;
  }
  return nullptr;
}

int CMyTorvix_ControllerDlg::HandleWindowEvent(const WindowEvent& event) {
  const EventEntry* entry = FindEventEntry(event);
  // Events of the debug value and path edits, the texts and the frames have no handler.
  if (entry == nullptr) return Default(event);
  return std::visit(Invoke{*this, event}, entry->handler);
}

}  // namespace torvix
