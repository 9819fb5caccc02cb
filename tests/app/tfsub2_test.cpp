#include "app/tfsub2.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/radio_group.h"
#include "app/tf_main.h"
#include "app/tf_memo.h"
#include "base/dates.h"
#include "base/text_file.h"
#include "screening/condition_catalogue.h"
#include "support/price_store.h"
#include "support/random_market.h"
#include "support/temp_folder.h"

namespace {

using varnolt::testing::DayOf;

const varnolt::Lines kCatalogue = {"1301", "極洋水産",     "●水産・農林業●○東証一部○",     //
                                   "1332", "日本水産",     "●水産・農林業●○東証二部○◎",    //
                                   "2001", "日本製粉",     "●食料品●○東証一部○◎粉◎",       //
                                   "2002", "日清製粉",     "●食料品●○大証○◎粉◎",           //
                                   "7203", "トヨタ自動車", "●輸送用機器●○東証一部○◎車◎"};  //

class Tfsub2Test : public ::testing::Test {
 protected:
  void SetUp() override {
    store_.WriteCatalogue(kCatalogue);
    store_.WriteHolidays({});
    for (int day = 1; day <= 12; ++day) {
      const int compact = 20040300 + day;
      if (varnolt::Weekday(DayOf(compact)) < 2) continue;  // Saturday 0, Sunday 1
      store_.Day(1301, compact, 1000, 1150, 990, 1000 + 10 * day + 10, 5000);
      store_.Close(7203, compact, 4000 + day, 2000);
    }
    store_.Flush();
    varnolt::testing::WriteFinanceFile(store_,
                                       {{1301, {6.25f, 31.5f, 402.75f, 7.8125f, 2.5f, 1000}},
                                        {7203, {65, 250, 2000, 12.5f, 4.75f, 100}}});
    browser_ = std::make_unique<Tfsub2>(store_.Folder(), [] { return DayOf(20040315); });
    browser_->warn = [this](const QString& message) { warnings_ << message; };
    browser_->confirm = [this](const QString& question) {
      questions_ << question;
      return answer_;
    };
    browser_->openFile = [this](const QString& path) { opened_ << path; };
  }

  template <typename Widget>
  Widget* Child(const char* name) const {
    auto* widget = browser_->findChild<Widget*>(name);
    if (widget == nullptr) ADD_FAILURE() << "no control " << name;
    return widget;
  }

  QStringList Items(const char* list_name = "lbname") const {
    QStringList items;
    const auto* list = Child<QListWidget>(list_name);
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
  }

  QStringList Codes() const {
    QStringList codes;
    for (const QString& item : Items()) codes << item.left(4);
    return codes;
  }

  QStringList Groups() const {
    QStringList groups;
    const auto* box = Child<QComboBox>("cbCheck");
    for (int i = 0; i < box->count(); ++i) groups << box->itemText(i);
    return groups;
  }

  varnolt::Lines Catalogue() const {
    return varnolt::ReadLines(store_.Folder().File("codedata.txt"));
  }

  void Select(const QString& code) {
    auto* list = Child<QListWidget>("lbname");
    for (int i = 0; i < list->count(); ++i) {
      if (list->item(i)->text().startsWith(code)) list->setCurrentRow(i);
    }
  }

  void AddCondition(int number, const char* num1, const char* num2) {
    const auto order = varnolt::ScreeningDisplayOrder();
    const auto at = std::find(order.begin(), order.end(), number) - order.begin();
    Child<QListWidget>("cbscreening")->setCurrentRow(static_cast<int>(at));
    Child<QLineEdit>("ednum1")->setText(num1);
    Child<QLineEdit>("ednum2")->setText(num2);
    browser_->Button9Click();
  }

  void Screen() {
    browser_->Button5Click();
    browser_->WaitForScreening();
    EXPECT_FALSE(browser_->screeningRunning());
    EXPECT_TRUE(Child<QPushButton>("Button5")->isEnabled());
  }

  varnolt::testing::TempFolder temp_;
  varnolt::testing::PriceStore store_{temp_.Path()};
  std::unique_ptr<Tfsub2> browser_;
  QStringList warnings_, questions_, opened_;
  bool answer_ = true;
};

TEST_F(Tfsub2Test, ListingFilters) {
  EXPECT_EQ(browser_->windowTitle(), "Varnolt");
  EXPECT_EQ(Codes(), QStringList({"1301", "1332", "2001", "2002", "7203"}));
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "粉", "車"}));
  EXPECT_EQ(Child<QComboBox>("cbkind")->count(), 4);

  struct Market {
    int market, sector;
    QStringList codes;
  };
  const Market markets[] = {
      {1, 0, {"1301", "1332", "2001", "7203"}},  // 東証: every 東証 market
      {2, 0, {"1301", "2001", "7203"}},          // 東証一部 only
      {2, 2, {"2001"}},
      {6, 0, {"2002"}},
      {0, 3, {"7203"}},
      {3, 3, {}},
  };
  for (const Market& m : markets) {
    SCOPED_TRACE(m.codes.join(",").toStdString());
    Child<QComboBox>("cbmrk")->setCurrentIndex(m.market);
    Child<QComboBox>("cbkind")->setCurrentIndex(m.sector);
    browser_->Button2Click();
    EXPECT_EQ(Codes(), m.codes);
  }

  struct Checked {
    QString box;
    QStringList items;
  };
  const Checked checked[] = {
      {"全チェック銘柄",
       {"1332 : 日本水産◎", "2001 : 日本製粉◎粉◎", "2002 : 日清製粉◎粉◎",
        "7203 : トヨタ自動車◎車◎"}},
      {"",
       {"1332 : 日本水産◎", "2001 : 日本製粉◎粉◎", "2002 : 日清製粉◎粉◎",
        "7203 : トヨタ自動車◎車◎"}},
      {"粉", {"2001 : 日本製粉◎粉◎", "2002 : 日清製粉◎粉◎"}},
      {"無い", {}},
  };
  for (const Checked& c : checked) {
    SCOPED_TRACE(c.box.toStdString());
    Child<QComboBox>("cbCheck")->setEditText(c.box);
    browser_->Button12Click();
    EXPECT_EQ(Items(), c.items);
  }

  Child<QLineEdit>("edname")->setText(" 製粉 ");
  browser_->Button3Click();
  EXPECT_EQ(Items(), QStringList({"2001 : 日本製粉◎", "2002 : 日清製粉◎"}));
  Child<QLineEdit>("edname")->setText("  ");
  browser_->Button3Click();  // nothing to search: the list stays
  EXPECT_EQ(Codes(), QStringList({"2001", "2002"}));
  EXPECT_TRUE(warnings_.isEmpty());
}

TEST(Tfsub2StartTest, FolderWithoutCatalogueOpensQuietlyAndListingReportsIt) {
  varnolt::testing::TempFolder temp;
  QStringList warnings;
  Tfsub2 browser(varnolt::ProgramFolder(temp.Path()), [] { return DayOf(20040315); });
  browser.warn = [&](const QString& message) { warnings << message; };
  EXPECT_EQ(browser.findChild<QListWidget*>("lbname")->count(), 0);
  EXPECT_EQ(browser.findChild<QComboBox*>("cbkind")->currentText(), "全業種");
  browser.Button2Click();
  EXPECT_EQ(warnings.size(), 1);
}

TEST_F(Tfsub2Test, SelectedStockShowsLatestPriceAndFigures) {
  Select("1301");
  browser_->lbnameClick();
  EXPECT_EQ(Child<QLineEdit>("edcode")->text(), "1301");
  EXPECT_EQ(Child<QLineEdit>("edmrk")->text(), "東証一部");
  EXPECT_EQ(Child<QLineEdit>("edkind")->text(), "水産・農林業");
  EXPECT_EQ(Child<QLineEdit>("ednewed")->text(), "1130円");
  EXPECT_EQ(Child<QLineEdit>("ednewvol")->text(), "5000株");
  EXPECT_EQ(Child<QLineEdit>("edper")->text(), "35.87");  // 1130 / 31.5
  EXPECT_EQ(Child<QLineEdit>("edhaito")->text(), "0.55%");
  EXPECT_EQ(Child<QLineEdit>("edtangen")->text(), "1000株");
  Select("1332");
  browser_->lbnameClick();
  EXPECT_EQ(Child<QLineEdit>("ednewed")->text(), "0円");
  EXPECT_EQ(Child<QLineEdit>("edper")->text(), "-");
}

TEST_F(Tfsub2Test, SelectingAStockSwapsTheMemoShown) {
  TfMemo memo(store_.Folder());
  browser_->setMemoWindow(&memo);
  auto* code = memo.findChild<QLineEdit*>("memocode");
  auto* text = memo.findChild<QPlainTextEdit*>("Memomain");
  ASSERT_TRUE(code != nullptr && text != nullptr);
  Select("1301");
  browser_->lbnameClick();
  EXPECT_EQ(code->text(), "1301 : 極洋水産");
  text->setPlainText("押し目待ち");
  Select("7203");
  browser_->lbnameClick();
  EXPECT_EQ(code->text(), "7203 : トヨタ自動車◎車◎");
  EXPECT_TRUE(text->toPlainText().isEmpty());
  Select("1301");
  browser_->lbnameClick();
  EXPECT_EQ(text->toPlainText(), "押し目待ち");
}

TEST_F(Tfsub2Test, OnOffModeTogglesChecksAndKeepsGroupsInStep) {
  Child<QCheckBox>("cbOnOff")->setChecked(true);
  const varnolt::Lines original = Catalogue();

  // Twice on the same stock with a new group: the line comes back exactly, the group goes.
  Child<QComboBox>("cbCheck")->setEditText("新");
  Select("1301");
  browser_->lbnameDblClick();
  EXPECT_EQ(Catalogue()[2], "●水産・農林業●○東証一部○◎新◎");
  EXPECT_EQ(Items()[0], "1301 : 極洋水産◎新◎");
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "粉", "車", "新"}));
  browser_->lbnameDblClick();
  EXPECT_EQ(Catalogue(), original);
  EXPECT_EQ(Items()[0], "1301 : 極洋水産");
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "粉", "車"}));

  // One of two stocks of 粉 keeps the group; the last one takes it away.
  Select("2001");
  browser_->lbnameDblClick();
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "粉", "車"}));
  Select("2002");
  browser_->lbnameDblClick();
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "車"}));
  EXPECT_EQ(Catalogue()[11], "●食料品●○大証○");

  // A double click with the mouse is one request: the check is set once, not set and removed.
  browser_->show();
  QApplication::processEvents();
  auto* list = Child<QListWidget>("lbname");
  const QPoint at = list->visualItemRect(list->item(0)).center();
  const QPointF global = list->viewport()->mapToGlobal(QPointF(at));
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                            QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, QPointF(at), global, Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &event);
  }
  EXPECT_EQ(Items()[0], "1301 : 極洋水産◎新◎");
  browser_->lbnameDblClick();
  Select("2002");

  // With "全チェック銘柄" chosen a check carries no group.
  Child<QComboBox>("cbCheck")->setCurrentIndex(0);
  browser_->lbnameDblClick();
  EXPECT_EQ(Catalogue()[11], "●食料品●○大証○◎");
  EXPECT_TRUE(warnings_.isEmpty());
}

TEST_F(Tfsub2Test, BulkCheckAndClearAskFirst) {
  browser_->askGroupName = [] { return std::optional<QString>(); };  // Cancel
  const varnolt::Lines original = Catalogue();
  browser_->Button11Click();
  EXPECT_EQ(Catalogue(), original);

  Child<QComboBox>("cbkind")->setCurrentIndex(2);  // the two 製粉 in group 粉
  browser_->Button2Click();
  browser_->askGroupName = [] { return std::optional<QString>(""); };
  browser_->Button11Click();
  EXPECT_EQ(Items(), QStringList({"2001 : 日本製粉◎", "2002 : 日清製粉◎"}));
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "車"}));
  browser_->askGroupName = [] { return std::optional<QString>("麦"); };
  browser_->Button11Click();
  EXPECT_EQ(Items(), QStringList({"2001 : 日本製粉◎麦◎", "2002 : 日清製粉◎麦◎"}));
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "車", "麦"}));

  answer_ = false;
  browser_->Button13Click();
  EXPECT_EQ(questions_.size(), 1);
  EXPECT_EQ(Catalogue()[8], "●食料品●○東証一部○◎麦◎");
  answer_ = true;
  browser_->Button13Click();
  EXPECT_EQ(Items(), QStringList({"2001 : 日本製粉", "2002 : 日清製粉"}));
  EXPECT_EQ(Catalogue()[8], "●食料品●○東証一部○");
  EXPECT_EQ(Groups(), QStringList({"全チェック銘柄", "車"}));
  browser_->Button13Click();  // nothing checked in the list: no question
  EXPECT_EQ(questions_.size(), 2);
}

TEST_F(Tfsub2Test, ConditionSetFileKeepsSelectionAndConditions) {
  browser_->Button4Click();
  AddCondition(0, "100", "2000");
  AddCondition(12, "1", "2");
  const QStringList conditions = Items("lbscreening");
  ASSERT_EQ(conditions.size(), 2);
  EXPECT_TRUE(conditions[1].startsWith("12,7,0: "));

  const std::filesystem::path path = store_.Folder().DataDir() / "set.ini";
  const QString path_text = QString::fromStdString(path.string());
  browser_->chooseConditionFileToSave = [&](const QString&) { return path_text; };
  browser_->chooseConditionFileToOpen = [&](const QString&) { return path_text; };

  Child<QComboBox>("cbmrk")->setCurrentIndex(2);   // 東証一部
  Child<QComboBox>("cbkind")->setCurrentIndex(3);  // 輸送用機器
  browser_->Button16Click();
  const varnolt::Lines saved = varnolt::ReadLines(path);
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0], "---screening---,3,2");
  EXPECT_EQ(QString::fromStdString(saved[2]), conditions[1]);
  EXPECT_TRUE(questions_.isEmpty());

  Child<QComboBox>("cbmrk")->setCurrentIndex(0);
  Child<QComboBox>("cbkind")->setCurrentIndex(0);
  browser_->Button2Click();
  answer_ = false;
  browser_->Button10Click();  // 全削 refused
  EXPECT_EQ(Items("lbscreening").size(), 2);
  answer_ = true;
  browser_->Button10Click();
  EXPECT_TRUE(Items("lbscreening").isEmpty());

  browser_->Button15Click();
  EXPECT_EQ(Child<QComboBox>("cbmrk")->currentIndex(), 2);
  EXPECT_EQ(Child<QComboBox>("cbkind")->currentIndex(), 3);
  EXPECT_EQ(Codes(), QStringList({"7203"}));
  EXPECT_EQ(Items("lbscreening"), conditions);

  // The checked stocks of a group; an existing file is replaced only after a Yes.
  Child<RadioGroup>("rgselect")->setItemIndex(1);
  Child<QComboBox>("cbCheck")->setEditText("粉");
  answer_ = false;
  browser_->Button16Click();
  EXPECT_EQ(varnolt::ReadLines(path)[0], "---screening---,3,2");
  answer_ = true;
  browser_->Button16Click();
  EXPECT_EQ(varnolt::ReadLines(path)[0], "---screening---,check,◎粉◎");
  Child<QComboBox>("cbCheck")->setCurrentIndex(0);
  browser_->Button2Click();
  browser_->Button15Click();
  EXPECT_EQ(Child<QComboBox>("cbCheck")->currentText(), "粉");
  EXPECT_EQ(Codes(), QStringList({"2001", "2002"}));

  // Any other file changes nothing.
  varnolt::WriteLines(path, {"[section]", "0,0,0: x"});
  browser_->Button15Click();
  EXPECT_EQ(Codes(), QStringList({"2001", "2002"}));
  EXPECT_EQ(Items("lbscreening"), conditions);
  EXPECT_TRUE(warnings_.isEmpty());
}

TEST_F(Tfsub2Test, ScreeningNarrowsTheListAndCounts) {
  browser_->Button4Click();
  struct Run {
    const char* name;
    int number;  // -1: no condition
    const char* num1;
    const char* num2;
    QStringList before, after;
  };
  const QStringList all = {"1301", "1332", "2001", "2002", "7203"};
  const Run runs[] = {
      {"no condition leaves the list", -1, "", "", all, all},
      {"a price range", 0, "1000", "2000", all, {"1301"}},
      {"nothing passes", 0, "1", "2", all, {}},
      {"an empty list", 0, "1", "99999", {}, {}},
  };
  for (const Run& r : runs) {
    SCOPED_TRACE(r.name);
    Child<QListWidget>("lbscreening")->clear();
    if (r.number >= 0) AddCondition(r.number, r.num1, r.num2);
    Child<QComboBox>("cbCheck")->setEditText("無い");
    if (r.before.isEmpty()) {
      browser_->Button12Click();
    } else {
      browser_->Button2Click();
    }
    Screen();
    EXPECT_EQ(Codes(), r.after);
    EXPECT_EQ(Child<QLabel>("lbcount")->text(), QString("該当 %1 件").arg(r.after.size()));
  }

  // A cancelled run leaves the list as it was.
  browser_->Button2Click();
  browser_->Button5Click();
  browser_->CancelScreening();
  browser_->WaitForScreening();
  EXPECT_TRUE(Child<QPushButton>("Button5")->isEnabled());
  EXPECT_TRUE(Codes() == all || Codes() == QStringList({"1301", "7203"}));
  EXPECT_TRUE(warnings_.isEmpty());

  // Closing the program during a run stops it and waits for it.
  browser_->Button5Click();
  browser_.reset();
}

TEST_F(Tfsub2Test, HtmlExportOfTheListedStocks) {
  const std::filesystem::path html = store_.Folder().DataDir() / "finance.html";
  Child<QComboBox>("cbCheck")->setEditText("無い");
  browser_->Button12Click();
  browser_->Button14Click();
  EXPECT_FALSE(std::filesystem::exists(html));
  EXPECT_TRUE(opened_.isEmpty());
  EXPECT_TRUE(Child<QPushButton>("Button14")->isEnabled());

  browser_->Button2Click();
  browser_->Button14Click();
  ASSERT_EQ(opened_, QStringList({QString::fromStdString(html.string())}));
  const varnolt::Lines lines = varnolt::ReadLines(html);
  // Head, two stocks with records in list order, each a figures line and four link lines.
  ASSERT_EQ(lines.size(), 6u + 2 * 5 + 1);
  EXPECT_TRUE(
      lines[6].starts_with("<TR><TD><P align=center>1301</P></TD><TD><P "
                           "align=center>極洋水産</P></TD><TD><P align=center>1130</P>"));
  EXPECT_TRUE(
      lines[11].starts_with("<TR><TD><P align=center>7203</P></TD><TD><P "
                            "align=center>トヨタ自動車</P></TD><TD><P align=center>4012</P>"));
  EXPECT_TRUE(Child<QPushButton>("Button14")->isEnabled());

  // The web page buttons write the frame page beside the program for the code shown.
  Child<QPushButton>("Button19")->click();
  EXPECT_EQ(opened_.size(), 1);  // no code shown yet
  Select("7203");
  browser_->lbnameClick();
  Child<QPushButton>("Button21")->click();
  ASSERT_EQ(opened_.size(), 2);
  const varnolt::Lines frame = varnolt::ReadLines(store_.Folder().File("temp.html"));
  ASSERT_EQ(frame.size(), 4u);
  EXPECT_NE(frame[2].find("7203"), std::string::npos);
}

TEST_F(Tfsub2Test, PanelWidthAndConditionListCommands) {
  browser_->show();  // a hidden window hears of its resizes only when shown
  const int narrow = browser_->width();
  EXPECT_TRUE(Child<QWidget>("pnlScreening")->isHidden());
  browser_->Button4Click();
  EXPECT_EQ(browser_->width(), narrow + Tfsub2::kPanelWidth);
  EXPECT_EQ(Child<QPushButton>("Button4")->text(), "＜＜　拡張");
  browser_->resize(narrow + Tfsub2::kPanelWidth + 100, browser_->height());
  EXPECT_EQ(Child<QWidget>("pnlLeft")->width(), browser_->width() - 608);
  browser_->Button4Click();
  EXPECT_EQ(browser_->width(), narrow);
  EXPECT_EQ(Child<QPushButton>("Button4")->text(), "拡張　＞＞");
  browser_->resize(narrow + 50, browser_->height());
  EXPECT_EQ(Child<QWidget>("pnlLeft")->width(), browser_->width() - 8);

  // The catalogue's rows 10-15 are the high-low and purchase-price tests 82, 83, 78-81.
  auto* catalogue = Child<QListWidget>("cbscreening");
  EXPECT_EQ(catalogue->count(), 84);
  EXPECT_EQ(catalogue->item(10)->text().toStdString(), varnolt::ConditionText(82));
  EXPECT_EQ(catalogue->item(16)->text().toStdString(), varnolt::ConditionText(10));
  AddCondition(83, "5", "");
  AddCondition(7, "3", "5");
  AddCondition(5, "x", "5");
  EXPECT_EQ(warnings_, QStringList({"数値を正しく入力してください"}));
  const QStringList lines = Items("lbscreening");
  ASSERT_EQ(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith("83,7,0: "));
  EXPECT_TRUE(lines[1].startsWith("7,0,0: "));

  auto* list = Child<QListWidget>("lbscreening");
  list->setCurrentRow(0);
  browser_->Button6Click();  // already first
  EXPECT_EQ(Items("lbscreening"), lines);
  browser_->Button7Click();
  EXPECT_EQ(Items("lbscreening"), QStringList({lines[1], lines[0]}));
  EXPECT_EQ(list->currentRow(), 1);
  browser_->Button7Click();  // already last
  EXPECT_EQ(Items("lbscreening"), QStringList({lines[1], lines[0]}));
  browser_->Button6Click();
  EXPECT_EQ(Items("lbscreening"), lines);

  // Set 2 starts empty; the copies replace the whole target set.
  browser_->Button18Click();  // set 1 into set 2
  Child<QRadioButton>("rbsc2")->click();
  EXPECT_EQ(Items("lbscreening"), lines);
  list->setCurrentRow(0);
  browser_->Button8Click();
  EXPECT_EQ(Items("lbscreening"), QStringList({lines[1]}));
  Child<QRadioButton>("rbsc1")->click();
  EXPECT_EQ(Items("lbscreening"), lines);
  browser_->Button17Click();  // set 2 into set 1
  EXPECT_EQ(Items("lbscreening"), QStringList({lines[1]}));
}

TEST_F(Tfsub2Test, MainWindowShowsTheBrowserAndChartsTheStock) {
  TfMain main(store_.Folder(), [] { return DayOf(20040315); });
  QStringList main_warnings;
  main.warn = [&](const QString& message) { main_warnings << message; };
  main.setBrowserWindow(browser_.get());
  browser_->setMainWindow(&main);
  main.show();  // the chart is drawn at the size the shown window gives it
  QApplication::processEvents();
  EXPECT_TRUE(browser_->isVisible());
  browser_->hide();

  main.findChild<QPushButton*>("Button58")->click();
  EXPECT_TRUE(browser_->isVisible());
  EXPECT_TRUE(Child<QRadioButton>("rbdata2")->isChecked());
  main.findChild<QPushButton*>("Button39")->click();
  EXPECT_TRUE(Child<QRadioButton>("rbdata1")->isChecked());

  Select("1301");
  browser_->lbnameClick();
  EXPECT_TRUE(main.data1().loaded);
  EXPECT_TRUE(main.data1().chart_shown);
  EXPECT_FALSE(main.data2().loaded);
  EXPECT_EQ(main.findChild<QComboBox*>("cbdata1")->currentText().left(4), "1301");

  // A stock without prices does not reach the chart.
  Child<QRadioButton>("rbdata2")->setChecked(true);
  Select("1332");
  browser_->lbnameClick();
  EXPECT_FALSE(main.data2().loaded);
  EXPECT_EQ(main_warnings.size(), 1);
}

}  // namespace
