#include "installer/Glowny.h"

#include <cstdio>

#include "common/Dyskowe.h"

WolneMiejsce WolneMiejscePoZmianie(const std::string& sciezkaDocelowa, double wymaganeMiejsce) {
  WolneMiejsce wynik;
  const char litera = sciezkaDocelowa.empty() ? 'C' : sciezkaDocelowa[0];
  const double wolne = FreeMBDiscSpace(litera);
  char bufor[64];
  std::snprintf(bufor, sizeof bufor, "%.1f M,B", wolne);
  wynik.tekst = bufor;
  wynik.brak = wolne < wymaganeMiejsce;
  return wynik;
}
