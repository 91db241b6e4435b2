#include "documents/OrganizatorDokumentow.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "base/Cp1250.h"
#include "platform/Platform.h"

namespace {

// Lower case of a Windows-1250 byte: ASCII, and the code page's capitals (0x8A..0x8F, Ł, Ą, Ş,
// Ż, Ľ, 0xC0..0xDE without ×) to their small letters. A line break reads as a blank: a title
// that held one is stored on one line of the declined list.
unsigned char MalaCp1250(unsigned char b) {
  if (b >= 'A' && b <= 'Z') return static_cast<unsigned char>(b + 32);
  if (b == '\r' || b == '\n') return ' ';
  switch (b) {
    case 0x8A: case 0x8C: case 0x8D: case 0x8E: case 0x8F: return static_cast<unsigned char>(b + 0x10);
    case 0xA3: return 0xB3;
    case 0xA5: return 0xB9;
    case 0xAA: return 0xBA;
    case 0xAF: return 0xBF;
    case 0xBC: return 0xBE;
    default: break;
  }
  if (b >= 0xC0 && b <= 0xDE && b != 0xD7) return static_cast<unsigned char>(b + 0x20);
  return b;
}

// The lower-case table of all 256 bytes, built once.
struct TablicaMalych {
  unsigned char b[256];
  TablicaMalych() {
    for (int i = 0; i < 256; ++i) b[i] = MalaCp1250(static_cast<unsigned char>(i));
  }
};
const TablicaMalych kMale;

}  // namespace

double PozniejszaData(double a, double b) {
  if (!std::isfinite(a)) return std::isfinite(b) ? b : 0;
  if (!std::isfinite(b)) return a;
  return std::max(a, b);
}

std::string KluczDokumentu(const std::string& tytul) {
  std::string klucz;
  KluczDokumentu(tytul, klucz);
  return klucz;
}

void KluczDokumentu(std::string_view tytul, std::string& klucz) {
  klucz.clear();
  size_t i = 0;
  // ASCII, the usual case, byte by byte through the table.
  const size_t n = std::min(tytul.size(), DocumentRecord::kMaxNazwa);
  while (i < n && static_cast<unsigned char>(tytul[i]) < 0x80) ++i;
  klucz.resize(i);
  for (size_t k = 0; k < i; ++k) klucz[k] = static_cast<char>(kMale.b[static_cast<unsigned char>(tytul[k])]);
  while (i < tytul.size() && klucz.size() < DocumentRecord::kMaxNazwa) {
    const unsigned char c = static_cast<unsigned char>(tytul[i]);
    if (c < 0x80) {
      klucz.push_back(static_cast<char>(kMale.b[c]));
      ++i;
      continue;
    }
    // One character that is not ASCII: take it through the code page as a record stores it.
    size_t dl = 1;
    while (i + dl < tytul.size() && (static_cast<unsigned char>(tytul[i + dl]) & 0xC0) == 0x80 && dl < 4) ++dl;
    const std::string bajt = cp1250::FromUtf8(std::string(tytul.substr(i, dl)));
    for (char b : bajt)
      if (klucz.size() < DocumentRecord::kMaxNazwa) klucz.push_back(static_cast<char>(kMale.b[static_cast<unsigned char>(b)]));
    i += dl;
  }
}

int TOrganizatorDokumentow::Add(const DocumentRecord& r) {
  rekordy_.push_back(r);
  klucze_.push_back(KluczDokumentu(r.Name));
  indeksAktualny_ = false;
  return static_cast<int>(rekordy_.size()) - 1;
}

void TOrganizatorDokumentow::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TOrganizatorDokumentow.Delete");
  rekordy_.erase(rekordy_.begin() + index);
  klucze_.erase(klucze_.begin() + index);
  indeksAktualny_ = false;
}

DocumentRecord TOrganizatorDokumentow::Get(int index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("TOrganizatorDokumentow.Get");
  return rekordy_[index];
}

void TOrganizatorDokumentow::Put(int index, const DocumentRecord& r) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TOrganizatorDokumentow.Put");
  const bool innaNazwa = rekordy_[index].Name != r.Name;
  rekordy_[index] = r;
  if (innaNazwa) {
    klucze_[index] = KluczDokumentu(r.Name);
    indeksAktualny_ = false;
  }
}

void TOrganizatorDokumentow::Zalicz(int index, int32_t sekundy, double kiedy) {
  if (index < 0 || index >= Count()) throw std::out_of_range("TOrganizatorDokumentow.Zalicz");
  DocumentRecord& r = rekordy_[index];
  // A step below zero (damaged settings) counts nothing: a document's time never goes down.
  sekundy = std::max<int32_t>(sekundy, 0);
  // Added in 64 bits and held at the largest count, so that a long-lived record cannot wrap.
  r.Seconds = static_cast<int32_t>(std::min<int64_t>(int64_t{r.Seconds} + sekundy, INT32_MAX));
  r.LastSeen = kiedy;
}

int TOrganizatorDokumentow::IndexOf(const std::string& name) const {
  for (size_t i = 0; i < rekordy_.size(); ++i)
    if (rekordy_[i].Name == name) return static_cast<int>(i);
  return -1;
}

int TOrganizatorDokumentow::IndexOfKey(std::string_view klucz, size_t hash) const {
  if (!indeksAktualny_) {
    size_t rozmiar = 16;
    while (rozmiar < klucze_.size() * 2) rozmiar *= 2;
    indeks_.assign(rozmiar, {0, -1});
    // Records enter in list order, so along a probe the first equal key is the first record.
    for (size_t i = 0; i < klucze_.size(); ++i) {
      const size_t h = HashKlucza(klucze_[i]);
      size_t j = h & (rozmiar - 1);
      while (indeks_[j].second != -1) j = (j + 1) & (rozmiar - 1);
      indeks_[j] = {h, static_cast<int>(i)};
    }
    indeksAktualny_ = true;
  }
  const size_t maska = indeks_.size() - 1;
  for (size_t j = hash & maska; indeks_[j].second != -1; j = (j + 1) & maska)
    if (indeks_[j].first == hash && klucze_[indeks_[j].second] == klucz) return indeks_[j].second;
  return -1;
}

void TOrganizatorDokumentow::SaveToFile(const std::string& file) const {
  std::string bytes;
  bytes.reserve(rekordy_.size() * DocumentRecord::kRozmiar);
  for (const DocumentRecord& r : rekordy_) {
    const std::vector<uint8_t> b = r.ToBytes();
    if (b[0] == 0) continue;  // empty name
    bytes.append(b.begin(), b.end());
  }
  if (!platform::Fs().WriteFileReplacing(file, bytes))
    throw ETArchiwumDokumentList("SaveToFile: Błąd w czasie zapisywania listy!");
}

bool TOrganizatorDokumentow::DodajZBajtow(const std::string& bytes) {
  const size_t n = bytes.size() / DocumentRecord::kRozmiar;
  // Records whose titles differ only in letter case were two records once (an exact comparison
  // kept them apart), but only the first gained time and switching one off went by the key: they
  // are one document, its seconds summed and its latest sighting kept, in the first one's place.
  std::unordered_map<std::string, int> indeksy;
  indeksy.reserve(klucze_.size() + n);
  for (size_t i = 0; i < klucze_.size(); ++i) indeksy.emplace(klucze_[i], static_cast<int>(i));
  for (size_t i = 0; i < n; ++i) {
    const auto* p = reinterpret_cast<const uint8_t*>(bytes.data()) + i * DocumentRecord::kRozmiar;
    const DocumentRecord r = DocumentRecord::FromBytes(std::vector<uint8_t>(p, p + DocumentRecord::kRozmiar));
    const auto [it, nowy] = indeksy.emplace(KluczDokumentu(r.Name), Count());
    if (nowy) {
      Add(r);
      continue;
    }
    DocumentRecord& s = rekordy_[it->second];
    s.Seconds = static_cast<int32_t>(std::clamp<int64_t>(int64_t{s.Seconds} + r.Seconds, INT32_MIN, INT32_MAX));
    s.LastSeen = PozniejszaData(s.LastSeen, r.LastSeen);
  }
  return bytes.size() % DocumentRecord::kRozmiar == 0;
}

void TOrganizatorDokumentow::LoadFromFile(const std::string& file) {
  auto& fs = platform::Fs();
  if (!fs.FileExists(file)) throw ETArchiwumDokumentList("LoadFromFile: plik nie istnieje: " + file);
  const auto bytes = fs.ReadFile(file);
  if (!bytes || !DodajZBajtow(*bytes)) throw ETArchiwumDokumentList("LoadFromFile: Błąd w czasie wczytywania listy");
}
