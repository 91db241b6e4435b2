#include "settings/Globalne.h"

#include "base/Cp1250.h"
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

PlikiDanych UtworzNazwyPlikow(const std::string& folder) {
  return UtworzNazwyPlikow(folder, NazwaUzytkownikaPlikow());
}

std::string FolderZeSciezki(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}
