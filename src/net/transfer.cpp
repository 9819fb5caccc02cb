#include "net/transfer.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <optional>

#include "net/server_config.h"

namespace varnolt {
namespace {

constexpr long kConnectSeconds = 30;
constexpr long kStallSeconds = 60;

// libcurl is set up once for the process, before any handle is made.
void InitialiseOnce() {
  static const bool done = [] { return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; }();
  (void)done;
}

struct HandleDeleter {
  void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct ListDeleter {
  void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Handle = std::unique_ptr<CURL, HandleDeleter>;
using List = std::unique_ptr<curl_slist, ListDeleter>;

Handle NewHandle(const char* protocols) {
  InitialiseOnce();
  Handle handle(curl_easy_init());
  if (!handle) return handle;
  CURL* h = handle.get();
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, kStallSeconds);
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, protocols);
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, protocols);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
  return handle;
}

List HttpHeaders(const std::string& referrer) {
  curl_slist* list = curl_slist_append(nullptr, "Cache-Control: no-cache");
  list = curl_slist_append(list, "Pragma: no-cache");
  if (!referrer.empty()) list = curl_slist_append(list, ("Referer:" + referrer).c_str());
  return List(list);
}

Handle HttpHandle(const std::string& address, const List& headers) {
  Handle handle = NewHandle("http,https");
  if (!handle) return handle;
  CURL* h = handle.get();
  curl_easy_setopt(h, CURLOPT_URL, address.c_str());
  curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, 5L);
  return handle;
}

struct TextSink {
  std::string text;
  uint64_t limit;
};

size_t AppendText(char* data, size_t, size_t size, void* user) {
  auto* sink = static_cast<TextSink*>(user);
  if (sink->text.size() + size > sink->limit) return 0;  // aborts the transfer
  sink->text.append(data, size);
  return size;
}

struct FileSink {
  std::FILE* file;
  uint64_t written = 0;
  uint64_t limit;
  const std::function<void()>* progress;
};

size_t AppendFile(char* data, size_t, size_t size, void* user) {
  auto* sink = static_cast<FileSink*>(user);
  if (sink->written + size > sink->limit) return 0;
  if (std::fwrite(data, 1, size, sink->file) != size) return 0;
  sink->written += size;
  if (*sink->progress) (*sink->progress)();
  return size;
}

// The FTP address of the host line, with the remote name appended ("" for the login folder).
std::optional<std::string> FtpAddress(const FtpAccount& account, std::string_view remote) {
  const std::optional<FtpEndpoint> endpoint = ParseFtpHost(account.host);
  if (!endpoint) return std::nullopt;
  while (!remote.empty() && remote.front() == '/') remote.remove_prefix(1);
  return "ftp://" + endpoint->host + ":" + std::to_string(endpoint->port) + "/" +
         std::string(remote);
}

Handle FtpHandle(const FtpAccount& account, const std::string& address) {
  Handle handle = NewHandle("ftp");
  if (!handle) return handle;
  CURL* h = handle.get();
  curl_easy_setopt(h, CURLOPT_URL, address.c_str());
  curl_easy_setopt(h, CURLOPT_USERNAME, account.user.c_str());
  curl_easy_setopt(h, CURLOPT_PASSWORD, account.password.c_str());
  curl_easy_setopt(h, CURLOPT_TRANSFERTEXT, 0L);
  return handle;
}

// Runs FTP commands after the login, without a transfer.
bool FtpCommands(const FtpAccount& account, std::initializer_list<std::string> commands) {
  const std::optional<std::string> address = FtpAddress(account, "");
  if (!address) return false;
  Handle handle = FtpHandle(account, *address);
  if (!handle) return false;
  curl_slist* raw = nullptr;
  for (const std::string& command : commands) raw = curl_slist_append(raw, command.c_str());
  const List list(raw);
  curl_easy_setopt(handle.get(), CURLOPT_QUOTE, list.get());
  curl_easy_setopt(handle.get(), CURLOPT_NOBODY, 1L);
  return curl_easy_perform(handle.get()) == CURLE_OK;
}

bool IsOneLine(std::string_view text) {
  return !text.empty() && text.find_first_of("\r\n") == std::string_view::npos;
}

}  // namespace

std::string GetText(const std::string& address, const std::string& referrer, uint64_t limit) {
  const List headers = HttpHeaders(referrer);
  Handle handle = HttpHandle(address, headers);
  if (!handle) return {};
  TextSink sink{{}, limit};
  curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, AppendText);
  curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &sink);
  if (curl_easy_perform(handle.get()) != CURLE_OK) return {};
  if (const size_t nul = sink.text.find('\0'); nul != std::string::npos) sink.text.resize(nul);
  return std::move(sink.text);
}

bool GetFile(const std::string& address, const std::filesystem::path& local,
             const std::string& referrer, const std::function<void()>& progress, uint64_t limit) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(local.c_str(), "wb"),
                                                       std::fclose);
  if (!file) return false;
  const List headers = HttpHeaders(referrer);
  Handle handle = HttpHandle(address, headers);
  if (!handle) return false;
  FileSink sink{file.get(), 0, limit, &progress};
  curl_easy_setopt(handle.get(), CURLOPT_WRITEFUNCTION, AppendFile);
  curl_easy_setopt(handle.get(), CURLOPT_WRITEDATA, &sink);
  const bool ok = curl_easy_perform(handle.get()) == CURLE_OK;
  return std::fclose(file.release()) == 0 && ok;
}

bool FtpPut(const FtpAccount& account, std::string_view remote,
            const std::filesystem::path& local) {
  const std::optional<std::string> address = FtpAddress(account, remote);
  if (!address || !IsOneLine(remote)) return false;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(local.c_str(), "rb"),
                                                       std::fclose);
  if (!file) return false;
  Handle handle = FtpHandle(account, *address);
  if (!handle) return false;
  curl_easy_setopt(handle.get(), CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(handle.get(), CURLOPT_READDATA, file.get());
  return curl_easy_perform(handle.get()) == CURLE_OK;
}

bool FtpDelete(const FtpAccount& account, std::string_view remote) {
  if (!IsOneLine(remote)) return false;
  return FtpCommands(account, {"DELE " + std::string(remote)});
}

bool FtpRename(const FtpAccount& account, std::string_view new_name, std::string_view existing) {
  if (!IsOneLine(new_name) || !IsOneLine(existing)) return false;
  return FtpCommands(account, {"RNFR " + std::string(existing), "RNTO " + std::string(new_name)});
}

}  // namespace varnolt
