// Arbitrary bytes as 設定.ini and as 初期化.ini. Loading must not crash; it either applies every
// line or stops with ConversionError at a colour or item-index line, and every text line before
// the stop holds its line. Saving afterwards always gives the 113 lines.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/file_error.h"
#include "base/settings_file.h"
#include "base/text_codec.h"
#include "base/text_file.h"

using namespace varnolt;

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "settings_file_fuzz: %s\n", what);
  std::abort();
}

// Where loading `lines` must stop: the first colour or item-index line that is not a whole
// number, or the end.
size_t ExpectedStop(const Lines& lines, size_t limit, ControlValues& probe) {
  for (size_t i = 0; i < std::min(lines.size(), limit); ++i) {
    const SettingKind kind = SettingsLayout()[i].kind;
    if (kind != SettingKind::kColor && kind != SettingKind::kItemIndex) continue;
    probe.Set("probe", lines[i]);
    try {
      (void)probe.ItemIndex("probe");
    } catch (const ConversionError&) {
      return i;
    }
  }
  return std::min(lines.size(), limit);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text = SjisToUtf8(std::string_view(reinterpret_cast<const char*>(data), size));
  const Lines lines = SplitLines(text);
  ControlValues controls = ControlValues::Defaults();
  ControlValues probe;
  const size_t stop = ExpectedStop(lines, SettingsLayout().size(), probe);
  bool stopped = false;
  try {
    ApplySettings(lines, controls);
  } catch (const ConversionError&) {
    stopped = true;
  }
  Require(stopped == (stop < std::min(lines.size(), SettingsLayout().size())),
          "loading stops exactly at a line that does not read");
  for (size_t i = 0; i < stop; ++i) {
    const SettingsLine& line = SettingsLayout()[i];
    if (line.kind == SettingKind::kText || line.kind == SettingKind::kKept)
      Require(controls.Text(line.control) == lines[i], "a text line before the stop is applied");
  }
  Require(SettingsLines(controls).size() == 113, "saving gives 113 lines");

  ControlValues reset = ControlValues::Defaults();
  try {
    ApplyInitialSettings(lines, reset);
  } catch (const ConversionError&) {
  }
  Require(SettingsLines(reset).size() == 113, "saving after a reset gives 113 lines");
  return 0;
}
