#pragma once
// The installer's system services for the unattended mode: as on Windows, but the Program Manager
// commands are done here, without the shell (which opens a group's folder in a window): a group is
// a folder of the Start Menu's programs, an icon a shortcut file in the last group made.
#include <string>

#include "installer/win32/SrodowiskoWin32.h"

class TSrodowiskoCiche : public TSrodowiskoWin32 {
 public:
  TSrodowiskoCiche();
  ~TSrodowiskoCiche() override;
  bool ProgManExecute(const std::string& command, bool wait) override;

 private:
  bool UtworzGrupe(const std::string& grupa);
  bool DodajIkone(const std::string& plik, const std::string& tytul);

  std::string grupa_;     // folder of the last group made
  bool com_ = false;      // COM was initialised here
};
