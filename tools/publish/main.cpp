// varnolt-publish: builds the folder varnolt-server serves from a program folder's store.
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "publish.h"

int main(int argc, char** argv) {
  constexpr const char* kUsage =
      "usage: varnolt-publish PROGRAM_FOLDER SERVER_FOLDER [--base URL] [--ftp-host HOST[:PORT]]\n"
      "                       [--upto DATE] [--homepage-before YEAR] [--quotes]\n"
      "  --base URL       the server's address for files/net.dat (default "
      "http://127.0.0.1:8080/)\n"
      "  --ftp-host HOST  the FTP host line for files/net.dat (default 127.0.0.1:2121)\n"
      "  --upto DATE      year files end at DATE (yyyy/mm/dd); later days become monthly\n"
      "                   files and, for the newest day, a daily file\n"
      "  --homepage-before YEAR  years before YEAR are listed in files/kbk1.dat\n"
      "  --quotes         the whole year files also go to quotes/data/ for the server's quote\n"
      "                   source (cgi-bin/quote.cgi/CODE/FROM/TO), which the downloader asks\n";
  varnolt::publish::Options options;
  std::vector<std::string> folders;
  for (int i = 1; i < argc; ++i) {
    const std::string word = argv[i];
    if ((word == "--base" || word == "--ftp-host") && i + 1 < argc) {
      (word == "--base" ? options.base : options.ftp_host) = argv[++i];
    } else if (word == "--upto" && i + 1 < argc) {
      options.upto = varnolt::SlashToDay(argv[++i]);
      if (options.upto == 0) {
        std::cerr << "varnolt-publish: bad date " << argv[i] << "\n" << kUsage;
        return 2;
      }
    } else if (word == "--homepage-before" && i + 1 < argc) {
      options.homepage_before = std::atoi(argv[++i]);
    } else if (word == "--quotes") {
      options.quotes = true;
    } else if (word == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (!word.starts_with("--")) {
      folders.push_back(word);
    } else {
      std::cerr << "varnolt-publish: unknown option " << word << "\n" << kUsage;
      return 2;
    }
  }
  if (folders.size() != 2 || !options.base.ends_with("/")) {
    std::cerr << kUsage;
    return 2;
  }
  try {
    varnolt::publish::PublishFolder(folders[0], folders[1], options);
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    return 1;
  }
  return 0;
}
