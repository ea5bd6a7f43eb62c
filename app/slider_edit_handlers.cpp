// The thirteen slider / value-edit pairs. A released thumb only puts its position into the
// edit as text; the edit's change handling is the one path that parses, clamps, moves the
// slider and writes the camera.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "camera/value_edit_pairs.h"

namespace torvix {

namespace {

using Dlg = CMyTorvix_ControllerDlg;

constexpr std::size_t kValueEditLimit = 2;
constexpr std::size_t kTextBufferSize = 8;

struct BoundText {
  int editId;
  std::string Dlg::*member;
};

// The member each value edit's text is bound to by the data exchange.
constexpr BoundText kBoundTexts[] = {
    {IDC_CONTRAST_EDIT, &Dlg::m_strContrast},
    {IDC_COLOR_GAIN_EDIT, &Dlg::m_strColorGain},
    {IDC_BRIGHTNESS_EDIT, &Dlg::m_strBrightness},
    {IDC_AEX_REFERENCE_EDIT, &Dlg::m_strAexReference},
    {IDC_RED_GAIN_EDIT, &Dlg::m_strRedGain},
    {IDC_BLUE_GAIN_EDIT, &Dlg::m_strBlueGain},
    {IDC_LLS_AGC_START_EDIT, &Dlg::m_strLlsAgcStart},
    {IDC_LLS_COLOR_EDIT, &Dlg::m_strLlsColor},
    {IDC_LLS_EDGE_EDIT, &Dlg::m_strLlsEdge},
    {IDC_SHARPNESS_LEVEL_EDIT, &Dlg::m_strSharpnessLevel},
    {IDC_ANALOG_OUTPUT_GAIN_EDIT, &Dlg::m_strAnalogOutputGain},
    {IDC_DN_LEVEL_EDIT, &Dlg::m_strDayNightLevel},
    {IDC_AGC_GAIN_MAX_EDIT, &Dlg::m_strAgcGainMax},
};

constexpr bool everyPairHasABoundText() {
  for (const ValueEditPair& pair : kValueEditPairs) {
    bool found = false;
    for (const BoundText& bound : kBoundTexts) found = found || bound.editId == pair.editId;
    if (!found) return false;
  }
  return true;
}
static_assert(everyPairHasABoundText(), "each value edit's clamped text needs its member");

std::string& boundTextOf(Dlg& dialog, int editId) {
  for (const BoundText& bound : kBoundTexts) {
    if (bound.editId == editId) return dialog.*bound.member;
  }
  return dialog.m_strDebugValue;  // not reached: see the static_assert above
}

// Positions and values are far below 0x10000; the mask only keeps the text within the buffer.
std::string hexText(unsigned value) {
  char text[kTextBufferSize];
  std::snprintf(text, sizeof text, "%2.2x", value & 0xFFFFu);
  return text;
}

// The edit's text as the change handling sees it: at most five characters, read the way the
// toolkit hands out a line (the buffer's first word holds how many characters fit).
std::string readEditText(const DialogWindow& window, int editId) {
  char buffer[kTextBufferSize] = {};
  buffer[0] = static_cast<char>(kValueEditReadLimit);
  const int copied = window.GetLine(editId, buffer, sizeof buffer);
  return std::string(buffer, static_cast<std::size_t>(copied > 0 ? copied : 0));
}

bool longEnough(const ValueEditPair& pair, int length) {
  if (pair.parse == ValueEditParse::LeadingHexRun) return length >= 2;
  return length == 2;
}

}  // namespace

void CMyTorvix_ControllerDlg::SliderRelease(int nSBCode, int nPos, int sliderId) {
  const ValueEditPair* pair = FindPairBySlider(sliderId);
  // Only the release of a dragged thumb is a new value; keyboard and channel steps move the
  // thumb alone, so the camera keeps the value the edit shows.
  if (pair != nullptr && nSBCode == kTbThumbPosition) {
    // The text set runs the edit's change handling, which writes the camera, before it returns.
    window_.SetWindowText(pair->editId, hexText(static_cast<unsigned>(nPos)));
  }
  WindowEvent event{WindowMessage::HScroll};
  event.controlId = sliderId;
  event.code = nSBCode;
  event.position = nPos;
  Default(event);
}

void CMyTorvix_ControllerDlg::ValueEditChange(int editId) {
  const ValueEditPair* pair = FindPairByEdit(editId);
  if (pair == nullptr) return;
  // The Edge edit takes longer texts: its value may run past 0xff and is clamped back.
  if (pair->parse == ValueEditParse::TwoHexDigits) window_.LimitText(editId, kValueEditLimit);
  if (!longEnough(*pair, window_.LineLength(editId))) return;

  const std::optional<EditValue> read = ReadValueEdit(*pair, readEditText(window_, editId));
  if (!read) return;

  if (read->clamped) {
    const std::string limitText = hexText(read->value);
    if (pair->clampedText == ClampedTextPath::DirectTextSet) {
      // Runs this handling once more, nested, with the limit: it writes the limit too.
      window_.SetWindowText(editId, limitText);
      boundTextOf(*this, editId) = limitText;
    } else {
      boundTextOf(*this, editId) = limitText;
      UpdateData(false);
    }
  }
  window_.SetPos(pair->sliderId, read->value);
  // A failed write has been shown to the user already; the edit and slider keep the value.
  m_link.WriteSetting(pair->setting, read->value);
  ShowHexValue(read->value);
}

}  // namespace torvix
