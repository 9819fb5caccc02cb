#pragma once

#include "app/parameter_form.h"

// The page "周期設定(ｵｼﾚｰﾀｰ)": the periods, reference levels and colours of the oscillators.
ParameterPage BuildOscillatorPeriodsPage(QWidget* parent);
