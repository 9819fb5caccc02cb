#include "base/controls.h"

#include <stdexcept>

#include "base/numbers.h"
#include "base/settings_file.h"

namespace varnolt {
namespace {

// Controls outside the settings file, with their built-in values.
constexpr std::pair<std::string_view, std::string_view> kPageDefaults[] = {
    // Basic settings pages of data 1 and data 2.
    {"edUP", ""},
    {"edDown", ""},
    {"edInter", ""},
    {"cbauto1", "true"},
    {"cbsup", "true"},
    {"edspc", "10"},
    {"edv1", "1"},
    {"edv2", "10"},
    {"rbfour", "true"},
    {"rbendbox", "false"},
    {"rbendline", "false"},
    {"cbcalen", "false"},
    {"edUP2", ""},
    {"edDown2", ""},
    {"edInter2", ""},
    {"cbauto2", "true"},
    {"cbsup2", "true"},
    {"edspc2", "10"},
    {"ed2v1", "1"},
    {"ed2v2", "10"},
    {"rbfour2", "true"},
    {"rbendbox2", "false"},
    {"rbendline2", "false"},
    {"cbcalen2", "false"},
    // Region boxes of the trend and oscillator pages.
    {"edcv1", "1"},
    {"edcv2", "10"},
    {"ed2cv1", "1"},
    {"ed2cv2", "10"},
    {"edov1", ""},
    {"edov2", "10"},
    {"ed2ov1", ""},
    {"ed2ov2", "10"},
    // The name-or-code boxes of the data selection pages.
    {"cbdata1", ""},
    {"cbdata2", ""},
    // Item lists selected at start-up.
    {"cbchart1", "0"},
    {"cbchart2", "0"},
    {"cbos1", "0"},
    {"cbos2", "0"},
    {"cbshowosci", "false"},  // オシレーター表示: list the oscillator values on the statistics page
};

}  // namespace

ControlValues ControlValues::Defaults() {
  ControlValues values;
  for (const auto& [name, value] : kPageDefaults) values.Set(name, std::string(value));
  for (const SettingsLine& line : SettingsLayout()) {
    if (!line.control.empty()) values.Set(line.control, std::string(line.default_value));
  }
  return values;
}

const std::string& ControlValues::Text(std::string_view name) const {
  const auto at = values_.find(name);
  if (at == values_.end()) throw std::out_of_range("unknown control " + std::string(name));
  return at->second;
}

Color ControlValues::ColorOf(std::string_view name) const {
  return {static_cast<uint32_t>(ToInt(Text(name)))};
}

int ControlValues::ItemIndex(std::string_view name) const {
  return ToInt(Text(name));
}

}  // namespace varnolt
