#include "screening/finance_html.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace varnolt {
namespace {

// The table's fixed lines, as a browser must receive them.
const Lines kHead = {
    "<HTML><HEAD><META http-equiv=Content-Type content=\"text/html;charset=Shift_JIS\">"
    "<TITLE>Varnolt</TITLE>",
    "</HEAD><BODY><P></P><P><TABLE height=100 cellSpacing=0 cellPadding=0 width=\"90%\" "
    "align=center bgColor=#ffff80 border=1>",
    "<TR><TD><P align=center><STRONG>コード</STRONG></P></TD><TD><P align=center><STRONG>銘柄名"
    "</STRONG></P></TD><TD>",
    "<P align=center><STRONG>現在値</STRONG></P></TD><TD><P align=center><STRONG>PER</STRONG>"
    "</P></TD><TD><P align=center>",
    "<STRONG>PBR</STRONG></P></TD><TD><P align=center><STRONG>ROE</STRONG></P></TD><TD><P "
    "align=center><STRONG>ROA</STRONG></P>",
    "</TD><TD><P align=center><STRONG>配当利回り</STRONG></P></TD><TD><P align=center><STRONG>"
    "単元株数</STRONG></P></TD><TD><P align=center><STRONG>ウェブサイト</STRONG></P></TD></TR>"};

TEST(FinanceHtmlTest, TableLinesWithEscapedNames) {
  // dividend 30, EPS 100, BPS 0, ROE 8.5, ROA 4.125, unit shares 99.9 at a close of 1000.
  const FinanceRow row{"12", "A&B <株>", 1000, {30, 100, 0, 8.5f, 4.125f, 99.9f}};
  const Lines lines = FinanceHtmlLines({row});
  ASSERT_EQ(lines.size(), kHead.size() + 5 + 1);
  EXPECT_EQ(Lines(lines.begin(), lines.begin() + 6), kHead);
  EXPECT_EQ(lines[6],
            "<TR><TD><P align=center>12</P></TD><TD><P align=center>A&amp;B &lt;株&gt;</P></TD>"
            "<TD><P align=center>1000</P></TD><TD><P align=center>10</P></TD>"
            "<TD><P align=center>0</P></TD><TD><P align=center>8.5</P></TD>"
            "<TD><P align=center>4.12</P></TD><TD><P align=center>3</P></TD>"
            "<TD><P align=center>99</P></TD>");
  // Three links, each opening the page of code 0012 in a new window, separated by "/".
  const std::string links = lines[7] + lines[8] + lines[9];
  EXPECT_TRUE(lines[7].starts_with("<TD><P align=center><A href=\""));
  for (const auto& [page, label] :
       {std::pair{WebPage::kStatements, ">決算</A>/"}, std::pair{WebPage::kYahoo, ">Yahoo</A>/"},
        std::pair{WebPage::kInfoseek, ">Infoseek</A>"}}) {
    const std::string link = "<A href=\"" + WebPageAddress(page, 12) + "\" target=_blank" + label;
    EXPECT_NE(links.find(link), std::string::npos) << link;
  }
  EXPECT_EQ(lines[10], "</P></TD></TR>");
  EXPECT_EQ(lines.back(), "</TABLE></P></BODY></HTML>");
  EXPECT_EQ(FinanceHtmlLines({}).size(), kHead.size() + 1);
}

TEST(FinanceHtmlTest, FramePageAndAddresses) {
  const Lines frame = FramePageLines("https://x.example/q?a=1&b=\"2\"");
  EXPECT_EQ(frame, (Lines{"<HTML><HEAD><TITLE></TITLE></HEAD>",
                          "<FRAMESET COLS=\"1%\" FRAMEBORDER=\"1\" BORDER=\"5\" "
                          "BORDERCOLOR=\"#C0C0C0\">",
                          "<FRAME SRC=\"https://x.example/q?a=1&amp;b=&quot;2&quot;\" "
                          "NAME=\"Frame\" MARGINWIDTH=\"3\" MARGINHEIGHT=\"3\">",
                          "</FRAMESET></HTML>"}));
  for (WebPage page : {WebPage::kStatements, WebPage::kYahoo, WebPage::kInfoseek}) {
    const std::string address = WebPageAddress(page, 7203);
    EXPECT_TRUE(address.starts_with("https://")) << address;
    EXPECT_NE(address.find("7203"), std::string::npos) << address;
    EXPECT_NE(WebPageAddress(page, 12).find("0012"), std::string::npos);
  }
  EXPECT_NE(WebPageAddress(WebPage::kYahoo, 7203), WebPageAddress(WebPage::kInfoseek, 7203));
  EXPECT_EQ(EscapeHtml("'<&>\""), "&#39;&lt;&amp;&gt;&quot;");
}

}  // namespace
}  // namespace varnolt
