#pragma once
// Program-wide names of Kalmo: the settings key, its value names, the records stored whole in it
// and the data-file names. Each record states its byte layout once (Uklad), which serves writing
// and reading alike, so the layout never depends on the compiler's packing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "common/Bajty.h"

// The settings key under HKEY_CURRENT_USER.
inline constexpr const char* kKluczKalmo = "\\Software\\Meltrax Software\\Kalmo\\2.0";

// Value names of the settings key.
namespace wartosc {
inline constexpr const char* TodayInfo = "TodayInfo";
inline constexpr const char* Ustawienia = "Ustawienia";
inline constexpr const char* OpcjeOstrzegania = "OpcjeOstrzegania";
inline constexpr const char* OpcjeSchowka = "OpcjeSchowka";
inline constexpr const char* OpcjePlikowTymczasowych = "OpcjePlikowTymczasowych";
inline constexpr const char* OpcjeStatystyki = "OpcjeStatystyki";
inline constexpr const char* Aktywnosc3D = "Aktywnosc3D";
inline constexpr const char* ZnakiFiltrujace = "ZnakiFiltrujace";
inline constexpr const char* LewyAlt = "LewyAlt";
inline constexpr const char* PauseKey = "PauseKey";
inline constexpr const char* RejestracjaPolaczen = "RejestracjaPolaczen";
inline constexpr const char* CenaPolaczeniaModemowego = "CenaPolaczeniaModemowego";
// Hang-up time of the last dial-up connection added to the archive (date-time as text).
inline constexpr const char* OstatniePolaczenieModemowe = "OstatniePolaczenieModemowe";
// Seconds without input that start a natural break (REG_DWORD, 0 = off).
inline constexpr const char* CzasBezczynnosci = "CzasBezczynnosci";
inline constexpr int32_t kCzasBezczynnosciDomyslny = 300;
// End of a pause of the reminders: a local date-time as a double (REG_BINARY, 8 bytes).
inline constexpr const char* WstrzymaneDo = "WstrzymaneDo";
// Programs in front of which a due reminder waits: executable names joined with "#" (REG_SZ).
inline constexpr const char* ProgramyBezPrzerw = "ProgramyBezPrzerw";
// The longest wait of a due reminder in minutes (REG_DWORD, 0 = never wait).
inline constexpr const char* MaksOdlozenie = "MaksOdlozenie";
inline constexpr int32_t kMaksOdlozenieDomyslne = 30;
inline constexpr int32_t kMaksOdlozenieNajwiecej = 240;
}  // namespace wartosc

inline constexpr const char* kTak = "Tak";
inline constexpr const char* kNie = "Nie";


// One of the three warnings of the warning options.
struct OpcjeJednegoOstrzezenia {
  bool wlaczone = false;
  uint8_t rodzaj = 0;  // 0 message window, 1 flashing icon, 2 sound
  int32_t czestotliwosc = 0;  // minutes
  std::string plikDzwieku;  // up to 250 characters

  static constexpr size_t kRozmiar = 260;
  template <class P, class R>
  static void Uklad(P& p, size_t at, R& r) {
    p(at, r.wlaczone);
    p(at + 1, r.rodzaj);
    p(at + 4, r.czestotliwosc);
    p.Tekst(at + 8, 250, r.plikDzwieku);
  }
};

// Value OpcjeOstrzegania.
struct WarningOptions {
  static constexpr size_t kRozmiar = 784;
  OpcjeJednegoOstrzezenia przerwa;      // break due
  OpcjeJednegoOstrzezenia koniecPracy;  // end of work
  OpcjeJednegoOstrzezenia koniecPrzerwy;  // end of break (its frequency does not pace warnings)
  bool wylaczWygaszaczWPrzerwie = false;  // switch the system screen saver off during a break

  static WarningOptions PierwszeUruchomienie();
  template <class P, class R>
  static void Uklad(P& p, R& r) {
    OpcjeJednegoOstrzezenia::Uklad(p, 0, r.przerwa);
    OpcjeJednegoOstrzezenia::Uklad(p, 260, r.koniecPracy);
    OpcjeJednegoOstrzezenia::Uklad(p, 520, r.koniecPrzerwy);
    p(780, r.wylaczWygaszaczWPrzerwie);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  // Bytes shorter than the record read as zero beyond their end.
  static WarningOptions FromBytes(const std::vector<uint8_t>& b) { return bajty::Odczytaj<WarningOptions>(b); }
};

// Value OpcjePlikowTymczasowych.
struct OpcjePlikowTymczasowych {
  static constexpr size_t kRozmiar = 12;
  bool usuwanie = false;  // deletion of temporary files on
  bool kronika = false;   // keep a chronicle of deleted files
  double ostatnieCzyszczenie = 0;  // date of the last cleanup, 0 = never

  static OpcjePlikowTymczasowych PierwszeUruchomienie();
  template <class P, class R>
  static void Uklad(P& p, R& r) {
    p(0, r.usuwanie);
    p(1, r.kronika);
    p(4, r.ostatnieCzyszczenie);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  static OpcjePlikowTymczasowych FromBytes(const std::vector<uint8_t>& b) {
    return bajty::Odczytaj<OpcjePlikowTymczasowych>(b);
  }
};

// Value OpcjeSchowka.
struct OpcjeSchowka {
  static constexpr size_t kRozmiar = 84;
  enum : uint8_t { StylPogrubiona = 1, StylKursywa = 2, StylPodkreslona = 4, StylPrzekreslona = 8 };
  std::string czcionka;  // up to 50 characters
  int32_t rozmiarCzcionki = 0;
  uint8_t styl = 0;
  uint32_t kolorCzcionki = 0;
  int32_t wysokosc = 0;
  int32_t szerokosc = 0;
  int32_t buforKB = 0;
  bool aktywny = false;
  uint32_t kolorTla = 0;

  // The first run makes the history active: a user who binds the clipboard hotkey expects it to
  // hold what was copied, and the options page shows the box ticked from the start.
  static OpcjeSchowka PierwszeUruchomienie();
  template <class P, class R>
  static void Uklad(P& p, R& r) {
    p.Tekst(0, 50, r.czcionka);
    p(52, r.rozmiarCzcionki);
    p(56, r.styl);
    p(60, r.kolorCzcionki);
    p(64, r.wysokosc);
    p(68, r.szerokosc);
    p(72, r.buforKB);
    p(76, r.aktywny);
    p(80, r.kolorTla);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  static OpcjeSchowka FromBytes(const std::vector<uint8_t>& b) { return bajty::Odczytaj<OpcjeSchowka>(b); }
};

// Value TodayInfo.
struct TodayRecord {
  static constexpr size_t kRozmiar = 316;
  static constexpr int kSloty = 288;
  enum : uint8_t { SlotPraca = 0, SlotPrzerwa = 1, SlotBrakDanych = 2 };
  int32_t caMonitorowania = 0;
  int32_t caNieprzerwanejPracy = 0;
  int32_t caPrzerwy = 0;
  int32_t caPraca = 0;
  int32_t caPrzerwDzis = 0;
  double dtZapisu = 0;  // work-day time of the last save
  std::array<uint8_t, kSloty> Aktywnosc{};  // slot n (1..288) at index n-1

  template <class P, class R>
  static void Uklad(P& p, R& r) {
    p(0, r.caMonitorowania);
    p(4, r.caNieprzerwanejPracy);
    p(8, r.caPrzerwy);
    p(12, r.caPraca);
    p(16, r.caPrzerwDzis);
    p(20, r.dtZapisu);
    for (int i = 0; i < kSloty; ++i) p(28 + i, r.Aktywnosc[i]);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  // Slots hold only 0, 1 or 2; anything else read back counts as no data.
  static TodayRecord FromBytes(const std::vector<uint8_t>& b);
};

// Value Ustawienia.
struct LimitsRecord {
  static constexpr size_t kRozmiar = 284;
  static constexpr size_t kMaxProgramy = 250;
  int32_t caDziennyLimit = 0;
  int32_t caPracyDoPrzerwy = 0;
  int32_t caDlugoscPrzerwy = 0;
  int32_t CzestotliwoscMonitorowania = 0;
  int32_t CzestotliwoscZapisywania = 0;
  int32_t GodzinaPrzelaczenia = 0;
  std::string Programy;  // "#"-separated program names
  int32_t CzasPytania = 0;
  int32_t PrzerwaAwaryjna = 0;

  static LimitsRecord Domyslne();  // 21600, 2700, 900, 10, 120, 4, "", 10, 300
  template <class P, class R>
  static void Uklad(P& p, R& r) {
    p(0, r.caDziennyLimit);
    p(4, r.caPracyDoPrzerwy);
    p(8, r.caDlugoscPrzerwy);
    p(12, r.CzestotliwoscMonitorowania);
    p(16, r.CzestotliwoscZapisywania);
    p(20, r.GodzinaPrzelaczenia);
    p.Tekst(24, kMaxProgramy, r.Programy);
    p(276, r.CzasPytania);
    p(280, r.PrzerwaAwaryjna);
  }
  std::vector<uint8_t> ToBytes() const { return bajty::Zapisz(*this); }
  static LimitsRecord FromBytes(const std::vector<uint8_t>& b) { return bajty::Odczytaj<LimitsRecord>(b); }
};

// The seven data files of the program folder, named per logon user.
struct PlikiDanych {
  std::string archiwum;        // "_arch.dat"
  std::string dokumenty;       // "_dok.dat"
  std::string goraceKlawisze;  // "_hotkey.dat"
  std::string zastrzezone;     // "_zast.dat"
  std::string plikiTymczasowe; // "_pltym.dat"
  std::string kronika;         // "_kronup.dat"
  std::string skroty;          // "_skroty.dat"
};

// Names for the folder and user ("All" when the user name is empty).
PlikiDanych UtworzNazwyPlikow(const std::string& folder, const std::string& uzytkownik);
// The user the data files of this session are named after: the user name under Network\Logon
// where Windows keeps one there, otherwise the logon user's own name; empty when neither is known.
std::string NazwaUzytkownikaPlikow();
// The same for the user of this session (NazwaUzytkownikaPlikow), as Kalmo opens them. Users may
// create files in the program folder, so a data file of this user's name that another user owns
// was put there by that user (or taken over): it is reported once and left alone, read and
// written by nobody, and this session keeps that file's data in a fresh file of its own in the
// user's temporary folder instead, starting from first-run values.
PlikiDanych UtworzNazwyPlikow(const std::string& folder);
// The file exists and another user owns it.
bool PlikInnegoUzytkownika(const std::string& plik);

// Folder part of a path, without a trailing backslash.
std::string FolderZeSciezki(const std::string& path);
