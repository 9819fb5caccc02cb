#include <chrono>
#include <iostream>
#include <thread>

#include "acquisition/latest_update.h"
#include "commands.h"
#include "net/server_config.h"

namespace varnolt::cli {
namespace {

// The update as the command line runs it: each message box becomes its text and a line "--"
// on stdout; waits are real; the downloader starts detached.
class CommandLineHost : public UpdateHost {
 public:
  CommandLineHost(const Context& context) : context_(context) {}

  void ShowMessage(const std::string& text) override {
    context_.out << text << "\n--" << std::endl;
  }
  void SetStatus(const std::string&) override {}
  void SetDetail(const std::string&) override {}
  void HideProgress() override {}
  DateTime LocalNow() override {
    return context_.clock_frozen ? context_.now : varnolt::LocalNow();
  }
  void Wait(double seconds) override {
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  }
  bool StartProgram(const std::filesystem::path& program,
                    const std::filesystem::path& working_folder) override {
    return StartDetachedProgram(program, working_folder);
  }

 private:
  const Context& context_;
};

}  // namespace

// update [--unattended] [--poll-seconds N]: the latest-data update with the folder's net.dat.
int UpdateCommand(Context& context, Args& args) {
  UpdateOptions options;
  options.program_stamp = context.program_stamp;
  options.unattended = args.TakeFlag("--unattended");
  if (const auto seconds = args.TakeOption("--poll-seconds")) {
    const auto value = ParseInt64(*seconds);
    if (!value || !IsAllDigits(*seconds)) throw UsageError("--poll-seconds needs whole seconds");
    options.poll_seconds = static_cast<double>(*value);
  }
  args.Positionals(0);
  // Without a readable net.dat there is no server: the first request fails as it would.
  ServerConfig config = ReadServerConfig(context.folder.File("net.dat")).value_or(ServerConfig{});
  CommandLineHost host(context);
  const UpdateOutcome outcome = RunLatestUpdate(context.folder, config, host, options);
  return outcome.completed && outcome.procedure_result.value_or(true) ? 0 : 1;
}

}  // namespace varnolt::cli
