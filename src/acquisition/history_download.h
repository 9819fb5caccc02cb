#pragma once

#include <functional>
#include <string>
#include <vector>

#include "base/program_folder.h"
#include "net/reply.h"
#include "net/server_config.h"

namespace varnolt {

// A year the server offers and the store lacks, with the server that holds its parts.
struct HistoryEntry {
  YearLine year;
  bool on_homepage = false;  // listed in kbk1.dat (homepage server), else kbk2.dat (file server)
};

// What the menu command found: the entries in list order and the range items of the window's
// list ("2000～2004年の全データ" … "2004年の全データ"), or the message to show instead.
struct HistoryOffer {
  std::vector<HistoryEntry> entries;
  std::vector<std::string> items;
  std::string message;  // set when nothing is offered
};

// The years of kbk1.dat and kbk2.dat (the current, incomplete year left out) whose year file
// the data folder lacks.
HistoryOffer OfferHistory(const ProgramFolder& folder, const ServerConfig& config);

// Reports each part as it is fetched: its name, the parts done and the parts in all.
using HistoryProgress =
    std::function<void(const std::string& part, int parts_done, int parts_total)>;

// Downloads the entries from `first` to the last, newest first: each year's parts are joined,
// decompressed and checked before they replace the local year file, and the update mark is
// raised to 1 January of the following year (never lowered). Gives the message to show:
// "ダウンロード終了", or the failing year's message (the newer years stay).
std::string DownloadHistory(const ProgramFolder& folder, const ServerConfig& config,
                            const std::vector<HistoryEntry>& entries, size_t first,
                            const HistoryProgress& progress);

}  // namespace varnolt
