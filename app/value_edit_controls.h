// SPDX-License-Identifier: MIT
// The dialog's controls of the thirteen slider / value-edit pairs, row for row in the order of
// kValueEditPairs (camera/value_edit_pairs.h, which holds what each pair edits): its slider,
// its edit and the member the data exchange binds to the edit's text.
#pragma once

#include <array>
#include <string>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "camera/value_edit_pairs.h"

namespace torvix {

struct ValueEditControls {
  SettingId setting;  // the pair's
  int sliderId;
  int editId;
  std::string CMyTorvix_ControllerDlg::*text;
};

inline constexpr std::array<ValueEditControls, kValueEditPairs.size()> kValueEditControls = {{
    {Contrast, IDC_CONTRAST_SLIDER, IDC_CONTRAST_EDIT, &CMyTorvix_ControllerDlg::m_strContrast},
    {ColorGain, IDC_COLOR_GAIN_SLIDER, IDC_COLOR_GAIN_EDIT,
     &CMyTorvix_ControllerDlg::m_strColorGain},
    {Brightness, IDC_BRIGHTNESS_SLIDER, IDC_BRIGHTNESS_EDIT,
     &CMyTorvix_ControllerDlg::m_strBrightness},
    {AexReference, IDC_AEX_REFERENCE_SLIDER, IDC_AEX_REFERENCE_EDIT,
     &CMyTorvix_ControllerDlg::m_strAexReference},
    {RedGain, IDC_RED_GAIN_SLIDER, IDC_RED_GAIN_EDIT, &CMyTorvix_ControllerDlg::m_strRedGain},
    {BlueGain, IDC_BLUE_GAIN_SLIDER, IDC_BLUE_GAIN_EDIT, &CMyTorvix_ControllerDlg::m_strBlueGain},
    {LlsAgcStart, IDC_LLS_AGC_START_SLIDER, IDC_LLS_AGC_START_EDIT,
     &CMyTorvix_ControllerDlg::m_strLlsAgcStart},
    {LlsColor, IDC_LLS_COLOR_SLIDER, IDC_LLS_COLOR_EDIT, &CMyTorvix_ControllerDlg::m_strLlsColor},
    {LlsEdge, IDC_LLS_EDGE_SLIDER, IDC_LLS_EDGE_EDIT, &CMyTorvix_ControllerDlg::m_strLlsEdge},
    {SharpnessLevel, IDC_SHARPNESS_LEVEL_SLIDER, IDC_SHARPNESS_LEVEL_EDIT,
     &CMyTorvix_ControllerDlg::m_strSharpnessLevel},
    {AnalogOutputGain, IDC_ANALOG_OUTPUT_GAIN_SLIDER, IDC_ANALOG_OUTPUT_GAIN_EDIT,
     &CMyTorvix_ControllerDlg::m_strAnalogOutputGain},
    {DayNightLevel, IDC_DN_LEVEL_SLIDER, IDC_DN_LEVEL_EDIT,
     &CMyTorvix_ControllerDlg::m_strDayNightLevel},
    {AgcGainMax, IDC_AGC_GAIN_MAX_SLIDER, IDC_AGC_GAIN_MAX_EDIT,
     &CMyTorvix_ControllerDlg::m_strAgcGainMax},
}};

// The pair a control belongs to, or nullptr.
const ValueEditPair* FindPairBySlider(int sliderId);
const ValueEditPair* FindPairByEdit(int editId);

// The controls of a pair of kValueEditPairs.
const ValueEditControls& ControlsOf(const ValueEditPair& pair);

}  // namespace torvix
