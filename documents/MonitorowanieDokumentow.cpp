#include "documents/MonitorowanieDokumentow.h"

#include <algorithm>
#include <cstdlib>

#include "base/Cp1250.h"
#include "common/Komunika.h"
#include "common/ObslugaBledow.h"
#include "common/Orgtekst.h"
#include "common/WinTools.h"
#include "platform/Platform.h"

namespace {

constexpr int kSzerokoscSekund = 6;  // candidate entry: seconds right-aligned in six characters
constexpr int32_t kMaksSekundKandydata = 999999;  // the most the six characters hold

std::string TytulKandydata(const std::string& wpis) {
  return wpis.size() > kSzerokoscSekund ? wpis.substr(kSzerokoscSekund) : std::string();
}

int32_t SekundyKandydata(const std::string& wpis) {
  char liczba[kSzerokoscSekund + 1] = {};
  wpis.copy(liczba, kSzerokoscSekund);
  return static_cast<int32_t>(std::strtol(liczba, nullptr, 10));
}

std::string WpisKandydata(int32_t sekundy, const std::string& tytul) {
  return IntToStrSpaces(std::clamp(sekundy, 0, kMaksSekundKandydata), kSzerokoscSekund) + tytul;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Declined titles

bool TListaOdrzuconych::Czytaj(TStringList& wynik, bool& nieczytelny) {
  nieczytelny = false;
  auto& fs = platform::Fs();
  if (!fs.FileExists(plik_)) return true;
  const auto bajty = fs.ReadFile(plik_);
  if (!bajty) {
    nieczytelny = true;
    return false;
  }
  const std::string t = cp1250::ToUtf8(*bajty);
  size_t start = 0;
  while (start < t.size()) {
    size_t end = t.find('\n', start);
    if (end == std::string::npos) end = t.size();
    std::string linia = t.substr(start, end - start);
    if (!linia.empty() && linia.back() == '\r') linia.pop_back();
    wynik.push_back(linia);
    start = end + 1;
  }
  return true;
}

void TListaOdrzuconych::Wczytaj() {
  TStringList z_pliku;
  bool nieczytelny = false;
  if (!Czytaj(z_pliku, nieczytelny)) {
    wczytana_ = false;
    if (!zgloszonoOdczyt_) {
      zgloszonoOdczyt_ = true;
      PokazBlad("TInfoSaver.Create", "Nie mogę odczytać listy odrzuconych dokumentów: " + plik_ +
                                         ". Lista nie będzie zapisywana, dopóki plik nie da się odczytać.");
    }
    return;
  }
  // Titles declined while the file could not be read follow those read from it.
  for (std::string& t : lista_) z_pliku.push_back(std::move(t));
  lista_ = std::move(z_pliku);
  while (lista_.size() > kMaks) lista_.erase(lista_.begin());
  klucze_.clear();
  for (const std::string& t : lista_) klucze_.push_back(KluczDokumentu(t));
  wczytana_ = true;
}

void TListaOdrzuconych::Add(const std::string& tytul) {
  if (!wczytana_) Wczytaj();
  while (lista_.size() >= kMaks) {
    lista_.erase(lista_.begin());
    klucze_.erase(klucze_.begin());
  }
  // The file holds a title per line: a line break inside one would make two titles of it. Its
  // key is the same either way (KluczDokumentu reads a line break as a blank).
  std::string linia = tytul;
  std::replace_if(linia.begin(), linia.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  klucze_.push_back(KluczDokumentu(linia));
  lista_.push_back(std::move(linia));
  if (wczytana_) Zapisz();
}

bool TListaOdrzuconych::Contains(const std::string& tytul) const {
  return ContainsKey(KluczDokumentu(tytul));
}

bool TListaOdrzuconych::ContainsKey(const std::string& klucz) const {
  return std::find(klucze_.begin(), klucze_.end(), klucz) != klucze_.end();
}

void TListaOdrzuconych::Zapisz() {
  std::string tekst;
  for (const std::string& l : lista_) tekst += cp1250::FromUtf8(l) + "\r\n";
  if (platform::Fs().WriteFileReplacing(plik_, tekst)) {
    zgloszonoZapis_ = false;
  } else if (!zgloszonoZapis_) {
    zgloszonoZapis_ = true;
    PokazBlad("TInfoSaver.AddDeclinedDocument", "Nie mogę zapisać listy odrzuconych dokumentów: " + plik_);
  }
}

// ---------------------------------------------------------------------------------------------
// The monitoring

TDokumenty::TDokumenty(std::string plikDokumentow, std::string plikOdrzuconych)
    : plik_(std::move(plikDokumentow)), odrzucone_(std::move(plikOdrzuconych)) {}

bool TDokumenty::Czytaj(TOrganizatorDokumentow& cel) {
  auto& fs = platform::Fs();
  if (!fs.FileExists(plik_)) return true;
  const auto bajty = fs.ReadFile(plik_);
  if (!bajty) {
    if (!zgloszonoOdczyt_) {
      zgloszonoOdczyt_ = true;
      PokazBlad("TInfoSaver.Create", "LoadFromFile: Błąd w czasie wczytywania listy");
    }
    return false;
  }
  // A torn last record is reported; the whole records before it are kept and the next save
  // writes them without the fragment. The list is read once per run, so this is told once.
  if (!cel.DodajZBajtow(*bajty))
    PokazBlad("TInfoSaver.Create", "LoadFromFile: Błąd w czasie wczytywania listy. Plik " + plik_ +
                                       " kończy się niepełnym zapisem dokumentu (bajtów: " +
                                       std::to_string(bajty->size() % DocumentRecord::kRozmiar) +
                                       "), który pominięto. Zachowane pełne zapisy: " +
                                       std::to_string(bajty->size() / DocumentRecord::kRozmiar) + ".");
  return true;
}

void TDokumenty::WczytajDokumenty() {
  TOrganizatorDokumentow z_pliku;
  if (!Czytaj(z_pliku)) {
    wczytane_ = false;
    return;
  }
  // Documents added or credited while the file could not be read join the ones read from it.
  for (int i = 0; i < organizator_.Count(); ++i) {
    const DocumentRecord r = organizator_.Get(i);
    const int j = z_pliku.IndexOfKey(KluczDokumentu(r.Name));
    if (j < 0) {
      z_pliku.Add(r);
    } else {
      DocumentRecord s = z_pliku.Get(j);
      z_pliku.Zalicz(j, r.Seconds, PozniejszaData(s.LastSeen, r.LastSeen));
    }
  }
  organizator_ = std::move(z_pliku);
  wczytane_ = true;
}

void TDokumenty::ZapiszDokumenty() {
  if (!wczytane_) WczytajDokumenty();
  if (!wczytane_) return;  // never replace a file that could not be read
  try {
    organizator_.SaveToFile(plik_);
    zgloszonoZapis_ = false;
  } catch (const ETArchiwumDokumentList& e) {
    if (!zgloszonoZapis_) {
      zgloszonoZapis_ = true;
      PokazBlad("TInfoSaver.ZapiszDokumenty", e.what());
    }
  }
}

void TDokumenty::DodajMonitorwanyDokument(const std::string& tytul) {
  if (organizator_.IndexOfKey(KluczDokumentu(tytul)) != -1) {
    PokazBlad("TInfoSaver.DodajMonitorwanyDokument",
              "Próba dodania monitorowanego już dokumentu do listy dokumentów monitorowanych");
  } else {
    DocumentRecord r;
    // Cut as the record stores it: the name then equals what comes back from the file.
    r.Name = cp1250::ToUtf8(cp1250::FromUtf8(bajty::CutToChars(tytul, DocumentRecord::kMaxNazwa)));
    organizator_.Add(r);
  }
  ZapiszDokumenty();
}

void TDokumenty::UsunMonitorowanyDokument(const std::string& tytul) {
  const int i = organizator_.IndexOfKey(KluczDokumentu(tytul));
  if (i == -1) {
    PokazBlad("TInfoSaver.UsunMonitorowanyDokument", "Próba usunięcia nieistniejącego dokumentu!");
    return;
  }
  organizator_.Delete(i);
  ZapiszDokumenty();
}

bool TDokumenty::IsMonitoredDocument(const std::string& tytul) const {
  return organizator_.IndexOfKey(KluczDokumentu(tytul)) != -1;
}

int TDokumenty::IndeksKandydata(const std::string& klucz) const {
  for (size_t i = 0; i < tymczasowe_.size(); ++i)
    if (KluczDokumentu(TytulKandydata(tymczasowe_[i])) == klucz) return static_cast<int>(i);
  return -1;
}

bool TDokumenty::UsunKandydata(const std::string& tytul) {
  const int i = IndeksKandydata(KluczDokumentu(tytul));
  if (i < 0) return false;
  tymczasowe_.erase(tymczasowe_.begin() + i);
  return true;
}

void TDokumenty::UsunzListyTymczasowychDokumentow(const std::string& tytul) {
  // Exactly the candidate of this title: a shorter title contained in another candidate's
  // title must not remove that one.
  if (!UsunKandydata(tytul))
    PokazBlad("TInfoSaver.UsunzListyTymczasowychDokumentow", "Próba usunięcia nieistniejącego dokumentu");
}

void TDokumenty::NazwyMonitorowanychDokumentow(TStringList& lista) const {
  for (int i = 0; i < organizator_.Count(); ++i) lista.push_back(organizator_.Get(i).Name);
}

void TDokumenty::AdvanceDocuments(int32_t step, const std::string& programy, int32_t czasPytania,
                                  double terazDniaPracy, const std::string& znaki,
                                  std::vector<std::string>& pytania) {
  CzytajOkna(znaki);
  PoliczKandydatow(step, czasPytania, pytania);
  DodajKandydatow(programy);
  // Monitored documents whose window is open gain the step, once however many windows show them.
  zaliczone_.assign(static_cast<size_t>(organizator_.Count()), false);
  for (size_t t = 0; t < tytuly_.size(); ++t) {
    const int i = organizator_.IndexOfKey(kluczeTytulow_[t], hasheTytulow_[t]);
    if (i < 0 || zaliczone_[i]) continue;
    zaliczone_[i] = true;
    organizator_.Zalicz(i, step, terazDniaPracy);
  }
}

void TDokumenty::CzytajOkna(const std::string& znaki) {
  // Windows rarely change between ticks: a window whose title equals the last tick's window at
  // its place keeps the cleaned title, key and hash computed then, so only new titles are cleaned.
  if (znaki != znakiFiltru_) {
    znakiFiltru_ = znaki;
    okna_.clear();
  }
  okna_.swap(poprzednieOkna_);
  tytulOkna_.swap(poprzedniTytulOkna_);
  tytuly_.swap(poprzednieTytuly_);
  kluczeTytulow_.swap(poprzednieKlucze_);
  hasheTytulow_.swap(poprzednieHashe_);
  okna_ = platform::Desk().TopLevelWindows();
  tytulOkna_.assign(okna_.size(), -1);
  tytuly_.clear();
  kluczeTytulow_.clear();
  hasheTytulow_.clear();
  const FiltrTytulowOkien filtr(znaki);
  for (size_t o = 0; o < okna_.size(); ++o) {
    const platform::TopLevelWindow& w = okna_[o];
    if (w.popup) continue;
    if (o < poprzednieOkna_.size() && !poprzednieOkna_[o].popup && poprzednieOkna_[o].title == w.title) {
      const int p = poprzedniTytulOkna_[o];
      if (p < 0) continue;
      tytulOkna_[o] = static_cast<int>(tytuly_.size());
      tytuly_.push_back(std::move(poprzednieTytuly_[p]));
      kluczeTytulow_.push_back(std::move(poprzednieKlucze_[p]));
      hasheTytulow_.push_back(poprzednieHashe_[p]);
      continue;
    }
    std::string tytul = w.title;  // a copy: the window list stays for the next tick's comparison
    if (!filtr.Oczysc(tytul)) continue;
    tytulOkna_[o] = static_cast<int>(tytuly_.size());
    kluczeTytulow_.push_back(KluczDokumentu(tytul));
    hasheTytulow_.push_back(HashKlucza(kluczeTytulow_.back()));
    tytuly_.push_back(std::move(tytul));
  }
}

void TDokumenty::PoliczKandydatow(int32_t step, int32_t czasPytania, std::vector<std::string>& pytania) {
  // Existing candidates, last to first: counted while their window stays, dropped when it is
  // gone or when the title was meanwhile monitored or declined (from the document list).
  const int64_t prog = int64_t{czasPytania} * 60;
  kluczeKandydatow_.resize(tymczasowe_.size());
  for (int i = static_cast<int>(tymczasowe_.size()) - 1; i >= 0; --i) {
    std::string& wpis = tymczasowe_[i];
    const std::string_view tytul = wpis.size() > kSzerokoscSekund ? std::string_view(wpis).substr(kSzerokoscSekund)
                                                                  : std::string_view();
    std::string& klucz = kluczeKandydatow_[i];
    KluczDokumentu(tytul, klucz);
    if (!Otwarty(klucz) || organizator_.IndexOfKey(klucz) != -1 || odrzucone_.ContainsKey(klucz)) {
      tymczasowe_.erase(tymczasowe_.begin() + i);
      kluczeKandydatow_.erase(kluczeKandydatow_.begin() + i);
      continue;
    }
    const int32_t sekundy = static_cast<int32_t>(
        std::clamp<int64_t>(int64_t{SekundyKandydata(wpis)} + std::max<int32_t>(step, 0), 0, kMaksSekundKandydata));
    if (sekundy > prog) pytania.emplace_back(tytul);
    // The six characters of the count are rewritten in place.
    const std::string liczba = IntToStrSpaces(sekundy, kSzerokoscSekund);
    if (wpis.size() >= kSzerokoscSekund) wpis.replace(0, kSzerokoscSekund, liczba);
    else wpis = liczba;
  }
}

void TDokumenty::DodajKandydatow(const std::string& programy) {
  // New candidates: the first window of each monitored program.
  if (programy != programy_) {
    // Split once per change of the setting, not on every tick.
    programy_ = programy;
    nazwyProgramow_ = Wyrazy(programy, "#");
  }
  for (const std::string& program : nazwyProgramow_) {
    const int t = IndexOfContaining(program, tytuly_);
    if (t < 0) continue;
    const std::string& klucz = kluczeTytulow_[t];
    if (organizator_.IndexOfKey(klucz, hasheTytulow_[t]) != -1 || odrzucone_.ContainsKey(klucz) ||
        std::find(kluczeKandydatow_.begin(), kluczeKandydatow_.end(), klucz) != kluczeKandydatow_.end())
      continue;
    tymczasowe_.push_back(WpisKandydata(0, tytuly_[t]));
    kluczeKandydatow_.push_back(klucz);
  }
}

bool TDokumenty::Otwarty(const std::string& klucz) const {
  const size_t h = HashKlucza(klucz);
  for (size_t t = 0; t < tytuly_.size(); ++t)
    if (hasheTytulow_[t] == h && kluczeTytulow_[t] == klucz) return true;
  return false;
}
