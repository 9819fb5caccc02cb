#include "base/fields.h"

namespace varnolt {

std::string SplitField(std::string& rest, std::string_view separator) {
  const auto at = rest.find(separator);
  if (at == std::string::npos || separator.empty()) {
    std::string all = std::move(rest);
    rest.clear();
    return all;
  }
  std::string field = rest.substr(0, at);
  rest.erase(0, at + separator.size());
  return field;
}

std::string_view TrimText(std::string_view text) {
  auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace varnolt
