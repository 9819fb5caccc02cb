#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <memory>
#include <vector>

#include "app/radio_group.h"
#include "app/tf_main.h"
#include "app/tf_memo.h"
#include "base/text_file.h"
#include "series/calendar.h"
#include "store/memo_file.h"
#include "store/year_file.h"
#include "support/temp_folder.h"
#include "widget_lookup.h"

namespace {

using varnolt::DayFromCivil;

QString Line(const char* date, const char* code, const char* price, const char* bought,
             const char* adjusted) {
  return QString::fromStdString("日付【" + std::string(date) + "】 銘柄コード【" + code +
                                "】 購入時株価【" + price + "】 購入株数【" + bought +
                                "】 調整後株数【" + adjusted + "】");
}

class HoldingsMemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.EnsureDataDir();
    varnolt::WriteLines(folder_.File("codedata.txt"),
                        {"1301", "極洋水産", "●水産・農林業●○東証一部○", "7203", "トヨタ自動車",
                         "●輸送用機器●○東証一部○◎"});
    // 1301 closes at 1130 on Friday 12 March 2004; 7203 has no prices.
    const int base = DayFromCivil(2004, 3, 1) - DayFromCivil(2004, 1, 1);
    std::vector<varnolt::DayRow> rows;
    for (int day : {1, 2, 3, 4, 5, 8, 9, 10, 11, 12})
      rows.push_back({1301, base + day, 1000, 1150, 990, 1000 + 10 * day + 10, 5000, std::nullopt});
    varnolt::WriteDayRecords(folder_.YearFile(2004), rows);
  }

  std::unique_ptr<TfMain> OpenWindow() {
    auto window = std::make_unique<TfMain>(folder_, [] { return DayFromCivil(2004, 3, 12); });
    window->warn = [this](const QString& message) { warnings_.push_back(message); };
    return window;
  }

  static QStringList Lines(const TfMain& window) {
    QStringList lines;
    const auto* list = Child<QListWidget>(window, "lbpossess");
    for (int i = 0; i < list->count(); ++i) lines << list->item(i)->text();
    return lines;
  }

  static void Type(const TfMain& window, const char* date, const char* code, const char* price,
                   const char* bought, const char* adjusted) {
    Child<QLineEdit>(window, "pdate")->setText(date);
    Child<QLineEdit>(window, "pcode")->setText(code);
    Child<QLineEdit>(window, "pprice")->setText(price);
    Child<QLineEdit>(window, "pquantity1")->setText(bought);
    Child<QLineEdit>(window, "pquantity2")->setText(adjusted);
  }

  // A click on a line of the ledger, or on no line for -1.
  static void ClickLine(TfMain& window, int row) {
    auto* list = Child<QListWidget>(window, "lbpossess");
    list->setCurrentRow(row);
    if (row >= 0) emit list->itemClicked(list->item(row));
  }

  varnolt::testing::TempFolder temp_;
  varnolt::ProgramFolder folder_{temp_.Path()};
  std::vector<QString> warnings_;
};

TEST_F(HoldingsMemoTest, PanelAddsModifiesAndDeletesLines) {
  auto window = OpenWindow();
  auto* panel = Child<QWidget>(*window, "Panel7");
  EXPECT_TRUE(panel->isHidden());
  Child<QCheckBox>(*window, "CheckBox1")->click();
  EXPECT_FALSE(panel->isHidden());

  auto* add = Child<QPushButton>(*window, "Button64");
  Type(*window, "2004/03/01", "1301", "1000", "100", "");
  add->click();
  EXPECT_EQ(Child<QLineEdit>(*window, "pquantity2")->text(), "100");
  Type(*window, "", "ト", "1000", "100", "100");  // code does not read: nothing
  add->click();
  Type(*window, "2004/03/02", "7203", "4000", "100", "100");
  add->click();
  EXPECT_EQ(Lines(*window), QStringList({Line("2004/03/01", "1301", "1000", "100", "100"),
                                         Line("2004/03/02", "7203", "4000", "100", "100")}));

  // Modify mode: the edits follow the clicked line and a share count rewrites it.
  auto* modify = Child<QCheckBox>(*window, "cbmodify");
  ClickLine(*window, 1);
  modify->click();
  EXPECT_FALSE(add->isEnabled());
  for (const char* name : {"pdate", "pcode", "pprice"})
    EXPECT_TRUE(Child<QLineEdit>(*window, name)->isReadOnly()) << name;
  EXPECT_EQ(Child<QLineEdit>(*window, "pcode")->text(), "7203");
  Child<QLineEdit>(*window, "pquantity2")->setText("200");
  Child<QLineEdit>(*window, "pquantity1")->setText("1百");  // does not read: line unchanged
  EXPECT_EQ(Lines(*window)[1], Line("2004/03/02", "7203", "4000", "100", "200"));
  Child<QLineEdit>(*window, "pquantity1")->setText("100");
  Child<QLineEdit>(*window, "pquantity2")->setText("");  // falls back to the shares bought
  EXPECT_EQ(Lines(*window)[1], Line("2004/03/02", "7203", "4000", "100", "100"));
  Child<QLineEdit>(*window, "pquantity2")->setText("200");
  // Clicking the other line fills the edits without rewriting either line.
  ClickLine(*window, 0);
  EXPECT_EQ(Child<QLineEdit>(*window, "pquantity2")->text(), "100");
  EXPECT_EQ(Lines(*window), QStringList({Line("2004/03/01", "1301", "1000", "100", "100"),
                                         Line("2004/03/02", "7203", "4000", "100", "200")}));
  EXPECT_TRUE(warnings_.empty());
  ClickLine(*window, -1);
  Child<QLineEdit>(*window, "pquantity2")->setText("300");
  EXPECT_EQ(warnings_, std::vector<QString>{"修正するデータをまずクリックしてください"});
  modify->click();
  EXPECT_TRUE(add->isEnabled());
  EXPECT_FALSE(Child<QLineEdit>(*window, "pcode")->isReadOnly());

  auto* remove = Child<QPushButton>(*window, "Button67");
  remove->click();  // nothing selected
  EXPECT_EQ(Lines(*window).size(), 2);
  ClickLine(*window, 0);
  remove->click();
  EXPECT_EQ(Lines(*window), QStringList{Line("2004/03/02", "7203", "4000", "100", "200")});
}

TEST_F(HoldingsMemoTest, LedgerFileIsReadAtStartAndWrittenAtClose) {
  const auto ledger = folder_.DataDir() / "possess.txt";
  varnolt::WriteLines(ledger, {Line("", "1301", "1000", "100", "100").toStdString()});
  {
    auto window = OpenWindow();
    EXPECT_EQ(Lines(*window).size(), 1);
    Type(*window, "", "7203", "4000", "100", "200");
    Child<QPushButton>(*window, "Button64")->click();
    Child<QAction>(*window, "Exit1")->trigger();
  }
  EXPECT_EQ(varnolt::ReadLines(ledger),
            (varnolt::Lines{Line("", "1301", "1000", "100", "100").toStdString(),
                            Line("", "7203", "4000", "100", "200").toStdString()}));

  // A ledger that cannot be read is reported and left as it is at close.
  std::filesystem::remove(ledger);
  std::filesystem::create_directory(ledger);
  auto window = OpenWindow();
  QCoreApplication::processEvents();
  EXPECT_EQ(warnings_.size(), 1u);
  Child<QAction>(*window, "Exit1")->trigger();
  EXPECT_TRUE(std::filesystem::is_directory(ledger));
}

TEST_F(HoldingsMemoTest, ChartAndProfitAndLossFromTheLedger) {
  auto window = OpenWindow();
  auto* chart = Child<QPushButton>(*window, "Button65");
  chart->click();
  EXPECT_EQ(warnings_, std::vector<QString>{"表示するデータをまずクリックしてください"});
  warnings_.clear();

  auto* list = Child<QListWidget>(*window, "lbpossess");
  list->addItem(Line("2004/03/01", "1301", "1000", "100", "100"));
  list->addItem(Line("2004/03/02", "7203", "4000", "100", "200"));
  ClickLine(*window, 0);
  Child<RadioGroup>(*window, "rgdatasw")->setItemIndex(1);
  chart->click();
  EXPECT_TRUE(warnings_.empty()) << warnings_.front().toStdString();
  EXPECT_EQ(Child<QComboBox>(*window, "cbdata2")->currentText(), "1301 : 極洋水産");
  EXPECT_TRUE(window->data2().loaded);
  EXPECT_TRUE(window->data2().chart_shown);
  EXPECT_FALSE(window->data1().loaded);
  EXPECT_EQ(Child<QTabWidget>(*window, "PCup")->currentWidget()->objectName(), "tsChart");

  auto* text = Child<QTextEdit>(*window, "reStat");
  text->setPlainText("前の行");
  Child<QPushButton>(*window, "Button66")->click();
  const QStringList report = text->toPlainText().split('\n');
  ASSERT_EQ(report.size(), 1 + 1 + 8 + 3 + 3);
  EXPECT_EQ(report[0], "前の行");
  EXPECT_EQ(report[2], "◎[1301] 極洋水産");
  EXPECT_EQ(report[4], "   評価額【1130円 x 100株 = 113000円】");
  EXPECT_EQ(report[6], "●[7203] トヨタ自動車");
  EXPECT_EQ(report[15], "             総 損 益【 -387000円 】");
}

TEST_F(HoldingsMemoTest, MemoWindowKeepsAMemoPerStock) {
  TfMemo memo(folder_);
  std::vector<QString> warnings;
  memo.warn = [&](const QString& message) { warnings.push_back(message); };
  EXPECT_EQ(memo.windowTitle(), "Varnolt");
  auto* code = Child<QLineEdit>(memo, "memocode");
  auto* text = Child<QPlainTextEdit>(memo, "Memomain");
  EXPECT_TRUE(code->isReadOnly());

  EXPECT_TRUE(memo.SelectStock("7203 : トヨタ自動車◎"));
  text->setPlainText("決算前\n様子見");
  EXPECT_TRUE(memo.SelectStock("1301 : 極洋水産"));
  EXPECT_EQ(code->text(), "1301 : 極洋水産");
  EXPECT_TRUE(text->toPlainText().isEmpty());
  text->setPlainText("配当");
  memo.SelectStock("7203 : トヨタ自動車◎");
  EXPECT_EQ(text->toPlainText(), "決算前\n様子見");
  text->setPlainText("買い増し");
  memo.close();  // the memo being typed is kept too
  EXPECT_EQ(varnolt::LoadMemo(folder_, "7203"), varnolt::Lines{"買い増し"});
  EXPECT_EQ(varnolt::LoadMemo(folder_, "1301"), varnolt::Lines{"配当"});

  // A memo file that cannot be read: nothing is shown under that stock, so nothing can be
  // saved over it.
  std::filesystem::create_directory(folder_.DataDir() / "memo_6.txt");
  memo.SelectStock("6758 : ソニー");
  EXPECT_EQ(warnings.size(), 1u);
  EXPECT_TRUE(code->text().isEmpty());
  EXPECT_TRUE(warnings.size() == 1 && memo.SelectStock("1301 : 極洋水産"));
  EXPECT_EQ(text->toPlainText(), "配当");
  EXPECT_TRUE(warnings.size() == 1);
}

TEST_F(HoldingsMemoTest, MenuShowsTheMemoOfDataOne) {
  auto window = OpenWindow();
  TfMemo memo(folder_);
  window->setMemoWindow(&memo);
  varnolt::SaveMemo(folder_, "1301", {"目標 1200"});
  Child<QComboBox>(*window, "cbdata1")->setEditText("1301");
  Child<QAction>(*window, "mMemo")->trigger();
  EXPECT_FALSE(memo.isHidden());
  EXPECT_EQ(Child<QLineEdit>(memo, "memocode")->text(), "1301 : 極洋水産");
  EXPECT_EQ(Child<QPlainTextEdit>(memo, "Memomain")->toPlainText(), "目標 1200");
  Child<QPlainTextEdit>(memo, "Memomain")->setPlainText("目標 1300");
  // Closing the program keeps the memo being typed.
  Child<QAction>(*window, "Exit1")->trigger();
  EXPECT_EQ(varnolt::LoadMemo(folder_, "1301"), varnolt::Lines{"目標 1300"});
}

}  // namespace
