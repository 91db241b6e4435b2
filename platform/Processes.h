#pragma once
#include <cstdint>
#include <string>

namespace platform {

class Processes {
 public:
  virtual ~Processes() = default;
  // Starts the command line with the window show state (SW_*), waits until it is idle for
  // input (with the busy cursor), releases the handles; 0 or the system error code.
  virtual uint32_t Run(const std::string& commandLine, int showState) = 0;
  // The same, with the program's current folder set to `folder` (empty: this process's own).
  // An implementation that cannot set it starts the program as Run does.
  virtual uint32_t RunIn(const std::string& commandLine, int showState, const std::string& folder) {
    (void)folder;
    return Run(commandLine, showState);
  }
  // Name of the user this process runs for (GetUserNameW); empty when it cannot be read.
  virtual std::string UserName() = 0;
};

}  // namespace platform
