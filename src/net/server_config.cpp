#include "net/server_config.h"

#include <charconv>

#include "base/text_file.h"
#include "net/durable_file.h"
#include "net/text_cipher.h"

namespace varnolt {

std::string_view FtpPassword() {
  return "4817kqzt";
}

FtpAccount FtpAccountOf(const ServerConfig& config) {
  return {config.ftp_host, config.ftp_user, std::string(FtpPassword())};
}

std::string JoinPlainLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

std::vector<std::string> SplitPlainLines(std::string_view text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::string EncodeServerConfig(const ServerConfig& config) {
  return Encipher(JoinPlainLines({config.homepage, config.files, config.scripts, config.ftp_host,
                                  Encipher(config.ftp_user, CipherUse::kFtpUser)}),
                  CipherUse::kNet);
}

std::optional<ServerConfig> DecodeServerConfig(std::string_view enciphered) {
  while (!enciphered.empty() && (enciphered.back() == '\n' || enciphered.back() == '\r')) {
    enciphered.remove_suffix(1);
  }
  const std::optional<std::string> plain = Decipher(enciphered, CipherUse::kNet);
  if (!plain) return std::nullopt;
  const std::vector<std::string> lines = SplitPlainLines(*plain);
  if (lines.size() < 5) return std::nullopt;
  std::optional<std::string> user = Decipher(lines[4], CipherUse::kFtpUser);
  if (!user) return std::nullopt;
  return ServerConfig{lines[0], lines[1], lines[2], lines[3], *user};
}

std::optional<ServerConfig> ReadServerConfig(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  try {
    return DecodeServerConfig(ReadBytes(path));
  } catch (const std::exception&) {
    return std::nullopt;
  }
}

void WriteServerConfig(const std::filesystem::path& path, const ServerConfig& config) {
  WriteFileDurably(path, EncodeServerConfig(config));
}

std::optional<FtpEndpoint> ParseFtpHost(std::string_view line) {
  FtpEndpoint endpoint;
  const size_t colon = line.rfind(':');
  std::string_view host = line;
  if (colon != std::string_view::npos) {
    host = line.substr(0, colon);
    const std::string_view port = line.substr(colon + 1);
    const auto [end, error] =
        std::from_chars(port.data(), port.data() + port.size(), endpoint.port);
    if (port.empty() || error != std::errc() || end != port.data() + port.size() ||
        endpoint.port < 1 || endpoint.port > 65535) {
      return std::nullopt;
    }
  }
  if (host.empty()) return std::nullopt;
  endpoint.host = std::string(host);
  return endpoint;
}

}  // namespace varnolt
