#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTextEdit>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/chart_image.h"
#include "app/color_label.h"
#include "app/radio_group.h"
#include "app/tf_main.h"
#include "base/settings_file.h"
#include "series/calendar.h"
#include "support/price_store.h"
#include "support/temp_folder.h"
#include "widget_lookup.h"

namespace {

using varnolt::DayFromCivil;

constexpr const char* kBadRegions = "表示領域を正しく設定して下さい";

bool AllWhite(const QImage& image, int y1, int y2) {
  for (int y = std::max(y1, 0); y < std::min(y2, image.height()); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      if (row[x] != 0xFFFFFFFF) return false;
    }
  }
  return true;
}

// Rows y1..y2−1 of both images are the same.
bool SameRows(const QImage& a, const QImage& b, int y1, int y2) {
  return a.copy(0, y1, a.width(), y2 - y1) == b.copy(0, y1, b.width(), y2 - y1);
}

class IndicatorPagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    varnolt::testing::PriceStore store(temp_.Path());
    store.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○"});
    store.WriteHolidays({});
    // Every weekday of March 2004, rising and falling in turn.
    int i = 0;
    for (int day = 1; day <= 31; ++day) {
      if (varnolt::Weekday(DayFromCivil(2004, 3, day)) < 2) continue;  // Saturday, Sunday
      const int open = 1000 + 10 * i;
      const int close = i % 2 == 0 ? open + 20 : open - 20;
      store.Day(1301, 20040300 + day, open, open + 50, open - 30, close, 1000 + i);
      ++i;
    }
    store.Flush();
  }

  std::unique_ptr<TfMain> OpenWindow() {
    const varnolt::DayNumber today = DayFromCivil(2004, 3, 31);
    auto window =
        std::make_unique<TfMain>(varnolt::ProgramFolder(temp_.Path()), [today] { return today; });
    window->warn = [this](const QString& message) { warnings_.push_back(message); };
    window->inform = [](const QString&) {};
    window->chooseColor = [](const QColor&) -> std::optional<QColor> {
      ADD_FAILURE() << "unexpected colour dialog";
      return std::nullopt;
    };
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

  static void Press(const TfMain& window, const char* button) {
    Child<QPushButton>(window, button)->click();
  }

  static void Load(const TfMain& window, int data_number) {
    const bool first = data_number == 1;
    Child<QComboBox>(window, first ? "cbdata1" : "cbdata2")->setEditText("1301");
    SetText(window, first ? "edDtst1" : "edDtst2", "20040301");
    SetText(window, first ? "edDted1" : "edDTed2", "20040331");
    Press(window, first ? "buselect" : "buselect2");
  }

  static QWidget* CurrentPage(const TfMain& window) {
    return Child<QTabWidget>(window, "PCup")->currentWidget();
  }

  static void ShowTab(const TfMain& window, const QString& caption) {
    auto* pages = Child<QTabWidget>(window, "PCup");
    for (int i = 0; i < pages->count(); ++i) {
      if (pages->tabText(i) == caption) {
        pages->setCurrentIndex(i);
        return;
      }
    }
    ADD_FAILURE() << "no page " << caption.toStdString();
  }

  bool Warned(const QString& message) const {
    return std::find(warnings_.begin(), warnings_.end(), message) != warnings_.end();
  }

  varnolt::testing::TempFolder temp_;
  std::vector<QString> warnings_;
};

TEST_F(IndicatorPagesTest, EveryKnownControlHasAWidgetThatTheBridgeReadsAndWrites) {
  auto window = OpenWindow();
  const varnolt::ControlValues defaults = varnolt::ControlValues::Defaults();
  const varnolt::ControlValues start = window->ReadControls();
  for (const auto& [name, value] : defaults.All()) {
    if (name == varnolt::kKeptLineName) continue;  // a text of the window, not a widget
    EXPECT_NE(window->findChild<QWidget*>(QString::fromStdString(name)), nullptr) << name;
    EXPECT_EQ(start.Text(name), value) << name;
  }

  // A value of its own for every control, as its kind of widget holds it; each must come back
  // through the bridge, so no widget is passed over by the reading or the writing.
  varnolt::ControlValues changed;
  int distinct = 0;
  for (const auto& [name, value] : defaults.All()) {
    const QWidget* widget = window->findChild<QWidget*>(QString::fromStdString(name));
    if (widget == nullptr || qobject_cast<const QRadioButton*>(widget) != nullptr) continue;
    ++distinct;
    if (qobject_cast<const QLineEdit*>(widget) != nullptr) {
      changed.Set(name, "7" + std::to_string(distinct));
    } else if (qobject_cast<const QCheckBox*>(widget) != nullptr) {
      changed.SetChecked(name, value != "true");
    } else if (qobject_cast<const ColorLabel*>(widget) != nullptr) {
      changed.Set(name, std::to_string(0x010203 * distinct));
    } else {
      changed.Set(name, "1");  // a list or a radio group
    }
  }
  changed.Set(varnolt::kKeptLineName, "前回の値");
  window->WriteControls(changed);
  const varnolt::ControlValues after = window->ReadControls();
  for (const auto& [name, value] : changed.All()) EXPECT_EQ(after.Text(name), value) << name;
}

TEST_F(IndicatorPagesTest, PagesShowTheirListsCaptionsAndColours) {
  auto window = OpenWindow();
  auto* trend = Child<QComboBox>(*window, "cbchart2");
  ASSERT_EQ(trend->count(), 10);
  EXPECT_EQ(trend->itemText(0), "移動平均（終値）");
  EXPECT_EQ(trend->itemText(2), "一目均衡表");
  EXPECT_EQ(trend->itemText(9), "Ｐ＆Ｆ");
  EXPECT_EQ(trend->currentIndex(), 0);
  auto* oscillator = Child<QComboBox>(*window, "cbos1");
  ASSERT_EQ(oscillator->count(), 11);
  EXPECT_EQ(oscillator->itemText(0), "ＲＳＩ");
  EXPECT_EQ(oscillator->itemText(3), "出来高");
  EXPECT_EQ(oscillator->itemText(10), "逆ウォッチ曲線");
  EXPECT_EQ(Child<QLineEdit>(*window, "edov1")->text(), "");
  EXPECT_EQ(Child<QLineEdit>(*window, "ed2ov2")->text(), "10");
  for (const char* button : {"buChart1", "buCHart2", "BuOs1", "buOs2"}) {
    EXPECT_EQ(Child<QPushButton>(*window, button)->text(), "表示") << button;
  }
  for (const char* button : {"Button2", "Button6", "Button13", "Button15"}) {
    EXPECT_EQ(Child<QPushButton>(*window, button)->text(), "クリア") << button;
  }

  auto* kagi = Child<RadioGroup>(*window, "rgKagi");
  EXPECT_EQ(kagi->itemIndex(), 0);
  EXPECT_EQ(kagi->itemCount(), 2);
  EXPECT_EQ(Child<RadioGroup>(*window, "RGpf")->findChildren<QRadioButton*>().at(1)->text(),
            "到達点記入ベース");
  EXPECT_TRUE(Child<QCheckBox>(*window, "cbpf")->isChecked());
  EXPECT_EQ(Child<QCheckBox>(*window, "cbpf")->text(), "升目表示");
  EXPECT_EQ(Child<QCheckBox>(*window, "cbrsi")->text(), "RSIとﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄで累積型を使う");
  EXPECT_EQ(Child<QLineEdit>(*window, "edVo1")->text(), "15");
  EXPECT_EQ(Child<QLineEdit>(*window, "edscale12")->text(), "200");

  // A colour label shows its colour: 32768 is green, 8388736 purple.
  auto* green = Child<ColorLabel>(*window, "lbav1");
  EXPECT_EQ(green->palette().color(QPalette::Window), QColor(0, 128, 0));
  EXPECT_EQ(Child<ColorLabel>(*window, "lbmacd2")->palette().color(QPalette::Window),
            QColor(128, 0, 128));
  varnolt::ControlValues values;
  values.Set("lbav1", "16711680");  // blue
  window->WriteControls(values);
  EXPECT_EQ(green->palette().color(QPalette::Window), QColor(0, 0, 255));

  // The check box of the oscillator listings lives on the statistics page.
  auto* listing = Child<QCheckBox>(*window, "cbshowosci");
  EXPECT_EQ(listing->text(), "オシレーター表示");
  EXPECT_FALSE(listing->isChecked());
  EXPECT_TRUE(Child<QWidget>(*window, "reStat")->parentWidget()->isAncestorOf(listing));
}

TEST_F(IndicatorPagesTest, TrendCommandDrawsThePriceChartFirstAsOneUndoableAction) {
  auto window = OpenWindow();
  Load(*window, 1);
  ASSERT_TRUE(window->data1().loaded);
  ShowTab(*window, "ﾁｬｰﾄ");
  Press(*window, "buChart1");
  // The drawing itself may report something; what is checked here is the command around it.
  EXPECT_FALSE(Warned(kBadRegions));

  EXPECT_TRUE(window->data1().chart_shown);
  EXPECT_EQ(window->data1().command_record, "1,1,1,10,3,0,1,10,");
  EXPECT_EQ(CurrentPage(*window)->objectName(), "tsChart");
  EXPECT_FALSE(AllWhite(Image(*window), 0, Image(*window).height()));
  EXPECT_NE(Child<QLineEdit>(*window, "edUP")->text(), "");  // the display's scale stays

  // One snapshot, before the price chart: undo goes back to the white image.
  auto* undo = Child<QAction>(*window, "mUndo");
  ASSERT_TRUE(undo->isEnabled());
  undo->trigger();
  EXPECT_TRUE(AllWhite(Image(*window), 0, Image(*window).height()));

  // With the chart shown the command draws the indicator only.
  Press(*window, "buChart1");
  EXPECT_EQ(window->data1().command_record, "1,1,1,10,3,0,1,10,3,0,1,10,");

  // Ichimoku draws the price chart again over its cloud, inside the same undo step.
  const QImage before = Image(*window);
  Child<QComboBox>(*window, "cbchart1")->setCurrentIndex(2);
  Press(*window, "buChart1");
  EXPECT_TRUE(window->data1().command_record.ends_with("3,2,1,10,"))
      << window->data1().command_record;
  undo->trigger();
  EXPECT_EQ(Image(*window), before);
}

TEST_F(IndicatorPagesTest, TrendCommandTakesTheRegionsTheDisplayJustWrote) {
  auto window = OpenWindow();
  Load(*window, 2);
  SetText(*window, "ed2v1", "4");
  SetText(*window, "ed2v2", "8");
  Child<QComboBox>(*window, "cbchart2")->setCurrentIndex(3);
  Press(*window, "buCHart2");
  EXPECT_FALSE(Warned(kBadRegions));

  EXPECT_TRUE(window->data2().chart_shown);
  EXPECT_EQ(window->data2().command_record, "1,1,4,8,3,3,4,8,");
  EXPECT_EQ(Child<QLineEdit>(*window, "ed2cv1")->text(), "4");
  EXPECT_EQ(Child<QLineEdit>(*window, "ed2cv2")->text(), "8");
  EXPECT_TRUE(window->data1().command_record.empty());
  EXPECT_FALSE(window->data1().chart_shown);
}

TEST_F(IndicatorPagesTest, OscillatorCommandRecordsItsItemAndRegionsAndKeepsTheStatistics) {
  auto window = OpenWindow();
  Load(*window, 1);
  Load(*window, 2);
  Press(*window, "buShow1");
  Child<QTextEdit>(*window, "reStat")->setPlainText("前の統計");

  Child<QComboBox>(*window, "cbos1")->setCurrentIndex(2);
  ShowTab(*window, "ｵｼﾚｰﾀｰ");
  Press(*window, "BuOs1");
  EXPECT_FALSE(Warned(kBadRegions));
  // An empty lower box takes the upper one: region 10 alone.
  EXPECT_EQ(window->data1().command_record, "1,1,1,10,4,2,10,10,");
  EXPECT_EQ(CurrentPage(*window)->objectName(), "tsChart");
  EXPECT_TRUE(Child<QTextEdit>(*window, "reStat")->toPlainText().startsWith("前の統計"));

  // With the listing switched on, the oscillator's values replace the text.
  Child<QCheckBox>(*window, "cbshowosci")->setChecked(true);
  Child<QComboBox>(*window, "cbos1")->setCurrentIndex(0);
  Press(*window, "BuOs1");
  const QString listing = Child<QTextEdit>(*window, "reStat")->toPlainText();
  EXPECT_FALSE(listing.contains("前の統計"));
  EXPECT_TRUE(listing.contains("RSI")) << listing.toStdString();
  // The listing's CR LF line ends become plain lines in the box.
  EXPECT_FALSE(listing.contains('\r'));
  EXPECT_GT(listing.count('\n'), 5);

  Child<QComboBox>(*window, "cbos2")->setCurrentIndex(5);
  SetText(*window, "ed2ov1", "7");
  SetText(*window, "ed2ov2", "9");
  Press(*window, "buOs2");
  EXPECT_TRUE(window->data2().chart_shown);
  EXPECT_EQ(window->data2().command_record, "1,1,1,10,4,5,7,9,");
}

TEST_F(IndicatorPagesTest, BadRegionsAndBadNumbersDrawAndRecordNothing) {
  auto window = OpenWindow();
  Load(*window, 1);
  Press(*window, "buShow1");
  const QImage drawn = Image(*window);
  const std::string record = window->data1().command_record;
  ShowTab(*window, "ﾁｬｰﾄ");
  QWidget* trend_page = CurrentPage(*window);

  SetText(*window, "edcv1", "0");
  Press(*window, "buChart1");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_EQ(warnings_[0], kBadRegions);

  SetText(*window, "edcv1", "6");
  SetText(*window, "edcv2", "5");
  Press(*window, "buChart1");
  ASSERT_EQ(warnings_.size(), 2u);
  EXPECT_EQ(warnings_[1], kBadRegions);

  SetText(*window, "edov1", "11");
  Press(*window, "BuOs1");
  ASSERT_EQ(warnings_.size(), 3u);
  EXPECT_EQ(warnings_[2], kBadRegions);

  // A region box that is not a number ends the command with the conversion error.
  SetText(*window, "edcv1", "1");
  SetText(*window, "edcv2", "x");
  Press(*window, "buChart1");
  ASSERT_EQ(warnings_.size(), 4u);
  EXPECT_TRUE(warnings_[3].contains("x")) << warnings_[3].toStdString();

  // So does a price scale that is not a number while the chart counts as shown.
  SetText(*window, "edcv2", "10");
  auto* upper = Child<QLineEdit>(*window, "edUP");
  {
    const QSignalBlocker quiet(upper);
    upper->setText("12y");
  }
  ASSERT_TRUE(window->data1().chart_shown);
  Press(*window, "buChart1");
  ASSERT_EQ(warnings_.size(), 5u);
  EXPECT_TRUE(warnings_[4].contains("12y")) << warnings_[4].toStdString();
  EXPECT_EQ(upper->text(), "12y");

  EXPECT_EQ(window->data1().command_record, record);
  EXPECT_EQ(Image(*window), drawn);
  EXPECT_EQ(CurrentPage(*window), trend_page);
}

TEST_F(IndicatorPagesTest, ClearButtonsWhitenTheirOwnPagesRegions) {
  auto window = OpenWindow();
  Load(*window, 1);
  Press(*window, "buShow1");
  const int height = Image(*window).height();
  // Region r covers rows H × (10 − r) div 10 to H × (11 − r) div 10.
  const auto top = [height](int region) { return height * (10 - region) / 10; };
  const auto bottom = [height](int region) { return height * (11 - region) / 10; };
  for (int region : {1, 2, 9, 10})
    ASSERT_FALSE(AllWhite(Image(*window), top(region), bottom(region)));

  SetText(*window, "edcv1", "1");
  SetText(*window, "edcv2", "1");
  SetText(*window, "ed2cv1", "2");
  SetText(*window, "ed2cv2", "2");
  SetText(*window, "edov1", "");
  SetText(*window, "edov2", "10");
  SetText(*window, "ed2ov1", "9");
  SetText(*window, "ed2ov2", "");
  const struct {
    const char* button;
    int region;
  } kClears[] = {{"Button2", 1}, {"Button6", 2}, {"Button13", 10}, {"Button15", 9}};
  for (const auto& clear : kClears) {
    const QImage before = Image(*window);
    Press(*window, clear.button);
    const QImage& after = Image(*window);
    EXPECT_TRUE(AllWhite(after, top(clear.region), bottom(clear.region))) << clear.button;
    EXPECT_TRUE(SameRows(after, before, 0, top(clear.region))) << clear.button;
    EXPECT_TRUE(SameRows(after, before, bottom(clear.region), height)) << clear.button;
  }
  EXPECT_TRUE(warnings_.empty());
  // A clear is undone like a drawing.
  const QImage before_last = Image(*window);
  SetText(*window, "edcv2", "10");
  Press(*window, "Button2");
  EXPECT_TRUE(AllWhite(Image(*window), 0, height));
  Child<QAction>(*window, "mUndo")->trigger();
  EXPECT_EQ(Image(*window), before_last);
}

TEST_F(IndicatorPagesTest, EachColourButtonGivesItsOwnLabelTheChosenColour) {
  auto window = OpenWindow();
  static constexpr std::pair<const char*, const char*> kButtons[] = {
      {"Button11", "lbav1"},   {"Button1", "lbav2"},   {"Button10", "lbav3"},
      {"Button3", "lbpalb"},   {"Button18", "lbpals"}, {"Button26", "lbrsi1"},
      {"Button27", "lbrci1"},  {"Button28", "lbrci2"}, {"Button19", "lbmdi"},
      {"Button23", "lbpdi"},   {"Button24", "lbadx"},  {"Button25", "cbadxr.color"},
      {"Button29", "lbstk"},   {"Button30", "lbstd"},  {"Button31", "lbstsd"},
      {"Button32", "lbr"},     {"Button33", "lbpsy"},  {"Button37", "lbmacd1"},
      {"Button38", "lbmacd2"}, {"Button34", "lbkai1"}, {"Button35", "lbkai2"},
      {"Button36", "lbkai3"},  {"Button12", "lbgann"}, {"Button16", "lbsc"},
      {"Button53", "lbRSI2"},  {"Button54", "lbrsi3"}, {"Button55", "lbrci3"},
  };
  int calls = 0;
  QColor offered;
  window->chooseColor = [&](const QColor& current) -> std::optional<QColor> {
    offered = current;
    ++calls;
    return QColor(calls, 2 * calls, 0x40);
  };
  for (const auto& [button, label] : kButtons) {
    SCOPED_TRACE(button);
    const varnolt::ControlValues before = window->ReadControls();
    auto* swatch = Child<ColorLabel>(*window, label);
    const QColor shown = swatch->palette().color(QPalette::Window);
    EXPECT_EQ(Child<QPushButton>(*window, button)->text(), "色");
    Press(*window, button);
    EXPECT_EQ(offered, shown);  // the dialog opens on the label's colour
    const varnolt::ControlValues after = window->ReadControls();
    // 0x00BBGGRR: red in the low byte.
    EXPECT_EQ(after.Text(label), std::to_string(calls | (2 * calls) << 8 | 0x40 << 16));
    EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(calls, 2 * calls, 0x40));
    for (const auto& [name, value] : after.All()) {
      if (name != label) {
        EXPECT_EQ(value, before.Text(name)) << name;
      }
    }
  }
  EXPECT_EQ(calls, 27);

  // A cancelled dialog changes nothing.
  window->chooseColor = [](const QColor&) -> std::optional<QColor> { return std::nullopt; };
  const std::string kept = window->ReadControls().Text("lbpsy");
  Press(*window, "Button33");
  EXPECT_EQ(window->ReadControls().Text("lbpsy"), kept);
}

TEST_F(IndicatorPagesTest, OscillatorListingSwitchRoundTrips) {
  auto window = OpenWindow();
  auto* listing = Child<QCheckBox>(*window, "cbshowosci");
  varnolt::ControlValues values;
  values.SetChecked("cbshowosci", true);
  window->WriteControls(values);
  EXPECT_TRUE(listing->isChecked());
  EXPECT_EQ(window->ReadControls().Text("cbshowosci"), "true");
  listing->click();
  EXPECT_EQ(window->ReadControls().Text("cbshowosci"), "false");
}

}  // namespace
