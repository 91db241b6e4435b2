#include "settings/Globalne.h"

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/WinTools.h"
#include "platform/Platform.h"

WarningOptions WarningOptions::PierwszeUruchomienie() {
  WarningOptions o;
  o.przerwa = {true, 0, 5, ""};
  o.koniecPracy = {true, 0, 5, ""};
  o.koniecPrzerwy = {false, 0, 1, ""};
  o.wylaczWygaszaczWPrzerwie = true;
  return o;
}

OpcjePlikowTymczasowych OpcjePlikowTymczasowych::PierwszeUruchomienie() {
  OpcjePlikowTymczasowych o;
  o.usuwanie = true;
  o.kronika = true;
  o.ostatnieCzyszczenie = 0;
  return o;
}

OpcjeSchowka OpcjeSchowka::PierwszeUruchomienie() {
  OpcjeSchowka o;
  o.czcionka = "MS Sans Serif";
  o.rozmiarCzcionki = 8;
  o.styl = 0;
  o.kolorCzcionki = 0;
  o.wysokosc = 100;
  o.szerokosc = 367;
  o.buforKB = 10;
  o.aktywny = true;
  o.kolorTla = 0xFFFFFF;
  return o;
}

TodayRecord TodayRecord::FromBytes(const std::vector<uint8_t>& b) {
  TodayRecord r = bajty::Odczytaj<TodayRecord>(b);
  for (uint8_t& v : r.Aktywnosc)
    if (v > SlotBrakDanych) v = SlotBrakDanych;
  return r;
}

LimitsRecord LimitsRecord::Domyslne() {
  LimitsRecord l;
  l.caDziennyLimit = 21600;
  l.caPracyDoPrzerwy = 2700;
  l.caDlugoscPrzerwy = 900;
  l.CzestotliwoscMonitorowania = 10;
  l.CzestotliwoscZapisywania = 120;
  l.GodzinaPrzelaczenia = 4;
  l.Programy = "";
  l.CzasPytania = 10;
  l.PrzerwaAwaryjna = 300;
  return l;
}

PlikiDanych UtworzNazwyPlikow(const std::string& folder, const std::string& uzytkownik) {
  const std::string prefix = platform::JoinPath(folder, uzytkownik.empty() ? "All" : uzytkownik);
  PlikiDanych p;
  p.archiwum = prefix + "_arch.dat";
  p.dokumenty = prefix + "_dok.dat";
  p.goraceKlawisze = prefix + "_hotkey.dat";
  p.zastrzezone = prefix + "_zast.dat";
  p.plikiTymczasowe = prefix + "_pltym.dat";
  p.kronika = prefix + "_kronup.dat";
  p.skroty = prefix + "_skroty.dat";
  return p;
}

std::string NazwaUzytkownikaPlikow() {
  // Only the old family of Windows names the user under Network\Logon. Elsewhere the key is
  // missing ("Unknown" for everyone) or empty, and each user keeps their own files under the
  // name they logged on with.
  if (platform::Reg().KeyExists(platform::Root::LocalMachine, "Network\\Logon")) {
    const std::string nazwa = DajNazweUzytkownika();
    if (!nazwa.empty()) return nazwa;
  }
  return platform::Procs().UserName();
}

bool PlikInnegoUzytkownika(const std::string& plik) {
  auto& fs = platform::Fs();
  return !plik.empty() && fs.FileExists(plik) && fs.OwnerOf(plik) == platform::FileOwner::OtherUser;
}

PlikiDanych UtworzNazwyPlikow(const std::string& folder) {
  const std::string uzytkownik = NazwaUzytkownikaPlikow();
  PlikiDanych pliki = UtworzNazwyPlikow(folder, uzytkownik);
  auto& fs = platform::Fs();
  const std::optional<std::string> temp = fs.TempDirectory();
  std::string obce;
  for (std::string* plik : {&pliki.archiwum, &pliki.dokumenty, &pliki.goraceKlawisze, &pliki.zastrzezone,
                            &pliki.plikiTymczasowe, &pliki.kronika, &pliki.skroty}) {
    if (!PlikInnegoUzytkownika(*plik)) continue;
    // The stand-in starts empty each session: what another user wrote is never read.
    const std::string nazwa = plik->substr(plik->find_last_of('\\') + 1);
    obce += (obce.empty() ? "" : ", ") + nazwa;
    const std::string zastepczy = temp ? platform::JoinPath(*temp, "Kalmo-" + nazwa) : std::string();
    if (!zastepczy.empty() && fs.FileExists(zastepczy)) fs.DeleteFile(zastepczy);
    *plik = zastepczy;
  }
  if (!obce.empty())
    Komunikat("Pliki danych Kalmo w katalogu " + folder + " należą do innego użytkownika: " + obce +
                  ". Kalmo nie odczyta ich ani nie zmieni; do końca tej sesji pracuje dla nich na ustawieniach "
                  "początkowych. Poproś administratora o usunięcie tych plików.",
              rkOstrzezenie);
  return pliki;
}

std::string FolderZeSciezki(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}
