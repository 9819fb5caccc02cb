#pragma once

class QLineEdit;
class QWidget;

// The page "ﾁｬｰﾄ" of the trend indicators. For now it holds the region boxes that the price
// chart display fills in, so that an indicator drawn next lands in the same regions.
struct TrendPage {
  QWidget* page = nullptr;
  QLineEdit* from1 = nullptr;  // edcv1
  QLineEdit* to1 = nullptr;    // edcv2
  QLineEdit* from2 = nullptr;  // ed2cv1
  QLineEdit* to2 = nullptr;    // ed2cv2
};

TrendPage BuildTrendPage(QWidget* parent);
