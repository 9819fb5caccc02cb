#include "app/oscillator_periods_page.h"

#include <QGroupBox>

ParameterPage BuildOscillatorPeriodsPage(QWidget* parent) {
  ParameterPage p;
  p.page = new QWidget(parent);
  auto& colors = p.colors;

  ParameterGroup rsi("ＲＳＩ", p.page, colors);
  rsi.AddColoredBox("周期１", "edRSI1", "lbrsi1", "Button26");
  rsi.AddColoredBox("周期２", "edRSI2", "lbRSI2", "Button53");
  rsi.AddColoredBox("周期３", "edRSI3", "lbrsi3", "Button54");
  rsi.AddBox("上限線", "edRSIU");
  rsi.AddBox("下限線", "edRSID");

  ParameterGroup rci("ＲＣＩ", p.page, colors);
  rci.AddColoredBox("周期１", "edRci1", "lbrci1", "Button27");
  rci.AddColoredBox("周期２", "edRci2", "lbrci2", "Button28");
  rci.AddColoredBox("周期３", "edrci3", "lbrci3", "Button55");
  rci.AddBox("基準線（±）", "edRci4");

  // RSI and the directional movement share the choice between smoothed and moving sums.
  ParameterGroup sums("ＲＳＩ・ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ", p.page, colors);
  sums.AddCheck("cbrsi", "RSIとﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄで累積型を使う");

  ParameterGroup dmi("ﾃﾞｨﾚｸｼｮﾅﾙ･ﾑｰﾌﾞﾒﾝﾄ", p.page, colors);
  dmi.AddBox("±DI周期", "edpmdi");
  dmi.AddBox("ADX周期", "edadx");
  dmi.AddColor("+DI", "lbpdi", "Button23");
  dmi.AddColor("-DI", "lbmdi", "Button19");
  dmi.AddColor("ADX", "lbadx", "Button24");
  dmi.AddColoredCheck("cbadxr", "ADXR", "Button25");
  dmi.AddBox("基準線１", "eddmisup");
  dmi.AddBox("基準線２", "eddmisup2");

  ParameterGroup stochastics("ｽﾄｷｬｽﾃｨｸｽ", p.page, colors);
  stochastics.AddColoredBox("%K", "edstk", "lbstk", "Button29");
  stochastics.AddColoredBox("%D", "edstd", "lbstd", "Button30");
  stochastics.AddColoredBox("ｽﾛｰ%D", "edstsd", "lbstsd", "Button31");
  stochastics.AddCheck("cbstk", "%K表示");
  stochastics.AddBox("上限線", "edstup");
  stochastics.AddBox("下限線", "edstdown");

  ParameterGroup percent_r("％Ｒｵｼﾚｰﾀｰ", p.page, colors);
  percent_r.AddColoredBox("周期", "edr", "lbr", "Button32");
  percent_r.AddBox("上限線", "edru");
  percent_r.AddBox("下限線", "edrd");

  ParameterGroup psychological("ｻｲｺﾛｼﾞｶﾙﾗｲﾝ", p.page, colors);
  psychological.AddColoredBox("周期", "edpsy", "lbpsy", "Button33");
  psychological.AddBox("上限線", "edpsyu");
  psychological.AddBox("下限線", "edpsyd");

  ParameterGroup volume("出来高", p.page, colors);
  volume.AddBox("出来高平均周期", "edvolopn");

  ParameterGroup macd("ＭＡＣＤ", p.page, colors);
  macd.AddBox("周期１", "edmacd1");
  macd.AddBox("周期２", "edmacd2");
  macd.AddBox("ｼｸﾞﾅﾙ周期", "edmacd3");
  macd.AddColor("第１線（２周期の乖離）", "lbmacd1", "Button37");
  macd.AddColor("第2線（第１線の移動平均）", "lbmacd2", "Button38");

  ParameterGroup deviation("移動平均線乖離率", p.page, colors);
  deviation.AddColoredBox("周期１", "edkai1", "lbkai1", "Button34");
  deviation.AddColoredBox("周期２", "edkai2", "lbkai2", "Button35");
  deviation.AddColoredBox("周期３", "edkai3", "lbkai3", "Button36");
  deviation.AddBox("基準線（±）", "edKai4");

  ParameterGroup watch("逆ウォッチ曲線", p.page, colors);
  watch.AddNote("周期（移動平均を使用しない場合は　’１’）");
  watch.AddBox("", "edrw");

  LayOutColumns(p.page, {{rsi.box(), rci.box()},
                         {sums.box(), dmi.box(), stochastics.box()},
                         {percent_r.box(), psychological.box(), volume.box()},
                         {macd.box(), deviation.box(), watch.box()}});
  return p;
}
