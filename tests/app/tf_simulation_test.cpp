#include "app/tf_simulation.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <memory>

#include "app/radio_group.h"
#include "base/dates.h"
#include "base/messages.h"
#include "base/text_file.h"
#include "support/price_store.h"
#include "support/random_market.h"
#include "support/temp_folder.h"

namespace {

using varnolt::testing::DayOf;

// One stock that closes at 1000 on 1 and 4 June 2001 and at 1300 on 5 June.
class TfSimulationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    store_.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○"});
    store_.WriteHolidays({});
    store_.Close(1301, 20010601, 1000).Close(1301, 20010604, 1000).Close(1301, 20010605, 1300);
    store_.Flush();
    varnolt::testing::WriteFinanceFile(store_, {{1301, {0, 0, 0, 0, 0, 100}}});
    buy_ = WriteSet("buy.ini", "0,0,0: 現在の終値が[1000]以上[1000]以下");
    sell_ = WriteSet("sell.ini", "0,0,0: 現在の終値が[1000]以上[99999]以下");
    Open();
  }

  void Open() {
    window_ = std::make_unique<TfSimulation>(store_.Folder(), [] { return DayOf(20010615); });
    window_->warn = [this](const QString& message) { warnings_ << message; };
    window_->inform = [this](const QString& message) { notes_ << message; };
    window_->chooseConditionFiles = [this](const QString&) { return chosen_; };
  }

  QString WriteSet(const std::string& name, const std::string& condition) const {
    const auto path = store_.Folder().DataDir() / name;
    varnolt::WriteLines(path, {"---screening---,0,0", condition});
    return QString::fromStdString(path.string());
  }

  template <typename Widget>
  Widget* Find(const char* name) const {
    auto* widget = window_->findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  QString Text(const char* name) const { return Find<QLineEdit>(name)->text(); }
  QString Memo() const { return Find<QPlainTextEdit>("Memo")->toPlainText(); }

  void ChooseFiles() {
    chosen_ = {buy_};
    window_->Button2Click();
    chosen_ = {sell_};
    window_->Button3Click();
    Find<QLineEdit>("edst")->setText("20010601");
    Find<QLineEdit>("eded")->setText("20010605");
  }

  varnolt::testing::TempFolder temp_;
  varnolt::testing::PriceStore store_{temp_.Path()};
  std::unique_ptr<TfSimulation> window_;
  QStringList warnings_, notes_, chosen_;
  QString buy_, sell_;
};

TEST_F(TfSimulationTest, OpensWithTheDefaultsAndKeepsTheFeeScheduleInChargeIni) {
  EXPECT_EQ(Text("edst"), "20000615");  // 365 days back
  EXPECT_EQ(Text("eded"), "20010615");
  EXPECT_EQ(Text("edmoney"), "3000000");
  EXPECT_EQ(Text("edmax"), "1000000");
  EXPECT_EQ(Text("edmin"), "100000");
  EXPECT_EQ(Text("ed1"), "20");
  EXPECT_EQ(Text("ed8"), "1575");
  EXPECT_EQ(Text("ed9"), "");
  EXPECT_EQ(Text("ed13"), "1575");
  EXPECT_EQ(Text("edgoing"), "進捗状況");
  EXPECT_EQ(Find<RadioGroup>("rgtype")->itemIndex(), 0);
  EXPECT_FALSE(Find<QPushButton>("Button6")->isEnabled());
  EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());

  Find<QLineEdit>("ed1")->setText("25");
  Find<QLineEdit>("ed13")->setText("3000");
  window_->close();
  const auto path = store_.Folder().File("charge.ini");
  EXPECT_EQ(varnolt::ReadBytes(path),
            "25\r\n472\r\n50\r\n472\r\n100\r\n840\r\n300\r\n1575\r\n\r\n\r\n\r\n\r\n3000\r\n");
  Open();
  EXPECT_EQ(Text("ed1"), "25");
  EXPECT_EQ(Text("ed13"), "3000");
}

TEST_F(TfSimulationTest, ReservationsCollectJobsAndRefuseIncompleteOnes) {
  window_->Button8Click();
  EXPECT_EQ(warnings_, QStringList{varnolt::kNoConditionsMessage});
  EXPECT_EQ(Memo(), "");
  ChooseFiles();
  Find<QLineEdit>("edmin")->setText("1万");
  window_->Button8Click();
  EXPECT_EQ(warnings_.back(), varnolt::kNumberErrorMessage);
  Find<QLineEdit>("edmin")->setText("100000");
  window_->Button8Click();
  Find<QCheckBox>("cbover")->setChecked(true);
  window_->Button8Click();
  const QStringList lines = Memo().split('\n');
  ASSERT_EQ(lines.size(), 17);
  EXPECT_EQ(lines[0], "【予約】");
  EXPECT_EQ(lines[1], "37043,37047,3000000,1000000,100000");
  EXPECT_EQ(lines[4], buy_);
  EXPECT_EQ(lines[8], "---以上　予約番号 < 1 >---");
  EXPECT_EQ(lines[11], "true");
  EXPECT_EQ(lines[16], "---以上　予約番号 < 2 >---");

  // Running the list writes one report per job and gives the list back.
  window_->Button1Click();
  EXPECT_FALSE(Find<QPushButton>("Button1")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("Button8")->isEnabled());
  window_->WaitForRun();
  EXPECT_EQ(Memo().split('\n'), lines);
  const auto data = store_.Folder().DataDir();
  const varnolt::Lines first = varnolt::ReadLines(data / "simulation_1.txt");
  ASSERT_GE(first.size(), 2u);
  EXPECT_EQ(first[0], "●2001/06/04 : (1301)  極洋水産");
  EXPECT_EQ(varnolt::ReadLines(data / "simulation_2.txt")[1],
            "       1000 株購入　単価   1000  計 1000000円  (残高) 2000000円");
  EXPECT_EQ(notes_, QStringList{varnolt::kSimulationDoneMessage});
}

TEST_F(TfSimulationTest, RunShowsTheReportAndReturnsToRest) {
  ChooseFiles();
  window_->Button1Click();
  EXPECT_TRUE(window_->running());
  EXPECT_TRUE(Find<QPushButton>("Button6")->isEnabled());
  window_->WaitForRun();
  EXPECT_FALSE(window_->running());
  const QStringList report = Memo().split('\n');
  ASSERT_GE(report.size(), 5);
  EXPECT_EQ(report[0], "●2001/06/04 : (1301)  極洋水産");
  EXPECT_EQ(report[3], "○2001/06/05 : (1301)  極洋水産");
  EXPECT_EQ(report.back(), "      総　　　損　　　益  :    59056円");
  EXPECT_EQ(Text("edgoing"), "進捗状況");
  EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());
  EXPECT_FALSE(Find<QPushButton>("Button6")->isEnabled());

  // Cancelled at once: the run ends with the buttons back at rest, whatever day it reached.
  window_->Button1Click();
  window_->Button6Click();
  EXPECT_FALSE(Find<QPushButton>("Button6")->isEnabled());
  window_->WaitForRun();
  EXPECT_TRUE(Find<QPushButton>("Button1")->isEnabled());
  EXPECT_TRUE(warnings_.isEmpty());

  window_->Button4Click();
  window_->Button1Click();
  EXPECT_EQ(warnings_, QStringList{varnolt::kNoConditionsMessage});
  EXPECT_FALSE(window_->running());
}

}  // namespace
