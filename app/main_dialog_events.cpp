#include "app/main_dialog_events.h"

#include <array>

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
    TORVIX_ON(M::Command, kBnClicked, 1002, OnBnClickedMirror),
    TORVIX_ON(M::Command, kBnClicked, 1003, OnBnClickedVflip),
    TORVIX_ON(M::Command, kEnChange, 1005, ValueEditChange),
    TORVIX_ON(M::Command, kCbnCloseUp, 1006, OnCbnCloseupWhiteBalanceMode),
    TORVIX_ON(M::Command, kBnClicked, 1007, OnBnClickedBrowseDspRegs),
    TORVIX_ON(M::Command, kEnChange, 1012, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1010, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1015, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1016, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1020, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1021, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1022, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1027, ValueEditChange),
    TORVIX_ON(M::Command, kEnChange, 1025, ValueEditChange),
    TORVIX_ON(M::Command, kBnClicked, 1031, OnBnClickedNtsc),
    TORVIX_ON(M::Command, kBnClicked, 1030, OnBnClickedPal),
    TORVIX_ON(M::Command, kCbnCloseUp, 1032, OnCbnCloseupWdrMode),
    TORVIX_ON(M::Command, kBnClicked, 1033, OnBnClickedPush2White),
    TORVIX_ON(M::Command, kBnClicked, 1023, OnBnClickedLlsModeOn),
    TORVIX_ON(M::Command, kBnClicked, 1034, OnBnClickedSharpnessOn),
    TORVIX_ON(M::Command, kBnClicked, 1036, OnBnClickedConnect),
    TORVIX_ON(M::Command, kBnClicked, 1037, OnBnClickedReset),
    TORVIX_ON(M::Command, kEnChange, 1029, ValueEditChange),
    TORVIX_ON(M::Command, kBnClicked, 1035, OnBnClickedBrowseEepromDump),
    TORVIX_ON(M::Command, kCbnCloseUp, 1038, OnCbnCloseupBlcSize),
    TORVIX_ON(M::Command, kCbnCloseUp, 1039, OnCbnCloseupBlcHorizontal),
    TORVIX_ON(M::Command, kCbnCloseUp, 1040, OnCbnCloseupBlcVertical),
    TORVIX_ON(M::Command, kBnClicked, 1041, OnBnClickedBlcViewOn),
    TORVIX_ON(M::Command, kEnChange, 1043, ValueEditChange),
    TORVIX_ON(M::Command, kBnClicked, 1044, OnBnClickedAgcGainMaxOn),
    TORVIX_ON(M::Command, kBnClicked, kIdCancel, OnBnClickedCancel),
    TORVIX_ON(M::Command, kBnClicked, kIdOk, OnBnClickedOk),
    TORVIX_ON(M::Command, kCbnCloseUp, 1045, OnCbnCloseupDnMode),
    TORVIX_ON(M::Command, kBnClicked, 1047, OnBnClickedOsdControlUsage),
    TORVIX_ON(M::Command, kCbnCloseUp, 1048, OnCbnCloseupZoomFactor),
    TORVIX_ON(M::Command, kEnChange, 1049, OnEnChangeCameraAddress),
    TORVIX_ON(M::Command, kBnClicked, 1050, OnBnClickedSearchAddress),
    TORVIX_ON(M::Command, kEnChange, 1052, ValueEditChange),
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
  // Events of the edits 1001 and 1009, the texts and the frames have no handler.
  if (entry == nullptr) return Default(event);
  return std::visit(Invoke{*this, event}, entry->handler);
}

}  // namespace torvix
