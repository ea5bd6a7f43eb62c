// SPDX-License-Identifier: MIT
#include "app/win32/dialog_template_bytes.h"

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
// After <windows.h>, whose types it uses.
#include <commctrl.h>

#include <string_view>

#include "app/resource_ids.h"

namespace torvix {

namespace {

// The predefined control classes, named by atom in a template.
constexpr std::uint16_t kButtonAtom = 0x0080;
constexpr std::uint16_t kEditAtom = 0x0081;
constexpr std::uint16_t kStaticAtom = 0x0082;
constexpr std::uint16_t kComboBoxAtom = 0x0085;
// A resource named by number instead of a string.
constexpr std::uint16_t kOrdinalMark = 0xFFFF;

class TemplateWriter {
 public:
  void Word(std::uint16_t word) { words_.push_back(word); }
  void Dword(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  // Template strings are UTF-16; every text of ours is ASCII, a newline included.
  void Text(std::string_view text) {
    for (const char c : text) Word(static_cast<unsigned char>(c));
    Word(0);
  }
  void Ordinal(int id) {
    Word(kOrdinalMark);
    Word(static_cast<std::uint16_t>(id));
  }
  // Every item starts on a 4-byte boundary.
  void AlignToDword() {
    if (words_.size() % 2 != 0) Word(0);
  }
  std::vector<std::uint16_t> Take() { return std::move(words_); }

 private:
  std::vector<std::uint16_t> words_;
};

struct ItemClass {
  std::uint16_t atom;  // 0: the class is named by text
  const char* name;
  DWORD style;
};

ItemClass itemClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::DefaultPushButton: return {kButtonAtom, "", BS_DEFPUSHBUTTON};
    case ControlKind::PushButton: return {kButtonAtom, "", BS_PUSHBUTTON};
    case ControlKind::CheckBox: return {kButtonAtom, "", BS_AUTOCHECKBOX};
    case ControlKind::RadioButton: return {kButtonAtom, "", BS_AUTORADIOBUTTON};
    case ControlKind::Slider: return {0, TRACKBAR_CLASSA, TBS_HORZ | TBS_NOTICKS};
    case ControlKind::Edit: return {kEditAtom, "", ES_LEFT | ES_AUTOHSCROLL | WS_BORDER};
    case ControlKind::DropDownList: return {kComboBoxAtom, "", CBS_DROPDOWNLIST | WS_VSCROLL};
    case ControlKind::Text: return {kStaticAtom, "", SS_LEFT};
    case ControlKind::Picture: return {kStaticAtom, "", SS_BITMAP | WS_BORDER};
    case ControlKind::Icon: return {kStaticAtom, "", SS_ICON};
    case ControlKind::GroupBox: return {kButtonAtom, "", BS_GROUPBOX};
  }
  return {kStaticAtom, "", SS_LEFT};
}

// The template fixes no place on the screen: centred, on the owner or on the screen.
DWORD dialogStyle(const DialogTemplate& dialogTemplate) {
  DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFONT | DS_CENTER;
  if (dialogTemplate.systemMenu) style |= WS_SYSMENU;
  if (dialogTemplate.id == IDD_TORVIX_CONTROLLER_DIALOG) style |= WS_VISIBLE;
  return style;
}

// A radio group runs from its first button to the next control that starts a group.
bool startsGroup(const DialogTemplate& dialogTemplate, std::size_t index) {
  if (index == 0) return true;
  const bool radio = dialogTemplate.controls[index].kind == ControlKind::RadioButton;
  const bool afterRadio = dialogTemplate.controls[index - 1].kind == ControlKind::RadioButton;
  return radio != afterRadio;
}

void writeItem(TemplateWriter& out, const DialogTemplate& dialogTemplate, std::size_t index) {
  const ControlTemplate& row = dialogTemplate.controls[index];
  const ItemClass itemClass = itemClassOf(row.kind);
  DWORD style = WS_CHILD | itemClass.style;
  // Which kinds Tab reaches is the layer's rule, shared with the Qt view.
  if (HasTabStop(row.kind)) style |= WS_TABSTOP;
  if (row.shown) style |= WS_VISIBLE;
  if (startsGroup(dialogTemplate, index)) style |= WS_GROUP;
  out.AlignToDword();
  out.Dword(style);
  out.Dword(0);  // extended style
  out.Word(static_cast<std::uint16_t>(row.rect.x));
  out.Word(static_cast<std::uint16_t>(row.rect.y));
  out.Word(static_cast<std::uint16_t>(row.rect.width));
  out.Word(static_cast<std::uint16_t>(row.rect.height));
  out.Word(static_cast<std::uint16_t>(row.id));  // kStaticId becomes 0xFFFF, as in any template
  if (itemClass.atom != 0) {
    out.Word(kOrdinalMark);
    out.Word(itemClass.atom);
  } else {
    out.Text(itemClass.name);
  }
  // A picture or an icon names its resource where other controls have their caption.
  if (row.kind == ControlKind::Picture || row.kind == ControlKind::Icon) {
    out.Ordinal(row.resource);
  } else {
    out.Text(row.caption);
  }
  out.Word(0);  // no creation data
}

}  // namespace

std::vector<std::uint16_t> BuildDialogTemplate(const DialogTemplate& dialogTemplate) {
  TemplateWriter out;
  out.Dword(dialogStyle(dialogTemplate));
  // Shown in the task bar, though it has no owner window of the program's own.
  out.Dword(dialogTemplate.id == IDD_TORVIX_CONTROLLER_DIALOG ? WS_EX_APPWINDOW : 0);
  out.Word(static_cast<std::uint16_t>(dialogTemplate.controls.size()));
  out.Word(0);  // x and y
  out.Word(0);
  out.Word(static_cast<std::uint16_t>(dialogTemplate.width));
  out.Word(static_cast<std::uint16_t>(dialogTemplate.height));
  out.Word(0);  // no menu
  out.Word(0);  // the dialog class
  out.Text(dialogTemplate.caption);
  out.Word(static_cast<std::uint16_t>(dialogTemplate.fontPoints));
  out.Text(dialogTemplate.fontName);
  for (std::size_t index = 0; index < dialogTemplate.controls.size(); ++index) {
    writeItem(out, dialogTemplate, index);
  }
  return out.Take();
}

}  // namespace torvix
