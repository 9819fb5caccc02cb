#include "simulation/report_lines.h"

#include "base/text_codec.h"

namespace varnolt {

std::string PadNumber(int64_t value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

std::string PadText(std::string_view text, int width) {
  const int bytes = static_cast<int>(Utf8ToSjis(text).size());
  std::string padded(text);
  if (bytes < width) padded.insert(0, static_cast<size_t>(width - bytes), ' ');
  return padded;
}

std::string TradeHeadLine(bool sale, DayNumber day, std::string_view code, std::string_view name) {
  return std::string(sale ? "○" : "●") + DayToSlash(day) + " : (" + std::string(code) + ")  " +
         std::string(name);
}

std::string SaleLine(int64_t shares, int64_t price, int64_t proceeds, int64_t cash,
                     int64_t profit) {
  return "    " + PadNumber(shares, 7) + " 株売却　単価 " + PadNumber(price, 6) + "  計 " +
         PadNumber(proceeds, 7) + "円  (残高) " + PadNumber(cash, 7) + "円　【損益】 " +
         PadNumber(profit, 7);
}

std::string PurchaseLine(int64_t shares, int64_t price, int64_t amount, int64_t cash) {
  return "    " + PadNumber(shares, 7) + " 株購入　単価 " + PadNumber(price, 6) + "  計 " +
         PadNumber(amount, 7) + "円  (残高) " + PadNumber(cash, 7) + "円";
}

std::string DayFeeLine(int64_t fee, int64_t cash, int64_t total) {
  return "    <<< 以上の取引手数料: " + PadNumber(fee, 7) +
         " 円 / 資金残高: " + PadNumber(cash, 7) + " 円 / 資金＋評価額: " + PadNumber(total, 7) +
         " 円 >>>";
}

std::string MonthlyFeeLine(int month, int64_t fee, int64_t cash, int64_t total) {
  return "    <<<<< " + PadNumber(month, 2) + "月の月定額手数料: " + PadNumber(fee, 7) +
         " 円 / 資金残高: " + PadNumber(cash, 7) + " 円 / 資金＋評価額: " + PadNumber(total, 7) +
         " 円 >>>>>";
}

std::string HoldingHeadLine(std::string_view code, std::string_view name) {
  return "◎ (" + std::string(code) + ")  " + std::string(name);
}

std::string HoldingLine(int64_t shares, int64_t paid, int64_t value, DayNumber priced,
                        bool to_be_sold) {
  return "             株数 " + PadNumber(shares, 8) + "  購入金額 " + PadNumber(paid, 7) +
         "円  評価額 " + PadNumber(value, 7) + "円 (" + DayToSlash(priced) + " 現在)" +
         (to_be_sold ? "【売却予定】" : "");
}

std::string TotalLine(std::string_view label, int64_t amount) {
  return "     " + PadText(label, 22) + " " + PadNumber(amount, 8) + "円";
}

}  // namespace varnolt
