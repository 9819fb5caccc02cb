#pragma once

namespace varnolt {

// The controls that data 1 and data 2 each have, by page. Every name of a data set's control
// is spelled here once; the window names its widgets from this table and the core reads the
// control values through it.

// The basic settings page ("基本(ﾃﾞｰﾀ１)", "基本(ﾃﾞｰﾀ2)"): scale, regions, chart type.
struct BasicPageNames {
  const char* upper;
  const char* lower;
  const char* interval;
  const char* automatic;
  const char* auxiliary;
  const char* margin;
  const char* from;
  const char* to;
  const char* candles;
  const char* close_bars;
  const char* close_line;
  const char* calendar;
  const char* clear;
  const char* show;
};

// One data set's panel on the trend page or the oscillator page.
struct CommandPanelNames {
  const char* list;
  const char* from;
  const char* to;
  const char* clear;
  const char* show;
};

// The data selection page ("データ選択（１）", "データ選択（２）").
struct SelectionPageNames {
  const char* code;
  const char* start;
  const char* end;
  const char* unit;
  const char* adjust;
  const char* select;
  const char* list;
  const char* end_after_units;
  const char* units;
  const char* later;
  const char* earlier;
  const char* shift;
  const char* copy_dates;
  const char* browse;
};

struct DataSetNames {
  BasicPageNames basic;
  CommandPanelNames trend;
  CommandPanelNames oscillator;
  SelectionPageNames selection;
};

inline constexpr DataSetNames kDataSetNames[2] = {
    {
        {"edUP", "edDown", "edInter", "cbauto1", "cbsup", "edspc", "edv1", "edv2", "rbfour",
         "rbendbox", "rbendline", "cbcalen", "Button4", "buShow1"},
        {"cbchart1", "edcv1", "edcv2", "Button2", "buChart1"},
        {"cbos1", "edov1", "edov2", "Button13", "BuOs1"},
        {"cbdata1", "edDtst1", "edDted1", "RG1", "cbenddata", "buselect", "lbdata", "Button7",
         "edPlus", "Button9", "Button8", "edShift", "Button49", "Button39"},
    },
    {
        {"edUP2", "edDown2", "edInter2", "cbauto2", "cbsup2", "edspc2", "ed2v1", "ed2v2", "rbfour2",
         "rbendbox2", "rbendline2", "cbcalen2", "Button17", "buShow2"},
        {"cbchart2", "ed2cv1", "ed2cv2", "Button6", "buCHart2"},
        {"cbos2", "ed2ov1", "ed2ov2", "Button15", "buOs2"},
        {"cbdata2", "edDtst2", "edDTed2", "RG2", "cbenddata2", "buselect2", "lbdata2", "Button20",
         "edPlus2", "Button22", "Button21", "edShift2", "Button51", "Button58"},
    },
};

// The names of data 2 for 2, of data 1 for any other number.
constexpr const DataSetNames& DataSetNamesOf(int data_number) {
  return kDataSetNames[data_number == 2 ? 1 : 0];
}

}  // namespace varnolt
