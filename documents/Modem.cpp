#include "documents/Modem.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/Cp1250.h"
#include "base/DateTime.h"
#include "common/Komunika.h"
#include "common/Orgtekst.h"
#include "common/TimeUtilities.h"
#include "common/WinTools.h"
#include "platform/Platform.h"
#include "settings/Globalne.h"
#include "settings/Rejestr.h"

namespace {

constexpr const char* kStart = "Connection established";
constexpr const char* kKoniec = "Hanging up the modem";
constexpr const char* kInicjalizacja = "Initializing modem";

std::string KluczModemu(int i) { return std::string(kKluczModemow) + "\\" + IntToStr0b(i, 4); }

// A whole number 0..65535 made of digits only.
std::optional<int> Liczba(const std::string& s) {
  if (s.empty() || s.size() > 5) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  const int v = std::atoi(s.c_str());
  if (v > 65535) return std::nullopt;
  return v;
}

struct Wpis {
  size_t start = 0, koniec = 0;  // line numbers
  double t1 = 0, t2 = 0;
};

struct Dziennik {
  std::string sciezka;
  std::vector<std::string> linie;
  std::vector<Wpis> polaczenia;
  std::optional<size_t> otwarte;  // start line of a connection with no hang-up yet
  std::vector<size_t> zle;        // marker lines whose time cannot be read, with what they broke
};

// What the settings value keeps: the connections counted while their lines stayed in a log. A
// value written before it kept one time instead (the hang-up of the last connection counted):
// such a time is trusted only when it is a real time not after now.
struct Policzone {
  std::set<std::string> nazwy;
  std::optional<double> znacznik;
  std::string tekst;  // as stored
};

Policzone WczytajPoliczone() {
  Policzone p;
  p.tekst = platform::Reg().ReadString(platform::Root::CurrentUser, kKluczKalmo, wartosc::OstatniePolaczenieModemowe)
                .value_or("");
  if (p.tekst.empty()) return p;
  char* end = nullptr;
  errno = 0;
  const double v = std::strtod(p.tekst.c_str(), &end);
  if (end && *end == '\0' && errno == 0) {
    if (std::isfinite(v) && v > 0 && v <= platform::Time().Now()) p.znacznik = v;
    return p;
  }
  size_t start = 0;
  while (start <= p.tekst.size()) {
    size_t koniec = p.tekst.find(';', start);
    if (koniec == std::string::npos) koniec = p.tekst.size();
    if (koniec > start) p.nazwy.insert(p.tekst.substr(start, koniec - start));
    start = koniec + 1;
  }
  return p;
}

std::string TekstPoliczonych(const std::set<std::string>& nazwy) {
  std::string t;
  for (const std::string& n : nazwy) {
    if (!t.empty()) t += ';';
    t += n;
  }
  return t;
}

std::vector<std::string> Linie(const std::string& tekst) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start < tekst.size()) {
    size_t end = tekst.find('\n', start);
    if (end == std::string::npos) end = tekst.size();
    std::string l = tekst.substr(start, end - start);
    if (!l.empty() && l.back() == '\r') l.pop_back();
    out.push_back(std::move(l));
    start = end + 1;
  }
  return out;
}

// Every line parsed before anything is written. A start line without a readable time ends the
// connection waiting for its hang-up (that hang-up is no longer its own); a hang-up without one
// leaves its connection uncounted: both stay in the log with the start they broke.
void Przeczytaj(Dziennik& d) {
  std::optional<size_t> start;
  std::optional<double> t1;
  for (size_t i = 0; i < d.linie.size(); ++i) {
    const std::string& l = d.linie[i];
    if (l.find(kInicjalizacja) != std::string::npos) start.reset();
    if (l.find(kStart) != std::string::npos) {
      t1 = ParseModemLogTime(l);
      if (t1) {
        start = i;
      } else {
        d.zle.push_back(i);
        start.reset();
      }
      continue;
    }
    if (l.find(kKoniec) == std::string::npos) continue;
    const std::optional<double> t2 = ParseModemLogTime(l);
    if (!t2) {
      d.zle.push_back(i);
      if (start) d.zle.push_back(*start);
    } else if (start) {
      d.polaczenia.push_back({*start, i, *t1, *t2});
    }
    start.reset();
  }
  d.otwarte = start;
}

// One reading of the logs: what stays in each, what goes to the archive, today's totals.
struct Odczyt {
  std::vector<Dziennik> dzienniki;
  std::vector<std::vector<bool>> zostaje;
  ConnectionTotals dzis;
  std::vector<Polaczenie> doArchiwum;
  Policzone policzone;
  std::set<std::string> nowePoliczone;  // every past connection still in a log, counted
};

// Several modems logging into one file: the file is read once. False when a log cannot be read.
bool CzytajDzienniki(std::vector<Dziennik>& dzienniki) {
  auto& fs = platform::Fs();
  TStringList sciezki;
  ListModemLogPaths(sciezki);
  for (const std::string& s : sciezki) {
    if (s.empty() || !fs.FileExists(s)) continue;
    const std::string klucz = UpperCasePL(s);
    if (std::any_of(dzienniki.begin(), dzienniki.end(), [&](const Dziennik& d) { return UpperCasePL(d.sciezka) == klucz; }))
      continue;
    const auto tekst = fs.ReadFile(s);
    if (!tekst) return false;
    Dziennik d;
    d.sciezka = s;
    d.linie = Linie(cp1250::ToUtf8(*tekst));
    Przeczytaj(d);
    dzienniki.push_back(std::move(d));
  }
  return true;
}

// Bad marker lines are told once each, a few at a time.
void ZglosZleLinie(const Odczyt& o, StanDziennikaModemu& stan) {
  std::string tekst;
  int nowe = 0;
  for (const Dziennik& d : o.dzienniki)
    for (size_t i : d.zle) {
      const std::string& l = d.linie[i];
      // The start a bad hang-up leaves uncounted stays too, but is no bad line itself.
      if (ParseModemLogTime(l) || !stan.zgloszoneLinie.insert(d.sciezka + "\n" + l).second) continue;
      if (++nowe <= 5) tekst += "\n" + d.sciezka + ": " + l;
    }
  if (nowe == 0) return;
  if (nowe > 5) tekst += "\n(i " + std::to_string(nowe - 5) + " innych)";
  PokazBlad("TfrmStatystyka.UaktualnijArchiwumOPolaczeniaModemowe",
            "Wiersze dziennika modemu bez czytelnej daty i godziny nie zostały policzone i pozostają w dzienniku:" +
                tekst);
}

std::optional<Odczyt> Odczytaj(double terazDniaPracy, int godzinaPrzelaczenia, StanDziennikaModemu& stan) {
  Odczyt o;
  if (!CzytajDzienniki(o.dzienniki)) return std::nullopt;
  ZglosZleLinie(o, stan);
  const int32_t dzien = datetime::DatePart(terazDniaPracy);
  o.policzone = WczytajPoliczone();
  for (const Dziennik& d : o.dzienniki) {
    std::vector<bool> z(d.linie.size(), false);
    for (const Wpis& w : d.polaczenia) {
      // Saturated: a hang-up logged years after its start must not wrap the duration.
      const int32_t sekundy = static_cast<int32_t>(std::min<int64_t>(std::max(SecondsBetween(w.t2, w.t1), 0) + 15ll, INT32_MAX));
      const double start = datetime::Decode(w.t1).hour < godzinaPrzelaczenia ? w.t1 - 1.0 : w.t1;
      const int32_t jego = datetime::DatePart(start);
      if (jego >= dzien) {
        // Today's connections stay in the log until their day has its archive record.
        z[w.start] = z[w.koniec] = true;
        if (jego == dzien) AddConnection(sekundy, o.dzis);
        continue;
      }
      const std::string nazwa = IdentyfikatorPolaczenia(w.t1, w.t2);
      const bool byla = o.policzone.nazwy.count(nazwa) || (o.policzone.znacznik && w.t2 <= *o.policzone.znacznik);
      if (!byla && !o.nowePoliczone.count(nazwa)) o.doArchiwum.push_back({sekundy, start});
      o.nowePoliczone.insert(nazwa);
    }
    if (d.otwarte) z[*d.otwarte] = true;  // counted once, when it ends
    for (size_t i : d.zle) z[i] = true;
    o.zostaje.push_back(std::move(z));
  }
  return o;
}

}  // namespace

std::string IdentyfikatorPolaczenia(double start, double koniec) {
  return std::to_string(std::llround(start * 86400.0)) + "-" + std::to_string(std::llround(koniec * 86400.0));
}

void EnableModemLogging() {
  const auto windows = platform::Fs().WindowsDirectory();
  if (!windows) return;
  const std::string sciezka = platform::JoinPath(*windows, "ModemLog.txt");
  const int n = DajLiczbeModemow();
  const uint8_t wlaczony = 1;
  for (int i = 0; i < n; ++i) {
    const std::string klucz = KluczModemu(i);
    if (!CzyZmiennaRejestrowaIstniejewKluczu(Root::LocalMachine, klucz, "Logging"))
      CreateRegistryBinaryInKey(Root::LocalMachine, klucz, "Logging", &wlaczony, 1);
    else
      SetRegistryBinaryInKey(Root::LocalMachine, klucz, "Logging", &wlaczony, 1);
    if (!CzyZmiennaRejestrowaIstniejewKluczu(Root::LocalMachine, klucz, "LoggingPath"))
      CreateRegistryStringInKey(Root::LocalMachine, klucz, "LoggingPath", sciezka);
    else
      SetRegistryStringInKey(Root::LocalMachine, klucz, "LoggingPath", sciezka);
  }
}

void ListModemLogPaths(TStringList& paths) {
  const int n = DajLiczbeModemow();
  for (int i = 0; i < n; ++i) paths.push_back(GetRegistryStringFromKey(Root::LocalMachine, KluczModemu(i), "LoggingPath"));
}

std::optional<double> ParseModemLogTime(const std::string& line) {
  const std::string d = NthField(line, 1, ' ');
  const auto mies = Liczba(NthField(d, 1, '-'));
  const auto dzien = Liczba(NthField(d, 2, '-'));
  const auto rok = Liczba(NthField(d, 3, '-'));
  const std::string t = NthField(NthField(line, 2, ' '), 1, '.');
  const auto g = Liczba(NthField(t, 1, ':'));
  const auto m = Liczba(NthField(t, 2, ':'));
  const auto s = Liczba(NthField(t, 3, ':'));
  if (!mies || !dzien || !rok || !g || !m || !s || !NthField(d, 4, '-').empty() || !NthField(t, 4, ':').empty())
    return std::nullopt;
  if (*mies < 1 || *mies > 12 || *rok < 1 || *rok > 9999 || *dzien < 1 || *dzien > IleDniMaMiesiac(*mies, *rok)) return std::nullopt;
  if (*g > 23 || *m > 59 || *s > 59) return std::nullopt;
  return datetime::Encode(*rok, *mies, *dzien, *g, *m, *s);
}

StanDziennikaModemu& StanDziennikaProgramu() {
  static StanDziennikaModemu stan;
  return stan;
}

ConnectionTotals CzytajDziennikiModemu(double terazDniaPracy, int godzinaPrzelaczenia, StanDziennikaModemu& stan) {
  const std::optional<Odczyt> o = Odczytaj(terazDniaPracy, godzinaPrzelaczenia, stan);
  if (!o) return {};
  ConnectionTotals dzis = o->dzis;
  dzis.niezapisane = o->doArchiwum;
  dzis.completed = true;
  return dzis;
}

ConnectionTotals UaktualnijArchiwumOPolaczeniaModemowe(const std::string& archiwum, double terazDniaPracy,
                                                       int godzinaPrzelaczenia, StanDziennikaModemu& stan) {
  std::optional<Odczyt> o = Odczytaj(terazDniaPracy, godzinaPrzelaczenia, stan);
  if (!o) return {};  // not completed
  auto& fs = platform::Fs();
  if (!o->doArchiwum.empty() && (!fs.FileExists(archiwum) || !DopiszDoArchiwum(archiwum, o->doArchiwum)))
    return {};
  // Kept before the logs are rewritten: a log that keeps its lines never counts them again.
  const std::string policzone = TekstPoliczonych(o->nowePoliczone);
  if (policzone != o->policzone.tekst) RejWriteString(wartosc::OstatniePolaczenieModemowe, policzone);

  for (size_t k = 0; k < o->dzienniki.size(); ++k) {
    const Dziennik& d = o->dzienniki[k];
    std::string tekst;
    size_t zostalo = 0;
    for (size_t i = 0; i < d.linie.size(); ++i) {
      if (!o->zostaje[k][i]) continue;
      tekst += cp1250::FromUtf8(d.linie[i]) + "\r\n";
      ++zostalo;
    }
    if (zostalo == d.linie.size()) continue;  // nothing to drop
    if (!fs.WriteFileReplacing(d.sciezka, tekst) && !stan.zgloszonoZapis) {
      stan.zgloszonoZapis = true;
      PokazBlad("TfrmStatystyka.UaktualnijArchiwumOPolaczeniaModemowe",
                "Nie mogę zapisać dziennika modemu: " + d.sciezka +
                    ". Połączenia zostały policzone i nie zostaną policzone ponownie.");
    }
  }
  o->dzis.completed = true;
  return o->dzis;
}

double KosztPolaczen(int32_t jednostki, int32_t cenaSetneGrosza) {
  return jednostki * (cenaSetneGrosza / 100.0) / 100.0;
}
