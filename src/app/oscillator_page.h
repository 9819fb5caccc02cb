#pragma once

#include "app/command_panel.h"

class QWidget;

// The page "ｵｼﾚｰﾀｰ": an oscillator of each data set in regions of its own.
struct OscillatorPage {
  QWidget* page = nullptr;
  CommandPanel data1;  // cbos1, edov1, edov2, Button13, BuOs1
  CommandPanel data2;  // cbos2, ed2ov1, ed2ov2, Button15, buOs2
};

OscillatorPage BuildOscillatorPage(QWidget* parent);
