#pragma once
// Clock seam. Times are date-time doubles: days since 30 December 1899, fraction = time of day,
// in local time.
namespace platform {

class Clock {
 public:
  virtual ~Clock() = default;
  virtual double Now() = 0;
  // The main thread sleeps (the screen-saver handler waits one second).
  virtual void Sleep(int milliseconds) = 0;
};

}  // namespace platform
