#include "cleanup/Kronika.h"

#include <algorithm>

#include "base/Cp1250.h"
#include "common/Dyskowe.h"
#include "platform/Platform.h"

bool DopiszDoKroniki(const std::string& plikKroniki, const std::string& sciezka) {
  auto& czas = platform::Time();
  return AppendTextLine(plikKroniki, sciezka + "#" + czas.ShortDate(czas.Now()));
}

bool UsunKronike(const std::string& plikKroniki) {
  auto& fs = platform::Fs();
  return plikKroniki.empty() || !fs.FileExists(plikKroniki) || fs.DeleteFile(plikKroniki);
}

std::pair<std::string, std::string> PodzielLinieKroniki(const std::string& linia) {
  const size_t k = linia.rfind('#');
  if (k == std::string::npos) return {linia, std::string()};
  return {linia.substr(0, k), linia.substr(k + 1)};
}

std::string SamaNazwa(const std::string& sciezka) {
  const size_t k = sciezka.find_last_of("\\:");
  return k == std::string::npos ? sciezka : sciezka.substr(k + 1);
}

WidokKroniki ZbudujWidokKroniki(const TStringList& linie, bool pelneSciezki) {
  WidokKroniki w;
  std::string poprzedniaData;
  bool pierwsza = true;
  for (const std::string& linia : linie) {
    auto [sciezka, data] = PodzielLinieKroniki(linia);
    if (!pelneSciezki) sciezka = SamaNazwa(sciezka);
    w.alfabetycznie.push_back(sciezka + "#" + data);
    if (pierwsza || data != poprzedniaData) w.wgDaty.push_back(data);
    pierwsza = false;
    poprzedniaData = data;
    w.wgDaty.push_back("   " + sciezka);
  }
  std::stable_sort(w.alfabetycznie.begin(), w.alfabetycznie.end(),
                   [](const std::string& a, const std::string& b) { return UpperCasePL(a) < UpperCasePL(b); });
  return w;
}

WidokKroniki WczytajKronike(const std::string& plikKroniki, bool pelneSciezki) {
  if (!platform::Fs().FileExists(plikKroniki)) {
    WidokKroniki w;
    w.wgDaty.push_back(kBrakKroniki);
    w.alfabetycznie.push_back(kBrakKroniki);
    return w;
  }
  TrimTextFileToLastLines(plikKroniki, kMaksLiniiKroniki);
  TStringList linie;
  ReadTextLines(plikKroniki, linie);
  return ZbudujWidokKroniki(linie, pelneSciezki);
}

std::string TekstPlikuAlfabetycznie(const std::string& sciezka, bool pelneSciezki, int kolumnaDaty,
                                    const std::function<int(const std::string&)>& szerokosc) {
  std::string tekst = "   " + sciezka;
  if (!pelneSciezki) return tekst;
  int dlugosc = static_cast<int>(utf8::Length(sciezka));
  while (szerokosc(tekst) > kolumnaDaty && dlugosc > 5) {
    dlugosc -= 5;
    tekst = "   " + ShortenPath(sciezka, dlugosc);
  }
  return tekst;
}
