#pragma once

#include "analysis/auxiliary.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;
class RadioGroup;

// The page "補助": three chart points, the working values, the operation list, the double-click
// transfer and the forecast input of data 1 and data 2. Its line colour lbsc lives with the
// signal marks' page.
struct AuxiliaryPage {
  QWidget* page = nullptr;
  QLineEdit* date[3] = {};              // edsdat1 … edsdat3
  QLineEdit* offset[3] = {};            // edsx1 … edsx3
  QLineEdit* price[3] = {};             // edsy1 … edsy3
  QLineEdit* a = nullptr;               // edsa
  QLineEdit* b = nullptr;               // edsb
  QLineEdit* c = nullptr;               // edsc
  RadioGroup* data = nullptr;           // rgs
  QComboBox* operation = nullptr;       // cbss
  QPushButton* run = nullptr;           // Buss "実行"
  QComboBox* transfer_price = nullptr;  // cbs1: なし, 始値, 高値, 安値, 終値
  QRadioButton* to_point[3] = {};       // rbss1 … rbss3
  QComboBox* transfer_line = nullptr;   // cbs2: なし, 垂直, 水平, 十字
  QPushButton* forecast[2] = {};        // Button40, Button48 "予測値の入力"
};

AuxiliaryPage BuildAuxiliaryPage(QWidget* parent);

varnolt::AuxiliaryBoxes ReadAuxiliaryBoxes(const AuxiliaryPage& page);
void WriteAuxiliaryBoxes(const AuxiliaryPage& page, const varnolt::AuxiliaryBoxes& boxes);
