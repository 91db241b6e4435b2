#pragma once
// Texts of the installer's main window that the window computes itself.
#include <string>

// Free space of the destination's drive after the destination changed.
struct WolneMiejsce {
  std::string tekst;   // one decimal, then " M,B"
  bool brak = false;   // painted red: smaller than the required space
};
WolneMiejsce WolneMiejscePoZmianie(const std::string& sciezkaDocelowa, double wymaganeMiejsce);
