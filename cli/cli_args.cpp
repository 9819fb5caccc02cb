#include <algorithm>

#include "cli_context.h"

namespace varnolt::cli {

bool Args::TakeFlag(const std::string& flag) {
  const auto at = std::find(words_.begin(), words_.end(), flag);
  if (at == words_.end()) return false;
  words_.erase(at);
  return true;
}

std::optional<std::string> Args::TakeOption(const std::string& name) {
  const auto at = std::find(words_.begin(), words_.end(), name);
  if (at == words_.end()) return std::nullopt;
  if (at + 1 == words_.end()) throw UsageError(name + " needs a value");
  std::string value = *(at + 1);
  words_.erase(at, at + 2);
  return value;
}

std::vector<std::string> Args::AllPositionals(size_t minimum) const {
  for (const auto& word : words_) {
    if (word.size() > 2 && word.starts_with("--")) throw UsageError("unknown option " + word);
  }
  if (words_.size() < minimum) {
    throw UsageError("expected at least " + std::to_string(minimum) + " arguments");
  }
  return words_;
}

std::vector<std::string> Args::Positionals(size_t count) const {
  AllPositionals(0);
  if (words_.size() != count) {
    throw UsageError("expected " + std::to_string(count) + " arguments, got " +
                     std::to_string(words_.size()));
  }
  return words_;
}

}  // namespace varnolt::cli
