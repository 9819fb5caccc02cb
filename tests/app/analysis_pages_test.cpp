#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <memory>

#include "app/chart_image.h"
#include "app/tf_main.h"
#include "support/price_store.h"
#include "support/temp_folder.h"
#include "ten_day_chart.h"
#include "widget_lookup.h"

namespace {

class AnalysisPagesTest : public TenDayChartTest {
 protected:
  QComboBox* List(const char* name) const { return window_->findChild<QComboBox*>(name); }
  void Send(QEvent::Type type, QPoint point, Qt::MouseButton button, Qt::MouseButtons held) {
    QMouseEvent event(type, point, Chart()->mapToGlobal(point), button, held, Qt::NoModifier);
    QApplication::sendEvent(Chart(), &event);
  }
  void Click(QPoint point) {
    Send(QEvent::MouseMove, point, Qt::NoButton, Qt::NoButton);
    Send(QEvent::MouseButtonPress, point, Qt::LeftButton, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, point, Qt::LeftButton, Qt::NoButton);
  }
  void DoubleClick(QPoint point) {
    QMouseEvent move(QEvent::MouseMove, point, Chart()->mapToGlobal(point), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Chart(), &move);
    QMouseEvent click(QEvent::MouseButtonDblClick, point, Chart()->mapToGlobal(point),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(Chart(), &click);
    QMouseEvent release(QEvent::MouseButtonRelease, point, Chart()->mapToGlobal(point),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(Chart(), &release);
  }
};

TEST_F(AnalysisPagesTest, GridTwiceLeavesTheImageAsItWas) {
  const QImage before = Image();
  Box("edghi")->setText("1100");
  Box("edglo")->setText("1000");
  Box("edgpe")->setText("20");
  window_->Button5Click();
  // The empty date box took the first displayed bar's date.
  EXPECT_EQ(Box("edGdat")->text(), "20040301");
  EXPECT_NE(Image(), before);
  window_->Button5Click();
  EXPECT_EQ(Image(), before);
  window_->Button14Click();  // 2点間 from (0, 0) to (1, 1): the box's diagonal
  EXPECT_NE(Image(), before);
  window_->Button14Click();
  EXPECT_EQ(Image(), before);
  EXPECT_TRUE(warnings_.isEmpty()) << warnings_.join("|").toStdString();

  Box("edghi")->setText("11OO");
  window_->Button5Click();
  Box("edghi")->setText("1100");
  Box("edgpe")->setText("");
  window_->Button5Click();
  List("cbg3")->setCurrentIndex(11);  // ﾅｼ
  Box("edgpe")->setText("1");
  window_->Button14Click();
  EXPECT_EQ(warnings_, (QStringList{"日付、高値、安値を正しく入力して下さい",
                                    "１単位を正しく設定して下さい", "２点を選んで下さい"}));
  EXPECT_EQ(Image(), before);
}

TEST_F(AnalysisPagesTest, DoubleClickHandsTheReadoutToBothPages) {
  List("cbs1")->setCurrentIndex(4);  // 終値
  List("cbs2")->setCurrentIndex(3);  // 十字
  // The first click of a double click is a plain click: the pointer tools' slope text.
  Click(At(3, 1040));
  const QImage before = Image();
  DoubleClick(At(3, 1040));
  EXPECT_EQ(Box("edGdat")->text() + " " + Box("edghi")->text() + " " + Box("edglo")->text(),
            "20040303 1070 990");
  EXPECT_EQ(Box("edsdat1")->text() + " " + Box("edsx1")->text() + " " + Box("edsy1")->text(),
            "20040303 3 1025");
  EXPECT_NE(Image(), before);
  // The cross of the second double click at the same point takes the first away.
  DoubleClick(At(3, 1040));
  EXPECT_EQ(Image(), before);
  EXPECT_TRUE(Box("edsa")->text().isEmpty());
  EXPECT_TRUE(warnings_.isEmpty()) << warnings_.join("|").toStdString();
}

TEST_F(AnalysisPagesTest, BasicNumberLinesRunTwiceLeaveOnlyTheirLabels) {
  Box("edsx1")->setText("1");
  List("cbss")->setCurrentIndex(17);
  const QImage before = Image();
  window_->BussClick();
  const int below_labels = 40;
  const QRect lines(0, below_labels, Image().width(), Image().height() - below_labels);
  EXPECT_NE(Image().copy(lines), before.copy(lines));
  window_->BussClick();
  EXPECT_EQ(Image().copy(lines), before.copy(lines));

  // Ichimoku targets from 1000, 1200, 1100.
  Box("edsy1")->setText("1000");
  Box("edsy2")->setText("1200");
  Box("edsy3")->setText("1100");
  List("cbss")->setCurrentIndex(22);
  window_->BussClick();
  EXPECT_EQ(Box("edsa")->text(), "900");
}

TEST_F(AnalysisPagesTest, ForecastRoundTrip) {
  QStringList presets;
  QStringList answers = {"1050,1080", "1100"};
  window_->askText = [&](const QString&, const QString&,
                         const QString& preset) -> std::optional<QString> {
    presets << preset;
    if (answers.isEmpty()) return std::nullopt;
    return answers.takeFirst();
  };
  const QStringList loaded_lines = ListItems(*window_, "lbdata");
  const int loaded = window_->data1().bars.Count();
  window_->Button40Click();
  ASSERT_EQ(window_->data1().bars.Count(), loaded + 2);
  // After Friday 12 March: Monday 15 and Tuesday 16.
  EXPECT_EQ(window_->data1().bars[loaded + 1].date, 20040315);
  EXPECT_EQ(window_->data1().bars[loaded + 2].date, 20040316);
  EXPECT_EQ(window_->data1().bars[loaded + 2].close, 1080);
  QStringList lines = ListItems(*window_, "lbdata");
  ASSERT_EQ(lines.size(), loaded_lines.size() + 2);
  EXPECT_EQ(lines.mid(0, loaded_lines.size()), loaded_lines);
  EXPECT_TRUE(lines.back().endsWith("(予測値)"));

  window_->Button40Click();
  EXPECT_EQ(window_->data1().bars.Count(), loaded + 1);
  EXPECT_EQ(window_->data1().bars[loaded + 1].close, 1100);
  lines = ListItems(*window_, "lbdata");
  ASSERT_EQ(lines.size(), loaded_lines.size() + 1);
  EXPECT_EQ(lines.mid(0, loaded_lines.size()), loaded_lines);
  EXPECT_TRUE(lines.back().startsWith("20040315 ,      1100 ,"));
  // A cancelled dialog keeps the forecast.
  window_->Button40Click();
  EXPECT_EQ(window_->data1().bars.Count(), loaded + 1);
  EXPECT_EQ(presets, (QStringList{"", "1050,1080", "1100"}));

  window_->Button48Click();
  EXPECT_EQ(warnings_, QStringList{"データをまず選択して下さい"});
}

}  // namespace
