#pragma once
// Diagnostic log. While logging is on, every call appends one line
// "category#message#date time" to the log file of the program folder.
#include <string>

class TDebugger {
 public:
  TDebugger();  // logging on, no file yet
  // The log file becomes folder + "\debugg.obj"; a file left by an earlier run is deleted.
  void UstawFolder(const std::string& folder);
  void Wylacz();
  bool Wlaczony() const { return wlaczony_; }
  const std::string& Plik() const { return plik_; }
  void Log(const std::string& kategoria, const std::string& komunikat);

 private:
  bool wlaczony_ = true;
  std::string plik_;
};
