// Fuzz target: the install and the uninstall script interpreters on a small machine held in memory:
// a distribution disk, an earlier installation with links, junctions and hard links to the user's
// data, other programs, a user profile with its shell folders and Start Menu (one group of it a
// junction), and their registry keys (one of them a registry link). Meanwhile another user may
// swap a folder for a link to the user's data between a listing and a deletion. For any script:
// - the uninstaller deletes or changes nothing but the program folder, icons in the Start Menu
//   (never its shell folders), the user's own program keys and the program's uninstall entry;
// - the installer writes only into the folders it installed to (and the new folders above them),
//   the copy of the uninstaller in the Windows folder and its own uninstall entry; its staging
//   folder is gone when the run ends;
// - nothing outside those is deleted or written, through a link, a hard link or a swapped folder;
// - no crash, hang or leak (the sanitizers).
// Input: the first byte chooses the interpreter and how the user and the machine answer, the
// second which folder is swapped and when, the rest is the script.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "common/Dyskowe.h"
#include "installer/Instal.h"
#include "installer/UnInstall.h"
#include "platform/memory/Memory.h"
#include "tests/native/InstalFake.h"

namespace {

using platform::Root;
using platform::memory::FoldCase;
using platform::memory::RecordingDialogs;
using platform::memory::TestPlatform;

const std::string kProfil = "C:\\Documents and Settings\\Jan";
const std::string kMenuStart = kProfil + "\\Menu Start";
const std::string kProgramy = kMenuStart + "\\Programy";
const std::string kAutostart = kProgramy + "\\Autostart";
const std::string kProgram = "C:\\Moje Gry\\Kalmo";
const std::string kWpisy = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const std::string kFoldery = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

void Check(bool ok, const std::string& what) {
  if (!ok) {
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
  }
}

// A path the way Windows reads it: "." and empty components dropped, ".." going up, trailing dots
// and spaces of a name dropped, letter case folded; empty when it is not a full drive path.
std::string Polozenie(const std::string& sciezka) {
  std::string s = sciezka;
  for (char& c : s) if (c == '/') c = '\\';
  if (s.size() < 2 || s[1] != ':') return std::string();
  std::vector<std::string> czesci;
  std::string biezacy;
  for (size_t i = 3; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == '\\') {
      if (biezacy == "..") {
        if (!czesci.empty()) czesci.pop_back();
      } else {
        while (!biezacy.empty() && (biezacy.back() == '.' || biezacy.back() == ' ')) biezacy.pop_back();
        if (!biezacy.empty()) czesci.push_back(biezacy);
      }
      biezacy.clear();
    } else {
      biezacy.push_back(s[i]);
    }
  }
  std::string wynik = s.substr(0, 2);
  for (const std::string& c : czesci) wynik += "\\" + c;
  return FoldCase(wynik);
}

// a is b or lies below it (both from Polozenie).
bool Wewnatrz(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  return a == b || (a.size() > b.size() && a.compare(0, b.size(), b) == 0 && a[b.size()] == '\\');
}

// Everything on the drives and in the registry, by the path as stored.
struct Stan {
  struct Wpis {
    bool katalog = false;
    uint32_t atrybuty = 0;
    std::string tresc;
    bool operator==(const Wpis&) const = default;
  };
  std::map<std::string, Wpis> pliki;
  std::map<std::string, std::string> klucze;  // "root\key" -> its values, flattened
};

void ZbierzPliki(const std::string& katalog, Stan& stan, int glebokosc) {
  platform::Files& fs = platform::Fs();
  const auto wpisy = fs.List(katalog, "*.*");
  if (!wpisy || glebokosc > 40) return;
  for (const platform::DirEntry& w : *wpisy) {
    const std::string sciezka = platform::JoinPath(katalog, w.name);
    Stan::Wpis& wpis = stan.pliki[FoldCase(sciezka)];
    wpis.katalog = w.directory;
    wpis.atrybuty = w.attributes;
    if (!w.directory) wpis.tresc = fs.ReadFile(sciezka).value_or("?");
    // A link is recorded, not followed: what it leads to is recorded where it lies.
    if (w.directory && !(w.attributes & platform::kAttrReparsePoint)) ZbierzPliki(sciezka, stan, glebokosc + 1);
  }
}

void ZbierzKlucze(TestPlatform& tp, Root root, const std::string& klucz, const std::string& nazwa, Stan& stan,
                  int glebokosc) {
  std::string wartosci;
  if (auto nazwy = tp.registry.ValueNames(root, klucz)) {
    for (const std::string& n : *nazwy) {
      const auto* v = tp.registry.Find(root, klucz, n);
      wartosci += n + "=" + std::to_string(static_cast<int>(v->kind)) + ":" +
                  std::string(v->data.begin(), v->data.end()) + "\n";
    }
  }
  stan.klucze[nazwa] = wartosci;
  if (glebokosc > 40) return;
  if (auto podklucze = tp.registry.SubkeyNames(root, klucz)) {
    for (const std::string& p : *podklucze)
      ZbierzKlucze(tp, root, klucz.empty() ? p : klucz + "\\" + p, nazwa + "\\" + FoldCase(p), stan, glebokosc + 1);
  }
}

Stan Zbierz(TestPlatform& tp) {
  Stan stan;
  for (char d = 'A'; d <= 'Z'; ++d) {
    const std::string korzen = std::string(1, d) + ":\\";
    if (tp.files.DirectoryExists(korzen)) ZbierzPliki(korzen, stan, 0);
  }
  ZbierzKlucze(tp, Root::CurrentUser, "", "HKCU", stan, 0);
  ZbierzKlucze(tp, Root::LocalMachine, "", "HKLM", stan, 0);
  return stan;
}

// Every file, folder and key that differs between the two states must be allowed.
// Folders another user swapped for a link meanwhile, and the names they were moved aside to: what
// changed there is that user's doing. What the link leads to is judged as before.
std::vector<std::string> zamienione;

bool Zamieniony(const std::string& sciezka) {
  for (const std::string& z : zamienione)
    if (Wewnatrz(Polozenie(sciezka), z)) return true;
  return false;
}

void Porownaj(const Stan& przed, const Stan& po, const std::function<bool(const std::string&, bool nowy)>& plikWolno,
              const std::function<bool(const std::string&, bool nowy)>& kluczWolno) {
  for (const auto& [sciezka, wpis] : przed.pliki) {
    auto it = po.pliki.find(sciezka);
    if ((it == po.pliki.end() || !(it->second == wpis)) && !Zamieniony(sciezka))
      Check(plikWolno(sciezka, false), (it == po.pliki.end() ? "removed: " : "changed: ") + sciezka);
  }
  for (const auto& [sciezka, wpis] : po.pliki)
    if (!przed.pliki.count(sciezka) && !Zamieniony(sciezka)) Check(plikWolno(sciezka, true), "created: " + sciezka);
  for (const auto& [klucz, wartosci] : przed.klucze) {
    auto it = po.klucze.find(klucz);
    if (it == po.klucze.end() || it->second != wartosci)
      Check(kluczWolno(klucz, false), (it == po.klucze.end() ? "key removed: " : "key changed: ") + klucz);
  }
  for (const auto& [klucz, wartosci] : po.klucze)
    if (!przed.klucze.count(klucz)) Check(kluczWolno(klucz, true), "key created: " + klucz);
}

// A registry path as Porownaj sees it ("HKLM\software\...", components folded, no empty ones).
std::string Klucz(const std::string& root, const std::string& klucz) {
  std::string wynik = root, czesc;
  for (size_t i = 0; i <= klucz.size(); ++i) {
    if (i == klucz.size() || klucz[i] == '\\') {
      if (!czesc.empty()) wynik += "\\" + FoldCase(czesc);
      czesc.clear();
    } else {
      czesc.push_back(klucz[i]);
    }
  }
  return wynik;
}

bool PodKluczem(const std::string& a, const std::string& b) {
  return a == b || (a.size() > b.size() && a.compare(0, b.size(), b) == 0 && a[b.size()] == '\\');
}

// Answers like a patient user: the first few "Tak"/"OK" (retry, the next disk), then "Nie"/"Anuluj".
class Dialogi : public RecordingDialogs {
 public:
  explicit Dialogi(int ponowienia) : ponowienia_(ponowienia) {}
  platform::OdpowiedzKomunikatu MessageDialog(const std::string& text, platform::RodzajKomunikatu kind,
                                              platform::ButtonPage page) override {
    if (shown.size() < 64) shown.push_back({Shown::Message, "", text, kind, page});
    const bool dalej = ponowienia_ > 0;
    if (page == platform::ButtonPage::Pytanie || page == platform::ButtonPage::Ostrzezenie) --ponowienia_;
    if (page == platform::ButtonPage::Pytanie) return dalej ? platform::okTak : platform::okNie;
    if (page == platform::ButtonPage::Ostrzezenie) return dalej ? platform::okOk : platform::okAnuluj;
    return platform::okOk;
  }

 private:
  int ponowienia_;
};

void PrzygotujSwiat(TestPlatform& tp) {
  platform::memory::MemoryFiles& f = tp.files;
  platform::memory::MemoryRegistry& r = tp.registry;
  // The distribution disk.
  for (const char* n : {"KALMO.EX_", "HOOK.DL_", "LICENCJA.TX_", "Pomoc.htm", "icon.ico", "Licencja.txt"})
    f.AddFile(std::string("A:\\") + n, std::string("dist:") + n);
  f.AddFile("A:\\Instaler.exe", "MZ instaler");
  f.AddFile("A:\\uninstall.cfg", "RemoveItem Programy\\Kalmo Kalmo.lnk\r\nRemoveDir\r\nRemoveRegKey Software\\Kalmo\r\n");
  f.AddFile("A:\\disc2.lab", "");
  f.AddFile("A:\\sub\\a.ex_", "sub");
  // The system and other programs.
  f.AddDirectory("C:\\TEMP");
  f.AddFile("C:\\TEMP\\Instaler-1\\cudzy.tmp", "another run");
  f.AddFile("C:\\WINDOWS\\win.ini", "[windows]");
  f.AddFile("C:\\WINDOWS\\system.ini", "[boot]");
  f.AddFile("C:\\WINDOWS\\notepad.exe", "MZ");
  f.AddFile("C:\\WINDOWS\\system32\\calc.exe", "MZ");
  f.AddFile("C:\\Program Files\\Inny\\inny.exe", "MZ");
  f.AddFile("C:\\Moje Gry\\Inna gra\\gra.exe", "MZ");
  f.AddFile("C:\\Dane\\wazne.doc", "mine");
  f.AddFile("C:\\Dane\\Kalmo.lnk", "mine, named like the icon");
  f.AddFile("C:\\Dane\\tylko.doc", "read only");
  f.SetAttributes("C:\\Dane\\tylko.doc", platform::kAttrReadOnly);
  f.AddFile("C:\\autoexec.bat", "@echo off");
  // The user's profile and Start Menu.
  f.AddFile(kProfil + "\\Pulpit\\notatka.txt", "mine");
  f.AddFile(kProfil + "\\Moje dokumenty\\list.doc", "mine");
  f.AddFile(kProgramy + "\\Kalmo\\Kalmo.lnk", "lnk");
  f.AddFile(kProgramy + "\\Akcesoria\\Notatnik.lnk", "lnk");
  f.AddFile(kAutostart + "\\Kalmo.lnk", "lnk");
  f.AddFile(kMenuStart + "\\Windows Update.lnk", "lnk");
  // An earlier installation, with a link to the user's own data in it.
  f.AddFile(kProgram + "\\Kalmo.exe", "MZ old");
  f.AddFile(kProgram + "\\bin\\hook.dll", "old");
  f.AddFile(kProgram + "\\uninstall.cfg", "RemoveDir\r\n");
  f.SetAttributes(kProgram + "\\Kalmo.exe", platform::kAttrReadOnly);
  f.AddLink(kProgram + "\\dane", "C:\\Dane");
  // A link of the host file system (opened as its target even when asked not to), a file link
  // that lists as a plain file, and other names of the user's files (one read-only).
  f.AddLink(kProgram + "\\bin\\host", "C:\\Dane", true, true);
  f.AddLink(kProgram + "\\notatka.txt", "C:\\Dane\\wazne.doc", false);
  f.AddHardLink(kProgram + "\\Licencja.txt", "C:\\Dane\\wazne.doc");
  f.AddHardLink(kProgram + "\\stary.dat", "C:\\Dane\\tylko.doc");
  f.AddLink(kProgramy + "\\Gra", "C:\\Dane");
  f.knownFolders = {{platform::KnownFolder::Profile, kProfil},
                    {platform::KnownFolder::StartMenu, kMenuStart},
                    {platform::KnownFolder::Programs, kProgramy},
                    {platform::KnownFolder::Startup, kAutostart},
                    {platform::KnownFolder::Desktop, kProfil + "\\Pulpit"},
                    {platform::KnownFolder::Documents, kProfil + "\\Moje dokumenty"}};

  r.CreateKey(Root::CurrentUser, kFoldery);
  for (const auto& [nazwa, folder] : std::map<std::string, std::string>{{"Start Menu", kMenuStart},
                                                                         {"Programs", kProgramy},
                                                                         {"Startup", kAutostart},
                                                                         {"Desktop", kProfil + "\\Pulpit"},
                                                                         {"Personal", kProfil + "\\Moje dokumenty"}})
    r.WriteString(Root::CurrentUser, kFoldery, nazwa, folder);
  const std::string wersja = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
  r.CreateKey(Root::LocalMachine, wersja);
  r.WriteString(Root::LocalMachine, wersja, "ProgramFilesDir", "C:\\Program Files");
  r.WriteString(Root::LocalMachine, wersja, "CommonFilesDir", "C:\\Program Files\\Common Files");
  const std::string profile = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
  r.CreateKey(Root::LocalMachine, profile);
  r.WriteString(Root::LocalMachine, profile, "ProfilesDirectory", "%SystemDrive%\\Documents and Settings");
  r.CreateKey(Root::LocalMachine, kWpisy + "\\Kalmo 2.0");
  r.WriteString(Root::LocalMachine, kWpisy + "\\Kalmo 2.0", "UninstallString",
                "C:\\WINDOWS\\Instaler.exe  C:\\Moje#Gry\\Kalmo Kalmo#2.0");
  r.CreateKey(Root::LocalMachine, kWpisy + "\\Inny program");
  r.WriteString(Root::LocalMachine, kWpisy + "\\Inny program", "DisplayName", "Inny program");
  r.CreateKey(Root::LocalMachine, "SOFTWARE\\Meltrax Software\\Kalmo");
  r.CreateKey(Root::CurrentUser, "Software\\Meltrax Software\\Kalmo\\2.0");
  r.WriteString(Root::CurrentUser, "Software\\Meltrax Software\\Kalmo\\2.0", "Opcje", "1");
  for (const char* wspolny : {"Software\\Microsoft\\Notepad", "Software\\Classes\\.txt", "Software\\Policies\\System",
                              "Software\\Wow6432Node\\Inny"})
    r.CreateKey(Root::CurrentUser, wspolny);
  r.WriteString(Root::CurrentUser, "Software\\Microsoft\\Notepad", "fWrap", "1");
  r.AddLink(Root::CurrentUser, "Software\\Kalmo\\Notatnik", Root::CurrentUser, "Software\\Microsoft\\Notepad");
}

void Instaluj(TestPlatform& tp, uint8_t wybor, const std::string& skrypt) {
  tp.files.AddFile("A:\\install.cfg", skrypt);
  instaltest::FakeSrodowisko srodowisko(tp);
  instaltest::FakeOkna okna;
  switch ((wybor >> 2) & 3) {
    case 1: okna.wOknieGlownym = [](TStanInstalacji& s) { s.sciezkaDocelowa = kProgram; }; break;
    case 2: okna.wOknieGlownym = [](TStanInstalacji& s) { s.sciezkaDocelowa = "C:\\WINDOWS"; }; break;
    case 3: okna.wynikGlownego = WynikOknaGlownego::Anuluj; break;
    default: break;
  }
  const Stan przed = Zbierz(tp);
  std::vector<std::string> cele, nazwy;
  {
    TInstalator instalator(srodowisko, okna);
    // Where the run installs to and under what name, before every line and at the end.
    auto zapamietaj = [&] {
      cele.push_back(Polozenie(instalator.stan().sciezkaDocelowa));
      nazwy.push_back(Klucz("HKLM", kWpisy + "\\" + instalator.stan().nazwaProgramu));
    };
    const int przerwijPrzy = (wybor >> 4) & 7;
    okna.przyPompowaniu = [&](int n) {
      zapamietaj();
      if (n == przerwijPrzy && okna.stanPostepu) okna.stanPostepu->przerwij = true;
    };
    if (wybor & 2) {
      instalator.UstawStanPoczatkowy();
      if (instalator.WczytajSkrypt()) {
        for (const std::string& linia : instalator.stan().linie) {
          try {
            instalator.WykonajLinie(linia);
          } catch (const std::exception&) {
            // A missing shell folder: the run would end here; the next lines still may not break out.
          }
          zapamietaj();
        }
      }
    } else {
      instalator.Uruchom();
      zapamietaj();
      Check(instalator.stan().katalogTymczasowy.empty(), "staging folder kept after the run");
    }
  }
  const std::string windows = Polozenie("C:\\WINDOWS\\Instaler.exe");
  Porownaj(
      przed, Zbierz(tp),
      [&](const std::string& sciezka, bool nowy) {
        const std::string p = Polozenie(sciezka);
        if (p == windows) return true;
        for (const std::string& cel : cele) {
          if (Wewnatrz(p, cel)) return true;
          // Folders made on the way to the destination.
          if (nowy && Wewnatrz(cel, p) && tp.files.DirectoryExists(sciezka)) return true;
        }
        return false;
      },
      [&](const std::string& klucz, bool nowy) {
        for (const std::string& n : nazwy)
          if (PodKluczem(klucz, n) || (nowy && PodKluczem(n, klucz))) return true;
        return false;
      });
}

void Odinstaluj(TestPlatform& tp, uint8_t wybor, const std::string& skrypt) {
  static const char* const kKatalogi[] = {"C:\\Moje#Gry\\Kalmo", "C:\\WINDOWS", "C:\\Documents#and#Settings\\Jan",
                                          "C:\\"};
  const int wariant = (wybor >> 2) & 3;
  const std::string katalog = ParametrDeinstalacji(kKatalogi[wariant]);
  tp.files.AddFile(platform::JoinPath(katalog, "uninstall.cfg"), skrypt);
  const Stan przed = Zbierz(tp);
  if (wybor & 2) {
    TDeinstalator d(katalog, "Kalmo 2.0");
    TStringList linie;
    ReadTextLines(platform::JoinPath(katalog, "uninstall.cfg"), linie);
    for (const std::string& l : linie) {
      const std::string linia = TrimBoth(l);
      if (linia.empty()) continue;
      try {
        d.WykonajLinie(linia);
      } catch (const std::exception&) {
        // A missing shell folder: the replay would stop here; the next lines still may not break out.
      }
    }
  } else {
    instaltest::FakeOkno okno;
    okno.nacisnijOdinstaluj = !(wybor & 0x10);
    UruchomDeinstalacje(kKatalogi[wariant], "Kalmo#2.0", okno);
  }
  const std::string program = Polozenie(kProgram), menu = Polozenie(kMenuStart);
  const std::vector<std::string> foldery = {Polozenie(kProgramy), Polozenie(kAutostart)};
  const std::string wpis = Klucz("HKLM", kWpisy + "\\Kalmo 2.0");
  Porownaj(
      przed, Zbierz(tp),
      [&](const std::string& sciezka, bool nowy) {
        const std::string p = Polozenie(sciezka);
        if (nowy) return false;
        if (wariant == 0 && Wewnatrz(p, program)) return true;
        for (const std::string& f : foldery)
          if (p == f) return false;
        // Icons of a group of the Start Menu, and the group's folder once it is empty; never
        // what lies in the Start Menu itself.
        if (p == menu || !Wewnatrz(p, menu)) return false;
        return przed.pliki.at(sciezka).katalog || p.find('\\', menu.size() + 1) != std::string::npos;
      },
      [&](const std::string& klucz, bool nowy) {
        if (nowy) return false;
        if (PodKluczem(klucz, wpis)) return true;
        // The user's own program keys: HKCU\Software\<not shared>\...
        const std::string software = "HKCU\\SOFTWARE\\";
        if (klucz.compare(0, software.size(), software) != 0) return false;
        const std::string dalej = klucz.substr(software.size());
        const std::string pierwszy = dalej.substr(0, dalej.find('\\'));
        for (const char* wspolny : {"MICROSOFT", "CLASSES", "POLICIES", "WOW6432NODE"})
          if (pierwszy == wspolny) return false;
        return !pierwszy.empty();
      });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  TestPlatform tp;
  Dialogi dialogi((data[0] & 0x80) ? 3 : 0);
  platform::Services uslugi = platform::Current();
  uslugi.dialogs = &dialogi;
  const platform::Services poprzednie = platform::Install(uslugi);
  PrzygotujSwiat(tp);
  // The last byte: which folder another user swaps for a link to the user's data, at which checked
  // deletion, and whether the link opens as itself or (as under Wine) as its target.
  zamienione.clear();
  const uint8_t z = data[size - 1];
  const std::string kZamiany[] = {"", kProgram + "\\bin", kProgramy + "\\Kalmo", kProgram};
  const std::string& zamiana = kZamiany[z & 3];
  int usuniecia = 0;
  tp.files.beforeDelete = [&](const std::string&, const std::string&) {
    if (zamiana.empty() || usuniecia++ != ((z >> 2) & 15)) return;
    if (tp.files.SwapForLink(zamiana, "C:\\Dane", true, (z & 0x40) != 0))
      zamienione = {Polozenie(zamiana), Polozenie(zamiana + "~")};
  };
  const std::string skrypt(reinterpret_cast<const char*>(data + 1), size - 1);
  if (data[0] & 1) Odinstaluj(tp, data[0], skrypt);
  else Instaluj(tp, data[0], skrypt);
  platform::Install(poprzednie);
  return 0;
}
