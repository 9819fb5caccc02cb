#pragma once

#include "app/parameter_form.h"

// The page "周期設定(ﾄﾚﾝﾄﾞ)": the periods, widths and colours of the trend indicators and the
// variable scale of renko, kagi and point-and-figure.
ParameterPage BuildTrendPeriodsPage(QWidget* parent);
