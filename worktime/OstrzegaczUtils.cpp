#include "worktime/OstrzegaczUtils.h"

#include <algorithm>
#include <memory>
#include <random>

#include "base/DateTime.h"
#include "common/ObslugaBledow.h"
#include "common/TimeUtilities.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"

namespace {

constexpr const char* kFrazaObiad = "Zrób sobie przerwę, czas na małe conieco!";
constexpr const char* kFrazaPrzerwa = "Czas na przerwę!";
constexpr const char* kFrazaDom = "Koniec pracy - czas do domu!";
constexpr const char* kFrazaNoc = "Koniec pracy - czas odpocząć!";
constexpr const char* kFrazaRuch = "Koniec pracy. Przydałoby Ci się trochę ruchu!";
constexpr const char* kFrazaOtoczenie = "Koniec pracy. Zmień otoczenie!";
constexpr const char* kFrazaIdz = "Koniec pracy. Idź już sobie!";
constexpr const char* kKomunikatWygaszacza =
    "Uwaga! Wygaszacz ekranu nie jest włączony. Jego włączenie jest warunkiem poprawnego działania programu Kalmo";

// A draw held to 0 <= r < n whatever the source returns.
int Losuj(const Losowanie& losuj, int n) {
  if (!losuj) return 0;
  const int r = losuj(n) % n;
  return r < 0 ? r + n : r;
}

bool W(double t, double a, double b) { return a <= t && t <= b; }

// A pointer that never reaches the wanted count (no mouse, a broken driver) must not keep the
// main thread in the loop; far more steps than any real count needs.
constexpr int kMaksKrokowWskaznika = 1000;

int Ogranicz(int v) { return std::clamp(v, 0, 255); }

}  // namespace

std::string NazwaObrazka(Obrazek obrazek) {
  switch (obrazek) {
    case Obrazek::Brak: return "";
    case Obrazek::Objad: return "imgObjad";
    case Obrazek::Filizanka: return "imgFilizanka";
    case Obrazek::Ciastko: return "imgCiastko";
    case Obrazek::Domek: return "imgDomek";
    case Obrazek::Luzko: return "imgLuzko";
    case Obrazek::Zaglowka: return "imgZaglowka";
    case Obrazek::Wyspa: return "imgWyspa";
    case Obrazek::Gory: return "imgGory";
    case Obrazek::Drzwi: return "imgDrzwi";
    case Obrazek::Komputer: return "imgKomputer";
    case Obrazek::Klepsydra: return "imgKlepsydra";
  }
  return "";
}

Losowanie LosowanieSystemowe() {
  auto silnik = std::make_shared<std::mt19937>(std::random_device{}());
  return [silnik](int n) { return std::uniform_int_distribution<int>(0, n - 1)(*silnik); };
}

double GodzinaDnia(double dateTime) {
  const datetime::Parts p = datetime::Decode(dateTime);
  return p.hour + p.minute / 60.0;
}

ObrazekIFraza WybierzObrazekIFraze(TrybPrzypomnienia tryb, double t, const Losowanie& losuj) {
  switch (tryb) {
    case TrybPrzypomnienia::PrzerwaNalezna:
      if (W(t, 13, 15)) return {Obrazek::Objad, kFrazaObiad};
      switch (Losuj(losuj, 4)) {
        case 1:
        case 2: return {Obrazek::Filizanka, kFrazaPrzerwa};
        case 3: return {Obrazek::Ciastko, kFrazaPrzerwa};
        default: return {};
      }
    case TrybPrzypomnienia::KoniecPracy:
      if (W(t, 15, 17)) return {Obrazek::Domek, kFrazaDom};
      if (t >= 22 || t <= 6) return {Obrazek::Luzko, kFrazaNoc};
      switch (Losuj(losuj, 5)) {
        case 1: return {Obrazek::Zaglowka, kFrazaRuch};
        case 2: return {Obrazek::Wyspa, kFrazaOtoczenie};
        case 3: return {Obrazek::Gory, kFrazaOtoczenie};
        case 4: return {Obrazek::Drzwi, kFrazaIdz};
        default: return {};
      }
    case TrybPrzypomnienia::WygaszaczWylaczony:
      return {Obrazek::Komputer, ""};
  }
  return {};
}

TrescPrzypomnienia UlozPrzypomnienie(TrybPrzypomnienia tryb, int32_t sekundy, double teraz, const Losowanie& losuj) {
  TrescPrzypomnienia t;
  const ObrazekIFraza wybor = WybierzObrazekIFraze(tryb, GodzinaDnia(teraz), losuj);
  t.obrazek = wybor.obrazek;
  if (tryb == TrybPrzypomnienia::WygaszaczWylaczony) {
    t.komunikat = kKomunikatWygaszacza;
    t.ok = true;
  } else {
    t.komunikat = Format("Pracujesz już %s. %s", FormatDuration(sekundy, 0).c_str(), wybor.fraza.c_str());
    t.anuluj = t.przerwa = tryb == TrybPrzypomnienia::PrzerwaNalezna;
    t.ok = !t.przerwa;
  }
  return t;
}

std::string TekstCzasuPrzerwy(int32_t przerwa) {
  return Format("Czas przerwy: %s", FormatDuration(przerwa, 0).c_str());
}

int PrzesuniecieEtykiety(int32_t przerwa) { return przerwa / 40; }

KoniecPrzerwy SprobujZakonczycPrzerwe(int32_t przerwa, int32_t wymagana) {
  KoniecPrzerwy k;
  if (przerwa > wymagana) {
    k.wystarczajaca = k.zakoncz = true;
    return k;
  }
  // 64-bit: a required length near the int32 limit against a negative break must not overflow.
  k.minuty = static_cast<int>((static_cast<int64_t>(wymagana) - przerwa) / 60);
  if (k.minuty > 0) {
    k.zapytaj = true;
    k.pytanie = Format("Przerwa powinna trwać jeszcze %d minut. Czy na pewno zakończyć?", k.minuty);
  } else {
    k.zakoncz = true;
  }
  return k;
}

bool RuchMyszyKonczyPrzerwe(int32_t przerwa, int32_t wymagana) { return przerwa > wymagana; }

void UkryjWskaznikMyszy() {
  for (int i = 0; i < kMaksKrokowWskaznika; ++i)
    if (platform::Desk().ShowCursor(false) < 0) return;
}

void PokazWskaznikMyszy() {
  for (int i = 0; i < kMaksKrokowWskaznika; ++i)
    if (platform::Desk().ShowCursor(true) >= 0) return;
}

TekstyDnia UlozTekstyDnia(int32_t pracaDzis, int32_t nieprzerwanaPraca, int32_t przerwa, bool wPrzerwie) {
  TekstyDnia t;
  t.caCzasPracy = FormatDuration(pracaDzis, 0);
  t.czasFazy = wPrzerwie ? "Czas przerwy: " + FormatDuration(przerwa, 0)
                         : "Nieprzerwany czas pracy: " + FormatDuration(nieprzerwanaPraca, 0);
  return t;
}

Kolor KolorKolumny(bool praca, int32_t biegPracy, int32_t limit, bool trzyD) {
  const int w = trzyD ? 135 : 160;
  const int g = trzyD ? 60 : 30;
  if (!praca) return {g, g, g};
  if (biegPracy <= limit) return {w, w, 0};
  const int64_t k = (static_cast<int64_t>(biegPracy) - limit) / 20;
  return {w, static_cast<int>(std::max<int64_t>(0, w - 2 * k)), 0};
}

void RysujSlupek(Rysunek& rysunek, int left, int top, int right, int bottom, Kolor c, bool trzyD) {
  if (!trzyD) {
    rysunek.push_back({OperacjaRysowania::Wypelnij, left, top, right, bottom,
                       {Ogranicz(c.r + 80), Ogranicz(c.g + 80), Ogranicz(c.b + 80)}, {}});
    return;
  }
  // Each row changes the colour of the row above: lighter down to the middle, then darker.
  // The limited value is the one carried on, so a component that reached 255 darkens from 255.
  for (int y = 0; y < kWysokoscSlupka; ++y) {
    const int zmiana = y <= 15 ? y : -(y - 15);
    c = {Ogranicz(c.r + zmiana), Ogranicz(c.g + zmiana), Ogranicz(c.b + zmiana)};
    rysunek.push_back({OperacjaRysowania::Wypelnij, left, top + y, left + 2, top + y + 1, c, {}});
  }
}

Rysunek RysujAktywnosc(const std::array<uint8_t, 288>& sloty, int godzinaPrzelaczenia, int32_t limitPracy,
                       bool trzyD, const std::function<int(const std::string&)>& szerokoscTekstu) {
  Rysunek r;
  const int rh = godzinaPrzelaczenia;
  int32_t bieg = 0;
  for (int i = 1; i <= 288; ++i) {
    // The strip starts at the rollover hour. A rollover outside 0..23 still lands on a slot.
    int s = ((12 * rh + i - 1) % 288 + 288) % 288 + 1;
    const bool praca = sloty[s - 1] == 0;
    if (praca) bieg += 300;
    else bieg = 0;
    RysujSlupek(r, 2 * i - 1, 0, 2 * i + 1, kWysokoscSlupka, KolorKolumny(praca, bieg, limitPracy, trzyD), trzyD);
    if (i % 12 == 0) {
      r.push_back({OperacjaRysowania::Wypelnij, 2 * i - 1, 35, 2 * i, 37, {0, 0, 0}, {}});
      int h = i / 12 + rh;
      if (h > 24) h -= 24;
      if (h != rh) {
        const std::string tekst = std::to_string(h);
        const int szer = szerokoscTekstu ? szerokoscTekstu(tekst) : 0;
        r.push_back({OperacjaRysowania::Tekst, 2 * i - 1 - szer / 2, 39, 0, 0, {0, 0, 0}, tekst});
      }
    }
  }
  return r;
}

int PozycjaZnacznika(int godzina, int minuta, int godzinaPrzelaczenia) {
  int m = godzina * 60 + minuta - 60 * godzinaPrzelaczenia;
  if (m < 0) m += 1440;
  return 2 * m / 5 + 1;
}

Rysunek RysujZnacznik(double teraz, int godzinaPrzelaczenia, bool flaga, bool trzyD) {
  const datetime::Parts p = datetime::Decode(teraz);
  const int left = PozycjaZnacznika(p.hour, p.minute, godzinaPrzelaczenia);
  const int g = flaga ? 70 : 170;
  Rysunek r;
  RysujSlupek(r, left, 0, left + 2, kWysokoscSlupka, {g, g, g}, trzyD);
  return r;
}

// The warning routines' choice of presentation.
namespace {

DecyzjaOstrzezenia WedlugRodzaju(const OpcjeJednegoOstrzezenia& o, TrybPrzypomnienia tryb) {
  DecyzjaOstrzezenia d;
  if (!o.wlaczone) return d;
  switch (o.rodzaj) {
    case 0:
      d.jak = Prezentacja::Okno;
      d.tryb = tryb;
      break;
    case 1:
      d.jak = Prezentacja::Miganie;
      break;
    case 2:
      d.jak = Prezentacja::Dzwiek;
      d.plikDzwieku = o.plikDzwieku;
      break;
    default:  // a kind the options dialog never writes: nothing to present
      break;
  }
  return d;
}

}  // namespace

DecyzjaOstrzezenia DecyzjaDlaKodu(int kod, const WarningOptions& opcje) {
  DecyzjaOstrzezenia d;
  switch (kod) {
    case 1:
      return WedlugRodzaju(opcje.przerwa, TrybPrzypomnienia::PrzerwaNalezna);
    case 3:
      d = WedlugRodzaju(opcje.koniecPracy, TrybPrzypomnienia::KoniecPracy);
      if (d.jak == Prezentacja::Miganie) d.podpowiedz = "Koniec pracy!";
      return d;
    case 2:
      if (opcje.koniecPrzerwy.wlaczone) {
        d.jak = Prezentacja::Dzwiek;
        d.plikDzwieku = opcje.koniecPrzerwy.plikDzwieku;
      }
      return d;
    case 4:
      d.jak = Prezentacja::Okno;
      d.tryb = TrybPrzypomnienia::WygaszaczWylaczony;
      return d;
    default:
      return d;
  }
}

std::vector<ZaslonaMonitora> UlozZaslony(const std::vector<platform::MonitorInfo>& monitory, int kursorX,
                                         int kursorY) {
  std::vector<ZaslonaMonitora> zaslony;
  int tresc = -1, glowny = -1;
  for (const platform::MonitorInfo& m : monitory) {
    if (m.area.Width() <= 0 || m.area.Height() <= 0) continue;
    bool jest = false;
    for (const ZaslonaMonitora& z : zaslony) jest = jest || z.obszar == m.area;
    if (jest) continue;
    const int i = static_cast<int>(zaslony.size());
    zaslony.push_back({m.area, m.dpi > 0 ? m.dpi : 96, false});
    const bool kursor =
        kursorX >= m.area.left && kursorX < m.area.right && kursorY >= m.area.top && kursorY < m.area.bottom;
    if (kursor && tresc < 0) tresc = i;
    if (m.primary && glowny < 0) glowny = i;
  }
  if (tresc < 0) tresc = glowny;
  if (tresc < 0 && !zaslony.empty()) tresc = 0;
  if (tresc >= 0) zaslony[tresc].tresc = true;
  return zaslony;
}

ZmianaZaslon ZmienZaslony(const platform::Rect& tresc, const std::vector<platform::Rect>& zaslony,
                          const std::vector<ZaslonaMonitora>& nowe) {
  ZmianaZaslon z;
  auto jestWNowych = [&nowe](const platform::Rect& r) {
    for (const ZaslonaMonitora& n : nowe)
      if (n.obszar == r) return true;
    return false;
  };
  platform::Rect miejsceTresci = tresc;
  if (!jestWNowych(tresc)) {
    for (const ZaslonaMonitora& n : nowe)
      if (n.tresc) z.tresc = n;
    if (z.tresc) miejsceTresci = z.tresc->obszar;
  }
  for (const platform::Rect& r : zaslony)
    if (!jestWNowych(r) || r == miejsceTresci) z.zamknij.push_back(r);
  for (const ZaslonaMonitora& n : nowe) {
    if (n.obszar == miejsceTresci) continue;
    bool jest = false;
    for (const platform::Rect& r : zaslony) jest = jest || r == n.obszar;
    if (!jest) z.otworz.push_back({n.obszar, n.dpi, false});
  }
  return z;
}
