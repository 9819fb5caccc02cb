#pragma once

#include <QColor>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/auto_display_page.h"
#include "app/auxiliary_page.h"
#include "app/basic_settings_page.h"
#include "app/data_selection_page.h"
#include "app/gann_page.h"
#include "app/holdings_panel.h"
#include "app/oscillator_page.h"
#include "app/parameter_form.h"
#include "app/title_page.h"
#include "app/trend_page.h"
#include "base/controls.h"
#include "base/program_folder.h"
#include "chart/data_set.h"
#include "chart/pointer_readout.h"
#include "chart/pointer_tools.h"
#include "indicators/indicator_command.h"
#include "net/server_config.h"
#include "series/calendar.h"
#include "series/unit_shift.h"

class ChartImage;
class ColorLabel;
class QAction;
class QCheckBox;
class QColorDialog;
class QLockFile;
class QMenu;
class QPrinter;
class QPushButton;
class QTabWidget;
class QTimer;
class QTextEdit;
class SignalPage;
class TfMemo;
class Tfsub2;
class TfmHdata;

// The main window: the tab pages of data selection, chart settings, the chart and the analysis
// tools, and the state they share (the two data sets and the holiday list).
class TfMain : public QMainWindow {
  Q_OBJECT

 public:
  using Clock = std::function<varnolt::DayNumber()>;

  // `today` gives the local date; loads and the start-up date fields ask it.
  explicit TfMain(varnolt::ProgramFolder folder, Clock today = nullptr, QWidget* parent = nullptr);
  ~TfMain() override;

  // True when another running copy holds the program folder; the window then did nothing else
  // and the program should end without showing it.
  bool anotherCopyRunning() const { return another_copy_running_; }

  const varnolt::DataSet& data1() const { return data1_; }
  const varnolt::DataSet& data2() const { return data2_; }
  const varnolt::HolidayList& holidays() const { return holidays_; }
  const varnolt::ProgramFolder& folder() const { return folder_; }

  // Shows a user error. Defaults to a modal warning box with one OK button; tests replace it.
  std::function<void(const QString&)> warn;
  // Reports a finished command. Defaults to a modal information box; tests replace it.
  std::function<void(const QString&)> inform;
  // The pauses of the network commands (repainting while they last) and the sleep after a
  // scheduled update (through the session manager); tests replace them.
  std::function<void(double seconds)> pause;
  std::function<void()> suspend;
  // Run when the window has closed: the program ends with it.
  std::function<void()> closed;
  // The file dialogs, replaceable for tests. Each gives nothing when the user cancels.
  std::function<QStringList(const QString& folder)> chooseFilesToOpen;
  std::function<QString(const QString& filter, const QString& suffix)> chooseFileToSave;
  // The colour dialog of the "色" buttons, opened on the label's colour. Gives nothing when the
  // user cancels. Defaults to the window's one colour dialog, which keeps its custom colours
  // from one use to the next; tests replace it.
  std::function<std::optional<QColor>(const QColor& current)> chooseColor;

  // The parameter controls by name (see control_bridge.h). Writing raises the controls' change
  // signals as a user's edit would.
  varnolt::ControlValues ReadControls() const;
  void WriteControls(const varnolt::ControlValues& values);

  void FormCreate();
  void FormClose();
  void Exit1Click();

  void buselectClick();
  void buselect2Click();
  void cbdataChange();
  void cbdata2Change();
  void Button7Click();
  void Button9Click();
  void Button8Click();
  void Button20Click();
  void Button22Click();
  void Button21Click();
  void Button49Click();
  void Button51Click();

  // Basic settings pages and the chart image.
  void buShow1Click();
  void buShow2Click();
  void Button4Click();
  void Button17Click();
  void cbauto1Click();
  void cbauto2Click();
  void cbcalenClick();
  void cbcalen2Click();
  void edUPChange();
  void edUP2Change();
  void mUndoClick();
  void FormResize();

  // The trend and oscillator pages.
  void buChart1Click();
  void buCHart2Click();
  void BuOs1Click();
  void buOs2Click();
  void Button2Click();
  void Button6Click();
  void Button13Click();
  void Button15Click();

  // Statistics page and the file menu.
  void Button52Click();
  void Button57Click();
  void csvC1Click();
  void D1Click();
  // The historical download: offers the missing years in the history window.
  void N1Click();
  // The scheduled owner update, every minute while ownerautopilot.log exists.
  void Timer1Timer();

  // The holdings ledger on the statistics page.
  void CheckBox1Click();
  void Button64Click();
  void cbmodifyClick();
  void lbpossessClick();
  void pquantityChange();
  void Button67Click();
  void Button65Click();
  void Button66Click();

  // The memo window, created after the main window. Its menu command shows it with the memo
  // of the stock in data 1's selection box.
  void setMemoWindow(TfMemo* memo) { memo_ = memo; }
  void mMemoClick();

  // The stock browser, created right after the main window and shown with it. The data
  // selection pages' 銘柄一覧表示 buttons show it for their data set.
  void setBrowserWindow(Tfsub2* browser) { browser_ = browser; }
  void setHistoryWindow(TfmHdata* history) { history_ = history; }
  void Button39Click();
  void Button58Click();
  // True while a price chart is being drawn; the browser ignores stock clicks meanwhile.
  bool drawingChart() const { return showing_price_chart_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  using DateCommand = varnolt::DateBoxes (*)(const varnolt::DateBoxes&, std::string_view,
                                             varnolt::DataUnit);

  void BuildPages();
  void BuildMenu();
  void ConnectSelectionPage(DataSelectionPage& page, int data_number);
  void ConnectBasicSettingsPage(const BasicSettingsPage& page, int data_number);
  void ConnectIndicatorPages();
  void ConnectColors(const std::vector<ColorChoice>& colors);
  void ConnectHoldingsPanel(QCheckBox* edit, QPushButton* profit_and_loss);
  void LoadHoldingsList();
  void SaveHoldingsList();
  void FillHoldingEdits(const QString& line);
  void Load(DataSelectionPage& page, varnolt::DataSet& data_set, int data_number);
  void ApplyDateCommand(DataSelectionPage& page, DateCommand command, const QLineEdit* count);
  void ClearReadouts(int data_number);
  // Runs a command and shows any error it raises as a warning.
  void Guarded(const std::function<void()>& command);

  varnolt::DataSet& DataOf(int data_number) { return data_number == 2 ? data2_ : data1_; }
  // The price chart display command; true when the chart is shown afterwards.
  bool ShowPriceChart(int data_number);
  // The same inside another command, which has taken the undo snapshot already.
  bool ShowPriceChartWithoutSnapshot(int data_number);
  using IndicatorCommand =
      std::function<varnolt::IndicatorCommandResult(varnolt::IndicatorCommandEnvironment&)>;
  void RunIndicatorCommand(int data_number, IndicatorCommand command);
  void ClearRegions(const QLineEdit& from, const QLineEdit& to);
  // A "色" button: the label takes the colour chosen in the colour dialog.
  void ChooseLabelColor(ColorLabel& label);
  void CalendarClick(const BasicSettingsPage& page, int data_number);
  // The first step of every command that changes the chart image: what "復元(&U)" puts back.
  // While snapshots are suppressed it only enables "復元(&U)".
  void TakeUndoSnapshot();
  // Runs after a successful price chart display of a data set.
  void AfterDisplay(int data_number);

  varnolt::ProgramFolder folder_;
  Clock today_;
  QTimer* timer1_ = nullptr;  // Timer1
  std::unique_ptr<QLockFile> lock_;
  bool another_copy_running_ = false;

  varnolt::DataSet data1_;
  varnolt::DataSet data2_;
  varnolt::HolidayList holidays_;

  QTabWidget* pages_ = nullptr;  // PCup
  TitlePage title_;
  DataSelectionPage selection1_;
  DataSelectionPage selection2_;
  BasicSettingsPage basic1_;
  BasicSettingsPage basic2_;
  QWidget* chart_page_ = nullptr;  // tsChart
  ChartImage* chart_ = nullptr;    // imMain
  TrendPage trend_;
  OscillatorPage oscillator_;
  ParameterPage trend_periods_;
  ParameterPage oscillator_periods_;
  std::vector<ColorChoice> other_colors_;  // lbgann of the Gann page, lbsc
  SignalPage* signal_page_ = nullptr;  // 売買ｼｸﾞﾅﾙ: marks drawn after each price chart
  QColorDialog* color_dialog_ = nullptr;
  QTextEdit* statistics_ = nullptr;  // reStat
  HoldingsPanel holdings_;
  // A ledger file that could not be read at start is not overwritten at close.
  bool holdings_unreadable_ = false;
  // Filling the edits from a line is not an edit of its share counts.
  bool filling_holding_edits_ = false;
  TfMemo* memo_ = nullptr;
  Tfsub2* browser_ = nullptr;
  TfmHdata* history_ = nullptr;
  QAction* undo_ = nullptr;           // mUndo
  bool showing_price_chart_ = false;  // busy guard of both display commands
  // Inner drawing commands of one user action leave the snapshot taken before the first.
  bool snapshots_suppressed_ = false;

 public:
  // The pointer tools of the chart image, the zoom switch, printing and the image save.
  void imMainMouseDown(Qt::MouseButton button, QPoint point);
  void imMainMouseMove(QPoint point);
  void imMainMouseUp(Qt::MouseButton button, QPoint point);
  void mZoomClick();
  void kPrintClick();
  void KS1Click();
  // What the readout boxes of data 1 or 2 show, as the analysis pages take it over.
  const varnolt::PointerReadout& readout(int data_number) const {
    return readouts_[data_number == 2 ? 1 : 0];
  }
  // The print dialog, replaceable for tests: true when `printer` is set up to print.
  std::function<bool(QPrinter& printer)> choosePrinter;

 private:
  // The file menu's print and save commands go before `before`; the zoom switch, the readout
  // panel and the image's mouse events come with them.
  void BuildPointerTools(QMenu* file, QAction* before);
  std::optional<varnolt::ShownChart> ShownChartOf(int data_number,
                                                  const varnolt::ControlValues& controls) const;
  bool ZoomOn() const;
  void ZoomIntoDataTwo(const varnolt::ShownChart& chart1, varnolt::Point start,
                       varnolt::Point release);

  varnolt::PointerDrag drag_;
  varnolt::PointerReadout readouts_[2];
  QAction* zoom_ = nullptr;  // mZoom
  // The next display of data 2 shows the zoom: its caption says so.
  bool next_display_is_zoom_ = false;

 public:
  // Settings, the help menu, the title label and the auto-display patterns
  // (tf_main_settings.cpp, tf_main_auto_display.cpp).
  void buSaveClick();
  void Button50Click();
  void N5Click();
  void W1Click();
  void lbtitleDblClick();
  void Button41Click();
  void Button42Click();
  void Button43Click();
  void Button44Click();
  void Button45Click();
  void Button46Click();
  void Button47Click();
  // Yes/No questions, the one-line input box (with a preset text) and opening a file with its
  // default application; replaceable for tests. askText gives nothing when the user cancels.
  std::function<bool(const QString& question)> confirm;
  std::function<std::optional<QString>(const QString& caption, const QString& prompt,
                                       const QString& preset)>
      askText;
  std::function<bool(const QString& path)> openDocument;
  // The hidden maintenance choice behind the title label's information box: each action runs
  // when confirmed. The upload gives whether data/all.txt reached the FTP host.
  std::function<bool(const QString& all_text)> uploadAllText;

  // The pages "ｷﾞｬﾝ分析" and "補助", the chart's double click and the forecast input.
  void Button5Click();
  void Button14Click();
  void Button12Click();
  void BussClick();
  void imMainDblClick();
  void Button40Click();
  void Button48Click();

 private:
  void BuildSettingsAndPatterns();
  void SetStartupSelections();
  void LoadSettingsAtStart();
  // Runs `apply` over the controls and writes back what it applied, also when it stopped at a
  // line that does not read (whose error is then shown).
  void ApplyToControls(const std::function<void(varnolt::ControlValues&)>& apply);
  AutoDisplayPatterns& PatternsOf(int data_number) {
    return data_number == 2 ? auto_display_.data2 : auto_display_.data1;
  }
  void MemorisePattern(int data_number);
  void ReplayPattern(int data_number);
  void DeletePattern(int data_number);
  void MaintenanceChoice();

  void BuildAnalysisPages();
  // The Gann box over the page's data set, after a warning when there is none.
  std::optional<varnolt::GannCorners> RunGannBox();
  // Runs an operation of the page "補助" on `boxes`, or warns why it cannot.
  void RunAuxiliaryOperation(int item, varnolt::AuxiliaryBoxes& boxes);
  void InputForecasts(int data_number);

  AutoDisplayPage auto_display_;
  varnolt::ServerConfig server_;  // net.dat as read at start-up, renewed by the update
  GannPage gann_;
  AuxiliaryPage auxiliary_;
};
