#pragma once
// Program-wide names of Kalmo: the settings key, its value names, the records stored whole in it
// and the data-file names. Records are converted to and from their stored bytes field by field at
// fixed offsets, so the layout never depends on the compiler's packing.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

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
}  // namespace wartosc

inline constexpr const char* kTak = "Tak";
inline constexpr const char* kNie = "Nie";

// Little-endian field access inside a record buffer. Short strings are one length byte followed
// by Windows-1250 characters; the text is UTF-8 on our side. Reads never go past the buffer: a
// length byte larger than the field allows is cut to the field.
namespace bajty {
void PutU8(std::vector<uint8_t>& b, size_t at, uint8_t v);
void PutI32(std::vector<uint8_t>& b, size_t at, int32_t v);
void PutU32(std::vector<uint8_t>& b, size_t at, uint32_t v);
void PutF64(std::vector<uint8_t>& b, size_t at, double v);
// maxChars: the characters the field holds after its length byte; longer text is cut.
void PutShortString(std::vector<uint8_t>& b, size_t at, size_t maxChars, const std::string& utf8);
uint8_t GetU8(const std::vector<uint8_t>& b, size_t at);
int32_t GetI32(const std::vector<uint8_t>& b, size_t at);
uint32_t GetU32(const std::vector<uint8_t>& b, size_t at);
double GetF64(const std::vector<uint8_t>& b, size_t at);
std::string GetShortString(const std::vector<uint8_t>& b, size_t at, size_t maxChars);
// Text cut to at most n characters (code points).
std::string CutToChars(const std::string& utf8, size_t n);
}  // namespace bajty

// One of the three warnings of the warning options.
struct OpcjeJednegoOstrzezenia {
  bool wlaczone = false;
  uint8_t rodzaj = 0;  // 0 message window, 1 flashing icon, 2 sound
  int32_t czestotliwosc = 0;  // minutes
  std::string plikDzwieku;  // up to 250 characters
};

// Value OpcjeOstrzegania.
struct WarningOptions {
  static constexpr size_t kRozmiar = 784;
  OpcjeJednegoOstrzezenia przerwa;      // break due
  OpcjeJednegoOstrzezenia koniecPracy;  // end of work
  OpcjeJednegoOstrzezenia koniecPrzerwy;  // end of break (its frequency does not pace warnings)
  bool wylaczWygaszaczWPrzerwie = false;  // switch the system screen saver off during a break

  static WarningOptions PierwszeUruchomienie();
  std::vector<uint8_t> ToBytes() const;
  // Bytes shorter than the record read as zero beyond their end.
  static WarningOptions FromBytes(const std::vector<uint8_t>& b);
};

// Value OpcjePlikowTymczasowych.
struct OpcjePlikowTymczasowych {
  static constexpr size_t kRozmiar = 12;
  bool usuwanie = false;  // deletion of temporary files on
  bool kronika = false;   // keep a chronicle of deleted files
  double ostatnieCzyszczenie = 0;  // date of the last cleanup, 0 = never

  static OpcjePlikowTymczasowych PierwszeUruchomienie();
  std::vector<uint8_t> ToBytes() const;
  static OpcjePlikowTymczasowych FromBytes(const std::vector<uint8_t>& b);
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
  std::vector<uint8_t> ToBytes() const;
  static OpcjeSchowka FromBytes(const std::vector<uint8_t>& b);
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
// The same for the logon user of this session (DajNazweUzytkownika).
PlikiDanych UtworzNazwyPlikow(const std::string& folder);

// Folder part of a path, without a trailing backslash.
std::string FolderZeSciezki(const std::string& path);
