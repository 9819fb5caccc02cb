#pragma once

#include <filesystem>
#include <string>

#include "base/dates.h"

namespace varnolt::publish {

struct Options {
  // The server's address: net.dat gets its three base addresses under it as "home/", "file/"
  // and "script/", which varnolt-server serves from the one folder.
  std::string base = "http://127.0.0.1:8080/";
  // The FTP account's host and user written into files/net.dat.
  std::string ftp_host = "127.0.0.1:2121";
  std::string ftp_user = "varnolt";
  // Most bytes of one compressed part of a year's transfer file.
  size_t part_bytes = 512 * 1024;
  // The year files stop at this day (0: they carry everything); later days go out as monthly
  // files and, for the newest day, a daily file, as a server that is behind on year files has.
  DayNumber upto = 0;
  // Years before this one are listed in files/kbk1.dat (the homepage server's list) instead.
  int homepage_before = 0;
  // Also copies the whole year files into quotes/data/, where the server's quote source finds
  // the prices its own files lack, as an external quote site would have them.
  bool quotes = false;
};

// The three base addresses of a server published under `base`.
std::string HomepageBase(const std::string& base);
std::string FileBase(const std::string& base);
std::string ScriptBase(const std::string& base);

// Builds a server folder from a program folder: the year price files of data/ as zlib parts
// kabuka/data/YYYY_k.dat listed in files/kbk2.dat (and kbk1.dat) after the newest day they
// cover, later days as kabuka/monthly/h<day>.dat and kabuka/daily/d<day>.dat CSV transfer
// files, the catalogue, holiday list and code list under files/, the financial data as
// kabuka/daily/finance.dat with its date in files/fnc.dat, files/ini2.dat ("ok", the
// catalogue's stamp, zero for the other components) and files/net.dat. Throws FileError.
void PublishFolder(const std::filesystem::path& program_folder,
                   const std::filesystem::path& server_folder, const Options& options);

}  // namespace varnolt::publish
