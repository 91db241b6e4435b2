#include "platform/Platform.h"

namespace platform {

Services& Current() {
  static Services services;
  return services;
}

Services Install(const Services& services) {
  Services previous = Current();
  Current() = services;
  return previous;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
  if (dir.empty()) return name;
  if (dir.back() == '\\') return dir + name;
  return dir + "\\" + name;
}

}  // namespace platform
