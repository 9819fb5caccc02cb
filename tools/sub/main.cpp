// varnolt-sub: the external downloader. Started by the update in the program folder (as "Sub"),
// it answers download.ini there from the quote source named in sub.ini.
#include <iostream>

#include "net/transfer.h"
#include "sub/quote_download.h"

int main() {
  const bool answered = varnolt::sub::AnswerDownloadRequest(
      std::filesystem::current_path(),
      [](const std::string& address) { return varnolt::GetText(address, ""); });
  if (!answered) std::cerr << "varnolt-sub: no readable download.ini here\n";
  return answered ? 0 : 1;
}
