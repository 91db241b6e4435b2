#include "cleanup/RegulyCzyszczenia.h"

#include <algorithm>
#include <cmath>

#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "common/Dyskowe.h"
#include "platform/Platform.h"

namespace {

constexpr char kPrzed[] = "   (modyfikowane przed ";

bool RodzajZnany(const std::string& r) { return r == "P" || r == "." || r == "T" || r == "K"; }

// A whole number of days, 0 or more (and not absurdly large).
std::optional<int32_t> Dni(const std::string& tekst) {
  const std::string t = TrimBoth(tekst);
  if (t.empty() || t.size() > 9) return std::nullopt;
  int32_t n = 0;
  for (char c : t) {
    if (c < '0' || c > '9') return std::nullopt;
    n = n * 10 + (c - '0');
  }
  return n;
}

std::vector<std::string> Pola(const std::string& linia) {
  std::vector<std::string> pola;
  size_t start = 0;
  for (;;) {
    const size_t k = linia.find('#', start);
    pola.push_back(linia.substr(start, k == std::string::npos ? std::string::npos : k - start));
    if (k == std::string::npos) break;
    start = k + 1;
  }
  // "...#7#" written by hand: a trailing separator adds no field.
  while (!pola.empty() && TrimBoth(pola.back()).empty()) pola.pop_back();
  return pola;
}

bool ZaczynaOdDysku(const std::string& p) {
  return p.size() >= 3 && ((p[0] >= 'A' && p[0] <= 'Z') || (p[0] >= 'a' && p[0] <= 'z')) && p[1] == ':' &&
         p[2] == '\\';
}

std::string Rodzic(const std::string& p) {
  const size_t k = p.find_last_of('\\');
  return k == std::string::npos ? std::string() : p.substr(0, k);
}

std::string Nazwa(const std::string& p) {
  const size_t k = p.find_last_of('\\');
  return k == std::string::npos ? p : p.substr(k + 1);
}

bool Niebezpieczna(const std::string& p, const FolderyChronione& chronione) {
  if (p.empty()) return true;
  const bool unc = p.size() > 2 && p[0] == '\\' && p[1] == '\\';
  if (!unc && !ZaczynaOdDysku(p + "\\")) return true;  // relative: depends on the current folder
  if (!unc && p.size() <= 3) return true;                // "C:" (a drive root)
  if (unc && std::count(p.begin() + 2, p.end(), '\\') <= 1) return true;  // "\\srv\share"
  for (const std::string& s : chronione.sciezki)
    if (!s.empty() && (p == s || (p.size() > s.size() && p.compare(0, s.size() + 1, s + "\\") == 0))) return true;
  for (const std::string& s : chronione.same)
    if (!s.empty() && p == s) return true;
  if (unc) {
    // "\\\\localhost\\C$\\Users\\ola" is the local disk under another name; "\\\\?\\" and "\\\\.\\"
    // name devices; an administrative share is a whole disk or the Windows folder.
    const size_t k = p.find('\\', 2);
    const std::string serwer = p.substr(2, k - 2);
    const size_t l = p.find('\\', k + 1);
    const std::string udzial = p.substr(k + 1, l == std::string::npos ? std::string::npos : l - k - 1);
    if (serwer == "." || serwer == "?" || serwer.rfind("127.", 0) == 0 || (!udzial.empty() && udzial.back() == '$'))
      return true;
    for (const std::string& s : chronione.serwery)
      if (serwer == s) return true;
  }
  // Any component "." or ".." could lead anywhere; the final path is checked separately, but a
  // written path of that form is not what a user names as a temporary folder.
  for (const std::string& c : {std::string("\\."), std::string("\\..")})
    if (p.size() >= c.size() && (p.compare(p.size() - c.size(), c.size(), c) == 0 || p.find(c + "\\") != std::string::npos))
      return true;
  // The folder of all profiles and each user's profile folder itself.
  const std::string nazwa = Nazwa(p), rodzic = Nazwa(Rodzic(p));
  const bool korzenProfili = [](const std::string& n) { return n == "USERS" || n == "DOCUMENTS AND SETTINGS"; }(nazwa);
  const bool rodzicProfili = rodzic == "USERS" || rodzic == "DOCUMENTS AND SETTINGS";
  const bool naDysku = std::count(p.begin(), p.end(), '\\') == 1;  // "C:\Users"
  const bool podKorzeniem = std::count(p.begin(), p.end(), '\\') == 2;  // "C:\Users\jan"
  if ((korzenProfili && naDysku) || (rodzicProfili && podKorzeniem)) return true;
  return false;
}

}  // namespace

std::optional<RegulaCzyszczenia> ParsujRegule(const std::string& linia) {
  const std::vector<std::string> pola = Pola(linia);
  const size_t n = pola.size();
  for (size_t f = 1; f + 2 < n; ++f) {
    if (!RodzajZnany(pola[f]) || (n - f - 1) % 2 != 0) continue;
    RegulaCzyszczenia r;
    for (size_t i = 0; i < f; ++i) r.folder += (i ? "#" : "") + pola[i];
    r.rodzaj = pola[f];
    for (size_t i = f + 1; i + 1 < n; i += 2) {
      auto dni = Dni(pola[i + 1]);
      if (!dni || pola[i].empty()) continue;
      r.pary.push_back({pola[i], *dni});
    }
    if (r.folder.empty() || r.pary.empty()) return std::nullopt;
    return r;
  }
  return std::nullopt;
}

std::string TekstReguly(const RegulaCzyszczenia& regula) {
  if (regula.pary.empty()) return {};
  std::string linia = regula.folder + "#" + regula.rodzaj;
  for (const ParaMaski& p : regula.pary) linia += "#" + p.maska + "#" + std::to_string(p.dni);
  return linia;
}

std::optional<std::vector<RegulaCzyszczenia>> WczytajReguly(const std::string& plik) {
  TStringList linie;
  if (!platform::Fs().FileExists(plik) || !ReadTextLines(plik, linie)) return std::nullopt;
  std::vector<RegulaCzyszczenia> reguly;
  for (const std::string& l : linie)
    if (auto r = ParsujRegule(l)) reguly.push_back(std::move(*r));
  return reguly;
}

bool ZapiszReguly(const std::string& plik, const std::vector<RegulaCzyszczenia>& reguly) {
  TStringList linie;
  for (const RegulaCzyszczenia& r : reguly) {
    std::string l = TekstReguly(r);
    if (!l.empty()) linie.push_back(std::move(l));
  }
  return WriteTextLines(plik, linie);
}

std::string RodzajZObrazka(int obrazek) {
  switch (obrazek) {
    case 2:
    case 3: return "P";
    case 4: return "T";
    case 5: return "K";
    default: return ".";
  }
}

int ObrazekZRodzaju(const std::string& rodzaj) {
  if (rodzaj == "P") return 2;
  if (rodzaj == "T") return 4;
  if (rodzaj == "K") return 5;
  return 0;
}

std::optional<RegulaCzyszczenia> RegulaSpecjalna(bool kosz, int32_t dni) {
  if (dni <= 0) return std::nullopt;
  return RegulaCzyszczenia{kosz ? kEtykietaKosza : kEtykietaTemp, kosz ? "K" : "T", {{"*.*", dni}}};
}

std::string SlowoDni(int32_t dni) { return dni == 1 ? "dniem" : "dniami"; }

std::string TekstWpisuMaski(const std::string& maska, int32_t dni) {
  return maska + kPrzed + std::to_string(dni) + " " + SlowoDni(dni) + ")";
}

std::optional<ParaMaski> OdczytajWpisMaski(const std::string& tekst) {
  for (const char* koniec : {" dniem)", " dniami)"}) {
    const std::string k = koniec;
    if (tekst.size() < k.size() || tekst.compare(tekst.size() - k.size(), k.size(), k) != 0) continue;
    const std::string bez = tekst.substr(0, tekst.size() - k.size());
    const size_t p = bez.rfind(kPrzed);
    if (p == std::string::npos) return std::nullopt;
    auto dni = Dni(bez.substr(p + std::string(kPrzed).size()));
    if (!dni || p == 0) return std::nullopt;
    return ParaMaski{bez.substr(0, p), *dni};
  }
  return std::nullopt;
}

std::string PytanieCzasuOprozniania(bool kosz) {
  return kosz ? "Po ilu dniach mają być usuwane poszczególne pliki z kosza?"
              : "Po ilu dniach mają być usuwane poszczególne pliki z katalogu tymczasowego?";
}

namespace {

bool Pasuje(const std::u32string& m, size_t mi, const std::u32string& n, size_t ni) {
  while (mi < m.size()) {
    const char32_t c = m[mi];
    if (c == U'*') {
      while (mi < m.size() && m[mi] == U'*') ++mi;
      if (mi == m.size()) return true;
      for (size_t k = ni; k <= n.size(); ++k)
        if (Pasuje(m, mi, n, k)) return true;
      return false;
    }
    if (ni == n.size()) return m.substr(mi) == U".*" || m.substr(mi) == U".";
    if (c != U'?' && c != n[ni]) return false;
    ++mi;
    ++ni;
  }
  return ni == n.size();
}

}  // namespace

bool PasujeDoMaski(const std::string& nazwa, const std::string& maska) {
  return Pasuje(utf8::Decode(UpperCasePL(maska)), 0, utf8::Decode(UpperCasePL(nazwa)), 0);
}

bool NazwaChronionaKosza(const std::string& nazwa) {
  const std::string n = LowerCasePL(nazwa);
  return n == "info" || n == "info2" || n == "desktop.ini";
}

std::optional<int32_t> WiekPliku(double dataPliku, double dzis, bool trybKosza) {
  if (dataPliku == 0 || !std::isfinite(dataPliku)) return std::nullopt;
  int32_t wiek = datetime::DatePart(dzis) - datetime::DatePart(dataPliku);
  if (trybKosza) --wiek;
  return wiek;
}

bool PlikDoUsuniecia(double dataPliku, double dzis, bool trybKosza, int32_t minimumDni) {
  auto wiek = WiekPliku(dataPliku, dzis, trybKosza);
  return wiek && minimumDni >= 0 && *wiek >= minimumDni;
}

std::string PostacPorownania(const std::string& sciezka) {
  std::string p = ReplaceChar(TrimBoth(sciezka), '/', '\\');
  while (!p.empty() && p.back() == '\\') p.pop_back();
  return UpperCasePL(p);
}

namespace {

constexpr const char* kWersjaWindows = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kProfile = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList";

// A folder value of the local machine's registry, with the variables such values use expanded.
std::optional<std::string> FolderRejestru(const std::string& klucz, const std::string& nazwa, const std::string& windows) {
  auto w = platform::Reg().ReadString(platform::Root::LocalMachine, klucz, nazwa);
  if (!w || TrimBoth(*w).empty()) return std::nullopt;
  std::string s = *w;
  auto zamien = [&](const std::string& zmienna, const std::string& wartosc) {
    for (size_t p; (p = UpperCasePL(s).find(zmienna)) != std::string::npos;) s.replace(p, zmienna.size(), wartosc);
  };
  if (windows.size() >= 2) {
    zamien("%SYSTEMDRIVE%", windows.substr(0, 2));
    zamien("%SYSTEMROOT%", windows);
    zamien("%WINDIR%", windows);
  }
  return PostacPorownania(s);
}

// The path and, where it differs, its final path (both in the compared form).
void DodajZKoncowa(std::vector<std::string>& lista, const std::string& folder) {
  if (folder.empty()) return;
  lista.push_back(PostacPorownania(folder));
  if (auto final = platform::Fs().FinalPath(folder)) lista.push_back(PostacPorownania(*final));
}

}  // namespace

FolderyChronione DajFolderyChronione() {
  FolderyChronione c;
  auto& fs = platform::Fs();
  auto& reg = platform::Reg();
  std::string windows;
  if (auto w = fs.WindowsDirectory()) windows = *w;
  for (auto folder : {fs.WindowsDirectory(), fs.SystemDirectory()})
    if (folder) DodajZKoncowa(c.sciezki, *folder);
  for (const char* nazwa : {"ProgramFilesDir", "ProgramFilesDir (x86)", "ProgramW6432Dir", "CommonFilesDir",
                            "CommonFilesDir (x86)", "CommonW6432Dir"})
    if (auto f = FolderRejestru(kWersjaWindows, nazwa, windows)) DodajZKoncowa(c.sciezki, *f);
  // Profiles: the user's own is refused itself only, every other one (wherever it lies) whole.
  std::string wlasny;
  if (auto p = fs.KnownFolderPath(platform::KnownFolder::Profile)) wlasny = PostacPorownania(*p);
  std::vector<std::string> profile;
  if (auto sidy = reg.SubkeyNames(platform::Root::LocalMachine, kProfile))
    for (const std::string& sid : *sidy)
      if (auto f = FolderRejestru(std::string(kProfile) + "\\" + sid, "ProfileImagePath", windows)) profile.push_back(*f);
  for (const char* nazwa : {"Default", "Public", "AllUsersProfile"})
    if (auto f = FolderRejestru(kProfile, nazwa, windows)) profile.push_back(*f);
  for (const std::string& p : profile) {
    if (p == wlasny) continue;
    DodajZKoncowa(c.sciezki, p);
  }
  if (!wlasny.empty()) DodajZKoncowa(c.same, wlasny);
  if (auto f = FolderRejestru(kProfile, "ProfilesDirectory", windows)) DodajZKoncowa(c.same, *f);
  for (platform::KnownFolder znany :
       {platform::KnownFolder::Desktop, platform::KnownFolder::Documents, platform::KnownFolder::Downloads,
        platform::KnownFolder::Music, platform::KnownFolder::Pictures, platform::KnownFolder::Videos,
        platform::KnownFolder::Favorites, platform::KnownFolder::AppData, platform::KnownFolder::LocalAppData,
        platform::KnownFolder::StartMenu, platform::KnownFolder::Programs, platform::KnownFolder::Startup,
        platform::KnownFolder::Templates, platform::KnownFolder::SendTo, platform::KnownFolder::Recent})
    if (auto f = fs.KnownFolderPath(znany)) DodajZKoncowa(c.same, *f);
  c.serwery = {"LOCALHOST", "::1", "[::1]", "0.0.0.0"};
  for (const auto& [klucz, nazwa] :
       {std::pair<const char*, const char*>{"SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ActiveComputerName",
                                            "ComputerName"},
        {"SYSTEM\\CurrentControlSet\\Control\\ComputerName\\ComputerName", "ComputerName"},
        {"SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters", "Hostname"}}) {
    auto n = reg.ReadString(platform::Root::LocalMachine, klucz, nazwa);
    if (n && !TrimBoth(*n).empty()) c.serwery.push_back(UpperCasePL(TrimBoth(*n)));
  }
  return c;
}

bool FolderJakNapisany(const std::string& napisany, const std::string& koncowy) {
  const std::string k = PostacPorownania(koncowy);
  if (k.empty()) return false;
  if (PostacPorownania(napisany) == k) return true;
  const auto dluga = platform::Fs().LongPath(napisany);
  return dluga && PostacPorownania(*dluga) == k;
}

bool FolderNiebezpieczny(const std::string& folder, const FolderyChronione& chronione) {
  if (Niebezpieczna(PostacPorownania(folder), chronione)) return true;
  auto final = platform::Fs().FinalPath(folder);
  return final && Niebezpieczna(PostacPorownania(*final), chronione);
}
