#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <cstdio>
#include <fstream>
#include <memory>
#include <vector>

#include "app/radio_group.h"
#include "app/tf_main.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "store/year_file.h"
#include "support/temp_folder.h"
#include "widget_lookup.h"

namespace {

using varnolt::DayFromCivil;

// Trading days of March 2004 that have prices. Thursday 4 March has none; Friday 5 March is
// listed as a holiday.
constexpr int kMarchDays[] = {1, 2, 3, 8, 9, 10, 11, 12};

int Open(int day) {
  return 1000 + 10 * (day - 1);
}

// A list line as the page shows it, built from the prices the fixture stored.
std::string ExpectedLine(int date, int open, int high, int low, int close, bool adjusted,
                         int volume) {
  char head[96];
  std::snprintf(head, sizeof head, "%8d , %9d , %9d , %9d , %9d", date, open, high, low, close);
  return std::string(head) + (adjusted ? " (調整値)" : "") + " , " + std::to_string(volume);
}

class TfMainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const varnolt::ProgramFolder folder(temp_.Path());
    folder.EnsureDataDir();
    varnolt::WriteLines(folder.File("codedata.txt"),
                        {"1301", "極洋水産", "●水産・農林業●○東証一部○", "7203", "トヨタ自動車",
                         "●輸送用機器●○東証一部○"});
    varnolt::WriteLines(folder.File("holidays.txt"), {"2004/03/05"});
    const int march_base = DayFromCivil(2004, 3, 1) - DayFromCivil(2004, 1, 1);  // index − 1
    std::vector<varnolt::DayRow> rows;
    // A Friday before the period: history that loads as a warm-up bar and is not listed.
    rows.push_back({1301, march_base - 2, 900, 950, 880, 920, 4000, std::nullopt});
    for (int day : kMarchDays) {
      rows.push_back({1301, march_base + day, Open(day), Open(day) + 50, Open(day) - 30,
                      Open(day) + 20, 5000 + day, std::nullopt});
    }
    varnolt::WriteDayRecords(folder.YearFile(2004), rows);
  }

  // The window as the program opens it on 12 March 2004, with its messages captured.
  std::unique_ptr<TfMain> OpenWindow(varnolt::DayNumber today = DayFromCivil(2004, 3, 12)) {
    auto window =
        std::make_unique<TfMain>(varnolt::ProgramFolder(temp_.Path()), [today] { return today; });
    window->warn = [this](const QString& message) { warnings_.push_back(message); };
    return window;
  }

  static void Select(const TfMain& window, const char* code, const char* start, const char* end) {
    Child<QComboBox>(window, "cbdata1")->setEditText(QString::fromUtf8(code));
    Child<QLineEdit>(window, "edDtst1")->setText(start);
    Child<QLineEdit>(window, "edDted1")->setText(end);
    Child<QPushButton>(window, "buselect")->click();
  }

  varnolt::testing::TempFolder temp_;
  std::vector<QString> warnings_;
};

TEST_F(TfMainTest, StartsWithTitlePagesAndStartUpDates) {
  const varnolt::testing::TempFolder empty;
  const auto home = empty.Path() / "home";  // a first start: the folder does not exist yet
  {
    TfMain window(varnolt::ProgramFolder(home), [] { return DayFromCivil(2004, 6, 17); });
    EXPECT_FALSE(window.anotherCopyRunning());
    EXPECT_TRUE(std::filesystem::is_directory(home / "data"));
    EXPECT_EQ(window.windowTitle(), "Varnolt for 株 v2.22");
    EXPECT_EQ(Child<QLabel>(window, "lbtitle")->text(), "Varnolt\n for 「株」");
    EXPECT_TRUE(window.holidays().Empty());  // no holidays.txt

    auto* pages = Child<QTabWidget>(window, "PCup");
    const QStringList captions = {"タイトル",
                                  "データ選択（１）",
                                  "データ選択（２）",
                                  "基本(ﾃﾞｰﾀ１)",
                                  "基本(ﾃﾞｰﾀ2)",
                                  "チャート表示画面",
                                  "ﾁｬｰﾄ",
                                  "ｵｼﾚｰﾀｰ",
                                  "ｷﾞｬﾝ分析",
                                  "補助",
                                  "自動表示",
                                  "周期設定(ﾄﾚﾝﾄﾞ)",
                                  "周期設定(ｵｼﾚｰﾀｰ)",
                                  "統計",
                                  "売買ｼｸﾞﾅﾙ"};
    ASSERT_EQ(pages->count(), captions.size());
    for (int i = 0; i < pages->count(); ++i) EXPECT_EQ(pages->tabText(i), captions[i]) << i;
    EXPECT_EQ(pages->widget(0)->objectName(), "tsfuji");
    EXPECT_EQ(pages->widget(5)->objectName(), "tsChart");
    EXPECT_TRUE(Child<QGroupBox>(window, "gbgoing")->isHidden());

    // June: the six months from January of the same year.
    EXPECT_EQ(Child<QLineEdit>(window, "edDtst1")->text(), "20040101");
    EXPECT_EQ(Child<QLineEdit>(window, "edDtst2")->text(), "20040101");
    EXPECT_EQ(Child<QLineEdit>(window, "edDted1")->text(), "20040617");
    EXPECT_EQ(Child<QLineEdit>(window, "edDTed2")->text(), "20040617");
    EXPECT_EQ(Child<RadioGroup>(window, "RG1")->itemIndex(), 0);
    EXPECT_TRUE(Child<QCheckBox>(window, "cbenddata2")->isChecked());
    EXPECT_EQ(Child<QLineEdit>(window, "edPlus")->text(), "100");
    EXPECT_EQ(Child<QLineEdit>(window, "edShift2")->text(), "100");
    EXPECT_FALSE(window.data1().loaded);
    EXPECT_FALSE(window.data2().loaded);
  }
  // March: back across the year to October.
  TfMain march(varnolt::ProgramFolder(home), [] { return DayFromCivil(2004, 3, 31); });
  EXPECT_EQ(Child<QLineEdit>(march, "edDtst1")->text(), "20031001");
  EXPECT_EQ(Child<QLineEdit>(march, "edDted1")->text(), "20040331");
}

TEST_F(TfMainTest, SecondCopyOnTheSameFolderEndsUntilTheFirstCloses) {
  auto first = OpenWindow();
  EXPECT_FALSE(first->anotherCopyRunning());
  {
    auto second = OpenWindow();
    EXPECT_TRUE(second->anotherCopyRunning());
  }
  EXPECT_TRUE(warnings_.empty());
  // The refused copy must not have taken the lock away from the running one.
  EXPECT_TRUE(OpenWindow()->anotherCopyRunning());
  // "終了(&X)" closes the window, which lets the next copy start.
  Child<QAction>(*first, "Exit1")->trigger();
  EXPECT_FALSE(OpenWindow()->anotherCopyRunning());
}

TEST_F(TfMainTest, SelectListsBarsAndReportsDaysWithoutData) {
  auto window = OpenWindow();
  Select(*window, "1301", "20040301", "20040312");
  EXPECT_TRUE(warnings_.empty()) << warnings_.front().toStdString();
  EXPECT_EQ(Child<QComboBox>(*window, "cbdata1")->currentText(), "1301 : 極洋水産");

  const QStringList lines = ListItems(*window, "lbdata");
  ASSERT_EQ(lines.size(), std::size(kMarchDays));
  EXPECT_EQ(lines[0], "20040301 ,      1000 ,      1050 ,       970 ,      1020 (調整値) , 5001");
  for (size_t i = 0; i < std::size(kMarchDays); ++i) {
    const int day = kMarchDays[i];
    EXPECT_EQ(lines[i].toStdString(),
              ExpectedLine(20040300 + day, Open(day), Open(day) + 50, Open(day) - 30,
                           Open(day) + 20, true, 5000 + day));
  }
  // 4 March is a trading day without prices; the holiday 5 March is not reported.
  EXPECT_EQ(Child<QTextEdit>(*window, "reStat")->toPlainText(),
            "【株価データがない日】\n2004/03/04");

  const varnolt::DataSet& data = window->data1();
  EXPECT_TRUE(data.loaded);
  EXPECT_EQ(data.current_code, 1301);
  EXPECT_EQ(data.bars.Count(), 9);  // the February bar is warm-up history
  EXPECT_EQ(data.first_shown, 2);
  EXPECT_TRUE(Child<QPushButton>(*window, "buselect")->isEnabled());
  EXPECT_FALSE(window->data2().loaded);

  // Editing a date box makes the loaded bars stale.
  Child<QLineEdit>(*window, "edDted1")->setText("20040311");
  EXPECT_FALSE(window->data1().loaded);
}

TEST_F(TfMainTest, SelectTakesUnitAndAdjustmentFromThePageAndSnapsTheDates) {
  auto window = OpenWindow();
  Child<RadioGroup>(*window, "RG1")->setItemIndex(1);  // 週足
  Child<QCheckBox>(*window, "cbenddata")->setChecked(false);
  Select(*window, "1301", "20040303", "20040310");  // Wednesdays

  ASSERT_TRUE(warnings_.empty()) << warnings_.front().toStdString();
  // Rewriting the boxes to the weeks' first and last days keeps the data loaded.
  EXPECT_EQ(Child<QLineEdit>(*window, "edDtst1")->text(), "20040301");
  EXPECT_EQ(Child<QLineEdit>(*window, "edDted1")->text(), "20040312");
  EXPECT_TRUE(window->data1().loaded);
  EXPECT_EQ(
      ListItems(*window, "lbdata"),
      QStringList({QString::fromStdString(
                       ExpectedLine(20040301, 1000, 1070, 970, 1040, false, 5001 + 5002 + 5003)),
                   QString::fromStdString(ExpectedLine(20040308, 1070, 1160, 1040, 1130, false,
                                                       5008 + 5009 + 5010 + 5011 + 5012))}));
}

TEST_F(TfMainTest, SecondPageLoadsDataTwoByNameWithDatesCopiedFromDataOne) {
  auto window = OpenWindow();
  Child<QLineEdit>(*window, "edDtst1")->setText("20040308");
  Child<QLineEdit>(*window, "edDted1")->setText("20040310");
  Child<QPushButton>(*window, "Button51")->click();
  EXPECT_EQ(Child<QLineEdit>(*window, "edDtst2")->text(), "20040308");
  EXPECT_EQ(Child<QLineEdit>(*window, "edDTed2")->text(), "20040310");

  Child<QComboBox>(*window, "cbdata2")->setEditText("極洋");
  Child<QPushButton>(*window, "buselect2")->click();
  ASSERT_TRUE(warnings_.empty()) << warnings_.front().toStdString();
  EXPECT_EQ(Child<QComboBox>(*window, "cbdata2")->currentText(), "1301 : 極洋水産");
  EXPECT_EQ(ListItems(*window, "lbdata2").size(), 3);
  EXPECT_TRUE(window->data2().loaded);
  EXPECT_FALSE(window->data1().loaded);
  EXPECT_EQ(ListItems(*window, "lbdata").size(), 0);

  // Button49 copies the other way, and the copied dates make data 1's bars stale.
  Select(*window, "1301", "20040301", "20040312");
  ASSERT_TRUE(window->data1().loaded);
  Child<QPushButton>(*window, "Button49")->click();
  EXPECT_EQ(Child<QLineEdit>(*window, "edDtst1")->text(), "20040308");
  EXPECT_EQ(Child<QLineEdit>(*window, "edDted1")->text(), "20040310");
  EXPECT_FALSE(window->data1().loaded);
}

TEST_F(TfMainTest, FailedSelectWarnsAndKeepsWhatWasLoaded) {
  auto window = OpenWindow();
  Select(*window, "1301", "20040301", "20040312");
  ASSERT_TRUE(window->data1().loaded);
  const QStringList loaded_lines = ListItems(*window, "lbdata");

  Select(*window, "1301", "20040230", "20040312");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "はじめの日を正しく入力して下さい");
  EXPECT_EQ(ListItems(*window, "lbdata"), loaded_lines);
  EXPECT_EQ(window->data1().bars.Count(), 9);
  EXPECT_TRUE(Child<QPushButton>(*window, "buselect")->isEnabled());

  warnings_.clear();
  Select(*window, "水産", "20040301", "20040312");  // no name begins with it
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "銘柄コードまたは銘柄名を正しく入力してください");

  warnings_.clear();
  Select(*window, "7203", "20040301", "20040312");  // a stock without prices
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "その期間の指定銘柄のデータはありません");
  EXPECT_FALSE(window->data1().loaded);
  EXPECT_EQ(Child<QComboBox>(*window, "cbdata1")->currentText(), "7203 : トヨタ自動車");

  // A damaged year file ends the command with the file error, and the button comes back.
  warnings_.clear();
  std::ofstream(temp_.Path() / "data" / "2004.kbk", std::ios::binary | std::ios::trunc) << "xx";
  Select(*window, "1301", "20040301", "20040312");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_TRUE(warnings_[0].contains("2004.kbk")) << warnings_[0].toStdString();
  EXPECT_TRUE(Child<QPushButton>(*window, "buselect")->isEnabled());
}

TEST_F(TfMainTest, UnitShiftButtonsRewriteTheDateBoxes) {
  auto window = OpenWindow();
  auto* start = Child<QLineEdit>(*window, "edDtst1");
  auto* end = Child<QLineEdit>(*window, "edDted1");
  Child<RadioGroup>(*window, "RG1")->setItemIndex(2);  // 月足
  start->setText("20040315");
  end->setText("20040331");

  Child<QLineEdit>(*window, "edPlus")->setText("3");
  Child<QPushButton>(*window, "Button7")->click();
  EXPECT_EQ(start->text(), "20040315");
  EXPECT_EQ(end->text(), "20040531");

  Child<QLineEdit>(*window, "edShift")->setText("2");
  Child<QPushButton>(*window, "Button9")->click();
  EXPECT_EQ(start->text(), "20040501");
  EXPECT_EQ(end->text(), "20040731");
  Child<QPushButton>(*window, "Button8")->click();
  EXPECT_EQ(start->text(), "20040301");
  EXPECT_EQ(end->text(), "20040531");
  EXPECT_TRUE(warnings_.empty());

  Child<QLineEdit>(*window, "edShift")->setText("0");
  Child<QPushButton>(*window, "Button9")->click();
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "シフトする単位数を正しく入力して下さい");
  EXPECT_EQ(start->text(), "20040301");
  EXPECT_EQ(end->text(), "20040531");

  // Data 2's twins use data 2's own unit and count.
  auto* start2 = Child<QLineEdit>(*window, "edDtst2");
  auto* end2 = Child<QLineEdit>(*window, "edDTed2");
  start2->setText("20040315");  // a Monday; daily unit
  end2->setText("20040319");
  Child<QLineEdit>(*window, "edShift2")->setText("3");
  Child<QPushButton>(*window, "Button21")->click();
  EXPECT_EQ(start2->text(), "20040312");
  EXPECT_EQ(end2->text(), "20040316");
  warnings_.clear();
  start2->setText("20041301");
  Child<QPushButton>(*window, "Button20")->click();
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], "はじめの日を正しく入力して下さい");
}

}  // namespace

int main(int argc, char* argv[]) {
  // Test discovery runs this binary at build time without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
