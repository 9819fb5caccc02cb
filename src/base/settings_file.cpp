#include "base/settings_file.h"

#include <array>

#include "base/numbers.h"

namespace varnolt {
namespace {

using K = SettingKind;

constexpr std::array<SettingsLine, kSettingsLineCount> kLayout = {{
    {K::kVersion, "", ""},
    {K::kKept, "settings.line2", ""},
    // Moving averages, Ichimoku, Bollinger bands, Parabolic.
    {K::kText, "edav1", "6"},
    {K::kText, "edav2", "12"},
    {K::kText, "edav3", "24"},
    {K::kColor, "lbav1", "32768"},
    {K::kColor, "lbav2", "8388736"},
    {K::kColor, "lbav3", "65535"},
    {K::kText, "edIchi1", "9"},
    {K::kText, "edIchi2", "26"},
    {K::kText, "edIchi3", "52"},
    {K::kText, "edVo1", "15"},
    {K::kText, "edVo2", "2"},
    {K::kText, "edpal1", "0.02"},
    {K::kText, "edpal2", "0.005"},
    {K::kText, "edpal3", "0.2"},
    {K::kColor, "lbpalb", "255"},
    {K::kColor, "lbpals", "16776960"},
    // New-price, renko, kagi, point and figure.
    {K::kText, "edNL", "3"},
    {K::kText, "edRen", "10"},
    {K::kText, "edKagi", "10"},
    {K::kItemIndex, "rgKagi", "0"},
    {K::kText, "edPF1", "10"},
    {K::kItemIndex, "RGpf", "0"},
    {K::kText, "edPF2", "3"},
    {K::kCheckFalse, "cbpf", "true"},
    // RSI, RCI, directional movement.
    {K::kText, "edRSI1", "9"},
    {K::kColor, "lbrsi1", "65280"},
    {K::kText, "edRSIU", "70"},
    {K::kText, "edRSID", "30"},
    {K::kText, "edRci1", "9"},
    {K::kText, "edRci2", "14"},
    {K::kText, "edRci4", "80"},
    {K::kColor, "lbrci1", "65280"},
    {K::kColor, "lbrci2", "255"},
    {K::kText, "edpmdi", "14"},
    {K::kText, "edadx", "14"},
    {K::kCheckFalse, "cbadxr", "true"},
    {K::kColor, "lbmdi", "255"},
    {K::kColor, "lbpdi", "16776960"},
    {K::kColor, "lbadx", "32896"},
    {K::kColor, "cbadxr.color", "65535"},
    {K::kText, "eddmisup", "20"},
    {K::kText, "eddmisup2", "50"},
    // Volume, stochastics, %R, psychological line.
    {K::kText, "edvolopn", "9"},
    {K::kFixedTrue, "", "true"},
    {K::kText, "edstk", "5"},
    {K::kText, "edstd", "3"},
    {K::kText, "edstsd", "0"},
    {K::kText, "edstup", "70"},
    {K::kText, "edstdown", "30"},
    {K::kColor, "lbstk", "65280"},
    {K::kColor, "lbstd", "255"},
    {K::kColor, "lbstsd", "65535"},
    {K::kCheck, "cbstk", "true"},
    {K::kText, "edr", "20"},
    {K::kColor, "lbr", "255"},
    {K::kText, "edru", "80"},
    {K::kText, "edrd", "20"},
    {K::kText, "edpsy", "12"},
    {K::kColor, "lbpsy", "255"},
    {K::kText, "edpsyu", "75"},
    {K::kText, "edpsyd", "25"},
    {K::kFixedTrue, "", "true"},
    // MACD, deviation rate, reverse watch curve.
    {K::kText, "edmacd1", "5"},
    {K::kText, "edmacd2", "20"},
    {K::kText, "edmacd3", "9"},
    {K::kColor, "lbmacd1", "32768"},
    {K::kColor, "lbmacd2", "8388736"},
    {K::kText, "edkai1", "6"},
    {K::kText, "edkai2", "12"},
    {K::kText, "edkai3", "24"},
    {K::kText, "edKai4", "3"},
    {K::kColor, "lbkai1", "32768"},
    {K::kColor, "lbkai2", "8388736"},
    {K::kColor, "lbkai3", "65535"},
    {K::kText, "edrw", "25"},
    {K::kFixedTrue, "", "true"},
    // Gann, signal marks, second and third RSI and RCI periods.
    {K::kColor, "lbgann", "16711680"},
    {K::kColor, "lbsc", "32768"},
    {K::kText, "edRSI2", "14"},
    {K::kColor, "lbRSI2", "255"},
    {K::kText, "edRSI3", "26"},
    {K::kColor, "lbrsi3", "16711680"},
    {K::kText, "edrci3", "26"},
    {K::kColor, "lbrci3", "16711680"},
    // Switches and the variable scale.
    {K::kCheck, "cbrsi", "true"},
    {K::kCheck, "cbRenko", "false"},
    {K::kCheck, "cbKagi", "false"},
    {K::kCheck, "cbPF2", "false"},
    {K::kText, "edsc1", "500"},
    {K::kText, "edsc2", "1000"},
    {K::kText, "edsc3", "2000"},
    {K::kText, "edsc4", "3000"},
    {K::kText, "edsc5", "4000"},
    {K::kText, "edsc6", "5000"},
    {K::kText, "edsc7", "6000"},
    {K::kText, "edsc8", "7000"},
    {K::kText, "edsc9", "8000"},
    {K::kText, "edsc10", "9000"},
    {K::kText, "edsc11", "10000"},
    {K::kText, "edscale1", "15"},
    {K::kText, "edscale2", "25"},
    {K::kText, "edscale3", "30"},
    {K::kText, "edscale4", "40"},
    {K::kText, "edscale5", "50"},
    {K::kText, "edscale6", "60"},
    {K::kText, "edscale7", "70"},
    {K::kText, "edscale8", "80"},
    {K::kText, "edscale9", "90"},
    {K::kText, "edscale10", "100"},
    {K::kText, "edscale11", "110"},
    {K::kText, "edscale12", "200"},
}};

}  // namespace

std::span<const SettingsLine> SettingsLayout() {
  return kLayout;
}

void ApplySettings(const Lines& lines, ControlValues& controls) {
  const size_t count = std::min<size_t>(lines.size(), kLayout.size());
  for (size_t i = 0; i < count; ++i) {
    const SettingsLine& line = kLayout[i];
    const std::string& value = lines[i];
    switch (line.kind) {
      case K::kVersion:
      case K::kFixedTrue:
        break;
      case K::kKept:
      case K::kText:
        controls.Set(line.control, value);
        break;
      case K::kColor:
      case K::kItemIndex:
        controls.Set(line.control, std::to_string(ToInt(value)));
        break;
      case K::kCheck:
      case K::kCheckFalse:
        controls.SetChecked(line.control, value == "true");
        break;
    }
  }
}

void ApplyInitialSettings(const std::optional<Lines>& initial, ControlValues& controls) {
  // The first line that the reset always takes from the built-in values.
  constexpr size_t kFirstBuiltIn = 86;
  Lines lines = {std::string(kVersionText), controls.Text(kKeptLineName)};
  if (initial) {
    lines.insert(lines.end(), initial->begin(), initial->end());
  } else {
    for (size_t i = 2; i < kFirstBuiltIn; ++i) lines.emplace_back(kLayout[i].default_value);
  }
  ApplySettings(lines, controls);
  for (size_t i = kFirstBuiltIn; i < kLayout.size(); ++i) {
    const SettingsLine& line = kLayout[i];
    if (line.kind == K::kCheck) {
      controls.SetChecked(line.control, line.default_value == "true");
    } else {
      controls.Set(line.control, std::string(line.default_value));
    }
  }
}

Lines SettingsLines(const ControlValues& controls) {
  Lines lines;
  lines.reserve(kLayout.size());
  for (const SettingsLine& line : kLayout) {
    switch (line.kind) {
      case K::kVersion:
        lines.emplace_back(kVersionText);
        break;
      case K::kFixedTrue:
        lines.emplace_back("true");
        break;
      case K::kCheckFalse:
        lines.emplace_back("false");
        break;
      case K::kCheck:
        lines.emplace_back(controls.Checked(line.control) ? "true" : "false");
        break;
      default:
        lines.push_back(controls.Text(line.control));
        break;
    }
  }
  return lines;
}

}  // namespace varnolt
