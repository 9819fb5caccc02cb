#include <optional>
#include <set>

#include "base/fields.h"
#include "commands.h"
#include "screening/condition_list.h"
#include "screening/condition_set_file.h"
#include "store/catalogue.h"

namespace varnolt::cli {
namespace {

// An index into a filter list of `size` entries; 0 (no filter) when the option is absent.
int FilterIndex(const std::optional<std::string>& text, const std::string& name, size_t size) {
  if (!text) return 0;
  const auto index = ParseInt(*text);
  if (!index || *index < 0 || static_cast<size_t>(*index) >= size) {
    throw UsageError(name + " needs an index 0-" + std::to_string(size - 1));
  }
  return *index;
}

// The list items of the codes, in catalogue order.
std::vector<std::string> ItemsOfCodes(const Lines& catalogue, const std::string& codes_text) {
  std::set<int> codes;
  std::string rest = codes_text;
  while (!rest.empty()) codes.insert(ParseCodeArgument(SplitField(rest, ",")));
  std::vector<std::string> items;
  for (std::string& item : ListRecords(catalogue, "")) {
    const auto code = CodeOfItem(item);
    if (code && codes.erase(*code) > 0) items.push_back(std::move(item));
  }
  if (!codes.empty()) {
    throw UserMessage("コード " + std::to_string(*codes.begin()) + " は銘柄一覧にありません");
  }
  return items;
}

}  // namespace

// screen [--settings F] [--set C=T]... [--market M --sector S | --checked GROUP | --codes C,…]
// (--file SET.ini | --line LINE...): screens the stocks as of today as the screening window's
// ｽｸﾘｰﾆﾝｸﾞ実行 does and lists the survivors with their count.
int ScreenCommand(Context& context, Args& args) {
  const ControlValues controls = ReadControlOptions(args);
  const Lines catalogue = LoadCatalogue(context.folder.Root());
  const std::vector<std::string> sectors = SectorFilterList(catalogue);

  const auto market = args.TakeOption("--market");
  const auto sector = args.TakeOption("--sector");
  const auto checked = args.TakeOption("--checked");
  const auto codes = args.TakeOption("--codes");
  if ((market || sector) + !!checked + !!codes > 1) {
    throw UsageError("choose one of --market/--sector, --checked and --codes");
  }

  std::optional<ConditionSet> set;
  if (const auto file = args.TakeOption("--file")) {
    set = ReadConditionSetFile(Utf8Path(*file));
    if (!set) throw UserMessage(*file + " はスクリーニング条件のファイルではありません");
  }
  Lines lines;
  while (const auto line = args.TakeOption("--line")) lines.push_back(*line);
  args.Positionals(0);
  if (set.has_value() == !lines.empty()) throw UsageError("give either --file or --line");
  if (set) lines = set->conditions;

  std::vector<std::string> stocks;
  if (codes) {
    stocks = ItemsOfCodes(catalogue, *codes);
  } else if (checked) {
    stocks = ListRecords(catalogue,
                         checked->empty() ? std::string(kCheckMark) : CheckedFilter(*checked));
  } else if (market || sector) {
    const int market_index = FilterIndex(market, "--market", MarketFilterList().size());
    const int sector_index = FilterIndex(sector, "--sector", sectors.size());
    stocks = ListRecords(catalogue, MarketSectorFilter(market_index, sector_index, sectors));
  } else if (set) {
    stocks = ListRecords(catalogue, set->selection.Filter(sectors));
  } else {
    stocks = ListRecords(catalogue, "");
  }

  const Lines no_holdings;
  const ScreeningScope scope{context.folder, controls, context.today, context.today, no_holdings};
  EvaluateConditionList(lines, stocks, scope);
  for (const std::string& item : stocks) context.out << item << "\n";
  context.out << "該当 " << stocks.size() << " 件\n";
  return 0;
}

}  // namespace varnolt::cli
