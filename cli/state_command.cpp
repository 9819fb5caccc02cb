#include "commands.h"
#include "net/state_file.h"
#include "net/text_cipher.h"

namespace varnolt::cli {
namespace {

// The values of the update state: their name and the key they are enciphered with, if any.
struct StateValue {
  std::string_view name;
  std::optional<CipherUse> key;
};

constexpr StateValue kValues[] = {
    {"time", CipherUse::kMark}, {"fnc", {}}, {"msg", {}}, {"date", CipherUse::kVersion}};

const StateValue& ValueNamed(std::string_view name) {
  for (const StateValue& value : kValues) {
    if (value.name == name) return value;
  }
  throw UsageError("unknown state value " + std::string(name) + " (time, fnc, msg or date)");
}

}  // namespace

// state [--set NAME=VALUE]...: stores each value, then prints the state and the identifier.
int StateCommand(Context& context, Args& args) {
  std::vector<std::pair<const StateValue*, std::string>> changes;
  while (const std::optional<std::string> setting = args.TakeOption("--set")) {
    const size_t equals = setting->find('=');
    if (equals == std::string::npos) throw UsageError("--set needs NAME=VALUE");
    const std::string value = setting->substr(equals + 1);
    if (value.find_first_of("\r\n") != std::string::npos) {
      throw UsageError("a state value is one line");
    }
    changes.emplace_back(&ValueNamed(setting->substr(0, equals)), value);
  }
  args.Positionals(0);
  StateFile state(context.folder);
  for (const auto& [entry, value] : changes) {
    if (entry->key) {
      state.SetEnciphered(entry->name, value, CipherKey(*entry->key));
    } else {
      state.Set(entry->name, value);
    }
  }
  for (const StateValue& entry : kValues) {
    const std::optional<std::string> value =
        entry.key ? state.GetEnciphered(entry.name, CipherKey(*entry.key)) : state.Get(entry.name);
    context.out << entry.name << '=' << value.value_or("") << "\n";
  }
  context.out << "id=" << InstallationId(state) << "\n";
  return 0;
}

}  // namespace varnolt::cli
