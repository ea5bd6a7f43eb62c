// Bringing the whole panel into line with the camera, enabling it as a whole, and showing
// the last written value in the debug edit.
#include <array>
#include <cstdio>

#include "app/main_dialog.h"
#include "camera/message_format.h"
#include "camera/register_map.h"

namespace torvix {

namespace {

// What SetPanelEnabled touches, in the order it touches them. Connect, RESET, the OSD switch,
// the address edit, the debug group, OK and Cancel stay usable so the camera can be reached
// again.
constexpr std::array<int, 44> kPanelControls{
    1002, 1003, 1004, 1005, 1006, 1007, 1008, 1010, 1011, 1012, 1013, 1014, 1015, 1016,
    1017, 1018, 1019, 1020, 1021, 1022, 1023, 1024, 1025, 1026, 1027, 1028, 1029, 1030,
    1031, 1032, 1033, 1034, 1038, 1039, 1040, 1041, 1042, 1043, 1044, 1045, 1048, 1050, 1051, 1052};

std::string Hex(unsigned value) {
  char text[8];
  std::snprintf(text, sizeof text, "%2.2x", value & 0xFFFFu);
  return text;
}

void SetSlider(SliderCtrl& slider, int minimum, int maximum, uint8_t value) {
  slider.SetRangeMin(minimum, false);
  slider.SetRangeMax(maximum, false);
  slider.SetPos(value);
}

}  // namespace

void CMyTorvix_ControllerDlg::SetPanelEnabled(bool enable) {
  for (int id : kPanelControls) window_.EnableWindow(id, enable);
}

void CMyTorvix_ControllerDlg::ShowHexValue(uint16_t value) {
  UpdateData(true);
  m_strDebugValue = Hex(value);
  UpdateData(false);
}

void CMyTorvix_ControllerDlg::RefreshPanel() {
  CameraBlock& block = m_link.Block();
  const bool readFailed = m_link.ReadAllSettings(block) != 0;
  const uint8_t* s = block.SettingsShadow;

  const bool agcOn = FlagShown(s[AgcControl], kAgcOnMask);
  window_.SetCheck(1044, agcOn);
  window_.EnableWindow(1043, agcOn);
  window_.ShowWindow(1042, agcOn ? kShowCommand : kHideCommand);
  SetSlider(m_sliderAgcGainMax, 1, 128, s[AgcGainMax]);
  m_strAgcGainMax = Hex(s[AgcGainMax]);

  const int whiteBalance = WhiteBalanceModeShown(s[WhiteBalanceControl], s[PushToWhite]);
  m_comboWhiteBalanceMode.SetCurSel(whiteBalance);
  const bool manual = whiteBalance == kWhiteBalanceManual;
  window_.EnableWindow(1033, whiteBalance == kWhiteBalanceAuto);
  window_.EnableWindow(1015, manual);
  window_.EnableWindow(1016, manual);
  window_.ShowWindow(1013, manual ? kShowCommand : kHideCommand);
  window_.ShowWindow(1014, manual ? kShowCommand : kHideCommand);

  window_.SetCheck(1002, FlagShown(s[FlipControl], kMirrorMask));
  window_.SetCheck(1003, FlagShown(s[FlipControl], kVerticalFlipMask));
  SetSlider(m_sliderAexReference, 0, 120, s[AexReference]);
  m_strAexReference = Hex(s[AexReference]);
  m_comboWdrMode.SetCurSel(s[WdrMode]);
  SetSlider(m_sliderRedGain, 0, 255, s[RedGain]);
  m_strRedGain = Hex(s[RedGain]);
  SetSlider(m_sliderBlueGain, 0, 255, s[BlueGain]);
  m_strBlueGain = Hex(s[BlueGain]);
  window_.SetCheck(1041, FlagShown(s[BlcControl], kBlcViewMask));
  m_comboBlcVertical.SetCurSel(BlcVerticalShown(s[BlcPosition]));
  m_comboBlcHorizontal.SetCurSel(BlcHorizontalShown(s[BlcPosition]));
  m_comboBlcSize.SetCurSel(BlcSizeIndexOf(s[BlcSize]).value_or(16));

  if (readFailed) {
    // The edit's own change handling sees "XX" and ignores it: no hex digits.
    m_editCameraAddress.SetWindowText("XX");
    m_strCameraAddress = "XX";
  } else {
    m_strCameraAddress = Hex(block.CameraBusAddress);
  }

  SetSlider(m_sliderColorGain, 1, 44, s[ColorGain]);
  m_strColorGain = Hex(s[ColorGain]);
  SetSlider(m_sliderContrast, 56, 84, s[Contrast]);
  m_strContrast = Hex(s[Contrast]);
  SetSlider(m_sliderBrightness, 0, 255, s[Brightness]);
  m_strBrightness = Hex(s[Brightness]);

  m_comboDayNightMode.SetCurSel(s[DayNightMode]);
  const bool smart = s[DayNightMode] == 2;
  window_.EnableWindow(1052, smart);
  window_.EnableWindow(1051, smart);
  SetSlider(m_sliderDayNightLevel, 8, 96, s[DayNightLevel]);
  m_strDayNightLevel = Hex(s[DayNightLevel]);
  m_comboZoomFactor.SetCurSel(s[ZoomFactor]);

  window_.SetCheck(1023, LlsModeShown(s[LlsMode]));
  SetSlider(m_sliderLlsAgcStart, 0, 223, s[LlsAgcStart]);
  m_strLlsAgcStart = Hex(s[LlsAgcStart]);
  SetSlider(m_sliderLlsColor, 0, 255, s[LlsColor]);
  m_strLlsColor = Hex(s[LlsColor]);
  SetSlider(m_sliderLlsEdge, 0, 255, s[LlsEdge]);
  m_strLlsEdge = Hex(s[LlsEdge]);
  window_.SetCheck(1034, SharpnessOnShown(s[SharpnessOff]));
  SetSlider(m_sliderSharpnessLevel, 0, 56, s[SharpnessLevel]);
  m_strSharpnessLevel = Hex(s[SharpnessLevel]);
  SetSlider(m_sliderAnalogOutputGain, 0, 240, s[AnalogOutputGain]);
  m_strAnalogOutputGain = Hex(s[AnalogOutputGain]);

  const bool pal = PalShown(s[VideoStandard]);
  window_.SetCheck(1030, pal);
  window_.SetCheck(1031, !pal);
  window_.SetCheck(1047, OsdControlShown(s[OsdControl]));

  // The final push below must leave the check boxes as just set.
  m_checkMirror = window_.IsDlgButtonChecked(1002);
  m_checkVflip = window_.IsDlgButtonChecked(1003);
  m_checkAgcGainMax = window_.IsDlgButtonChecked(1044);
  m_checkPal = window_.IsDlgButtonChecked(1030);
  m_checkNtsc = window_.IsDlgButtonChecked(1031);
  m_checkSharpnessOn = window_.IsDlgButtonChecked(1034);
  m_checkBlcView = window_.IsDlgButtonChecked(1041);
  m_checkLlsMode = window_.IsDlgButtonChecked(1023);
  m_checkOsdControl = window_.IsDlgButtonChecked(1047);

  if (window_.IsDlgButtonChecked(1047) != 0) {
    SetPanelEnabled(false);
    LongMessage text;
    FormatLongMessage(text, "To enable I2C control\nClear 'OSD control usage' checkbox\nand next re-power");
    window_.MessageBox(text, kOsdMessageBoxType);
  }

  // Notifications are held back during the push, so no value edit writes to the camera.
  UpdateData(false);
}

}  // namespace torvix
