// The page "自動表示": memorise, replay and delete the command records of data 1 and data 2, and
// clear the whole chart.
#include <QAction>
#include <QComboBox>
#include <QStringList>

#include "app/chart_image.h"
#include "app/tf_main.h"
#include "base/messages.h"
#include "chart/auto_display.h"
#include "indicators/record_replay.h"
#include "qtcanvas/qimage_canvas.h"

namespace {

varnolt::Lines ItemsOf(const QComboBox& box) {
  varnolt::Lines items;
  for (int i = 0; i < box.count(); ++i) items.push_back(box.itemText(i).toStdString());
  return items;
}

void SetItems(QComboBox& box, const varnolt::Lines& items, int current) {
  box.clear();
  for (const std::string& item : items) box.addItem(QString::fromStdString(item));
  box.setCurrentIndex(current);
}

}  // namespace

void TfMain::Button41Click() {
  MemorisePattern(1);
}
void TfMain::Button42Click() {
  ReplayPattern(1);
}
void TfMain::Button43Click() {
  DeletePattern(1);
}
void TfMain::Button44Click() {
  MemorisePattern(2);
}
void TfMain::Button45Click() {
  ReplayPattern(2);
}
void TfMain::Button46Click() {
  DeletePattern(2);
}

void TfMain::MemorisePattern(int data_number) {
  const std::string& record = DataOf(data_number).command_record;
  if (const std::string warning = varnolt::MemoriseWarning(data_number, record); !warning.empty()) {
    warn(QString::fromStdString(warning));
    return;
  }
  const auto name = askText(varnolt::kPatternNameCaption, varnolt::kPatternNamePrompt, "");
  if (!name) return;
  QComboBox& patterns = *PatternsOf(data_number).patterns;
  Guarded([&] {
    const varnolt::PatternChange change = varnolt::MemorisePattern(
        folder_, data_number, ItemsOf(patterns), name->toStdString(), record);
    if (!change.message.empty()) {
      warn(QString::fromStdString(change.message));
      return;
    }
    SetItems(patterns, change.names, patterns.currentIndex());
  });
}

void TfMain::ReplayPattern(int data_number) {
  const int index = PatternsOf(data_number).patterns->currentIndex();
  RunIndicatorCommand(data_number, [&](varnolt::IndicatorCommandEnvironment& environment) {
    varnolt::IndicatorCommandResult result;
    if (!environment.data.loaded) {
      result.message = varnolt::kNotLoadedMessage;
      return result;
    }
    // The replayed commands share the snapshot taken before the first of them.
    const bool suppressed = std::exchange(snapshots_suppressed_, true);
    try {
      const std::string record = varnolt::PatternRecord(folder_, data_number, index);
      result.message = varnolt::ReplayCommandRecord(record, environment);
    } catch (...) {
      snapshots_suppressed_ = suppressed;
      throw;
    }
    snapshots_suppressed_ = suppressed;
    result.drawn = true;
    return result;
  });
}

void TfMain::DeletePattern(int data_number) {
  QComboBox& patterns = *PatternsOf(data_number).patterns;
  const int index = patterns.currentIndex();
  if (const std::string warning = varnolt::DeleteWarning(index); !warning.empty()) {
    warn(QString::fromStdString(warning));
    return;
  }
  if (index < 0 || !confirm(varnolt::kDeletePatternQuestion)) return;
  Guarded([&] {
    SetItems(patterns, varnolt::DeletePattern(folder_, data_number, ItemsOf(patterns), index).names,
             0);
  });
}

void TfMain::Button47Click() {
  TakeUndoSnapshot();
  data1_.command_record.clear();
  data2_.command_record.clear();
  QImage& image = chart_->image();
  varnolt::QImageCanvas canvas(image);
  canvas.SetBrush(varnolt::kWhite);
  canvas.FillRect(0, 0, image.width(), image.height());
  chart_->update();
}
