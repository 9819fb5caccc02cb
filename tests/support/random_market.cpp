#include "support/random_market.h"

#include <array>
#include <bit>
#include <random>

#include "base/text_file.h"
#include "store/catalogue.h"
#include "store/day_record.h"

namespace varnolt::testing {

void WriteFinanceFile(const PriceStore& store,
                      const std::vector<std::pair<int, std::array<float, 6>>>& records) {
  std::string bytes(kDirectoryBytes, '\0');
  for (size_t n = 0; n < records.size(); ++n) {
    const auto& [code, figures] = records[n];
    const auto number = static_cast<uint16_t>(n + 1);
    bytes[2 + 2 * code] = static_cast<char>(number & 0xff);
    bytes[3 + 2 * code] = static_cast<char>(number >> 8);
    for (float figure : figures) {
      const uint32_t bits = std::bit_cast<uint32_t>(figure);
      for (int b = 0; b < 4; ++b) bytes.push_back(static_cast<char>(bits >> (8 * b)));
    }
  }
  WriteBytesAtomically(store.Folder().DataDir() / "finance.dat", bytes);
}

RandomMarket::RandomMarket(PriceStore& store, uint32_t seed, int stocks, int32_t first_day,
                           int32_t last_day, int32_t split_until) {
  std::mt19937 random(seed);
  const auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const DayNumber first = DayOf(first_day);
  const DayNumber last = DayOf(last_day);
  Lines catalogue;
  std::vector<std::pair<int, std::array<float, 6>>> records;
  for (int s = 0; s < stocks; ++s) {
    const int code = 1300 + 37 * s;
    codes.push_back(code);
    catalogue.insert(catalogue.end(), {std::to_string(code), "銘柄" + std::to_string(s),
                                       s % 3 == 0 ? "●水産●○東証一部○◎" : "●建設●○東証二部○"});
    if (s % 7 == 6) continue;  // listed, but no prices at all
    const bool weekends = s == 5;
    const DayNumber listed = s % 11 == 3 ? last - uniform(10, 60) : first;
    double price = uniform(50, 5000);
    for (DayNumber day = listed; day <= last; ++day) {
      const int year = CivilFromDay(day).year;
      if (day - DayFromCivil(year, 1, 1) + 1 > kDaysPerSlot) continue;
      if (!weekends && Weekday(day) <= 1) continue;
      if (uniform(0, 30) == 0) continue;  // a day without trading
      price = std::max(5.0, price * (1 + uniform(-40, 41) / 1000.0));
      const auto close = static_cast<int32_t>(price);
      DayRow row;
      row.code = code;
      row.open = uniform(0, 20) == 0 ? 0 : close + uniform(-3, 3);
      row.high = close + uniform(0, 10);
      row.low = std::max(1, close - uniform(0, 10));
      row.close = close;
      row.volume = uniform(1000, 900000);
      if (s % 4 == 1 && uniform(0, 120) == 0) row.split = uniform(0, 1) ? 2.0f : 1.5f;
      store.Row(day, row);
    }
    // Splits after the evaluation day restate everything before them.
    if (s % 5 == 2 && split_until > last_day) {
      DayRow row;
      row.code = code;
      row.split = 3.0f;
      store.Row(DayOf(split_until), row);
    }
    if (s % 6 != 4) {
      const float eps = s % 9 == 0 ? 0.0f : static_cast<float>(uniform(-50, 300));
      const float bps = s % 10 == 0 ? 0.0f : static_cast<float>(uniform(100, 3000));
      records.push_back(
          {code,
           {static_cast<float>(uniform(0, 60)), eps, bps,
            static_cast<float>(uniform(-100, 300)) / 10, static_cast<float>(uniform(-50, 150)) / 10,
            static_cast<float>(s % 13 == 0 ? 0 : 100 * uniform(1, 10))}});
    }
  }
  store.Flush();
  store.WriteCatalogue(catalogue);
  items = ListRecords(catalogue, "");
  WriteFinanceFile(store, records);
}

}  // namespace varnolt::testing
