#include "base/DateTime.h"
#include "platform/win32/Win32Internal.h"
#include "platform/win32/Win32Platform.h"

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
  std::string ShortDate(double date) override {
    const datetime::Parts p = datetime::Decode(date);
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(p.year);
    st.wMonth = static_cast<WORD>(p.month);
    st.wDay = static_cast<WORD>(p.day);
    wchar_t text[80];
    int n = GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, text, 80);
    if (n <= 1) return Clock::ShortDate(date);
    return Narrow(text, n - 1);
  }
};

}  // namespace

Clock& RealClock() {
  static Win32Clock clock;
  return clock;
}

}  // namespace platform::win32
