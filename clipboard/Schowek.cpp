#include "clipboard/Schowek.h"

#include <algorithm>
#include <cmath>

#include "base/Cp1250.h"

namespace {

// One character of a UTF-8 text at i, i moved past it; a malformed byte is U+FFFD, as
// utf8::Decode reads it.
char32_t Znak(const std::string& s, size_t& i) {
  const unsigned char c = static_cast<unsigned char>(s[i]);
  int dalsze = 0;
  char32_t z = 0;
  if (c < 0x80) {
    ++i;
    return c;
  }
  if ((c & 0xE0) == 0xC0) {
    dalsze = 1;
    z = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    dalsze = 2;
    z = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    dalsze = 3;
    z = c & 0x07;
  } else {
    ++i;
    return 0xFFFD;
  }
  for (int k = 1; k <= dalsze; ++k) {
    if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    z = (z << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  }
  i += dalsze + 1;
  return z;
}

// A letter in lower case: ASCII, Latin-1, Latin Extended-A (where the Polish letters are), basic
// Greek and Cyrillic; other characters as they are.
char32_t Male(char32_t c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 32;
  if (c >= 0x100 && c <= 0x137) return c == 0x130 ? c : (c | 1);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return c | 1;
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return (c & 1) ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 32;
  if (c >= 0x410 && c <= 0x42F) return c + 32;
  if (c >= 0x400 && c <= 0x40F) return c + 80;
  return c;
}

}  // namespace

int64_t IloscZnakow(const std::string& tekst) {
  int64_t n = 0;
  for (unsigned char c : tekst)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
}

int64_t RozmiarPozycjiSchowka(int64_t znaki) {
  return znaki > THistoriaSchowka::kMaksPokazanych ? THistoriaSchowka::kMaksPokazanych + 3 : znaki;
}

std::string TekstPozycjiSchowka(const std::string& tekst) {
  std::string wynik;
  int64_t znaki = 0;
  for (size_t i = 0; i < tekst.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(tekst[i]);
    if ((c & 0xC0) != 0x80) {
      if (znaki == THistoriaSchowka::kMaksPokazanych) return wynik + "...";
      ++znaki;
    }
    // CR LF counts as one space.
    if (c == '\r' && i + 1 < tekst.size() && tekst[i + 1] == '\n') continue;
    wynik += (c == '\r' || c == '\n' || c == '\t') ? ' ' : static_cast<char>(c);
  }
  return wynik;
}

bool RowneBezWielkosciLiter(const std::string& a, const std::string& b) {
  // Letters of both cases take the same number of bytes, so texts of other lengths differ; equal
  // bytes need no decoding, and the first difference ends the comparison.
  if (a.size() != b.size()) return false;
  size_t i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (a[i] == b[j] && static_cast<unsigned char>(a[i]) < 0x80) {
      ++i;
      ++j;
      continue;
    }
    if (Male(Znak(a, i)) != Male(Znak(b, j))) return false;
  }
  return i == a.size() && j == b.size();
}

bool ZawieraBezWielkosciLiter(const std::string& tekst, const std::string& szukany) {
  std::u32string wzor = utf8::Decode(szukany);
  for (char32_t& z : wzor) z = Male(z);
  if (wzor.empty()) return true;
  // Tried at every character in turn; the texts are decoded as they are read, so a long text
  // costs no copy. Most characters are ASCII: one that cannot begin the match is passed at once.
  for (size_t i = 0; i < tekst.size(); Znak(tekst, i)) {
    while (i < tekst.size() && static_cast<unsigned char>(tekst[i]) < 0x80 &&
           Male(static_cast<unsigned char>(tekst[i])) != wzor[0])
      ++i;
    if (i >= tekst.size()) break;
    size_t j = i;
    size_t k = 0;
    while (k < wzor.size() && j < tekst.size() && Male(Znak(tekst, j)) == wzor[k]) ++k;
    if (k == wzor.size()) return true;
  }
  return false;
}

std::string OpisWyszukiwaniaSchowka(const std::string& szukany, size_t pasujacych, size_t wszystkich) {
  return "Szukaj: " + szukany + "   (" + std::to_string(pasujacych) + " z " + std::to_string(wszystkich) + ")";
}

void THistoriaSchowka::UstawLimit(int64_t znaki) {
  limit_ = std::max(znaki, kNajmniejszyBufor);
  Przytnij();
}

void THistoriaSchowka::UstawBuforKB(int32_t kilobajty) { UstawLimit(static_cast<int64_t>(kilobajty) * 1024); }

int64_t THistoriaSchowka::SumaZnakow() const {
  int64_t suma = 0;
  for (const auto& p : pozycje_) suma += p.rozmiar;
  return suma;
}

int64_t THistoriaSchowka::PamiecTekstow() const {
  int64_t suma = 0;
  for (const auto& p : pozycje_) suma += static_cast<int64_t>(p.tekst.size());
  return suma;
}

bool THistoriaSchowka::Dodaj(const std::string& tekst) {
  if (tekst.empty()) return false;
  auto rowna = std::find_if(pozycje_.begin(), pozycje_.end(),
                           [&](const Pozycja& p) { return RowneBezWielkosciLiter(p.tekst, tekst); });
  if (rowna != pozycje_.end()) {
    if (rowna + 1 == pozycje_.end()) return false;
    pozycje_.erase(rowna);  // moves to the end, in the letter case as now copied
  }
  const int64_t znaki = IloscZnakow(tekst);
  pozycje_.push_back({tekst, znaki, RozmiarPozycjiSchowka(znaki)});
  Przytnij();
  return true;
}

bool THistoriaSchowka::Usun(size_t indeks) {
  if (indeks >= pozycje_.size()) return false;
  pozycje_.erase(pozycje_.begin() + static_cast<std::ptrdiff_t>(indeks));
  return true;
}

std::vector<size_t> THistoriaSchowka::Pasujace(const std::string& szukany) const {
  std::vector<size_t> wynik;
  for (size_t i = 0; i < pozycje_.size(); ++i)
    if (ZawieraBezWielkosciLiter(pozycje_[i].tekst, szukany)) wynik.push_back(i);
  return wynik;
}

void THistoriaSchowka::Przytnij() {
  int64_t suma = SumaZnakow();
  int64_t pamiec = PamiecTekstow();
  size_t usunac = 0;
  // The newest item stays, however long: what was just copied is never lost.
  while (usunac + 1 < pozycje_.size() && (suma > limit_ || pamiec > kLimitPamieci)) {
    suma -= pozycje_[usunac].rozmiar;
    pamiec -= static_cast<int64_t>(pozycje_[usunac].tekst.size());
    ++usunac;
  }
  pozycje_.erase(pozycje_.begin(), pozycje_.begin() + static_cast<std::ptrdiff_t>(usunac));
}

int WysokoscLiniiSchowka(int wysokoscI) { return static_cast<int>(std::lround(wysokoscI * 1.3)); }

PolozenieSchowka PolozSchowek(int x, int y, int szerokoscOkna, int wysokoscOkna, int szerokoscEkranu,
                              int wysokoscEkranu, int wysokoscLinii) {
  return PolozSchowek(x, y, szerokoscOkna, wysokoscOkna, platform::Rect{0, 0, szerokoscEkranu, wysokoscEkranu},
                      wysokoscLinii);
}

PolozenieSchowka PolozSchowek(int x, int y, int szerokoscOkna, int wysokoscOkna, const platform::Rect& obszar,
                              int wysokoscLinii) {
  PolozenieSchowka p{x, y};
  if (obszar.right < szerokoscOkna + p.x) p.x = obszar.right - szerokoscOkna;
  if (obszar.bottom < wysokoscOkna + p.y + wysokoscLinii)
    p.y = p.y - wysokoscOkna;
  else
    p.y = p.y + wysokoscLinii;
  p.x = std::max(p.x, obszar.left);
  p.y = std::max(p.y, obszar.top);
  return p;
}
