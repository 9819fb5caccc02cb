#include "app/tf_main.h"

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QEventLoop>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "app/chart_image.h"
#include "app/control_bridge.h"
#include "app/file_dialogs.h"
#include "app/oscillator_periods_page.h"
#include "app/signal_page.h"
#include "app/statistics_page.h"
#include "app/tf_memo.h"
#include "app/tfsub2.h"
#include "app/trend_periods_page.h"

namespace {

constexpr const char* kCaption = "Varnolt for 株 v2.22";
constexpr const char* kTitle = "Varnolt\n for 「株」";
constexpr const char* kLockName = "varnolt.lock";

// Pages whose controls come with later work; each holds a placeholder until then.
QWidget* PlaceholderPage(QWidget* parent, const char* name = nullptr) {
  auto* page = new QWidget(parent);
  if (name != nullptr) page->setObjectName(name);
  return page;
}

QString FromUtf8(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

TfMain::TfMain(varnolt::ProgramFolder folder, Clock today, QWidget* parent)
    : QMainWindow(parent),
      folder_(std::move(folder)),
      today_(today ? today : Clock(varnolt::LocalToday)) {
  warn = [this](const QString& message) {
    QMessageBox::warning(this, "警告", message, QMessageBox::Ok);
  };
  inform = [this](const QString& message) {
    QMessageBox::information(this, "情報", message, QMessageBox::Ok);
  };
  pause = [](double seconds) {
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
  };
  suspend = [] { QProcess::startDetached("systemctl", {"suspend"}); };
  chooseFilesToOpen = [this](const QString& start) { return ChooseFilesToOpen(this, start); };
  chooseFileToSave = [this](const QString& filter, const QString& suffix) {
    return ChooseFileToSave(this, filter, suffix);
  };
  color_dialog_ = new QColorDialog(this);
  chooseColor = [this](const QColor& current) -> std::optional<QColor> {
    color_dialog_->setCurrentColor(current);
    if (color_dialog_->exec() != QDialog::Accepted) return std::nullopt;
    return color_dialog_->selectedColor();
  };
  BuildPages();
  BuildMenu();
  BuildSettingsAndPatterns();
  resize(1280, 800);
  FormCreate();
}

TfMain::~TfMain() = default;

void TfMain::BuildPages() {
  pages_ = new QTabWidget(this);
  pages_->setObjectName("PCup");
  setCentralWidget(pages_);

  title_ = BuildTitlePage(pages_);
  pages_->addTab(title_.page, "タイトル");
  selection1_ =
      BuildDataSelectionPage(varnolt::DataSetNamesOf(1).selection, "ﾃﾞｰﾀ2の日付をｺﾋﾟｰ", pages_);
  pages_->addTab(selection1_.page, "データ選択（１）");
  selection2_ =
      BuildDataSelectionPage(varnolt::DataSetNamesOf(2).selection, "ﾃﾞｰﾀ1の日付をｺﾋﾟｰ", pages_);
  pages_->addTab(selection2_.page, "データ選択（２）");
  basic1_ = BuildBasicSettingsPage(varnolt::DataSetNamesOf(1).basic, pages_);
  pages_->addTab(basic1_.page, "基本(ﾃﾞｰﾀ１)");
  basic2_ = BuildBasicSettingsPage(varnolt::DataSetNamesOf(2).basic, pages_);
  pages_->addTab(basic2_.page, "基本(ﾃﾞｰﾀ2)");
  chart_page_ = PlaceholderPage(pages_, "tsChart");
  chart_ = new ChartImage(chart_page_);
  auto* chart_layout = new QVBoxLayout(chart_page_);
  chart_layout->setContentsMargins(0, 0, 0, 0);
  chart_layout->addWidget(chart_);
  pages_->addTab(chart_page_, "チャート表示画面");
  trend_ = BuildTrendPage(pages_);
  pages_->addTab(trend_.page, "ﾁｬｰﾄ");
  oscillator_ = BuildOscillatorPage(pages_);
  pages_->addTab(oscillator_.page, "ｵｼﾚｰﾀｰ");
  BuildAnalysisPages();
  auto_display_ = BuildAutoDisplayPage(pages_);
  pages_->addTab(auto_display_.page, "自動表示");
  trend_periods_ = BuildTrendPeriodsPage(pages_);
  pages_->addTab(trend_periods_.page, "周期設定(ﾄﾚﾝﾄﾞ)");
  oscillator_periods_ = BuildOscillatorPeriodsPage(pages_);
  pages_->addTab(oscillator_periods_.page, "周期設定(ｵｼﾚｰﾀｰ)");

  const StatisticsPage statistics = BuildStatisticsPage(pages_);
  statistics_ = statistics.text;
  connect(statistics.clear, &QPushButton::clicked, this, &TfMain::Button52Click);
  connect(statistics.save, &QPushButton::clicked, this, &TfMain::Button57Click);
  holdings_ = statistics.holdings;
  ConnectHoldingsPanel(statistics.edit_holdings, statistics.profit_and_loss);
  pages_->addTab(statistics.page, "統計");

  signal_page_ = new SignalPage(folder_, other_colors_, pages_);
  signal_page_->inform = [this](const QString& message) { inform(message); };
  signal_page_->warn = [this](const QString& message) { warn(message); };
  pages_->addTab(signal_page_, "売買ｼｸﾞﾅﾙ");

  ConnectSelectionPage(selection1_, 1);
  ConnectSelectionPage(selection2_, 2);
  ConnectBasicSettingsPage(basic1_, 1);
  ConnectBasicSettingsPage(basic2_, 2);
  ConnectIndicatorPages();
  ConnectColors(trend_periods_.colors);
  ConnectColors(oscillator_periods_.colors);
  ConnectColors(other_colors_);
}

void TfMain::BuildMenu() {
  QMenu* file = menuBar()->addMenu("ファイル(&F)");
  QAction* csv = file->addAction("csv形式ファイルから読み込み(&C)");
  csv->setObjectName("csvC1");
  connect(csv, &QAction::triggered, this, [this] { csvC1Click(); });
  QAction* update = file->addAction("最新の株価データをネットで入手(&N)");
  update->setObjectName("D1");
  connect(update, &QAction::triggered, this, [this] { D1Click(); });
  QAction* history = file->addAction("過去の株価データをダウンロード(&P)");
  history->setObjectName("N1");
  connect(history, &QAction::triggered, this, [this] { N1Click(); });
  timer1_ = new QTimer(this);
  timer1_->setObjectName("Timer1");
  timer1_->setInterval(60000);
  connect(timer1_, &QTimer::timeout, this, [this] { Timer1Timer(); });
  timer1_->start();
  file->addSeparator();
  QAction* exit = file->addAction("終了(&X)");
  exit->setObjectName("Exit1");
  connect(exit, &QAction::triggered, this, [this] { Exit1Click(); });

  QMenu* view = menuBar()->addMenu("表示(&V)");
  QAction* memo = view->addAction("メモ表示(&M)");
  memo->setObjectName("mMemo");
  connect(memo, &QAction::triggered, this, [this] { mMemoClick(); });

  QMenu* edit = menuBar()->addMenu("編集(&E)");
  undo_ = edit->addAction("復元(&U)");
  undo_->setObjectName("mUndo");
  undo_->setEnabled(false);
  connect(undo_, &QAction::triggered, this, [this] { mUndoClick(); });
  BuildPointerTools(file, exit);
}

void TfMain::FormCreate() {
  // The folder comes first: the lock file that guards it lives in it.
  Guarded([this] { folder_.EnsureDataDir(); });

  // One running copy per program folder. A lock that cannot be taken for any other reason
  // (a read-only folder) does not stop the program.
  lock_ =
      std::make_unique<QLockFile>(QString::fromStdU16String(folder_.File(kLockName).u16string()));
  lock_->setStaleLockTime(0);  // a running copy's lock never ages into a stale one
  if (!lock_->tryLock(0) && lock_->error() == QLockFile::LockFailedError) {
    another_copy_running_ = true;
    lock_.reset();
    return;
  }

  title_.title->setText(kTitle);
  setWindowTitle(kCaption);

  Guarded([this] { holidays_ = varnolt::LoadHolidayList(folder_.File("holidays.txt")); });
  LoadHoldingsList();

  const varnolt::DayNumber today = today_();
  const QString today_text = FromUtf8(varnolt::DayToCompact(today));
  const QString start_text = FromUtf8(varnolt::StartupStartDate(today));
  selection1_.start->setText(start_text);
  selection1_.end->setText(today_text);
  selection2_.start->setText(start_text);
  selection2_.end->setText(today_text);
  data1_ = varnolt::DataSet{};
  data2_ = varnolt::DataSet{};
  // net.dat, the pattern names, the selection controls' start-up items, then 設定.ini over
  // the built-in values.
  SetStartupSelections();
  LoadSettingsAtStart();
  FormResize();
}

void TfMain::FormClose() {
  // Only the copy that holds the folder writes into it, and only once.
  if (lock_) SaveHoldingsList();
  if (memo_ != nullptr) memo_->SaveShownMemo();
  if (lock_) lock_->unlock();
  lock_.reset();
}

void TfMain::Exit1Click() {
  close();
}

void TfMain::closeEvent(QCloseEvent* event) {
  FormClose();
  event->accept();
  if (closed) closed();
}

void TfMain::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

void TfMain::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The first resize reaches the window before its pages are laid out; by the time it shows,
  // they are.
  if (!event->spontaneous()) FormResize();
  if (!event->spontaneous() && browser_ != nullptr) browser_->show();
}

varnolt::ControlValues TfMain::ReadControls() const {
  return ReadControlValues(*this);
}

void TfMain::WriteControls(const varnolt::ControlValues& values) {
  WriteControlValues(*this, values);
}

void TfMain::Guarded(const std::function<void()>& command) {
  try {
    command();
  } catch (const std::exception& error) {
    warn(QString::fromUtf8(error.what()));
  }
}

void TfMain::ClearReadouts(int data_number) {
  // The pointer readout boxes under the pages are emptied, with the readout they showed.
  readouts_[data_number == 2 ? 1 : 0] = {};
  static constexpr const char* kReadouts[] = {"eddat", "edx",  "edy", "edst",
                                              "edhi",  "edlo", "eded"};
  for (const char* readout : kReadouts) {
    const QString name = QString(readout) + QString::number(data_number);
    if (auto* box = findChild<QLineEdit*>(name)) box->clear();
  }
}
