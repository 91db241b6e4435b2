#include "platform/win32/Win32Internal.h"

namespace platform::win32 {
namespace {

class Win32Clock : public Clock {
 public:
  double Now() override {
    SYSTEMTIME st;
    GetLocalTime(&st);
    return LocalSystemTimeToDateTime(st);
  }
  void Sleep(int milliseconds) override { ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0); }
};

}  // namespace

Clock& RealClock() {
  static Win32Clock clock;
  return clock;
}

}  // namespace platform::win32
