// The chart image's pointer tools: the readout boxes, the trend line, the zoom into data 2 and
// the crosshair; the zoom switch, printing the window and saving the chart image.
#include <QAction>
#include <QBuffer>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QVBoxLayout>
#include <string_view>

#include "app/chart_image.h"
#include "app/radio_group.h"
#include "app/readout_panel.h"
#include "app/tf_main.h"
#include "base/file_error.h"
#include "base/messages.h"
#include "base/program_folder.h"
#include "base/text_file.h"
#include "chart/pointer_tools.h"
#include "chart/zoom.h"
#include "qtcanvas/qimage_canvas.h"

namespace {

constexpr const char* kZoomOn = "Zoom [ON]/off";
constexpr const char* kZoomOff = "Zoom on/[OFF]";

varnolt::Point ToPoint(QPoint point) {
  return {point.x(), point.y()};
}

}  // namespace

void TfMain::BuildPointerTools(QMenu* file, QAction* before) {
  QAction* print = new QAction("印刷(&P)", file);
  print->setObjectName("kPrint");
  connect(print, &QAction::triggered, this, [this] { kPrintClick(); });
  QAction* save = new QAction("チャート・イメージの保存(&S)", file);
  save->setObjectName("KS1");
  connect(save, &QAction::triggered, this, [this] { KS1Click(); });
  file->insertActions(before, {print, save});
  file->insertSeparator(before);

  zoom_ = menuBar()->addAction(kZoomOn);
  zoom_->setObjectName("mZoom");
  connect(zoom_, &QAction::triggered, this, [this] { mZoomClick(); });

  choosePrinter = [this](QPrinter& printer) {
    QPrintDialog dialog(&printer, this);
    return dialog.exec() == QDialog::Accepted;
  };

  // The readout panel sits under the pages.
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(takeCentralWidget(), 1);
  layout->addWidget(BuildReadoutPanel(central));
  setCentralWidget(central);

  connect(chart_, &ChartImage::mouseDown, this, &TfMain::imMainMouseDown);
  connect(chart_, &ChartImage::mouseMove, this, &TfMain::imMainMouseMove);
  connect(chart_, &ChartImage::mouseUp, this, &TfMain::imMainMouseUp);
}

std::optional<varnolt::ShownChart> TfMain::ShownChartOf(
    int data_number, const varnolt::ControlValues& controls) const {
  const QImage& image = chart_->image();
  return varnolt::ShownPriceChart(data_number == 2 ? data2_ : data1_, controls, data_number,
                                  image.width(), image.height());
}

bool TfMain::ZoomOn() const {
  return zoom_->text() == kZoomOn;
}

void TfMain::imMainMouseDown(Qt::MouseButton button, QPoint point) {
  if (button == Qt::LeftButton) {
    drag_.LeftDown(ToPoint(point));
  } else if (button == Qt::RightButton) {
    varnolt::QImageCanvas canvas(chart_->image());
    drag_.RightDown(ToPoint(point), canvas);
    chart_->update();
  }
}

void TfMain::imMainMouseMove(QPoint point) {
  const varnolt::ControlValues controls = ReadControls();
  const std::optional<varnolt::ShownChart> charts[2] = {ShownChartOf(1, controls),
                                                        ShownChartOf(2, controls)};
  varnolt::QImageCanvas canvas(chart_->image());
  const bool rectangle = ZoomOn() && drag_.LeftDragging() && charts[0].has_value();
  if (!drag_.Move(ToPoint(point), rectangle, canvas)) return;
  chart_->update();
  for (int data_number = 1; data_number <= 2; ++data_number) {
    const std::optional<varnolt::ShownChart>& chart = charts[data_number - 1];
    if (!chart) continue;
    const varnolt::DataSet& data_set = DataOf(data_number);
    varnolt::PointerReadout& readout = readouts_[data_number - 1];
    readout = varnolt::NextReadout(
        readout, varnolt::PointAt(*chart, data_set, holidays_, point.x(), point.y()), data_set);
    for (const auto& [name, text] : varnolt::ReadoutTexts(readout, data_number)) {
      if (auto* box = findChild<QLineEdit*>(name)) box->setText(QString::fromStdString(text));
    }
  }
}

void TfMain::imMainMouseUp(Qt::MouseButton button, QPoint point) {
  varnolt::QImageCanvas canvas(chart_->image());
  if (button == Qt::RightButton) {
    drag_.RightUp(canvas);
    chart_->update();
    return;
  }
  if (button != Qt::LeftButton || !drag_.LeftDragging()) return;
  const varnolt::Point release = ToPoint(point);
  const varnolt::ControlValues controls = ReadControls();
  const std::optional<varnolt::ShownChart> chart1 = ShownChartOf(1, controls);
  const bool zoom = varnolt::ZoomApplies(ZoomOn(), drag_.Start(), release, chart1.has_value(),
                                         canvas.Width(), canvas.Height());
  const varnolt::Point start = *drag_.LeftUp(canvas);
  chart_->update();
  if (zoom) {
    ZoomIntoDataTwo(*chart1, start, release);
    return;
  }
  TakeUndoSnapshot();
  const std::string slope =
      varnolt::SlopeText(varnolt::SlopeTenths(chart1, start, release),
                         varnolt::SlopeTenths(ShownChartOf(2, controls), start, release));
  varnolt::DrawTrendLine(start, release, slope, canvas);
  chart_->update();
}

void TfMain::ZoomIntoDataTwo(const varnolt::ShownChart& chart1, varnolt::Point start,
                             varnolt::Point release) {
  const varnolt::ZoomBoxes boxes = varnolt::PlanZoom(chart1, data1_, holidays_, start, release,
                                                     selection2_.start->text().toStdString(),
                                                     selection2_.end->text().toStdString());
  basic2_.automatic->setChecked(false);
  basic2_.auxiliary->setChecked(basic1_.auxiliary->isChecked());
  basic2_.interval->setText(basic1_.interval->text());
  selection2_.code->setEditText(selection1_.code->currentText());
  selection2_.adjust->setChecked(selection1_.adjust->isChecked());
  selection2_.unit->setItemIndex(selection1_.unit->itemIndex());
  basic2_.margin->setText(QString::fromStdString(boxes.margin));
  basic2_.upper->setText(QString::fromStdString(boxes.upper));
  basic2_.lower->setText(QString::fromStdString(boxes.lower));
  selection2_.start->setText(QString::fromStdString(boxes.start));
  selection2_.end->setText(QString::fromStdString(boxes.end));

  // The erased rectangle reaches the screen before the load starts.
  for (int i = 0; i < 100; ++i) QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  TakeUndoSnapshot();
  // Load, clear and display undo as one action: the snapshot above.
  const bool suppressed = snapshots_suppressed_;
  snapshots_suppressed_ = true;
  buselect2Click();
  // A load that failed has said why; clearing and displaying would only add a second message.
  if (data2_.loaded) {
    Button17Click();
    next_display_is_zoom_ = true;
    buShow2Click();
  }
  snapshots_suppressed_ = suppressed;
}

void TfMain::mZoomClick() {
  zoom_->setText(ZoomOn() ? kZoomOff : kZoomOn);
}

void TfMain::kPrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  if (!choosePrinter(printer)) return;
  const QPixmap window = grab();
  QPainter painter;
  if (!painter.begin(&printer)) {
    warn(QString::fromStdString(
        varnolt::FileMessage(printer.outputFileName().toStdString(), varnolt::kCannotWrite)));
    return;
  }
  // The whole window on the page, as large as fits with its proportions kept.
  const QRect page = painter.viewport();
  QSize size = window.size();
  size.scale(page.size(), Qt::KeepAspectRatio);
  painter.setViewport(page.x(), page.y(), size.width(), size.height());
  painter.setWindow(window.rect());
  painter.drawPixmap(0, 0, window);
  painter.end();
}

void TfMain::KS1Click() {
  const QString file = chooseFileToSave("Bitmap file (*.bmp);;PNG file (*.png)", "bmp");
  if (file.isEmpty()) return;
  Guarded([&] {
    const auto path = varnolt::Utf8Path(file.toStdString());
    const char* format = file.endsWith(".png", Qt::CaseInsensitive) ? "PNG" : "BMP";
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!chart_->image().save(&buffer, format)) {
      throw varnolt::FileError(
          varnolt::FileMessage(varnolt::DisplayName(path), varnolt::kCannotWrite));
    }
    // Written aside and renamed, so an existing picture is replaced whole or not at all.
    varnolt::WriteBytesAtomically(path, std::string_view(bytes.constData(), bytes.size()));
  });
}
