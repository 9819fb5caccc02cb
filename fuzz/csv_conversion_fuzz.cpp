// Arbitrary bytes as a CSV price file, converted into an empty data folder with both groupings.
// A bad file may end the run with CsvLineError or FileError; anything else is a finding, and so
// is a file written anywhere but a year file in the data folder, a year file whose directory
// does not agree with its size, or a second run that does not leave the year files as they were.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include "base/file_error.h"
#include "base/text_file.h"
#include "store/csv_conversion.h"

namespace fs = std::filesystem;
using namespace varnolt;

namespace {

[[noreturn]] void Finding(const std::string& what) {
  std::fprintf(stderr, "csv_conversion_fuzz: %s\n", what.c_str());
  std::abort();
}

void RemoveWorkFolder();

// One folder for the whole process, on tmpfs when there is one: conversions sync their writes.
// Never destroyed, so that the exit handler that removes it can still name it.
const fs::path& WorkFolder() {
  static const fs::path* const folder = [] {
    const fs::path base =
        fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
    std::string pattern = (base / "varnolt-csv-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) Finding("mkdtemp failed");
    std::atexit(RemoveWorkFolder);
    return new fs::path(pattern);
  }();
  return *folder;
}

void RemoveWorkFolder() {
  std::error_code error;
  fs::remove_all(WorkFolder(), error);
}

std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// "yyyy.kbk" for a year the store holds.
bool IsYearFileName(const std::string& name) {
  if (name.size() != 8 || name.substr(4) != ".kbk") return false;
  int year = 0;
  for (int i = 0; i < 4; ++i) {
    if (name[i] < '0' || name[i] > '9') return false;
    year = year * 10 + (name[i] - '0');
  }
  return year >= kFirstStoreYear && year <= kLastStoreYear;
}

unsigned Word(const std::string& bytes, size_t at) {
  return static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8;
}

// The year files of the data folder, each checked for a sound directory.
std::map<std::string, std::string> YearFiles(const fs::path& data) {
  std::map<std::string, std::string> files;
  for (const std::string& name : Names(data)) {
    if (!IsYearFileName(name) || !fs::is_regular_file(data / name)) {
      Finding("unexpected entry in the data folder: " + name);
    }
    const std::string bytes = ReadBytes(data / name);
    if (bytes.size() < kDirectoryBytes) Finding(name + ": shorter than its directory");
    const unsigned count = Word(bytes, 0);
    if (bytes.size() != kDirectoryBytes + count * kSlotBytes)
      Finding(name + ": size and count differ");
    std::set<unsigned> used;
    for (int code = 0; code < kCodeCount; ++code) {
      const unsigned slot = Word(bytes, 2 + 2 * code);
      if (slot == 0) continue;
      if (slot > count || !used.insert(slot).second) Finding(name + ": bad directory entry");
    }
    if (used.size() != count) Finding(name + ": unused slot");
    files[name] = bytes;
  }
  return files;
}

// "" when the run went through, else the kind of error that ended it.
std::string Convert(const fs::path& csv, const fs::path& data, Grouping grouping) {
  try {
    ConvertCsvFiles({csv}, data, grouping);
    return "";
  } catch (const CsvLineError& error) {
    return std::string("CsvLineError: ") + error.what();
  } catch (const FileError& error) {
    return std::string("FileError: ") + error.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::set<std::string> working_folder_names = Names(fs::current_path());
  const fs::path work = WorkFolder();
  const fs::path csv = work / "prices.csv";
  const fs::path data_dir = work / "data";
  {
    std::ofstream out(csv, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  }

  for (const Grouping grouping : {Grouping::kEveryLine, Grouping::kFirstLine}) {
    fs::remove_all(data_dir);
    fs::create_directory(data_dir);
    const std::string first = Convert(csv, data_dir, grouping);
    if (Names(work) != std::set<std::string>{"prices.csv", "data"}) {
      Finding("a file appeared beside the data folder");
    }
    const auto written = YearFiles(data_dir);
    // Converting the same file again changes nothing and stops at the same line.
    const std::string second = Convert(csv, data_dir, grouping);
    if (second != first) Finding("second run differs: '" + first + "' / '" + second + "'");
    if (YearFiles(data_dir) != written) Finding("second run changed the year files");
  }
  if (Names(fs::current_path()) != working_folder_names) {
    Finding("a file appeared in the working folder");
  }
  return 0;
}
