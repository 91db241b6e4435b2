#include "installer/Instal.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>
#include <stdexcept>

#include "common/Dyskowe.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/Orgtekst.h"
#include "common/WinTools.h"
#include "installer/Granice.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kSkrypt = "install.cfg";
constexpr const char* kSkryptDeinstalacji = "uninstall.cfg";
constexpr const char* kPlikInstalatora = "Instaler.exe";
constexpr const char* kKluczFolderow = "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr int kSwShowNormal = 1;

std::string BezKoncowegoUkosnika(std::string s) {
  while (!s.empty() && s.back() == '\\') s.pop_back();
  return s;
}

std::string ZKoncowymUkosnikiem(const std::string& s) {
  if (!s.empty() && s.back() == '\\') return s;
  return s + "\\";
}

// Extension of a file name with its dot ("" when none).
std::string Rozszerzenie(const std::string& plik) {
  const size_t kropka = plik.find_last_of('.');
  const size_t ukosnik = plik.find_last_of('\\');
  if (kropka == std::string::npos || (ukosnik != std::string::npos && kropka < ukosnik)) return "";
  return plik.substr(kropka);
}

// Number of characters (code points) of a UTF-8 text.
size_t Znaki(const std::string& s) {
  size_t n = 0;
  for (unsigned char c : s) if ((c & 0xC0) != 0x80) ++n;
  return n;
}

bool SameCyfry(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Components of a version text: split at "." and ",", each trimmed of spaces.
std::vector<std::string> Skladniki(const std::string& wersja) {
  std::vector<std::string> wynik;
  std::string biezacy;
  auto dodaj = [&] {
    const size_t a = biezacy.find_first_not_of(' ');
    const size_t b = biezacy.find_last_not_of(' ');
    wynik.push_back(a == std::string::npos ? std::string() : biezacy.substr(a, b - a + 1));
    biezacy.clear();
  };
  for (char c : wersja) {
    if (c == '.' || c == ',') dodaj();
    else biezacy.push_back(c);
  }
  dodaj();
  return wynik;
}

int PorownajSkladnik(std::string a, std::string b) {
  if (a.empty()) a = "0";
  if (b.empty()) b = "0";
  if (SameCyfry(a) && SameCyfry(b)) {
    // As numbers of any length: without leading zeros the longer one is larger.
    a.erase(0, std::min(a.find_first_not_of('0'), a.size() - 1));
    b.erase(0, std::min(b.find_first_not_of('0'), b.size() - 1));
    if (a.size() != b.size()) return a.size() < b.size() ? -1 : 1;
  }
  const int r = a.compare(b);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Helpers

std::string TekstBledu(int numer) {
  switch (numer) {
    case 1: return "Brak parametru rozkazu Group";
    case 2: return "Brak lub błędnie podany parametr rozkazu Space: ";
    case 3: return "Brak parametru rozkazu DestPath";
    case 4: return "Nieokreślona ścieżka docelowa";
    case 5: return "Nieokreślona nazwa grupy";
    case 6: return "Nieokreślona ilość wymaganego miejsca na dysku";
    case 7: return "Brak parametru rozkazu MkDir";
    case 8: return "Nie mogę utworzyć katalogu:";
    case 9: return "Brak parametru \"filename\" rozkazu File";
    case 11: return "Brak lub błędnie podany parametr rozkazu Disk:";
    case 12: return "Brak lub błędnie podany parametr \"true extension\" rozkazu File: ";
    case 15: return "Brak parametru \"icon_title\" rozkazu CreateProgManItem";
    case 16: return "Plik podany jako parametr \"location\" rozkazu CreateProgManItem nie istnieje: ";
    case 18: return "Brak lub błędnie podany parametr \"filename\" rozkazdu AddToIniFile: ";
    case 19: return "Brak wszystkich parametrów rozkazu AddToIniFile";
    case 21: return "Nieokreślona nazwa programu instalowanego";
    case 22: return "Brak pliku UNINSTAL.CFG dla rozkazu: Uninstall";
    case 23: return "Nieprawidłowa nazwa programu w rozkazie ProgramName (nie może zawierać znaków \\ / : # "
                    "ani być kropką): ";
    case 24: return "Rozkaz Run może uruchomić tylko plik z katalogu docelowego lub z dysku instalacyjnego: ";
    case 25: return "Nie mogę zabezpieczyć katalogu programu przed zmianami innych użytkowników: ";
    case 26: return "Katalog docelowy jest dowiązaniem albo prowadzi przez dowiązanie do innego miejsca: ";
    default: return "Błąd instalacji nr " + std::to_string(numer);
  }
}

TStringList FiltrujLinieSkryptu(const TStringList& surowe) {
  TStringList wynik;
  for (const std::string& linia : surowe) {
    // Tabs first, so that a comment indented with a tab is still a comment.
    const std::string l = TrimBoth(TabsToSpaces(linia));
    if (l.empty() || l[0] == '\'') continue;
    wynik.push_back(l);
  }
  return wynik;
}

bool MaRozkazFinal(const TStringList& linie) {
  return std::any_of(linie.begin(), linie.end(), [](const std::string& l) { return LowerCasePL(l) == "final"; });
}

std::string TekstMegabajtow(double megabajty) {
  const long long dziesiate = std::llround(megabajty * 10.0);
  const long long bez = dziesiate < 0 ? -dziesiate : dziesiate;
  return std::string(dziesiate < 0 ? "-" : "") + std::to_string(bez / 10) + "." + std::to_string(bez % 10) + " MB";
}

bool CzytajMegabajty(const std::string& tekst, double& wynik) {
  if (!IsDecimalNumber(tekst)) return false;
  const std::string t = TrimBoth(tekst);
  // A negative amount makes no sense and would read as "not given".
  if (t.empty() || t[0] == '-') return false;
  const size_t przecinek = t.find(',');
  const std::string calosc = t.substr(0, przecinek);
  const std::string ulamek = przecinek == std::string::npos ? std::string() : t.substr(przecinek + 1);
  if (!SameCyfry(calosc) || (przecinek != std::string::npos && !SameCyfry(ulamek))) return false;
  if (calosc.size() > 12) return false;
  double v = 0;
  for (char c : calosc) v = v * 10 + (c - '0');
  double skala = 0.1;
  for (char c : ulamek) {
    v += (c - '0') * skala;
    skala /= 10;
  }
  wynik = v;
  return true;
}

std::string PrzepiszGrupe(const std::string& linia, const std::string& grupaSkryptu,
                          const std::string& grupaUzytkownika) {
  const std::string l = TrimBoth(linia);
  if (grupaSkryptu.empty() || NthField(l, 1, ' ') != "RemoveItem") return linia;
  std::vector<std::string> pola;
  for (size_t a = 0;;) {
    const size_t b = l.find(' ', a);
    pola.push_back(l.substr(a, b == std::string::npos ? std::string::npos : b - a));
    if (b == std::string::npos) break;
    a = b + 1;
  }
  if (pola.size() < 2) return linia;
  const std::string folder = UnderscoresToSpaces(pola[1]);
  const size_t ukosnik = folder.find_last_of('\\');
  const std::string ostatni = ukosnik == std::string::npos ? folder : folder.substr(ukosnik + 1);
  if (pola[1] == "Startup" || LowerCasePL(ostatni) != LowerCasePL(grupaSkryptu)) return linia;
  // Written back the way the script spells its arguments: "_" for a space, "&" for "_".
  std::string pole;
  for (char c : folder.substr(0, ukosnik == std::string::npos ? 0 : ukosnik + 1) + grupaUzytkownika)
    pole += c == '_' ? "&" : c == ' ' ? "_" : std::string(1, c);
  pola[1] = pole;
  std::string wynik = pola[0];
  for (size_t i = 1; i < pola.size(); ++i) wynik += " " + pola[i];
  return wynik;
}

int PorownajWersje(const std::string& a, const std::string& b) {
  const std::vector<std::string> sa = Skladniki(a);
  const std::vector<std::string> sb = Skladniki(b);
  const size_t n = std::max(sa.size(), sb.size());
  for (size_t i = 0; i < n; ++i) {
    const int r = PorownajSkladnik(i < sa.size() ? sa[i] : std::string(), i < sb.size() ? sb[i] : std::string());
    if (r != 0) return r;
  }
  return 0;
}

std::string ShellFolder(const std::string& nazwa) {
  if (!platform::Reg().KeyExists(platform::Root::CurrentUser, kKluczFolderow)) {
    throw std::runtime_error(Format("Folder key \"%s\" not found", kKluczFolderow));
  }
  const std::optional<std::string> wartosc =
      platform::Reg().ReadString(platform::Root::CurrentUser, kKluczFolderow, nazwa);
  if (!wartosc || wartosc->empty()) {
    throw std::runtime_error(Format("\"%s\" item not found in registry", nazwa.c_str()));
  }
  return *wartosc;
}

bool DeleteRegKey(platform::Root root, const std::string& key) { return platform::Reg().DeleteKey(root, key); }

std::string PolecenieDeinstalacji(const std::string& katalogWindows, const std::string& sciezkaDocelowa,
                                  const std::string& nazwaProgramu) {
  return platform::JoinPath(katalogWindows, "Instaler") + ".exe " + " " + ReplaceChar(sciezkaDocelowa, ' ', '#') +
         " " + ReplaceChar(nazwaProgramu, ' ', '#');
}

// ---------------------------------------------------------------------------------------------
// Versioned copy

bool CopyFileVer(InstalatorSrodowisko& srodowisko, const std::string& katalogZrodlowy,
                 const std::string& katalogDocelowy, const std::string& nazwaZrodlowa,
                 const std::string& nazwaDocelowa) {
  const std::string miejsce = "U:Instal F:CopyFileVer";
  try {
    platform::Files& fs = platform::Fs();
    PokazBladGdy(!fs.FileExists(platform::JoinPath(katalogZrodlowy, nazwaZrodlowa)), miejsce,
                 "Plik źródłowy nie istnieje: " + nazwaZrodlowa);
    PokazBladGdy(!fs.DirectoryExists(katalogDocelowy), miejsce, "Katalog docelowy nie istnieje:" + katalogDocelowy);
    const std::string zrodlo = ZKoncowymUkosnikiem(katalogZrodlowy);
    const std::string cel = ZKoncowymUkosnikiem(katalogDocelowy);

    // An installed file of the same or a newer version stays as it is.
    const std::string vs = srodowisko.FileVersion(zrodlo + nazwaZrodlowa);
    const std::string vt = srodowisko.FileVersion(cel + nazwaDocelowa);
    if (!vs.empty() && !vt.empty() && PorownajWersje(vs, vt) <= 0) return true;

    std::vector<std::string> tymczasowe;  // temporary files the service said it left
    auto zainstaluj = [&](uint32_t flagi) {
      std::string tmp;
      const uint32_t r = srodowisko.WywolajVerInstallFile(flagi, nazwaZrodlowa, nazwaDocelowa, zrodlo, cel, tmp);
      if ((r & kVifTempFile) && !tmp.empty()) tymczasowe.push_back(tmp);
      return r;
    };

    bool sukces = false;
    uint32_t r = zainstaluj(0);
    if (r == 0 || (r & kVifSrcOld)) {
      sukces = true;
    } else if (r & kVifDiffLang) {
      r = zainstaluj(kViffForceInstall);
      sukces = true;
    } else if (r & kVifWriteProt) {
      const std::string plik = cel + nazwaDocelowa;
      if (const std::optional<platform::DirEntry> st = fs.Stat(plik)) {
        fs.SetAttributes(plik, st->attributes & ~(platform::kAttrReadOnly | platform::kAttrArchive));
      }
      r = zainstaluj(0);
      sukces = r == 0;
    } else if (r & (kVifFileInUse | kVifAccessViolation | kVifSharingViolation)) {
      Komunikat(nazwaDocelowa + " jest w użyciu. " + "Proszę zamknąć wszystkie aplikacje i ponownie " +
                    "uruchomić program instalacyjny.",
                rkOstrzezenie);
    } else if (r & kVifCannotReadSrc) {
      Komunikat("Nie można odczytać pliku: " + nazwaDocelowa + " Prawdopodobnie plik jest uszkodzony.", rkStop);
    } else {
      Komunikat(nazwaDocelowa + "nie może być zainstalowany.", rkStop);
    }

    // Every temporary copy still lying in the target directory goes, not only the last one.
    for (const std::string& tmp : tymczasowe) {
      const std::string sciezka = cel + tmp;
      if (LowerCasePL(tmp) != LowerCasePL(nazwaDocelowa) && fs.FileExists(sciezka)) fs.DeleteFile(sciezka);
    }
    return sukces;
  } catch (...) {
    PokazBlad(miejsce, "Błąd nie rozpoznany");
    return false;
  }
}

// ---------------------------------------------------------------------------------------------
// The interpreter

namespace {
// The run whose staging folder must go even when the process is ended from inside a dialog.
TInstalator* biezacyPrzebieg = nullptr;
}  // namespace

void UsunKatalogTymczasowyPrzerwanegoPrzebiegu() {
  if (biezacyPrzebieg) biezacyPrzebieg->UsunKatalogTymczasowy();
}

TInstalator::TInstalator(InstalatorSrodowisko& srodowisko, InstalatorOkna& okna)
    : srodowisko_(srodowisko), okna_(okna) {
  biezacyPrzebieg = this;
}

TInstalator::~TInstalator() {
  UsunKatalogTymczasowy();
  if (biezacyPrzebieg == this) biezacyPrzebieg = nullptr;
}

void TInstalator::UstawStanPoczatkowy() {
  UsunKatalogTymczasowy();
  stan_ = TStanInstalacji();
  stan_.katalogZrodlowy = BezKoncowegoUkosnika(srodowisko_.KatalogBiezacy());
  anulowano_ = false;
  katalogPrzyjety_.clear();
}

bool TInstalator::PrzygotujKatalogTymczasowy() {
  if (!stan_.katalogTymczasowy.empty()) return true;
  platform::Files& fs = platform::Fs();
  const std::string temp = BezKoncowegoUkosnika(DajKatalogTemp());
  // A relative TEMP would put the staging folder (and its removal) on the distribution disk.
  if (temp.empty() || KanonicznaSciezka(temp).empty() || !fs.DirectoryExists(temp)) {
    Komunikat("Brak katalogu plików tymczasowych: zmienna TEMP nie wskazuje istniejącego katalogu. "
              "Instalacja nie może być kontynuowana.",
              rkStop);
    return false;
  }
  // A folder of this run only, that no other user may enter and nobody can name in advance:
  // nothing placed in the temporary directory can become a file of this installation, and
  // nothing can be slipped into the folder for its removal to follow.
  if (const std::optional<std::string> katalog = fs.CreatePrivateDirectory(temp, "Instaler-")) {
    stan_.katalogTymczasowy = *katalog;
    return true;
  }
  Komunikat("Nie mogę utworzyć katalogu na pliki instalacji w katalogu plików tymczasowych: " + temp +
                ". Instalacja nie może być kontynuowana.",
            rkStop);
  return false;
}

std::optional<std::string> TInstalator::KoncowyKatalogTymczasowy() const {
  if (stan_.katalogTymczasowy.empty()) return std::nullopt;
  const std::optional<std::string> koncowy = platform::Fs().FinalPath(stan_.katalogTymczasowy);
  if (!koncowy || !ZgodnaSciezkaKoncowa(stan_.katalogTymczasowy, *koncowy)) return std::nullopt;
  return koncowy;
}

void TInstalator::UsunKatalogTymczasowy() {
  if (stan_.katalogTymczasowy.empty()) return;
  // Removed as it was made: nothing through a link, a link as the link.
  if (const std::optional<std::string> koncowy = KoncowyKatalogTymczasowy()) UsunDrzewo(*koncowy);
  stan_.katalogTymczasowy.clear();
  stan_.zainstalowanePliki.clear();
}

bool TInstalator::WczytajSkrypt() {
  const std::string sciezka = platform::JoinPath(stan_.katalogZrodlowy, kSkrypt);
  if (!platform::Fs().FileExists(sciezka)) {
    Komunikat("Brak pliku instalacyjnego: install.cfg Instalacja nie może być kontynuowana!", rkStop);
    return false;
  }
  TStringList surowe;
  if (!ReadTextLines(sciezka, surowe)) {
    Komunikat("Nie mogę odczytać pliku: install.cfg", rkStop);
    return false;
  }
  stan_.linie = FiltrujLinieSkryptu(surowe);
  return true;
}

WynikInstalacji TInstalator::Uruchom() {
  okna_.PokazOknoStartowe();
  UstawStanPoczatkowy();
  if (!WczytajSkrypt()) return wiNiepowodzenie;
  if (!MaRozkazFinal(stan_.linie)) {
    Komunikat("Błąd w pliku Install.cfg: Brak rozkazu \"Final\"", rkOstrzezenie);
    return wiNiepowodzenie;
  }
  if (!PrzygotujKatalogTymczasowy()) return wiNiepowodzenie;
  // The staging folder goes with the run, whichever way it ends.
  struct Sprzatanie {
    TInstalator& i;
    ~Sprzatanie() { i.UsunKatalogTymczasowy(); }
  } sprzatanie{*this};
  try {
    for (size_t i = 0; i < stan_.linie.size(); ++i) {
      okna_.ObsluzKomunikaty();
      const bool ok = WykonajLinie(stan_.linie[i]);
      if (anulowano_) {
        UsunPlikiTymczasowe();
        return wiAnulowano;
      }
      if (stan_.pokazanyPostep) okna_.UstawPostep(static_cast<int>(i));
      if (!ok || stan_.przerwij) {
        Komunikat("Instalacja programu nie zakończyła się pomyślnie.", rkOstrzezenie);
        // Whatever stopped the run, no staged copy stays behind in the temporary directory.
        UsunPlikiTymczasowe();
        return wiNiepowodzenie;
      }
    }
  } catch (const std::exception& e) {
    UsunPlikiTymczasowe();
    ShowMessage(e.what());
    return wiWyjatek;
  } catch (...) {
    UsunPlikiTymczasowe();
    return wiWyjatek;
  }
  okna_.ZamknijPostep();
  Komunikat("Instalacja programu przebiegła pomyślnie. Życzę miłej pracy!", rkInformacja);
  return wiSukces;
}

bool TInstalator::WykonajLinie(const std::string& linia) {
  TOrganizatorTekstu slowa;
  slowa.UstawSeparatory(" ");
  slowa.UstawTekst(linia);
  const std::string rozkaz = LowerCasePL(slowa.DajWyraz(1));
  const std::string a1 = slowa.DajWyraz(2), a2 = slowa.DajWyraz(3), a3 = slowa.DajWyraz(4), a4 = slowa.DajWyraz(5);

  if (rozkaz == "group") return RozkazGroup(a1);
  if (rozkaz == "space") return RozkazSpace(a1);
  if (rozkaz == "destpath") return RozkazDestPath(a1);
  if (rozkaz == "show") return RozkazShow();
  if (rozkaz == "mkdir") return RozkazMkDir(a1);
  if (rozkaz == "mkdestdir") return RozkazMkDestDir();
  if (rozkaz == "file") return RozkazFile(a1, a2);
  if (rozkaz == "disk") return RozkazDisk(a1);
  if (rozkaz == "creategroup") return RozkazCreateGroup();
  if (rozkaz == "createprogmanitem") return RozkazCreateProgManItem(a1, a2, a3);
  if (rozkaz == "addtoinifile") return RozkazAddToIniFile(a1, a2, a3, a4);
  if (rozkaz == "final") return RozkazFinal();
  if (rozkaz == "programname") return RozkazProgramName(a1);
  if (rozkaz == "run") return RozkazRun(a1);
  if (rozkaz == "uninstall") return RozkazUninstall();
  Komunikat("Błąd syntaktyczny w pliku konfiguracyjnym INSTAL.CFG w linij: " + linia, rkStop);
  return false;
}

bool TInstalator::Blad(int numer, const std::string& dodatek) {
  UsunPlikiTymczasowe();
  Komunikat(TekstBledu(numer) + dodatek, rkStop);
  return false;
}

void TInstalator::UsunPlikiTymczasowe() {
  // Never relative to the current directory, which is the distribution disk.
  const std::optional<std::string> katalog = KoncowyKatalogTymczasowy();
  if (!katalog) return;
  // Each staged name once, and past a file that will not go, so that one failure leaves no others.
  std::set<std::string> usuniete;
  for (const std::string& nazwa : stan_.zainstalowanePliki) {
    if (!usuniete.insert(LowerCasePL(nazwa)).second) continue;
    if (platform::Fs().FileExists(platform::JoinPath(*katalog, nazwa)))
      platform::Fs().DeleteEntry(*katalog, nazwa, platform::kEntryFile | platform::kEntryReadOnly, {});
  }
}

void TInstalator::ZachowajNowszyZainstalowany(const std::string& nazwaDocelowa) {
  if (stan_.sciezkaDocelowa == kNieokreslone) return;
  const std::string zainstalowany = platform::JoinPath(stan_.sciezkaDocelowa, nazwaDocelowa);
  if (!platform::Fs().FileExists(zainstalowany)) return;
  // The staged copy is already expanded, so its version is readable whatever the disk holds.
  const std::string przygotowany = platform::JoinPath(stan_.katalogTymczasowy, nazwaDocelowa);
  const std::string nowa = srodowisko_.FileVersion(przygotowany);
  const std::string stara = srodowisko_.FileVersion(zainstalowany);
  if (nowa.empty() || stara.empty() || PorownajWersje(nowa, stara) >= 0) return;
  TStringList& lista = stan_.zainstalowanePliki;
  lista.erase(std::remove_if(lista.begin(), lista.end(),
                             [&](const std::string& n) { return LowerCasePL(n) == LowerCasePL(nazwaDocelowa); }),
              lista.end());
  if (const std::optional<std::string> katalog = KoncowyKatalogTymczasowy())
    platform::Fs().DeleteEntry(*katalog, nazwaDocelowa, platform::kEntryFile | platform::kEntryReadOnly, {});
  okna_.PokazUwage("Plik " + nazwaDocelowa + " w katalogu docelowym ma nowszą wersję (" + stara +
                   ") niż instalowana (" + nowa + ") i zostaje bez zmian.");
}

std::string TInstalator::KatalogWgPolozenia(const std::string& polozenie) const {
  if (polozenie == "p") return stan_.sciezkaDocelowa;
  if (polozenie == "s") return DajKatalogSystem();
  if (polozenie == "w") return DajKatalogWindows();
  return polozenie;
}

bool TInstalator::RozkazGroup(const std::string& nazwa) {
  if (nazwa == "Startup") {
    const std::string folder = BezKoncowegoUkosnika(ShellFolder("Startup"));
    stan_.nazwaGrupy = AfterLastChar(folder, '\\');
    return true;
  }
  if (nazwa.empty()) return Blad(1);
  stan_.nazwaGrupy = UnderscoresToSpaces(nazwa);
  return true;
}

bool TInstalator::RozkazSpace(const std::string& megabajty) {
  double v = 0;
  if (!CzytajMegabajty(megabajty, v)) return Blad(2, megabajty);
  stan_.wymaganeMiejsce = v;
  return true;
}

bool TInstalator::RozkazDestPath(const std::string& sciezka) {
  if (sciezka.empty()) return Blad(3);
  stan_.sciezkaDocelowa = UnderscoresToSpaces(sciezka);
  return true;
}

bool TInstalator::RozkazShow() {
  if (stan_.sciezkaDocelowa == kNieokreslone) return Blad(4);
  DaneOknaGlownego dane;
  dane.grupaDostepna = stan_.nazwaGrupy != kNieokreslone;
  if (stan_.wymaganeMiejsce < 0) return Blad(6);

  okna_.ZamknijOknoStartowe();
  dane.nazwaProgramu = stan_.nazwaProgramu == kNieokreslone ? std::string() : stan_.nazwaProgramu;
  dane.nazwaGrupy = dane.grupaDostepna ? stan_.nazwaGrupy : std::string();
  dane.sciezkaDocelowa = stan_.sciezkaDocelowa;
  dane.wymaganeMiejsce = TekstMegabajtow(stan_.wymaganeMiejsce);
  // The free space that matters is the one of the drive the program goes to.
  char naped = 'C';
  const std::string& cel = stan_.sciezkaDocelowa;
  if (cel.size() >= 2 && cel[1] == ':' && std::isalpha(static_cast<unsigned char>(cel[0]))) naped = cel[0];
  const double wolne = FreeMBDiscSpace(naped);
  dane.dostepneMiejsce = TekstMegabajtow(wolne);
  dane.brakMiejsca = wolne < stan_.wymaganeMiejsce;
  const std::string ikona = platform::JoinPath(stan_.katalogZrodlowy, "icon.ico");
  if (platform::Fs().FileExists(ikona)) dane.ikona = ikona;
  const std::string licencja = platform::JoinPath(stan_.katalogZrodlowy, "Licencja.txt");
  if (platform::Fs().FileExists(licencja)) dane.licencja = licencja;

  const std::string nazwaProgramu = stan_.nazwaProgramu;
  dane.sprawdzKatalog = [nazwaProgramu](const std::string& sciezka) {
    return SprawdzKatalogInstalacji(sciezka, nazwaProgramu);
  };

  const std::string grupaSkryptu = stan_.nazwaGrupy;
  if (okna_.PokazOknoGlowne(stan_, dane) == WynikOknaGlownego::Anuluj) {
    anulowano_ = true;
    return false;
  }
  // The window does not let a refused folder through; a window that did would still not install.
  if (const std::string blad = SprawdzKatalogInstalacji(stan_.sciezkaDocelowa, nazwaProgramu); !blad.empty()) {
    Komunikat(blad, rkOstrzezenie);
    return false;
  }
  katalogPrzyjety_ = KanonicznaSciezka(stan_.sciezkaDocelowa);
  // Noted for the uninstall script, so that the group the user named is the one removed.
  if (dane.grupaDostepna && stan_.nazwaGrupy != grupaSkryptu) {
    stan_.grupaSkryptu = grupaSkryptu;
    stan_.grupaUzytkownika = stan_.nazwaGrupy;
  }
  okna_.PokazPostep(stan_, std::max(0, static_cast<int>(stan_.linie.size()) - 1));
  stan_.pokazanyPostep = true;
  return true;
}

bool TInstalator::RozkazMkDir(const std::string& nazwa) {
  if (nazwa.empty()) return Blad(7);
  const std::string katalog = platform::JoinPath(stan_.sciezkaDocelowa, nazwa);
  // A folder of the program: ".." or a full path would make it anywhere on the disk, and the
  // destination itself must be one a program may have.
  if (!SciezkaWewnatrz(nazwa, false)) return Blad(8, " " + katalog);
  if (!KatalogDocelowyPrzyjety()) return false;
  if (platform::Fs().DirectoryExists(katalog)) return true;
  if (!platform::Fs().CreateDirectory(katalog)) return Blad(8, " " + katalog);
  if (!platform::Fs().SetAccessList(katalog, ListaDostepuPodkataloguProgramu())) return Blad(25, katalog);
  return true;
}

bool TInstalator::RozkazMkDestDir() {
  if (stan_.sciezkaDocelowa == kNieokreslone) return Blad(4);
  // Checked before anything is made: the run's own folders then do not count as another's files.
  if (!KatalogDocelowyPrzyjety()) return false;
  // Made level by level, so a ".." on the way would leave a folder outside the destination.
  const std::string cel = KanonicznaSciezka(stan_.sciezkaDocelowa);
  if (!platform::Fs().DirectoryExists(cel) && (!CreatePath(cel) || !platform::Fs().DirectoryExists(cel)))
    return Blad(8, " " + stan_.sciezkaDocelowa);
  // Protected before anything of the program lies in it.
  return ZabezpieczKatalogDocelowy();
}

bool TInstalator::TrzymajKatalogDocelowy(std::unique_ptr<platform::HeldFolder>& trzymany) {
  const std::string cel = KanonicznaSciezka(stan_.sciezkaDocelowa);
  if (!platform::Fs().DirectoryExists(cel)) return true;  // the copy into it reports that
  trzymany = platform::Fs().HoldFolder(cel);
  if (trzymany && ZgodnaSciezkaKoncowa(cel, trzymany->FinalPath())) return true;
  trzymany.reset();
  return Blad(26, cel);
}

bool TInstalator::ZabezpieczKatalogDocelowy() {
  std::unique_ptr<platform::HeldFolder> trzymany;
  if (!TrzymajKatalogDocelowy(trzymany)) return false;
  if (!trzymany) return true;  // nothing to protect yet
  const std::string cel = KanonicznaSciezka(stan_.sciezkaDocelowa);
  if (!platform::Fs().SetAccessList(cel, ListaDostepuKataloguProgramu())) return Blad(25, cel);
  return true;
}

bool TInstalator::KatalogDocelowyPrzyjety() {
  const std::string cel = KanonicznaSciezka(stan_.sciezkaDocelowa);
  // Checked whole once per destination (the run's own files then make it non-empty); after that
  // only whether it has become a folder no program may have (a link on the way).
  const bool przyjety = !cel.empty() && LowerCasePL(cel) == LowerCasePL(katalogPrzyjety_);
  if (przyjety && PowodOchronyKatalogu(cel).empty()) return true;
  const std::string blad = SprawdzKatalogInstalacji(stan_.sciezkaDocelowa, stan_.nazwaProgramu);
  if (!blad.empty()) {
    UsunPlikiTymczasowe();
    Komunikat(blad, rkStop);
    return false;
  }
  katalogPrzyjety_ = cel;
  return true;
}

bool TInstalator::RozkazFile(const std::string& nazwaZrodlowa, const std::string& rozszerzenie) {
  if (nazwaZrodlowa.empty()) return Blad(9);
  const size_t dlugosc = Znaki(rozszerzenie);
  if (dlugosc == 0 || dlugosc > 3) return Blad(12, rozszerzenie);

  if (!PrzygotujKatalogTymczasowy()) return false;

  const std::string zrodlo = platform::JoinPath(stan_.katalogZrodlowy, nazwaZrodlowa);
  const std::string nazwaDocelowa = nazwaZrodlowa.substr(0, nazwaZrodlowa.find('.')) + "." + rozszerzenie;
  bool dodany = false;
  for (;;) {
    while (!platform::Fs().FileExists(zrodlo)) {
      const std::string pytanie = "Nie mogę odnaleźć pliku źródłowego: {#color:red}" + ShortenPath(zrodlo, 38) +
                                  "{#plain}" + "Czy ponowić próbę?";
      if (KomunikatPytanie(pytanie, rkOstrzezenie) != okTak) return false;
    }
    if (!dodany) {
      stan_.zainstalowanePliki.push_back(nazwaDocelowa);
      dodany = true;
    }
    okna_.PokazPlik(nazwaZrodlowa, LowerCasePL(platform::JoinPath(stan_.katalogTymczasowy, nazwaDocelowa)));
    if (CopyFileVer(srodowisko_, stan_.katalogZrodlowy, stan_.katalogTymczasowy, nazwaZrodlowa, nazwaDocelowa)) {
      ZachowajNowszyZainstalowany(nazwaDocelowa);
      return true;
    }
    if (KomunikatPytanie("Nie udało się zainstalować tego pliku, czy chcesz spróbować jeszcze raz?", rkPytanie) !=
        okTak) {
      return false;
    }
  }
}

bool TInstalator::RozkazDisk(const std::string& numer) {
  if (!IsNumber(numer)) return Blad(11, numer);
  Komunikat("Proszę włożyć do stacji dyskietkę nr " + numer, rkInformacja);
  const std::string etykieta = stan_.katalogZrodlowy + "\\" + "disc" + numer + ".lab";
  while (!platform::Fs().FileExists(etykieta)) {
    if (KomunikatOstrzezenie("To nie jest dysk nr: " + numer + ". Proszę sprawdzić numer dysku na etykiecie.",
                             rkOstrzezenie) != okOk) {
      return false;
    }
  }
  return true;
}

bool TInstalator::RozkazCreateGroup() {
  if (stan_.nazwaGrupy == kNieokreslone) return Blad(5);
  if (!srodowisko_.ProgManExecute("[CreateGroup(" + stan_.nazwaGrupy + ")]\r\n", true)) {
    Komunikat("Nie mogę utworzyć grupy!", rkOstrzezenie);
    return false;
  }
  return true;
}

bool TInstalator::RozkazCreateProgManItem(const std::string& polozenie, const std::string& plik,
                                          const std::string& tytul) {
  if (tytul.empty()) return Blad(15);
  if (polozenie.empty()) return Blad(16, ShortenPath(platform::JoinPath(stan_.sciezkaDocelowa, plik), 38));
  std::string katalog = KatalogWgPolozenia(polozenie);
  if (katalog == polozenie) katalog = platform::JoinPath(stan_.sciezkaDocelowa, polozenie);

  std::string krotki;
  if (const std::optional<std::string> k = platform::Fs().ShortPath(katalog)) {
    krotki = *k;
  } else {
    PokazBlad("U:Instal P:RozkazCreateProgManItem", "Błąd w czasie skracania ścieżki");
    krotki = katalog;  // the long form still names the file
  }
  const std::string sciezka = platform::JoinPath(BezKoncowegoUkosnika(krotki), plik);
  if (plik.empty() || !platform::Fs().FileExists(sciezka)) return Blad(16, ShortenPath(sciezka, 38));

  const std::string rozkaz = "[AddItem(" + sciezka + ", " + UnderscoresToSpaces(tytul) + ")]\r\n";
  if (!srodowisko_.ProgManExecute(rozkaz, false)) {
    Komunikat("Nie mogę utworzyć ikony. Należy to zrobić ręcznie.", rkOstrzezenie);
  }
  return true;
}

bool TInstalator::RozkazAddToIniFile(const std::string& plik, const std::string& sekcja, const std::string& klucz,
                                     const std::string& wartosc) {
  const std::string sciezka = platform::JoinPath(DajKatalogWindows(), plik);
  // A file of the Windows folder itself: no folder, drive or ".." in its name.
  if (plik.empty() || ContainsAnyOf(plik, "\\/:") || !SciezkaWewnatrz(plik, false) ||
      !platform::Fs().FileExists(sciezka) || LowerCasePL(Rozszerzenie(plik)) != ".ini") {
    return Blad(18, plik);
  }
  if (wartosc.empty()) return Blad(19);

  TOrganizatorTekstu czesci;
  czesci.UstawSeparatory("+");
  czesci.UstawTekst(wartosc);
  std::string wynik;
  for (int i = 1; i <= czesci.LiczbaWyrazow(); ++i) wynik += KatalogWgPolozenia(czesci.DajWyraz(i));

  if (!srodowisko_.ZapiszDoIni(sciezka, UnderscoresToSpaces(sekcja), klucz, wynik)) {
    UsunPlikiTymczasowe();
    Komunikat("Nie mogę zapisać do pliku: " + sciezka, rkStop);
    return false;
  }
  return true;
}

bool TInstalator::RozkazFinal() {
  // The destination is checked here whether "show" ran or not, and protected before the files go in.
  if (stan_.sciezkaDocelowa == kNieokreslone) {
    // Nothing to place is placed nowhere; anything else would land relative to the disk.
    if (stan_.zainstalowanePliki.empty()) return true;
    return Blad(4);
  }
  // Held while the files go in: no link can take the folder's place meanwhile.
  std::unique_ptr<platform::HeldFolder> trzymany;
  if (!KatalogDocelowyPrzyjety() || !ZabezpieczKatalogDocelowy() || !TrzymajKatalogDocelowy(trzymany)) return false;
  bool ok = CopyFilesFromList(stan_.katalogTymczasowy, stan_.sciezkaDocelowa, stan_.zainstalowanePliki);
  for (size_t i = 0; ok && i < stan_.zainstalowanePliki.size(); ++i) {
    const std::string plik = platform::JoinPath(stan_.sciezkaDocelowa, stan_.zainstalowanePliki[i]);
    ok = platform::Fs().SetAccessList(plik, ListaDostepuPlikuProgramu());
  }
  UsunPlikiTymczasowe();
  // Moved (or gone): a later "final" must not look for them again.
  stan_.zainstalowanePliki.clear();
  if (!ok) {
    Komunikat("Błąd w czasie kopiowania plików. Zamnknij wszystkie uruchomione programy  i powtórz instalacje.",
              rkStop);
    return false;
  }
  return true;
}

bool TInstalator::RozkazProgramName(const std::string& nazwa) {
  if (nazwa.empty()) return true;
  // The name becomes a key of the uninstall entries and a parameter of the uninstall command: a
  // "\\" would name the whole list of entries, a "#" would come back as a space.
  const std::string n = UnderscoresToSpaces(nazwa);
  if (!NazwaProgramuPoprawna(n)) return Blad(23, n);
  stan_.nazwaProgramu = n;
  return true;
}

std::string TInstalator::ProgramDoUruchomienia(const std::string& plik) const {
  // A program of the destination (named within it) or of the distribution disk (named in full),
  // never one reached through a link: the installer runs with administrator rights.
  const std::string cel = KanonicznaSciezka(stan_.sciezkaDocelowa);
  std::string sciezka;
  if (SciezkaWewnatrz(plik, false)) {
    if (cel.empty()) return std::string();
    sciezka = KanonicznaSciezka(platform::JoinPath(cel, plik));
  } else {
    sciezka = KanonicznaSciezka(plik);
    const std::string zrodlo = KanonicznaSciezka(stan_.katalogZrodlowy);
    auto wewnatrz = [&](const std::string& folder) {
      const std::string f = folder.empty() || folder.back() == '\\' ? folder : folder + "\\";
      return !f.empty() && sciezka.size() > f.size() && LowerCasePL(sciezka.substr(0, f.size())) == LowerCasePL(f);
    };
    if (sciezka.empty() || !(wewnatrz(cel) || wewnatrz(zrodlo))) return std::string();
  }
  const std::optional<std::string> koncowa = platform::Fs().FinalPath(sciezka);
  if (!platform::Fs().FileExists(sciezka) || !koncowa || !ZgodnaSciezkaKoncowa(sciezka, *koncowa)) return std::string();
  return sciezka;
}

bool TInstalator::RozkazRun(const std::string& plik) {
  const std::string sciezka = ProgramDoUruchomienia(plik);
  if (plik.empty() || sciezka.empty()) return Blad(24, plik);
  // Quoted, so that a destination with spaces names one program.
  if (RunProgram("\"" + sciezka + "\"", kSwShowNormal) != 0) {
    UsunPlikiTymczasowe();
    Komunikat("Nie mogę uruchomić programu: " + sciezka, rkStop);
    return false;
  }
  return true;
}

bool TInstalator::RozkazUninstall() {
  if (stan_.nazwaProgramu == kNieokreslone) return Blad(21);
  if (stan_.sciezkaDocelowa == kNieokreslone) return Blad(4);
  const std::string skrypt = platform::JoinPath(stan_.katalogZrodlowy, kSkryptDeinstalacji);
  if (!platform::Fs().FileExists(skrypt)) return Blad(22);

  platform::Registry& reg = platform::Reg();
  const std::string klucz = KluczDeinstalacji(stan_.nazwaProgramu);
  const std::string windows = DajKatalogWindows();
  const std::string polecenie = PolecenieDeinstalacji(windows, stan_.sciezkaDocelowa, stan_.nazwaProgramu);
  // The folder is also written as it is, so that the uninstaller can hold the folder it is given
  // against the one installed; the quiet command serves unattended uninstalls.
  if (!reg.CreateKey(platform::Root::LocalMachine, klucz) ||
      !reg.WriteString(platform::Root::LocalMachine, klucz, "DisplayName", stan_.nazwaProgramu) ||
      !reg.WriteString(platform::Root::LocalMachine, klucz, "UninstallString", polecenie) ||
      !reg.WriteString(platform::Root::LocalMachine, klucz, "QuietUninstallString", polecenie + " /cicho") ||
      !reg.WriteString(platform::Root::LocalMachine, klucz, "InstallLocation",
                       KanonicznaSciezka(stan_.sciezkaDocelowa))) {
    UsunPlikiTymczasowe();
    Komunikat("Nie mogę zapisać informacji o deinstalacji programu w rejestrze.", rkStop);
    return false;
  }
  const std::string instalator = platform::JoinPath(stan_.katalogZrodlowy, kPlikInstalatora);
  if (!platform::Fs().CopyFile(instalator, platform::JoinPath(windows, kPlikInstalatora), true)) {
    Komunikat("Nie mogę skopiować pliku: " + ShortenPath(instalator, 38), rkStop);
    return false;
  }
  const std::string celSkryptu = platform::JoinPath(stan_.sciezkaDocelowa, kSkryptDeinstalacji);
  std::unique_ptr<platform::HeldFolder> trzymany;
  if (!TrzymajKatalogDocelowy(trzymany)) return false;
  bool skopiowany;
  if (stan_.grupaSkryptu.empty()) {
    skopiowany = platform::Fs().CopyFile(skrypt, celSkryptu, true);
  } else {
    TStringList linie;
    skopiowany = ReadTextLines(skrypt, linie);
    for (std::string& linia : linie) linia = PrzepiszGrupe(linia, stan_.grupaSkryptu, stan_.grupaUzytkownika);
    skopiowany = skopiowany && WriteTextLines(celSkryptu, linie);
  }
  if (!skopiowany) {
    Komunikat("Nie mogę skopiować pliku: " + ShortenPath(skrypt, 38), rkStop);
    return false;
  }
  // The script the elevated uninstaller replays: readable by users, changeable by administrators only.
  if (!platform::Fs().SetAccessList(celSkryptu, ListaDostepuPlikuProgramu())) return Blad(25, celSkryptu);
  return true;
}
