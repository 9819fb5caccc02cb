#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "base/program_folder.h"
#include "series/calendar.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class RadioGroup;
class TfMain;
class TfMemo;

// The stock browser: lists stocks of the catalogue by market and sector, by name or by check
// group, shows the selected stock's latest price and figures, keeps the user's check marks, and
// sends a stock to data 1 or data 2 of the main window. Its screening panel narrows the list
// with a condition list, saves and loads condition sets and exports the figures as HTML.
class Tfsub2 : public QWidget {
  Q_OBJECT

 public:
  using Clock = std::function<varnolt::DayNumber()>;

  explicit Tfsub2(varnolt::ProgramFolder folder, Clock today = nullptr, QWidget* parent = nullptr);
  ~Tfsub2() override;

  // The windows this one works with; either may be absent.
  void setMainWindow(TfMain* main) { main_ = main; }
  void setMemoWindow(TfMemo* memo) { memo_ = memo; }
  // What 仮想売買 does; the button is disabled while nothing is set.
  void setSimulationAction(std::function<void()> show);

  // The dialogs and the outside programs, replaceable for tests. `confirm` asks a Yes/No
  // question; `askGroupName` gives nothing on Cancel; the file choosers give an empty text on
  // Cancel; `openFile` hands a file to the desktop's default program.
  std::function<void(const QString&)> warn;
  std::function<bool(const QString&)> confirm;
  std::function<std::optional<QString>()> askGroupName;
  std::function<QString(const QString& folder)> chooseConditionFileToSave;
  std::function<QString(const QString& folder)> chooseConditionFileToOpen;
  std::function<void(const QString& path)> openFile;

  // Shows the window with data 1 or data 2 chosen, as the main window's 銘柄一覧表示 does.
  void ShowFor(int data_number);

  void FormCreate();
  void FormResize();

  // The left part.
  void Button2Click();
  void Button3Click();
  void Button12Click();
  void Button13Click();
  void Button24Click();
  void Button4Click();
  void lbnameClick();
  void lbnameDblClick();
  void Button19Click();
  void Button20Click();
  void Button21Click();
  void Button22Click();
  void Button23Click();

  // The screening panel.
  void Button9Click();
  void Button6Click();
  void Button7Click();
  void Button8Click();
  void Button10Click();
  void rbsc1Click();
  void rbsc2Click();
  void Button17Click();
  void Button18Click();
  void Button16Click();
  void Button15Click();
  void Button5Click();
  void CancelScreening();
  void Button11Click();
  void Button14Click();
  void Button1Click();

  // Blocks until a screening under way has ended and shows its result.
  void WaitForScreening();
  bool screeningRunning() const;

  // The width of the left part when the window is at its narrowest.
  static constexpr int kLeftWidth = 480;
  static constexpr int kPanelWidth = 600;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  struct ScreeningJob;

  void BuildLeftPart();
  void BuildScreeningPanel();
  void Connect();
  QStringList ListedItems() const;
  void ShowItems(const QStringList& items);
  void ListByFilter(const std::string& filter);
  void SetGroupList(const std::vector<std::string>& groups);
  std::vector<std::string> GroupList() const;
  void ShowDetails(const QString& item);
  void SendToMainWindow(const QString& item);
  void OpenWebPage(QPushButton* button, int page);
  void ShowProgress(size_t done, size_t total);
  void FinishScreening();
  void Guarded(const std::function<void()>& command);

  varnolt::ProgramFolder folder_;
  Clock today_;
  TfMain* main_ = nullptr;
  TfMemo* memo_ = nullptr;
  std::function<void()> show_simulation_;

  QWidget* left_ = nullptr;      // everything but the screening panel
  QWidget* panel_ = nullptr;     // pnlScreening
  QListWidget* list_ = nullptr;  // lbname
  QRadioButton* data1_ = nullptr;
  QRadioButton* data2_ = nullptr;
  QComboBox* groups_ = nullptr;    // cbCheck
  QCheckBox* on_off_ = nullptr;    // cbOnOff
  QComboBox* markets_ = nullptr;   // cbmrk
  QComboBox* sectors_ = nullptr;   // cbkind
  QLineEdit* name_ = nullptr;      // edname
  QPushButton* extend_ = nullptr;  // Button4
  QWidget* figures_ = nullptr;     // the figures panel that "<<" folds
  QWidget* strip_ = nullptr;       // the narrow strip with ">"

  QListWidget* catalogue_ = nullptr;   // cbscreening
  QListWidget* conditions_ = nullptr;  // lbscreening: the current condition set
  QStringList other_set_;              // the condition set not shown
  int current_set_ = 1;
  QRadioButton* set1_ = nullptr;
  QRadioButton* set2_ = nullptr;
  RadioGroup* save_target_ = nullptr;  // rgselect
  QPushButton* run_ = nullptr;         // Button5
  QPushButton* cancel_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* count_ = nullptr;
  QPushButton* export_ = nullptr;  // Button14
  QPushButton* simulation_ = nullptr;

  std::unique_ptr<ScreeningJob> job_;
};
