#include "simulation/holdings_ledger.h"

#include <array>

#include "base/numbers.h"
#include "series/latest_price.h"
#include "store/catalogue.h"
#include "store/day_record.h"

namespace varnolt {
namespace {

constexpr std::string_view kOpen = "【";
constexpr std::string_view kClose = "】";

const std::string& DashLine() {
  static const std::string dashes(82, '-');
  return dashes;
}

// The adjusted count that does not read falls back to the shares bought.
HoldingFields WithAdjustedShares(HoldingFields fields) {
  if (!ParseInt(fields.adjusted_shares)) fields.adjusted_shares = fields.shares_bought;
  return fields;
}

std::string Yen(int64_t amount) {
  return std::to_string(amount);
}

}  // namespace

std::string HoldingLine(const HoldingFields& f) {
  return "日付【" + f.date + "】 銘柄コード【" + f.code + "】 購入時株価【" + f.price +
         "】 購入株数【" + f.shares_bought + "】 調整後株数【" + f.adjusted_shares + "】";
}

HoldingFields ParseHoldingLine(std::string_view line) {
  HoldingFields fields;
  const std::array<std::string*, 5> targets = {&fields.date, &fields.code, &fields.price,
                                               &fields.shares_bought, &fields.adjusted_shares};
  size_t from = 0;
  for (std::string* target : targets) {
    const size_t open = line.find(kOpen, from);
    if (open == std::string_view::npos) break;
    const size_t start = open + kOpen.size();
    const size_t close = line.find(kClose, start);
    if (close == std::string_view::npos) break;
    *target = std::string(line.substr(start, close - start));
    from = close + kClose.size();
  }
  return fields;
}

std::optional<HoldingFields> NewHolding(HoldingFields fields) {
  if (!ParseInt(fields.code) || !ParseInt(fields.price) || !ParseInt(fields.shares_bought))
    return std::nullopt;
  return WithAdjustedShares(std::move(fields));
}

std::optional<HoldingFields> ModifiedHolding(HoldingFields fields) {
  if (!ParseInt(fields.shares_bought)) return std::nullopt;
  return WithAdjustedShares(std::move(fields));
}

Lines LoadHoldings(const ProgramFolder& folder) {
  return ReadLinesIfPresent(folder.DataDir() / "possess.txt").value_or(Lines{});
}

void SaveHoldings(const ProgramFolder& folder, const Lines& holdings) {
  folder.EnsureDataDir();
  WriteLines(folder.DataDir() / "possess.txt", holdings);
}

Lines ProfitAndLossReport(const Lines& holdings, const Lines& catalogue, const ClosePrice& close) {
  Lines report{DashLine()};
  int64_t total_cost = 0;
  int64_t total_value = 0;
  for (const std::string& line : holdings) {
    const HoldingFields f = ParseHoldingLine(line);
    const int32_t code = ToInt(f.code);
    const int64_t price = ToInt(f.price);
    const int64_t bought = ToInt(f.shares_bought);
    const int64_t adjusted = ToInt(f.adjusted_shares);
    const auto record = FindRecordByCode(catalogue, f.code);
    const std::string name =
        record && *record + 1 < catalogue.size() ? catalogue[*record + 1] : std::string();
    const int64_t now = close(code);
    const int64_t cost = price * bought;
    const int64_t value = now * adjusted;
    total_cost += cost;
    total_value += value;
    report.push_back((value - cost > 0 ? "◎[" : "●[") + f.code + "] " + name);
    report.push_back("   購入額【" + Yen(price) + "円 x " + Yen(bought) + "株 = " + Yen(cost) +
                     "円】");
    report.push_back("   評価額【" + Yen(now) + "円 x " + Yen(adjusted) + "株 = " + Yen(value) +
                     "円】");
    report.push_back("   損　益【" + Yen(value - cost) + "円】");
  }
  report.insert(report.end(), {"", DashLine(), ""});
  report.push_back("             総購入額【 " + Yen(total_cost) + "円 】");
  report.push_back("             総評価額【 " + Yen(total_value) + "円 】");
  report.push_back("             総 損 益【 " + Yen(total_value - total_cost) + "円 】");
  return report;
}

Lines ProfitAndLossReport(const ProgramFolder& folder, const Lines& holdings, DayNumber today) {
  const Lines catalogue = ReadLinesIfPresent(folder.File("codedata.txt")).value_or(Lines{});
  return ProfitAndLossReport(holdings, catalogue, [&](int code) -> int32_t {
    // A code the store cannot hold has no price, like a code without data.
    if (code < 0 || code >= kCodeCount) return 0;
    return LatestPrice(folder, code, today, today).close;
  });
}

}  // namespace varnolt
