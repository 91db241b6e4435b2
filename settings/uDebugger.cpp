#include "settings/uDebugger.h"

#include <cstdio>

#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "platform/Platform.h"

TDebugger::TDebugger() = default;

void TDebugger::UstawFolder(const std::string& folder) {
  plik_ = platform::JoinPath(folder, "debugg.obj");
  if (platform::Fs().FileExists(plik_)) platform::Fs().DeleteFile(plik_);
}

void TDebugger::Wylacz() { wlaczony_ = false; }

void TDebugger::Log(const std::string& kategoria, const std::string& komunikat) {
  if (!wlaczony_ || plik_.empty()) return;
  const datetime::Parts t = datetime::Decode(platform::Time().Now());
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute,
                t.second);
  // A diagnostic line that cannot be written is not worth interrupting the user for.
  platform::Fs().AppendFile(plik_, cp1250::FromUtf8(kategoria + "#" + komunikat + "#" + stamp) + "\r\n");
}
