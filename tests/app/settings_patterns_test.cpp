#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLockFile>
#include <QMouseEvent>
#include <QPushButton>
#include <memory>

#include <sys/wait.h>
#include <unistd.h>

#include "app/tf_main.h"
#include "base/dates.h"
#include "base/settings_file.h"
#include "base/text_file.h"
#include "chart/auto_display.h"
#include "support/price_store.h"
#include "support/temp_folder.h"
#include "widget_lookup.h"

namespace {

using varnolt::Lines;

class SettingsPatternsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    varnolt::testing::PriceStore store(temp_.Path());
    store.WriteCatalogue({"1301", "極洋水産", "●水産・農林業●○東証一部○"});
    store.WriteHolidays({});
    for (int day = 1; day <= 28; ++day) {
      const int date = 20040200 + day;
      if (varnolt::Weekday(varnolt::testing::DayOf(date)) < 2) continue;  // Saturday, Sunday
      store.Day(1301, date, 1000 + day, 1050 + day, 980 + day, 1020 + day, 5000 + day);
    }
    store.Flush();
  }

  std::unique_ptr<TfMain> Open() {
    auto window =
        std::make_unique<TfMain>(folder_, [] { return varnolt::testing::DayOf(20040301); });
    window->warn = [this](const QString& message) { warnings_.push_back(message); };
    window->inform = [this](const QString& message) { informed_.push_back(message); };
    window->confirm = [this](const QString& question) {
      questions_.push_back(question);
      return answer_;
    };
    return window;
  }

  static void LoadData1(TfMain& window) {
    Child<QComboBox>(window, "cbdata1")->setEditText("1301");
    Child<QLineEdit>(window, "edDtst1")->setText("20040201");
    Child<QLineEdit>(window, "edDted1")->setText("20040227");
    Child<QPushButton>(window, "buselect")->click();
    ASSERT_TRUE(window.data1().loaded);
  }

  varnolt::testing::TempFolder temp_;
  varnolt::ProgramFolder folder_{temp_.Path()};
  std::vector<QString> warnings_;
  std::vector<QString> questions_;
  std::vector<QString> informed_;
  bool answer_ = true;
};

TEST_F(SettingsPatternsTest, SavedSettingsComeBackAtTheNextStart) {
  {
    auto window = Open();
    varnolt::ControlValues controls = window->ReadControls();
    controls.Set("edav1", "7");
    controls.Set("lbav2", "123456");
    controls.Set("rgKagi", "1");
    controls.SetChecked("cbRenko", true);
    controls.SetChecked("cbpf", true);
    controls.Set("edscale12", "250");
    window->WriteControls(controls);
    Child<QPushButton>(*window, "buSave")->click();
  }
  const Lines lines = varnolt::ReadLines(folder_.File("設定.ini"));
  ASSERT_EQ(lines.size(), 113u);
  EXPECT_EQ(lines[25], "false");  // cbpf

  auto window = Open();
  const varnolt::ControlValues controls = window->ReadControls();
  EXPECT_EQ(controls.Text("edav1"), "7");
  EXPECT_EQ(controls.Text("lbav2"), "123456");
  EXPECT_EQ(controls.Text("rgKagi"), "1");
  EXPECT_TRUE(controls.Checked("cbRenko"));
  EXPECT_FALSE(controls.Checked("cbpf"));
  EXPECT_EQ(controls.Text("edscale12"), "250");
  EXPECT_TRUE(warnings_.empty());
}

TEST_F(SettingsPatternsTest, ResetAsksThenTakesTheInitialFileUpToABadLine) {
  Lines initial = varnolt::SettingsLines(varnolt::ControlValues::Defaults());
  initial.erase(initial.begin(), initial.begin() + 2);
  initial[0] = "8";          // edav1
  initial[111 - 2] = "777";  // edscale11 takes its built-in value anyway
  varnolt::WriteLines(folder_.File("初期化.ini"), initial);
  auto window = Open();
  auto* edav1 = Child<QLineEdit>(*window, "edav1");
  auto* edscale11 = Child<QLineEdit>(*window, "edscale11");
  edscale11->setText("1");

  answer_ = false;
  Child<QPushButton>(*window, "Button50")->click();
  EXPECT_EQ(edav1->text(), "6");
  answer_ = true;
  Child<QPushButton>(*window, "Button50")->click();
  EXPECT_EQ(questions_, (std::vector<QString>(2, "全ての設定を初期化していいですか")));
  EXPECT_EQ(edav1->text(), "8");
  EXPECT_EQ(edscale11->text(), "110");
  EXPECT_TRUE(warnings_.empty());

  // A colour that does not read (line 7, lbav2) ends the reset there: line 6 was applied.
  initial[0] = "9";
  initial[4] = "#00ff00";
  varnolt::WriteLines(folder_.File("初期化.ini"), initial);
  edscale11->setText("1");
  Child<QPushButton>(*window, "Button50")->click();
  EXPECT_EQ(edav1->text(), "9");
  EXPECT_EQ(edscale11->text(), "1");
  ASSERT_EQ(warnings_.size(), 1u);
  EXPECT_TRUE(warnings_[0].contains("#00ff00"));
}

TEST_F(SettingsPatternsTest, PatternsAreMemorisedReplayedAndDeleted) {
  varnolt::WriteLines(folder_.File("自動表示1.txt"), {"ローソク足・出来高・取組高"});
  varnolt::WriteLines(folder_.File("自動処理1.txt"), {"1,1,4,10,4,3,1,3,"});
  auto window = Open();
  auto* patterns = Child<QComboBox>(*window, "cbautodata1");
  ASSERT_EQ(patterns->count(), 1);
  EXPECT_EQ(patterns->currentIndex(), 0);
  std::optional<QString> name = "mine";
  window->askText = [&](const QString&, const QString&, const QString&) { return name; };

  // Nothing to replay onto, nothing to memorise.
  Child<QPushButton>(*window, "Button42")->click();
  Child<QPushButton>(*window, "Button41")->click();
  EXPECT_EQ(warnings_, (std::vector<QString>{"まずデータを選択して下さい",
                                             "基本表示の操作をまだ何も行っていません"}));
  warnings_.clear();

  LoadData1(*window);
  Child<QPushButton>(*window, "Button42")->click();
  Child<QPushButton>(*window, "Button42")->click();
  EXPECT_TRUE(warnings_.empty()) << warnings_.front().toStdString();
  EXPECT_EQ(window->data1().command_record, "1,1,4,10,4,3,1,3,1,1,4,10,4,3,1,3,");
  EXPECT_TRUE(Child<QAction>(*window, "mUndo")->isEnabled());

  Child<QPushButton>(*window, "Button41")->click();
  name = "MINE";
  Child<QPushButton>(*window, "Button41")->click();
  name.reset();
  Child<QPushButton>(*window, "Button41")->click();  // cancelled
  EXPECT_EQ(warnings_, std::vector<QString>{"同名では記憶できません"});
  ASSERT_EQ(patterns->count(), 2);
  EXPECT_EQ(varnolt::ReadLines(folder_.File("自動処理1.txt"))[1], window->data1().command_record);

  // Full clear empties both records; the standard pattern stays.
  Child<QPushButton>(*window, "Button47")->click();
  EXPECT_TRUE(window->data1().command_record.empty());
  patterns->setCurrentIndex(0);
  Child<QPushButton>(*window, "Button43")->click();
  EXPECT_EQ(warnings_.back(), "「ローソク足・出来高・取組高」は削除できません");
  patterns->setCurrentIndex(1);
  Child<QPushButton>(*window, "Button43")->click();
  EXPECT_EQ(questions_, std::vector<QString>{"削除してもいいですか"});
  EXPECT_EQ(patterns->count(), 1);
  EXPECT_EQ(varnolt::ReadLines(folder_.File("自動処理1.txt")), Lines{"1,1,4,10,4,3,1,3,"});
}

TEST_F(SettingsPatternsTest, HelpCommandsOpenTheirFilesAndTheTitleHidesMaintenance) {
  auto window = Open();
  std::vector<QString> opened;
  window->openDocument = [&](const QString& path) {
    opened.push_back(path);
    return true;
  };
  Child<QAction>(*window, "N5")->trigger();  // not installed here
  EXPECT_EQ(warnings_.size(), 1u);
  varnolt::WriteLines(folder_.File("Varnolt入門.rtf"), {"{\\rtf1 }"});
  Child<QAction>(*window, "N5")->trigger();
  Child<QAction>(*window, "W1")->trigger();
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_TRUE(opened[0].endsWith("Varnolt入門.rtf"));
  EXPECT_TRUE(opened[1].endsWith("index.html"));
  EXPECT_EQ(varnolt::ReadLines(folder_.File("index.html")).size(), 4u);

  // Closing the box at once ends there; three refusals in a row open the maintenance choice,
  // whose upload is offered only when data/all.txt exists.
  int uploads = 0;
  window->uploadAllText = [&](const QString&) { return ++uploads > 0; };
  QMouseEvent double_click(QEvent::MouseButtonDblClick, QPointF(5, 5), QPointF(5, 5),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(Child<QLabel>(*window, "lbtitle"), &double_click);
  EXPECT_EQ(questions_.size(), 1u);
  answer_ = false;
  window->lbtitleDblClick();
  EXPECT_EQ(questions_.size(), 5u);
  varnolt::WriteLines(folder_.DataDir() / "all.txt", {"x"});
  window->lbtitleDblClick();
  EXPECT_EQ(questions_.size(), 10u);
  EXPECT_EQ(uploads, 0);
  answer_ = true;
  window->confirm = [n = 0](const QString&) mutable { return ++n > 3; };
  window->lbtitleDblClick();
  EXPECT_EQ(uploads, 1);
  EXPECT_EQ(informed_, std::vector<QString>{"送信しました"});
}

TEST_F(SettingsPatternsTest, LockLeftByACrashedCopyDoesNotBlockTheNextStart) {
  const QString lock_path = QString::fromStdU16String(folder_.File("varnolt.lock").u16string());
  const pid_t child = fork();
  if (child == 0) {
    // A copy that takes the lock and dies without releasing it.
    QLockFile lock(lock_path);
    _exit(lock.tryLock(0) ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  ASSERT_TRUE(std::filesystem::exists(folder_.File("varnolt.lock")));
  EXPECT_FALSE(Open()->anotherCopyRunning());
}

}  // namespace
