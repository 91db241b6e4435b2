#include "installer/Granice.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "common/Tekstowe.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kFolderyPowloki = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kWersjaWindows = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProfile = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";
constexpr const char* kWpisyDeinstalacji = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

// Path components; Windows drops trailing dots and spaces of a name, so "Windows." is "Windows"
// and "..." is nothing at all.
bool Skladniki(const std::string& tekst, std::vector<std::string>& wynik, bool pusteDozwolone) {
  std::string biezacy;
  auto dodaj = [&] {
    while (!biezacy.empty() && (biezacy.back() == '.' || biezacy.back() == ' ')) biezacy.pop_back();
    const bool byl = !biezacy.empty();
    if (byl) wynik.push_back(biezacy);
    biezacy.clear();
    return byl;
  };
  for (size_t i = 0; i <= tekst.size(); ++i) {
    if (i == tekst.size() || tekst[i] == '\\') {
      const bool pusty = biezacy.empty();
      if (!dodaj() && !(pusty && pusteDozwolone)) return false;
    } else {
      biezacy.push_back(tekst[i]);
    }
  }
  return true;
}

bool ZakazaneZnaki(const std::string& s) { return ContainsAnyOf(s, "*?\"<>|"); }

std::string Male(const std::string& s) { return LowerCasePL(s); }

// a is b or lies inside b (both canonical, compared without regard to letter case).
bool WewnatrzLubRowny(const std::string& a, const std::string& b) {
  const std::string ma = Male(a), mb = Male(b);
  if (ma == mb) return true;
  const std::string przedrostek = mb.back() == '\\' ? mb : mb + "\\";
  return ma.size() > przedrostek.size() && ma.compare(0, przedrostek.size(), przedrostek) == 0;
}

bool Rowne(const std::string& a, const std::string& b) { return Male(a) == Male(b); }

std::string Rodzic(const std::string& k) {
  const size_t u = k.find_last_of('\\');
  if (u == std::string::npos) return std::string();
  return u == 2 && k[1] == ':' ? k.substr(0, 3) : k.substr(0, u);
}

bool KorzenDysku(const std::string& k) {
  if (k.size() == 3 && k[1] == ':') return true;
  // "\\server\share" is the root of a network drive.
  return k.rfind("\\\\", 0) == 0 && std::count(k.begin() + 2, k.end(), '\\') == 1;
}

// A folder value of the registry, with the two variables such values use expanded.
std::optional<std::string> Folder(platform::Root root, const std::string& klucz, const std::string& nazwa,
                                  const std::string& windows) {
  std::optional<std::string> w = platform::Reg().ReadString(root, klucz, nazwa);
  if (!w) return std::nullopt;
  std::string s = *w;
  auto zamien = [&](const std::string& zmienna, const std::string& wartosc) {
    for (size_t p; (p = Male(s).find(zmienna)) != std::string::npos;) s.replace(p, zmienna.size(), wartosc);
  };
  if (!windows.empty()) {
    zamien("%systemdrive%", windows.substr(0, 2));
    zamien("%systemroot%", windows);
    zamien("%windir%", windows);
  }
  const std::string k = KanonicznaSciezka(s);
  if (k.empty()) return std::nullopt;
  return k;
}

struct Chronione {
  std::vector<std::string> windows;       // the Windows and system folders, with all they hold
  std::vector<std::string> programy;      // Program Files and Common Files
  std::vector<std::string> profile;       // the folder that holds the profiles
  std::vector<std::string> uzytkownicy;   // every profile of the profile list
  std::vector<std::string> powloki;       // shell folders of the user and of all users
};

constexpr platform::KnownFolder kFolderyZnane[] = {
    platform::KnownFolder::Profile,   platform::KnownFolder::Desktop,      platform::KnownFolder::Documents,
    platform::KnownFolder::Downloads, platform::KnownFolder::Music,        platform::KnownFolder::Pictures,
    platform::KnownFolder::Videos,    platform::KnownFolder::Favorites,    platform::KnownFolder::AppData,
    platform::KnownFolder::LocalAppData, platform::KnownFolder::StartMenu, platform::KnownFolder::Programs,
    platform::KnownFolder::Startup,   platform::KnownFolder::Templates,    platform::KnownFolder::SendTo,
    platform::KnownFolder::Recent,
};

Chronione ZbierzChronione() {
  Chronione c;
  platform::Files& fs = platform::Fs();
  std::string windows;
  if (auto w = fs.WindowsDirectory()) windows = KanonicznaSciezka(*w);
  if (!windows.empty()) c.windows.push_back(windows);
  if (auto s = fs.SystemDirectory()) {
    const std::string k = KanonicznaSciezka(*s);
    if (!k.empty()) c.windows.push_back(k);
  }
  for (const char* nazwa : {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir", "CommonFilesDir",
                            "CommonFilesDir (x86)", "CommonW6432Dir"}) {
    if (auto f = Folder(platform::Root::LocalMachine, kWersjaWindows, nazwa, windows)) c.programy.push_back(*f);
  }
  for (const char* nazwa : {"ProfilesDirectory"}) {
    if (auto f = Folder(platform::Root::LocalMachine, kProfile, nazwa, windows)) c.profile.push_back(*f);
  }
  for (const char* nazwa : {"Default", "Public", "AllUsersProfile"}) {
    if (auto f = Folder(platform::Root::LocalMachine, kProfile, nazwa, windows)) c.powloki.push_back(*f);
  }
  // Each user's profile, wherever the profile list puts it.
  if (auto sidy = platform::Reg().SubkeyNames(platform::Root::LocalMachine, kProfile)) {
    for (const std::string& sid : *sidy) {
      if (auto f = Folder(platform::Root::LocalMachine, std::string(kProfile) + "\\" + sid, "ProfileImagePath", windows))
        c.uzytkownicy.push_back(*f);
    }
  }
  for (platform::KnownFolder znany : kFolderyZnane) {
    if (auto f = fs.KnownFolderPath(znany)) {
      const std::string k = KanonicznaSciezka(*f);
      if (!k.empty()) c.powloki.push_back(k);
    }
  }
  for (platform::Root root : {platform::Root::CurrentUser, platform::Root::LocalMachine}) {
    if (auto nazwy = platform::Reg().ValueNames(root, kFolderyPowloki)) {
      for (const std::string& nazwa : *nazwy) {
        if (auto f = Folder(root, kFolderyPowloki, nazwa, windows)) c.powloki.push_back(*f);
      }
    }
  }
  return c;
}

// The path and, when the system knows one, its short (8.3) form: "C:\PROGRA~1" is Program Files.
std::vector<std::string> Postacie(const std::string& k) {
  std::vector<std::string> p{k};
  if (auto s = platform::Fs().ShortPath(k)) {
    const std::string ks = KanonicznaSciezka(*s);
    if (!ks.empty() && !Rowne(ks, k)) p.push_back(ks);
  }
  return p;
}

}  // namespace

std::string KanonicznaSciezka(const std::string& sciezka) {
  const std::string s = ReplaceChar(TrimBoth(sciezka), '/', '\\');
  std::string poczatek, reszta;
  if (s.size() >= 2 && std::isalpha(static_cast<unsigned char>(s[0])) && s[1] == ':') {
    if (s.size() > 2 && s[2] != '\\') return std::string();  // "C:Kalmo" is relative to C:'s current folder
    poczatek = std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(s[0])))) + ":";
    reszta = s.substr(2);
  } else if (s.rfind("\\\\", 0) == 0) {
    reszta = s.substr(2);
    std::vector<std::string> czesci;
    if (!Skladniki(reszta, czesci, true) || czesci.size() < 2) return std::string();
    poczatek = "\\";  // the server follows as the first component
  } else {
    return std::string();
  }
  if (ZakazaneZnaki(reszta) || reszta.find(':') != std::string::npos) return std::string();
  std::vector<std::string> czesci;
  if (!Skladniki(reszta, czesci, true)) return std::string();
  std::string wynik = poczatek;
  for (const std::string& c : czesci) wynik += "\\" + c;
  if (wynik.size() == 2) wynik += "\\";
  return wynik;
}

bool SciezkaWewnatrz(const std::string& wzgledna, bool pustaDozwolona) {
  const std::string s = ReplaceChar(wzgledna, '/', '\\');
  if (TrimBoth(s).empty()) return pustaDozwolona && s.empty();
  if (s[0] == '\\' || s.find(':') != std::string::npos || ZakazaneZnaki(s)) return false;
  std::string bez = s;
  if (bez.back() == '\\') bez.pop_back();  // "bin\" is still "bin"
  std::vector<std::string> czesci;
  return Skladniki(bez, czesci, false);
}

std::string PowodOchronyKatalogu(const std::string& katalog) {
  const std::string k = KanonicznaSciezka(katalog);
  if (k.empty()) return "to nie jest pełna ścieżka katalogu";
  if (KorzenDysku(k)) return "to katalog główny dysku";
  // Every protected folder in each of its forms, asked for once.
  Chronione c = ZbierzChronione();
  for (auto* lista : {&c.windows, &c.programy, &c.profile, &c.uzytkownicy, &c.powloki}) {
    std::vector<std::string> formy;
    for (const std::string& p : *lista)
      for (const std::string& f : Postacie(p)) formy.push_back(f);
    *lista = std::move(formy);
  }
  auto jest = [](const std::vector<std::string>& lista, auto&& warunek) {
    return std::any_of(lista.begin(), lista.end(), warunek);
  };
  for (const std::string& forma : Postacie(k)) {
    if (KorzenDysku(forma)) return "to katalog główny dysku";
    if (jest(c.windows, [&](const std::string& w) { return WewnatrzLubRowny(forma, w); }))
      return "to katalog systemu Windows lub jego podkatalog";
    if (jest(c.programy, [&](const std::string& p) { return Rowne(forma, p); })) return "to katalog Program Files";
    if (jest(c.profile, [&](const std::string& p) { return Rowne(forma, p); })) return "to katalog profili użytkowników";
    if (jest(c.profile, [&](const std::string& p) { return Rowne(Rodzic(forma), p); }) ||
        jest(c.uzytkownicy, [&](const std::string& p) { return Rowne(forma, p); }))
      return "to katalog profilu użytkownika";
    if (jest(c.powloki, [&](const std::string& p) { return Rowne(forma, p); }))
      return "to folder specjalny systemu (Pulpit, Dokumenty, Menu Start lub podobny)";
    // A folder that holds any of them: emptying it would reach them.
    for (const auto* lista : {&c.windows, &c.programy, &c.profile, &c.uzytkownicy, &c.powloki})
      if (jest(*lista, [&](const std::string& p) { return WewnatrzLubRowny(p, forma); }))
        return "zawiera foldery systemu lub użytkownika";
  }
  // A link or junction on the way would make the folder another one than its name says.
  for (std::string droga = k; !droga.empty() && !KorzenDysku(droga); droga = Rodzic(droga)) {
    if (auto st = platform::Fs().Stat(droga); st && (st->attributes & platform::kAttrReparsePoint))
      return "prowadzi przez dowiązanie do innego miejsca";
  }
  return std::string();
}

bool KluczProgramuUzytkownika(const std::string& klucz) {
  std::string k = klucz;
  if (!k.empty() && k[0] == '\\') k.erase(0, 1);
  std::vector<std::string> czesci;
  std::string biezacy;
  for (size_t i = 0; i <= k.size(); ++i) {
    if (i == k.size() || k[i] == '\\') {
      const std::string t = TrimBoth(biezacy);
      if (t.empty() || t == "." || t == "..") return false;
      czesci.push_back(Male(t));
      biezacy.clear();
    } else {
      biezacy.push_back(k[i]);
    }
  }
  if (czesci.size() < 2 || czesci[0] != "software") return false;
  for (const char* wspolny : {"microsoft", "classes", "policies", "wow6432node"})
    if (czesci[1] == wspolny) return false;
  return true;
}

bool ZgodnaSciezkaKoncowa(const std::string& napisana, const std::string& koncowa) {
  const std::string k = KanonicznaSciezka(koncowa);
  if (k.empty()) return false;
  // Only the written form counts: Windows would drop the trailing dots and spaces that
  // KanonicznaSciezka drops, and a name written so is not the one the folder has.
  std::string n = ReplaceChar(TrimBoth(napisana), '/', '\\');
  while (n.size() > 3 && n.back() == '\\') n.pop_back();
  if (Rowne(n, k)) return true;
  const std::optional<std::string> dluga = platform::Fs().LongPath(n);
  if (!dluga) return false;
  std::string d = ReplaceChar(*dluga, '/', '\\');
  while (d.size() > 3 && d.back() == '\\') d.pop_back();
  return Rowne(d, k);
}

bool NazwaProgramuPoprawna(const std::string& nazwa) {
  const std::string t = TrimBoth(nazwa);
  if (t.empty() || t == "." || t == ".." || ContainsAnyOf(nazwa, "\\/:#")) return false;
  return std::none_of(nazwa.begin(), nazwa.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

std::string KluczDeinstalacji(const std::string& nazwaProgramu) { return kWpisyDeinstalacji + nazwaProgramu; }

std::optional<std::string> KatalogZarejestrowany(const std::string& nazwaProgramu) {
  if (!NazwaProgramuPoprawna(nazwaProgramu)) return std::nullopt;
  platform::Registry& reg = platform::Reg();
  const std::string klucz = KluczDeinstalacji(nazwaProgramu);
  if (const auto miejsce = reg.ReadString(platform::Root::LocalMachine, klucz, "InstallLocation")) {
    const std::string k = KanonicznaSciezka(*miejsce);
    if (!k.empty()) return k;
  }
  const std::optional<std::string> polecenie = reg.ReadString(platform::Root::LocalMachine, klucz, "UninstallString");
  if (!polecenie) return std::nullopt;
  // "...\Instaler.exe  C:\Program#Kalmo Kalmo": the first parameter is the program's folder.
  const size_t exe = Male(*polecenie).find(".exe ");
  if (exe == std::string::npos) return std::nullopt;
  const std::string parametry = TrimBoth(polecenie->substr(exe + 5));
  const std::string zapisany = parametry.substr(0, parametry.find(' '));
  const std::string folder = KanonicznaSciezka(ReplaceChar(zapisany, '#', ' '));
  if (folder.empty()) return std::nullopt;
  // "C:\C#Tools\Kalmo" reads as "C:\C Tools\Kalmo", a folder anyone may create: when the folder
  // written with its "#" exists too, the entry cannot tell which one it means.
  if (zapisany.find('#') != std::string::npos) {
    const std::string doslowny = KanonicznaSciezka(zapisany);
    if (!doslowny.empty() && platform::Fs().DirectoryExists(doslowny)) return std::nullopt;
  }
  return folder;
}

bool WczesniejszaInstalacja(const std::string& katalog, const std::string& nazwaProgramu) {
  const std::string k = KanonicznaSciezka(katalog);
  if (k.empty() || TrimBoth(nazwaProgramu).empty()) return false;
  if (!platform::Fs().FileExists(platform::JoinPath(k, "uninstall.cfg"))) return false;
  const std::optional<std::string> zarejestrowany = KatalogZarejestrowany(nazwaProgramu);
  return zarejestrowany && Rowne(*zarejestrowany, k);
}

std::string SprawdzKatalogInstalacji(const std::string& katalog, const std::string& nazwaProgramu) {
  std::string powod = PowodOchronyKatalogu(katalog);
  // The uninstall command carries the folder with "#" for every space.
  if (powod.empty() && katalog.find('#') != std::string::npos)
    powod = "ścieżka zawiera znak „#”, którego polecenie deinstalacji nie potrafi przekazać";
  if (!powod.empty())
    return "Nie można zainstalować programu w katalogu " + katalog + ": " + powod + ". Proszę wybrać inny katalog.";
  platform::Files& fs = platform::Fs();
  if (fs.FileExists(katalog))
    return "W miejscu katalogu " + katalog + " jest plik o tej nazwie. Proszę wybrać inny katalog.";
  if (!fs.DirectoryExists(katalog)) return std::string();
  const auto wpisy = fs.List(katalog, "*.*");
  if (wpisy && wpisy->empty()) return std::string();
  if (WczesniejszaInstalacja(katalog, nazwaProgramu)) return std::string();
  return "Katalog " + katalog + " zawiera już inne pliki i nie jest wcześniejszą instalacją tego programu. "
         "Instalacja dołożyłaby do nich pliki programu, a jego deinstalacja mogłaby usunąć je razem z nim. "
         "Proszę wybrać inny, pusty katalog (przycisk \"Zmień...\").";
}

platform::AccessList ListaDostepuKataloguProgramu() {
  using namespace platform;
  return {Trustee::Administrators,
          {{Trustee::Administrators, kRightFull, kInheritFiles | kInheritFolders},
           {Trustee::System, kRightFull, kInheritFiles | kInheritFolders},
           {Trustee::Users, kRightReadExecute | kRightCreateFiles, kInheritNone},
           {Trustee::CreatorOwner, kRightFull, kInheritFiles | kInheritOnly}}};
}

platform::AccessList ListaDostepuPlikuProgramu() {
  using namespace platform;
  return {Trustee::Administrators,
          {{Trustee::Administrators, kRightFull, kInheritNone},
           {Trustee::System, kRightFull, kInheritNone},
           {Trustee::Users, kRightReadExecute, kInheritNone}}};
}

platform::AccessList ListaDostepuPodkataloguProgramu() {
  using namespace platform;
  return {Trustee::Administrators,
          {{Trustee::Administrators, kRightFull, kInheritFiles | kInheritFolders},
           {Trustee::System, kRightFull, kInheritFiles | kInheritFolders},
           {Trustee::Users, kRightReadExecute, kInheritFiles | kInheritFolders}}};
}

namespace {

bool UsunZawartosc(const std::string& folderFinal, int glebokosc) {
  platform::Files& fs = platform::Fs();
  const auto wpisy = fs.List(folderFinal, "*");
  if (!wpisy || glebokosc > 64) return false;
  bool ok = true;
  for (const platform::DirEntry& w : *wpisy) {
    if (w.attributes & platform::kAttrReparsePoint) {
      ok = fs.DeleteEntry(folderFinal, w.name, platform::kEntryLink, {}) == platform::DeleteOutcome::Deleted && ok;
      continue;
    }
    if (w.directory) {
      // Entered only when it is the folder it is listed as, not a link the listing did not tell.
      const std::string pod = platform::JoinPath(folderFinal, w.name);
      const std::optional<std::string> koncowa = fs.FinalPath(pod);
      if (!koncowa || !Rowne(KanonicznaSciezka(*koncowa), KanonicznaSciezka(pod))) {
        ok = false;
        continue;
      }
      ok = UsunZawartosc(pod, glebokosc + 1) && ok;
      ok = fs.DeleteEntry(folderFinal, w.name, platform::kEntryFolder, {}) == platform::DeleteOutcome::Deleted && ok;
      continue;
    }
    ok = fs.DeleteEntry(folderFinal, w.name, platform::kEntryFile | platform::kEntryReadOnly, {}) ==
             platform::DeleteOutcome::Deleted &&
         ok;
  }
  return ok;
}

}  // namespace

bool UsunDrzewo(const std::string& folderFinal) {
  const std::string k = KanonicznaSciezka(folderFinal);
  if (k.empty() || KorzenDysku(k)) return false;
  UsunZawartosc(k, 0);
  const std::string rodzic = Rodzic(k);
  const std::optional<std::string> koncowyRodzic = platform::Fs().FinalPath(rodzic);
  if (!koncowyRodzic) return false;
  return platform::Fs().DeleteEntry(*koncowyRodzic, k.substr(k.find_last_of('\\') + 1), platform::kEntryFolder, {}) ==
         platform::DeleteOutcome::Deleted;
}
