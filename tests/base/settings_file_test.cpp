#include "base/settings_file.h"

#include <gtest/gtest.h>

#include "base/file_error.h"

namespace varnolt {
namespace {

// Every control of the layout set to a value of its kind unlike its default, so that a line
// read into the wrong control shows.
ControlValues Distinct() {
  ControlValues controls = ControlValues::Defaults();
  int n = 0;
  for (const SettingsLine& line : SettingsLayout()) {
    ++n;
    switch (line.kind) {
      case SettingKind::kKept:
      case SettingKind::kText:
        controls.Set(line.control, "v" + std::to_string(n));
        break;
      case SettingKind::kColor:
        controls.Set(line.control, std::to_string(n * 1000 + 7));
        break;
      case SettingKind::kItemIndex:
        controls.Set(line.control, "1");
        break;
      case SettingKind::kCheck:
      case SettingKind::kCheckFalse:
        controls.SetChecked(line.control, line.default_value != "true");
        break;
      default:
        break;
    }
  }
  return controls;
}

TEST(SettingsFileTest, SavedLinesLoadBackExceptTheTwoAlwaysFalseChecks) {
  const ControlValues saved = Distinct();
  ControlValues shown = Distinct();
  // Both boxes written as "false" are checked when saved, to show that they come back unchecked.
  shown.SetChecked("cbpf", true);
  shown.SetChecked("cbadxr", true);
  const Lines lines = SettingsLines(shown);
  ASSERT_EQ(lines.size(), 113u);
  EXPECT_EQ(lines[0], "Varnolt for 株 v2.22");
  for (int fixed : {26, 38}) EXPECT_EQ(lines[fixed - 1], "false") << fixed;
  for (int fixed : {46, 64, 78}) EXPECT_EQ(lines[fixed - 1], "true") << fixed;
  EXPECT_EQ(lines[1], "v2");
  EXPECT_EQ(lines[5], "6007");  // lbav1

  ControlValues loaded = ControlValues::Defaults();
  ApplySettings(lines, loaded);
  for (const auto& [name, value] : saved.All()) {
    if (name == "cbpf" || name == "cbadxr") {
      EXPECT_EQ(loaded.Text(name), "false") << name;
    } else {
      EXPECT_EQ(loaded.Text(name), value) << name;
    }
  }
}

TEST(SettingsFileTest, ShortFileSetsItsLinesAndABadNumberEndsTheLoadThere) {
  const Lines full = SettingsLines(Distinct());
  const ControlValues defaults = ControlValues::Defaults();
  struct Case {
    const char* what;
    size_t length;   // lines of the file
    int bad_line;    // a line made unreadable, 0 for none
    size_t applied;  // lines that reach the controls
    bool throws;
  };
  const Case cases[] = {
      {"fifty lines", 50, 0, 50, false},
      {"colour at 57", 113, 57, 56, true},
      {"item index at 22", 113, 22, 21, true},
      {"colour of ADXR at 42", 60, 42, 41, true},
      {"a bad text line is just text", 113, 3, 113, false},
      {"a bad check line unchecks", 113, 55, 113, false},
  };
  for (const Case& c : cases) {
    Lines lines(full.begin(), full.begin() + c.length);
    if (c.bad_line > 0) lines[c.bad_line - 1] = "12a";
    ControlValues controls = ControlValues::Defaults();
    if (c.throws) {
      EXPECT_THROW(ApplySettings(lines, controls), ConversionError) << c.what;
    } else {
      ApplySettings(lines, controls);
    }
    for (size_t i = 0; i < SettingsLayout().size(); ++i) {
      const SettingsLine& line = SettingsLayout()[i];
      if (line.control.empty() || static_cast<int>(i) + 1 == c.bad_line) continue;
      ControlValues expected = i < c.applied ? Distinct() : defaults;
      if (line.kind == SettingKind::kCheckFalse && i < c.applied)
        expected.SetChecked(line.control, false);
      EXPECT_EQ(controls.Text(line.control), expected.Text(line.control))
          << c.what << ", line " << i + 1;
    }
  }
}

TEST(SettingsFileTest, ResetTakesTheInitialFileThenBuiltInScaleValues) {
  const ControlValues defaults = ControlValues::Defaults();
  // 初期化.ini holding other values everywhere, lines 87–113 included.
  const Lines other = SettingsLines(Distinct());
  const Lines initial(other.begin() + 2, other.end());
  ControlValues controls = Distinct();
  controls.Set(kKeptLineName, "kept");
  ApplyInitialSettings(initial, controls);
  EXPECT_EQ(controls.Text(kKeptLineName), "kept");
  EXPECT_EQ(controls.Text("edav1"), "v3");
  EXPECT_EQ(controls.Text("lbrci3"), "86007");
  for (size_t i = 86; i < 113; ++i) {
    const std::string_view name = SettingsLayout()[i].control;
    EXPECT_EQ(controls.Text(name), defaults.Text(name)) << i + 1;
  }
  EXPECT_EQ(controls.Text("cbrsi"), "true");
  EXPECT_EQ(controls.Text("edscale12"), "200");

  // A short file keeps what it lacks; no file at all gives every built-in value.
  ControlValues shortened = Distinct();
  ApplyInitialSettings(Lines{"8"}, shortened);
  EXPECT_EQ(shortened.Text("edav1"), "8");
  EXPECT_EQ(shortened.Text("edav2"), "v4");
  EXPECT_EQ(shortened.Text("edsc1"), "500");
  ControlValues missing = Distinct();
  ApplyInitialSettings(std::nullopt, missing);
  for (const SettingsLine& line : SettingsLayout()) {
    if (line.control.empty() || line.kind == SettingKind::kKept) continue;
    EXPECT_EQ(missing.Text(line.control), defaults.Text(line.control)) << line.control;
  }
  EXPECT_EQ(missing.Text(kKeptLineName), "v2");
}

}  // namespace
}  // namespace varnolt
