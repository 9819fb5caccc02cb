#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/chart_image.h"
#include "app/radio_group.h"
#include "app/signal_page.h"
#include "app/tf_main.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "support/price_store.h"
#include "support/temp_folder.h"
#include "widget_lookup.h"

namespace {

constexpr QRgb kMarkPixel = 0xFF008000;

int CountPixels(const QImage& image, QRgb colour) {
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) count += row[x] == colour ? 1 : 0;
  }
  return count;
}

class SignalPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    varnolt::testing::PriceStore store(temp_.Path());
    store.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○"});
    store.WriteHolidays({});
    for (int day = 1; day <= 12; ++day) {
      if (day == 6 || day == 7) continue;  // a weekend
      store.Day(1301, 20040300 + day, 1000 + day, 1050 + day, 950 + day, 1010 + day, 1000);
    }
    store.Flush();
    always_ = (temp_.Path() / "data" / "always.ini").string();
    varnolt::WriteLines(always_, {"---screening---,0,0", "0,0,0: x[0][100000]"});
  }

  std::unique_ptr<TfMain> OpenWindow() {
    const varnolt::DayNumber today = varnolt::DayFromCivil(2004, 3, 31);
    auto window =
        std::make_unique<TfMain>(varnolt::ProgramFolder(temp_.Path()), [today] { return today; });
    window->warn = [this](const QString& message) { warnings_.push_back(message); };
    window->inform = [this](const QString& message) { notes_.push_back(message); };
    page_ = window->findChild<SignalPage*>();
    EXPECT_NE(page_, nullptr);
    page_->chooseSetFiles = [this](const QString&) { return chosen_; };
    window->show();
    QApplication::processEvents();
    return window;
  }

  static void Press(const TfMain& window, const char* button) {
    Child<QPushButton>(window, button)->click();
  }

  // Loads 1301 over March 2004 into data 1 in the unit and shows its chart on a white image.
  static void LoadAndShow(const TfMain& window, int unit = 0) {
    Press(window, "Button4");
    Child<RadioGroup>(window, "RG1")->setItemIndex(unit);
    Child<QComboBox>(window, "cbdata1")->setEditText("1301");
    Child<QLineEdit>(window, "edDtst1")->setText("20040301");
    Child<QLineEdit>(window, "edDted1")->setText("20040312");
    Press(window, "buselect");
    Press(window, "buShow1");
  }

  varnolt::testing::TempFolder temp_;
  std::string always_;
  QStringList chosen_;
  SignalPage* page_ = nullptr;
  std::vector<QString> warnings_;
  std::vector<QString> notes_;
};

TEST_F(SignalPageTest, ListsNumberTheirFilesAndTravelThroughTheirFiles) {
  auto window = OpenWindow();
  chosen_ = {"/sets/a.ini", "/sets/b.ini"};
  Press(*window, "Button59");
  chosen_ = {"/sets/c.ini"};
  Press(*window, "Button59");
  Press(*window, "Button60");
  EXPECT_EQ(ListItems(*window, "lbbuy"),
            (QStringList{"条件1: /sets/a.ini", "条件2: /sets/b.ini", "条件3: /sets/c.ini"}));
  EXPECT_EQ(ListItems(*window, "lbsell"), QStringList{"条件1: /sets/c.ini"});
  chosen_ = {};  // a cancelled dialog adds nothing
  Press(*window, "Button60");
  EXPECT_EQ(ListItems(*window, "lbsell").size(), 1);

  Press(*window, "Button62");
  EXPECT_EQ(notes_, std::vector<QString>{"OK"});
  const varnolt::ProgramFolder folder(temp_.Path());
  EXPECT_EQ(varnolt::ReadLines(folder.File("signal2.ini")), varnolt::Lines{"条件1: /sets/c.ini"});

  Press(*window, "Button56");
  Press(*window, "Button61");
  EXPECT_TRUE(ListItems(*window, "lbbuy").isEmpty());
  EXPECT_TRUE(ListItems(*window, "lbsell").isEmpty());

  // The buy list comes back from its file; the sell file is gone, so the sell list empties.
  Press(*window, "Button60");
  std::filesystem::remove(folder.File("signal2.ini"));
  Press(*window, "Button63");
  EXPECT_EQ(ListItems(*window, "lbbuy").size(), 3);
  EXPECT_EQ(ListItems(*window, "lbbuy")[2], "条件3: /sets/c.ini");
  EXPECT_TRUE(ListItems(*window, "lbsell").isEmpty());
  EXPECT_TRUE(warnings_.empty());
}

// Marks need the data set's own switch and daily bars; a listed file that cannot be read ends
// the display with its error; the diagnostic listing needs its mode and オシレーター表示.
TEST_F(SignalPageTest, DisplayMarksTheChartAsSwitchedAndListsOnlyInDiagnosticMode) {
  auto window = OpenWindow();
  chosen_ = {QString::fromStdString(always_)};
  Press(*window, "Button59");
  Press(*window, "Button60");
  auto* statistics = Child<QTextEdit>(*window, "reStat");
  Child<QCheckBox>(*window, "cbshowosci")->setChecked(true);
  const auto marks_after_display = [&](int unit) {
    LoadAndShow(*window, unit);
    return CountPixels(Child<ChartImage>(*window, "imMain")->image(), kMarkPixel);
  };

  EXPECT_EQ(marks_after_display(0), 0);
  Child<QCheckBox>(*window, "cbsignal2")->setChecked(true);
  EXPECT_EQ(marks_after_display(0), 0);
  Child<QCheckBox>(*window, "cbsignal1")->setChecked(true);
  EXPECT_GT(marks_after_display(0), 0);
  EXPECT_EQ(marks_after_display(1), 0);  // weekly bars
  EXPECT_FALSE(statistics->toPlainText().contains("20040312:1022"));

  page_->setDiagnosticMode(true);
  EXPECT_GT(marks_after_display(0), 0);
  EXPECT_TRUE(statistics->toPlainText().contains("20040312:1022"));
  EXPECT_TRUE(warnings_.empty());

  chosen_ = {QString::fromStdString((temp_.Path() / "data" / "gone.ini").string())};
  Press(*window, "Button59");
  EXPECT_EQ(marks_after_display(0), 0);
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_TRUE(warnings_[0].contains("gone.ini")) << warnings_[0].toStdString();
}

}  // namespace
