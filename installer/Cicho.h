#pragma once
// The unattended mode, for administrators who install Kalmo on many computers:
//   Instaler.exe /cicho [/katalog=<folder>] [/grupa=<group>]   installs from the current directory
//   Instaler.exe <folder> <name> /cicho                         uninstalls (the registered command)
// No window is shown. The run answers for the user: the script's destination and group (or the
// ones given), "Nie" to every question (a missing file is not looked for again), "Anuluj" to the
// next disk; every message goes to the log file instead, and the exit code tells the outcome
// (0 done; 1 failed or refused; 2 the destination was refused; 3 an unexpected error).
#include <string>
#include <vector>

#include "installer/Instal.h"
#include "installer/UnInstall.h"
#include "platform/Dialogs.h"

struct ParametryCiche {
  bool cicho = false;                  // "/cicho" was given
  std::string katalog;                 // "/katalog=<folder>"; empty: the script's destination
  std::string grupa;                   // "/grupa=<group>"; empty: the script's group
  std::vector<std::string> pozostale;  // the other parameters, in order
  std::string blad;                    // why the parameters cannot be used; empty when they can
};

// Switches are taken in any letter case, anywhere on the command line.
ParametryCiche CzytajParametryCiche(const std::vector<std::string>& parametry);

// The log of unattended runs: "Instaler.log" in the Windows folder (written by administrators
// only), or in the temporary folder when the Windows folder is unknown.
std::string PlikDziennika();

// Appends dated lines to the log (Windows-1250, CR LF).
class TDziennik {
 public:
  explicit TDziennik(std::string plik) : plik_(std::move(plik)) {}
  void Zapisz(const std::string& tekst);
  const std::string& plik() const { return plik_; }

 private:
  std::string plik_;
};

// Dialogs without a window: each report goes to the log with its kind, and the answer is the one
// that stops rather than waits ("Nie", "Anuluj"); messages and errors are acknowledged.
class TDialogiCiche : public platform::Dialogs {
 public:
  explicit TDialogiCiche(TDziennik& dziennik) : dziennik_(dziennik) {}
  void ErrorDialog(const std::string& place, const std::string& text) override;
  platform::OdpowiedzKomunikatu MessageDialog(const std::string& text, platform::RodzajKomunikatu kind,
                                              platform::ButtonPage page) override;
  void PlainMessage(const std::string& text) override;

 private:
  TDziennik& dziennik_;
};

// The install run's windows, unattended: the main window takes the destination and group given on
// the command line, refuses (and logs why) a destination the window itself would refuse, and the
// progress goes to the log.
class TOknaCiche : public InstalatorOkna {
 public:
  TOknaCiche(TDziennik& dziennik, const ParametryCiche& parametry) : dziennik_(dziennik), parametry_(parametry) {}
  void PokazOknoStartowe() override {}
  void ZamknijOknoStartowe() override {}
  WynikOknaGlownego PokazOknoGlowne(TStanInstalacji& stan, const DaneOknaGlownego& dane) override;
  void PokazPostep(TStanInstalacji&, int) override {}
  void UstawPostep(int) override {}
  void PokazPlik(const std::string& zrodlowy, const std::string& docelowy) override;
  void PokazUwage(const std::string& tekst) override;
  void ZamknijPostep() override {}
  void ObsluzKomunikaty() override {}
  bool pokazaneGlowne() const { return pokazaneGlowne_; }

 private:
  TDziennik& dziennik_;
  const ParametryCiche& parametry_;
  bool pokazaneGlowne_ = false;
};

// The uninstall window, unattended: "Odinstaluj" at once.
class TOknoDeinstalacjiCiche : public DeinstalatorOkno {
 public:
  void Pokaz(const std::string&, const std::string&, const std::function<void()>& odinstaluj) override {
    odinstaluj();
  }
};

// One Program Manager command as the install run sends it: "[CreateGroup(<group>)]" or
// "[AddItem(<file>, <title>)]" with CR LF. The unattended run does what they ask itself, without
// the shell, which would open the group's folder in a window.
struct PolecenieProgMan {
  enum Rodzaj { Inne, UtworzGrupe, DodajIkone } rodzaj = Inne;
  std::string grupa;  // UtworzGrupe
  std::string plik;   // DodajIkone: the program the icon starts
  std::string tytul;  // DodajIkone: the icon's title, the name of its shortcut file
};
PolecenieProgMan RozbierzPolecenieProgMan(const std::string& polecenie);

// The whole unattended run (install or uninstall, as the parameters say), with the dialogs of the
// platform replaced by unattended ones for its duration; returns the exit code.
int UruchomCicho(const ParametryCiche& parametry, InstalatorSrodowisko& srodowisko);
