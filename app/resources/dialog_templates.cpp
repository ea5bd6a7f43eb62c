// SPDX-License-Identifier: MIT
#include "app/resources/dialog_templates.h"

#include <array>

#include "app/resource_ids.h"
#include "window/window_event.h"

namespace torvix {
namespace {

using K = ControlKind;
constexpr int S = kStaticId;

constexpr const char* kGain = "Gain";
constexpr const char* kWhiteBalance = "White Balance mode";
constexpr const char* kDebug = "Debug";
constexpr const char* kLls = "Low Luminance Suppress";
constexpr const char* kAnalog = "Analog Output";
constexpr const char* kSharp = "Sharpness";
constexpr const char* kBlc = "Back Light Compensation";
constexpr const char* kAgc = "AGC Gain max";
constexpr const char* kRotate = "Rotate Control";

// The fixed items of the drop-down lists; the dialog never changes them.
constexpr std::array<const char*, 3> kWhiteBalanceItems{"Auto mode", "Manual mode",
                                                        "Push2White-set"};
constexpr std::array<const char*, 4> kWdrItems{"OFF", " Low", "Middle", "High"};
constexpr std::array<const char*, 16> kBlcSizeItems{"1H/1V", "1H/2V", "1H/4V", "1H/8V",
                                                    "2H/1V", "2H/2V", "2H/4V", "2H/8V",
                                                    "4H/1V", "4H/2V", "4H/4V", "4H/8V",
                                                    "8H/1V", "8H/2V", "8H/4V", "8H/8V"};
constexpr std::array<const char*, 8> kBlcPositionItems{"0", "1", "2", "3", "4", "5", "6", "7"};
constexpr std::array<const char*, 3> kDayNightItems{"B&W", "COLOR", "SMART"};
constexpr std::array<const char*, 4> kZoomItems{"X1(1,0)", "X2(0,8)", "X2(0,7)", "X3(0,6)"};

// Template order is also the keyboard focus order.
// clang-format off
constexpr std::array<ControlTemplate, kMainDialogControlCount> kMainControls{{
    {kIdOk, K::DefaultPushButton, "OK", "", false, {472, 165, 33, 14}, 0},
    {kIdCancel, K::PushButton, "Cancel", "", true, {431, 165, 32, 14}, 0},
    {S, K::GroupBox, "Rotate Control", "", true, {6, 26, 72, 44}, 0},
    {IDC_MIRROR, K::CheckBox, "Mirror(H-flip)", kRotate, true, {17, 40, 57, 10}, 0},
    {IDC_VFLIP, K::CheckBox, "V-flip", kRotate, true, {17, 54, 32, 10}, 0},
    {S, K::Picture, "", "", true, {395, 128, 112, 31}, IDB_LOGO},
    {IDC_CONTRAST_SLIDER, K::Slider, "", kGain, true, {49, 121, 69, 13}, 0},
    {IDC_CONTRAST_EDIT, K::Edit, "", kGain, true, {119, 120, 20, 12}, 0},
    {IDC_WHITE_BALANCE_MODE, K::DropDownList, "", kWhiteBalance, true, {432, 56, 54, 76}, 0,
     kWhiteBalanceItems},
    {S, K::Text, "Mode", kWhiteBalance, true, {408, 59, 18, 8}, 0},
    {IDC_BROWSE_DSP_REGS, K::PushButton, "...", kDebug, false, {113, 183, 21, 14}, 0},
    {IDC_FILE_PATH, K::Edit, "", kDebug, false, {12, 183, 98, 14}, 0},
    {S, K::GroupBox, "Debug", "", false, {6, 164, 180, 34}, 0},
    {S, K::Text, "DSP Regs Save", kDebug, false, {136, 185, 50, 8}, 0},
    {S, K::Text, "Y (contrast)", kGain, true, {11, 123, 39, 8}, 0},
    {S, K::GroupBox, "Gain", "", true, {6, 107, 141, 59}, 0},
    {IDC_COLOR_GAIN_SLIDER, K::Slider, "", kGain, true, {49, 136, 70, 13}, 0},
    {IDC_COLOR_GAIN_EDIT, K::Edit, "", kGain, true, {119, 134, 20, 13}, 0},
    {S, K::Text, "C (color)", kGain, true, {11, 137, 28, 8}, 0},
    {IDC_AEX_REFERENCE_SLIDER, K::Slider, "", "", true, {157, 55, 69, 13}, 0},
    {IDC_AEX_REFERENCE_EDIT, K::Edit, "", "", true, {227, 55, 20, 12}, 0},
    {S, K::Text, "AEX Reference Point", "", true, {162, 43, 72, 8}, 0},
    {IDC_RED_GAIN_SLIDER, K::Slider, "", kWhiteBalance, true, {414, 74, 69, 13}, 0},
    {IDC_BLUE_GAIN_SLIDER, K::Slider, "", kWhiteBalance, true, {414, 91, 69, 13}, 0},
    {S, K::Text, "R-gain", kWhiteBalance, true, {394, 75, 22, 8}, 0},
    {S, K::Text, "B-gain", kWhiteBalance, true, {394, 92, 21, 8}, 0},
    {IDC_RED_GAIN_EDIT, K::Edit, "", kWhiteBalance, true, {482, 73, 20, 12}, 0},
    {IDC_BLUE_GAIN_EDIT, K::Edit, "", kWhiteBalance, true, {482, 89, 20, 12}, 0},
    {S, K::GroupBox, "White Balance mode", "", true, {390, 45, 120, 81}, 0},
    {IDC_LLS_COLOR_SLIDER, K::Slider, "", kLls, true, {291, 142, 69, 13}, 0},
    {IDC_LLS_AGC_START_SLIDER, K::Slider, "", kLls, true, {291, 127, 69, 13}, 0},
    {IDC_LLS_EDGE_SLIDER, K::Slider, "", kLls, true, {291, 158, 69, 13}, 0},
    {IDC_LLS_AGC_START_EDIT, K::Edit, "", kLls, true, {360, 126, 20, 12}, 0},
    {IDC_LLS_COLOR_EDIT, K::Edit, "", kLls, true, {360, 141, 20, 12}, 0},
    {IDC_LLS_EDGE_EDIT, K::Edit, "", kLls, true, {360, 156, 20, 12}, 0},
    {S, K::Text, "AGC Start", kLls, true, {259, 128, 33, 8}, 0},
    {S, K::GroupBox, "Low Luminance Suppress", "", true, {256, 98, 128, 77}, 0},
    {S, K::Text, "Color", kLls, true, {269, 143, 18, 8}, 0},
    {S, K::Text, "Edge", kLls, true, {272, 159, 17, 8}, 0},
    {IDC_LLS_MODE_ON, K::CheckBox, "Mode On", kLls, true, {309, 111, 45, 10}, 0},
    {IDC_ANALOG_OUTPUT_GAIN_SLIDER, K::Slider, "", kAnalog, true, {156, 151, 70, 13}, 0},
    {IDC_ANALOG_OUTPUT_GAIN_EDIT, K::Edit, "", kAnalog, true, {226, 149, 20, 13}, 0},
    {S, K::Text, "Gain", kAnalog, true, {167, 141, 15, 8}, 0},
    {IDC_SHARPNESS_LEVEL_SLIDER, K::Slider, "", kSharp, true, {157, 115, 70, 13}, 0},
    {IDC_SHARPNESS_LEVEL_EDIT, K::Edit, "", kSharp, true, {227, 114, 20, 13}, 0},
    {S, K::Text, "Level", kSharp, true, {162, 105, 18, 8}, 0},
    {S, K::GroupBox, "Sharpness", "", true, {152, 93, 100, 36}, 0},
    {IDC_PAL, K::RadioButton, "PAL", "", true, {91, 36, 28, 10}, 0},
    {IDC_NTSC, K::RadioButton, "NTSC", "", true, {91, 53, 33, 10}, 0},
    {IDC_WDR_MODE, K::DropDownList, "", "", true, {62, 10, 48, 65}, 0, kWdrItems},
    {S, K::GroupBox, "Analog Output", "", true, {152, 130, 100, 36}, 0},
    {S, K::Text, "WDR Mode", "", true, {22, 12, 36, 8}, 0},
    {IDC_PUSH2WHITE, K::PushButton, "Push2White", kWhiteBalance, true, {436, 107, 44, 14}, 0},
    {IDC_SHARPNESS_ON, K::CheckBox, "On", kSharp, true, {202, 102, 25, 10}, 0},
    {IDC_CONNECT, K::PushButton, "Connect", "", true, {393, 7, 56, 18}, 0},
    {IDC_RESET, K::PushButton, "RESET", "", true, {455, 7, 55, 18}, 0},
    {IDC_BRIGHTNESS_SLIDER, K::Slider, "", kGain, true, {49, 151, 70, 13}, 0},
    {IDC_BRIGHTNESS_EDIT, K::Edit, "", kGain, true, {119, 149, 20, 13}, 0},
    {S, K::Text, "O (bright)", kGain, true, {11, 152, 32, 8}, 0},
    {IDC_BROWSE_EEPROM_DUMP, K::PushButton, "...", kDebug, false, {113, 168, 21, 14}, 0},
    {S, K::Text, "EEPROM Dump", kDebug, false, {136, 171, 48, 8}, 0},
    {S, K::GroupBox, "Back Light Compensation", "", true, {256, 6, 128, 90}, 0},
    {IDC_BLC_SIZE, K::DropDownList, "", kBlc, true, {316, 22, 48, 68}, 0, kBlcSizeItems},
    {S, K::Text, "BLC Size", kBlc, true, {275, 24, 28, 8}, 0},
    {IDC_BLC_HORIZONTAL, K::DropDownList, "", kBlc, true, {316, 41, 48, 56}, 0, kBlcPositionItems},
    {S, K::Text, "BLC Horizontal", kBlc, true, {266, 44, 47, 8}, 0},
    {IDC_BLC_VERTICAL, K::DropDownList, "", kBlc, true, {316, 61, 48, 54}, 0, kBlcPositionItems},
    {S, K::Text, "BLC Vertical", kBlc, true, {267, 63, 38, 8}, 0},
    {IDC_BLC_VIEW_ON, K::CheckBox, "BLC View On", kBlc, true, {271, 80, 56, 10}, 0},
    {IDC_AGC_GAIN_MAX_SLIDER, K::Slider, "", kAgc, true, {157, 23, 69, 13}, 0},
    {IDC_AGC_GAIN_MAX_EDIT, K::Edit, "", kAgc, true, {227, 24, 20, 12}, 0},
    {IDC_DEBUG_VALUE, K::Edit, "", kDebug, false, {47, 168, 40, 14}, 0},
    {S, K::Text, "Rev. 1.6 - 2014", "", true, {188, 183, 52, 8}, 0},
    {IDC_AGC_GAIN_MAX_ON, K::CheckBox, "On", kAgc, true, {213, 13, 25, 10}, 0},
    {S, K::GroupBox, "AGC Gain max", "", true, {152, 6, 100, 36}, 0},
    {IDC_DN_MODE, K::DropDownList, "", "", true, {61, 76, 48, 55}, 0, kDayNightItems},
    {S, K::Text, "DN Mode", "", true, {24, 78, 30, 8}, 0},
    {IDC_OSD_CONTROL_USAGE, K::CheckBox, "OSD control usage", "", true, {411, 30, 75, 10}, 0},
    {IDC_ZOOM_FACTOR, K::DropDownList, "", "", true, {61, 93, 48, 70}, 0, kZoomItems},
    {S, K::Text, "Zoom Factor", "", true, {19, 95, 41, 8}, 0},
    {IDC_CAMERA_ADDRESS, K::Edit, "", "", true, {299, 179, 21, 12}, 0},
    {S, K::Text, "I2C Camera\n Address", "", true, {256, 178, 44, 17}, 0},
    {IDC_SEARCH_ADDRESS, K::PushButton, "Search I2C Address", "", true, {327, 178, 74, 14}, 0},
    {IDC_DN_LEVEL_SLIDER, K::Slider, "", "", true, {121, 76, 70, 15}, 0},
    {S, K::Text, "DN level", "", true, {127, 66, 30, 8}, 0},
    {IDC_DN_LEVEL_EDIT, K::Edit, "", "", true, {193, 76, 21, 14}, 0},
}};

constexpr std::array<ControlTemplate, 3> kAboutControls{{
    {S, K::Icon, "", "", true, {14, 14, 21, 20}, IDI_PROGRAM},
    {S, K::Text, "Torvix_Controller, Version 1.0", "", true, {42, 14, 114, 8}, 0},
    {kIdOk, K::DefaultPushButton, "OK", "", true, {113, 41, 50, 14}, 0},
}};

constexpr DialogTemplate kMainTemplate{IDD_TORVIX_CONTROLLER_DIALOG, "Torvix_Controller_r16",
                                       517, 204, "MS Shell Dlg", 8, true, kMainControls};
constexpr DialogTemplate kAboutTemplate{IDD_ABOUTBOX, "About Torvix_Controller", 170, 62,
                                        "MS Shell Dlg", 8, true, kAboutControls};
// clang-format on

}  // namespace

const DialogTemplate& MainDialogTemplate() { return kMainTemplate; }
const DialogTemplate& AboutDialogTemplate() { return kAboutTemplate; }

}  // namespace torvix
