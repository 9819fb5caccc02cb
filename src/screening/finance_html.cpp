#include "screening/finance_html.h"

#include <cstdio>

#include "base/fields.h"
#include "screening/stock_browser.h"
#include "series/latest_price.h"
#include "store/catalogue.h"

namespace varnolt {
namespace {

std::string FourDigits(int code) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d", code);
  return text;
}

std::string Cell(std::string_view text) {
  return "<TD><P align=center>" + std::string(text) + "</P></TD>";
}

std::string Link(WebPage page, int code, std::string_view label) {
  return "<A href=\"" + EscapeHtml(WebPageAddress(page, code)) + "\" target=_blank>" +
         std::string(label) + "</A>";
}

}  // namespace

std::string WebPageAddress(WebPage page, int code) {
  const std::string digits = FourDigits(code);
  switch (page) {
    case WebPage::kStatements:
      return "https://kabutan.jp/stock/finance?code=" + digits;
    case WebPage::kYahoo:
      return "https://finance.yahoo.co.jp/quote/" + digits + ".T";
    case WebPage::kInfoseek:
      // Infoseek's market pages are gone; the button opens another current quote page.
      return "https://kabutan.jp/stock/?code=" + digits;
  }
  return {};
}

std::string EscapeHtml(std::string_view text) {
  std::string escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&':
        escaped += "&amp;";
        break;
      case '<':
        escaped += "&lt;";
        break;
      case '>':
        escaped += "&gt;";
        break;
      case '"':
        escaped += "&quot;";
        break;
      case '\'':
        escaped += "&#39;";
        break;
      default:
        escaped += c;
    }
  }
  return escaped;
}

Lines FramePageLines(std::string_view address) {
  return {
      "<HTML><HEAD><TITLE></TITLE></HEAD>",
      "<FRAMESET COLS=\"1%\" FRAMEBORDER=\"1\" BORDER=\"5\" BORDERCOLOR=\"#C0C0C0\">",
      "<FRAME SRC=\"" + EscapeHtml(address) +
          "\" NAME=\"Frame\" MARGINWIDTH=\"3\" MARGINHEIGHT=\"3\">",
      "</FRAMESET></HTML>",
  };
}

std::vector<FinanceRow> FinanceRows(const std::vector<std::string>& items,
                                    const ProgramFolder& folder, DayNumber today) {
  std::vector<FinanceRow> rows;
  for (const std::string& item : items) {
    const std::optional<int> code = CodeOfItem(item);
    if (!code) continue;
    const auto record = ReadFinancialRecord(folder.DataDir(), *code);
    if (!record) continue;
    FinanceRow row;
    row.code = std::string(TrimText(std::string_view(item).substr(0, item.find(':'))));
    row.name = NameOfItem(item);
    row.close = LatestPrice(folder, *code, today, today).close;
    row.record = *record;
    rows.push_back(std::move(row));
  }
  return rows;
}

Lines FinanceHtmlLines(const std::vector<FinanceRow>& rows) {
  Lines lines = {
      "<HTML><HEAD><META http-equiv=Content-Type content=\"text/html;charset=Shift_JIS\">"
      "<TITLE>Varnolt</TITLE>",
      "</HEAD><BODY><P></P><P><TABLE height=100 cellSpacing=0 cellPadding=0 width=\"90%\" "
      "align=center bgColor=#ffff80 border=1>",
      "<TR><TD><P align=center><STRONG>コード</STRONG></P></TD><TD><P "
      "align=center><STRONG>銘柄名</STRONG></P></TD><TD>",
      "<P align=center><STRONG>現在値</STRONG></P></TD><TD><P "
      "align=center><STRONG>PER</STRONG></P></TD><TD><P align=center>",
      "<STRONG>PBR</STRONG></P></TD><TD><P align=center><STRONG>ROE</STRONG></P></TD><TD><P "
      "align=center><STRONG>ROA</STRONG></P>",
      "</TD><TD><P align=center><STRONG>配当利回り</STRONG></P></TD><TD><P "
      "align=center><STRONG>単元株数</STRONG></P></TD><TD><P "
      "align=center><STRONG>ウェブサイト</STRONG></P></TD></TR>",
  };
  for (const FinanceRow& row : rows) {
    std::string line = "<TR>" + Cell(EscapeHtml(row.code)) + Cell(EscapeHtml(row.name)) +
                       Cell(std::to_string(row.close));
    for (double figure : FinancialFigures(row.close, row.record))
      line += Cell(FormatFigure(figure));
    lines.push_back(std::move(line));
    const int code = CodeOfItem(row.code).value_or(0);
    lines.push_back("<TD><P align=center>" + Link(WebPage::kStatements, code, "決算") + "/");
    lines.push_back(Link(WebPage::kYahoo, code, "Yahoo") + "/");
    lines.push_back(Link(WebPage::kInfoseek, code, "Infoseek"));
    lines.push_back("</P></TD></TR>");
  }
  lines.push_back("</TABLE></P></BODY></HTML>");
  return lines;
}

}  // namespace varnolt
