#include <algorithm>

#include "acquisition/history_download.h"
#include "base/messages.h"
#include "commands.h"

namespace varnolt::cli {

// history [--list] [--from YEAR]: the historical download with the folder's net.dat.
int HistoryCommand(Context& context, Args& args) {
  const bool list = args.TakeFlag("--list");
  const std::optional<std::string> from = args.TakeOption("--from");
  args.Positionals(0);
  const ServerConfig config =
      ReadServerConfig(context.folder.File("net.dat")).value_or(ServerConfig{});
  const HistoryOffer offer = OfferHistory(context.folder, config);
  if (!offer.message.empty()) {
    context.out << offer.message << "\n--\n";
    return 1;
  }
  if (list) {
    for (const std::string& item : offer.items) context.out << item << "\n";
    return 0;
  }
  size_t first = 0;
  if (from) {
    const auto start =
        std::find_if(offer.entries.begin(), offer.entries.end(),
                     [&](const HistoryEntry& e) { return std::to_string(e.year.year) == *from; });
    if (start == offer.entries.end()) throw UsageError("no item starts at " + *from);
    first = static_cast<size_t>(start - offer.entries.begin());
  }
  const std::string message =
      DownloadHistory(context.folder, config, offer.entries, first, [](auto&&...) {});
  context.out << message << "\n--\n";
  return message == kDownloadDoneMessage ? 0 : 1;
}

}  // namespace varnolt::cli
