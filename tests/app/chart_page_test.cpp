#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTextEdit>
#include <memory>
#include <vector>

#include "app/chart_image.h"
#include "app/radio_group.h"
#include "app/tf_main.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "support/price_store.h"
#include "support/temp_folder.h"
#include "widget_lookup.h"

namespace {

using varnolt::DayFromCivil;

constexpr QRgb kWhitePixel = 0xFFFFFFFF;
constexpr QRgb kRedPixel = 0xFFFF0000;

// Rows y1..y2−1 of the image hold nothing but white.
bool AllWhite(const QImage& image, int y1, int y2) {
  for (int y = std::max(y1, 0); y < std::min(y2, image.height()); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] != kWhitePixel) return false;
    }
  }
  return true;
}

bool HasPixel(const QImage& image, QRgb colour) {
  for (int y = 0; y < image.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] == colour) return true;
    }
  }
  return false;
}

class ChartPageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    varnolt::testing::PriceStore store(temp_.Path());
    store.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○", "7203", "トヨタ自動車",
                          "●輸送用機器●○東証一部○"});
    store.WriteHolidays({});
    // A warm-up Friday far outside the displayed prices: the automatic scale must ignore it.
    store.Day(1301, 20040227, 600, 2000, 500, 700, 100);
    // Ten trading days, rising and falling in turn: highs up to 1140, lows down to 970.
    constexpr int kDays[] = {1, 2, 3, 4, 5, 8, 9, 10, 11, 12};
    for (int i = 0; i < 10; ++i) {
      const int open = 1000 + 10 * i;
      const int close = i % 2 == 0 ? open + 20 : open - 20;
      store.Day(1301, 20040300 + kDays[i], open, open + 50, open - 30, close, 1000 + i);
    }
    store.Flush();
  }

  std::unique_ptr<TfMain> OpenWindow(varnolt::DayNumber today = DayFromCivil(2004, 3, 31)) {
    auto window =
        std::make_unique<TfMain>(varnolt::ProgramFolder(temp_.Path()), [today] { return today; });
    window->warn = [this](const QString& message) { warnings_.push_back(message); };
    window->inform = [this](const QString& message) { notes_.push_back(message); };
    window->chooseFilesToOpen = [](const QString&) { return QStringList(); };
    window->chooseFileToSave = [](const QString&, const QString&) { return QString(); };
    window->show();
    QApplication::processEvents();
    return window;
  }

  static const QImage& Image(const TfMain& window) {
    return Child<ChartImage>(window, "imMain")->image();
  }

  static void SetText(const TfMain& window, const char* name, const QString& text) {
    Child<QLineEdit>(window, name)->setText(text);
  }

  static void Load(const TfMain& window, const char* code = "1301", int data_number = 1) {
    const bool first = data_number == 1;
    Child<QComboBox>(window, first ? "cbdata1" : "cbdata2")->setEditText(code);
    SetText(window, first ? "edDtst1" : "edDtst2", "20040301");
    SetText(window, first ? "edDted1" : "edDTed2", "20040312");
    Child<QPushButton>(window, first ? "buselect" : "buselect2")->click();
  }

  static void Press(const TfMain& window, const char* button) {
    Child<QPushButton>(window, button)->click();
  }

  void ExpectNoWarnings() const {
    EXPECT_TRUE(warnings_.empty()) << warnings_.front().toStdString();
  }

  varnolt::testing::TempFolder temp_;
  std::vector<QString> warnings_;
  std::vector<QString> notes_;
};

TEST_F(ChartPageTest, PagesStartWithTheirDefaultsAndTheBridgeReadsAndWritesThem) {
  auto window = OpenWindow();
  // Every control the core knows and the window already has starts with the core's value.
  const varnolt::ControlValues defaults = varnolt::ControlValues::Defaults();
  const varnolt::ControlValues read = window->ReadControls();
  int present = 0;
  for (const auto& [name, value] : defaults.All()) {
    if (window->findChild<QWidget*>(QString::fromStdString(name)) == nullptr) continue;
    ++present;
    EXPECT_EQ(read.Text(name), value) << name;
  }
  EXPECT_GE(present, 28);  // both basic settings pages and the trend page's region boxes

  EXPECT_EQ(Child<QCheckBox>(*window, "cbauto2")->text(), "自動設定");
  EXPECT_EQ(Child<QRadioButton>(*window, "rbendline")->text(), "終値折線");
  EXPECT_EQ(Child<QPushButton>(*window, "Button17")->text(), "領域クリア");
  EXPECT_FALSE(Child<QAction>(*window, "mUndo")->isEnabled());
  EXPECT_TRUE(AllWhite(Image(*window), 0, Image(*window).height()));

  // While the scale is automatic its boxes are read-only; a write through the bridge acts as a
  // click would.
  EXPECT_TRUE(Child<QLineEdit>(*window, "edUP")->isReadOnly());
  varnolt::ControlValues values;
  values.SetChecked("cbauto1", false);
  values.SetChecked("rbendbox2", true);
  values.Set("ed2v1", "4");
  window->WriteControls(values);
  EXPECT_FALSE(Child<QLineEdit>(*window, "edUP")->isReadOnly());
  EXPECT_FALSE(Child<QLineEdit>(*window, "edInter")->isReadOnly());
  EXPECT_TRUE(Child<QLineEdit>(*window, "edUP2")->isReadOnly());
  const varnolt::ControlValues after = window->ReadControls();
  EXPECT_EQ(after.Text("rbendbox2"), "true");
  EXPECT_EQ(after.Text("rbfour2"), "false");
  EXPECT_EQ(after.Text("ed2v1"), "4");
  EXPECT_EQ(after.Text("rbfour"), "true");  // data 1's page is its own group
}

TEST_F(ChartPageTest, DisplayDrawsCandlesAndLeavesTheScaleInTheBoxes) {
  auto window = OpenWindow();
  Load(*window);
  ASSERT_TRUE(window->data1().loaded);
  Press(*window, "buShow1");
  ExpectNoWarnings();

  EXPECT_TRUE(window->data1().chart_shown);
  EXPECT_EQ(window->data1().command_record, "1,1,1,10,");
  EXPECT_EQ(Child<QTabWidget>(*window, "PCup")->currentWidget()->objectName(), "tsChart");
  const QImage& image = Image(*window);
  EXPECT_EQ(image.size(), Child<QWidget>(*window, "tsChart")->size());
  EXPECT_TRUE(HasPixel(image, kRedPixel));  // rising candles
  EXPECT_TRUE(Child<QAction>(*window, "mUndo")->isEnabled());
  // Highs up to 1140 and lows down to 970: a margin of (1140 − 970) div 8 = 21 either side,
  // and a fifth of the range, 34, cut to its leading digit.
  EXPECT_EQ(Child<QLineEdit>(*window, "edUP")->text(), "1161");
  EXPECT_EQ(Child<QLineEdit>(*window, "edDown")->text(), "949");
  EXPECT_EQ(Child<QLineEdit>(*window, "edInter")->text(), "30");
  EXPECT_EQ(Child<QLineEdit>(*window, "edcv1")->text(), "1");
  EXPECT_EQ(Child<QLineEdit>(*window, "edcv2")->text(), "10");
  EXPECT_FALSE(window->data2().chart_shown);

  // Any edit of a scale, margin or region box makes the chart stale; the interval does not.
  SetText(*window, "edInter", "50");
  EXPECT_TRUE(window->data1().chart_shown);
  for (const char* box : {"edUP", "edDown", "edspc", "edv1", "edv2"}) {
    Press(*window, "buShow1");
    ASSERT_TRUE(window->data1().chart_shown) << box;
    SetText(*window, box, Child<QLineEdit>(*window, box)->text() + "0");
    EXPECT_FALSE(window->data1().chart_shown) << box;
    SetText(*window, box, Child<QLineEdit>(*window, box)->text().chopped(1));
  }
  // A new load makes it stale as well.
  Press(*window, "buShow1");
  Load(*window);
  EXPECT_FALSE(window->data1().chart_shown);
  EXPECT_TRUE(window->data1().command_record.empty());
}

TEST_F(ChartPageTest, DisplayKeepsToItsRegionsAndChartType) {
  auto window = OpenWindow();
  Load(*window, "1301", 2);
  SetText(*window, "ed2v1", "3");  // with the upper box empty: region 3 alone
  SetText(*window, "ed2v2", "");
  Child<QRadioButton>(*window, "rbendline2")->click();
  Press(*window, "buShow2");
  ExpectNoWarnings();

  EXPECT_TRUE(window->data2().chart_shown);
  EXPECT_FALSE(window->data1().chart_shown);
  EXPECT_EQ(window->data2().command_record, "1,3,3,3,");
  const QImage& image = Image(*window);
  const int top = image.height() * 7 / 10;
  const int bottom = image.height() * 8 / 10;
  EXPECT_TRUE(AllWhite(image, 0, top));
  EXPECT_FALSE(AllWhite(image, top, bottom));
  EXPECT_TRUE(AllWhite(image, bottom, image.height()));
  EXPECT_EQ(Child<QLineEdit>(*window, "ed2cv1")->text(), "3");
  EXPECT_EQ(Child<QLineEdit>(*window, "ed2cv2")->text(), "");
  EXPECT_EQ(Child<QLineEdit>(*window, "edcv1")->text(), "1");
}

TEST_F(ChartPageTest, DisplayRefusesWhatItCannotDrawAndDrawsNothing) {
  auto window = OpenWindow();
  auto* pages = Child<QTabWidget>(*window, "PCup");
  pages->setCurrentIndex(3);
  Press(*window, "buShow1");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "まずデータを選択して下さい");
  EXPECT_FALSE(window->data1().chart_shown);
  EXPECT_EQ(pages->currentIndex(), 3);
  EXPECT_EQ(Child<QLineEdit>(*window, "edUP")->text(), "");

  Load(*window);
  warnings_.clear();
  SetText(*window, "edv1", "0");
  SetText(*window, "edv2", "5");
  Press(*window, "buShow1");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "表示領域を正しく設定して下さい");

  warnings_.clear();
  SetText(*window, "edv1", "1");
  Child<QCheckBox>(*window, "cbauto1")->click();
  SetText(*window, "edUP", "12a0");
  SetText(*window, "edDown", "900");
  Press(*window, "buShow1");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "数値は整数を入力してください");

  // An empty box passes the digit test and then fails as a number.
  warnings_.clear();
  SetText(*window, "edUP", "");
  Press(*window, "buShow1");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_FALSE(warnings_[0].isEmpty());

  EXPECT_FALSE(window->data1().chart_shown);
  EXPECT_TRUE(window->data1().command_record.empty());
  EXPECT_TRUE(AllWhite(Image(*window), 0, Image(*window).height()));
  EXPECT_EQ(pages->currentIndex(), 3);

  // A scale typed by hand is used as it stands.
  warnings_.clear();
  SetText(*window, "edUP", "1200");
  Press(*window, "buShow1");
  ExpectNoWarnings();
  EXPECT_TRUE(window->data1().chart_shown);
  EXPECT_EQ(Child<QLineEdit>(*window, "edUP")->text(), "1200");
  EXPECT_EQ(Child<QLineEdit>(*window, "edDown")->text(), "900");
}

TEST_F(ChartPageTest, RegionClearWhitensItsBandAndUndoPutsBackTheImageBeforeIt) {
  auto window = OpenWindow();
  Load(*window);
  Press(*window, "buShow1");
  const QImage drawn = Image(*window);
  const int height = drawn.height();
  // Region 3: rows from H × 7 div 10 to H × 8 div 10.
  const int top = height * 7 / 10;
  const int bottom = height * 8 / 10;
  ASSERT_FALSE(AllWhite(drawn, top, bottom));

  SetText(*window, "edv1", "");
  SetText(*window, "edv2", "3");
  Press(*window, "Button4");
  ExpectNoWarnings();
  const QImage cleared = Image(*window);
  EXPECT_TRUE(AllWhite(cleared, top, bottom));
  EXPECT_EQ(cleared.copy(0, 0, drawn.width(), top), drawn.copy(0, 0, drawn.width(), top));
  EXPECT_EQ(cleared.copy(0, bottom, drawn.width(), height - bottom),
            drawn.copy(0, bottom, drawn.width(), height - bottom));

  auto* undo = Child<QAction>(*window, "mUndo");
  ASSERT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_EQ(Image(*window), drawn);
  EXPECT_FALSE(undo->isEnabled());
  // Once only: a second undo does not go back to the white image before the display.
  undo->trigger();
  EXPECT_EQ(Image(*window), drawn);

  // A region box that is not a number ends the clear with the conversion error.
  SetText(*window, "edv2", "x");
  Press(*window, "Button4");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_TRUE(warnings_[0].contains("x")) << warnings_[0].toStdString();
  EXPECT_EQ(Image(*window), drawn);

  // Data 2's button clears data 2's regions: both boxes empty clear nothing of the image.
  SetText(*window, "ed2v1", "");
  SetText(*window, "ed2v2", "");
  Press(*window, "Button17");
  EXPECT_EQ(Image(*window), drawn);
  SetText(*window, "ed2v1", "1");
  SetText(*window, "ed2v2", "10");
  Press(*window, "Button17");
  EXPECT_TRUE(AllWhite(Image(*window), 0, height));
}

TEST_F(ChartPageTest, ResizeStartsAWhiteImageOfTheNewSizeAndMakesBothChartsStale) {
  auto window = OpenWindow();
  Load(*window, "1301", 1);
  Load(*window, "1301", 2);
  Press(*window, "buShow1");
  Press(*window, "buShow2");
  ASSERT_TRUE(window->data1().chart_shown && window->data2().chart_shown);
  const QSize before = Image(*window).size();

  window->resize(1000, 640);
  for (int i = 0; i < 100 && Image(*window).size() == before; ++i) QApplication::processEvents();
  const QImage& image = Image(*window);
  EXPECT_NE(image.size(), before);
  EXPECT_EQ(image.size(), Child<QWidget>(*window, "tsChart")->size());
  EXPECT_TRUE(AllWhite(image, 0, image.height()));
  EXPECT_FALSE(window->data1().chart_shown);
  EXPECT_FALSE(window->data2().chart_shown);
}

TEST_F(ChartPageTest, CalendarSpacingStaysOnlyForDailyBars) {
  auto window = OpenWindow();
  Load(*window);
  Press(*window, "buShow1");
  auto* calendar = Child<QCheckBox>(*window, "cbcalen");
  calendar->click();
  EXPECT_TRUE(calendar->isChecked());
  EXPECT_FALSE(window->data1().chart_shown);
  calendar->click();

  Child<RadioGroup>(*window, "RG1")->setItemIndex(1);  // 週足
  Load(*window);
  Press(*window, "buShow1");
  ASSERT_TRUE(window->data1().chart_shown);
  calendar->click();
  EXPECT_FALSE(calendar->isChecked());
  EXPECT_FALSE(window->data1().chart_shown);

  // Data 2 goes by its own unit: nothing loaded yet, daily chosen.
  auto* calendar2 = Child<QCheckBox>(*window, "cbcalen2");
  calendar2->click();
  EXPECT_TRUE(calendar2->isChecked());
}

TEST_F(ChartPageTest, CsvCommandConvertsTheChosenFilesIntoTheStore) {
  auto window = OpenWindow();
  const auto csv = temp_.Path() / "prices.csv";
  varnolt::WriteLines(csv, {"2004/3/15,7203,4000,4050,3980,4020,5123400",
                            "2004/3/16,7203,4030,4060,4000,4050,4000000",
                            "2004/3/16,0,1,1,1,1,1"});  // no stock has code 0
  QString offered_folder;
  window->chooseFilesToOpen = [&](const QString& folder) {
    offered_folder = folder;
    return QStringList{QString::fromStdString(csv.string())};
  };
  bool panel_hidden_when_done = false;
  window->inform = [&](const QString& message) {
    notes_.push_back(message);
    panel_hidden_when_done = Child<QGroupBox>(*window, "gbgoing")->isHidden();
  };
  Child<QAction>(*window, "csvC1")->trigger();

  ExpectNoWarnings();
  EXPECT_EQ(offered_folder.toStdString(), temp_.Path().string());
  ASSERT_EQ(notes_.size(), 1u);
  EXPECT_EQ(notes_[0], "読み込み完了\n範囲外の行を 1 行読み飛ばしました");
  EXPECT_TRUE(panel_hidden_when_done);
  EXPECT_EQ(Child<QTabWidget>(*window, "PCup")->currentWidget()->objectName(), "tsfuji");
  EXPECT_EQ(Child<QLabel>(*window, "lbl")->text(), "変換中");

  Child<QComboBox>(*window, "cbdata1")->setEditText("7203");
  SetText(*window, "edDtst1", "20040315");
  SetText(*window, "edDted1", "20040316");
  Press(*window, "buselect");
  ExpectNoWarnings();
  ASSERT_TRUE(window->data1().loaded);
  ASSERT_EQ(window->data1().bars.Count() - window->data1().first_shown + 1, 2);
  const varnolt::Bar& last = window->data1().bars[window->data1().bars.Count()];
  EXPECT_EQ(last.date, 20040316);
  EXPECT_EQ(last.open, 4030);
  EXPECT_EQ(last.close, 4050);
}

TEST_F(ChartPageTest, CsvCommandReportsCancelAndBadLines) {
  auto window = OpenWindow();
  Child<QAction>(*window, "csvC1")->trigger();
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "ファイルを指定して下さい");
  EXPECT_TRUE(notes_.empty());

  warnings_.clear();
  const auto csv = temp_.Path() / "bad.csv";
  varnolt::WriteLines(csv, {"2004/3/15,7203,4000,4050,3980,4020,51x"});
  window->chooseFilesToOpen = [&](const QString&) {
    return QStringList{QString::fromStdString(csv.string())};
  };
  bool panel_hidden_at_warning = false;
  window->warn = [&](const QString& message) {
    warnings_.push_back(message);
    panel_hidden_at_warning = Child<QGroupBox>(*window, "gbgoing")->isHidden();
  };
  Child<QAction>(*window, "csvC1")->trigger();
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_TRUE(warnings_[0].contains("bad.csv")) << warnings_[0].toStdString();
  EXPECT_TRUE(panel_hidden_at_warning);
  EXPECT_TRUE(notes_.empty());
}

TEST_F(ChartPageTest, StatisticsPageSavesItsLinesAndClears) {
  auto window = OpenWindow();
  auto* statistics = Child<QTextEdit>(*window, "reStat");
  statistics->setPlainText("【株価データがない日】\n2004/03/04");
  const auto saved = temp_.Path() / "統計.txt";
  QString filter, suffix;
  window->chooseFileToSave = [&](const QString& offered_filter, const QString& offered_suffix) {
    filter = offered_filter;
    suffix = offered_suffix;
    return QString::fromStdString(saved.string());
  };
  Press(*window, "Button57");
  ExpectNoWarnings();
  EXPECT_EQ(filter, "Text file (*.txt)");
  EXPECT_EQ(suffix, "txt");
  EXPECT_EQ(varnolt::ReadLines(saved), (varnolt::Lines{"【株価データがない日】", "2004/03/04"}));
  EXPECT_TRUE(varnolt::ReadBytes(saved).ends_with("2004/03/04\r\n"));

  Press(*window, "Button52");
  EXPECT_TRUE(statistics->toPlainText().isEmpty());
  // An empty page replaces the file with an empty one.
  Press(*window, "Button57");
  EXPECT_TRUE(varnolt::ReadBytes(saved).empty());
}

}  // namespace
