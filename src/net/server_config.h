#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "net/transfer.h"

namespace varnolt {

// Where the data server lives: three base addresses ending in "/", the FTP host (optionally
// "host:port") and the FTP account. The password is built into the program.
struct ServerConfig {
  std::string homepage;
  std::string files;
  std::string scripts;
  std::string ftp_host;
  std::string ftp_user;

  bool operator==(const ServerConfig&) const = default;
};

std::string_view FtpPassword();
// The FTP account of the configuration, with the built-in password.
FtpAccount FtpAccountOf(const ServerConfig& config);

// The enciphered text of net.dat and back. The plain text is the five lines joined by CR LF
// (LF accepted) without a final line end; the FTP user line is enciphered a second time with
// its own key. Nothing when the text does not decipher or lacks a line.
std::string EncodeServerConfig(const ServerConfig& config);
std::optional<ServerConfig> DecodeServerConfig(std::string_view enciphered);

// A plain text of the lines joined by CR LF, and the lines of a plain text (CR LF or LF, a final
// line end ignored): the form of net.dat and download.ini under their cipher.
std::string JoinPlainLines(const std::vector<std::string>& lines);
std::vector<std::string> SplitPlainLines(std::string_view text);

// net.dat: the enciphered text (a final line end ignored). Reading gives nothing for a missing or
// unreadable file; writing replaces the file durably (throws FileError).
std::optional<ServerConfig> ReadServerConfig(const std::filesystem::path& path);
void WriteServerConfig(const std::filesystem::path& path, const ServerConfig& config);

// The FTP host and port of a host line "name" or "name:port" (port 21 when absent); nothing when
// the port is not a number from 1 to 65535 or the name is empty.
struct FtpEndpoint {
  std::string host;
  int port = 21;
};
std::optional<FtpEndpoint> ParseFtpHost(std::string_view line);

}  // namespace varnolt
