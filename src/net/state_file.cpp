#include "net/state_file.h"

#include <algorithm>
#include <map>
#include <random>
#include <stdexcept>

#include "base/text_file.h"
#include "net/durable_file.h"
#include "net/text_cipher.h"

namespace varnolt {
namespace {

using Values = std::map<std::string, std::string, std::less<>>;

bool IsName(std::string_view name) {
  return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
  });
}

// Lines that are not NAME=VALUE with a valid name are skipped: a damaged line loses only itself.
Values ReadValues(const std::filesystem::path& path) {
  Values values;
  if (!std::filesystem::exists(path)) return values;
  for (const std::string& line : SplitLines(ReadBytes(path))) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    const std::string name = line.substr(0, equals);
    if (IsName(name)) values[name] = line.substr(equals + 1);
  }
  return values;
}

bool IsIdentifier(std::string_view text) {
  return text.size() == 12 && std::all_of(text.begin(), text.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
         });
}

}  // namespace

StateFile::StateFile(const ProgramFolder& folder) : path_(folder.File("state.txt")) {}

std::optional<std::string> StateFile::Get(std::string_view name) const {
  Values values = ReadValues(path_);
  const auto found = values.find(name);
  if (found == values.end() || found->second.empty()) return std::nullopt;
  return found->second;
}

void StateFile::Set(std::string_view name, std::string_view value) {
  if (!IsName(name)) throw std::invalid_argument("bad state name: " + std::string(name));
  if (value.find_first_of("\r\n") != std::string_view::npos) {
    throw std::invalid_argument("a state value is one line");
  }
  Values values = ReadValues(path_);
  if (value.empty()) {
    const auto found = values.find(name);
    if (found == values.end()) return;
    values.erase(found);
  } else {
    values[std::string(name)] = std::string(value);
  }
  Lines lines;
  for (const auto& [key, text] : values) lines.push_back(key + "=" + text);
  WriteFileDurably(path_, JoinLines(lines));
}

std::optional<std::string> StateFile::GetEnciphered(std::string_view name,
                                                    std::string_view key) const {
  const std::optional<std::string> stored = Get(name);
  if (!stored) return std::nullopt;
  return Decipher(*stored, key);
}

void StateFile::SetEnciphered(std::string_view name, std::string_view plain, std::string_view key) {
  Set(name, plain.empty() ? std::string() : Encipher(plain, key));
}

std::string InstallationId(StateFile& state) {
  if (std::optional<std::string> kept = state.Get("id"); kept && IsIdentifier(*kept)) return *kept;
  constexpr std::string_view kChars = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::uniform_int_distribution<size_t> pick(0, kChars.size() - 1);
  std::string id;
  for (int i = 0; i < 12; ++i) id += kChars[pick(device)];
  state.Set("id", id);
  return id;
}

}  // namespace varnolt
