#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "base/dates.h"

namespace varnolt {

// The request file download.ini shared with the external downloader: 13 lines enciphered as a
// whole with the download key. Line 1 is the state: "download" (written by the program), "ing"
// (the downloader is working), "stop" (done); anything else is a failure.
struct DownloadRequest {
  std::string state = "download";
  std::filesystem::path code_list;  // data/all.txt
  std::filesystem::path result;     // data/result.csv or data/daily.csv
  bool daily = false;
  DayNumber start = 0, end = 0;  // historical requests
  DayNumber mark_day = 0;        // daily requests: the day of the update mark
};

std::vector<std::string> DownloadRequestLines(const DownloadRequest& request);
// Nothing when the lines are not a request (too few lines, an unknown kind, dates that do not
// read).
std::optional<DownloadRequest> ParseDownloadRequest(const std::vector<std::string>& lines);

// Reading and writing the file (written durably); reading gives nothing when the file is
// missing or does not decipher.
void WriteDownloadRequest(const std::filesystem::path& path, const DownloadRequest& request);
std::optional<std::vector<std::string>> ReadDownloadRequestLines(const std::filesystem::path& path);

}  // namespace varnolt
