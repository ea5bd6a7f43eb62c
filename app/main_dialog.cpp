// SPDX-License-Identifier: MIT
#include "app/main_dialog.h"

#include "app/about_dialog.h"
#include "app/resource_ids.h"
#include "app/resources/dialog_templates.h"
#include "app/resources/string_resource.h"
#include "app/tool_menu.h"
#include "camera/camera_block.h"
#include "clock/clock.h"

namespace torvix {

namespace {

constexpr std::size_t kColorGainEditLimit = 2;
// The controls exist a moment before the camera is asked for anything.
constexpr Milliseconds kStartupPause{50};

}  // namespace

CMyTorvix_ControllerDlg::CMyTorvix_ControllerDlg(BridgeApi& bridge, MessageHost& messages)
    : Dialog(MainDialogTemplate(), messages), m_link(bridge, messages) {
  m_hIcon = IDI_PROGRAM;
}

void CMyTorvix_ControllerDlg::DoDataExchange(DataExchange& dx) {
  Dialog::DoDataExchange(dx);
  DDX_Text(dx, IDC_DEBUG_VALUE, m_strDebugValue);
  DDX_Control(dx, IDC_CONTRAST_SLIDER, m_sliderContrast);
  DDX_Text(dx, IDC_CONTRAST_EDIT, m_strContrast);
  DDX_Control(dx, IDC_WHITE_BALANCE_MODE, m_comboWhiteBalanceMode);
  DDX_Control(dx, IDC_FILE_PATH, m_editFilePath);
  DDX_Control(dx, IDC_COLOR_GAIN_SLIDER, m_sliderColorGain);
  DDX_Text(dx, IDC_COLOR_GAIN_EDIT, m_strColorGain);
  DDX_Check(dx, IDC_MIRROR, m_checkMirror);
  DDX_Check(dx, IDC_VFLIP, m_checkVflip);
  DDX_Control(dx, IDC_AEX_REFERENCE_SLIDER, m_sliderAexReference);
  DDX_Text(dx, IDC_AEX_REFERENCE_EDIT, m_strAexReference);
  DDX_Control(dx, IDC_RED_GAIN_SLIDER, m_sliderRedGain);
  DDX_Control(dx, IDC_BLUE_GAIN_SLIDER, m_sliderBlueGain);
  DDX_Text(dx, IDC_RED_GAIN_EDIT, m_strRedGain);
  DDX_Text(dx, IDC_BLUE_GAIN_EDIT, m_strBlueGain);
  DDX_Control(dx, IDC_LLS_AGC_START_SLIDER, m_sliderLlsAgcStart);
  DDX_Control(dx, IDC_LLS_COLOR_SLIDER, m_sliderLlsColor);
  DDX_Control(dx, IDC_LLS_EDGE_SLIDER, m_sliderLlsEdge);
  DDX_Text(dx, IDC_LLS_AGC_START_EDIT, m_strLlsAgcStart);
  DDX_Text(dx, IDC_LLS_COLOR_EDIT, m_strLlsColor);
  DDX_Text(dx, IDC_LLS_EDGE_EDIT, m_strLlsEdge);
  DDX_Control(dx, IDC_COLOR_GAIN_EDIT, m_editColorGain);
  DDX_Control(dx, IDC_CONTRAST_EDIT, m_editContrast);
  DDX_Control(dx, IDC_ANALOG_OUTPUT_GAIN_SLIDER, m_sliderAnalogOutputGain);
  DDX_Control(dx, IDC_ANALOG_OUTPUT_GAIN_EDIT, m_editAnalogOutputGain);
  DDX_Text(dx, IDC_ANALOG_OUTPUT_GAIN_EDIT, m_strAnalogOutputGain);
  DDX_Control(dx, IDC_SHARPNESS_LEVEL_EDIT, m_editSharpnessLevel);
  DDX_Text(dx, IDC_SHARPNESS_LEVEL_EDIT, m_strSharpnessLevel);
  DDX_Control(dx, IDC_SHARPNESS_LEVEL_SLIDER, m_sliderSharpnessLevel);
  DDX_Control(dx, IDC_AEX_REFERENCE_EDIT, m_editAexReference);
  DDX_Control(dx, IDC_RED_GAIN_EDIT, m_editRedGain);
  DDX_Control(dx, IDC_BLUE_GAIN_EDIT, m_editBlueGain);
  DDX_Control(dx, IDC_LLS_AGC_START_EDIT, m_editLlsAgcStart);
  DDX_Control(dx, IDC_LLS_COLOR_EDIT, m_editLlsColor);
  DDX_Control(dx, IDC_LLS_EDGE_EDIT, m_editLlsEdge);
  DDX_Control(dx, IDC_WDR_MODE, m_comboWdrMode);
  DDX_Control(dx, IDC_BRIGHTNESS_SLIDER, m_sliderBrightness);
  DDX_Control(dx, IDC_BRIGHTNESS_EDIT, m_editBrightness);
  DDX_Text(dx, IDC_BRIGHTNESS_EDIT, m_strBrightness);
  DDX_Control(dx, IDC_BLC_SIZE, m_comboBlcSize);
  DDX_Control(dx, IDC_BLC_HORIZONTAL, m_comboBlcHorizontal);
  DDX_Control(dx, IDC_BLC_VERTICAL, m_comboBlcVertical);
  DDX_Check(dx, IDC_BLC_VIEW_ON, m_checkBlcView);
  DDX_Control(dx, IDC_AGC_GAIN_MAX_SLIDER, m_sliderAgcGainMax);
  DDX_Text(dx, IDC_AGC_GAIN_MAX_EDIT, m_strAgcGainMax);
  DDX_Control(dx, IDC_AGC_GAIN_MAX_EDIT, m_editAgcGainMax);
  DDX_Check(dx, IDC_AGC_GAIN_MAX_ON, m_checkAgcGainMax);
  DDX_Check(dx, IDC_LLS_MODE_ON, m_checkLlsMode);
  DDX_Check(dx, IDC_SHARPNESS_ON, m_checkSharpnessOn);
  DDX_Control(dx, IDC_DN_MODE, m_comboDayNightMode);
  DDX_Check(dx, IDC_OSD_CONTROL_USAGE, m_checkOsdControl);
  DDX_Control(dx, IDC_ZOOM_FACTOR, m_comboZoomFactor);
  DDX_Control(dx, IDC_CAMERA_ADDRESS, m_editCameraAddress);
  DDX_Text(dx, IDC_CAMERA_ADDRESS, m_strCameraAddress);
  DDX_Control(dx, IDC_DN_LEVEL_EDIT, m_editDayNightLevel);
  DDX_Text(dx, IDC_DN_LEVEL_EDIT, m_strDayNightLevel);
  DDX_Control(dx, IDC_DN_LEVEL_SLIDER, m_sliderDayNightLevel);
}

bool CMyTorvix_ControllerDlg::OnInitDialog() {
  Dialog::OnInitDialog();

  if (std::vector<MenuItem>* menu = window_.GetSystemMenu()) {
    AddToolMenu(*menu);
    const std::string aboutText = LoadStringResource(IDS_ABOUTBOX);
    if (!aboutText.empty()) {
      window_.AppendSystemMenuItem(*menu, {true, 0, ""});
      window_.AppendSystemMenuItem(*menu, {false, IDM_ABOUTBOX, aboutText});
    }
  }
  window_.SetIcon(m_hIcon, true);
  window_.SetIcon(m_hIcon, false);
  m_editColorGain.LimitText(kColorGainEditLimit);
  AddControlTips();

  Pause(kStartupPause);
  // Whatever the camera does next, the panel starts from the table's defaults at 0x70.
  m_link.Block() = DefaultCameraBlock();
  m_link.Block().CameraBusAddress = kDefaultCameraBusAddress;
  RefreshPanel();
  return true;
}

void CMyTorvix_ControllerDlg::OnSysCommand(unsigned nID, long lParam) {
  if ((nID & kSystemCommandMask) == IDM_ABOUTBOX) {
    CAboutDlg about(m_link.Messages());
    // The About box is modal over the main dialog, which takes no input meanwhile.
    window_.EnableDialog(false);
    if (Host() != nullptr) about.DoModal(*Host());
    window_.EnableDialog(true);
    return;
  }
  if (const ToolMenuEntry* entry = FindToolMenuEntry(nID)) {
    (this->*entry->run)();
    return;
  }
  WindowEvent event{WindowMessage::SysCommand};
  event.command = nID;
  event.parameter = lParam;
  Default(event);
}

void CMyTorvix_ControllerDlg::OnPaint() {
  if (!window_.IsIconic()) {
    Default(WindowEvent{WindowMessage::Paint});
    return;
  }
  window_.EraseIconBackground();
  const int iconWidth = window_.IconMetric();
  const int iconHeight = window_.IconMetric();
  // Signed division, truncating toward zero, as the icon is centred on a tiny client area too.
  const int x = (window_.ClientWidth() - iconWidth + 1) / 2;
  const int y = (window_.ClientHeight() - iconHeight + 1) / 2;
  window_.DrawIcon(x, y, m_hIcon);
}

int CMyTorvix_ControllerDlg::OnQueryDragIcon() { return m_hIcon; }

// Enter delivers IDOK through the hidden default button; the dialog must stay open.
void CMyTorvix_ControllerDlg::OnBnClickedOk() {}

void CMyTorvix_ControllerDlg::OnBnClickedCancel() { OnCancel(); }

}  // namespace torvix
