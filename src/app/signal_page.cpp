#include "app/signal_page.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>
#include <exception>

#include "app/statistics_page.h"
#include "chart/price_chart_controls.h"
#include "qtcanvas/qimage_canvas.h"
#include "screening/signal_drawing.h"

namespace {

constexpr const char* kBuyFile = "signal1.ini";
constexpr const char* kSellFile = "signal2.ini";

QPushButton* Button(const QString& caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  return button;
}

QListWidget* List(const char* name, QWidget* parent) {
  auto* list = new QListWidget(parent);
  list->setObjectName(name);
  return list;
}

QStringList ChooseIniFiles(QWidget* parent, const QString& folder) {
  QFileDialog dialog(parent);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setDirectory(folder);
  dialog.setNameFilter("Ini files (*.ini *.INI)");
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

varnolt::Lines Items(const QListWidget& list) {
  varnolt::Lines items;
  for (int i = 0; i < list.count(); ++i) items.push_back(list.item(i)->text().toStdString());
  return items;
}

std::vector<varnolt::Lines> ReadList(const QListWidget& list) {
  std::vector<varnolt::Lines> sets;
  for (const std::string& item : Items(list)) {
    sets.push_back(varnolt::ReadSignalSet(varnolt::Utf8Path(varnolt::SignalItemPath(item))));
  }
  return sets;
}

// A list from its file when the file is there; an empty list otherwise.
void LoadList(QListWidget& list, const std::filesystem::path& path) {
  list.clear();
  if (const auto lines = varnolt::ReadLinesIfPresent(path)) {
    for (const std::string& line : *lines) list.addItem(QString::fromStdString(line));
  }
}

}  // namespace

SignalPage::SignalPage(varnolt::ProgramFolder folder, std::vector<ColorChoice>& colors,
                       QWidget* parent)
    : QWidget(parent), folder_(std::move(folder)) {
  chooseSetFiles = [this](const QString& start) { return ChooseIniFiles(this, start); };

  buy_ = List("lbbuy", this);
  sell_ = List("lbsell", this);
  auto* add_buy = Button("「買い」条件", "Button59", this);
  auto* add_sell = Button("「売り」条件", "Button60", this);
  auto* clear_buy = Button("ｸﾘｱ", "Button56", this);
  auto* clear_sell = Button("ｸﾘｱ", "Button61", this);
  auto* save = Button("設定保存", "Button62", this);
  auto* load = Button("読み込み", "Button63", this);
  data1_ = new QCheckBox("ﾃﾞｰﾀ1にｼｸﾞﾅﾙ表示", this);
  data1_->setObjectName("cbsignal1");
  data2_ = new QCheckBox("ﾃﾞｰﾀ2にｼｸﾞﾅﾙ表示", this);
  data2_->setObjectName("cbsignal2");
  ParameterGroup colour(QString(), this, colors);
  colour.AddColor("○", "lbsc", "Button16");

  connect(add_buy, &QPushButton::clicked, this, [this] { Button59Click(); });
  connect(add_sell, &QPushButton::clicked, this, [this] { Button60Click(); });
  connect(clear_buy, &QPushButton::clicked, this, [this] { Button56Click(); });
  connect(clear_sell, &QPushButton::clicked, this, [this] { Button61Click(); });
  connect(save, &QPushButton::clicked, this, [this] { Button62Click(); });
  connect(load, &QPushButton::clicked, this, [this] { Button63Click(); });

  auto* lists = new QGridLayout;
  lists->addWidget(add_buy, 0, 0);
  lists->addWidget(clear_buy, 0, 1);
  lists->addWidget(buy_, 1, 0, 1, 2);
  lists->addWidget(add_sell, 0, 2);
  lists->addWidget(clear_sell, 0, 3);
  lists->addWidget(sell_, 1, 2, 1, 2);
  auto* switches = new QHBoxLayout;
  for (QWidget* widget : std::initializer_list<QWidget*>{data1_, data2_, save, load})
    switches->addWidget(widget);
  switches->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(switches);
  layout->addLayout(lists, 1);
  layout->addWidget(colour.box(), 0, Qt::AlignLeft);
}

void SignalPage::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    if (warn) warn(QString::fromUtf8(error.what()));
  }
}

void SignalPage::AddFiles(QListWidget& list) {
  const QString start = QString::fromStdString(folder_.DataDir().string());
  for (const QString& path : chooseSetFiles(start)) {
    list.addItem(
        QString::fromStdString(varnolt::SignalListItem(list.count() + 1, path.toStdString())));
  }
}

void SignalPage::Button59Click() {
  AddFiles(*buy_);
}
void SignalPage::Button60Click() {
  AddFiles(*sell_);
}
void SignalPage::Button56Click() {
  buy_->clear();
}
void SignalPage::Button61Click() {
  sell_->clear();
}

void SignalPage::Button62Click() {
  Guarded([this] {
    varnolt::WriteLines(folder_.File(kBuyFile), Items(*buy_));
    varnolt::WriteLines(folder_.File(kSellFile), Items(*sell_));
    if (inform) inform("OK");
  });
}

void SignalPage::Button63Click() {
  Guarded([this] {
    LoadList(*buy_, folder_.File(kBuyFile));
    LoadList(*sell_, folder_.File(kSellFile));
  });
}

varnolt::SignalSets SignalPage::ReadSets() const {
  return {ReadList(*buy_), ReadList(*sell_)};
}

void SignalPage::ShowSignals(const varnolt::DataSet& data_set, int data_number,
                             const varnolt::ControlValues& controls, varnolt::DayNumber today,
                             QImage& image, QTextEdit& statistics) const {
  const QCheckBox& on = data_number == 2 ? *data2_ : *data1_;
  if (!on.isChecked() || !data_set.loaded || data_set.unit != varnolt::DataUnit::kDay) return;
  const varnolt::SignalScope scope{folder_, controls, today};
  varnolt::SignalTrace trace;
  const auto marks = varnolt::FindSignals(data_set, ReadSets(), scope, &trace);
  varnolt::QImageCanvas canvas(image);
  varnolt::DrawSignals(data_set, varnolt::PriceBoxesFromControls(controls, data_number), marks,
                       canvas);
  if (diagnostic_ && controls.Checked("cbshowosci")) {
    QString text = statistics.toPlainText();
    for (const std::string& line : varnolt::SignalTraceListing(data_set, trace)) {
      if (!text.isEmpty()) text += '\n';
      text += QString::fromStdString(line);
    }
    statistics.setPlainText(text);
  }
}
