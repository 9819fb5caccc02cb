#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The texts the program shows the user in message boxes, each defined once. Texts with parts
// that vary are built by the functions here from those parts.
namespace varnolt {

// Loading a stock and the date boxes of the data selection pages.
inline constexpr const char* kBadStartMessage = "はじめの日を正しく入力して下さい";
inline constexpr const char* kBadEndMessage = "終わりの日を正しく入力して下さい";
inline constexpr const char* kBadStockMessage = "銘柄コードまたは銘柄名を正しく入力してください";
inline constexpr const char* kTooManyBarsMessage = "データ量が多すぎます";
inline constexpr const char* kNoDataMessage = "その期間の指定銘柄のデータはありません";
inline constexpr const char* kBadPlusMessage = "加える単位数を正しく入力して下さい";
inline constexpr const char* kBadShiftMessage = "シフトする単位数を正しく入力して下さい";

// The price chart display command.
inline constexpr const char* kNotLoadedMessage = "まずデータを選択して下さい";
inline constexpr const char* kNotIntegerMessage = "数値は整数を入力してください";
inline constexpr const char* kBadRegionsMessage = "表示領域を正しく設定して下さい";

// The Gann and auxiliary pages and the forecast input.
inline constexpr const char* kShowChartFirstMessage = "まず基本のローソク足等を表示して下さい";
inline constexpr const char* kBadGannDateMessage = "日付を正しく設定して下さい";
inline constexpr const char* kBadGannUnitMessage = "１単位を正しく設定して下さい";
inline constexpr const char* kBadGannBoxesMessage = "日付、高値、安値を正しく入力して下さい";
inline constexpr const char* kChooseTwoPointsMessage = "２点を選んで下さい";
inline constexpr const char* kSelectDataFirstMessage = "データをまず選択して下さい";
inline constexpr const char* kTooManyForecastsMessage =
    "予測値が多すぎます（データは10000本までです）";

// The CSV conversion of the file menu. The skipped-lines line takes the count for %1.
inline constexpr const char* kNoFileChosenMessage = "ファイルを指定して下さい";
inline constexpr const char* kConversionDoneMessage = "読み込み完了";
inline constexpr const char* kSkippedLinesMessage = "範囲外の行を %1 行読み飛ばしました";

// The 追加 command of the screening window when an entry box does not read.
inline constexpr std::string_view kNumberEntryMessage = "数値を正しく入力してください";
inline constexpr std::string_view kDaysEntryMessage = "日数を正しく入力してください";

// The stock browser: its confirmations, the group name prompt and the screening result.
inline constexpr const char* kClearChecksQuestion =
    "今表示されているチェックマークを\n全てはずしてよろしいですか?";
inline constexpr const char* kGroupNamePrompt = "グループ名をつけてください";
inline constexpr const char* kDeleteAllConditionsQuestion = "全部削除してよろしいですか?";
inline constexpr const char* kOverwriteQuestion = "上書きしますか?";
inline std::string ScreeningCountText(size_t count) {
  return "該当 " + std::to_string(count) + " 件";
}

// The holdings panel's modify mode and chart button without a clicked holding line.
inline constexpr const char* kSelectHoldingToModify = "修正するデータをまずクリックしてください";
inline constexpr const char* kSelectHoldingToChart = "表示するデータをまずクリックしてください";

// The latest-data update and the external downloader: messages, then the progress panel's
// status lines.
inline constexpr const char* kConnectionFailedMessage = "接続に失敗しました";
inline constexpr const char* kClockDateMessage = "内部時計の日付が不正常です";
inline constexpr const char* kClockMotionMessage = "内部時計の動きが異常です";
inline constexpr const char* kLatestDataSuffix = "が最新データです";
inline constexpr const char* kNoLaterDataSuffix = "より後のデータを入手できませんでした";
inline std::string NewVersionMessage(std::string_view homepage) {
  return "Varnoltの最新版があります。\n作者HP(" + std::string(homepage) + ")をご確認下さい。";
}
inline constexpr const char* kConnectionCheckStatus = "接続チェック";
inline constexpr const char* kDownloadStatus = "データダウンロード";
inline constexpr const char* kConvertingStatus = "変換中";
inline constexpr const char* kRecentDataStatus = "最近のデータチェック";
inline constexpr const char* kTodayDataStatus = "当日のデータチェック";
inline constexpr const char* kDataCheckStatus = "データチェック中";

// The historical download.
inline constexpr const char* kHomepageUnreachableMessage = "作者ホームページに接続できません";
inline constexpr const char* kAllYearsPresentMessage = "既に全データをダウンロード済みです";
inline constexpr const char* kYearDownloadFailedSuffix = "年以前のダウンロードに失敗しました";
inline constexpr const char* kDownloadDoneMessage = "ダウンロード終了";
inline constexpr const char* kDownloadIdleText = "待機中";

// A text that should have been a number.
inline std::string NotANumberMessage(std::string_view text) {
  return "'" + std::string(text) + "' は有効な数値ではありません";
}

// Files and folders: "ファイル NAME WHAT", WHAT one of the phrases below.
inline constexpr const char* kCannotOpen = "を開けません";
inline constexpr const char* kCannotRead = "を読めません";
inline constexpr const char* kCannotCreate = "を作れません";
inline constexpr const char* kCannotWrite = "に書き込めません";
inline constexpr const char* kCannotReplace = "を置き換えられません";
inline constexpr const char* kSizeUnknown = "の大きさが分かりません";
inline constexpr const char* kEndsEarly = "は壊れています (途中で終わっています)";

inline std::string FileMessage(std::string_view name, std::string_view what) {
  return "ファイル " + std::string(name) + " " + std::string(what);
}
inline std::string FolderMessage(std::string_view name, std::string_view what) {
  return "フォルダ " + std::string(name) + " " + std::string(what);
}

// A damaged year price file, WHY one of the findings below; the file is left alone.
inline std::string DamagedYearFile(std::string_view why) {
  return "は壊れています (" + std::string(why) + ")。このファイルには書き込みません";
}
inline constexpr const char* kDirectoryEndsEarly = "銘柄表が途中で終わっています";
inline constexpr const char* kSlotsFull = "銘柄枠がいっぱいです";
inline std::string TooManySlots(uint64_t count) {
  return "銘柄枠の数 " + std::to_string(count);
}
inline std::string TooSmallForSlots(uint64_t size, uint64_t count) {
  return "大きさ " + std::to_string(size) + " バイトが銘柄枠 " + std::to_string(count) +
         " 個に足りません";
}
inline std::string SlotBeyondCount(int code, uint64_t slot, uint64_t count) {
  return "コード " + std::to_string(code) + " の銘柄枠 " + std::to_string(slot) + " が枠の数 " +
         std::to_string(count) + " を超えています";
}
inline std::string SlotUsedTwice(uint64_t slot) {
  return "銘柄枠 " + std::to_string(slot) + " を二つのコードが使っています";
}

// A CSV file that cannot be converted: "NAME の N 行目: WHAT".
inline std::string CsvLineMessage(std::string_view name, size_t line_number,
                                  std::string_view what) {
  return std::string(name) + " の " + std::to_string(line_number) + " 行目: " + std::string(what);
}
inline std::string NotADateMessage(std::string_view text) {
  return "'" + std::string(text) + "' は正しい日付ではありません";
}
inline std::string NoLinesMessage(std::string_view name) {
  return std::string(name) + " には行がありません";
}

// The indicator drawings. A drawing met a zero divisor or a period with no data to work on: it
// stops at that bar.
inline constexpr const char* kSkewedDataMessage = "データの偏りが大きいため演算不適当";
// A box size of zero or below, or one so small that box positions stop being whole numbers.
inline constexpr const char* kBadBoxSizeMessage = "値幅を正しく設定して下さい";
// An RCI period beyond the longest the ranks support.
inline constexpr const char* kPeriodTooLongMessage = "周期が長すぎます";
// A box of the variable scale does not read; the chart is drawn with the fallback box.
inline constexpr const char* kBadVariableScaleMessage = "変動スケールが正しく設定されていません";

// The settings reset and the auto-display patterns.
inline constexpr const char* kResetSettingsQuestion = "全ての設定を初期化していいですか";
inline constexpr const char* kNothingToMemorise1 = "基本表示の操作をまだ何も行っていません";
inline constexpr const char* kNothingToMemorise2 = "基本表示等の操作をまだ何も行っていません";
inline constexpr const char* kPatternNameCaption = "自動表示記憶";
inline constexpr const char* kPatternNamePrompt = "パターン名を入力して下さい";
inline constexpr const char* kSamePatternNameMessage = "同名では記憶できません";
inline constexpr const char* kStandardPatternMessage =
    "「ローソク足・出来高・取組高」は削除できません";
inline constexpr const char* kDeletePatternQuestion = "削除してもいいですか";

// The trading simulation: the inputs of a run that do not read, and the end of a run.
inline constexpr const char* kDateErrorMessage = "日付エラー";
inline constexpr const char* kNumberErrorMessage = "数値エラー";
inline constexpr const char* kNoConditionsMessage = "条件未設定";
inline constexpr const char* kSimulationDoneMessage = "終　了";

}  // namespace varnolt
