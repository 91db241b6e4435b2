#include "cleanup/UsuwaniePlikow.h"

#include <algorithm>
#include <exception>
#include <memory>
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

struct Przejscie {
  const ParaMaski& para;
  bool trybKosza;
  bool kronika;
  double dzis;
  const KontekstCzyszczenia& k;
  WynikCzyszczenia& wynik;

  bool Przerwij() {
    if (!k.przerwano()) return false;
    wynik.przerwany = true;
    return true;
  }

  // Files of one folder before those of its subfolders, as a listing of the whole tree would give.
  // `koncowy` is the folder's final path (every deletion is bound to it), `pokazany` the path as
  // the rule names it (for the chronicle).
  void Folder(const std::string& koncowy, const std::string& pokazany, bool rekurencyjnie, int glebokosc) {
    auto wpisy = Fs().List(koncowy, "*");
    if (!wpisy || glebokosc > 256) return;
    Sortuj(*wpisy);
    for (const platform::DirEntry& e : *wpisy) {
      if (Przerwij()) return;
      // A link is never followed nor deleted through; the whole entry is passed over.
      if (e.directory || (e.attributes & platform::kAttrReparsePoint)) continue;
      if (!PasujeDoMaski(e.name, para.maska)) continue;
      ++wynik.zbadane;
      if (trybKosza && NazwaChronionaKosza(e.name)) continue;
      if (!PlikDoUsuniecia(trybKosza ? e.createTime : e.writeTime, dzis, trybKosza, para.dni)) continue;
      // The listed name opened as it is: "report.docx." is not "report.docx". Its age is read
      // again on the opened file, which may have been replaced since the listing.
      const platform::DeleteOutcome u =
          Fs().DeleteEntry(koncowy, e.name, platform::kEntryFile, [&](const platform::DirEntry& otwarty) {
            return PlikDoUsuniecia(trybKosza ? otwarty.createTime : otwarty.writeTime, dzis, trybKosza, para.dni);
          });
      // A file in use, read-only, replaced or reached elsewhere stays, without a word; one still
      // open elsewhere is not gone yet and is not chronicled.
      if (u == platform::DeleteOutcome::Pending) ++wynik.oczekujace;
      if (u != platform::DeleteOutcome::Deleted) continue;
      const std::string sciezka = JoinPath(pokazany, e.name);
      ++wynik.usuniete;
      if (kronika) DopiszDoKroniki(k.plikKroniki, sciezka);
      if (k.poUsunieciu) k.poUsunieciu(sciezka);
    }
    if (!rekurencyjnie) return;
    for (const platform::DirEntry& e : *wpisy) {
      if (!e.directory || e.name == "." || e.name == ".." || (e.attributes & platform::kAttrReparsePoint)) continue;
      // Entered only as the folder listed: one whose final path is another (a link the listing
      // did not tell, a folder swapped meanwhile) is passed over.
      const std::string pod = JoinPath(koncowy, e.name);
      auto final = Fs().FinalPath(pod);
      if (!final || PostacPorownania(*final) != PostacPorownania(pod)) continue;
      if (Przerwij()) return;
      Folder(*final, JoinPath(pokazany, e.name), true, glebokosc + 1);
      if (wynik.przerwany) return;
    }
  }
};

// The rule folder opened once and checked: nullptr (after a report, unless it is simply missing)
// when it is a link or leads elsewhere, or when its final path is a folder no rule may clean.
std::unique_ptr<platform::HeldFolder> OtworzFolderReguly(const std::string& folder, const FolderyChronione* chronione,
                                                         const KontekstCzyszczenia& k) {
  if (!Fs().DirectoryExists(folder)) return nullptr;
  std::unique_ptr<platform::HeldFolder> h = Fs().HoldFolder(folder);
  if (!h || !FolderJakNapisany(folder, h->FinalPath())) {
    k.zglos(kMiejsceCzyszczenia, "Folder „" + folder +
                                     "” jest dowiązaniem albo prowadzi przez dowiązanie do innego miejsca i nie "
                                     "będzie czyszczony. Reguła została pominięta.");
    return nullptr;
  }
  if (chronione && FolderNiebezpieczny(h->FinalPath(), *chronione)) {
    k.zglos(kMiejsceCzyszczenia, "Folder „" + folder + "” (" + h->FinalPath() +
                                     ") nie może być czyszczony (to folder systemu, katalog główny dysku lub folder "
                                     "profilu użytkownika). Reguła została pominięta.");
    return nullptr;
  }
  return h;
}

void CzyscZwiazany(const platform::HeldFolder& folder, const std::string& pokazany, bool rekurencyjnie, bool trybKosza,
                   const ParaMaski& para, bool kronika, const KontekstCzyszczenia& kontekst, WynikCzyszczenia& wynik) {
  Przejscie p{para, trybKosza, kronika, platform::Time().Now(), kontekst, wynik};
  p.Folder(folder.FinalPath(), pokazany, rekurencyjnie, 0);
}

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
  const FolderyChronione chronione = DajFolderyChronione();
  if (auto h = OtworzFolderReguly(folder, &chronione, kontekst))
    CzyscZwiazany(*h, folder, rekurencyjnie, trybKosza, para, kronika, kontekst, wynik);
}

WynikCzyszczenia WykonajCzyszczenie(const KontekstCzyszczenia& k) {
  WynikCzyszczenia wynik;
  try {
    auto opcje = CzytajOpcje();
    const bool kronika = opcje && opcje->kronika;
    wynik.tworzKronike = kronika;
    // Rules written by another user would clean what that user chose.
    if (PlikInnegoUzytkownika(k.plikRegul)) {
      k.zglos(kMiejsceCzyszczenia, "Plik reguł usuwania „" + k.plikRegul +
                                       "” należy do innego użytkownika i nie zostanie użyty. Pliki tymczasowe nie "
                                       "zostały usunięte.");
      return wynik;
    }
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
        // One opening and one check of the folder bound every pair of the rule.
        const std::unique_ptr<platform::HeldFolder> h = OtworzFolderReguly(folder, &chronione, k);
        if (!h) continue;
        for (const ParaMaski& para : r.pary) {
          CzyscZwiazany(*h, folder, r.Rekurencyjna(), r.rodzaj == "K", para, kronika, k, wynik);
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
