#include "cli_context.h"
#include "store/csv_conversion.h"

namespace varnolt::cli {

// convert [--first-line] FILE...: the CSV conversion into the data folder, silent on success.
int ConvertCommand(Context& context, Args& args) {
  const Grouping grouping =
      args.TakeFlag("--first-line") ? Grouping::kFirstLine : Grouping::kEveryLine;
  std::vector<std::filesystem::path> files;
  for (const auto& word : args.AllPositionals(1)) files.emplace_back(word);
  context.folder.EnsureDataDir();
  ConvertCsvFiles(files, context.folder.DataDir(), grouping);
  return 0;
}

}  // namespace varnolt::cli
