#pragma once
// The installer's script interpreter: the installation state, the script "install.cfg", its
// commands and the run that executes it line by line. The run reaches the operating system
// through the platform seam and through two interfaces of its own: InstalatorSrodowisko (what only
// the installer needs from the system) and InstalatorOkna (the installer's windows).
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Tekstowe.h"
#include "installer/Granice.h"
#include "platform/Files.h"
#include "platform/Registry.h"

// Marker of a value the script has not given; compared literally.
inline constexpr const char* kNieokreslone = "undefined";

// Process-wide state of one installation.
struct TStanInstalacji {
  std::string katalogZrodlowy;              // distribution directory, no trailing backslash ("A:")
  std::string katalogTymczasowy;            // private staging folder of this run, empty until made
  std::string sciezkaDocelowa = kNieokreslone;
  std::string nazwaGrupy = kNieokreslone;
  std::string grupaSkryptu;                 // the script's group when the user renamed it in the
  std::string grupaUzytkownika;             // main window, and the user's name (else both empty)
  std::string nazwaProgramu = kNieokreslone;
  double wymaganeMiejsce = -1;              // megabytes; -1 = not given
  TStringList linie;                        // kept script lines
  TStringList zainstalowanePliki;           // staged target names, in order (duplicates kept)
  bool pokazanyPostep = false;              // the progress window is shown
  bool przerwij = false;                    // the user asked to abort (progress window)
};

// Bits of the version library's install result and its install flag (the platform's values).
enum : uint32_t {
  kVifTempFile = 0x00000001,
  kVifMismatch = 0x00000002,
  kVifSrcOld = 0x00000004,
  kVifDiffLang = 0x00000008,
  kVifDiffCodePage = 0x00000010,
  kVifDiffType = 0x00000020,
  kVifWriteProt = 0x00000040,
  kVifFileInUse = 0x00000080,
  kVifOutOfSpace = 0x00000100,
  kVifAccessViolation = 0x00000200,
  kVifSharingViolation = 0x00000400,
  kVifCannotCreate = 0x00000800,
  kVifCannotDelete = 0x00001000,
  kVifCannotRename = 0x00002000,
  kVifCannotDeleteCur = 0x00004000,
  kVifOutOfMemory = 0x00008000,
  kVifCannotReadSrc = 0x00010000,
  kVifCannotReadDst = 0x00020000,
  kVifBuffTooSmall = 0x00040000,
  kViffForceInstall = 0x0001,
};

// What only the installer needs from the operating system. The Win32 implementation is
// installer/win32/SrodowiskoWin32.h; native tests use a fake.
class InstalatorSrodowisko {
 public:
  virtual ~InstalatorSrodowisko() = default;

  // Current directory without a trailing backslash ("A:", "C:\Dystrybucja").
  virtual std::string KatalogBiezacy() = 0;

  // Version string of a file from its "\StringFileInfo\040904E4" table (see FileVersion).
  virtual std::string FileVersion(const std::string& path) = 0;
  // One call of the version library's file installer. Directories end with "\". tempFile
  // receives the name of the temporary file the service left (meaningful with kVifTempFile).
  virtual uint32_t WywolajVerInstallFile(uint32_t flags, const std::string& sourceName,
                                         const std::string& destName, const std::string& sourceDir,
                                         const std::string& destDir, std::string& tempFile) = 0;

  // One execute request to the Program Manager service (the command ends with CR LF).
  // wait: wait for the execution to complete. False when the link or the execution fails.
  virtual bool ProgManExecute(const std::string& command, bool wait) = 0;

  // key = value in [section] of the ini file (full path).
  virtual bool ZapiszDoIni(const std::string& file, const std::string& section, const std::string& key,
                           const std::string& value) = 0;
};

enum class WynikOknaGlownego { Instaluj, Anuluj };

// What the main window shows (texts already formatted).
struct DaneOknaGlownego {
  std::string nazwaProgramu;
  std::string nazwaGrupy;
  bool grupaDostepna = true;       // false: group caption, panel and "Zmień..." disabled, name hidden
  std::string sciezkaDocelowa;
  std::string wymaganeMiejsce;     // "2.5 MB"
  std::string dostepneMiejsce;     // free space of the destination's drive (C: when none), "812.3 MB"
  bool brakMiejsca = false;        // free space painted red
  std::string ikona;               // source directory "\icon.ico" when it exists, else empty
  std::string licencja;            // source directory "\Licencja.txt" when it exists, else empty
  // "Instaluj" (or closing) goes on only when this gives no message for the chosen destination;
  // otherwise the window shows the message and stays open for another folder.
  std::function<std::string(const std::string& sciezkaDocelowa)> sprawdzKatalog;
};

// The installer's windows, as the run drives them (Win32: installer/win32, helper windows).
class InstalatorOkna {
 public:
  virtual ~InstalatorOkna() = default;

  // Start window "Instalacja..." ("Rozpoczynam instalacje programu...").
  virtual void PokazOknoStartowe() = 0;
  virtual void ZamknijOknoStartowe() = 0;

  // Main window, modal. The window may change stan.sciezkaDocelowa and stan.nazwaGrupy
  // ("Zmień..." buttons). "Anuluj" gives Anuluj; "Instaluj" or closing gives Instaluj.
  virtual WynikOknaGlownego PokazOknoGlowne(TStanInstalacji& stan, const DaneOknaGlownego& dane) = 0;

  // Progress window "Instalacja w toku..." with the gauge from 0 to maksimum. Its button
  // "Przerwij Instalacje" asks the question and sets stan.przerwij on "Tak".
  virtual void PokazPostep(TStanInstalacji& stan, int maksimum) = 0;
  virtual void UstawPostep(int pozycja) = 0;
  // The file being installed and the (lower-cased) staging path of its target.
  virtual void PokazPlik(const std::string& zrodlowy, const std::string& docelowy) = 0;
  // A note under the gauge (a newer installed file that is kept).
  virtual void PokazUwage(const std::string& tekst) = 0;
  virtual void ZamknijPostep() = 0;

  // Lets the window system deliver pending messages (between script lines).
  virtual void ObsluzKomunikaty() = 0;
};

// Result of the whole run (the process exit code).
enum WynikInstalacji : int {
  wiSukces = 0,
  wiNiepowodzenie = 1,   // a failed line, an abort, a script that cannot be read or lacks "final"
  wiAnulowano = 2,       // "Anuluj" in the main window
  wiWyjatek = 3,         // an exception escaped a command
};

class TInstalator {
 public:
  TInstalator(InstalatorSrodowisko& srodowisko, InstalatorOkna& okna);
  ~TInstalator();
  TInstalator(const TInstalator&) = delete;
  TInstalator& operator=(const TInstalator&) = delete;

  // The whole install run: start window, script, lines, final message. The caller ends the process
  // with the result.
  WynikInstalacji Uruchom();

  // Initial state: source directory = current directory; no staging folder yet.
  void UstawStanPoczatkowy();
  // Makes the run's own staging folder, fresh and empty, inside the temporary directory: only its
  // creator may use it and its name cannot be guessed. False (after its message) when there is no
  // usable temporary directory. Called before any file is staged; the folder goes with everything
  // in it when the run ends (also when the process is ended from a dialog, see
  // UsunKatalogTymczasowyPrzerwanegoPrzebiegu).
  bool PrzygotujKatalogTymczasowy();
  void UsunKatalogTymczasowy();
  // Reads and filters the script of the source directory into stan().linie; false (after its
  // message) when it is missing or unreadable.
  bool WczytajSkrypt();
  // Executes one kept line; false when it failed. Anuluj in the main window is reported through
  // anulowano().
  bool WykonajLinie(const std::string& linia);

  TStanInstalacji& stan() { return stan_; }
  bool anulowano() const { return anulowano_; }

  // The commands (arguments already taken from the line, spaced ones not yet converted).
  bool RozkazGroup(const std::string& nazwa);
  bool RozkazSpace(const std::string& megabajty);
  bool RozkazDestPath(const std::string& sciezka);
  bool RozkazShow();
  bool RozkazMkDir(const std::string& nazwa);
  bool RozkazMkDestDir();
  bool RozkazFile(const std::string& nazwaZrodlowa, const std::string& rozszerzenie);
  bool RozkazDisk(const std::string& numer);
  bool RozkazCreateGroup();
  bool RozkazCreateProgManItem(const std::string& polozenie, const std::string& plik, const std::string& tytul);
  bool RozkazAddToIniFile(const std::string& plik, const std::string& sekcja, const std::string& klucz,
                          const std::string& wartosc);
  bool RozkazFinal();
  bool RozkazProgramName(const std::string& nazwa);
  bool RozkazRun(const std::string& plik);
  bool RozkazUninstall();

 private:
  // Deletes the staged files, shows the numbered error's message (rkStop); always false.
  bool Blad(int numer, const std::string& dodatek = std::string());
  // The staging folder's final path, when it is still the folder that was made.
  std::optional<std::string> KoncowyKatalogTymczasowy() const;
  // The destination may take the program's files: checked at "show" or else at "final" (once per
  // destination); false after the message that says why not.
  bool KatalogDocelowyPrzyjety();
  // Gives an existing destination the program folder's access list; false after error 25 or 26.
  bool ZabezpieczKatalogDocelowy();
  // Holds an existing destination (trzymany stays empty when it does not exist yet); false after
  // error 26 when it is a link or leads through one.
  bool TrzymajKatalogDocelowy(std::unique_ptr<platform::HeldFolder>& trzymany);
  // Full path of the program "run" may start, or empty when it may not.
  std::string ProgramDoUruchomienia(const std::string& plik) const;
  void UsunPlikiTymczasowe();
  // After a file was staged: when the destination already holds it in a newer version, the
  // staged copy is dropped (and the progress says so), so that the installed one stays.
  void ZachowajNowszyZainstalowany(const std::string& nazwaDocelowa);
  std::string KatalogWgPolozenia(const std::string& polozenie) const;

  InstalatorSrodowisko& srodowisko_;
  InstalatorOkna& okna_;
  TStanInstalacji stan_;
  bool anulowano_ = false;
  std::string katalogPrzyjety_;  // canonical destination already checked in this run
};

// Removes the staging folder of the run in progress, if any: for the moment the process is ended
// from inside a dialog ("Zatrzymaj porgram" of the error dialog), when no destructor runs.
void UsunKatalogTymczasowyPrzerwanegoPrzebiegu();

// Texts of the numbered command errors (without the appended argument).
std::string TekstBledu(int numer);

// Script lines kept for execution: trimmed, tabs as spaces, no empty or comment lines.
TStringList FiltrujLinieSkryptu(const TStringList& surowe);
// True when some kept line is "final" (letter case ignored).
bool MaRozkazFinal(const TStringList& linie);

// Megabytes with one decimal and a point, then " MB" ("2.5 MB").
std::string TekstMegabajtow(double megabajty);
// The "space" argument read with the comma as the decimal separator ("2,5" -> 2.5); false when it
// is not such a number.
bool CzytajMegabajty(const std::string& tekst, double& wynik);

// An uninstall script line with the group the user chose in place of the script's group (in a
// "RemoveItem" line whose group folder ends with that group); other lines as they are.
std::string PrzepiszGrupe(const std::string& linia, const std::string& grupaSkryptu,
                          const std::string& grupaUzytkownika);

// Version texts compared as numbers, component by component ("10.0" > "2.0"); -1, 0 or 1.
int PorownajWersje(const std::string& a, const std::string& b);

// Versioned copy of one distribution file (source dir \ source name -> target dir \ target name).
bool CopyFileVer(InstalatorSrodowisko& srodowisko, const std::string& katalogZrodlowy,
                 const std::string& katalogDocelowy, const std::string& nazwaZrodlowa,
                 const std::string& nazwaDocelowa);

// The value of the user's shell folder of that name ("Startup", "Start Menu"); throws
// std::runtime_error when the key does not open or the value is empty.
std::string ShellFolder(const std::string& nazwa);

// Deletes a registry key with everything below it.
bool DeleteRegKey(platform::Root root, const std::string& key);

// Windows directory + "\Instaler.exe  " + destination + " " + name, spaces as "#".
std::string PolecenieDeinstalacji(const std::string& katalogWindows, const std::string& sciezkaDocelowa,
                                  const std::string& nazwaProgramu);
