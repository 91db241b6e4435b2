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
  // Name of the user this process runs for (GetUserNameW); empty when it cannot be read.
  virtual std::string UserName() = 0;
};

}  // namespace platform
