#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinter>
#include <filesystem>
#include <memory>

#include "app/chart_image.h"
#include "app/tf_main.h"
#include "base/text_file.h"
#include "support/price_store.h"
#include "support/temp_folder.h"
#include "ten_day_chart.h"

namespace {

// None of the pointer tools warns here.
class PointerToolsTest : public TenDayChartTest {
 protected:
  void TearDown() override {
    EXPECT_TRUE(warnings_.isEmpty()) << warnings_.join("|").toStdString();
  }

  QString Text(const char* name) const { return Box(name)->text(); }
  QAction* Action(const char* name) const { return window_->findChild<QAction*>(name); }

  // Mouse events reach the chart image as the platform sends them.
  void Mouse(QEvent::Type type, QPoint point, Qt::MouseButton button = Qt::NoButton) {
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, point, Chart()->mapToGlobal(point), button, held, Qt::NoModifier);
    QApplication::sendEvent(Chart(), &event);
  }
  void Drag(QPoint from, QPoint to) {
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton);
    Mouse(QEvent::MouseMove, (from + to) / 2);
    Mouse(QEvent::MouseMove, to);
    Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton);
  }
};

TEST_F(PointerToolsTest, ReadoutBoxesFollowThePointer) {
  Mouse(QEvent::MouseMove, At(3, 1040));
  EXPECT_EQ(Text("eddat1") + " " + Text("edx1") + " " + Text("edy1") + " " + Text("eded1"),
            "20040303 3 1040 1025");
  EXPECT_EQ(window_->readout(1).bar->close, 1025);
  EXPECT_EQ(Text("eddat2"), "");  // data 2 has no chart on the image

  // Three slots right of Friday 12 March: the third trading day after it, and no bar.
  Mouse(QEvent::MouseMove, At(13, 1040));
  EXPECT_EQ(Text("eddat1") + " " + Text("edst1"), "20040317 ");
  window_->buselectClick();  // a load empties the row
  EXPECT_EQ(Text("eddat1"), "");
  EXPECT_EQ(window_->readout(1), varnolt::PointerReadout{});
}

TEST_F(PointerToolsTest, TrendLineWithZoomOffAndAnUndoThatRestoresOnce) {
  Action("mZoom")->trigger();
  EXPECT_EQ(Action("mZoom")->text(), "Zoom on/[OFF]");
  const QImage before = Image();
  Drag(At(2, 1000), At(8, 1100));
  EXPECT_NE(Image().copy(32, 16, 100, 12), before.copy(32, 16, 100, 12));  // the slope text
  EXPECT_FALSE(window_->data2().loaded);
  Action("mUndo")->trigger();
  EXPECT_EQ(Image(), before);
  EXPECT_FALSE(Action("mUndo")->isEnabled());
  Action("mZoom")->trigger();
  EXPECT_EQ(Action("mZoom")->text(), "Zoom [ON]/off");
}

TEST_F(PointerToolsTest, ZoomLoadsAndShowsTheRectangleAsDataTwo) {
  window_->findChild<QCheckBox*>("cbsup")->setChecked(false);
  Drag(At(8, 1090), At(3, 1010));  // from right to left, top down
  ASSERT_TRUE(window_->data2().chart_shown);
  EXPECT_EQ(Text("edDtst2") + " " + Text("edDTed2") + " " + Text("edUP2") + " " + Text("edDown2") +
                " " + Text("edspc2"),
            "20040303 20040310 1090 1010 0");
  EXPECT_FALSE(window_->findChild<QCheckBox*>("cbauto2")->isChecked());
  EXPECT_FALSE(window_->findChild<QCheckBox*>("cbsup2")->isChecked());
  EXPECT_EQ(window_->data2().bars.Count() - window_->data2().first_shown + 1, 6);
  // The caption names the zoom: a plain display of the same data differs.
  const QImage zoomed = Image();
  window_->Button17Click();
  window_->buShow2Click();
  EXPECT_NE(Image(), zoomed);

  // Past the last bar: room for the coming bars. Load, clear and display undo as one.
  window_->buShow1Click();
  const QImage before = Image();
  Drag(At(5, 1010), At(12, 1090));
  EXPECT_EQ(Text("edDtst2") + " " + Text("edDTed2") + " " + Text("edspc2"), "20040305 20040316 10");
  Action("mUndo")->trigger();
  EXPECT_EQ(Image(), before);
}

TEST_F(PointerToolsTest, PrintsTheWindowAndSavesTheChartImageAsBmpOrPng) {
  const auto pdf = temp_.Path() / "window.pdf";
  window_->choosePrinter = [&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(pdf.string()));
    return true;
  };
  Action("kPrint")->trigger();
  EXPECT_TRUE(varnolt::ReadBytes(pdf).starts_with("%PDF"));

  for (const char* format : {"BMP", "PNG"}) {
    const auto file = temp_.Path() / (std::string("chart.") + format);
    varnolt::WriteBytesAtomically(file, "an older picture");
    window_->chooseFileToSave = [&](const QString&, const QString&) {
      return QString::fromStdString(file.string());
    };
    Action("KS1")->trigger();
    QImage saved;
    ASSERT_TRUE(saved.load(QString::fromStdString(file.string()), format));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), Image()) << format;
  }
}

}  // namespace
