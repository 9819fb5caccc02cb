#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/text_file.h"

namespace varnolt::demo {

// What to generate. The same options always give the same files, byte for byte.
struct DemoOptions {
  uint32_t seed = 1;
  int stock_count = 400;  // at least kAnchorCodes.size(), at most kMaxDemoStocks
  int first_year = 2000;
  int last_year = 0;  // 0: the year of `today`
  int32_t today = 0;  // yyyymmdd: the last day that can have prices; must be a valid date
};

inline constexpr int kMaxDemoStocks = 6000;

// One stock of the invented catalogue.
struct DemoStock {
  int code = 0;
  std::string name;
  std::string sector;
  std::string market;
  std::string check;  // the check part of the attribute line: "", "◎" or "◎注目◎"
};

// Codes that every catalogue holds whatever the seed and count, so that tests and documents can
// name them. All are listed on 東証一部 before the first year and never suspended.
// 8306 is a low-priced stock that trades more than a billion shares on some days (stored as a
// negative volume); 9997 is a high-priced stock (hundreds of thousands of yen).
inline constexpr std::array<int, 6> kAnchorCodes = {1301, 4502, 6501, 7203, 8306, 9997};
inline constexpr int kHeavyTradedCode = 8306;
inline constexpr int kHighPricedCode = 9997;

// The catalogue for a seed, in code order: four-digit codes spread over the exchange's sector
// bands, invented unique names, markets of the market filter list, a few checked stocks and a
// few in the check group "注目". Throws std::invalid_argument for a count out of range.
std::vector<DemoStock> DemoCatalogue(uint32_t seed, int stock_count);

// The lines of codedata.txt: code, name and attribute line of each stock.
Lines CatalogueLines(const std::vector<DemoStock>& stocks);

struct DemoSummary {
  int stocks = 0;
  int first_year = 0;
  int last_year = 0;
  int64_t rows = 0;  // day records written over all year files
};

// Writes a complete program folder at `root`: codedata.txt, holidays.txt (1990–2035, widened
// to cover the years asked for), a year price file for every year of the range with the prices
// of every trading day up to `today`, and data/finance.dat. The folder must be absent or empty,
// so that a real program folder is never overwritten or mixed with invented prices; otherwise
// throws FileError. Invalid options throw std::invalid_argument.
DemoSummary GenerateDemoFolder(const std::filesystem::path& root, const DemoOptions& options);

}  // namespace varnolt::demo
