#include "demo/installed_files.h"

#include <filesystem>

#include "base/settings_file.h"
#include "base/text_file.h"

namespace varnolt::demo {
namespace {

// Candlesticks in regions 4 to 10 and volume (oscillator item 3) in regions 1 to 3.
constexpr const char* kStandardPatternName = "ローソク足・出来高・取組高";
constexpr const char* kStandardPatternRecord = "1,1,4,10,4,3,1,3,";

constexpr const char* kIntroduction =
    "Varnolt 入門\n"
    "\n"
    "Varnolt は日本株の株価を保存し、チャートとテクニカル指標を表示するプログラムです。\n"
    "\n"
    "1. 株価の入手\n"
    "「ファイル」メニューの「最新の株価データをネットで入手」でデータサーバーから、"
    "または「csv形式ファイルから読み込み」で CSV ファイルから株価を取り込みます。\n"
    "\n"
    "2. 銘柄の選択\n"
    "「データ選択（１）」のページで銘柄コードか銘柄名の始まり、はじめの日と終わりの日を入れ、"
    "データ単位を選んで「選択」を押します。データ２も同じように選べます。\n"
    "\n"
    "3. チャートの表示\n"
    "「基本(ﾃﾞｰﾀ１)」の「表示」でローソク足を描きます。「ﾁｬｰﾄ」と「ｵｼﾚｰﾀｰ」のページで"
    "移動平均、一目均衡表、ＲＳＩ、ＭＡＣＤなどを選び、表示領域（1 が下、10 が上）を決めて"
    "「表示」を押します。「編集」メニューの「復元」で一つ前の画面に戻せます。\n"
    "\n"
    "4. 自動表示\n"
    "描いたチャートの手順は「自動表示」のページで名前をつけて記憶でき、別の銘柄でも"
    "「表示」一つで同じチャートを描けます。\n"
    "\n"
    "5. 設定\n"
    "周期や色は「全ての設定を保存」で 設定.ini に保存され、次の起動で読み込まれます。"
    "「全ての設定を初期化」で最初の設定に戻せます。\n"
    "\n"
    "6. 銘柄検索と仮想売買\n"
    "銘柄一覧の窓で条件を組み合わせて銘柄を探し、仮想売買の窓で過去の株価による売買を試せます。\n";

// The next code point of UTF-8 text at `at`, advancing it; a stray byte stands for itself.
char32_t NextCodePoint(std::string_view text, size_t& at) {
  const auto byte = static_cast<unsigned char>(text[at++]);
  const int extra = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
  char32_t code = extra == 0 ? byte : byte & (0x3F >> extra);
  for (int i = 0; i < extra && at < text.size(); ++i)
    code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3F);
  return code;
}

void WriteIfMissing(const std::filesystem::path& path, const Lines& lines) {
  if (!std::filesystem::exists(path)) WriteLines(path, lines);
}

}  // namespace

std::string RtfDocument(std::string_view utf8) {
  std::string rtf = "{\\rtf1\\ansi\\uc1\\deff0{\\fonttbl{\\f0\\fnil MS UI Gothic;}}\\fs22\r\n";
  for (size_t at = 0; at < utf8.size();) {
    const char32_t code = NextCodePoint(utf8, at);
    if (code == '\n') {
      rtf += "\\par\r\n";
    } else if (code == '\\' || code == '{' || code == '}') {
      rtf += '\\';
      rtf += static_cast<char>(code);
    } else if (code < 0x80) {
      rtf += static_cast<char>(code);
    } else if (code < 0x10000) {
      // RTF's \u takes a signed 16-bit number.
      rtf += "\\u" + std::to_string(static_cast<int16_t>(code)) + "?";
    } else {
      rtf += "?";
    }
  }
  return rtf + "}\r\n";
}

void WriteInstalledFiles(const ProgramFolder& folder) {
  Lines initial;
  for (const SettingsLine& line : SettingsLayout()) {
    if (line.kind != SettingKind::kVersion && line.kind != SettingKind::kKept)
      initial.emplace_back(line.default_value);
  }
  WriteIfMissing(folder.File("初期化.ini"), initial);
  for (const char* names : {"自動表示1.txt", "自動表示2.txt"})
    WriteIfMissing(folder.File(names), {kStandardPatternName});
  for (const char* records : {"自動処理1.txt", "自動処理2.txt"})
    WriteIfMissing(folder.File(records), {kStandardPatternRecord});
  const auto introduction = folder.File("Varnolt入門.rtf");
  if (!std::filesystem::exists(introduction))
    WriteBytesAtomically(introduction, RtfDocument(kIntroduction));
}

}  // namespace varnolt::demo
