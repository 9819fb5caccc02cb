#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "acquisition/update_host.h"

extern char** environ;

namespace varnolt {

bool StartDetachedProgram(const std::filesystem::path& program,
                          const std::filesystem::path& working_folder) {
  // A child that forks the program and ends at once, so the program is never left as a zombie
  // of ours and outlives us like a program started from the desktop.
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    if (chdir(working_folder.c_str()) != 0) _exit(1);
    const int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
    }
    setsid();
    posix_spawn_file_actions_t* no_actions = nullptr;
    pid_t grandchild = 0;
    const std::string path = program.string();
    char* const argv[] = {const_cast<char*>(path.c_str()), nullptr};
    _exit(posix_spawn(&grandchild, path.c_str(), no_actions, nullptr, argv, environ) == 0 ? 0 : 1);
  }
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return false;
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace varnolt
