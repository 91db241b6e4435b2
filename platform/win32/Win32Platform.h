#pragma once
// The real platform services over Win32. Each implementation is one static instance; the caller
// supplies the dialogs (the programs pass their real dialogs, the Windows tests a recording one).
#include <string>

#include "platform/Platform.h"

namespace platform::win32 {

Services RealServices(Dialogs* dialogs);

// UTF-8 <-> UTF-16 at the boundary of the W functions.
std::wstring Widen(const std::string& text);
std::string Narrow(const std::wstring& text);
std::string Narrow(const wchar_t* text, size_t length);

}  // namespace platform::win32
