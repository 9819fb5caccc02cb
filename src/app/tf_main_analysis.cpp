// The pages "ｷﾞｬﾝ分析" and "補助": they read their boxes, let the analysis core compute and
// draw over the chart image, and write the results back; the chart's double click hands them
// the pointer readout; the forecast input appends future closes to a data set.
#include <QCheckBox>
#include <QComboBox>
#include <QInputDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "analysis/forecast.h"
#include "app/bar_list_model.h"
#include "app/chart_image.h"
#include "app/color_label.h"
#include "app/radio_group.h"
#include "app/tf_main.h"
#include "base/messages.h"
#include "qtcanvas/qimage_canvas.h"

namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

// The price of a bar the transfer list names: 1 始値, 2 高値, 3 安値, 4 終値.
std::string BarPrice(const std::optional<varnolt::Bar>& bar, int kind) {
  if (!bar) return {};
  switch (kind) {
    case 1:
      return std::to_string(bar->open);
    case 2:
      return std::to_string(bar->high);
    case 3:
      return std::to_string(bar->low);
    default:
      return std::to_string(bar->close);
  }
}

}  // namespace

void TfMain::BuildAnalysisPages() {
  gann_ = BuildGannPage(pages_, other_colors_);
  pages_->addTab(gann_.page, "ｷﾞｬﾝ分析");
  auxiliary_ = BuildAuxiliaryPage(pages_);
  pages_->addTab(auxiliary_.page, "補助");
  connect(gann_.grid, &QPushButton::clicked, this, [this] { Button5Click(); });
  connect(gann_.lines, &QPushButton::clicked, this, [this] { Button14Click(); });
  connect(auxiliary_.run, &QPushButton::clicked, this, [this] { BussClick(); });
  connect(auxiliary_.forecast[0], &QPushButton::clicked, this, [this] { Button40Click(); });
  connect(auxiliary_.forecast[1], &QPushButton::clicked, this, [this] { Button48Click(); });
  connect(chart_, &ChartImage::doubleClicked, this, [this] { imMainDblClick(); });
}

std::optional<varnolt::GannCorners> TfMain::RunGannBox() {
  const int data_number = gann_.data->itemIndex() == 1 ? 2 : 1;
  const QImage& image = chart_->image();
  const varnolt::GannBoxResult result =
      varnolt::GannBox(DataOf(data_number), ReadControls(), data_number, ReadGannBoxes(gann_),
                       holidays_, image.width(), image.height());
  if (!result.date.empty()) gann_.date->setText(FromUtf8(result.date));
  if (!result.box) {
    warn(FromUtf8(result.message));
    return std::nullopt;
  }
  pages_->setCurrentWidget(chart_page_);
  return result.box;
}

void TfMain::Button5Click() {
  if (!varnolt::GannBoxesReadable(ReadGannBoxes(gann_))) {
    warn(varnolt::kBadGannBoxesMessage);
    return;
  }
  Guarded([this] {
    TakeUndoSnapshot();
    const auto box = RunGannBox();
    if (!box) return;
    varnolt::QImageCanvas canvas(chart_->image());
    varnolt::DrawGannGrid(canvas, *box, GannDivisions(gann_), gann_.color.label->color());
    chart_->update();
  });
}

void TfMain::Button14Click() {
  Guarded([this] {
    TakeUndoSnapshot();
    const auto box = RunGannBox();
    if (!box) return;
    varnolt::QImageCanvas canvas(chart_->image());
    const std::string message = varnolt::DrawGannLines(
        canvas, *box, static_cast<varnolt::GannLineKind>(gann_.line_kind->currentIndex()),
        gann_.fractions[0]->currentIndex(), gann_.fractions[1]->currentIndex(),
        gann_.fractions[2]->currentIndex(), gann_.fractions[3]->currentIndex(),
        gann_.color.label->color());
    chart_->update();
    if (!message.empty()) warn(FromUtf8(message));
  });
}

void TfMain::Button12Click() {
  ChooseLabelColor(*gann_.color.label);
}

void TfMain::RunAuxiliaryOperation(int item, varnolt::AuxiliaryBoxes& boxes) {
  Guarded([&] {
    const varnolt::ControlValues controls = ReadControls();
    const int data_number = auxiliary_.data->itemIndex() == 1 ? 2 : 1;
    const QImage& image = chart_->image();
    const varnolt::AnalysisChartOrMessage start = varnolt::StartAnalysis(
        DataOf(data_number), controls, data_number, image.width(), image.height());
    if (!start.chart) {
      warn(FromUtf8(start.message));
      return;
    }
    varnolt::QImageCanvas canvas(chart_->image());
    varnolt::RunAuxiliary(item, boxes, *start.chart, canvas, controls.ColorOf("lbsc"),
                          [this] { TakeUndoSnapshot(); });
    chart_->update();
  });
}

void TfMain::BussClick() {
  varnolt::AuxiliaryBoxes boxes = ReadAuxiliaryBoxes(auxiliary_);
  RunAuxiliaryOperation(auxiliary_.operation->currentIndex(), boxes);
  WriteAuxiliaryBoxes(auxiliary_, boxes);
}

void TfMain::imMainDblClick() {
  if (gann_.copy->isChecked()) {
    const varnolt::PointerReadout& shown = readout(gann_.data->itemIndex() == 1 ? 2 : 1);
    gann_.date->setText(FromUtf8(shown.date));
    gann_.high->setText(FromUtf8(BarPrice(shown.bar, 2)));
    gann_.low->setText(FromUtf8(BarPrice(shown.bar, 3)));
  }
  const int kind = auxiliary_.transfer_price->currentIndex();
  if (kind <= 0) return;
  const varnolt::PointerReadout& shown = readout(auxiliary_.data->itemIndex() == 1 ? 2 : 1);
  const int point = auxiliary_.to_point[0]->isChecked()   ? 0
                    : auxiliary_.to_point[1]->isChecked() ? 1
                                                          : 2;
  varnolt::AuxiliaryBoxes boxes = ReadAuxiliaryBoxes(auxiliary_);
  boxes.price[point] = BarPrice(shown.bar, kind);
  boxes.offset[point] = std::to_string(shown.offset);
  boxes.date[point] = shown.date;
  WriteAuxiliaryBoxes(auxiliary_, boxes);

  // The lines mark the point just taken; the working values stay as they were.
  const int lines = auxiliary_.transfer_line->currentIndex();  // 1 垂直, 2 水平, 3 十字
  if (lines == 1 || lines == 3) {
    varnolt::AuxiliaryBoxes vertical = boxes;
    vertical.offset[0] = boxes.offset[point];
    vertical.b = std::string(1, '1');  // not = "1": GCC 12 warns wrongly on that
    RunAuxiliaryOperation(varnolt::kPeriodsBefore, vertical);
  }
  if (lines == 2 || lines == 3) {
    varnolt::AuxiliaryBoxes horizontal = boxes;
    horizontal.a = boxes.price[point];
    RunAuxiliaryOperation(varnolt::kHorizontalAtA, horizontal);
  }
}

void TfMain::Button40Click() {
  InputForecasts(1);
}

void TfMain::Button48Click() {
  InputForecasts(2);
}

void TfMain::InputForecasts(int data_number) {
  varnolt::DataSet& data_set = DataOf(data_number);
  BarListModel& lines = *(data_number == 2 ? selection2_ : selection1_).lines;
  if (!data_set.loaded || lines.rowCount() == 0) {
    warn(varnolt::kSelectDataFirstMessage);
    return;
  }
  // The earlier forecasts come off a copy, so that a cancelled dialog leaves them in place. Only
  // the lines after the loaded bars' can be forecasts: the loaded ones never carry "予測".
  varnolt::ForecastTable table{data_set.bars, lines.Appended()};
  const std::string preset = varnolt::RemoveForecasts(table);
  const std::optional<QString> typed =
      askText("予測値の入力", "今後の終値の予測値をカンマ( , )で区切って入力", FromUtf8(preset));
  if (!typed) return;
  Guarded([&] {
    const std::string message = varnolt::AppendForecasts(table, typed->toStdString(), data_set.unit,
                                                         data_number, holidays_);
    if (!message.empty()) {
      warn(FromUtf8(message));
      return;
    }
    data_set.bars = table.bars;
    lines.SetAppended(std::move(table.lines));
  });
}
