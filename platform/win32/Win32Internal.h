#pragma once
// Shared between the Win32 implementations of the platform seams; not for other code.
#include <windows.h>

#include <string>

#include "platform/Platform.h"

namespace platform::win32 {

Registry& RealRegistry();
Clock& RealClock();
Desktop& RealDesktop();
Files& RealFiles();
Processes& RealProcesses();

// Local date-time double of a SYSTEMTIME (already local) and of a UTC FILETIME.
double LocalSystemTimeToDateTime(const SYSTEMTIME& st);
double FileTimeToLocalDateTime(const FILETIME& ft);

}  // namespace platform::win32
