// SPDX-License-Identifier: MIT
// The link as a whole: read the camera again, let it load its defaults, hand it to its own
// menu or take it back, give it a new address of its own, and find it on the bus.
#include <cctype>
#include <cstdlib>
#include <string>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "camera/address_search.h"
#include "camera/load_defaults.h"
#include "camera/message_format.h"
#include "camera/register_map.h"
#include "camera/value_edit_pairs.h"

namespace torvix {

namespace {

constexpr std::size_t kAddressEditLimit = 2;
constexpr std::size_t kAddressReadLimit = 5;
constexpr std::size_t kTextBufferSize = 8;

bool isHexDigit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

}  // namespace

// There is no connection to open: every transaction opens its own bridge handle.
void CMyTorvix_ControllerDlg::OnBnClickedConnect() { RefreshPanel(); }

// The camera restores its own defaults; the panel then shows what it reports, not the
// settings table's defaults.
void CMyTorvix_ControllerDlg::OnBnClickedReset() {
  ShortMessage question;
  FormatShortMessage(question, "Are you sure to load the Default settings");
  if (window_.MessageBox(question, kMessageOkCancelExclamation) != kAnswerOk) return;
  if (LoadCameraDefaults(m_link) != 0) return;
  RefreshPanel();
}

void CMyTorvix_ControllerDlg::OnBnClickedOsdControlUsage() {
  const int c = window_.IsDlgButtonChecked(IDC_OSD_CONTROL_USAGE);
  m_checkOsdControl = c;
  SetPanelEnabled(c == 0);
  m_link.WriteSetting(OsdControl, OsdControlToRegister(c != 0));
  // Said even when the write failed: the box is set, and the panel is locked already.
  if (c != 0) {
    LongMessage text;
    FormatLongMessage(
        text, "To enable I2C control\nClear 'OSD control usage' checkbox\nand next re-power");
    window_.MessageBox(text, kOsdMessageBoxType);
  }
}

// Writes the camera's own address setting (register 0x31). The controller goes on talking to
// the camera at its present bus address until a search finds it elsewhere; when the camera
// starts to answer at the new one is the camera's business.
void CMyTorvix_ControllerDlg::OnEnChangeCameraAddress() {
  window_.LimitText(IDC_CAMERA_ADDRESS, kAddressEditLimit);
  if (window_.LineLength(IDC_CAMERA_ADDRESS) != 2) return;
  char buffer[kTextBufferSize] = {};
  buffer[0] = static_cast<char>(kAddressReadLimit);
  if (window_.GetLine(IDC_CAMERA_ADDRESS, buffer, sizeof buffer) < 2) return;
  // "XX" from a failed read or search stops here, so neither ever writes the register.
  if (!isHexDigit(buffer[0]) || !isHexDigit(buffer[1])) return;
  buffer[2] = '\0';
  unsigned value = static_cast<unsigned>(std::strtoul(buffer, nullptr, 16));

  if (value > kCameraAddressMaximum) {
    value = kCameraAddressMaximum;
    const std::string text = HexText(value);
    // The text set runs this handler again with "fc", which writes 0xfc before this pass does.
    m_editCameraAddress.SetWindowText(text);
    m_strCameraAddress = text;
    UpdateData(false);
  }
  const auto address = static_cast<uint8_t>(value);
  m_link.WriteSetting(CameraAddress, address);
  ShowHexValue(address);
}

// Every candidate is probed silently, whatever the board does: one that stalled once past its
// reply deadline still lets the search find the camera, and one that is gone ends, after all
// 127 probes, in the one message below. A camera another program keeps stops the search with
// the words of any other access and changes nothing: no address was asked, so none is known.
void CMyTorvix_ControllerDlg::OnBnClickedSearchAddress() {
  const AddressSearchResult search = SearchCameraAddress(m_link, OnBoardFailure::kProbeOn);
  if (search.end == ProbeOutcome::kCameraHeld) return;
  if (search.end == ProbeOutcome::kAnswered) {
    m_link.Block().CameraBusAddress = search.address;
    RefreshPanel();
    return;
  }
  m_link.Block().CameraBusAddress = kDefaultCameraBusAddress;
  m_editCameraAddress.SetWindowText("XX");
  ShortMessage text;
  FormatShortMessage(text, "No Camera detected");
  window_.MessageBox(text, kMessageOk);
}

}  // namespace torvix
