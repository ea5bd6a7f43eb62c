// SPDX-License-Identifier: MIT
// The thirteen slider / value-edit pairs. A released thumb only puts its position into the
// edit as text; the edit's change handling is the one path that parses, clamps, moves the
// slider and writes the camera.
#include <string>
#include <string_view>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "app/value_edit_controls.h"
#include "camera/value_edit_pairs.h"

namespace torvix {

namespace {

constexpr std::size_t kValueEditLimit = 2;
constexpr std::size_t kTextBufferSize = 8;

// The edit's text as the change handling sees it: at most five characters, read the way the
// toolkit hands out a line (the buffer's first word holds how many characters fit).
std::string readEditText(const DialogWindow& window, int editId) {
  char buffer[kTextBufferSize] = {};
  buffer[0] = static_cast<char>(kValueEditReadLimit);
  const int copied = window.GetLine(editId, buffer, sizeof buffer);
  return {buffer, static_cast<std::size_t>(copied > 0 ? copied : 0)};
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
    window_.SetWindowText(ControlsOf(*pair).editId, HexText(static_cast<unsigned>(nPos)));
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
    const std::string limitText = HexText(read->value);
    if (pair->clampedText == ClampedTextPath::DirectTextSet) {
      // Runs this handling once more, nested, with the limit: it writes the limit too.
      window_.SetWindowText(editId, limitText);
      this->*ControlsOf(*pair).text = limitText;
    } else {
      this->*ControlsOf(*pair).text = limitText;
      UpdateData(false);
    }
  }
  window_.SetPos(ControlsOf(*pair).sliderId, read->value);
  // A failed write has been shown to the user already; the edit and slider keep the value.
  m_link.WriteSetting(pair->setting, read->value);
  ShowHexValue(read->value);
}

}  // namespace torvix
