#include "cleanup/UsuwaniePlikow.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "cleanup/Kronika.h"
#include "settings/Globalne.h"
#include "platform/Platform.h"

using platform::Fs;
using platform::JoinPath;

namespace {

// The order an NTFS listing comes in (letter case ignored), whatever the file system gives.
void Sortuj(std::vector<platform::DirEntry>& wpisy) {
  std::stable_sort(wpisy.begin(), wpisy.end(), [](const platform::DirEntry& a, const platform::DirEntry& b) {
    return UpperCasePL(a.name) < UpperCasePL(b.name);
  });
}

std::optional<OpcjePlikowTymczasowych> CzytajOpcje() {
  auto dane = platform::Reg().ReadBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjePlikowTymczasowych);
  if (!dane || dane->size() != OpcjePlikowTymczasowych::kRozmiar) return std::nullopt;
  return OpcjePlikowTymczasowych::FromBytes(*dane);
}

// Only the date changes; a value that is missing or of another size is left alone.
void ZapiszDateCzyszczenia(const KontekstCzyszczenia& k) {
  auto opcje = CzytajOpcje();
  if (!opcje) return;
  opcje->ostatnieCzyszczenie = static_cast<double>(static_cast<int64_t>(platform::Time().Now()));
  if (!platform::Reg().WriteBinary(platform::Root::CurrentUser, kKluczKalmo, wartosc::OpcjePlikowTymczasowych,
                                   opcje->ToBytes()))
    k.zglos(kMiejsceCzyszczenia, "Nie mogę zapisać daty ostatniego usuwania plików tymczasowych.");
}

// path lies below folder (both final paths), letter case aside.
bool Wewnatrz(const std::string& sciezka, const std::string& folder) {
  const std::string f = PostacPorownania(folder) + "\\";
  const std::string p = PostacPorownania(sciezka);
  return p.size() > f.size() && p.compare(0, f.size(), f) == 0;
}

struct Przejscie {
  const ParaMaski& para;
  bool trybKosza;
  bool kronika;
  std::string korzen;  // final path of the rule's folder
  double dzis;
  const KontekstCzyszczenia& k;
  WynikCzyszczenia& wynik;

  // Files of one folder before those of its subfolders, as a listing of the whole tree would give.
  void Folder(const std::string& folder, bool rekurencyjnie) {
    auto wpisy = Fs().List(folder, "*");
    if (!wpisy) return;
    Sortuj(*wpisy);
    for (const platform::DirEntry& e : *wpisy) {
      if (k.przerwano()) {
        wynik.przerwany = true;
        return;
      }
      // A link is never followed nor deleted through; the whole entry is passed over.
      if (e.directory || (e.attributes & platform::kAttrReparsePoint)) continue;
      if (!PasujeDoMaski(e.name, para.maska)) continue;
      ++wynik.zbadane;
      if (trybKosza && NazwaChronionaKosza(e.name)) continue;
      const double data = trybKosza ? e.createTime : e.writeTime;
      if (!PlikDoUsuniecia(data, dzis, trybKosza, para.dni)) continue;
      const std::string sciezka = JoinPath(folder, e.name);
      // A file in use, read-only or outside the rule's folder stays, without a word.
      if (!Fs().DeleteFileInside(sciezka, korzen)) continue;
      ++wynik.usuniete;
      if (kronika) DopiszDoKroniki(k.plikKroniki, sciezka);
      if (k.poUsunieciu) k.poUsunieciu(sciezka);
    }
    if (!rekurencyjnie) return;
    for (const platform::DirEntry& e : *wpisy) {
      if (!e.directory || e.name == "." || e.name == "..") continue;
      if (e.attributes & platform::kAttrReparsePoint) continue;
      // A folder that resolves outside the rule's folder (or cannot be resolved) is a link too.
      const std::string pod = JoinPath(folder, e.name);
      auto final = Fs().FinalPath(pod);
      if (!final || !Wewnatrz(*final, korzen)) continue;
      if (k.przerwano()) {
        wynik.przerwany = true;
        return;
      }
      Folder(pod, true);
      if (wynik.przerwany) return;
    }
  }
};

}  // namespace

std::vector<std::string> FolderyReguly(const RegulaCzyszczenia& regula) {
  std::vector<std::string> foldery;
  auto& fs = Fs();
  if (regula.rodzaj == "T") {
    auto temp = fs.TempDirectory();
    // An unknown temporary folder is an empty one here; never the current folder.
    foldery.push_back(temp ? *temp : std::string());
  } else if (regula.rodzaj == "K") {
    for (char c = 'A'; c <= 'Z'; ++c) {
      if (fs.DriveType(c) != platform::DriveKind::Fixed) continue;
      const std::string kosz = std::string(1, c) + ":\\RECYCLED";
      if (fs.DirectoryExists(kosz)) foldery.push_back(kosz);
    }
  } else {
    foldery.push_back(regula.folder);
  }
  return foldery;
}

void WyczyscFolder(const std::string& folder, bool rekurencyjnie, bool trybKosza, const ParaMaski& para,
                   bool kronika, const KontekstCzyszczenia& kontekst, WynikCzyszczenia& wynik) {
  if (!Fs().DirectoryExists(folder)) return;
  auto korzen = Fs().FinalPath(folder);
  if (!korzen) return;  // without the folder's final path no deletion could be bounded
  Przejscie p{para, trybKosza, kronika, *korzen, platform::Time().Now(), kontekst, wynik};
  p.Folder(folder, rekurencyjnie);
}

WynikCzyszczenia WykonajCzyszczenie(const KontekstCzyszczenia& k) {
  WynikCzyszczenia wynik;
  try {
    auto opcje = CzytajOpcje();
    const bool kronika = opcje && opcje->kronika;
    wynik.tworzKronike = kronika;
    auto reguly = WczytajReguly(k.plikRegul);
    if (!reguly) return wynik;
    const FolderyChronione chronione = DajFolderyChronione();
    for (const RegulaCzyszczenia& r : *reguly) {
      for (const std::string& folder : FolderyReguly(r)) {
        if (FolderNiebezpieczny(folder, chronione)) {
          const std::string nazwa = folder.empty() ? r.folder : folder;
          k.zglos(kMiejsceCzyszczenia, "Folder „" + nazwa +
                                           "” nie może być czyszczony (to folder systemu, katalog główny dysku "
                                           "lub folder profilu użytkownika). Reguła została pominięta.");
          continue;
        }
        for (const ParaMaski& para : r.pary) {
          WyczyscFolder(folder, r.Rekurencyjna(), r.rodzaj == "K", para, kronika, k, wynik);
          if (wynik.przerwany || k.przerwano()) {
            wynik.przerwany = true;
            return wynik;
          }
        }
      }
      if (k.przerwano()) {
        wynik.przerwany = true;
        return wynik;
      }
      ZapiszDateCzyszczenia(k);
    }
  } catch (const std::exception& e) {
    k.zglos(kMiejsceCzyszczenia, std::string("Błąd w czasie usuwania plików tymczasowych: ") + e.what());
  }
  return wynik;
}
