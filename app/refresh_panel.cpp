// SPDX-License-Identifier: MIT
// Bringing the whole panel into line with the camera, enabling it as a whole, and showing
// the last written value in the debug edit.
#include <array>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "app/value_edit_controls.h"
#include "camera/message_format.h"
#include "camera/register_map.h"
#include "camera/value_edit_pairs.h"

namespace torvix {

namespace {

// What SetPanelEnabled touches, in the order it touches them. Connect, RESET, the OSD switch,
// the address edit, the debug group, OK and Cancel stay usable so the camera can be reached
// again.
// clang-format off
constexpr std::array<int, 44> kPanelControls{
    IDC_MIRROR, IDC_VFLIP, IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT, IDC_WHITE_BALANCE_MODE,
    IDC_BROWSE_DSP_REGS, IDC_AEX_REFERENCE_SLIDER, IDC_AEX_REFERENCE_EDIT, IDC_COLOR_GAIN_SLIDER,
    IDC_COLOR_GAIN_EDIT, IDC_RED_GAIN_SLIDER, IDC_BLUE_GAIN_SLIDER, IDC_RED_GAIN_EDIT,
    IDC_BLUE_GAIN_EDIT, IDC_LLS_COLOR_SLIDER, IDC_LLS_AGC_START_SLIDER, IDC_LLS_EDGE_SLIDER,
    IDC_LLS_AGC_START_EDIT, IDC_LLS_COLOR_EDIT, IDC_LLS_EDGE_EDIT, IDC_LLS_MODE_ON,
    IDC_ANALOG_OUTPUT_GAIN_SLIDER, IDC_ANALOG_OUTPUT_GAIN_EDIT, IDC_SHARPNESS_LEVEL_SLIDER,
    IDC_SHARPNESS_LEVEL_EDIT, IDC_BRIGHTNESS_SLIDER, IDC_BRIGHTNESS_EDIT, IDC_PAL, IDC_NTSC,
    IDC_WDR_MODE, IDC_PUSH2WHITE, IDC_SHARPNESS_ON, IDC_BLC_SIZE, IDC_BLC_HORIZONTAL,
    IDC_BLC_VERTICAL, IDC_BLC_VIEW_ON, IDC_AGC_GAIN_MAX_SLIDER, IDC_AGC_GAIN_MAX_EDIT,
    IDC_AGC_GAIN_MAX_ON, IDC_DN_MODE, IDC_ZOOM_FACTOR, IDC_SEARCH_ADDRESS, IDC_DN_LEVEL_SLIDER,
    IDC_DN_LEVEL_EDIT};
// clang-format on

}  // namespace

void CMyTorvix_ControllerDlg::SetPanelEnabled(bool enable) {
  for (int id : kPanelControls) window_.EnableWindow(id, enable);
}

void CMyTorvix_ControllerDlg::ShowHexValue(uint16_t value) {
  UpdateData(true);
  m_strDebugValue = HexText(value);
  UpdateData(false);
}

void CMyTorvix_ControllerDlg::RefreshPanel() {
  CameraBlock& block = m_link.Block();
  const bool readFailed = m_link.ReadAllSettings(block) != 0;
  const uint8_t* s = block.SettingsShadow;

  // Each pair's slider takes its range and the value, its edit the value in hex.
  for (const ValueEditPair& pair : kValueEditPairs) {
    const ValueEditControls& controls = ControlsOf(pair);
    window_.SetRangeMin(controls.sliderId, pair.minimum, false);
    window_.SetRangeMax(controls.sliderId, pair.maximum, false);
    window_.SetPos(controls.sliderId, s[pair.setting]);
    this->*controls.text = HexText(s[pair.setting]);
  }

  const bool agcOn = FlagShown(s[AgcControl], kAgcOnMask);
  window_.SetCheck(IDC_AGC_GAIN_MAX_ON, agcOn);
  window_.EnableWindow(IDC_AGC_GAIN_MAX_EDIT, agcOn);
  window_.ShowWindow(IDC_AGC_GAIN_MAX_SLIDER, agcOn ? kShowCommand : kHideCommand);

  const int whiteBalance = WhiteBalanceModeShown(s[WhiteBalanceControl], s[PushToWhite]);
  m_comboWhiteBalanceMode.SetCurSel(whiteBalance);
  const bool manual = whiteBalance == kWhiteBalanceManual;
  window_.EnableWindow(IDC_PUSH2WHITE, whiteBalance == kWhiteBalanceAuto);
  window_.EnableWindow(IDC_RED_GAIN_EDIT, manual);
  window_.EnableWindow(IDC_BLUE_GAIN_EDIT, manual);
  window_.ShowWindow(IDC_RED_GAIN_SLIDER, manual ? kShowCommand : kHideCommand);
  window_.ShowWindow(IDC_BLUE_GAIN_SLIDER, manual ? kShowCommand : kHideCommand);

  window_.SetCheck(IDC_MIRROR, FlagShown(s[FlipControl], kMirrorMask));
  window_.SetCheck(IDC_VFLIP, FlagShown(s[FlipControl], kVerticalFlipMask));
  m_comboWdrMode.SetCurSel(s[WdrMode]);
  window_.SetCheck(IDC_BLC_VIEW_ON, FlagShown(s[BlcControl], kBlcViewMask));
  m_comboBlcVertical.SetCurSel(BlcVerticalShown(s[BlcPosition]));
  m_comboBlcHorizontal.SetCurSel(BlcHorizontalShown(s[BlcPosition]));
  m_comboBlcSize.SetCurSel(BlcSizeIndexOf(s[BlcSize]).value_or(16));

  if (readFailed) {
    // The edit's own change handling sees "XX" and ignores it: no hex digits.
    m_editCameraAddress.SetWindowText("XX");
    m_strCameraAddress = "XX";
  } else {
    m_strCameraAddress = HexText(block.CameraBusAddress);
  }

  m_comboDayNightMode.SetCurSel(s[DayNightMode]);
  const bool smart = s[DayNightMode] == 2;
  window_.EnableWindow(IDC_DN_LEVEL_EDIT, smart);
  window_.EnableWindow(IDC_DN_LEVEL_SLIDER, smart);
  m_comboZoomFactor.SetCurSel(s[ZoomFactor]);

  window_.SetCheck(IDC_LLS_MODE_ON, LlsModeShown(s[LlsMode]));
  window_.SetCheck(IDC_SHARPNESS_ON, SharpnessOnShown(s[SharpnessOff]));

  const bool pal = PalShown(s[VideoStandard]);
  window_.SetCheck(IDC_PAL, pal);
  window_.SetCheck(IDC_NTSC, !pal);
  window_.SetCheck(IDC_OSD_CONTROL_USAGE, OsdControlShown(s[OsdControl]));

  // The final push below must leave the check boxes as just set.
  m_checkMirror = window_.IsDlgButtonChecked(IDC_MIRROR);
  m_checkVflip = window_.IsDlgButtonChecked(IDC_VFLIP);
  m_checkAgcGainMax = window_.IsDlgButtonChecked(IDC_AGC_GAIN_MAX_ON);
  m_checkPal = window_.IsDlgButtonChecked(IDC_PAL);
  m_checkNtsc = window_.IsDlgButtonChecked(IDC_NTSC);
  m_checkSharpnessOn = window_.IsDlgButtonChecked(IDC_SHARPNESS_ON);
  m_checkBlcView = window_.IsDlgButtonChecked(IDC_BLC_VIEW_ON);
  m_checkLlsMode = window_.IsDlgButtonChecked(IDC_LLS_MODE_ON);
  m_checkOsdControl = window_.IsDlgButtonChecked(IDC_OSD_CONTROL_USAGE);

  if (window_.IsDlgButtonChecked(IDC_OSD_CONTROL_USAGE) != 0) {
    SetPanelEnabled(false);
    LongMessage text;
    FormatLongMessage(
        text, "To enable I2C control\nClear 'OSD control usage' checkbox\nand next re-power");
    window_.MessageBox(text, kOsdMessageBoxType);
  }

  // Notifications are held back during the push, so no value edit writes to the camera.
  UpdateData(false);
}

}  // namespace torvix
