#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <QPushButton>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/chart_image.h"
#include "app/tf_main.h"
#include "base/text_file.h"
#include "chart/pointer_readout.h"
#include "support/price_store.h"
#include "support/temp_folder.h"

namespace {

using varnolt::DayFromCivil;

// The window over ten trading days of March 2004 (1st to 12th), bar i opening at
// 1000 + 10(i − 1), as the chart page tests have them.
class PointerToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    varnolt::testing::PriceStore store(temp_.Path());
    store.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○"});
    store.WriteHolidays({});
    constexpr int kDays[] = {1, 2, 3, 4, 5, 8, 9, 10, 11, 12};
    for (int i = 0; i < 10; ++i) {
      const int open = 1000 + 10 * i;
      store.Day(1301, 20040300 + kDays[i], open, open + 50, open - 30, open + 5, 1000 + i);
    }
    store.Flush();
    window_ = std::make_unique<TfMain>(varnolt::ProgramFolder(temp_.Path()),
                                       [] { return DayFromCivil(2004, 3, 31); });
    window_->warn = [this](const QString& message) { warnings_.push_back(message); };
    window_->show();
    QApplication::processEvents();
    Box("edDtst1")->setText("20040301");
    Box("edDted1")->setText("20040312");
    window_->findChild<QComboBox*>("cbdata1")->setEditText("1301");
    window_->buselectClick();
    window_->buShow1Click();
    EXPECT_TRUE(window_->data1().chart_shown);
  }

  QLineEdit* Box(const char* name) const {
    auto* box = window_->findChild<QLineEdit*>(name);
    if (box == nullptr) ADD_FAILURE() << "no box " << name;
    return box;
  }
  QString Text(const char* name) const { return Box(name)->text(); }
  QAction* Action(const char* name) const { return window_->findChild<QAction*>(name); }
  ChartImage* Chart() const { return window_->findChild<ChartImage*>("imMain"); }
  const QImage& Image() const { return Chart()->image(); }

  // The pixel of a position and price on data 1's price chart as it stands.
  QPoint At(int64_t position, int64_t price) const {
    const auto chart = varnolt::ShownPriceChart(window_->data1(), window_->ReadControls(), 1,
                                                Image().width(), Image().height());
    EXPECT_TRUE(chart);
    const varnolt::PixelPoint pixel = varnolt::RegionMap(chart->frame, position, price);
    return {pixel.x, pixel.y};
  }

  // A mouse event sent to the chart image as the platform would.
  void Mouse(QEvent::Type type, Qt::MouseButton button, QPoint point) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, point, Chart()->mapToGlobal(point), button, held, Qt::NoModifier);
    QApplication::sendEvent(Chart(), &event);
  }
  void Drag(Qt::MouseButton button, QPoint from, QPoint to) {
    Mouse(QEvent::MouseButtonPress, button, from);
    Mouse(QEvent::MouseMove, Qt::NoButton, (from + to) / 2);
    Mouse(QEvent::MouseMove, Qt::NoButton, to);
    Mouse(QEvent::MouseButtonRelease, button, to);
  }

  varnolt::testing::TempFolder temp_;
  std::unique_ptr<TfMain> window_;
  std::vector<QString> warnings_;
};

TEST_F(PointerToolsTest, ReadoutFollowsThePointerOverEachShownChart) {
  Mouse(QEvent::MouseMove, Qt::NoButton, At(3, 1040));
  EXPECT_EQ(Text("eddat1"), "20040303");
  EXPECT_EQ(Text("edx1"), "3");
  EXPECT_EQ(Text("edy1"), "1040");
  EXPECT_EQ(Text("edst1"), "1020");
  EXPECT_EQ(Text("edhi1"), "1070");
  EXPECT_EQ(Text("edlo1"), "990");
  EXPECT_EQ(Text("eded1"), "1025");
  EXPECT_EQ(window_->readout(1).date, "20040303");
  EXPECT_EQ(window_->readout(1).bar->close, 1025);
  // Data 2 has no chart on the image: its row stays empty.
  EXPECT_EQ(Text("eddat2"), "");
  EXPECT_EQ(Text("edy2"), "");

  // Three slots right of Friday 12 March: the third trading day after it, and no bar.
  Mouse(QEvent::MouseMove, Qt::NoButton, At(13, 1040));
  EXPECT_EQ(Text("eddat1"), "20040317");
  EXPECT_EQ(Text("edx1"), "13");
  EXPECT_EQ(Text("edst1"), "");
  EXPECT_EQ(Text("eded1"), "");
  EXPECT_FALSE(window_->readout(1).bar);

  // A new load empties the row.
  window_->buselectClick();
  EXPECT_EQ(Text("eddat1"), "");
  EXPECT_EQ(window_->readout(1), varnolt::PointerReadout{});
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(PointerToolsTest, TrendLineWithZoomOffAndUndoThatRestoresOnce) {
  EXPECT_EQ(Action("mZoom")->text(), "Zoom [ON]/off");
  Action("mZoom")->trigger();
  EXPECT_EQ(Action("mZoom")->text(), "Zoom on/[OFF]");

  const QImage before = Image();
  Drag(Qt::LeftButton, At(2, 1000), At(8, 1100));
  const QImage drawn = Image();
  EXPECT_NE(drawn, before);
  // The line runs between the two points; the slope text sits at the top left.
  EXPECT_NE(drawn.copy(32, 16, 100, 12), before.copy(32, 16, 100, 12));
  EXPECT_FALSE(window_->data2().loaded);

  ASSERT_TRUE(Action("mUndo")->isEnabled());
  Action("mUndo")->trigger();
  EXPECT_EQ(Image(), before);
  EXPECT_FALSE(Action("mUndo")->isEnabled());
  Action("mUndo")->trigger();
  EXPECT_EQ(Image(), before);

  Action("mZoom")->trigger();
  EXPECT_EQ(Action("mZoom")->text(), "Zoom [ON]/off");
}

TEST_F(PointerToolsTest, CrosshairComesAndGoesWithTheRightButton) {
  const QImage before = Image();
  Mouse(QEvent::MouseButtonPress, Qt::RightButton, At(4, 1050));
  EXPECT_NE(Image(), before);
  Mouse(QEvent::MouseMove, Qt::NoButton, At(6, 1010));
  EXPECT_NE(Image(), before);
  EXPECT_EQ(Text("eddat1"), "20040308");
  Mouse(QEvent::MouseButtonRelease, Qt::RightButton, At(6, 1010));
  EXPECT_EQ(Image(), before);
}

TEST_F(PointerToolsTest, ZoomLoadsTheRectangleAsDataTwo) {
  Box("edInter")->setText("20");
  window_->findChild<QCheckBox*>("cbsup")->setChecked(false);
  const QImage before = Image();
  // Drawn from right to left and from the top down.
  Drag(Qt::LeftButton, At(8, 1090), At(3, 1010));
  EXPECT_TRUE(warnings_.empty()) << warnings_.front().toStdString();
  ASSERT_TRUE(window_->data2().loaded);
  EXPECT_TRUE(window_->data2().chart_shown);
  EXPECT_EQ(Text("edDtst2"), "20040303");
  EXPECT_EQ(Text("edDTed2"), "20040310");
  EXPECT_EQ(Text("edUP2"), "1090");
  EXPECT_EQ(Text("edDown2"), "1010");
  EXPECT_EQ(Text("edspc2"), "0");
  EXPECT_EQ(Text("edInter2"), "20");
  EXPECT_FALSE(window_->findChild<QCheckBox*>("cbauto2")->isChecked());
  EXPECT_FALSE(window_->findChild<QCheckBox*>("cbsup2")->isChecked());
  EXPECT_EQ(window_->findChild<QComboBox*>("cbdata2")->currentText(),
            window_->findChild<QComboBox*>("cbdata1")->currentText());
  EXPECT_EQ(window_->data2().bars.Count() - window_->data2().first_shown + 1, 6);
  const QImage zoomed = Image();

  // The zoom's caption says so: a plain display of the same data differs from it.
  window_->Button17Click();
  window_->buShow2Click();
  EXPECT_NE(Image(), zoomed);

  // A rectangle reaching past the last bar keeps room for the coming bars.
  window_->buShow1Click();
  const QImage before_second = Image();
  Drag(Qt::LeftButton, At(5, 1010), At(12, 1090));
  EXPECT_EQ(Text("edDtst2"), "20040305");
  EXPECT_EQ(Text("edDTed2"), "20040316");
  EXPECT_EQ(Text("edspc2"), "10");
  EXPECT_TRUE(window_->data2().chart_shown);
  EXPECT_NE(Image(), before_second);

  // Load, clear and display come undone as one.
  Action("mUndo")->trigger();
  EXPECT_EQ(Image(), before_second);
  EXPECT_NE(before_second, before);
}

TEST_F(PointerToolsTest, PrintsTheWindowAndSavesTheChartImage) {
  const auto pdf = temp_.Path() / "window.pdf";
  window_->choosePrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return true;
  };
  Action("kPrint")->trigger();
  ASSERT_TRUE(std::filesystem::exists(pdf));
  EXPECT_TRUE(varnolt::ReadBytes(pdf).starts_with("%PDF"));
  std::filesystem::remove(pdf);
  window_->choosePrinter = [](QPrinter&) { return false; };
  Action("kPrint")->trigger();
  EXPECT_FALSE(std::filesystem::exists(pdf));

  for (const char* name : {"chart.bmp", "chart.png"}) {
    const auto file = temp_.Path() / name;
    varnolt::WriteBytesAtomically(file, "an older picture");
    QString filter, suffix;
    window_->chooseFileToSave = [&](const QString& offered_filter, const QString& offered_suffix) {
      filter = offered_filter;
      suffix = offered_suffix;
      return QString::fromStdString(file.string());
    };
    Action("KS1")->trigger();
    EXPECT_TRUE(filter.startsWith("Bitmap file (*.bmp)"));
    EXPECT_EQ(suffix, "bmp");
    const QString path = QString::fromStdString(file.string());
    QImage saved;
    ASSERT_TRUE(saved.load(path, name[6] == 'b' ? "BMP" : "PNG")) << name;
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Image()) << name;
  }
  EXPECT_FALSE(std::filesystem::exists(temp_.Path() / "chart.bmp.tmp"));
  EXPECT_TRUE(warnings_.empty());
}

}  // namespace
