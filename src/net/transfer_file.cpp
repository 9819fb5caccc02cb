#include "net/transfer_file.h"

#include <zlib.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <memory>

#include "net/durable_file.h"
#include "store/day_record.h"
#include "store/year_file.h"

namespace varnolt {
namespace {

constexpr size_t kBlock = 4096;

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

File Open(const std::filesystem::path& path, const char* mode) {
  return File(std::fopen(path.c_str(), mode));
}

bool Close(File& file) {
  return std::fclose(file.release()) == 0;
}

void RemoveQuietly(const std::filesystem::path& path) {
  std::error_code ignored;
  std::filesystem::remove(path, ignored);
}

// Inflates the whole source into the target; `limit` bounds the output.
bool Inflate(std::FILE* in, std::FILE* out, uint64_t limit) {
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return false;
  std::array<unsigned char, kBlock> input{};
  std::array<unsigned char, kBlock> output{};
  uint64_t total = 0;
  int result = Z_OK;
  bool ok = true;
  while (ok && result != Z_STREAM_END) {
    stream.avail_in = static_cast<uInt>(std::fread(input.data(), 1, input.size(), in));
    if (std::ferror(in) || stream.avail_in == 0) {
      ok = false;  // a read error, or the stream ends before its end marker
      break;
    }
    stream.next_in = input.data();
    // Inflate until the block is used up and no output is pending (a full output buffer may
    // hide more), or the stream ends.
    do {
      stream.next_out = output.data();
      stream.avail_out = static_cast<uInt>(output.size());
      result = inflate(&stream, Z_NO_FLUSH);
      if (result == Z_BUF_ERROR) break;  // needs more input
      if (result != Z_OK && result != Z_STREAM_END) {
        ok = false;
        break;
      }
      const size_t produced = output.size() - stream.avail_out;
      total += produced;
      if (total > limit || std::fwrite(output.data(), 1, produced, out) != produced) ok = false;
    } while (ok && result != Z_STREAM_END && (stream.avail_in > 0 || stream.avail_out == 0));
  }
  // Bytes after the end of the stream mean the file is not what it claims to be.
  if (ok && (stream.avail_in > 0 || std::fgetc(in) != EOF)) ok = false;
  inflateEnd(&stream);
  return ok;
}

// Deflates the whole source into the target at the fastest level.
bool Deflate(std::FILE* in, std::FILE* out) {
  z_stream stream{};
  if (deflateInit(&stream, Z_BEST_SPEED) != Z_OK) return false;
  std::array<unsigned char, kBlock> input{};
  std::array<unsigned char, kBlock> output{};
  bool ok = true;
  int flush = Z_NO_FLUSH;
  do {
    stream.avail_in = static_cast<uInt>(std::fread(input.data(), 1, input.size(), in));
    if (std::ferror(in)) {
      ok = false;
      break;
    }
    flush = std::feof(in) ? Z_FINISH : Z_NO_FLUSH;
    stream.next_in = input.data();
    do {
      stream.next_out = output.data();
      stream.avail_out = static_cast<uInt>(output.size());
      deflate(&stream, flush);
      const size_t produced = output.size() - stream.avail_out;
      if (std::fwrite(output.data(), 1, produced, out) != produced) ok = false;
    } while (ok && stream.avail_out == 0);
  } while (ok && flush != Z_FINISH);
  deflateEnd(&stream);
  return ok;
}

}  // namespace

bool CompressFile(const std::filesystem::path& source, const std::filesystem::path& target) {
  File in = Open(source, "rb");
  if (!in) return false;
  File out = Open(target, "wb");
  if (!out) return false;
  const bool ok = Deflate(in.get(), out.get()) && Close(out);
  if (!ok) RemoveQuietly(target);
  return ok;
}

bool DecompressFile(const std::filesystem::path& source, const std::filesystem::path& target,
                    uint64_t limit) {
  File in = Open(source, "rb");
  if (!in) return false;
  File out = Open(target, "wb");
  if (!out) return false;
  const bool ok = Inflate(in.get(), out.get(), limit) && Close(out);
  if (!ok) {
    out.reset();
    RemoveQuietly(target);
  }
  return ok;
}

bool JoinParts(const std::filesystem::path& target, int parts) {
  const std::string name = target.filename().string();
  const size_t dot = name.find('.');
  const std::string base = name.substr(0, dot);
  const std::string rest = dot == std::string::npos ? std::string() : name.substr(dot);
  std::vector<std::filesystem::path> part_paths;
  for (int k = 1; k <= parts; ++k) {
    part_paths.push_back(target.parent_path() / (base + "_" + std::to_string(k) + rest));
  }
  const std::filesystem::path aside = AsideName(target);
  File out = Open(aside, "wb");
  if (!out) return false;
  bool ok = true;
  std::array<char, kBlock> block{};
  for (const std::filesystem::path& part : part_paths) {
    File in = Open(part, "rb");
    if (!in) {
      ok = false;
      break;
    }
    size_t n = 0;
    while ((n = std::fread(block.data(), 1, block.size(), in.get())) > 0) {
      if (std::fwrite(block.data(), 1, n, out.get()) != n) ok = false;
    }
    if (std::ferror(in.get())) ok = false;
    if (!ok) break;
  }
  if (!Close(out)) ok = false;
  if (ok) {
    std::error_code error;
    std::filesystem::rename(aside, target, error);
    ok = !error;
  }
  if (!ok) {
    RemoveQuietly(aside);
    return false;
  }
  for (const std::filesystem::path& part : part_paths) RemoveQuietly(part);
  return true;
}

bool InstallDecompressed(const std::filesystem::path& source, const std::filesystem::path& target,
                         uint64_t limit, const FileCheck& check) {
  const std::filesystem::path aside = AsideName(target);
  if (!DecompressFile(source, aside, limit)) return false;
  bool ok = false;
  try {
    ok = !check || check(aside);
    if (ok) CommitAside(aside, target);
  } catch (const std::exception&) {
    ok = false;
  }
  if (!ok) RemoveQuietly(aside);
  return ok;
}

bool IsWellFormedYearFile(const std::filesystem::path& path) {
  try {
    const uint32_t slots = CheckYearFile(path);
    return std::filesystem::file_size(path) == kDirectoryBytes + uint64_t{slots} * kSlotBytes;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace varnolt
