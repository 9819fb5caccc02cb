#include <filesystem>

#include "acquisition/update_run.h"
#include "base/text_codec.h"
#include "base/text_file.h"
#include "net/file_stamp.h"
#include "net/reply.h"
#include "net/text_cipher.h"
#include "net/transfer.h"
#include "net/transfer_file.h"
#include "store/catalogue.h"

namespace varnolt {
namespace {

namespace fs = std::filesystem;

// Most bytes a program component may unpack to.
constexpr uint64_t kProgramLimit = uint64_t{256} << 20;

// A helper program fetched as a transfer file and installed with its run bit; the old one
// stays when anything fails.
bool RenewProgram(UpdateRun& run, const std::string& transfer_name, const fs::path& program) {
  const std::string& base = run.config.files;
  const fs::path temp = run.folder.File("temp.dat");
  const auto make_runnable = [](const fs::path& unpacked) {
    fs::permissions(unpacked,
                    fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                        fs::perms::others_read | fs::perms::others_exec,
                    fs::perm_options::replace);
    return true;
  };
  const bool renewed =
      GetFile(base + "files/" + transfer_name, temp, base, [&] { run.host.KeepResponsive(); }) &&
      IsValidReply(ReadBytes(temp)) &&
      InstallDecompressed(temp, program, kProgramLimit, make_runnable);
  fs::remove(temp);
  return renewed;
}

// The program never replaces itself: a newer version is announced once.
void AnnounceVersion(UpdateRun& run, uint32_t server_stamp) {
  if (run.options.unattended) return;
  const auto announced = run.state.GetEnciphered("date", CipherKey(CipherUse::kVersion));
  if (announced == std::to_string(server_stamp)) return;
  run.host.ShowMessage(NewVersionMessage(run.config.homepage));
  run.state.SetEnciphered("date", std::to_string(server_stamp), CipherKey(CipherUse::kVersion));
}

bool RenewCatalogue(UpdateRun& run) {
  const std::string& base = run.config.files;
  const std::string reply = GetText(base + "files/codedata.txt", base);
  if (!IsValidReply(reply)) return false;
  const fs::path path = run.folder.File("codedata.txt");
  const std::optional<Lines> merged = MergeCheckParts(ReadLinesIfPresent(path), SjisToUtf8(reply));
  if (!merged) return false;
  WriteLines(path, *merged);
  return true;
}

bool RenewServerConfig(UpdateRun& run) {
  const std::string& base = run.config.files;
  const std::string reply = GetText(base + "files/net.dat", base);
  if (!IsValidReply(reply)) return false;
  const std::optional<ServerConfig> config = DecodeServerConfig(reply);
  // A configuration that does not decipher would leave the program without a server.
  if (!config) return false;
  WriteBytesAtomically(run.folder.File("net.dat"), reply);
  run.config = *config;
  run.server.ReplaceConfig(*config);
  return true;
}

}  // namespace

bool RefreshComponent(UpdateRun& run, int component, uint32_t server_stamp) {
  const char* const local_names[] = {nullptr, "codedata.txt", "VarnoltSub", "net.dat", "Sub"};
  const uint32_t local_stamp =
      component == 1 ? run.options.program_stamp
                     : FileStamp(run.folder.File(local_names[component - 1])).value_or(0);
  if (local_stamp >= server_stamp) return true;
  switch (component) {
    case 1:
      AnnounceVersion(run, server_stamp);
      return true;
    case 2:
      return RenewCatalogue(run);
    case 3:
      return RenewProgram(run, "VLSub.dat", run.folder.File("VarnoltSub"));
    case 4:
      return RenewServerConfig(run);
    default:
      return RenewProgram(run, "Sub.dat", run.folder.File("Sub"));
  }
}

}  // namespace varnolt
