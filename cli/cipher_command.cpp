#include <iostream>
#include <iterator>

#include "commands.h"
#include "net/text_cipher.h"

namespace varnolt::cli {

// cipher encode|decode USE: stdin (one trailing LF removed) through the key of USE.
int CipherCommand(Context& context, Args& args) {
  const std::vector<std::string> words = args.Positionals(2);
  const std::optional<CipherUse> use = CipherUseNamed(words[1]);
  if (!use) throw UsageError("unknown key use " + words[1]);
  if (words[0] != "encode" && words[0] != "decode") {
    throw UsageError("cipher needs encode or decode, not " + words[0]);
  }
  std::string input{std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>()};
  if (!input.empty() && input.back() == '\n') input.pop_back();
  if (words[0] == "encode") {
    context.out << Encipher(input, *use) << "\n";
    return 0;
  }
  const std::optional<std::string> plain = Decipher(input, *use);
  if (!plain) throw UserMessage("the text does not decipher with the " + words[1] + " key");
  context.out << *plain << "\n";
  return 0;
}

}  // namespace varnolt::cli
