// SPDX-License-Identifier: MIT
// What a dialog template is: the dialog's caption, size and font, and one row per control in
// template order (its ID, kind, caption, group, visibility, position, picture and, for a
// drop-down list, its fixed items). Positions are dialog units.
//
// A program hands its templates to the window layer, which builds its controls from the rows;
// the views lay out real widgets from the same rows. The layer's only template of its own is
// the question it builds at run time (check_question.h).
#pragma once

#include <span>

namespace torvix {

enum class ControlKind {
  DefaultPushButton,
  PushButton,
  CheckBox,
  RadioButton,
  Slider,
  Edit,
  DropDownList,
  Text,
  Picture,  // a bordered static showing a bitmap resource
  Icon,     // a static showing an icon resource
  GroupBox,
};

// The ID of every control that the program never addresses (texts, frames, the picture).
inline constexpr int kStaticId = -1;

struct DialogRect {
  int x;
  int y;
  int width;
  int height;
};

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* caption;  // "" when the control has none
  const char* group;    // caption of the enclosing group box, "" outside any
  bool shown;
  DialogRect rect;
  int resource;                          // bitmap or icon resource of a picture or icon, else 0
  std::span<const char* const> items{};  // a drop-down list's fixed items, in order
};

struct DialogTemplate {
  int id;
  const char* caption;
  int width;
  int height;
  const char* fontName;
  int fontPoints;
  bool systemMenu;
  std::span<const ControlTemplate> controls;
};

// Whether a control of this kind takes the keyboard focus with Tab.
bool HasTabStop(ControlKind kind);

}  // namespace torvix
