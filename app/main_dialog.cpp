#include "app/main_dialog.h"

#include "app/about_dialog.h"
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
  m_hIcon = kProgramIconId;
}

void CMyTorvix_ControllerDlg::DoDataExchange(DataExchange& dx) {
  Dialog::DoDataExchange(dx);
  DDX_Text(dx, 1001, m_strDebugValue);
  DDX_Control(dx, 1004, m_sliderContrast);
  DDX_Text(dx, 1005, m_strContrast);
  DDX_Control(dx, 1006, m_comboWhiteBalanceMode);
  DDX_Control(dx, 1009, m_editFilePath);
  DDX_Control(dx, 1011, m_sliderColorGain);
  DDX_Text(dx, 1012, m_strColorGain);
  DDX_Check(dx, 1002, m_checkMirror);
  DDX_Check(dx, 1003, m_checkVflip);
  DDX_Control(dx, 1008, m_sliderAexReference);
  DDX_Text(dx, 1010, m_strAexReference);
  DDX_Control(dx, 1013, m_sliderRedGain);
  DDX_Control(dx, 1014, m_sliderBlueGain);
  DDX_Text(dx, 1015, m_strRedGain);
  DDX_Text(dx, 1016, m_strBlueGain);
  DDX_Control(dx, 1018, m_sliderLlsAgcStart);
  DDX_Control(dx, 1017, m_sliderLlsColor);
  DDX_Control(dx, 1019, m_sliderLlsEdge);
  DDX_Text(dx, 1020, m_strLlsAgcStart);
  DDX_Text(dx, 1021, m_strLlsColor);
  DDX_Text(dx, 1022, m_strLlsEdge);
  DDX_Control(dx, 1012, m_editColorGain);
  DDX_Control(dx, 1005, m_editContrast);
  DDX_Control(dx, 1024, m_sliderAnalogOutputGain);
  DDX_Control(dx, 1025, m_editAnalogOutputGain);
  DDX_Text(dx, 1025, m_strAnalogOutputGain);
  DDX_Control(dx, 1027, m_editSharpnessLevel);
  DDX_Text(dx, 1027, m_strSharpnessLevel);
  DDX_Control(dx, 1026, m_sliderSharpnessLevel);
  DDX_Control(dx, 1010, m_editAexReference);
  DDX_Control(dx, 1015, m_editRedGain);
  DDX_Control(dx, 1016, m_editBlueGain);
  DDX_Control(dx, 1020, m_editLlsAgcStart);
  DDX_Control(dx, 1021, m_editLlsColor);
  DDX_Control(dx, 1022, m_editLlsEdge);
  DDX_Control(dx, 1032, m_comboWdrMode);
  DDX_Control(dx, 1028, m_sliderBrightness);
  DDX_Control(dx, 1029, m_editBrightness);
  DDX_Text(dx, 1029, m_strBrightness);
  DDX_Control(dx, 1038, m_comboBlcSize);
  DDX_Control(dx, 1039, m_comboBlcHorizontal);
  DDX_Control(dx, 1040, m_comboBlcVertical);
  DDX_Check(dx, 1041, m_checkBlcView);
  DDX_Control(dx, 1042, m_sliderAgcGainMax);
  DDX_Text(dx, 1043, m_strAgcGainMax);
  DDX_Control(dx, 1043, m_editAgcGainMax);
  DDX_Check(dx, 1044, m_checkAgcGainMax);
  DDX_Check(dx, 1023, m_checkLlsMode);
  DDX_Check(dx, 1034, m_checkSharpnessOn);
  DDX_Control(dx, 1045, m_comboDayNightMode);
  DDX_Check(dx, 1047, m_checkOsdControl);
  DDX_Control(dx, 1048, m_comboZoomFactor);
  DDX_Control(dx, 1049, m_editCameraAddress);
  DDX_Text(dx, 1049, m_strCameraAddress);
  DDX_Control(dx, 1052, m_editDayNightLevel);
  DDX_Text(dx, 1052, m_strDayNightLevel);
  DDX_Control(dx, 1051, m_sliderDayNightLevel);
}

bool CMyTorvix_ControllerDlg::OnInitDialog() {
  Dialog::OnInitDialog();

  if (std::vector<MenuItem>* menu = window_.GetSystemMenu()) {
    AddToolMenu(*menu);
    const std::string aboutText = LoadStringResource(kAboutMenuStringId);
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
