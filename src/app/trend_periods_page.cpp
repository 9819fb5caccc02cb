#include "app/trend_periods_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <string>

namespace {

// The price bands of the variable scale: a box size for each band below a limit and one for
// prices at or above the last limit.
QGroupBox* VariableScaleGroup(QWidget* parent) {
  auto* box = new QGroupBox("変動スケール", parent);
  auto* grid = new QGridLayout(box);
  grid->addWidget(new QLabel("株価", box), 0, 0, 1, 2);
  grid->addWidget(new QLabel("値幅", box), 0, 2);
  constexpr int kBands = 11;
  for (int band = 1; band <= kBands + 1; ++band) {
    if (band <= kBands) {
      const std::string limit = "edsc" + std::to_string(band);
      grid->addWidget(ParameterBox(limit.c_str(), box), band, 0);
      grid->addWidget(new QLabel("未満", box), band, 1);
    } else {
      grid->addWidget(new QLabel("それ以上", box), band, 0, 1, 2);
    }
    const std::string size = "edscale" + std::to_string(band);
    grid->addWidget(ParameterBox(size.c_str(), box), band, 2);
  }
  grid->setColumnStretch(3, 1);
  return box;
}

}  // namespace

ParameterPage BuildTrendPeriodsPage(QWidget* parent) {
  ParameterPage p;
  p.page = new QWidget(parent);
  auto& colors = p.colors;

  ParameterGroup average("移動平均", p.page, colors);
  average.AddColoredBox("周期１", "edav1", "lbav1", "Button11");
  average.AddColoredBox("周期２", "edav2", "lbav2", "Button1");
  average.AddColoredBox("周期３", "edav3", "lbav3", "Button10");

  ParameterGroup ichimoku("一目均衡表", p.page, colors);
  ichimoku.AddBox("転換線", "edIchi1");
  ichimoku.AddBox("基準線", "edIchi2");
  ichimoku.AddBox("先行スパン２", "edIchi3");

  ParameterGroup bollinger("ボリンジャーバンド", p.page, colors);
  bollinger.AddBox("周期", "edVo1");
  bollinger.AddBox("幅（標準偏差の倍数）", "edVo2");

  ParameterGroup parabolic("パラボリック", p.page, colors);
  parabolic.AddBox("加速指数初期値", "edpal1");
  parabolic.AddBox("加速指数増分", "edpal2");
  parabolic.AddBox("加速ﾘﾐｯﾄ", "edpal3");
  parabolic.AddColor("買いシグナル", "lbpalb", "Button3");
  parabolic.AddColor("売りシグナル", "lbpals", "Button18");

  ParameterGroup new_price("新値足", p.page, colors);
  new_price.AddBox("転換枠数", "edNL");

  ParameterGroup renko("練行足", p.page, colors);
  renko.AddBox("値幅", "edRen");
  renko.AddCheck("cbRenko", "変動スケールを使用");

  ParameterGroup kagi("カギ足", p.page, colors);
  kagi.AddBox("値幅", "edKagi");
  kagi.AddRadio("rgKagi", "値幅の方式", {"固定値幅", "パーセント値幅"});
  kagi.AddCheck("cbKagi", "変動スケールを使用");

  ParameterGroup figure("Ｐ＆Ｆ", p.page, colors);
  figure.AddBox("値幅", "edPF1");
  figure.AddBox("転換枠数", "edPF2");
  figure.AddRadio("RGpf", "枠の識別", {"切捨てベース", "到達点記入ベース"});
  figure.AddCheck("cbpf", "升目表示");
  figure.AddCheck("cbPF2", "変動スケールを使用");

  LayOutColumns(p.page, {{average.box(), ichimoku.box(), bollinger.box(), parabolic.box()},
                         {new_price.box(), renko.box(), kagi.box(), figure.box()},
                         {VariableScaleGroup(p.page)}});
  return p;
}
