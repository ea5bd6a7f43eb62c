// The dialog templates as data: the main dialog (102) with its 86 controls in template order,
// the fixed items of its drop-down lists, and the About box (100).
//
// One table serves the window layer (which builds its controls from it) and the Qt view
// (which lays out real widgets from it). Positions are dialog units.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "window/string_resources.h"

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
  int resource;  // bitmap or icon resource of a picture or icon, else 0
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

inline constexpr int kMainDialogTemplateId = 102;
inline constexpr int kAboutDialogTemplateId = 100;
inline constexpr int kProgramIconId = 128;
inline constexpr int kLogoBitmapId = 130;
inline constexpr int kAboutMenuStringId = TORVIX_IDS_ABOUTBOX;
inline constexpr std::size_t kMainDialogControlCount = 86;

const DialogTemplate& MainDialogTemplate();
const DialogTemplate& AboutDialogTemplate();

// The fixed items of a drop-down list of the main dialog; empty for any other ID.
std::span<const char* const> ListItemsOf(int controlId);

// The string resources of the program, from the loader a view installed, else from
// string_resources.h; "" for an unknown ID.
std::string LoadStringResource(int stringId);

// Where the platform keeps a program's strings with the program (Windows' string table), its
// view installs the platform's loader; nullptr restores the built-in table.
using StringResourceLoader = std::string (*)(int stringId);
void SetStringResourceLoader(StringResourceLoader loader);

// Whether a control of this kind takes the keyboard focus with Tab.
bool HasTabStop(ControlKind kind);

}  // namespace torvix
