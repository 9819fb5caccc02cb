#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "base/controls.h"
#include "base/text_file.h"

namespace varnolt {

// 設定.ini: 113 lines, the meaning of a value being its line number.
enum class SettingKind {
  kVersion,     // line 1, always the version text
  kKept,        // line 2, kept as loaded and written back
  kText,        // an edit box's text
  kColor,       // a colour label, decimal 0x00BBGGRR
  kItemIndex,   // a radio group's item index
  kCheck,       // a check box, "true" or "false"
  kCheckFalse,  // a check box written as "false" always; "true" checks it when read
  kFixedTrue,   // not read; written as "true"
};

struct SettingsLine {
  SettingKind kind;
  std::string_view control;        // empty for the version, kept and fixed lines
  std::string_view default_value;  // the window's built-in value
};

inline constexpr std::string_view kVersionText = "Varnolt for 株 v2.22";
inline constexpr int kSettingsLineCount = 113;
// The kept text of line 2 lives among the controls under this name.
inline constexpr std::string_view kKeptLineName = "settings.line2";

// Line k of the file is element k − 1.
std::span<const SettingsLine> SettingsLayout();

// Applies the lines that exist to the controls, in order. A colour or item index that is not a
// whole number throws ConversionError after the lines before it were applied.
void ApplySettings(const Lines& lines, ControlValues& controls);

// The 113 lines from the controls.
Lines SettingsLines(const ControlValues& controls);

// The reset from 初期化.ini, whose line k holds settings line k + 2: the version line, the kept
// line 2 and those lines are applied (a line that does not read throws ConversionError as
// above), then lines 87 to 113 take their built-in values whatever the file held. Without the
// file every line takes its built-in value.
void ApplyInitialSettings(const std::optional<Lines>& initial, ControlValues& controls);

}  // namespace varnolt
