#include "platform/Platform.h"

#include <cstdio>

#include "base/DateTime.h"

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

std::string Clock::ShortDate(double date) {
  const datetime::Parts p = datetime::Decode(date);
  char text[16];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d", p.day % 100, p.month % 100, p.year % 10000);
  return text;
}

}  // namespace platform
