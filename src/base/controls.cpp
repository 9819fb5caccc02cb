#include "base/controls.h"

#include <stdexcept>

#include "base/data_set_names.h"
#include "base/numbers.h"
#include "base/settings_file.h"

namespace varnolt {
namespace {

// The controls each data set has outside the settings file, with their built-in values; data 1
// and data 2 start alike.
template <typename Page>
using NameOf = const char* Page::*;

constexpr std::pair<NameOf<BasicPageNames>, std::string_view> kBasicDefaults[] = {
    {&BasicPageNames::upper, ""},           {&BasicPageNames::lower, ""},
    {&BasicPageNames::interval, ""},        {&BasicPageNames::automatic, "true"},
    {&BasicPageNames::auxiliary, "true"},   {&BasicPageNames::margin, "10"},
    {&BasicPageNames::from, "1"},           {&BasicPageNames::to, "10"},
    {&BasicPageNames::candles, "true"},     {&BasicPageNames::close_bars, "false"},
    {&BasicPageNames::close_line, "false"}, {&BasicPageNames::calendar, "false"},
};

// The item lists start at item 0; the oscillator pages' first region box starts empty.
constexpr std::pair<NameOf<CommandPanelNames>, std::string_view> kTrendDefaults[] = {
    {&CommandPanelNames::list, "0"},
    {&CommandPanelNames::from, "1"},
    {&CommandPanelNames::to, "10"},
};
constexpr std::pair<NameOf<CommandPanelNames>, std::string_view> kOscillatorDefaults[] = {
    {&CommandPanelNames::list, "0"},
    {&CommandPanelNames::from, ""},
    {&CommandPanelNames::to, "10"},
};

// Controls of no data set outside the settings file.
constexpr std::pair<std::string_view, std::string_view> kOtherDefaults[] = {
    {"cbshowosci", "false"},  // オシレーター表示: list the oscillator values on the statistics page
};

}  // namespace

ControlValues ControlValues::Defaults() {
  ControlValues values;
  for (const DataSetNames& names : kDataSetNames) {
    for (const auto& [name, value] : kBasicDefaults)
      values.Set(names.basic.*name, std::string(value));
    for (const auto& [name, value] : kTrendDefaults)
      values.Set(names.trend.*name, std::string(value));
    for (const auto& [name, value] : kOscillatorDefaults) {
      values.Set(names.oscillator.*name, std::string(value));
    }
    // The name-or-code box of the data selection page.
    values.Set(names.selection.code, "");
  }
  for (const auto& [name, value] : kOtherDefaults) values.Set(name, std::string(value));
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
