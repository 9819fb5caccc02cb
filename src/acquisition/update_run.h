#pragma once

// The state one run of the update shares between its steps: the server, the update state, the
// host and the options. Internal to the update and downloader units.

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "acquisition/latest_update.h"
#include "base/messages.h"
#include "net/data_server.h"
#include "net/state_file.h"

namespace varnolt {

// Ends the command; its message is shown unless the run is unattended.
class UpdateFailure : public std::runtime_error {
 public:
  explicit UpdateFailure(const std::string& message = kConnectionFailedMessage)
      : std::runtime_error(message) {}
};

struct UpdateRun {
  UpdateRun(const ProgramFolder& program_folder, ServerConfig& server_config, UpdateHost& ui,
            const UpdateOptions& run_options);

  std::filesystem::path Data(std::string_view name) const { return folder.DataDir() / name; }
  void Show(const std::string& text) const {
    if (!options.unattended) host.ShowMessage(text);
  }
  void StoreMark(int64_t mark);
  DateTime ServerNow() const { return server.ServerNow(); }

  // Fetches a monthly or daily transfer file of the script server into the data folder under
  // its name ending in "csv"; false when the transfer, the reply or the stream is bad.
  bool FetchPriceFile(std::string_view folder_name, const std::string& name,
                      std::filesystem::path& csv);

  // The external downloader and the upload of what it brings (the downloader unit).
  bool RunDownloader(bool daily, DayNumber day);
  bool ProcessHistoricalResult(int64_t& mark);
  bool ProcessDailyResult(int64_t& mark);

  const ProgramFolder& folder;
  ServerConfig& config;
  UpdateHost& host;
  const UpdateOptions& options;
  DataServer server;
  StateFile state;
  std::string id;
};

// Refreshes component 1 to 5 against the server's stamp: true when it is current or renewed.
bool RefreshComponent(UpdateRun& run, int component, uint32_t server_stamp);

}  // namespace varnolt
