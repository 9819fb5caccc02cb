// varnolt-demo [--seed N] [--today YYYYMMDD] [--stocks N] DIR: writes an invented program folder to
// DIR. varnolt-demo --installed DIR: adds the program's installed files that DIR lacks.

#include <cstdio>
#include <ctime>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "base/numbers.h"
#include "demo/demo_data.h"
#include "demo/installed_files.h"
#include "series/calendar.h"

namespace {

constexpr const char* kUsage =
    "usage: varnolt-demo [--seed N] [--today YYYYMMDD] [--stocks N] DIR\n"
    "       varnolt-demo --installed DIR\n";

int32_t LocalToday() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

struct Arguments {
  varnolt::demo::DemoOptions options;
  std::filesystem::path folder;
};

// The arguments, or nothing after writing what is wrong to stderr.
std::optional<Arguments> ParseArguments(int argc, char** argv) {
  Arguments arguments;
  std::optional<int32_t> today;
  bool have_folder = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    if (arg == "--seed" && has_value) {
      const auto seed = varnolt::ParseInt64(argv[++i]);
      if (!seed || *seed < 0 || *seed > UINT32_MAX) {
        std::fprintf(stderr, "varnolt-demo: the seed must be a whole number 0–4294967295\n");
        return std::nullopt;
      }
      arguments.options.seed = static_cast<uint32_t>(*seed);
    } else if (arg == "--stocks" && has_value) {
      const auto count = varnolt::ParseInt(argv[++i]);
      if (!count || *count < static_cast<int>(varnolt::demo::kAnchorCodes.size()) ||
          *count > varnolt::demo::kMaxDemoStocks) {
        std::fprintf(stderr, "varnolt-demo: --stocks needs a count %zu–%d\n",
                     varnolt::demo::kAnchorCodes.size(), varnolt::demo::kMaxDemoStocks);
        return std::nullopt;
      }
      arguments.options.stock_count = *count;
    } else if (arg == "--today" && has_value) {
      const std::string_view text = argv[++i];
      if (text.size() != 8 || !varnolt::IsAllDigits(text) || varnolt::CompactToDay(text) == 0) {
        std::fprintf(stderr, "varnolt-demo: --today needs a date as YYYYMMDD\n");
        return std::nullopt;
      }
      today = varnolt::ParseInt(text).value();
    } else if (!arg.empty() && arg[0] != '-' && !have_folder) {
      arguments.folder = arg;
      have_folder = true;
    } else {
      std::fputs(kUsage, stderr);
      return std::nullopt;
    }
  }
  if (!have_folder) {
    std::fputs(kUsage, stderr);
    return std::nullopt;
  }
  arguments.options.today = today.value_or(LocalToday());
  return arguments;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string_view(argv[1]) == "--installed") {
    try {
      varnolt::demo::WriteInstalledFiles(varnolt::ProgramFolder(argv[2]));
      return 0;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "varnolt-demo: %s\n", error.what());
      return 1;
    }
  }
  const auto arguments = ParseArguments(argc, argv);
  if (!arguments) return 1;
  try {
    const auto summary = varnolt::demo::GenerateDemoFolder(arguments->folder, arguments->options);
    std::printf("%d stocks, %d years (%d-%d), %lld day records written to %s\n", summary.stocks,
                summary.last_year - summary.first_year + 1, summary.first_year, summary.last_year,
                static_cast<long long>(summary.rows), arguments->folder.string().c_str());
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "varnolt-demo: %s\n", error.what());
    return 1;
  }
}
