#pragma once

#include <map>
#include <string>
#include <string_view>

#include "base/color.h"

namespace varnolt {

// The values of the main window's parameter controls by control name, as texts: an edit box
// its text, a check box "true"/"false", a colour label its colour as a decimal 0x00BBGGRR, a
// radio group its item index. The window reads them off its widgets; the command-line tool
// starts from the built-in values and applies 設定.ini and --set. Drawing and computing code
// reads its parameters from here, so a name is spelled once.
class ControlValues {
 public:
  // Every known control with the window's built-in value.
  static ControlValues Defaults();

  bool Has(std::string_view name) const { return values_.count(std::string(name)) > 0; }
  // The text of a control; throws std::out_of_range naming an unknown control.
  const std::string& Text(std::string_view name) const;
  bool Checked(std::string_view name) const { return Text(name) == "true"; }
  // A colour or item index; throws ConversionError when the text is not a whole number.
  Color ColorOf(std::string_view name) const;
  int ItemIndex(std::string_view name) const;

  void Set(std::string_view name, std::string value) {
    values_[std::string(name)] = std::move(value);
  }
  void SetChecked(std::string_view name, bool checked) { Set(name, checked ? "true" : "false"); }
  // Every value of `written` over this one's.
  void SetAll(const ControlValues& written) {
    for (const auto& [name, value] : written.All()) Set(name, value);
  }

  const std::map<std::string, std::string, std::less<>>& All() const { return values_; }

 private:
  std::map<std::string, std::string, std::less<>> values_;
};

// The colour of a check box that also carries a colour (ADXR) is kept under this suffix.
inline constexpr std::string_view kColorSuffix = ".color";

}  // namespace varnolt
