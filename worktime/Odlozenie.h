#pragma once
// Deferral of warnings: while the person presents, is in a call, uses a full-screen program or a
// program of the list, a due reminder waits, at most MaksOdlozenie minutes, and comes as soon as
// the moment ends. The signals are read only when a warning is due.
#include <cstdint>
#include <optional>
#include <string>

#include "common/Tekstowe.h"
#include "platform/Desktop.h"

// The window in front covers its whole monitor: a borderless window at the monitor's rectangle
// (or a frameless one beyond it). A maximised window with a frame overhangs its monitor and never
// counts; neither do the desktop and the task bar.
bool ZaslaniaMonitor(const platform::ForegroundWindow& okno);

// The shell's state as a reason: "prezentacja" for presentation mode, "pełny ekran" for a
// full-screen application, game or immersive application; empty otherwise.
std::string PowodStanuPowloki(platform::NotificationState stan);

// The listed program a file name belongs to, as listed: letter case ignored, ".exe" may be left
// out of the list ("powerpnt" names "POWERPNT.EXE"). Empty when none.
std::string ProgramZListy(const std::string& plik, const TStringList& lista);

// The registry key under HKEY_CURRENT_USER where the system records which programs use the
// microphone (packaged ones, and the others under its "NonPackaged" key).
inline constexpr const char* kKluczMikrofonu =
    "Software\\Microsoft\\Windows\\CurrentVersion\\CapabilityAccessManager\\ConsentStore\\microphone";
// Whether a program uses the microphone now: one of its keys has LastUsedTimeStart other than 0
// and LastUsedTimeStop 0. No key is no use; nullopt when a key that is there cannot be read (a
// key that does not open, a time stamp that is no 64-bit number).
std::optional<bool> MikrofonWUzyciu();

// "Przerwa odłożona: prezentacja"
std::string TekstOdlozenia(const std::string& powod);

// The deferral of the warnings, one at a time.
class TOdlozenie {
 public:
  // A warning is due at `teraz`: true while it is to wait. Reads the signals unless deferring is
  // off (maksMinut 0) or the deferral has lasted its maximum, which ends it: the warning comes
  // then, and the next due warning may wait anew.
  bool Czekaj(double teraz, int32_t maksMinut, const TStringList& programy);
  void Zakoncz();
  // Reads the signals in order (the shell's state, the microphone, the listed program in front, a
  // full-screen window in front) and gives the reason of the first one found, as the tray hint
  // names it; nullopt when nothing is in the way. An unreadable microphone key is no signal and
  // is reported once.
  std::optional<std::string> CzytajSygnaly(const TStringList& programy);
  bool Trwa() const { return od_ > 0; }
  const std::string& Powod() const { return powod_; }
  double Od() const { return od_; }

 private:
  double od_ = 0;  // when the waiting warning was first held; 0 while none waits
  std::string powod_;
  bool mikrofonZgloszony_ = false;
};
