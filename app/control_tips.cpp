// SPDX-License-Identifier: MIT
#include "app/control_tips.h"

#include <array>
#include <cstdint>

#include "app/main_dialog.h"
#include "app/resource_ids.h"
#include "app/value_edit_controls.h"
#include "camera/load_defaults.h"
#include "camera/register_map.h"
#include "camera/value_edit_pairs.h"
#include "profiles/setting_catalog.h"

namespace torvix {

namespace {

constexpr int kNoSetting = -1;

// A control that writes one setting. mask: the bits it owns when it shares the register with
// other controls, 0 when it writes the setting's values. also: a second setting it writes.
struct TipRow {
  int controlId;
  SettingId setting;
  const char* words;
  uint8_t mask;
  int also = kNoSetting;
};

// Each row names only the registers its handler writes: the mirror box writes register 0x55
// alone (the bit it keeps in the white balance byte goes out with the mode list's next write).
constexpr std::array<TipRow, 17> kTipRows{{
    {IDC_MIRROR, FlipControl, "Mirror (horizontal flip)", kMirrorMask},
    {IDC_VFLIP, FlipControl, "Vertical flip", kVerticalFlipMask},
    {IDC_WHITE_BALANCE_MODE, WhiteBalanceControl, "White balance mode", 0, PushToWhite},
    {IDC_LLS_MODE_ON, LlsMode, "Low luminance suppression (checked writes the second value)", 0},
    {IDC_PAL, VideoStandard, "PAL output (the second value; NTSC the first)", 0},
    {IDC_NTSC, VideoStandard, "NTSC output (the first value; PAL the second)", 0},
    {IDC_WDR_MODE, WdrMode, "Wide dynamic range mode", 0},
    {IDC_SHARPNESS_ON, SharpnessOff, "Sharpness (checked writes the first value)", 0},
    {IDC_BLC_SIZE, BlcSize, "Back-light compensation area size", 0},
    {IDC_BLC_HORIZONTAL, BlcPosition, "Back-light compensation area, horizontal",
     kBlcHorizontalMask},
    {IDC_BLC_VERTICAL, BlcPosition, "Back-light compensation area, vertical", kBlcVerticalMask},
    {IDC_BLC_VIEW_ON, BlcControl, "Back-light compensation area shown on the video", kBlcViewMask},
    {IDC_AGC_GAIN_MAX_ON, AgcControl, "Automatic gain control", kAgcOnMask},
    {IDC_DN_MODE, DayNightMode, "Day/night mode", 0},
    {IDC_OSD_CONTROL_USAGE, OsdControl,
     "The camera's own menu steers it (checked: the second value)", 0},
    {IDC_ZOOM_FACTOR, ZoomFactor, "Zoom factor", 0},
    {IDC_CAMERA_ADDRESS, CameraAddress, "The camera's own I2C address setting", 0},
}};

// "bit 7", "bits 3 to 5".
std::string bitsOf(uint8_t mask) {
  int low = 0;
  while (low < 7 && (mask & (1u << low)) == 0) ++low;
  int high = 7;
  while (high > 0 && (mask & (1u << high)) == 0) --high;
  if (low == high) return "bit " + std::to_string(low);
  return "bits " + std::to_string(low) + " to " + std::to_string(high);
}

std::string valuesOf(const CliSetting& setting) {
  if (setting.allowed.size() > 2) {
    return std::to_string(setting.allowed.size()) + " codes, " + HexByte(setting.allowed.front()) +
           " to " + HexByte(setting.allowed.back());
  }
  if (!setting.allowed.empty()) return RangeText(setting);
  std::string text = HexByte(setting.minimum) + " to " + HexByte(setting.maximum);
  if (setting.rangeMask != 0xff) text = bitsOf(setting.rangeMask) + ", " + text;
  return text;
}

std::string registerOf(int id) {
  return HexByte(kSettingsTable[static_cast<std::size_t>(id)].registerAddress);
}

std::string tip(const char* words, SettingId id, uint8_t mask, int also = kNoSetting) {
  std::string text = std::string(words) + ": register " + registerOf(id) + ", " +
                     (mask != 0 ? bitsOf(mask) : valuesOf(CliSettingOf(id)));
  if (also != kNoSetting) text += "; also register " + registerOf(also);
  return text;
}

// A button that writes one fixed value.
std::string commandTip(const char* words, const std::string& reg, uint8_t value) {
  return std::string(words) + ": register " + reg + " := " + HexByte(value);
}

}  // namespace

std::vector<ControlTip> ControlTips() {
  std::vector<ControlTip> tips;
  for (const ValueEditPair& pair : kValueEditPairs) {
    const std::string text = tip(pair.caption, pair.setting, 0);
    tips.push_back({ControlsOf(pair).sliderId, text});
    tips.push_back({ControlsOf(pair).editId, text});
  }
  for (const TipRow& row : kTipRows) {
    tips.push_back({row.controlId, tip(row.words, row.setting, row.mask, row.also)});
  }
  tips.push_back({IDC_PUSH2WHITE, commandTip("One-push white balance", registerOf(PushToWhite),
                                             kPushToWhiteButton)});
  tips.push_back({IDC_RESET, commandTip("Load the camera's own defaults",
                                        HexByte(kLoadDefaultsRegister), kLoadDefaultsCommand)});
  return tips;
}

void CMyTorvix_ControllerDlg::AddControlTips() {
  for (const ControlTip& controlTip : ControlTips()) {
    window_.SetToolTip(controlTip.controlId, controlTip.text);
  }
}

}  // namespace torvix
