#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The Ichimoku chart: conversion and base lines, the two leading spans with their cloud, the
// lagging line.
DrawingResult DrawIchimoku(const IndicatorContext& context);
int CalcIchimoku(ScreeningSeries& series, int bars, const ControlValues& controls);

}  // namespace varnolt
