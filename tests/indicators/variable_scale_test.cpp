#include "indicators/variable_scale.h"

#include <gtest/gtest.h>

#include <string>

namespace varnolt {
namespace {

constexpr const char* kBadScale = "変動スケールが正しく設定されていません";

TEST(VariableScaleTest, BandLimitsAreExclusiveUpperBounds) {
  const ControlValues controls = ControlValues::Defaults();
  struct Case {
    double price;
    double box;
  };
  for (const Case& c :
       {Case{0, 15}, Case{499, 15}, Case{500, 25}, Case{999, 25}, Case{1000, 30}, Case{2999, 40},
        Case{5000, 70}, Case{9000, 110}, Case{9999, 110}, Case{10000, 200}, Case{2500000, 200}}) {
    const VariableScaleResult result = VariableScale(controls, c.price);
    EXPECT_EQ(result.box, c.box) << c.price;
    EXPECT_EQ(result.message, "") << c.price;
  }
}

TEST(VariableScaleTest, BandsAreComparedInOrderAndWidthsReadAsReals) {
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edscale2", "2.5");
  EXPECT_EQ(VariableScale(controls, 700).box, 2.5);
  // The first band whose limit exceeds the price wins, even when a later limit is lower.
  controls.Set("edsc1", "800");
  controls.Set("edsc2", "600");
  EXPECT_EQ(VariableScale(controls, 700).box, 15);
  EXPECT_EQ(VariableScale(controls, 900).box, 30) << "fails bands 1 and 2, fits band 3";
}

TEST(VariableScaleTest, AnyBoxThatDoesNotReadGivesTheMessageAndBoxTen) {
  struct Case {
    const char* name;
    const char* text;
  };
  for (const Case& c :
       {Case{"edsc1", "5OO"}, Case{"edsc11", ""}, Case{"edsc5", "4000.5"}, Case{"edscale12", "abc"},
        Case{"edscale1", ""}, Case{"edscale7", "0"}, Case{"edscale3", "-30"}}) {
    ControlValues controls = ControlValues::Defaults();
    controls.Set(c.name, c.text);
    // A price in the first band: the bad box is reported wherever it sits in the table.
    const VariableScaleResult result = VariableScale(controls, 100);
    EXPECT_EQ(result.box, 10) << c.name << "=" << c.text;
    EXPECT_EQ(result.message, kBadScale) << c.name << "=" << c.text;
  }
  // Blanks around a number are fine.
  ControlValues controls = ControlValues::Defaults();
  controls.Set("edscale1", " 12 ");
  EXPECT_EQ(VariableScale(controls, 100).box, 12);
  EXPECT_EQ(VariableScale(controls, 100).message, "");
}

}  // namespace
}  // namespace varnolt
