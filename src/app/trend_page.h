#pragma once

#include "app/command_panel.h"

class QWidget;

// The page "ﾁｬｰﾄ": the trend indicator of each data set over its price chart.
struct TrendPage {
  QWidget* page = nullptr;
  CommandPanel data1;  // cbchart1, edcv1, edcv2, Button2, buChart1
  CommandPanel data2;  // cbchart2, ed2cv1, ed2cv2, Button6, buCHart2
};

TrendPage BuildTrendPage(QWidget* parent);
