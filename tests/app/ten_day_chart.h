#pragma once

// The window with data 1's chart of ten trading days, 1 to 12 March 2004, shown; bar i opens at
// 1000 + 10(i − 1), spans 50 above and 30 below the open and closes 5 higher. Warnings are
// collected in warnings_ (none while the chart is set up).

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QStringList>
#include <memory>

#include "app/chart_image.h"
#include "app/tf_main.h"
#include "chart/pointer_readout.h"
#include "support/price_store.h"
#include "support/temp_folder.h"

class TenDayChartTest : public ::testing::Test {
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
                                       [] { return varnolt::DayFromCivil(2004, 3, 31); });
    window_->warn = [this](const QString& message) { warnings_ << message; };
    window_->show();
    QApplication::processEvents();
    Box("edDtst1")->setText("20040301");
    Box("edDted1")->setText("20040312");
    window_->findChild<QComboBox*>("cbdata1")->setEditText("1301");
    window_->buselectClick();
    window_->buShow1Click();
    ASSERT_TRUE(warnings_.isEmpty()) << warnings_.join("|").toStdString();
  }

  QLineEdit* Box(const char* name) const { return window_->findChild<QLineEdit*>(name); }
  ChartImage* Chart() const { return window_->findChild<ChartImage*>("imMain"); }
  const QImage& Image() const { return Chart()->image(); }

  // The pixel of a position and price on data 1's chart.
  QPoint At(int64_t position, int64_t price) const {
    const auto chart = varnolt::ShownPriceChart(window_->data1(), window_->ReadControls(), 1,
                                                Image().width(), Image().height());
    const varnolt::PixelPoint pixel = varnolt::RegionMap(chart.value().frame, position, price);
    return {pixel.x, pixel.y};
  }

  varnolt::testing::TempFolder temp_;
  std::unique_ptr<TfMain> window_;
  QStringList warnings_;
};
