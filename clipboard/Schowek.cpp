#include "clipboard/Schowek.h"

#include <algorithm>
#include <cmath>

#include "common/Tekstowe.h"

int64_t IloscZnakow(const std::string& tekst) {
  int64_t n = 0;
  for (unsigned char c : tekst)
    if ((c & 0xC0) != 0x80) ++n;
  return n;
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

void THistoriaSchowka::UstawLimit(int64_t znaki) {
  limit_ = std::max(znaki, kNajmniejszyBufor);
  Przytnij();
}

void THistoriaSchowka::UstawBuforKB(int32_t kilobajty) { UstawLimit(static_cast<int64_t>(kilobajty) * 1024); }

int64_t THistoriaSchowka::SumaZnakow() const {
  int64_t suma = 0;
  for (const auto& p : pozycje_) suma += p.znaki;
  return suma;
}

bool THistoriaSchowka::Dodaj(const std::string& tekst) {
  if (tekst.empty()) return false;
  const std::string klucz = UpperCasePL(tekst);
  auto rowna = std::find_if(pozycje_.begin(), pozycje_.end(), [&](const Pozycja& p) {
    return p.tekst.size() == tekst.size() && UpperCasePL(p.tekst) == klucz;
  });
  if (rowna != pozycje_.end()) {
    if (rowna + 1 == pozycje_.end()) return false;
    pozycje_.erase(rowna);  // moves to the end, in the letter case as now copied
  }
  pozycje_.push_back({tekst, IloscZnakow(tekst)});
  Przytnij();
  return true;
}

void THistoriaSchowka::Przytnij() {
  int64_t suma = SumaZnakow();
  while (!pozycje_.empty() && suma > limit_) {
    suma -= pozycje_.front().znaki;
    pozycje_.erase(pozycje_.begin());
  }
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
