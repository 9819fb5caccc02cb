#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace varnolt {

// Blocking transfers with the data server over HTTP(S) and FTP. None throws: each reports failure
// by its result. A connection attempt gives up after 30 seconds and a transfer that stalls (less
// than one byte a second for a minute) is abandoned, so a dead server cannot hang the program.
// Certificates of https addresses are verified.

// The reply's body (an error page included, for the caller's validity check), cut at its first
// NUL byte; empty on any failure, when the reply is cut short or when it exceeds `limit` bytes.
// `referrer`, when not empty, goes out as the Referer header. Caches are always bypassed.
std::string GetText(const std::string& address, const std::string& referrer,
                    uint64_t limit = uint64_t{16} << 20);

// Writes the reply's body to the local path (created or truncated even when the address cannot
// be reached). True when the reply was read to its end within `limit` bytes; false leaves the
// file possibly partial. `progress`, when given, runs after every block written so a window can
// stay painted.
bool GetFile(const std::string& address, const std::filesystem::path& local,
             const std::string& referrer, const std::function<void()>& progress = {},
             uint64_t limit = uint64_t{512} << 20);

// The FTP account: the host line ("name" or "name:port", port 21 by default), user and password.
struct FtpAccount {
  std::string host;
  std::string user;
  std::string password;
};

// Binary upload of a local file under a remote name ("/kabuka/daily/t0001"), deletion, and
// renaming of `existing` to `new_name`. False on any failure, a bad host line included.
bool FtpPut(const FtpAccount& account, std::string_view remote, const std::filesystem::path& local);
bool FtpDelete(const FtpAccount& account, std::string_view remote);
bool FtpRename(const FtpAccount& account, std::string_view new_name, std::string_view existing);

}  // namespace varnolt
