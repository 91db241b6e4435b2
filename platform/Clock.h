#pragma once
// Clock seam. Times are date-time doubles: days since 30 December 1899, fraction = time of day,
// in local time.
#include <string>

namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() = 0;
  // The main thread sleeps (the screen-saver handler waits one second).
  virtual void Sleep(int milliseconds) = 0;
  // The date part in the user's short date format; "DD.MM.YYYY" where no regional settings exist.
  virtual std::string ShortDate(double date);
};

}  // namespace platform
