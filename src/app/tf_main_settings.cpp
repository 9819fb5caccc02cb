// The settings file, the start-up files and controls, the help menu and the title label's
// information box with its maintenance choice.
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QInputDialog>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>
#include <QUrl>
#include <exception>

#include "app/signal_page.h"
#include "app/tf_main.h"
#include "base/messages.h"
#include "base/settings_file.h"
#include "chart/auto_display.h"
#include "net/transfer.h"
#include "screening/finance_html.h"

namespace {

constexpr const char* kSettingsName = "設定.ini";
constexpr const char* kInitialName = "初期化.ini";
constexpr const char* kIntroductionName = "Varnolt入門.rtf";
constexpr const char* kAboutText =
    "Varnolt for 株 v2.22\n\n"
    "株価データの保存、チャート表示、テクニカル分析、銘柄検索と仮想売買のためのプログラムです。\n"
    "株価データはデータサーバーまたは CSV ファイルから取り込みます。\n\n"
    "この情報を閉じますか";
// Answering "No" this many times in a row to the information box opens the maintenance choice.
constexpr int kMaintenanceNoCount = 3;

// Start-up items of the selection controls; those of pages that do not exist are passed over.
constexpr std::pair<const char*, int> kStartupItems[] = {
    {"cbchart1", 0},    {"cbchart2", 0},    {"cbos1", 0}, {"cbos2", 0},
    {"cbautodata1", 0}, {"cbautodata2", 0}, {"cbghi", 0}, {"cbgdiv", 1},
    {"cbg1", 10},       {"cbg2", 10},       {"cbg3", 0},  {"cbg4", 0},
    {"cbgl", 0},        {"cbs1", 4},        {"cbs2", 1},  {"cbss", 0},
};

class DoubleClickFilter : public QObject {
 public:
  DoubleClickFilter(QObject* parent, std::function<void()> action)
      : QObject(parent), action_(std::move(action)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick) action_();
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> action_;
};

QString FileText(const std::filesystem::path& path) {
  return QString::fromStdU16String(path.u16string());
}

}  // namespace

void TfMain::BuildSettingsAndPatterns() {
  confirm = [this](const QString& question) {
    return QMessageBox::question(this, "確認", question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
  };
  askText = [this](const QString& caption, const QString& prompt,
                   const QString& preset) -> std::optional<QString> {
    bool ok = false;
    const QString text =
        QInputDialog::getText(this, caption, prompt, QLineEdit::Normal, preset, &ok);
    if (!ok) return std::nullopt;
    return text;
  };
  openDocument = [this](const QString& path) {
    // The application that opens the file starts in the program folder.
    QDir::setCurrent(FileText(folder_.Root()));
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  };
  uploadAllText = [this](const QString& path) {
    return varnolt::FtpPut(varnolt::FtpAccountOf(server_), "/temp.txt", path.toStdU16String());
  };

  connect(auto_display_.data1.memorise, &QPushButton::clicked, this, &TfMain::Button41Click);
  connect(auto_display_.data1.replay, &QPushButton::clicked, this, &TfMain::Button42Click);
  connect(auto_display_.data1.remove, &QPushButton::clicked, this, &TfMain::Button43Click);
  connect(auto_display_.data2.memorise, &QPushButton::clicked, this, &TfMain::Button44Click);
  connect(auto_display_.data2.replay, &QPushButton::clicked, this, &TfMain::Button45Click);
  connect(auto_display_.data2.remove, &QPushButton::clicked, this, &TfMain::Button46Click);
  connect(auto_display_.clear_all, &QPushButton::clicked, this, &TfMain::Button47Click);
  connect(auto_display_.save, &QPushButton::clicked, this, &TfMain::buSaveClick);
  connect(auto_display_.reset, &QPushButton::clicked, this, &TfMain::Button50Click);

  QMenu* help = menuBar()->addMenu("ヘルプ(&H)");
  QAction* introduction = help->addAction("入門(&T)");
  introduction->setObjectName("N5");
  connect(introduction, &QAction::triggered, this, [this] { N5Click(); });
  QAction* homepage = help->addAction("作者ＨＰ(&W)");
  homepage->setObjectName("W1");
  connect(homepage, &QAction::triggered, this, [this] { W1Click(); });

  title_.title->installEventFilter(new DoubleClickFilter(this, [this] { lbtitleDblClick(); }));
}

void TfMain::SetStartupSelections() {
  server_ = varnolt::ReadServerConfig(folder_.File("net.dat")).value_or(varnolt::ServerConfig{});
  for (int n : {1, 2}) {
    QComboBox& patterns = *PatternsOf(n).patterns;
    patterns.clear();
    for (const std::string& name : varnolt::LoadPatternNames(folder_, n))
      patterns.addItem(QString::fromStdString(name));
  }
  for (const auto& [name, item] : kStartupItems) {
    auto* box = findChild<QComboBox*>(name);
    if (box != nullptr && item < box->count()) box->setCurrentIndex(item);
  }
}

void TfMain::LoadSettingsAtStart() {
  std::optional<varnolt::Lines> lines;
  Guarded([&] { lines = varnolt::ReadLinesIfPresent(folder_.File(kSettingsName)); });
  if (!lines) return;
  ApplyToControls(
      [&](varnolt::ControlValues& controls) { varnolt::ApplySettings(*lines, controls); });
}

void TfMain::ApplyToControls(const std::function<void(varnolt::ControlValues&)>& apply) {
  varnolt::ControlValues controls = ReadControls();
  QString error;
  try {
    apply(controls);
  } catch (const std::exception& failure) {
    error = QString::fromUtf8(failure.what());
  }
  WriteControls(controls);
  if (!error.isEmpty()) warn(error);
}

void TfMain::buSaveClick() {
  Guarded([this] {
    varnolt::WriteLines(folder_.File(kSettingsName), varnolt::SettingsLines(ReadControls()));
  });
}

void TfMain::Button50Click() {
  if (!confirm(varnolt::kResetSettingsQuestion)) return;
  std::optional<varnolt::Lines> initial;
  Guarded([&] { initial = varnolt::ReadLinesIfPresent(folder_.File(kInitialName)); });
  ApplyToControls(
      [&](varnolt::ControlValues& controls) { varnolt::ApplyInitialSettings(initial, controls); });
}

void TfMain::N5Click() {
  const auto path = folder_.File(kIntroductionName);
  if (!std::filesystem::exists(path) || !openDocument(FileText(path)))
    warn(FileText(path) + " を開けません");
}

void TfMain::W1Click() {
  const auto path = folder_.File("index.html");
  Guarded([&] {
    varnolt::WriteLines(path, varnolt::FramePageLines(server_.homepage));
    if (!openDocument(FileText(path))) warn(FileText(path) + " を開けません");
  });
}

void TfMain::lbtitleDblClick() {
  for (int no = 0; no < kMaintenanceNoCount; ++no) {
    if (confirm(kAboutText)) return;
  }
  MaintenanceChoice();
}

void TfMain::MaintenanceChoice() {
  const bool on = signal_page_->diagnosticMode();
  if (confirm(on ? "シグナル診断表示をオフにしますか" : "シグナル診断表示をオンにしますか"))
    signal_page_->setDiagnosticMode(!on);
  const auto all = folder_.DataDir() / "all.txt";
  if (!std::filesystem::exists(all) || !confirm("data/all.txt を temp.txt として送信しますか"))
    return;
  if (uploadAllText(FileText(all))) {
    inform("送信しました");
  } else {
    warn("送信できませんでした");
  }
}
