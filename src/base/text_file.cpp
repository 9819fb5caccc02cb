#include "base/text_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>

#include "base/file_error.h"
#include "base/messages.h"
#include "base/text_codec.h"

namespace varnolt {

Lines SplitLines(std::string_view text) {
  Lines lines;
  size_t start = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

std::string JoinLines(const Lines& lines) {
  std::string text;
  for (const auto& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    throw FileError(FileMessage(DisplayName(path), kCannotOpen) + ": " + std::strerror(errno));
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) throw FileError(FileMessage(DisplayName(path), kCannotRead));
  return bytes;
}

Lines ReadLines(const std::filesystem::path& path) {
  return SplitLines(SjisToUtf8(ReadBytes(path)));
}

std::optional<Lines> ReadLinesIfPresent(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return std::nullopt;
  return ReadLines(path);
}

void WriteBytesAtomically(const std::filesystem::path& path, std::string_view bytes) {
  std::filesystem::path temporary = path;
  temporary += ".tmp";
  const auto fail = [&](std::string_view what) {
    const std::string reason = errno != 0 ? std::string(": ") + std::strerror(errno) : "";
    throw FileError(FileMessage(DisplayName(path), what) + reason);
  };
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) fail(kCannotCreate);
  size_t done = 0;
  bool written = true;
  while (written && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    written = n > 0;
    if (written) done += static_cast<size_t>(n);
  }
  // The new contents reach the disk before the name moves to them: after a crash the file
  // holds either its old text or its new one.
  written = written && ::fdatasync(fd) == 0;
  written = ::close(fd) == 0 && written;
  std::error_code error;
  if (!written) {
    const int saved = errno;
    std::filesystem::remove(temporary, error);
    errno = saved;
    fail(kCannotWrite);
  }
  std::filesystem::rename(temporary, path, error);
  if (error) {
    std::filesystem::remove(temporary, error);
    errno = 0;
    fail(kCannotReplace);
  }
}

void WriteLines(const std::filesystem::path& path, const Lines& lines) {
  WriteBytesAtomically(path, Utf8ToSjis(JoinLines(lines)));
}

}  // namespace varnolt
