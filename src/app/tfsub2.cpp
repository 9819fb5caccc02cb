#include "app/tfsub2.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>

#include "app/radio_group.h"
#include "app/tf_main.h"
#include "app/tfsub2_job.h"
#include "base/messages.h"
#include "base/text_file.h"
#include "screening/condition_catalogue.h"
#include "store/catalogue.h"

namespace {

constexpr int kWindowHeight = 640;
// The gap the resize rule leaves beside each part.
constexpr int kMargin = 8;

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

QLineEdit* ReadOnlyBox(const char* name, QWidget* parent) {
  auto* box = Named(new QLineEdit(parent), name);
  box->setReadOnly(true);
  return box;
}

QLineEdit* EntryBox(const char* name, const char* text, QWidget* parent) {
  auto* box = Named(new QLineEdit(text, parent), name);
  box->setFixedWidth(60);
  return box;
}

}  // namespace

Tfsub2::Tfsub2(varnolt::ProgramFolder folder, Clock today, QWidget* parent)
    : QWidget(parent, Qt::Window),
      folder_(std::move(folder)),
      today_(today ? today : Clock(varnolt::LocalToday)) {
  setObjectName("sub2");
  setWindowTitle("Varnolt");
  // Closing the main window ends the program, whether or not this window is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  warn = [this](const QString& message) {
    QMessageBox::warning(this, "警告", message, QMessageBox::Ok);
  };
  confirm = [this](const QString& question) {
    return QMessageBox::question(this, "確認", question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
  };
  askGroupName = [this]() -> std::optional<QString> {
    bool ok = false;
    const QString name = QInputDialog::getText(this, "Varnolt", varnolt::kGroupNamePrompt,
                                               QLineEdit::Normal, QString(), &ok);
    if (!ok) return std::nullopt;
    return name;
  };
  // The existing-file question is the window's own, so the dialog does not ask it too.
  chooseConditionFileToSave = [this](const QString& start) {
    QFileDialog dialog(this, QString(), start, "Ini files (*.ini *.INI)");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("ini");
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  chooseConditionFileToOpen = [this](const QString& start) {
    return QFileDialog::getOpenFileName(this, QString(), start, "Ini files (*.ini *.INI)");
  };
  openFile = [](const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };

  left_ = Named(new QWidget(this), "pnlLeft");
  panel_ = Named(new QWidget(this), "pnlScreening");
  BuildLeftPart();
  BuildScreeningPanel();
  Connect();
  resize(kLeftWidth + kMargin, kWindowHeight);
  FormCreate();
}

void Tfsub2::BuildLeftPart() {
  auto* data_group = new QGroupBox("Data", left_);
  data1_ = Named(new QRadioButton("１", data_group), "rbdata1");
  data2_ = Named(new QRadioButton("２", data_group), "rbdata2");
  data1_->setChecked(true);
  auto* data_layout = new QHBoxLayout(data_group);
  data_layout->addWidget(data1_);
  data_layout->addWidget(data2_);

  auto* check = new QGroupBox("Check", left_);
  groups_ = Named(new QComboBox(check), "cbCheck");
  groups_->setEditable(true);
  groups_->setInsertPolicy(QComboBox::NoInsert);
  on_off_ = Named(new QCheckBox("ON/OFF ﾓｰﾄﾞ", check), "cbOnOff");
  auto* check_layout = new QGridLayout(check);
  check_layout->addWidget(groups_, 0, 0, 1, 3);
  check_layout->addWidget(on_off_, 1, 0);
  check_layout->addWidget(Named(new QPushButton("表示", check), "Button12"), 1, 1);
  check_layout->addWidget(Named(new QPushButton("全削", check), "Button13"), 1, 2);

  auto* top = new QHBoxLayout;
  top->addWidget(data_group);
  top->addWidget(check, 1);

  markets_ = Named(new QComboBox(left_), "cbmrk");
  sectors_ = Named(new QComboBox(left_), "cbkind");
  sectors_->setMinimumWidth(140);
  auto* filters = new QHBoxLayout;
  filters->addWidget(new QLabel("市場", left_));
  filters->addWidget(markets_);
  filters->addWidget(new QLabel("業種", left_));
  filters->addWidget(sectors_, 1);
  filters->addWidget(Named(new QPushButton("表示", left_), "Button2"));

  name_ = Named(new QLineEdit(left_), "edname");
  auto* search = new QHBoxLayout;
  search->addWidget(name_, 1);
  search->addWidget(Named(new QPushButton("銘柄名検索", left_), "Button3"));

  extend_ = Named(new QPushButton("拡張　＞＞", left_), "Button4");
  auto* windows = new QHBoxLayout;
  windows->addWidget(Named(new QPushButton("メ モ 表 示", left_), "Button24"));
  windows->addWidget(extend_);

  list_ = Named(new QListWidget(left_), "lbname");

  figures_ = Named(new QWidget(left_), "pnlFigures");
  auto* form = new QFormLayout(figures_);
  form->setContentsMargins(0, 0, 0, 0);
  const std::pair<const char*, const char*> kBoxes[] = {
      {"コード", "edcode"},      {"市場", "edmrk"},       {"業種", "edkind"},
      {"最新値", "ednewed"},     {"出来高", "ednewvol"},  {"PER", "edper"},
      {"PBR", "edpbr"},          {"ROE", "edroe"},        {"ROA", "edroa"},
      {"配当利回り", "edhaito"}, {"単元株数", "edtangen"}};
  for (const auto& [caption, name] : kBoxes) {
    auto* box = ReadOnlyBox(name, figures_);
    box->setFixedWidth(110);
    form->addRow(caption, box);
  }
  auto* pages = new QHBoxLayout;
  pages->addWidget(Named(new QPushButton("Yahoo", figures_), "Button19"));
  pages->addWidget(Named(new QPushButton("Infoseek", figures_), "Button20"));
  form->addRow(pages);
  form->addRow(Named(new QPushButton("決算", figures_), "Button21"));
  form->addRow(Named(new QPushButton("<<", figures_), "Button22"));

  strip_ = Named(new QWidget(left_), "pnlStrip");
  auto* unfold = Named(new QPushButton(">", strip_), "Button23");
  unfold->setFixedWidth(24);
  auto* strip_layout = new QVBoxLayout(strip_);
  strip_layout->setContentsMargins(0, 0, 0, 0);
  strip_layout->addWidget(unfold);
  strip_layout->addStretch();
  strip_->hide();

  auto* lower = new QHBoxLayout;
  lower->addWidget(list_, 1);
  lower->addWidget(figures_);
  lower->addWidget(strip_);

  auto* layout = new QVBoxLayout(left_);
  layout->setContentsMargins(kMargin / 2, kMargin / 2, 0, kMargin / 2);
  layout->addLayout(top);
  layout->addLayout(filters);
  layout->addLayout(search);
  layout->addLayout(windows);
  layout->addLayout(lower, 1);
}

void Tfsub2::BuildScreeningPanel() {
  catalogue_ = Named(new QListWidget(panel_), "cbscreening");
  for (int number : varnolt::ScreeningDisplayOrder())
    catalogue_->addItem(QString::fromUtf8(varnolt::ConditionText(number)));

  auto* entries = new QHBoxLayout;
  const std::pair<const char*, std::pair<const char*, const char*>> kEntries[] = {
      {"数値１", {"ednum1", "1"}},
      {"数値２", {"ednum2", "2"}},
      {"日数１", {"eddt1", "7"}},
      {"日数２", {"eddt2", "7"}}};
  for (const auto& [caption, entry] : kEntries) {
    entries->addWidget(new QLabel(caption, panel_));
    entries->addWidget(EntryBox(entry.first, entry.second, panel_));
  }
  entries->addStretch();
  entries->addWidget(Named(new QPushButton("追加", panel_), "Button9"));

  conditions_ = Named(new QListWidget(panel_), "lbscreening");
  auto* moves = new QVBoxLayout;
  moves->addWidget(Named(new QPushButton("↑", panel_), "Button6"));
  moves->addWidget(Named(new QPushButton("↓", panel_), "Button7"));
  moves->addWidget(Named(new QPushButton("削除", panel_), "Button8"));
  moves->addWidget(Named(new QPushButton("全削", panel_), "Button10"));
  moves->addStretch();
  auto* list_row = new QHBoxLayout;
  list_row->addWidget(conditions_, 1);
  list_row->addLayout(moves);

  auto* sets = new QGroupBox("条件切り替え", panel_);
  set1_ = Named(new QRadioButton("1", sets), "rbsc1");
  set2_ = Named(new QRadioButton("2", sets), "rbsc2");
  set1_->setChecked(true);
  auto* sets_layout = new QHBoxLayout(sets);
  sets_layout->addWidget(set1_);
  sets_layout->addWidget(set2_);
  sets_layout->addWidget(new QLabel("ｺﾋﾟｰ", sets));
  sets_layout->addWidget(Named(new QPushButton("←", sets), "Button17"));
  sets_layout->addWidget(Named(new QPushButton("→", sets), "Button18"));

  save_target_ =
      Named(new RadioGroup("保存対象", {"市場・業種", "チェック銘柄"}, panel_), "rgselect");
  save_target_->setItemIndex(0);
  auto* files = new QVBoxLayout;
  files->addWidget(Named(new QPushButton("読み込み", panel_), "Button15"));
  files->addWidget(Named(new QPushButton("保存", panel_), "Button16"));
  auto* set_row = new QHBoxLayout;
  set_row->addWidget(sets);
  set_row->addLayout(files);
  set_row->addWidget(save_target_);

  run_ = Named(new QPushButton("ｽｸﾘｰﾆﾝｸﾞ実行", panel_), "Button5");
  run_->setDefault(true);
  cancel_ = Named(new QPushButton("中止", panel_), "btCancel");
  cancel_->setEnabled(false);
  progress_ = Named(new QProgressBar(panel_), "pbScreening");
  progress_->setRange(0, 1);
  progress_->setValue(0);
  progress_->setFormat("%v / %m");
  count_ = Named(new QLabel(panel_), "lbcount");
  auto* run_row = new QHBoxLayout;
  run_row->addWidget(run_);
  run_row->addWidget(progress_, 1);
  run_row->addWidget(cancel_);
  run_row->addWidget(count_);

  export_ = Named(new QPushButton("←　財務及び関連情報一括表示", panel_), "Button14");
  simulation_ = Named(new QPushButton("仮想売買", panel_), "Button1");
  simulation_->setEnabled(false);
  auto* actions = new QHBoxLayout;
  actions->addWidget(Named(new QPushButton("←　まとめてチェック", panel_), "Button11"));
  actions->addWidget(export_);
  actions->addWidget(simulation_);

  auto* layout = new QVBoxLayout(panel_);
  layout->setContentsMargins(0, kMargin / 2, 0, kMargin / 2);
  layout->addWidget(
      new QLabel("＜処理を速くするためのコツ＞　絞り込めそうな条件をなるべく先に", panel_));
  layout->addWidget(catalogue_, 3);
  layout->addLayout(entries);
  layout->addWidget(new QLabel("【スクリーニング条件】", panel_));
  layout->addLayout(list_row, 2);
  layout->addLayout(set_row);
  layout->addLayout(run_row);
  layout->addLayout(actions);
  panel_->setFixedWidth(kPanelWidth);
}

void Tfsub2::Connect() {
  auto button = [this](const char* name, void (Tfsub2::*handler)()) {
    connect(findChild<QPushButton*>(name), &QPushButton::clicked, this, handler);
  };
  button("Button2", &Tfsub2::Button2Click);
  button("Button3", &Tfsub2::Button3Click);
  button("Button12", &Tfsub2::Button12Click);
  button("Button13", &Tfsub2::Button13Click);
  button("Button24", &Tfsub2::Button24Click);
  button("Button4", &Tfsub2::Button4Click);
  button("Button19", &Tfsub2::Button19Click);
  button("Button20", &Tfsub2::Button20Click);
  button("Button21", &Tfsub2::Button21Click);
  button("Button22", &Tfsub2::Button22Click);
  button("Button23", &Tfsub2::Button23Click);
  button("Button9", &Tfsub2::Button9Click);
  button("Button6", &Tfsub2::Button6Click);
  button("Button7", &Tfsub2::Button7Click);
  button("Button8", &Tfsub2::Button8Click);
  button("Button10", &Tfsub2::Button10Click);
  button("Button17", &Tfsub2::Button17Click);
  button("Button18", &Tfsub2::Button18Click);
  button("Button16", &Tfsub2::Button16Click);
  button("Button15", &Tfsub2::Button15Click);
  button("Button5", &Tfsub2::Button5Click);
  button("btCancel", &Tfsub2::CancelScreening);
  button("Button11", &Tfsub2::Button11Click);
  button("Button14", &Tfsub2::Button14Click);
  button("Button1", &Tfsub2::Button1Click);
  connect(set1_, &QRadioButton::clicked, this, &Tfsub2::rbsc1Click);
  connect(set2_, &QRadioButton::clicked, this, &Tfsub2::rbsc2Click);
  connect(catalogue_, &QListWidget::itemDoubleClicked, this, &Tfsub2::Button9Click);
  connect(name_, &QLineEdit::returnPressed, this, &Tfsub2::Button3Click);
  // A click runs the selection with the double-click action at its end; the double click that
  // follows (the item view reports its first click only once) asks for nothing more.
  connect(list_, &QListWidget::itemClicked, this, &Tfsub2::lbnameClick);
}

void Tfsub2::FormCreate() {
  markets_->clear();
  for (const std::string& market : varnolt::MarketFilterList())
    markets_->addItem(QString::fromStdString(market));
  // A program folder without a catalogue yet (before the first download) opens with empty
  // lists rather than a file error; the listing commands report it.
  std::optional<varnolt::Lines> catalogue;
  Guarded([&] { catalogue = varnolt::ReadLinesIfPresent(folder_.File("codedata.txt")); });
  const varnolt::Lines lines = catalogue.value_or(varnolt::Lines{});
  sectors_->clear();
  for (const std::string& sector : varnolt::SectorFilterList(lines))
    sectors_->addItem(QString::fromStdString(sector));
  SetGroupList(varnolt::CheckGroupList(lines));
  markets_->setCurrentIndex(0);
  sectors_->setCurrentIndex(0);
  groups_->setCurrentIndex(0);
  if (catalogue) Button2Click();
  panel_->hide();
  extend_->setText("拡張　＞＞");
  catalogue_->setCurrentRow(0);
  resize(kLeftWidth + kMargin, height());
  FormResize();
}

void Tfsub2::ShowFor(int data_number) {
  (data_number == 2 ? data2_ : data1_)->setChecked(true);
  show();
  raise();
  activateWindow();
}

void Tfsub2::Button4Click() {
  const bool show_panel = panel_->isHidden();
  panel_->setVisible(show_panel);
  extend_->setText(show_panel ? "＜＜　拡張" : "拡張　＞＞");
  resize(kLeftWidth + kMargin + (show_panel ? kPanelWidth : 0), height());
  FormResize();
}

// The left part takes whatever width the screening panel (when shown) leaves, but never less
// than its own narrowest width.
void Tfsub2::FormResize() {
  const bool panel_shown = !panel_->isHidden();
  const int reserved = panel_shown ? kPanelWidth + kMargin : kMargin;
  const int left_width = std::max(kLeftWidth, width() - reserved);
  left_->setGeometry(0, 0, left_width, height());
  panel_->setGeometry(left_width + kMargin / 2, 0, kPanelWidth, height());
}

void Tfsub2::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  FormResize();
}

void Tfsub2::Button22Click() {
  figures_->hide();
  strip_->show();
}

void Tfsub2::Button23Click() {
  strip_->hide();
  figures_->show();
}

void Tfsub2::Button1Click() {
  if (show_simulation_) show_simulation_();
}

void Tfsub2::setSimulationAction(std::function<void()> show) {
  show_simulation_ = std::move(show);
  simulation_->setEnabled(static_cast<bool>(show_simulation_));
}

void Tfsub2::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    warn(QString::fromUtf8(error.what()));
  }
}
