// SPDX-License-Identifier: MIT
// The window layer: a model of one dialog window and its controls, without a screen.
//
// It holds every control's state and keeps the toolkit's rules on notifications:
// - a direct text set on an edit delivers EN_CHANGE at once, before it returns;
// - setting a check state, a list selection or a slider position delivers nothing;
// - while a data exchange runs, no event reaches the dialog;
// - an edit's text limit, counted in characters, bounds what the user types, never a direct
//   text set; no user input splits a character of the UTF-8 text;
// - disabled or hidden controls, and a disabled window, take no user input.
// User input (user_input.cpp) enters through the User* functions and delivers the events a
// real toolkit would deliver. A view (Qt, or a test) listens for state changes to re-render.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "messages/message_host.h"
#include "window/dialog_template.h"
#include "window/window_event.h"

namespace torvix {

inline constexpr std::size_t kDefaultEditLimit = 30000;
inline constexpr int kNoSelection = -1;
inline constexpr int kShowCommand = 5;
inline constexpr int kHideCommand = 0;

struct ControlState {
  const ControlTemplate* row = nullptr;
  std::string text;  // an edit's content, else the caption
  std::size_t textLimit = kDefaultEditLimit;
  std::size_t selectionStart = 0;  // an edit's selected characters; the caret is at the end
  std::size_t selectionEnd = 0;
  int check = 0;
  std::vector<std::string> items;
  int selection = kNoSelection;
  bool dropped = false;
  int rangeMin = 0;
  int rangeMax = 100;
  int position = 0;
  bool enabled = true;
  bool visible = true;
  std::string tip;  // shown while the pointer rests on the control; "" for none
};

struct MenuItem {
  bool separator;
  unsigned command;
  std::string text;
};

// Told about every change of state, so that a view can redraw what changed.
class WindowListener {
 public:
  virtual ~WindowListener() = default;
  virtual void ControlChanged(std::size_t index) = 0;
  virtual void WindowChanged() = 0;  // enabled, iconic, icons, system menu, ended
};

class DialogWindow {
 public:
  DialogWindow(const DialogTemplate& dialogTemplate, MessageHost& messages);
  DialogWindow(const DialogWindow&) = delete;
  DialogWindow& operator=(const DialogWindow&) = delete;

  void SetProcedure(WindowProcedure* procedure) { procedure_ = procedure; }
  void SetListener(WindowListener* listener) { listener_ = listener; }
  // Sees every event that reaches the dialog, before the dialog does.
  void SetEventObserver(std::function<void(const WindowEvent&)> observer);

  const DialogTemplate& Template() const { return template_; }
  std::size_t ControlCount() const { return controls_.size(); }
  const ControlState& ControlAt(std::size_t index) const { return controls_.at(index); }
  const ControlState* Find(int id) const;

  // Toolkit operations. An unknown ID, or a control of the wrong kind, changes nothing.
  int MessageBox(const char* text, unsigned type);
  int IsDlgButtonChecked(int id) const;
  void SetCheck(int id, int state);
  int GetCurSel(int id) const;
  int SetCurSel(int id, int index);  // the new selection, kNoSelection when beyond the items
  void SetRangeMin(int id, int minimum, bool redraw);
  void SetRangeMax(int id, int maximum, bool redraw);
  void SetPos(int id, int position);
  int GetPos(int id) const;
  void LimitText(int id, std::size_t limit);  // 0 restores the default limit
  int LineLength(int id) const;
  // Copies at most the count held in the buffer's first 16-bit word, with no terminator.
  int GetLine(int id, char* buffer, std::size_t bufferSize) const;
  void SetWindowText(int id, std::string_view text);
  std::string GetWindowText(int id) const;
  bool EnableWindow(int id, bool enable);          // whether the control was disabled before
  bool ShowWindow(int id, int command);            // whether the control was visible before
  void SetToolTip(int id, std::string_view text);  // "" removes it

  // The window as a whole.
  bool IsWindowEnabled() const { return enabled_; }
  void EnableDialog(bool enable);
  void SetIcon(int iconId, bool big);
  int Icon(bool big) const { return big ? bigIcon_ : smallIcon_; }
  // The system menu, or nullptr when the template has none.
  std::vector<MenuItem>* GetSystemMenu();
  void AppendSystemMenuItem(std::vector<MenuItem>& menu, MenuItem item);
  const std::vector<MenuItem>& SystemMenu() const { return systemMenu_; }
  bool IsIconic() const { return iconic_; }
  void SetClientSize(int width, int height);
  int ClientWidth() const { return clientWidth_; }
  int ClientHeight() const { return clientHeight_; }
  int IconMetric() const { return 32; }  // width and height of an icon
  void EraseIconBackground() { ++iconBackgroundErases_; }
  void DrawIcon(int x, int y, int iconId);
  struct DrawnIcon {
    int x;
    int y;
    int iconId;
  };
  const std::vector<DrawnIcon>& DrawnIcons() const { return drawnIcons_; }
  int IconBackgroundErases() const { return iconBackgroundErases_; }
  int DefaultPaints() const { return defaultPaints_; }
  void DefaultPaint() { ++defaultPaints_; }
  // What the toolkit does with a system command the dialog passes on.
  void DefaultSysCommand(unsigned command);

  void EndDialog(int result);
  bool Ended() const { return ended_; }
  int Result() const { return result_; }

  int Focus() const { return focus_; }
  // Focus to the first visible, enabled control with a tab stop, in template order.
  void FocusFirstTabStop();

  // A data exchange runs while one of these lives: no event reaches the dialog.
  class ExchangeScope {
   public:
    explicit ExchangeScope(DialogWindow& window) : window_(window) { ++window_.exchangeDepth_; }
    ~ExchangeScope() { --window_.exchangeDepth_; }
    ExchangeScope(const ExchangeScope&) = delete;
    ExchangeScope& operator=(const ExchangeScope&) = delete;

   private:
    DialogWindow& window_;
  };
  bool InExchange() const { return exchangeDepth_ > 0; }

  // User input. Each returns whether the window took it (an enabled, visible target).
  bool UserClick(int id);
  bool UserFocus(int id);
  bool UserSelectText(int id, std::size_t start, std::size_t end);
  bool UserType(int id, std::string_view characters);  // one EN_CHANGE per character taken
  bool UserBackspace(int id);
  bool UserPaste(int id, std::string_view text);
  bool UserOpenList(int id);
  bool UserChooseItem(int id, int index);  // on the open list; closes it
  bool UserCloseList(int id);              // closes the open list without choosing
  bool UserArrowOnClosedList(int id, int delta);
  bool UserDragThumb(int id, int position);     // drag to the position and release
  bool UserSliderKey(int id, ScrollCode code);  // a keyboard or channel step
  bool UserEnter();
  bool UserEscape();
  bool UserTab(bool backwards);
  bool UserCloseBox();
  bool UserSystemCommand(unsigned command, long parameter);
  bool UserMinimize();
  bool UserRestore();
  int UserDragMinimized();  // the icon the dialog shows while dragged
  void Paint();

 private:
  ControlState* FindMutable(int id);
  ControlState* Editable(int id, ControlKind kind);
  ControlState* UserTarget(int id);
  std::size_t IndexOf(const ControlState& control) const;
  void Changed(const ControlState& control);
  void WindowStateChanged();
  int Deliver(const WindowEvent& event);
  void DeliverCommand(int id, int code);
  void DeliverScroll(int id, int code, int position);
  void ReplaceEditSelection(ControlState& edit, std::string_view text);
  void MoveThumb(ControlState& slider, int position);
  void RangeChanged(const ControlState& slider, bool redraw);

  const DialogTemplate& template_;
  MessageHost& messages_;
  std::vector<ControlState> controls_;
  WindowProcedure* procedure_ = nullptr;
  WindowListener* listener_ = nullptr;
  std::function<void(const WindowEvent&)> observer_;
  int exchangeDepth_ = 0;
  bool enabled_ = true;
  bool ended_ = false;
  int result_ = 0;
  int focus_ = kStaticId;
  int bigIcon_ = 0;
  int smallIcon_ = 0;
  bool iconic_ = false;
  int clientWidth_ = 0;
  int clientHeight_ = 0;
  int iconBackgroundErases_ = 0;
  int defaultPaints_ = 0;
  std::vector<DrawnIcon> drawnIcons_;
  std::vector<MenuItem> systemMenu_;
};

}  // namespace torvix
