#include "command_table.h"

#include "commands.h"

namespace varnolt::cli {
namespace {

constexpr const char* kLoadDetails =
    "Loads data 1 as the 選択 button does and prints the name box, the start and end boxes, the\n"
    "index of the first shown bar and the bar count, the list lines and the report of days\n"
    "without data.\n"
    "  TEXT         a stock code or a name of codedata.txt\n"
    "  START END    dates YYYYMMDD\n"
    "  --unit U     day (the default), week, month, quarter or year\n"
    "  --no-adjust  the prices as stored, not adjusted for splits\n"
    "  --bars       also print the bars: index,date,open,high,low,close,volume,split\n"
    "A date the loader refuses, or a stock without data in the period, is a message on stderr\n"
    "with status 1.\n";

constexpr const char* kConvertDetails =
    "Merges CSV price lines into the year price files of the data folder, silent on success.\n"
    "A line: DATE,CODE,OPEN,HIGH,LOW,CLOSE[,VOLUME[,SPLIT株]], the date as YYYY/M/D; Shift_JIS\n"
    "text. A field a line gives replaces the stored one; a price that is not a whole number\n"
    "(\"-\") leaves it. A file joins the year of each line it holds; with --first-line only the\n"
    "year of its first line. A line that does not read stops the run with a message naming the\n"
    "file and the line (status 1); its year file stays as it was.\n";

constexpr const char* kChartDetails =
    "Loads data 1, replays a command record onto a white image of WxH pixels (1000x700 unless\n"
    "--size), saves it as PNG or BMP by the name's ending and prints the statistics text.\n"
    "  RECORD  items \"KIND,ITEM,FROM,TO,\" one after another, FROM and TO the display regions\n"
    "          1 to 10 counted from the top:\n"
    "    KIND 1 price bars: ITEM 1 candlesticks, 2 close bars, 3 close line\n"
    "    KIND 2 skipped\n"
    "    KIND 3 trend chart: ITEM 0 moving averages (close), 1 moving averages (high, low),\n"
    "           2 Ichimoku, 3 Bollinger bands, 4 parabolic, 5 new-price chart, 6 renko,\n"
    "           7 kagi, 8 kagi on the time axis, 9 point and figure\n"
    "    KIND 4 oscillator: ITEM 0 RSI, 1 RCI, 2 DMI, 3 volume, 4 stochastics, 5 %R,\n"
    "           6 psychological line, 7 OBV, 8 MACD, 9 deviation rate, 10 reverse watch curve\n"
    "          For instance 1,1,1,6,4,0,7,10, draws candlesticks in regions 1 to 6 and the RSI\n"
    "          in regions 7 to 10.\n"
    "  --settings, --set  the parameters (see `varnolt-cli controls`); --set cbshowosci=true\n"
    "          lists the oscillator's values in the statistics text\n"
    "  --unit, --no-adjust, TEXT, START, END  as for load\n";

constexpr const char* kLatestDetails =
    "Prints the close, open and volume of the last trading day on or before DATE (YYYYMMDD)\n"
    "and that day, as the stock browser values a stock; zeros and DATE when there is none.\n";

constexpr const char* kCalcDetails =
    "Runs an indicator computation over the entries read from stdin, one \"open,high,low,close\"\n"
    "line each (at most 999), and prints its warm-up length, its return value and for each\n"
    "entry the five result slots. --n N computes over the first N entries only.\n"
    "  NAME  one of the names below\n"
    "  --settings, --set  the parameters (see `varnolt-cli controls`)\n"
    "names:\n";

constexpr const char* kSeriesDetails =
    "Loads the screening series of about N trading days up to END (YYYYMMDD) as the condition\n"
    "evaluator does and prints the count and each entry's open, high, low and close.\n";

constexpr const char* kControlsDetails =
    "Prints every parameter control as NAME=VALUE: the built-in values, then those of a\n"
    "設定.ini given with --settings, then each --set. These are the names --set takes.\n";

constexpr const char* kConditionDetails =
    "Prints the condition line that 追加 makes of catalogue entry NUMBER (0-83) with the four\n"
    "entry texts: \"NUMBER,DAYS1,DAYS2: TEXT\" with the numbers in [ ] and the day counts in < >.\n"
    "  --num1, --num2    the numbers (default 1 and 2)\n"
    "  --days1, --days2  the day counts, whole numbers of at least 1 (default 7 and 7)\n"
    "An entry that does not read is its message on stderr with status 1.\n";

constexpr const char* kScreenDetails =
    "Narrows a stock list with a condition list as of today, as the screening window does, and\n"
    "prints each surviving catalogue list item, then \"該当 N 件\".\n"
    "  --file SET.ini      a condition-set file: its line 1 gives the stock selection, lines 2..\n"
    "                      the conditions\n"
    "  --line LINE         a condition line (see `condition`); repeat for a list\n"
    "  --market M --sector S  indexes into the market and sector filter lists\n"
    "  --checked GROUP     the checked stocks of a check group (\"\" for all checked stocks)\n"
    "  --codes C,C,...     these codes\n"
    "Without a selection option: the selection of --file's line 1, else the whole catalogue.\n"
    "  --settings, --set  the indicator parameters (see `varnolt-cli controls`)\n";

constexpr const char* kSignalsDetails =
    "Loads data 1 as load does and prints the buy and sell signals its daily chart would show\n"
    "with signal display on: for each displayed bar, every buy set in the order given, then\n"
    "every sell set, is evaluated as of that bar over the 300 trading days ending there, and\n"
    "each set that passes prints DATE,buy,N or DATE,sell,N, N its place among the sets of its\n"
    "side. Nothing for bars other than daily ones.\n"
    "  --buy, --sell SET.ini  a condition-set file (line 1 is skipped); repeat for more sets\n"
    "  --settings, --set  the indicator parameters (see `varnolt-cli controls`)\n"
    "  --unit, --no-adjust, TEXT, START, END  as for load\n"
    "A set file that cannot be read is a message on stderr with status 1.\n";

constexpr const char* kCipherDetails =
    "Enciphers or deciphers stdin (UTF-8, one trailing line end removed) with the program's\n"
    "built-in key for USE and prints the result and a line end.\n"
    "  USE  net (the whole of net.dat), ftpuser (line 5 of net.dat), log (usage log records),\n"
    "       mark (the update mark), version (the announced version), download (download.ini)\n"
    "A text that does not decipher with the key is a message on stderr with status 1.\n";

constexpr const char* kStateDetails =
    "Stores each --set value in the update state of the program folder (state.txt), then prints\n"
    "time=, fnc=, msg=, date= (empty when missing) and id=, the installation identifier, which\n"
    "is made and kept on first use.\n"
    "  NAME   time (the update mark) and date (the announced version) are given as plain text\n"
    "         and kept enciphered; fnc and msg are kept as given\n"
    "  VALUE  empty removes the value\n";

constexpr const char* kUpdateDetails =
    "Runs the latest-data update with the program folder's net.dat: the connection and clock\n"
    "checks, the reference files and components, the server's notice, the year, monthly and\n"
    "daily files, the conversion, and the external downloader Sub with the upload of what it\n"
    "brings. Every text the program would show in a message box is printed when it would be\n"
    "shown, followed by a line \"--\". Status 0 when the command ran to its end and the update\n"
    "procedure (if it ran) succeeded, 1 otherwise.\n"
    "  --unattended      the scheduled owner update: no messages, nothing fetched for local use\n"
    "                    or converted; data is made for the server and uploaded\n"
    "  --poll-seconds N  the downloader poll interval and upload retry delay (default 10)\n";

constexpr const char* kHistoryDetails =
    "Offers the years the data server holds (kbk1.dat and kbk2.dat, the current incomplete year\n"
    "left out) that the data folder lacks, as the historical download's list does, and downloads\n"
    "them newest first. Every text the program would show in a message box is printed, followed\n"
    "by a line \"--\". Status 0 when \"ダウンロード終了\" was shown (or the list printed), else 1.\n"
    "  --list       prints the list's items, one a line, and downloads nothing\n"
    "  --from YEAR  downloads the item whose range starts at YEAR (default the first)\n";

constexpr const char* kSimulateDetails =
    "Replays a trading strategy day by day as the simulation window's 仮想売買実行 does and\n"
    "prints the report: every trade, the fee lines, the holdings and the totals.\n"
    "  --start D --end D   the period, YYYYMMDD\n"
    "  --budget N          the cash at the start; --upper N, --lower N: one purchase's limits\n"
    "  --buy SET.ini       a buy condition-set file; repeat for more; --sell likewise\n"
    "  --multi             a held stock may be bought again; --over: buy up to --upper\n"
    "  --charge FILE       a charge.ini (13 lines); default the window's fee schedule\n"
    "  --plan 0|1|2        通常, 一日定額 or 月定額 (default 0)\n"
    "  --reservations FILE run a reservation list (a text beginning with 【予約】) and write\n"
    "                      data/simulation_N.txt for each job instead of printing\n"
    "An input the window refuses is its message on stderr with status 1.\n";

constexpr CommandEntry kCommands[] = {
    {"load", LoadCommand,
     "load [--unit day|week|month|quarter|year] [--no-adjust] [--bars] TEXT START END",
     kLoadDetails},
    {"convert", ConvertCommand, "convert [--first-line] FILE...", kConvertDetails},
    {"chart", ChartCommand,
     "chart [--size WxH] [--settings FILE] [--set CONTROL=TEXT]... [--unit U] [--no-adjust]\n"
     "        --record RECORD --out FILE TEXT START END",
     kChartDetails},
    {"latest", LatestCommand, "latest CODE DATE", kLatestDetails},
    {"calc", CalcCommand,
     "calc NAME [--settings FILE] [--set CONTROL=TEXT]... [--n N] < open,high,low,close lines",
     kCalcDetails},
    {"series", SeriesCommand, "series [--no-adjust] CODE N END", kSeriesDetails},
    {"condition", ConditionCommand,
     "condition NUMBER [--num1 TEXT] [--num2 TEXT] [--days1 TEXT] [--days2 TEXT]",
     kConditionDetails},
    {"screen", ScreenCommand,
     "screen [--settings FILE] [--set CONTROL=TEXT]... [--market M --sector S |\n"
     "         --checked GROUP | --codes C,C,...] (--file SET.ini | --line LINE...)",
     kScreenDetails},
    {"simulate", SimulateCommand,
     "simulate [--settings FILE] [--set CONTROL=TEXT]... [--charge FILE] [--plan 0|1|2]\n"
     "         [--multi] [--over] --start D --end D --budget N --upper N --lower N\n"
     "         --buy SET.ini... --sell SET.ini... | --reservations FILE",
     kSimulateDetails},
    {"signals", SignalsCommand,
     "signals [--settings FILE] [--set CONTROL=TEXT]... [--unit U] [--no-adjust]\n"
     "        [--buy SET.ini]... [--sell SET.ini]... TEXT START END",
     kSignalsDetails},
    {"controls", ControlsCommand, "controls [--settings FILE] [--set CONTROL=TEXT]...",
     kControlsDetails},
    {"cipher", CipherCommand, "cipher encode|decode USE < text", kCipherDetails},
    {"state", StateCommand, "state [--set NAME=VALUE]...", kStateDetails},
    {"update", UpdateCommand, "update [--unattended] [--poll-seconds N]", kUpdateDetails},
    {"history", HistoryCommand, "history [--list] [--from YEAR]", kHistoryDetails},
};

std::string Synopses() {
  std::string text =
      "usage: varnolt-cli [--home DIR] [--today YYYYMMDD] [--now \"YYYY/MM/DD HH:MM:SS\"]\n"
      "                   [--program-stamp N] COMMAND ...\ncommands:\n";
  for (const CommandEntry& entry : kCommands) text.append("  ").append(entry.synopsis) += '\n';
  return text;
}

}  // namespace

const CommandEntry* FindCommand(std::string_view name) {
  for (const CommandEntry& entry : kCommands) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

std::string UsageText() {
  return Synopses() + "`varnolt-cli --help` and `varnolt-cli COMMAND --help` tell more.\n";
}

std::string OverviewHelp() {
  return Synopses() +
         "options:\n"
         "  --home DIR        the program folder (default $VARNOLT_HOME, else\n"
         "                    ~/.local/share/varnolt)\n"
         "  --today YYYYMMDD  the day taken as today (default the local date)\n"
         "  --now \"YYYY/MM/DD HH:MM:SS\"\n"
         "                    the local clock frozen at this date and time (also sets today)\n"
         "  --program-stamp N the file stamp of the program's own file (MS-DOS packed date and\n"
         "                    time as a whole number; default that of this executable)\n"
         "A message the program would show in a box goes to stderr with status 1; a command line\n"
         "that does not fit exits with status 2. `varnolt-cli COMMAND --help` describes a\n"
         "command.\n";
}

std::string CommandHelp(const CommandEntry& entry) {
  std::string text = "usage: varnolt-cli ";
  text.append(entry.synopsis).append("\n").append(entry.details);
  if (entry.run == CalcCommand) text += ComputationNames("  ", "\n");
  return text;
}

}  // namespace varnolt::cli
