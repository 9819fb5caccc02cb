#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/program_folder.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "store/financial_data.h"

namespace varnolt {

// The outside web pages about a stock that the browser opens: a statements page ("決算") and two
// quote pages ("Yahoo", "Infoseek").
enum class WebPage { kStatements, kYahoo, kInfoseek };

// The address of a page for a code, written with four digits. Every address lives here.
std::string WebPageAddress(WebPage page, int code);

// Text with &, <, >, " and ' written as HTML character references.
std::string EscapeHtml(std::string_view text);

// temp.html: a one-frame page that shows the address.
Lines FramePageLines(std::string_view address);

// One row of the financial table: a listed stock with a financial record.
struct FinanceRow {
  std::string code;  // as the list item writes it
  std::string name;
  int32_t close = 0;
  FinancialRecord record;
};

// The rows of the listed items as of `today`, in list order; items without a financial record
// (or without a code) have none. Throws FileError when a year file or the financial data
// cannot be read.
std::vector<FinanceRow> FinanceRows(const std::vector<std::string>& items,
                                    const ProgramFolder& folder, DayNumber today);

// data/finance.html: the table of the rows with links to each stock's web pages.
Lines FinanceHtmlLines(const std::vector<FinanceRow>& rows);

}  // namespace varnolt
