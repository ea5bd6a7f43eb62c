// SPDX-License-Identifier: MIT
// The mode controls: seven lists, six check boxes, the PAL/NTSC pair and "Push2White". Each
// turns its control's new state into one register value, built on the shadow byte so that
// bits owned by other controls are kept, and writes it at once.
//
// A failed write has been reported by the camera link and is not undone: the control keeps
// what the user gave it, the dependent controls change as after a success, the debug edit
// still shows the value, and only the shadow keeps the camera's last known byte.
#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "camera/register_map.h"
#include "clock/clock.h"

namespace torvix {

namespace {

constexpr int kDayNightSmart = 2;
// After the button the camera gets a moment to take its white-balance snapshot.
constexpr Milliseconds kAfterPushToWhite{100};

int showCommand(bool shown) { return shown ? kShowCommand : kHideCommand; }

// Lists whose register value depends on the chosen item alone.
uint8_t listIndex(uint8_t, int item) { return ListIndexToRegister(item); }
uint8_t blcSizeCode(uint8_t, int item) { return BlcSizeCodeOf(item); }

}  // namespace

void CMyTorvix_ControllerDlg::OnCbnCloseupWhiteBalanceMode() {
  const int s = m_comboWhiteBalanceMode.GetCurSel();
  if (s == kNoSelection) return;
  const bool manual = s == kWhiteBalanceManual;
  window_.EnableWindow(IDC_RED_GAIN_EDIT, manual);
  window_.EnableWindow(IDC_BLUE_GAIN_EDIT, manual);
  window_.ShowWindow(IDC_RED_GAIN_SLIDER, showCommand(manual));
  window_.ShowWindow(IDC_BLUE_GAIN_SLIDER, showCommand(manual));
  window_.EnableWindow(IDC_PUSH2WHITE, s == kWhiteBalanceAuto);

  if (s == kWhiteBalancePushToWhite) {
    m_link.WriteSetting(PushToWhite, kPushToWhiteSet);
    ShowHexValue(kPushToWhiteSet);
    return;
  }
  // Auto and Manual end any one-push state first. The mode write goes out even when that
  // failed, and carries the mirror bit the Mirror box left in the shadow byte.
  m_link.WriteSetting(PushToWhite, PushToWhiteForMode(s));
  m_regValue = WhiteBalanceModeToRegister(m_link.Block().SettingsShadow[WhiteBalanceControl], s);
  m_link.WriteSetting(WhiteBalanceControl, m_regValue);
  ShowHexValue(m_regValue);
}

void CMyTorvix_ControllerDlg::OnBnClickedMirror() {
  uint8_t* shadow = m_link.Block().SettingsShadow;
  m_checkMirror = window_.IsDlgButtonChecked(IDC_MIRROR);
  const bool mirrored = m_checkMirror != 0;
  m_regValue = FlagToRegister(shadow[FlipControl], kMirrorMask, mirrored);
  // Register 0x04 carries a copy of the mirror state; it reaches the camera with the next
  // white-balance mode write, so only the shadow byte changes here, whatever the write does.
  shadow[WhiteBalanceControl] = MirrorIntoWhiteBalance(shadow[WhiteBalanceControl], mirrored);
  m_link.WriteSetting(FlipControl, m_regValue);
  ShowHexValue(shadow[WhiteBalanceControl]);
}

void CMyTorvix_ControllerDlg::OnBnClickedVflip() {
  m_checkVflip = window_.IsDlgButtonChecked(IDC_VFLIP);
  m_regValue = FlagToRegister(m_link.Block().SettingsShadow[FlipControl], kVerticalFlipMask,
                              m_checkVflip != 0);
  m_link.WriteSetting(FlipControl, m_regValue);
  ShowHexValue(m_regValue);
}

void CMyTorvix_ControllerDlg::OnBnClickedBlcViewOn() {
  m_checkBlcView = window_.IsDlgButtonChecked(IDC_BLC_VIEW_ON);
  const uint8_t value =
      FlagToRegister(m_link.Block().SettingsShadow[BlcControl], kBlcViewMask, m_checkBlcView != 0);
  m_link.WriteSetting(BlcControl, value);
  ShowHexValue(value);
}

void CMyTorvix_ControllerDlg::OnBnClickedAgcGainMaxOn() {
  m_checkAgcGainMax = window_.IsDlgButtonChecked(IDC_AGC_GAIN_MAX_ON);
  const bool on = m_checkAgcGainMax != 0;
  m_regValue = FlagToRegister(m_link.Block().SettingsShadow[AgcControl], kAgcOnMask, on);
  window_.EnableWindow(IDC_AGC_GAIN_MAX_EDIT, on);
  window_.ShowWindow(IDC_AGC_GAIN_MAX_SLIDER, showCommand(on));
  m_link.WriteSetting(AgcControl, m_regValue);
  ShowHexValue(m_regValue);
}

// The member follows the box here too: a later push of the bound values (a clamped value
// edit, the address edit) would otherwise put the box back to its state before the click.
void CMyTorvix_ControllerDlg::OnBnClickedLlsModeOn() {
  m_checkLlsMode = window_.IsDlgButtonChecked(IDC_LLS_MODE_ON);
  m_regValue = LlsModeToRegister(m_checkLlsMode != 0);
  m_link.WriteSetting(LlsMode, m_regValue);
}

void CMyTorvix_ControllerDlg::OnBnClickedSharpnessOn() {
  m_checkSharpnessOn = window_.IsDlgButtonChecked(IDC_SHARPNESS_ON);
  m_regValue = SharpnessOnToRegister(m_checkSharpnessOn != 0);
  m_link.WriteSetting(SharpnessOff, m_regValue);
}

// The value depends on the button, not on a check state: clicking the selected one again
// writes its value again.
void CMyTorvix_ControllerDlg::OnBnClickedNtsc() {
  m_checkNtsc = window_.IsDlgButtonChecked(IDC_NTSC);
  window_.SetCheck(IDC_PAL, m_checkNtsc != 0 ? 0 : 1);
  m_link.WriteSetting(VideoStandard, VideoStandardToRegister(false));
}

void CMyTorvix_ControllerDlg::OnBnClickedPal() {
  m_checkPal = window_.IsDlgButtonChecked(IDC_PAL);
  window_.SetCheck(IDC_NTSC, m_checkPal != 0 ? 0 : 1);
  m_link.WriteSetting(VideoStandard, VideoStandardToRegister(true));
}

void CMyTorvix_ControllerDlg::OnBnClickedPush2White() {
  m_regValue = kPushToWhiteButton;
  m_link.WriteSetting(PushToWhite, m_regValue);
  ShowHexValue(m_regValue);
  Pause(kAfterPushToWhite);
  // Setting the selection runs no list handler: nothing more is written.
  m_comboWhiteBalanceMode.SetCurSel(kWhiteBalancePushToWhite);
}

int CMyTorvix_ControllerDlg::WriteChosenItem(const ComboBox& list, SettingId setting,
                                             ItemToRegister toRegister) {
  const int item = list.GetCurSel();
  if (item == kNoSelection) return kNoSelection;
  const uint8_t value = toRegister(m_link.Block().SettingsShadow[setting], item);
  m_link.WriteSetting(setting, value);
  ShowHexValue(value);
  return item;
}

void CMyTorvix_ControllerDlg::OnCbnCloseupWdrMode() {
  WriteChosenItem(m_comboWdrMode, WdrMode, listIndex);
}

void CMyTorvix_ControllerDlg::OnCbnCloseupDnMode() {
  const int item = WriteChosenItem(m_comboDayNightMode, DayNightMode, listIndex);
  if (item == kNoSelection) return;
  const bool smart = item == kDayNightSmart;
  window_.EnableWindow(IDC_DN_LEVEL_EDIT, smart);
  window_.EnableWindow(IDC_DN_LEVEL_SLIDER, smart);
}

void CMyTorvix_ControllerDlg::OnCbnCloseupZoomFactor() {
  WriteChosenItem(m_comboZoomFactor, ZoomFactor, listIndex);
}

void CMyTorvix_ControllerDlg::OnCbnCloseupBlcSize() {
  WriteChosenItem(m_comboBlcSize, BlcSize, blcSizeCode);
}

// Both BLC position lists start from the shadow byte, so a failed horizontal write is not
// carried into the next vertical one.
void CMyTorvix_ControllerDlg::OnCbnCloseupBlcHorizontal() {
  WriteChosenItem(m_comboBlcHorizontal, BlcPosition, BlcPositionWithHorizontal);
}

void CMyTorvix_ControllerDlg::OnCbnCloseupBlcVertical() {
  WriteChosenItem(m_comboBlcVertical, BlcPosition, BlcPositionWithVertical);
}

}  // namespace torvix
