#pragma once

#include <filesystem>
#include <string>

namespace varnolt::publish {

struct Options {
  // The three base addresses written into files/net.dat, and the FTP account's host and user.
  std::string base = "http://127.0.0.1:8080/";
  std::string ftp_host = "127.0.0.1:2121";
  std::string ftp_user = "varnolt";
  // Most bytes of one compressed part of a year's transfer file.
  size_t part_bytes = 512 * 1024;
};

// Builds a server folder from a program folder: every year price file of data/ as zlib parts
// kabuka/data/YYYY_k.dat listed in files/kbk2.dat after the newest day with data, the catalogue,
// holiday list and code list under files/, the financial data as kabuka/daily/finance.dat with
// its date in files/fnc.dat, files/ini2.dat ("ok" and five zero stamps), files/net.dat, and
// empty kabuka/monthly and kabuka/daily listings. Throws FileError.
void PublishFolder(const std::filesystem::path& program_folder,
                   const std::filesystem::path& server_folder, const Options& options);

}  // namespace varnolt::publish
