#pragma once

#include <string>

#include "indicators/computation.h"
#include "indicators/indicator_context.h"

namespace varnolt {

// The parameter boxes and what an empty box stands for.
inline constexpr ParameterBox kIchimokuBoxes[] = {
    {"edIchi1", 9, 9}, {"edIchi2", 26, 26}, {"edIchi3", 52, 52}};

// The Ichimoku chart: conversion and base lines, the two leading spans with their cloud, the
// lagging line.
int IchimokuWarmUp(const ControlValues& controls);
int CalcIchimoku(ScreeningSeries& series, int bars, const ControlValues& controls);
DrawingResult DrawIchimoku(const IndicatorContext& context);

}  // namespace varnolt
