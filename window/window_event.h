// SPDX-License-Identifier: MIT
// The events a dialog window delivers to its dialog, with the toolkit's notification codes.
#pragma once

namespace torvix {

// Command notifications (the code of a command event).
inline constexpr int kBnClicked = 0x0000;
inline constexpr int kEnChange = 0x0300;
inline constexpr int kCbnCloseUp = 0x0008;

// The two command IDs that every dialog knows.
inline constexpr int kIdOk = 1;
inline constexpr int kIdCancel = 2;

// Slider scroll codes of a horizontal-scroll event.
enum ScrollCode : int {
  kTbLineUp = 0,
  kTbLineDown = 1,
  kTbPageUp = 2,
  kTbPageDown = 3,
  kTbThumbPosition = 4,  // the user released a dragged thumb
  kTbThumbTrack = 5,     // the thumb moves while dragged
  kTbTop = 6,
  kTbBottom = 7,
  kTbEndTrack = 8,
};

// System commands; the toolkit keeps the low four bits for itself.
inline constexpr unsigned kScMinimize = 0xF020;
inline constexpr unsigned kScClose = 0xF060;
inline constexpr unsigned kScRestore = 0xF120;
inline constexpr unsigned kSystemCommandMask = 0xFFF0;

enum class WindowMessage { Command, HScroll, SysCommand, Paint, QueryDragIcon };

struct WindowEvent {
  WindowMessage message;
  int controlId = 0;     // Command: the control; HScroll: the slider
  int code = 0;          // Command: notification; HScroll: scroll code
  int position = 0;      // HScroll: the thumb position
  unsigned command = 0;  // SysCommand: the command ID
  long parameter = 0;    // SysCommand: the position argument
};

// The dialog's side of a window: every event the window delivers goes here.
class WindowProcedure {
 public:
  virtual ~WindowProcedure() = default;
  // The result matters only for QueryDragIcon (the icon to show).
  virtual int HandleWindowEvent(const WindowEvent& event) = 0;
};

}  // namespace torvix
