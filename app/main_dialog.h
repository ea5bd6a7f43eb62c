// SPDX-License-Identifier: MIT
// The main dialog (template IDD_TORVIX_CONTROLLER_DIALOG): the program's whole user interface.
//
// Members are declared in the order the dialog has always had them; DoDataExchange binds 57
// of them to controls, and the table of events (main_dialog_events.cpp) routes every user
// action to one handler. The dialog owns the camera link, built on the bridge and message
// host it is given.
#pragma once

#include <cstdint>
#include <string>

#include "camera/bridge_api.h"
#include "camera/camera_link.h"
#include "dumps/dump_result.h"
#include "window/control_handles.h"
#include "window/dialog.h"
#include "window/save_dialog_host.h"

namespace torvix {

inline constexpr int kOsdMessageBoxType = 0;

class CMyTorvix_ControllerDlg : public Dialog {
 public:
  CMyTorvix_ControllerDlg(BridgeApi& bridge, MessageHost& messages);
  ~CMyTorvix_ControllerDlg() override = default;

  int HandleWindowEvent(const WindowEvent& event) override;

  // Reads every setting from the camera and sets every control of the panel from it.
  void RefreshPanel();
  // Enables or disables the camera settings panel as a whole (not Connect, RESET, the OSD
  // switch, the address edit, the debug group, OK or Cancel).
  void SetPanelEnabled(bool enable);
  // Shows value in the debug value edit (IDC_DEBUG_VALUE) as HexText writes it, through the
  // data exchange.
  void ShowHexValue(uint16_t value);

  CameraLink& Link() { return m_link; }

  // Shell handlers.
  void OnSysCommand(unsigned nID, long lParam);
  void OnPaint();
  int OnQueryDragIcon();
  void OnBnClickedOk();
  void OnBnClickedCancel();

  // Panel handlers.
  void SliderRelease(int nSBCode, int nPos, int sliderId);
  void ValueEditChange(int editId);
  void OnBnClickedMirror();
  void OnBnClickedVflip();
  void OnCbnCloseupWhiteBalanceMode();
  void OnBnClickedBrowseDspRegs();
  void OnBnClickedNtsc();
  void OnBnClickedPal();
  void OnCbnCloseupWdrMode();
  void OnBnClickedPush2White();
  void OnBnClickedLlsModeOn();
  void OnBnClickedSharpnessOn();
  void OnBnClickedConnect();
  void OnBnClickedReset();
  void OnBnClickedBrowseEepromDump();
  void OnCbnCloseupBlcSize();
  void OnCbnCloseupBlcHorizontal();
  void OnCbnCloseupBlcVertical();
  void OnBnClickedBlcViewOn();
  void OnBnClickedAgcGainMaxOn();
  void OnCbnCloseupDnMode();
  void OnBnClickedOsdControlUsage();
  void OnCbnCloseupZoomFactor();
  void OnEnChangeCameraAddress();
  void OnBnClickedSearchAddress();

  // The entries beside About in the system menu (tool_menu.h).
  void OnSaveProfile();
  void OnApplyProfile();
  void OnSaveDspSettings();
  void OnSaveEepromDump();

 protected:
  void DoDataExchange(DataExchange& dx) override;
  bool OnInitDialog() override;

 private:
  // A register dump started from the menu: its writer and how its progress is worded.
  struct MenuDump {
    const char* caption;
    const char* groupWord;
    int groups;
    DumpResult (*write)(CameraLink&, MessageHost&, const std::string&, const DumpProgress&,
                        const DumpStop&);
  };
  void DumpFromMenu(const SaveDialogRequest& request, const MenuDump& dump);
  // What a drop-down list's handler does with the chosen item: makes it the setting's register
  // value (from the shadow byte, for the bits other controls own), writes it and shows it.
  // Returns the item, or kNoSelection, with nothing written, when none is chosen.
  using ItemToRegister = uint8_t (*)(uint8_t shadowByte, int item);
  int WriteChosenItem(const ComboBox& list, SettingId setting, ItemToRegister toRegister);
  // Puts the dialog's own entries into the system menu and a tip on every control that
  // changes the camera.
  void AddToolMenu(std::vector<MenuItem>& menu);
  void AddControlTips();

  CameraLink m_link;

 public:
  // The members of the dialog, in declaration order.
  int m_hIcon = 0;
  uint8_t m_regValue = 0;
  std::string m_strDebugValue;
  SliderCtrl m_sliderContrast;
  std::string m_strContrast;
  ComboBox m_comboWhiteBalanceMode;
  EditCtrl m_editFilePath;
  SliderCtrl m_sliderColorGain;
  std::string m_strColorGain;
  int m_checkMirror = 0;
  int m_checkVflip = 0;
  SliderCtrl m_sliderAexReference;
  std::string m_strAexReference;
  SliderCtrl m_sliderRedGain;
  SliderCtrl m_sliderBlueGain;
  std::string m_strRedGain;
  std::string m_strBlueGain;
  SliderCtrl m_sliderLlsAgcStart;
  SliderCtrl m_sliderLlsColor;
  SliderCtrl m_sliderLlsEdge;
  std::string m_strLlsAgcStart;
  std::string m_strLlsColor;
  std::string m_strLlsEdge;
  EditCtrl m_editColorGain;
  EditCtrl m_editContrast;
  SliderCtrl m_sliderAnalogOutputGain;
  EditCtrl m_editAnalogOutputGain;
  std::string m_strAnalogOutputGain;
  EditCtrl m_editSharpnessLevel;
  std::string m_strSharpnessLevel;
  SliderCtrl m_sliderSharpnessLevel;
  EditCtrl m_editAexReference;
  EditCtrl m_editRedGain;
  EditCtrl m_editBlueGain;
  EditCtrl m_editLlsAgcStart;
  EditCtrl m_editLlsColor;
  EditCtrl m_editLlsEdge;
  int m_checkPal = 0;
  int m_checkNtsc = 0;
  ComboBox m_comboWdrMode;
  SliderCtrl m_sliderBrightness;
  EditCtrl m_editBrightness;
  std::string m_strBrightness;
  ComboBox m_comboBlcSize;
  ComboBox m_comboBlcHorizontal;
  ComboBox m_comboBlcVertical;
  int m_checkBlcView = 0;
  SliderCtrl m_sliderAgcGainMax;
  std::string m_strAgcGainMax;
  EditCtrl m_editAgcGainMax;
  int m_checkAgcGainMax = 0;
  int m_checkLlsMode = 0;
  int m_checkSharpnessOn = 0;
  ComboBox m_comboDayNightMode;
  int m_checkOsdControl = 0;
  ComboBox m_comboZoomFactor;
  EditCtrl m_editCameraAddress;
  std::string m_strCameraAddress;
  EditCtrl m_editDayNightLevel;
  std::string m_strDayNightLevel;
  SliderCtrl m_sliderDayNightLevel;
};

}  // namespace torvix
