#include "acquisition/server_notices.h"

#include <gtest/gtest.h>

namespace varnolt {
namespace {

TEST(ServerNotices, AllNoticeEveryTimeDatedOnesOnlyWhenLater) {
  const DayNumber june1 = DayFromCivil(2001, 6, 1);
  const std::string dated =
      "<msg>2001/06/01\r\nfirst\r\n</msg>\r\n<msg>bad date\r\nx</msg>\r\n"
      "<msg>2001/06/10\r\ntwo\r\nlines</msg>";
  struct Case {
    std::string text;
    DayNumber last_shown;
    std::optional<std::string> shown;
    DayNumber remembered;
  };
  const Case cases[] = {
      {"  \r\n ", 0, std::nullopt, 0},
      {"<msg>2001/06/01\r\nignored</msg>\r\n<all>\r\nto everyone\r\n</all>", june1, "to everyone",
       0},
      {dated, 0, "first", june1},
      {dated, june1, "two\nlines", DayFromCivil(2001, 6, 10)},
      {dated, DayFromCivil(2001, 6, 10), std::nullopt, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto notice = NoticeToShow(c.text, c.last_shown);
    ASSERT_EQ(notice.has_value(), c.shown.has_value());
    if (!notice) continue;
    EXPECT_EQ(notice->text, *c.shown);
    EXPECT_EQ(notice->day, c.remembered);
  }
}

}  // namespace
}  // namespace varnolt
