#include "options/Opcje.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/Cp1250.h"
#include "common/Orgtekst.h"
#include "common/Tekstowe.h"
#include "keyboard/GoraceKlawisze.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kNazwyStron[kLiczbaStron] = {"Intensywność pracy", "Ostrzeganie", "Przypominanie",
                                                   "Klawiatura",         "Schowek",     "Pliki Tymczasowe",
                                                   "Skróty",             "Modem"};
constexpr int kKontekstyPomocy[kLiczbaStron] = {26, 24, 25, 9, 10, 11, 20, 21};

std::string Przytnij(const std::string& s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

}  // namespace

std::string NazwaStrony(int indeks) { return indeks >= 0 && indeks < kLiczbaStron ? kNazwyStron[indeks] : ""; }

int IndeksStrony(const std::string& nazwa) {
  for (int i = 0; i < kLiczbaStron; ++i)
    if (nazwa == kNazwyStron[i]) return i;
  return -1;
}

int KontekstPomocyStrony(int indeks) { return indeks >= 0 && indeks < kLiczbaStron ? kKontekstyPomocy[indeks] : 0; }

OdmowaStrony SprawdzStrony(const std::vector<StronaOpcji*>& strony) {
  for (StronaOpcji* s : strony)
    if (auto ostrzezenie = s->Sprawdz()) return {s, *ostrzezenie};
  return {};
}

std::string TekstNiezapisanych(const WynikZapisuUstawien& wynik) {
  if (wynik.Zapisano()) return "";
  std::string t = "Nie zapisano:";
  for (const WynikZapisuUstawien::Blad& b : wynik.bledy) t += "\n- " + b.opis;
  if (wynik.zapisane) t += "\nPozostałe ustawienia zostały zapisane.";
  return t + "\nUsuń przyczynę (na przykład zamknij program, który używa pliku) i naciśnij „OK” ponownie albo "
             "„Anuluj”.";
}

std::string TekstNieczytelnych(const UstawieniaKalmo& u) {
  const struct {
    const ListaZPliku& lista;
    const char* pliku;
    const char* co;
  } listy[] = {{u.goraceKlawisze, "gorących klawiszy", "Lista gorących klawiszy (zakładka „Klawiatura”, a także klawisze "
                                                       "na zakładkach „Schowek” i „Skróty”)"},
               {u.skroty, "skrótów", "Lista skrótów (zakładka „Skróty”)"},
               {u.regulyCzyszczenia, "reguł usuwania", "Lista folderów do czyszczenia (zakładka „Pliki Tymczasowe”)"}};
  std::string t;
  for (const auto& l : listy)
    if (!l.lista.czytelna)
      t += std::string(t.empty() ? "" : "\n\n") + "Nie można odczytać pliku " + l.pliku + ":\n" + l.lista.plik + "\n" +
           l.co + " jest tylko do odczytu: jej zmian nie można teraz zapisać.";
  return t;
}

// ---------------------------------------------------------------------------------------------

int PozycjaSuwaka(const ZakresSuwaka& zakres, int32_t sekundy) {
  return std::clamp(static_cast<int>(sekundy / zakres.krok), zakres.min, zakres.max);
}

int32_t SekundySuwaka(const ZakresSuwaka& zakres, int pozycja) {
  return std::clamp(pozycja, zakres.min, zakres.max) * zakres.krok;
}

PolozeniaIntensywnosci PolozeniaZLimitow(const LimitsRecord& l) {
  return {PozycjaSuwaka(kSuwakCalkowityCzas, l.caDziennyLimit), PozycjaSuwaka(kSuwakCzasPracy, l.caPracyDoPrzerwy),
          PozycjaSuwaka(kSuwakCzasPrzerwy, l.caDlugoscPrzerwy)};
}

LimitsRecord ZastosujSuwaki(LimitsRecord l, const PolozeniaIntensywnosci& p, const PolozeniaIntensywnosci& t) {
  if (t.calkowity != p.calkowity) l.caDziennyLimit = SekundySuwaka(kSuwakCalkowityCzas, t.calkowity);
  if (t.praca != p.praca) l.caPracyDoPrzerwy = SekundySuwaka(kSuwakCzasPracy, t.praca);
  if (t.przerwa != p.przerwa) l.caDlugoscPrzerwy = SekundySuwaka(kSuwakCzasPrzerwy, t.przerwa);
  return l;
}

std::string TekstStosunku(int32_t czasPracy, int32_t czasPrzerwy) {
  const int32_t maly = std::min(czasPracy, czasPrzerwy);
  const int32_t duzy = std::max(czasPracy, czasPrzerwy);
  // Nothing to divide by: the side that has time reads 1, the other 0.
  if (maly <= 0) return std::string(czasPracy > 0 ? "1" : "0") + " : " + (czasPrzerwy > 0 ? "1" : "0");
  const double r = std::trunc(static_cast<double>(duzy) / maly * 10) * 0.1;
  // The smallest multiple of r that is whole; one decimal needs at most ten steps.
  int k = 1;
  double s = r;
  for (double f = s - std::floor(s); f > 0.01 && f < 0.99 && k < 10; f = s - std::floor(s)) {
    ++k;
    s += r;
  }
  const long stronaMala = k;
  const long stronaDuza = std::lround(r * k);
  const bool pracaMala = czasPracy == maly;
  return std::to_string(pracaMala ? stronaMala : stronaDuza) + " : " + std::to_string(pracaMala ? stronaDuza : stronaMala);
}

WskaznikDnia UlozWskaznik(int32_t calkowity, int32_t praca, int32_t przerwa) {
  WskaznikDnia w;
  int64_t t = 0;
  // Without work time the loop would never advance.
  if (praca <= 0) return w;
  while (t < calkowity) {
    if (t + praca > calkowity) {
      w.bloki.push_back({static_cast<int>(t / 60), static_cast<int>(calkowity / 60), true});
      t = static_cast<int64_t>(calkowity) + 60;  // the clearing starts after the cut block
      break;
    }
    w.bloki.push_back({static_cast<int>(t / 60), static_cast<int>((t + praca) / 60), true});
    t += praca + 60;
    if (t + przerwa > calkowity) break;
    w.bloki.push_back({static_cast<int>(t / 60), static_cast<int>(t / 60 + przerwa / 60), false});
    t += przerwa + 60;
  }
  w.wolneOd = static_cast<int>(t / 60);
  return w;
}

std::vector<WycinekWykresu> UlozWykres(int32_t czasPracy, int32_t czasPrzerwy) {
  const double suma = static_cast<double>(std::max(czasPracy, 0)) + std::max(czasPrzerwy, 0);
  if (suma <= 0) return {};
  const double katPrzerwy = 360.0 * std::max(czasPrzerwy, 0) / suma;
  return {{0, katPrzerwy, false}, {katPrzerwy, 360.0 - katPrzerwy, true}};
}

// ---------------------------------------------------------------------------------------------

namespace {

GrupaOstrzezenia GrupaZOpcji(const OpcjeJednegoOstrzezenia& o) {
  return {o.wlaczone, o.rodzaj, std::to_string(o.czestotliwosc), o.plikDzwieku};
}

// The group's fields over the stored ones; the warning when it does not validate.
std::string ZbudujGrupe(OpcjeJednegoOstrzezenia& o, const GrupaOstrzezenia& g, bool zawszeDzwiek,
                        const char* zlaCzestotliwosc, const char* brakPliku) {
  o.wlaczone = g.wlaczona;
  if (!g.wlaczona) return "";
  const auto minuty = CalaLiczba(g.czestotliwosc);
  if (!minuty || *minuty < 1) return zlaCzestotliwosc;
  o.czestotliwosc = static_cast<int32_t>(*minuty);
  const int rodzaj = zawszeDzwiek ? 2 : std::clamp(g.rodzaj, 0, 2);
  if (!zawszeDzwiek) o.rodzaj = static_cast<uint8_t>(rodzaj);
  if (rodzaj == 2) {
    const std::string plik = Przytnij(g.plik);
    if (plik.empty() || !platform::Fs().FileExists(plik)) return brakPliku;
    o.plikDzwieku = bajty::CutToChars(plik, 250);
  }
  return "";
}

}  // namespace

StanOstrzegania StanZOpcji(const WarningOptions& o) {
  return {GrupaZOpcji(o.przerwa), GrupaZOpcji(o.koniecPracy), GrupaZOpcji(o.koniecPrzerwy), o.wylaczWygaszaczWPrzerwie};
}

WynikOstrzegania ZbudujOpcjeOstrzegania(const WarningOptions& wMocy, const StanOstrzegania& s) {
  WynikOstrzegania w{wMocy, ""};
  w.ostrzezenie = ZbudujGrupe(w.opcje.przerwa, s.przerwa, false,
                              "Błędnie podana częstotliwość przypomnień o przerwie na zakładce \"Ostrzeganie\"!",
                              "Plik zawierający komunikat dźwiękowy \"Czas na przerwę\" nie istnieje!");
  if (w.ostrzezenie.empty())
    w.ostrzezenie = ZbudujGrupe(w.opcje.koniecPracy, s.koniecPracy, false,
                                "Błędnie podana częstotliwość przypomnień o końcu pracy na zakładce \"Ostrzeganie\"!",
                                "Plik zawierający komunikat dźwiękowy \"Koniec Pracy\" nie istnieje!");
  if (w.ostrzezenie.empty())
    w.ostrzezenie = ZbudujGrupe(w.opcje.koniecPrzerwy, s.koniecPrzerwy, true,
                                "Błędnie podana częstotliwość przypomnień o końcu przerwy na zakładce \"Ostrzeganie\"!",
                                "Plik zawierający komunikat dźwiękowy \"Koniec Przerwy\" nie istnieje!");
  w.opcje.wylaczWygaszaczWPrzerwie = s.blokujWygaszacz;
  return w;
}

// ---------------------------------------------------------------------------------------------

std::string PoleProgramowBezPrzerw(const TStringList& programy) {
  std::string pole;
  for (const std::string& p : programy) pole += (pole.empty() ? "" : "; ") + p;
  return pole;
}

TStringList ProgramyBezPrzerwZPola(const std::string& pole) {
  TStringList programy;
  std::string nazwa;
  for (size_t i = 0; i <= pole.size(); ++i) {
    if (i < pole.size() && pole[i] != ';' && pole[i] != '#') {
      nazwa += pole[i];
      continue;
    }
    if (!TrimBoth(nazwa).empty()) programy.push_back(TrimBoth(nazwa));
    nazwa.clear();
  }
  return programy;
}

std::string SprawdzNazweProgramu(const std::string& nazwa) {
  if (nazwa.find('#') != std::string::npos) return "Nazwa programu nie może zawierać znaku \"#\".";
  return "";
}

// ---------------------------------------------------------------------------------------------

int LiczbaWZakresie(const std::string& tekst, const Zakres& zakres, int poprzednia) {
  const auto liczba = CalaLiczba(tekst);
  const long v = liczba ? *liczba : poprzednia;
  return static_cast<int>(std::clamp<long>(v, zakres.min, zakres.max));
}

std::string TekstCeny(int32_t setne) {
  const bool ujemna = setne < 0;
  const int64_t a = std::llabs(static_cast<int64_t>(setne));
  std::string grosze = std::to_string(a % 100);
  if (grosze.size() < 2) grosze = "0" + grosze;
  std::string tekst = ujemna ? "-" : "";
  tekst.append(std::to_string(a / 100)).append(".").append(grosze);
  return tekst;
}

int32_t CenaZTekstu(const std::string& tekst, int32_t poprzednia) {
  std::string t = Przytnij(tekst);
  std::replace(t.begin(), t.end(), ',', '.');
  bool kropka = false, cyfra = false;
  for (char c : t) {
    if (c == '.' && !kropka) kropka = true;
    else if (c >= '0' && c <= '9') cyfra = true;
    else return std::clamp(poprzednia, kZakresCenyGrosze.min, kZakresCenyGrosze.max);
  }
  if (!cyfra || t.size() > 12) return std::clamp(poprzednia, kZakresCenyGrosze.min, kZakresCenyGrosze.max);
  const long setne = std::lround(std::strtod(t.c_str(), nullptr) * 100);
  return static_cast<int32_t>(std::clamp<long>(setne, kZakresCenyGrosze.min, kZakresCenyGrosze.max));
}

// ---------------------------------------------------------------------------------------------

std::vector<WierszKlawisza> WierszeKlawiszy(const std::vector<std::string>& linie) {
  std::vector<WierszKlawisza> wiersze;
  for (const std::string& l : linie) {
    if (l.find_first_not_of(' ') == std::string::npos) continue;
    if (wiersze.size() == kMaxKlawiszy) break;
    wiersze.push_back({PoleSkrotu(l), PoleOpisu(l)});
  }
  return wiersze;
}

std::string KlawiszZadania(const std::vector<WierszKlawisza>& wiersze, uint8_t zadanie) {
  std::string klawisz;
  for (const WierszKlawisza& w : wiersze)
    if (OpisToZadanie(w.second) == zadanie) klawisz = ShortCutToText(TextToShortCut(w.first));
  return klawisz;
}

WynikKlawisza UstawKlawiszZadania(std::vector<WierszKlawisza>& wiersze, uint8_t zadanie, uint16_t skrot) {
  const std::string tekst = ShortCutToText(skrot);
  // Shift alone would take a capital letter away from typing.
  if (tekst.empty() || !(skrot & (0x4000 | 0x8000))) return WynikKlawisza::Niepoprawny;
  for (WierszKlawisza& w : wiersze)
    if (OpisToZadanie(w.second) == zadanie) {
      w.first = tekst;
      return WynikKlawisza::Zmieniony;
    }
  if (wiersze.size() >= kMaxKlawiszy) return WynikKlawisza::PelnaTabela;
  for (const auto& z : kTabelaZadan)
    if (z.kod == zadanie) wiersze.push_back({tekst, z.opis});
  return WynikKlawisza::Dodany;
}

std::vector<std::string> LinieKlawiszy(const std::vector<WierszKlawisza>& wiersze) {
  std::vector<std::string> linie;
  for (const WierszKlawisza& w : wiersze) linie.push_back(w.first + "#" + w.second);
  return linie;
}

std::optional<std::string> UstawKlawiszZPola(std::vector<std::string>& linie, uint8_t zadanie, uint16_t skrot) {
  std::vector<WierszKlawisza> wiersze = WierszeKlawiszy(linie);
  if (ShortCutToText(skrot) == KlawiszZadania(wiersze, zadanie)) return std::nullopt;
  switch (UstawKlawiszZadania(wiersze, zadanie, skrot)) {
    case WynikKlawisza::Niepoprawny: return std::string(kNiepoprawnyKlawisz);
    case WynikKlawisza::PelnaTabela: return "Maksymalna ilość gorących klawiszy to: " + std::to_string(kMaxKlawiszy);
    default: linie = LinieKlawiszy(wiersze); return std::nullopt;
  }
}
