#include "platform/win32/Win32Platform.h"

#include "base/DateTime.h"
#include "platform/win32/Win32Internal.h"

namespace platform::win32 {

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Narrow(const wchar_t* text, size_t length) {
  if (length == 0) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr, nullptr);
  return out;
}

std::string Narrow(const std::wstring& text) { return Narrow(text.data(), text.size()); }

double LocalSystemTimeToDateTime(const SYSTEMTIME& st) {
  return datetime::Encode(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, st.wMilliseconds);
}

double FileTimeToLocalDateTime(const FILETIME& ft) {
  SYSTEMTIME utc, local;
  if (!FileTimeToSystemTime(&ft, &utc)) return 0;
  // The time zone rules of the file's own date (summer or winter time), not today's offset.
  if (!SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) return 0;
  return LocalSystemTimeToDateTime(local);
}

Services RealServices(Dialogs* dialogs) {
  Services s;
  s.registry = &RealRegistry();
  s.clock = &RealClock();
  s.desktop = &RealDesktop();
  s.files = &RealFiles();
  s.processes = &RealProcesses();
  s.dialogs = dialogs;
  return s;
}

}  // namespace platform::win32
